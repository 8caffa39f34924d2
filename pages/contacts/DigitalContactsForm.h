#pragma once

#include "CodePlugPage.h"
#include "ProtectedLists.h"

#include <functional>

#include <QList>

class DragSelector;
class InPlaceEditor;
class MoveRepeater;
class ListKeys;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// The "  Digital Contacts  " tab. The left half edits the contact list of the current slot: in-place
// name and ID editors, type, rx tone and protection toggles, the search box, the popup menu, add,
// insert, delete, move, sort, clipboard transfer and contact files. The right half
// (`DatabasePanel`) is kept for the DMR user database.
class DigitalContactsForm final : public CodePlugPage
{
    Q_OBJECT
public:
    // Ticks of the 25 ms timer between the last change of the search text and the search.
    static constexpr int kSearchDelayTicks = 80;

    DigitalContactsForm(const PageContext &context, QWidget *parent);
    ~DigitalContactsForm() override;

    void pageRefresh() override;
    void pageShown() override;

    bool showNo() const { return m_showNo; }
    // Stores the switch, mirrors it on its button and redraws the list with the same first row.
    void setShowNo(bool showNo);
    // Protected contact DMR IDs, common to all slots.
    codeplug::ProtectedIdList &protectedIds() { return m_protectedIds; }
    QString countryText() const { return m_country; }
    void setCountryText(const QString &country) { m_country = country; }

    // Rebuilds the list (refill) or only re-labels it; top > 0 scrolls that row to the top, a
    // refill with top <= 0 selects the first row.
    void refreshContactList(bool refill, int top);

    // The page's commands, as its buttons, keys and popup entries run them.
    void addContact();
    void insertContact();
    void deleteSelectedContacts();
    // Positive delta moves towards the top.
    void moveSelectedContacts(int delta);
    // Sorts by the contact list's column (a tree column, 1 = "No.").
    void sortContactsByColumn(int column);
    void setSelectedCallType(int code);
    void setSelectedRxTone(bool on);
    void setSelectedProtection(bool on);
    void selectAll();
    void unselectAll();
    void copyContacts();
    void pasteOverContacts();
    void pasteNewContacts();
    void importContacts();
    void exportContacts();
    void searchContacts();
    // Enables the popup entries for the present state, as the menu does before it opens.
    void contactsPopupMenuPopup();
    // One tick of `Timer1`: the search countdown (the move buttons' repetition ticks on its own).
    void timer1Timer();

    int searchCountdown() const { return m_searchCountdown; }
    MoveRepeater *moveRepeater() const { return m_repeater; }

protected:
    void deferredRefresh(bool rebuild, int topRow) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Applies a record change to every selected contact and rewrites its cells.
    void changeSelectedContacts(const std::function<void(codeplug::FileImage &, int row)> &change);
    QWidget *createContactsPanel();
    QWidget *createButtonRows();
    void createPopupMenu();
    QAction *addMenuEntry(const QString &name, const QString &text, std::function<void()> command);
    void connectControls();

    void fillList();
    void updateTitle();
    void updateButtons();
    void setControlsEnabled(bool open);
    void selectRows(const QList<int> &rows);
    void markCurrent(int row);
    int firstVisibleRow() const;
    void rewriteCells(int row);
    void rewriteProtectCells();

    void listViewDblClick(QTreeWidgetItem *item, int column);
    void listViewSelectItem();
    void editName(int row);
    void editId(int row);
    void moveButtonClick(int delta, int size);
    void searchEditChange();
    bool searchEditKeyPress(class QKeyEvent *event);

    bool m_showNo = false;
    codeplug::ProtectedIdList m_protectedIds;
    QString m_country;
    int m_searchCountdown = -1;

    QSplitter *m_splitter;
    QLabel *m_titleLabel;
    QPushButton *m_showNoButton;
    QTreeWidget *m_listView;
    QPushButton *m_addButton;
    QPushButton *m_deleteButton;
    QPushButton *m_moveUpButton;
    QPushButton *m_moveUp10Button;
    QPushButton *m_moveDownButton;
    QPushButton *m_moveDown10Button;
    QPushButton *m_importButton;
    QPushButton *m_exportButton;
    QLabel *m_searchLabel;
    QLineEdit *m_searchEdit;
    QFrame *m_databasePanel;
    QMenu *m_popupMenu;
    QTimer *m_timer1;
    InPlaceEditor *m_editor;
    DragSelector *m_drag;
    MoveRepeater *m_repeater;
    ListKeys *m_keys;

    QAction *m_copyAction = nullptr;
    QAction *m_pasteInsertAction = nullptr;
    QAction *m_pasteOverAction = nullptr;
    QAction *m_pasteNewAction = nullptr;
    QAction *m_addAction = nullptr;
    QAction *m_insertAction = nullptr;
    QAction *m_unselectAllAction = nullptr;
    QAction *m_selectAllAction = nullptr;
    QList<QAction *> m_selectionActions; // enabled while a contact is selected
};
