#pragma once

#include "CodePlugPage.h"

namespace codeplug {
struct FieldCodec;
namespace emergency {
struct ChoiceField;
}
} // namespace codeplug
class FieldBinder;
class ListPanel;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLayout;
class QPushButton;

// The "  Digital Emergency System  " tab: the section header's decode switches and timings, and
// the list of up to 32 emergency systems, edited in place cell by cell.
class EmergencySystemForm final : public CodePlugPage
{
    Q_OBJECT
public:
    EmergencySystemForm(const PageContext &context, QWidget *parent);

    // Rebuilds at once, selecting the first system.
    void pageRefresh() override;
    void pageShown() override;
    ListPanel *panel() const { return m_panel; }

private:
    QLayout *createHeader();
    QPushButton *addToggle(const char *name, const QString &caption, const codeplug::FieldCodec &codec);
    QComboBox *addChoice(const char *name, const char *labelName, const QString &label,
        const codeplug::emergency::ChoiceField &field, QHBoxLayout *row);
    void setTabOrderAsShown();
    void editCell(int row, int column);
    void showHeader(const codeplug::FileImage *image);

    ListPanel *m_panel;
    FieldBinder *m_header;
    QLabel *m_label1;
    QList<QPushButton *> m_toggles;
    QList<QComboBox *> m_choices;
};
