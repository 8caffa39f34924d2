#include "ChannelRecord.h"
#include "ImageBuilder.h"

#include <QTest>

using namespace codeplug;

namespace {

QByteArray nameBytes(const char *name)
{
    QByteArray bytes(32, '\0');
    for (int i = 0; name[i] != 0; ++i)
        bytes[2 * i] = name[i];
    return bytes;
}

} // namespace

class TestChannelRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newRecordBytes_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<QByteArray>("frequency");
        QTest::newRow("band 0") << 0 << QByteArray::fromHex("00005014");
        QTest::newRow("band 1") << 1 << QByteArray::fromHex("00000035");
        QTest::newRow("band 2") << 2 << QByteArray::fromHex("00000043");
        QTest::newRow("band 3") << 3 << QByteArray::fromHex("00000045");
    }
    void newRecordBytes()
    {
        QFETCH(int, band);
        QFETCH(QByteArray, frequency);
        testsupport::ImageBuilder builder(band);
        initChannelRecord(builder.image(), 4, QStringLiteral(" \tChannel 5  ")); // stored trimmed
        const QByteArray expected = QByteArray::fromHex("621400E105C30000040000000001 00FF").replace(' ', "")
            + frequency + frequency + QByteArray::fromHex("FFFFFFFF0000FFFF") + nameBytes("Channel 5");
        QCOMPARE(testsupport::recordBytes(builder.image(), lists::channels, 4).toHex(' '), expected.toHex(' '));
    }

    void fieldWritesOnlyItsBits_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("stored");
        QTest::newRow("colour code 15") << 1 << 0xF0 << 4 << 15 << 0xF4 << 15;
        QTest::newRow("mode analogue") << 0 << 0x03 << 0 << 1 << 0x61 << 1;
        QTest::newRow("in-call criteria") << 5 << 0x10 << 4 << 1 << 0xD3 << 1;
        QTest::newRow("gps system 16") << 13 << 0x1F << 0 << 16 << 0x10 << 16;
        QTest::newRow("decode 8") << 14 << 0x80 << 7 << 1 << 0x80 << 1;
        QTest::newRow("rx gps info off cleared") << 31 << 0x02 << 1 << 0 << 0xFD << 0;
        // A new record is Digital, which always works at 12.5 kHz.
        QTest::newRow("bandwidth on digital") << 0 << 0x0C << 2 << 2 << 0x62 << 0;
    }
    void fieldWritesOnlyItsBits()
    {
        QFETCH(int, byte);
        QFETCH(int, mask);
        QFETCH(int, shift);
        QFETCH(int, value);
        QFETCH(int, expected);
        QFETCH(int, stored);
        testsupport::ImageBuilder builder;
        FileImage &image = builder.image();
        const ChannelField field { byte, std::uint8_t(mask), shift };
        setChannelField(image, 0, field, value);
        QCOMPARE(int(image.u8(lists::channels.recordOffset(0) + byte)), expected);
        QCOMPARE(channelField(image, 0, field), stored);
    }

    void frequencyFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("stored"); // -1: nothing written
        QTest::newRow("point") << "439.125" << 2 << 0x43912500;
        QTest::newRow("comma") << "439,125" << 2 << 0x43912500;
        QTest::newRow("no separator padded") << "439125" << 2 << 0x43912500;
        QTest::newRow("whole MHz") << "145" << 0 << 0x14500000;
        QTest::newRow("below band 0") << "100" << 0 << 0x13600000;
        QTest::newRow("single digit clamps up") << "4" << 2 << 0x40000000;
        QTest::newRow("too many decimals clamps down") << "1234.5678901" << 2 << 0x48000000;
        QTest::newRow("sixth decimal's hertz dropped") << "145.1234567" << 0 << 0x14512345;
        QTest::newRow("later separators skipped") << "145.12.5" << 0 << 0x14512500;
        QTest::newRow("letters removed") << "MHz 146.5 x" << 0 << 0x14650000;
        QTest::newRow("nothing numeric") << "abc" << 0 << -1;
        QTest::newRow("empty") << "" << 0 << -1;
    }
    void frequencyFromText()
    {
        QFETCH(QString, text);
        QFETCH(int, band);
        QFETCH(int, stored);
        const std::optional<std::uint32_t> result = codeplug::frequencyFromText(text, band);
        QCOMPARE(result.has_value(), stored >= 0);
        if (result)
            QCOMPARE(*result, std::uint32_t(stored));
    }

    void frequencyBytes()
    {
        testsupport::ImageBuilder builder;
        const int at = lists::channels.recordOffset(0) + channeloffsets::rxFrequency;
        builder.u8(at, 0x00).u8(at + 1, 0x25).u8(at + 2, 0x91).u8(at + 3, 0x43);
        const std::uint32_t stored = channelU32(builder.image(), 0, channeloffsets::rxFrequency);
        QCOMPARE(frequencyText(stored), QStringLiteral("439.12500"));
        QCOMPARE(decodeFrequency(stored), 439125000u);
        QCOMPARE(encodeFrequency(439125000), stored);
        QCOMPARE(frequencyText(encodeFrequency(145000000)), QStringLiteral("145.00000"));
        QCOMPARE(frequencyFromUnits(1, 2), 0x40000000u);
        QCOMPARE(frequencyFromUnits(-5, 0), 0x13600000u);
        QCOMPARE(frequencyFromUnits(99999999, 3), 0x52000000u);
    }

    void tones_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("choice"); // its place among the tone choices; -1: none
        QTest::newRow("no tone") << 0xFFFF << "None" << 0;
        QTest::newRow("stored 0") << 0 << "None" << -1;
        QTest::newRow("CTCSS 67.0") << 0x0670 << "67.0 Hz" << 1;
        QTest::newRow("CTCSS 100.0") << 0x1000 << "100.0 Hz" << 13;
        QTest::newRow("CTCSS 254.1") << 0x2541 << "254.1 Hz" << 50;
        QTest::newRow("DCS 023") << 0x8023 << "D 23" << 51;
        QTest::newRow("DCS 023 inverted") << 0xC023 << "D 23 inv" << 155;
        QTest::newRow("DCS 754 inverted") << 0xC754 << "D 754 inv" << 1 + 50 + 104 + 103;
    }
    void tones()
    {
        QFETCH(int, code);
        QFETCH(QString, label);
        QFETCH(int, choice);
        QCOMPARE(toneLabel(std::uint16_t(code)), label);
        QCOMPARE(toneChoices().indexOf(std::uint16_t(code)), choice);
    }

    void toneCodes()
    {
        QCOMPARE(ctcssCode(100.0), std::uint16_t(0x1000));
        QCOMPARE(ctcssCode(67.0), std::uint16_t(0x0670));
        QCOMPARE(dcsCode(754, true), std::uint16_t(0xC754));
        QCOMPARE(dcsCode(23, false), std::uint16_t(0x8023));
        QCOMPARE(toneChoices().size(), 1 + 50 + 104 + 104);
    }

    void valueLabels()
    {
        QCOMPARE(labelOf(txTimeoutLabels(), 0), QStringLiteral("Infinite "));
        QCOMPARE(labelOf(txTimeoutLabels(), 37), QStringLiteral("555 secs"));
        QCOMPARE(labelOf(txTimeoutLabels(), 38), QString());
        QCOMPARE(labelOf(rekeyDelayLabels(), 255), QStringLiteral("255 secs"));
        QCOMPARE(labelOf(colourCodeLabels(), 15), QStringLiteral("15 "));
        QCOMPARE(labelOf(signallingLabels(), 4), QStringLiteral("DTMF 4 "));
        QCOMPARE(privacyLabels(false).size(), 17);
        QCOMPARE(privacyLabels(true).size(), 25);
        QCOMPARE(labelOf(privacyLabels(true), 115), QStringLiteral("Basic 16 "));
        QCOMPARE(labelOf(privacyLabels(true), 207), QStringLiteral("Enhanced 8 "));
        QCOMPARE(privacyLabel(0, 5), QStringLiteral("None "));
    }
    void privacyChoiceBytes_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("byte2"); // starting from 0xC0: the two call-confirmed bits stay
        QTest::newRow("none") << 0 << 0xC0;
        QTest::newRow("basic 1") << 100 << 0xD0;
        QTest::newRow("basic 16") << 115 << 0xDF;
        QTest::newRow("enhanced 8") << 207 << 0xE7;
        QTest::newRow("outside every range") << 116 << 0xEA;
    }
    void privacyChoiceBytes()
    {
        QFETCH(int, choice);
        QFETCH(int, byte2);
        testsupport::ImageBuilder builder;
        FileImage &image = builder.image();
        const int offset = lists::channels.recordOffset(0) + 2;
        image.setU8(offset, 0xEA); // enhanced, key 11, both confirmations
        setChannelPrivacyChoice(image, 0, choice);
        QCOMPARE(int(image.u8(offset)), byte2);
        if (byte2 != 0xEA)
            QCOMPARE(channelPrivacyChoice(image, 0), choice);
        else
            QCOMPARE(channelPrivacyChoice(image, 0), 210); // no such entry: the choice shows nothing
    }

    void toneZeroIsNoTone()
    {
        testsupport::ImageBuilder builder;
        FileImage &image = builder.image();
        setChannelU16(image, 0, channeloffsets::rxTone, 0);
        QCOMPARE(channelTone(image, 0, channeloffsets::rxTone), kNoTone);
        setChannelTone(image, 0, channeloffsets::txTone, 0);
        QCOMPARE(image.u16(lists::channels.recordOffset(0) + 26), std::uint16_t(0xFFFF));
        setChannelTone(image, 0, channeloffsets::txTone, 0xC754);
        QCOMPARE(image.u16(lists::channels.recordOffset(0) + 26), std::uint16_t(0xC754));
    }

    void digitalModeClearsBandwidth()
    {
        testsupport::ImageBuilder builder;
        FileImage &image = builder.image();
        const int offset = lists::channels.recordOffset(0);
        image.setU8(offset, 0xF9); // analogue, 25 kHz, the other bits set
        setChannelMode(image, 0, ChannelMode::Digital);
        QCOMPARE(int(image.u8(offset)), 0xF2);
        image.setU8(offset, 0xFA);
        setChannelMode(image, 0, ChannelMode::Analogue);
        QCOMPARE(int(image.u8(offset)), 0xF9); // bandwidth kept for analogue
    }

    void admitCriteriaByMode_data()
    {
        QTest::addColumn<int>("mode"); // -1: mixed
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("mixed") << -1 << QList<int> { 0, 1, 2, 3 };
        QTest::newRow("auto") << 0 << QList<int> { 0, 1, 2, 3 };
        QTest::newRow("analogue") << 1 << QList<int> { 0, 1, 2 };
        QTest::newRow("digital") << 2 << QList<int> { 0, 1, 3 };
    }
    void admitCriteriaByMode()
    {
        QFETCH(int, mode);
        QFETCH(QList<int>, values);
        const std::optional<ChannelMode> common
            = mode < 0 ? std::nullopt : std::optional<ChannelMode>(ChannelMode(mode));
        QList<int> offered;
        for (const ValueLabel &entry : admitCriteriaLabels(common))
            offered.append(entry.value);
        QCOMPARE(offered, values);
    }
};

QTEST_APPLESS_MAIN(TestChannelRecord)
#include "tst_channelrecord.moc"
