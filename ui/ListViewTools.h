#pragma once

#include <functional>

#include <QList>
#include <QObject>
#include <QString>

class QKeyEvent;
class QTreeWidget;
class QTreeWidgetItem;

namespace listview {

// A column width that shows a record name of 16 of the widest letters uncut.
inline constexpr int kFullNameWidth = -1;

struct Column
{
    QString title;
    int width = 100; // 0: takes the rest of the width; kFullNameWidth: a name's width
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// Makes a QTreeWidget a report-style list: a hidden 1-pixel column 0 (so column numbers match the
// record layout tables), then the given columns; grid lines, whole-row multi-selection, read-only
// cells, no header clicks, rows tall enough for the in-place editors.
void setupListView(QTreeWidget *list, const QList<Column> &columns);

// Appends a row; cells[0] goes to column 1. Each cell takes its column's alignment.
QTreeWidgetItem *appendRow(QTreeWidget *list, const QStringList &cells);

// Row index of a top-level item (-1 for none).
int rowOf(const QTreeWidget *list, const QTreeWidgetItem *item);
// Selected rows in ascending order.
QList<int> selectedRows(const QTreeWidget *list);

// Scrolls the list so that `row` is the top visible row, or, for a row beyond the last page, so
// that the last page is full. Does nothing for an empty list or a negative row.
void scrollToRow(QTreeWidget *list, int row);
// Rows that fit wholly into the list's viewport (at least 1).
int fullyVisibleRows(const QTreeWidget *list);
// The width that shows every column in full beside the vertical scroll bar, frame included.
int fullWidth(const QTreeWidget *list);

} // namespace listview

// Mouse drag selection over list views: while the left button is held, exactly the rows from the
// row where the button went down (or, without a press seen, where the drag started) to the row
// under the mouse are selected. Watch every list of a page:
//   m_drag = new DragSelector([this] { return codePlugOpen() && !m_editor->isEditing(); }, this);
//   m_drag->watch(m_listView);
class DragSelector final : public QObject
{
    Q_OBJECT
public:
    DragSelector(std::function<bool()> enabled, QObject *parent);

    void watch(QTreeWidget *list);
    // The mouse moved over `list` to `row` (-1: no row there). True when the move was taken for a
    // drag (the list's own handling is then skipped).
    bool dragTo(QTreeWidget *list, int row, bool leftButtonDown);
    void endDrag();

    QTreeWidget *list() const { return m_list; }
    int anchorRow() const { return m_anchor; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool()> m_enabled;
    QList<QTreeWidget *> m_watched;
    QTreeWidget *m_list = nullptr;
    int m_lastRow = -1;
    int m_anchor = -1;
    QTreeWidget *m_pressList = nullptr; // where the left button went down
    int m_pressRow = -1;
};

// The editing keys of a page's main list: Delete runs `onDelete`; Ctrl+Up / Ctrl+Down run
// `onMove(+1 / -1)` and, with Shift as well, `onMove(+10 / -10)` (positive moves towards the top).
// Handled keys are consumed; plain Up and Down keep their meaning. A page adds keys of its own
// with setExtraKeys (return true to consume). Nothing runs while `enabled` is false.
class ListKeys final : public QObject
{
    Q_OBJECT
public:
    ListKeys(QTreeWidget *list, std::function<bool()> enabled, std::function<void()> onDelete,
        std::function<void(int step)> onMove);

    void setExtraKeys(std::function<bool(QKeyEvent *)> handler) { m_extra = std::move(handler); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleKey(QKeyEvent *event);

    QTreeWidget *m_list;
    std::function<bool()> m_enabled;
    std::function<void()> m_onDelete;
    std::function<void(int)> m_onMove;
    std::function<bool(QKeyEvent *)> m_extra;
};
