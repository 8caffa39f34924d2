#include "ContactRecord.h"

#include "NameCodec.h"

#include <algorithm>
#include <array>

namespace codeplug {

namespace {

const ListLayout &list()
{
    return lists::contacts;
}

int flagsOffset(int index)
{
    return list().recordOffset(index) + contact::kFlagsOffset;
}

std::uint8_t newFlags(int callType, bool rxTone)
{
    return std::uint8_t(
        contact::kKeptFlags | (rxTone ? contact::kRxToneMask : 0) | (callType & contact::kCallTypeMask));
}

} // namespace

QString callTypeText(int code)
{
    static const std::array<const char *, 8> texts = {
        "-",
        "Group call",
        "Private call",
        "All call",
        "Displatch call",
        "PC call",
        "Unknown",
        "Unknown",
    };
    return QString::fromLatin1(texts[std::size_t(code & contact::kCallTypeMask)]);
}

int nextCallType(int code)
{
    const int next = code + 1;
    return next > AllCall || next < GroupCall ? GroupCall : next;
}

void initContactRecord(FileImage &image, int index, const QString &name)
{
    if (!list().validIndex(index))
        return;
    const int record = list().recordOffset(index);
    image.fill(record, list().recordSize, 0);
    if (name.isEmpty()) {
        image.fill(record, 3, 0xFF);
        image.setU8(record + contact::kFlagsOffset, contact::kKeptFlags);
        return;
    }
    image.setU8(record + contact::kFlagsOffset, newFlags(GroupCall, false));
    encodeName(image, list().nameFieldOffset(index), list().nameUnits, name);
}

bool isContactUsed(const FileImage &image, int index)
{
    return isRecordUsed(image, list(), index);
}

int contactCount(const FileImage &image)
{
    return usedRecordCount(image, list());
}

std::uint32_t contactId(const FileImage &image, int index)
{
    if (!list().validIndex(index))
        return 0;
    const int offset = list().recordOffset(index) + contact::kIdOffset;
    return std::uint32_t(image.u16(offset)) | (std::uint32_t(image.u8(offset + 2)) << 16);
}

bool setContactId(FileImage &image, int index, std::uint32_t id)
{
    if (!list().validIndex(index) || id > contact::kMaxId)
        return false;
    const int offset = list().recordOffset(index) + contact::kIdOffset;
    image.setU16(offset, std::uint16_t(id));
    image.setU8(offset + 2, std::uint8_t(id >> 16));
    return true;
}

bool parseContactId(const QString &text, std::uint32_t &id)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0 || value > qlonglong(contact::kMaxId))
        return false;
    id = std::uint32_t(value);
    return true;
}

int contactCallType(const FileImage &image, int index)
{
    return list().validIndex(index) ? image.u8(flagsOffset(index)) & contact::kCallTypeMask : 0;
}

void setContactCallType(FileImage &image, int index, int code)
{
    if (list().validIndex(index))
        image.setBits(flagsOffset(index), contact::kCallTypeMask, std::uint8_t(code));
}

bool contactRxTone(const FileImage &image, int index)
{
    return list().validIndex(index) && (image.u8(flagsOffset(index)) & contact::kRxToneMask) != 0;
}

void setContactRxTone(FileImage &image, int index, bool on)
{
    if (list().validIndex(index))
        image.setBits(flagsOffset(index), contact::kRxToneMask, on ? contact::kRxToneMask : 0);
}

QString contactName(const FileImage &image, int index)
{
    if (!list().validIndex(index))
        return {};
    return decodeName(image, list().nameFieldOffset(index), list().nameUnits, index + 1);
}

void setContactName(FileImage &image, int index, const QString &name)
{
    if (list().validIndex(index))
        encodeName(image, list().nameFieldOffset(index), list().nameUnits, name.left(contact::kMaxNameLength));
}

void writeContact(FileImage &image, int index, std::uint32_t id, int callType, bool rxTone, const QString &name)
{
    if (!list().validIndex(index))
        return;
    image.fill(list().recordOffset(index), list().recordSize, 0);
    setContactId(image, index, id);
    updateContact(image, index, callType, rxTone, name);
}

void updateContact(FileImage &image, int index, int callType, bool rxTone, const QString &name)
{
    if (!list().validIndex(index))
        return;
    image.setU8(flagsOffset(index), newFlags(callType, rxTone));
    setContactName(image, index, name);
}

QByteArray contactRecordBytes(const FileImage &image, int index)
{
    const auto bytes = image.span(list().recordOffset(index), list().recordSize);
    if (!list().validIndex(index) || bytes.empty())
        return {};
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

void setContactRecordBytes(FileImage &image, int index, const QByteArray &bytes)
{
    if (!list().validIndex(index) || bytes.size() != list().recordSize)
        return;
    auto target = image.span(list().recordOffset(index), list().recordSize);
    std::copy(bytes.cbegin(), bytes.cend(), target.begin());
}

} // namespace codeplug
