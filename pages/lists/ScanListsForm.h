#pragma once

#include "CodePlugPage.h"

// The "  Scan Lists  " tab. Shows only whether a code plug is loaded until its controls are built.
class ScanListsForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    ScanListsForm(const PageContext &context, QWidget *parent);

    void pageShown() override;
};
