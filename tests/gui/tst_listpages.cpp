#include "ChannelRecord.h"
#include "PageFixture.h"
#include "lists/EmergencySystemForm.h"
#include "lists/GroupsForm.h"
#include "lists/ScanListsForm.h"
#include "lists/ZonesForm.h"

using namespace codeplug;
using testsupport::numbered;

// The three pages with a list of records, a pane of members and a pane of records still to add.
// Each fixture holds five records "L1".."L5" in the page's list, the first with members 7, 8, 9,
// 10, and forty contacts "C1".. (group calls) and channels "Ch1"... Then what the emergency systems
// page adds to the list panel: a new system's cells, the deletion refusal of a digital channel and
// the channels following moved systems.
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

FileImage pageImage(Page page)
{
    testsupport::ImageBuilder builder;
    numberedContacts(builder, 40);
    builder.records(lists::channels, numbered(QStringLiteral("Ch"), 40));
    builder.records(slotsOf(page).owner, numbered(QStringLiteral("L"), 5));
    setSlots(builder.image(), page, 0, { 7, 8, 9, 10 });
    return builder.image();
}

PageFixture makePage(Page page, std::optional<FileImage> image)
{
    using Open = PageFixture (*)(std::optional<FileImage>);
    static const Open pages[]
        = { &PageFixture::of<GroupsForm>, &PageFixture::of<ZonesForm>, &PageFixture::of<ScanListsForm> };
    return pages[page](std::move(image));
}

constexpr int kChannel1 = 127013;

// Systems S1..S4; channels D1 (digital, system 2), A2 (analogue, system 3), D3 (digital, system 4).
FileImage emergencyImage()
{
    testsupport::ImageBuilder builder;
    builder.records(lists::emergencySystems, testsupport::numbered(QStringLiteral("S"), 4));
    builder.records(lists::channels, { "D1", "A2", "D3" });
    for (int i = 0; i < 3; ++i) {
        builder.u8(kChannel1 + 64 * i, i == 1 ? 0x01 : 0x02); // mode
        builder.u8(kChannel1 + 64 * i + 10, std::uint8_t(i + 2));
    }
    return builder.image();
}

QList<int> channelSystems(const FileImage &image)
{
    return { image.u8(kChannel1 + 10), image.u8(kChannel1 + 74), image.u8(kChannel1 + 138) };
}

} // namespace

class ListPagesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // With two lists selected the member panes are empty. The list's own title is the panel's.
    void membersTitle_data()
    {
        QTest::addColumn<Page>("page");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("members");
        const auto row = [](const char *name, Page page, QList<int> rows, const char *members) {
            QTest::newRow(name) << page << rows << QString::fromLatin1(members);
        };
        row("groups, one", Groups, { 0 }, "Contact Members .. used 4 of 32. ");
        row("groups, two", Groups, { 0, 2 }, "Contact Members .. up to 32. ");
        row("zones, one", Zones, { 0 }, "Channel Members .. used 4 of 16 ");
        // With several scan lists the members title stays as the one list left it.
        row("scan lists, two", ScanLists, { 0, 2 }, "Channel Members .. used 4 of 31 ");
    }

    void membersTitle()
    {
        QFETCH(Page, page);
        QFETCH(QList<int>, rows);
        PageFixture p = makePage(page, pageImage(page));
        p.select(rows);
        QTEST(p.child<QLabel>("MembersTitleLabel")->text(), "members");
        QCOMPARE(p.view("MemberListView")->topLevelItemCount(), rows.size() == 1 ? 4 : 0);
        QCOMPARE(p.view("AvailableListView")->topLevelItemCount(), rows.size() == 1 ? 36 : 0);
    }

    // One short of full, a selected record to add enables the button; once full it stays disabled
    // and a double-click adds nothing.
    void addMembers_data()
    {
        QTest::addColumn<Page>("page");
        QTest::addColumn<int>("capacity");
        QTest::newRow("groups") << Groups << 32;
        QTest::newRow("zones") << Zones << 16;
        QTest::newRow("scan lists") << ScanLists << 31;
    }

    void addMembers()
    {
        QFETCH(Page, page);
        QFETCH(int, capacity);
        QList<int> full;
        for (int member = 1; member <= capacity; ++member)
            full.append(member);
        FileImage image = pageImage(page);
        setSlots(image, page, 0, full.mid(0, capacity - 1));
        PageFixture p = makePage(page, image);
        QTreeWidget *available = p.view("AvailableListView");
        QPushButton *add = p.button("AddToMemberBitBtn");
        p.select({ 0 }, available);
        QVERIFY(add->isEnabled());
        QTest::mouseClick(add, Qt::LeftButton);
        PageFixture::settle();
        QCOMPARE(slotValues(p.image(), page, 0), full);
        p.select({ 0 }, available);
        QVERIFY(!add->isEnabled());
        listclicks::doubleClick(available, 0, 2);
        PageFixture::settle();
        QCOMPARE(slotValues(p.image(), page, 0), full);
    }

    // The member panes are one mechanism (the close-up is the core's, the move keys the list panel's):
    // tried on the groups page. A member move keeps the moved member selected; removing two closes up.
    void removeAndMoveMembers()
    {
        PageFixture p = makePage(Groups, pageImage(Groups));
        QTreeWidget *members = p.view("MemberListView");
        p.select({ 2 }, members);
        QTest::mouseClick(p.button("MemberMoveUpBitBtn"), Qt::LeftButton);
        PageFixture::settle();
        QCOMPARE(slotValues(p.image(), Groups, 0), QList<int>({ 7, 9, 8, 10 }));
        QCOMPARE(listview::selectedRows(members), QList<int> { 1 });
        p.select({ 1, 2 }, members);
        QTest::mouseClick(p.button("DeleteFromMemberBitBtn"), Qt::LeftButton);
        PageFixture::settle();
        QCOMPARE(slotValues(p.image(), Groups, 0), QList<int>({ 7, 10 }));
        QCOMPARE(p.view("AvailableListView")->topLevelItemCount(), 38);
    }

    // The member panes follow the new selection after the editor opened; the edit stays open.
    void renameUnselectedRow()
    {
        PageFixture p = makePage(Zones, pageImage(Zones));
        p.doubleClick(1, 1);
        PageFixture::settle();
        QVERIFY(p.edit()->isVisible());
        p.edit()->setText(QStringLiteral("Hills"));
        QTest::keyClick(p.edit(), Qt::Key_Return);
        QCOMPARE(p.column(2), QStringList({ "L1", "Hills", "L3", "L4", "L5" }));
    }

    void memberTexts_data()
    {
        QTest::addColumn<Page>("page");
        QTest::addColumn<QList<int>>("slots");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("last"); // the ID or mode column
        QTest::addColumn<int>("available");
        // Private and all calls are never offered, but a list that holds one still shows it.
        QTest::newRow("groups") << Groups << QList<int> { 41, 7 } << QStringList { "Private", "C7" }
                                << QStringList { "900", "107" } << 39;
        // Channels of every mode are offered; a nameless one is not, but stays listed as a member.
        QTest::newRow("zones") << Zones << QList<int> { 1, 2, 3, 40 } << QStringList { "Ch1", "Ch2", "Ch3", "" }
                               << QStringList { "Digital", "Analogue", "Unknown 3", "Auto" } << 36;
    }

    void memberTexts()
    {
        QFETCH(Page, page);
        QFETCH(QList<int>, slots);
        FileImage image = pageImage(page);
        writeContact(image, 40, 900, PrivateCall, false, QStringLiteral("Private"));
        writeContact(image, 41, 901, AllCall, false, QStringLiteral("All"));
        setChannelMode(image, 0, ChannelMode::Digital);
        setChannelMode(image, 1, ChannelMode::Analogue);
        image.setU8(lists::channels.recordOffset(2), 3);
        setChannelMode(image, 39, ChannelMode::Auto);
        image.setU16(lists::channels.nameFieldOffset(39), 0);
        setSlots(image, page, 0, slots);
        PageFixture p = makePage(page, image);
        QTEST(p.column(2, p.view("MemberListView")), "names");
        QTEST(p.column(3, p.view("MemberListView")), "last");
        QTEST(int(p.view("AvailableListView")->topLevelItemCount()), "available");
    }

    // A priority channel whose member goes stays in the record, its box empty; three scan lists
    // selected take a sample time together while the channel boxes offer nothing.
    void scanListSettings()
    {
        PageFixture p = makePage(ScanLists, pageImage(ScanLists));
        const auto box = [&p](const char *name) { return p.child<QComboBox>(name); };
        const auto stored
            = [&p](int record, int at) { return p.image().u8(lists::scanLists.recordOffset(record) + at); };
        QComboBox *priority = box("PriorityChannel1ComboBox");
        QComboBox *sample = box("PrioritySampleTimeComboBox");
        priority->setCurrentIndex(priority->findData(8));
        p.select({ 1 }, p.view("MemberListView"));
        QTest::mouseClick(p.button("DeleteFromMemberBitBtn"), Qt::LeftButton);
        PageFixture::settle();
        QCOMPARE(stored(0, 32), 8);
        QCOMPARE(priority->currentIndex(), -1);
        QCOMPARE(priority->count(), 5); // None and the three members left

        p.image().setU8(lists::scanLists.recordOffset(1) + 40, 12);
        p.select({ 0, 1, 4 });
        QCOMPARE(sample->currentIndex(), -1);
        for (const char *name :
            { "PriorityChannel1ComboBox", "PriorityChannel2ComboBox", "TxDesignatedChannelComboBox" })
            QCOMPARE(box(name)->count(), 0);
        sample->setCurrentIndex(sample->findText(QStringLiteral("2000 ms")));
        for (int record : { 0, 1, 4 })
            QCOMPARE(stored(record, 40), 8);
        QCOMPARE(stored(0, 32), 8);
    }

    // The emergency systems page (its header: tst_settingspages; its cell editors: tst_celleditors).
    void addNewSystem()
    {
        PageFixture p = PageFixture::of<EmergencySystemForm>(emergencyImage());
        p.button("AddBitBtn")->click();
        PageFixture::settle();
        QCOMPARE(p.cell(4, 2) + p.cell(4, 3) + p.cell(4, 8), QStringLiteral("System 5Regular10 secs"));
    }

    // S2 is kept for D1; S3 goes (the analogue A2 loses it) unless Cancel stops the walk at S2. How far a
    // move goes is the panel's; the channels of either mode follow.
    void deleteAndMove_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("answer"); // none: a move up
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("channels");
        const auto row = [](const char *name, QList<int> selected, int answer, QStringList names, QList<int> channels) {
            QTest::newRow(name) << selected << answer << names << channels;
        };
        row("delete, OK goes on", { 1, 2 }, QMessageBox::Ok, { "S1", "S2", "S4" }, { 2, 0, 3 });
        row("delete, Cancel stops", { 1, 2 }, QMessageBox::Cancel, { "S1", "S2", "S3", "S4" }, { 2, 3, 4 });
        row("move up", { 2 }, QMessageBox::NoButton, { "S1", "S3", "S2", "S4" }, { 3, 2, 4 });
    }

    void deleteAndMove()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, answer);
        PageFixture p = PageFixture::of<EmergencySystemForm>(emergencyImage());
        p.prompts.answers = { QMessageBox::StandardButton(answer) };
        p.select(selected);
        if (answer == QMessageBox::NoButton)
            QTest::mouseClick(p.button("MoveUpBitBtn"), Qt::LeftButton);
        else
            QTest::keyClick(p.list, Qt::Key_Delete);
        PageFixture::settle();
        if (answer != QMessageBox::NoButton) {
            QCOMPARE(p.prompts.texts(),
                QStringList { "Cannot delete emergency system \"S2\".\n\nIt's used in channel \"D1\" setting" });
            const ScriptedPrompts::Shown &box = p.prompts.shown.first();
            QVERIFY(box.caption == "Opps" && box.icon == QMessageBox::Information);
            QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        }
        QTEST(testsupport::usedNames(p.image(), lists::emergencySystems), "names");
        QTEST(channelSystems(p.image()), "channels");
        QTEST(p.column(2), "names");
    }
};

QTEST_MAIN(ListPagesTest)
#include "tst_listpages.moc"
