#pragma once

#include "CodePlugFile.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

#include <functional>

namespace cli {

enum ExitCode { Success = 0, FileError = 1, UsageError = 2 };

struct Io
{
    QTextStream &out;
    QTextStream &err;
};

// Runs one command line (without the program name); returns the exit status.
int run(const QStringList &arguments, Io io);

// Loads a file into slot 0 as the editor's Open does; prints the editor's message on failure.
bool loadInto(codeplug::CodePlugStore &store, const QString &path, Io io);
// Saves slot 0 to path atomically. A password warning is printed and the save goes on, since a
// script has nobody to ask.
bool saveFrom(codeplug::CodePlugStore &store, const QString &path, Io io);

// Loads FILE (the first positional argument), runs the change and, when it returns Success, saves
// to the file of the parser's -o option or back to FILE. A change that fails saves nothing.
int changeAndSave(const QCommandLineParser &parser, Io io, const std::function<int(codeplug::FileImage &)> &change);

// Parses 1-based record numbers of used records of the list into 0-based rows; false with a
// message when one is not a number or names no used record (`noun` names the record kind).
bool parseRecordRows(const QStringList &texts, const codeplug::FileImage &image, const codeplug::ListLayout &list,
    const QString &noun, QList<int> &rows, Io io);

// Command groups; each gets the arguments after its group word.
int runBasicCommand(const QString &command, const QStringList &arguments, Io io);
int runChannelsCommand(const QStringList &arguments, Io io);
int runContactsCommand(const QStringList &arguments, Io io);
// grouplists, zones, scanlists and emergency.
bool isListsCommand(const QString &command);
int runListsCommand(const QString &command, const QStringList &arguments, Io io);
// The fields of the Basic, General and Menus tabs.
int runSettingsCommand(const QStringList &arguments, Io io);
// parse, search, download and add of the DMR user database.
int runUserDbCommand(const QStringList &arguments, Io io);

} // namespace cli
