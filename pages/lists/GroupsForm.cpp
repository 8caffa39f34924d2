#include "GroupsForm.h"

GroupsForm::GroupsForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("Digital rx group lists"), parent)
{
    setObjectName(QStringLiteral("GroupsForm"));
}

void GroupsForm::pageShown()
{
    pageRefresh();
}
