#pragma once

#include <functional>

#include <QObject>
#include <QString>

namespace codeplug {
class EditHistory;
}
class QEvent;
class QTimer;
class QWidget;

// Makes every user command of the window one undo step without any page knowing: an application
// event filter watches the user input meant for the window (clicks, keys, wheel, drops, its menus
// and drop-downs) and, once the input has been handled, closes a step on the current slot's
// history, named after what the user acted on ("Edit Rx Freq" for a labelled field, a button's
// text or hint, a menu entry's text, "Sort by Name" for a column title, else "Edit").
// A step is held back while a modal dialog or a HistoryScope is open, or while the handler of the
// input still runs a nested event loop (a menu, a question), so that such a command stays one step.
class HistoryHook final : public QObject
{
    Q_OBJECT
public:
    // currentHistory gives the current slot's history (nullptr for none); changed runs after a
    // step may have been closed, so that the window can update its Edit menu.
    HistoryHook(
        QWidget *window, std::function<codeplug::EditHistory *()> currentHistory, std::function<void()> changed);
    ~HistoryHook() override;

    // Closes what is open now as a step named after the last input (where that is allowed now).
    void closeStep();
    // The name of the in-place edit open in one of the window's lists ("Edit Name"), or empty.
    QString openCellEditName() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Command
    {
        QString name;
        QString mergeKey;
    };

    void userInput(QWidget *target, QEvent *event, const QString &name);
    bool belongsToWindow(const QWidget *widget) const;
    bool closingAllowed() const;
    void closeLater();
    Command describe(QWidget *target, QEvent *event) const;
    Command describeField(QWidget *target, QEvent *event) const;
    QWidget *labelledField(QWidget *target, QString &label) const;
    bool windowTakesUndoKey(QWidget *target, QEvent *event) const;

    QWidget *m_window;
    std::function<codeplug::EditHistory *()> m_currentHistory;
    std::function<void()> m_changed;
    QTimer *m_retry;
    Command m_command { QStringLiteral("Edit"), {} };
    int m_loopLevel = 0; // event loop depth of the input whose step is open
    bool m_open = false; // an input has been seen whose step has not been closed yet
    bool m_posted = false;
    const QEvent *m_lastEvent = nullptr;
    int m_lastType = 0;
    quint64 m_lastTimestamp = 0;
};
