#include "FieldCodec.h"

#include <algorithm>

namespace codeplug {

FieldCodec bitField(RecordArea area, int byte, std::uint8_t mask, int shift)
{
    return { [=](const FileImage &image, int record) {
                return (image.u8(area.recordOffset(record) + byte) & mask) >> shift;
            },
        [=](FileImage &image, int record, int value) {
            image.setBits(area.recordOffset(record) + byte, mask, std::uint8_t(value << shift));
        } };
}

FieldCodec u16Field(RecordArea area, int byte)
{
    return { [=](const FileImage &image, int record) { return int(image.u16(area.recordOffset(record) + byte)); },
        [=](FileImage &image, int record, int value) {
            image.setU16(area.recordOffset(record) + byte, std::uint16_t(value));
        } };
}

FieldCodec inverted(FieldCodec codec)
{
    return { [read = codec.read](const FileImage &image, int record) { return 1 - read(image, record); },
        [write = codec.write](FileImage &image, int record, int value) { write(image, record, value ? 0 : 1); } };
}

QString readTerminatedAscii(const FileImage &image, int offset, int length, QChar unprintable)
{
    QString text;
    for (int i = 0; i < length; ++i) {
        const std::uint8_t b = image.u8(offset + i);
        if (b == 0 || b == 0xFF)
            break;
        if (b >= 32 && b <= 127)
            text.append(QLatin1Char(char(b)));
        else if (!unprintable.isNull())
            text.append(unprintable);
    }
    return text;
}

void writeTerminatedAscii(FileImage &image, int offset, int length, const QString &text)
{
    image.fill(offset, length, 0xFF);
    const QByteArray latin = text.left(length).toLatin1();
    for (int i = 0; i < int(latin.size()); ++i)
        image.setU8(offset + i, std::uint8_t(latin.at(i)));
    if (latin.size() > 0 && latin.size() < length)
        image.setU8(offset + int(latin.size()), 0);
}

QString packedDigitsText(const FileImage &image, int offset, int bytes)
{
    QString text;
    for (int i = 0; i < bytes; ++i) {
        const std::uint8_t b = image.u8(offset + i);
        for (int nibble : { b >> 4, b & 0x0F })
            text.append(nibble <= 9 ? QChar(u'0' + nibble) : QChar(u'?'));
    }
    return text;
}

void writePackedDigits(FileImage &image, int offset, int bytes, const QString &digits)
{
    if (!isDigitText(digits, 2 * qsizetype(bytes)))
        return;
    for (int i = 0; i < bytes; ++i) {
        const int high = digits.at(2 * i).unicode() - u'0';
        const int low = digits.at(2 * i + 1).unicode() - u'0';
        image.setU8(offset + i, std::uint8_t(high << 4 | low));
    }
}

bool isDigitText(const QString &text, qsizetype count)
{
    return text.size() == count
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace codeplug
