// A downloaded user database or last-heard reply, then the cache written from what was parsed and
// the filter over it.
#include "FuzzSupport.h"
#include "UserListChecks.h"

#include <algorithm>

using namespace codeplug;
using fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzzing::bytesOf(data, size);
    const ParsedUserFile parsed = parseUserData(bytes);
    const DmrUserList &list = parsed.entries;
    fuzzing::checkUserList(list, true);
    if (parsed.kind == UserFileKind::Database) {
        for (int i = 1; i < list.size(); ++i)
            require(list.id(i - 1) < list.id(i), "the database is sorted by ID");
    }
    fuzzing::checkCacheRoundTrip(list);

    const std::vector<int> all = filterUsers(list, kAllCountries, QString());
    require(int(all.size()) == list.size(), "no country and no key keep every entry");
    if (!list.isEmpty()) {
        const QString id = QString::number(list.id(0));
        const std::vector<int> found = filterUsers(list, kAllCountries, id);
        require(std::find(found.cbegin(), found.cend(), 0) != found.cend(), "an entry is found by its ID");
    }
    return 0;
}
