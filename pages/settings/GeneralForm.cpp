#include "GeneralForm.h"

#include "SettingsPanel.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

using namespace codeplug;

GeneralForm::GeneralForm(const PageContext &context, QWidget *parent)
    : SettingsPage(context, QStringLiteral("General radio settings "), generalFields(), parent)
{
    setObjectName(QStringLiteral("GeneralForm"));
    addPassword("power-on-password", QStringLiteral("Power-On-Password must be 8 characters in length, or empty"));
    addPassword(
        "radio-program-password", QStringLiteral("Radio-Program password must be 8 characters in length, or empty"));
}

void GeneralForm::addPassword(const char *key, const QString &enterMessage)
{
    const SettingField *field = findSetting(QLatin1String(key));
    auto *edit = static_cast<QLineEdit *>(panel().control(field->key));
    // Installed after the binder's filter, so that it sees Enter first.
    edit->installEventFilter(this);
    m_passwords.append({ edit, field, enterMessage });
}

void GeneralForm::pageRefresh()
{
    SettingsPage::pageRefresh();
    if (!codePlugOpen()) {
        UpdatingScope updating(*this);
        static_cast<QLineEdit *>(panel().control(QStringLiteral("radio-id")))->setText(QStringLiteral("1"));
    }
}

bool GeneralForm::eventFilter(QObject *watched, QEvent *event)
{
    for (const Password &password : std::as_const(m_passwords)) {
        if (password.edit == watched && passwordEvent(password, event))
            return true;
    }
    return SettingsPage::eventFilter(watched, event);
}

bool GeneralForm::passwordEvent(const Password &password, QEvent *event)
{
    if (!codePlugOpen() || isUpdating())
        return false;
    const QString message = password.field->unfinished(password.edit->text());
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape)
            return false;
        if (!message.isEmpty())
            refuseUnfinished(password, password.enterMessage);
        return true;
    }
    if (event->type() == QEvent::FocusOut && !message.isEmpty()) {
        // Switching to another window or opening a menu is no leaving of the edit.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            refuseUnfinished(password, message);
    }
    return false;
}

// The radio keeps no password then, and the user is told and taken back to the edit.
void GeneralForm::refuseUnfinished(const Password &password, const QString &message)
{
    password.field->text.write(*currentImage(), 0, QString());
    showError(message);
    QLineEdit *edit = password.edit;
    QMetaObject::invokeMethod(
        edit, [edit] { edit->setFocus(); }, Qt::QueuedConnection);
}
