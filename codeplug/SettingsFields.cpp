#include "SettingsFields.h"

#include "CodePlugStore.h"
#include "NameCodec.h"
#include "RadioInfo.h"

namespace codeplug {

namespace {

constexpr RecordArea kFile = settingsArea(0);

// ---------------------------------------------------------------------------------------------
// Codecs

FieldCodec byteField(int offset)
{
    return bitField(kFile, offset, 0xFF, 0);
}

// A menu or settings switch: down when bit `bit` of `offset` holds `downWhen`.
FieldCodec switchBit(int offset, int bit, int downWhen = 1)
{
    const FieldCodec codec = bitField(kFile, offset, std::uint8_t(1 << bit), bit);
    return downWhen == 1 ? codec : inverted(codec);
}

TextCodec shownText(QString (*text)(const FileImage &))
{
    return { [text](const FileImage &image, int) { return text(image); }, [](FileImage &, int, const QString &) {} };
}

// A radio-wide text of `units` 16-bit units, the character in the low byte.
TextCodec radioText(int offset, int units)
{
    return { [=](const FileImage &image, int) { return decodeName(image, offset, units, -1); },
        [=](FileImage &image, int, const QString &text) {
            encodeName(image, offset, units, trimControl(text), NameEncoding::LowByteOnly);
        } };
}

// Upper-case letters A-Z and digits only, whatever was typed or pasted.
QString cleanSerialNumber(const QString &text)
{
    QString clean;
    for (QChar c : trimControl(text).toUpper()) {
        if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
            clean.append(c);
    }
    return clean;
}

TextCodec serialNumberText()
{
    TextCodec codec { [](const FileImage &image, int) { return serialNumber(image); },
        [](FileImage &image, int, const QString &text) {
            writeTerminatedAscii(image, radioinfo::kSerialNumber, 16, cleanSerialNumber(text));
        } };
    codec.cleans = true;
    return codec;
}

FieldCodec radioModelField()
{
    return { [](const FileImage &image, int) {
                const QString name = modelName(image);
                for (int i = 0; i < int(kRadioModels.size()); ++i) {
                    if (name == QLatin1String(kRadioModels[std::size_t(i)].modelName))
                        return i;
                }
                return -1;
            },
        [](FileImage &image, int, int value) { applyRadioModel(image, value); } };
}

std::optional<quint64> wholeNumber(const QString &text)
{
    if (text.isEmpty() || !isDigitText(text, text.size()))
        return std::nullopt;
    bool ok = false;
    const quint64 value = text.toULongLong(&ok);
    return ok ? std::optional(value) : std::optional<quint64>(quint64(-1));
}

const QString kInvalidRadioId = QStringLiteral("Invalid Radio ID number (General tab)");

// A number that is no radio ID is refused; a text that is no number (an emptied edit) writes nothing.
TextCodec radioIdText()
{
    using generalsettings::kRadioId;
    TextCodec codec { [](const FileImage &image, int) {
                         return QString::number(
                             image.u8(kRadioId) | image.u8(kRadioId + 1) << 8 | image.u8(kRadioId + 2) << 16);
                     },
        [](FileImage &image, int, const QString &text) {
            const std::optional<quint64> id = wholeNumber(trimControl(text));
            if (!id || *id > quint64(generalsettings::kMaxRadioId))
                return;
            for (int i = 0; i < 3; ++i)
                image.setU8(kRadioId + i, std::uint8_t(*id >> (8 * i)));
        } };
    codec.refusal = [](const QString &text) {
        const std::optional<quint64> id = wholeNumber(trimControl(text));
        return id && *id > quint64(generalsettings::kMaxRadioId) ? kInvalidRadioId : QString();
    };
    return codec;
}

constexpr std::uint8_t kPowerOnPasswordOff = 0x20; // bit 5 of the switch byte set: no password

// While fewer than 8 digits stand in the edit, the radio has no power-on password.
TextCodec powerOnPasswordText()
{
    using namespace passwords;
    return { [](const FileImage &image, int) {
                if (image.u8(kPowerOnSwitch) & kPowerOnPasswordOff)
                    return QString();
                return packedDigitsText(image, kPowerOnPassword, 4);
            },
        [](FileImage &image, int, const QString &text) {
            const QString digits = trimControl(text);
            const bool set = isDigitText(digits, 8);
            image.setBits(kPowerOnSwitch, kPowerOnPasswordOff, set ? 0 : kPowerOnPasswordOff);
            if (set)
                writePackedDigits(image, kPowerOnPassword, 4, digits);
            else
                image.fill(kPowerOnPassword, 4, 0x00);
        } };
}

TextCodec radioProgramPasswordText()
{
    using passwords::kRadioProgramPassword;
    return { [](const FileImage &image, int) {
                for (int i = 0; i < 4; ++i) {
                    if (image.u8(kRadioProgramPassword + i) < 0xFF)
                        return packedDigitsText(image, kRadioProgramPassword, 4);
                }
                return QString();
            },
        [](FileImage &image, int, const QString &text) {
            const QString digits = trimControl(text);
            if (isDigitText(digits, 8))
                writePackedDigits(image, kRadioProgramPassword, 4, digits);
            else
                image.fill(kRadioProgramPassword, 4, 0xFF);
        } };
}

TextCodec pcPasswordText()
{
    using passwords::kPcProgramPassword;
    return { [](const FileImage &image, int) { return readTerminatedAscii(image, kPcProgramPassword, 8, u'?'); },
        [](FileImage &image, int, const QString &text) {
            writeTerminatedAscii(image, kPcProgramPassword, 8, trimControl(text));
        } };
}

std::function<QString(const QString &)> eightDigitsOrNone(const QString &message)
{
    return [message](const QString &text) {
        const QString digits = trimControl(text);
        return digits.isEmpty() || isDigitText(digits, 8) ? QString() : message;
    };
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
bool isSerialCharacter(QChar c)
{
    return isDigit(c) || (c.toUpper() >= u'A' && c.toUpper() <= u'Z');
}
bool isTextCharacter(QChar c)
{
    return c.unicode() >= 32 && c.unicode() <= 127;
}

// ---------------------------------------------------------------------------------------------
// Value lists

// Values first..last by step, each shown as value * scale followed by the suffix.
ValueLabels scaled(int first, int last, int step, int scale, const QString &suffix)
{
    ValueLabels labels;
    for (int value = first; value <= last; value += step)
        labels.append({ value, QString::number(value * scale) + suffix });
    return labels;
}

ValueLabels named(std::initializer_list<const char *> texts)
{
    ValueLabels labels;
    for (const char *text : texts)
        labels.append({ int(labels.size()), QString::fromLatin1(text) });
    return labels;
}

ValueLabels modelLabels()
{
    ValueLabels labels;
    for (const RadioModel &model : kRadioModels)
        labels.append({ int(labels.size()), QString::fromLatin1(model.entryText) });
    return labels;
}

ValueLabels withFirst(ValueLabel first, ValueLabels rest)
{
    rest.prepend(std::move(first));
    return rest;
}

// ---------------------------------------------------------------------------------------------
// Tables

SettingField choice(const char *key, const char *control, const char *label, const char *group, FieldCodec codec,
    ValueLabels choices, const char *hint = "")
{
    return { .key = QLatin1String(key),
        .control = control,
        .label = QLatin1String(label),
        .group = QLatin1String(group),
        .hint = QLatin1String(hint),
        .kind = SettingKind::Choice,
        .codec = std::move(codec),
        .choices = std::move(choices) };
}

SettingField toggle(const char *key, const char *control, const char *caption, const char *group, FieldCodec codec,
    const char *hint = "")
{
    return { .key = QLatin1String(key),
        .control = control,
        .label = QLatin1String(caption),
        .group = QLatin1String(group),
        .hint = QLatin1String(hint),
        .kind = SettingKind::Toggle,
        .codec = std::move(codec) };
}

SettingField edit(const char *key, const char *control, const char *label, const char *group, TextCodec text,
    int maxLength, bool (*accepts)(QChar), const char *values, const char *hint = "")
{
    return { .key = QLatin1String(key),
        .control = control,
        .label = QLatin1String(label),
        .group = QLatin1String(group),
        .hint = QLatin1String(hint),
        .kind = SettingKind::Text,
        .text = std::move(text),
        .maxLength = maxLength,
        .accepts = accepts,
        .values = QLatin1String(values) };
}

SettingField shown(const char *key, const char *control, const char *label, QString (*text)(const FileImage &))
{
    return { .key = QLatin1String(key),
        .control = control,
        .label = QLatin1String(label),
        .group = QStringLiteral("Radio "),
        .kind = SettingKind::Shown,
        .text = shownText(text) };
}

SettingFields makeBasicFields()
{
    const char *const info = "Radio ";
    SettingField model = choice("radio-model", "RadioModelComboBox", "Radio Model ", info, radioModelField(),
        modelLabels(), "Don't play with this unless you know what you're doing !");
    return {
        shown("frequency-range", "FrequencyRangeEdit", "Frequency Range ", frequencyRangeText),
        shown("last-programmed-date", "LastProgrammedDateEdit", "Last Programmed Date ", lastProgrammedText),
        model,
        edit("serial-number", "SerialNumberEdit", "Serial Number ", info, serialNumberText(), 16, isSerialCharacter,
            "letters and digits, at most 16", "The serial number on the back of your radio"),
        shown("cps-software-version", "CPSSoftwareVersionEdit", "CPS Software Version ", softwareVersionText),
        shown("hardware-version", "HardwareVersionEdit", "Hardware Version ", hardwareVersionText),
        shown("mcu-version", "MCUVersionEdit", "MCU Version ", mcuVersionText),
        shown("unique-device-id", "UniqueDeviceIDEdit", "Unique Device ID ", uniqueDeviceIdText),
    };
}

SettingFields makeGeneralFields()
{
    using namespace passwords;
    const char *const radio = "Radio ";
    const char *const intro = "Intro Screen ";
    const char *const monitor = "Monitor Type and Battery Saver ";
    const char *const calls = "Calls ";
    const char *const lone = "Lone Worker ";
    const char *const scan = "Scan ";
    const char *const locks = "Passwords ";
    const char *const passwordValues = "8 digits, or empty for none";
    const ValueLabels hangTimes = scaled(0, 70, 5, 100, QStringLiteral(" ms"));

    SettingField introType { .key = QStringLiteral("intro-screen-type"),
        .control = "IntroScreenType",
        .label = QStringLiteral("Type "),
        .group = QLatin1String(intro),
        .kind = SettingKind::Options,
        .codec = bitField(kFile, 8871, 0x10, 4),
        .choices = named({ "Text", "Picture" }) };
    SettingField powerOn = edit("power-on-password", "PowerOnPasswordEdit", "Power On Password ", locks,
        powerOnPasswordText(), 8, isDigit, passwordValues,
        "Another password to lock yourself out with .. If used it must be 8 characters in length ");
    powerOn.unfinished
        = eightDigitsOrNone(QStringLiteral("Power-On password must be 8 characters in length, or empty"));
    SettingField radioProgram = edit("radio-program-password", "RadioProgramPasswordEdit", "Radio Program Password ",
        locks, radioProgramPasswordText(), 8, isDigit, passwordValues,
        "Ditto .. If used it must be 8 characters in length ");
    radioProgram.unfinished
        = eightDigitsOrNone(QStringLiteral("Radio-Program password must be 8 characters in length, or empty"));
    SettingField radioId = edit("radio-id", "RadioIDEdit", "Radio ID ", radio, radioIdText(), 8, isDigit,
        "a number from 0 to 16777215", "Your DMR ID number");
    radioId.unfinished
        = [](const QString &text) { return wholeNumber(trimControl(text)) ? QString() : kInvalidRadioId; };

    return {
        edit("radio-name", "RadioNameEdit", "Radio Name ", radio, radioText(8917, 16), 16, isTextCharacter,
            "text, at most 16 characters", "Name your radio"),
        radioId,
        choice("tx-preamble-duration", "TxPreambleDurationComboBox", "Tx Preamble Duration ", radio, byteField(8877),
            scaled(0, 144, 1, 60, QStringLiteral(" ms")), "Not sure"),
        choice("vox-sensitivity", "VOXSensitivityComboBox", "VOX Sensitivity ", radio, byteField(8880),
            withFirst({ 1, QStringLiteral("1 .. high sensitivity") },
                scaled(2, 9, 1, 1, {}) + ValueLabels { { 10, QStringLiteral("10 .. low sensitivity") } }),
            "Voice Operated Transmission sensitivity"),
        choice("rx-low-battery-interval", "RxLowBatteryIntervalComboBox", "Rx Low Battery Alarm Interval ", radio,
            byteField(8883), scaled(0, 127, 1, 5, QStringLiteral(" secs")), "Time between low battery audio alarms"),
        choice("backlight-time", "BacklightTimeComboBox", "Backlight Time ", radio, bitField(kFile, 8890, 0x03, 0),
            named({ "Always", "5 secs", "10 secs", "15 secs" }), "How long the backlight stays on for"),
        choice("keypad-lock-time", "KeyPadLockTimeComboBox", "Keypad Auto Lock Time ", radio, byteField(8891),
            withFirst({ 255, QStringLiteral("Manual") }, scaled(1, 3, 1, 5, QStringLiteral(" secs"))),
            "How long before the keypad locks itself"),
        toggle("disable-all-leds", "DisableAllLEDsSpeedButton", "Disable All LEDs", radio, switchBit(8869, 2, 0)),
        edit("intro-line-1", "IntroScreenTextLine1Edit", "Text Line 1 ", intro, radioText(8805, 10), 10,
            isTextCharacter, "text, at most 10 characters", "1st text line at boot up"),
        edit("intro-line-2", "IntroScreenTextLine2Edit", "Text Line 2 ", intro, radioText(8825, 10), 10,
            isTextCharacter, "text, at most 10 characters", "2nd text line at boot up"),
        introType,
        choice("talk-permit-tone", "TalkPermitToneComboBox", "Talk Permit Tone  ", calls,
            bitField(kFile, 8870, 0xC0, 6), named({ "None", "Digital", "Analogue", "Digital & Analogue" }),
            "Beeps when you can start transmitting"),
        choice("call-alert-tone-duration", "CallAlertToneDurationComboBox", "Call Alert Tone Duration  ", calls,
            byteField(8884),
            withFirst({ 0, QStringLiteral("Continuous") }, scaled(1, 240, 1, 5, QStringLiteral(" secs"))),
            "Beeps if you receive a call alert"),
        choice("group-call-hang-time", "GroupCallHangTimeComboBox", "Group Call Hang Time ", calls, byteField(8878),
            hangTimes),
        choice("private-call-hang-time", "PrivateCallHangTimeComboBox", "Private Call Hang Time ", calls,
            byteField(8879), hangTimes),
        choice("monitor-type", "MonitorTypeComboBox", "Monitor Type ", monitor, bitField(kFile, 8869, 0x10, 4),
            named({ "Silent", "Open Squelch" }), "erm"),
        toggle("disable-all-tones", "MonitorTypeDisableAllTonesSpeedButton", "Disable All Tones", monitor,
            switchBit(8870, 2, 0)),
        toggle("channel-free-indication-tone", "MonitorTypeChannelFreeIndicationToneSpeedButton",
            "Channel Free Indication Tone", monitor, switchBit(8870, 4, 0)),
        toggle("battery-saver-preamble", "BatterySaverSavePreambleSpeedButton", "Save Preamble", monitor,
            switchBit(8870, 0)),
        toggle("battery-saver-receive-mode", "BatterySaverSaveModeRxSpeedButton", "When in Receive Mode", monitor,
            switchBit(8870, 1), "Enable the battery saver when in receive mode"),
        choice("lone-worker-response-time", "LoneWorkerResponseTimeComboBox", "Response Time  ", lone, byteField(8885),
            withFirst({ 1, QStringLiteral("1 min") }, scaled(2, 255, 1, 1, QStringLiteral(" mins")))),
        choice("lone-worker-reminder-time", "LoneWorkerReminderTimeComboBox", "Reminder Time  ", lone, byteField(8886),
            withFirst({ 1, QStringLiteral("1 sec") }, scaled(2, 255, 1, 1, QStringLiteral(" secs")))),
        choice("scan-digital-hang-time", "ScanDigitalHangTimeComboBox", "Digital Hang Time  ", scan, byteField(8888),
            scaled(5, 100, 5, 100, QStringLiteral(" ms")), "The hang/pause time when scanning a digital channel"),
        choice("scan-analogue-hang-time", "ScanAnalogueHangTimeComboBox", "Analogue Hang Time  ", scan, byteField(8889),
            scaled(0, 100, 5, 100, QStringLiteral(" ms")), "The hang/pause time when scanning an analogue channel"),
        powerOn,
        radioProgram,
        edit("pc-programming-password", "PCProgrammingPasswordEdit", "PC Programming Password ", locks,
            pcPasswordText(), 8, isDigit, "digits, at most 8, or empty for none", "Set this and lock yourself out !!"),
    };
}

struct MenuSwitch
{
    const char *key;
    const char *control;
    const char *caption;
    const char *group;
    int offset;
    int bit;
    int downWhen;
};

SettingFields makeMenusFields()
{
    const char *const menu = "Menus ";
    const char *const contacts = " Contacts ";
    const char *const scanGroup = " Scan ";
    const char *const log = " Call Log ";
    const char *const utilities = " Utilities ";
    static const MenuSwitch switches[] = {
        { "text-message", "TextMessageSpeedButton", "Text Message", menu, 8982, 0, 1 },
        { "contacts-call-alert", "ContactsCallAlertSpeedButton", "Call Alert", contacts, 8982, 1, 1 },
        { "contacts-edit", "ContactsEditSpeedButton", "Edit", contacts, 8982, 2, 1 },
        { "contacts-manual-dial", "ContactsManualDialSpeedButton", "Manual Dial", contacts, 8982, 3, 1 },
        { "contacts-radio-check", "ContactsRadioCheckSpeedButton", "Radio Check", contacts, 8982, 4, 1 },
        { "contacts-remote-monitor", "ContactsRemoteMonitorSpeedButton", "Remote monitor", contacts, 8982, 5, 1 },
        { "contacts-radio-enable", "ContactsRadioEnableSpeedButton", "Radio Enable", contacts, 8982, 6, 1 },
        { "contacts-radio-disable", "ContactsRadioDisableSpeedButton", "Radio Disable", contacts, 8982, 7, 1 },
        { "contacts-program-key", "ContactsProgramKeySpeedButton", "Program Key", contacts, 8983, 0, 1 },
        { "scan", "ScanScanSpeedButton", "Scan", scanGroup, 8983, 1, 1 },
        { "scan-edit-list", "ScanEditListSpeedButton", "Edit List", scanGroup, 8983, 2, 1 },
        { "call-log-missed", "CallLogMissedSpeedButton", "Missed", log, 8983, 3, 1 },
        { "call-log-answered", "CallLogAnsweredSpeedButton", "Answered", log, 8983, 4, 1 },
        { "call-log-outgoing-radio", "CallLogOutgoingRadioSpeedButton", "Outgoing Radio", log, 8983, 5, 1 },
        { "utilities-talk-around", "UtilitiesTalkAroundSpeedButton", "Talk Around", utilities, 8983, 6, 1 },
        { "utilities-tone-or-alert", "UtilitiesToneOrAlertSpeedButton", "Tone or Alert", utilities, 8983, 7, 1 },
        { "utilities-power", "UtilitiesPowerSpeedButton", "Power", utilities, 8984, 0, 1 },
        { "utilities-back-light", "UtilitiesBackLightSpeedButton", "Back Light", utilities, 8984, 1, 1 },
        { "utilities-intro-screen", "UtilitiesIntroScreenSpeedButton", "Intro Screen", utilities, 8984, 2, 1 },
        { "utilities-keypad-lock", "UtilitiesKeyPadLockSpeedButton", "Keypad Lock", utilities, 8984, 3, 1 },
        { "utilities-led-indicator", "UtilitiesLEDIndicatorSpeedButton", "LED Indicator", utilities, 8984, 4, 1 },
        { "utilities-squelch", "UtilitiesSquelchSpeedButton", "Squelch", utilities, 8984, 5, 1 },
        { "utilities-vox", "UtilitiesVOXSpeedButton", "VOX", utilities, 8984, 7, 1 },
        { "utilities-password-and-lock", "UtilitiesPasswordAndLockSpeedButton", "Password and Lock", utilities, 8985, 0,
            1 },
        { "utilities-display-mode", "UtilitiesDisplayModeSpeedButton", "Display Mode", utilities, 8985, 1, 1 },
        { "utilities-program-radio", "UtilitiesProgramRadioSpeedButton", "Program Radio", utilities, 8985, 2, 0 },
        { "utilities-gps", "UtilitiesGPSSpeedButton", "GPS", utilities, 8985, 3, 0 },
    };
    SettingFields fields { choice("menu-hang-time", "MenuHangTimeComboBox", "Menu Hang Time ", menu, byteField(8981),
        withFirst({ 0, QStringLiteral("Hang ") }, scaled(1, 30, 1, 1, QStringLiteral(" secs"))),
        "How long the radio remains in menu mode") };
    for (const MenuSwitch &s : switches)
        fields.append(toggle(s.key, s.control, s.caption, s.group, switchBit(s.offset, s.bit, s.downWhen)));
    return fields;
}

const QString kOn = QStringLiteral("on");
const QString kOff = QStringLiteral("off");

QString entryText(const ValueLabels &choices, int value)
{
    for (const ValueLabel &entry : choices) {
        if (entry.value == value)
            return entry.label;
    }
    return {};
}

QString setText(FileImage &image, const SettingField &field, const QString &value)
{
    if (value.size() > field.maxLength)
        return QStringLiteral("at most %1 characters").arg(field.maxLength);
    // Keys the edit swallows are refused, unless the field cleans what it is given anyway.
    if (!field.text.cleans && !std::all_of(value.begin(), value.end(), field.accepts))
        return QStringLiteral("not accepted: %1").arg(field.values);
    for (const auto &check : { field.text.refusal, field.unfinished }) {
        if (check && !check(value).isEmpty())
            return check(value);
    }
    field.text.write(image, 0, value);
    return {};
}

} // namespace

const SettingFields &basicFields()
{
    static const SettingFields fields = makeBasicFields();
    return fields;
}

const SettingFields &generalFields()
{
    static const SettingFields fields = makeGeneralFields();
    return fields;
}

const SettingFields &menusFields()
{
    static const SettingFields fields = makeMenusFields();
    return fields;
}

bool isEditable(const SettingField &field)
{
    return field.kind != SettingKind::Shown;
}

const SettingField *findSetting(const QString &key)
{
    for (const SettingFields *fields : { &basicFields(), &generalFields(), &menusFields() }) {
        for (const SettingField &field : *fields) {
            if (field.key == key && isEditable(field))
                return &field;
        }
    }
    return nullptr;
}

QString settingValue(const FileImage &image, const SettingField &field)
{
    switch (field.kind) {
    case SettingKind::Shown:
    case SettingKind::Text:
        return field.text.read(image, 0);
    case SettingKind::Choice:
    case SettingKind::Options:
        return entryText(field.choices, field.codec.read(image, 0));
    case SettingKind::Toggle:
        return field.codec.read(image, 0) == 1 ? kOn : kOff;
    }
    return {};
}

QString setSetting(FileImage &image, const SettingField &field, const QString &value)
{
    switch (field.kind) {
    case SettingKind::Shown:
        return QStringLiteral("read-only");
    case SettingKind::Text:
        return setText(image, field, value);
    case SettingKind::Choice:
    case SettingKind::Options:
        for (const ValueLabel &entry : field.choices) {
            if (entry.label.trimmed().compare(value.trimmed(), Qt::CaseInsensitive) == 0) {
                field.codec.write(image, 0, entry.value);
                return {};
            }
        }
        return QStringLiteral("no such entry");
    case SettingKind::Toggle:
        if (value.compare(kOn, Qt::CaseInsensitive) != 0 && value.compare(kOff, Qt::CaseInsensitive) != 0)
            return QStringLiteral("on or off");
        field.codec.write(image, 0, value.compare(kOn, Qt::CaseInsensitive) == 0 ? 1 : 0);
        return {};
    }
    return {};
}

QString settingValues(const SettingField &field)
{
    switch (field.kind) {
    case SettingKind::Shown:
        return QStringLiteral("read-only");
    case SettingKind::Text:
        return field.values;
    case SettingKind::Choice:
    case SettingKind::Options: {
        // A long regular list reads best as its start and its end.
        constexpr int kListedInFull = 12;
        QStringList texts;
        for (const ValueLabel &entry : field.choices)
            texts.append(entry.label);
        if (texts.size() > kListedInFull)
            texts = texts.mid(0, 3) + QStringList { QStringLiteral("...") } + texts.mid(texts.size() - 1);
        return texts.join(QStringLiteral(" | "));
    }
    case SettingKind::Toggle:
        return kOn + QStringLiteral(" | ") + kOff;
    }
    return {};
}

} // namespace codeplug
