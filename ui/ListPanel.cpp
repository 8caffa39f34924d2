#include "ListPanel.h"

#include "ChannelRecord.h"
#include "CodePlugPage.h"
#include "FieldColumns.h"
#include "Layout.h"
#include "MoveRepeater.h"
#include "RecordClipboard.h"

#include <algorithm>
#include <cstdlib>

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace {

constexpr int kNameLength = 16;
constexpr int kSearchLeadRows = 3; // rows above the first match that stay in sight

struct ButtonLook
{
    const char *name;
    QString text;
    QString tip;
};

const ButtonLook &look(ListPanel::Button which)
{
    static const ButtonLook looks[ListPanel::ButtonCount] = {
        { "AddBitBtn", QStringLiteral("Add"), QStringLiteral("Add a new entry") },
        { "DeleteBitBtn", QStringLiteral("Delete"), QStringLiteral("Delete selected entry") },
        { "MoveUp10BitBtn", QStringLiteral("Up 10"), QStringLiteral("Move entry up by 10 places") },
        { "MoveUpBitBtn", QStringLiteral("Up"), QStringLiteral("Move entry up by 1 place") },
        { "MoveDownBitBtn", QStringLiteral("Down"), QStringLiteral("Move entry down by 1 place") },
        { "MoveDown10BitBtn", QStringLiteral("Down 10"), QStringLiteral("Move entry down by 10 places") },
        { "ImportButton", QStringLiteral("Import"), {} },
        { "ExportButton", QStringLiteral("Export"), {} },
    };
    return looks[which];
}

} // namespace

ListPanel::ListPanel(CodePlugPage &page, Setup setup)
    : QObject(&page)
    , m_page(page)
    , m_setup(std::move(setup))
    , m_title(new QLabel(m_setup.fixedTitle.isEmpty() ? m_setup.initialTitle : m_setup.fixedTitle, &page))
    , m_list(new QTreeWidget(&page))
    , m_timer(m_setup.companion ? m_setup.companion->timer() : new QTimer(&page))
    , m_editor(m_setup.companion ? m_setup.companion->editor() : new InPlaceEditor(&page, [this] { return isOpen(); }))
    , m_drag(new DragSelector([this] { return idle(); }, this))
    , m_ownsTimer(!m_setup.companion)
{
    m_title->setObjectName(m_setup.titleName);
    m_list->setObjectName(m_setup.namePrefix + QStringLiteral("ListView"));
    listview::setupListView(m_list, m_setup.columns);
    createButtons();
    createSearch();
    createPopup();
    connectList();
    connect(m_timer, &QTimer::timeout, this, &ListPanel::tick);
    if (m_ownsTimer) {
        m_timer->setObjectName(QStringLiteral("Timer1"));
        m_timer->start(MoveRepeater::kTickMs);
    }
}

ListPanel::~ListPanel()
{
    // A shared timer may already be gone with its own panel, which stops it.
    if (m_ownsTimer)
        m_timer->stop();
}

std::function<int(const ListPanel::Image &)> ListPanel::usedRows(const codeplug::ListLayout &list)
{
    return [&list](const Image &image) {
        int count = 0;
        while (count < list.count && codeplug::isRecordUsed(image, list, count))
            ++count;
        return count;
    };
}

ListPanel::Setup ListPanel::fieldList(const listview::Column &numberColumn, const codeplug::FieldTable &table,
    const QList<int> &widths, int count, std::function<QString(int)> number)
{
    Setup setup;
    setup.columns = { numberColumn };
    for (int i = 0; i < int(table.size()); ++i)
        setup.columns.append({ table.at(i).title, widths.value(i, 0) });
    setup.capacity = count;
    setup.rowCount = [count](const Image &) { return count; };
    setup.cells = [&table, number = std::move(number)](const Image &image, int row) {
        return QStringList { number ? number(row) : QString::number(row + 1) } + codeplug::cellTexts(table, image, row);
    };
    return setup;
}

void ListPanel::createButtons()
{
    const auto make = [this](Button which) {
        auto *button = new QPushButton(look(which).text, &m_page);
        button->setObjectName(m_setup.namePrefix + QLatin1String(look(which).name));
        button->setToolTip(look(which).tip);
        button->setAutoDefault(false);
        m_buttons[which] = button;
        return button;
    };
    if (m_setup.parts & EditButtons) {
        connect(make(AddButton), &QPushButton::clicked, this, &ListPanel::add);
        connect(make(DeleteButton), &QPushButton::clicked, this, &ListPanel::deleteSelected);
    }
    if (m_setup.parts & FileButtons) {
        make(ImportButton);
        make(ExportButton);
    }
    if (!(m_setup.parts & (MoveButtons | StepButtons)))
        return;
    m_repeater = new MoveRepeater(m_timer, this);
    const std::pair<Button, int> moves[]
        = { { MoveUp10Button, 10 }, { MoveUpButton, 1 }, { MoveDownButton, -1 }, { MoveDown10Button, -10 } };
    for (const auto &[which, step] : moves) {
        if (std::abs(step) == 10 && !(m_setup.parts & MoveButtons))
            continue;
        // The list keeps the focus, and a held button stays down while its moves focus the list.
        make(which)->setFocusPolicy(Qt::NoFocus);
        m_repeater->addButton(m_buttons[which], [this, by = step](int size) { moveButton(by, size); });
    }
}

void ListPanel::createSearch()
{
    if (!(m_setup.parts & Search))
        return;
    m_searchLabel = new QLabel(QStringLiteral("Search "), &m_page);
    m_searchLabel->setObjectName(QStringLiteral("SearchLabel"));
    m_searchEdit = new QLineEdit(&m_page);
    m_searchEdit->setObjectName(QStringLiteral("SearchEdit"));
    m_searchLabel->setBuddy(m_searchEdit);
    m_searchEdit->installEventFilter(this);
    connect(m_searchEdit, &QLineEdit::textChanged, this, [this] { m_searchCountdown = m_setup.searchTicks; });
}

QHBoxLayout *ListPanel::searchRow() const
{
    auto *row = new QHBoxLayout;
    row->addWidget(m_searchLabel);
    row->addWidget(m_searchEdit, 1);
    return row;
}

QHBoxLayout *ListPanel::moveRow() const
{
    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    for (Button which : { MoveUp10Button, MoveUpButton, MoveDownButton, MoveDown10Button })
        row->addWidget(m_buttons[which], 1);
    return row;
}

void ListPanel::createPopup()
{
    if (!(m_setup.parts & Popup))
        return;
    m_menu = new QMenu(&m_page);
    m_menu->setObjectName(m_setup.menuName);
    m_menu->setToolTipsVisible(true);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &at) { m_menu->popup(m_list->viewport()->mapToGlobal(at)); });
    connect(m_menu, &QMenu::aboutToShow, this, &ListPanel::updateMenu);
}

void ListPanel::connectList()
{
    m_editor->watch(m_list);
    m_drag->watch(m_list);
    m_list->viewport()->installEventFilter(this);
    if (m_setup.parts & Keys)
        m_keys = new ListKeys(
            m_list, [this] { return idle(); }, [this] { deleteSelected(); }, [this](int step) { moveSelected(step); });
    // A drag or a search changes the selection many times in one go; one refresh follows them all.
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!m_page.isUpdating())
            post(false, 0);
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item, int column) {
        m_editor->endEdit(true);
        const int row = listview::rowOf(m_list, item);
        auto action = m_doubleClicks.find(column);
        if (action == m_doubleClicks.end())
            action = m_doubleClicks.find(-1);
        if (isOpen() && row >= 0 && action != m_doubleClicks.end())
            action->second(row);
    });
}

// --- state -----------------------------------------------------------------------------------------

ListPanel::Image *ListPanel::image() const
{
    return m_page.currentImage();
}

bool ListPanel::isOpen() const
{
    return image() != nullptr;
}

bool ListPanel::idle() const
{
    return isOpen() && !m_editor->isEditing();
}

int ListPanel::rowCountOf(const Image &image) const
{
    if (m_setup.rows)
        return int(m_setup.rows(image).size());
    return m_setup.rowCount ? m_setup.rowCount(image) : 0;
}

QStringList ListPanel::cellsOf(const Image &image, int row) const
{
    return m_setup.rows ? m_setup.rows(image).value(row) : m_setup.cells(image, row);
}

void ListPanel::refresh(bool rebuild, int top)
{
    CodePlugPage::UpdatingScope updating(m_page);
    const Image *current = image();
    setControlsEnabled(current != nullptr);
    if (!current) {
        m_editor->endEdit(false);
        m_list->clear();
    } else if (rebuild) {
        // A pane sharing the editors leaves an edit in another pane of the page open.
        if (m_editor->list() == m_list)
            m_editor->endEdit(true);
        fill(*current);
        m_list->clearSelection();
        if (m_setup.selectFirst && top <= 0 && m_list->topLevelItemCount() > 0) {
            m_list->scrollToTop();
            selectRows({ 0 });
            // The arrow keys go on from the selected row, not from where they were before.
            m_list->selectionModel()->setCurrentIndex(m_list->model()->index(0, 1), QItemSelectionModel::NoUpdate);
        }
    }
    showTitle();
    if (current && top > 0)
        listview::scrollToRow(m_list, top);
    updateButtons();
    if (m_setup.refreshed)
        m_setup.refreshed(current);
    Q_EMIT refreshed();
}

void ListPanel::reload()
{
    m_editor->endEdit(false);
    refresh(true, 0);
}

void ListPanel::post(bool rebuild, int top)
{
    if (m_pending) {
        // A plain selection refresh never cancels a pending rebuild or its first row.
        if (rebuild || !m_pending->rebuild)
            m_pending->top = top;
        m_pending->rebuild = m_pending->rebuild || rebuild;
        return;
    }
    m_pending = Pending { rebuild, top };
    // Queued with the panel as context: a request still pending when the page goes is dropped.
    QMetaObject::invokeMethod(
        this,
        [this] {
            const Pending pending = *m_pending;
            m_pending.reset();
            refresh(pending.rebuild, pending.top);
        },
        Qt::QueuedConnection);
}

void ListPanel::fill(const Image &image)
{
    // Items are reused, so that a refill keeps the scroll position; only the surplus goes.
    if (m_setup.rows) {
        fillRows(m_setup.rows(image));
        return;
    }
    const int count = rowCountOf(image);
    while (m_list->topLevelItemCount() > count)
        delete m_list->takeTopLevelItem(m_list->topLevelItemCount() - 1);
    for (int row = 0; row < count; ++row) {
        if (row < m_list->topLevelItemCount())
            rewriteRow(row);
        else
            listview::appendRow(m_list, m_setup.cells(image, row));
    }
}

void ListPanel::fillRows(const QList<QStringList> &rows)
{
    while (m_list->topLevelItemCount() > rows.size())
        delete m_list->takeTopLevelItem(m_list->topLevelItemCount() - 1);
    for (int row = 0; row < int(rows.size()); ++row) {
        QTreeWidgetItem *item = m_list->topLevelItem(row);
        if (!item) {
            listview::appendRow(m_list, rows.at(row));
            continue;
        }
        for (int i = 0; i < int(rows.at(row).size()); ++i)
            item->setText(i + 1, rows.at(row).at(i));
    }
}

void ListPanel::rewriteRow(int row)
{
    QTreeWidgetItem *item = m_list->topLevelItem(row);
    const Image *current = image();
    if (!item || !current)
        return;
    const QStringList cells = cellsOf(*current, row);
    for (int i = 0; i < int(cells.size()); ++i)
        item->setText(i + 1, cells.at(i));
}

void ListPanel::rewriteRows()
{
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        rewriteRow(row);
}

void ListPanel::showTitle(const QString &prefix)
{
    if (!m_setup.fixedTitle.isEmpty())
        return;
    if (!isOpen()) {
        if (!m_setup.emptyTitle.isEmpty())
            m_title->setText(m_setup.emptyTitle);
        return;
    }
    const qsizetype selected = m_list->selectedItems().size();
    if (m_setup.title) {
        const QString text = m_setup.title(m_list->topLevelItemCount(), int(selected));
        if (!text.isNull())
            m_title->setText(text);
        return;
    }
    QString title = QStringLiteral("%1 .. used %2 of %3. ")
                        .arg(prefix.isEmpty() ? m_setup.titlePrefix : prefix)
                        .arg(m_list->topLevelItemCount())
                        .arg(m_setup.capacity);
    if (selected > 0)
        title += QStringLiteral("%1 selected. ").arg(selected);
    m_title->setText(title);
}

void ListPanel::setControlsEnabled(bool open)
{
    m_list->setEnabled(open);
    for (QWidget *control : std::initializer_list<QWidget *> { m_searchLabel, m_searchEdit })
        if (control)
            control->setEnabled(open);
    for (QPushButton *button : m_buttons)
        if (button)
            button->setEnabled(open);
}

void ListPanel::updateButtons()
{
    if (!isOpen())
        return;
    const int count = m_list->topLevelItemCount();
    const QList<int> rows = selectedRows();
    const bool any = !rows.isEmpty();
    const bool canUp = any && rows.first() > 0;
    const bool canDown = any && rows.last() < count - 1;
    const bool enabled[ButtonCount] = { count<m_setup.capacity, any, canUp, canUp, canDown, canDown, true, count> 0 };
    for (int i = 0; i < ButtonCount; ++i)
        if (m_buttons[i])
            m_buttons[i]->setEnabled(enabled[i]);
}

// --- selection -------------------------------------------------------------------------------------

QList<int> ListPanel::selectedRows() const
{
    return listview::selectedRows(m_list);
}

int ListPanel::topRow() const
{
    const QModelIndex top = m_list->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void ListPanel::selectRows(const QList<int> &rows)
{
    QItemSelection selection;
    const int lastColumn = m_list->columnCount() - 1;
    for (int row : rows) {
        if (row >= 0 && row < m_list->topLevelItemCount())
            selection.select(m_list->model()->index(row, 0), m_list->model()->index(row, lastColumn));
    }
    m_list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListPanel::markCurrent(int row)
{
    if (row < 0 || row >= m_list->topLevelItemCount())
        return;
    m_list->selectionModel()->setCurrentIndex(m_list->model()->index(row, 1), QItemSelectionModel::NoUpdate);
    if (m_list->isVisible() && m_list->isEnabled())
        m_list->setFocus(Qt::OtherFocusReason);
}

void ListPanel::selectOnly(int row)
{
    selectRows({ row });
    markCurrent(row);
    if (QTreeWidgetItem *item = m_list->topLevelItem(row))
        m_list->scrollToItem(item);
}

void ListPanel::selectAll(bool select)
{
    if (!isOpen())
        return;
    {
        CodePlugPage::UpdatingScope updating(m_page);
        if (select)
            m_list->selectAll();
        else
            m_list->clearSelection();
    }
    refresh(false, 0);
}

// --- commands --------------------------------------------------------------------------------------

// The name of a command's undo step: "Delete channels".
QString ListPanel::commandName(const QString &verb) const
{
    return verb + QLatin1Char(' ') + m_setup.titlePrefix.toLower();
}

int ListPanel::add()
{
    const auto step = m_page.undoStep(commandName(QStringLiteral("Add")));
    Image *current = image();
    if (!current || !m_setup.add)
        return -1;
    m_editor->endEdit(true);
    const int row = m_setup.add(*current);
    if (row < 0) {
        if (m_buttons[AddButton])
            m_buttons[AddButton]->setEnabled(false);
        return -1;
    }
    {
        CodePlugPage::UpdatingScope updating(m_page);
        QTreeWidgetItem *item = listview::appendRow(m_list, cellsOf(*current, row));
        selectRows({ row });
        m_list->scrollToItem(item);
        markCurrent(row);
    }
    refresh(false, 0);
    if (!m_setup.addTitlePrefix.isEmpty())
        showTitle(m_setup.addTitlePrefix);
    return row;
}

void ListPanel::insert()
{
    const auto step = m_page.undoStep(commandName(QStringLiteral("Insert")));
    Image *current = image();
    const QList<int> rows = selectedRows();
    if (!current || !m_setup.insert)
        return;
    if (rows.isEmpty()) {
        add();
        return;
    }
    m_editor->endEdit(true);
    const int top = topRow();
    const int row = m_setup.insert(*current, rows.first());
    if (row < 0) {
        if (m_buttons[AddButton])
            m_buttons[AddButton]->setEnabled(false);
        return;
    }
    refresh(true, top);
    {
        CodePlugPage::UpdatingScope updating(m_page);
        selectOnly(row);
    }
    refresh(false, 0);
}

void ListPanel::deleteSelected()
{
    const auto step = m_page.undoStep(commandName(QStringLiteral("Delete")));
    Image *current = image();
    const QList<int> rows = selectedRows();
    if (!current || rows.isEmpty() || !m_setup.remove)
        return;
    m_editor->endEdit(true);
    const int top = topRow();
    const std::optional<int> select = m_setup.remove(*current, rows);
    if (!select)
        return;
    refresh(true, top);
    {
        CodePlugPage::UpdatingScope updating(m_page);
        selectOnly(std::min(*select, m_list->topLevelItemCount() - 1));
    }
    refresh(false, 0);
}

void ListPanel::moveButton(int baseStep, int size)
{
    // A click moves by the button's step, ten times that with Shift; a repetition reports Shift
    // through its size.
    const bool shift = size > 1 || (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    moveSelected(shift ? baseStep * 10 : baseStep);
}

void ListPanel::moveSelected(int step)
{
    // Repeated clicks of a move button within a second are one step.
    const QString name = commandName(QStringLiteral("Move"));
    const auto undo = m_page.undoStep(name, name);
    Image *current = image();
    const QList<int> rows = selectedRows();
    if (!current || rows.isEmpty() || step == 0 || !m_setup.move)
        return;
    m_editor->endEdit(true);
    const QList<int> moved = m_setup.move(*current, rows, step);
    {
        CodePlugPage::UpdatingScope updating(m_page);
        fill(*current);
        selectRows(moved);
        if (!moved.isEmpty()) {
            // The current row goes with the selection, so that the arrow keys go on from there.
            const int anchor = step > 0 ? moved.first() : moved.last();
            listview::scrollToRow(m_list, std::max(0, anchor - listview::fullyVisibleRows(m_list) / 2));
            markCurrent(anchor);
        }
    }
    refresh(false, 0);
}

QList<int> ListPanel::matchingRows(const QString &text) const
{
    const QString key = text.trimmed().toLower();
    QList<int> rows;
    if (key.isEmpty())
        return rows;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = m_list->topLevelItem(row);
        for (int column = 1; column < m_list->columnCount(); ++column) {
            if (item->text(column).trimmed().toLower().contains(key)) {
                rows.append(row);
                break;
            }
        }
    }
    return rows;
}

void ListPanel::searchNow()
{
    const Image *current = image();
    if (!current || !m_searchEdit)
        return;
    const QString text = m_searchEdit->text();
    const QList<int> rows = m_setup.search ? m_setup.search(*current, text) : matchingRows(text);
    {
        CodePlugPage::UpdatingScope updating(m_page);
        selectRows(rows);
    }
    if (!rows.isEmpty())
        listview::scrollToRow(m_list, std::max(0, rows.first() - kSearchLeadRows));
    refresh(false, 0);
}

void ListPanel::tick()
{
    if (m_searchCountdown > 0 && --m_searchCountdown == 0) {
        m_searchCountdown = -1;
        searchNow();
    }
}

void ListPanel::emptyDoubleClick(const QPoint &at)
{
    if (!m_emptyDoubleClick || m_list->itemAt(at))
        return;
    m_editor->endEdit(true);
    if (isOpen())
        m_emptyDoubleClick();
}

bool ListPanel::searchKey(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        return true;
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    m_searchCountdown = -1;
    searchNow();
    // A typed text that found nothing stays in the box to be corrected.
    if (m_searchEdit->text().trimmed().isEmpty() || !m_list->selectedItems().isEmpty())
        m_list->setFocus(Qt::OtherFocusReason);
    return true;
}

bool ListPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_searchEdit && event->type() == QEvent::KeyPress)
        return searchKey(static_cast<QKeyEvent *>(event));
    // The type first: events still reach the viewport while the list is being destroyed.
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_list->viewport())
        emptyDoubleClick(static_cast<QMouseEvent *>(event)->position().toPoint());
    return QObject::eventFilter(watched, event);
}

bool ListPanel::changeSelected(const std::function<void(Image &, int)> &change)
{
    Image *current = image();
    const QList<int> rows = selectedRows();
    if (!current || rows.isEmpty())
        return false;
    m_editor->endEdit(true);
    for (int row : rows) {
        change(*current, row);
        rewriteRow(row);
    }
    return true;
}

void ListPanel::copySelected(const std::function<QByteArray(const Image &, const QList<int> &)> &copy)
{
    const Image *current = image();
    const QList<int> rows = selectedRows();
    if (current && !rows.isEmpty())
        recordclipboard::put(m_setup.clipboardFormat, copy(*current, rows));
}

QByteArray ListPanel::clipboardBlock() const
{
    return m_setup.clipboardFormat.isEmpty() ? QByteArray() : recordclipboard::block(m_setup.clipboardFormat);
}

bool ListPanel::pasteOver(const std::function<int(Image &, const QList<int> &, const QByteArray &)> &paste)
{
    Image *current = image();
    const QList<int> rows = selectedRows();
    const QByteArray block = clipboardBlock();
    if (!current || rows.isEmpty() || block.isEmpty())
        return false;
    m_editor->endEdit(true);
    return paste(*current, rows, block) > 0;
}

int ListPanel::pasteNew(const std::function<int(Image &, const QByteArray &)> &paste)
{
    Image *current = image();
    const QByteArray block = clipboardBlock();
    if (!current || block.isEmpty())
        return -1;
    m_editor->endEdit(true);
    return paste(*current, block);
}

// --- cells and menu --------------------------------------------------------------------------------

void ListPanel::onDoubleClick(int column, std::function<void(int)> action)
{
    m_doubleClicks[column] = std::move(action);
}

void ListPanel::onEmptyDoubleClick(std::function<void()> action)
{
    m_emptyDoubleClick = std::move(action);
}

void ListPanel::onHeaderClick(std::function<void(int)> action)
{
    m_list->header()->setSectionsClickable(true);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, std::move(action));
}

bool ListPanel::editCell(int row, int column, int maxLength, InPlaceEditor::KeyFilter filter,
    std::function<bool(Image &, int, const QString &)> store)
{
    return m_editor->beginTextEdit(m_list, row, column, maxLength, std::move(filter),
        [this, store = std::move(store)](
            int editedRow, int editedColumn, const QString &text) -> std::optional<QString> {
            Image *current = image();
            if (!current || !store(*current, editedRow, text))
                return std::nullopt;
            rewriteRow(editedRow);
            return m_list->topLevelItem(editedRow)->text(editedColumn);
        });
}

bool ListPanel::editName(int row, int column, std::function<bool(Image &, int, const QString &)> store)
{
    return editCell(row, column, kNameLength, InPlaceEditor::printableAscii(), std::move(store));
}

bool ListPanel::editChoice(int row, int column, const codeplug::ValueLabels &choices, int current,
    std::function<void(Image &, int, int)> store)
{
    QList<InPlaceEditor::Choice> entries;
    for (const codeplug::ValueLabel &choice : choices)
        entries.append({ choice.label, choice.value });
    return m_editor->beginChoiceEdit(m_list, row, column, entries, current,
        [this, choices, store = std::move(store)](int editedRow, int, qint64 value) -> std::optional<QString> {
            Image *current = image();
            if (!current)
                return std::nullopt;
            store(*current, editedRow, int(value));
            return codeplug::labelOf(choices, int(value));
        });
}

bool ListPanel::editField(int row, int column, const codeplug::FieldColumn &field)
{
    Image *current = image();
    if (!current || !m_list->topLevelItem(row))
        return false;
    switch (field.edit) {
    case codeplug::FieldColumn::Edit::None:
        return false;
    case codeplug::FieldColumn::Edit::Toggle:
        m_editor->endEdit(true);
        field.value.write(*current, row, field.value.read(*current, row) ? 0 : 1);
        rewriteRow(row);
        return true;
    case codeplug::FieldColumn::Edit::Text:
        return editCell(
            row, column, field.maxLength, field.accepts, [&field](Image &image, int edited, const QString &text) {
                field.store(image, edited, text);
                return true;
            });
    case codeplug::FieldColumn::Edit::Choice:
        break;
    }
    QList<InPlaceEditor::Choice> choices;
    for (const codeplug::ValueLabel &choice : field.choices(*current, row))
        choices.append({ choice.label, choice.value });
    if (choices.isEmpty())
        return false;
    return m_editor->beginChoiceEdit(m_list, row, column, choices, field.value.read(*current, row),
        [this, &field](int edited, int editedColumn, qint64 value) -> std::optional<QString> {
            Image *target = image();
            if (!target)
                return std::nullopt;
            field.value.write(*target, edited, int(value));
            rewriteRow(edited);
            return m_list->topLevelItem(edited)->text(editedColumn);
        });
}

void ListPanel::editFields(int firstColumn, const codeplug::FieldTable &table)
{
    for (int i = 0; i < int(table.size()); ++i) {
        onDoubleClick(firstColumn + i,
            [this, column = firstColumn + i, &field = table.at(i)](int row) { editField(row, column, field); });
    }
}

QAction *ListPanel::addMenuEntry(
    const char *name, const QString &text, When when, std::function<void()> command, const QString &tip)
{
    QAction *action = m_menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(tip);
    if (command)
        connect(action, &QAction::triggered, this, std::move(command));
    m_entries.append({ action, when });
    return action;
}

void ListPanel::addMenuSeparator()
{
    m_menu->addSeparator();
}

void ListPanel::addEditEntries(
    const char *suffix, std::function<void()> copy, std::function<void()> pasteOver, std::function<void()> pasteNew)
{
    struct Entry
    {
        const char *name;
        QString text;
        When when;
        std::function<void()> command;
        QString tip;
    };
    const QList<Entry> entries {
        { "Copy", QStringLiteral("Copy"), When::Selection, std::move(copy), QStringLiteral("Copy selected entries") },
        { "PasteInsert", QStringLiteral("Paste Insert"), When::Never, {}, {} },
        { "PasteOver", QStringLiteral("Paste Over"), When::Clipboard, std::move(pasteOver),
            QStringLiteral("Paste over selected entries") },
        { "PasteNew", QStringLiteral("Paste New"), When::ClipboardAndRoom, std::move(pasteNew),
            QStringLiteral("Paste new entries") },
        { nullptr, {}, When::Never, {}, {} },
        { "Add", QStringLiteral("Add"), When::Room, [this] { add(); }, look(AddButton).tip },
        { "Insert", QStringLiteral("Insert"), When::Room, [this] { insert(); }, QStringLiteral("Insert a new entry") },
        { "Delete", QStringLiteral("Delete"), When::Selection, [this] { deleteSelected(); }, look(DeleteButton).tip },
        { nullptr, {}, When::Never, {}, {} },
        { "UnselectAll", QStringLiteral("Unselect All"), When::Selection, [this] { selectAll(false); }, {} },
        { "SelectAll", QStringLiteral("Select All"), When::NotAllSelected, [this] { selectAll(true); }, {} },
        { nullptr, {}, When::Never, {}, {} },
    };
    for (const Entry &entry : entries) {
        if (!entry.name)
            addMenuSeparator();
        else
            addMenuEntry(
                QByteArray(entry.name).append(suffix).constData(), entry.text, entry.when, entry.command, entry.tip);
    }
}

bool ListPanel::entryEnabled(When when) const
{
    const int count = m_list->topLevelItemCount();
    const int selected = int(m_list->selectedItems().size());
    const bool room = count < m_setup.capacity;
    const bool pasteable = !clipboardBlock().isEmpty();
    switch (when) {
    case When::Always:
        return true;
    case When::Open:
        return true;
    case When::Selection:
        return selected > 0;
    case When::NotAllSelected:
        return selected < count;
    case When::Room:
        return room;
    case When::Clipboard:
        return pasteable;
    case When::ClipboardAndRoom:
        return pasteable && room;
    case When::Never:
        return false;
    }
    return false;
}

void ListPanel::updateMenu()
{
    const bool open = isOpen();
    for (const MenuEntry &entry : std::as_const(m_entries))
        entry.action->setEnabled(entry.when == When::Always || (open && entryEnabled(entry.when)));
}
