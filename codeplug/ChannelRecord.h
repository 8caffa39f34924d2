#pragma once

#include "FileImage.h"
#include "Layout.h"

#include <array>
#include <cstdint>

#include <QString>

namespace codeplug {

struct BandLimits
{
    std::uint32_t lowestHz;
    std::uint32_t highestHz;
    std::uint32_t newChannelHz;
};

// Frequency limits and the new-channel frequency by band code 0..3.
inline constexpr std::array<BandLimits, 4> kBands = {{
    {136000000, 174000000, 145000000},
    {350000000, 400000000, 350000000},
    {400000000, 480000000, 430000000},
    {450000000, 520000000, 450000000},
}};

// Eight BCD digits in units of 10 Hz, most significant pair in the highest byte.
std::uint32_t encodeFrequency(std::uint32_t hz);
std::uint32_t decodeFrequency(std::uint32_t stored);

// Clears the record and writes the new-channel values with the band's default frequency;
// an empty name gives the form every empty record holds.
void initChannelRecord(FileImage &image, int index, const QString &name);

} // namespace codeplug
