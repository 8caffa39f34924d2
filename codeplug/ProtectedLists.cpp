#include "ProtectedLists.h"

#include "NameCodec.h"

#include <algorithm>

namespace codeplug {

int ProtectedIdList::find(qint64 id) const
{
    if (!validId(id))
        return OutOfRange;
    const qsizetype index = m_ids.indexOf(id);
    return index < 0 ? Absent : int(index);
}

bool ProtectedIdList::add(qint64 id)
{
    if (!validId(id) || contains(id))
        return false;
    m_ids.append(id);
    sort();
    return true;
}

bool ProtectedIdList::remove(qint64 id)
{
    return m_ids.removeAll(id) > 0;
}

void ProtectedIdList::append(qint64 id)
{
    if (validId(id))
        m_ids.append(id);
}

void ProtectedIdList::sort()
{
    std::sort(m_ids.begin(), m_ids.end());
}

namespace {
bool sameName(const QString &a, const QString &b)
{
    return trimControl(a).compare(trimControl(b), Qt::CaseInsensitive) == 0;
}
} // namespace

bool ProtectedChannelList::matches(const QString &channelName) const
{
    return std::any_of(m_names.cbegin(), m_names.cend(), [&](const QString &n) { return sameName(n, channelName); });
}

bool ProtectedChannelList::add(const QString &name)
{
    const QString trimmed = trimControl(name);
    if (trimmed.isEmpty() || matches(trimmed))
        return false;
    m_names.append(trimmed);
    return true;
}

bool ProtectedChannelList::remove(const QString &name)
{
    return m_names.removeIf([&](const QString &n) { return sameName(n, name); }) > 0;
}

void ProtectedChannelList::sort()
{
    std::stable_sort(m_names.begin(), m_names.end(),
        [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

} // namespace codeplug
