#include "UserListChecks.h"

#include "FuzzSupport.h"

#include <unordered_set>

using namespace codeplug;

namespace fuzzing {

void checkUserList(const DmrUserList &list, bool parsed)
{
    std::unordered_set<qint32> ids;
    for (int i = 0; i < list.size(); ++i) {
        require(list.id(i) >= 0 && list.id(i) <= usercache::kMaxId, "IDs are DMR IDs");
        require(!parsed || ids.insert(list.id(i)).second, "no ID is listed twice in a parsed reply");
        for (int f = 0; f < kUserFieldCount; ++f) {
            const QByteArrayView text = list.text(i, UserField(f));
            require(text.size() < usercache::kTextWidths[std::size_t(f)], "a text fits its cache field");
            require(!text.contains('\0'), "a text ends at its terminator");
            require(!parsed || (!text.contains('\n') && !text.contains('\r')), "a parsed text holds no line end");
        }
    }
}

void checkCacheRoundTrip(const DmrUserList &list)
{
    const QByteArray bytes = userCacheBytes(list);
    require(bytes.size() == usercache::kHeaderSize + usercache::kEntrySize * list.size(), "one entry per record");
    DmrUserList reread;
    const int code = readUserCacheBytes(bytes, reread);
    if (list.isEmpty())
        return; // an empty cache is refused as too short, and nothing more is to be checked
    require(code == UserDbOk, "a written cache reads back");
    require(reread.size() == list.size(), "a written cache keeps every entry");
    for (int i = 0; i < list.size(); ++i)
        require(reread.entry(i) == list.entry(i), "a written cache keeps every entry as it was");
    require(userCacheBytes(reread) == bytes, "writing the read cache again changes nothing");
}

} // namespace fuzzing
