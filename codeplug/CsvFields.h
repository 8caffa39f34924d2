#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace codeplug {

// Quoting of text fields in the comma-separated files. A field that holds a separator or a double
// quote is written in double quotes with "" for a quote; every other field is written as it stands.
QString quotedCsvField(const QString &text, QStringView separators);

// Splits a line at every separator outside a quoted field. A field that opens with a double quote
// and needs one (it holds a separator or a doubled quote) is read as quoted text; every other field
// is returned exactly as it stands, so that lines without such fields split as they always have.
QStringList splitCsvLine(const QString &line, QStringView separators);

// The same split, telling for each field whether it was read as quoted text.
struct CsvField
{
    QString text;
    bool quoted = false;
};
QList<CsvField> splitCsvFields(const QString &line, QStringView separators);

// The text an import gives for the lines it left out, e.g. "2 lines skipped: 5, 9"; empty for none.
QString skippedLinesText(const QList<int> &lineNumbers);

} // namespace codeplug
