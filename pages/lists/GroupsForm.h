#pragma once

#include "CodePlugPage.h"

// The "  Digital Rx Groups  " tab. Shows only whether a code plug is loaded until its controls are built.
class GroupsForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    GroupsForm(const PageContext &context, QWidget *parent);

    void pageShown() override;
};
