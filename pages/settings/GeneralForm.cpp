#include "GeneralForm.h"

GeneralForm::GeneralForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("General settings"), parent)
{
    setObjectName(QStringLiteral("GeneralForm"));
}

void GeneralForm::pageShown()
{
    pageRefresh();
}
