#include "FuzzSupport.h"

#include "ChannelRecord.h"
#include "Compaction.h"
#include "ContactRecord.h"
#include "ListRecords.h"
#include "NewCodePlug.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzzing {

using namespace codeplug;

void require(bool ok, const char *what)
{
    if (ok)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

QByteArray bytesOf(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

namespace {

FileImage makeImageWithGaps()
{
    FileImage image = makeNewCodePlug(2, 0);
    initTextMessageRecord(image, 2, QStringLiteral("Later"));
    initEmergencySystemRecord(image, 3, QStringLiteral("Alarm"));
    writeContact(image, 2, 91, GroupCall, false, QStringLiteral("Local"));
    writeContact(image, 4, 2345678, PrivateCall, true, QStringLiteral("K1ABC Alice"));
    initRxGroupListRecord(image, 2, QStringLiteral("Groups"));
    image.setU16(members::rxGroupListContacts.memberOffset(2, 1), 3);
    initZoneRecord(image, 0, QStringLiteral("Zone"));
    image.setU16(members::zoneChannels.memberOffset(0, 2), 3);
    image.setU16(members::zoneChannels.memberOffset(0, 5), 1);
    initScanListRecord(image, 1, QStringLiteral("Scan"));
    image.setU16(members::scanListChannels.memberOffset(1, 4), 1);
    initChannelRecord(image, 3, QStringLiteral("Simplex"));
    image.setU8(lists::channels.recordOffset(999), 0x5A); // an empty record not in its empty form
    return image;
}

FileImage makeImportImage()
{
    FileImage image = makeNewCodePlug(2, 0);
    const char *channels[] = { "Repeater A", "Simplex 1", "Protected", "Hall, \"East\"" };
    for (int i = 0; i < 4; ++i)
        initChannelRecord(image, i + 1, QString::fromLatin1(channels[i]));
    writeContact(image, 1, 91, GroupCall, false, QStringLiteral("Local"));
    writeContact(image, 2, 2345678, PrivateCall, false, QStringLiteral("K1ABC Alice"));
    writeContact(image, 3, 3100, GroupCall, false, QStringLiteral("Protected"));
    compactLists(image);
    return image;
}

} // namespace

const FileImage &imageWithGaps()
{
    static const FileImage image = makeImageWithGaps();
    return image;
}

const FileImage &importImage()
{
    static const FileImage image = makeImportImage();
    return image;
}

bool isUsed(const FileImage &image, const ListLayout &list, int index)
{
    const std::uint8_t *name = image.data() + list.nameFieldOffset(index);
    return (name[0] | name[1]) != 0;
}

int contiguousCount(const FileImage &image, const ListLayout &list)
{
    int used = 0;
    while (used < list.count && isUsed(image, list, used))
        ++used;
    for (int i = used + 1; i < list.count; ++i) {
        if (isUsed(image, list, i))
            return -1;
    }
    return used;
}

int listBytes(const ListLayout &list)
{
    return list.count * list.recordSize;
}

bool sameOutside(const FileImage &a, const FileImage &b, int offset, int length)
{
    if (a.size() != b.size() || !a.contains(offset, length))
        return false;
    const int end = offset + length;
    return std::memcmp(a.data(), b.data(), std::size_t(offset)) == 0
        && std::memcmp(a.data() + end, b.data() + end, std::size_t(a.size() - end)) == 0;
}

} // namespace fuzzing
