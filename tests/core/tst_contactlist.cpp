#include "ContactList.h"
#include "ContactRecord.h"
#include "ContactRows.h"
#include "ImageBuilder.h"
#include "Layout.h"

#include <QRandomGenerator>
#include <QTest>

using namespace codeplug;
using testsupport::ImageBuilder;

namespace {

constexpr int kButtons = 8999;
constexpr int kGps = 257637;

int oneTouchFlags(int k)
{
    return kButtons + 18 + 4 * k;
}
int oneTouchContact(int k)
{
    return kButtons + 20 + 4 * k;
}
int numberKey(int k)
{
    return kButtons + 42 + 2 * k;
}
int groupMember(int group, int member)
{
    return 60997 + 96 * group + 32 + 2 * member;
}
int channelMode(int channel)
{
    return 127013 + 64 * channel;
}
int channelContact(int channel)
{
    return 127013 + 64 * channel + 6;
}
int gpsContact(int system)
{
    return kGps + 16 * system + 4;
}

// Contacts "C1".."Cn" with DMR IDs 1..n.
ImageBuilder withContacts(int count)
{
    ImageBuilder builder;
    for (int i = 0; i < count; ++i)
        writeContact(builder.image(), i, std::uint32_t(i + 1), GroupCall, false, QStringLiteral("C%1").arg(i + 1));
    return builder;
}

QStringList names(const FileImage &image)
{
    QStringList result;
    for (int i = 0; i < contactCount(image); ++i)
        result.append(contactName(image, i));
    return result;
}

QStringList cNames(std::initializer_list<int> numbers)
{
    QStringList result;
    for (int n : numbers)
        result.append(QStringLiteral("C%1").arg(n));
    return result;
}

} // namespace

class TestContactList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordFields();
    void deletingTheOnlyContactLeavesContactOne();
    void deletionRenumbersDigitalChannelAndRefusesItsContact();
    void analogueChannelNeitherBlocksNorChanges();
    void deletionRenumbersEveryPlace();
    void refusals_data();
    void refusals();
    void refusalAnswerDecidesTheResult();
    void deletionWalkSkipsProtectedAndStopsOnCancel();
    void moveRenumbersOneTouchAndChannelsAlike();
    void selectionMoves_data();
    void selectionMoves();
    void insertPutsNewContactBeforeRow();
    void swapResultCodes();
    void sortByNameKeepsProtectedFirstAndEqualKeys();
    void sortMatchesInPlaceExchangeSort_data();
    void sortMatchesInPlaceExchangeSort();
    void pasteOverCyclesAndSkipsUnnamedRecords();
    void pasteNewIsLimitedByFreeRecords();
    void clipboardBlockOfBadSize();
    void cellTextsAndSearch();
};

void TestContactList::recordFields()
{
    ImageBuilder builder;
    FileImage &image = builder.image();
    const int flags = lists::contacts.recordOffset(0) + 3;
    image.setU8(flags, 0x1D); // PC call with bits 3 and 4 set
    QCOMPARE(callTypeText(contactCallType(image, 0)), QStringLiteral("PC call"));
    setContactCallType(image, 0, nextCallType(contactCallType(image, 0)));
    QCOMPARE(image.u8(flags), 0x19);
    setContactRxTone(image, 0, true);
    QCOMPARE(image.u8(flags), 0x39);
    QCOMPARE(callTypeText(4), QStringLiteral("Displatch call"));
    QCOMPARE(callTypeText(7), QStringLiteral("Unknown"));
    QCOMPARE(nextCallType(GroupCall), int(PrivateCall));
    QCOMPARE(nextCallType(AllCall), int(GroupCall));
    QCOMPARE(nextCallType(CallTypeNone), int(GroupCall));

    QVERIFY(setContactId(image, 0, 0xABCDEF));
    QCOMPARE(image.u8(lists::contacts.recordOffset(0)), 0xEF);
    QCOMPARE(image.u8(lists::contacts.recordOffset(0) + 2), 0xAB);
    QVERIFY(!setContactId(image, 0, 16777216));
    QCOMPARE(contactId(image, 0), 0xABCDEFu);
    std::uint32_t id = 0;
    QVERIFY(parseContactId(QStringLiteral("16777215"), id));
    QVERIFY(!parseContactId(QStringLiteral("16777216"), id));
    QVERIFY(!parseContactId(QStringLiteral("12a"), id));

    setContactName(image, 0, QStringLiteral("ABCDEFGHIJKLMNOPQ"));
    QCOMPARE(contactName(image, 0), QStringLiteral("ABCDEFGHIJKLMNOP"));
    QCOMPARE(image.u16(lists::contacts.nameFieldOffset(0) + 30), 'P');
    setContactName(image, 0, QStringLiteral("   "));
    QCOMPARE(contactName(image, 0), QStringLiteral("no_name-1"));
}

void TestContactList::deletingTheOnlyContactLeavesContactOne()
{
    ImageBuilder builder = withContacts(1);
    FileImage &image = builder.image();
    QCOMPARE(deleteContact(image, 1, {}), int(ContactDeleted));
    QCOMPARE(names(image), QStringList { QStringLiteral("Contact 1") });
    QCOMPARE(contactId(image, 0), 0u);
    QCOMPARE(image.u8(lists::contacts.recordOffset(0) + 3), 0xC1);
    QCOMPARE(image.u32(lists::contacts.recordOffset(999)), 0xC0FFFFFFu);
}

void TestContactList::deletionRenumbersDigitalChannelAndRefusesItsContact()
{
    ImageBuilder builder = withContacts(5);
    builder.u16(channelContact(0), 4);
    FileImage &image = builder.image();
    QCOMPARE(deleteContact(image, 2, {}), int(ContactDeleted));
    QCOMPARE(image.u16(channelContact(0)), 3);
    QCOMPARE(contactName(image, 2), QStringLiteral("C4"));

    QString asked;
    const int code = deleteContact(image, 3, [&](const QString &message) {
        asked = message;
        return true;
    });
    QCOMPARE(code, int(DeleteRefusedContinue));
    QCOMPARE(asked, QStringLiteral("Cannot delete contact \"C4\".\n\nIt's used in channel \"Channel 1\" setting"));
    QCOMPARE(names(image), cNames({ 1, 3, 4, 5 }));
}

void TestContactList::analogueChannelNeitherBlocksNorChanges()
{
    ImageBuilder builder = withContacts(5);
    builder.u8(channelMode(0), std::uint8_t((builder.image().u8(channelMode(0)) & ~3) | 1));
    builder.u16(channelContact(0), 2);
    builder.u16(channelContact(500), 4); // an unused channel record: renumbered by a deletion all the same
    FileImage &image = builder.image();
    QCOMPARE(deleteContact(image, 2, {}), int(ContactDeleted));
    QCOMPARE(image.u16(channelContact(0)), 2);
    QCOMPARE(image.u16(channelContact(500)), 3);
}

void TestContactList::deletionRenumbersEveryPlace()
{
    ImageBuilder builder = withContacts(6);
    builder.u8(oneTouchFlags(0), 0x20).u16(oneTouchContact(0), 2); // analogue: neither blocks nor is skipped
    builder.u8(oneTouchFlags(1), 0x00).u16(oneTouchContact(1), 5);
    builder.u16(groupMember(200, 31), 5).u16(gpsContact(4), 6).u16(gpsContact(5), 0xFFFF);
    builder.u16(numberKey(3), 1001).u16(channelContact(999), 3);
    FileImage &image = builder.image();
    QCOMPARE(deleteContact(image, 2, {}), int(ContactDeleted));
    QCOMPARE(image.u16(oneTouchContact(0)), 2);
    QCOMPARE(image.u16(oneTouchContact(1)), 4);
    QCOMPARE(image.u16(groupMember(200, 31)), 4);
    QCOMPARE(image.u16(gpsContact(4)), 5);
    QCOMPARE(image.u16(gpsContact(5)), 0xFFFF);
    QCOMPARE(image.u16(numberKey(3)), 1001);
    QCOMPARE(image.u16(channelContact(999)), 2);
    QCOMPARE(names(image), cNames({ 1, 3, 4, 5, 6 }));
}

void TestContactList::refusals_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("place");
    QTest::newRow("one-touch digital") << oneTouchFlags(2) << 0x10
                                       << QStringLiteral("one-touch-access \"3\" button setting");
    QTest::newRow("number key") << numberKey(4) << 3 << QStringLiteral("button number-key 5 setting");
    QTest::newRow("group member") << groupMember(0, 1) << 3 << QStringLiteral("group \"Group 1\".2 setting");
    QTest::newRow("digital channel") << channelContact(0) << 3 << QStringLiteral("channel \"Channel 1\" setting");
    QTest::newRow("gps system") << gpsContact(2) << 3 << QStringLiteral("GPS 3 setting");
}

void TestContactList::refusals()
{
    QFETCH(int, offset);
    QFETCH(int, value);
    QFETCH(QString, place);
    ImageBuilder builder = withContacts(4);
    builder.u16(oneTouchContact(2), 3); // only counts with the digital mode of the first row
    builder.u16(offset, std::uint16_t(value));
    const QString expected = QStringLiteral("Cannot delete contact \"C3\".\n\nIt's used in ") + place;
    QCOMPARE(contactDeleteRefusal(builder.image(), 3), expected);
    const FileImage before = builder.image();
    QCOMPARE(deleteContact(builder.image(), 3, [](const QString &) { return true; }), int(DeleteRefusedContinue));
    QVERIFY(builder.image() == before);
}

void TestContactList::refusalAnswerDecidesTheResult()
{
    ImageBuilder builder = withContacts(3);
    builder.u16(gpsContact(0), 2).u16(numberKey(9), 2);
    FileImage &image = builder.image();
    QString asked;
    QCOMPARE(deleteContact(image, 2, [&](const QString &m) { return asked = m, false; }), int(DeleteRefusedStop));
    QCOMPARE(asked, QStringLiteral("Cannot delete contact \"C2\".\n\nIt's used in button number-key 10 setting"));
}

void TestContactList::deletionWalkSkipsProtectedAndStopsOnCancel()
{
    ProtectedIdList protectedIds;
    protectedIds.add(4);
    for (bool answer : { true, false }) {
        ImageBuilder builder = withContacts(6);
        builder.u16(gpsContact(1), 3);
        FileImage &image = builder.image();
        int asked = 0;
        const ContactDeletion result
            = deleteContacts(image, { 4, 1, 2, 3 }, protectedIds, [&](const QString &) { return ++asked, answer; });
        QCOMPARE(asked, 1);
        QCOMPARE(result.stopped, !answer);
        QCOMPARE(result.deleted, answer ? 2 : 1);
        QCOMPARE(names(image), answer ? cNames({ 1, 3, 4, 6 }) : cNames({ 1, 3, 4, 5, 6 }));
        QCOMPARE(image.u16(gpsContact(1)), 2);
        QCOMPARE(result.selectRow, answer ? 3 : 4);
    }
}

void TestContactList::moveRenumbersOneTouchAndChannelsAlike()
{
    ImageBuilder builder = withContacts(12);
    builder.u8(oneTouchFlags(0), 0x10).u16(oneTouchContact(0), 10);
    builder.u8(oneTouchFlags(1), 0x10).u16(oneTouchContact(1), 5);
    builder.u8(oneTouchFlags(2), 0x20).u16(oneTouchContact(2), 10); // analogue: not a contact reference
    builder.named(lists::channels, 1, QStringLiteral("Channel 2"))
        .named(lists::channels, 2, QStringLiteral("Channel 3"));
    builder.u16(channelContact(0), 10).u16(channelContact(1), 3).u16(channelContact(2), 11);
    builder.u16(channelContact(700), 10); // unused channel: a move leaves it alone
    builder.u16(numberKey(0), 9).u16(groupMember(0, 0), 10).u16(groupMember(9, 0), 10).u16(gpsContact(15), 2);
    builder.u16(numberKey(1), 1001);
    FileImage &image = builder.image();

    QCOMPARE(moveContact(image, 9, 7), 2);
    QCOMPARE(names(image), cNames({ 1, 2, 10, 3, 4, 5, 6, 7, 8, 9, 11, 12 }));
    QCOMPARE(image.u16(oneTouchContact(0)), 3);
    QCOMPARE(image.u16(oneTouchContact(1)), 6);
    QCOMPARE(image.u16(oneTouchContact(2)), 10);
    QCOMPARE(image.u16(channelContact(0)), 3);
    QCOMPARE(image.u16(channelContact(1)), 4);
    QCOMPARE(image.u16(channelContact(2)), 11);
    QCOMPARE(image.u16(channelContact(700)), 10);
    QCOMPARE(image.u16(numberKey(0)), 10);
    QCOMPARE(image.u16(numberKey(1)), 1001);
    QCOMPARE(image.u16(groupMember(0, 0)), 3);
    QCOMPARE(image.u16(groupMember(9, 0)), 10);
    QCOMPARE(image.u16(gpsContact(15)), 2);

    QCOMPARE(moveContact(image, 2, -100), 11); // stops at the last used row
    QCOMPARE(contactName(image, 11), QStringLiteral("C10"));
    QCOMPARE(image.u16(channelContact(0)), 12);
}

void TestContactList::selectionMoves_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QList<int>>("moved");
    QTest::addColumn<QStringList>("order");
    const QStringList unchanged = cNames({ 1, 2, 3, 4, 5, 6, 7, 8 });
    QTest::newRow("top row blocks") << QList<int> { 0, 5 } << 1 << QList<int> { 0, 5 } << unchanged;
    QTest::newRow("up by 10") << QList<int> { 3, 5 } << 10 << QList<int> { 0, 2 } << cNames({ 4, 1, 6, 2, 3, 5, 7, 8 });
    QTest::newRow("bottom row blocks") << QList<int> { 5, 7 } << -1 << QList<int> { 5, 7 } << unchanged;
    QTest::newRow("down by 10") << QList<int> { 1, 3 } << -10 << QList<int> { 5, 7 }
                                << cNames({ 1, 3, 5, 6, 7, 2, 8, 4 });
    QTest::newRow("down by 1") << QList<int> { 0, 1 } << -1 << QList<int> { 1, 2 }
                               << cNames({ 3, 1, 2, 4, 5, 6, 7, 8 });
}

void TestContactList::selectionMoves()
{
    QFETCH(QList<int>, rows);
    QFETCH(int, delta);
    QFETCH(QList<int>, moved);
    QFETCH(QStringList, order);
    ImageBuilder builder = withContacts(8);
    builder.u16(channelContact(0), 4);
    FileImage &image = builder.image();
    QCOMPARE(moveContacts(image, rows, delta), moved);
    QCOMPARE(names(image), order);
    QCOMPARE(contactName(image, image.u16(channelContact(0)) - 1), QStringLiteral("C4"));
}

void TestContactList::insertPutsNewContactBeforeRow()
{
    ImageBuilder builder = withContacts(3);
    builder.u16(channelContact(0), 2);
    FileImage &image = builder.image();
    QCOMPARE(insertContact(image, 1), 1);
    QCOMPARE(names(image), (QStringList { "C1", "Contact 4", "C2", "C3" }));
    QCOMPARE(image.u16(channelContact(0)), 3);
    QCOMPARE(addContact(image), 4);
    QCOMPARE(contactName(image, 4), QStringLiteral("Contact 5"));
}

void TestContactList::swapResultCodes()
{
    ImageBuilder builder = withContacts(3);
    builder.u16(channelContact(0), 1).u16(numberKey(0), 3);
    FileImage &image = builder.image();
    QCOMPARE(swapContacts(image, -1, 0), int(SwapFirstOutOfRange));
    QCOMPARE(swapContacts(image, 0, 1000), int(SwapSecondOutOfRange));
    QCOMPARE(swapContacts(image, 2, 2), int(SwapSameIndex));
    QCOMPARE(swapContacts(image, 0, 2), int(SwapDone));
    QCOMPARE(names(image), cNames({ 3, 2, 1 }));
    QCOMPARE(image.u16(channelContact(0)), 3);
    QCOMPARE(image.u16(numberKey(0)), 1);
}

void TestContactList::sortByNameKeepsProtectedFirstAndEqualKeys()
{
    ImageBuilder builder;
    FileImage &image = builder.image();
    const QStringList start { "delta", "Bravo", "alpha", "bravo", " Alpha", "charlie" };
    for (int i = 0; i < start.size(); ++i)
        writeContact(image, i, std::uint32_t(i + 1), GroupCall, false, start[i]);
    builder.u16(channelContact(0), 1).u16(groupMember(0, 0), 5);
    ProtectedIdList protectedIds;
    protectedIds.add(6);
    protectedIds.add(2);
    sortContacts(image, ContactSortKey::Name, protectedIds);
    QCOMPARE(names(image), (QStringList { "Bravo", "charlie", "alpha", "Alpha", "bravo", "delta" }));
    QCOMPARE(image.u16(channelContact(0)), 6);
    QCOMPARE(image.u16(groupMember(0, 0)), 4);
}

void TestContactList::sortMatchesInPlaceExchangeSort_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("name") << int(ContactSortKey::Name);
    QTest::newRow("id") << int(ContactSortKey::Id);
    QTest::newRow("type") << int(ContactSortKey::Type);
    QTest::newRow("rx tone") << int(ContactSortKey::RxTone);
}

// The sort must give exactly the result of the record-swapping exchange sort, references included.
void TestContactList::sortMatchesInPlaceExchangeSort()
{
    QFETCH(int, key);
    const auto sortKey = ContactSortKey(key);
    QRandomGenerator random(1234 + key);
    ImageBuilder builder;
    FileImage &image = builder.image();
    const int count = 80;
    for (int i = 0; i < count; ++i) {
        const QString name
            = random.bounded(8) == 0 ? QStringLiteral(" ") : QStringLiteral("n%1").arg(random.bounded(20));
        writeContact(image, i, random.bounded(30), int(random.bounded(1, 6)), random.bounded(2) == 1, name);
    }
    for (int c = 0; c < 40; ++c) {
        builder.named(lists::channels, c, QStringLiteral("Ch%1").arg(c));
        builder.u16(channelContact(c), std::uint16_t(random.bounded(1, count + 1)));
    }
    ProtectedIdList protectedIds;
    protectedIds.add(3);
    protectedIds.add(17);

    FileImage expected = image;
    protectedContactsToFront(expected, protectedIds);
    int p = 0;
    while (p < count && protectedIds.contains(contactId(expected, p)))
        ++p;
    const auto keyBefore = [&](int j, int i) {
        switch (sortKey) {
        case ContactSortKey::Name:
            return contactName(expected, j).toLower().toLatin1() < contactName(expected, i).toLower().toLatin1();
        case ContactSortKey::Id:
            return contactId(expected, j) < contactId(expected, i);
        case ContactSortKey::Type:
            return contactCallType(expected, j) < contactCallType(expected, i);
        case ContactSortKey::RxTone:
            return contactRxTone(expected, j) && !contactRxTone(expected, i);
        }
        return false;
    };
    for (int i = p; i < count - 1; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (keyBefore(j, i))
                swapContacts(expected, i, j);
        }
    }
    sortContacts(image, sortKey, protectedIds);
    QVERIFY(image == expected);
}

void TestContactList::pasteOverCyclesAndSkipsUnnamedRecords()
{
    ImageBuilder builder = withContacts(8);
    FileImage &image = builder.image();
    const QByteArray block = copyContacts(image, { 0, 1, 2 });
    QCOMPARE(block.size(), 4 + 3 * 36);
    QCOMPARE(block.left(4), QByteArray::fromHex("03000000"));
    QCOMPARE(pasteContactsOver(image, { 3, 4, 5, 6, 7 }, block), 5);
    QCOMPARE(names(image), cNames({ 1, 2, 3, 1, 2, 3, 1, 2 }));

    QByteArray holed = block;
    holed[4 + 36 + 4] = 0; // record 2 of the block: its first name unit becomes 0
    QCOMPARE(pasteContactsOver(image, { 5, 6, 7 }, holed), 2);
    QCOMPARE(names(image), cNames({ 1, 2, 3, 1, 2, 1, 1, 3 }));
    QCOMPARE(pasteNewContacts(image, holed).count, 2);
    QCOMPARE(contactCount(image), 10);
}

void TestContactList::pasteNewIsLimitedByFreeRecords()
{
    ImageBuilder builder = withContacts(990);
    FileImage &image = builder.image();
    const QList<int> rows { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19 };
    const ContactPaste paste = pasteNewContacts(image, copyContacts(image, rows));
    QCOMPARE(paste.first, 990);
    QCOMPARE(paste.count, 10);
    QCOMPARE(contactCount(image), 1000);
    QCOMPARE(contactName(image, 999), QStringLiteral("C10"));
    QCOMPARE(pasteNewContacts(image, copyContacts(image, rows)).count, 0);
    QCOMPARE(addContact(image), kNoFreeContact);
}

void TestContactList::clipboardBlockOfBadSize()
{
    ImageBuilder builder = withContacts(4);
    FileImage &image = builder.image();
    QByteArray block = copyContacts(image, { 0, 1 });
    block[0] = 9; // claims more records than it holds
    QCOMPARE(pasteNewContacts(image, block).count, 2);
    QCOMPARE(pasteNewContacts(image, block.left(3)).count, 0);
    QCOMPARE(pasteContactsOver(image, { 0 }, block.left(4 + 35)), 0);
    QCOMPARE(contactCount(image), 6);
}

void TestContactList::cellTextsAndSearch()
{
    ImageBuilder builder = withContacts(13);
    FileImage &image = builder.image();
    setContactId(image, 2, 5120);
    setContactCallType(image, 1, PrivateCall);
    setContactRxTone(image, 4, true);
    ProtectedIdList protectedIds;
    protectedIds.add(5);
    QCOMPARE(contactCellTexts(image, 1, protectedIds, false), (QStringList { "2", "C2", "2", "Private call", "", "" }));
    QCOMPARE(
        contactCellTexts(image, 1, protectedIds, true), (QStringList { "2", "C2", "2", "Private call", "No", "No" }));
    QCOMPARE(
        contactCellTexts(image, 4, protectedIds, true), (QStringList { "5", "C5", "5", "Group call", "Yes", "Yes" }));
    QCOMPARE(findContacts(image, QStringLiteral(" 12 "), protectedIds, false), (QList<int> { 2, 11 }));
    QCOMPARE(findContacts(image, QStringLiteral("PRIVATE"), protectedIds, false), QList<int> { 1 });
    QCOMPARE(findContacts(image, QStringLiteral("group"), protectedIds, false).size(), 12);
    QCOMPARE(findContacts(image, QStringLiteral("yes"), protectedIds, false), QList<int> { 4 });
    QCOMPARE(findContacts(image, QStringLiteral("no"), protectedIds, true).size(), 12);
    QVERIFY(findContacts(image, QStringLiteral("  "), protectedIds, true).isEmpty());
}

QTEST_APPLESS_MAIN(TestContactList)
#include "tst_contactlist.moc"
