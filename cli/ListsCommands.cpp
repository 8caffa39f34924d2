#include "Cli.h"

#include "MemberLists.h"
#include "RecordList.h"
#include "RecordName.h"

#include <functional>

namespace cli {

namespace {

using namespace codeplug;

// One list the commands edit; `members` is null for a list without members.
struct ListCommands
{
    const char *word;
    const char *noun;
    const ListDescriptor &list;
    const MemberDescriptor *members;
};

const ListCommands kLists[] = {
    { "grouplists", "group list", listdescriptors::rxGroupLists, &memberdescriptors::rxGroupLists },
    { "zones", "zone", listdescriptors::zones, &memberdescriptors::zones },
    { "scanlists", "scan list", listdescriptors::scanLists, &memberdescriptors::scanLists },
    { "emergency", "emergency system", listdescriptors::emergencySystems, nullptr },
};

const QCommandLineOption kOutput { QStringList { QStringLiteral("o") }, QString(), QStringLiteral("file") };
const QCommandLineOption kBy { QStringLiteral("by"), QString(), QStringLiteral("n") };
const QCommandLineOption kStopOnRefusal { QStringLiteral("stop-on-refusal") };

int usage(const ListCommands &lists, Io io, const QString &problem = {})
{
    if (!problem.isEmpty())
        io.err << problem << "\n";
    const QString word = QLatin1String(lists.word);
    io.err << "usage: codeplug " << word << " list FILE.rdt\n"
           << "       codeplug " << word << " add FILE.rdt NAME [-o OUT.rdt]\n"
           << "       codeplug " << word << " rename FILE.rdt NUMBER NAME [-o OUT.rdt]\n"
           << "       codeplug " << word << " delete FILE.rdt NUMBER... [--stop-on-refusal] [-o OUT.rdt]\n"
           << "       codeplug " << word << " move FILE.rdt NUMBER... --by N [-o OUT.rdt]\n";
    if (lists.members) {
        io.err << "       codeplug " << word << " members FILE.rdt NUMBER\n"
               << "       codeplug " << word << " add-members FILE.rdt NUMBER MEMBER... [-o OUT.rdt]\n"
               << "       codeplug " << word << " remove-members FILE.rdt NUMBER MEMBER... [-o OUT.rdt]\n";
    }
    io.err.flush();
    return UsageError;
}

// A parsed command line of one list's command.
struct Command
{
    const ListCommands &lists;
    QCommandLineParser parser;
    Io io;

    QStringList numbers() const { return parser.positionalArguments().mid(1); }
    QString noun() const { return QLatin1String(lists.noun); }
    bool rows(const FileImage &image, const QStringList &texts, QList<int> &rows)
    {
        return parseRecordRows(texts, image, lists.list.layout, noun(), rows, io);
    }
};

void printRecords(const FileImage &image, Command &command)
{
    const ListLayout &layout = command.lists.list.layout;
    for (int i = 0; i < layout.count && isRecordUsed(image, layout, i); ++i)
        command.io.out << i + 1 << '\t' << ownerName(image, layout, i) << '\n';
}

int runDelete(FileImage &image, Command &command)
{
    QList<int> rows;
    if (!command.rows(image, command.numbers(), rows))
        return usage(command.lists, command.io);
    const bool goOn = !command.parser.isSet(kStopOnRefusal);
    RecordList(image, command.lists.list).remove(rows, {}, [&](const QString &message) {
        command.io.err << message << Qt::endl;
        return goOn;
    });
    return Success;
}

int runMove(FileImage &image, Command &command)
{
    bool ok = false;
    const int by = command.parser.value(kBy).toInt(&ok);
    if (!ok)
        return usage(command.lists, command.io, QStringLiteral("--by N is required"));
    QList<int> rows;
    if (!command.rows(image, command.numbers(), rows))
        return usage(command.lists, command.io);
    RecordList(image, command.lists.list).moveSelection(rows, by);
    return Success;
}

int runAdd(FileImage &image, Command &command)
{
    const int row = RecordList(image, command.lists.list).add();
    if (row < 0) {
        command.io.err << "no room for another " << command.noun() << Qt::endl;
        return FileError;
    }
    if (!renameRecord(image, command.lists.list.layout, row, command.numbers().first()))
        return usage(command.lists, command.io, QStringLiteral("the name is empty"));
    command.io.out << row + 1 << '\t' << ownerName(image, command.lists.list.layout, row) << Qt::endl;
    return Success;
}

int runRename(FileImage &image, Command &command)
{
    QList<int> rows;
    if (!command.rows(image, command.numbers().mid(0, 1), rows))
        return usage(command.lists, command.io);
    if (!renameRecord(image, command.lists.list.layout, rows.first(), command.numbers().at(1)))
        return usage(command.lists, command.io, QStringLiteral("the name is empty"));
    return Success;
}

// The record of the first number and the member numbers after it; false with a message when one
// is not a number or the record is not used.
bool memberArguments(const FileImage &image, Command &command, int &record, QList<int> &numbers)
{
    QList<int> rows;
    if (!command.rows(image, command.numbers().mid(0, 1), rows))
        return false;
    record = rows.first();
    for (const QString &text : command.numbers().mid(1)) {
        bool ok = false;
        numbers.append(text.toInt(&ok));
        if (!ok) {
            command.io.err << "not a record number: " << text << Qt::endl;
            return false;
        }
    }
    return true;
}

using MemberCommand = std::function<int(MemberList &members, const QList<int> &numbers)>;

// Runs a member command on the record of the first number, with the member numbers after it.
int withMembers(FileImage &image, Command &command, const MemberCommand &run)
{
    int record = 0;
    QList<int> numbers;
    if (!memberArguments(image, command, record, numbers))
        return usage(command.lists, command.io);
    MemberList members(image, *command.lists.members, record);
    return run(members, numbers);
}

// A usage error for the first number that fails the test ("contact 4 <problem> group list 1").
int refuseFirst(Command &command, const MemberList &members, const QList<int> &numbers,
    bool (*passes)(const MemberList &, int), const char *problem)
{
    for (int number : numbers) {
        if (!passes(members, number)) {
            return usage(command.lists, command.io,
                QStringLiteral("%1 %2 %3 %4 %5")
                    .arg(QLatin1String(command.lists.members->memberNoun))
                    .arg(number)
                    .arg(QLatin1String(problem), command.noun())
                    .arg(members.record() + 1));
        }
    }
    return Success;
}

int runMembers(FileImage &image, Command &command)
{
    return withMembers(image, command, [&](MemberList &members, const QList<int> &) {
        for (int number : members.members())
            command.io.out << number << '\t' << members.memberName(number) << '\n';
        return int(Success);
    });
}

QString numberList(const QList<int> &numbers)
{
    QStringList texts;
    for (int number : numbers)
        texts.append(QString::number(number));
    return texts.join(QLatin1Char(' '));
}

int runAddMembers(FileImage &image, Command &command)
{
    return withMembers(image, command, [&](MemberList &members, const QList<int> &numbers) {
        const auto offered = [](const MemberList &list, int number) { return list.isAvailable(number); };
        if (refuseFirst(command, members, numbers, offered, "is not offered for") != Success)
            return int(UsageError);
        const QList<int> notAdded = members.add(numbers);
        if (!notAdded.isEmpty())
            command.io.err << command.noun() << " " << members.record() + 1
                           << " is full; not added: " << numberList(notAdded) << Qt::endl;
        return int(Success);
    });
}

int runRemoveMembers(FileImage &image, Command &command)
{
    return withMembers(image, command, [&](MemberList &members, const QList<int> &numbers) {
        const auto listed = [](const MemberList &list, int number) { return list.members().contains(number); };
        if (refuseFirst(command, members, numbers, listed, "is not a member of") != Success)
            return int(UsageError);
        members.remove(numbers);
        return int(Success);
    });
}

struct Subcommand
{
    const char *name;
    int minPositionals; // including FILE.rdt
    int maxPositionals; // -1: any number
    bool changes; // saves the image
    bool needsMembers;
    int (*run)(FileImage &, Command &);
};

constexpr Subcommand kSubcommands[] = {
    { "list", 1, 1, false, false, [](FileImage &image, Command &command) { return printRecords(image, command), 0; } },
    { "add", 2, 2, true, false, runAdd },
    { "rename", 3, 3, true, false, runRename },
    { "delete", 2, -1, true, false, runDelete },
    { "move", 2, -1, true, false, runMove },
    { "members", 2, 2, false, true, runMembers },
    { "add-members", 3, -1, true, true, runAddMembers },
    { "remove-members", 3, -1, true, true, runRemoveMembers },
};

int runSubcommand(const Subcommand &sub, Command &command, const QStringList &arguments)
{
    command.parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    command.parser.addOptions({ kOutput, kBy, kStopOnRefusal });
    const QString name = QStringLiteral("codeplug %1 %2").arg(QLatin1String(command.lists.word), sub.name);
    if (!command.parser.parse(QStringList { name } + arguments))
        return usage(command.lists, command.io, command.parser.errorText());
    const qsizetype count = command.parser.positionalArguments().size();
    if (count < sub.minPositionals || (sub.maxPositionals >= 0 && count > sub.maxPositionals))
        return usage(command.lists, command.io, name + QStringLiteral(": wrong number of arguments"));
    const auto run = [&](FileImage &image) { return sub.run(image, command); };
    if (sub.changes)
        return changeAndSave(command.parser, command.io, run);
    CodePlugStore store;
    if (!loadInto(store, command.parser.positionalArguments().first(), command.io))
        return FileError;
    const int status = run(*store.slot(0)->image());
    command.io.out.flush();
    return status;
}

} // namespace

bool isListsCommand(const QString &command)
{
    return std::any_of(std::begin(kLists), std::end(kLists),
        [&](const ListCommands &lists) { return command == QLatin1String(lists.word); });
}

int runListsCommand(const QString &word, const QStringList &arguments, Io io)
{
    const ListCommands &lists
        = *std::find_if(std::begin(kLists), std::end(kLists), [&](const ListCommands &l) { return word == l.word; });
    const QString name = arguments.value(0);
    for (const Subcommand &sub : kSubcommands) {
        if (name != QLatin1String(sub.name) || (sub.needsMembers && !lists.members))
            continue;
        Command command { lists, {}, io };
        return runSubcommand(sub, command, arguments.mid(1));
    }
    return usage(lists, io, QStringLiteral("unknown %1 command: %2").arg(word, name));
}

} // namespace cli
