#pragma once

#include "FileImage.h"
#include "Layout.h"

#include <cstdint>
#include <functional>
#include <optional>

#include <QList>
#include <QString>

namespace codeplug {

// Where the records of a bound field lie: record i starts at offset + i * stride. A settings area
// is the one record 0 (stride 0).
struct RecordArea
{
    int offset = 0;
    int stride = 0;

    constexpr int recordOffset(int record) const { return offset + record * stride; }
};

constexpr RecordArea recordsOf(const ListLayout &list)
{
    return { list.offset, list.recordSize };
}
constexpr RecordArea settingsArea(int offset)
{
    return { offset, 0 };
}

// Reads and writes one value of a field in record `record`; a write changes only the field's
// own bits. Rules that span several fields (a mode that also clears the bandwidth) are codecs too.
struct FieldCodec
{
    std::function<int(const FileImage &, int record)> read;
    std::function<void(FileImage &, int record, int value)> write;
};

// The bits of `mask` at byte `byte` of each record, the lowest at `shift`.
FieldCodec bitField(RecordArea area, int byte, std::uint8_t mask, int shift);
// A little-endian 16-bit value at byte `byte` of each record.
FieldCodec u16Field(RecordArea area, int byte);
// 1 - value: a one-bit field stored as "off", shown as a feature that is on.
FieldCodec inverted(FieldCodec codec);

// A field shown and typed as text.
struct TextCodec
{
    std::function<QString(const FileImage &, int record)> read;
    // Writes the value of `text`; a text that holds no value writes nothing.
    std::function<void(FileImage &, int record, const QString &text)> write;
};

// The value every record shares; nothing when they differ or there are none.
template <class Value, class Read>
std::optional<Value> commonValue(const FileImage &image, const QList<int> &records, const Read &read)
{
    if (records.isEmpty())
        return std::nullopt;
    const Value first = read(image, records.first());
    for (int record : records) {
        if (read(image, record) != first)
            return std::nullopt;
    }
    return first;
}

} // namespace codeplug
