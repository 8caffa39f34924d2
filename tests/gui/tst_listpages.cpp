#include "ChannelRecord.h"
#include "EditHistory.h"
#include "PageFixture.h"
#include "lists/GroupsForm.h"
#include "lists/ScanListsForm.h"
#include "lists/ZonesForm.h"

#include <QComboBox>
#include <QTest>

using namespace codeplug;
using testsupport::numbered;

// The three pages with a list of records, a pane of members and a pane of records still to add.
// Each fixture holds five records "L1".."L5" in the page's list, the first with members 7, 8, 9,
// 10, and forty contacts "C1".. (group calls) and channels "Ch1"...
namespace {

enum Page { Groups, Zones, ScanLists };

const MemberLayout &slotsOf(Page page)
{
    static const MemberLayout *const layouts[]
        = { &members::rxGroupListContacts, &members::zoneChannels, &members::scanListChannels };
    return *layouts[page];
}

void setSlots(FileImage &image, Page page, int record, const QList<int> &values)
{
    for (int slot = 0; slot < slotsOf(page).count; ++slot)
        image.setU16(slotsOf(page).memberOffset(record, slot), std::uint16_t(slot < values.size() ? values[slot] : 0));
}

QList<int> slotValues(const FileImage &image, Page page, int record)
{
    QList<int> values;
    for (int slot = 0; slot < slotsOf(page).count; ++slot) {
        if (const int value = image.u16(slotsOf(page).memberOffset(record, slot)))
            values.append(value);
    }
    return values;
}

QList<int> range(int first, int last)
{
    QList<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

testsupport::ImageBuilder pageImage(Page page)
{
    testsupport::ImageBuilder builder;
    numberedContacts(builder, 40);
    builder.records(lists::channels, numbered(QStringLiteral("Ch"), 40));
    builder.records(slotsOf(page).owner, numbered(QStringLiteral("L"), 5));
    setSlots(builder.image(), page, 0, { 7, 8, 9, 10 });
    return builder;
}

PageFixture makePage(Page page, std::optional<FileImage> image)
{
    if (page == Groups)
        return PageFixture::of<GroupsForm>(std::move(image));
    if (page == Zones)
        return PageFixture::of<ZonesForm>(std::move(image));
    return PageFixture::of<ScanListsForm>(std::move(image));
}

PageFixture makePage(Page page, const testsupport::ImageBuilder &builder)
{
    return makePage(page, std::optional<FileImage>(builder.image()));
}

QTreeWidget *pane(const PageFixture &p, const char *name)
{
    return p.child<QTreeWidget>(name);
}

QStringList columnOf(const PageFixture &p, const char *list, int column)
{
    QStringList texts;
    QTreeWidget *view = pane(p, list);
    for (int row = 0; row < view->topLevelItemCount(); ++row)
        texts.append(view->topLevelItem(row)->text(column));
    return texts;
}

void selectIn(const PageFixture &p, const char *list, const QList<int> &rows)
{
    QTreeWidget *view = pane(p, list);
    view->clearSelection();
    for (int row : rows)
        view->topLevelItem(row)->setSelected(true);
    PageFixture::settle();
}

QString label(const PageFixture &p, const char *name)
{
    return p.child<QLabel>(name)->text();
}

QComboBox *combo(const PageFixture &p, const char *name)
{
    return p.child<QComboBox>(name);
}

int historySteps(const PageFixture &p)
{
    return p.store.current().history().stepCount();
}

} // namespace

class ListPagesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void titles_data();
    void titles();
    void addMembers_data();
    void addMembers();
    void removeAndMoveMembers_data();
    void removeAndMoveMembers();
    void deleteWithRefusal_data();
    void deleteWithRefusal();
    void renameUnselectedRow();
    void groupContactsOnly();
    void channelModes();
    void scanListSettings();
    void removedPriorityMemberKeepsItsBytes();
};

void ListPagesTest::titles_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("members");
    QTest::addColumn<int>("available");
    const auto row = [](const char *name, Page page, bool open, QList<int> rows, const char *title, const char *members,
                         int available) {
        QTest::newRow(name) << page << open << rows << QString::fromLatin1(title) << QString::fromLatin1(members)
                            << available;
    };
    row("groups, none open", Groups, false, {}, "Groups .. up to 250. ", "Contact Members .. up to 32. ", 0);
    row("groups, one", Groups, true, { 0 }, "Groups .. used 5 of 250. 1 selected. ",
        "Contact Members .. used 4 of 32. ", 36);
    row("groups, two", Groups, true, { 0, 2 }, "Groups .. used 5 of 250. 2 selected. ", "Contact Members .. up to 32. ",
        0);
    row("zones, none open", Zones, false, {}, "Zones .. up to 250. ", "Channel Members .. up to 16 ", 0);
    row("zones, one", Zones, true, { 0 }, "Zones .. used 5 of 250. 1 selected. ", "Channel Members .. used 4 of 16 ",
        36);
    row("zones, two", Zones, true, { 0, 2 }, "Zones .. used 5 of 250. 2 selected. ", "Channel Members .. up to 16 ", 0);
    row("scan lists, none open", ScanLists, false, {}, "Scan Lists .. up to 250 ", "Channel Members .. up to 31 ", 0);
    row("scan lists, one", ScanLists, true, { 0 }, "Scan Lists .. used 5 of 250. 1 selected. ",
        "Channel Members .. used 4 of 31 ", 36);
    // With several scan lists the members title stays as the one list left it.
    row("scan lists, two", ScanLists, true, { 0, 2 }, "Scan Lists .. used 5 of 250. 2 selected. ",
        "Channel Members .. used 4 of 31 ", 0);
}

void ListPagesTest::titles()
{
    QFETCH(Page, page);
    QFETCH(bool, open);
    QFETCH(QList<int>, rows);
    PageFixture p = open ? makePage(page, pageImage(page)) : makePage(page, std::nullopt);
    if (open)
        p.select(rows);
    QTEST(p.title(), "title");
    QTEST(label(p, "MembersTitleLabel"), "members");
    QTEST(int(pane(p, "AvailableListView")->topLevelItemCount()), "available");
    QCOMPARE(label(p, "AvailableTitleLabel"), page == Groups ? "Available Contacts " : "Available Channels ");
    QCOMPARE(pane(p, "MemberListView")->topLevelItemCount(), rows.size() == 1 ? 4 : 0);
    QCOMPARE(pane(p, "MemberListView")->isEnabled(), !rows.isEmpty());
    QCOMPARE(p.button("AddBitBtn")->isEnabled(), open);
}

void ListPagesTest::addMembers_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<int>("capacity");
    QTest::newRow("groups") << Groups << 32;
    QTest::newRow("zones") << Zones << 16;
    QTest::newRow("scan lists") << ScanLists << 31;
}

// One short of full, a selected record to add enables the button; once full it stays disabled and
// a double-click adds nothing.
void ListPagesTest::addMembers()
{
    QFETCH(Page, page);
    QFETCH(int, capacity);
    testsupport::ImageBuilder builder = pageImage(page);
    setSlots(builder.image(), page, 0, range(1, capacity - 2));
    PageFixture p = makePage(page, builder);
    QPushButton *add = p.button("AddToMemberBitBtn");
    QVERIFY(!add->isEnabled());
    selectIn(p, "AvailableListView", { 0 });
    QVERIFY(add->isEnabled());
    const int steps = historySteps(p);
    QTest::mouseClick(add, Qt::LeftButton);
    PageFixture::settle();
    QCOMPARE(slotValues(p.image(), page, 0), range(1, capacity - 1));
    QCOMPARE(historySteps(p), steps + 1);

    listclicks::doubleClick(pane(p, "AvailableListView"), 0, 2);
    PageFixture::settle();
    QCOMPARE(slotValues(p.image(), page, 0), range(1, capacity));
    QCOMPARE(label(p, "MembersTitleLabel").contains(QStringLiteral("used %1 of").arg(capacity)), true);
    selectIn(p, "AvailableListView", { 0 });
    QVERIFY(!add->isEnabled());
    listclicks::doubleClick(pane(p, "AvailableListView"), 0, 2);
    PageFixture::settle();
    QCOMPARE(slotValues(p.image(), page, 0), range(1, capacity));
    QCOMPARE(p.image().u16(slotsOf(page).memberOffset(1, 0)), 0); // no other record touched
}

void ListPagesTest::removeAndMoveMembers_data()
{
    addMembers_data();
}

// Removing 8 and 9 from 7, 8, 9, 10 closes up; a member move shifts the members between and keeps
// the moved member selected; neither touches another byte of the record.
void ListPagesTest::removeAndMoveMembers()
{
    QFETCH(Page, page);
    PageFixture p = makePage(page, pageImage(page));
    const QByteArray before = testsupport::recordBytes(p.image(), slotsOf(page).owner, 0);
    QCOMPARE(columnOf(p, "MemberListView", 1), QStringList({ "7", "8", "9", "10" }));

    selectIn(p, "MemberListView", { 2 });
    QTest::mouseClick(p.button("MemberMoveUpBitBtn"), Qt::LeftButton);
    PageFixture::settle();
    QCOMPARE(slotValues(p.image(), page, 0), QList<int>({ 7, 9, 8, 10 }));
    QCOMPARE(listview::selectedRows(pane(p, "MemberListView")), QList<int> { 1 });
    pane(p, "MemberListView")->setFocus();
    QTest::keyClick(pane(p, "MemberListView"), Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    PageFixture::settle();
    QCOMPARE(slotValues(p.image(), page, 0), QList<int>({ 7, 8, 10, 9 }));
    QVERIFY(!p.button("MemberMoveDownBitBtn")->isEnabled());

    selectIn(p, "MemberListView", { 1, 2 });
    const int steps = historySteps(p);
    QTest::mouseClick(p.button("DeleteFromMemberBitBtn"), Qt::LeftButton);
    PageFixture::settle();
    QCOMPARE(slotValues(p.image(), page, 0), QList<int>({ 7, 9 }));
    QCOMPARE(historySteps(p), steps + 1);
    QCOMPARE(columnOf(p, "MemberListView", 1), QStringList({ "7", "9" }));
    QVERIFY(columnOf(p, "AvailableListView", 1).contains(QStringLiteral("8")));
    const QByteArray after = testsupport::recordBytes(p.image(), slotsOf(page).owner, 0);
    const int slots = slotsOf(page).firstMemberOffset;
    QCOMPARE(after.left(slots), before.left(slots));
    QCOMPARE(after.mid(slots + 2 * slotsOf(page).count), before.mid(slots + 2 * slotsOf(page).count));
}

void ListPagesTest::deleteWithRefusal_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("messages");
    const QStringList keptThird { "L1", "L2", "L3", "L5" };
    const QStringList deletedBoth { "L1", "L2", "L5" };
    QTest::newRow("groups, digital") << Groups << 2 << keptThird
                                     << QStringList { "Cannot delete group \"L3\".\n\nIt's used in channel \"Ch2\" "
                                                      "setting" };
    QTest::newRow("groups, analogue") << Groups << 1 << deletedBoth << QStringList {};
    QTest::newRow("zones") << Zones << 2 << deletedBoth << QStringList {};
    QTest::newRow("scan lists, analogue")
        << ScanLists << 1 << keptThird
        << QStringList { "Cannot delete scan list \"L3\".\n\nIt's used in channel \"Ch2\" setting" };
}

// Channel 2 refers to list 3; lists 3 and 4 are selected and the refusal is answered with OK.
void ListPagesTest::deleteWithRefusal()
{
    QFETCH(Page, page);
    QFETCH(int, mode);
    testsupport::ImageBuilder builder = pageImage(page);
    setChannelMode(builder.image(), 1, ChannelMode(mode));
    setChannelField(builder.image(), 1, channelfields::rxGroupList, 3);
    setChannelField(builder.image(), 1, channelfields::scanList, 3);
    PageFixture p = makePage(page, builder);
    p.prompts.answers = { QMessageBox::Ok };
    p.select({ 2, 3 });
    QTest::keyClick(p.list, Qt::Key_Delete);
    PageFixture::settle();
    QTEST(p.column(2), "names");
    QTEST(p.prompts.texts(), "messages");
    for (const auto &shown : std::as_const(p.prompts.shown))
        QCOMPARE(shown.caption, QStringLiteral("Opps"));
}

// The member panes follow the new selection after the editor opened; the edit stays open.
void ListPagesTest::renameUnselectedRow()
{
    PageFixture p = makePage(Zones, pageImage(Zones));
    p.doubleClick(1, 1);
    PageFixture::settle();
    QVERIFY(p.edit()->isVisible());
    QCOMPARE(pane(p, "MemberListView")->topLevelItemCount(), 0);
    p.edit()->setText(QStringLiteral("Hills"));
    QTest::keyClick(p.edit(), Qt::Key_Return);
    QCOMPARE(p.column(2), QStringList({ "L1", "Hills", "L3", "L4", "L5" }));
}

// Private and all calls are never offered, but a list that holds one still shows it.
void ListPagesTest::groupContactsOnly()
{
    testsupport::ImageBuilder builder = pageImage(Groups);
    writeContact(builder.image(), 40, 900, PrivateCall, false, QStringLiteral("Private"));
    writeContact(builder.image(), 41, 901, AllCall, false, QStringLiteral("All"));
    setSlots(builder.image(), Groups, 0, { 41, 7 });
    PageFixture p = makePage(Groups, builder);
    QCOMPARE(columnOf(p, "MemberListView", 2), QStringList({ "Private", "C7" }));
    QCOMPARE(columnOf(p, "MemberListView", 3), QStringList({ "900", "107" }));
    QVERIFY(!columnOf(p, "AvailableListView", 2).contains(QStringLiteral("All")));
    QCOMPARE(pane(p, "AvailableListView")->topLevelItemCount(), 39);
}

// Channels of every mode are offered; a nameless channel is not, but stays listed as a member.
void ListPagesTest::channelModes()
{
    testsupport::ImageBuilder builder = pageImage(Zones);
    setChannelMode(builder.image(), 0, ChannelMode::Digital);
    setChannelMode(builder.image(), 1, ChannelMode::Analogue);
    builder.u8(lists::channels.recordOffset(2), 3);
    builder.emptied(lists::channels, 39);
    setSlots(builder.image(), Zones, 0, { 1, 2, 3, 40 });
    PageFixture p = makePage(Zones, builder);
    QCOMPARE(columnOf(p, "MemberListView", 3).mid(0, 3), QStringList({ "Digital", "Analogue", "Unknown 3" }));
    QCOMPARE(columnOf(p, "MemberListView", 2).last(), QString());
    QCOMPARE(pane(p, "AvailableListView")->topLevelItemCount(), 36);
}

// A new scan list's settings; three selected take a sample time together while the channel boxes
// offer nothing.
void ListPagesTest::scanListSettings()
{
    PageFixture p = makePage(ScanLists, pageImage(ScanLists));
    QTest::mouseClick(p.button("AddBitBtn"), Qt::LeftButton);
    PageFixture::settle();
    QCOMPARE(p.selected(), QList<int> { 5 });
    QCOMPARE(combo(p, "PriorityChannel1ComboBox")->currentText(), QStringLiteral("None"));
    QCOMPARE(combo(p, "PriorityChannel2ComboBox")->currentText(), QStringLiteral("None"));
    QCOMPARE(combo(p, "TxDesignatedChannelComboBox")->currentText(), QStringLiteral("Last Active Channel"));
    QCOMPARE(combo(p, "TxDesignatedChannelComboBox")->count(), 42);
    QCOMPARE(combo(p, "SignallingHoldTimeComboBox")->currentText(), QStringLiteral("500 ms"));
    QCOMPARE(combo(p, "PrioritySampleTimeComboBox")->currentText(), QStringLiteral("2000 ms"));
    QCOMPARE(combo(p, "SignallingHoldTimeComboBox")->count(), 254);
    QCOMPARE(combo(p, "PrioritySampleTimeComboBox")->count(), 29);

    p.image().setU8(lists::scanLists.recordOffset(1) + 40, 12);
    p.select({ 0, 1, 5 });
    QComboBox *sample = combo(p, "PrioritySampleTimeComboBox");
    QCOMPARE(sample->currentIndex(), -1);
    for (const char *name : { "PriorityChannel1ComboBox", "PriorityChannel2ComboBox", "TxDesignatedChannelComboBox" })
        QCOMPARE(combo(p, name)->count(), 0);
    sample->setCurrentIndex(sample->findText(QStringLiteral("2000 ms")));
    for (int record : { 0, 1, 5 })
        QCOMPARE(p.image().u8(lists::scanLists.recordOffset(record) + 40), 8);
    QCOMPARE(p.image().u16(lists::scanLists.recordOffset(1) + 32), 0xFFFF);
}

// The page leaves the priority channel as it is when its member goes; its box then shows nothing.
void ListPagesTest::removedPriorityMemberKeepsItsBytes()
{
    PageFixture p = makePage(ScanLists, pageImage(ScanLists));
    QComboBox *priority = combo(p, "PriorityChannel1ComboBox");
    QCOMPARE(priority->count(), 6);
    priority->setCurrentIndex(priority->findData(8));
    QCOMPARE(p.image().u16(lists::scanLists.recordOffset(0) + 32), 8);
    selectIn(p, "MemberListView", { 1 });
    QTest::mouseClick(p.button("DeleteFromMemberBitBtn"), Qt::LeftButton);
    PageFixture::settle();
    QCOMPARE(slotValues(p.image(), ScanLists, 0), QList<int>({ 7, 9, 10 }));
    QCOMPARE(p.image().u16(lists::scanLists.recordOffset(0) + 32), 8);
    QCOMPARE(priority->currentIndex(), -1);
    QCOMPARE(priority->count(), 5);
}

QTEST_MAIN(ListPagesTest)
#include "tst_listpages.moc"
