#pragma once

#include "CodePlugPage.h"

// The "  Basic  " tab. Shows only whether a code plug is loaded until its controls are built.
class BasicForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    BasicForm(const PageContext &context, QWidget *parent);

    void pageShown() override;
};
