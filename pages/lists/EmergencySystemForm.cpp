#include "EmergencySystemForm.h"

EmergencySystemForm::EmergencySystemForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("Digital emergency systems"), parent)
{
    setObjectName(QStringLiteral("EmergencySystemForm"));
}

void EmergencySystemForm::pageShown()
{
    pageRefresh();
}
