#include "UserDatabase.h"

#include "ContactList.h"
#include "ContactRecord.h"
#include "NameCodec.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace codeplug {

namespace {

constexpr int kParseProgressLines = 512;
constexpr int kScanProgressEntries = 128;
constexpr int kDetailProgressEntries = 32;
constexpr int kMaxFields = 7;
constexpr int kWriteChunkEntries = 4096;
const QByteArray kLastHeardHeader = QByteArrayLiteral("num;callsign;dmrid;name;age");

void report(const UserDbProgress &progress, const QString &label, qint64 value, qint64 maximum)
{
    if (progress)
        progress(label, value, maximum);
}

void reportDone(const UserDbProgress &progress)
{
    report(progress, QString(), 0, -1);
}

// Branch-free, so that lower-casing a whole entry vectorises.
char lowerAscii(char c)
{
    return char(c + (unsigned(quint8(c) - 'A') < 26u ? 'a' - 'A' : 0));
}

void prefetch(const char *address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    Q_UNUSED(address);
#endif
}

bool isBlank(char c)
{
    return quint8(c) <= 32;
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool containsBreakTag(QByteArrayView field)
{
    if (!field.contains('<'))
        return false;
    std::string lower(field.begin(), field.end());
    std::transform(lower.begin(), lower.end(), lower.begin(), lowerAscii);
    return lower.find("<br/>") != std::string::npos;
}

// An ID field: a decimal integer 0..16777215.
bool parseUserId(QByteArrayView field, qint32 &id)
{
    bool ok = false;
    const qlonglong value = field.toLongLong(&ok, 10);
    if (!ok || value < 0 || value > usercache::kMaxId)
        return false;
    id = qint32(value);
    return true;
}

bool keptInLine(char c)
{
    return quint8(c) >= 32 && quint8(c) <= 127;
}

// Reads the bytes as lines: only CR and LF end a line, other control bytes and bytes above 127 are
// dropped, lines are trimmed and blank ones skipped. A clean line is handed out in place; only a
// line with bytes to drop is copied.
class LineSplitter
{
public:
    explicit LineSplitter(QByteArrayView data)
        : m_data(data)
    {
    }

    bool next(QByteArrayView &line)
    {
        while (m_pos < m_data.size()) {
            const char *begin = m_data.data() + m_pos;
            const char *end = begin;
            const char *const last = m_data.data() + m_data.size();
            bool clean = true;
            while (end != last && *end != '\n' && *end != '\r') {
                clean = clean && keptInLine(*end);
                ++end;
            }
            m_pos = (end - m_data.data()) + (end != last ? 1 : 0);
            line = trimmed(clean ? QByteArrayView(begin, end - begin) : cleaned(begin, end));
            if (!line.isEmpty())
                return true;
        }
        return false;
    }
    qsizetype position() const { return m_pos; }

private:
    QByteArrayView cleaned(const char *begin, const char *end)
    {
        m_copy.clear();
        std::copy_if(begin, end, std::back_inserter(m_copy), keptInLine);
        return QByteArrayView(m_copy.data(), qsizetype(m_copy.size()));
    }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    std::string m_copy;
};

using Fields = std::array<QByteArrayView, kMaxFields>;

bool isSeparator(char c)
{
    return c == ';' || c == ',' || c == '|';
}

// At most seven fields, split at ";", "," or "|"; the rest of the line is dropped.
Fields splitFields(QByteArrayView line)
{
    Fields fields;
    const char *at = line.data();
    const char *const end = at + line.size();
    for (int k = 0; k < kMaxFields && at <= end; ++k) {
        const char *stop = std::find_if(at, end, isSeparator);
        const QByteArrayView field = trimmed(QByteArrayView(at, stop - at));
        fields[std::size_t(k)] = containsBreakTag(field) ? QByteArrayView() : field;
        at = stop + 1;
    }
    return fields;
}

class UserFileParser
{
public:
    explicit UserFileParser(qsizetype dataSize)
        : m_seen(std::size_t(usercache::kMaxId) + 1, false)
    {
        m_result.entries.reserve(int(std::min<qsizetype>(dataSize / 24, 1 << 22)));
    }

    void setKind(UserFileKind kind) { m_result.kind = kind; }

    void addLine(QByteArrayView line)
    {
        const Fields f = splitFields(line);
        const bool database = m_result.kind == UserFileKind::Database;
        const QByteArrayView idField = database ? f[0] : f[2];
        const QByteArrayView callsign = f[1];
        qint32 id = 0;
        if (idField.isEmpty() || callsign.isEmpty() || !parseUserId(idField, id) || m_seen[std::size_t(id)])
            return;
        m_seen[std::size_t(id)] = true; // the first entry of an ID wins
        if (database)
            m_result.entries.append(id, { callsign, f[2], {}, {}, {}, f[5] });
        else
            m_result.entries.append(id, { callsign, f[3], {}, {}, {}, {} });
    }

    ParsedUserFile take() { return std::move(m_result); }

private:
    ParsedUserFile m_result;
    std::vector<bool> m_seen; // one bit per possible ID: a perfect hash set
};

QByteArrayView boundedText(QByteArrayView entry, UserField field)
{
    const QByteArrayView slot
        = entry.sliced(usercache::kTextOffsets[std::size_t(field)], usercache::kTextWidths[std::size_t(field)]);
    const qsizetype end = slot.indexOf('\0');
    return end < 0 ? slot : slot.first(end);
}

qint32 readLe32(QByteArrayView bytes)
{
    return qint32(quint32(quint8(bytes[0])) | quint32(quint8(bytes[1])) << 8 | quint32(quint8(bytes[2])) << 16
        | quint32(quint8(bytes[3])) << 24);
}

QByteArray le32Bytes(qint32 value)
{
    QByteArray bytes(4, '\0');
    for (int k = 0; k < 4; ++k)
        bytes[k] = char(quint32(value) >> (8 * k));
    return bytes;
}

// Fills a zeroed 264-byte entry.
void fillCacheEntry(char *entry, const DmrUserList &list, int index)
{
    const quint32 id = quint32(list.id(index));
    for (int k = 0; k < 4; ++k)
        entry[k] = char(id >> (8 * k));
    for (int f = 0; f < kUserFieldCount; ++f) {
        const QByteArrayView text = list.text(index, UserField(f));
        std::copy(text.begin(), text.end(), entry + usercache::kTextOffsets[std::size_t(f)]);
    }
}

} // namespace

// --- DmrUserList ---------------------------------------------------------------------------------

void DmrUserList::clear()
{
    m_items.clear();
    m_pool.clear();
    m_lowerPool.clear();
}

void DmrUserList::reserve(int count)
{
    m_items.reserve(std::size_t(count));
    m_pool.reserve(qsizetype(count) * 40);
}

void DmrUserList::append(qint32 id, const Texts &texts)
{
    Item item { id, quint32(m_pool.size()), {} };
    char number[12];
    item.lengths[0] = quint8(std::to_chars(std::begin(number), std::end(number), id).ptr - number);
    qsizetype total = item.lengths[0] + kUserFieldCount;
    for (int f = 0; f < kUserFieldCount; ++f) {
        const qsizetype width = usercache::kTextWidths[std::size_t(f)] - 1;
        item.lengths[std::size_t(f) + 1] = quint8(std::min(texts[std::size_t(f)].size(), width));
        total += item.lengths[std::size_t(f) + 1];
    }
    // One resize and plain copies: this runs once per entry of the whole database.
    const qsizetype start = m_pool.size();
    m_pool.resize(start + total);
    char *out = std::copy_n(number, item.lengths[0], m_pool.data() + start);
    for (int f = 0; f < kUserFieldCount; ++f) {
        *out++ = '\0';
        out = std::copy_n(texts[std::size_t(f)].data(), item.lengths[std::size_t(f) + 1], out);
    }
    m_items.push_back(item);
}

void DmrUserList::append(const DmrUserEntry &entry)
{
    Texts texts;
    for (int f = 0; f < kUserFieldCount; ++f)
        texts[std::size_t(f)] = entry.texts[std::size_t(f)];
    append(entry.id, texts);
}

// The entry's bytes in the pools: its decimal ID and each text after its 0 byte.
qsizetype DmrUserList::pooledLength(const Item &item)
{
    qsizetype length = kUserFieldCount;
    for (const quint8 part : item.lengths)
        length += part;
    return length;
}

int DmrUserList::textOffset(const Item &item, UserField field) const
{
    int offset = int(item.offset) + item.lengths[0] + 1;
    for (int f = 0; f < field; ++f)
        offset += item.lengths[std::size_t(f) + 1] + 1;
    return offset;
}

QByteArrayView DmrUserList::text(int index, UserField field) const
{
    const Item &item = m_items[std::size_t(index)];
    return QByteArrayView(m_pool).sliced(textOffset(item, field), item.lengths[std::size_t(field) + 1]);
}

DmrUserEntry DmrUserList::entry(int index) const
{
    DmrUserEntry entry;
    entry.id = id(index);
    for (int f = 0; f < kUserFieldCount; ++f)
        entry.texts[std::size_t(f)] = text(index, UserField(f)).toByteArray();
    return entry;
}

void DmrUserList::prepareSearch() const
{
    const qsizetype done = m_lowerPool.size();
    if (done == m_pool.size())
        return;
    m_lowerPool.resize(m_pool.size());
    std::transform(m_pool.cbegin() + done, m_pool.cend(), m_lowerPool.data() + done, lowerAscii);
}

bool DmrUserList::matches(int index, QByteArrayView lowerKey) const
{
    prepareSearch();
    const Item &item = m_items[std::size_t(index)];
    // Texts are separated by 0 bytes, which no key holds, so a match never spans two of them.
    const std::string_view haystack(m_lowerPool.constData() + item.offset, std::size_t(pooledLength(item)));
    return haystack.find(std::string_view(lowerKey.data(), std::size_t(lowerKey.size()))) != std::string_view::npos;
}

void DmrUserList::sortById()
{
    std::sort(m_items.begin(), m_items.end(), [](const Item &a, const Item &b) { return a.id < b.id; });
    compactPool();
}

// Lays the texts out in list order, so that the passes that follow (the cache write, searches)
// read the pool front to back instead of jumping through it.
void DmrUserList::compactPool()
{
    constexpr std::size_t kAhead = 16; // entries fetched ahead of the copy, to hide memory latency
    QByteArray pool(m_pool.size(), Qt::Uninitialized);
    char *out = pool.data();
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (i + kAhead < m_items.size())
            prefetch(m_pool.constData() + m_items[i + kAhead].offset);
        Item &item = m_items[i];
        const qsizetype length = pooledLength(item);
        out = std::copy_n(m_pool.constData() + item.offset, length, out);
        item.offset = quint32(out - pool.constData() - length);
    }
    pool.truncate(out - pool.constData());
    m_pool = std::move(pool);
    m_lowerPool.clear();
}

// --- parsing -------------------------------------------------------------------------------------

ParsedUserFile parseUserData(QByteArrayView data, const UserDbProgress &progress)
{
    LineSplitter lines(data);
    UserFileParser parser(data.size());
    QByteArrayView line;
    if (lines.next(line)) {
        std::string lower(line.begin(), line.end());
        std::transform(lower.begin(), lower.end(), lower.begin(), lowerAscii);
        if (lower.find(kLastHeardHeader.toStdString()) != std::string::npos)
            parser.setKind(UserFileKind::LastHeard);
        else
            parser.addLine(line);
    }
    for (int count = 1; lines.next(line); ++count) {
        parser.addLine(line);
        if (count % kParseProgressLines == 0)
            report(progress, QString(), lines.position(), data.size());
    }
    ParsedUserFile parsed = parser.take();
    if (parsed.kind == UserFileKind::Database) {
        report(progress, QStringLiteral("Sorting the DMR database "), 0, 1);
        parsed.entries.sortById();
    }
    return parsed;
}

// --- cache files ---------------------------------------------------------------------------------

QByteArray userCacheBytes(const DmrUserList &list)
{
    QByteArray out(usercache::kHeaderSize + qsizetype(list.size()) * usercache::kEntrySize, '\0');
    out.replace(0, usercache::kHeaderSize, le32Bytes(list.size()));
    for (int i = 0; i < list.size(); ++i)
        fillCacheEntry(out.data() + usercache::kHeaderSize + qsizetype(i) * usercache::kEntrySize, list, i);
    return out;
}

int readUserCacheBytes(QByteArrayView bytes, DmrUserList &list, const UserDbProgress &progress)
{
    if (bytes.size() <= usercache::kHeaderSize)
        return UserDbEmpty;
    const qint64 fits = (bytes.size() - usercache::kHeaderSize) / usercache::kEntrySize;
    const qint64 count = std::clamp<qint64>(readLe32(bytes), 0, fits);
    DmrUserList read;
    read.reserve(int(count));
    for (qint64 k = 0; k < count; ++k) {
        const QByteArrayView entry
            = bytes.sliced(usercache::kHeaderSize + k * usercache::kEntrySize, usercache::kEntrySize);
        const qint32 id = readLe32(entry);
        if (id < 0 || id > usercache::kMaxId)
            continue; // a damaged entry: its ID could never be a contact's
        DmrUserList::Texts texts;
        for (int f = 0; f < kUserFieldCount; ++f)
            texts[std::size_t(f)] = boundedText(entry, UserField(f));
        read.append(id, texts);
        if (k % kScanProgressEntries == 0)
            report(progress, QString(), k, count);
    }
    list = std::move(read);
    return UserDbOk;
}

int writeUserCache(const DmrUserList &list, const QString &fileName, const UserDbProgress &progress)
{
    report(progress, QStringLiteral("Creating the DMR database file .. %1 ").arg(fileName), 0, list.size());
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return UserDbCannotOpen;
    const QByteArray count = le32Bytes(list.size());
    if (file.write(count) != count.size())
        return UserDbShortRead;
    // Written in blocks of entries, so that the whole database never stands in memory twice.
    std::vector<char> block(std::size_t(kWriteChunkEntries) * usercache::kEntrySize);
    for (int first = 0; first < list.size(); first += kWriteChunkEntries) {
        const int entries = std::min(kWriteChunkEntries, list.size() - first);
        std::fill(block.begin(), block.end(), '\0');
        for (int k = 0; k < entries; ++k)
            fillCacheEntry(block.data() + std::size_t(k) * usercache::kEntrySize, list, first + k);
        const qint64 size = qint64(entries) * usercache::kEntrySize;
        if (file.write(block.data(), size) != size)
            return UserDbShortRead; // the save file is discarded: the previous cache stays
        report(progress, QString(), first + entries, list.size());
    }
    return file.commit() ? UserDbOk : UserDbShortRead;
}

int readUserCache(DmrUserList &list, const QString &fileName, const UserDbProgress &progress)
{
    report(progress, QStringLiteral("Reading the DMR database file "), 0, 1);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        reportDone(progress);
        return UserDbCannotOpen;
    }
    const qint64 size = file.size();
    int result = UserDbEmpty;
    if (size > usercache::kHeaderSize) {
        if (const uchar *mapped = file.map(0, size)) {
            result = readUserCacheBytes(QByteArrayView(mapped, size), list, progress);
        } else {
            const QByteArray bytes = file.readAll();
            result = bytes.size() == size ? readUserCacheBytes(bytes, list, progress) : int(UserDbShortRead);
        }
    }
    reportDone(progress);
    return result;
}

// --- countries and filter ------------------------------------------------------------------------

QStringList mergeCountries(const QStringList &items, const DmrUserList &list)
{
    std::unordered_set<std::string_view> countries;
    for (int i = 0; i < list.size(); ++i) {
        const QByteArrayView country = list.text(i, UserCountry);
        if (!country.isEmpty())
            countries.emplace(country.data(), std::size_t(country.size()));
    }
    QStringList merged = items;
    for (const std::string_view country : countries) {
        const QString text = QString::fromLatin1(country.data(), qsizetype(country.size()));
        if (!merged.contains(text))
            merged.append(text);
    }
    merged.removeAll(kAllCountries);
    std::sort(merged.begin(), merged.end(),
        [](const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    merged.prepend(kAllCountries);
    return merged;
}

std::vector<int> filterUsers(
    const DmrUserList &list, const QString &country, const QString &key, const UserDbProgress &progress)
{
    const bool anyCountry = country.isEmpty() || country == kAllCountries;
    const QByteArray countryBytes = country.toLatin1();
    const QByteArray lowerKey = trimControl(key).toLower().toLatin1();
    std::vector<int> view;
    for (int i = 0; i < list.size(); ++i) {
        if ((anyCountry || list.text(i, UserCountry) == countryBytes)
            && (lowerKey.isEmpty() || list.matches(i, lowerKey)))
            view.push_back(i);
        if (i % kScanProgressEntries == 0)
            report(progress, QString(), i, list.size());
    }
    reportDone(progress);
    return view;
}

// --- contacts ------------------------------------------------------------------------------------

QString userContactName(const DmrUserEntry &entry)
{
    const auto firstWord = [](const QByteArray &text) {
        const QString word = trimControl(QString::fromLatin1(text));
        return word.left(word.indexOf(QLatin1Char(' ')));
    };
    QString word = firstWord(entry.text(UserName));
    if (word.isEmpty())
        word = firstWord(entry.text(UserNickName));
    return QString::fromLatin1(entry.text(UserCallsign)) + QLatin1Char(' ') + word;
}

int addUsersToContacts(FileImage &image, std::span<const DmrUserEntry> entries, const ProtectedIdList &protectedIds,
    const UserDbProgress &progress)
{
    const qint64 room = std::min<qint64>(qint64(entries.size()), kMaxContacts - contactCount(image));
    report(progress, QStringLiteral("Adding contacts .. "), 0, room);
    ContactMerger merger(image, protectedIds);
    int written = 0;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const DmrUserEntry &entry = entries[k];
        if (entry.id >= 0 && entry.id <= usercache::kMaxId
            && merger.store(std::uint32_t(entry.id), PrivateCall, false, userContactName(entry)) != ContactMerger::Left)
            ++written;
        if ((k + 1) % kDetailProgressEntries == 0)
            report(progress, QString(), qint64(k + 1), room);
    }
    reportDone(progress);
    return written;
}

// --- the two lists -------------------------------------------------------------------------------

UserDatabase::UserDatabase(const QString &folder)
    : m_folder(folder)
{
}

QString UserDatabase::path(const QString &fileName) const
{
    return m_folder.isEmpty() ? fileName : QDir(m_folder).filePath(fileName);
}

void UserDatabase::readCaches(const UserDbProgress &progress)
{
    readUserCache(m_database, path(QLatin1String(kDatabaseCache)), progress);
    readUserCache(m_lastHeard, path(QLatin1String(kLastHeardCache)), progress);
}

void UserDatabase::fetchDetails(DmrUserList &lastHeard, const UserDbProgress &progress) const
{
    report(progress, QStringLiteral("Fetching details "), 0, lastHeard.size());
    std::unordered_map<qint32, int> found;
    for (int i = 0; i < lastHeard.size(); ++i)
        found.emplace(lastHeard.id(i), -1);
    for (int d = 0; d < m_database.size(); ++d) {
        const auto it = found.find(m_database.id(d));
        if (it != found.end() && it->second < 0)
            it->second = d;
    }
    DmrUserList detailed;
    detailed.reserve(lastHeard.size());
    for (int i = 0; i < lastHeard.size(); ++i) {
        const int d = found[lastHeard.id(i)];
        const DmrUserList &source = d >= 0 ? m_database : lastHeard;
        const int index = d >= 0 ? d : i;
        DmrUserList::Texts texts;
        for (int f = 0; f < kUserFieldCount; ++f)
            texts[std::size_t(f)] = source.text(index, UserField(f));
        detailed.append(source.id(index), texts);
        if ((i + 1) % kDetailProgressEntries == 0)
            report(progress, QString(), i + 1, lastHeard.size());
    }
    lastHeard = std::move(detailed);
}

int UserDatabase::parseFile(
    const QString &fileName, const UserDbProgress &progress, std::optional<UserFileKind> expected)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return UserDbCannotOpen;
    const qint64 size = file.size();
    if (size <= 0)
        return UserDbEmpty;
    const QByteArray data = file.readAll();
    if (data.size() != size)
        return UserDbShortRead;
    report(progress, QStringLiteral("Parsing the DMR database file .. %1 ").arg(fileName), 0, size);
    ParsedUserFile parsed = parseUserData(data, progress);
    if (parsed.entries.isEmpty() || (expected && parsed.kind != *expected)) {
        reportDone(progress);
        return parsed.entries.isEmpty() ? UserDbNoEntries : UserDbWrongKind;
    }
    m_lastKind = parsed.kind;
    int result = UserDbOk;
    if (parsed.kind == UserFileKind::Database) {
        m_database = std::move(parsed.entries);
        m_lastHeard.clear();
        result = writeUserCache(m_database, path(QLatin1String(kDatabaseCache)), progress);
    } else {
        fetchDetails(parsed.entries, progress);
        m_lastHeard = std::move(parsed.entries);
        result = writeUserCache(m_lastHeard, path(QLatin1String(kLastHeardCache)), progress);
    }
    reportDone(progress);
    return result;
}

} // namespace codeplug
