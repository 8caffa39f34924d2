#pragma once

#include <cstdint>
#include <span>

#include <QString>

namespace codeplug {

// Three decimal digits in nibbles 0-2 and the thousands above them, so that a caller may add a
// multiple of 1000 to put a flag into the top nibble (8023 -> 0x8023, 12023 -> 0xC023).
std::uint32_t packDecimal(std::uint32_t value);

inline constexpr int kDtmfDigitAreaBytes = 15;
inline constexpr int kDtmfMaxDigits = 30;

// Digits 0-9, A-D, * and # two per byte, the earlier digit in the low nibble; unused nibbles 0xF.
// Characters outside that set are skipped but still count against maxCharacters.
void encodeDtmfDigits(const QString &text, int maxCharacters, std::span<std::uint8_t> area, std::uint8_t &count);
QString decodeDtmfDigits(std::span<const std::uint8_t> area, int count);
// True for the characters a digit string takes: 0-9, A-D, a-d, * and #.
bool isDtmfDigit(QChar c);

// The program version as "%d.%d.%d.%d", from the project version compiled in.
QString programVersionText();

// Two BCD digits of a byte, high nibble first (no range check: nibbles above 9 print as is).
inline int highDigit(std::uint8_t b)
{
    return b >> 4;
}
inline int lowDigit(std::uint8_t b)
{
    return b & 0x0F;
}

} // namespace codeplug
