#pragma once

#include "CodePlugPage.h"

// The "  Menus  " tab. Shows only whether a code plug is loaded until its controls are built.
class MenusForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    MenusForm(const PageContext &context, QWidget *parent);

    void pageShown() override;
};
