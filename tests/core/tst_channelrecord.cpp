#include "ChannelRecord.h"
#include "ImageBuilder.h"

#include <QTest>

using namespace codeplug;
using testsupport::ImageBuilder;

namespace {

int recordByte(const FileImage &image, int byte)
{
    return image.u8(lists::channels.recordOffset(0) + byte);
}

} // namespace

class TestChannelRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // In every band: the fixed bytes, the band's lowest frequency for receive and send, the name trimmed.
    void newRecordBytes()
    {
        const char *const lowest[] = { "00005014", "00000035", "00000043", "00000045" };
        QByteArray name(32, '\0');
        for (int i = 0; i < 9; ++i)
            name[2 * i] = "Channel 5"[i];
        for (int band = 0; band < 4; ++band) {
            ImageBuilder builder(band);
            initChannelRecord(builder.image(), 4, QStringLiteral(" \tChannel 5  "));
            const QByteArray frequency = QByteArray::fromHex(lowest[band]);
            const QByteArray expected = QByteArray::fromHex("621400E105C3000004000000000100FF") + frequency + frequency
                + QByteArray::fromHex("FFFFFFFF0000FFFF") + name;
            QCOMPARE(testsupport::recordBytes(builder.image(), lists::channels, 4).toHex(' '), expected.toHex(' '));
        }
    }

    // Each row: byte, mask, shift, the value written, the byte after it, the value read back.
    void fieldWritesOnlyItsBits()
    {
        const int rows[][6] = {
            { 1, 0xF0, 4, 15, 0xF4, 15 }, // colour code 15
            { 13, 0x1F, 0, 16, 0x10, 16 }, // gps system 16
            { 31, 0x02, 1, 0, 0xFD, 0 }, // rx gps info off
            { 0, 0x0C, 2, 2, 0x62, 0 }, // a new record is digital, which always works at 12.5 kHz
        };
        for (const auto &row : rows) {
            ImageBuilder builder;
            const ChannelField field { row[0], std::uint8_t(row[1]), row[2] };
            setChannelField(builder.image(), 0, field, row[3]);
            QCOMPARE(recordByte(builder.image(), row[0]), row[4]);
            QCOMPARE(channelField(builder.image(), 0, field), row[5]);
        }
    }

    // Text typed, band, what is stored (-1: nothing): no separator is padded, a value outside the band is
    // clamped, the sixth decimal's hertz dropped, later separators and letters skipped. Then the text of a
    // stored value, and values in 10 Hz units (as files hold them) clamped to a band.
    void frequencies()
    {
        const std::tuple<const char *, int, int> rows[] = { { "439.125", 2, 0x43912500 }, { "439,125", 2, 0x43912500 },
            { "439125", 2, 0x43912500 }, { "145", 0, 0x14500000 }, { "100", 0, 0x13600000 }, { "4", 2, 0x40000000 },
            { "1234.5678901", 2, 0x48000000 }, { "145.1234567", 0, 0x14512345 }, { "145.12.5", 0, 0x14512500 },
            { "MHz 146.5 x", 0, 0x14650000 }, { "abc", 0, -1 }, { "", 0, -1 } };
        for (const auto &[text, band, stored] : rows) {
            const std::optional<std::uint32_t> result = codeplug::frequencyFromText(QLatin1String(text), band);
            QCOMPARE(result.has_value(), stored >= 0);
            QCOMPARE(result.value_or(0), std::uint32_t(std::max(stored, 0)));
        }
        QCOMPARE(frequencyText(0x43912500), QStringLiteral("439.12500"));
        QCOMPARE(frequencyFromUnits(1, 2), 0x40000000u);
        QCOMPARE(frequencyFromUnits(-5, 0), 0x13600000u);
        QCOMPARE(frequencyFromUnits(99999999, 3), 0x52000000u);
    }

    // A stored tone: its label and its place among the choices (-1: none). 0 reads and writes as no tone.
    void tones()
    {
        const std::tuple<int, const char *, int> rows[]
            = { { 0xFFFF, "None", 0 }, { 0, "None", -1 }, { 0x0670, "67.0 Hz", 1 }, { 0x2541, "254.1 Hz", 50 },
                  { 0x8023, "D 23", 51 }, { 0xC023, "D 23 inv", 155 }, { 0xC754, "D 754 inv", 1 + 50 + 104 + 103 } };
        for (const auto &[code, label, choice] : rows) {
            QCOMPARE(toneLabel(std::uint16_t(code)), QString(label));
            QCOMPARE(toneChoices().indexOf(std::uint16_t(code)), choice);
        }
        QCOMPARE(toneChoices().size(), 1 + 50 + 104 + 104);

        ImageBuilder builder;
        FileImage &image = builder.image();
        setChannelU16(image, 0, channeloffsets::rxTone, 0);
        QCOMPARE(channelTone(image, 0, channeloffsets::rxTone), kNoTone);
        setChannelTone(image, 0, channeloffsets::txTone, 0);
        QCOMPARE(image.u16(lists::channels.recordOffset(0) + 26), kNoTone);
    }

    // The last entry of the numbered label lists, and the first value past it.
    void valueLabels()
    {
        QCOMPARE(labelOf(txTimeoutLabels(), 37), QStringLiteral("555 secs"));
        QCOMPARE(labelOf(txTimeoutLabels(), 38), QString());
        QCOMPARE(privacyLabels(false).size(), 17);
        QCOMPARE(labelOf(privacyLabels(true), 115), QStringLiteral("Basic 16 "));
        QCOMPARE(labelOf(privacyLabels(true), 207), QStringLiteral("Enhanced 8 "));
        QCOMPARE(privacyLabels(true).size(), 25);
    }

    // Each row: the choice made over byte 2 = 0xEA (enhanced, key 11, both call confirmations) and the
    // byte after it. A choice outside every range changes nothing and the record shows no entry.
    void privacyChoiceBytes()
    {
        const int rows[][2] = { { 0, 0xC0 }, { 100, 0xD0 }, { 115, 0xDF }, { 207, 0xE7 }, { 116, 0xEA } };
        for (const auto &[choice, byte2] : rows) {
            ImageBuilder builder;
            builder.u8(lists::channels.recordOffset(0) + 2, 0xEA);
            setChannelPrivacyChoice(builder.image(), 0, choice);
            QCOMPARE(recordByte(builder.image(), 2), byte2);
            QCOMPARE(channelPrivacyChoice(builder.image(), 0), byte2 == 0xEA ? 210 : choice);
        }
    }

    void digitalModeClearsBandwidth()
    {
        ImageBuilder builder;
        FileImage &image = builder.image();
        image.setU8(lists::channels.recordOffset(0), 0xF9); // analogue, 25 kHz, the other bits set
        setChannelMode(image, 0, ChannelMode::Digital);
        QCOMPARE(recordByte(image, 0), 0xF2);
        image.setU8(lists::channels.recordOffset(0), 0xFA);
        setChannelMode(image, 0, ChannelMode::Analogue);
        QCOMPARE(recordByte(image, 0), 0xF9); // bandwidth kept for analogue
    }

    // Mixed or automatic modes offer every criterion; analogue has no colour code, digital no tone.
    void admitCriteriaByMode()
    {
        const std::pair<std::optional<ChannelMode>, QList<int>> rows[]
            = { { std::nullopt, { 0, 1, 2, 3 } }, { ChannelMode(0), { 0, 1, 2, 3 } },
                  { ChannelMode::Analogue, { 0, 1, 2 } }, { ChannelMode::Digital, { 0, 1, 3 } } };
        for (const auto &[mode, values] : rows) {
            QList<int> offered;
            for (const ValueLabel &entry : admitCriteriaLabels(mode))
                offered.append(entry.value);
            QCOMPARE(offered, values);
        }
    }
};

QTEST_APPLESS_MAIN(TestChannelRecord)
#include "tst_channelrecord.moc"
