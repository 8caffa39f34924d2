#pragma once

#include "SettingsPage.h"

// The "  Basic  " tab: the table of codeplug::basicFields() on the shared settings page.
class BasicForm final : public SettingsPage
{
    Q_OBJECT
public:
    BasicForm(const PageContext &context, QWidget *parent);
};
