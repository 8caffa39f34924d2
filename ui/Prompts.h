#pragma once

#include <QMessageBox>
#include <QString>

// Every message box and question of the editor goes through this interface, so that tests can
// answer them without a modal loop. Captions are chosen by the caller (message title, "Error",
// "Opps", ...).
class Prompts
{
public:
    virtual ~Prompts() = default;

    // A modal box with one OK button.
    virtual void message(QMessageBox::Icon icon, const QString &caption, const QString &text) = 0;
    // Beeps, then asks in a modal box with the given buttons. Returns the button pressed, or
    // QMessageBox::NoButton when the box was dismissed without one.
    virtual QMessageBox::StandardButton ask(
        QMessageBox::Icon icon, const QString &caption, const QString &text, QMessageBox::StandardButtons buttons)
        = 0;

    // A passing notice that asks for nothing (what a command did), in the window's notice line.
    virtual void notice(const QString & /*text*/) { }

    void error(const QString &caption, const QString &text) { message(QMessageBox::Critical, caption, text); }
    // A question with the question icon; true only for Yes.
    bool askYesNo(const QString &caption, const QString &text)
    {
        return ask(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    // A notice that lets the user go on or stop (a refused deletion); true only for OK.
    bool askOkCancel(const QString &caption, const QString &text)
    {
        return ask(QMessageBox::Information, caption, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    }
};

// The real message boxes, parented to a window.
class GuiPrompts final : public Prompts
{
public:
    explicit GuiPrompts(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    void setParent(QWidget *parent) { m_parent = parent; }

    void message(QMessageBox::Icon icon, const QString &caption, const QString &text) override;
    QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString &caption, const QString &text,
        QMessageBox::StandardButtons buttons) override;
    void notice(const QString &text) override;

private:
    QWidget *m_parent;
};
