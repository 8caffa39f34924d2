#include "NameCodec.h"

namespace codeplug {

QString trimControl(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QString decodeName(const FileImage &image, int offset, int units, int recordNumber)
{
    if (units <= 0 || !image.contains(offset, 2 * units) || image.u16(offset) == 0)
        return {};
    QString text;
    for (int i = 0; i < units; ++i) {
        const std::uint8_t code = image.u8(offset + 2 * i);
        if (code == 0 || code == 0xFF)
            break;
        text.append(QChar(char16_t(code)));
    }
    text = trimControl(text);
    if (text.isEmpty() && recordNumber >= 0)
        return QStringLiteral("no_name-%1").arg(recordNumber);
    return text;
}

void encodeName(FileImage &image, int offset, int units, const QString &text, NameEncoding encoding)
{
    if (units <= 0 || !image.contains(offset, 2 * units))
        return;
    image.fill(offset, 2 * units, 0);
    const QByteArray latin = text.toLatin1();
    const int n = int(std::min<qsizetype>(latin.size(), units));
    for (int i = 0; i < n; ++i) {
        const std::uint8_t code = std::uint8_t(latin.at(i));
        const bool extend = encoding == NameEncoding::SignExtended && code >= 0x80;
        image.setU16(offset + 2 * i, std::uint16_t(extend ? 0xFF00 | code : code));
    }
}

} // namespace codeplug
