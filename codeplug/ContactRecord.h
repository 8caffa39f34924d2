#pragma once

#include "FileImage.h"

#include <QString>

namespace codeplug {

// A non-empty name builds a new contact (ID 0, group call); an empty name the cleared form
// that every unused record holds.
void initContactRecord(FileImage &image, int index, const QString &name);

} // namespace codeplug
