#include "ChannelRecord.h"
#include "ChoiceSettings.h"
#include "CodePlugStore.h"
#include "Compaction.h"
#include "ImageBuilder.h"
#include "ListRecords.h"
#include "NameCodec.h"
#include "NewCodePlug.h"

#include <QTest>

using namespace codeplug;
using testsupport::ImageBuilder;
using testsupport::recordBytes;

class TestStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A record with stale bytes behind an empty name, and the last record, as compaction leaves them.
    void emptiedRecordBytes_data()
    {
        QTest::addColumn<ListLayout>("list");
        QTest::addColumn<QByteArray>("expected");
        // Zero bytes, then the bytes in hex, then zero bytes.
        const auto row = [](const char *name, const ListLayout &list, int lead, const char *hex, int zeros) {
            QTest::newRow(name) << list << QByteArray(lead, 0) + QByteArray::fromHex(hex) + QByteArray(zeros, 0);
        };
        row("text message", lists::textMessages, 288, "", 0);
        row("emergency system", lists::emergencySystems, 32, "010f050a0000ffff", 0);
        row("contact", lists::contacts, 0, "ffffffc0", 32);
        row("rx group list", lists::rxGroupLists, 96, "", 0);
        row("zone", lists::zones, 64, "", 0);
        row("scan list", lists::scanLists, 32, "fffffffffffff11408ff", 62);
        row("channel band 2", lists::channels, 0, "621400e105c3000004000000000100ff0000004300000043ffffffff0000ffff",
            32);
    }
    void emptiedRecordBytes()
    {
        QFETCH(ListLayout, list);
        QFETCH(QByteArray, expected);
        FileImage image = makeNewCodePlug(2, 0);
        image.fill(list.recordOffset(7), list.recordSize, 0xA5);
        image.setU16(list.nameFieldOffset(7), 0);
        compactLists(image);
        QCOMPARE(recordBytes(image, list, 7).toHex(), expected.toHex());
        QCOMPARE(recordBytes(image, list, list.count - 1).toHex(), expected.toHex());
    }

    // Used records close up in order, byte for byte; references keep their numbers. Members close up
    // too, in zones of 16 and group lists of 32 slots.
    void compactionClosesGapsInOrder()
    {
        const MemberLayout &zm = members::zoneChannels;
        const MemberLayout &gm = members::rxGroupListContacts;
        ImageBuilder builder;
        builder.named(lists::textMessages, 3, QStringLiteral("Four"))
            .named(lists::contacts, 2, QStringLiteral("C3"))
            .named(lists::contacts, 5, QStringLiteral("C6"))
            .named(lists::contacts, 999, QStringLiteral("Last"))
            .named(lists::channels, 4, QStringLiteral("Five"))
            .u16(zm.memberOffset(0, 0), 5)
            .named(lists::zones, 1, QStringLiteral("Two"))
            .u16(zm.memberOffset(1, 0), 5)
            .u16(zm.memberOffset(1, 3), 7)
            .u16(zm.memberOffset(1, 15), 9)
            .u16(gm.memberOffset(0, 31), 12); // "Group 1" with one member in the last place
        FileImage &image = builder.image();
        const QByteArray c6 = recordBytes(image, lists::contacts, 5);
        compactLists(image);
        QCOMPARE(testsupport::usedNames(image, lists::textMessages), (QStringList { "Hello", "Four" }));
        for (int i = 2; i < 50; ++i)
            QCOMPARE(recordBytes(image, lists::textMessages, i), QByteArray(288, 0));
        QCOMPARE(testsupport::usedNames(image, lists::contacts), (QStringList { "Contact 1", "C3", "C6", "Last" }));
        QCOMPARE(recordBytes(image, lists::contacts, 2), c6);
        QCOMPARE(decodeName(image, lists::channels.nameFieldOffset(1), 16, 2), QStringLiteral("Five"));
        QCOMPARE(image.u16(zm.memberOffset(0, 0)), 5);
        for (int m = 0; m < 16; ++m)
            QCOMPARE(image.u16(zm.memberOffset(1, m)), QList<int>({ 5, 7, 9 }).value(m));
        QCOMPARE(image.u16(gm.memberOffset(0, 0)), 12);
        QCOMPARE(image.u16(gm.memberOffset(0, 31)), 0);
    }

    // In every band and model a new code plug: compaction leaves it alone, no password is set, the
    // suffix checksum is right, and every drop-down shows an entry it offers.
    void newCodePlugs()
    {
        for (int band = 0; band < 4; ++band) {
            for (int model = 0; model < 3; ++model) {
                const FileImage image = makeNewCodePlug(band, model);
                FileImage again = image;
                compactLists(again);
                fillMissingChoices(again);
                QVERIFY(again == image);
                QVERIFY(!passwordsSet(image));
                QCOMPARE(dfuSuffixCrc(image), image.u32(FileImage::kFileSize - 4));
                checkDropDowns(image);
            }
        }
    }

    // A byte poked into a new code plug (which has none), and whether a password is then set: the power-on
    // switch is bit 5 (clear: on), a programming password's first byte below 0xFF.
    void passwordsSetRule()
    {
        const std::tuple<int, int, bool> rows[]
            = { { passwords::kPowerOnSwitch, 0xDF, true }, { passwords::kPowerOnSwitch, 0xFF, false },
                  { passwords::kPcProgramPassword, 0x41, true }, { passwords::kRadioProgramPassword, 0x00, true } };
        for (const auto &[offset, value, set] : rows) {
            FileImage image = makeNewCodePlug(1, 1);
            image.setU8(offset, std::uint8_t(value));
            QCOMPARE(passwordsSet(image), set);
        }
    }

private:
    static void checkDropDowns(const FileImage &image)
    {
        QStringList names;
        for (const ChoiceSetting &setting : settingChoices()) {
            names.append(setting.name);
            for (int entry = 0; entry < setting.entries; ++entry) {
                if (setting.choices(image, entry).isEmpty())
                    continue; // no editor for this entry
                const QString text = setting.text(image, entry);
                const QString where = QStringLiteral("%1 entry %2: %3").arg(setting.name).arg(entry).arg(text);
                QVERIFY2(holdsChoice(setting, image, entry), qPrintable(where));
                QVERIFY2(!text.isEmpty() && text != QStringLiteral("Unknown"), qPrintable(where));
            }
        }
        // One field of each page, so that no table drops out of the walk unnoticed.
        for (const char *name : { "vox-sensitivity", "menu-hang-time", "long-press-duration", "one-touch/Mode",
                 "remote-sync-wakeup", "dtmf-system/Next Sequence", "dtmf-decode/Ack", "gps/Destination Contact" })
            QVERIFY2(names.contains(QLatin1String(name)), name);
    }
};

QTEST_APPLESS_MAIN(TestStore)
#include "tst_store.moc"
