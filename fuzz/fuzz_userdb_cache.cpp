// A user-database cache file as it may be found on disk: damaged, cut short or written by hand.
#include "FuzzSupport.h"
#include "UserListChecks.h"

using namespace codeplug;
using fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    DmrUserList list;
    const int code = readUserCacheBytes(fuzzing::bytesOf(data, size), list);
    if (code != UserDbOk) {
        require(list.isEmpty(), "a refused cache leaves the list as it was");
        return 0;
    }
    require(list.size() <= (int(size) - usercache::kHeaderSize) / usercache::kEntrySize,
        "no more entries than the file holds");
    fuzzing::checkUserList(list, false);
    fuzzing::checkCacheRoundTrip(list);
    return 0;
}
