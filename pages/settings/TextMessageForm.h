#pragma once

#include "CodePlugPage.h"

class ListPanel;
class QLabel;

// The "  Digital Text Msg  " tab: the preset text messages, added, edited in place and deleted.
// A message that a one-touch button sends is not deleted.
class TextMessageForm final : public CodePlugPage
{
    Q_OBJECT
public:
    TextMessageForm(const PageContext &context, QWidget *parent);

    // Rebuilds at once, not through the deferred refresh. The page has no page-shown operation.
    void pageRefresh() override;
    ListPanel *panel() const { return m_panel; }

private:
    void editMessage(int row);
    void addAndEdit();

    ListPanel *m_panel;
    QLabel *m_label1;
};
