#pragma once

#include "FileImage.h"

#include <array>
#include <cstdint>

#include <QString>

namespace codeplug {

namespace radioinfo {
inline constexpr int kModelName = 293; // 16 bytes ASCII, 0xFF filled
inline constexpr int kModelClass = 309;
inline constexpr int kBandCode = 310; // bits 0-1 set the channel band
inline constexpr int kRadioType = 312;
inline constexpr int kLowerLimit = 313; // 2 bytes packed decimal, 100 kHz units
inline constexpr int kUpperLimit = 315;
inline constexpr int kSerialNumber = 325; // 16 bytes
inline constexpr int kHardwareVersion = 345;
inline constexpr int kMcuVersion = 357;
inline constexpr int kUniqueDeviceId = 365;
inline constexpr int kLastProgrammed = 8742;
inline constexpr int kSoftwareVersion = 8749;
} // namespace radioinfo

struct RadioModel
{
    const char *entryText;
    const char *modelName;
    std::uint8_t modelClass;
    std::uint8_t radioType;
};

inline constexpr std::array<RadioModel, 3> kRadioModels = { {
    { "D680 (D-680)", "D680", 0x10, 0x00 },
    { "DR780 (DR-780)", "DR780", 0x20, 0x33 },
    { "DR790 (DR-790)", "DR790", 0x20, 0x52 },
} };

// Bits 0-1 of the band byte: the radio band that limits channel frequencies.
inline int bandCode(const FileImage &image)
{
    return image.u8(radioinfo::kBandCode) & 0x03;
}

// The radio-type byte decides which features the model has: type 0 has no enhanced privacy keys,
// types 0 and 0x33 have no GPS.
inline bool hasEnhancedPrivacy(const FileImage &image)
{
    return image.u8(radioinfo::kRadioType) != 0;
}
inline bool hasGps(const FileImage &image)
{
    const int type = image.u8(radioinfo::kRadioType);
    return type != 0 && type != 0x33;
}

// Writes model name, model class and radio type of model index 0..2, and the frequency range
// that model has on the image's band byte (a band byte above 3 leaves the range unchanged).
// Returns false for an unknown model index.
bool applyRadioModel(FileImage &image, int model);

// The frequency range text "400MHz .. 480MHz" from the limit bytes.
QString frequencyRangeText(const FileImage &image);

// The model name at 293 as the radio wrote it (printable ASCII only).
QString modelName(const FileImage &image);
QString serialNumber(const FileImage &image);

// The read-only texts of the radio information; each empty when its first byte is 0xFF.
QString lastProgrammedText(const FileImage &image); // "2017.03.24  18:05:59"
QString softwareVersionText(const FileImage &image); // "V01.05"
QString hardwareVersionText(const FileImage &image);
QString mcuVersionText(const FileImage &image); // "D002.034"
QString uniqueDeviceIdText(const FileImage &image); // seven characters, then 13 digits

} // namespace codeplug
