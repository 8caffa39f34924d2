#pragma once

#include "CodePlugPage.h"

class DragSelector;
class InPlaceEditor;
class QLabel;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// The "  Zones  " tab: the list of zones, renamed in place by a double-click.
class ZonesForm final : public CodePlugPage
{
    Q_OBJECT
public:
    ZonesForm(const PageContext &context, QWidget *parent);
    ~ZonesForm() override;

    // Rebuilds at once, not through the deferred refresh. The page has no page-shown operation.
    void pageRefresh() override;
    // Rebuilds the list when `refill` is set, updates the title, and scrolls `top` to the top.
    void refresh(bool refill, int top);

protected:
    void deferredRefresh(bool rebuild, int topRow) override;

private:
    void listViewDblClick(QTreeWidgetItem *item);
    void listViewSelectItem();
    void updateTitle();

    QLabel *m_titleLabel;
    QTreeWidget *m_listView;
    QLabel *m_label1;
    QTimer *m_timer1;
    InPlaceEditor *m_editor;
    DragSelector *m_drag;
};
