#include "CsvFields.h"

#include <algorithm>
#include <optional>

namespace codeplug {

namespace {

constexpr QChar kQuote = u'"';

struct QuotedField
{
    QString text;
    qsizetype end; // the separator that follows, or the line's length
};

// The quoted field that opens at `start` (after blanks), when it ends at a separator or the line's end
// and holds a separator or a doubled quote; otherwise none.
std::optional<QuotedField> quotedFieldAt(const QString &line, qsizetype start, QStringView separators)
{
    qsizetype pos = start;
    while (pos < line.size() && line.at(pos) == u' ')
        ++pos;
    if (pos >= line.size() || line.at(pos) != kQuote)
        return std::nullopt;
    QString text;
    bool needed = false;
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line.at(pos);
        if (c == kQuote && pos + 1 < line.size() && line.at(pos + 1) == kQuote) {
            text.append(kQuote);
            needed = true;
            ++pos;
        } else if (c == kQuote) {
            break;
        } else {
            needed = needed || separators.contains(c);
            text.append(c);
        }
    }
    if (pos >= line.size() || !needed)
        return std::nullopt;
    for (++pos; pos < line.size() && line.at(pos) == u' ';)
        ++pos;
    if (pos < line.size() && !separators.contains(line.at(pos)))
        return std::nullopt;
    return QuotedField { text, pos };
}

} // namespace

QString quotedCsvField(const QString &text, QStringView separators)
{
    const bool needsQuotes = text.contains(kQuote)
        || std::any_of(text.cbegin(), text.cend(), [&](QChar c) { return separators.contains(c); });
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + quoted + kQuote;
}

QStringList splitCsvLine(const QString &line, QStringView separators)
{
    QStringList texts;
    for (const CsvField &field : splitCsvFields(line, separators))
        texts.append(field.text);
    return texts;
}

QList<CsvField> splitCsvFields(const QString &line, QStringView separators)
{
    QList<CsvField> fields;
    qsizetype start = 0;
    while (true) {
        if (const auto quoted = quotedFieldAt(line, start, separators)) {
            fields.append({ quoted->text, true });
            start = quoted->end;
        } else {
            qsizetype end = start;
            while (end < line.size() && !separators.contains(line.at(end)))
                ++end;
            fields.append({ line.mid(start, end - start), false });
            start = end;
        }
        if (start >= line.size())
            return fields;
        ++start; // past the separator
    }
}

QString skippedLinesText(const QList<int> &lineNumbers)
{
    if (lineNumbers.isEmpty())
        return {};
    QStringList numbers;
    for (int number : lineNumbers)
        numbers.append(QString::number(number));
    return QStringLiteral("%1 %2 skipped: %3")
        .arg(lineNumbers.size())
        .arg(lineNumbers.size() == 1 ? QStringLiteral("line") : QStringLiteral("lines"), numbers.join(u", "));
}

} // namespace codeplug
