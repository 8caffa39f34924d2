#pragma once

#include "UserDatabase.h"

// Checks every user-database target makes on a list it read.
namespace fuzzing {

// IDs in range and unique, texts within their cache fields and free of line ends.
void checkUserList(const codeplug::DmrUserList &list);
// The cache written from the list reads back as the same list, and writing that changes nothing.
void checkCacheRoundTrip(const codeplug::DmrUserList &list);

} // namespace fuzzing
