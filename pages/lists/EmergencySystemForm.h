#pragma once

#include "CodePlugPage.h"

// The "  Digital Emergency System  " tab. Shows only whether a code plug is loaded until its controls are built.
class EmergencySystemForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    EmergencySystemForm(const PageContext &context, QWidget *parent);

    void pageShown() override;
};
