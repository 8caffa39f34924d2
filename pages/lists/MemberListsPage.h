#pragma once

#include "CodePlugPage.h"
#include "ListViewTools.h"

#include <functional>

#include <QList>
#include <QString>
#include <QStringList>

namespace codeplug {
class FileImage;
class MemberList;
struct MemberDescriptor;
} // namespace codeplug
class ListPanel;
class QGridLayout;
class QLabel;
class QPushButton;

// What one three-pane page shows: its list, the member texts and the cells of a member row.
struct MemberPageTexts
{
    const char *objectName;
    const codeplug::MemberDescriptor &members;
    QString titlePrefix; // "Groups" gives "Groups .. used 3 of 250. "
    QString emptyTitle; // no code plug
    QString initialTitle;
    QString availableTitle;
    QString membersInitialTitle;
    QString membersUsed; // "%1" takes the member count
    QString membersUpTo; // with several records selected; null: the title stays as it is
    QString label1;
    QList<listview::Column> memberColumns;
    // The cells of a member or available row for member number `number` (1-based).
    QStringList (*memberCells)(const codeplug::FileImage &image, int number);
    bool groupsPopup = false; // the group lists' menu: clipboard entries never offered, and Cancel
};

// "Chan", "Name" and "Mode" of channel `number` (1-based), as zones and scan lists show a channel.
QStringList channelMemberCells(const codeplug::FileImage &image, int number);

// The three-pane editor of a list whose records hold members (group lists, zones, scan lists):
// the records on the left (add, delete, move, rename in place), the records that may still be
// added in the middle and the members of the one selected record on the right (add, remove,
// move). Each pane is a ListPanel; the member panes follow the record list's selection.
//
// Object names: TitleLabel, ListView, AddBitBtn, DeleteBitBtn, MoveUpBitBtn, MoveDownBitBtn,
// AvailableTitleLabel, AvailableListView, AddToMemberBitBtn, DeleteFromMemberBitBtn,
// MembersTitleLabel, MemberListView, MemberMoveUpBitBtn, MemberMoveDownBitBtn, Label1, Timer1.
class MemberListsPage : public CodePlugPage
{
    Q_OBJECT
public:
    MemberListsPage(const PageContext &context, const MemberPageTexts &texts, QWidget *parent);

    ListPanel *panel() const { return m_panel; }
    ListPanel *availablePanel() const { return m_available; }
    ListPanel *memberPanel() const { return m_members; }

    void addSelectedMembers();
    void removeSelectedMembers();

protected:
    // The record of the one selected row, or -1 (none or several selected).
    int selectedRecord() const;
    void refreshPage(bool rebuild, int top);
    // Asks for a refresh of the member panes once the current event is handled.
    void refreshLater();
    // Asks for a rebuild from a slot that may be another one, once the current event is handled.
    void reloadLater();
    // Room under the three panes for a page's own controls.
    QGridLayout *extraGrid() const { return m_extra; }
    // Called after the member panes followed the selection, with the image or nullptr.
    virtual void selectionShown(const codeplug::FileImage *) { }

private:
    void createPanels();
    void createRecordPanel();
    void createGroupsMenu();
    void createMemberPanes();
    void layOut();
    QList<QStringList> memberRows(bool members) const;
    QString membersTitle(int rows) const;
    void showMembers();
    void updateMemberButtons();
    QList<int> selectedNumbers(const ListPanel *pane) const;
    void changeMembers(const QString &name, const ListPanel *pane,
        const std::function<void(codeplug::MemberList &, const QList<int> &)> &change);

    const MemberPageTexts &m_texts;
    ListPanel *m_panel = nullptr;
    ListPanel *m_available = nullptr;
    ListPanel *m_members = nullptr;
    QPushButton *m_addToMember;
    QPushButton *m_deleteFromMember;
    QLabel *m_label1;
    QGridLayout *m_extra = nullptr;
};
