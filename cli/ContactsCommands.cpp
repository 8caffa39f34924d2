#include "Cli.h"

#include "ContactFiles.h"
#include "ContactList.h"
#include "ContactRecord.h"
#include "CsvFields.h"

#include <QCommandLineParser>

namespace cli {

namespace {

using namespace codeplug;

const char *const kUsage
    = "usage:\n"
      "  codeplug contacts list FILE.rdt\n"
      "  codeplug contacts export FILE.rdt OUT.txt|OUT.csv\n"
      "  codeplug contacts import FILE.rdt IN.txt|IN.csv [--protect-id ID]... [-o OUT.rdt]\n"
      "  codeplug contacts delete FILE.rdt NUMBER... [--protect-id ID]... [--stop-on-refusal] "
      "[-o OUT.rdt]\n"
      "  codeplug contacts move FILE.rdt NUMBER... --by N [-o OUT.rdt]\n"
      "  codeplug contacts sort FILE.rdt --by name|id|type|rxtone [--protect-id ID]... [-o OUT.rdt]\n";

const QCommandLineOption kOutput { QStringList { QStringLiteral("o") }, QString(), QStringLiteral("file") };
const QCommandLineOption kProtectId { QStringLiteral("protect-id"), QString(), QStringLiteral("id") };
const QCommandLineOption kBy { QStringLiteral("by"), QString(), QStringLiteral("value") };
const QCommandLineOption kStopOnRefusal { QStringLiteral("stop-on-refusal") };

int usage(Io io, const QString &problem)
{
    io.err << problem << "\n" << kUsage;
    io.err.flush();
    return UsageError;
}

// Parses the command's options; `minPositionals` counts the file names and numbers it needs at least.
bool parse(QCommandLineParser &parser, const QString &command, const QStringList &arguments, int minPositionals,
    int maxPositionals, Io io)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList { QStringLiteral("codeplug contacts ") + command } + arguments)) {
        usage(io, parser.errorText());
        return false;
    }
    const qsizetype count = parser.positionalArguments().size();
    if (count < minPositionals || (maxPositionals >= 0 && count > maxPositionals)) {
        usage(io, QStringLiteral("codeplug contacts %1: wrong number of arguments").arg(command));
        return false;
    }
    return true;
}

bool parseProtectedIds(const QCommandLineParser &parser, ProtectedIdList &ids, Io io)
{
    for (const QString &text : parser.values(kProtectId)) {
        std::uint32_t id = 0;
        if (!parseContactId(text, id)) {
            usage(io, QStringLiteral("not a DMR ID: ") + text);
            return false;
        }
        ids.add(id);
    }
    return true;
}

int runList(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    if (!parse(parser, QStringLiteral("list"), arguments, 1, 1, io))
        return UsageError;
    CodePlugStore store;
    if (!loadInto(store, parser.positionalArguments().first(), io))
        return FileError;
    const FileImage &image = *store.slot(0)->image();
    for (int row = 0; row < kMaxContacts; ++row) {
        if (!isContactUsed(image, row))
            continue;
        io.out << row + 1 << '\t' << contactName(image, row) << '\t' << contactId(image, row) << '\t'
               << callTypeText(contactCallType(image, row)) << '\n';
    }
    io.out.flush();
    return Success;
}

int runExport(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    if (!parse(parser, QStringLiteral("export"), arguments, 2, 2, io))
        return UsageError;
    CodePlugStore store;
    if (!loadInto(store, parser.positionalArguments().first(), io))
        return FileError;
    const QString target = parser.positionalArguments().at(1);
    const ContactFileResult result = exportContacts(*store.slot(0)->image(), target);
    if (result.ok())
        return Success;
    io.err << (result.message.isEmpty() ? QStringLiteral("Could not create the file") : result.message) << ": "
           << target << Qt::endl;
    return FileError;
}

int runImport(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    parser.addOptions({ kOutput, kProtectId });
    ProtectedIdList ids;
    if (!parse(parser, QStringLiteral("import"), arguments, 2, 2, io) || !parseProtectedIds(parser, ids, io))
        return UsageError;
    const QString source = parser.positionalArguments().at(1);
    return changeAndSave(parser, io, [&](FileImage &image) {
        const ContactFileResult result = importContacts(image, source, ids);
        if (result.ok()) {
            if (!result.message.isEmpty())
                io.err << result.message << Qt::endl;
            if (!result.skippedLines.isEmpty())
                io.err << skippedLinesText(result.skippedLines) << Qt::endl;
            io.out << result.summary() << Qt::endl;
            return int(Success);
        }
        io.err << (result.message.isEmpty() ? QStringLiteral("Could not open the file") : result.message) << ": "
               << source << Qt::endl;
        return int(FileError);
    });
}

int runDelete(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    parser.addOptions({ kOutput, kProtectId, kStopOnRefusal });
    ProtectedIdList ids;
    if (!parse(parser, QStringLiteral("delete"), arguments, 2, -1, io) || !parseProtectedIds(parser, ids, io))
        return UsageError;
    const bool goOn = !parser.isSet(kStopOnRefusal);
    return changeAndSave(parser, io, [&](FileImage &image) {
        QList<int> rows;
        if (!parseRecordRows(
                parser.positionalArguments().mid(1), image, lists::contacts, QStringLiteral("contact"), rows, io))
            return int(UsageError);
        deleteContacts(image, rows, ids, [&](const QString &message) {
            io.err << message << Qt::endl;
            return goOn;
        });
        return int(Success);
    });
}

int runMove(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    parser.addOptions({ kOutput, kBy });
    if (!parse(parser, QStringLiteral("move"), arguments, 2, -1, io))
        return UsageError;
    bool ok = false;
    const int delta = parser.value(kBy).toInt(&ok);
    if (!parser.isSet(kBy) || !ok)
        return usage(io, QStringLiteral("codeplug contacts move: --by N is required"));
    return changeAndSave(parser, io, [&](FileImage &image) {
        QList<int> rows;
        if (!parseRecordRows(
                parser.positionalArguments().mid(1), image, lists::contacts, QStringLiteral("contact"), rows, io))
            return int(UsageError);
        moveContacts(image, rows, delta);
        return int(Success);
    });
}

std::optional<ContactSortKey> sortKey(const QString &text)
{
    if (text == QLatin1String("name"))
        return ContactSortKey::Name;
    if (text == QLatin1String("id"))
        return ContactSortKey::Id;
    if (text == QLatin1String("type"))
        return ContactSortKey::Type;
    if (text == QLatin1String("rxtone"))
        return ContactSortKey::RxTone;
    return std::nullopt;
}

int runSort(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    parser.addOptions({ kOutput, kProtectId, kBy });
    ProtectedIdList ids;
    if (!parse(parser, QStringLiteral("sort"), arguments, 1, 1, io) || !parseProtectedIds(parser, ids, io))
        return UsageError;
    const auto key = sortKey(parser.value(kBy));
    if (!key)
        return usage(io, QStringLiteral("codeplug contacts sort: --by name|id|type|rxtone is required"));
    return changeAndSave(parser, io, [&](FileImage &image) {
        sortContacts(image, *key, ids);
        return int(Success);
    });
}

} // namespace

int runContactsCommand(const QStringList &arguments, Io io)
{
    using Command = int (*)(const QStringList &, Io);
    static const QList<std::pair<QString, Command>> commands = {
        { QStringLiteral("list"), runList },
        { QStringLiteral("export"), runExport },
        { QStringLiteral("import"), runImport },
        { QStringLiteral("delete"), runDelete },
        { QStringLiteral("move"), runMove },
        { QStringLiteral("sort"), runSort },
    };
    const QString name = arguments.value(0);
    for (const auto &[word, command] : commands) {
        if (word == name)
            return command(arguments.mid(1), io);
    }
    return usage(io, QStringLiteral("unknown contacts command: ") + name);
}

} // namespace cli
