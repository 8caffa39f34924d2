#include "EmergencySystems.h"
#include "ImageBuilder.h"

#include <QTest>

using namespace codeplug;
namespace es = codeplug::emergency;

namespace {

constexpr int kHeader = 23701;
constexpr int kSystem2 = kHeader + 16 + 40;

// The header's six fields, then the six fields of each system.
FieldCodec codec(int field)
{
    const FieldCodec header[]
        = { es::radioDisableDecode(), es::remoteMonitorDecode(), es::emergencyRemoteMonitorDecode(),
              es::remoteMonitorDuration().codec, es::remoteSyncWakeup().codec, es::txWakeupMessageLimit().codec };
    return field < 6 ? header[field] : es::systemFields()[std::size_t(field - 6)].codec;
}

} // namespace

class TestEmergencySystems : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesOnlyItsBits_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after"); // the 16-bit word at offset

        QTest::newRow("radio disable on") << 0 << 1 << kHeader << 0xF0F0 << 0xF0F1;
        QTest::newRow("emergency remote monitor off") << 2 << 0 << kHeader << 0xFFFF << 0xFFFB;
        QTest::newRow("monitor duration") << 3 << 120 << kHeader + 1 << 0xFFFF << 0xFF78;
        QTest::newRow("sync wakeup") << 4 << 15 << kHeader + 2 << 0 << 15;
        QTest::newRow("wakeup limit") << 5 << 3 << kHeader + 3 << 0xFF00 << 0xFF03;
        QTest::newRow("alarm type") << 6 << 2 << kSystem2 + 32 << 0xFFCC << 0xFFCE;
        QTest::newRow("alarm mode") << 7 << 1 << kSystem2 + 32 << 0xFFCF << 0xFFDF;
        QTest::newRow("revert channel") << 8 << 1000 << kSystem2 + 36 << 0xFFFF << 0x03E8;
        QTest::newRow("impolite") << 9 << 1 << kSystem2 + 33 << 0xFFFF << 0xFF01;
        QTest::newRow("polite infinite") << 10 << 15 << kSystem2 + 34 << 0 << 15;
        QTest::newRow("hot mic") << 11 << 120 << kSystem2 + 35 << 0xFF00 << 0xFF78;
    }

    void writesOnlyItsBits()
    {
        QFETCH(int, field);
        QFETCH(int, value);
        QFETCH(int, offset);
        QFETCH(int, before);
        FileImage image = testsupport::ImageBuilder().u16(offset, std::uint16_t(before)).image();
        const FileImage untouched = image;
        codec(field).write(image, field < 6 ? 0 : 1, value);
        QTEST(int(image.u16(offset)), "after");
        QCOMPARE(codec(field).read(image, field < 6 ? 0 : 1), value);
        image.setU16(offset, std::uint16_t(before));
        QVERIFY(image == untouched);
    }

    void cellTexts_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // bytes 32-37 of system 1; none: as new
        QTest::addColumn<QString>("cells");
        const auto row = [](const char *name, const char *hex, const char *cells) {
            QTest::newRow(name) << QByteArray::fromHex(hex) << QString::fromLatin1(cells);
        };
        row("new", "", "1|System 1|Regular|Emergency Alarm|None|15|5|10 secs");
        row("every bit set", "FFFFFFFFFFFF", "1|System 1|Silent with Voice|Unknown|None|255|infinite|255 secs");
        row("last finite retries, channel 1", "20000E780100",
            "1|System 1|Disabled|Emergency Alarm with Voice to Follow|Channel 1|0|14|120 secs");
        row("polite 15, revert 1001", "010F0F0AE903", "1|System 1|Regular|Emergency Alarm|None|15|infinite|10 secs");
    }

    void cellTexts()
    {
        QFETCH(QByteArray, bytes);
        testsupport::ImageBuilder builder;
        for (int i = 0; i < int(bytes.size()); ++i)
            builder.u8(kHeader + 16 + 32 + i, std::uint8_t(bytes.at(i)));
        QTEST(es::systemCells(builder.image(), 0).join(u'|'), "cells");
    }

    // The size and the two ends of each choice list: "size|first label=value|last label=value".
    void choiceLists()
    {
        testsupport::ImageBuilder builder;
        builder.records(lists::channels, { "D1", "A2", "D3" });
        setChannelMode(builder.image(), 0, ChannelMode::Digital);
        setChannelMode(builder.image(), 1, ChannelMode::Analogue);
        setChannelMode(builder.image(), 2, ChannelMode::Digital);
        const auto ends = [](const ValueLabels &labels) {
            const auto text = [](const auto &choice) { return choice.label + u'=' + QString::number(choice.value); };
            return QString::number(labels.size()) + u'|' + text(labels.first()) + u'|' + text(labels.last());
        };
        QCOMPARE(ends(es::remoteMonitorDuration().choices), QStringLiteral("12|10 secs=10|120 secs=120"));
        QCOMPARE(ends(es::remoteSyncWakeup().choices), QStringLiteral("11|125 ms=5|375 ms=15"));
        QCOMPARE(ends(es::txWakeupMessageLimit().choices), QStringLiteral("4|1=1|4=4"));
        QCOMPARE(ends(es::systemFields()[4].choices(builder.image())), QStringLiteral("16|0=0|Infinite=15"));
        // Only digital channels are offered as revert channels, under their numbers.
        QCOMPARE(ends(es::systemFields()[2].choices(builder.image())), QStringLiteral("3|None=0|D3=3"));
    }
};

QTEST_APPLESS_MAIN(TestEmergencySystems)
#include "tst_emergencysystems.moc"
