#include "ScanListsForm.h"

ScanListsForm::ScanListsForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("Scan lists"), parent)
{
    setObjectName(QStringLiteral("ScanListsForm"));
}

void ScanListsForm::pageShown()
{
    pageRefresh();
}
