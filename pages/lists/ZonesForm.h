#pragma once

#include "MemberListsPage.h"

// The "  Zones  " tab: the zones and their channels.
class ZonesForm final : public MemberListsPage
{
    Q_OBJECT
public:
    ZonesForm(const PageContext &context, QWidget *parent);

    // Rebuilds at once, not through the deferred refresh. The page has no page-shown operation.
    void pageRefresh() override;
};
