#include "ChannelsForm.h"

ChannelsForm::ChannelsForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("Channels"), parent)
{
    setObjectName(QStringLiteral("ChannelsForm"));
}

void ChannelsForm::pageShown()
{
    pageRefresh();
}
