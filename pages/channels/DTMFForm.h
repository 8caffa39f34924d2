#pragma once

#include "CodePlugPage.h"

// The "  DTMF  " tab. Shows only whether a code plug is loaded until its controls are built.
class DTMFForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    DTMFForm(const PageContext &context, QWidget *parent);

    void pageShown() override;
};
