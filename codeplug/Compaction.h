#pragma once

#include "FileImage.h"

namespace codeplug {

// The load-time compaction: member lists before their owners, used records moved to the front of
// every list in their order, every record from the first empty one on rewritten as an emptied
// record. References between sections are left as they are.
void compactLists(FileImage &image);

} // namespace codeplug
