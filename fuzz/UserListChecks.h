#pragma once

#include "UserDatabase.h"

// Checks every user-database target makes on a list it read.
namespace fuzzing {

// IDs in range, texts within their cache fields and ending at their terminator; a parsed reply also
// lists every ID once and its texts hold no line end (a damaged cache may hold either).
void checkUserList(const codeplug::DmrUserList &list, bool parsed);
// The cache written from the list reads back as the same list, and writing that changes nothing.
void checkCacheRoundTrip(const codeplug::DmrUserList &list);

} // namespace fuzzing
