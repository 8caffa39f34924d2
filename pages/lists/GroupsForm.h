#pragma once

#include "MemberListsPage.h"

// The "  Digital Rx Groups  " tab: the rx group lists and their group-call contacts.
class GroupsForm final : public MemberListsPage
{
    Q_OBJECT
public:
    GroupsForm(const PageContext &context, QWidget *parent);

    // Rebuilds through the deferred refresh.
    void pageRefresh() override;
    void pageShown() override;
};
