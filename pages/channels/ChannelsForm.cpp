#include "ChannelsForm.h"

#include "ChannelCsv.h"
#include "ChannelList.h"
#include "ChannelRecord.h"
#include "CodePlugStore.h"
#include "FileDialogs.h"
#include "InPlaceEditor.h"
#include "Layout.h"
#include "ListViewTools.h"
#include "RecordClipboard.h"
#include "MoveRepeater.h"
#include "Prompts.h"
#include "RadioInfo.h"
#include "RecordName.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;
namespace f = codeplug::channelfields;

namespace {

constexpr int kNameColumn = 2;
constexpr int kProtectColumn = 3;
constexpr int kNameLength = 16;
constexpr int kFrequencyLength = 9;
constexpr int kSearchLeadRows = 3;
const QString kCsvFilter = QStringLiteral("*.csv");
const QString kFileFilter = kCsvFilter + QStringLiteral(";;*.*");

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

bool shiftHeld()
{
    return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
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

ChannelsForm::ChannelsForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("ChannelsForm"));
    m_timer1->setObjectName(QStringLiteral("Timer1"));

    auto *layout = new QHBoxLayout(this);
    createListSide(layout);
    createDetailSide(layout);
    createPopupMenu();
    // Down buttons must stand out from up ones at a glance, also in styles that shade them lightly.
    m_detailArea->setStyleSheet(
        QStringLiteral("QPushButton:checked { background-color: palette(highlight); color: palette(highlighted-text);"
                       " border: 1px solid palette(dark); border-radius: 3px; padding: 3px 6px; }"));
    arrangeDetails();

    m_editor = new InPlaceEditor(this, [this] { return codePlugOpen(); });
    m_editor->watch(m_listView);
    m_drag = new DragSelector([this] { return codePlugOpen() && !m_editor->isEditing(); }, this);
    m_drag->watch(m_listView);
    m_listKeys = new ListKeys(
        m_listView, [this] { return codePlugOpen(); }, [this] { deleteCommand(); },
        [this](int step) { moveSelection(step); });
    m_repeater = new MoveRepeater(m_timer1, this);
    m_repeater->addButton(m_moveUpButton, [this](int size) { moveButton(1, size); });
    m_repeater->addButton(m_moveUp10Button, [this](int size) { moveButton(10, size); });
    m_repeater->addButton(m_moveDownButton, [this](int size) { moveButton(-1, size); });
    m_repeater->addButton(m_moveDown10Button, [this](int size) { moveButton(-10, size); });
    connect(m_timer1, &QTimer::timeout, this, &ChannelsForm::timerTick);
    m_timer1->start(MoveRepeater::kTickMs);
    showEmptyState();
}

ChannelsForm::~ChannelsForm()
{
    m_timer1->stop();
}

// ---------------------------------------------------------------------------------------------
// Construction

void ChannelsForm::createListSide(QBoxLayout *layout)
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ListPanel"));
    auto *side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);

    m_headingLabel = new QLabel(QStringLiteral("List of available analogue and digital channels "), this);
    m_headingLabel->setObjectName(QStringLiteral("HeadingLabel"));
    m_headingLabel->setWordWrap(true);
    m_titleLabel = new QLabel(this);
    m_titleLabel->setObjectName(QStringLiteral("TitleLabel"));
    side->addWidget(m_headingLabel);
    side->addWidget(m_titleLabel);

    auto *searchRow = new QHBoxLayout;
    auto *searchLabel = new QLabel(QStringLiteral("Search "), this);
    searchLabel->setObjectName(QStringLiteral("SearchLabel"));
    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("SearchEdit"));
    m_searchEdit->installEventFilter(this);
    searchLabel->setBuddy(m_searchEdit);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_searchEdit, 1);
    side->addLayout(searchRow);
    connect(m_searchEdit, &QLineEdit::textChanged, this, [this] { m_searchCountdown = kSearchTicks; });

    m_listView = new QTreeWidget(this);
    m_listView->setObjectName(QStringLiteral("ListView"));
    listview::setupListView(m_listView,
        { { QStringLiteral("Chan"), 50, Qt::AlignCenter }, { QStringLiteral("Name"), 120, Qt::AlignLeft },
            { QStringLiteral("Protect"), 80, Qt::AlignCenter } });
    m_listView->header()->setSectionsClickable(true);
    m_listView->header()->setStretchLastSection(false);
    m_listView->header()->setSectionResizeMode(QHeaderView::Fixed);
    m_listView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The panel is as wide as the list's columns, so that the columns never scroll sideways.
    panel->setFixedWidth(1 + 50 + 120 + 80 + 2 * m_listView->frameWidth()
        + m_listView->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    m_listView->setContextMenuPolicy(Qt::CustomContextMenu);
    side->addWidget(m_listView, 1);
    connect(m_listView->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (column == kNameColumn)
            sortCommand();
    });
    connect(m_listView, &QTreeWidget::itemSelectionChanged, this, &ChannelsForm::listViewSelectItem);
    connect(m_listView, &QTreeWidget::itemDoubleClicked, this, &ChannelsForm::listViewDblClick);
    connect(m_listView, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &at) { m_popupMenu->popup(m_listView->viewport()->mapToGlobal(at)); });

    auto *commands = new QGridLayout;
    m_addButton = makeButton(this, "AddBitBtn", QStringLiteral("Add"));
    m_deleteButton = makeButton(this, "DeleteBitBtn", QStringLiteral("Delete"));
    m_importButton = makeButton(this, "ImportButton", QStringLiteral("Import"));
    m_exportButton = makeButton(this, "ExportButton", QStringLiteral("Export"));
    m_moveUp10Button
        = makeButton(this, "MoveUp10BitBtn", QStringLiteral("\u21C8"), QStringLiteral("Move entry up by 10 places"));
    m_moveUpButton
        = makeButton(this, "MoveUpBitBtn", QStringLiteral("\u2191"), QStringLiteral("Move entry up by 1 place"));
    m_moveDownButton
        = makeButton(this, "MoveDownBitBtn", QStringLiteral("\u2193"), QStringLiteral("Move entry down by 1 place"));
    m_moveDown10Button = makeButton(
        this, "MoveDown10BitBtn", QStringLiteral("\u21CA"), QStringLiteral("Move entry down by 10 places"));
    const QList<QPushButton *> buttons { m_addButton, m_deleteButton, m_importButton, m_exportButton, m_moveUp10Button,
        m_moveUpButton, m_moveDownButton, m_moveDown10Button };
    for (int i = 0; i < int(buttons.size()); ++i)
        commands->addWidget(buttons.at(i), i / 4, i % 4);
    // A move button never takes the focus: the list keeps it, and a held button stays down
    // while its repeated moves focus the list.
    for (QPushButton *button : { m_moveUp10Button, m_moveUpButton, m_moveDownButton, m_moveDown10Button })
        button->setFocusPolicy(Qt::NoFocus);
    side->addLayout(commands);

    connect(m_addButton, &QPushButton::clicked, this, &ChannelsForm::addCommand);
    connect(m_deleteButton, &QPushButton::clicked, this, &ChannelsForm::deleteCommand);
    connect(m_importButton, &QPushButton::clicked, this, &ChannelsForm::importCommand);
    connect(m_exportButton, &QPushButton::clicked, this, &ChannelsForm::exportCommand);
}

void ChannelsForm::createDetailSide(QBoxLayout *layout)
{
    m_detailScroll = new QScrollArea(this);
    m_detailScroll->setObjectName(QStringLiteral("DetailScrollArea"));
    m_detailScroll->setWidgetResizable(true);
    m_detailScroll->setFrameShape(QFrame::NoFrame);
    m_detailArea = new QWidget;
    m_detailArea->setObjectName(QStringLiteral("DetailPanel"));
    auto *areaLayout = new QVBoxLayout(m_detailArea);
    areaLayout->setContentsMargins(0, 0, 4, 0);
    m_grids = { createCommonGroup(m_detailArea), createDigitalGroup(m_detailArea), createAnalogueGroup(m_detailArea) };
    areaLayout->addStretch(1);
    m_detailScroll->setWidget(m_detailArea);
    m_detailScroll->viewport()->installEventFilter(this);
    layout->addWidget(m_detailScroll, 1);
}

FieldGrid *ChannelsForm::createCommonGroup(QWidget *area)
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

FieldGrid *ChannelsForm::createDigitalGroup(QWidget *area)
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

FieldGrid *ChannelsForm::createAnalogueGroup(QWidget *area)
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

ChannelsForm::ChannelValue ChannelsForm::fieldValue(ChannelField field)
{
    return { [field](const FileImage &image, int index) { return channelField(image, index, field); },
        [field](FileImage &image, int index, int value) { setChannelField(image, index, field, value); } };
}

ChannelsForm::ChannelValue ChannelsForm::invertedValue(ChannelField field)
{
    return { [field](const FileImage &image, int index) { return 1 - channelField(image, index, field); },
        [field](FileImage &image, int index, int value) { setChannelField(image, index, field, value ? 0 : 1); } };
}

QList<QPushButton *> ChannelsForm::addOptions(FieldGrid &grid, const QString &label, const QList<const char *> &names,
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

QComboBox *ChannelsForm::addChoice(
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
        if (isUpdating() || item < 0)
            return;
        writeSelected(choice.value, choice.combo->itemData(item).toInt());
    });
    return combo;
}

QLineEdit *ChannelsForm::addFrequencyEdit(FieldGrid &grid, const char *name, const QString &label, int offset)
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

void ChannelsForm::addToggle(
    FieldGrid &grid, const char *name, const QString &caption, ChannelValue value, const QString &hint)
{
    QPushButton *button = makeButton(grid.box(), name, caption, hint);
    button->setCheckable(true);
    grid.addToggle(button);
    const int index = int(m_toggles.size());
    m_toggles.append({ button, std::move(value) });
    connect(button, &QPushButton::clicked, this, [this, index](bool checked) {
        if (!isUpdating())
            writeSelected(m_toggles.at(index).value, checked ? 1 : 0);
    });
}

void ChannelsForm::createPopupMenu()
{
    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    const auto entry = [this](const char *name, const QString &text, void (ChannelsForm::*command)()) {
        QAction *action = m_popupMenu->addAction(text);
        action->setObjectName(QLatin1String(name));
        if (command)
            connect(action, &QAction::triggered, this, command);
        return action;
    };
    m_copyAction = entry("CopyMenuItem", QStringLiteral("Copy"), &ChannelsForm::copyCommand);
    m_pasteInsertAction = entry("PasteInsertMenuItem", QStringLiteral("Paste Insert"), nullptr);
    m_pasteOverAction = entry("PasteOverMenuItem", QStringLiteral("Paste Over"), &ChannelsForm::pasteOverCommand);
    m_pasteNewAction = entry("PasteNewMenuItem", QStringLiteral("Paste New"), &ChannelsForm::pasteNewCommand);
    m_popupMenu->addSeparator();
    m_addAction = entry("AddMenuItem", QStringLiteral("Add"), &ChannelsForm::addCommand);
    m_insertAction = entry("InsertMenuItem", QStringLiteral("Insert"), &ChannelsForm::insertCommand);
    m_deleteAction = entry("DeleteMenuItem", QStringLiteral("Delete"), &ChannelsForm::deleteCommand);
    m_popupMenu->addSeparator();
    m_unselectAllAction = entry("UnselectAllMenuItem", QStringLiteral("Unselect All"), nullptr);
    m_selectAllAction = entry("SelectAllMenuItem", QStringLiteral("Select All"), nullptr);
    connect(m_unselectAllAction, &QAction::triggered, this, [this] { selectAllRows(false); });
    connect(m_selectAllAction, &QAction::triggered, this, [this] { selectAllRows(true); });
    m_popupMenu->addSeparator();
    m_unprotectAction = entry("SetUnprotectedMenuItem", QStringLiteral("Set to unprotected"), nullptr);
    m_protectAction = entry("SetProtectedMenuItem", QStringLiteral("Set to protected"), nullptr);
    connect(m_unprotectAction, &QAction::triggered, this, [this] { setSelectionProtected(false); });
    connect(m_protectAction, &QAction::triggered, this, [this] { setSelectionProtected(true); });
    m_popupMenu->addSeparator();
    m_cancelAction = entry("CancelMenuItem", QStringLiteral("Cancel"), nullptr);
    connect(m_popupMenu, &QMenu::aboutToShow, this, &ChannelsForm::updatePopupMenu);
}

// ---------------------------------------------------------------------------------------------
// Refresh

void ChannelsForm::pageRefresh()
{
    {
        UpdatingScope updating(*this);
        for (const auto &[combo, labels] : std::as_const(m_fixedChoices))
            fillCombo(combo, *labels);
        const FileImage *image = currentImage();
        const bool gps = image && hasGps(*image);
        m_gpsCombo->setVisible(gps);
        m_gpsLabel->setVisible(gps);
    }
    // Rebuilt at once rather than posted: the main window calls this outside any list
    // notification, and the list must never show another slot's channels.
    refresh(true, 0);
}

void ChannelsForm::pageShown()
{
    refresh(false, 0);
}

void ChannelsForm::deferredRefresh(bool rebuild, int topRow)
{
    m_selectionRefreshPosted = false;
    refresh(rebuild, topRow);
}

void ChannelsForm::refresh(bool rebuild, int topRow)
{
    UpdatingScope updating(*this);
    const FileImage *image = currentImage();
    setEnabled(image != nullptr);
    if (!image) {
        showEmptyState();
        return;
    }
    fillCombo(m_privacyCombo, privacyLabels(hasEnhancedPrivacy(*image)));
    if (rebuild) {
        rebuildList(*image);
        if (topRow < 1 && m_listView->topLevelItemCount() > 0) {
            m_listView->setCurrentItem(m_listView->topLevelItem(0), 1, QItemSelectionModel::NoUpdate);
            m_listView->topLevelItem(0)->setSelected(true);
        }
    }
    updateTitle();
    fillReferenceChoices(*image);
    showSelection(*image);
    if (topRow > 0)
        listview::scrollToRow(m_listView, topRow);
    updateButtons();
}

void ChannelsForm::showEmptyState()
{
    UpdatingScope updating(*this);
    m_editor->endEdit(false);
    m_listView->clear();
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
    for (QPushButton *button :
        { m_addButton, m_deleteButton, m_moveUpButton, m_moveUp10Button, m_moveDownButton, m_moveDown10Button })
        button->setEnabled(false);
    updateTitle();
}

void ChannelsForm::rebuildList(const FileImage &image)
{
    m_editor->endEdit(true);
    m_listView->clear();
    QList<QTreeWidgetItem *> items;
    for (int i = 0; i < lists::channels.count && isRecordUsed(image, lists::channels, i); ++i) {
        auto *item = new QTreeWidgetItem;
        item->setText(1, QString::number(i + 1));
        item->setText(kNameColumn, channelName(image, i));
        item->setText(kProtectColumn, protectText(image, i));
        item->setTextAlignment(1, Qt::AlignCenter);
        item->setTextAlignment(kProtectColumn, Qt::AlignCenter);
        items.append(item);
    }
    m_listView->addTopLevelItems(items);
}

void ChannelsForm::relabelRows(const FileImage &image)
{
    for (int i = 0; i < m_listView->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_listView->topLevelItem(i);
        item->setText(kNameColumn, channelName(image, i));
        item->setText(kProtectColumn, protectText(image, i));
    }
}

QString ChannelsForm::protectText(const FileImage &image, int row) const
{
    return m_protectedChannels.matches(channelName(image, row)) ? QStringLiteral("Yes") : QString();
}

void ChannelsForm::updateTitle()
{
    if (!codePlugOpen()) {
        m_titleLabel->setText(QStringLiteral("Channels .. up to %1 ").arg(kMaxChannels));
        return;
    }
    QString title
        = QStringLiteral("Channels .. used %1 of %2. ").arg(m_listView->topLevelItemCount()).arg(kMaxChannels);
    const qsizetype selected = m_listView->selectedItems().size();
    if (selected > 0)
        title += QStringLiteral("%1 selected. ").arg(selected);
    m_titleLabel->setText(title);
}

void ChannelsForm::updateButtons()
{
    const int count = m_listView->topLevelItemCount();
    const QList<int> rows = selectedRows();
    const bool any = !rows.isEmpty();
    const bool canUp = any && rows.first() > 0;
    const bool canDown = any && rows.last() < count - 1;
    m_addButton->setEnabled(count < kMaxChannels);
    m_deleteButton->setEnabled(any);
    m_moveUpButton->setEnabled(canUp);
    m_moveUp10Button->setEnabled(canUp);
    m_moveDownButton->setEnabled(canDown);
    m_moveDown10Button->setEnabled(canDown);

    m_detailArea->setEnabled(any);
    m_optionGroups.first().buttons.first()->setEnabled(false); // Auto is shown, never chosen
    const FileImage *image = currentImage();
    const bool singleDigital
        = image && rows.size() == 1 && channelField(*image, rows.first(), f::mode) == int(ChannelMode::Digital);
    for (QPushButton *button : std::as_const(m_bandwidthButtons))
        button->setEnabled(!singleDigital);
}

void ChannelsForm::fillReferenceChoices(const FileImage &image)
{
    fillCombo(m_emergencyCombo, referenceLabels(image, lists::emergencySystems));
    fillCombo(m_scanListCombo, referenceLabels(image, lists::scanLists));
    fillCombo(m_contactCombo, referenceLabels(image, lists::contacts));
    fillCombo(m_rxGroupCombo, referenceLabels(image, lists::rxGroupLists));
}

std::optional<int> ChannelsForm::commonValue(const ChannelValue &value) const
{
    const FileImage *image = currentImage();
    return image ? commonValueOf(value, *image, selectedRows()) : std::nullopt;
}

std::optional<int> ChannelsForm::commonValueOf(
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

void ChannelsForm::showSelection(const FileImage &image)
{
    const QList<int> rows = selectedRows();
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
}

void ChannelsForm::rebuildAdmitCriteria(std::optional<int> commonMode)
{
    UpdatingScope updating(*this);
    const std::optional<ChannelMode> mode
        = commonMode ? std::optional<ChannelMode>(ChannelMode(*commonMode)) : std::nullopt;
    fillCombo(m_admitCombo, admitCriteriaLabels(mode));
    const std::optional<int> common = commonValue(fieldValue(f::admitCriteria));
    m_admitCombo->setCurrentIndex(common ? m_admitCombo->findData(*common) : -1);
}

// ---------------------------------------------------------------------------------------------
// Detail edits

void ChannelsForm::writeSelected(const ChannelValue &value, int v)
{
    FileImage *image = currentImage();
    if (!image || isUpdating())
        return;
    for (int row : selectedRows())
        value.write(*image, row, v);
}

void ChannelsForm::optionClicked(int group, int index)
{
    const OptionGroup &options = m_optionGroups.at(group);
    // An exclusive button clicked is always down afterwards; its partners go up.
    for (int i = 0; i < int(options.buttons.size()); ++i)
        options.buttons.at(i)->setChecked(i == index);
    if (isUpdating())
        return;
    writeSelected(options.value, options.values.at(index));
    if (group == 0)
        modeChosen(options.values.at(index));
}

void ChannelsForm::modeChosen(int mode)
{
    const bool digital = mode == int(ChannelMode::Digital);
    for (int i = 0; i < int(m_bandwidthButtons.size()); ++i) {
        if (digital)
            m_bandwidthButtons.at(i)->setChecked(i == 0);
        m_bandwidthButtons.at(i)->setEnabled(!digital);
    }
    rebuildAdmitCriteria(mode);
}

void ChannelsForm::frequencyEdited(QLineEdit *edit, int offset)
{
    FileImage *image = currentImage();
    if (!image || isUpdating())
        return;
    const std::optional<std::uint32_t> stored = frequencyFromText(edit->text(), bandCode(*image));
    if (!stored)
        return;
    for (int row : selectedRows())
        setChannelU32(*image, row, offset, *stored);
}

bool ChannelsForm::frequencyKeyPress(QLineEdit *edit, int offset, QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const FileImage *image = currentImage();
        const QList<int> rows = selectedRows();
        if (image && !rows.isEmpty()) {
            // Shows what was stored, without writing it into the other selected channels.
            UpdatingScope updating(*this);
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
// List events

void ChannelsForm::arrangeDetails()
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
    const int pairs = m_detailScroll->viewport()->width() >= m_twoColumnWidth ? 2 : 1;
    for (FieldGrid *grid : std::as_const(m_grids))
        grid->arrange(pairs, labelWidth);
}

bool ChannelsForm::eventFilter(QObject *watched, QEvent *event)
{
    if (m_detailScroll && watched == m_detailScroll->viewport() && event->type() == QEvent::Resize)
        arrangeDetails();
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_searchEdit)
            return searchKeyPress(key) || CodePlugPage::eventFilter(watched, event);
        if (watched == m_rxFreqEdit || watched == m_txFreqEdit) {
            auto *edit = static_cast<QLineEdit *>(watched);
            return frequencyKeyPress(edit, edit->property("frequencyOffset").toInt(), key);
        }
    }
    return CodePlugPage::eventFilter(watched, event);
}

bool ChannelsForm::searchKeyPress(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        return true;
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    m_searchCountdown = -1;
    searchNow();
    m_listView->setFocus();
    return true;
}

void ChannelsForm::timerTick()
{
    if (m_searchCountdown > 0 && --m_searchCountdown == 0) {
        m_searchCountdown = -1;
        searchNow();
    }
}

void ChannelsForm::listViewSelectItem()
{
    // A drag or a search changes the selection many times in one go; one refresh follows them all.
    if (isUpdating() || m_selectionRefreshPosted)
        return;
    m_selectionRefreshPosted = true;
    postRefresh(false, 0);
}

void ChannelsForm::listViewDblClick(QTreeWidgetItem *item, int column)
{
    m_editor->endEdit(true);
    const int row = listview::rowOf(m_listView, item);
    if (!codePlugOpen() || row < 0)
        return;
    if (column == kProtectColumn) {
        toggleProtection(row);
        return;
    }
    if (column != kNameColumn)
        return;
    m_editor->beginTextEdit(m_listView, row, kNameColumn, kNameLength, InPlaceEditor::printableAscii(),
        [this](int editedRow, int, const QString &text) -> std::optional<QString> {
            FileImage *image = currentImage();
            if (!image || !renameRecord(*image, lists::channels, editedRow, text))
                return std::nullopt;
            if (QTreeWidgetItem *edited = m_listView->topLevelItem(editedRow))
                edited->setText(kProtectColumn, protectText(*image, editedRow));
            return channelName(*image, editedRow);
        });
}

void ChannelsForm::toggleProtection(int row)
{
    const FileImage *image = currentImage();
    if (!image)
        return;
    const QString name = channelName(*image, row).trimmed();
    if (!m_protectedChannels.remove(name))
        m_protectedChannels.add(name);
    m_listView->topLevelItem(row)->setText(kProtectColumn, protectText(*image, row));
}

QList<int> ChannelsForm::selectedRows() const
{
    return listview::selectedRows(m_listView);
}

int ChannelsForm::topRow() const
{
    const QModelIndex top = m_listView->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void ChannelsForm::selectOnly(int row)
{
    QTreeWidgetItem *item = m_listView->topLevelItem(row);
    m_listView->clearSelection();
    if (!item)
        return;
    m_listView->setCurrentItem(item, 1, QItemSelectionModel::NoUpdate);
    item->setSelected(true);
    m_listView->scrollToItem(item);
    m_listView->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Commands

void ChannelsForm::addCommand()
{
    FileImage *image = currentImage();
    if (!image)
        return;
    m_editor->endEdit(true);
    const int index = addChannel(*image);
    if (index < 0) {
        m_addButton->setEnabled(false);
        return;
    }
    {
        UpdatingScope updating(*this);
        m_listView->clearSelection();
        listview::appendRow(
            m_listView, { QString::number(index + 1), channelName(*image, index), protectText(*image, index) });
    }
    selectOnly(index);
    refresh(false, 0);
}

void ChannelsForm::insertCommand()
{
    FileImage *image = currentImage();
    const QList<int> rows = selectedRows();
    if (!image)
        return;
    if (rows.isEmpty()) {
        addCommand();
        return;
    }
    const int top = topRow();
    if (insertChannel(*image, rows.first()) < 0) {
        m_addButton->setEnabled(false);
        return;
    }
    refresh(true, top);
    selectOnly(rows.first());
    refresh(false, 0);
}

bool ChannelsForm::askContinue(const QString &message)
{
    return prompts().ask(QMessageBox::Information, messageTitle(), message, QMessageBox::Ok | QMessageBox::Cancel)
        == QMessageBox::Ok;
}

void ChannelsForm::deleteCommand()
{
    FileImage *image = currentImage();
    const QList<int> rows = selectedRows();
    if (!image || rows.isEmpty())
        return;
    m_editor->endEdit(true);
    const int top = topRow();
    const int last = rows.last();
    const int deleted = deleteChannelSelection(
        *image, rows, m_protectedChannels, [this](const QString &message) { return askContinue(message); });
    if (deleted == 0)
        return;
    refresh(true, top);
    const int count = m_listView->topLevelItemCount();
    selectOnly(last < count ? last : count - 1);
    refresh(false, 0);
}

void ChannelsForm::moveButton(int baseStep, int size)
{
    // A click moves by the button's step, ten times that with Shift; a repetition reports Shift
    // through its size.
    const int factor = (size > 1 || shiftHeld()) ? 10 : 1;
    moveSelection(baseStep * factor);
}

void ChannelsForm::moveSelection(int n)
{
    FileImage *image = currentImage();
    const QList<int> rows = selectedRows();
    if (!image || rows.isEmpty() || n == 0)
        return;
    m_editor->endEdit(true);
    const QList<int> moved = moveChannelSelection(*image, rows, n);
    {
        UpdatingScope updating(*this);
        relabelRows(*image);
        QItemSelection selection;
        for (int row : moved)
            selection.select(
                m_listView->model()->index(row, 0), m_listView->model()->index(row, m_listView->columnCount() - 1));
        m_listView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    refresh(false, 0);
    const int anchor = n > 0 ? moved.first() : moved.last();
    listview::scrollToRow(m_listView, std::max(0, anchor - listview::fullyVisibleRows(m_listView) / 2));
    m_listView->setFocus();
}

void ChannelsForm::sortCommand()
{
    FileImage *image = currentImage();
    if (!image)
        return;
    m_editor->endEdit(true);
    sortChannels(*image, m_protectedChannels);
    refresh(true, 0);
}

void ChannelsForm::searchNow()
{
    if (!codePlugOpen())
        return;
    const QString text = m_searchEdit->text().trimmed().toLower();
    QItemSelection selection;
    int first = -1;
    if (!text.isEmpty()) {
        for (int row = 0; row < m_listView->topLevelItemCount(); ++row) {
            const QTreeWidgetItem *item = m_listView->topLevelItem(row);
            bool match = false;
            for (int column : { 1, kNameColumn, kProtectColumn })
                match = match || item->text(column).trimmed().toLower().contains(text);
            if (!match)
                continue;
            if (first < 0)
                first = row;
            selection.select(
                m_listView->model()->index(row, 0), m_listView->model()->index(row, m_listView->columnCount() - 1));
        }
    }
    m_listView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (first >= 0)
        listview::scrollToRow(m_listView, std::max(0, first - kSearchLeadRows));
    updateTitle();
}

void ChannelsForm::selectAllRows(bool select)
{
    if (!codePlugOpen())
        return;
    {
        UpdatingScope updating(*this);
        if (select)
            m_listView->selectAll();
        else
            m_listView->clearSelection();
    }
    refresh(false, 0);
}

void ChannelsForm::setSelectionProtected(bool protect)
{
    const FileImage *image = currentImage();
    if (!image)
        return;
    for (int row : selectedRows()) {
        const QString name = channelName(*image, row).trimmed();
        if (protect)
            m_protectedChannels.add(name);
        else
            m_protectedChannels.remove(name);
        m_listView->topLevelItem(row)->setText(kProtectColumn, protectText(*image, row));
    }
}

void ChannelsForm::copyCommand()
{
    const FileImage *image = currentImage();
    const QList<int> rows = selectedRows();
    if (!image || rows.isEmpty())
        return;
    recordclipboard::put(kChannelClipboardFormat, copyChannels(*image, rows));
}

void ChannelsForm::pasteOverCommand()
{
    FileImage *image = currentImage();
    const QList<int> rows = selectedRows();
    const QByteArray block = recordclipboard::block(kChannelClipboardFormat);
    if (!image || rows.isEmpty() || block.isEmpty())
        return;
    m_editor->endEdit(true);
    if (pasteChannelsOver(*image, block, rows) <= 0)
        return;
    const int top = topRow();
    refresh(true, top);
    QItemSelection selection;
    for (int row : rows)
        selection.select(
            m_listView->model()->index(row, 0), m_listView->model()->index(row, m_listView->columnCount() - 1));
    m_listView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ChannelsForm::pasteNewCommand()
{
    FileImage *image = currentImage();
    const QByteArray block = recordclipboard::block(kChannelClipboardFormat);
    if (!image || block.isEmpty())
        return;
    m_editor->endEdit(true);
    const int first = pasteNewChannels(*image, block);
    if (first < 0)
        return;
    refresh(true, first);
    QItemSelection selection;
    selection.select(m_listView->model()->index(first, 0),
        m_listView->model()->index(m_listView->topLevelItemCount() - 1, m_listView->columnCount() - 1));
    m_listView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ChannelsForm::importCommand()
{
    FileImage *image = currentImage();
    if (!image)
        return;
    const QString fileName = dialogs().openFileName(this, QCoreApplication::applicationDirPath(), kFileFilter);
    if (fileName.isEmpty())
        return;
    m_editor->endEdit(true);
    const ChannelCsvResult result = importChannelsCsv(*image, fileName, m_protectedChannels);
    for (const QString &message : result.messages)
        prompts().message(QMessageBox::Critical, messageTitle(), message);
    if (result.value >= 0)
        refresh(true, 0);
}

void ChannelsForm::exportCommand()
{
    const FileImage *image = currentImage();
    if (!image)
        return;
    QString filter = kCsvFilter;
    const QString fileName
        = dialogs().saveFileNameWithFilter(this, QCoreApplication::applicationDirPath(), {}, kFileFilter, filter);
    if (fileName.isEmpty())
        return;
    const ChannelCsvResult result = exportChannelsCsv(*image, withFilterExtension(fileName, filter));
    for (const QString &message : result.messages)
        prompts().message(QMessageBox::Critical, messageTitle(), message);
}

void ChannelsForm::updatePopupMenu()
{
    const bool open = codePlugOpen();
    const int count = m_listView->topLevelItemCount();
    const int selected = int(m_listView->selectedItems().size());
    const bool pasteable = !recordclipboard::block(kChannelClipboardFormat).isEmpty();
    const bool room = count < kMaxChannels;
    m_copyAction->setEnabled(open && selected > 0);
    m_pasteInsertAction->setEnabled(false);
    m_pasteOverAction->setEnabled(open && pasteable);
    m_pasteNewAction->setEnabled(open && pasteable && room);
    m_addAction->setEnabled(open && room);
    m_insertAction->setEnabled(open && room);
    m_deleteAction->setEnabled(open && selected > 0);
    m_unselectAllAction->setEnabled(open && selected > 0);
    m_selectAllAction->setEnabled(open && selected < count);
    m_unprotectAction->setEnabled(open && selected > 0);
    m_protectAction->setEnabled(open && selected > 0);
    m_cancelAction->setEnabled(open);
}
