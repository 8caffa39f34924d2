#include "ChannelDetails.h"

#include "ChannelRecord.h"
#include "FieldBinder.h"
#include "FieldColumns.h"
#include "FieldGrid.h"
#include "Layout.h"
#include "RadioInfo.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace codeplug;
namespace f = codeplug::channelfields;

namespace {

constexpr int kFrequencyLength = 9;
constexpr RecordArea kChannels = recordsOf(lists::channels);

// Writes go through the channel record, so that its rules (no bandwidth on a Digital channel) hold.
FieldCodec field(ChannelField which)
{
    return { [which](const FileImage &image, int index) { return channelField(image, index, which); },
        [which](FileImage &image, int index, int value) { setChannelField(image, index, which, value); } };
}

// A stored 0 reads as no tone, and no tone is written as its own code.
FieldCodec toneField(int offset)
{
    return { [offset](const FileImage &image, int index) { return int(channelTone(image, index, offset)); },
        [offset](
            FileImage &image, int index, int value) { setChannelTone(image, index, offset, std::uint16_t(value)); } };
}

// Typed text is clamped to the radio's band; a text without a number writes nothing.
TextCodec frequencyField(int offset)
{
    return { [offset](const FileImage &image, int index) { return frequencyText(channelU32(image, index, offset)); },
        [offset](FileImage &image, int index, const QString &text) {
            if (const std::optional<std::uint32_t> stored = frequencyFromText(text, bandCode(image)))
                setChannelU32(image, index, offset, *stored);
        } };
}

bool isFrequencyCharacter(QChar c)
{
    return (c.isDigit() && c.unicode() < 128) || c == u'.' || c == u',';
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

} // namespace

ChannelDetails::ChannelDetails(
    std::function<FileImage *()> image, std::function<QList<int>()> selection, QWidget *parent)
    : QScrollArea(parent)
    , m_binder(new FieldBinder(std::move(image), std::move(selection), this))
{
    setObjectName(QStringLiteral("DetailScrollArea"));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    m_detailArea = new QWidget;
    m_detailArea->setObjectName(QStringLiteral("DetailPanel"));
    auto *areaLayout = new QVBoxLayout(m_detailArea);
    areaLayout->setContentsMargins(0, 0, 4, 0);
    areaLayout->setSpacing(2);
    m_grids = { createCommonGroup(m_detailArea), createDigitalGroup(m_detailArea), createAnalogueGroup(m_detailArea) };
    areaLayout->addStretch(1);
    setWidget(m_detailArea);
    viewport()->installEventFilter(this);
    FieldGrid::highlightDownButtons(m_detailArea);
    FieldGrid::arrangeAll(m_grids, m_detailArea, viewport()->width(), m_twoColumnWidth);
    connect(m_binder, &FieldBinder::written, this, &ChannelDetails::recordsChanged);
}

FieldGrid *ChannelDetails::createCommonGroup(QWidget *area)
{
    FieldGrid &grid = *new FieldGrid(area, "CommonGroupBox", QStringLiteral("Analogue and Digital "),
        QStringLiteral("Settings common to both Analogue and Digital"));
    FieldCodec mode = field(f::mode);
    mode.write = [](FileImage &image, int index, int value) { setChannelMode(image, index, ChannelMode(value)); };
    m_modeButtons
        = addOptions(grid, QStringLiteral("Mode"), { "AutoSpeedButton", "AnalogueSpeedButton", "DigitalSpeedButton" },
            { QStringLiteral("Auto"), QStringLiteral("Analogue"), QStringLiteral("Digital") }, { 0, 1, 2 }, mode,
            [this](int value) { modeChosen(value); });
    addOptions(grid, QStringLiteral("Tx Power"), { "TxPowerLowSpeedButton", "TxPowerHighSpeedButton" },
        { QStringLiteral("Low"), QStringLiteral("High") }, { 0, 1 }, field(f::txPower));
    addFrequencyEdit(grid, "RxFreqEdit", QStringLiteral("Rx Freq (MHz)"), channeloffsets::rxFrequency);
    addFrequencyEdit(grid, "TxFreqEdit", QStringLiteral("Tx Freq (MHz)"), channeloffsets::txFrequency);
    addOptions(grid, QStringLiteral("Rx Rel Frequency"),
        { "RxRelFreqLowSpeedButton", "RxRelFreqMedSpeedButton", "RxRelFreqHighSpeedButton" },
        { QStringLiteral("Low"), QStringLiteral("Med"), QStringLiteral("High") }, { 0, 1, 2 },
        field(f::rxRelFrequency));
    addOptions(grid, QStringLiteral("Tx Rel Frequency"),
        { "TxRelFreqLowSpeedButton", "TxRelFreqMedSpeedButton", "TxRelFreqHighSpeedButton" },
        { QStringLiteral("Low"), QStringLiteral("Med"), QStringLiteral("High") }, { 0, 1, 2 },
        field(f::txRelFrequency));
    m_admitCombo = addChoice(grid, "AdmitCriteriaComboBox", QStringLiteral("Admit Criteria"), field(f::admitCriteria));
    m_scanListCombo = addChoice(grid, "ScanListComboBox", QStringLiteral("Scan List"), field(f::scanList),
        QStringLiteral(
            "The scan list (scan lists tab) to scan when you press your assigned scan button (buttons tab)  "));
    addFixedChoice(grid, "TxTimeOutComboBox", QStringLiteral("Tx Time Out"), field(f::txTimeout), txTimeoutLabels(),
        QStringLiteral("How long before the radio stops transmitting after you press and hold the PTT button "));
    addFixedChoice(grid, "TxTimeOutRekeyDelayComboBox", QStringLiteral("Tx Time Out Rekey Delay"), field(f::rekeyDelay),
        rekeyDelayLabels(),
        QStringLiteral("How long you have to wait after the above Tx time out occured before "
                       "once again using the PTT button"));
    addToggle(grid, "AutoScanSpeedButton", QStringLiteral("Auto Scan"), field(f::autoScan),
        QStringLiteral("Automaticaly starts scanning when this channel is selected"));
    addToggle(
        grid, "RxOnlySpeedButton", QStringLiteral("Rx Only"), field(f::rxOnly), QStringLiteral("Disables the PTT"));
    addToggle(
        grid, "VOXSpeedButton", QStringLiteral("VOX"), field(f::vox), QStringLiteral("Voice Operated Transmission"));
    addToggle(grid, "LoneWorkerSpeedButton", QStringLiteral("Lone Worker"), field(f::loneWorker));
    addToggle(grid, "AllowTalkAroundSpeedButton", QStringLiteral("Allow TalkAround"), field(f::talkaround),
        QStringLiteral("Radio switches to transmitting on your Rx freq if the repeater is out of range"));
    return &grid;
}

FieldGrid *ChannelDetails::createDigitalGroup(QWidget *area)
{
    FieldGrid &grid = *new FieldGrid(area, "DigitalGroupBox", QStringLiteral("Digital "),
        QStringLiteral("Settings that apply only to the Digital channels"));
    addFixedChoice(grid, "ColourCodeComboBox", QStringLiteral("Colour Code"), field(f::colourCode), colourCodeLabels());
    addOptions(grid, QStringLiteral("Repeater Slot"), { "RepeaterSlot1SpeedButton", "RepeaterSlot2SpeedButton" },
        { QStringLiteral("1"), QStringLiteral("2") }, { 1, 2 }, field(f::repeaterSlot));
    m_contactCombo = addChoice(grid, "TxContactComboBox", QStringLiteral("Tx Contact Destination"),
        u16Field(kChannels, channeloffsets::contact),
        QStringLiteral("Talk group ID or Private ID transmit destination "));
    m_rxGroupCombo = addChoice(grid, "RxGroupListComboBox", QStringLiteral("Rx Group List"), field(f::rxGroupList),
        QStringLiteral("What groups you will be able to hear when on this channel "));
    m_privacyCombo = addChoice(grid, "VoiceEncryptionComboBox", QStringLiteral("Voice Encryption"),
        { [](const FileImage &image, int index) { return channelPrivacyChoice(image, index); },
            [](FileImage &image, int index, int value) { setChannelPrivacyChoice(image, index, value); } });
    m_emergencyCombo
        = addChoice(grid, "EmergencySystemComboBox", QStringLiteral("Emergency System"), field(f::emergencySystem));
    addFixedChoice(grid, "InCallCriteriaComboBox", QStringLiteral("In Call Criteria"), field(f::inCallCriteria),
        inCallCriteriaLabels());
    m_gpsCombo = addFixedChoice(
        grid, "GPSSystemComboBox", QStringLiteral("GPS System"), field(f::gpsSystem), gpsSystemLabels());
    m_gpsLabel = grid.box()->findChild<QLabel *>(QStringLiteral("GPSSystemLabel"));
    addToggle(grid, "PrivateCallConfirmedSpeedButton", QStringLiteral("Private Call Confirmed"),
        field(f::privateCallConfirmed));
    addToggle(grid, "DataCallConfirmedSpeedButton", QStringLiteral("Data Call Confirmed"), field(f::dataCallConfirmed));
    addToggle(grid, "EmergencyAlarmAckSpeedButton", QStringLiteral("Emergency Alarm Ack"), field(f::emergencyAlarmAck));
    addToggle(grid, "DisplayPTTIDSpeedButton", QStringLiteral("Display PTT ID"), inverted(field(f::displayPttIdOff)));
    addToggle(grid, "CompressedUDPDataHeaderSpeedButton", QStringLiteral("Compressed UDP Data Header"),
        inverted(field(f::compressedUdpHeaderOff)));
    addToggle(grid, "TxGPSInfoSpeedButton", QStringLiteral("Tx GPS Info"), inverted(field(f::txGpsInfoOff)));
    addToggle(grid, "RxGPSInfoSpeedButton", QStringLiteral("Rx GPS Info"), inverted(field(f::rxGpsInfoOff)));
    return &grid;
}

FieldGrid *ChannelDetails::createAnalogueGroup(QWidget *area)
{
    FieldGrid &grid = *new FieldGrid(area, "AnalogueGroupBox", QStringLiteral("Analogue "),
        QStringLiteral("Settings that apply only to the Analogue channels"));
    m_bandwidthButtons = addOptions(grid, QStringLiteral("Bandwidth"),
        { "Bandwidth12_5SpeedButton", "Bandwidth20SpeedButton", "Bandwidth25SpeedButton" },
        { QStringLiteral("12.5kHz"), QStringLiteral("20kHz"), QStringLiteral("25kHz") }, { 0, 1, 2 },
        field(f::bandwidth));
    addOptions(grid, QStringLiteral("Squelch"), { "SquelchTightSpeedButton", "SquelchNormalSpeedButton" },
        { QStringLiteral("Tight"), QStringLiteral("Normal") }, { 0, 1 }, field(f::squelch));
    addFixedChoice(
        grid, "RxCTCSSComboBox", QStringLiteral("Rx CTCSS / CDCSS"), toneField(channeloffsets::rxTone), toneLabels());
    addFixedChoice(
        grid, "TxCTCSSComboBox", QStringLiteral("Tx CTCSS / CDCSS"), toneField(channeloffsets::txTone), toneLabels());
    addFixedChoice(grid, "RxSignallingComboBox", QStringLiteral("Rx Signalling System"), field(f::rxSignalling),
        signallingLabels());
    addFixedChoice(grid, "TxSignallingComboBox", QStringLiteral("Tx Signalling System"), field(f::txSignalling),
        signallingLabels());
    addOptions(grid, QStringLiteral("CTCSS Tail Revert"), { "TailRevert180SpeedButton", "TailRevert120SpeedButton" },
        { QStringLiteral("180"), QStringLiteral("120") }, { 0, 1 }, field(f::tailRevertPhase));
    addToggle(grid, "ReverseBurstSpeedButton", QStringLiteral("Reverse Burst / Turn Off Code"), field(f::reverseBurst));
    static const char *const decodeNames[] = { "Decode1SpeedButton", "Decode2SpeedButton", "Decode3SpeedButton",
        "Decode4SpeedButton", "Decode5SpeedButton", "Decode6SpeedButton", "Decode7SpeedButton", "Decode8SpeedButton" };
    for (int k = 1; k <= 8; ++k)
        addToggle(grid, decodeNames[k - 1], QStringLiteral("Decode %1").arg(k), field(f::decode(k)));
    return &grid;
}

QList<QPushButton *> ChannelDetails::addOptions(FieldGrid &grid, const QString &label, const QList<const char *> &names,
    const QStringList &captions, const QList<int> &values, FieldCodec codec, FieldBinder::AfterWrite after)
{
    const QList<QPushButton *> buttons = grid.addOptions(label, names, captions);
    m_binder->bindOptions(buttons, values, std::move(codec), std::move(after));
    return buttons;
}

QComboBox *ChannelDetails::addChoice(
    FieldGrid &grid, const char *name, const QString &label, FieldCodec codec, const QString &hint)
{
    QComboBox *combo = grid.addCombo(name, label, hint);
    m_binder->bindChoice(combo, std::move(codec));
    return combo;
}

QLineEdit *ChannelDetails::addFrequencyEdit(FieldGrid &grid, const char *name, const QString &label, int offset)
{
    QLineEdit *edit = grid.addEdit(name, label, kFrequencyLength);
    m_binder->bindEdit(edit, frequencyField(offset), isFrequencyCharacter);
    return edit;
}

QComboBox *ChannelDetails::addFixedChoice(FieldGrid &grid, const char *name, const QString &label, FieldCodec codec,
    const ValueLabels &labels, const QString &hint)
{
    QComboBox *combo = addChoice(grid, name, label, std::move(codec), hint);
    m_fixedChoices.append({ combo, &labels });
    return combo;
}

void ChannelDetails::addToggle(
    FieldGrid &grid, const char *name, const QString &caption, FieldCodec codec, const QString &hint)
{
    m_binder->bindToggle(grid.addToggle(name, caption, hint), std::move(codec));
}

// ---------------------------------------------------------------------------------------------
// Refresh

void ChannelDetails::refreshChoices(const FileImage *image)
{
    for (const auto &[combo, labels] : std::as_const(m_fixedChoices))
        m_binder->fillChoice(combo, *labels);
    const bool gps = image && hasGps(*image);
    m_gpsCombo->setVisible(gps);
    m_gpsLabel->setVisible(gps);
}

void ChannelDetails::showEmptyState()
{
    m_binder->clear();
    m_detailArea->setEnabled(false);
}

void ChannelDetails::showSelection(const FileImage &image, const QList<int> &rows)
{
    const QString none = QStringLiteral("None");
    m_binder->fillChoice(m_privacyCombo, privacyLabels(hasEnhancedPrivacy(image)));
    m_binder->fillChoice(m_emergencyCombo, usedRecordLabels(image, lists::emergencySystems, none));
    m_binder->fillChoice(m_scanListCombo, usedRecordLabels(image, lists::scanLists, none));
    m_binder->fillChoice(m_contactCombo, usedRecordLabels(image, lists::contacts, none));
    m_binder->fillChoice(m_rxGroupCombo, usedRecordLabels(image, lists::rxGroupLists, none));
    const std::optional<int> mode = commonValue<int>(image, rows, field(f::mode).read);
    m_binder->fillChoice(m_admitCombo, admitCriteriaLabels(mode ? std::optional(ChannelMode(*mode)) : std::nullopt));
    m_binder->show(image, rows);

    m_detailArea->setEnabled(!rows.isEmpty());
    m_modeButtons.first()->setEnabled(false); // Auto is shown, never chosen
    // Digital channels always hold 0, so a bandwidth is offered only where some channel can take it.
    const bool allDigital = mode == int(ChannelMode::Digital);
    for (QPushButton *button : std::as_const(m_bandwidthButtons))
        button->setEnabled(!allDigital);
}

// A channel that becomes Digital works at 12.5 kHz (the mode codec clears its bandwidth) and only
// offers the admit criteria of its mode.
void ChannelDetails::modeChosen(int mode)
{
    const bool digital = mode == int(ChannelMode::Digital);
    m_binder->showControl(m_bandwidthButtons.first());
    for (QPushButton *button : std::as_const(m_bandwidthButtons))
        button->setEnabled(!digital);
    m_binder->fillChoice(m_admitCombo, admitCriteriaLabels(ChannelMode(mode)));
    m_binder->showControl(m_admitCombo);
}

bool ChannelDetails::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport() && event->type() == QEvent::Resize)
        FieldGrid::arrangeAll(m_grids, m_detailArea, viewport()->width(), m_twoColumnWidth);
    return QScrollArea::eventFilter(watched, event);
}
