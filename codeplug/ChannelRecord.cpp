#include "ChannelRecord.h"

#include "NameCodec.h"
#include "RadioInfo.h"

namespace codeplug {

namespace {
constexpr std::array<std::uint8_t, 16> kNewChannelHead = {
    0x62, 0x14, 0x00, 0xE1, 0x05, 0xC3, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0xFF,
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
    encodeName(image, record + list.nameOffset, list.nameUnits, name);
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
