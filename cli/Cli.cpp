#include "Cli.h"

namespace cli {

namespace {

const char *const kUsage
    = "usage: codeplug COMMAND ...\n"
      "  new [--band 0|1|2|3] [--model 0|1|2] OUT.rdt\n"
      "  info FILE.rdt\n"
      "  compact IN.rdt OUT.rdt\n"
      "  channels list|export|import|delete|move|sort ...\n"
      "  contacts list|export|import|delete|move|sort ...\n"
      "  grouplists|zones|scanlists list|add|rename|delete|move|members|add-members|remove-members ...\n"
      "  emergency list|add|rename|delete|move ...\n"
      "  settings FILE.rdt [KEY=VALUE]... [-o OUT.rdt]\n"
      "  settings --keys\n"
      "  userdb parse|search|download|add ...\n";

} // namespace

bool loadInto(codeplug::CodePlugStore &store, const QString &path, Io io)
{
    const codeplug::FileResult result = codeplug::loadCodePlugFile(store, 0, path);
    if (!result.ok())
        io.err << result.message << Qt::endl;
    return result.ok();
}

bool saveFrom(codeplug::CodePlugStore &store, const QString &path, Io io)
{
    const auto confirm = [&] {
        io.err << codeplug::kPasswordWarning << Qt::endl;
        return true;
    };
    const codeplug::FileResult result = codeplug::saveCodePlugFile(store, 0, path, confirm);
    if (!result.ok())
        io.err << result.message << ": " << path << Qt::endl;
    return result.ok();
}

int changeAndSave(const QCommandLineParser &parser, Io io, const std::function<int(codeplug::FileImage &)> &change)
{
    const QString input = parser.positionalArguments().first();
    codeplug::CodePlugStore store;
    if (!loadInto(store, input, io))
        return FileError;
    const int status = change(*store.slot(0)->image());
    if (status != Success)
        return status;
    const QString output = parser.isSet(QStringLiteral("o")) ? parser.value(QStringLiteral("o")) : input;
    return saveFrom(store, output, io) ? Success : FileError;
}

bool parseRecordRows(const QStringList &texts, const codeplug::FileImage &image, const codeplug::ListLayout &list,
    const QString &noun, QList<int> &rows, Io io)
{
    if (texts.isEmpty()) {
        io.err << "no " << noun << " number given" << Qt::endl;
        return false;
    }
    for (const QString &text : texts) {
        bool ok = false;
        const int number = text.toInt(&ok);
        if (!ok) {
            io.err << "not a record number: " << text << Qt::endl;
            return false;
        }
        if (number < 1 || !codeplug::isRecordUsed(image, list, number - 1)) {
            io.err << "no " << noun << " " << number << Qt::endl;
            return false;
        }
        rows.append(number - 1);
    }
    return true;
}

int run(const QStringList &arguments, Io io)
{
    if (arguments.isEmpty()) {
        io.err << kUsage;
        return UsageError;
    }
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("new") || command == QLatin1String("info") || command == QLatin1String("compact"))
        return runBasicCommand(command, rest, io);
    if (command == QLatin1String("channels"))
        return runChannelsCommand(rest, io);
    if (command == QLatin1String("contacts"))
        return runContactsCommand(rest, io);
    if (command == QLatin1String("settings"))
        return runSettingsCommand(rest, io);
    if (isListsCommand(command))
        return runListsCommand(command, rest, io);
    if (command == QLatin1String("userdb"))
        return runUserDbCommand(rest, io);
    io.err << "unknown command: " << command << "\n" << kUsage;
    return UsageError;
}

} // namespace cli
