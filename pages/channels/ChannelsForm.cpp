#include "ChannelsForm.h"

#include "ChannelDetails.h"
#include "ChannelCsv.h"
#include "ChannelList.h"
#include "ChannelRecord.h"
#include "CodePlugStore.h"
#include "FileDialogs.h"
#include "InPlaceEditor.h"
#include "Layout.h"
#include "ListViewTools.h"
#include "RecordClipboard.h"
#include "MoveRepeater.h"
#include "Prompts.h"
#include "RadioInfo.h"
#include "RecordName.h"

#include <algorithm>

#include <QApplication>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;

namespace {

constexpr int kNameColumn = 2;
constexpr int kProtectColumn = 3;
constexpr int kNameLength = 16;
constexpr int kSearchLeadRows = 3;
const QString kCsvFilter = QStringLiteral("*.csv");
const QString kFileFilter = kCsvFilter + QStringLiteral(";;*.*");

bool shiftHeld()
{
    return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, const QString &hint = {})
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

} // namespace

ChannelsForm::ChannelsForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("ChannelsForm"));
    m_timer1->setObjectName(QStringLiteral("Timer1"));

    auto *layout = new QHBoxLayout(this);
    createListSide(layout);
    createDetailSide(layout);
    createPopupMenu();

    m_editor = new InPlaceEditor(this, [this] { return codePlugOpen(); });
    m_editor->watch(m_listView);
    m_drag = new DragSelector([this] { return codePlugOpen() && !m_editor->isEditing(); }, this);
    m_drag->watch(m_listView);
    m_listKeys = new ListKeys(
        m_listView, [this] { return codePlugOpen(); }, [this] { deleteCommand(); },
        [this](int step) { moveSelection(step); });
    m_repeater = new MoveRepeater(m_timer1, this);
    m_repeater->addButton(m_moveUpButton, [this](int size) { moveButton(1, size); });
    m_repeater->addButton(m_moveUp10Button, [this](int size) { moveButton(10, size); });
    m_repeater->addButton(m_moveDownButton, [this](int size) { moveButton(-1, size); });
    m_repeater->addButton(m_moveDown10Button, [this](int size) { moveButton(-10, size); });
    connect(m_timer1, &QTimer::timeout, this, &ChannelsForm::timerTick);
    m_timer1->start(MoveRepeater::kTickMs);
    showEmptyState();
}

ChannelsForm::~ChannelsForm()
{
    m_timer1->stop();
}

// ---------------------------------------------------------------------------------------------
// Construction

void ChannelsForm::createListSide(QBoxLayout *layout)
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ListPanel"));
    auto *side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);

    m_headingLabel = new QLabel(QStringLiteral("List of available analogue and digital channels "), this);
    m_headingLabel->setObjectName(QStringLiteral("HeadingLabel"));
    m_headingLabel->setWordWrap(true);
    m_titleLabel = new QLabel(this);
    m_titleLabel->setObjectName(QStringLiteral("TitleLabel"));
    side->addWidget(m_headingLabel);
    side->addWidget(m_titleLabel);

    auto *searchRow = new QHBoxLayout;
    auto *searchLabel = new QLabel(QStringLiteral("Search "), this);
    searchLabel->setObjectName(QStringLiteral("SearchLabel"));
    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("SearchEdit"));
    m_searchEdit->installEventFilter(this);
    searchLabel->setBuddy(m_searchEdit);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_searchEdit, 1);
    side->addLayout(searchRow);
    connect(m_searchEdit, &QLineEdit::textChanged, this, [this] { m_searchCountdown = kSearchTicks; });

    m_listView = new QTreeWidget(this);
    m_listView->setObjectName(QStringLiteral("ListView"));
    listview::setupListView(m_listView,
        { { QStringLiteral("Chan"), 50, Qt::AlignCenter }, { QStringLiteral("Name"), 120, Qt::AlignLeft },
            { QStringLiteral("Protect"), 80, Qt::AlignCenter } });
    m_listView->header()->setSectionsClickable(true);
    m_listView->header()->setStretchLastSection(false);
    m_listView->header()->setSectionResizeMode(QHeaderView::Fixed);
    m_listView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The panel is as wide as the list's columns, so that the columns never scroll sideways.
    panel->setFixedWidth(1 + 50 + 120 + 80 + 2 * m_listView->frameWidth()
        + m_listView->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    m_listView->setContextMenuPolicy(Qt::CustomContextMenu);
    side->addWidget(m_listView, 1);
    connect(m_listView->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (column == kNameColumn)
            sortCommand();
    });
    connect(m_listView, &QTreeWidget::itemSelectionChanged, this, &ChannelsForm::listViewSelectItem);
    connect(m_listView, &QTreeWidget::itemDoubleClicked, this, &ChannelsForm::listViewDblClick);
    connect(m_listView, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &at) { m_popupMenu->popup(m_listView->viewport()->mapToGlobal(at)); });

    auto *commands = new QGridLayout;
    m_addButton = makeButton(this, "AddBitBtn", QStringLiteral("Add"));
    m_deleteButton = makeButton(this, "DeleteBitBtn", QStringLiteral("Delete"));
    m_importButton = makeButton(this, "ImportButton", QStringLiteral("Import"));
    m_exportButton = makeButton(this, "ExportButton", QStringLiteral("Export"));
    m_moveUp10Button
        = makeButton(this, "MoveUp10BitBtn", QStringLiteral("\u21C8"), QStringLiteral("Move entry up by 10 places"));
    m_moveUpButton
        = makeButton(this, "MoveUpBitBtn", QStringLiteral("\u2191"), QStringLiteral("Move entry up by 1 place"));
    m_moveDownButton
        = makeButton(this, "MoveDownBitBtn", QStringLiteral("\u2193"), QStringLiteral("Move entry down by 1 place"));
    m_moveDown10Button = makeButton(
        this, "MoveDown10BitBtn", QStringLiteral("\u21CA"), QStringLiteral("Move entry down by 10 places"));
    const QList<QPushButton *> buttons { m_addButton, m_deleteButton, m_importButton, m_exportButton, m_moveUp10Button,
        m_moveUpButton, m_moveDownButton, m_moveDown10Button };
    for (int i = 0; i < int(buttons.size()); ++i)
        commands->addWidget(buttons.at(i), i / 4, i % 4);
    // A move button never takes the focus: the list keeps it, and a held button stays down
    // while its repeated moves focus the list.
    for (QPushButton *button : { m_moveUp10Button, m_moveUpButton, m_moveDownButton, m_moveDown10Button })
        button->setFocusPolicy(Qt::NoFocus);
    side->addLayout(commands);

    connect(m_addButton, &QPushButton::clicked, this, &ChannelsForm::addCommand);
    connect(m_deleteButton, &QPushButton::clicked, this, &ChannelsForm::deleteCommand);
    connect(m_importButton, &QPushButton::clicked, this, &ChannelsForm::importCommand);
    connect(m_exportButton, &QPushButton::clicked, this, &ChannelsForm::exportCommand);
}

void ChannelsForm::createDetailSide(QBoxLayout *layout)
{
    m_details = new ChannelDetails([this] { return currentImage(); }, [this] { return selectedRows(); }, this);
    layout->addWidget(m_details, 1);
    connect(m_details, &ChannelDetails::recordsChanged, this, [this] {
        if (const FileImage *image = currentImage())
            relabelRows(*image);
    });
}

void ChannelsForm::createPopupMenu()
{
    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    const auto entry = [this](const char *name, const QString &text, void (ChannelsForm::*command)()) {
        QAction *action = m_popupMenu->addAction(text);
        action->setObjectName(QLatin1String(name));
        if (command)
            connect(action, &QAction::triggered, this, command);
        return action;
    };
    m_copyAction = entry("CopyMenuItem", QStringLiteral("Copy"), &ChannelsForm::copyCommand);
    m_pasteInsertAction = entry("PasteInsertMenuItem", QStringLiteral("Paste Insert"), nullptr);
    m_pasteOverAction = entry("PasteOverMenuItem", QStringLiteral("Paste Over"), &ChannelsForm::pasteOverCommand);
    m_pasteNewAction = entry("PasteNewMenuItem", QStringLiteral("Paste New"), &ChannelsForm::pasteNewCommand);
    m_popupMenu->addSeparator();
    m_addAction = entry("AddMenuItem", QStringLiteral("Add"), &ChannelsForm::addCommand);
    m_insertAction = entry("InsertMenuItem", QStringLiteral("Insert"), &ChannelsForm::insertCommand);
    m_deleteAction = entry("DeleteMenuItem", QStringLiteral("Delete"), &ChannelsForm::deleteCommand);
    m_popupMenu->addSeparator();
    m_unselectAllAction = entry("UnselectAllMenuItem", QStringLiteral("Unselect All"), nullptr);
    m_selectAllAction = entry("SelectAllMenuItem", QStringLiteral("Select All"), nullptr);
    connect(m_unselectAllAction, &QAction::triggered, this, [this] { selectAllRows(false); });
    connect(m_selectAllAction, &QAction::triggered, this, [this] { selectAllRows(true); });
    m_popupMenu->addSeparator();
    m_unprotectAction = entry("SetUnprotectedMenuItem", QStringLiteral("Set to unprotected"), nullptr);
    m_protectAction = entry("SetProtectedMenuItem", QStringLiteral("Set to protected"), nullptr);
    connect(m_unprotectAction, &QAction::triggered, this, [this] { setSelectionProtected(false); });
    connect(m_protectAction, &QAction::triggered, this, [this] { setSelectionProtected(true); });
    m_popupMenu->addSeparator();
    m_cancelAction = entry("CancelMenuItem", QStringLiteral("Cancel"), nullptr);
    connect(m_popupMenu, &QMenu::aboutToShow, this, &ChannelsForm::updatePopupMenu);
}

// ---------------------------------------------------------------------------------------------
// Refresh

void ChannelsForm::pageRefresh()
{
    m_details->refreshChoices(currentImage());
    // Rebuilt at once rather than posted: the main window calls this outside any list
    // notification, and the list must never show another slot's channels.
    refresh(true, 0);
}

void ChannelsForm::pageShown()
{
    refresh(false, 0);
}

void ChannelsForm::deferredRefresh(bool rebuild, int topRow)
{
    m_selectionRefreshPosted = false;
    refresh(rebuild, topRow);
}

void ChannelsForm::refresh(bool rebuild, int topRow)
{
    UpdatingScope updating(*this);
    const FileImage *image = currentImage();
    setEnabled(image != nullptr);
    if (!image) {
        showEmptyState();
        return;
    }
    if (rebuild) {
        rebuildList(*image);
        if (topRow < 1 && m_listView->topLevelItemCount() > 0) {
            m_listView->setCurrentItem(m_listView->topLevelItem(0), 1, QItemSelectionModel::NoUpdate);
            m_listView->topLevelItem(0)->setSelected(true);
        }
    }
    updateTitle();
    m_details->showSelection(*image, selectedRows());
    if (topRow > 0)
        listview::scrollToRow(m_listView, topRow);
    updateButtons();
}

void ChannelsForm::showEmptyState()
{
    UpdatingScope updating(*this);
    m_editor->endEdit(false);
    m_listView->clear();
    m_details->showEmptyState();
    for (QPushButton *button :
        { m_addButton, m_deleteButton, m_moveUpButton, m_moveUp10Button, m_moveDownButton, m_moveDown10Button })
        button->setEnabled(false);
    updateTitle();
}

void ChannelsForm::rebuildList(const FileImage &image)
{
    m_editor->endEdit(true);
    m_listView->clear();
    QList<QTreeWidgetItem *> items;
    for (int i = 0; i < lists::channels.count && isRecordUsed(image, lists::channels, i); ++i) {
        auto *item = new QTreeWidgetItem;
        item->setText(1, QString::number(i + 1));
        item->setText(kNameColumn, channelName(image, i));
        item->setText(kProtectColumn, protectText(image, i));
        item->setTextAlignment(1, Qt::AlignCenter);
        item->setTextAlignment(kProtectColumn, Qt::AlignCenter);
        items.append(item);
    }
    m_listView->addTopLevelItems(items);
}

void ChannelsForm::relabelRows(const FileImage &image)
{
    for (int i = 0; i < m_listView->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_listView->topLevelItem(i);
        item->setText(kNameColumn, channelName(image, i));
        item->setText(kProtectColumn, protectText(image, i));
    }
}

QString ChannelsForm::protectText(const FileImage &image, int row) const
{
    return m_protectedChannels.matches(channelName(image, row)) ? QStringLiteral("Yes") : QString();
}

void ChannelsForm::updateTitle()
{
    if (!codePlugOpen()) {
        m_titleLabel->setText(QStringLiteral("Channels .. up to %1 ").arg(kMaxChannels));
        return;
    }
    QString title
        = QStringLiteral("Channels .. used %1 of %2. ").arg(m_listView->topLevelItemCount()).arg(kMaxChannels);
    const qsizetype selected = m_listView->selectedItems().size();
    if (selected > 0)
        title += QStringLiteral("%1 selected. ").arg(selected);
    m_titleLabel->setText(title);
}

void ChannelsForm::updateButtons()
{
    const int count = m_listView->topLevelItemCount();
    const QList<int> rows = selectedRows();
    const bool any = !rows.isEmpty();
    const bool canUp = any && rows.first() > 0;
    const bool canDown = any && rows.last() < count - 1;
    m_addButton->setEnabled(count < kMaxChannels);
    m_deleteButton->setEnabled(any);
    m_moveUpButton->setEnabled(canUp);
    m_moveUp10Button->setEnabled(canUp);
    m_moveDownButton->setEnabled(canDown);
    m_moveDown10Button->setEnabled(canDown);
}

// ---------------------------------------------------------------------------------------------
// List events

bool ChannelsForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == m_searchEdit)
        return searchKeyPress(static_cast<QKeyEvent *>(event)) || CodePlugPage::eventFilter(watched, event);
    return CodePlugPage::eventFilter(watched, event);
}

bool ChannelsForm::searchKeyPress(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        return true;
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    m_searchCountdown = -1;
    searchNow();
    m_listView->setFocus();
    return true;
}

void ChannelsForm::timerTick()
{
    if (m_searchCountdown > 0 && --m_searchCountdown == 0) {
        m_searchCountdown = -1;
        searchNow();
    }
}

void ChannelsForm::listViewSelectItem()
{
    // A drag or a search changes the selection many times in one go; one refresh follows them all.
    if (isUpdating() || m_selectionRefreshPosted)
        return;
    m_selectionRefreshPosted = true;
    postRefresh(false, 0);
}

void ChannelsForm::listViewDblClick(QTreeWidgetItem *item, int column)
{
    m_editor->endEdit(true);
    const int row = listview::rowOf(m_listView, item);
    if (!codePlugOpen() || row < 0)
        return;
    if (column == kProtectColumn) {
        toggleProtection(row);
        return;
    }
    if (column != kNameColumn)
        return;
    m_editor->beginTextEdit(m_listView, row, kNameColumn, kNameLength, InPlaceEditor::printableAscii(),
        [this](int editedRow, int, const QString &text) -> std::optional<QString> {
            FileImage *image = currentImage();
            if (!image || !renameRecord(*image, lists::channels, editedRow, text))
                return std::nullopt;
            if (QTreeWidgetItem *edited = m_listView->topLevelItem(editedRow))
                edited->setText(kProtectColumn, protectText(*image, editedRow));
            return channelName(*image, editedRow);
        });
}

void ChannelsForm::toggleProtection(int row)
{
    const FileImage *image = currentImage();
    if (!image)
        return;
    const QString name = channelName(*image, row).trimmed();
    if (!m_protectedChannels.remove(name))
        m_protectedChannels.add(name);
    m_listView->topLevelItem(row)->setText(kProtectColumn, protectText(*image, row));
}

QList<int> ChannelsForm::selectedRows() const
{
    return listview::selectedRows(m_listView);
}

int ChannelsForm::topRow() const
{
    const QModelIndex top = m_listView->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void ChannelsForm::selectOnly(int row)
{
    QTreeWidgetItem *item = m_listView->topLevelItem(row);
    m_listView->clearSelection();
    if (!item)
        return;
    m_listView->setCurrentItem(item, 1, QItemSelectionModel::NoUpdate);
    item->setSelected(true);
    m_listView->scrollToItem(item);
    m_listView->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Commands

void ChannelsForm::addCommand()
{
    FileImage *image = currentImage();
    if (!image)
        return;
    m_editor->endEdit(true);
    const int index = addChannel(*image);
    if (index < 0) {
        m_addButton->setEnabled(false);
        return;
    }
    {
        UpdatingScope updating(*this);
        m_listView->clearSelection();
        listview::appendRow(
            m_listView, { QString::number(index + 1), channelName(*image, index), protectText(*image, index) });
    }
    selectOnly(index);
    refresh(false, 0);
}

void ChannelsForm::insertCommand()
{
    FileImage *image = currentImage();
    const QList<int> rows = selectedRows();
    if (!image)
        return;
    if (rows.isEmpty()) {
        addCommand();
        return;
    }
    const int top = topRow();
    if (insertChannel(*image, rows.first()) < 0) {
        m_addButton->setEnabled(false);
        return;
    }
    refresh(true, top);
    selectOnly(rows.first());
    refresh(false, 0);
}

bool ChannelsForm::askContinue(const QString &message)
{
    return prompts().ask(QMessageBox::Information, messageTitle(), message, QMessageBox::Ok | QMessageBox::Cancel)
        == QMessageBox::Ok;
}

void ChannelsForm::deleteCommand()
{
    FileImage *image = currentImage();
    const QList<int> rows = selectedRows();
    if (!image || rows.isEmpty())
        return;
    m_editor->endEdit(true);
    const int top = topRow();
    const int last = rows.last();
    const int deleted = deleteChannelSelection(
        *image, rows, m_protectedChannels, [this](const QString &message) { return askContinue(message); });
    if (deleted == 0)
        return;
    refresh(true, top);
    const int count = m_listView->topLevelItemCount();
    selectOnly(last < count ? last : count - 1);
    refresh(false, 0);
}

void ChannelsForm::moveButton(int baseStep, int size)
{
    // A click moves by the button's step, ten times that with Shift; a repetition reports Shift
    // through its size.
    const int factor = (size > 1 || shiftHeld()) ? 10 : 1;
    moveSelection(baseStep * factor);
}

void ChannelsForm::moveSelection(int n)
{
    FileImage *image = currentImage();
    const QList<int> rows = selectedRows();
    if (!image || rows.isEmpty() || n == 0)
        return;
    m_editor->endEdit(true);
    const QList<int> moved = moveChannelSelection(*image, rows, n);
    {
        UpdatingScope updating(*this);
        relabelRows(*image);
        QItemSelection selection;
        for (int row : moved)
            selection.select(
                m_listView->model()->index(row, 0), m_listView->model()->index(row, m_listView->columnCount() - 1));
        m_listView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    refresh(false, 0);
    const int anchor = n > 0 ? moved.first() : moved.last();
    listview::scrollToRow(m_listView, std::max(0, anchor - listview::fullyVisibleRows(m_listView) / 2));
    m_listView->setFocus();
}

void ChannelsForm::sortCommand()
{
    FileImage *image = currentImage();
    if (!image)
        return;
    m_editor->endEdit(true);
    sortChannels(*image, m_protectedChannels);
    refresh(true, 0);
}

void ChannelsForm::searchNow()
{
    if (!codePlugOpen())
        return;
    const QString text = m_searchEdit->text().trimmed().toLower();
    QItemSelection selection;
    int first = -1;
    if (!text.isEmpty()) {
        for (int row = 0; row < m_listView->topLevelItemCount(); ++row) {
            const QTreeWidgetItem *item = m_listView->topLevelItem(row);
            bool match = false;
            for (int column : { 1, kNameColumn, kProtectColumn })
                match = match || item->text(column).trimmed().toLower().contains(text);
            if (!match)
                continue;
            if (first < 0)
                first = row;
            selection.select(
                m_listView->model()->index(row, 0), m_listView->model()->index(row, m_listView->columnCount() - 1));
        }
    }
    m_listView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (first >= 0)
        listview::scrollToRow(m_listView, std::max(0, first - kSearchLeadRows));
    updateTitle();
}

void ChannelsForm::selectAllRows(bool select)
{
    if (!codePlugOpen())
        return;
    {
        UpdatingScope updating(*this);
        if (select)
            m_listView->selectAll();
        else
            m_listView->clearSelection();
    }
    refresh(false, 0);
}

void ChannelsForm::setSelectionProtected(bool protect)
{
    const FileImage *image = currentImage();
    if (!image)
        return;
    for (int row : selectedRows()) {
        const QString name = channelName(*image, row).trimmed();
        if (protect)
            m_protectedChannels.add(name);
        else
            m_protectedChannels.remove(name);
        m_listView->topLevelItem(row)->setText(kProtectColumn, protectText(*image, row));
    }
}

void ChannelsForm::copyCommand()
{
    const FileImage *image = currentImage();
    const QList<int> rows = selectedRows();
    if (!image || rows.isEmpty())
        return;
    recordclipboard::put(kChannelClipboardFormat, copyChannels(*image, rows));
}

void ChannelsForm::pasteOverCommand()
{
    FileImage *image = currentImage();
    const QList<int> rows = selectedRows();
    const QByteArray block = recordclipboard::block(kChannelClipboardFormat);
    if (!image || rows.isEmpty() || block.isEmpty())
        return;
    m_editor->endEdit(true);
    if (pasteChannelsOver(*image, block, rows) <= 0)
        return;
    const int top = topRow();
    refresh(true, top);
    QItemSelection selection;
    for (int row : rows)
        selection.select(
            m_listView->model()->index(row, 0), m_listView->model()->index(row, m_listView->columnCount() - 1));
    m_listView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ChannelsForm::pasteNewCommand()
{
    FileImage *image = currentImage();
    const QByteArray block = recordclipboard::block(kChannelClipboardFormat);
    if (!image || block.isEmpty())
        return;
    m_editor->endEdit(true);
    const int first = pasteNewChannels(*image, block);
    if (first < 0)
        return;
    refresh(true, first);
    QItemSelection selection;
    selection.select(m_listView->model()->index(first, 0),
        m_listView->model()->index(m_listView->topLevelItemCount() - 1, m_listView->columnCount() - 1));
    m_listView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ChannelsForm::importCommand()
{
    FileImage *image = currentImage();
    if (!image)
        return;
    const QString fileName = dialogs().openFileName(this, QCoreApplication::applicationDirPath(), kFileFilter);
    if (fileName.isEmpty())
        return;
    m_editor->endEdit(true);
    const ChannelCsvResult result = importChannelsCsv(*image, fileName, m_protectedChannels);
    for (const QString &message : result.messages)
        prompts().message(QMessageBox::Critical, messageTitle(), message);
    if (result.value >= 0)
        refresh(true, 0);
}

void ChannelsForm::exportCommand()
{
    const FileImage *image = currentImage();
    if (!image)
        return;
    QString filter = kCsvFilter;
    const QString fileName
        = dialogs().saveFileNameWithFilter(this, QCoreApplication::applicationDirPath(), {}, kFileFilter, filter);
    if (fileName.isEmpty())
        return;
    const ChannelCsvResult result = exportChannelsCsv(*image, withFilterExtension(fileName, filter));
    for (const QString &message : result.messages)
        prompts().message(QMessageBox::Critical, messageTitle(), message);
}

void ChannelsForm::updatePopupMenu()
{
    const bool open = codePlugOpen();
    const int count = m_listView->topLevelItemCount();
    const int selected = int(m_listView->selectedItems().size());
    const bool pasteable = !recordclipboard::block(kChannelClipboardFormat).isEmpty();
    const bool room = count < kMaxChannels;
    m_copyAction->setEnabled(open && selected > 0);
    m_pasteInsertAction->setEnabled(false);
    m_pasteOverAction->setEnabled(open && pasteable);
    m_pasteNewAction->setEnabled(open && pasteable && room);
    m_addAction->setEnabled(open && room);
    m_insertAction->setEnabled(open && room);
    m_deleteAction->setEnabled(open && selected > 0);
    m_unselectAllAction->setEnabled(open && selected > 0);
    m_selectAllAction->setEnabled(open && selected < count);
    m_unprotectAction->setEnabled(open && selected > 0);
    m_protectAction->setEnabled(open && selected > 0);
    m_cancelAction->setEnabled(open);
}
