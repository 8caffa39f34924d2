#pragma once

#include "FieldCodec.h"
#include "FileImage.h"

#include <functional>

#include <QList>
#include <QString>

namespace codeplug {

// A single-valued drop-down of a radio-wide settings area, for each of its `entries` fixed entries
// (one for a settings field, four for the DTMF systems, ...). List records are not among them.
struct ChoiceSetting
{
    QString name; // which page field, for messages
    int entries = 1;
    FieldCodec value;
    // The drop-down's entries for one entry of the field; none when it offers no editor.
    std::function<ValueLabels(const FileImage &, int entry)> choices;
    // What the page shows for the stored value.
    std::function<QString(const FileImage &, int entry)> text;
};
using ChoiceSettings = QList<ChoiceSetting>;

// The drop-downs of the General, Menus and Buttons pages, the emergency systems header and the
// DTMF and GPS pages.
const ChoiceSettings &settingChoices();

// True when an entry of the drop-down carries the stored value of `entry`.
bool holdsChoice(const ChoiceSetting &setting, const FileImage &image, int entry);

// Stores the first drop-down entry wherever no entry carries the stored value, so that no page
// shows a blank drop-down or an unknown value. Fields that hold a choice are left as they are.
void fillMissingChoices(FileImage &image);

} // namespace codeplug
