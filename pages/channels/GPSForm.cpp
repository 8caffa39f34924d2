#include "GPSForm.h"

GPSForm::GPSForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("GPS"), parent)
{
    setObjectName(QStringLiteral("GPSForm"));
}

void GPSForm::pageShown()
{
    pageRefresh();
}
