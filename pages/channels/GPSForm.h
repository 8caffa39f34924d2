#pragma once

#include "CodePlugPage.h"

class ListPanel;

// The "  GPS  " tab: the sixteen GPS systems, each field edited in place from a drop-down list.
// Radio types without GPS (0 and 0x33) have the tab hidden.
class GPSForm final : public CodePlugPage
{
    Q_OBJECT
public:
    GPSForm(const PageContext &context, QWidget *parent);

    // Offers or hides the tab for the current radio type, then rebuilds the list.
    void pageRefresh() override;
    void pageShown() override;
    ListPanel *panel() const { return m_panel; }

private:
    ListPanel *m_panel;
};
