#include "ChannelDetails.h"

#include "ChannelRecord.h"
#include "Layout.h"
#include "RadioInfo.h"
#include "RecordName.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

using namespace codeplug;
namespace f = codeplug::channelfields;

namespace {

constexpr int kFrequencyLength = 9;

// Refills a combo box with value-carrying entries; an unchanged list is left alone, so that a
// refresh per selection change stays cheap even for the thousand contacts.
void fillCombo(QComboBox *combo, const ValueLabels &labels)
{
    bool same = combo->count() == labels.size();
    for (int i = 0; same && i < combo->count(); ++i)
        same = combo->itemData(i).toInt() == labels.at(i).value && combo->itemText(i) == labels.at(i).label;
    if (same)
        return;
    combo->clear();
    for (const ValueLabel &entry : labels)
        combo->addItem(entry.label, entry.value);
}

// "None" (0), then every used record of the list under its name, valued by its number.
ValueLabels referenceLabels(const FileImage &image, const ListLayout &list)
{
    ValueLabels labels { { 0, QStringLiteral("None") } };
    for (int i = 0; i < list.count; ++i) {
        if (isRecordUsed(image, list, i))
            labels.append({ i + 1, recordName(image, list, i) });
    }
    return labels;
}

const ValueLabels &toneLabels()
{
    static const ValueLabels labels = [] {
        ValueLabels list;
        for (std::uint16_t code : toneChoices())
            list.append({ int(code), toneLabel(code) });
        return list;
    }();
    return labels;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, const QString &hint = {})
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

} // namespace

// The labelled fields of one detail group: label-control pairs, then a block of toggle buttons.
// Two pairs (and four toggles) stand in a row when the area is wide enough, else one (and two).
// Owned by its group box.
class FieldGrid final : public QObject
{
public:
    FieldGrid(QWidget *area, const char *name, const QString &title, const QString &hint)
        : QObject(nullptr)
        , m_box(new QGroupBox(title, area))
        , m_outer(new QVBoxLayout(m_box))
    {
        setParent(m_box);
        m_box->setObjectName(QLatin1String(name));
        m_box->setToolTip(hint);
        area->layout()->addWidget(m_box);
    }

    QGroupBox *box() const { return m_box; }

    // The label is named after its control: "RxFreqEdit" gets "RxFreqLabel".
    QLabel *addField(const QString &text, QWidget *control)
    {
        auto *label = new QLabel(text, m_box);
        QString name = control->objectName();
        for (const char *kind : { "ComboBox", "Edit", "Panel" }) {
            if (name.endsWith(QLatin1String(kind)))
                name.chop(qsizetype(qstrlen(kind)));
        }
        label->setObjectName(name + QStringLiteral("Label"));
        label->setBuddy(control);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_pairs.append({ label, control });
        return label;
    }

    void addToggle(QPushButton *button) { m_toggleButtons.append(button); }

    int labelWidth() const
    {
        int width = 0;
        for (const Pair &pair : m_pairs)
            width = std::max(width, pair.label->sizeHint().width());
        return width;
    }

    // Places the pairs `pairsPerRow` to a row with label columns of `labelWidth`.
    void arrange(int pairsPerRow, int labelWidth)
    {
        if (pairsPerRow == m_pairsPerRow && labelWidth == m_labelWidth)
            return;
        m_pairsPerRow = pairsPerRow;
        m_labelWidth = labelWidth;
        delete m_fields;
        delete m_toggles;
        m_fields = new QGridLayout;
        m_toggles = new QGridLayout;
        m_fields->setHorizontalSpacing(8);
        m_toggles->setHorizontalSpacing(4);
        for (int i = 0; i < int(m_pairs.size()); ++i) {
            const int row = i / pairsPerRow;
            const int column = (i % pairsPerRow) * 2;
            m_fields->addWidget(m_pairs.at(i).label, row, column);
            m_fields->addWidget(m_pairs.at(i).control, row, column + 1);
        }
        for (int c = 0; c < pairsPerRow; ++c) {
            m_fields->setColumnMinimumWidth(2 * c, labelWidth);
            m_fields->setColumnStretch(2 * c + 1, 1);
        }
        const int togglesPerRow = 2 * pairsPerRow;
        for (int i = 0; i < int(m_toggleButtons.size()); ++i)
            m_toggles->addWidget(m_toggleButtons.at(i), i / togglesPerRow, i % togglesPerRow);
        for (int c = 0; c < togglesPerRow; ++c)
            m_toggles->setColumnStretch(c, 1);
        m_outer->addLayout(m_fields);
        m_outer->addLayout(m_toggles);
    }

private:
    struct Pair
    {
        QLabel *label;
        QWidget *control;
    };

    QGroupBox *m_box;
    QVBoxLayout *m_outer;
    QGridLayout *m_fields = nullptr;
    QGridLayout *m_toggles = nullptr;
    QList<Pair> m_pairs;
    QList<QPushButton *> m_toggleButtons;
    int m_pairsPerRow = 0;
    int m_labelWidth = 0;
};

ChannelDetails::ChannelDetails(
    std::function<FileImage *()> image, std::function<QList<int>()> selection, QWidget *parent)
    : QScrollArea(parent)
    , m_image(std::move(image))
    , m_selection(std::move(selection))
{
    setObjectName(QStringLiteral("DetailScrollArea"));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    m_detailArea = new QWidget;
    m_detailArea->setObjectName(QStringLiteral("DetailPanel"));
    auto *areaLayout = new QVBoxLayout(m_detailArea);
    areaLayout->setContentsMargins(0, 0, 4, 0);
    m_grids = { createCommonGroup(m_detailArea), createDigitalGroup(m_detailArea), createAnalogueGroup(m_detailArea) };
    areaLayout->addStretch(1);
    setWidget(m_detailArea);
    viewport()->installEventFilter(this);
    // Down buttons must stand out from up ones at a glance, also in styles that shade them lightly.
    m_detailArea->setStyleSheet(
        QStringLiteral("QPushButton:checked { background-color: palette(highlight); color: palette(highlighted-text);"
                       " border: 1px solid palette(dark); border-radius: 3px; padding: 3px 6px; }"));
    arrangeDetails();
}

FieldGrid *ChannelDetails::createCommonGroup(QWidget *area)
{
    FieldGrid &grid = *new FieldGrid(area, "CommonGroupBox", QStringLiteral("Analogue and Digital "),
        QStringLiteral("Settings common to both Analogue and Digital"));
    ChannelValue mode = fieldValue(f::mode);
    mode.write = [](FileImage &image, int index, int value) { setChannelMode(image, index, ChannelMode(value)); };
    addOptions(grid, QStringLiteral("Mode"), { "AutoSpeedButton", "AnalogueSpeedButton", "DigitalSpeedButton" },
        { QStringLiteral("Auto"), QStringLiteral("Analogue"), QStringLiteral("Digital") }, { 0, 1, 2 }, mode);
    addOptions(grid, QStringLiteral("Tx Power"), { "TxPowerLowSpeedButton", "TxPowerHighSpeedButton" },
        { QStringLiteral("Low"), QStringLiteral("High") }, { 0, 1 }, fieldValue(f::txPower));
    m_rxFreqEdit = addFrequencyEdit(grid, "RxFreqEdit", QStringLiteral("Rx Freq (MHz)"), channeloffsets::rxFrequency);
    m_txFreqEdit = addFrequencyEdit(grid, "TxFreqEdit", QStringLiteral("Tx Freq (MHz)"), channeloffsets::txFrequency);
    addOptions(grid, QStringLiteral("Rx Rel Frequency"),
        { "RxRelFreqLowSpeedButton", "RxRelFreqMedSpeedButton", "RxRelFreqHighSpeedButton" },
        { QStringLiteral("Low"), QStringLiteral("Med"), QStringLiteral("High") }, { 0, 1, 2 },
        fieldValue(f::rxRelFrequency));
    addOptions(grid, QStringLiteral("Tx Rel Frequency"),
        { "TxRelFreqLowSpeedButton", "TxRelFreqMedSpeedButton", "TxRelFreqHighSpeedButton" },
        { QStringLiteral("Low"), QStringLiteral("Med"), QStringLiteral("High") }, { 0, 1, 2 },
        fieldValue(f::txRelFrequency));
    m_admitCombo
        = addChoice(grid, "AdmitCriteriaComboBox", QStringLiteral("Admit Criteria"), fieldValue(f::admitCriteria));
    m_scanListCombo = addChoice(grid, "ScanListComboBox", QStringLiteral("Scan List"), fieldValue(f::scanList),
        QStringLiteral(
            "The scan list (scan lists tab) to scan when you press your assigned scan button (buttons tab)  "));
    m_fixedChoices.append(
        { addChoice(grid, "TxTimeOutComboBox", QStringLiteral("Tx Time Out"), fieldValue(f::txTimeout),
              QStringLiteral("How long before the radio stops transmitting after you press and hold the PTT button ")),
            &txTimeoutLabels() });
    m_fixedChoices.append({ addChoice(grid, "TxTimeOutRekeyDelayComboBox", QStringLiteral("Tx Time Out Rekey Delay"),
                                fieldValue(f::rekeyDelay),
                                QStringLiteral("How long you have to wait after the above Tx time out occured before "
                                               "once again using the PTT button")),
        &rekeyDelayLabels() });
    addToggle(grid, "AutoScanSpeedButton", QStringLiteral("Auto Scan"), fieldValue(f::autoScan),
        QStringLiteral("Automaticaly starts scanning when this channel is selected"));
    addToggle(grid, "RxOnlySpeedButton", QStringLiteral("Rx Only"), fieldValue(f::rxOnly),
        QStringLiteral("Disables the PTT"));
    addToggle(grid, "VOXSpeedButton", QStringLiteral("VOX"), fieldValue(f::vox),
        QStringLiteral("Voice Operated Transmission"));
    addToggle(grid, "LoneWorkerSpeedButton", QStringLiteral("Lone Worker"), fieldValue(f::loneWorker));
    addToggle(grid, "AllowTalkAroundSpeedButton", QStringLiteral("Allow TalkAround"), fieldValue(f::talkaround),
        QStringLiteral("Radio switches to transmitting on your Rx freq if the repeater is out of range"));
    return &grid;
}

FieldGrid *ChannelDetails::createDigitalGroup(QWidget *area)
{
    FieldGrid &grid = *new FieldGrid(area, "DigitalGroupBox", QStringLiteral("Digital "),
        QStringLiteral("Settings that apply only to the Digital channels"));
    m_fixedChoices.append(
        { addChoice(grid, "ColourCodeComboBox", QStringLiteral("Colour Code"), fieldValue(f::colourCode)),
            &colourCodeLabels() });
    addOptions(grid, QStringLiteral("Repeater Slot"), { "RepeaterSlot1SpeedButton", "RepeaterSlot2SpeedButton" },
        { QStringLiteral("1"), QStringLiteral("2") }, { 1, 2 }, fieldValue(f::repeaterSlot));
    m_contactCombo = addChoice(grid, "TxContactComboBox", QStringLiteral("Tx Contact Destination"),
        { [](const FileImage &image, int index) { return int(channelU16(image, index, channeloffsets::contact)); },
            [](FileImage &image, int index, int value) {
                setChannelU16(image, index, channeloffsets::contact, std::uint16_t(value));
            } },
        QStringLiteral("Talk group ID or Private ID transmit destination "));
    m_rxGroupCombo = addChoice(grid, "RxGroupListComboBox", QStringLiteral("Rx Group List"), fieldValue(f::rxGroupList),
        QStringLiteral("What groups you will be able to hear when on this channel "));
    m_privacyCombo = addChoice(grid, "VoiceEncryptionComboBox", QStringLiteral("Voice Encryption"),
        { [](const FileImage &image, int index) { return channelPrivacyChoice(image, index); },
            [](FileImage &image, int index, int value) { setChannelPrivacyChoice(image, index, value); } });
    m_emergencyCombo = addChoice(
        grid, "EmergencySystemComboBox", QStringLiteral("Emergency System"), fieldValue(f::emergencySystem));
    m_inCallCombo
        = addChoice(grid, "InCallCriteriaComboBox", QStringLiteral("In Call Criteria"), fieldValue(f::inCallCriteria));
    m_fixedChoices.append({ m_inCallCombo, &inCallCriteriaLabels() });
    m_gpsCombo = addChoice(grid, "GPSSystemComboBox", QStringLiteral("GPS System"), fieldValue(f::gpsSystem));
    m_fixedChoices.append({ m_gpsCombo, &gpsSystemLabels() });
    m_gpsLabel = grid.box()->findChild<QLabel *>(QStringLiteral("GPSSystemLabel"));
    addToggle(grid, "PrivateCallConfirmedSpeedButton", QStringLiteral("Private Call Confirmed"),
        fieldValue(f::privateCallConfirmed));
    addToggle(
        grid, "DataCallConfirmedSpeedButton", QStringLiteral("Data Call Confirmed"), fieldValue(f::dataCallConfirmed));
    addToggle(
        grid, "EmergencyAlarmAckSpeedButton", QStringLiteral("Emergency Alarm Ack"), fieldValue(f::emergencyAlarmAck));
    addToggle(grid, "DisplayPTTIDSpeedButton", QStringLiteral("Display PTT ID"), invertedValue(f::displayPttIdOff));
    addToggle(grid, "CompressedUDPDataHeaderSpeedButton", QStringLiteral("Compressed UDP Data Header"),
        invertedValue(f::compressedUdpHeaderOff));
    addToggle(grid, "TxGPSInfoSpeedButton", QStringLiteral("Tx GPS Info"), invertedValue(f::txGpsInfoOff));
    addToggle(grid, "RxGPSInfoSpeedButton", QStringLiteral("Rx GPS Info"), invertedValue(f::rxGpsInfoOff));
    return &grid;
}

FieldGrid *ChannelDetails::createAnalogueGroup(QWidget *area)
{
    FieldGrid &grid = *new FieldGrid(area, "AnalogueGroupBox", QStringLiteral("Analogue "),
        QStringLiteral("Settings that apply only to the Analogue channels"));
    m_bandwidthButtons = addOptions(grid, QStringLiteral("Bandwidth"),
        { "Bandwidth12_5SpeedButton", "Bandwidth20SpeedButton", "Bandwidth25SpeedButton" },
        { QStringLiteral("12.5kHz"), QStringLiteral("20kHz"), QStringLiteral("25kHz") }, { 0, 1, 2 },
        fieldValue(f::bandwidth));
    addOptions(grid, QStringLiteral("Squelch"), { "SquelchTightSpeedButton", "SquelchNormalSpeedButton" },
        { QStringLiteral("Tight"), QStringLiteral("Normal") }, { 0, 1 }, fieldValue(f::squelch));
    const auto tone = [](int offset) {
        return ChannelValue { [offset](
                                  const FileImage &image, int index) { return int(channelTone(image, index, offset)); },
            [offset](FileImage &image, int index, int value) {
                setChannelTone(image, index, offset, std::uint16_t(value));
            } };
    };
    m_fixedChoices.append(
        { addChoice(grid, "RxCTCSSComboBox", QStringLiteral("Rx CTCSS / CDCSS"), tone(channeloffsets::rxTone)),
            &toneLabels() });
    m_fixedChoices.append(
        { addChoice(grid, "TxCTCSSComboBox", QStringLiteral("Tx CTCSS / CDCSS"), tone(channeloffsets::txTone)),
            &toneLabels() });
    m_fixedChoices.append(
        { addChoice(grid, "RxSignallingComboBox", QStringLiteral("Rx Signalling System"), fieldValue(f::rxSignalling)),
            &signallingLabels() });
    m_fixedChoices.append(
        { addChoice(grid, "TxSignallingComboBox", QStringLiteral("Tx Signalling System"), fieldValue(f::txSignalling)),
            &signallingLabels() });
    addOptions(grid, QStringLiteral("CTCSS Tail Revert"), { "TailRevert180SpeedButton", "TailRevert120SpeedButton" },
        { QStringLiteral("180"), QStringLiteral("120") }, { 0, 1 }, fieldValue(f::tailRevertPhase));
    addToggle(
        grid, "ReverseBurstSpeedButton", QStringLiteral("Reverse Burst / Turn Off Code"), fieldValue(f::reverseBurst));
    static const char *const decodeNames[] = { "Decode1SpeedButton", "Decode2SpeedButton", "Decode3SpeedButton",
        "Decode4SpeedButton", "Decode5SpeedButton", "Decode6SpeedButton", "Decode7SpeedButton", "Decode8SpeedButton" };
    for (int k = 1; k <= 8; ++k)
        addToggle(grid, decodeNames[k - 1], QStringLiteral("Decode %1").arg(k), fieldValue(f::decode(k)));
    return &grid;
}

ChannelDetails::ChannelValue ChannelDetails::fieldValue(ChannelField field)
{
    return { [field](const FileImage &image, int index) { return channelField(image, index, field); },
        [field](FileImage &image, int index, int value) { setChannelField(image, index, field, value); } };
}

ChannelDetails::ChannelValue ChannelDetails::invertedValue(ChannelField field)
{
    return { [field](const FileImage &image, int index) { return 1 - channelField(image, index, field); },
        [field](FileImage &image, int index, int value) { setChannelField(image, index, field, value ? 0 : 1); } };
}

QList<QPushButton *> ChannelDetails::addOptions(FieldGrid &grid, const QString &label, const QList<const char *> &names,
    const QStringList &captions, const QList<int> &values, ChannelValue value)
{
    auto *holder = new QWidget(grid.box());
    // "Tx Rel Frequency" gives TxRelFrequencyPanel and TxRelFrequencyLabel.
    holder->setObjectName(QString(label).remove(u' ') + QStringLiteral("Panel"));
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    const int group = int(m_optionGroups.size());
    OptionGroup options { {}, values, std::move(value) };
    for (int i = 0; i < int(names.size()); ++i) {
        QPushButton *button = makeButton(holder, names.at(i), captions.at(i));
        button->setCheckable(true);
        // As narrow as the caption allows, so that two fields fit in a row at the usual width.
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(captions.at(i)) + 16);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        row->addWidget(button);
        options.buttons.append(button);
        connect(button, &QPushButton::clicked, this, [this, group, i] { optionClicked(group, i); });
    }
    grid.addField(label, holder);
    m_optionGroups.append(options);
    return options.buttons;
}

QComboBox *ChannelDetails::addChoice(
    FieldGrid &grid, const char *name, const QString &label, ChannelValue value, const QString &hint)
{
    auto *combo = new QComboBox(grid.box());
    combo->setObjectName(QLatin1String(name));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(10);
    combo->setMaxVisibleItems(20);
    if (!hint.isEmpty())
        combo->setToolTip(hint);
    QLabel *caption = grid.addField(label, combo);
    if (!hint.isEmpty())
        caption->setToolTip(hint);
    const int index = int(m_choices.size());
    m_choices.append({ combo, std::move(value) });
    connect(combo, &QComboBox::currentIndexChanged, this, [this, index](int item) {
        const Choice &choice = m_choices.at(index);
        if (m_updating || item < 0)
            return;
        writeSelected(choice.value, choice.combo->itemData(item).toInt());
    });
    return combo;
}

QLineEdit *ChannelDetails::addFrequencyEdit(FieldGrid &grid, const char *name, const QString &label, int offset)
{
    auto *edit = new QLineEdit(grid.box());
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(kFrequencyLength);
    edit->installEventFilter(this);
    edit->setProperty("frequencyOffset", offset);
    grid.addField(label, edit);
    connect(edit, &QLineEdit::textChanged, this, [this, edit, offset] { frequencyEdited(edit, offset); });
    return edit;
}

void ChannelDetails::addToggle(
    FieldGrid &grid, const char *name, const QString &caption, ChannelValue value, const QString &hint)
{
    QPushButton *button = makeButton(grid.box(), name, caption, hint);
    button->setCheckable(true);
    grid.addToggle(button);
    const int index = int(m_toggles.size());
    m_toggles.append({ button, std::move(value) });
    connect(button, &QPushButton::clicked, this, [this, index](bool checked) {
        if (!m_updating)
            writeSelected(m_toggles.at(index).value, checked ? 1 : 0);
    });
}

// ---------------------------------------------------------------------------------------------
// Refresh

void ChannelDetails::refreshChoices(const FileImage *image)
{
    QScopedValueRollback updating(m_updating, true);
    for (const auto &[combo, labels] : std::as_const(m_fixedChoices))
        fillCombo(combo, *labels);
    const bool gps = image && hasGps(*image);
    m_gpsCombo->setVisible(gps);
    m_gpsLabel->setVisible(gps);
}

void ChannelDetails::showEmptyState()
{
    QScopedValueRollback updating(m_updating, true);
    for (const OptionGroup &group : std::as_const(m_optionGroups)) {
        for (QPushButton *button : group.buttons)
            button->setChecked(false);
    }
    for (const Toggle &toggle : std::as_const(m_toggles))
        toggle.button->setChecked(false);
    for (const Choice &choice : std::as_const(m_choices))
        choice.combo->setCurrentIndex(-1);
    m_rxFreqEdit->clear();
    m_txFreqEdit->clear();
    m_detailArea->setEnabled(false);
}

void ChannelDetails::fillReferenceChoices(const FileImage &image)
{
    fillCombo(m_emergencyCombo, referenceLabels(image, lists::emergencySystems));
    fillCombo(m_scanListCombo, referenceLabels(image, lists::scanLists));
    fillCombo(m_contactCombo, referenceLabels(image, lists::contacts));
    fillCombo(m_rxGroupCombo, referenceLabels(image, lists::rxGroupLists));
}

std::optional<int> ChannelDetails::commonValue(const ChannelValue &value) const
{
    const FileImage *image = m_image();
    return image ? commonValueOf(value, *image, m_selection()) : std::nullopt;
}

std::optional<int> ChannelDetails::commonValueOf(
    const ChannelValue &value, const FileImage &image, const QList<int> &rows)
{
    if (rows.isEmpty())
        return std::nullopt;
    const int first = value.read(image, rows.first());
    for (int row : rows) {
        if (value.read(image, row) != first)
            return std::nullopt;
    }
    return first;
}

void ChannelDetails::showSelection(const FileImage &image, const QList<int> &rows)
{
    QScopedValueRollback updating(m_updating, true);
    fillCombo(m_privacyCombo, privacyLabels(hasEnhancedPrivacy(image)));
    fillReferenceChoices(image);
    const auto common = [&image, &rows](const ChannelValue &value) { return commonValueOf(value, image, rows); };
    for (const OptionGroup &group : std::as_const(m_optionGroups)) {
        const std::optional<int> shared = common(group.value);
        for (int i = 0; i < int(group.buttons.size()); ++i)
            group.buttons.at(i)->setChecked(shared && *shared == group.values.at(i));
    }
    for (const Toggle &toggle : std::as_const(m_toggles)) {
        const std::optional<int> shared = common(toggle.value);
        toggle.button->setChecked(shared && *shared == 1);
    }
    rebuildAdmitCriteria(common(m_optionGroups.first().value));
    for (const Choice &choice : std::as_const(m_choices)) {
        const std::optional<int> shared = common(choice.value);
        choice.combo->setCurrentIndex(shared ? choice.combo->findData(*shared) : -1);
    }
    for (QLineEdit *edit : { m_rxFreqEdit, m_txFreqEdit }) {
        const int offset = edit->property("frequencyOffset").toInt();
        const std::optional<int> shared
            = common({ [offset](const FileImage &img, int index) { return int(channelU32(img, index, offset)); }, {} });
        edit->setText(shared ? frequencyText(std::uint32_t(*shared)) : QString());
    }
    m_detailArea->setEnabled(!rows.isEmpty());
    m_optionGroups.first().buttons.first()->setEnabled(false); // Auto is shown, never chosen
    const bool singleDigital
        = rows.size() == 1 && channelField(image, rows.first(), f::mode) == int(ChannelMode::Digital);
    for (QPushButton *button : std::as_const(m_bandwidthButtons))
        button->setEnabled(!singleDigital);
}

void ChannelDetails::rebuildAdmitCriteria(std::optional<int> commonMode)
{
    QScopedValueRollback updating(m_updating, true);
    const std::optional<ChannelMode> mode
        = commonMode ? std::optional<ChannelMode>(ChannelMode(*commonMode)) : std::nullopt;
    fillCombo(m_admitCombo, admitCriteriaLabels(mode));
    const std::optional<int> common = commonValue(fieldValue(f::admitCriteria));
    m_admitCombo->setCurrentIndex(common ? m_admitCombo->findData(*common) : -1);
}

// ---------------------------------------------------------------------------------------------
// Detail edits

void ChannelDetails::writeSelected(const ChannelValue &value, int v)
{
    FileImage *image = m_image();
    if (!image || m_updating)
        return;
    for (int row : m_selection())
        value.write(*image, row, v);
    Q_EMIT recordsChanged();
}

void ChannelDetails::optionClicked(int group, int index)
{
    const OptionGroup &options = m_optionGroups.at(group);
    // An exclusive button clicked is always down afterwards; its partners go up.
    for (int i = 0; i < int(options.buttons.size()); ++i)
        options.buttons.at(i)->setChecked(i == index);
    if (m_updating)
        return;
    writeSelected(options.value, options.values.at(index));
    if (group == 0)
        modeChosen(options.values.at(index));
}

void ChannelDetails::modeChosen(int mode)
{
    const bool digital = mode == int(ChannelMode::Digital);
    for (int i = 0; i < int(m_bandwidthButtons.size()); ++i) {
        if (digital)
            m_bandwidthButtons.at(i)->setChecked(i == 0);
        m_bandwidthButtons.at(i)->setEnabled(!digital);
    }
    rebuildAdmitCriteria(mode);
}

void ChannelDetails::frequencyEdited(QLineEdit *edit, int offset)
{
    FileImage *image = m_image();
    if (!image || m_updating)
        return;
    const std::optional<std::uint32_t> stored = frequencyFromText(edit->text(), bandCode(*image));
    if (!stored)
        return;
    for (int row : m_selection())
        setChannelU32(*image, row, offset, *stored);
    Q_EMIT recordsChanged();
}

bool ChannelDetails::frequencyKeyPress(QLineEdit *edit, int offset, QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const FileImage *image = m_image();
        const QList<int> rows = m_selection();
        if (image && !rows.isEmpty()) {
            // Shows what was stored, without writing it into the other selected channels.
            QScopedValueRollback updating(m_updating, true);
            edit->setText(frequencyText(channelU32(*image, rows.first(), offset)));
        }
        return true;
    }
    // Control keys (backspace, delete, cursor and clipboard keys) keep their meaning.
    const QString text = event->text();
    if (text.size() != 1 || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
        return false;
    const QChar c = text.at(0);
    return !(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u',';
}

// ---------------------------------------------------------------------------------------------
// Layout

void ChannelDetails::arrangeDetails()
{
    // One label width for all groups, so that their controls stand in the same columns.
    int labelWidth = 0;
    for (FieldGrid *grid : std::as_const(m_grids))
        labelWidth = std::max(labelWidth, grid->labelWidth());
    if (m_twoColumnWidth == 0) {
        for (FieldGrid *grid : std::as_const(m_grids))
            grid->arrange(2, labelWidth);
        m_twoColumnWidth = m_detailArea->minimumSizeHint().width();
    }
    const int pairs = viewport()->width() >= m_twoColumnWidth ? 2 : 1;
    for (FieldGrid *grid : std::as_const(m_grids))
        grid->arrange(pairs, labelWidth);
}

bool ChannelDetails::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport() && event->type() == QEvent::Resize)
        arrangeDetails();
    if (event->type() == QEvent::KeyPress && (watched == m_rxFreqEdit || watched == m_txFreqEdit)) {
        auto *edit = static_cast<QLineEdit *>(watched);
        return frequencyKeyPress(edit, edit->property("frequencyOffset").toInt(), static_cast<QKeyEvent *>(event));
    }
    return QScrollArea::eventFilter(watched, event);
}
