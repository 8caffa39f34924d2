#pragma once

#include "CodePlugPage.h"

// The "  General  " tab. Shows only whether a code plug is loaded until its controls are built.
class GeneralForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    GeneralForm(const PageContext &context, QWidget *parent);

    void pageShown() override;
};
