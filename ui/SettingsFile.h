#pragma once

#include "ProtectedLists.h"

#include <array>

#include <QRect>
#include <QString>

// What the settings file keeps between runs. Before reading, the caller fills it with the present
// values: every key that is missing or unreadable keeps the value it held.
struct SettingsValues
{
    QRect placement; // left, top, width, height of the main window
    std::array<QString, 4> files;
    int tab = 0;
    bool showNo = false;
    codeplug::ProtectedIdList protectedIds;
    QString country;
    codeplug::ProtectedChannelList protectedChannels;
    QString databaseHost; // [Database] Host: the user-database service, "name" or "name:port"
};

namespace settingsfile {

inline constexpr int kTabCount = 14;

// The settings file's default place: beside the executable, named like it with ".ini", when that
// folder can be written; otherwise in the per-user configuration folder.
QString defaultPath();
// The same choice for a given executable and per-user folder. The per-user folder is created when
// it is chosen, since on a fresh system it does not exist yet and nothing could be written there.
QString defaultPathFor(const QString &executable, const QString &userConfigFolder);

// Reads the file over `values`. A missing file reads as all defaults. The tab is taken only when it
// lies in 0..tabCount-1; protected IDs outside 0..16777215 and channel names that trim to nothing
// are dropped; both lists end up sorted.
void read(const QString &path, SettingsValues &values, int tabCount = kTabCount);
// The same over the file's content.
void readContent(const QByteArray &content, SettingsValues &values, int tabCount = kTabCount);

// Replaces the file with the values, in the documented key order. The protected lists are sorted
// first. False when the file could not be written (the old file is then left as it was).
bool write(const QString &path, SettingsValues &values);
// The file content write() puts in the file.
QByteArray content(SettingsValues &values);

// The message shown when write() fails.
QString writeErrorText(const QString &path);

} // namespace settingsfile
