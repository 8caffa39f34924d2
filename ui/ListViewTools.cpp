#include "ListViewTools.h"

#include <algorithm>

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace listview {

namespace {

// Draws the grid lines and gives every row the height of the taller in-place editor.
class GridDelegate final : public QStyledItemDelegate
{
public:
    GridDelegate(int rowHeight, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_rowHeight(rowHeight)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), m_rowHeight));
        return size;
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Midlight));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }

private:
    int m_rowHeight;
};

int editorHeight()
{
    const QLineEdit edit;
    const QComboBox combo;
    return std::max(edit.sizeHint().height(), combo.sizeHint().height());
}

} // namespace

static int fullNameWidth(const QTreeWidget *list)
{
    constexpr int kNameLength = 16;
    const int margins = 2 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 8;
    return list->fontMetrics().horizontalAdvance(QString(kNameLength, QLatin1Char('W'))) + margins;
}

void setupListView(QTreeWidget *list, const QList<Column> &columns)
{
    list->setColumnCount(int(columns.size()) + 1);
    QStringList titles { QString() };
    for (const Column &column : columns)
        titles.append(column.title);
    list->setHeaderLabels(titles);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setItemDelegate(new GridDelegate(editorHeight(), list));
    QHeaderView *header = list->header();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(true);
    header->setMinimumSectionSize(1);
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    list->setColumnWidth(0, 1);
    for (int i = 0; i < int(columns.size()); ++i) {
        Qt::Alignment alignment = columns.at(i).alignment;
        if (!(alignment & Qt::AlignVertical_Mask))
            alignment |= Qt::AlignVCenter; // rows are as tall as an editor: keep the text mid-row
        list->headerItem()->setTextAlignment(i + 1, alignment);
        if (columns.at(i).width == kFullNameWidth)
            list->setColumnWidth(i + 1, fullNameWidth(list));
        else if (columns.at(i).width > 0)
            list->setColumnWidth(i + 1, columns.at(i).width);
    }
}

QTreeWidgetItem *appendRow(QTreeWidget *list, const QStringList &cells)
{
    auto *item = new QTreeWidgetItem(list);
    for (int i = 0; i < int(cells.size()); ++i) {
        item->setText(i + 1, cells.at(i));
        item->setTextAlignment(i + 1, Qt::Alignment(list->headerItem()->textAlignment(i + 1)));
    }
    return item;
}

int rowOf(const QTreeWidget *list, const QTreeWidgetItem *item)
{
    return item ? list->indexOfTopLevelItem(const_cast<QTreeWidgetItem *>(item)) : -1;
}

QList<int> selectedRows(const QTreeWidget *list)
{
    QList<int> rows;
    for (const QTreeWidgetItem *item : list->selectedItems())
        rows.append(rowOf(list, item));
    std::sort(rows.begin(), rows.end());
    return rows;
}

int fullyVisibleRows(const QTreeWidget *list)
{
    const int rowHeight = list->topLevelItemCount() > 0 ? list->visualItemRect(list->topLevelItem(0)).height() : 0;
    if (rowHeight <= 0)
        return 1;
    return std::max(1, list->viewport()->height() / rowHeight);
}

int fullWidth(const QTreeWidget *list)
{
    int width = 2 * list->frameWidth() + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int column = 0; column < list->columnCount(); ++column)
        width += list->columnWidth(column);
    return width;
}

void scrollToRow(QTreeWidget *list, int row)
{
    const int count = list->topLevelItemCount();
    if (count == 0 || row < 0)
        return;
    const int limited = std::max(0, std::min(row, count - fullyVisibleRows(list)));
    QScrollBar *bar = list->verticalScrollBar();
    if (list->verticalScrollMode() == QAbstractItemView::ScrollPerItem)
        bar->setValue(limited);
    else
        bar->setValue(limited * list->visualItemRect(list->topLevelItem(0)).height());
}

} // namespace listview

DragSelector::DragSelector(std::function<bool()> enabled, QObject *parent)
    : QObject(parent)
    , m_enabled(std::move(enabled))
{
}

void DragSelector::watch(QTreeWidget *list)
{
    m_watched.append(list);
    list->viewport()->installEventFilter(this);
    connect(list, &QObject::destroyed, this, [this, list] {
        m_watched.removeAll(list);
        if (m_list == list)
            endDrag();
    });
}

bool DragSelector::dragTo(QTreeWidget *list, int row, bool leftButtonDown)
{
    const int count = list->topLevelItemCount();
    if (!m_enabled() || row < 0 || row >= count || !leftButtonDown)
        return false;
    QItemSelectionModel *selection = list->selectionModel();
    if (m_list != list || m_anchor < 0) {
        // A drag starts where the button went down, however far the first move reached.
        const bool pressedHere = m_pressList == list && m_pressRow >= 0 && m_pressRow < count;
        m_list = list;
        m_anchor = pressedHere ? m_pressRow : row;
        m_lastRow = -1;
        if (!pressedHere) {
            selection->select(list->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
            m_lastRow = row;
            return true;
        }
    }
    if (row == m_lastRow)
        return true;
    m_lastRow = row;
    const int first = std::min(m_anchor, row);
    const int last = std::max(m_anchor, row);
    const QItemSelection range(list->model()->index(first, 0), list->model()->index(last, list->columnCount() - 1));
    selection->setCurrentIndex(list->model()->index(row, 0), QItemSelectionModel::NoUpdate);
    selection->select(range, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return true;
}

void DragSelector::endDrag()
{
    m_list = nullptr;
    m_lastRow = -1;
    m_anchor = -1;
    m_pressList = nullptr;
    m_pressRow = -1;
}

bool DragSelector::eventFilter(QObject *watched, QEvent *event)
{
    // Only mouse events touch the list: others also arrive while a list is being destroyed.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    for (QTreeWidget *list : std::as_const(m_watched)) {
        if (watched != list->viewport())
            continue;
        const QModelIndex index = list->indexAt(mouse->position().toPoint());
        if (type == QEvent::MouseButtonRelease) {
            endDrag();
        } else if (type == QEvent::MouseButtonPress) {
            if (mouse->button() == Qt::LeftButton) {
                endDrag();
                m_pressList = list;
                m_pressRow = index.isValid() ? index.row() : -1;
            }
        } else {
            return dragTo(list, index.isValid() ? index.row() : -1, mouse->buttons() & Qt::LeftButton);
        }
        break;
    }
    return QObject::eventFilter(watched, event);
}

ListKeys::ListKeys(QTreeWidget *list, std::function<bool()> enabled, std::function<void()> onDelete,
    std::function<void(int step)> onMove)
    : QObject(list)
    , m_list(list)
    , m_enabled(std::move(enabled))
    , m_onDelete(std::move(onDelete))
    , m_onMove(std::move(onMove))
{
    list->installEventFilter(this);
}

bool ListKeys::handleKey(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int size = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    int step = 0;
    if (event->key() == Qt::Key_Delete) {
        if (m_enabled() && m_onDelete)
            m_onDelete();
        return true;
    }
    if (ctrl && event->key() == Qt::Key_Up)
        step = size;
    else if (ctrl && event->key() == Qt::Key_Down)
        step = -size;
    if (step != 0) {
        if (m_enabled() && m_onMove)
            m_onMove(step);
        return true;
    }
    return m_extra && m_enabled() && m_extra(event);
}

bool ListKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent *>(event));
    return QObject::eventFilter(watched, event);
}
