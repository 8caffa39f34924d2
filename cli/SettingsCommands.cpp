#include "Cli.h"

#include "SettingsFields.h"

namespace cli {

namespace {

using namespace codeplug;

const QCommandLineOption kOutput { QStringList { QStringLiteral("o") }, QString(), QStringLiteral("file") };
const QCommandLineOption kKeys { QStringLiteral("keys") };

int usage(Io io, const QString &problem = {})
{
    if (!problem.isEmpty())
        io.err << problem << "\n";
    io.err << "usage: codeplug settings FILE.rdt [KEY=VALUE]... [-o OUT.rdt]\n"
           << "       codeplug settings --keys" << Qt::endl;
    return UsageError;
}

// Every editable field of the Basic, General and Menus tabs, in page order.
template <class Visit> void forEachEditable(const Visit &visit)
{
    for (const SettingFields *fields : { &basicFields(), &generalFields(), &menusFields() }) {
        for (const SettingField &field : *fields) {
            if (isEditable(field))
                visit(field);
        }
    }
}

struct Pair
{
    const SettingField *field;
    QString value;
};

// KEY=VALUE, the value as it stands after the first "="; false with a message for an unknown key.
bool parsePairs(const QStringList &texts, QList<Pair> &pairs, Io io)
{
    for (const QString &text : texts) {
        const qsizetype equals = text.indexOf(u'=');
        const SettingField *field = equals > 0 ? findSetting(text.left(equals)) : nullptr;
        if (!field) {
            usage(io,
                equals > 0 ? QStringLiteral("unknown key: ") + text.left(equals)
                           : QStringLiteral("not KEY=VALUE: ") + text);
            return false;
        }
        pairs.append({ field, text.mid(equals + 1) });
    }
    return true;
}

int printSettings(const QString &path, Io io)
{
    CodePlugStore store;
    if (!loadInto(store, path, io))
        return FileError;
    const FileImage &image = *store.slot(0)->image();
    forEachEditable(
        [&](const SettingField &field) { io.out << field.key << ": " << settingValue(image, field) << "\n"; });
    io.out.flush();
    return Success;
}

} // namespace

int runSettingsCommand(const QStringList &arguments, Io io)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(kOutput);
    parser.addOption(kKeys);
    if (!parser.parse(QStringList { QStringLiteral("codeplug settings") } + arguments))
        return usage(io, parser.errorText());
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(kKeys)) {
        if (!positional.isEmpty())
            return usage(io);
        forEachEditable(
            [&](const SettingField &field) { io.out << field.key << ": " << settingValues(field) << "\n"; });
        io.out.flush();
        return Success;
    }
    if (positional.isEmpty())
        return usage(io);
    QList<Pair> pairs;
    if (!parsePairs(positional.mid(1), pairs, io))
        return UsageError;
    if (pairs.isEmpty())
        return parser.isSet(kOutput) ? usage(io, QStringLiteral("-o needs KEY=VALUE pairs"))
                                     : printSettings(positional.first(), io);
    return changeAndSave(parser, io, [&](FileImage &image) {
        for (const Pair &pair : std::as_const(pairs)) {
            if (const QString refusal = setSetting(image, *pair.field, pair.value); !refusal.isEmpty()) {
                io.err << pair.field->key << "=" << pair.value << ": " << refusal << Qt::endl;
                return int(UsageError);
            }
        }
        return int(Success);
    });
}

} // namespace cli
