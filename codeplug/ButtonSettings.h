#pragma once

#include "FieldColumns.h"

namespace codeplug {

// The fields of the Buttons section's settings area (record 0).
namespace buttonfields {
FieldCodec sideButton(int byte); // 0 upper short, 1 upper long, 2 lower short, 3 lower long
FieldCodec longPressDuration();
} // namespace buttonfields

// The side-button functions a radio of this type offers: type 0 lacks the zone and battery ones.
ValueLabels sideButtonFunctions(const FileImage &image);
// 1000 ms to 3750 ms in steps of 250 ms, valued 4 to 15.
const ValueLabels &longPressDurations();

// What a one-touch entry sends: mode "None", "Digital" (a call or text message to a contact) or
// "Analogue" (a DTMF encode string through DTMF system 1 to 4).
enum class OneTouchMode { None = 0, Digital = 1, Analogue = 2 };
// Sets the mode and starts the entry over for it: contact 1 and a call when Digital, DTMF system 1
// and encode entry 1 when Analogue, nothing when None.
void setOneTouchMode(FileImage &image, int entry, int mode);

// The columns of the one-touch list after "No." and of the number-key list after "Num Key".
const FieldTable &oneTouchColumns();
const FieldTable &numberKeyColumns();

} // namespace codeplug
