#include "DigitalContactsForm.h"

DigitalContactsForm::DigitalContactsForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("Digital contacts"), parent)
{
    setObjectName(QStringLiteral("DigitalContactsForm"));
}

void DigitalContactsForm::pageShown()
{
    pageRefresh();
}
