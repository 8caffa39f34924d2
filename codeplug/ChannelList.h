#pragma once

#include "FileImage.h"
#include "ProtectedLists.h"
#include "Refusal.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace codeplug {

// The channel list's own rules on the list engine (RecordList over listdescriptors::channels).
// Indexes are 0-based record indexes (the page's rows); every channel number held by emergency
// systems, zones, scan lists (members, priority and tx designated channels), DTMF decode entries
// and GPS systems follows its channel.

inline const QString kChannelClipboardFormat = QStringLiteral("dmr_code_plug_channel_entry");

// Writes a new record named "Channel <number>" into the first empty record; returns its index,
// or -1 when the list is full.
int addChannel(FileImage &image);

// Adds a new record and moves it to place p (the records from p on move down one place).
// Returns the index of the new record, or -1 when the list is full.
int insertChannel(FileImage &image, int p);

// Moves the whole selection by n places (limited so that it stays inside the used records);
// returns the new selection.
QList<int> moveChannelSelection(FileImage &image, const QList<int> &selected, int n);

// Deletes the selected channels, skipping protected ones silently and asking on refusals;
// returns how many were deleted. Channels deleted before a stop stay deleted.
int deleteChannelSelection(FileImage &image, const QList<int> &selected, const ProtectedChannelList &protectedNames,
    const RefusalHandler &askContinue);

// Protected channels first in their order, then the others by trimmed lower-case name.
void sortChannels(FileImage &image, const ProtectedChannelList &protectedNames);

// The clipboard block of the selected records in list order; empty when none is used.
QByteArray copyChannels(const FileImage &image, const QList<int> &selected);
// Writes the block's records over the selected records, starting again with the first block
// record when they run out. Returns the number of records written.
int pasteChannelsOver(FileImage &image, const QByteArray &block, const QList<int> &selected);
// Writes the block's records into the empty records; returns the index of the first one written,
// or -1 when nothing was written.
int pasteNewChannels(FileImage &image, const QByteArray &block);

} // namespace codeplug
