#pragma once

#include "FileImage.h"
#include "ProtectedLists.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace codeplug {

// What the contact list shows for a record: the texts of the columns "No.", "Name", "ID", "Type",
// "Rx Tone" and "Protect". With showNo, a missing receive tone or protection reads "No", else
// the cell stays empty.
enum ContactColumn { ColumnNumber, ColumnName, ColumnId, ColumnType, ColumnRxTone, ColumnProtect };
QStringList contactCellTexts(const FileImage &image, int row, const ProtectedIdList &protectedIds, bool showNo);
QString yesNoText(bool on, bool showNo);

// Rows of the used contacts with a cell containing the search text (trimmed, any letter case);
// none for an empty text.
QList<int> findContacts(const FileImage &image, const QString &text, const ProtectedIdList &protectedIds, bool showNo);

} // namespace codeplug
