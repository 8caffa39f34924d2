#pragma once

#include <functional>
#include <utility>

#include <QList>
#include <QScrollArea>

namespace codeplug {
class FileImage;
struct FieldCodec;
struct ValueLabel;
using ValueLabels = QList<ValueLabel>;
} // namespace codeplug
class FieldBinder;
class FieldGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The settings of the selected channels, the right side of the channels tab: a table of field
// bindings (see FieldBinder) and the rules of the channel mode.
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
    FieldGrid *createCommonGroup(QWidget *area);
    FieldGrid *createDigitalGroup(QWidget *area);
    FieldGrid *createAnalogueGroup(QWidget *area);
    QList<QPushButton *> addOptions(FieldGrid &grid, const QString &label, const QList<const char *> &names,
        const QStringList &captions, const QList<int> &values, codeplug::FieldCodec codec,
        std::function<void(int)> after = {});
    QComboBox *addChoice(
        FieldGrid &grid, const char *name, const QString &label, codeplug::FieldCodec codec, const QString &hint = {});
    // A drop-down list whose entries never change.
    QComboBox *addFixedChoice(FieldGrid &grid, const char *name, const QString &label, codeplug::FieldCodec codec,
        const codeplug::ValueLabels &labels, const QString &hint = {});
    QLineEdit *addFrequencyEdit(FieldGrid &grid, const char *name, const QString &label, int offset);
    void addToggle(FieldGrid &grid, const char *name, const QString &caption, codeplug::FieldCodec codec,
        const QString &hint = {});
    void modeChosen(int mode);

    FieldBinder *m_binder;
    QWidget *m_detailArea = nullptr;
    QList<FieldGrid *> m_grids;
    int m_twoColumnWidth = 0; // the detail area's least width with two fields to a row
    // The combo boxes whose entries never change, with their value tables.
    QList<std::pair<QComboBox *, const codeplug::ValueLabels *>> m_fixedChoices;
    QList<QPushButton *> m_modeButtons;
    QList<QPushButton *> m_bandwidthButtons;
    QComboBox *m_admitCombo = nullptr;
    QComboBox *m_privacyCombo = nullptr;
    QComboBox *m_emergencyCombo = nullptr;
    QComboBox *m_scanListCombo = nullptr;
    QComboBox *m_contactCombo = nullptr;
    QComboBox *m_rxGroupCombo = nullptr;
    QComboBox *m_gpsCombo = nullptr;
    QLabel *m_gpsLabel = nullptr;
};
