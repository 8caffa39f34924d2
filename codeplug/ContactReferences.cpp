#include "ContactReferences.h"

#include "ChannelRecord.h"
#include "Layout.h"
#include "NameCodec.h"

namespace codeplug {

namespace {

constexpr int kMaxContactNumber = 1000;

namespace buttons {
constexpr int kOneTouch = sectionOffset(Section::Buttons) + 18;
constexpr int kOneTouchCount = 6;
constexpr int kOneTouchSize = 4;
constexpr int kOneTouchContact = 2;
constexpr int kOneTouchDigital = 1;
constexpr int kNumberKeys = sectionOffset(Section::Buttons) + 42;
constexpr int kNumberKeyCount = 10;

int oneTouchOffset(int k)
{
    return kOneTouch + kOneTouchSize * k;
}
int oneTouchMode(const FileImage &image, int k)
{
    return (image.u8(oneTouchOffset(k)) >> 4) & 0x03;
}
} // namespace buttons

namespace gps {
constexpr int kSystems = sectionOffset(Section::Gps);
constexpr int kCount = 16;
constexpr int kSize = 16;
constexpr int kContact = 4;
} // namespace gps

bool isDigitalChannel(const FileImage &image, int index)
{
    return channelField(image, index, channelfields::mode) == int(ChannelMode::Digital);
}

int channelContactOffset(int index)
{
    return lists::channels.recordOffset(index) + channeloffsets::contact;
}

bool isContactNumber(int value)
{
    return value >= 1 && value <= kMaxContactNumber;
}

// Calls visit(offset) for every 16-bit field in the scope.
template <typename Visit> void forEachReference(const FileImage &image, ContactReferenceScope scope, Visit visit)
{
    const bool all = scope == ContactReferenceScope::Deletion;
    for (int k = 0; k < buttons::kOneTouchCount; ++k) {
        if (all || buttons::oneTouchMode(image, k) == buttons::kOneTouchDigital)
            visit(buttons::oneTouchOffset(k) + buttons::kOneTouchContact);
    }
    for (int k = 0; k < buttons::kNumberKeyCount; ++k)
        visit(buttons::kNumberKeys + 2 * k);
    const MemberLayout &groups = members::rxGroupListContacts;
    for (int g = 0; g < groups.owner.count; ++g) {
        if (!all && !isRecordUsed(image, groups.owner, g))
            continue;
        for (int m = 0; m < groups.count; ++m)
            visit(groups.memberOffset(g, m));
    }
    for (int c = 0; c < lists::channels.count; ++c) {
        if (all || isRecordUsed(image, lists::channels, c))
            visit(channelContactOffset(c));
    }
    for (int s = 0; s < gps::kCount; ++s)
        visit(gps::kSystems + gps::kSize * s + gps::kContact);
}

QString refusal(const QString &contactName, const QString &place)
{
    return QStringLiteral("Cannot delete contact \"%1\".\n\nIt's used in %2").arg(contactName, place);
}

QString buttonRefusal(const FileImage &image, int number)
{
    for (int k = 0; k < buttons::kOneTouchCount; ++k) {
        const int offset = buttons::oneTouchOffset(k);
        if (buttons::oneTouchMode(image, k) == buttons::kOneTouchDigital
            && image.u16(offset + buttons::kOneTouchContact) == number)
            return QStringLiteral("one-touch-access \"%1\" button setting").arg(k + 1);
    }
    for (int k = 0; k < buttons::kNumberKeyCount; ++k) {
        if (image.u16(buttons::kNumberKeys + 2 * k) == number)
            return QStringLiteral("button number-key %1 setting").arg(k + 1);
    }
    return {};
}

QString groupRefusal(const FileImage &image, int number)
{
    const MemberLayout &groups = members::rxGroupListContacts;
    for (int g = 0; g < groups.owner.count; ++g) {
        for (int m = 0; m < groups.count; ++m) {
            if (image.u16(groups.memberOffset(g, m)) != number)
                continue;
            const QString name = decodeName(image, groups.owner.nameFieldOffset(g), groups.owner.nameUnits, g + 1);
            return QStringLiteral("group \"%1\".%2 setting").arg(name, QString::number(m + 1));
        }
    }
    return {};
}

QString channelOrGpsRefusal(const FileImage &image, int number)
{
    const ListLayout &channels = lists::channels;
    for (int c = 0; c < channels.count; ++c) {
        if (isDigitalChannel(image, c) && image.u16(channelContactOffset(c)) == number) {
            const QString name = decodeName(image, channels.nameFieldOffset(c), channels.nameUnits, c + 1);
            return QStringLiteral("channel \"%1\" setting").arg(name);
        }
    }
    for (int s = 0; s < gps::kCount; ++s) {
        if (image.u16(gps::kSystems + gps::kSize * s + gps::kContact) == number)
            return QStringLiteral("GPS %1 setting").arg(s + 1);
    }
    return {};
}

} // namespace

void renumberContactReferences(FileImage &image, ContactReferenceScope scope, const std::vector<int> &newNumber)
{
    if (newNumber.size() != std::size_t(kMaxContactNumber + 1))
        return;
    forEachReference(image, scope, [&](int offset) {
        const int value = image.u16(offset);
        if (isContactNumber(value) && newNumber[std::size_t(value)] != value)
            image.setU16(offset, std::uint16_t(newNumber[std::size_t(value)]));
    });
}

QString contactReferenceRefusal(const FileImage &image, int number, const QString &contactName)
{
    if (!isContactNumber(number))
        return {};
    QString place = buttonRefusal(image, number);
    if (place.isEmpty())
        place = groupRefusal(image, number);
    if (place.isEmpty())
        place = channelOrGpsRefusal(image, number);
    return place.isEmpty() ? QString() : refusal(contactName, place);
}

} // namespace codeplug
