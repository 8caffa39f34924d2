#pragma once

#include <functional>
#include <map>

#include <QObject>

class QAbstractButton;
class QTimer;

// Press-and-hold repetition of a page's move buttons. Holding the left mouse button on a
// registered button repeats its move: first after 16 ticks of the page's 25 ms timer (400 ms),
// then every 3 ticks (75 ms), by 10 when Shift is down at that tick, else by 1. The button's
// click (on release) performs one more move by 1.
//   m_repeater = new MoveRepeater(m_timer1, this);
//   m_repeater->addButton(m_moveUpButton, [this](int size) { moveSelected(+size); });
//   m_repeater->addButton(m_moveDownButton, [this](int size) { moveSelected(-size); });
class MoveRepeater final : public QObject
{
    Q_OBJECT
public:
    static constexpr int kTickMs = 25;
    static constexpr int kFirstRepeatTicks = 16;
    static constexpr int kRepeatTicks = 3;

    // Ticks with the timer's timeout; the timer stays the page's (other page work may share it).
    MoveRepeater(QTimer *timer, QObject *parent);
    ~MoveRepeater() override;

    // Registers a move button; `move(size)` runs with size 1 on click and 1 or 10 on repetition.
    void addButton(QAbstractButton *button, std::function<void(int size)> move);

    // One timer tick.
    void tick();

    // How the left button and Shift are read at each tick (the pointer and keyboard state by
    // default; tests drive them directly).
    void setInputState(std::function<bool()> leftButtonDown, std::function<bool()> shiftDown);

    QAbstractButton *heldButton() const { return m_held; }
    int countdown() const { return m_countdown; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void release();

    std::map<QAbstractButton *, std::function<void(int)>> m_moves;
    QAbstractButton *m_held = nullptr;
    int m_countdown = -1;
    std::function<bool()> m_leftButtonDown;
    std::function<bool()> m_shiftDown;
};
