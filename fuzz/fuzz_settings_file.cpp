// The settings file reader, then a write of what it read and a read of that.
#include "FuzzSupport.h"
#include "NameCodec.h"
#include "SettingsFile.h"

#include <algorithm>

using fuzzing::require;

namespace {

SettingsValues presentValues()
{
    SettingsValues values;
    values.placement = QRect(216, 105, 1138, 585);
    values.tab = 10;
    values.country = QStringLiteral("All");
    return values;
}

void checkRead(const SettingsValues &values)
{
    constexpr int kLimit = 1 << 20;
    const QRect &p = values.placement;
    for (const int v : { p.left(), p.top(), p.width(), p.height() })
        require(v >= -kLimit && v <= kLimit, "the window placement stays within reach of a screen");
    require(values.tab >= 0 && values.tab < settingsfile::kTabCount, "the tab is one of the tabs");
    const QList<qint64> &ids = values.protectedIds.ids();
    require(std::is_sorted(ids.cbegin(), ids.cend()), "protected IDs are sorted");
    require(std::all_of(ids.cbegin(), ids.cend(), codeplug::ProtectedIdList::validId), "protected IDs are DMR IDs");
    const QStringList &names = values.protectedChannels.names();
    for (qsizetype k = 0; k < names.size(); ++k) {
        require(!names[k].isEmpty() && codeplug::trimControl(names[k]) == names[k], "protected names are trimmed");
        require(k == 0 || names[k - 1].compare(names[k], Qt::CaseInsensitive) <= 0, "protected names are sorted");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    SettingsValues values = presentValues();
    settingsfile::readContent(fuzzing::bytesOf(data, size), values);
    checkRead(values);

    SettingsValues reread = presentValues();
    settingsfile::readContent(settingsfile::content(values), reread);
    require(reread.placement == values.placement && reread.files == values.files && reread.tab == values.tab
            && reread.showNo == values.showNo && reread.country == values.country,
        "a written file reads back the same values");
    require(reread.protectedIds.ids() == values.protectedIds.ids()
            && reread.protectedChannels.names() == values.protectedChannels.names(),
        "a written file reads back the same protected lists");
    return 0;
}
