#pragma once

#include "CodePlugPage.h"

#include <array>

class InPlaceEditor;
class ListPanel;
class QTabWidget;

// The "  DTMF  " tab: the four DTMF systems, the 32 encode strings and the eight decode entries,
// one list on each of three tabs, edited in place.
class DTMFForm final : public CodePlugPage
{
    Q_OBJECT
public:
    enum List { SystemList, EncodeList, DecodeList, ListCount };

    DTMFForm(const PageContext &context, QWidget *parent);

    // Both rebuild the three lists.
    void pageRefresh() override;
    void pageShown() override;
    ListPanel *panel(List list) const { return m_panels[list]; }
    QTabWidget *tabs() const { return m_tabs; }

private:
    ListPanel *addList(List list, const QString &caption, const QList<int> &widths, int count);

    QTabWidget *m_tabs;
    std::array<ListPanel *, ListCount> m_panels {};
};
