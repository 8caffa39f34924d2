#pragma once

#include "CodePlugPage.h"

// The "  Digital Voice Encryption  " tab. Shows only whether a code plug is loaded until its controls are built.
class VoiceEncryptionForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    VoiceEncryptionForm(const PageContext &context, QWidget *parent);

    void pageShown() override;
};
