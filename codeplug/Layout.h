#pragma once

#include "FileImage.h"

#include <array>

namespace codeplug {

// The thirteen sections of the image, in slot order, with their fixed file offsets.
enum class Section {
    BasicInformation,
    Buttons,
    TextMessages,
    BasicPrivacyKeys,
    EnhancedPrivacyKeys,
    EmergencySystems,
    Contacts,
    RxGroupLists,
    Zones,
    ScanLists,
    Channels,
    Dtmf,
    Gps,
};
inline constexpr int kSectionCount = 13;

inline constexpr std::array<int, kSectionCount> kSectionOffsets = {
    309,
    8999,
    9125,
    23669,
    23525,
    23701,
    24997,
    60997,
    84997,
    100997,
    127013,
    197157,
    257637,
};

constexpr int sectionOffset(Section section)
{
    return kSectionOffsets[std::size_t(section)];
}

// A list section: fixed-size records whose name field marks a used record.
struct ListLayout
{
    int offset; // file offset of record 0
    int count; // number of records
    int recordSize; // bytes per record
    int nameOffset; // name field inside a record
    int nameUnits; // 16-bit units of the name field

    constexpr int recordOffset(int index) const { return offset + index * recordSize; }
    constexpr int nameFieldOffset(int index) const { return recordOffset(index) + nameOffset; }
    constexpr bool validIndex(int index) const { return index >= 0 && index < count; }
};

inline constexpr int kEmergencyHeaderSize = 16;

namespace lists {
inline constexpr ListLayout textMessages { sectionOffset(Section::TextMessages), 50, 288, 0, 144 };
inline constexpr ListLayout emergencySystems { sectionOffset(Section::EmergencySystems) + kEmergencyHeaderSize, 32, 40,
    0, 16 };
inline constexpr ListLayout contacts { sectionOffset(Section::Contacts), 1000, 36, 4, 16 };
inline constexpr ListLayout rxGroupLists { sectionOffset(Section::RxGroupLists), 250, 96, 0, 16 };
inline constexpr ListLayout zones { sectionOffset(Section::Zones), 250, 64, 0, 16 };
inline constexpr ListLayout scanLists { sectionOffset(Section::ScanLists), 250, 104, 0, 16 };
inline constexpr ListLayout channels { sectionOffset(Section::Channels), 1000, 64, 32, 16 };
} // namespace lists

// 16-bit member numbers held inside each record of an owning list.
struct MemberLayout
{
    ListLayout owner;
    int firstMemberOffset;
    int count;

    constexpr int memberOffset(int record, int member) const
    {
        return owner.recordOffset(record) + firstMemberOffset + 2 * member;
    }
};

namespace members {
inline constexpr MemberLayout rxGroupListContacts { lists::rxGroupLists, 32, 32 };
inline constexpr MemberLayout zoneChannels { lists::zones, 32, 16 };
inline constexpr MemberLayout scanListChannels { lists::scanLists, 42, 31 };
} // namespace members

// Fixed entries outside the lists that hold record numbers.
namespace buttons {
inline constexpr int kOneTouch = sectionOffset(Section::Buttons) + 18; // six 4-byte entries
inline constexpr int kOneTouchCount = 6;
inline constexpr int kOneTouchSize = 4;
inline constexpr int kOneTouchNumber = 1; // 8-bit text message or DTMF encode number inside an entry
inline constexpr int kOneTouchContact = 2; // 16-bit contact number inside an entry
inline constexpr int kOneTouchModeDigital = 1; // bits 4-5 of the entry's first byte
inline constexpr int kOneTouchTextMessage = 1; // bits 0-1 of a digital entry's first byte
inline constexpr int kNumberKeys = sectionOffset(Section::Buttons) + 42; // ten 16-bit contact numbers
inline constexpr int kNumberKeyCount = 10;

constexpr int oneTouchOffset(int k)
{
    return kOneTouch + kOneTouchSize * k;
}
inline int oneTouchMode(const FileImage &image, int k)
{
    return (image.u8(oneTouchOffset(k)) >> 4) & 0x03;
}
inline int oneTouchCallType(const FileImage &image, int k)
{
    return image.u8(oneTouchOffset(k)) & 0x03;
}
// A digital entry of call type text message: its number byte names a text message.
inline bool oneTouchSendsMessage(const FileImage &image, int k)
{
    return oneTouchMode(image, k) == kOneTouchModeDigital && oneTouchCallType(image, k) == kOneTouchTextMessage;
}
} // namespace buttons

namespace dtmf {
inline constexpr int kDecodeRevertChannel = sectionOffset(Section::Dtmf) + 724; // 16-bit, per decode entry
inline constexpr int kDecodeSize = 24;
inline constexpr int kDecodeCount = 8;
} // namespace dtmf

namespace gps {
inline constexpr int kSystems = sectionOffset(Section::Gps);
inline constexpr int kSystemSize = 16;
inline constexpr int kSystemCount = 16;
inline constexpr int kRevertChannel = 0; // 16-bit, inside a system
inline constexpr int kContact = 4; // 16-bit, inside a system
} // namespace gps

// A record is used when the first unit of its name field is not 0.
inline bool isRecordUsed(const FileImage &image, const ListLayout &list, int index)
{
    return list.validIndex(index) && image.u16(list.nameFieldOffset(index)) != 0;
}

int usedRecordCount(const FileImage &image, const ListLayout &list);
// Index of the first empty record, or -1 when the list is full.
int firstEmptyRecord(const FileImage &image, const ListLayout &list);

} // namespace codeplug
