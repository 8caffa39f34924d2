#include "EmergencySystems.h"

#include "RecordName.h"

namespace codeplug::emergency {

namespace {

constexpr int kLastChannel = 1000;
constexpr int kLastPoliteRetries = 14; // above: retries without end

ValueLabels numbers(int first, int last, int step = 1, const QString &unit = {})
{
    ValueLabels labels;
    for (int value = first; value <= last; value += step)
        labels.append({ value, QString::number(value) + unit });
    return labels;
}

ValueLabels secondsInTens()
{
    return numbers(10, 120, 10, QStringLiteral(" secs"));
}

const ValueLabels &alarmTypes()
{
    static const ValueLabels labels { { 0, QStringLiteral("Disabled") }, { 1, QStringLiteral("Regular") },
        { 2, QStringLiteral("Silent") }, { 3, QStringLiteral("Silent with Voice") } };
    return labels;
}

const ValueLabels &alarmModes()
{
    static const ValueLabels labels { { 0, QStringLiteral("Emergency Alarm") },
        { 1, QStringLiteral("Emergency Alarm with Call") },
        { 2, QStringLiteral("Emergency Alarm with Voice to Follow") } };
    return labels;
}

// Values outside the channel numbers read as none, so that the editor then offers "None".
FieldCodec revertChannel()
{
    FieldCodec codec = u16Field(kSystems, 36);
    codec.read = [raw = codec.read](const FileImage &image, int record) {
        const int value = raw(image, record);
        return value <= kLastChannel ? value : 0;
    };
    return codec;
}

// "None", then every used digital channel under its name: a revert channel carries a digital call.
ValueLabels digitalChannels(const FileImage &image)
{
    ValueLabels labels { { 0, QStringLiteral("None") } };
    for (int i = 0; i < lists::channels.count; ++i) {
        if (isRecordUsed(image, lists::channels, i)
            && channelField(image, i, channelfields::mode) == int(ChannelMode::Digital))
            labels.append({ i + 1, channelName(image, i) });
    }
    return labels;
}

const std::array<SystemField, kSystemFieldCount> kSystemFields = { {
    { "Alarm Type", bitField(kSystems, 32, 0x03, 0),
        [](const FileImage &, int value) { return labelOf(alarmTypes(), value); },
        [](const FileImage &) { return alarmTypes(); } },
    { "Alarm Mode", bitField(kSystems, 32, 0x30, 4),
        [](const FileImage &, int value) {
            const QString text = labelOf(alarmModes(), value);
            return text.isEmpty() ? QStringLiteral("Unknown") : text;
        },
        [](const FileImage &) { return alarmModes(); } },
    // A channel that has become analogue still shows its name, though the editor no longer offers it.
    { "Revert Channel", revertChannel(),
        [](const FileImage &image, int value) {
            return value == 0 ? QStringLiteral("None") : channelName(image, value - 1);
        },
        digitalChannels },
    { "Impolite Replies", bitField(kSystems, 33, 0xFF, 0),
        [](const FileImage &, int value) { return QString::number(value); },
        [](const FileImage &) { return numbers(1, 15); } },
    { "Polite Retries", bitField(kSystems, 34, 0xFF, 0),
        [](const FileImage &, int value) {
            return value <= kLastPoliteRetries ? QString::number(value) : QStringLiteral("infinite");
        },
        [](const FileImage &) {
            return numbers(0, kLastPoliteRetries) << ValueLabel { kLastPoliteRetries + 1, QStringLiteral("Infinite") };
        } },
    { "Hot Mic Duration", bitField(kSystems, 35, 0xFF, 0),
        [](const FileImage &, int value) { return QString::number(value) + QStringLiteral(" secs"); },
        [](const FileImage &) { return secondsInTens(); } },
} };

} // namespace

FieldCodec radioDisableDecode()
{
    return bitField(kHeader, 0, 0x01, 0);
}

FieldCodec remoteMonitorDecode()
{
    return bitField(kHeader, 0, 0x02, 1);
}

FieldCodec emergencyRemoteMonitorDecode()
{
    return bitField(kHeader, 0, 0x04, 2);
}

const ChoiceField &remoteMonitorDuration()
{
    static const ChoiceField field { bitField(kHeader, 1, 0xFF, 0), secondsInTens() };
    return field;
}

const ChoiceField &remoteSyncWakeup()
{
    static const ChoiceField field = [] {
        ValueLabels labels;
        for (int code = 5; code <= 15; ++code)
            labels.append({ code, QStringLiteral("%1 ms").arg(code * 25) });
        return ChoiceField { bitField(kHeader, 2, 0xFF, 0), labels };
    }();
    return field;
}

const ChoiceField &txWakeupMessageLimit()
{
    static const ChoiceField field { bitField(kHeader, 3, 0xFF, 0), numbers(1, 4) };
    return field;
}

const std::array<SystemField, kSystemFieldCount> &systemFields()
{
    return kSystemFields;
}

QStringList systemCells(const FileImage &image, int index)
{
    QStringList cells { QString::number(index + 1), recordName(image, lists::emergencySystems, index) };
    for (const SystemField &field : kSystemFields)
        cells.append(field.text(image, field.codec.read(image, index)));
    return cells;
}

} // namespace codeplug::emergency
