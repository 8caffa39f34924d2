#pragma once

#include "CodePlugPage.h"

// The "  Buttons  " tab. Shows only whether a code plug is loaded until its controls are built.
class ButtonsForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    ButtonsForm(const PageContext &context, QWidget *parent);

    void pageShown() override;
};
