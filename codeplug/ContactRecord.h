#pragma once

#include "FileImage.h"
#include "Layout.h"

#include <cstdint>

#include <QByteArray>
#include <QString>

namespace codeplug {

// One 36-byte contact: 24-bit DMR ID, a flags byte (call type, receive tone) and a 16-unit name.
namespace contact {
inline constexpr int kIdOffset = 0;
inline constexpr int kFlagsOffset = 3;
inline constexpr std::uint8_t kCallTypeMask = 0x07;
inline constexpr std::uint8_t kRxToneMask = 0x20;
inline constexpr std::uint8_t kKeptFlags = 0xC0; // bits 6 and 7, set in every record this program writes
inline constexpr std::uint32_t kMaxId = 16777215;
inline constexpr int kMaxNameLength = 16;
inline constexpr std::uint32_t kPrivateIdThreshold = 1000000; // IDs from here on are persons, not groups
} // namespace contact

enum CallType : int {
    CallTypeNone = 0,
    GroupCall = 1,
    PrivateCall = 2,
    AllCall = 3,
    DispatchCall = 4,
    PcCall = 5,
};

// The text shown for a call type code 0..7 (codes 6 and 7 read "Unknown").
QString callTypeText(int code);
// The type a click on the Type cell gives: Group -> Private -> All -> Group; any other code -> Group.
int nextCallType(int code);

// A non-empty name builds a new contact (ID 0, group call); an empty name the cleared form
// that every unused record holds.
void initContactRecord(FileImage &image, int index, const QString &name);

bool isContactUsed(const FileImage &image, int index);
int contactCount(const FileImage &image);

std::uint32_t contactId(const FileImage &image, int index);
// Writes the three ID bytes; false (nothing written) for an ID above 16777215.
bool setContactId(FileImage &image, int index, std::uint32_t id);
// Parses the text of the ID editor: a decimal number 0..16777215.
bool parseContactId(const QString &text, std::uint32_t &id);

int contactCallType(const FileImage &image, int index);
// Changes bits 0-2 only.
void setContactCallType(FileImage &image, int index, int code);
bool contactRxTone(const FileImage &image, int index);
// Changes bit 5 only.
void setContactRxTone(FileImage &image, int index, bool on);

// The decoded name; a blank name reads "no_name-" and the contact number.
QString contactName(const FileImage &image, int index);
// Zeroes all 16 units, then writes the first 16 characters.
void setContactName(FileImage &image, int index, const QString &name);

// Writes a whole contact as an import or the database stores it: ID, flags 0xC0 | tone | type, name.
void writeContact(FileImage &image, int index, std::uint32_t id, int callType, bool rxTone, const QString &name);
// Replaces type, tone and name of an existing contact, keeping its ID.
void updateContact(FileImage &image, int index, int callType, bool rxTone, const QString &name);

// The record's 36 bytes, and their inverse; a record of another size is ignored.
QByteArray contactRecordBytes(const FileImage &image, int index);
void setContactRecordBytes(FileImage &image, int index, const QByteArray &bytes);

} // namespace codeplug
