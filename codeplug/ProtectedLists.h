#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace codeplug {

// Protected contact DMR IDs, common to all slots: protection follows the ID into every code plug.
class ProtectedIdList final
{
public:
    static constexpr qint64 kMaxId = 16777215; // largest 24-bit DMR ID
    enum FindResult { NoCodePlug = -2, OutOfRange = -3, Absent = -4 };

    static bool validId(qint64 id) { return id >= 0 && id <= kMaxId; }

    // Index of the ID, OutOfRange or Absent.
    int find(qint64 id) const;
    bool contains(qint64 id) const { return find(id) >= 0; }
    // Appends a valid ID that is not yet present and keeps the list ascending; false otherwise.
    bool add(qint64 id);
    bool remove(qint64 id);
    // Appends without the sorted-insert, as the settings reader does before its final sort.
    void append(qint64 id);
    void sort();
    void clear() { m_ids.clear(); }

    const QList<qint64> &ids() const { return m_ids; }
    int size() const { return int(m_ids.size()); }

private:
    QList<qint64> m_ids;
};

// Protected channel names, common to all slots. A channel is protected when its trimmed name
// equals an entry, trimmed, without regard to letter case.
class ProtectedChannelList final
{
public:
    bool matches(const QString &channelName) const;
    // Adds the trimmed name unless it is empty or already matched; false when nothing was added.
    bool add(const QString &name);
    // Removes every entry matching the name; false when there was none.
    bool remove(const QString &name);
    void append(const QString &name) { m_names.append(name); }
    // Case-insensitive ascending order, as the settings file keeps it.
    void sort();
    void clear() { m_names.clear(); }

    const QStringList &names() const { return m_names; }
    int size() const { return int(m_names.size()); }

private:
    QStringList m_names;
};

} // namespace codeplug
