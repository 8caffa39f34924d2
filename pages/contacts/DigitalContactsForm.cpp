#include "DigitalContactsForm.h"

#include "CodePlugStore.h"
#include "ContactFiles.h"
#include "ContactList.h"
#include "ContactRecord.h"
#include "ContactRows.h"
#include "FileDialogs.h"
#include "ListPanel.h"
#include "Prompts.h"
#include "UserDatabase.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
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
QString contactFileFilters()
{
    return filefilters::join({ filefilters::text, filefilters::csv, filefilters::all });
}

InPlaceEditor::KeyFilter digitsOnly()
{
    return [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
}

} // namespace

DigitalContactsForm::DigitalContactsForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_splitter(new QSplitter(Qt::Horizontal, this))
    , m_showNoButton(new QPushButton(QStringLiteral("Show \"No\""), this))
    , m_databasePanel(new UserDatabasePanel(
          { context.prompts, context.messageTitle, [this] { return static_cast<const FileImage *>(currentImage()); },
              [this](std::span<const DmrUserEntry> entries) { addUsers(entries); } },
          this))
{
    UpdatingScope updating(*this);
    setObjectName(QStringLiteral("DigitalContactsForm"));
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_showNoButton->setObjectName(QStringLiteral("ShowNoSpeedButton"));

    ListPanel::Setup setup;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    setup.columns
        = { { QStringLiteral("No."), 44, Qt::AlignCenter }, { QStringLiteral("Name"), listview::kFullNameWidth, left },
              { QStringLiteral("ID"), 76, left }, { QStringLiteral("Type"), 92, left },
              { QStringLiteral("Rx Tone"), 60, Qt::AlignCenter }, { QStringLiteral("Protect"), 60, Qt::AlignCenter } };
    setup.titlePrefix = QStringLiteral("Contacts");
    setup.capacity = kMaxContacts;
    setup.emptyTitle = QStringLiteral("Contacts .. up to %1. ").arg(kMaxContacts);
    setup.initialTitle = QStringLiteral("Contacts .. up to %1 ").arg(kMaxContacts);
    setup.parts = ListPanel::EditButtons | ListPanel::MoveButtons | ListPanel::FileButtons | ListPanel::Search
        | ListPanel::Keys | ListPanel::Popup;
    setup.searchTicks = kSearchDelayTicks;
    setup.menuName = QStringLiteral("ContactsPopupMenu");
    setup.clipboardFormat = kContactClipboardFormat;
    setup.rowCount = &contactCount;
    setup.cells
        = [this](const FileImage &image, int row) { return contactCellTexts(image, row, m_protectedIds, m_showNo); };
    // Only the contact half rests while the slot is empty: the database half works without a code plug.
    setup.refreshed = [this](const FileImage *image) { m_showNoButton->setEnabled(image != nullptr); };
    setup.add = [](FileImage &image) { return addContact(image); };
    setup.insert = &insertContact;
    setup.remove = [this](FileImage &image, const QList<int> &rows) -> std::optional<int> {
        const ContactDeletion deletion = deleteContacts(image, rows, m_protectedIds,
            [this](const QString &message) { return prompts().askOkCancel(kRefusalCaption, message); });
        return deletion.deleted > 0 ? std::optional<int>(deletion.selectRow) : std::nullopt;
    };
    setup.move = &moveContacts;
    setup.addTitlePrefix = QStringLiteral("Contact List");
    m_panel = new ListPanel(*this, setup);

    QTreeWidget *list = m_panel->list();
    // The name takes any spare width; a click on a column title sorts by that column.
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    list->setMinimumWidth(listview::fullWidth(list));
    m_panel->onHeaderClick([this](int column) { sortByColumn(column); });
    m_showNoButton->setCheckable(true);
    m_showNoButton->setAutoDefault(false);
    m_panel->searchEdit()->setClearButtonEnabled(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_splitter);
    m_splitter->addWidget(createContactsPanel());
    m_splitter->addWidget(m_databasePanel);
    // The contact list keeps its width; a wider window widens the database half.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);

    createPopupMenu();
    connectCells();
    connect(m_showNoButton, &QPushButton::toggled, this, [this](bool on) {
        if (!isUpdating())
            setShowNo(on);
    });
    connect(m_panel->button(ListPanel::ImportButton), &QPushButton::clicked, this, [this] { importContacts(); });
    connect(m_panel->button(ListPanel::ExportButton), &QPushButton::clicked, this, [this] { exportContacts(); });
}

QWidget *DigitalContactsForm::createContactsPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ContactsPanel"));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *top = new QHBoxLayout;
    top->addWidget(m_panel->titleLabel(), 1);
    top->addWidget(m_showNoButton);
    layout->addLayout(top);
    layout->addWidget(m_panel->list(), 1);

    auto *rows = new QWidget(panel);
    rows->setObjectName(QStringLiteral("ButtonPanel"));
    auto *lines = new QVBoxLayout(rows);
    lines->setContentsMargins(0, 0, 0, 0);
    auto *edit = new QHBoxLayout;
    edit->addWidget(m_panel->button(ListPanel::AddButton));
    edit->addWidget(m_panel->button(ListPanel::DeleteButton));
    edit->addSpacing(12);
    edit->addLayout(m_panel->moveRow());
    edit->addStretch(1);
    lines->addLayout(edit);
    auto *files = new QHBoxLayout;
    files->addWidget(m_panel->button(ListPanel::ImportButton));
    files->addWidget(m_panel->button(ListPanel::ExportButton));
    files->addSpacing(12);
    files->addLayout(m_panel->searchRow(), 1);
    lines->addLayout(files);
    layout->addWidget(rows);
    return panel;
}

void DigitalContactsForm::createPopupMenu()
{
    using When = ListPanel::When;
    ListPanel &p = *m_panel;
    const auto setType = [this](int code) {
        return [this, code] {
            m_panel->changeSelected([code](FileImage &image, int row) { setContactCallType(image, row, code); });
        };
    };
    const auto setTone = [this](bool on) {
        return [this, on] {
            m_panel->changeSelected([on](FileImage &image, int row) { setContactRxTone(image, row, on); });
        };
    };
    p.addEditEntries(
        "1", [this] { m_panel->copySelected(&copyContacts); }, [this] { pasteOver(); }, [this] { pasteNew(); });
    p.addMenuEntry("SetToGroupCall1", QStringLiteral("Set to Group Call"), When::Selection, setType(GroupCall));
    p.addMenuEntry("SetToPrivateCall1", QStringLiteral("Set to Private Call"), When::Selection, setType(PrivateCall));
    p.addMenuEntry("SetToAllCall1", QStringLiteral("Set to All Call"), When::Selection, setType(AllCall));
    p.addMenuSeparator();
    p.addMenuEntry("SetToNoRxTone1", QStringLiteral("Set to No Rx Tone"), When::Selection, setTone(false));
    p.addMenuEntry("SetToRxTone1", QStringLiteral("Set to Rx Tone"), When::Selection, setTone(true));
    p.addMenuSeparator();
    p.addMenuEntry("SetToUnprotected1", QStringLiteral("Set to unprotected"), When::Selection,
        [this] { setSelectedProtection(false); });
    p.addMenuEntry("SetToProtected1", QStringLiteral("Set to protected"), When::Selection,
        [this] { setSelectedProtection(true); });
    p.addMenuSeparator();
    p.addMenuEntry("MoveUp1", QStringLiteral("Move Up"), When::Selection, [this] { m_panel->moveSelected(+1); });
    p.addMenuEntry("MoveDown1", QStringLiteral("Move Down"), When::Selection, [this] { m_panel->moveSelected(-1); });
    p.addMenuSeparator();
    p.addMenuEntry("Cancel1", QStringLiteral("Cancel"), When::Always);
}

void DigitalContactsForm::connectCells()
{
    m_panel->onDoubleClick(kNameColumn, [this](int row) {
        m_panel->editName(row, kNameColumn, [](FileImage &image, int edited, const QString &text) {
            // An empty name would free the record in the middle of the list.
            if (text.isEmpty() || !isContactUsed(image, edited))
                return false;
            setContactName(image, edited, text);
            return true;
        });
    });
    m_panel->onDoubleClick(kIdColumn, [this](int row) {
        m_panel->editCell(
            row, kIdColumn, kIdEditLength, digitsOnly(), [](FileImage &image, int edited, const QString &text) {
                std::uint32_t id = 0;
                return parseContactId(text, id) && setContactId(image, edited, id);
            });
    });
    m_panel->onDoubleClick(kTypeColumn, [this](int row) {
        FileImage &image = *currentImage();
        setContactCallType(image, row, nextCallType(contactCallType(image, row)));
        m_panel->rewriteRow(row);
    });
    m_panel->onDoubleClick(kRxToneColumn, [this](int row) {
        setContactRxTone(*currentImage(), row, !contactRxTone(*currentImage(), row));
        m_panel->rewriteRow(row);
    });
    // Protection follows the ID: every contact with that ID shows it, not only the clicked one.
    m_panel->onDoubleClick(kProtectColumn, [this](int row) {
        const std::uint32_t id = contactId(*currentImage(), row);
        if (!m_protectedIds.remove(id))
            m_protectedIds.add(id);
        m_panel->rewriteRows();
    });
}

// --- refresh ---------------------------------------------------------------------------------------

void DigitalContactsForm::pageRefresh()
{
    m_panel->reload();
    m_databasePanel->updateAddButton();
}

void DigitalContactsForm::pageShown()
{
    m_panel->refresh(false, 0);
    m_databasePanel->ensureLoaded();
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
    m_panel->post(true, m_panel->topRow());
}

// --- commands --------------------------------------------------------------------------------------

void DigitalContactsForm::sortByColumn(int column)
{
    FileImage *image = currentImage();
    QTreeWidget *list = m_panel->list();
    if (!image || column <= 0 || column >= list->columnCount())
        return;
    const std::optional<ContactSortKey> key = contactSortKeyForColumn(list->headerItem()->text(column));
    if (!key)
        return;
    m_panel->editor()->endEdit(true);
    sortContacts(*image, *key, m_protectedIds);
    m_panel->post(true, 0);
}

void DigitalContactsForm::setSelectedProtection(bool on)
{
    const bool changed = m_panel->changeSelected([this, on](FileImage &image, int row) {
        if (on)
            m_protectedIds.add(contactId(image, row));
        else
            m_protectedIds.remove(contactId(image, row));
    });
    if (changed)
        m_panel->rewriteRows();
}

void DigitalContactsForm::pasteOver()
{
    if (m_panel->pasteOver(&pasteContactsOver))
        m_panel->post(true, m_panel->topRow());
}

void DigitalContactsForm::pasteNew()
{
    const int first = m_panel->pasteNew([](FileImage &image, const QByteArray &block) {
        const ContactPaste paste = pasteNewContacts(image, block);
        return paste.count > 0 ? paste.first : -1;
    });
    if (first >= 0)
        m_panel->post(true, first);
}

void DigitalContactsForm::importContacts()
{
    if (!codePlugOpen())
        return;
    m_panel->editor()->endEdit(true);
    QString filter = filefilters::csv;
    const QString fileName = dialogs().openListFile(this, store().current().fileName, contactFileFilters(), filter);
    FileImage *image = currentImage();
    if (fileName.isEmpty() || !image)
        return;
    const auto step = undoStep(QStringLiteral("Import contacts"));
    const ContactFileResult result = codeplug::importContacts(*image, fileName, m_protectedIds);
    m_panel->refresh(true, 0);
    if (result.ok())
        reportImport(result.summary(), result.skippedLines);
    if (!result.message.isEmpty())
        prompts().error(kContactFileCaption, result.message);
}

void DigitalContactsForm::exportContacts()
{
    if (!codePlugOpen())
        return;
    m_panel->editor()->endEdit(true);
    QString filter = filefilters::csv;
    const QString fileName = dialogs().saveListFile(this, store().current().fileName, contactFileFilters(), filter);
    const FileImage *image = currentImage();
    if (fileName.isEmpty() || !image)
        return;
    const ContactFileResult result = codeplug::exportContacts(*image, withFilterExtension(fileName, filter));
    if (!result.message.isEmpty())
        prompts().error(kContactFileCaption, result.message);
}

void DigitalContactsForm::addUsers(std::span<const DmrUserEntry> entries)
{
    FileImage *image = currentImage();
    if (!image)
        return;
    m_panel->editor()->endEdit(true);
    const int top = m_panel->topRow();
    const auto step = undoStep(QStringLiteral("Add contacts from the user database"));
    addUsersToContacts(*image, entries, m_protectedIds, m_databasePanel->progress());
    m_panel->refresh(true, top);
}
