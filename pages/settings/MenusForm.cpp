#include "MenusForm.h"

MenusForm::MenusForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("Menus"), parent)
{
    setObjectName(QStringLiteral("MenusForm"));
}

void MenusForm::pageShown()
{
    pageRefresh();
}
