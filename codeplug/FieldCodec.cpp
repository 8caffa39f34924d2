#include "FieldCodec.h"

namespace codeplug {

FieldCodec bitField(RecordArea area, int byte, std::uint8_t mask, int shift)
{
    return { [=](const FileImage &image, int record) {
                return (image.u8(area.recordOffset(record) + byte) & mask) >> shift;
            },
        [=](FileImage &image, int record, int value) {
            image.setBits(area.recordOffset(record) + byte, mask, std::uint8_t(value << shift));
        } };
}

FieldCodec u16Field(RecordArea area, int byte)
{
    return { [=](const FileImage &image, int record) { return int(image.u16(area.recordOffset(record) + byte)); },
        [=](FileImage &image, int record, int value) {
            image.setU16(area.recordOffset(record) + byte, std::uint16_t(value));
        } };
}

FieldCodec inverted(FieldCodec codec)
{
    return { [read = codec.read](const FileImage &image, int record) { return 1 - read(image, record); },
        [write = codec.write](FileImage &image, int record, int value) { write(image, record, value ? 0 : 1); } };
}

} // namespace codeplug
