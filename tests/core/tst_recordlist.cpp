#include "ChannelList.h"
#include "ChannelRecord.h"
#include "ContactList.h"
#include "ContactRecord.h"
#include "ImageBuilder.h"
#include "ListRecords.h"
#include "MemberLists.h"
#include "NameCodec.h"
#include "RecordList.h"
#include "TextMessages.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace codeplug;
using testsupport::ImageBuilder;
using testsupport::numbered;
using testsupport::recordBytes;

namespace {

enum ListKind { Channels, Contacts, GroupLists, Zones, ScanLists, Emergency, TextMessages };
const char *const kKindNames[]
    = { "channels", "contacts", "group lists", "zones", "scan lists", "emergency", "text messages" };
const ListDescriptor *const kDescriptors[]
    = { &listdescriptors::channels, &listdescriptors::contacts, &listdescriptors::rxGroupLists, &listdescriptors::zones,
          &listdescriptors::scanLists, &listdescriptors::emergencySystems, &listdescriptors::textMessages };
constexpr int kAllKinds[] = { Channels, Contacts, GroupLists, Zones, ScanLists, Emergency, TextMessages };
constexpr int kSendsMessage = 0x11; // a one-touch entry's flags: digital, text message

const ListDescriptor &descriptor(int kind)
{
    return *kDescriptors[kind];
}

// Records "R1".."R<count>" in the list, then the byte pokes (offset, value) of `setup`. For text
// messages, the first one-touch entry sends a message.
ImageBuilder listOf(int kind, int count, const QList<int> &setup = {})
{
    ImageBuilder builder;
    builder.records(descriptor(kind).layout, numbered(QStringLiteral("R"), count));
    if (kind == TextMessages)
        builder.u8(9017, kSendsMessage);
    for (qsizetype i = 0; i + 1 < setup.size(); i += 2)
        builder.u8(setup[i], std::uint8_t(setup[i + 1]));
    return builder;
}

QStringList names(const FileImage &image, int kind)
{
    return testsupport::usedNames(image, descriptor(kind).layout);
}

QStringList rNames(const QList<int> &numbers)
{
    return numbered(QStringLiteral("R"), numbers);
}

const MemberDescriptor &memberDescriptor(int kind)
{
    return kind == GroupLists ? memberdescriptors::rxGroupLists
        : kind == Zones       ? memberdescriptors::zones
                              : memberdescriptors::scanLists;
}

// A place every move and deletion renumbers: the first GPS system's channel or contact, a field
// of the first channel ("Channel 1", digital) or the first one-touch entry's message; none for
// zones. Bytes 10-12 of a channel and a one-touch entry's message are 8 bits wide.
int referencePlace(int kind)
{
    const int places[] = { 257637, 257641, 127025, -1, 127024, 127023, 9018 };
    return places[kind];
}

bool eightBits(int offset)
{
    return (offset >= 127013 && offset < 191013) || (offset >= 9018 && offset < 9041 && (offset - 9018) % 4 == 0);
}

int readPlace(const FileImage &image, int offset)
{
    return eightBits(offset) ? image.u8(offset) : image.u16(offset);
}

ImageBuilder &writePlace(ImageBuilder &builder, int offset, int value)
{
    if (offset < 0)
        return builder;
    return eightBits(offset) ? builder.u8(offset, std::uint8_t(value)) : builder.u16(offset, std::uint16_t(value));
}

// Deleting `rows` of six records R1..R6 with row `keep` protected, answering `answer` to a refusal;
// `blocked`: a place names R3, `blank`: R3's name is blank. The names left, the count deleted, the row
// to select and the refusal asked about.
struct Deletion
{
    bool blocked, blank;
    QList<int> rows;
    int keep;
    bool answer;
    QStringList left;
    int count, select;
    QString message;
};

} // namespace

class TestRecordList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: a place holding a record number, the bytes that make its owner used or its mode
    // digital, where the entry holding `value` (10) ends when record 10 moves to the top and when
    // record 2 is deleted, the refusal when the entry holds 3 and record 3 is deleted (none: the
    // deletion goes through), and then what the entry becomes. Fields inside channel records are 8 bits.
    void references_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QList<int>>("setup");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("moved");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("cleared");
        const QString channel = QStringLiteral("Cannot delete channel \"R3\".\n\nIt's used in %1 setting");
        const QString contact = QStringLiteral("Cannot delete contact \"R3\".\n\nIt's used in %1 setting");
        const auto row = [](const char *name, int kind, int offset, QList<int> setup, int moved, QString refusal,
                             int cleared = 3, int value = 10, int deleted = 9) {
            QTest::newRow(name) << kind << offset << setup << value << moved << deleted << refusal << cleared;
        };
        const QString group = QStringLiteral("Cannot delete group \"R3\".\n\nIt's used in channel \"%1\" setting");
        const QString scan = QStringLiteral("Cannot delete scan list \"R3\".\n\nIt's used in channel \"%1\" setting");
        const QString emergency
            = QStringLiteral("Cannot delete emergency system \"R3\".\n\nIt's used in channel \"%1\" setting");
        const QList<int> digital { 127109, 'K', 127077, 2 }; // the second channel, named "K"
        const QList<int> analogue { 127109, 'K', 127077, 1 };
        row("emergency system", Channels, 23753, {}, 1, channel.arg("EMERGENCY SYSTEM \"System 1\""));
        row("unused emergency system", Channels, 23873, {}, 10, channel.arg("EMERGENCY SYSTEM \"\""));
        row("zone", Channels, 85039, {}, 1, channel.arg("ZONES \"Zone 1\""));
        row("scan list", Channels, 101099, {}, 1, channel.arg("SCAN LIST \"Scan List 1\""));
        row("dtmf", Channels, 198049, {}, 1, channel.arg("DTMF \"DTMF-8\""));
        row("gps channel", Channels, 257877, {}, 1, channel.arg("GPS \"GPS-DECODE-16\""));
        row("digital one-touch", Contacts, 9019, { 9017, 0x10 }, 1, contact.arg("one-touch-access \"1\" button"));
        row("last digital one-touch", Contacts, 9039, { 9037, 0x10 }, 1, contact.arg("one-touch-access \"6\" button"));
        row("analogue one-touch", Contacts, 9039, { 9037, 0x20 }, 10, {});
        row("number key", Contacts, 9059, {}, 1, contact.arg("button number-key 10"));
        row("group", Contacts, 61029, {}, 1, contact.arg("group \"Group 1\".1"));
        row("unused group", Contacts, 84995, {}, 10, contact.arg("group \"\".32"));
        row("digital channel", Contacts, 127083, { 127109, 'K', 127077, 2 }, 1, contact.arg("channel \"K\""));
        row("analogue channel", Contacts, 127083, { 127109, 'K', 127077, 1 }, 1, {});
        row("unused digital channel", Contacts, 190955, { 190949, 2 }, 10, contact.arg("channel \"\""));
        row("unused analogue channel", Contacts, 190955, { 190949, 1 }, 10, {});
        row("gps contact", Contacts, 257881, {}, 1, contact.arg("GPS 16"));
        row("scan list priority 1", Channels, 101029, {}, 1, {}, 0xFFFF);
        row("scan list tx designated", Channels, 101033, {}, 1, {}, 0xFFFF);
        row("scan list priority 2", Channels, 101031, {}, 1, {}, 0xFFFF);
        row("group list digital channel", GroupLists, 127089, digital, 1, group.arg("K"));
        row("group list analogue channel", GroupLists, 127089, analogue, 1, {}, 0);
        row("group list unnamed channel", GroupLists, 127089, { 127077, 2 }, 10, group.arg(""));
        row("scan list analogue channel", ScanLists, 127088, analogue, 1, scan.arg("K"));
        row("emergency digital channel", Emergency, 127087, digital, 1, emergency.arg("K"));
        row("emergency analogue channel", Emergency, 127087, analogue, 1, {}, 0);
        const QString message = QStringLiteral("Cannot delete text message \"3\".\n\nIt's used in %1 setting");
        row("one-touch message", TextMessages, 9018, {}, 1, message.arg("one-touch-access \"1\" button"));
        row("last one-touch message", TextMessages, 9038, { 9037, kSendsMessage }, 1,
            message.arg("one-touch-access \"6\" button"));
        // The number byte of a one-touch entry that sends no message (a digital call; an analogue entry's
        // DTMF encode number, bits 0-1 set as for a message) is not a message number.
        row("one-touch digital call", TextMessages, 9018, { 9017, 0x10 }, 10, {}, 3, 10, 10);
        row("one-touch analogue encode", TextMessages, 9018, { 9017, 0x21 }, 10, {}, 3, 10, 10);
        // Values naming no used record: none follows a move; those past the used records follow a deletion.
        const QString gps = channel.arg("GPS \"GPS-DECODE-16\"");
        row("value 0", Channels, 257877, {}, 0, gps, 3, 0, 0);
        row("value none", Channels, 257877, {}, 0xFFFF, gps, 3, 0xFFFF, 0xFFFF);
        row("value beyond capacity", Channels, 257877, {}, 1001, gps, 3, 1001, 1001);
        row("value of a free record", Channels, 257877, {}, 13, gps, 3, 13, 12);
        row("value at capacity", Channels, 257877, {}, 1000, gps, 3, 1000, 999);
    }
    void references()
    {
        QFETCH(int, kind);
        QFETCH(int, offset);
        QFETCH(QList<int>, setup);
        QFETCH(int, value);
        QFETCH(QString, refusal);
        ImageBuilder move = listOf(kind, 12, setup);
        RecordList(writePlace(move, offset, value).image(), descriptor(kind)).move(9, 9);
        QTEST(readPlace(move.image(), offset), "moved");
        ImageBuilder deletion = listOf(kind, 12, setup);
        RecordList(writePlace(deletion, offset, value).image(), descriptor(kind)).remove({ 1 }, {}, {});
        QTEST(readPlace(deletion.image(), offset), "deleted");

        ImageBuilder refused = listOf(kind, 12, setup);
        FileImage &image = writePlace(refused, offset, 3).image();
        RecordList list(image, descriptor(kind));
        QCOMPARE(list.deleteRefusal(2), refusal);
        QStringList asked; // the deletion finds the same blocker in its own walk
        QCOMPARE(list.remove({ 2 }, {}, [&](const QString &text) { return asked.append(text), true; }).count,
            refusal.isEmpty() ? 1 : 0);
        QCOMPARE(asked.value(0), refusal);
        if (refusal.isEmpty())
            QTEST(readPlace(image, offset), "cleared");
    }

    // Eight messages, the third one long: what storing a text in message `index` (or adding one to 8 or
    // 50 messages) returns, and the record it leaves, byte for byte as a fresh message of the stored text.
    void textMessageTexts()
    {
        const QString longest = QStringLiteral("0123456789").repeated(15);
        const std::tuple<bool, int, QString, int, QString> rows[] = { { false, 6, "", 1, "Message 7" },
            { false, 2, " Hi ", 1, "Hi" }, { false, 0, longest, 1, longest.left(144) }, { false, 8, "Hi", 0, "" },
            { true, 8, " \t", 8, "Hello" }, { true, 49, "Hi", -1, "R50" } };
        for (const auto &[add, index, text, result, stored] : rows) {
            ImageBuilder builder = listOf(TextMessages, add && result < 0 ? 50 : 8);
            FileImage &image
                = builder.named(lists::textMessages, 2, QStringLiteral("a message of 24 letters.")).image();
            QCOMPARE(add ? addTextMessage(image, text) : int(storeTextMessage(image, index, text)), result);
            QCOMPARE(textMessageText(image, index), stored);
            ImageBuilder fresh;
            initTextMessageRecord(fresh.image(), index, stored);
            QCOMPARE(
                recordBytes(image, lists::textMessages, index), recordBytes(fresh.image(), lists::textMessages, index));
        }
    }

    // Deleting rows of six records R1..R6; see Deletion.
    void deletion_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<Deletion>("d");
        const QString channel = QStringLiteral("Cannot delete channel \"%1\".\n\nIt's used in DTMF \"DTMF-1\" setting");
        const QString contact
            = QStringLiteral("Cannot delete contact \"%1\".\n\nIt's used in button number-key 1 setting");
        // A message is named by its number as the walk stands: message 3 follows a deleted message 1.
        const QString message
            = QStringLiteral("Cannot delete text message \"2\".\n\nIt's used in one-touch-access \"1\" button setting");
        for (int kind : kAllKinds) {
            const QString refusal = kind == Channels ? channel.arg("R3")
                : kind == TextMessages               ? message
                                                     : contact.arg("R3");
            const auto row = [&](const char *name, const Deletion &d) {
                QTest::addRow("%s %s", kKindNames[kind], name) << kind << d;
            };
            row("unused rows", { false, false, { 7, -1, 1000 }, -1, true, rNames({ 1, 2, 3, 4, 5, 6 }), 0, -1, {} });
            row("everything",
                { false, false, { 0, 1, 2, 3, 4, 5 }, -1, true, { descriptor(kind).defaultName }, 6, 0, {} });
            if (kind != Channels && kind != Contacts && kind != TextMessages)
                continue;
            row("go on", { true, false, { 5, 0, 2, 4, 0 }, 4, true, rNames({ 2, 3, 4, 5 }), 2, 3, refusal });
            row("stop", { true, false, { 0, 2, 4, 5 }, 4, false, rNames({ 2, 3, 4, 5, 6 }), 1, 4, refusal });
            if (kind == TextMessages)
                continue;
            const QString blankRefusal = kind == Channels ? channel.arg("no_name-3") : contact.arg("no_name-2");
            row("blank name",
                { true, true, { 0, 2 }, 4, true, { "R2", "no_name-2", "R4", "R5", "R6" }, 1, 2, blankRefusal });
        }
    }
    void deletion()
    {
        QFETCH(int, kind);
        QFETCH(Deletion, d);
        const ListLayout &layout = descriptor(kind).layout;
        ImageBuilder builder = listOf(kind, 6);
        const int blocker = kind == Channels ? 197881 : kind == TextMessages ? 9018 : 9041;
        if (d.blocked)
            builder.u16(blocker, 3);
        if (d.blank)
            builder.u16(layout.nameFieldOffset(2), ' ').u16(layout.nameFieldOffset(2) + 2, 0);
        FileImage &image = builder.image();
        QStringList asked;
        const ListResult result = RecordList(image, descriptor(kind))
                                      .remove(
                                          d.rows, [&](int index) { return index == d.keep; },
                                          [&](const QString &text) { return asked.append(text), d.answer; });
        QCOMPARE(names(image, kind), d.left);
        QCOMPARE(result.count, d.count);
        QCOMPARE(result.stopped, !d.answer);
        QCOMPARE(result.row, d.select);
        QCOMPARE(asked, d.message.isEmpty() ? QStringList() : QStringList { d.message });
        if (d.blocked)
            QCOMPARE(image.u16(blocker), 2);
        if (d.left.size() == 1) { // the kept record is a new one, as the initialiser writes it
            ImageBuilder fresh;
            descriptor(kind).init(fresh.image(), 0, d.left.first());
            for (const int row : { 0, 5 })
                QCOMPARE(recordBytes(image, layout, row), recordBytes(fresh.image(), layout, row));
        }
    }

    // Operations on eight records R1..R8 whose GPS entry names R4: the names after, the result and
    // the entry still naming R4.
    void moves_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("result");
        QTest::addColumn<QStringList>("order");
        const QStringList unchanged = rNames({ 1, 2, 3, 4, 5, 6, 7, 8 });
        for (int kind : kAllKinds) {
            const auto row = [&](const char *name, const char *operation, QList<int> rows, int n, QList<int> result,
                                 const QStringList &order) {
                QTest::addRow("%s %s", kKindNames[kind], name)
                    << kind << QString(operation) << rows << n << result << order;
            };
            const QString added = QString::fromLatin1(descriptor(kind).newName).replace(QLatin1String("%1"), "9");
            row("move up", "move", { 5 }, 3, { 2 }, rNames({ 1, 2, 6, 3, 4, 5, 7, 8 }));
            row("move past the end", "move", { 2 }, -100, { 7 }, rNames({ 1, 2, 4, 5, 6, 7, 8, 3 }));
            row("move unused", "move", { 8 }, 3, { 8 }, unchanged);
            row("top row blocks", "selection", { 0, 5 }, 1, { 0, 5 }, unchanged);
            row("up by 10", "selection", { 5, 3, 5 }, 10, { 0, 2 }, rNames({ 4, 1, 6, 2, 3, 5, 7, 8 }));
            row("bottom row blocks", "selection", { 5, 7 }, -1, { 5, 7 }, unchanged);
            row("down by 10", "selection", { 1, 3, 9 }, -10, { 5, 7 }, rNames({ 1, 3, 5, 6, 7, 2, 8, 4 }));
            row("down by 1", "selection", { 0, 1 }, -1, { 1, 2 }, rNames({ 3, 1, 2, 4, 5, 6, 7, 8 }));
            row("swap", "swap", { 3, 0 }, 0, { 1 }, rNames({ 4, 2, 3, 1, 5, 6, 7, 8 }));
            row("swap unused", "swap", { 3, 8 }, 0, { 0 }, unchanged);
            row("insert", "insert", {}, 1, { 1 }, QStringList { "R1", added } + rNames({ 2, 3, 4, 5, 6, 7, 8 }));
            row("insert past the end", "insert", {}, 20, { 8 }, unchanged + QStringList { added });
        }
    }
    void moves()
    {
        QFETCH(int, kind);
        QFETCH(QString, operation);
        QFETCH(QList<int>, rows);
        QFETCH(int, n);
        QFETCH(QList<int>, result);
        QFETCH(QStringList, order);
        ImageBuilder builder = listOf(kind, 8);
        writePlace(builder, referencePlace(kind), 4);
        RecordList list(builder.image(), descriptor(kind));
        if (operation == "move")
            QCOMPARE(list.move(rows.first(), n), result.first());
        else if (operation == "selection")
            QCOMPARE(list.moveSelection(rows, n), result);
        else if (operation == "swap")
            QCOMPARE(list.swap(rows.first(), rows.last()), bool(result.first()));
        else
            QCOMPARE(list.insert(n), result.first());
        QCOMPARE(names(builder.image(), kind), order);
        if (kind != Zones)
            QCOMPARE(order.at(readPlace(builder.image(), referencePlace(kind)) - 1), QStringLiteral("R4"));
    }

    // Members of the second record of each list with members, slots given from slot 0: the slots
    // after an add, remove or move, and the numbers not added or the rows after a move. 0x9999 is
    // a damaged slot: free for an add, dropped when the members close up.
    void members_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("slots");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QList<int>>("arguments");
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("after");
        QTest::addColumn<QList<int>>("result");
        for (int kind : { GroupLists, Zones, ScanLists }) {
            const auto row = [&](const char *name, QList<int> slots, const char *operation, QList<int> arguments, int n,
                                 QList<int> after, QList<int> result) {
                QTest::addRow("%s %s", kKindNames[kind], name)
                    << kind << slots << QString(operation) << arguments << n << after << result;
            };
            QList<int> full; // one short of the record's capacity
            for (int m = 1; m < memberDescriptor(kind).slots.count; ++m)
                full.append(m);
            row("remove closes up", { 7, 8, 9, 10 }, "remove", { 9, 8 }, 0, { 7, 10 }, {});
            row("add into a damaged slot", { 7, 0x9999, 9 }, "add", { 5, 9, 6 }, 0, { 7, 5, 9, 6 }, {});
            row("add to a full list", full, "add", { 900, 901, 902 }, 0, full + QList<int> { 900 }, { 901, 902 });
            row("move up", { 1, 2, 3, 4 }, "move", { 2, 3 }, 1, { 1, 3, 4, 2 }, { 1, 2 });
            row("move down by 10", { 1, 2, 3, 4 }, "move", { 0, 2 }, -10, { 2, 1, 4, 3 }, { 1, 3 });
            row("move the listed members", { 1, 0x9999, 2, 3 }, "move", { 2 }, 1, { 1, 3, 2 }, { 1 });
        }
    }
    void members()
    {
        QFETCH(int, kind);
        QFETCH(QList<int>, slots);
        QFETCH(QString, operation);
        QFETCH(QList<int>, arguments);
        QFETCH(int, n);
        QFETCH(QList<int>, after);
        QFETCH(QList<int>, result);
        const MemberDescriptor &descriptor = memberDescriptor(kind);
        ImageBuilder builder = listOf(kind, 3);
        for (int slot = 0; slot < slots.size(); ++slot)
            builder.u16(descriptor.slots.memberOffset(1, slot), std::uint16_t(slots[slot]));
        const FileImage before = builder.image();
        MemberList list(builder.image(), descriptor, 1);
        if (operation == "add")
            QCOMPARE(list.add(arguments), result);
        else if (operation == "remove")
            list.remove(arguments);
        else
            QCOMPARE(list.move(arguments, n), result);
        for (int slot = 0; slot < descriptor.slots.count; ++slot)
            QCOMPARE(builder.image().u16(descriptor.slots.memberOffset(1, slot)), after.value(slot));
        // Nothing else changes: not the other records, not a scan list's priority channels.
        for (int offset = descriptor.slots.memberOffset(1, 0);
             offset < descriptor.slots.memberOffset(1, 0) + 2 * descriptor.slots.count; ++offset)
            builder.u8(offset, before.u8(offset));
        QVERIFY(builder.image() == before);
    }

    void fullList_data() { clipboard_data(); } // channels and contacts
    void fullList()
    {
        QFETCH(int, kind);
        ImageBuilder builder = listOf(kind, 999);
        RecordList list(builder.image(), descriptor(kind));
        QCOMPARE(list.add(), 999);
        QCOMPARE(names(builder.image(), kind).last(), kind == Channels ? "Channel 1000" : "Contact 1000");
        const FileImage before = builder.image();
        QCOMPARE(list.add(), -1);
        QCOMPARE(list.insert(0), -1);
        QCOMPARE(list.pasteNew(copyRecords(before, descriptor(kind).layout, { 0 })).count, 0);
        QVERIFY(builder.image() == before);
    }

    // The block: a 32-bit little-endian count, then the records raw; pasting skips records
    // without a name, which would leave a hole among the used records.
    void clipboard_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("channels") << int(Channels);
        QTest::newRow("contacts") << int(Contacts);
    }
    void clipboard()
    {
        QFETCH(int, kind);
        ImageBuilder builder = listOf(kind, 4);
        FileImage &image = builder.image();
        const ListLayout &layout = descriptor(kind).layout;
        const int recordSize = layout.recordSize;
        const int nameOffset = layout.nameOffset;
        QByteArray block = copyRecords(image, layout, { 2, 0, 7 });
        QCOMPARE(block.size(), 4 + 2 * recordSize);
        QCOMPARE(block.left(4), QByteArray::fromHex("02000000"));
        QCOMPARE(block.mid(4, recordSize), recordBytes(image, layout, 2));
        QCOMPARE(block.mid(4 + recordSize, recordSize), recordBytes(image, layout, 0));

        RecordList list(image, descriptor(kind));
        QCOMPARE(list.pasteOver(block, { 1, 3, 2, 6 }), 3); // cycles; unused row 6 skipped
        QCOMPARE(names(image, kind), rNames({ 1, 3, 3, 1 }));
        block = copyRecords(image, layout, { 0, 1, 2 });
        block[4 + recordSize + nameOffset] = 0; // the second record loses its name
        block[4 + recordSize + nameOffset + 1] = 0;
        QCOMPARE(list.pasteOver(block, { 0, 1 }), 1);
        const ListResult pasted = list.pasteNew(block);
        QCOMPARE(pasted.count, 2);
        QCOMPARE(pasted.row, 4);
        QCOMPARE(names(image, kind), rNames({ 1, 3, 3, 1, 1, 3 }));

        block[0] = 9; // claims more records than it holds
        QCOMPARE(list.pasteNew(block).count, 2);
        QCOMPARE(list.pasteNew(block.left(3)).count, 0);
        QCOMPARE(list.pasteOver(block.left(4 + recordSize - 1), { 0 }), 0);
        QCOMPARE(list.usedCount(), 8);
    }

    // The orders are the exchange sort's own: protected records first in their order, then by the key;
    // the sort is not stable, and a blank name sorts as the "no_name-N" it shows where it stands. The
    // first zone's or group list's member names record 5 before and after the sort.
    void sortOrders()
    {
        ImageBuilder channels;
        channels.records(lists::channels, { "z", "M", "_x", "x", "N1", "10", "n1", "Y", "b" });
        channels.u16(lists::channels.nameFieldOffset(3), ' ').u16(85029, 5);
        ProtectedChannelList protectedNames;
        protectedNames.add(QStringLiteral("y"));
        protectedNames.add(QStringLiteral("m"));
        sortChannels(channels.image(), protectedNames);
        QStringList sorted = names(channels.image(), Channels);
        QCOMPARE(sorted, (QStringList { "M", "Y", "10", "_x", "b", "n1", "N1", "no_name-8", "z" }));
        QCOMPARE(sorted.at(channels.image().u16(85029) - 1), "N1");

        ImageBuilder contacts;
        const std::tuple<int, int, bool, const char *> rows[]
            = { { 30, PrivateCall, false, "b" }, { 10, GroupCall, true, "B" }, { 30, AllCall, false, " " },
                  { 20, GroupCall, true, "a" }, { 10, PrivateCall, false, "A" }, { 17, GroupCall, false, "c" } };
        for (int i = 0; i < 6; ++i)
            std::apply([&](auto... fields) { writeContact(contacts.image(), i, fields...); }, rows[i]);
        contacts.u16(61029, 5);
        ProtectedIdList protectedIds;
        protectedIds.add(17);
        sortContacts(contacts.image(), ContactSortKey::Name, protectedIds);
        sorted = names(contacts.image(), Contacts);
        QCOMPARE(sorted, (QStringList { "c", "a", "A", "b", "B", "no_name-6" }));
        QCOMPARE(sorted.at(contacts.image().u16(61029) - 1), "A");
    }

    // On random lists with blank names and references, each sort gives exactly the bytes of the
    // swap-by-swap exchange sort, whose comparisons see the text a record shows where it stands.
    void sortMatchesSwappingSort()
    {
        // The contacts page sorts by the key of the column title clicked.
        const std::tuple<int, const char *, ContactSortKey> sorts[] = { { Channels, "Name", ContactSortKey::Name },
            { Contacts, "Name", ContactSortKey::Name }, { Contacts, "ID", ContactSortKey::Id },
            { Contacts, "Type", ContactSortKey::Type }, { Contacts, "Rx Tone", ContactSortKey::RxTone } };
        for (const auto &[kind, column, key] : sorts) {
            QVERIFY2(contactSortKeyForColumn(QLatin1String(column)) == key, column);
            const FileImage image = randomList(kind, 1234 + int(key));
            FileImage swapped = image;
            swapSort(swapped, kind, key);
            FileImage sorted = image;
            if (kind == Channels)
                sortChannels(sorted, protectedNames());
            else
                sortContacts(sorted, key, protectedIds());
            QVERIFY2(sorted == swapped, qPrintable(QStringLiteral("kind %1 key %2").arg(kind).arg(int(key))));
        }
    }

private:
    static constexpr int kRandomCount = 80;

    static ProtectedChannelList protectedNames()
    {
        ProtectedChannelList names;
        names.add(QStringLiteral("n3"));
        return names;
    }
    static ProtectedIdList protectedIds()
    {
        ProtectedIdList ids;
        ids.add(3);
        ids.add(17);
        return ids;
    }

    // Names drawn from 20 in both cases, one in eight blank, and every zone or group list member
    // slot naming a record.
    static FileImage randomList(int kind, quint32 seed)
    {
        QRandomGenerator random(seed);
        ImageBuilder builder;
        for (int i = 0; i < kRandomCount; ++i) {
            const QString name = QStringLiteral("n%1").arg(random.bounded(20));
            if (kind == Channels) {
                builder.named(lists::channels, i, random.bounded(2) ? name.toUpper() : name);
                if (random.bounded(8) == 0)
                    builder.u16(lists::channels.nameFieldOffset(i), ' ').u16(lists::channels.nameFieldOffset(i) + 2, 0);
            } else {
                writeContact(builder.image(), i, random.bounded(30), int(random.bounded(1, 6)), random.bounded(2) == 1,
                    random.bounded(8) == 0 ? QStringLiteral(" ") : name);
            }
            builder.u16(kind == Channels ? 85029 + 2 * (i % 16) : 61029 + 2 * (i % 32),
                std::uint16_t(random.bounded(1, kRandomCount + 1)));
        }
        return builder.image();
    }

    // The literal sort: protected records to the front in their order, then an exchange sort whose
    // every comparison reads the records as they stand at that moment.
    static void swapSort(FileImage &image, int kind, ContactSortKey key)
    {
        RecordList list(image, descriptor(kind));
        RecordOrder order = list.identityOrder();
        const auto isProtected = [&](int i) {
            return kind == Channels ? protectedNames().matches(channelName(image, i))
                                    : protectedIds().contains(contactId(image, i));
        };
        const int first
            = int(std::stable_partition(order.begin(), order.begin() + kRandomCount, isProtected) - order.begin());
        list.applyOrder(order);
        const auto text = [&](int r) {
            return (kind == Channels ? trimControl(channelName(image, r)) : contactName(image, r)).toLower().toLatin1();
        };
        const auto before = [&](int j, int i) {
            switch (key) {
            case ContactSortKey::Name:
                return text(j) < text(i);
            case ContactSortKey::Id:
                return contactId(image, j) < contactId(image, i);
            case ContactSortKey::Type:
                return contactCallType(image, j) < contactCallType(image, i);
            case ContactSortKey::RxTone:
                return contactRxTone(image, j) && !contactRxTone(image, i);
            }
            return false;
        };
        for (int i = first; i < kRandomCount - 1; ++i) {
            for (int j = i + 1; j < kRandomCount; ++j) {
                if (before(j, i))
                    list.swap(i, j);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestRecordList)
#include "tst_recordlist.moc"
