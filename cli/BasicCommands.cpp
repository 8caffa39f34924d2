#include "Cli.h"

#include "Layout.h"
#include "NewCodePlug.h"
#include "RadioInfo.h"

#include <QCommandLineParser>

namespace cli {

namespace {

// Parses options and exactly `positionals` positional arguments; prints usage on error.
bool parse(QCommandLineParser &parser, const QString &command, const QStringList &arguments, int positionals, Io io)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList { QStringLiteral("codeplug ") + command } + arguments)) {
        io.err << parser.errorText() << Qt::endl;
        return false;
    }
    if (parser.positionalArguments().size() != positionals) {
        io.err << "usage: codeplug " << command << ": expected " << positionals << " file name(s)" << Qt::endl;
        return false;
    }
    return true;
}

bool parseRange(const QString &text, int low, int high, int &value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= low && value <= high;
}

int runNew(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    parser.addOption({ QStringLiteral("band"), QString(), QStringLiteral("band"), QStringLiteral("2") });
    parser.addOption({ QStringLiteral("model"), QString(), QStringLiteral("model"), QStringLiteral("0") });
    if (!parse(parser, QStringLiteral("new"), arguments, 1, io))
        return UsageError;
    int band = 0;
    int model = 0;
    if (!parseRange(parser.value(QStringLiteral("band")), 0, 3, band)
        || !parseRange(parser.value(QStringLiteral("model")), 0, 2, model)) {
        io.err << "usage: codeplug new [--band 0|1|2|3] [--model 0|1|2] OUT.rdt" << Qt::endl;
        return UsageError;
    }
    const codeplug::FileResult result
        = codeplug::saveImageToFile(codeplug::makeNewCodePlug(band, model), parser.positionalArguments().first());
    if (!result.ok()) {
        io.err << result.message << ": " << parser.positionalArguments().first() << Qt::endl;
        return FileError;
    }
    return Success;
}

void printInfo(const codeplug::CodePlugSlot &slot, Io io)
{
    using namespace codeplug;
    const FileImage &image = *slot.image();
    const auto count = [&](const ListLayout &list) { return usedRecordCount(image, list); };
    io.out << "model: " << modelName(image) << "\n"
           << "band: " << bandCode(image) << "\n"
           << "frequency range: " << frequencyRangeText(image) << "\n"
           << "serial: " << serialNumber(image) << "\n"
           << "channels: " << count(lists::channels) << "\n"
           << "contacts: " << count(lists::contacts) << "\n"
           << "rx group lists: " << count(lists::rxGroupLists) << "\n"
           << "zones: " << count(lists::zones) << "\n"
           << "scan lists: " << count(lists::scanLists) << "\n"
           << "emergency systems: " << count(lists::emergencySystems) << "\n"
           << "text messages: " << count(lists::textMessages) << "\n"
           << "passwords set: " << (slot.passwordsSet() ? "yes" : "no") << "\n"
           << "changed by load: " << (slot.hasUnsavedChanges() ? "yes" : "no") << Qt::endl;
}

int runInfo(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    if (!parse(parser, QStringLiteral("info"), arguments, 1, io))
        return UsageError;
    codeplug::CodePlugStore store;
    if (!loadInto(store, parser.positionalArguments().first(), io))
        return FileError;
    printInfo(*store.slot(0), io);
    return Success;
}

int runCompact(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    if (!parse(parser, QStringLiteral("compact"), arguments, 2, io))
        return UsageError;
    codeplug::CodePlugStore store;
    if (!loadInto(store, parser.positionalArguments().at(0), io))
        return FileError;
    return saveFrom(store, parser.positionalArguments().at(1), io) ? Success : FileError;
}

} // namespace

int runBasicCommand(const QString &command, const QStringList &arguments, Io io)
{
    if (command == QLatin1String("new"))
        return runNew(arguments, io);
    if (command == QLatin1String("info"))
        return runInfo(arguments, io);
    return runCompact(arguments, io);
}

} // namespace cli
