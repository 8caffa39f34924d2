#include "BasicForm.h"

#include "SettingsPanel.h"

#include <QComboBox>

BasicForm::BasicForm(const PageContext &context, QWidget *parent)
    : SettingsPage(context, QStringLiteral("Basic radio information "), codeplug::basicFields(), parent)
{
    setObjectName(QStringLiteral("BasicForm"));
    static_cast<QComboBox *>(panel().control(QStringLiteral("radio-model")))->setMaxVisibleItems(22);
}
