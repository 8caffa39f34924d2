#include "ChannelRecord.h"
#include "EmergencySystems.h"
#include "ImageBuilder.h"

#include <QTest>

using namespace codeplug;
namespace es = codeplug::emergency;
using testsupport::ImageBuilder;

Q_DECLARE_METATYPE(codeplug::FileImage)

namespace {

constexpr int kHeader = 23701;
constexpr int kSystem1 = kHeader + 16; // record 0
constexpr int kSystem2 = kSystem1 + 40;

enum Field { RadioDisable, RemoteMonitor, EmergencyRemoteMonitor, MonitorDuration, SyncWakeup, WakeupLimit };

FieldCodec headerCodec(int field)
{
    switch (field) {
    case RadioDisable:
        return es::radioDisableDecode();
    case RemoteMonitor:
        return es::remoteMonitorDecode();
    case EmergencyRemoteMonitor:
        return es::emergencyRemoteMonitorDecode();
    case MonitorDuration:
        return es::remoteMonitorDuration().codec;
    case SyncWakeup:
        return es::remoteSyncWakeup().codec;
    default:
        return es::txWakeupMessageLimit().codec;
    }
}

// Systems 1 and 2 as new, then the byte pokes (offset, value).
FileImage systemsWith(const QList<std::pair<int, int>> &pokes)
{
    ImageBuilder builder;
    builder.records(lists::emergencySystems, { QStringLiteral("System 1"), QStringLiteral("S2") });
    for (const auto &[offset, value] : pokes)
        builder.u8(offset, std::uint8_t(value));
    return builder.image();
}

} // namespace

class TestEmergencySystems : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headerWritesOnlyItsBits_data();
    void headerWritesOnlyItsBits();
    void headerChoices_data();
    void headerChoices();
    void systemCells_data();
    void systemCells();
    void systemWritesOnlyItsBits_data();
    void systemWritesOnlyItsBits();
    void revertChoicesOfferUsedDigitalChannels();
};

void TestEmergencySystems::headerWritesOnlyItsBits_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");

    QTest::newRow("radio disable on") << int(RadioDisable) << 1 << kHeader << 0xF0 << 0xF1;
    QTest::newRow("radio disable off") << int(RadioDisable) << 0 << kHeader << 0xFF << 0xFE;
    QTest::newRow("remote monitor on") << int(RemoteMonitor) << 1 << kHeader << 0x00 << 0x02;
    QTest::newRow("emergency remote monitor off") << int(EmergencyRemoteMonitor) << 0 << kHeader << 0xFF << 0xFB;
    QTest::newRow("monitor duration 120") << int(MonitorDuration) << 120 << kHeader + 1 << 0 << 120;
    QTest::newRow("sync wakeup 375 ms") << int(SyncWakeup) << 15 << kHeader + 2 << 0xFF << 15;
    QTest::newRow("wakeup limit 3") << int(WakeupLimit) << 3 << kHeader + 3 << 0 << 3;
}

void TestEmergencySystems::headerWritesOnlyItsBits()
{
    QFETCH(int, field);
    QFETCH(int, value);
    QFETCH(int, offset);
    QFETCH(int, before);
    QFETCH(int, after);
    FileImage image = ImageBuilder().u8(offset, std::uint8_t(before)).image();
    const FileImage untouched = image;
    headerCodec(field).write(image, 0, value);
    QCOMPARE(int(image.u8(offset)), after);
    QCOMPARE(headerCodec(field).read(image, 0), value);
    image.setU8(offset, std::uint8_t(before));
    QVERIFY(image == untouched);
}

void TestEmergencySystems::headerChoices_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("firstValue");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("lastValue");

    QTest::newRow("monitor duration") << int(MonitorDuration) << 12 << "10 secs" << 10 << "120 secs" << 120;
    QTest::newRow("sync wakeup") << int(SyncWakeup) << 11 << "125 ms" << 5 << "375 ms" << 15;
    QTest::newRow("wakeup limit") << int(WakeupLimit) << 4 << "1" << 1 << "4" << 4;
}

void TestEmergencySystems::headerChoices()
{
    QFETCH(int, field);
    const es::ChoiceField &choice = field == MonitorDuration ? es::remoteMonitorDuration()
        : field == SyncWakeup                                ? es::remoteSyncWakeup()
                                                             : es::txWakeupMessageLimit();
    QTEST(int(choice.choices.size()), "count");
    QTEST(choice.choices.first().label, "first");
    QTEST(choice.choices.first().value, "firstValue");
    QTEST(choice.choices.last().label, "last");
    QTEST(choice.choices.last().value, "lastValue");
}

void TestEmergencySystems::systemCells_data()
{
    QTest::addColumn<FileImage>("image");
    QTest::addColumn<QStringList>("cells");

    const QStringList fresh { "1", "System 1", "Regular", "Emergency Alarm", "None", "15", "5", "10 secs" };
    QTest::newRow("new system") << systemsWith({}) << fresh;
    QStringList silentUnknown = fresh;
    silentUnknown[2] = QStringLiteral("Silent with Voice");
    silentUnknown[3] = QStringLiteral("Unknown");
    QTest::newRow("type 3, mode 3, other bits set") << systemsWith({ { kSystem1 + 32, 0xFF } }) << silentUnknown;
    QStringList limits = fresh;
    limits[5] = QStringLiteral("0");
    limits[6] = QStringLiteral("14");
    limits[7] = QStringLiteral("120 secs");
    QTest::newRow("polite 14") << systemsWith({ { kSystem1 + 33, 0 }, { kSystem1 + 34, 14 }, { kSystem1 + 35, 120 } })
                               << limits;
    QStringList infinite = fresh;
    infinite[6] = QStringLiteral("infinite");
    QTest::newRow("polite 15") << systemsWith({ { kSystem1 + 34, 15 } }) << infinite;
    QTest::newRow("polite 255") << systemsWith({ { kSystem1 + 34, 255 } }) << infinite;
    QStringList channel = fresh;
    channel[4] = QStringLiteral("Channel 1");
    QTest::newRow("revert 1") << systemsWith({ { kSystem1 + 36, 1 } }) << channel;
    QStringList unused = fresh;
    unused[4] = QString();
    QTest::newRow("revert 1000, an unused channel")
        << systemsWith({ { kSystem1 + 36, 0xE8 }, { kSystem1 + 37, 3 } }) << unused;
    QTest::newRow("revert 1001 is none") << systemsWith({ { kSystem1 + 36, 0xE9 }, { kSystem1 + 37, 3 } }) << fresh;
    QTest::newRow("revert 0xFFFF is none")
        << systemsWith({ { kSystem1 + 36, 0xFF }, { kSystem1 + 37, 0xFF } }) << fresh;
}

void TestEmergencySystems::systemCells()
{
    QFETCH(FileImage, image);
    QTEST(es::systemCells(image, 0), "cells");
}

void TestEmergencySystems::systemWritesOnlyItsBits_data()
{
    QTest::addColumn<int>("field"); // index into systemFields()
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");

    QTest::newRow("alarm type") << 0 << 2 << 32 << 0xCC << 0xCE;
    QTest::newRow("alarm mode") << 1 << 1 << 32 << 0xCF << 0xDF;
    QTest::newRow("revert channel low byte") << 2 << 1000 << 36 << 0 << 0xE8;
    QTest::newRow("revert channel high byte") << 2 << 1000 << 37 << 0xFF << 0x03;
    QTest::newRow("impolite") << 3 << 1 << 33 << 15 << 1;
    QTest::newRow("polite infinite") << 4 << 15 << 34 << 5 << 15;
    QTest::newRow("hot mic") << 5 << 120 << 35 << 10 << 120;
}

void TestEmergencySystems::systemWritesOnlyItsBits()
{
    QFETCH(int, field);
    QFETCH(int, value);
    QFETCH(int, byte);
    QFETCH(int, before);
    FileImage image = systemsWith({ { kSystem2 + byte, before } });
    const FileImage untouched = image;
    es::systemFields()[std::size_t(field)].codec.write(image, 1, value);
    QTEST(int(image.u8(kSystem2 + byte)), "after");
    QCOMPARE(es::systemFields()[std::size_t(field)].codec.read(image, 1), value);
    // Nothing outside the field changed: not system 1, not the record's other bytes.
    for (int offset = kSystem1; offset < kSystem2 + 40; ++offset) {
        const bool inField = offset - kSystem2 == byte || (field == 2 && (offset - kSystem2) / 2 == 18);
        if (!inField)
            QCOMPARE(image.u8(offset), untouched.u8(offset));
    }
    if (field < 2) // two fields share byte 32: the other one keeps its value
        QCOMPARE(es::systemFields()[std::size_t(1 - field)].codec.read(image, 1),
            es::systemFields()[std::size_t(1 - field)].codec.read(untouched, 1));
}

void TestEmergencySystems::revertChoicesOfferUsedDigitalChannels()
{
    ImageBuilder builder;
    builder.records(lists::channels, { QStringLiteral("D1"), QStringLiteral("A2"), QStringLiteral("D3") });
    for (int i : { 0, 2 })
        setChannelMode(builder.image(), i, ChannelMode::Digital);
    setChannelMode(builder.image(), 1, ChannelMode::Analogue);
    builder.named(lists::channels, 5, QStringLiteral("behind a gap"));
    setChannelMode(builder.image(), 5, ChannelMode::Digital);
    builder.emptied(lists::channels, 5);

    const ValueLabels choices = es::systemFields()[2].choices(builder.image());
    QStringList texts;
    QList<int> values;
    for (const ValueLabel &choice : choices) {
        texts.append(choice.label);
        values.append(choice.value);
    }
    QCOMPARE(texts, (QStringList { "None", "D1", "D3" }));
    QCOMPARE(values, (QList<int> { 0, 1, 3 }));
    // An analogue revert channel keeps its name in the cell, though the editor no longer offers it.
    builder.u8(kSystem1 + 36, 2);
    QCOMPARE(es::systemCells(builder.image(), 0).at(4), QStringLiteral("A2"));
}

QTEST_APPLESS_MAIN(TestEmergencySystems)
#include "tst_emergencysystems.moc"
