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
    // Why `text` cannot be stored (empty when it can). A refused text writes nothing, and the edit
    // goes back to the stored value, so that edit and image never disagree.
    std::function<QString(const QString &text)> refusal = {};
    // The write cleans the text (drops or changes characters): the edit then shows what was stored.
    bool cleans = false;
};

// A value of a coded field and the label the page shows for it.
struct ValueLabel
{
    int value;
    QString label;
};
using ValueLabels = QList<ValueLabel>;

// Up to `length` ASCII bytes at `offset`, ending at a 0 or 0xFF byte. A byte outside 32..127 shows
// as `unprintable`, or is skipped when that is null.
QString readTerminatedAscii(const FileImage &image, int offset, int length, QChar unprintable = {});
// Every byte 0xFF, then the characters (at most `length`), then a 0 byte when there is room.
void writeTerminatedAscii(FileImage &image, int offset, int length, const QString &text);

// Two decimal digits a byte, high nibble first; a nibble above 9 shows as "?".
QString packedDigitsText(const FileImage &image, int offset, int bytes);
// Stores 2 * bytes decimal digits; a text that is not exactly that writes nothing.
void writePackedDigits(FileImage &image, int offset, int bytes, const QString &digits);
// True for exactly `count` ASCII digits.
bool isDigitText(const QString &text, qsizetype count);

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
