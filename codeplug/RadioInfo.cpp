#include "RadioInfo.h"

#include "Codecs.h"
#include "FieldCodec.h"

namespace codeplug {

namespace {

struct RangeBytes
{
    std::array<std::uint8_t, 4> bytes;
};

// Range bytes by band code; the 400 MHz band of the two larger models reaches 480 MHz.
RangeBytes frequencyRangeFor(int model, int band)
{
    switch (band) {
    case 0:
        return { { 0x60, 0x13, 0x40, 0x17 } };
    case 1:
        return { { 0x00, 0x35, 0x00, 0x40 } };
    case 2:
        return model == 0 ? RangeBytes { { 0x00, 0x40, 0x00, 0x47 } } : RangeBytes { { 0x00, 0x40, 0x00, 0x48 } };
    default:
        return { { 0x00, 0x45, 0x00, 0x52 } };
    }
}

} // namespace

bool applyRadioModel(FileImage &image, int model)
{
    if (model < 0 || model >= int(kRadioModels.size()))
        return false;
    const RadioModel &m = kRadioModels[std::size_t(model)];
    image.fill(radioinfo::kModelName, 16, 0xFF);
    for (int i = 0; m.modelName[i] != 0; ++i)
        image.setU8(radioinfo::kModelName + i, std::uint8_t(m.modelName[i]));
    image.setU8(radioinfo::kModelClass, m.modelClass);
    image.setU8(radioinfo::kRadioType, m.radioType);
    const int bandByte = image.u8(radioinfo::kBandCode);
    if (bandByte <= 3) {
        const RangeBytes range = frequencyRangeFor(model, bandByte);
        for (int i = 0; i < 4; ++i)
            image.setU8(radioinfo::kLowerLimit + i, range.bytes[std::size_t(i)]);
    }
    return true;
}

QString frequencyRangeText(const FileImage &image)
{
    const auto limit = [&](int offset) {
        const std::uint8_t low = image.u8(offset);
        const std::uint8_t high = image.u8(offset + 1);
        return QStringLiteral("%1%2%3MHz").arg(highDigit(high)).arg(lowDigit(high)).arg(highDigit(low));
    };
    return limit(radioinfo::kLowerLimit) + QStringLiteral(" .. ") + limit(radioinfo::kUpperLimit);
}

QString modelName(const FileImage &image)
{
    if (image.u8(radioinfo::kModelName) == 0xFF)
        return {};
    return readTerminatedAscii(image, radioinfo::kModelName, 16);
}

QString serialNumber(const FileImage &image)
{
    return readTerminatedAscii(image, radioinfo::kSerialNumber, 16);
}

namespace {

// "V%1d%1d.%1d%1d" from four bytes of one number each; empty when the first byte is 0xFF.
QString versionText(const FileImage &image, int offset)
{
    if (image.u8(offset) == 0xFF)
        return {};
    return QStringLiteral("V%1%2.%3%4")
        .arg(image.u8(offset))
        .arg(image.u8(offset + 1))
        .arg(image.u8(offset + 2))
        .arg(image.u8(offset + 3));
}

QString digitPair(std::uint8_t b)
{
    return QStringLiteral("%1%2").arg(highDigit(b)).arg(lowDigit(b));
}

} // namespace

QString lastProgrammedText(const FileImage &image)
{
    const int at = radioinfo::kLastProgrammed;
    if (image.u8(at) == 0xFF)
        return {};
    const auto pair = [&](int i) { return digitPair(image.u8(at + i)); };
    return pair(0) + pair(1) + u'.' + pair(2) + u'.' + pair(3) + QStringLiteral("  ") + pair(4) + u':' + pair(5) + u':'
        + pair(6);
}

QString softwareVersionText(const FileImage &image)
{
    return versionText(image, radioinfo::kSoftwareVersion);
}

QString hardwareVersionText(const FileImage &image)
{
    return versionText(image, radioinfo::kHardwareVersion);
}

QString mcuVersionText(const FileImage &image)
{
    const int at = radioinfo::kMcuVersion;
    if (image.u8(at) == 0xFF)
        return {};
    const std::uint8_t middle = image.u8(at + 2);
    return QChar(char16_t(image.u8(at))) + digitPair(image.u8(at + 1)) + QString::number(highDigit(middle)) + u'.'
        + QString::number(lowDigit(middle)) + digitPair(image.u8(at + 3));
}

QString uniqueDeviceIdText(const FileImage &image)
{
    const int at = radioinfo::kUniqueDeviceId;
    if (image.u8(at) == 0xFF)
        return {};
    QString text;
    for (int i = 11; i >= 5; --i)
        text.append(QChar(char16_t(image.u8(at + i))));
    quint64 number = 0;
    for (int i = 4; i >= 0; --i)
        number = number << 8 | image.u8(at + i);
    return text + QStringLiteral("%1").arg(number, 13, 10, QLatin1Char('0'));
}

} // namespace codeplug
