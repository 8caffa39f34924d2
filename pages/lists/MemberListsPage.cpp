#include "MemberListsPage.h"

#include "ChannelRecord.h"
#include "ListPanel.h"
#include "MemberLists.h"
#include "Prompts.h"
#include "RecordList.h"
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
const QString kRefusalCaption = QStringLiteral("Opps");

QPushButton *arrowButton(QWidget *page, const char *name, const QString &glyph, const QString &tip)
{
    auto *button = new QPushButton(glyph, page);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout *buttonRow(std::initializer_list<QWidget *> buttons)
{
    auto *row = new QHBoxLayout;
    for (QWidget *button : buttons)
        row->addWidget(button);
    row->addStretch(1);
    return row;
}

} // namespace

QStringList channelMemberCells(const FileImage &image, int number)
{
    return { QString::number(number), channelName(image, number - 1), channelModeText(image, number - 1) };
}

MemberListsPage::MemberListsPage(const PageContext &context, const MemberPageTexts &texts, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_texts(texts)
    , m_addToMember(arrowButton(this, "AddToMemberBitBtn", QStringLiteral("\u2192"), QStringLiteral("Add to members")))
    , m_deleteFromMember(
          arrowButton(this, "DeleteFromMemberBitBtn", QStringLiteral("\u2190"), QStringLiteral("Remove from members")))
    , m_label1(new QLabel(texts.label1, this))
{
    setObjectName(QLatin1String(texts.objectName));
    m_label1->setObjectName(QStringLiteral("Label1"));
    createPanels();
    layOut();
    connect(m_addToMember, &QPushButton::clicked, this, [this] { addSelectedMembers(); });
    connect(m_deleteFromMember, &QPushButton::clicked, this, [this] { removeSelectedMembers(); });
}

void MemberListsPage::createPanels()
{
    createRecordPanel();
    if (m_texts.groupsPopup)
        createGroupsMenu();
    createMemberPanes();
}

void MemberListsPage::createRecordPanel()
{
    const ListDescriptor &list = m_texts.members.list;
    ListPanel::Setup setup;
    setup.columns = { { QStringLiteral("No."), 40, Qt::AlignCenter }, { QStringLiteral("Name"), 0 } };
    setup.titlePrefix = m_texts.titlePrefix;
    setup.capacity = list.layout.count;
    setup.emptyTitle = m_texts.emptyTitle;
    setup.initialTitle = m_texts.initialTitle;
    setup.parts = ListPanel::EditButtons | ListPanel::StepButtons | ListPanel::Keys;
    if (m_texts.groupsPopup)
        setup.parts |= ListPanel::Popup;
    setup.menuName = QStringLiteral("PopupMenu1");
    setup.rowCount = ListPanel::usedRows(list.layout);
    setup.cells = [&list](const FileImage &image, int row) {
        return QStringList { QString::number(row + 1), recordName(image, list.layout, row) };
    };
    setup.refreshed = [this](const FileImage *image) {
        setEnabled(image != nullptr);
        showMembers();
    };
    setup.add = [&list](FileImage &image) { return RecordList(image, list).add(); };
    setup.remove = [this, &list](FileImage &image, const QList<int> &rows) -> std::optional<int> {
        const ListResult result = RecordList(image, list).remove(rows, {}, [this](const QString &message) {
            return prompts().askOkCancel(kRefusalCaption, message);
        });
        return result.count > 0 ? std::optional<int>(result.row) : std::nullopt;
    };
    setup.move = [&list](FileImage &image, const QList<int> &rows, int step) {
        return RecordList(image, list).moveSelection(rows, step);
    };
    m_panel = new ListPanel(*this, setup);
    // Wherever in the row the double-click fell, the name is the one field to edit.
    m_panel->onDoubleClick(-1, [this, &list](int row) {
        if (trimControl(m_panel->list()->topLevelItem(row)->text(kNameColumn)).isEmpty())
            return;
        m_panel->editName(row, kNameColumn, [&list](FileImage &image, int edited, const QString &text) {
            return renameRecord(image, list.layout, edited, text);
        });
    });
}

// Group lists do not go through the clipboard: the entries are there, never offered.
void MemberListsPage::createGroupsMenu()
{
    m_panel->addMenuEntry("Copy", QStringLiteral("Copy"), ListPanel::When::Never);
    m_panel->addMenuEntry("PasteInsert", QStringLiteral("Paste Insert"), ListPanel::When::Never);
    m_panel->addMenuEntry("PasteOver", QStringLiteral("Paste Over"), ListPanel::When::Never);
    m_panel->addMenuEntry("PasteNew", QStringLiteral("Paste New"), ListPanel::When::Never);
    m_panel->addMenuSeparator();
    m_panel->addMenuEntry("Cancel", QStringLiteral("Cancel"), ListPanel::When::Always);
}

// Both panes follow the record list's selection and share its timer and editors.
void MemberListsPage::createMemberPanes()
{
    ListPanel::Setup pane;
    pane.columns = m_texts.memberColumns;
    pane.companion = m_panel;
    pane.selectFirst = false;
    pane.refreshed = [this](const FileImage *) { updateMemberButtons(); };

    ListPanel::Setup available = pane;
    available.namePrefix = QStringLiteral("Available");
    available.titleName = QStringLiteral("AvailableTitleLabel");
    available.initialTitle = m_texts.availableTitle;
    available.title = [](int, int) { return QString(); }; // a fixed title
    available.rows = [this](const FileImage &) { return memberRows(false); };
    m_available = new ListPanel(*this, available);
    m_available->onDoubleClick(-1, [this](int) { addSelectedMembers(); });

    ListPanel::Setup members = pane;
    members.namePrefix = QStringLiteral("Member");
    members.titleName = QStringLiteral("MembersTitleLabel");
    members.titlePrefix = QStringLiteral("Members"); // names the undo step of a member move
    members.initialTitle = m_texts.membersInitialTitle;
    members.parts = ListPanel::StepButtons | ListPanel::Keys;
    members.title = [this](int rows, int) { return membersTitle(rows); };
    members.rows = [this](const FileImage &) { return memberRows(true); };
    members.move = [this](FileImage &image, const QList<int> &rows, int step) {
        const int record = selectedRecord();
        return record < 0 ? rows : MemberList(image, m_texts.members, record).move(rows, step);
    };
    m_members = new ListPanel(*this, members);
    m_members->onDoubleClick(-1, [this](int) { removeSelectedMembers(); });
    // The name takes what the narrow panes leave, so that no pane needs a horizontal scroll bar.
    for (const ListPanel *member : { m_available, m_members }) {
        QHeaderView *header = member->list()->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    }
}

// Three columns of title, list and buttons, on one grid so that the lists line up; the arrows
// between the available records and the members.
void MemberListsPage::layOut()
{
    auto *panes = new QGridLayout;
    const ListPanel *columns[] = { m_panel, m_available, nullptr, m_members };
    for (int column = 0; column < 4; ++column) {
        if (!columns[column])
            continue;
        panes->addWidget(columns[column]->titleLabel(), 0, column);
        panes->addWidget(columns[column]->list(), 1, column);
    }
    panes->addLayout(buttonRow({ m_panel->button(ListPanel::AddButton), m_panel->button(ListPanel::DeleteButton),
                         m_panel->button(ListPanel::MoveUpButton), m_panel->button(ListPanel::MoveDownButton) }),
        2, 0);
    panes->addLayout(
        buttonRow({ m_members->button(ListPanel::MoveUpButton), m_members->button(ListPanel::MoveDownButton) }), 2, 3);
    auto *arrows = new QVBoxLayout;
    arrows->addStretch(1);
    arrows->addWidget(m_addToMember);
    arrows->addWidget(m_deleteFromMember);
    arrows->addStretch(1);
    panes->addLayout(arrows, 1, 2);
    panes->setRowStretch(1, 1);
    panes->setColumnStretch(0, 3);
    panes->setColumnStretch(1, 5);
    panes->setColumnStretch(3, 5);
    for (QPushButton *button : { m_addToMember, m_deleteFromMember, m_panel->button(ListPanel::MoveUpButton),
             m_panel->button(ListPanel::MoveDownButton), m_members->button(ListPanel::MoveUpButton),
             m_members->button(ListPanel::MoveDownButton) })
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 16);
    // Narrower than the usual buttons, so that the member panes get the width.
    for (QPushButton *button : { m_panel->button(ListPanel::AddButton), m_panel->button(ListPanel::DeleteButton) })
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("Delete")) + 24);

    // Left to right, as the panes stand (the arrow buttons are made before the panes).
    const QList<QWidget *> order { m_panel->list(), m_panel->button(ListPanel::AddButton),
        m_panel->button(ListPanel::DeleteButton), m_available->list(), m_addToMember, m_deleteFromMember,
        m_members->list() };
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));

    m_extra = new QGridLayout;
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addLayout(m_extra);
    layout->addWidget(m_label1);
}

int MemberListsPage::selectedRecord() const
{
    const QList<int> rows = m_panel->selectedRows();
    return rows.size() == 1 ? rows.first() : -1;
}

void MemberListsPage::refreshPage(bool rebuild, int top)
{
    m_panel->refresh(rebuild, top);
}

void MemberListsPage::refreshLater()
{
    m_panel->post(false, 0);
}

void MemberListsPage::reloadLater()
{
    // An open editor's value belongs to what the slot held before, and an empty slot's page rests
    // at once.
    m_panel->editor()->endEdit(false);
    setEnabled(codePlugOpen());
    m_panel->post(true, 0);
}

// The rows of the member pane or of the available pane, for the one selected record.
QList<QStringList> MemberListsPage::memberRows(bool members) const
{
    FileImage *image = currentImage();
    const int record = selectedRecord();
    QList<QStringList> rows;
    if (!image || record < 0)
        return rows;
    const MemberList list(*image, m_texts.members, record);
    for (int number : members ? list.members() : list.available())
        rows.append(m_texts.memberCells(*image, number));
    return rows;
}

QString MemberListsPage::membersTitle(int rows) const
{
    const qsizetype selected = m_panel->selectedRows().size();
    if (selected > 1)
        return m_texts.membersUpTo;
    return selected == 1 ? m_texts.membersUsed.arg(rows) : QString();
}

void MemberListsPage::showMembers()
{
    if (!m_members || !m_available)
        return;
    m_members->refresh(true, 0);
    m_available->refresh(true, 0);
    selectionShown(currentImage());
}

void MemberListsPage::updateMemberButtons()
{
    if (!m_members || !m_available)
        return;
    const bool selected = codePlugOpen() && !m_panel->selectedRows().isEmpty();
    for (QWidget *pane :
        { static_cast<QWidget *>(m_available->titleLabel()), static_cast<QWidget *>(m_available->list()),
            static_cast<QWidget *>(m_members->titleLabel()), static_cast<QWidget *>(m_members->list()) })
        pane->setEnabled(selected);
    const bool room = m_members->list()->topLevelItemCount() < m_texts.members.slots.count;
    m_addToMember->setEnabled(selected && room && !m_available->selectedRows().isEmpty());
    m_deleteFromMember->setEnabled(selected && !m_members->selectedRows().isEmpty());
}

QList<int> MemberListsPage::selectedNumbers(const ListPanel *pane) const
{
    QList<int> numbers;
    for (int row : pane->selectedRows())
        numbers.append(pane->list()->topLevelItem(row)->text(1).toInt());
    return numbers;
}

void MemberListsPage::addSelectedMembers()
{
    if (codePlugOpen() && m_members->list()->topLevelItemCount() >= m_texts.members.slots.count) {
        m_addToMember->setEnabled(false);
        m_deleteFromMember->setEnabled(true);
        return;
    }
    // Members that find no free slot stay out, without a word.
    changeMembers(QStringLiteral("Add members"), m_available,
        [](MemberList &members, const QList<int> &numbers) { members.add(numbers); });
}

void MemberListsPage::removeSelectedMembers()
{
    changeMembers(QStringLiteral("Remove members"), m_members,
        [](MemberList &members, const QList<int> &numbers) { members.remove(numbers); });
}

// One undo step that changes the members of the one selected record with the numbers selected in
// `pane`, then refreshes the member panes.
void MemberListsPage::changeMembers(
    const QString &name, const ListPanel *pane, const std::function<void(MemberList &, const QList<int> &)> &change)
{
    const auto step = undoStep(name);
    FileImage *image = currentImage();
    const int record = selectedRecord();
    const QList<int> numbers = selectedNumbers(pane);
    if (!image || record < 0 || numbers.isEmpty())
        return;
    m_panel->editor()->endEdit(true);
    MemberList members(*image, m_texts.members, record);
    change(members, numbers);
    refreshLater();
}
