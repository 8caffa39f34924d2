#include "MoveRepeater.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTimer>

MoveRepeater::MoveRepeater(QTimer *timer, QObject *parent)
    : QObject(parent)
    , m_leftButtonDown([] { return QGuiApplication::mouseButtons() & Qt::LeftButton; })
    , m_shiftDown([] { return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier; })
{
    connect(timer, &QTimer::timeout, this, &MoveRepeater::tick);
}

MoveRepeater::~MoveRepeater()
{
    release();
    for (const auto &[button, move] : m_moves)
        button->removeEventFilter(this);
}

void MoveRepeater::addButton(QAbstractButton *button, std::function<void(int size)> move)
{
    m_moves[button] = move;
    button->installEventFilter(this);
    connect(button, &QAbstractButton::clicked, this, [move] { move(1); });
    connect(button, &QObject::destroyed, this, [this, button] {
        m_moves.erase(button);
        if (m_held == button)
            release();
    });
}

void MoveRepeater::setInputState(std::function<bool()> leftButtonDown, std::function<bool()> shiftDown)
{
    m_leftButtonDown = std::move(leftButtonDown);
    m_shiftDown = std::move(shiftDown);
}

void MoveRepeater::release()
{
    m_held = nullptr;
    m_countdown = -1;
}

void MoveRepeater::tick()
{
    if (m_countdown < 0)
        return;
    const auto it = m_moves.find(m_held);
    if (it == m_moves.end() || !m_leftButtonDown()) {
        release();
        return;
    }
    if (--m_countdown > 0)
        return;
    m_countdown = kRepeatTicks;
    it->second(m_shiftDown() ? 10 : 1);
}

bool MoveRepeater::eventFilter(QObject *watched, QEvent *event)
{
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool releaseEvent = event->type() == QEvent::MouseButtonRelease;
    if ((press || releaseEvent) && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        auto *button = static_cast<QAbstractButton *>(watched);
        if (press && m_moves.count(button)) {
            m_held = button;
            m_countdown = kFirstRepeatTicks;
        } else if (releaseEvent) {
            release();
        }
    }
    return QObject::eventFilter(watched, event);
}
