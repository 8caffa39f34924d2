#include "ButtonsForm.h"

ButtonsForm::ButtonsForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("Buttons"), parent)
{
    setObjectName(QStringLiteral("ButtonsForm"));
}

void ButtonsForm::pageShown()
{
    pageRefresh();
}
