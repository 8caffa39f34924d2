#include "BasicForm.h"

BasicForm::BasicForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("Basic information"), parent)
{
    setObjectName(QStringLiteral("BasicForm"));
}

void BasicForm::pageShown()
{
    pageRefresh();
}
