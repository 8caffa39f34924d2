#include "DtmfSettings.h"

#include "Codecs.h"
#include "Layout.h"
#include "RecordName.h"

namespace codeplug {

QString dtmfDigitsAt(const FileImage &image, int offset)
{
    return decodeDtmfDigits(image.span(offset + 1, kDtmfDigitAreaBytes), image.u8(offset));
}

void setDtmfDigitsAt(FileImage &image, int offset, const QString &text)
{
    const std::span<std::uint8_t> area = image.span(offset + 1, kDtmfDigitAreaBytes);
    if (area.empty())
        return;
    std::uint8_t count = 0;
    encodeDtmfDigits(text, kDtmfMaxDigits, area, count);
    image.setU8(offset, count);
}

QString dtmfEncodeDigits(const FileImage &image, int number)
{
    if (number < 1 || number > dtmf::kEncodeCount)
        return {};
    return dtmfDigitsAt(image, dtmf::kEncodes + dtmf::kEncodeSize * (number - 1));
}

ValueLabels dtmfEncodeLabels(const FileImage &image, bool byDigits)
{
    ValueLabels labels;
    for (int number = 1; number <= dtmf::kEncodeCount; ++number) {
        const QString digits = dtmfEncodeDigits(image, number);
        if (!digits.isEmpty())
            labels.append({ number, byDigits ? digits : QStringLiteral("Encode %1").arg(number) });
    }
    return labels;
}

namespace {

constexpr RecordArea kSystems { dtmf::kSystems, dtmf::kSystemSize };
constexpr RecordArea kEncodes { dtmf::kEncodes, dtmf::kEncodeSize };
constexpr RecordArea kDecodes { dtmf::kDecodes, dtmf::kDecodeSize };
constexpr int kMaxByte = 255;

QString unknown()
{
    return QStringLiteral("Unknown");
}

QString milliseconds(int value)
{
    return QString::asprintf("%d ms", value * 10);
}

// A time in units of 10 ms that the radio cannot use below `least`.
FieldColumn timeColumn(const QString &title, int byte, int least, bool unknownBelow = true)
{
    return choiceColumn(
        title, bitField(kSystems, byte, 0xFF, 0),
        [least, unknownBelow](int value) { return unknownBelow && value < least ? unknown() : milliseconds(value); },
        rangeLabels(least, kMaxByte, milliseconds));
}

FieldColumn digitsColumn(const QString &title, RecordArea area, int byte)
{
    FieldColumn column;
    column.title = title;
    column.edit = FieldColumn::Edit::Text;
    column.text = [area, byte](const FileImage &image, int entry) {
        return dtmfDigitsAt(image, area.recordOffset(entry) + byte);
    };
    column.store = [area, byte](FileImage &image, int entry, const QString &text) {
        setDtmfDigitsAt(image, area.recordOffset(entry) + byte, text);
    };
    column.maxLength = kDtmfMaxDigits;
    column.accepts = isDtmfDigit;
    return column;
}

FieldColumn sideToneColumn()
{
    FieldColumn column;
    column.title = QStringLiteral("DTMF Side Tone");
    column.edit = FieldColumn::Edit::Toggle;
    column.value = bitField(kSystems, 8, 0x01, 0);
    column.text = [read = column.value.read](const FileImage &image, int entry) {
        return read(image, entry) ? QStringLiteral("Yes") : QString();
    };
    return column;
}

FieldTable systemColumns()
{
    const QStringList pttId { "None", "Pre Only", "Post Only", "Pre & Post" };
    const QStringList groupCode { "None", "A", "B", "C", "D", "*", "#" };
    const auto tenths = [](int value) { return QString::asprintf("%0.1f", value * 0.1); };
    const auto seconds = [](int value) { return QString::asprintf("%d secs", value); };
    const auto dKey = [](int value) { return value == 0 ? QStringLiteral("D Key") : milliseconds(value); };
    return {
        sideToneColumn(),
        choiceColumn(
            QStringLiteral("PTT ID"), bitField(kSystems, 8, 0x0C, 2),
            [pttId](int value) { return nameOf(pttId, value); }, namedValues(pttId)),
        choiceColumn(
            QStringLiteral("Group Code"), bitField(kSystems, 8, 0x70, 4),
            [groupCode](int value) { return nameOf(groupCode, value, unknown()); }, namedValues(groupCode)),
        choiceColumn(
            QStringLiteral("Next Sequence"), bitField(kSystems, 6, 0xFF, 0),
            [tenths](int value) { return value < 2 ? unknown() : tenths(value); }, rangeLabels(2, kMaxByte, tenths)),
        choiceColumn(
            QStringLiteral("Auto Reset Time"), bitField(kSystems, 7, 0xFF, 0),
            [seconds](int value) { return value == 0 ? unknown() : seconds(value); },
            rangeLabels(1, kMaxByte, seconds)),
        digitsColumn(QStringLiteral("KeyUp Encode"), kSystems, 16),
        digitsColumn(QStringLiteral("KeyDown Encode"), kSystems, 32),
        timeColumn(QStringLiteral("1st Digit Delay"), 0, 10),
        timeColumn(QStringLiteral("1st Digit Time"), 1, 3),
        timeColumn(QStringLiteral("Digit Duration Time"), 2, 3),
        timeColumn(QStringLiteral("Digit Interval Time"), 3, 3),
        timeColumn(QStringLiteral("*# Digit Time"), 4, 3, false),
        choiceColumn(
            QStringLiteral("D Key Assignment"), bitField(kSystems, 5, 0xFF, 0), dKey, rangeLabels(0, kMaxByte, dKey)),
    };
}

// Encode entry 1 is what a one-touch button sends by default: it never goes empty.
FieldTable encodeColumns()
{
    FieldColumn column = digitsColumn(QStringLiteral("Encode"), kEncodes, 0);
    column.store = [](FileImage &image, int entry, const QString &text) {
        const int offset = kEncodes.recordOffset(entry);
        setDtmfDigitsAt(image, offset, text);
        if (entry == 0 && image.u8(offset) == 0)
            setDtmfDigitsAt(image, offset, QStringLiteral("#"));
    };
    return { column };
}

// A chosen number outside the channel list stores "Selected".
FieldColumn revertChannelColumn()
{
    const FieldCodec raw = u16Field(kDecodes, 20);
    const FieldCodec value { raw.read, [write = raw.write](FileImage &image, int entry, int number) {
                                write(image, entry, number >= 1 && number <= lists::channels.count ? number : 0);
                            } };
    const auto text = [read = raw.read](const FileImage &image, int entry) {
        const int number = read(image, entry);
        return number >= 1 && number <= lists::channels.count ? recordName(image, lists::channels, number - 1)
                                                              : QStringLiteral("Selected");
    };
    const auto choices = [](const FileImage &image, int) {
        return usedRecordLabels(
            image, lists::channels, QStringLiteral("Selected"), channelsOfMode(ChannelMode::Analogue));
    };
    return entryChoiceColumn(QStringLiteral("Revert Channel"), value, text, choices);
}

FieldTable decodeColumns()
{
    const QStringList responses { "General", "Kill", "Stun", "Active", "Un-Stun" };
    const QStringList decodeTypes { "None", "Sel Call" };
    const auto named = [](const QStringList &names) {
        return [names](int value) { return nameOf(names, value, QStringLiteral("Unknown %1").arg(value)); };
    };
    const auto ackLabel = [](int value) {
        return value == 0 || value > dtmf::kEncodeCount ? QStringLiteral("None")
                                                        : QStringLiteral("Encode %1").arg(value);
    };
    const auto ackDelay
        = [](int value) { return value == 0 ? QStringLiteral("Off") : QStringLiteral("%1 ms").arg(value * 50); };
    return {
        choiceColumn(
            QStringLiteral("Response Type"), bitField(kDecodes, 16, 0xFF, 0), named(responses), namedValues(responses)),
        choiceColumn(QStringLiteral("Decode Type"), bitField(kDecodes, 17, 0xFF, 0), named(decodeTypes),
            namedValues(decodeTypes)),
        choiceColumn(QStringLiteral("Ack"), bitField(kDecodes, dtmf::kDecodeAck, 0xFF, 0), ackLabel,
            [](const FileImage &image, int) {
                return ValueLabels { { 0, QStringLiteral("None") } } + dtmfEncodeLabels(image, false);
            }),
        revertChannelColumn(),
        digitsColumn(QStringLiteral("DTMF ID"), kDecodes, 0),
        choiceColumn(QStringLiteral("Ack Delay Time"), bitField(kDecodes, 19, 0xFF, 0), ackDelay,
            rangeLabels(0, kMaxByte, ackDelay)),
    };
}

} // namespace

const FieldTable &dtmfSystemColumns()
{
    static const FieldTable table = systemColumns();
    return table;
}

const FieldTable &dtmfEncodeColumns()
{
    static const FieldTable table = encodeColumns();
    return table;
}

const FieldTable &dtmfDecodeColumns()
{
    static const FieldTable table = decodeColumns();
    return table;
}

} // namespace codeplug
