#include "RadioInfo.h"

#include "Codecs.h"

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

QString printableAscii(const FileImage &image, int offset, int length)
{
    QString text;
    for (int i = 0; i < length; ++i) {
        const std::uint8_t b = image.u8(offset + i);
        if (b == 0 || b == 0xFF)
            break;
        if (b >= 32 && b <= 127)
            text.append(QLatin1Char(char(b)));
    }
    return text;
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
    return printableAscii(image, radioinfo::kModelName, 16);
}

QString serialNumber(const FileImage &image)
{
    return printableAscii(image, radioinfo::kSerialNumber, 16);
}

} // namespace codeplug
