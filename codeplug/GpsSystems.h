#pragma once

#include "FieldColumns.h"

namespace codeplug {

// The columns of the GPS page's list after "GPS": revert channel, report interval and destination
// contact of the sixteen GPS systems, numbered from 0. "None" is written as 0 for the first
// system and as all bits set for the others; both read back as none.
const FieldTable &gpsColumns();

} // namespace codeplug
