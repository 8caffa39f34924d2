#pragma once

#include "CodePlugPage.h"

class ListPanel;
class QLabel;

// The "  Zones  " tab: the list of zones, renamed in place by a double-click.
class ZonesForm final : public CodePlugPage
{
    Q_OBJECT
public:
    ZonesForm(const PageContext &context, QWidget *parent);

    // Rebuilds at once, not through the deferred refresh. The page has no page-shown operation.
    void pageRefresh() override;
    ListPanel *panel() const { return m_panel; }

private:
    ListPanel *m_panel;
    QLabel *m_label1;
};
