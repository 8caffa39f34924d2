#pragma once

#include "CodePlugPage.h"
#include "ListPanel.h"

#include <array>

class FieldBinder;
class InPlaceEditor;
class QComboBox;

// The "  Buttons  " tab: the side buttons' functions on short and long presses, the long press
// duration, the six one-touch entries and the quick contacts of the number keys.
class ButtonsForm final : public CodePlugPage
{
    Q_OBJECT
public:
    ButtonsForm(const PageContext &context, QWidget *parent);

    void pageRefresh() override;
    void pageShown() override;
    ListPanel *oneTouchPanel() const { return m_oneTouch; }
    ListPanel *numberKeyPanel() const { return m_numberKeys; }

private:
    QWidget *createSideButtons();
    ListPanel *addList(const char *name, const QString &title, ListPanel::Setup setup);

    FieldBinder *m_binder;
    QComboBox *m_longPress = nullptr;
    std::array<QComboBox *, 4> m_functions {};
    ListPanel *m_oneTouch = nullptr;
    ListPanel *m_numberKeys = nullptr;
};
