#pragma once

#include "CodePlugPage.h"

// The "  GPS  " tab. Shows only whether a code plug is loaded until its controls are built.
class GPSForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    GPSForm(const PageContext &context, QWidget *parent);

    void pageShown() override;
};
