#pragma once

#include "SettingsPage.h"

// The "  Menus  " tab: the table of codeplug::menusFields() on the shared settings page.
class MenusForm final : public SettingsPage
{
    Q_OBJECT
public:
    MenusForm(const PageContext &context, QWidget *parent);
};
