#pragma once

#include "CodePlugPage.h"
#include "ProtectedLists.h"
#include "UserDatabasePanel.h"

#include <functional>

class ListPanel;
class QPushButton;
class QSplitter;

// The "  Digital Contacts  " tab. The left half edits the contact list of the current slot on the
// shared list panel: in-place name and ID editors, type, rx tone and protection toggles, sorting by
// a column title, clipboard transfer and contact files. The right half (`DatabasePanel`) holds the
// DMR user database, whose entries become contacts.
class DigitalContactsForm final : public CodePlugPage
{
    Q_OBJECT
public:
    // Ticks of the 25 ms timer between the last change of the search text and the search.
    static constexpr int kSearchDelayTicks = 80;

    DigitalContactsForm(const PageContext &context, QWidget *parent);

    void pageRefresh() override;
    void pageShown() override;

    ListPanel *panel() const { return m_panel; }
    bool showNo() const { return m_showNo; }
    // Stores the switch, mirrors it on its button and redraws the list with the same first row.
    void setShowNo(bool showNo);
    // Protected contact DMR IDs, common to all slots.
    codeplug::ProtectedIdList &protectedIds() { return m_protectedIds; }
    QString countryText() const { return m_databasePanel->countryText(); }
    void setCountryText(const QString &country) { m_databasePanel->setCountryText(country); }
    UserDatabasePanel *databasePanel() const { return m_databasePanel; }

private:
    QWidget *createContactsPanel();
    void createPopupMenu();
    void connectCells();
    void sortByColumn(int column);
    void setSelectedProtection(bool on);
    void pasteOver();
    void pasteNew();
    void importContacts();
    void exportContacts();
    void addUsers(std::span<const codeplug::DmrUserEntry> entries);

    bool m_showNo = false;
    codeplug::ProtectedIdList m_protectedIds;

    ListPanel *m_panel;
    QSplitter *m_splitter;
    QPushButton *m_showNoButton;
    UserDatabasePanel *m_databasePanel;
};
