#pragma once

#include "FieldBinder.h"
#include "SettingsFields.h"

#include <QHash>
#include <QScrollArea>

class FieldGrid;
class QLabel;

// The controls of one radio-wide settings page, built from its field table (codeplug/
// SettingsFields) and bound through one FieldBinder to the current slot's image: a title, then one
// group box per group of the table, in table order. Read-only texts are shown again after every
// write, since a write may change them (the model rewrites the frequency range).
//
// Object names: SettingsScrollArea (this), SettingsPanel, TitleLabel, each field's control name
// (Options: control name + entry text + "SpeedButton") and its label, and a group box per group
// named after its title ("Call Log" gives CallLogGroupBox).
class SettingsPanel final : public QScrollArea
{
    Q_OBJECT
public:
    SettingsPanel(
        const QString &title, const codeplug::SettingFields &fields, FieldBinder::ImageSource image, QWidget *parent);

    // Refills the drop-down lists and shows `image`, or blanks every control for none.
    void showImage(const codeplug::FileImage *image);
    // The control of the field named `key` (the first button of Options).
    QWidget *control(const QString &key) const { return m_controls.value(key); }
    FieldBinder &binder() const { return *m_binder; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FieldGrid *gridFor(const QString &group);
    void addField(const codeplug::SettingField &field);
    void showReadOnlyTexts();

    FieldBinder *m_binder;
    QWidget *m_area;
    QList<FieldGrid *> m_grids;
    QHash<QString, FieldGrid *> m_gridOfGroup;
    QHash<QString, QWidget *> m_controls;
    QList<std::pair<QComboBox *, const codeplug::ValueLabels *>> m_choices;
    QList<QWidget *> m_readOnly;
    int m_twoColumnWidth = 0;
};
