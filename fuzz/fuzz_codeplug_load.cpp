// Code plug load with its compaction and save. An input of a whole file's size is the file; any
// other input is a list of patches laid over a prepared file with gaps in every list: three bytes
// of offset, one of length, then the bytes.
#include "CodePlugFile.h"
#include "Compaction.h"
#include "FuzzSupport.h"

#include <algorithm>
#include <array>
#include <cstring>

using namespace codeplug;
using fuzzing::require;

namespace {

struct CompactedList
{
    ListLayout list;
    const MemberLayout *members;
};

const std::array<CompactedList, 7> kLists = { {
    { lists::textMessages, nullptr },
    { lists::emergencySystems, nullptr },
    { lists::contacts, nullptr },
    { lists::rxGroupLists, &members::rxGroupListContacts },
    { lists::zones, &members::zoneChannels },
    { lists::scanLists, &members::scanListChannels },
    { lists::channels, nullptr },
} };

// Fills `bytes` in place, so that no input allocates a new file-sized buffer.
void fileBytes(const std::uint8_t *data, std::size_t size, QByteArray &bytes)
{
    if (size == std::size_t(FileImage::kFileSize)) {
        bytes = fuzzing::bytesOf(data, size);
        return;
    }
    static const QByteArray prepared = fuzzing::imageWithGaps().toByteArray();
    bytes.resize(prepared.size());
    std::memcpy(bytes.data(), prepared.constData(), std::size_t(prepared.size()));
    std::size_t pos = 0;
    while (pos + 4 <= size) {
        const int offset = int((data[pos] << 16 | data[pos + 1] << 8 | data[pos + 2]) % FileImage::kFileSize);
        const std::size_t length
            = std::min<std::size_t>({ data[pos + 3], size - pos - 4, std::size_t(FileImage::kFileSize - offset) });
        std::memcpy(bytes.data() + offset, data + pos + 4, length);
        pos += 4 + length;
    }
}

// The record as the compaction must leave it: members closed up, every other byte as it was.
QByteArray expectedRecord(const FileImage &image, const CompactedList &entry, int index)
{
    const ListLayout &list = entry.list;
    const auto span = image.span(list.recordOffset(index), list.recordSize);
    QByteArray record(reinterpret_cast<const char *>(span.data()), qsizetype(span.size()));
    if (!entry.members)
        return record;
    const int first = entry.members->firstMemberOffset;
    QByteArray members;
    for (int m = 0; m < entry.members->count; ++m) {
        const QByteArray member = record.mid(first + 2 * m, 2);
        if (member != QByteArray(2, '\0'))
            members += member;
    }
    members.append(QByteArray(2 * entry.members->count - members.size(), '\0'));
    return record.replace(first, members.size(), members);
}

void checkCompaction(const FileImage &loaded, const FileImage &compacted)
{
    static FileImage outside;
    outside = loaded;
    for (const CompactedList &entry : kLists) {
        const ListLayout &list = entry.list;
        const int used = fuzzing::contiguousCount(compacted, list);
        require(used >= 0, "used records stand contiguous after load");
        int next = 0;
        for (int i = 0; i < list.count; ++i) {
            if (!fuzzing::isUsed(loaded, list, i))
                continue;
            const auto kept = compacted.span(list.recordOffset(next++), list.recordSize);
            const QByteArray expected = expectedRecord(loaded, entry, i);
            require(std::memcmp(kept.data(), expected.constData(), kept.size()) == 0,
                "every used record keeps its bytes and its place in the order");
        }
        require(next == used, "the compaction neither adds nor drops records");
        const auto region = outside.span(list.offset, fuzzing::listBytes(list));
        std::memcpy(region.data(), compacted.data() + list.offset, region.size());
    }
    require(outside == compacted, "the compaction changes nothing outside the lists");
}

} // namespace

// The load runs as the editor's does, minus the slot's reference copy and history, which only copy
// the image: the container checks, then the load-time compaction.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QByteArray bytes;
    fileBytes(data, size, bytes);
    const QString name = QStringLiteral("fuzz.rdt");
    std::unique_ptr<FileImage> image;
    const FileResult read = codePlugFromBytes(bytes, name, image);
    if (!read.ok()) {
        require(!image && read.message.endsWith(name), "a rejected file says why and yields no image");
        return 0;
    }
    compactLists(*image);
    static FileImage loaded;
    std::memcpy(loaded.span(0, loaded.size()).data(), bytes.constData(), std::size_t(bytes.size()));
    checkCompaction(loaded, *image);

    // What a save writes loads again unchanged: the compaction is idempotent.
    const QByteArray saved = image->toByteArray();
    std::unique_ptr<FileImage> reloaded;
    require(codePlugFromBytes(saved, name, reloaded).ok(), "a saved file loads again");
    compactLists(*reloaded);
    require(*reloaded == *image, "a saved file reloads to the same bytes");
    return 0;
}
