// Channel CSV import into a prepared code plug, then export + import of the result.
#include "ChannelCsv.h"
#include "ChannelRecord.h"
#include "FuzzSupport.h"

using namespace codeplug;
using fuzzing::require;

namespace {

const QString kFileName = QStringLiteral("fuzz.csv");
constexpr int kProtectedIndex = 3; // "Protected" in the prepared image

const ProtectedChannelList &protectedNames()
{
    static const ProtectedChannelList names = [] {
        ProtectedChannelList list;
        list.add(QStringLiteral("Protected"));
        return list;
    }();
    return names;
}

bool sameRecord(const FileImage &a, const FileImage &b, int index)
{
    const int offset = lists::channels.recordOffset(index);
    return a.span(offset, lists::channels.recordSize).size() != 0
        && std::equal(a.data() + offset, a.data() + offset + lists::channels.recordSize, b.data() + offset);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FileImage &prepared = fuzzing::importImage();
    static FileImage image;
    static FileImage again;
    image = prepared;
    const ChannelCsvResult result
        = importChannelsCsvText(image, fuzzing::bytesOf(data, size), kFileName, protectedNames());
    const ListLayout &list = lists::channels;
    const int used = fuzzing::contiguousCount(image, list);
    require(used >= 0, "channels stay contiguous after an import");
    require(fuzzing::sameOutside(image, prepared, list.offset, fuzzing::listBytes(list)),
        "an import changes only the channels");
    require(sameRecord(image, prepared, kProtectedIndex), "a protected channel is left as it was");
    if (result.value < 0) {
        require(result.value == CsvBadHeader && image == prepared, "a refused file changes nothing");
        return 0;
    }
    require(used - fuzzing::contiguousCount(prepared, list) <= result.value, "every added channel is counted");

    // Export + import of the result changes nothing and reads every line.
    again = image;
    const ChannelCsvResult reread = importChannelsCsvText(again, channelsCsvText(image), kFileName, protectedNames());
    require(reread.skippedLines.isEmpty() && reread.messages.isEmpty(), "an export reads back without a skip");
    require(reread.value == used - 1, "an export reads back every unprotected channel");
    require(again == image, "export + import changes nothing");
    return 0;
}
