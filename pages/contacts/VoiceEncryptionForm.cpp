#include "VoiceEncryptionForm.h"

VoiceEncryptionForm::VoiceEncryptionForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("Digital voice encryption"), parent)
{
    setObjectName(QStringLiteral("VoiceEncryptionForm"));
}

void VoiceEncryptionForm::pageShown()
{
    pageRefresh();
}
