#include "MenusForm.h"

#include "SettingsPanel.h"

#include <QComboBox>

MenusForm::MenusForm(const PageContext &context, QWidget *parent)
    : SettingsPage(
        context, QStringLiteral("Enable/Disable various menu options on the radio "), codeplug::menusFields(), parent)
{
    setObjectName(QStringLiteral("MenusForm"));
    static_cast<QComboBox *>(panel().control(QStringLiteral("menu-hang-time")))->setMaxVisibleItems(22);
}
