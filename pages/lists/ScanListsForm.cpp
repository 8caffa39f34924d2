#include "ScanListsForm.h"

#include "ChannelRecord.h"
#include "FieldBinder.h"
#include "FieldCodec.h"
#include "ListPanel.h"
#include "MemberLists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

using namespace codeplug;

namespace {

constexpr RecordArea kScanLists = recordsOf(lists::scanLists);
constexpr int kVisibleItems = 20;
// Channel fields: 0 names the selected channel, 0xFFFF none (or the last active channel).
constexpr int kSelectedChannel = 0;
constexpr int kNoChannel = 0xFFFF;

const MemberPageTexts kTexts {
    .objectName = "ScanListsForm",
    .members = memberdescriptors::scanLists,
    .titlePrefix = QStringLiteral("Scan Lists"),
    .emptyTitle = QStringLiteral("Scan Lists .. up to 250 "),
    .initialTitle = QStringLiteral("Scan List .. up to 250 "),
    .availableTitle = QStringLiteral("Available Channels "),
    .membersInitialTitle = QStringLiteral("Channel Members .. up to 31 "),
    .membersUsed = QStringLiteral("Channel Members .. used %1 of 31 "),
    .membersUpTo = QString(),
    .label1 = QStringLiteral("You can set your radio to scan one of these scan groups "),
    .memberColumns = { { QStringLiteral("Chan"), 50, Qt::AlignCenter }, { QStringLiteral("Name"), 0 },
        { QStringLiteral("Mode"), 70 } },
    .memberCells = &channelMemberCells,
};

// "50 ms" .. "6375 ms" carrying t / step.
ValueLabels timeLabels(int first, int last, int step)
{
    ValueLabels labels;
    for (int t = first; t <= last; t += step)
        labels.append({ t / step, QStringLiteral("%1 ms").arg(t) });
    return labels;
}

ValueLabels channelLabels(const FileImage &image, const QList<int> &numbers, const QString &noneText)
{
    ValueLabels labels { { kSelectedChannel, QStringLiteral("Selected") } };
    for (int number : numbers)
        labels.append({ number, channelName(image, number - 1) });
    labels.append({ kNoChannel, noneText });
    return labels;
}

QList<int> usedChannels(const FileImage &image)
{
    QList<int> numbers;
    for (int i = 0; i < lists::channels.count; ++i) {
        if (isRecordUsed(image, lists::channels, i))
            numbers.append(i + 1);
    }
    return numbers;
}

} // namespace

ScanListsForm::ScanListsForm(const PageContext &context, QWidget *parent)
    : MemberListsPage(context, kTexts, parent)
    , m_binder(new FieldBinder([this] { return currentImage(); }, [this] { return panel()->selectedRows(); }, this))
{
    m_priority1 = addChoice(0, 0, "PriorityChannel1ComboBox", QStringLiteral("Priority Channel 1 "), 32, true);
    m_priority2 = addChoice(1, 0, "PriorityChannel2ComboBox", QStringLiteral("Priority Channel 2 "), 34, true);
    m_txDesignated = addChoice(2, 0, "TxDesignatedChannelComboBox", QStringLiteral("Tx Designated Channel "), 36, true);
    QComboBox *hold = addChoice(0, 2, "SignallingHoldTimeComboBox", QStringLiteral("Signalling Hold Time "), 39, false);
    QComboBox *sample
        = addChoice(1, 2, "PrioritySampleTimeComboBox", QStringLiteral("Priority Sample Time "), 40, false);
    m_binder->fillChoice(hold, timeLabels(50, 6375, 25));
    m_binder->fillChoice(sample, timeLabels(750, 7750, 250));
    extraGrid()->setColumnStretch(1, 1);
    extraGrid()->setColumnStretch(3, 1);
}

QComboBox *ScanListsForm::addChoice(int row, int column, const char *name, const QString &label, int byte, bool wide)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(QLatin1String(name));
    combo->setMaxVisibleItems(kVisibleItems);
    auto *caption = new QLabel(label, this);
    caption->setObjectName(QString::fromLatin1(name).replace(QStringLiteral("ComboBox"), QStringLiteral("Label")));
    caption->setBuddy(combo);
    extraGrid()->addWidget(caption, row, column);
    extraGrid()->addWidget(combo, row, column + 1);
    // Channel numbers take both bytes; the timing codes are one byte each.
    m_binder->bindChoice(combo, wide ? u16Field(kScanLists, byte) : bitField(kScanLists, byte, 0xFF, 0));
    m_settings << caption << combo;
    return combo;
}

void ScanListsForm::pageRefresh()
{
    reloadLater();
}

void ScanListsForm::pageShown()
{
    refreshPage(false, 0);
}

// The channel boxes offer choices for one scan list only; the timing boxes show what every
// selected scan list shares.
void ScanListsForm::selectionShown(const FileImage *image)
{
    const QList<int> rows = panel()->selectedRows();
    const int record = selectedRecord();
    ValueLabels priority;
    ValueLabels transmit;
    if (image && record >= 0) {
        FileImage &current = *currentImage();
        priority = channelLabels(*image, MemberList(current, kTexts.members, record).members(), QStringLiteral("None"));
        transmit = channelLabels(*image, usedChannels(*image), QStringLiteral("Last Active Channel"));
    }
    m_binder->fillChoice(m_priority1, priority);
    m_binder->fillChoice(m_priority2, priority);
    m_binder->fillChoice(m_txDesignated, transmit);
    const bool selected = image && !rows.isEmpty();
    for (QWidget *control : std::as_const(m_settings))
        control->setEnabled(selected);
    if (selected)
        m_binder->show(*image, rows);
    else
        m_binder->clear();
}
