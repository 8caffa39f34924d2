#include "NewCodePlug.h"

#include "ChannelRecord.h"
#include "ChoiceSettings.h"
#include "CodePlugFile.h"
#include "CodePlugStore.h"
#include "Compaction.h"
#include "ContactRecord.h"
#include "ListRecords.h"
#include "RadioInfo.h"

#include <algorithm>
#include <array>

namespace codeplug {

namespace {

constexpr int kSuffixOffset = FileImage::kFileSize - 16;
constexpr int kCrcOffset = FileImage::kFileSize - 4;
constexpr int kTargetPrefix = 11;
constexpr int kElementHeader = 285;
constexpr int kElementData = 293;
constexpr std::uint32_t kElementSize = std::uint32_t(kSuffixOffset - kElementData);

void writeAscii(FileImage &image, int offset, const char *text)
{
    for (int i = 0; text[i] != 0; ++i)
        image.setU8(offset + i, std::uint8_t(text[i]));
}

void writeContainer(FileImage &image)
{
    writeAscii(image, 0, "DfuSe");
    image.setU8(5, 1);
    image.setU32(dfuse::kImageSizeField, dfuse::kExpectedImageSize);
    image.setU8(10, 1);
    writeAscii(image, kTargetPrefix, "Target");
    image.setU32(kTargetPrefix + 266, kElementSize + 8); // target size: element header and data
    image.setU32(kTargetPrefix + 270, 1); // one element
    image.setU32(kElementHeader, 0); // element address
    image.setU32(kElementHeader + 4, kElementSize);
    image.setU16(kSuffixOffset + 0, 0xFFFF); // device, product and vendor: any
    image.setU16(kSuffixOffset + 2, 0xFFFF);
    image.setU16(kSuffixOffset + 4, 0xFFFF);
    image.setU16(kSuffixOffset + 6, 0x011A); // DfuSe suffix version
    writeAscii(image, kSuffixOffset + 8, "UFD");
    image.setU8(kSuffixOffset + 11, 16);
}

void writeRadioInformation(FileImage &image, int band, int model)
{
    image.fill(kElementData, FileImage::kMemoryOffset - kElementData, 0xFF);
    image.setU8(radioinfo::kBandCode, std::uint8_t(band));
    image.setU8(radioinfo::kBandCode + 1, 0xFF);
    applyRadioModel(image, model);
    image.fill(radioinfo::kLastProgrammed, 7, 0xFF);
    image.fill(radioinfo::kSoftwareVersion, 4, 0xFF);
}

void writeUnsetPasswords(FileImage &image)
{
    image.setU8(passwords::kPowerOnSwitch, 0x20);
    image.fill(passwords::kPowerOnPassword, 4, 0x00);
    image.fill(passwords::kRadioProgramPassword, 4, 0xFF);
    image.fill(passwords::kPcProgramPassword, 8, 0xFF);
}

void writeFirstRecords(FileImage &image)
{
    initTextMessageRecord(image, 0, QStringLiteral("Hello"));
    initEmergencySystemRecord(image, 0, QStringLiteral("System 1"));
    initContactRecord(image, 0, QStringLiteral("Contact 1"));
    initRxGroupListRecord(image, 0, QStringLiteral("Group 1"));
    initZoneRecord(image, 0, QStringLiteral("Zone 1"));
    initScanListRecord(image, 0, QStringLiteral("Scan List 1"));
    initChannelRecord(image, 0, QStringLiteral("Channel 1"));
}

std::array<std::uint32_t, 256> makeCrcTable()
{
    std::array<std::uint32_t, 256> table {};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

} // namespace

std::uint32_t dfuSuffixCrc(const FileImage &image)
{
    static const std::array<std::uint32_t, 256> table = makeCrcTable();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (int i = 0; i < kCrcOffset && i < image.size(); ++i)
        crc = table[(crc ^ image.data()[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

void updateDfuSuffixCrc(FileImage &image)
{
    image.setU32(kCrcOffset, dfuSuffixCrc(image));
}

FileImage makeNewCodePlug(int band, int model)
{
    FileImage image;
    writeContainer(image);
    writeRadioInformation(image, std::clamp(band, 0, 3), std::clamp(model, 0, 2));
    writeUnsetPasswords(image);
    writeFirstRecords(image);
    compactLists(image);
    fillMissingChoices(image);
    updateDfuSuffixCrc(image);
    return image;
}

} // namespace codeplug
