#include "FieldColumns.h"

#include "RecordName.h"

namespace codeplug {

QStringList cellTexts(const FieldTable &table, const FileImage &image, int entry)
{
    QStringList texts;
    for (const FieldColumn &column : table)
        texts.append(column.text ? column.text(image, entry) : QString());
    return texts;
}

FieldColumn entryChoiceColumn(const QString &title, FieldCodec value, CellText text, Choices choices)
{
    FieldColumn column;
    column.title = title;
    column.edit = FieldColumn::Edit::Choice;
    column.text = std::move(text);
    column.value = std::move(value);
    column.choices = std::move(choices);
    return column;
}

FieldColumn choiceColumn(
    const QString &title, FieldCodec value, std::function<QString(int value)> label, Choices choices)
{
    CellText text = [read = value.read, label = std::move(label)](
                        const FileImage &image, int entry) { return label(read(image, entry)); };
    return entryChoiceColumn(title, std::move(value), std::move(text), std::move(choices));
}

FieldColumn choiceColumn(
    const QString &title, FieldCodec value, std::function<QString(int value)> label, const ValueLabels &choices)
{
    return choiceColumn(
        title, std::move(value), std::move(label), [choices](const FileImage &, int) { return choices; });
}

ValueLabels rangeLabels(int from, int to, const std::function<QString(int value)> &label)
{
    ValueLabels labels;
    for (int value = from; value <= to; ++value)
        labels.append({ value, label(value) });
    return labels;
}

QString nameOf(const QStringList &names, int value, const QString &other)
{
    return value >= 0 && value < names.size() ? names.at(value) : other;
}

ValueLabels namedValues(const QStringList &names)
{
    return rangeLabels(0, int(names.size()) - 1, [&names](int value) { return names.at(value); });
}

ValueLabels usedRecordLabels(const FileImage &image, const ListLayout &list, const QString &none,
    const std::function<bool(const FileImage &, int index)> &keep)
{
    ValueLabels labels { { 0, none } };
    for (int i = 0; i < list.count; ++i) {
        if (isRecordUsed(image, list, i) && (!keep || keep(image, i)))
            labels.append({ i + 1, recordName(image, list, i) });
    }
    return labels;
}

} // namespace codeplug

namespace codeplug {

std::function<bool(const FileImage &, int index)> channelsOfMode(ChannelMode mode)
{
    return [mode](const FileImage &image, int index) {
        return channelField(image, index, channelfields::mode) == int(mode);
    };
}

} // namespace codeplug
