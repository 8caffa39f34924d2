#pragma once

#include "FileImage.h"
#include "Layout.h"

#include <QString>

namespace codeplug {

// Record initialisers of the smaller lists. Each clears its record and writes the new-record
// values and the name; an empty name gives the form every unused record holds.
void initTextMessageRecord(FileImage &image, int index, const QString &text);
void initEmergencySystemRecord(FileImage &image, int index, const QString &name);
void initRxGroupListRecord(FileImage &image, int index, const QString &name);
void initZoneRecord(FileImage &image, int index, const QString &name);
void initScanListRecord(FileImage &image, int index, const QString &name);

// The initialiser of whichever list the layout describes.
void initRecord(FileImage &image, const ListLayout &list, int index, const QString &name);

} // namespace codeplug
