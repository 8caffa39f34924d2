#pragma once

#include "CodePlugPage.h"
#include "ProtectedLists.h"

#include <functional>
#include <optional>
#include <utility>

#include <QList>

namespace codeplug {
struct ChannelField;
struct ValueLabel;
using ValueLabels = QList<ValueLabel>;
} // namespace codeplug
class DragSelector;
class InPlaceEditor;
class ListKeys;
class MoveRepeater;
class QAction;
class QComboBox;
class FieldGrid;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// The "  Channels  " tab: the list of used channels with its commands on the left, the settings
// of the selected channels on the right. Every change of a detail control is written at once into
// each selected channel, and only into its own bits.
//
// Object names: ListView, TitleLabel, HeadingLabel, SearchEdit, AddBitBtn, DeleteBitBtn,
// ImportButton, ExportButton, MoveUp10BitBtn, MoveUpBitBtn, MoveDownBitBtn, MoveDown10BitBtn,
// Timer1, PopupMenu1 (actions CopyMenuItem ... CancelMenuItem), the groups CommonGroupBox,
// DigitalGroupBox, AnalogueGroupBox, and one name per detail control (e.g. RxFreqEdit,
// DigitalSpeedButton, AdmitCriteriaComboBox, DisplayPTTIDSpeedButton), listed in the .cpp.
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
    // How a detail control reads and writes its value in one channel record.
    struct ChannelValue
    {
        std::function<int(const codeplug::FileImage &, int)> read;
        std::function<void(codeplug::FileImage &, int, int)> write;
    };
    struct OptionGroup
    {
        QList<QPushButton *> buttons;
        QList<int> values;
        ChannelValue value;
    };
    struct Toggle
    {
        QPushButton *button;
        ChannelValue value; // 1 = the feature is on
    };
    struct Choice
    {
        QComboBox *combo;
        ChannelValue value;
    };

    void createListSide(class QBoxLayout *layout);
    void createDetailSide(class QBoxLayout *layout);
    void createPopupMenu();
    FieldGrid *createCommonGroup(QWidget *area);
    FieldGrid *createDigitalGroup(QWidget *area);
    FieldGrid *createAnalogueGroup(QWidget *area);
    void arrangeDetails();
    QList<QPushButton *> addOptions(FieldGrid &grid, const QString &label, const QList<const char *> &names,
        const QStringList &captions, const QList<int> &values, ChannelValue value);
    QComboBox *addChoice(
        FieldGrid &grid, const char *name, const QString &label, ChannelValue value, const QString &hint = {});
    QLineEdit *addFrequencyEdit(FieldGrid &grid, const char *name, const QString &label, int offset);
    void addToggle(
        FieldGrid &grid, const char *name, const QString &caption, ChannelValue value, const QString &hint = {});
    static ChannelValue fieldValue(codeplug::ChannelField field);
    static ChannelValue invertedValue(codeplug::ChannelField field);

    void rebuildList(const codeplug::FileImage &image);
    void relabelRows(const codeplug::FileImage &image);
    void updateTitle();
    void updateButtons();
    void showEmptyState();
    void fillReferenceChoices(const codeplug::FileImage &image);
    void showSelection(const codeplug::FileImage &image);
    void rebuildAdmitCriteria(std::optional<int> commonMode);
    // The value all selected channels share; nothing when they differ or none is selected.
    std::optional<int> commonValue(const ChannelValue &value) const;
    static std::optional<int> commonValueOf(
        const ChannelValue &value, const codeplug::FileImage &image, const QList<int> &rows);
    void writeSelected(const ChannelValue &value, int v);
    void optionClicked(int group, int index);
    void modeChosen(int mode);
    void frequencyEdited(QLineEdit *edit, int offset);
    bool frequencyKeyPress(QLineEdit *edit, int offset, class QKeyEvent *event);
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
    QScrollArea *m_detailScroll = nullptr;
    QWidget *m_detailArea = nullptr;
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

    QList<FieldGrid *> m_grids;
    int m_twoColumnWidth = 0; // the detail area's least width with two fields to a row
    QList<OptionGroup> m_optionGroups; // the mode group first
    QList<Toggle> m_toggles;
    QList<Choice> m_choices;
    // The combo boxes whose entries never change, with their value tables.
    QList<std::pair<QComboBox *, const codeplug::ValueLabels *>> m_fixedChoices;
    QList<QPushButton *> m_bandwidthButtons;
    QLineEdit *m_rxFreqEdit = nullptr;
    QLineEdit *m_txFreqEdit = nullptr;
    QComboBox *m_admitCombo = nullptr;
    QComboBox *m_privacyCombo = nullptr;
    QComboBox *m_inCallCombo = nullptr;
    QComboBox *m_emergencyCombo = nullptr;
    QComboBox *m_scanListCombo = nullptr;
    QComboBox *m_contactCombo = nullptr;
    QComboBox *m_rxGroupCombo = nullptr;
    QComboBox *m_gpsCombo = nullptr;
    QLabel *m_gpsLabel = nullptr;

    InPlaceEditor *m_editor = nullptr;
    DragSelector *m_drag = nullptr;
    ListKeys *m_listKeys = nullptr;
    MoveRepeater *m_repeater = nullptr;
    int m_searchCountdown = -1;
    bool m_selectionRefreshPosted = false;
};
