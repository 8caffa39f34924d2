#pragma once

#include "FieldCodec.h"
#include "FileImage.h"
#include "Layout.h"

#include <array>
#include <cstdint>
#include <optional>

#include <QList>
#include <QString>

namespace codeplug {

struct BandLimits
{
    std::uint32_t lowestHz;
    std::uint32_t highestHz;
    std::uint32_t newChannelHz;
};

// Frequency limits and the new-channel frequency by band code 0..3.
inline constexpr std::array<BandLimits, 4> kBands = { {
    { 136000000, 174000000, 145000000 },
    { 350000000, 400000000, 350000000 },
    { 400000000, 480000000, 430000000 },
    { 450000000, 520000000, 450000000 },
} };

// Eight BCD digits in units of 10 Hz, most significant pair in the highest byte.
std::uint32_t encodeFrequency(std::uint32_t hz);
std::uint32_t decodeFrequency(std::uint32_t stored);

// Clears the record and writes the new-channel values with the band's default frequency and the
// trimmed name; an empty name gives the form every empty record holds.
void initChannelRecord(FileImage &image, int index, const QString &name);

// A bit field inside a channel record: the byte, its mask and the shift of the lowest bit.
struct ChannelField
{
    int byte;
    std::uint8_t mask;
    int shift;

    bool operator==(const ChannelField &) const = default;
};

namespace channelfields {
inline constexpr ChannelField mode { 0, 0x03, 0 };
inline constexpr ChannelField bandwidth { 0, 0x0C, 2 };
inline constexpr ChannelField autoScan { 0, 0x10, 4 };
inline constexpr ChannelField squelch { 0, 0x20, 5 };
inline constexpr ChannelField loneWorker { 0, 0x80, 7 };
inline constexpr ChannelField talkaround { 1, 0x01, 0 };
inline constexpr ChannelField rxOnly { 1, 0x02, 1 };
inline constexpr ChannelField repeaterSlot { 1, 0x0C, 2 };
inline constexpr ChannelField colourCode { 1, 0xF0, 4 };
inline constexpr ChannelField privacyKey { 2, 0x0F, 0 };
inline constexpr ChannelField privacyMode { 2, 0x30, 4 };
inline constexpr ChannelField privateCallConfirmed { 2, 0x40, 6 };
inline constexpr ChannelField dataCallConfirmed { 2, 0x80, 7 };
inline constexpr ChannelField rxRelFrequency { 3, 0x03, 0 };
inline constexpr ChannelField emergencyAlarmAck { 3, 0x08, 3 };
inline constexpr ChannelField compressedUdpHeaderOff { 3, 0x40, 6 }; // stored inverted: 0 = on
inline constexpr ChannelField displayPttIdOff { 3, 0x80, 7 }; // stored inverted: 0 = on
inline constexpr ChannelField txRelFrequency { 4, 0x03, 0 };
inline constexpr ChannelField reverseBurst { 4, 0x04, 2 };
inline constexpr ChannelField tailRevertPhase { 4, 0x08, 3 };
inline constexpr ChannelField vox { 4, 0x10, 4 };
inline constexpr ChannelField txPower { 4, 0x20, 5 };
inline constexpr ChannelField admitCriteria { 4, 0xC0, 6 };
inline constexpr ChannelField inCallCriteria { 5, 0x10, 4 };
inline constexpr ChannelField txTimeout { 8, 0xFF, 0 };
inline constexpr ChannelField rekeyDelay { 9, 0xFF, 0 };
inline constexpr ChannelField emergencySystem { 10, 0xFF, 0 };
inline constexpr ChannelField scanList { 11, 0xFF, 0 };
inline constexpr ChannelField rxGroupList { 12, 0xFF, 0 };
inline constexpr ChannelField gpsSystem { 13, 0x1F, 0 };
inline constexpr ChannelField rxSignalling { 28, 0xFF, 0 };
inline constexpr ChannelField txSignalling { 29, 0xFF, 0 };
inline constexpr ChannelField txGpsInfoOff { 31, 0x01, 0 }; // stored inverted: 0 = on
inline constexpr ChannelField rxGpsInfoOff { 31, 0x02, 1 }; // stored inverted: 0 = on
// Decode 1..8.
constexpr ChannelField decode(int k)
{
    return { 14, std::uint8_t(1u << (k - 1)), k - 1 };
}
} // namespace channelfields

// Multi-byte fields, as record offsets.
namespace channeloffsets {
inline constexpr int contact = 6; // 16 bits
inline constexpr int rxFrequency = 16; // 32 bits BCD
inline constexpr int txFrequency = 20;
inline constexpr int rxTone = 24; // 16-bit tone code
inline constexpr int txTone = 26;
} // namespace channeloffsets

enum class ChannelMode { Auto = 0, Analogue = 1, Digital = 2 };

// Field accessors of channel record `index`; a write changes only the field's own bits. A bandwidth
// written to a Digital channel is stored as 0.
int channelField(const FileImage &image, int index, ChannelField field);
void setChannelField(FileImage &image, int index, ChannelField field, int value);
// Writes the field's bits as given, with no rule of the record: for a file import, which gives back
// exactly what was exported.
void setChannelBits(FileImage &image, int index, ChannelField field, int value);
std::uint16_t channelU16(const FileImage &image, int index, int offset);
void setChannelU16(FileImage &image, int index, int offset, std::uint16_t value);
std::uint32_t channelU32(const FileImage &image, int index, int offset);
void setChannelU32(FileImage &image, int index, int offset, std::uint32_t value);
// The decoded name, "no_name-<number>" for a name of blanks.
QString channelName(const FileImage &image, int index);
void setChannelName(FileImage &image, int index, const QString &name);

// "145.00000" from the stored BCD value.
QString frequencyText(std::uint32_t stored);
// Stored BCD value from an edit text, clamped to the band; nothing when the text holds no number.
std::optional<std::uint32_t> frequencyFromText(const QString &text, int band);
// Clamps a value in units of 10 Hz to the band and encodes it (the CSV form of a frequency).
std::uint32_t frequencyFromUnits(qint64 units, int band);

inline constexpr std::uint16_t kNoTone = 0xFFFF;
QString toneLabel(std::uint16_t code);
std::uint16_t dcsCode(int code, bool inverted);
// No tone, the 50 CTCSS tones, the 104 DCS codes normal, then inverted.
const QList<std::uint16_t> &toneChoices();

// Privacy mode and key as the one value of the privacy choice (see privacyLabels): 0 for none,
// 100 + key for Basic, 200 + key for Enhanced.
int channelPrivacyChoice(const FileImage &image, int index);
// Writes mode and key of a privacy choice value; a value outside the three ranges writes nothing.
void setChannelPrivacyChoice(FileImage &image, int index, int choice);

// A tone field (rx or tx tone offset); a stored 0 reads as no tone, and no tone (0) is written as
// kNoTone.
std::uint16_t channelTone(const FileImage &image, int index, int offset);
void setChannelTone(FileImage &image, int index, int offset, std::uint16_t code);

// Writes the mode; a Digital channel always works at 12.5 kHz, so Digital also clears the
// bandwidth.
void setChannelMode(FileImage &image, int index, ChannelMode mode);

const ValueLabels &modeLabels();
// The mode as lists show it: the mode label, or "Unknown 3" for the value no label has.
QString channelModeText(const FileImage &image, int index);
const ValueLabels &admitCriteriaLabels();
const ValueLabels &inCallCriteriaLabels();
const ValueLabels &txTimeoutLabels();
const ValueLabels &rekeyDelayLabels();
const ValueLabels &colourCodeLabels();
const ValueLabels &signallingLabels();
const ValueLabels &gpsSystemLabels();
// The admit criteria a channel of this mode can use: Correct CTCSS / CDCSS only without Digital,
// Colour Code only without Analogue; a mixed or Auto mode (nothing, or Auto) offers all four.
ValueLabels admitCriteriaLabels(std::optional<ChannelMode> mode);
// Privacy mode and key as one choice: 0 none, 100 + key for Basic, 200 + key for Enhanced.
ValueLabels privacyLabels(bool withEnhanced);
QString privacyLabel(int mode, int key);
// The label of value in labels; empty when no entry carries it.
QString labelOf(const ValueLabels &labels, int value);

} // namespace codeplug
