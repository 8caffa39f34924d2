#include "SettingsFile.h"

#include "NameCodec.h"

#include <algorithm>
#include <map>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace settingsfile {

namespace {

// One section of an .ini file; section and key names are compared without regard to case and
// the first occurrence of a key wins, as the usual profile readers do.
class IniSection
{
public:
    void insert(const QString &key, const QString &value) { m_values.try_emplace(key.toLower(), value); }
    bool contains(const QString &key) const { return m_values.count(key.toLower()) != 0; }
    QString text(const QString &key, const QString &fallback) const
    {
        const auto it = m_values.find(key.toLower());
        return it == m_values.end() ? fallback : it->second;
    }
    qint64 integer(const QString &key, qint64 fallback) const
    {
        bool ok = false;
        const qint64 value = text(key, QString()).toLongLong(&ok);
        return ok ? value : fallback;
    }
    // Values of the keys "Protected_<k>" for 0 <= k < count, in ascending k. Looking only at the
    // keys present keeps a huge count in a damaged file from stalling the start-up.
    QStringList numbered(const QString &prefix, qint64 count) const
    {
        std::map<qint64, QString> found;
        const QString lowerPrefix = prefix.toLower();
        for (const auto &[key, value] : m_values) {
            if (!key.startsWith(lowerPrefix))
                continue;
            bool ok = false;
            const QString digits = key.mid(lowerPrefix.size());
            const qint64 k = digits.toLongLong(&ok);
            if (ok && k >= 0 && k < count && QString::number(k) == digits)
                found.emplace(k, value);
        }
        QStringList values;
        for (const auto &[k, value] : found)
            values.append(value);
        return values;
    }

private:
    std::map<QString, QString> m_values;
};

std::map<QString, IniSection> parse(const QByteArray &content)
{
    std::map<QString, IniSection> sections;
    IniSection *section = nullptr;
    const QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = &sections[line.mid(1, line.size() - 2).trimmed().toLower()];
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (section && equals > 0)
            section->insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return sections;
}

const IniSection &sectionOf(const std::map<QString, IniSection> &sections, const char *name)
{
    static const IniSection empty;
    const auto it = sections.find(QString::fromLatin1(name).toLower());
    return it == sections.end() ? empty : it->second;
}

// Writes sections and keys in the order they are added.
class IniWriter
{
public:
    void section(const char *name)
    {
        if (!m_text.isEmpty())
            m_text += QLatin1Char('\n');
        m_text += QLatin1Char('[') + QLatin1String(name) + QLatin1String("]\n");
    }
    void key(const QString &name, const QString &value)
    {
        m_text += name + QLatin1Char('=') + value + QLatin1Char('\n');
    }
    void key(const QString &name, qint64 value) { key(name, QString::number(value)); }
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

QString protectedKey(qint64 k)
{
    return QStringLiteral("Protected_%1").arg(k);
}

// A damaged file may hold any number; values far beyond every screen are cut down first, so that
// no later sum of position and size can overflow.
int placementValue(const IniSection &section, const QString &key, int present)
{
    constexpr qint64 kLimit = 1 << 20;
    return int(std::clamp<qint64>(section.integer(key, present), -kLimit, kLimit));
}

void readPlacement(const IniSection &section, QRect &placement)
{
    const int top = placementValue(section, QStringLiteral("Top"), placement.top());
    const int left = placementValue(section, QStringLiteral("Left"), placement.left());
    const int width = placementValue(section, QStringLiteral("Width"), placement.width());
    const int height = placementValue(section, QStringLiteral("Height"), placement.height());
    placement = QRect(left, top, width, height);
}

void readProtectedIds(const IniSection &section, codeplug::ProtectedIdList &ids)
{
    ids.clear();
    const qint64 count = section.integer(QStringLiteral("Protected_num"), 0);
    for (const QString &value : section.numbered(QStringLiteral("Protected_"), count)) {
        bool ok = false;
        const qint64 id = value.toLongLong(&ok);
        if (ok && codeplug::ProtectedIdList::validId(id))
            ids.append(id);
    }
    ids.sort();
}

void readProtectedChannels(const IniSection &section, codeplug::ProtectedChannelList &channels)
{
    channels.clear();
    const qint64 count = section.integer(QStringLiteral("Protected_num"), 0);
    for (const QString &value : section.numbered(QStringLiteral("Protected_"), count)) {
        const QString name = codeplug::trimControl(value);
        if (!name.isEmpty())
            channels.append(name);
    }
    channels.sort();
}

} // namespace

QString defaultPath()
{
    return defaultPathFor(
        QCoreApplication::applicationFilePath(), QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString defaultPathFor(const QString &executable, const QString &userConfigFolder)
{
    const QFileInfo program(executable);
    const QFileInfo folder(program.absolutePath());
    const QString fileName = program.completeBaseName() + QStringLiteral(".ini");
    if (folder.isDir() && folder.isWritable())
        return QDir(folder.absoluteFilePath()).filePath(fileName);
    QDir().mkpath(userConfigFolder);
    return QDir(userConfigFolder).filePath(fileName);
}

void read(const QString &path, SettingsValues &values, int tabCount)
{
    QFile file(path);
    readContent(file.open(QIODevice::ReadOnly | QIODevice::Text) ? file.readAll() : QByteArray(), values, tabCount);
}

void readContent(const QByteArray &content, SettingsValues &values, int tabCount)
{
    const auto sections = parse(content);
    readPlacement(sectionOf(sections, "MainForm"), values.placement);

    const IniSection &codePlug = sectionOf(sections, "CodePlug");
    for (int i = 0; i < int(values.files.size()); ++i)
        values.files[std::size_t(i)] = codePlug.text(QStringLiteral("File%1").arg(i), values.files[std::size_t(i)]);

    const qint64 tab = sectionOf(sections, "Misc").integer(QStringLiteral("Tab"), values.tab);
    if (tab >= 0 && tab < tabCount)
        values.tab = int(tab);

    const IniSection &contacts = sectionOf(sections, "Contacts");
    values.showNo = contacts.integer(QStringLiteral("ShowNo"), values.showNo ? 1 : 0) != 0;
    readProtectedIds(contacts, values.protectedIds);
    values.country = contacts.text(QStringLiteral("Country"), values.country);

    readProtectedChannels(sectionOf(sections, "Channels"), values.protectedChannels);

    const QString host = sectionOf(sections, "Database").text(QStringLiteral("Host"), QString());
    if (!host.isEmpty())
        values.databaseHost = host;
}

QByteArray content(SettingsValues &values)
{
    IniWriter ini;
    ini.section("MainForm");
    ini.key(QStringLiteral("Top"), values.placement.top());
    ini.key(QStringLiteral("Left"), values.placement.left());
    ini.key(QStringLiteral("Width"), values.placement.width());
    ini.key(QStringLiteral("Height"), values.placement.height());

    ini.section("CodePlug");
    for (int i = 0; i < int(values.files.size()); ++i) {
        if (!values.files[std::size_t(i)].isEmpty())
            ini.key(QStringLiteral("File%1").arg(i), values.files[std::size_t(i)]);
    }

    ini.section("Misc");
    ini.key(QStringLiteral("Tab"), values.tab);

    ini.section("Contacts");
    ini.key(QStringLiteral("ShowNo"), values.showNo ? 1 : 0);
    values.protectedIds.sort();
    ini.key(QStringLiteral("Protected_num"), values.protectedIds.size());
    for (int k = 0; k < values.protectedIds.size(); ++k)
        ini.key(protectedKey(k), values.protectedIds.ids().at(k));
    ini.key(QStringLiteral("Country"), values.country);

    ini.section("Channels");
    values.protectedChannels.sort();
    ini.key(QStringLiteral("Protected_num"), values.protectedChannels.size());
    for (int k = 0; k < values.protectedChannels.size(); ++k) {
        const QString name = codeplug::trimControl(values.protectedChannels.names().at(k));
        if (!name.isEmpty())
            ini.key(protectedKey(k), name);
    }

    // Always written, so that the place to name another host or a mirror is plain to see.
    ini.section("Database");
    ini.key(QStringLiteral("Host"), values.databaseHost);
    return ini.text().toUtf8();
}

bool write(const QString &path, SettingsValues &values)
{
    // Written whole through a temporary file, so a failed write never leaves half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QByteArray bytes = content(values);
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

QString writeErrorText(const QString &path)
{
    return QStringLiteral("Unable to write to %1").arg(path);
}

} // namespace settingsfile
