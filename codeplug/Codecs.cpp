#include "Codecs.h"

#include "NameCodec.h"

namespace codeplug {

std::uint32_t packDecimal(std::uint32_t value)
{
    const std::uint32_t d0 = value % 10;
    const std::uint32_t d1 = (value / 10) % 10;
    const std::uint32_t d2 = (value / 100) % 10;
    const std::uint32_t thousands = value / 1000;
    return d0 | (d1 << 4) | (d2 << 8) | ((thousands % 16) << 12) | ((thousands / 16) << 16);
}

namespace {

int dtmfDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'D')
        return 10 + (u - u'A');
    if (u >= u'a' && u <= u'd')
        return 10 + (u - u'a');
    if (u == u'*')
        return 14;
    if (u == u'#')
        return 15;
    return -1;
}

constexpr char kDtmfDigitChars[] = "0123456789ABCD*#";

} // namespace

bool isDtmfDigit(QChar c)
{
    return dtmfDigitValue(c) >= 0;
}

void encodeDtmfDigits(const QString &text, int maxCharacters, std::span<std::uint8_t> area, std::uint8_t &count)
{
    if (area.size() < std::size_t(kDtmfDigitAreaBytes))
        return;
    const QString digits = trimControl(text);
    for (int i = 0; i < kDtmfDigitAreaBytes; ++i)
        area[std::size_t(i)] = 0xFF;
    const int limit = std::min<int>({ maxCharacters, int(digits.size()), kDtmfMaxDigits });
    int kept = 0;
    for (int i = 0; i < limit; ++i) {
        const int value = dtmfDigitValue(digits.at(i));
        if (value < 0)
            continue;
        std::uint8_t &byte = area[std::size_t(kept / 2)];
        byte = (kept % 2 == 0) ? std::uint8_t((byte & 0xF0) | value) : std::uint8_t((byte & 0x0F) | (value << 4));
        ++kept;
    }
    count = std::uint8_t(kept);
}

QString decodeDtmfDigits(std::span<const std::uint8_t> area, int count)
{
    if (count < 1 || area.size() < std::size_t(kDtmfDigitAreaBytes))
        return {};
    const int n = std::min(count, kDtmfMaxDigits);
    QString text;
    for (int k = 0; k < n; ++k) {
        const std::uint8_t byte = area[std::size_t(k / 2)];
        const int value = (k % 2 == 0) ? (byte & 0x0F) : (byte >> 4);
        text.append(QLatin1Char(kDtmfDigitChars[value]));
    }
    return text;
}

QString programVersionText()
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(CODEPLUG_VERSION_MAJOR)
        .arg(CODEPLUG_VERSION_MINOR)
        .arg(CODEPLUG_VERSION_PATCH)
        .arg(CODEPLUG_VERSION_TWEAK);
}

} // namespace codeplug
