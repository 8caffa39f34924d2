#pragma once

#include "FieldColumns.h"
#include "FileImage.h"

#include <QString>

namespace codeplug {

// A digit string: a count byte, then 15 bytes of packed digits (see encodeDtmfDigits).
QString dtmfDigitsAt(const FileImage &image, int offset);
void setDtmfDigitsAt(FileImage &image, int offset, const QString &text);
// The digits of encode entry 1..32 (empty for any other number).
QString dtmfEncodeDigits(const FileImage &image, int number);
// The encode entries that hold digits, labelled "Encode <number>" or by their digits.
ValueLabels dtmfEncodeLabels(const FileImage &image, bool byDigits);

// The columns of the DTMF page's three lists, after "No.": the four systems, the 32 encode
// strings and the eight decode entries, each entry numbered from 0.
const FieldTable &dtmfSystemColumns();
const FieldTable &dtmfEncodeColumns();
const FieldTable &dtmfDecodeColumns();

} // namespace codeplug
