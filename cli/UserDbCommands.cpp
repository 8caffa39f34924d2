#include "Cli.h"

#include "ContactRecord.h"
#include "UserDatabase.h"
#include "UserDbDownload.h"

#include <algorithm>

#include <QCommandLineParser>

namespace cli {

namespace {

using namespace codeplug;

const char *const kUsage = "usage:\n"
                           "  codeplug userdb parse FILE [--last-heard] [--data-dir DIR]\n"
                           "  codeplug userdb search [--last-heard] [--country C] [KEY] [--data-dir DIR]\n"
                           "  codeplug userdb download [--last-heard] [--host HOST[:PORT]] [--data-dir DIR]\n"
                           "  codeplug userdb add FILE.rdt DMRID... [--protect-id ID]... [--data-dir DIR] "
                           "[-o OUT.rdt]\n";

const QCommandLineOption kOutput { QStringList { QStringLiteral("o") }, QString(), QStringLiteral("file") };
const QCommandLineOption kLastHeard { QStringLiteral("last-heard") };
const QCommandLineOption kDataDir { QStringLiteral("data-dir"), QString(), QStringLiteral("dir") };
const QCommandLineOption kCountry { QStringLiteral("country"), QString(), QStringLiteral("country") };
const QCommandLineOption kHost { QStringLiteral("host"), QString(), QStringLiteral("host") };
const QCommandLineOption kProtectId { QStringLiteral("protect-id"), QString(), QStringLiteral("id") };

int usage(Io io, const QString &problem)
{
    io.err << problem << "\n" << kUsage;
    io.err.flush();
    return UsageError;
}

bool parse(QCommandLineParser &parser, const QString &command, const QStringList &arguments, int minPositionals,
    int maxPositionals, Io io)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({ kOutput, kLastHeard, kDataDir, kCountry, kHost, kProtectId });
    if (!parser.parse(QStringList { QStringLiteral("codeplug userdb ") + command } + arguments)) {
        usage(io, parser.errorText());
        return false;
    }
    const qsizetype count = parser.positionalArguments().size();
    if (count < minPositionals || (maxPositionals >= 0 && count > maxPositionals)) {
        usage(io, QStringLiteral("codeplug userdb %1: wrong number of arguments").arg(command));
        return false;
    }
    return true;
}

UserDatabase databaseOf(const QCommandLineParser &parser)
{
    return UserDatabase(parser.value(kDataDir));
}

UserFileKind kindOf(const QCommandLineParser &parser)
{
    return parser.isSet(kLastHeard) ? UserFileKind::LastHeard : UserFileKind::Database;
}

const char *cacheName(UserFileKind kind)
{
    return kind == UserFileKind::LastHeard ? UserDatabase::kLastHeardCache : UserDatabase::kDatabaseCache;
}

// Parses a downloaded file into its cache and says how many entries it holds.
int parseInto(UserDatabase &database, const QString &file, UserFileKind kind, Io io)
{
    const int code = database.parseFile(file, {}, kind);
    if (code == UserDbWrongKind) {
        io.err << file << (kind == UserFileKind::LastHeard ? " is not a last-heard list" : " is a last-heard list")
               << Qt::endl;
        return FileError;
    }
    if (code == UserDbNoEntries) {
        io.err << userdb::kNoEntriesMessage << Qt::endl;
        return FileError;
    }
    if (code != UserDbOk) {
        io.err << "Could not read " << file << " or write its cache (" << code << ")" << Qt::endl;
        return FileError;
    }
    io.out << database.list(kind == UserFileKind::LastHeard).size() << " entries" << Qt::endl;
    return Success;
}

// Reads the cache of the chosen list; false with a message when it cannot be read.
bool readCache(UserDatabase &database, UserFileKind kind, Io io)
{
    const bool lastHeard = kind == UserFileKind::LastHeard;
    const QString path = database.path(QLatin1String(cacheName(kind)));
    if (readUserCache(lastHeard ? database.lastHeard() : database.database(), path) == UserDbOk)
        return true;
    io.err << "Could not read the cache " << path << Qt::endl;
    return false;
}

int runParse(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    if (!parse(parser, QStringLiteral("parse"), arguments, 1, 1, io))
        return UsageError;
    UserDatabase database = databaseOf(parser);
    return parseInto(database, parser.positionalArguments().first(), kindOf(parser), io);
}

int runSearch(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    if (!parse(parser, QStringLiteral("search"), arguments, 0, 1, io))
        return UsageError;
    UserDatabase database = databaseOf(parser);
    const UserFileKind kind = kindOf(parser);
    if (!readCache(database, kind, io))
        return FileError;
    const DmrUserList &list = database.list(kind == UserFileKind::LastHeard);
    const QString key = parser.positionalArguments().value(0);
    for (const int index : filterUsers(list, parser.value(kCountry), key)) {
        io.out << list.id(index);
        for (int f = 0; f < kUserFieldCount; ++f)
            io.out << '\t' << QString::fromLatin1(list.text(index, UserField(f)));
        io.out << '\n';
    }
    io.out.flush();
    return Success;
}

int runDownload(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    if (!parse(parser, QStringLiteral("download"), arguments, 0, 0, io))
        return UsageError;
    UserDatabase database = databaseOf(parser);
    const UserFileKind kind = kindOf(parser);
    const QString host = parser.isSet(kHost) ? parser.value(kHost) : userdb::kDefaultHost;
    const bool lastHeard = kind == UserFileKind::LastHeard;
    const QString url = lastHeard ? userdb::lastHeardUrl(host, 0) : userdb::databaseUrl(host);
    const QString file = database.path(lastHeard ? userdb::lastHeardFileName(0) : userdb::kDatabaseFile);
    QString message;
    const int code = userdb::UserDbDownload::run(url, file, message);
    if (code != userdb::DownloadOk) {
        io.err << (message.isEmpty() ? QStringLiteral("Not a download url: ") + url : message) << Qt::endl;
        return FileError;
    }
    return parseInto(database, file, kind, io);
}

// The entries with the given IDs, in the order of the database list, then of the last-heard list.
bool findEntries(UserDatabase &database, const QStringList &texts, std::vector<DmrUserEntry> &entries, Io io)
{
    std::vector<std::pair<int, DmrUserEntry>> found;
    for (const QString &text : texts) {
        std::uint32_t id = 0;
        if (!parseContactId(text, id)) {
            usage(io, QStringLiteral("not a DMR ID: ") + text);
            return false;
        }
        int position = 0;
        bool present = false;
        for (const bool lastHeard : { false, true }) {
            const DmrUserList &list = database.list(lastHeard);
            for (int i = 0; i < list.size() && !present; ++i, ++position) {
                if (list.id(i) == qint32(id)) {
                    present = true;
                    found.emplace_back(position, list.entry(i));
                }
            }
        }
        if (!present) {
            usage(io, QStringLiteral("no user database entry with DMR ID ") + text);
            return false;
        }
    }
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    found.erase(
        std::unique(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first == b.first; }),
        found.end());
    for (auto &[position, entry] : found)
        entries.push_back(std::move(entry));
    return true;
}

int runAdd(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    if (!parse(parser, QStringLiteral("add"), arguments, 2, -1, io))
        return UsageError;
    ProtectedIdList ids;
    for (const QString &text : parser.values(kProtectId)) {
        std::uint32_t id = 0;
        if (!parseContactId(text, id))
            return usage(io, QStringLiteral("not a DMR ID: ") + text);
        ids.add(id);
    }
    UserDatabase database = databaseOf(parser);
    database.readCaches();
    std::vector<DmrUserEntry> entries;
    if (!findEntries(database, parser.positionalArguments().mid(1), entries, io))
        return UsageError;
    return changeAndSave(parser, io, [&](FileImage &image) {
        io.out << addUsersToContacts(image, entries, ids) << " contacts written" << Qt::endl;
        return int(Success);
    });
}

} // namespace

int runUserDbCommand(const QStringList &arguments, Io io)
{
    const QString command = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("parse"))
        return runParse(rest, io);
    if (command == QLatin1String("search"))
        return runSearch(rest, io);
    if (command == QLatin1String("download"))
        return runDownload(rest, io);
    if (command == QLatin1String("add"))
        return runAdd(rest, io);
    return usage(io, QStringLiteral("unknown userdb command: ") + command);
}

} // namespace cli
