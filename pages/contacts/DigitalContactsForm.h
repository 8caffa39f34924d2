#pragma once

#include "CodePlugPage.h"
#include "ProtectedLists.h"

// The "  Digital Contacts  " tab. Until its list is built it keeps the settings the settings file
// reads and writes: the ShowNo switch, the protected contact IDs and the chosen country.
class DigitalContactsForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    DigitalContactsForm(const PageContext &context, QWidget *parent);

    void pageShown() override;

    bool showNo() const { return m_showNo; }
    void setShowNo(bool showNo) { m_showNo = showNo; }
    // Protected contact DMR IDs, common to all slots.
    codeplug::ProtectedIdList &protectedIds() { return m_protectedIds; }
    QString countryText() const { return m_country; }
    void setCountryText(const QString &country) { m_country = country; }

private:
    bool m_showNo = false;
    codeplug::ProtectedIdList m_protectedIds;
    QString m_country;
};
