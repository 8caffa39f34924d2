#pragma once

#include "InPlaceEditor.h"
#include "ListViewTools.h"

#include <functional>
#include <map>
#include <optional>

#include <QFlags>
#include <QList>
#include <QObject>
#include <QString>

namespace codeplug {
class FileImage;
struct FieldColumn;
struct ListLayout;
struct ValueLabel;
using ValueLabels = QList<ValueLabel>;
using FieldTable = QList<FieldColumn>;
} // namespace codeplug
class CodePlugPage;
class DragSelector;
class ListKeys;
class MoveRepeater;
class QAction;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPoint;
class QPushButton;
class QTimer;
class QTreeWidget;

// The list side of a list page: the title line, the list view (hidden column 0), the search box
// with its countdown on the 25 ms `Timer1`, add / delete / move buttons with press-and-hold
// repetition, the list keys, drag selection, the in-place editor, the popup menu's enabling, and
// one coalesced refresh. The page describes its rows and hands over the core list operations; it
// lays the widgets out itself and adds its own commands on top of the ones here.
//
//   ListPanel::Setup setup;
//   setup.columns = { { "No.", 40, Qt::AlignCenter }, { "Name", 0 } };
//   setup.titlePrefix = "Zones"; setup.capacity = 250; setup.emptyTitle = "Zones .. up to 250. ";
//   setup.rowCount = ...; setup.cells = ...;        // what the list shows
//   setup.add = ...; setup.remove = ...; ...        // optional: buttons, keys and entries follow
//   m_panel = new ListPanel(*this, setup);
//   m_panel->onDoubleClick(2, [this](int row) { ... });
//
// Widgets are created as children of the page with their usual object names (TitleLabel, ListView,
// SearchLabel, SearchEdit, AddBitBtn, DeleteBitBtn, MoveUp10BitBtn, MoveUpBitBtn, MoveDownBitBtn,
// MoveDown10BitBtn, ImportButton, ExportButton, Timer1); parts a page leaves out are not created.
class ListPanel final : public QObject
{
    Q_OBJECT
public:
    enum Part {
        EditButtons = 0x01, // Add, Delete
        MoveButtons = 0x02, // Up 10, Up, Down, Down 10
        FileButtons = 0x04, // Import, Export
        Search = 0x08,
        Keys = 0x10, // Delete, Ctrl+Up / Down, with Shift by 10
        Popup = 0x20,
        StepButtons = 0x40, // Up, Down: the move buttons without the ones by 10
    };
    Q_DECLARE_FLAGS(Parts, Part)
    enum Button {
        AddButton,
        DeleteButton,
        MoveUp10Button,
        MoveUpButton,
        MoveDownButton,
        MoveDown10Button,
        ImportButton,
        ExportButton,
        ButtonCount
    };
    // When a popup entry is enabled (every rule but Always and Never needs an open code plug).
    enum class When { Always, Open, Selection, NotAllSelected, Room, Clipboard, ClipboardAndRoom, Never };

    using Image = codeplug::FileImage;
    struct Setup
    {
        QList<listview::Column> columns;
        QString titlePrefix; // "Channels" gives "Channels .. used 4 of 1000. 2 selected. "
        int capacity = 0;
        QString emptyTitle; // while the current slot holds no code plug
        QString initialTitle; // before the first refresh
        Parts parts;
        int searchTicks = 40; // ticks of Timer1 from the last keystroke to the search
        QString menuName; // object name of the popup menu
        QString clipboardFormat; // the paste entries' rules look for it

        // The used rows and the texts of their cells (the first goes to column 1).
        std::function<int(const Image &)> rowCount;
        std::function<QStringList(const Image &, int row)> cells;
        // Called at the end of every refresh, with the image or nullptr for an empty slot.
        std::function<void(const Image *)> refreshed;

        // Core list operations; a command whose operation is missing does nothing.
        std::function<int(Image &)> add; // the new record's row, or -1 when the list is full
        std::function<int(Image &, int before)> insert; // the same
        // The row to select afterwards, or nothing when no record went.
        std::function<std::optional<int>(Image &, const QList<int> &rows)> remove;
        // The rows the selection moved to; a positive step moves towards the top.
        std::function<QList<int>(Image &, const QList<int> &rows, int step)> move;
        // Rows matching a search text; by default the rows with a cell containing the trimmed
        // text, in any letter case.
        std::function<QList<int>(const Image &, const QString &text)> search;

        // Add keeps the previous selection and titles the list under another prefix.
        QString addTitlePrefix;

        // For a second or third pane of a page. `namePrefix` goes before the list's and buttons'
        // object names ("Member": MemberListView, MemberMoveUpBitBtn), `titleName` is the title's.
        QString namePrefix;
        QString titleName = QStringLiteral("TitleLabel");
        // A pane of the same page whose Timer1 and in-place editors this one shares.
        ListPanel *companion = nullptr;
        // Whether a rebuild selects the first row.
        bool selectFirst = true;
        // The title while a code plug is open, in place of "<prefix> .. used <rows> of <capacity>. ";
        // a null text leaves the title as it is. Without a code plug an empty `emptyTitle` does too.
        std::function<QString(int rows, int selected)> title;
        // The cells of every row at once, for lists worked out as a whole (in place of rowCount and
        // cells).
        std::function<QList<QStringList>(const Image &)> rows;
        // A title that never changes, for lists of fixed entries.
        QString fixedTitle;
    };

    ListPanel(CodePlugPage &page, Setup setup);
    ~ListPanel() override;

    // A row count for lists kept contiguous: the used records before the first free one.
    static std::function<int(const Image &)> usedRows(const codeplug::ListLayout &list);
    // A list of `count` fixed entries: the number column (entry + 1, or `number` of the entry),
    // then a column per field of `table`, `widths` wide. The table must outlive the panel; bind
    // its editors with editFields(2, table).
    static Setup fieldList(const listview::Column &numberColumn, const codeplug::FieldTable &table,
        const QList<int> &widths, int count, std::function<QString(int entry)> number = {});

    QTreeWidget *list() const { return m_list; }
    QLabel *titleLabel() const { return m_title; }
    QLabel *searchLabel() const { return m_searchLabel; }
    QLineEdit *searchEdit() const { return m_searchEdit; }
    QPushButton *button(Button which) const { return m_buttons[which]; }
    QMenu *menu() const { return m_menu; }
    QTimer *timer() const { return m_timer; }
    InPlaceEditor *editor() const { return m_editor; }
    MoveRepeater *repeater() const { return m_repeater; }
    int searchCountdown() const { return m_searchCountdown; }
    // The search label and box side by side.
    QHBoxLayout *searchRow() const;
    // The four move buttons in one row, in the same order and with the same captions on every page.
    QHBoxLayout *moveRow() const;

    // Brings the list in line with the current slot: `rebuild` refills the rows; a `top` above 0
    // is scrolled to the top, otherwise a rebuild selects the first row.
    void refresh(bool rebuild, int top);
    // A rebuild after a change of slot: an open editor's value belongs to the old contents.
    void reload();
    // refresh() once the current event has been handled. Requests made meanwhile join the pending
    // one, so that a burst of selection changes (a drag, a search) gives one refresh.
    void post(bool rebuild, int top);
    // Writes the title; `prefix` replaces the usual one for this once.
    void showTitle(const QString &prefix = {});
    void rewriteRow(int row);
    void rewriteRows();

    QList<int> selectedRows() const;
    int topRow() const;
    void selectRows(const QList<int> &rows);
    // Selects the row alone, makes it current and scrolls it into sight.
    void selectOnly(int row);
    void selectAll(bool select);

    // The list commands, as the buttons, keys and popup entries run them. Add returns the new row,
    // or -1 when none was added.
    int add();
    void insert();
    void deleteSelected();
    void moveSelected(int step);
    void searchNow();
    // One tick of Timer1 for the search countdown (the move repetition ticks on its own).
    void tick();
    // Applies a change to every selected record and rewrites its row. True when one was selected.
    bool changeSelected(const std::function<void(Image &, int row)> &change);
    // Puts the selected records on the clipboard under the setup's format.
    void copySelected(const std::function<QByteArray(const Image &, const QList<int> &rows)> &copy);
    // Pastes the clipboard's records over the selected ones; true when any was written.
    bool pasteOver(const std::function<int(Image &, const QList<int> &rows, const QByteArray &block)> &paste);
    // Appends the clipboard's records; the first new row, or -1 when none was added.
    int pasteNew(const std::function<int(Image &, const QByteArray &block)> &paste);

    // What a double-click on a cell of `column` does (-1: any column without an action of its own).
    void onDoubleClick(int column, std::function<void(int row)> action);
    // What a double-click below the last row (or on no row at all) does.
    void onEmptyDoubleClick(std::function<void()> action);
    // Makes the column titles clickable.
    void onHeaderClick(std::function<void(int column)> action);
    // Opens the edit box over a cell. `store` writes the trimmed text into the record and says
    // whether it took it; the row is then rewritten from the record.
    bool editCell(int row, int column, int maxLength, InPlaceEditor::KeyFilter filter,
        std::function<bool(Image &, int row, const QString &text)> store);
    bool editName(int row, int column, std::function<bool(Image &, int row, const QString &text)> store);
    // Opens the drop-down over a cell with `choices`, the one carrying `current` chosen. `store`
    // writes the chosen value into the record; the cell then shows the chosen entry's text.
    bool editChoice(int row, int column, const codeplug::ValueLabels &choices, int current,
        std::function<void(Image &, int row, int value)> store);
    // Edits a cell as its field column says: a drop-down of its choices (none offered opens
    // nothing), an edit box, or a toggle flipped at once. The row is rewritten afterwards.
    bool editField(int row, int column, const codeplug::FieldColumn &field);
    // Double-clicks on the columns from `firstColumn` on edit the table's fields in turn.
    void editFields(int firstColumn, const codeplug::FieldTable &table);

    QAction *addMenuEntry(
        const char *name, const QString &text, When when, std::function<void()> command = {}, const QString &tip = {});
    void addMenuSeparator();
    // The entries every list page's menu starts with, each named after its text and `suffix`
    // ("Copy" + "1"): Copy, Paste Insert (never offered), Paste Over, Paste New, Add, Insert,
    // Delete, Unselect All and Select All, in groups, with a separator after them.
    void addEditEntries(const char *suffix, std::function<void()> copy, std::function<void()> pasteOver,
        std::function<void()> pasteNew);
    // Enables the popup entries for the present state (done each time the menu opens).
    void updateMenu();

Q_SIGNALS:
    // Emitted at the end of every refresh.
    void refreshed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString commandName(const QString &verb) const;
    struct Pending
    {
        bool rebuild;
        int top;
    };
    struct MenuEntry
    {
        QAction *action;
        When when;
    };

    void createButtons();
    void createSearch();
    void createPopup();
    void connectList();
    Image *image() const;
    bool isOpen() const;
    bool idle() const;
    int rowCountOf(const Image &image) const;
    void fill(const Image &image);
    void fillRows(const QList<QStringList> &rows);
    QStringList cellsOf(const Image &image, int row) const;
    void setControlsEnabled(bool open);
    void updateButtons();
    void markCurrent(int row);
    void moveButton(int baseStep, int size);
    bool searchKey(class QKeyEvent *event);
    void emptyDoubleClick(const QPoint &at);
    QList<int> matchingRows(const QString &text) const;
    bool entryEnabled(When when) const;
    QByteArray clipboardBlock() const;

    CodePlugPage &m_page;
    Setup m_setup;
    QLabel *m_title;
    QTreeWidget *m_list;
    QTimer *m_timer;
    InPlaceEditor *m_editor;
    DragSelector *m_drag;
    QLabel *m_searchLabel = nullptr;
    QLineEdit *m_searchEdit = nullptr;
    QPushButton *m_buttons[ButtonCount] = {};
    MoveRepeater *m_repeater = nullptr;
    bool m_ownsTimer;
    ListKeys *m_keys = nullptr;
    QMenu *m_menu = nullptr;
    QList<MenuEntry> m_entries;
    std::map<int, std::function<void(int)>> m_doubleClicks;
    std::function<void()> m_emptyDoubleClick;
    std::optional<Pending> m_pending;
    int m_searchCountdown = -1;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ListPanel::Parts)
