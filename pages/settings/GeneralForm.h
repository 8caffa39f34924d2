#pragma once

#include "SettingsPage.h"

class QLineEdit;

// The "  General  " tab: the table of codeplug::generalFields() on the shared settings page, and the
// rules of the two digit passwords: fewer than 8 digits count as no password while they are typed,
// and leaving the edit or pressing Enter or Escape then says so and keeps the edit in focus.
class GeneralForm final : public SettingsPage
{
    Q_OBJECT
public:
    GeneralForm(const PageContext &context, QWidget *parent);

    void pageRefresh() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Password
    {
        QLineEdit *edit;
        const codeplug::SettingField *field;
        QString enterMessage;
    };

    void addPassword(const char *key, const QString &enterMessage);
    // True when the key or the leaving was handled here.
    bool passwordEvent(const Password &password, QEvent *event);
    void refuseUnfinished(const Password &password, const QString &message);

    QList<Password> m_passwords;
};
