#include "ChannelRecord.h"

#include "NameCodec.h"
#include "RadioInfo.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace codeplug {

namespace {
constexpr std::array<std::uint8_t, 16> kNewChannelHead = {
    0x62,
    0x14,
    0x00,
    0xE1,
    0x05,
    0xC3,
    0x00,
    0x00,
    0x04,
    0x00,
    0x00,
    0x00,
    0x00,
    0x01,
    0x00,
    0xFF,
};
} // namespace

std::uint32_t encodeFrequency(std::uint32_t hz)
{
    std::uint32_t units = hz / 10;
    std::uint32_t bcd = 0;
    for (int digit = 0; digit < 8; ++digit) {
        bcd |= (units % 10) << (4 * digit);
        units /= 10;
    }
    return bcd;
}

std::uint32_t decodeFrequency(std::uint32_t stored)
{
    std::uint32_t units = 0;
    for (int digit = 7; digit >= 0; --digit)
        units = units * 10 + ((stored >> (4 * digit)) & 0x0F);
    return units * 10;
}

void initChannelRecord(FileImage &image, int index, const QString &name)
{
    const ListLayout &list = lists::channels;
    if (!list.validIndex(index))
        return;
    const int record = list.recordOffset(index);
    image.fill(record, list.recordSize, 0);
    encodeName(image, record + list.nameOffset, list.nameUnits, trimControl(name));
    for (int i = 0; i < int(kNewChannelHead.size()); ++i)
        image.setU8(record + i, kNewChannelHead[std::size_t(i)]);
    const std::uint32_t frequency = encodeFrequency(kBands[std::size_t(bandCode(image))].newChannelHz);
    image.setU32(record + 16, frequency);
    image.setU32(record + 20, frequency);
    image.fill(record + 24, 4, 0xFF);
    image.setU8(record + 30, 0xFF);
    image.setU8(record + 31, 0xFF);
}

} // namespace codeplug

namespace codeplug {

namespace {

int fieldOffset(int index, int offset)
{
    return lists::channels.validIndex(index) ? lists::channels.recordOffset(index) + offset : -1;
}

constexpr std::array<int, 50> kCtcssTenths = {
    670,
    693,
    719,
    744,
    770,
    797,
    825,
    854,
    885,
    915,
    948,
    974,
    1000,
    1035,
    1072,
    1109,
    1148,
    1188,
    1230,
    1273,
    1318,
    1365,
    1413,
    1462,
    1514,
    1567,
    1598,
    1622,
    1655,
    1679,
    1713,
    1738,
    1773,
    1799,
    1835,
    1862,
    1899,
    1928,
    1966,
    1995,
    2035,
    2065,
    2107,
    2181,
    2257,
    2291,
    2336,
    2418,
    2503,
    2541,
};

constexpr std::array<int, 104> kDcsCodes = {
    23,
    25,
    26,
    31,
    32,
    36,
    43,
    47,
    51,
    53,
    54,
    65,
    71,
    72,
    73,
    74,
    114,
    115,
    116,
    122,
    125,
    131,
    132,
    134,
    143,
    145,
    152,
    155,
    156,
    162,
    165,
    172,
    174,
    205,
    212,
    223,
    225,
    226,
    243,
    244,
    245,
    246,
    251,
    252,
    255,
    261,
    263,
    265,
    266,
    271,
    274,
    306,
    311,
    315,
    325,
    331,
    332,
    343,
    346,
    351,
    356,
    364,
    365,
    371,
    411,
    412,
    413,
    423,
    431,
    432,
    445,
    446,
    452,
    454,
    455,
    462,
    464,
    465,
    466,
    503,
    506,
    516,
    523,
    526,
    532,
    546,
    565,
    606,
    612,
    624,
    627,
    631,
    632,
    654,
    662,
    664,
    703,
    712,
    723,
    731,
    732,
    734,
    743,
    754,
};

std::uint16_t toBcd(int value, int digits)
{
    std::uint16_t bcd = 0;
    for (int d = 0; d < digits; ++d) {
        bcd |= std::uint16_t((value % 10) << (4 * d));
        value /= 10;
    }
    return bcd;
}

int fromBcd(std::uint16_t bcd, int digits)
{
    int value = 0;
    for (int d = digits - 1; d >= 0; --d)
        value = value * 10 + ((bcd >> (4 * d)) & 0x0F);
    return value;
}

ValueLabels numbered(int first, int last, const std::function<QString(int)> &label)
{
    ValueLabels labels;
    for (int n = first; n <= last; ++n)
        labels.append({ n, label(n) });
    return labels;
}

// The digits of an edit text and how many of them are decimals (at most six).
std::pair<QString, int> frequencyDigits(const QString &text)
{
    QString digits;
    int decimals = 0;
    bool separatorSeen = false;
    for (const QChar c : text) {
        if (decimals >= 6)
            break;
        if (c == u'.' || c == u',') {
            separatorSeen = true;
        } else if (c >= u'0' && c <= u'9') {
            digits.append(c);
            decimals += separatorSeen ? 1 : 0;
        }
    }
    return { digits, decimals };
}

} // namespace

int channelField(const FileImage &image, int index, ChannelField field)
{
    return (image.u8(fieldOffset(index, field.byte)) & field.mask) >> field.shift;
}

void setChannelField(FileImage &image, int index, ChannelField field, int value)
{
    // A Digital channel always works at 12.5 kHz, whoever edits its bandwidth.
    if (field == channelfields::bandwidth
        && channelField(image, index, channelfields::mode) == int(ChannelMode::Digital))
        value = 0;
    setChannelBits(image, index, field, value);
}

void setChannelBits(FileImage &image, int index, ChannelField field, int value)
{
    image.setBits(fieldOffset(index, field.byte), field.mask, std::uint8_t(value << field.shift));
}

std::uint16_t channelU16(const FileImage &image, int index, int offset)
{
    return image.u16(fieldOffset(index, offset));
}

void setChannelU16(FileImage &image, int index, int offset, std::uint16_t value)
{
    image.setU16(fieldOffset(index, offset), value);
}

std::uint32_t channelU32(const FileImage &image, int index, int offset)
{
    return image.u32(fieldOffset(index, offset));
}

void setChannelU32(FileImage &image, int index, int offset, std::uint32_t value)
{
    image.setU32(fieldOffset(index, offset), value);
}

int channelPrivacyChoice(const FileImage &image, int index)
{
    const int mode = channelField(image, index, channelfields::privacyMode);
    return mode == 0 ? 0 : mode * 100 + channelField(image, index, channelfields::privacyKey);
}

void setChannelPrivacyChoice(FileImage &image, int index, int choice)
{
    int mode = -1;
    int key = 0;
    if (choice == 0)
        mode = 0;
    else if (choice >= 100 && choice <= 115)
        mode = 1, key = choice - 100;
    else if (choice >= 200 && choice <= 207)
        mode = 2, key = choice - 200;
    if (mode < 0)
        return;
    setChannelField(image, index, channelfields::privacyMode, mode);
    setChannelField(image, index, channelfields::privacyKey, key);
}

std::uint16_t channelTone(const FileImage &image, int index, int offset)
{
    const std::uint16_t code = channelU16(image, index, offset);
    return code == 0 ? kNoTone : code;
}

void setChannelTone(FileImage &image, int index, int offset, std::uint16_t code)
{
    setChannelU16(image, index, offset, code == 0 ? kNoTone : code);
}

void setChannelMode(FileImage &image, int index, ChannelMode mode)
{
    setChannelField(image, index, channelfields::mode, int(mode));
    if (mode == ChannelMode::Digital)
        setChannelField(image, index, channelfields::bandwidth, 0);
}

QString channelName(const FileImage &image, int index)
{
    const ListLayout &list = lists::channels;
    return decodeName(image, list.nameFieldOffset(index), list.nameUnits, index + 1);
}

void setChannelName(FileImage &image, int index, const QString &name)
{
    const ListLayout &list = lists::channels;
    if (list.validIndex(index))
        encodeName(image, list.nameFieldOffset(index), list.nameUnits, trimControl(name));
}

QString frequencyText(std::uint32_t stored)
{
    const std::uint32_t units = decodeFrequency(stored) / 10;
    return QStringLiteral("%1.%2")
        .arg(units / 100000, 3, 10, QLatin1Char('0'))
        .arg(units % 100000, 5, 10, QLatin1Char('0'));
}

std::optional<std::uint32_t> frequencyFromText(const QString &text, int band)
{
    QString kept;
    for (const QChar c : text) {
        if ((c >= u'0' && c <= u'9') || c == u'.' || c == u',')
            kept.append(c);
    }
    if (kept.isEmpty())
        return std::nullopt;
    auto [digits, decimals] = frequencyDigits(kept);
    qsizetype leading = 0;
    while (leading < digits.size() && digits.at(leading) == u'0')
        ++leading;
    digits.remove(0, leading);
    while (digits.size() < 9 && decimals < 6) {
        digits.append(u'0');
        ++decimals;
    }
    bool ok = false;
    const qulonglong hz = digits.toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    const BandLimits &limits = kBands[std::size_t(band & 3)];
    return encodeFrequency(std::uint32_t(std::clamp<qulonglong>(hz, limits.lowestHz, limits.highestHz)));
}

std::uint32_t frequencyFromUnits(qint64 units, int band)
{
    const BandLimits &limits = kBands[std::size_t(band & 3)];
    return encodeFrequency(std::uint32_t(std::clamp<qint64>(units, limits.lowestHz / 10, limits.highestHz / 10) * 10));
}

QString toneLabel(std::uint16_t code)
{
    if (code == kNoTone || code == 0)
        return QStringLiteral("None");
    if ((code & 0xC000) == 0xC000)
        return QStringLiteral("D %1 inv").arg(fromBcd(code & 0x0FFF, 3));
    if (code & 0x8000)
        return QStringLiteral("D %1").arg(fromBcd(code & 0x0FFF, 3));
    return QString::asprintf("%0.1f Hz", fromBcd(code, 4) / 10.0);
}

std::uint16_t dcsCode(int code, bool inverted)
{
    return std::uint16_t((inverted ? 0xC000 : 0x8000) | toBcd(code, 3));
}

const QList<std::uint16_t> &toneChoices()
{
    static const QList<std::uint16_t> choices = [] {
        QList<std::uint16_t> list { kNoTone };
        for (int tenths : kCtcssTenths)
            list.append(toBcd(tenths, 4));
        for (bool inverted : { false, true }) {
            for (int code : kDcsCodes)
                list.append(dcsCode(code, inverted));
        }
        return list;
    }();
    return choices;
}

const ValueLabels &modeLabels()
{
    static const ValueLabels labels { { 0, QStringLiteral("Auto") }, { 1, QStringLiteral("Analogue") },
        { 2, QStringLiteral("Digital") } };
    return labels;
}

QString channelModeText(const FileImage &image, int index)
{
    const int mode = channelField(image, index, channelfields::mode);
    for (const ValueLabel &label : modeLabels()) {
        if (label.value == mode)
            return label.label;
    }
    return QStringLiteral("Unknown %1").arg(mode);
}

const ValueLabels &admitCriteriaLabels()
{
    static const ValueLabels labels { { 0, QStringLiteral("Always ") }, { 1, QStringLiteral("Channel Free ") },
        { 2, QStringLiteral("Correct CTCSS / CDCSS ") }, { 3, QStringLiteral("Colour Code ") } };
    return labels;
}

ValueLabels admitCriteriaLabels(std::optional<ChannelMode> mode)
{
    constexpr int kCorrectTone = 2;
    constexpr int kColourCode = 3;
    ValueLabels list;
    for (const ValueLabel &entry : admitCriteriaLabels()) {
        if (entry.value == kCorrectTone && mode == ChannelMode::Digital)
            continue;
        if (entry.value == kColourCode && mode == ChannelMode::Analogue)
            continue;
        list.append(entry);
    }
    return list;
}

const ValueLabels &inCallCriteriaLabels()
{
    static const ValueLabels labels { { 0, QStringLiteral("Always ") },
        { 1, QStringLiteral("Follow Admit Criteria ") } };
    return labels;
}

const ValueLabels &txTimeoutLabels()
{
    static const ValueLabels labels = [] {
        ValueLabels list { { 0, QStringLiteral("Infinite ") } };
        list.append(numbered(1, 37, [](int n) { return QStringLiteral("%1 secs").arg(n * 15); }));
        return list;
    }();
    return labels;
}

const ValueLabels &rekeyDelayLabels()
{
    static const ValueLabels labels = [] {
        ValueLabels list { { 0, QStringLiteral("None") } };
        list.append(numbered(1, 255, [](int n) { return QStringLiteral("%1 secs").arg(n); }));
        return list;
    }();
    return labels;
}

const ValueLabels &colourCodeLabels()
{
    static const ValueLabels labels = numbered(0, 15, [](int n) { return QStringLiteral("%1 ").arg(n); });
    return labels;
}

const ValueLabels &signallingLabels()
{
    static const ValueLabels labels = [] {
        ValueLabels list { { 0, QStringLiteral("Off ") } };
        list.append(numbered(1, 4, [](int n) { return QStringLiteral("DTMF %1 ").arg(n); }));
        return list;
    }();
    return labels;
}

const ValueLabels &gpsSystemLabels()
{
    static const ValueLabels labels = [] {
        ValueLabels list { { 0, QStringLiteral("None ") } };
        list.append(numbered(1, 16, [](int n) { return QStringLiteral("%1 ").arg(n); }));
        return list;
    }();
    return labels;
}

ValueLabels privacyLabels(bool withEnhanced)
{
    ValueLabels list { { 0, privacyLabel(0, 0) } };
    list.append(numbered(100, 115, [](int v) { return privacyLabel(1, v - 100); }));
    if (withEnhanced)
        list.append(numbered(200, 207, [](int v) { return privacyLabel(2, v - 200); }));
    return list;
}

QString privacyLabel(int mode, int key)
{
    if (mode == 1)
        return QStringLiteral("Basic %1 ").arg(key + 1);
    if (mode == 2)
        return QStringLiteral("Enhanced %1 ").arg(key + 1);
    return QStringLiteral("None ");
}

QString labelOf(const ValueLabels &labels, int value)
{
    for (const ValueLabel &entry : labels) {
        if (entry.value == value)
            return entry.label;
    }
    return {};
}

} // namespace codeplug
