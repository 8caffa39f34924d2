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

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}
} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptiedRecordBytes_data()
    {
        QTest::addColumn<int>("listIndex");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("text message") << 0 << QByteArray(288, 0);
        QTest::newRow("emergency system") << 1 << QByteArray(32, 0) + hex("010f050a0000ffff");
        QTest::newRow("contact") << 2 << hex("ffffffc0") + QByteArray(32, 0);
        QTest::newRow("rx group list") << 3 << QByteArray(96, 0);
        QTest::newRow("zone") << 4 << QByteArray(64, 0);
        QTest::newRow("scan list") << 5 << QByteArray(32, 0) + hex("fffffffffffff11408ff") + QByteArray(62, 0);
        QTest::newRow("channel band 2") << 6
                                        << hex("621400e105c30000040000000001 00ff 00000043 00000043 ffffffff 0000 ffff")
                + QByteArray(32, 0);
    }

    void emptiedRecordBytes()
    {
        QFETCH(int, listIndex);
        QFETCH(QByteArray, expected);
        const ListLayout all[] = { lists::textMessages, lists::emergencySystems, lists::contacts, lists::rxGroupLists,
            lists::zones, lists::scanLists, lists::channels };
        const ListLayout &list = all[listIndex];

        FileImage image = makeNewCodePlug(2, 0);
        image.fill(list.recordOffset(7), list.recordSize, 0xA5); // stale bytes behind an empty name
        image.setU16(list.nameFieldOffset(7), 0);
        compactLists(image);
        QCOMPARE(recordBytes(image, list, 7).toHex(), expected.toHex());
        QCOMPARE(recordBytes(image, list, list.count - 1).toHex(), expected.toHex());
    }

    void compactionClosesGapsInOrder()
    {
        ImageBuilder builder;
        builder.named(lists::textMessages, 3, QStringLiteral("Four"))
            .named(lists::contacts, 2, QStringLiteral("C3"))
            .named(lists::contacts, 5, QStringLiteral("C6"))
            .named(lists::contacts, 999, QStringLiteral("Last"))
            .named(lists::channels, 4, QStringLiteral("Five"))
            .u16(members::zoneChannels.memberOffset(0, 0), 5);
        FileImage &image = builder.image();
        const QByteArray c6 = recordBytes(image, lists::contacts, 5);
        compactLists(image);

        QCOMPARE(decodeName(image, lists::textMessages.nameFieldOffset(1), 144, 2), QStringLiteral("Four"));
        for (int i = 2; i < 50; ++i)
            QCOMPARE(recordBytes(image, lists::textMessages, i), QByteArray(288, 0));
        const QStringList expected = { "Contact 1", "C3", "C6", "Last" };
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(decodeName(image, lists::contacts.nameFieldOffset(i), 16, i + 1), expected.at(i));
        QCOMPARE(recordBytes(image, lists::contacts, 2), c6); // moved bytes are copied unchanged
        QCOMPARE(usedRecordCount(image, lists::contacts), 4);
        QVERIFY(!isRecordUsed(image, lists::contacts, 4));
        // References keep their numbers.
        QCOMPARE(decodeName(image, lists::channels.nameFieldOffset(1), 16, 2), QStringLiteral("Five"));
        QCOMPARE(image.u16(members::zoneChannels.memberOffset(0, 0)), 5);
    }

    void compactionRewritesStaleEmptyRecords()
    {
        FileImage image = makeNewCodePlug(0, 0);
        image.setU8(lists::zones.recordOffset(249) + 40, 0x33); // garbage in the last, empty zone
        CodePlugStore store;
        store.setImage(0, std::make_unique<FileImage>(image));
        QVERIFY(!store.hasUnsavedChanges(0));
        store.compactLists(0);
        QVERIFY(store.hasUnsavedChanges(0));
        QCOMPARE(store.slot(0)->image()->u8(lists::zones.recordOffset(249) + 40), 0);
    }

    void compactionMovesMembersEvenOfEmptyRecords()
    {
        ImageBuilder builder;
        const MemberLayout &zm = members::zoneChannels;
        builder.named(lists::zones, 1, QStringLiteral("Two"))
            .u16(zm.memberOffset(1, 0), 5)
            .u16(zm.memberOffset(1, 3), 7)
            .u16(zm.memberOffset(1, 15), 9);
        const MemberLayout &gm = members::rxGroupListContacts;
        builder.u16(gm.memberOffset(0, 31), 12); // "Group 1" with one member in the last place
        FileImage &image = builder.image();
        compactLists(image);

        QCOMPARE(image.u16(zm.memberOffset(1, 0)), 5);
        QCOMPARE(image.u16(zm.memberOffset(1, 1)), 7);
        QCOMPARE(image.u16(zm.memberOffset(1, 2)), 9);
        for (int m = 3; m < 16; ++m)
            QCOMPARE(image.u16(zm.memberOffset(1, m)), 0);
        QCOMPARE(image.u16(gm.memberOffset(0, 0)), 12);
        QCOMPARE(image.u16(gm.memberOffset(0, 31)), 0);

        // An empty-named zone has its members compacted before the record itself is emptied.
        FileImage second = makeNewCodePlug(2, 0);
        second.setU16(zm.memberOffset(0, 2), 4);
        compactLists(second);
        QCOMPARE(second.u16(zm.memberOffset(0, 0)), 4);
    }

    void newCodePlugIsStableUnderCompaction()
    {
        for (int band = 0; band < 4; ++band) {
            const FileImage fresh = makeNewCodePlug(band, band % 3);
            FileImage compacted = fresh;
            compactLists(compacted);
            QVERIFY(compacted == fresh);
            QVERIFY(!passwordsSet(fresh));
            QCOMPARE(dfuSuffixCrc(fresh), fresh.u32(FileImage::kFileSize - 4));
        }
    }

    void newCodePlugShowsAnEntryInEveryDropDown_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("model");
        for (int band = 0; band < 4; ++band) {
            for (int model = 0; model < 3; ++model)
                QTest::addRow("band %d model %d", band, model) << band << model;
        }
    }

    void newCodePlugShowsAnEntryInEveryDropDown()
    {
        QFETCH(int, band);
        QFETCH(int, model);
        const FileImage image = makeNewCodePlug(band, model);
        QStringList names;
        for (const ChoiceSetting &setting : settingChoices()) {
            names.append(setting.name);
            for (int entry = 0; entry < setting.entries; ++entry) {
                if (setting.choices(image, entry).isEmpty())
                    continue; // no editor for this entry
                const QString where = QStringLiteral("%1 entry %2").arg(setting.name).arg(entry);
                const QString text = setting.text(image, entry);
                QVERIFY2(holdsChoice(setting, image, entry), qPrintable(where));
                QVERIFY2(!text.isEmpty() && text != QStringLiteral("Unknown"), qPrintable(where + ": " + text));
            }
        }
        // One field of each page, so that no table drops out of the walk unnoticed.
        for (const char *name : { "vox-sensitivity", "menu-hang-time", "long-press-duration", "one-touch/Mode",
                 "remote-sync-wakeup", "dtmf-system/Next Sequence", "dtmf-decode/Ack", "gps/Destination Contact" })
            QVERIFY2(names.contains(QLatin1String(name)), name);
        FileImage again = image;
        fillMissingChoices(again);
        QVERIFY(again == image); // values the drop-downs carry are kept
    }

    void sectionViewsFollowTheImage()
    {
        CodePlugStore store;
        store.setImage(2, std::make_unique<FileImage>(makeNewCodePlug(2, 0)));
        const CodePlugSlot &slot = *store.slot(2);
        QCOMPARE(slot.view(Section::Channels).offset(), 127013);
        QCOMPARE(slot.view(Section::EnhancedPrivacyKeys).offset(), 23525);
        QCOMPARE(slot.view(Section::Gps).image(), slot.image());
        store.setImage(2, nullptr);
        QVERIFY(!slot.isOpen());
        for (int s = 0; s < kSectionCount; ++s)
            QVERIFY(slot.view(Section(s)).isNull());
        QVERIFY(!store.hasUnsavedChanges(2));
        store.setImage(7, std::make_unique<FileImage>()); // ignored
    }

    void passwordsSetRule_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("set");
        QTest::newRow("none") << 0 << 0 << false;
        QTest::newRow("power-on switch clear") << passwords::kPowerOnSwitch << 0xDF << true;
        QTest::newRow("other bits of the switch byte") << passwords::kPowerOnSwitch << 0xFF << false;
        QTest::newRow("pc password") << passwords::kPcProgramPassword << 0x41 << true;
        QTest::newRow("radio password") << passwords::kRadioProgramPassword << 0x00 << true;
    }

    void passwordsSetRule()
    {
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(bool, set);
        FileImage image = makeNewCodePlug(1, 1);
        if (offset)
            image.setU8(offset, std::uint8_t(value));
        CodePlugStore store;
        QVERIFY(!store.passwordsSet(0));
        store.setImage(0, std::make_unique<FileImage>(image));
        QCOMPARE(store.passwordsSet(0), set);
        QVERIFY(!store.passwordsSet(4));
    }

    void missingReferenceCopyNeverReportsChanges()
    {
        CodePlugStore store;
        store.setImage(0, std::make_unique<FileImage>(makeNewCodePlug(2, 0)));
        store.slot(0)->dropReferenceCopyForTest();
        store.slot(0)->image()->setU8(lists::zones.offset + 2, 'x');
        QVERIFY(!store.hasUnsavedChanges(0));
        store.takeReferenceCopy(0);
        QVERIFY(!store.hasUnsavedChanges(0));
    }
};

QTEST_APPLESS_MAIN(TestStore)
#include "tst_store.moc"
