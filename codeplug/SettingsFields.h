#pragma once

#include "FieldCodec.h"

#include <functional>

#include <QList>
#include <QString>

namespace codeplug {

enum class SettingKind {
    Shown, // read-only text
    Text, // an edit
    Choice, // a drop-down list
    Options, // exclusive buttons, one per choice
    Toggle, // a button that is down for 1
};

// One field of a radio-wide settings page: what the page shows and binds, and what the command
// line reads and sets, so that the two can never disagree. Offsets are file offsets
// (settingsArea(0)).
struct SettingField
{
    QString key; // lower-case words joined by "-", as the command line names it
    const char *control; // object name; for Options the prefix of the buttons' names
    QString label; // label, or a toggle's caption
    QString group; // title of the group box it stands in
    QString hint = {};
    SettingKind kind = SettingKind::Text;
    FieldCodec codec = {}; // Choice, Options, Toggle
    ValueLabels choices = {}; // Choice, Options
    TextCodec text = {}; // Text, Shown
    int maxLength = 0; // Text
    std::function<bool(QChar)> accepts = {}; // Text: the characters a key press may enter
    // Text: why a finished value (the edit left) cannot stand; a password needs all its digits.
    std::function<QString(const QString &text)> unfinished = {};
    QString values = {}; // Text: what it takes, for the key list
};
using SettingFields = QList<SettingField>;

// The fields of the Basic, General and Menus pages, in page order.
const SettingFields &basicFields();
const SettingFields &generalFields();
const SettingFields &menusFields();

// The editable field named `key` on any of the three pages, or nullptr.
const SettingField *findSetting(const QString &key);
bool isEditable(const SettingField &field);

// The value as the command line prints it: an entry's text, "on" / "off", an edit's text.
QString settingValue(const FileImage &image, const SettingField &field);
// Sets the field as typing `value` into its control, or choosing it, would. Returns why the control
// would not take it (empty when it did); a refused value writes nothing.
QString setSetting(FileImage &image, const SettingField &field, const QString &value);
// What the field takes, for the key list: "on | off", the entry texts, or the edit's rule.
QString settingValues(const SettingField &field);

namespace generalsettings {
inline constexpr int kRadioId = 8873; // 24-bit little-endian
inline constexpr int kMaxRadioId = 16777215;
} // namespace generalsettings

} // namespace codeplug
