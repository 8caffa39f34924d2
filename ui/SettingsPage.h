#pragma once

#include "CodePlugPage.h"
#include "SettingsFields.h"

class SettingsPanel;

// A radio-wide settings page: its field table shown and bound by a SettingsPanel. Refusals of
// typed values are shown in a box captioned "Error".
class SettingsPage : public CodePlugPage
{
    Q_OBJECT
public:
    SettingsPage(
        const PageContext &context, const QString &title, const codeplug::SettingFields &fields, QWidget *parent);

    void pageRefresh() override;
    void pageShown() override { pageRefresh(); }

protected:
    SettingsPanel &panel() const { return *m_panel; }
    void showError(const QString &text);

private:
    SettingsPanel *m_panel;
};
