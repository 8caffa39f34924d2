#include "HistoryHook.h"

#include "EditHistory.h"
#include "InPlaceEditor.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

using codeplug::EditHistory;

namespace {

// While a menu or question of the handler is still open, the step is tried again this much later.
constexpr int kRetryMs = 50;

int loopLevel()
{
    return QThread::currentThread()->loopLevel();
}

// "&Rx Freq: " gives "Rx Freq".
QString plainText(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
    text = text.simplified();
    while (text.endsWith(u':') || text.endsWith(u'.'))
        text.chop(1);
    return text.trimmed();
}

QString keyOf(const QObject *object)
{
    return QString::number(quintptr(object), 16);
}

bool hasLetter(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// The line edit of a text field (an edit, a spin box, an editable drop-down), or nullptr.
QLineEdit *lineEditOf(QWidget *widget)
{
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit;
    if (qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<QComboBox *>(widget))
        return widget->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    return nullptr;
}

bool isRedoKey(const QKeyEvent *key)
{
    const QKeyCombination combination = key->keyCombination();
    return key->matches(QKeySequence::Redo) || combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)
        || combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

} // namespace

HistoryHook::HistoryHook(QWidget *window, std::function<EditHistory *()> currentHistory, std::function<void()> changed)
    : QObject(window)
    , m_window(window)
    , m_currentHistory(std::move(currentHistory))
    , m_changed(std::move(changed))
    , m_retry(new QTimer(this))
{
    m_retry->setSingleShot(true);
    m_retry->setInterval(kRetryMs);
    connect(m_retry, &QTimer::timeout, this, &HistoryHook::closeLater);
    qApp->installEventFilter(this);
}

HistoryHook::~HistoryHook()
{
    qApp->removeEventFilter(this);
}

bool HistoryHook::eventFilter(QObject *watched, QEvent *event)
{
    // A key bound to an action reaches no widget: the action's text names the command.
    if (event->type() == QEvent::Shortcut && QApplication::focusWidget()) {
        const auto *action = qobject_cast<QAction *>(watched);
        userInput(QApplication::focusWidget(), event, action ? plainText(action->text()) : QString());
    }
    if (!watched->isWidgetType())
        return false;
    auto *target = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Withheld from the text field, the key falls through to the window's Undo or Redo.
        return windowTakesUndoKey(target, event);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Drop:
        userInput(target, event, {});
        break;
    default:
        break;
    }
    return false;
}

bool HistoryHook::belongsToWindow(const QWidget *widget) const
{
    // Popups (menus, the lists of drop-downs) are windows of their own, parented inside this one.
    for (; widget; widget = widget->parentWidget()) {
        if (widget == m_window)
            return true;
    }
    return false;
}

void HistoryHook::userInput(QWidget *target, QEvent *event, const QString &name)
{
    if (QApplication::activeModalWidget() || !belongsToWindow(target))
        return;
    // One input reaches the filter again for each parent it propagates to; the first receiver counts.
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (key && QApplication::focusWidget() && target != QApplication::focusWidget())
        return;
    const auto *input = dynamic_cast<const QInputEvent *>(event);
    const quint64 timestamp = input ? input->timestamp() : 0;
    if (event == m_lastEvent && int(event->type()) == m_lastType && timestamp == m_lastTimestamp)
        return;
    m_lastEvent = event;
    m_lastType = int(event->type());
    m_lastTimestamp = timestamp;

    if (m_open && loopLevel() > m_loopLevel) {
        // Input inside a menu or question that the open command's handler is showing: it may name
        // the command (the menu entry chosen) but does not end it.
        const Command inner = describe(target, event);
        if (!name.isEmpty() || inner.name != QLatin1String("Edit"))
            m_command.name = name.isEmpty() ? inner.name : name;
        return;
    }
    // What earlier input changed is its own step, before this input's handler changes anything.
    closeStep();
    m_command = describe(target, event);
    if (!name.isEmpty())
        m_command = { name, {} };
    m_loopLevel = loopLevel();
    m_open = true;
    if (!m_posted) {
        m_posted = true;
        QMetaObject::invokeMethod(this, &HistoryHook::closeLater, Qt::QueuedConnection);
    }
}

bool HistoryHook::closingAllowed() const
{
    const EditHistory *history = m_currentHistory();
    return history && !history->commandOpen() && !QApplication::activeModalWidget() && loopLevel() <= m_loopLevel;
}

void HistoryHook::closeStep()
{
    EditHistory *history = m_currentHistory();
    if (history && !closingAllowed())
        return;
    if (history)
        history->closeStep(m_command.name, m_command.mergeKey);
    m_open = false;
}

void HistoryHook::closeLater()
{
    m_posted = false;
    if (m_currentHistory() && !closingAllowed()) {
        // The input's handler is still inside a menu, a question or a command scope; the Edit
        // menu is brought up to date once it is done.
        m_retry->start();
        return;
    }
    closeStep();
    m_changed();
}

QString HistoryHook::openCellEditName() const
{
    for (const InPlaceEditor *editor : m_window->findChildren<InPlaceEditor *>()) {
        if (editor->isEditing() && editor->list())
            return QStringLiteral("Edit ") + plainText(editor->list()->headerItem()->text(editor->column()));
    }
    return {};
}

HistoryHook::Command HistoryHook::describe(QWidget *target, QEvent *event) const
{
    // While a list cell is edited, input ends that edit (Enter, a click elsewhere, a choice made).
    const QString cellEdit = openCellEditName();
    if (!cellEdit.isEmpty())
        return { cellEdit, {} };
    if (auto *menu = qobject_cast<QMenu *>(target)) {
        const QAction *action = menu->activeAction();
        return { action && !action->menu() ? plainText(action->text()) : QStringLiteral("Edit"), {} };
    }
    // A click on a column title sorts by it; a click in a cell (a toggle by double-click) edits it.
    const auto *mouse = dynamic_cast<const QMouseEvent *>(event);
    const int x = mouse ? mouse->position().toPoint().x() : -1;
    const auto *header = qobject_cast<const QHeaderView *>(target->parentWidget());
    const auto *view = qobject_cast<const QTreeView *>(target->parentWidget());
    if (header || (view && target == view->viewport())) {
        const int section = header ? header->logicalIndexAt(x) : view->columnAt(x);
        const QAbstractItemModel *model = header ? header->model() : view->model();
        const QString title
            = mouse && model ? plainText(model->headerData(section, Qt::Horizontal).toString()) : QString();
        if (section >= 0 && !title.isEmpty())
            return { (header ? QStringLiteral("Sort by ") : QStringLiteral("Edit ")) + title, {} };
    }
    return describeField(target, event);
}

HistoryHook::Command HistoryHook::describeField(QWidget *target, QEvent *event) const
{
    QString label;
    if (QWidget *field = labelledField(target, label))
        return { QStringLiteral("Edit ") + label, keyOf(field) };
    for (QWidget *w = target; w && w != m_window; w = w->parentWidget()) {
        auto *button = qobject_cast<QAbstractButton *>(w);
        if (!button)
            continue;
        const QString text = plainText(button->text());
        const QString name = hasLetter(text) ? text : plainText(button->toolTip());
        // Repeated clicks of one command button (a move) within the merge window are one step.
        return { name.isEmpty() ? QStringLiteral("Edit") : name, button->isCheckable() ? QString() : keyOf(button) };
    }
    if (auto *keyEvent = dynamic_cast<QKeyEvent *>(event)) {
        if (keyEvent->matches(QKeySequence::Delete))
            return { QStringLiteral("Delete"), {} };
        if (keyEvent->matches(QKeySequence::Paste))
            return { QStringLiteral("Paste"), {} };
        if (keyEvent->matches(QKeySequence::Cut))
            return { QStringLiteral("Cut"), {} };
    }
    if (event->type() == QEvent::Drop)
        return { QStringLiteral("Drop"), {} };
    return { QStringLiteral("Edit"), {} };
}

// The target or its nearest parent that a label names (the label's buddy), and that label's text.
QWidget *HistoryHook::labelledField(QWidget *target, QString &label) const
{
    const QList<QLabel *> labels = m_window->findChildren<QLabel *>();
    for (QWidget *w = target; w && w != m_window; w = w->parentWidget()) {
        for (const QLabel *candidate : labels) {
            if (candidate->buddy() != w)
                continue;
            // "Rx Freq (MHz)" names the field "Rx Freq": the unit is no part of the name.
            label = plainText(candidate->text().section(u'(', 0, 0));
            if (!label.isEmpty())
                return w;
        }
    }
    return nullptr;
}

// The window's Undo and Redo apply unless the focus is in a text field with its own undo to do
// that has not been recorded as history steps: an in-place cell edit or a search, whose text
// is not in the code plug. Typing in a field that writes the code plug is undone by the window,
// which restores every selected record as it was.
bool HistoryHook::windowTakesUndoKey(QWidget *target, QEvent *event) const
{
    auto *key = static_cast<QKeyEvent *>(event);
    const bool undo = key->matches(QKeySequence::Undo);
    if ((!undo && !isRedoKey(key)) || target != QApplication::focusWidget() || !belongsToWindow(target))
        return false;
    const QLineEdit *edit = lineEditOf(target);
    if (!edit)
        return false;
    const bool ownUndo = undo ? edit->isUndoAvailable() : edit->isRedoAvailable();
    if (!ownUndo)
        return true;
    const EditHistory *history = m_currentHistory();
    QString label;
    const QWidget *field = labelledField(target, label);
    return history && field && history->undoMergeKey() == keyOf(field);
}
