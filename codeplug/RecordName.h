#pragma once

#include "FileImage.h"
#include "Layout.h"
#include "NameCodec.h"

#include <QString>

namespace codeplug {

// The name a list shows for record `index`: the decoded name field, "no_name-<number>" for a used
// record whose name decodes to nothing, empty for an index outside the list.
QString recordName(const FileImage &image, const ListLayout &list, int index);

// Renames a used record in place: the text is trimmed of control characters and blanks and
// stored one character per unit, the rest of the name field zeroed. An empty text, an unused
// record (renaming it would break the contiguity of the list) or an index outside the list
// changes nothing. True when the name was written.
bool renameRecord(FileImage &image, const ListLayout &list, int index, const QString &text,
    NameEncoding encoding = NameEncoding::SignExtended);

} // namespace codeplug
