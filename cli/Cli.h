#pragma once

#include "CodePlugFile.h"

#include <QStringList>
#include <QTextStream>

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

// Parses a 1-based record number list; false with a usage message when one is not a number.
bool parseNumbers(const QStringList &texts, QList<int> &numbers, Io io);

// Command groups; each gets the arguments after its group word.
int runBasicCommand(const QString &command, const QStringList &arguments, Io io);
int runChannelsCommand(const QStringList &arguments, Io io);
int runContactsCommand(const QStringList &arguments, Io io);

} // namespace cli
