#pragma once

#include "CodePlugPage.h"
#include "ProtectedLists.h"

class ChannelDetails;
class ListPanel;
class QLabel;

// The "  Channels  " tab: the list of used channels on the shared list panel, with the name editor,
// protection by name, sorting by the name title, the clipboard and CSV files; the settings of the
// selected channels on the right (ChannelDetails).
//
// Object names: the list panel's (ListView, TitleLabel, SearchEdit, AddBitBtn ... Timer1),
// HeadingLabel, ListPanel, PopupMenu1 (actions CopyMenuItem ... CancelMenuItem); the detail
// controls are named in ChannelDetails.
class ChannelsForm final : public CodePlugPage
{
    Q_OBJECT
public:
    static constexpr int kMaxChannels = 1000;
    static constexpr int kSearchTicks = 40; // one second of the 25 ms timer

    ChannelsForm(const PageContext &context, QWidget *parent);

    // Refills the fixed choice lists, shows or hides the GPS system choice and rebuilds the list
    // with the first row selected.
    void pageRefresh() override;
    // Brings labels, selection-dependent controls and enabling in line without rebuilding.
    void pageShown() override;

    ListPanel *panel() const { return m_panel; }
    // Protected channel names, common to all slots; the settings file reads and writes them.
    codeplug::ProtectedChannelList &protectedChannels() { return m_protectedChannels; }

private:
    void setSelectionProtected(bool protect);
    void createListSide(class QBoxLayout *layout);
    void createPopupMenu();
    QString protectText(const codeplug::FileImage &image, int row) const;
    void toggleProtection(int row);
    void sortByName();
    void pasteOver();
    void pasteNew();
    void importChannels();
    void exportChannels();

    codeplug::ProtectedChannelList m_protectedChannels;
    ListPanel *m_panel = nullptr;
    ChannelDetails *m_details = nullptr;
};
