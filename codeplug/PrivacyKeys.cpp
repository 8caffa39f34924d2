#include "PrivacyKeys.h"

#include "NameCodec.h"

#include <vector>

namespace codeplug {

namespace {

bool validKey(const PrivacyKeyTable &table, int key)
{
    return key >= 0 && key < table.count;
}

// 0..15, or -1 for anything but 0-9, a-f and A-F.
int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

QString privacyKeyText(const FileImage &image, const PrivacyKeyTable &table, int key)
{
    if (!validKey(table, key))
        return {};
    const int first = table.area.recordOffset(key);
    QString text;
    for (int i = table.bytes - 1; i >= 0; --i)
        text += QStringLiteral("%1").arg(image.u8(first + i), 2, 16, QLatin1Char('0'));
    return text;
}

bool storePrivacyKey(FileImage &image, const PrivacyKeyTable &table, int key, const QString &text)
{
    if (!validKey(table, key))
        return false;
    const int first = table.area.recordOffset(key);
    const QString digits = trimControl(text);
    if (digits.isEmpty()) {
        image.fill(first, table.bytes, 0xFF);
        return true;
    }
    // A longer text would lose its leading digits.
    if (digits.size() > table.digits())
        return false;
    const QString padded = digits.rightJustified(table.digits(), QLatin1Char('0'));
    std::vector<std::uint8_t> bytes(std::size_t(table.bytes));
    for (int i = 0; i < table.bytes; ++i) {
        // Two digits at a time from the left: the most significant byte comes first.
        const int high = hexDigit(padded.at(2 * i));
        const int low = hexDigit(padded.at(2 * i + 1));
        if (high < 0 || low < 0)
            return false;
        bytes[std::size_t(table.bytes - 1 - i)] = std::uint8_t(high << 4 | low);
    }
    for (int i = 0; i < table.bytes; ++i)
        image.setU8(first + i, bytes[std::size_t(i)]);
    return true;
}

TextCodec privacyKeyCodec(const PrivacyKeyTable &table)
{
    return { [table](const FileImage &image, int key) { return privacyKeyText(image, table, key); },
        [table](FileImage &image, int key, const QString &text) { storePrivacyKey(image, table, key, text); } };
}

} // namespace codeplug
