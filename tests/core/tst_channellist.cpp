#include "ChannelList.h"
#include "ChannelRecord.h"
#include "ImageBuilder.h"
#include "Layout.h"

#include <QTest>

using namespace codeplug;

namespace {

const ListLayout &kChannels = lists::channels;

// The five kinds of channel reference, each at one entry of a named owner (the new code plug
// names the first emergency system, zone and scan list).
struct ReferenceSite
{
    const char *name;
    int offset;
};

const ReferenceSite kSites[] = {
    { "emergency system", lists::emergencySystems.recordOffset(0) + 36 },
    { "zone", members::zoneChannels.memberOffset(0, 5) },
    { "scan list", members::scanListChannels.memberOffset(0, 30) },
    { "dtmf", sectionOffset(Section::Dtmf) + 724 + 24 * 7 },
    { "gps", sectionOffset(Section::Gps) + 16 * 15 },
};

// Entries of owners with empty names: moves and swaps leave them alone, deletions do not.
const ReferenceSite kUnnamedSites[] = {
    { "unnamed emergency system", lists::emergencySystems.recordOffset(3) + 36 },
    { "unnamed zone", members::zoneChannels.memberOffset(4, 0) },
    { "unnamed scan list", members::scanListChannels.memberOffset(9, 2) },
};

testsupport::ImageBuilder withChannels(const QStringList &names)
{
    testsupport::ImageBuilder builder;
    for (int i = 0; i < names.size(); ++i)
        builder.named(kChannels, i, names.at(i));
    return builder;
}

QStringList numberedNames(int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(QStringLiteral("C%1").arg(i));
    return names;
}

QStringList channelNames(const FileImage &image)
{
    QStringList names;
    for (int i = 0; i < kChannels.count && isRecordUsed(image, kChannels, i); ++i)
        names.append(channelName(image, i));
    return names;
}

QList<int> range(int first, int last)
{
    QList<int> values;
    for (int v = first; v <= last; ++v)
        values.append(v);
    return values;
}

QByteArray recordBytes(const FileImage &image, int index)
{
    const auto bytes = image.span(kChannels.recordOffset(index), 64);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), 64);
}

const RefusalHandler kNeverAsked = [](const QString &message) {
    qWarning("unexpected refusal: %s", qPrintable(message));
    return false;
};

} // namespace

class TestChannelList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void moveRenumbersEveryReferrer_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        for (const ReferenceSite &site : kSites) {
            const auto row = [&](const char *what, int before, int after) {
                QTest::addRow("%s %s", site.name, what) << site.offset << before << after;
            };
            row("moved channel", 10, 3);
            row("first shifted", 3, 4);
            row("last shifted", 9, 10);
            row("beyond", 11, 11);
            row("none", 0, 0);
            row("special code", 0xFFFF, 0xFFFF);
        }
        for (const ReferenceSite &site : kUnnamedSites)
            QTest::addRow("%s unchanged", site.name) << site.offset << 10 << 10;
    }
    void moveRenumbersEveryReferrer()
    {
        QFETCH(int, offset);
        QFETCH(int, before);
        QFETCH(int, after);
        auto builder = withChannels(numberedNames(12));
        builder.u16(offset, std::uint16_t(before));
        QCOMPARE(moveChannel(builder.image(), 9, 7), 2);
        QCOMPARE(channelNames(builder.image()).mid(0, 5), (QStringList { "C1", "C2", "C10", "C3", "C4" }));
        QCOMPARE(int(builder.image().u16(offset)), after);
    }

    void moveStaysInsideTheUsedRecords()
    {
        auto builder = withChannels(numberedNames(5));
        QCOMPARE(moveChannel(builder.image(), 1, -100), 4);
        QCOMPARE(channelNames(builder.image()), (QStringList { "C1", "C3", "C4", "C5", "C2" }));
        QCOMPARE(moveChannel(builder.image(), 4, 100), 0);
        QCOMPARE(channelNames(builder.image()).first(), QStringLiteral("C2"));
        QCOMPARE(moveChannel(builder.image(), 7, 1), 7); // empty record: nothing to move
        QCOMPARE(usedRecordCount(builder.image(), kChannels), 5);
    }

    void swapExchangesNumbers_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        for (const ReferenceSite &site : kSites) {
            QTest::addRow("%s first", site.name) << site.offset << 2 << 5;
            QTest::addRow("%s second", site.name) << site.offset << 5 << 2;
            QTest::addRow("%s other", site.name) << site.offset << 3 << 3;
        }
        for (const ReferenceSite &site : kUnnamedSites)
            QTest::addRow("%s unchanged", site.name) << site.offset << 2 << 2;
    }
    void swapExchangesNumbers()
    {
        QFETCH(int, offset);
        QFETCH(int, before);
        QFETCH(int, after);
        auto builder = withChannels(numberedNames(6));
        builder.u16(offset, std::uint16_t(before));
        QVERIFY(swapChannels(builder.image(), 1, 4));
        QCOMPARE(channelNames(builder.image()), (QStringList { "C1", "C5", "C3", "C4", "C2", "C6" }));
        QCOMPARE(int(builder.image().u16(offset)), after);
        QVERIFY(!swapChannels(builder.image(), 1, 8));
    }

    void moveSelectionLimits_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("by");
        QTest::addColumn<QList<int>>("expected");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("up limited by first") << QList<int> { 4, 6 } << 10 << QList<int> { 0, 2 }
                                             << QStringList { "C5", "C1", "C7", "C2", "C3", "C4", "C6", "C8" };
        QTest::newRow("down limited by last") << QList<int> { 3, 5 } << -10 << QList<int> { 5, 7 }
                                              << QStringList { "C1", "C2", "C3", "C5", "C7", "C4", "C8", "C6" };
        QTest::newRow("at the top") << QList<int> { 0, 1 } << 1 << QList<int> { 0, 1 } << numberedNames(8);
        QTest::newRow("down one") << QList<int> { 0, 1 } << -1 << QList<int> { 1, 2 }
                                  << QStringList { "C3", "C1", "C2", "C4", "C5", "C6", "C7", "C8" };
    }
    void moveSelectionLimits()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, by);
        QFETCH(QList<int>, expected);
        QFETCH(QStringList, names);
        auto builder = withChannels(numberedNames(8));
        QCOMPARE(moveChannelSelection(builder.image(), selected, by), expected);
        QCOMPARE(channelNames(builder.image()), names);
    }

    void moveSelectionRenumbers()
    {
        auto builder = withChannels(numberedNames(8));
        builder.u16(kSites[1].offset, 5).u16(kSites[2].offset, 1).u16(kSites[4].offset, 7);
        moveChannelSelection(builder.image(), { 4, 6 }, 10); // C5 -> 1, C7 -> 3
        QCOMPARE(builder.image().u16(kSites[1].offset), 1);
        QCOMPARE(builder.image().u16(kSites[2].offset), 2);
        QCOMPARE(builder.image().u16(kSites[4].offset), 3);
    }

    void insertShiftsTheRest()
    {
        auto builder = withChannels(numberedNames(5));
        builder.u16(kSites[1].offset, 3).u16(kSites[3].offset, 2);
        QCOMPARE(insertChannel(builder.image(), 2), 2);
        QCOMPARE(channelNames(builder.image()), (QStringList { "C1", "C2", "Channel 6", "C3", "C4", "C5" }));
        QCOMPARE(builder.image().u16(kSites[1].offset), 4);
        QCOMPARE(builder.image().u16(kSites[3].offset), 2);
        QCOMPARE(insertChannel(builder.image(), 50), 6); // past the end: appended
    }

    void fullListRefusesAddInsertAndPasteNew()
    {
        auto builder = withChannels(numberedNames(kChannels.count));
        const FileImage before = builder.image();
        QCOMPARE(addChannel(builder.image()), -1);
        QCOMPARE(insertChannel(builder.image(), 0), -1);
        QCOMPARE(pasteNewChannels(builder.image(), copyChannels(builder.image(), { 0 })), -1);
        QVERIFY(builder.image() == before);
    }

    void deleteRefusals_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("message");
        const QString head = QStringLiteral("Cannot delete channel \"C3\".\n\nIt's used in ");
        QTest::newRow("emergency system") << kSites[0].offset << head + "EMERGENCY SYSTEM \"System 1\" setting";
        QTest::newRow("zone") << kSites[1].offset << head + "ZONES \"Zone 1\" setting";
        QTest::newRow("scan list") << kSites[2].offset << head + "SCAN LIST \"Scan List 1\" setting";
        QTest::newRow("dtmf") << kSites[3].offset << head + "DTMF \"DTMF-8\" setting";
        QTest::newRow("gps") << kSites[4].offset << head + "GPS \"GPS-DECODE-16\" setting";
        QTest::newRow("unnamed emergency system") << kUnnamedSites[0].offset << head + "EMERGENCY SYSTEM \"\" setting";
        QTest::newRow("unnamed zone") << kUnnamedSites[1].offset << head + "ZONES \"\" setting";
    }
    void deleteRefusals()
    {
        QFETCH(int, offset);
        QFETCH(QString, message);
        auto builder = withChannels(numberedNames(4));
        builder.u16(offset, 3);
        const FileImage before = builder.image();
        QStringList asked;
        const auto answer = [&](bool goOn) {
            return [&asked, goOn](const QString &text) {
                asked.append(text);
                return goOn;
            };
        };
        QCOMPARE(deleteChannel(builder.image(), 3, answer(true)), DeleteResult::RefusedContinue);
        QCOMPARE(deleteChannel(builder.image(), 3, answer(false)), DeleteResult::RefusedStop);
        QCOMPARE(asked, (QStringList { message, message }));
        QVERIFY(builder.image() == before);
    }

    void deleteChecksInOrder()
    {
        auto builder = withChannels(numberedNames(4));
        builder.u16(kSites[4].offset, 3).u16(kSites[2].offset, 3).u16(kSites[1].offset, 3);
        QString asked;
        deleteChannel(builder.image(), 3, [&](const QString &text) {
            asked = text;
            return true;
        });
        QVERIFY(asked.contains(QStringLiteral("ZONES")));
    }

    void deleteRenumbersEveryEntry_data()
    {
        QTest::addColumn<int>("offset");
        for (const ReferenceSite &site : kSites)
            QTest::newRow(site.name) << site.offset;
        for (const ReferenceSite &site : kUnnamedSites)
            QTest::newRow(site.name) << site.offset;
    }
    void deleteRenumbersEveryEntry()
    {
        QFETCH(int, offset);
        auto builder = withChannels(numberedNames(6));
        builder.u16(offset, 5);
        QCOMPARE(deleteChannel(builder.image(), 2, kNeverAsked), DeleteResult::Deleted);
        QCOMPARE(int(builder.image().u16(offset)), 4);
        QCOMPARE(channelNames(builder.image()), (QStringList { "C1", "C3", "C4", "C5", "C6" }));
        FileImage fresh = builder.image();
        initChannelRecord(fresh, 5, QString());
        QCOMPARE(recordBytes(builder.image(), 5), recordBytes(fresh, 5));
    }

    void deleteSelectionSkipsProtected()
    {
        auto builder = withChannels(numberedNames(7));
        builder.u16(kSites[1].offset, 6).u16(kSites[4].offset, 4);
        ProtectedChannelList protectedNames;
        protectedNames.add(QStringLiteral(" c4 "));
        QCOMPARE(deleteChannelSelection(builder.image(), { 2, 3, 4 }, protectedNames, kNeverAsked), 2);
        QCOMPARE(channelNames(builder.image()), (QStringList { "C1", "C2", "C4", "C6", "C7" }));
        QCOMPARE(builder.image().u16(kSites[1].offset), 4);
        QCOMPARE(builder.image().u16(kSites[4].offset), 3);
    }

    void deleteSelectionContinueOrStop_data()
    {
        QTest::addColumn<bool>("goOn");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("ok goes on") << true << 2 << QStringList { "C1", "C3", "C5" };
        QTest::newRow("cancel stops") << false << 1 << QStringList { "C1", "C3", "C4", "C5" };
    }
    void deleteSelectionContinueOrStop()
    {
        QFETCH(bool, goOn);
        QFETCH(int, deleted);
        QFETCH(QStringList, names);
        auto builder = withChannels(numberedNames(5));
        builder.u16(kSites[2].offset, 3);
        int asked = 0;
        const int count = deleteChannelSelection(builder.image(), { 1, 2, 3 }, {}, [&](const QString &) {
            ++asked;
            return goOn;
        });
        QCOMPARE(count, deleted);
        QCOMPARE(asked, 1);
        QCOMPARE(channelNames(builder.image()), names);
        QCOMPARE(builder.image().u16(kSites[2].offset), 2);
    }

    void deletingEverythingLeavesChannelOne()
    {
        auto builder = withChannels(numberedNames(4));
        QCOMPARE(deleteChannelSelection(builder.image(), range(0, 3), {}, kNeverAsked), 4);
        FileImage expected = builder.image();
        initChannelRecord(expected, 0, QStringLiteral("Channel 1"));
        QCOMPARE(channelNames(builder.image()), QStringList { "Channel 1" });
        QCOMPARE(recordBytes(builder.image(), 0), recordBytes(expected, 0));
    }

    void sortOrders_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("protect");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("case folded") << QStringList { "b", "A", "a" } << QStringList {}
                                     << QStringList { "A", "a", "b" };
        QTest::newRow("prefix first") << QStringList { "a1", "A", "a" } << QStringList {}
                                      << QStringList { "A", "a", "a1" };
        // The exchange sort is not stable: equal keys end in its own order.
        QTest::newRow("equal keys") << QStringList { "B", "a", "b", "A" } << QStringList {}
                                    << QStringList { "a", "A", "b", "B" };
        QTest::newRow("protected first") << QStringList { "z", "m", "a", "Y", "b" } << QStringList { "y", "M" }
                                         << QStringList { "m", "Y", "a", "b", "z" };
        QTest::newRow("byte order") << QStringList { "_x", "Zed", "10", "9" } << QStringList {}
                                    << QStringList { "10", "9", "_x", "Zed" };
    }
    void sortOrders()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, protect);
        QFETCH(QStringList, sorted);
        auto builder = withChannels(names);
        ProtectedChannelList protectedNames;
        for (const QString &name : protect)
            protectedNames.add(name);
        sortChannels(builder.image(), protectedNames);
        QCOMPARE(channelNames(builder.image()), sorted);
    }

    void sortRenumbers()
    {
        auto builder = withChannels({ "b", "A", "a" });
        builder.u16(kSites[1].offset, 1).u16(kSites[3].offset, 2).u16(kUnnamedSites[1].offset, 1);
        sortChannels(builder.image(), {});
        QCOMPARE(builder.image().u16(kSites[1].offset), 3);
        QCOMPARE(builder.image().u16(kSites[3].offset), 1);
        QCOMPARE(builder.image().u16(kUnnamedSites[1].offset), 1);
    }

    void copyBlockLayout()
    {
        auto builder = withChannels(numberedNames(3));
        const QByteArray block = copyChannels(builder.image(), { 2, 0 });
        QCOMPARE(block.size(), 4 + 2 * 64);
        QCOMPARE(block.left(4), QByteArray::fromHex("02000000"));
        QCOMPARE(block.mid(4, 64), recordBytes(builder.image(), 0));
        QCOMPARE(block.mid(68, 64), recordBytes(builder.image(), 2));
        QVERIFY(copyChannels(builder.image(), {}).isEmpty());
    }

    void pasteOverCycles()
    {
        auto builder = withChannels(numberedNames(8));
        builder.u16(kSites[1].offset, 1);
        const QByteArray block = copyChannels(builder.image(), { 0, 1 });
        QCOMPARE(pasteChannelsOver(builder.image(), block, { 2, 3, 4, 5, 6 }), 5);
        QCOMPARE(channelNames(builder.image()), (QStringList { "C1", "C2", "C1", "C2", "C1", "C2", "C1", "C8" }));
        QCOMPARE(builder.image().u16(kSites[1].offset), 1);
    }

    void pasteSkipsUnnamedRecords()
    {
        auto builder = withChannels(numberedNames(4));
        QByteArray block = copyChannels(builder.image(), { 0, 1, 2 });
        block[4 + 64 + 32] = 0; // second record's first name unit
        block[4 + 64 + 33] = 0;
        QCOMPARE(pasteChannelsOver(builder.image(), block, { 3 }), 1);
        QCOMPARE(pasteNewChannels(builder.image(), block), 4);
        QCOMPARE(channelNames(builder.image()), (QStringList { "C1", "C2", "C3", "C1", "C1", "C3" }));
    }

    void pasteNewLimits()
    {
        auto builder = withChannels(numberedNames(kChannels.count - 2));
        const QByteArray block = copyChannels(builder.image(), { 0, 1, 2, 3, 4 });
        QCOMPARE(pasteNewChannels(builder.image(), block), kChannels.count - 2);
        QCOMPARE(usedRecordCount(builder.image(), kChannels), kChannels.count);
        QCOMPARE(channelName(builder.image(), kChannels.count - 1), QStringLiteral("C2"));
        QCOMPARE(pasteNewChannels(builder.image(), QByteArray::fromHex("0500")), -1); // truncated block
    }
};

QTEST_APPLESS_MAIN(TestChannelList)
#include "tst_channellist.moc"
