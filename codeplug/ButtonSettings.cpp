#include "ButtonSettings.h"

#include "DtmfSettings.h"
#include "Layout.h"
#include "NameCodec.h"
#include "RadioInfo.h"
#include "RecordName.h"

namespace codeplug {

namespace buttonfields {

FieldCodec sideButton(int byte)
{
    return bitField(settingsArea(buttons::kSection), byte, 0xFF, 0);
}

FieldCodec longPressDuration()
{
    return bitField(settingsArea(buttons::kSection), buttons::kLongPressDuration, 0xFF, 0);
}

} // namespace buttonfields

namespace {

struct Function
{
    int code;
    const char *text;
    bool everyType; // offered by radio type 0 as well
};

constexpr Function kFunctions[] = {
    { 0, "Unassigned (Default)", true },
    { 1, "All Alert Tones On/Off", true },
    { 2, "Emergency On", true },
    { 3, "Emergency Off", true },
    { 4, "High/Low Tx Power", true },
    { 5, "Monitor", true },
    { 6, "Nuisense Delete", true },
    { 7, "One Touch Access 1", true },
    { 8, "One Touch Access 2", true },
    { 9, "One Touch Access 3", true },
    { 10, "One Touch Access 4", true },
    { 11, "One Touch Access 5", true },
    { 12, "One Touch Access 6", true },
    { 13, "Repeater/TalkAround", true },
    { 14, "Scan On/Off", true },
    { 21, "Tight/Normal Squelch", true },
    { 22, "Privacy On/Off", true },
    { 23, "VOX On/Off", true },
    { 24, "Zone Select", false },
    { 25, "Zone Toggle", false },
    { 26, "Battery Indicator", false },
    { 30, "Manual Dial For Private", true },
    { 31, "Lone Work On/Off", true },
    { 38, "1750Hz Tone", true },
};

constexpr RecordArea kOneTouch { buttons::kOneTouch, buttons::kOneTouchSize };
constexpr int kAnalogueFlag = 0x08; // bit 3, set in every analogue entry
constexpr int kMessageCount = 50;

int mode(const FileImage &image, int entry)
{
    return buttons::oneTouchMode(image, entry);
}

int callType(const FileImage &image, int entry)
{
    return image.u8(kOneTouch.recordOffset(entry)) & 0x03;
}

int number(const FileImage &image, int entry)
{
    return image.u8(kOneTouch.recordOffset(entry) + buttons::kOneTouchNumber);
}

bool sendsTextMessage(const FileImage &image, int entry)
{
    return mode(image, entry) == int(OneTouchMode::Digital) && callType(image, entry) == 1;
}

QString messageText(const FileImage &image, int message)
{
    const ListLayout &list = lists::textMessages;
    return decodeName(image, list.nameFieldOffset(message - 1), list.nameUnits, -1);
}

QString contactName(const FileImage &image, int contact)
{
    return contact >= 1 && contact <= lists::contacts.count ? recordName(image, lists::contacts, contact - 1)
                                                            : QString();
}

ValueLabels usedContacts(const FileImage &image)
{
    ValueLabels labels = usedRecordLabels(image, lists::contacts, {});
    labels.removeFirst();
    return labels;
}

const QStringList &modeNames()
{
    static const QStringList names { "None", "Digital", "Analogue" };
    return names;
}

const QStringList &digitalCallTypes()
{
    static const QStringList names { "Call", "Text Message" };
    return names;
}

QString dtmfSystemName(int system)
{
    return QStringLiteral("DTMF-%1").arg(system + 1);
}

FieldColumn modeColumn()
{
    FieldCodec value = bitField(kOneTouch, 0, 0x30, 4);
    value.write = setOneTouchMode;
    return choiceColumn(
        QStringLiteral("Mode"), value, [](int mode) { return nameOf(modeNames(), mode); }, namedValues(modeNames()));
}

FieldColumn contactColumn()
{
    const FieldCodec value = u16Field(kOneTouch, buttons::kOneTouchContact);
    return entryChoiceColumn(
        QStringLiteral("Contact"), value,
        [read = value.read](const FileImage &image, int entry) {
            return mode(image, entry) == int(OneTouchMode::Digital) ? contactName(image, read(image, entry))
                                                                    : QString();
        },
        [](const FileImage &image, int entry) {
            return mode(image, entry) == int(OneTouchMode::Digital) ? usedContacts(image) : ValueLabels();
        });
}

QString callTypeText(const FileImage &image, int entry)
{
    switch (OneTouchMode(mode(image, entry))) {
    case OneTouchMode::Digital:
        return nameOf(digitalCallTypes(), callType(image, entry));
    case OneTouchMode::Analogue:
        return dtmfSystemName(callType(image, entry));
    default:
        return {};
    }
}

ValueLabels callTypes(const FileImage &image, int entry)
{
    switch (OneTouchMode(mode(image, entry))) {
    case OneTouchMode::Digital:
        return namedValues(digitalCallTypes());
    case OneTouchMode::Analogue:
        return rangeLabels(0, 3, dtmfSystemName);
    default:
        return {};
    }
}

// Analogue entries keep bit 3 set beside the DTMF system.
void setCallType(FileImage &image, int entry, int type)
{
    const int flag = mode(image, entry) == int(OneTouchMode::Analogue) ? kAnalogueFlag : 0;
    image.setBits(kOneTouch.recordOffset(entry), 0x0F, std::uint8_t(flag + type));
}

FieldColumn callTypeColumn()
{
    return entryChoiceColumn(QStringLiteral("Call Type"), { callType, setCallType }, callTypeText, callTypes);
}

ValueLabels usedMessages(const FileImage &image)
{
    ValueLabels labels;
    for (int message = 1; message <= kMessageCount; ++message) {
        const QString text = messageText(image, message);
        if (!text.isEmpty())
            labels.append({ message, text });
    }
    return labels;
}

QString messageOrEncodeText(const FileImage &image, int entry)
{
    const int m = number(image, entry);
    if (mode(image, entry) == int(OneTouchMode::Analogue))
        return dtmfEncodeDigits(image, std::clamp(m, 1, int(dtmf::kEncodeCount)));
    return sendsTextMessage(image, entry) && m >= 1 && m <= kMessageCount ? messageText(image, m) : QString();
}

ValueLabels messagesOrEncodes(const FileImage &image, int entry)
{
    if (mode(image, entry) == int(OneTouchMode::Analogue))
        return dtmfEncodeLabels(image, true);
    return sendsTextMessage(image, entry) ? usedMessages(image) : ValueLabels();
}

FieldColumn messageColumn()
{
    return entryChoiceColumn(QStringLiteral("Message / Encode"), bitField(kOneTouch, buttons::kOneTouchNumber, 0xFF, 0),
        messageOrEncodeText, messagesOrEncodes);
}

FieldColumn numberKeyColumn()
{
    const FieldCodec value = u16Field({ buttons::kNumberKeys, 2 }, 0);
    return entryChoiceColumn(
        QStringLiteral("Contact"), value,
        [read = value.read](const FileImage &image, int key) {
            const int contact = read(image, key);
            return contact >= 1 && contact <= lists::contacts.count ? contactName(image, contact)
                                                                    : QStringLiteral("None");
        },
        [](const FileImage &image, int) { return usedRecordLabels(image, lists::contacts, QStringLiteral("None")); });
}

} // namespace

ValueLabels sideButtonFunctions(const FileImage &image)
{
    const bool everyFunction = image.u8(radioinfo::kRadioType) != 0;
    ValueLabels labels;
    for (const Function &function : kFunctions) {
        if (everyFunction || function.everyType)
            labels.append({ function.code, QString::fromLatin1(function.text) });
    }
    return labels;
}

const ValueLabels &longPressDurations()
{
    static const ValueLabels labels
        = rangeLabels(4, 15, [](int code) { return QStringLiteral("%1 ms").arg(code * 250); });
    return labels;
}

void setOneTouchMode(FileImage &image, int entry, int newMode)
{
    const int offset = kOneTouch.recordOffset(entry);
    const int flags = newMode == int(OneTouchMode::Analogue) ? kAnalogueFlag : 0;
    image.setBits(offset, 0x3F, std::uint8_t((newMode << 4) | flags));
    image.setU8(offset + buttons::kOneTouchNumber, 1);
    image.setU16(offset + buttons::kOneTouchContact, newMode == int(OneTouchMode::Digital) ? 1 : 0);
}

const FieldTable &oneTouchColumns()
{
    static const FieldTable table { modeColumn(), contactColumn(), callTypeColumn(), messageColumn() };
    return table;
}

const FieldTable &numberKeyColumns()
{
    static const FieldTable table { numberKeyColumn() };
    return table;
}

} // namespace codeplug
