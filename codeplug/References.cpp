#include "References.h"

#include "ChannelRecord.h"
#include "NameCodec.h"

namespace codeplug {

namespace {

bool holds(const FileImage &image, const ReferencePlace &place, const Condition &condition, int owner)
{
    switch (condition.when) {
    case When::Never:
        return false;
    case When::Always:
        return true;
    case When::OwnerUsed:
        return place.ownerList && isRecordUsed(image, *place.ownerList, owner);
    case When::OwnerHolds:
        return condition.test && condition.test(image, owner);
    }
    return false;
}

int readField(const FileImage &image, const ReferencePlace &place, int offset)
{
    return place.width == 1 ? image.u8(offset) : image.u16(offset);
}

void writeField(FileImage &image, const ReferencePlace &place, int offset, int value)
{
    if (place.width == 1)
        image.setU8(offset, std::uint8_t(value));
    else
        image.setU16(offset, std::uint16_t(value));
}

// Calls visit(placeIndex, owner, member, value) for every entry whose owner passes `selected`,
// in table order.
template <typename Selected, typename Visit>
void forEachEntry(const FileImage &image, ReferenceTable table, Selected selected, Visit visit)
{
    for (std::size_t p = 0; p < table.size(); ++p) {
        const ReferencePlace &place = table[p];
        for (int owner = 0; owner < place.owners; ++owner) {
            if (!selected(place, owner))
                continue;
            for (int member = 0; member < place.members; ++member) {
                const int value = readField(image, place, place.fieldOffset(owner, member));
                if (!visit(int(p), owner, member, value))
                    return;
            }
        }
    }
}

} // namespace

void renumberReferences(FileImage &image, ReferenceTable table, const Renumbering &renumbering)
{
    const int capacity = int(renumbering.newNumber.size()) - 1;
    const bool deletion = renumbering.isDeletion();
    const auto selected = [&](const ReferencePlace &place, int owner) {
        return holds(image, place, deletion ? place.onDelete : place.onMove, owner);
    };
    forEachEntry(image, table, selected, [&](int p, int owner, int member, int value) {
        if (value < 1 || value > capacity)
            return true;
        const ReferencePlace &place = table[std::size_t(p)];
        int number = renumbering.newNumber[std::size_t(value)];
        if (deletion && place.onDeleted != kRenumberDeleted && renumbering.deleted[std::size_t(value)])
            number = place.onDeleted;
        if (number != value)
            writeField(image, place, place.fieldOffset(owner, member), number);
        return true;
    });
}

std::vector<ReferenceEntry> firstBlockingReferences(const FileImage &image, ReferenceTable table, int capacity)
{
    std::vector<ReferenceEntry> first(std::size_t(capacity) + 1);
    const auto blocking
        = [&](const ReferencePlace &place, int owner) { return holds(image, place, place.blocks, owner); };
    forEachEntry(image, table, blocking, [&](int p, int owner, int member, int value) {
        if (value >= 1 && value <= capacity && !first[std::size_t(value)].found())
            first[std::size_t(value)] = { p, owner, member };
        return true;
    });
    return first;
}

ReferenceEntry firstBlockingReference(const FileImage &image, ReferenceTable table, int number)
{
    ReferenceEntry entry;
    const auto blocking
        = [&](const ReferencePlace &place, int owner) { return holds(image, place, place.blocks, owner); };
    forEachEntry(image, table, blocking, [&](int p, int owner, int member, int value) {
        if (value == number)
            entry = { p, owner, member };
        return !entry.found();
    });
    return entry;
}

QString placeText(const FileImage &image, ReferenceTable table, const ReferenceEntry &entry)
{
    if (!entry.found())
        return {};
    const ReferencePlace &place = table[std::size_t(entry.place)];
    return place.text ? place.text(image, entry.owner, entry.member) : QString();
}

QString ownerName(const FileImage &image, const ListLayout &list, int owner)
{
    return decodeName(image, list.nameFieldOffset(owner), list.nameUnits, owner + 1);
}

namespace {

QString quoted(const char *section, const QString &name)
{
    return QStringLiteral("%1 \"%2\"").arg(QLatin1String(section), name);
}

bool isDigitalChannel(const FileImage &image, int index)
{
    return channelField(image, index, channelfields::mode) == int(ChannelMode::Digital);
}

bool isDigitalOneTouch(const FileImage &image, int k)
{
    return buttons::oneTouchMode(image, k) == buttons::kOneTouchModeDigital;
}

bool sendsMessage(const FileImage &image, int k)
{
    return buttons::oneTouchSendsMessage(image, k);
}

using P = ReferencePlace;

QString oneTouchPlace(const FileImage &, int owner, int)
{
    return QStringLiteral("one-touch-access \"%1\" button").arg(owner + 1);
}

QString channelPlace(const FileImage &image, int owner, int)
{
    return quoted("channel", ownerName(image, lists::channels, owner));
}

// A channel's emergency system, scan list or group list field. A channel that does not block the
// deletion of the record it names loses the reference instead of naming the next record.
constexpr ReferencePlace channelListField(int byte)
{
    return P::field(lists::channels, byte, channelPlace).bytes().deletedBecomes(0);
}
constexpr Condition kDigitalChannel { When::OwnerHolds, isDigitalChannel };

// Priority channel 1, priority channel 2 and the tx designated channel of every scan list. They
// never block; a deleted channel leaves "None" ("Last Active Channel" for the tx designated one).
constexpr ReferencePlace scanListChannels()
{
    ReferencePlace place = P::field(lists::scanLists, 32, nullptr).blocksWhen({ When::Never }).deletedBecomes(0xFFFF);
    place.memberStride = 2;
    place.members = 3;
    return place;
}

const ReferencePlace kChannelReferences[] = {
    P::field(lists::emergencySystems, 36,
        [](const FileImage &image, int owner, int) {
            return quoted("EMERGENCY SYSTEM", ownerName(image, lists::emergencySystems, owner));
        }),
    P::memberList(members::zoneChannels,
        [](const FileImage &image, int owner, int) { return quoted("ZONES", ownerName(image, lists::zones, owner)); }),
    P::memberList(members::scanListChannels,
        [](const FileImage &image, int owner, int) {
            return quoted("SCAN LIST", ownerName(image, lists::scanLists, owner));
        }),
    scanListChannels(),
    P::entries(dtmf::kDecodeRevertChannel, dtmf::kDecodeSize, dtmf::kDecodeCount,
        [](const FileImage &, int owner, int) { return quoted("DTMF", QStringLiteral("DTMF-%1").arg(owner + 1)); }),
    P::entries(gps::kSystems + gps::kRevertChannel, gps::kSystemSize, gps::kSystemCount,
        [](const FileImage &, int owner, int) {
            return quoted("GPS", QStringLiteral("GPS-DECODE-%1").arg(owner + 1));
        }),
};

const ReferencePlace kContactReferences[] = {
    P::entries(
        buttons::kOneTouch + buttons::kOneTouchContact, buttons::kOneTouchSize, buttons::kOneTouchCount, oneTouchPlace)
        .movedWhen({ When::OwnerHolds, isDigitalOneTouch })
        .blocksWhen({ When::OwnerHolds, isDigitalOneTouch }),
    P::entries(buttons::kNumberKeys, 2, buttons::kNumberKeyCount,
        [](const FileImage &, int owner, int) { return QStringLiteral("button number-key %1").arg(owner + 1); }),
    P::memberList(members::rxGroupListContacts,
        [](const FileImage &image, int owner, int member) {
            return QStringLiteral("group \"%1\".%2")
                .arg(ownerName(image, lists::rxGroupLists, owner), QString::number(member + 1));
        }),
    P::field(lists::channels, channeloffsets::contact, channelPlace).blocksWhen(kDigitalChannel),
    P::entries(gps::kSystems + gps::kContact, gps::kSystemSize, gps::kSystemCount,
        [](const FileImage &, int owner, int) { return QStringLiteral("GPS %1").arg(owner + 1); }),
};

const ReferencePlace kRxGroupListReferences[] = {
    channelListField(channelfields::rxGroupList.byte).blocksWhen(kDigitalChannel),
};

const ReferencePlace kScanListReferences[] = {
    channelListField(channelfields::scanList.byte),
};

const ReferencePlace kEmergencySystemReferences[] = {
    channelListField(channelfields::emergencySystem.byte).blocksWhen(kDigitalChannel),
};

// The same byte of an analogue entry holds a DTMF encode number, and of a digital call nothing:
// only the entries that send a message follow it or keep it.
const ReferencePlace kTextMessageReferences[] = {
    P::entries(
        buttons::kOneTouch + buttons::kOneTouchNumber, buttons::kOneTouchSize, buttons::kOneTouchCount, oneTouchPlace)
        .bytes()
        .followsWhen({ When::OwnerHolds, sendsMessage })
        .blocksWhen({ When::OwnerHolds, sendsMessage }),
};

} // namespace

ReferenceTable channelReferences()
{
    return kChannelReferences;
}

ReferenceTable contactReferences()
{
    return kContactReferences;
}

ReferenceTable rxGroupListReferences()
{
    return kRxGroupListReferences;
}

ReferenceTable zoneReferences()
{
    return {}; // nothing refers to a zone
}

ReferenceTable scanListReferences()
{
    return kScanListReferences;
}

ReferenceTable emergencySystemReferences()
{
    return kEmergencySystemReferences;
}

ReferenceTable textMessageReferences()
{
    return kTextMessageReferences;
}

} // namespace codeplug
