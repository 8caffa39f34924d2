#include "DigitalContactsForm.h"

#include "ContactFiles.h"
#include "ContactList.h"
#include "ContactRecord.h"
#include "ContactRows.h"
#include "FileDialogs.h"
#include "InPlaceEditor.h"
#include "ListViewTools.h"
#include "MoveRepeater.h"
#include "Prompts.h"
#include "RecordClipboard.h"

#include <algorithm>

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;

namespace {

// Tree columns: 0 is the hidden one, then the cells of contactCellTexts.
constexpr int kNameColumn = ColumnName + 1;
constexpr int kIdColumn = ColumnId + 1;
constexpr int kTypeColumn = ColumnType + 1;
constexpr int kRxToneColumn = ColumnRxTone + 1;
constexpr int kProtectColumn = ColumnProtect + 1;
constexpr int kIdEditLength = 8;

const QString kRefusalCaption = QStringLiteral("Opps");
const QString kTxtFilter = QStringLiteral("*.txt (*.txt)");
const QString kCsvFilter = QStringLiteral("*.csv (*.csv)");
const QString kAllFilter = QStringLiteral("*.* (*)");

QString contactFileFilters()
{
    return kTxtFilter + QStringLiteral(";;") + kCsvFilter + QStringLiteral(";;") + kAllFilter;
}

// A name typed without the extension of the chosen filter gets it; with "*.*" it stays as typed.
InPlaceEditor::KeyFilter digitsOnly()
{
    return [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
}

QString titleText(const QString &prefix, int count, int selected)
{
    QString title = QStringLiteral("%1 .. used %2 of %3. ").arg(prefix).arg(count).arg(kMaxContacts);
    if (selected > 0)
        title += QStringLiteral("%1 selected. ").arg(selected);
    return title;
}

// Every column in full, the vertical scroll bar and the frame.
int listWidth(const QTreeWidget *list)
{
    int width = 2 * list->frameWidth() + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int column = 0; column < list->columnCount(); ++column)
        width += list->columnWidth(column);
    return width;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &text, const QString &hint = {})
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

} // namespace

DigitalContactsForm::DigitalContactsForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_splitter(new QSplitter(Qt::Horizontal, this))
    , m_titleLabel(new QLabel(QStringLiteral("Contacts .. up to 1000 "), this))
    , m_showNoButton(makeButton(this, QStringLiteral("ShowNoSpeedButton"), QStringLiteral("Show \"No\"")))
    , m_listView(new QTreeWidget(this))
    , m_addButton(
          makeButton(this, QStringLiteral("AddBitBtn"), QStringLiteral("Add"), QStringLiteral("Add a new entry")))
    , m_deleteButton(makeButton(
          this, QStringLiteral("DeleteBitBtn"), QStringLiteral("Delete"), QStringLiteral("Delete selected entry")))
    , m_moveUpButton(makeButton(
          this, QStringLiteral("MoveUpBitBtn"), QStringLiteral("Up"), QStringLiteral("Move entry up by 1 place")))
    , m_moveUp10Button(makeButton(this, QStringLiteral("MoveUp10BitBtn"), QStringLiteral("Up 10"),
          QStringLiteral("Move entry up by 10 places")))
    , m_moveDownButton(makeButton(
          this, QStringLiteral("MoveDownBitBtn"), QStringLiteral("Down"), QStringLiteral("Move entry down by 1 place")))
    , m_moveDown10Button(makeButton(this, QStringLiteral("MoveDown10BitBtn"), QStringLiteral("Down 10"),
          QStringLiteral("Move entry down by 10 places")))
    , m_importButton(makeButton(this, QStringLiteral("ImportButton"), QStringLiteral("Import")))
    , m_exportButton(makeButton(this, QStringLiteral("ExportButton"), QStringLiteral("Export")))
    , m_searchLabel(new QLabel(QStringLiteral("Search "), this))
    , m_searchEdit(new QLineEdit(this))
    , m_databasePanel(new QFrame(this))
    , m_popupMenu(new QMenu(this))
    , m_timer1(new QTimer(this))
    , m_editor(new InPlaceEditor(this, [this] { return codePlugOpen(); }))
    , m_drag(new DragSelector([this] { return codePlugOpen() && !m_editor->isEditing(); }, this))
    , m_repeater(new MoveRepeater(m_timer1, this))
    , m_keys(new ListKeys(
          m_listView, [this] { return codePlugOpen() && !m_editor->isEditing(); }, [this] { deleteSelectedContacts(); },
          [this](int step) { moveSelectedContacts(step); }))
{
    UpdatingScope updating(*this);
    setObjectName(QStringLiteral("DigitalContactsForm"));
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_titleLabel->setObjectName(QStringLiteral("TitleLabel"));
    m_listView->setObjectName(QStringLiteral("ListView"));
    m_searchLabel->setObjectName(QStringLiteral("SearchLabel"));
    m_searchEdit->setObjectName(QStringLiteral("SearchEdit"));
    m_databasePanel->setObjectName(QStringLiteral("DatabasePanel"));
    m_popupMenu->setObjectName(QStringLiteral("ContactsPopupMenu"));
    m_timer1->setObjectName(QStringLiteral("Timer1"));

    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    listview::setupListView(m_listView,
        { { QStringLiteral("No."), 44, Qt::AlignCenter }, { QStringLiteral("Name"), 150, left },
            { QStringLiteral("ID"), 76, left }, { QStringLiteral("Type"), 92, left },
            { QStringLiteral("Rx Tone"), 60, Qt::AlignCenter }, { QStringLiteral("Protect"), 60, Qt::AlignCenter } });
    // The name takes any spare width; a click on a column title sorts by that column.
    QHeaderView *header = m_listView->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    header->setSectionsClickable(true);
    m_listView->setMinimumWidth(listWidth(m_listView));
    m_listView->setContextMenuPolicy(Qt::CustomContextMenu);
    m_showNoButton->setCheckable(true);
    m_searchEdit->clear();
    m_searchEdit->setClearButtonEnabled(true);
    m_searchLabel->setBuddy(m_searchEdit);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_splitter);
    m_splitter->addWidget(createContactsPanel());
    m_splitter->addWidget(m_databasePanel);
    // The contact list keeps its width; a wider window widens the database half.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    // The user-database half fills this panel's layout.
    m_databasePanel->setFrameShape(QFrame::StyledPanel);
    new QVBoxLayout(m_databasePanel);
    m_splitter->setChildrenCollapsible(false);

    createPopupMenu();
    connectControls();
    m_timer1->start(MoveRepeater::kTickMs);
}

DigitalContactsForm::~DigitalContactsForm()
{
    m_timer1->stop();
    m_searchCountdown = -1;
}

QWidget *DigitalContactsForm::createContactsPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ContactsPanel"));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *top = new QHBoxLayout;
    top->addWidget(m_titleLabel, 1);
    top->addWidget(m_showNoButton);
    layout->addLayout(top);
    layout->addWidget(m_listView, 1);
    layout->addWidget(createButtonRows());
    return panel;
}

QWidget *DigitalContactsForm::createButtonRows()
{
    auto *rows = new QWidget(this);
    rows->setObjectName(QStringLiteral("ButtonPanel"));
    auto *lines = new QVBoxLayout(rows);
    lines->setContentsMargins(0, 0, 0, 0);

    const QIcon up = style()->standardIcon(QStyle::SP_ArrowUp);
    const QIcon down = style()->standardIcon(QStyle::SP_ArrowDown);
    m_moveUpButton->setIcon(up);
    m_moveUp10Button->setIcon(up);
    m_moveDownButton->setIcon(down);
    m_moveDown10Button->setIcon(down);

    auto *edit = new QHBoxLayout;
    edit->addWidget(m_addButton);
    edit->addWidget(m_deleteButton);
    edit->addSpacing(12);
    edit->addWidget(m_moveUpButton);
    edit->addWidget(m_moveUp10Button);
    edit->addWidget(m_moveDownButton);
    edit->addWidget(m_moveDown10Button);
    edit->addStretch(1);
    lines->addLayout(edit);

    auto *files = new QHBoxLayout;
    files->addWidget(m_importButton);
    files->addWidget(m_exportButton);
    files->addSpacing(12);
    files->addWidget(m_searchLabel);
    files->addWidget(m_searchEdit, 1);
    lines->addLayout(files);
    return rows;
}

QAction *DigitalContactsForm::addMenuEntry(const QString &name, const QString &text, std::function<void()> command)
{
    QAction *action = m_popupMenu->addAction(text);
    action->setObjectName(name);
    if (command)
        connect(action, &QAction::triggered, this, std::move(command));
    return action;
}

void DigitalContactsForm::createPopupMenu()
{
    m_popupMenu->setToolTipsVisible(true);
    m_copyAction = addMenuEntry(QStringLiteral("Copy1"), QStringLiteral("Copy"), [this] { copyContacts(); });
    m_copyAction->setToolTip(QStringLiteral("Copy selected entries"));
    // Inserting pasted contacts is not offered; the entry stays for a familiar menu.
    m_pasteInsertAction = addMenuEntry(QStringLiteral("PasteInsert1"), QStringLiteral("Paste Insert"), {});
    m_pasteOverAction
        = addMenuEntry(QStringLiteral("PasteOver1"), QStringLiteral("Paste Over"), [this] { pasteOverContacts(); });
    m_pasteOverAction->setToolTip(QStringLiteral("Paste over selected entries"));
    m_pasteNewAction
        = addMenuEntry(QStringLiteral("PasteNew1"), QStringLiteral("Paste New"), [this] { pasteNewContacts(); });
    m_pasteNewAction->setToolTip(QStringLiteral("Paste new entries"));
    m_popupMenu->addSeparator();
    m_addAction = addMenuEntry(QStringLiteral("Add1"), QStringLiteral("Add"), [this] { addContact(); });
    m_addAction->setToolTip(QStringLiteral("Add a new entry"));
    m_insertAction = addMenuEntry(QStringLiteral("Insert1"), QStringLiteral("Insert"), [this] { insertContact(); });
    m_insertAction->setToolTip(QStringLiteral("Insert a new entry"));
    QAction *remove
        = addMenuEntry(QStringLiteral("Delete1"), QStringLiteral("Delete"), [this] { deleteSelectedContacts(); });
    remove->setToolTip(QStringLiteral("Delete selected entry"));
    m_selectionActions.append(remove);
    m_popupMenu->addSeparator();
    m_unselectAllAction
        = addMenuEntry(QStringLiteral("UnselectAll1"), QStringLiteral("Unselect All"), [this] { unselectAll(); });
    m_selectAllAction
        = addMenuEntry(QStringLiteral("SelectAll1"), QStringLiteral("Select All"), [this] { selectAll(); });
    m_popupMenu->addSeparator();
    m_selectionActions << addMenuEntry(QStringLiteral("SetToGroupCall1"), QStringLiteral("Set to Group Call"),
        [this] { setSelectedCallType(GroupCall); });
    m_selectionActions << addMenuEntry(QStringLiteral("SetToPrivateCall1"), QStringLiteral("Set to Private Call"),
        [this] { setSelectedCallType(PrivateCall); });
    m_selectionActions << addMenuEntry(
        QStringLiteral("SetToAllCall1"), QStringLiteral("Set to All Call"), [this] { setSelectedCallType(AllCall); });
    m_popupMenu->addSeparator();
    m_selectionActions << addMenuEntry(
        QStringLiteral("SetToNoRxTone1"), QStringLiteral("Set to No Rx Tone"), [this] { setSelectedRxTone(false); });
    m_selectionActions << addMenuEntry(
        QStringLiteral("SetToRxTone1"), QStringLiteral("Set to Rx Tone"), [this] { setSelectedRxTone(true); });
    m_popupMenu->addSeparator();
    m_selectionActions << addMenuEntry(QStringLiteral("SetToUnprotected1"), QStringLiteral("Set to unprotected"),
        [this] { setSelectedProtection(false); });
    m_selectionActions << addMenuEntry(
        QStringLiteral("SetToProtected1"), QStringLiteral("Set to protected"), [this] { setSelectedProtection(true); });
    m_popupMenu->addSeparator();
    m_selectionActions << addMenuEntry(
        QStringLiteral("MoveUp1"), QStringLiteral("Move Up"), [this] { moveSelectedContacts(+1); });
    m_selectionActions << addMenuEntry(
        QStringLiteral("MoveDown1"), QStringLiteral("Move Down"), [this] { moveSelectedContacts(-1); });
    m_popupMenu->addSeparator();
    addMenuEntry(QStringLiteral("Cancel1"), QStringLiteral("Cancel"), {});
}

void DigitalContactsForm::connectControls()
{
    m_editor->watch(m_listView);
    m_drag->watch(m_listView);
    connect(m_listView, &QTreeWidget::itemDoubleClicked, this, &DigitalContactsForm::listViewDblClick);
    connect(m_listView, &QTreeWidget::itemSelectionChanged, this, &DigitalContactsForm::listViewSelectItem);
    connect(m_listView->header(), &QHeaderView::sectionClicked, this, &DigitalContactsForm::sortContactsByColumn);
    connect(m_listView, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &at) { m_popupMenu->popup(m_listView->viewport()->mapToGlobal(at)); });
    connect(m_popupMenu, &QMenu::aboutToShow, this, &DigitalContactsForm::contactsPopupMenuPopup);
    connect(m_showNoButton, &QPushButton::toggled, this, [this](bool on) {
        if (!isUpdating())
            setShowNo(on);
    });
    connect(m_addButton, &QPushButton::clicked, this, &DigitalContactsForm::addContact);
    connect(m_deleteButton, &QPushButton::clicked, this, &DigitalContactsForm::deleteSelectedContacts);
    connect(m_importButton, &QPushButton::clicked, this, &DigitalContactsForm::importContacts);
    connect(m_exportButton, &QPushButton::clicked, this, &DigitalContactsForm::exportContacts);
    m_repeater->addButton(m_moveUpButton, [this](int size) { moveButtonClick(+1, size); });
    m_repeater->addButton(m_moveUp10Button, [this](int size) { moveButtonClick(+10, size); });
    m_repeater->addButton(m_moveDownButton, [this](int size) { moveButtonClick(-1, size); });
    m_repeater->addButton(m_moveDown10Button, [this](int size) { moveButtonClick(-10, size); });
    connect(m_searchEdit, &QLineEdit::textChanged, this, &DigitalContactsForm::searchEditChange);
    m_searchEdit->installEventFilter(this);
    connect(m_timer1, &QTimer::timeout, this, &DigitalContactsForm::timer1Timer);
}

// --- refresh ---------------------------------------------------------------------------------

void DigitalContactsForm::pageRefresh()
{
    // The slot may have changed under an open editor: its value belongs to the old contents.
    m_editor->endEdit(false);
    refreshContactList(true, 0);
}

void DigitalContactsForm::pageShown()
{
    refreshContactList(false, 0);
}

void DigitalContactsForm::deferredRefresh(bool rebuild, int topRow)
{
    refreshContactList(rebuild, topRow);
}

void DigitalContactsForm::refreshContactList(bool refill, int top)
{
    UpdatingScope updating(*this);
    const FileImage *image = currentImage();
    // Only the contact half rests while the slot is empty: the database half works without a code plug.
    setControlsEnabled(image != nullptr);
    if (!image) {
        m_editor->endEdit(false);
        m_listView->clear();
        m_titleLabel->setText(QStringLiteral("Contacts .. up to %1. ").arg(kMaxContacts));
        return;
    }
    if (refill) {
        m_editor->endEdit(true);
        fillList();
        m_listView->clearSelection();
        if (top <= 0 && m_listView->topLevelItemCount() > 0) {
            m_listView->scrollToTop();
            m_listView->topLevelItem(0)->setSelected(true);
            // The arrow keys go on from the selected contact, not from where they were before.
            m_listView->selectionModel()->setCurrentIndex(
                m_listView->model()->index(0, kNameColumn), QItemSelectionModel::NoUpdate);
        }
    }
    updateTitle();
    if (top > 0)
        listview::scrollToRow(m_listView, top);
    updateButtons();
}

void DigitalContactsForm::fillList()
{
    // Items are reused, so that a refill keeps the scroll position; only the surplus goes.
    const FileImage &image = *currentImage();
    const int count = contactCount(image);
    while (m_listView->topLevelItemCount() > count)
        delete m_listView->takeTopLevelItem(m_listView->topLevelItemCount() - 1);
    for (int row = 0; row < count; ++row) {
        if (row < m_listView->topLevelItemCount())
            rewriteCells(row);
        else
            listview::appendRow(m_listView, contactCellTexts(image, row, m_protectedIds, m_showNo));
    }
}

void DigitalContactsForm::rewriteCells(int row)
{
    QTreeWidgetItem *item = m_listView->topLevelItem(row);
    const FileImage *image = currentImage();
    if (!item || !image)
        return;
    const QStringList cells = contactCellTexts(*image, row, m_protectedIds, m_showNo);
    for (int i = 0; i < int(cells.size()); ++i)
        item->setText(i + 1, cells.at(i));
}

void DigitalContactsForm::rewriteProtectCells()
{
    // Protection follows the ID: every contact with a changed ID shows it, not only the clicked one.
    const FileImage *image = currentImage();
    if (!image)
        return;
    for (int row = 0; row < m_listView->topLevelItemCount(); ++row)
        m_listView->topLevelItem(row)->setText(
            kProtectColumn, yesNoText(m_protectedIds.contains(contactId(*image, row)), m_showNo));
}

void DigitalContactsForm::updateTitle()
{
    m_titleLabel->setText(titleText(QStringLiteral("Contacts"), m_listView->topLevelItemCount(),
        int(m_listView->selectionModel()->selectedRows().size())));
}

void DigitalContactsForm::setControlsEnabled(bool open)
{
    for (QWidget *control : std::initializer_list<QWidget *> { m_listView, m_addButton, m_deleteButton, m_moveUpButton,
             m_moveUp10Button, m_moveDownButton, m_moveDown10Button, m_importButton, m_exportButton, m_searchEdit,
             m_searchLabel, m_showNoButton })
        control->setEnabled(open);
}

void DigitalContactsForm::updateButtons()
{
    const int count = m_listView->topLevelItemCount();
    const bool selected = !m_listView->selectedItems().isEmpty();
    const bool firstSelected = count > 0 && m_listView->topLevelItem(0)->isSelected();
    const bool lastSelected = count > 0 && m_listView->topLevelItem(count - 1)->isSelected();
    m_addButton->setEnabled(count < kMaxContacts);
    m_deleteButton->setEnabled(selected);
    m_moveUpButton->setEnabled(selected && !firstSelected);
    m_moveUp10Button->setEnabled(selected && !firstSelected);
    m_moveDownButton->setEnabled(selected && !lastSelected);
    m_moveDown10Button->setEnabled(selected && !lastSelected);
    m_importButton->setEnabled(true);
    m_exportButton->setEnabled(count > 0);
}

void DigitalContactsForm::selectRows(const QList<int> &rows)
{
    QItemSelection selection;
    const int lastColumn = m_listView->columnCount() - 1;
    for (int row : rows) {
        if (row >= 0 && row < m_listView->topLevelItemCount())
            selection.select(m_listView->model()->index(row, 0), m_listView->model()->index(row, lastColumn));
    }
    m_listView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DigitalContactsForm::markCurrent(int row)
{
    if (row < 0 || row >= m_listView->topLevelItemCount())
        return;
    m_listView->selectionModel()->setCurrentIndex(
        m_listView->model()->index(row, kNameColumn), QItemSelectionModel::NoUpdate);
    if (m_listView->isVisible() && m_listView->isEnabled())
        m_listView->setFocus(Qt::OtherFocusReason);
}

int DigitalContactsForm::firstVisibleRow() const
{
    const QModelIndex index = m_listView->indexAt(QPoint(1, 1));
    return index.isValid() ? index.row() : 0;
}

void DigitalContactsForm::setShowNo(bool showNo)
{
    if (showNo == m_showNo)
        return;
    m_showNo = showNo;
    {
        UpdatingScope updating(*this);
        m_showNoButton->setChecked(showNo);
    }
    // The button's own click is still being handled: redraw afterwards, from the same first row.
    postRefresh(true, firstVisibleRow());
}

void DigitalContactsForm::listViewSelectItem()
{
    if (!isUpdating())
        postRefresh(false, 0);
}

// --- cell actions ------------------------------------------------------------------------------

void DigitalContactsForm::listViewDblClick(QTreeWidgetItem *item, int column)
{
    m_editor->endEdit(true);
    FileImage *image = currentImage();
    const int row = listview::rowOf(m_listView, item);
    if (!image || row < 0 || row >= kMaxContacts)
        return;
    switch (column) {
    case kNameColumn:
        editName(row);
        break;
    case kIdColumn:
        editId(row);
        break;
    case kTypeColumn:
        setContactCallType(*image, row, nextCallType(contactCallType(*image, row)));
        rewriteCells(row);
        break;
    case kRxToneColumn:
        setContactRxTone(*image, row, !contactRxTone(*image, row));
        rewriteCells(row);
        break;
    case kProtectColumn:
        if (!m_protectedIds.remove(contactId(*image, row)))
            m_protectedIds.add(contactId(*image, row));
        rewriteProtectCells();
        break;
    default:
        break;
    }
}

void DigitalContactsForm::editName(int row)
{
    m_editor->beginTextEdit(m_listView, row, kNameColumn, contact::kMaxNameLength, InPlaceEditor::printableAscii(),
        [this](int editedRow, int, const QString &text) -> std::optional<QString> {
            FileImage *image = currentImage();
            // An empty name would free the record in the middle of the list.
            if (!image || text.isEmpty() || !isContactUsed(*image, editedRow))
                return std::nullopt;
            setContactName(*image, editedRow, text);
            return contactName(*image, editedRow);
        });
}

void DigitalContactsForm::editId(int row)
{
    m_editor->beginTextEdit(m_listView, row, kIdColumn, kIdEditLength, digitsOnly(),
        [this](int editedRow, int, const QString &text) -> std::optional<QString> {
            FileImage *image = currentImage();
            std::uint32_t id = 0;
            if (!image || !parseContactId(text, id) || !setContactId(*image, editedRow, id))
                return std::nullopt;
            return QString::number(id);
        });
}

void DigitalContactsForm::changeSelectedContacts(const std::function<void(FileImage &, int)> &change)
{
    FileImage *image = currentImage();
    const QList<int> rows = listview::selectedRows(m_listView);
    if (!image || rows.isEmpty())
        return;
    m_editor->endEdit(true);
    for (int row : rows) {
        change(*image, row);
        rewriteCells(row);
    }
}

void DigitalContactsForm::setSelectedCallType(int code)
{
    changeSelectedContacts([code](FileImage &image, int row) { setContactCallType(image, row, code); });
}

void DigitalContactsForm::setSelectedRxTone(bool on)
{
    changeSelectedContacts([on](FileImage &image, int row) { setContactRxTone(image, row, on); });
}

void DigitalContactsForm::setSelectedProtection(bool on)
{
    const FileImage *image = currentImage();
    const QList<int> rows = listview::selectedRows(m_listView);
    if (!image || rows.isEmpty())
        return;
    for (int row : rows) {
        if (on)
            m_protectedIds.add(contactId(*image, row));
        else
            m_protectedIds.remove(contactId(*image, row));
    }
    rewriteProtectCells();
}

void DigitalContactsForm::selectAll()
{
    if (!codePlugOpen())
        return;
    UpdatingScope updating(*this);
    m_listView->selectAll();
    updateTitle();
    updateButtons();
}

void DigitalContactsForm::unselectAll()
{
    if (!codePlugOpen())
        return;
    UpdatingScope updating(*this);
    m_listView->clearSelection();
    updateTitle();
    updateButtons();
}

// --- list shape ----------------------------------------------------------------------------------

void DigitalContactsForm::addContact()
{
    FileImage *image = currentImage();
    if (!image)
        return;
    m_editor->endEdit(true);
    const int row = codeplug::addContact(*image);
    if (row == kNoFreeContact) {
        m_addButton->setEnabled(false);
        return;
    }
    UpdatingScope updating(*this);
    QTreeWidgetItem *item = listview::appendRow(m_listView, contactCellTexts(*image, row, m_protectedIds, m_showNo));
    item->setSelected(true);
    m_listView->scrollToItem(item);
    markCurrent(row);
    updateButtons();
    m_titleLabel->setText(titleText(QStringLiteral("Contact List"), m_listView->topLevelItemCount(),
        int(m_listView->selectionModel()->selectedRows().size())));
}

void DigitalContactsForm::insertContact()
{
    FileImage *image = currentImage();
    const QList<int> rows = listview::selectedRows(m_listView);
    if (!image)
        return;
    if (rows.isEmpty()) {
        addContact();
        return;
    }
    m_editor->endEdit(true);
    const int row = codeplug::insertContact(*image, rows.first());
    if (row == kNoFreeContact) {
        m_addButton->setEnabled(false);
        return;
    }
    refreshContactList(true, 0);
    UpdatingScope updating(*this);
    selectRows({ row });
    m_listView->scrollToItem(m_listView->topLevelItem(row));
    markCurrent(row);
    updateTitle();
    updateButtons();
}

void DigitalContactsForm::deleteSelectedContacts()
{
    FileImage *image = currentImage();
    const QList<int> rows = listview::selectedRows(m_listView);
    if (!image || rows.isEmpty())
        return;
    m_editor->endEdit(true);
    const int top = firstVisibleRow();
    const ContactDeletion deletion = deleteContacts(*image, rows, m_protectedIds, [this](const QString &message) {
        return prompts().ask(QMessageBox::Information, kRefusalCaption, message, QMessageBox::Ok | QMessageBox::Cancel)
            == QMessageBox::Ok;
    });
    if (deletion.deleted == 0)
        return;
    refreshContactList(true, top);
    UpdatingScope updating(*this);
    const int select = std::min(deletion.selectRow, m_listView->topLevelItemCount() - 1);
    selectRows({ select });
    markCurrent(select);
    updateTitle();
    updateButtons();
}

void DigitalContactsForm::moveButtonClick(int delta, int size)
{
    // The repetition reads Shift at each tick; a plain click reads it now.
    const bool shift = size > 1 || (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    moveSelectedContacts(shift ? delta * 10 : delta);
}

void DigitalContactsForm::moveSelectedContacts(int delta)
{
    FileImage *image = currentImage();
    const QList<int> rows = listview::selectedRows(m_listView);
    if (!image || rows.isEmpty() || delta == 0)
        return;
    m_editor->endEdit(true);
    const QList<int> moved = moveContacts(*image, rows, delta);
    UpdatingScope updating(*this);
    fillList();
    selectRows(moved);
    if (!moved.isEmpty()) {
        const int anchor = delta > 0 ? moved.first() : moved.last();
        listview::scrollToRow(m_listView, std::max(0, anchor - listview::fullyVisibleRows(m_listView) / 2));
        markCurrent(anchor);
    }
    updateTitle();
    updateButtons();
}

void DigitalContactsForm::sortContactsByColumn(int column)
{
    FileImage *image = currentImage();
    if (!image || column <= 0 || column >= m_listView->columnCount())
        return;
    const std::optional<ContactSortKey> key = contactSortKeyForColumn(m_listView->headerItem()->text(column));
    if (!key)
        return;
    m_editor->endEdit(true);
    sortContacts(*image, *key, m_protectedIds);
    postRefresh(true, 0);
}

// --- clipboard -----------------------------------------------------------------------------------

void DigitalContactsForm::copyContacts()
{
    const FileImage *image = currentImage();
    const QList<int> rows = listview::selectedRows(m_listView);
    if (!image || rows.isEmpty())
        return;
    recordclipboard::put(kContactClipboardFormat, codeplug::copyContacts(*image, rows));
}

void DigitalContactsForm::pasteOverContacts()
{
    FileImage *image = currentImage();
    const QList<int> rows = listview::selectedRows(m_listView);
    const QByteArray block = recordclipboard::block(kContactClipboardFormat);
    if (!image || rows.isEmpty() || block.isEmpty())
        return;
    m_editor->endEdit(true);
    if (pasteContactsOver(*image, rows, block) > 0)
        postRefresh(true, firstVisibleRow());
}

void DigitalContactsForm::pasteNewContacts()
{
    FileImage *image = currentImage();
    const QByteArray block = recordclipboard::block(kContactClipboardFormat);
    if (!image || block.isEmpty())
        return;
    m_editor->endEdit(true);
    const ContactPaste paste = codeplug::pasteNewContacts(*image, block);
    if (paste.count == 0)
        return;
    postRefresh(true, paste.first);
}

// --- files ---------------------------------------------------------------------------------------

void DigitalContactsForm::importContacts()
{
    if (!codePlugOpen())
        return;
    m_editor->endEdit(true);
    QString filter = kCsvFilter;
    const QString fileName
        = dialogs().openFileNameWithFilter(this, QCoreApplication::applicationDirPath(), contactFileFilters(), filter);
    FileImage *image = currentImage();
    if (fileName.isEmpty() || !image)
        return;
    const ContactFileResult result = codeplug::importContacts(*image, fileName, m_protectedIds);
    refreshContactList(true, 0);
    if (!result.message.isEmpty())
        prompts().error(kContactFileCaption, result.message);
}

void DigitalContactsForm::exportContacts()
{
    if (!codePlugOpen())
        return;
    m_editor->endEdit(true);
    QString filter = kCsvFilter;
    const QString fileName = dialogs().saveFileNameWithFilter(
        this, QCoreApplication::applicationDirPath(), QString(), contactFileFilters(), filter);
    const FileImage *image = currentImage();
    if (fileName.isEmpty() || !image)
        return;
    const ContactFileResult result = codeplug::exportContacts(*image, withFilterExtension(fileName, filter));
    if (!result.message.isEmpty())
        prompts().error(kContactFileCaption, result.message);
}

// --- search and popup ------------------------------------------------------------------------------

void DigitalContactsForm::searchEditChange()
{
    m_searchCountdown = 0;
}

void DigitalContactsForm::timer1Timer()
{
    if (m_searchCountdown < 0)
        return;
    if (++m_searchCountdown >= kSearchDelayTicks) {
        m_searchCountdown = -1;
        searchContacts();
    }
}

void DigitalContactsForm::searchContacts()
{
    const FileImage *image = currentImage();
    if (!image)
        return;
    const QList<int> rows = findContacts(*image, m_searchEdit->text(), m_protectedIds, m_showNo);
    UpdatingScope updating(*this);
    selectRows(rows);
    // A few rows above the first match stay in sight.
    if (!rows.isEmpty() && rows.first() >= 3)
        listview::scrollToRow(m_listView, rows.first() - 3);
    updateTitle();
    updateButtons();
}

bool DigitalContactsForm::searchEditKeyPress(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_searchCountdown = -1;
        searchContacts();
        if (!m_listView->selectedItems().isEmpty())
            m_listView->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

bool DigitalContactsForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_searchEdit && event->type() == QEvent::KeyPress)
        return searchEditKeyPress(static_cast<QKeyEvent *>(event));
    return CodePlugPage::eventFilter(watched, event);
}

void DigitalContactsForm::contactsPopupMenuPopup()
{
    const bool open = codePlugOpen();
    const int count = m_listView->topLevelItemCount();
    const int selected = int(m_listView->selectedItems().size());
    const bool anySelected = open && selected > 0;
    const bool onClipboard = open && !recordclipboard::block(kContactClipboardFormat).isEmpty();
    m_copyAction->setEnabled(anySelected);
    m_pasteInsertAction->setEnabled(false);
    m_pasteOverAction->setEnabled(onClipboard);
    m_pasteNewAction->setEnabled(onClipboard && count < kMaxContacts);
    m_unselectAllAction->setEnabled(anySelected);
    m_selectAllAction->setEnabled(open && selected < count);
    m_addAction->setEnabled(open && count < kMaxContacts);
    m_insertAction->setEnabled(open && count < kMaxContacts);
    for (QAction *action : std::as_const(m_selectionActions))
        action->setEnabled(anySelected);
}
