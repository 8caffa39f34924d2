#pragma once

#include "CodePlugPage.h"
#include "ProtectedLists.h"

// The "  Channels  " tab. Until its list is built it keeps the protected channel names, which the
// settings file reads and writes.
class ChannelsForm final : public PlaceholderPage
{
    Q_OBJECT
public:
    ChannelsForm(const PageContext &context, QWidget *parent);

    void pageShown() override;

    // Protected channel names, common to all slots.
    codeplug::ProtectedChannelList &protectedChannels() { return m_protectedChannels; }

private:
    codeplug::ProtectedChannelList m_protectedChannels;
};
