#pragma once

#include "ChannelRecord.h"
#include "FieldCodec.h"
#include "FileImage.h"
#include "Layout.h"

#include <array>

#include <QString>
#include <QStringList>

namespace codeplug::emergency {

// The section's 16-byte header is a settings area of radio-wide switches; the 32 systems follow.
inline constexpr RecordArea kHeader = settingsArea(sectionOffset(Section::EmergencySystems));
inline constexpr RecordArea kSystems = recordsOf(lists::emergencySystems);

// A field and the entries its drop-down list offers (none for a toggle).
struct ChoiceField
{
    FieldCodec codec;
    ValueLabels choices;
};

// Header byte 0, bits 0, 1 and 2: the three decode switches, on = 1.
FieldCodec radioDisableDecode();
FieldCodec remoteMonitorDecode();
FieldCodec emergencyRemoteMonitorDecode();
// Header bytes 1, 2 and 3.
const ChoiceField &remoteMonitorDuration(); // seconds, 10..120 in tens
const ChoiceField &remoteSyncWakeup(); // code n = n x 25 ms, 5..15
const ChoiceField &txWakeupMessageLimit(); // 1..4

// One column of a system's row after its name: the field, the cell text of a stored value and
// the entries of the column's drop-down editor.
struct SystemField
{
    const char *title;
    FieldCodec codec;
    QString (*text)(const FileImage &image, int value);
    ValueLabels (*choices)(const FileImage &image);
};

inline constexpr int kSystemFieldCount = 6;
// Alarm type, alarm mode, revert channel, impolite retries, polite retries, hot mic duration.
const std::array<SystemField, kSystemFieldCount> &systemFields();

// The texts of system `index`'s row: its number, its name, then one per system field.
QStringList systemCells(const FileImage &image, int index);

} // namespace codeplug::emergency
