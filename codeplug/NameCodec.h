#pragma once

#include "FileImage.h"

#include <QString>

namespace codeplug {

enum class NameEncoding {
    SignExtended, // list names: 8-bit codes 128..255 stored as 0xFF80..0xFFFF
    LowByteOnly, // radio-wide texts: high byte always 0
};

// Removes leading and trailing characters whose code is 32 or less.
QString trimControl(const QString &text);

// Decodes a name field of `units` 16-bit units at `offset`. An unnamed record shows as
// "no_name-<recordNumber>"; a negative record number leaves it empty.
QString decodeName(const FileImage &image, int offset, int units, int recordNumber);

// Zeroes the field, then stores one character per unit, at most `units` of them.
void encodeName(
    FileImage &image, int offset, int units, const QString &text, NameEncoding encoding = NameEncoding::SignExtended);

} // namespace codeplug
