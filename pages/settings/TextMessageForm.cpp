#include "TextMessageForm.h"

TextMessageForm::TextMessageForm(const PageContext &context, QWidget *parent)
    : PlaceholderPage(context, QStringLiteral("Digital text messages"), parent)
{
    setObjectName(QStringLiteral("TextMessageForm"));
}

void TextMessageForm::pageShown()
{
    pageRefresh();
}
