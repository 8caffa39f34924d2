#pragma once

#include "ChannelRecord.h"
#include "FieldCodec.h"
#include "FileImage.h"

#include <functional>

#include <QList>
#include <QString>
#include <QStringList>

namespace codeplug {

// One column of a list of fixed entries (DTMF systems, GPS systems, one-touch buttons): the text
// of its cell and what a double-click on it edits. A page turns a table of these into list columns.
struct FieldColumn
{
    enum class Edit {
        None,
        Choice, // a drop-down of `choices`; the chosen value goes through `value.write`
        Text, // an edit box; the trimmed text goes to `store`
        Toggle, // flips `value` between 0 and 1 at once
    };

    QString title;
    Edit edit = Edit::None;
    std::function<QString(const FileImage &, int entry)> text;
    FieldCodec value;
    // The values offered for this entry, in order; none opens no editor.
    std::function<ValueLabels(const FileImage &, int entry)> choices;
    std::function<void(FileImage &, int entry, const QString &text)> store;
    int maxLength = 0;
    std::function<bool(QChar)> accepts; // typed characters the edit box takes
};
using FieldTable = QList<FieldColumn>;

// The cell texts of one entry, column by column.
QStringList cellTexts(const FieldTable &table, const FileImage &image, int entry);

using CellText = std::function<QString(const FileImage &, int entry)>;
using Choices = std::function<ValueLabels(const FileImage &, int entry)>;

// A drop-down column whose cell text reads more than the value (other fields, other lists).
FieldColumn entryChoiceColumn(const QString &title, FieldCodec value, CellText text, Choices choices);
// A drop-down column whose cell shows label(value).
FieldColumn choiceColumn(
    const QString &title, FieldCodec value, std::function<QString(int value)> label, Choices choices);
// The same with choices that do not depend on the image.
FieldColumn choiceColumn(
    const QString &title, FieldCodec value, std::function<QString(int value)> label, const ValueLabels &choices);

// value: label(value) for every value from..to.
ValueLabels rangeLabels(int from, int to, const std::function<QString(int value)> &label);
// The label of `value` among `names` (value 0 is the first), or `other` for values outside them.
QString nameOf(const QStringList &names, int value, const QString &other = {});
// Values 0.. named by `names`.
ValueLabels namedValues(const QStringList &names);
// `none` (0), then every used record of the list that `keep` accepts (all without it) under its
// name, valued by its number.
ValueLabels usedRecordLabels(const FileImage &image, const ListLayout &list, const QString &none,
    const std::function<bool(const FileImage &, int index)> &keep = {});
// The test for channels of one mode.
std::function<bool(const FileImage &, int index)> channelsOfMode(ChannelMode mode);

} // namespace codeplug
