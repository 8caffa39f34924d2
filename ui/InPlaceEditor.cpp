#include "InPlaceEditor.h"

#include "NameCodec.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace {

// The drop-down reports when its list closes, whether an entry was chosen or not, so that the edit
// ends then and the drop-down does not stay over the cell.
class ListViewComboBox final : public QComboBox
{
public:
    using QComboBox::QComboBox;
    std::function<void()> onCloseUp;

    void hidePopup() override
    {
        const bool wasOpen = view() && view()->isVisible();
        QComboBox::hidePopup();
        if (wasOpen && onCloseUp)
            onCloseUp();
    }
};

} // namespace

InPlaceEditor::InPlaceEditor(QWidget *page, std::function<bool()> codePlugOpen)
    : QObject(page)
    , m_page(page)
    , m_codePlugOpen(std::move(codePlugOpen))
    , m_edit(new QLineEdit(page))
    , m_combo(new ListViewComboBox(page))
{
    m_edit->setObjectName(QStringLiteral("listViewEdit"));
    m_combo->setObjectName(QStringLiteral("listViewComboBox"));
    m_combo->setEditable(false);
    m_edit->hide();
    m_combo->hide();
    m_edit->installEventFilter(this);
    m_combo->installEventFilter(this);
    connect(m_combo, &QComboBox::activated, this, [this] { endEdit(true); });
    // The list closes before a chosen entry becomes current: end the edit once that has happened,
    // and only if it is still the edit whose list closed.
    static_cast<ListViewComboBox *>(m_combo.data())->onCloseUp = [this] {
        const int serial = m_editSerial;
        QMetaObject::invokeMethod(
            this,
            [this, serial] {
                if (serial == m_editSerial && isEditing())
                    endEdit(true);
            },
            Qt::QueuedConnection);
    };
}

InPlaceEditor::~InPlaceEditor()
{
    // The editors are children of the page (or of a list while editing); no late focus event may
    // reach this object.
    if (m_edit)
        m_edit->removeEventFilter(this);
    if (m_combo)
        m_combo->removeEventFilter(this);
}

InPlaceEditor::KeyFilter InPlaceEditor::printableAscii()
{
    return [](QChar c) { return c.unicode() >= 32 && c.unicode() <= 127; };
}

void InPlaceEditor::watch(QTreeWidget *list)
{
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (isEditing())
            endEdit(true);
    });
}

bool InPlaceEditor::prepare(QTreeWidget *list, int row, int column)
{
    endEdit(true);
    if (!m_codePlugOpen() || !list || !list->topLevelItem(row) || column < 0 || column >= list->columnCount())
        return false;
    return true;
}

void InPlaceEditor::placeOver(QWidget *editor, QTreeWidget *list, int row, int column)
{
    editor->setParent(list->viewport());
    editor->setGeometry(list->visualRect(list->model()->index(row, column)));
    editor->show();
    if (editor->isVisible() && editor->isEnabled())
        editor->setFocus(Qt::OtherFocusReason);
    m_list = list;
    m_row = row;
    m_column = column;
    ++m_editSerial;
}

bool InPlaceEditor::beginTextEdit(
    QTreeWidget *list, int row, int column, int maxLength, KeyFilter filter, TextCommit commit)
{
    if (!prepare(list, row, column))
        return false;
    park(m_combo);
    m_filter = std::move(filter);
    m_textCommit = std::move(commit);
    m_choiceCommit = {};
    m_edit->setMaxLength(maxLength);
    m_edit->setText(codeplug::trimControl(list->topLevelItem(row)->text(column)));
    placeOver(m_edit, list, row, column);
    m_edit->selectAll();
    return true;
}

bool InPlaceEditor::beginChoiceEdit(
    QTreeWidget *list, int row, int column, const QList<Choice> &choices, qint64 current, ChoiceCommit commit)
{
    if (!prepare(list, row, column))
        return false;
    park(m_edit);
    m_textCommit = {};
    m_choiceCommit = std::move(commit);
    {
        const QSignalBlocker blocker(m_combo);
        m_combo->setUpdatesEnabled(false);
        m_combo->clear();
        for (const Choice &choice : choices)
            m_combo->addItem(choice.text, choice.value);
        m_combo->setCurrentIndex(m_combo->findData(current));
        m_combo->setUpdatesEnabled(true);
    }
    placeOver(m_combo, list, row, column);
    return true;
}

void InPlaceEditor::commitValue()
{
    std::optional<QString> cellText;
    if (m_edit && m_edit->parent() == m_list->viewport() && m_textCommit)
        cellText = m_textCommit(m_row, m_column, codeplug::trimControl(m_edit->text()));
    else if (m_combo && m_combo->parent() == m_list->viewport() && m_choiceCommit && m_combo->currentIndex() >= 0)
        cellText = m_choiceCommit(m_row, m_column, m_combo->currentData().toLongLong());
    QTreeWidgetItem *item = m_list->topLevelItem(m_row);
    if (cellText && item)
        item->setText(m_column, *cellText);
}

void InPlaceEditor::endEdit(bool commit)
{
    // Hiding a focused editor makes it lose the focus, which would end the edit a second time.
    if (m_ending)
        return;
    m_ending = true;
    if (commit && m_list && m_codePlugOpen())
        commitValue();
    m_list = nullptr;
    m_row = -1;
    m_column = -1;
    park(m_combo);
    park(m_edit);
    m_ending = false;
}

void InPlaceEditor::park(QWidget *editor)
{
    if (!editor)
        return;
    editor->hide();
    if (editor->parent() != m_page)
        editor->setParent(m_page);
}

bool InPlaceEditor::editKeyPress(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        endEdit(false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        endEdit(true);
        return true;
    case Qt::Key_Backspace:
        return false;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & Qt::ControlModifier) || !m_filter)
        return false;
    return !m_filter(text.at(0));
}

bool InPlaceEditor::focusInDropDownList() const
{
    const QWidget *focus = QApplication::focusWidget();
    const QWidget *list = m_combo ? m_combo->view() : nullptr;
    return focus && list && (focus == list || list->isAncestorOf(focus));
}

bool InPlaceEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress && isEditing())
        return editKeyPress(static_cast<QKeyEvent *>(event));
    if ((watched == m_edit || watched == m_combo) && event->type() == QEvent::FocusOut && isEditing()) {
        // A context menu or the drop-down's own list taking the focus is not leaving the editor: the
        // list closing ends the edit.
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason && !focusInDropDownList())
            endEdit(true);
    }
    return QObject::eventFilter(watched, event);
}
