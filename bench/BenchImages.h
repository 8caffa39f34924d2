#pragma once

#include "ChannelRecord.h"
#include "Layout.h"
#include "ListRecords.h"
#include "NewCodePlug.h"

namespace benchimages {

// 1000 channels with scrambled names, every zone and scan list named and full of the numbers of
// the first `referenced` channels: the heaviest image for the channel operations.
inline codeplug::FileImage fullChannelImage(int referenced = 1000)
{
    using namespace codeplug;
    FileImage image = makeNewCodePlug(2, 0);
    std::uint32_t seed = 12345;
    const auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < lists::channels.count; ++i)
        initChannelRecord(image, i, QStringLiteral("Ch %1").arg(next() % 5000));
    const auto fill = [&](const ListLayout &owner, const MemberLayout &layout) {
        for (int r = 0; r < owner.count; ++r) {
            initRecord(image, owner, r, QStringLiteral("List %1").arg(r + 1));
            for (int m = 0; m < layout.count; ++m)
                image.setU16(layout.memberOffset(r, m), std::uint16_t(1 + next() % std::uint32_t(referenced)));
        }
    };
    fill(lists::zones, members::zoneChannels);
    fill(lists::scanLists, members::scanListChannels);
    return image;
}

} // namespace benchimages
