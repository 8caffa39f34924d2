#include "DTMFForm.h"

DTMFForm::DTMFForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("DTMF"), parent)
{
    setObjectName(QStringLiteral("DTMFForm"));
}

void DTMFForm::pageShown()
{
    pageRefresh();
}
