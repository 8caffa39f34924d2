#pragma once

#include <functional>
#include <optional>
#include <utility>

#include <QList>
#include <QScrollArea>

namespace codeplug {
class FileImage;
struct ChannelField;
struct ValueLabel;
using ValueLabels = QList<ValueLabel>;
} // namespace codeplug
class FieldGrid;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The settings of the selected channels, the right side of the channels tab. Every change of a
// control is written at once into each selected channel, and only into its own bits.
//
// Object names: DetailScrollArea (this), DetailPanel, the groups CommonGroupBox, DigitalGroupBox,
// AnalogueGroupBox, and one name per control (e.g. RxFreqEdit, DigitalSpeedButton,
// AdmitCriteriaComboBox, DisplayPTTIDSpeedButton), listed in the .cpp.
class ChannelDetails final : public QScrollArea
{
    Q_OBJECT
public:
    // `image` gives the current slot's image (nullptr when it is empty), `selection` the selected
    // rows of the channel list; both are asked at each edit, so the details hold no copy.
    ChannelDetails(
        std::function<codeplug::FileImage *()> image, std::function<QList<int>()> selection, QWidget *parent);

    // Refills the fixed choice lists and shows or hides the GPS system choice (on a page refresh).
    void refreshChoices(const codeplug::FileImage *image);
    // Shows the common values of `rows`, with the choice lists that follow the image.
    void showSelection(const codeplug::FileImage &image, const QList<int> &rows);
    // Clears every control and disables the details (no code plug in the current slot).
    void showEmptyState();

Q_SIGNALS:
    // A control wrote into the selected channels.
    void recordsChanged();

protected:
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

    void fillReferenceChoices(const codeplug::FileImage &image);
    void rebuildAdmitCriteria(std::optional<int> commonMode);
    // The value all selected channels share; nothing when they differ or none is selected.
    std::optional<int> commonValue(const ChannelValue &value) const;
    static std::optional<int> commonValueOf(
        const ChannelValue &value, const codeplug::FileImage &image, const QList<int> &rows);
    void writeSelected(const ChannelValue &value, int v);
    void optionClicked(int group, int index);
    void modeChosen(int mode);
    void frequencyEdited(QLineEdit *edit, int offset);
    bool frequencyKeyPress(QLineEdit *edit, int offset, QKeyEvent *event);

    std::function<codeplug::FileImage *()> m_image;
    std::function<QList<int>()> m_selection;
    bool m_updating = false; // set while the controls are filled, so that they write nothing back

    QWidget *m_detailArea = nullptr;
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
};
