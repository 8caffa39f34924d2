#pragma once

#include "FileImage.h"
#include "ProtectedLists.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace codeplug {

// The downloaded DMR user database: the whole public list of DMR IDs with callsign, name and
// location, and the list of recently heard stations. Both are kept in cache files of fixed-size
// entries so that they are back at the next start.

enum UserField { UserCallsign, UserName, UserNickName, UserCity, UserState, UserCountry, kUserFieldCount };

// One entry of either list. Texts are 8-bit characters, each cut to its cache field's width - 1.
struct DmrUserEntry
{
    qint32 id = 0;
    std::array<QByteArray, kUserFieldCount> texts;

    const QByteArray &text(UserField field) const { return texts[std::size_t(field)]; }
    bool operator==(const DmrUserEntry &) const = default;
};

namespace usercache {
inline constexpr int kEntrySize = 264;
inline constexpr int kHeaderSize = 4;
inline constexpr qint32 kMaxId = 16777215;
// Offset and width of each text inside an entry, after the 4-byte ID.
inline constexpr std::array<int, kUserFieldCount> kTextOffsets = { 4, 20, 52, 72, 136, 200 };
inline constexpr std::array<int, kUserFieldCount> kTextWidths = { 16, 32, 20, 64, 64, 64 };
} // namespace usercache

// An ordered list of entries, stored compactly: every entry's texts stand in one shared pool,
// together with a lower-cased copy that the filter searches.
class DmrUserList final
{
public:
    int size() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    void clear();
    void reserve(int count);

    using Texts = std::array<QByteArrayView, kUserFieldCount>;
    // Appends an entry, its texts cut to their cache widths.
    void append(qint32 id, const Texts &texts);
    void append(const DmrUserEntry &entry);
    qint32 id(int index) const { return m_items[std::size_t(index)].id; }
    QByteArrayView text(int index, UserField field) const;
    DmrUserEntry entry(int index) const;

    // Whether the lower-case key occurs in the entry's decimal ID or in any of its lower-cased texts.
    bool matches(int index, QByteArrayView lowerKey) const;
    // Lower-cases the entries added since the last search; `matches` does it too, at its first call.
    void prepareSearch() const;
    // Ascending by ID (IDs are unique in a parsed list, so the order is fully determined).
    void sortById();

private:
    struct Item
    {
        qint32 id;
        quint32 offset; // of the decimal ID in the pools; the texts follow, each after a 0 byte
        std::array<quint8, kUserFieldCount + 1> lengths; // the ID's, then each text's
    };
    int textOffset(const Item &item, UserField field) const;
    static qsizetype pooledLength(const Item &item);
    void compactPool();

    std::vector<Item> m_items;
    QByteArray m_pool;
    // Lower-cased copy of the pool, made by the first search after entries were added, so that
    // reading a cache does not pay for it.
    mutable QByteArray m_lowerPool;
};

// Progress of a long step: a label and a bar. An empty label with a negative maximum means done.
using UserDbProgress = std::function<void(const QString &label, qint64 value, qint64 maximum)>;

enum UserDbCode {
    UserDbOk = 0,
    UserDbCannotOpen = -1,
    UserDbCannotSeek = -2,
    UserDbEmpty = -3, // an empty download; for a cache: shorter than 5 bytes
    UserDbNoMemory = -4,
    UserDbShortRead = -5, // for a cache write: the write failed, the previous cache is kept
    UserDbNoEntries = -6, // the file holds no entry: the lists and caches are kept as they were
    UserDbWrongKind = -7, // not the kind of file asked for: nothing changed
};

enum class UserFileKind { Database, LastHeard };

struct ParsedUserFile
{
    UserFileKind kind = UserFileKind::Database;
    DmrUserList entries; // without repeated IDs, the first one kept; a database list sorted by ID
};

// Splits the bytes of a downloaded reply into entries. The first line decides the format: a
// last-heard reply starts with the header "num;callsign;dmrid;name;age", anything else is the
// database. Lines that do not fit are skipped.
ParsedUserFile parseUserData(QByteArrayView data, const UserDbProgress &progress = {});

// The cache file's bytes, and the list they hold. A damaged count is cut to what the file holds
// and every text is bounded by its field.
QByteArray userCacheBytes(const DmrUserList &list);
int readUserCacheBytes(QByteArrayView bytes, DmrUserList &list, const UserDbProgress &progress = {});

// Writes atomically: a failure leaves the previous cache as it was.
int writeUserCache(const DmrUserList &list, const QString &fileName, const UserDbProgress &progress = {});
// Replaces the list; on any failure the list is left as it was.
int readUserCache(DmrUserList &list, const QString &fileName, const UserDbProgress &progress = {});

// The country filter's items: the present ones plus every country of the list, sorted without
// regard to case, with "All" first.
inline const QString kAllCountries = QStringLiteral("All");
QStringList mergeCountries(const QStringList &items, const DmrUserList &list);

// The indexes of the entries whose country equals `country` (any when it is "All" or empty) and
// whose ID or texts hold the key (trimmed, without regard to case), in list order.
std::vector<int> filterUsers(
    const DmrUserList &list, const QString &country, const QString &key, const UserDbProgress &progress = {});

// The name of the contact an entry becomes: callsign, a space, and the first word of the name
// or, when that is empty, of the nick name.
QString userContactName(const DmrUserEntry &entry);

// Adds the entries as private-call contacts: an unprotected contact with the same ID is
// overwritten in place, a protected one is left, other IDs fill free records while there are
// any. Returns the number of contacts written.
int addUsersToContacts(FileImage &image, std::span<const DmrUserEntry> entries, const ProtectedIdList &protectedIds,
    const UserDbProgress &progress = {});

// The two lists with their cache files, in one data folder.
class UserDatabase final
{
public:
    static constexpr const char *kDatabaseCache = "dmr_database.dat";
    static constexpr const char *kLastHeardCache = "dmr_last_heard.dat";

    explicit UserDatabase(const QString &folder = QString());

    QString folder() const { return m_folder; }
    void setFolder(const QString &folder) { m_folder = folder; }
    QString path(const QString &fileName) const;

    DmrUserList &database() { return m_database; }
    DmrUserList &lastHeard() { return m_lastHeard; }
    const DmrUserList &list(bool lastHeard) const { return lastHeard ? m_lastHeard : m_database; }

    // Reads both caches; a cache that cannot be read leaves its list as it was.
    void readCaches(const UserDbProgress &progress = {});
    // Parses a downloaded file into its list and writes that list's cache. A database file empties
    // the last-heard list; last-heard entries take all fields of the database entry with their ID.
    // With `expected` set, a file of the other kind changes nothing.
    int parseFile(const QString &fileName, const UserDbProgress &progress = {},
        std::optional<UserFileKind> expected = std::nullopt);
    UserFileKind lastParsedKind() const { return m_lastKind; }

private:
    void fetchDetails(DmrUserList &lastHeard, const UserDbProgress &progress) const;

    QString m_folder;
    DmrUserList m_database;
    DmrUserList m_lastHeard;
    UserFileKind m_lastKind = UserFileKind::Database;
};

} // namespace codeplug
