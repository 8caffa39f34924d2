#include "ChoiceSettings.h"

#include "ButtonSettings.h"
#include "ChannelRecord.h"
#include "DtmfSettings.h"
#include "EmergencySystems.h"
#include "GpsSystems.h"
#include "Layout.h"
#include "SettingsFields.h"

#include <algorithm>

namespace codeplug {

namespace {

void addSettingFields(ChoiceSettings &out, const SettingFields &fields)
{
    for (const SettingField &field : fields) {
        if (field.kind != SettingKind::Choice && field.kind != SettingKind::Options)
            continue;
        out.append({ field.key, 1, field.codec, [choices = field.choices](const FileImage &, int) { return choices; },
            [&field](const FileImage &image, int) { return settingValue(image, field); } });
    }
}

void addColumns(ChoiceSettings &out, const QString &page, const FieldTable &table, int entries)
{
    for (const FieldColumn &column : table) {
        if (column.edit == FieldColumn::Edit::Choice)
            out.append({ page + QLatin1Char('/') + column.title, entries, column.value, column.choices, column.text });
    }
}

// A field whose page shows the label of its entry.
void addChoice(
    ChoiceSettings &out, const QString &name, FieldCodec value, std::function<ValueLabels(const FileImage &)> choices)
{
    auto text = [read = value.read, choices](
                    const FileImage &image, int entry) { return labelOf(choices(image), read(image, entry)); };
    out.append({ name, 1, std::move(value), [choices](const FileImage &image, int) { return choices(image); },
        std::move(text) });
}

void addFixedChoice(ChoiceSettings &out, const QString &name, FieldCodec value, const ValueLabels &choices)
{
    addChoice(out, name, std::move(value), [choices](const FileImage &) { return choices; });
}

void addButtons(ChoiceSettings &out)
{
    for (int byte = 0; byte < 4; ++byte)
        addChoice(out, QStringLiteral("side-button-%1").arg(byte), buttonfields::sideButton(byte), sideButtonFunctions);
    addFixedChoice(out, QStringLiteral("long-press-duration"), buttonfields::longPressDuration(), longPressDurations());
    addColumns(out, QStringLiteral("one-touch"), oneTouchColumns(), buttons::kOneTouchCount);
    addColumns(out, QStringLiteral("number-key"), numberKeyColumns(), buttons::kNumberKeyCount);
}

void addEmergencyHeader(ChoiceSettings &out)
{
    const auto add = [&out](const char *name, const emergency::ChoiceField &field) {
        addFixedChoice(out, QLatin1String(name), field.codec, field.choices);
    };
    add("remote-monitor-duration", emergency::remoteMonitorDuration());
    add("remote-sync-wakeup", emergency::remoteSyncWakeup());
    add("tx-wakeup-message-limit", emergency::txWakeupMessageLimit());
}

bool offers(const ValueLabels &choices, int value)
{
    return std::any_of(
        choices.begin(), choices.end(), [value](const ValueLabel &choice) { return choice.value == value; });
}

ChoiceSettings makeSettingChoices()
{
    ChoiceSettings out;
    for (const SettingFields *fields : { &basicFields(), &generalFields(), &menusFields() })
        addSettingFields(out, *fields);
    addButtons(out);
    addEmergencyHeader(out);
    addColumns(out, QStringLiteral("dtmf-system"), dtmfSystemColumns(), dtmf::kSystemCount);
    addColumns(out, QStringLiteral("dtmf-decode"), dtmfDecodeColumns(), dtmf::kDecodeCount);
    addColumns(out, QStringLiteral("gps"), gpsColumns(), gps::kSystemCount);
    return out;
}

} // namespace

const ChoiceSettings &settingChoices()
{
    static const ChoiceSettings settings = makeSettingChoices();
    return settings;
}

bool holdsChoice(const ChoiceSetting &setting, const FileImage &image, int entry)
{
    return offers(setting.choices(image, entry), setting.value.read(image, entry));
}

void fillMissingChoices(FileImage &image)
{
    for (const ChoiceSetting &setting : settingChoices()) {
        for (int entry = 0; entry < setting.entries; ++entry) {
            const ValueLabels choices = setting.choices(image, entry);
            if (!choices.isEmpty() && !offers(choices, setting.value.read(image, entry)))
                setting.value.write(image, entry, choices.first().value);
        }
    }
}

} // namespace codeplug
