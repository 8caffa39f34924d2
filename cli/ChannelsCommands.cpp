#include "Cli.h"

#include "ChannelCsv.h"
#include "ChannelList.h"
#include "ChannelRecord.h"
#include "CsvFields.h"
#include "Layout.h"

#include <QCommandLineParser>

namespace cli {

namespace {

using namespace codeplug;

const char *const kChannelsUsage = "usage: codeplug channels list FILE.rdt\n"
                                   "       codeplug channels export FILE.rdt OUT.csv\n"
                                   "       codeplug channels import FILE.rdt IN.csv [--protect NAME]... [-o OUT.rdt]\n"
                                   "       codeplug channels delete FILE.rdt NUMBER... [--protect NAME]... "
                                   "[--stop-on-refusal] [-o OUT.rdt]\n"
                                   "       codeplug channels move FILE.rdt NUMBER... --by N [-o OUT.rdt]\n"
                                   "       codeplug channels sort FILE.rdt [--protect NAME]... [-o OUT.rdt]\n";

int usage(Io io, const QString &problem = {})
{
    if (!problem.isEmpty())
        io.err << problem << "\n";
    io.err << kChannelsUsage;
    io.err.flush();
    return UsageError;
}

// The options of every channels command; positionals are checked by each command.
struct Command
{
    QCommandLineParser parser;
    CodePlugStore store;

    bool parse(const QString &name, const QStringList &arguments, Io io)
    {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption({ QStringLiteral("protect"), QString(), QStringLiteral("name") });
        parser.addOption({ QStringLiteral("stop-on-refusal"), QString() });
        parser.addOption({ QStringLiteral("o"), QString(), QStringLiteral("file") });
        parser.addOption({ QStringLiteral("by"), QString(), QStringLiteral("n") });
        if (!parser.parse(QStringList { QStringLiteral("codeplug channels ") + name } + arguments)) {
            io.err << parser.errorText() << "\n";
            return false;
        }
        return true;
    }
    QStringList positionals() const { return parser.positionalArguments(); }
    FileImage &image() { return *store.slot(0)->image(); }
    ProtectedChannelList protectedNames() const
    {
        ProtectedChannelList names;
        for (const QString &name : parser.values(QStringLiteral("protect")))
            names.add(name);
        return names;
    }
    int save(Io io)
    {
        const QString output
            = parser.isSet(QStringLiteral("o")) ? parser.value(QStringLiteral("o")) : positionals().first();
        return saveFrom(store, output, io) ? Success : FileError;
    }
};

int runList(Command &command, Io io)
{
    const FileImage &image = command.image();
    for (int i = 0; i < lists::channels.count && isRecordUsed(image, lists::channels, i); ++i) {
        io.out << i + 1 << '\t' << channelName(image, i) << '\t'
               << labelOf(modeLabels(), channelField(image, i, channelfields::mode)) << '\t'
               << frequencyText(channelU32(image, i, channeloffsets::rxFrequency)) << '\t'
               << frequencyText(channelU32(image, i, channeloffsets::txFrequency)) << '\n';
    }
    return Success;
}

void printMessages(const QStringList &messages, Io io)
{
    for (const QString &message : messages)
        io.err << message << "\n";
    io.err.flush();
}

int runExport(Command &command, Io io)
{
    const ChannelCsvResult result = exportChannelsCsv(command.image(), command.positionals().at(1));
    printMessages(result.messages, io);
    return result.value < 0 ? FileError : Success;
}

int runImport(Command &command, Io io)
{
    const ChannelCsvResult result
        = importChannelsCsv(command.image(), command.positionals().at(1), command.protectedNames());
    printMessages(result.messages, io);
    if (!result.skippedLines.isEmpty())
        printMessages({ skippedLinesText(result.skippedLines) }, io);
    if (result.value < 0)
        return FileError;
    io.out << result.summary() << "\n";
    return command.save(io);
}

int runDelete(Command &command, Io io)
{
    QList<int> rows;
    if (!parseRecordRows(
            command.positionals().mid(1), command.image(), lists::channels, QStringLiteral("channel"), rows, io))
        return usage(io);
    const bool stop = command.parser.isSet(QStringLiteral("stop-on-refusal"));
    const int deleted
        = deleteChannelSelection(command.image(), rows, command.protectedNames(), [&](const QString &message) {
              io.err << message << "\n";
              io.err.flush();
              return !stop;
          });
    io.out << deleted << " channels deleted\n";
    return command.save(io);
}

int runMove(Command &command, Io io)
{
    QList<int> rows;
    bool ok = false;
    const int by = command.parser.value(QStringLiteral("by")).toInt(&ok);
    if (!ok)
        return usage(io, QStringLiteral("--by N is required"));
    if (!parseRecordRows(
            command.positionals().mid(1), command.image(), lists::channels, QStringLiteral("channel"), rows, io))
        return usage(io);
    moveChannelSelection(command.image(), rows, by);
    return command.save(io);
}

int runSort(Command &command, Io io)
{
    sortChannels(command.image(), command.protectedNames());
    return command.save(io);
}

struct Subcommand
{
    const char *name;
    int minPositionals; // including FILE.rdt
    int maxPositionals; // -1: any number
    int (*run)(Command &, Io);
};

constexpr Subcommand kSubcommands[] = {
    { "list", 1, 1, runList },
    { "export", 2, 2, runExport },
    { "import", 2, 2, runImport },
    { "delete", 2, -1, runDelete },
    { "move", 2, -1, runMove },
    { "sort", 1, 1, runSort },
};

} // namespace

int runChannelsCommand(const QStringList &arguments, Io io)
{
    if (arguments.isEmpty())
        return usage(io);
    for (const Subcommand &sub : kSubcommands) {
        if (arguments.first() != QLatin1String(sub.name))
            continue;
        Command command;
        if (!command.parse(arguments.first(), arguments.mid(1), io))
            return usage(io);
        const qsizetype count = command.positionals().size();
        if (count < sub.minPositionals || (sub.maxPositionals >= 0 && count > sub.maxPositionals))
            return usage(io);
        if (!loadInto(command.store, command.positionals().first(), io))
            return FileError;
        return sub.run(command, io);
    }
    return usage(io, QStringLiteral("unknown channels command: ") + arguments.first());
}

} // namespace cli
