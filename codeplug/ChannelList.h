#pragma once

#include "FileImage.h"
#include "ProtectedLists.h"
#include "Refusal.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace codeplug {

// Channel list operations on one image. Indexes are 0-based record indexes (the page's rows);
// every operation keeps the used records contiguous and every channel number held by emergency
// systems, zones, scan lists, DTMF decode entries and GPS systems in step.

inline const QString kChannelClipboardFormat = QStringLiteral("dmr_code_plug_channel_entry");

// Writes a new record named "Channel <number>" (or the given 64 raw bytes) into the first empty
// record; returns its index, or -1 when the list is full.
int addChannel(FileImage &image, const QByteArray &record = {});

// Moves used record i up by n places (down for negative n), staying inside the used records.
// Returns the record's new index.
int moveChannel(FileImage &image, int index, int n);

// Exchanges two used records; false (and nothing changed) otherwise.
bool swapChannels(FileImage &image, int first, int second);

// Moves the whole selection by n places (limited so that it stays inside the used records);
// returns the new selection.
QList<int> moveChannelSelection(FileImage &image, const QList<int> &selected, int n);

// Adds a new record and moves it to place p (the records from p on move down one place).
// Returns the index of the new record, or -1 when the list is full.
int insertChannel(FileImage &image, int p);

enum class DeleteResult { Deleted, RefusedContinue, RefusedStop };

// Why the channel at index may not be deleted: the refusal message, empty when nothing refers to it.
QString channelDeleteRefusal(const FileImage &image, int index);

// Deletes channel `number` (1-based) unless something refers to it, in which case `askContinue`
// is asked with the refusal message. A number without a used record deletes nothing and asks
// nothing (RefusedContinue).
DeleteResult deleteChannel(FileImage &image, int number, const RefusalHandler &askContinue);

// Deletes the selected channels, skipping protected ones silently and asking on refusals;
// returns how many were deleted. Channels deleted before a stop stay deleted.
int deleteChannelSelection(FileImage &image, const QList<int> &selected, const ProtectedChannelList &protectedNames,
    const RefusalHandler &askContinue);

// Protected channels first in their order, then the others by trimmed lower-case name.
void sortChannels(FileImage &image, const ProtectedChannelList &protectedNames);

// The clipboard block: a 32-bit little-endian count, then the selected records raw.
QByteArray copyChannels(const FileImage &image, const QList<int> &selected);
// Writes the block's records over the selected records, starting again with the first block
// record when they run out. Returns the number of records written.
int pasteChannelsOver(FileImage &image, const QByteArray &block, const QList<int> &selected);
// Writes the block's records into the empty records; returns the index of the first one written,
// or -1 when nothing was written.
int pasteNewChannels(FileImage &image, const QByteArray &block);

} // namespace codeplug
