#include "Prompts.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

void GuiPrompts::message(QMessageBox::Icon icon, const QString &caption, const QString &text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, m_parent);
    box.exec();
}

QMessageBox::StandardButton GuiPrompts::ask(
    QMessageBox::Icon icon, const QString &caption, const QString &text, QMessageBox::StandardButtons buttons)
{
    // The toolkit offers no tone of a chosen pitch; the system beep stands in for it.
    QApplication::beep();
    QMessageBox box(icon, caption, text, buttons, m_parent);
    const int answer = box.exec();
    return QMessageBox::StandardButton(answer);
}

void GuiPrompts::notice(const QString &text)
{
    constexpr int kNoticeMs = 15000;
    QLabel *label = m_parent ? m_parent->window()->findChild<QLabel *>(QStringLiteral("NoticeLabel")) : nullptr;
    if (!label)
        return;
    label->setText(text);
    label->setToolTip(text); // a narrow window cuts the line
    // A later notice stays its own full time.
    QTimer::singleShot(kNoticeMs, label, [label, text] {
        if (label->text() == text) {
            label->clear();
            label->setToolTip({});
        }
    });
}
