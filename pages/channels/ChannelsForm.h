#pragma once

#include "CodePlugPage.h"
#include "ProtectedLists.h"

#include <functional>
#include <optional>
#include <utility>

#include <QList>

class ChannelDetails;
class DragSelector;
class InPlaceEditor;
class ListKeys;
class MoveRepeater;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// The "  Channels  " tab: the list of used channels with its commands on the left, the settings
// of the selected channels on the right. Every change of a detail control is written at once into
// each selected channel, and only into its own bits.
//
// Object names: ListView, TitleLabel, HeadingLabel, SearchEdit, AddBitBtn, DeleteBitBtn,
// ImportButton, ExportButton, MoveUp10BitBtn, MoveUpBitBtn, MoveDownBitBtn, MoveDown10BitBtn,
// Timer1, PopupMenu1 (actions CopyMenuItem ... CancelMenuItem); the detail controls are named in
// ChannelDetails.
class ChannelsForm final : public CodePlugPage
{
    Q_OBJECT
public:
    static constexpr int kMaxChannels = 1000;
    static constexpr int kSearchTicks = 40; // one second of the 25 ms timer

    ChannelsForm(const PageContext &context, QWidget *parent);
    ~ChannelsForm() override;

    // Prepare: refills the fixed choice lists, shows or hides the GPS system choice and posts a
    // rebuild with the first row selected.
    void pageRefresh() override;
    // Brings labels, selection-dependent controls and enabling in line without rebuilding.
    void pageShown() override;
    // Brings the page in line with the current slot: `rebuild` refills the list; a `topRow` above 0
    // is scrolled to the top, otherwise a rebuild selects the first row.
    void refresh(bool rebuild, int topRow);

    // Protected channel names, common to all slots; the settings file reads and writes them.
    codeplug::ProtectedChannelList &protectedChannels() { return m_protectedChannels; }

    // The list commands of the buttons, keys and popup menu.
    void addCommand();
    void insertCommand();
    void deleteCommand();
    void moveSelection(int n);
    void sortCommand();
    void searchNow();
    void selectAllRows(bool select);
    void setSelectionProtected(bool protect);
    void copyCommand();
    void pasteOverCommand();
    void pasteNewCommand();
    void importCommand();
    void exportCommand();
    // Recomputes which popup entries are enabled (done each time the menu opens).
    void updatePopupMenu();

protected:
    void deferredRefresh(bool rebuild, int topRow) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createListSide(class QBoxLayout *layout);
    void createDetailSide(class QBoxLayout *layout);
    void createPopupMenu();
    void rebuildList(const codeplug::FileImage &image);
    void relabelRows(const codeplug::FileImage &image);
    void updateTitle();
    void updateButtons();
    void showEmptyState();
    bool searchKeyPress(class QKeyEvent *event);
    void timerTick();
    void listViewSelectItem();
    void listViewDblClick(QTreeWidgetItem *item, int column);
    void toggleProtection(int row);
    QString protectText(const codeplug::FileImage &image, int row) const;
    QList<int> selectedRows() const;
    int topRow() const;
    void selectOnly(int row);
    void moveButton(int baseStep, int size);
    bool askContinue(const QString &message);

    codeplug::ProtectedChannelList m_protectedChannels;

    QLabel *m_headingLabel = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLineEdit *m_searchEdit = nullptr;
    QTreeWidget *m_listView = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QPushButton *m_importButton = nullptr;
    QPushButton *m_exportButton = nullptr;
    QPushButton *m_moveUp10Button = nullptr;
    QPushButton *m_moveUpButton = nullptr;
    QPushButton *m_moveDownButton = nullptr;
    QPushButton *m_moveDown10Button = nullptr;
    QTimer *m_timer1 = nullptr;
    QMenu *m_popupMenu = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_pasteInsertAction = nullptr;
    QAction *m_pasteOverAction = nullptr;
    QAction *m_pasteNewAction = nullptr;
    QAction *m_addAction = nullptr;
    QAction *m_insertAction = nullptr;
    QAction *m_deleteAction = nullptr;
    QAction *m_unselectAllAction = nullptr;
    QAction *m_selectAllAction = nullptr;
    QAction *m_unprotectAction = nullptr;
    QAction *m_protectAction = nullptr;
    QAction *m_cancelAction = nullptr;
    ChannelDetails *m_details = nullptr;

    InPlaceEditor *m_editor = nullptr;
    DragSelector *m_drag = nullptr;
    ListKeys *m_listKeys = nullptr;
    MoveRepeater *m_repeater = nullptr;
    int m_searchCountdown = -1;
    bool m_selectionRefreshPosted = false;
};
