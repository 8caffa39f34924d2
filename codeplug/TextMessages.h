#pragma once

#include "FileImage.h"
#include "Layout.h"

#include <QString>

namespace codeplug {

// The text messages on the list engine (RecordList over listdescriptors::textMessages): used
// messages stand at the front, row i is message i + 1, and the one-touch entries that send a
// message follow it when messages before it go.

inline constexpr int kMaxTextMessages = lists::textMessages.count;

// The message's text; blank for a message that holds only blanks, empty outside the used ones.
QString textMessageText(const FileImage &image, int index);

// Writes the trimmed text into used message `index` (the record cleared first); an empty text
// becomes "Message <number>". False, writing nothing, for an unused message.
bool storeTextMessage(FileImage &image, int index, const QString &text);

// Adds a message holding the trimmed text, "Hello" when that is empty. Returns its index, or -1
// when all fifty are used.
int addTextMessage(FileImage &image, const QString &text = {});

} // namespace codeplug
