#pragma once

#include "FieldCodec.h"
#include "FileImage.h"
#include "Layout.h"

#include <QString>

namespace codeplug {

// One table of voice privacy keys: `count` keys of `bytes` bytes each, least significant byte
// first. A key of all 0xFF bytes is unset.
struct PrivacyKeyTable
{
    RecordArea area;
    int bytes;
    int count;

    constexpr int digits() const { return 2 * bytes; }
};

namespace privacykeys {
inline constexpr PrivacyKeyTable basic { { sectionOffset(Section::BasicPrivacyKeys), 2 }, 2, 16 };
// The 16 bytes between the enhanced and the basic keys are not part of either table.
inline constexpr PrivacyKeyTable enhanced { { sectionOffset(Section::EnhancedPrivacyKeys), 16 }, 16, 8 };
} // namespace privacykeys

// The key as lower-case hexadecimal, most significant byte first, with leading zeros ("ffff" for
// an unset basic key); empty for a key outside the table.
QString privacyKeyText(const FileImage &image, const PrivacyKeyTable &table, int key);

// Stores a typed key: the trimmed text, padded with leading zeros to the key's digits; an empty
// text unsets the key. A text that is not hexadecimal or longer than the key changes nothing.
// True when the key was written.
bool storePrivacyKey(FileImage &image, const PrivacyKeyTable &table, int key, const QString &text);

// The two as a text codec over the table's keys (record = key index).
TextCodec privacyKeyCodec(const PrivacyKeyTable &table);

} // namespace codeplug
