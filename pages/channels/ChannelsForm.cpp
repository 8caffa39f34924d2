#include "ChannelsForm.h"

#include "ChannelCsv.h"
#include "ChannelDetails.h"
#include "ChannelList.h"
#include "ChannelRecord.h"
#include "CodePlugStore.h"
#include "FileDialogs.h"
#include "Layout.h"
#include "ListPanel.h"
#include "Prompts.h"
#include "RecordName.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;

namespace {

constexpr int kNameColumn = 2;
constexpr int kProtectColumn = 3;
const QString kFileFilter = filefilters::join({ filefilters::csv, filefilters::all });

} // namespace

ChannelsForm::ChannelsForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
{
    setObjectName(QStringLiteral("ChannelsForm"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 4, 2); // the detail groups need every line of the design height
    createListSide(layout);
    m_details = new ChannelDetails([this] { return currentImage(); }, [this] { return m_panel->selectedRows(); }, this);
    layout->addWidget(m_details, 1);
    // A detail edit may change what a row shows.
    connect(m_details, &ChannelDetails::recordsChanged, m_panel, &ListPanel::rewriteRows);
    createPopupMenu();
    m_panel->refresh(false, 0);
}

void ChannelsForm::createListSide(QBoxLayout *layout)
{
    ListPanel::Setup setup;
    setup.columns = { { QStringLiteral("Chan"), 50, Qt::AlignCenter },
        { QStringLiteral("Name"), listview::kFullNameWidth, Qt::AlignLeft },
        { QStringLiteral("Protect"), 80, Qt::AlignCenter } };
    setup.titlePrefix = QStringLiteral("Channels");
    setup.capacity = kMaxChannels;
    setup.emptyTitle = QStringLiteral("Channels .. up to %1 ").arg(kMaxChannels);
    setup.initialTitle = setup.emptyTitle;
    setup.parts = ListPanel::EditButtons | ListPanel::MoveButtons | ListPanel::FileButtons | ListPanel::Search
        | ListPanel::Keys | ListPanel::Popup;
    setup.searchTicks = kSearchTicks;
    setup.menuName = QStringLiteral("PopupMenu1");
    setup.clipboardFormat = kChannelClipboardFormat;
    setup.rowCount = ListPanel::usedRows(lists::channels);
    setup.cells = [this](const FileImage &image, int row) {
        return QStringList { QString::number(row + 1), channelName(image, row), protectText(image, row) };
    };
    setup.refreshed = [this](const FileImage *image) {
        setEnabled(image != nullptr);
        if (image)
            m_details->showSelection(*image, m_panel->selectedRows());
        else
            m_details->showEmptyState();
    };
    setup.add = [](FileImage &image) { return addChannel(image); };
    setup.insert = &insertChannel;
    setup.remove = [this](FileImage &image, const QList<int> &rows) -> std::optional<int> {
        const int deleted = deleteChannelSelection(image, rows, m_protectedChannels,
            [this](const QString &message) { return prompts().askOkCancel(messageTitle(), message); });
        return deleted > 0 ? std::optional<int>(rows.last()) : std::nullopt;
    };
    setup.move = &moveChannelSelection;
    m_panel = new ListPanel(*this, setup);

    QTreeWidget *list = m_panel->list();
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(QHeaderView::Fixed);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_panel->onHeaderClick([this](int column) {
        if (column == kNameColumn)
            sortByName();
    });
    m_panel->onDoubleClick(kProtectColumn, [this](int row) { toggleProtection(row); });
    m_panel->onDoubleClick(kNameColumn, [this](int row) {
        m_panel->editName(row, kNameColumn, [](FileImage &image, int edited, const QString &text) {
            return renameRecord(image, lists::channels, edited, text);
        });
    });
    connect(m_panel->button(ListPanel::ImportButton), &QPushButton::clicked, this, [this] { importChannels(); });
    connect(m_panel->button(ListPanel::ExportButton), &QPushButton::clicked, this, [this] { exportChannels(); });

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ListPanel"));
    // The panel is as wide as the list's columns, so that the columns never scroll sideways.
    panel->setFixedWidth(listview::fullWidth(list) + 4);
    auto *side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 0, 0, 0);
    auto *heading = new QLabel(QStringLiteral("List of available analogue and digital channels "), this);
    heading->setObjectName(QStringLiteral("HeadingLabel"));
    heading->setWordWrap(true);
    side->addWidget(heading);
    side->addWidget(m_panel->titleLabel());
    side->addLayout(m_panel->searchRow());
    side->addWidget(list, 1);
    auto *commands = new QHBoxLayout;
    commands->setSpacing(2);
    for (ListPanel::Button which :
        { ListPanel::AddButton, ListPanel::DeleteButton, ListPanel::ImportButton, ListPanel::ExportButton })
        commands->addWidget(m_panel->button(which), 1);
    side->addLayout(commands);
    side->addLayout(m_panel->moveRow());
    layout->addWidget(panel);
}

void ChannelsForm::createPopupMenu()
{
    using When = ListPanel::When;
    ListPanel &p = *m_panel;
    p.addEditEntries(
        "MenuItem", [this] { m_panel->copySelected(&copyChannels); }, [this] { pasteOver(); }, [this] { pasteNew(); });
    p.addMenuEntry("SetUnprotectedMenuItem", QStringLiteral("Set to unprotected"), When::Selection,
        [this] { setSelectionProtected(false); });
    p.addMenuEntry("SetProtectedMenuItem", QStringLiteral("Set to protected"), When::Selection,
        [this] { setSelectionProtected(true); });
    p.addMenuSeparator();
    p.addMenuEntry("CancelMenuItem", QStringLiteral("Cancel"), When::Open);
}

void ChannelsForm::pasteOver()
{
    const QList<int> rows = m_panel->selectedRows();
    const auto paste = [](FileImage &image, const QList<int> &over, const QByteArray &block) {
        return pasteChannelsOver(image, block, over);
    };
    if (!m_panel->pasteOver(paste))
        return;
    // The pasted-over channels stay selected.
    m_panel->refresh(true, m_panel->topRow());
    m_panel->selectRows(rows);
}

void ChannelsForm::pasteNew()
{
    const int first = m_panel->pasteNew(&pasteNewChannels);
    if (first < 0)
        return;
    m_panel->refresh(true, first);
    QList<int> rows;
    for (int row = first; row < m_panel->list()->topLevelItemCount(); ++row)
        rows.append(row);
    m_panel->selectRows(rows);
}

void ChannelsForm::pageRefresh()
{
    m_details->refreshChoices(currentImage());
    // Rebuilt at once rather than posted: the main window calls this outside any list
    // notification, and the list must never show another slot's channels.
    m_panel->reload();
}

void ChannelsForm::pageShown()
{
    m_panel->refresh(false, 0);
}

QString ChannelsForm::protectText(const FileImage &image, int row) const
{
    return m_protectedChannels.matches(channelName(image, row)) ? QStringLiteral("Yes") : QString();
}

void ChannelsForm::toggleProtection(int row)
{
    const QString name = channelName(*currentImage(), row).trimmed();
    if (!m_protectedChannels.remove(name))
        m_protectedChannels.add(name);
    m_panel->rewriteRows();
}

void ChannelsForm::setSelectionProtected(bool protect)
{
    const bool changed = m_panel->changeSelected([this, protect](FileImage &image, int row) {
        const QString name = channelName(image, row).trimmed();
        if (protect)
            m_protectedChannels.add(name);
        else
            m_protectedChannels.remove(name);
    });
    if (changed)
        m_panel->rewriteRows();
}

void ChannelsForm::sortByName()
{
    FileImage *image = currentImage();
    if (!image)
        return;
    m_panel->editor()->endEdit(true);
    sortChannels(*image, m_protectedChannels);
    m_panel->refresh(true, 0);
}

void ChannelsForm::importChannels()
{
    FileImage *image = currentImage();
    if (!image)
        return;
    QString filter = filefilters::csv;
    const QString fileName = dialogs().openListFile(this, store().current().fileName, kFileFilter, filter);
    if (fileName.isEmpty())
        return;
    m_panel->editor()->endEdit(true);
    const auto step = undoStep(QStringLiteral("Import channels"));
    const ChannelCsvResult result = importChannelsCsv(*image, fileName, m_protectedChannels);
    for (const QString &message : result.messages)
        prompts().message(QMessageBox::Critical, messageTitle(), message);
    if (result.value < 0)
        return;
    m_panel->refresh(true, 0);
    reportImport(result.summary(), result.skippedLines);
}

void ChannelsForm::exportChannels()
{
    const FileImage *image = currentImage();
    if (!image)
        return;
    QString filter = filefilters::csv;
    const QString fileName = dialogs().saveListFile(this, store().current().fileName, kFileFilter, filter);
    if (fileName.isEmpty())
        return;
    const ChannelCsvResult result = exportChannelsCsv(*image, withFilterExtension(fileName, filter));
    for (const QString &message : result.messages)
        prompts().message(QMessageBox::Critical, messageTitle(), message);
}
