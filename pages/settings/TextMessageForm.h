#pragma once

#include "CodePlugPage.h"

// The "  Digital Text Msg  " tab. Shows only whether a code plug is loaded until its controls are built.
class TextMessageForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    TextMessageForm(const PageContext &context, QWidget *parent);

    void pageShown() override;
};
