#include "EmergencySystemForm.h"

#include "EmergencySystems.h"
#include "FieldBinder.h"
#include "FieldGrid.h"
#include "ListPanel.h"
#include "Prompts.h"
#include "RecordList.h"
#include "RecordName.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;
namespace es = codeplug::emergency;

namespace {

constexpr int kNameColumn = 2;
constexpr int kFirstFieldColumn = 3;
const QString kRefusalCaption = QStringLiteral("Opps");

RecordList systems(FileImage &image)
{
    return RecordList(image, listdescriptors::emergencySystems);
}

ListPanel::Setup systemsSetup()
{
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const int widths[es::kSystemFieldCount] = { 110, 260, 130, 100, 90, 0 };
    ListPanel::Setup setup;
    setup.columns = { { QStringLiteral("No."), 40, Qt::AlignCenter }, { QStringLiteral("Name"), 130, left } };
    for (int i = 0; i < es::kSystemFieldCount; ++i)
        setup.columns.append({ QLatin1String(es::systemFields()[std::size_t(i)].title), widths[i], left });
    const int capacity = lists::emergencySystems.count;
    setup.titlePrefix = QStringLiteral("Emergency Systems");
    setup.capacity = capacity;
    setup.emptyTitle = QStringLiteral("Emergency Systems .. up to %1. ").arg(capacity);
    setup.initialTitle = QStringLiteral("Emergency System List .. up to %1 ").arg(capacity);
    setup.parts = ListPanel::EditButtons | ListPanel::MoveButtons | ListPanel::Keys;
    setup.tenStepButtons = false;
    setup.rowCount = ListPanel::usedRows(lists::emergencySystems);
    setup.cells = &es::systemCells;
    setup.add = [](FileImage &image) { return systems(image).add(); };
    setup.move
        = [](FileImage &image, const QList<int> &rows, int step) { return systems(image).moveSelection(rows, step); };
    return setup;
}

} // namespace

EmergencySystemForm::EmergencySystemForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_header(new FieldBinder([this] { return currentImage(); }, this))
    , m_label1(new QLabel(QStringLiteral("Emergency configurations "), this))
{
    setObjectName(QStringLiteral("EmergencySystemForm"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    ListPanel::Setup setup = systemsSetup();
    setup.remove = [this](FileImage &image, const QList<int> &rows) -> std::optional<int> {
        const ListResult result = systems(image).remove(
            rows, {}, [this](const QString &message) { return prompts().askOkCancel(kRefusalCaption, message); });
        return result.count > 0 ? std::optional<int>(result.row) : std::nullopt;
    };
    setup.refreshed = [this](const FileImage *image) {
        setEnabled(image != nullptr);
        showHeader(image);
    };
    m_panel = new ListPanel(*this, setup);
    for (int column = kNameColumn; column < kFirstFieldColumn + es::kSystemFieldCount; ++column)
        m_panel->onDoubleClick(column, [this, column](int row) { editCell(row, column); });

    auto *buttons = new QHBoxLayout;
    for (ListPanel::Button which :
        { ListPanel::AddButton, ListPanel::DeleteButton, ListPanel::MoveUpButton, ListPanel::MoveDownButton })
        buttons->addWidget(m_panel->button(which));
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label1);
    layout->addLayout(createHeader());
    layout->addSpacing(8);
    layout->addWidget(m_panel->titleLabel());
    layout->addWidget(m_panel->list(), 1);
    layout->addLayout(buttons);
    FieldGrid::highlightDownButtons(this);
    setTabOrderAsShown();
}

// The list and its buttons are made before the header above them; Tab goes from top to bottom.
void EmergencySystemForm::setTabOrderAsShown()
{
    QList<QWidget *> order(m_toggles.begin(), m_toggles.end());
    order += QList<QWidget *>(m_choices.begin(), m_choices.end());
    order += { m_panel->list(), m_panel->button(ListPanel::AddButton), m_panel->button(ListPanel::DeleteButton) };
    for (int i = 0; i + 1 < int(order.size()); ++i)
        setTabOrder(order.at(i), order.at(i + 1));
}

QLayout *EmergencySystemForm::createHeader()
{
    // Each decode switch stands above a timing, the three pairs in columns of equal width.
    const QList<QPushButton *> toggles {
        addToggle("RadioDisableDecodeSpeedButton", QStringLiteral("Radio Disable Decode"), es::radioDisableDecode()),
        addToggle("RemoteMonitorDecodeSpeedButton", QStringLiteral("Remote Monitor Decode"), es::remoteMonitorDecode()),
        addToggle("EmergencyRemoteMonitorDecodeSpeedButton", QStringLiteral("Emergency Remote Monitor Decode"),
            es::emergencyRemoteMonitorDecode()),
    };
    struct Choice
    {
        const char *name;
        const char *labelName;
        QString label;
        const es::ChoiceField &field;
    };
    const Choice choices[] = {
        { "RemoteMonitorDurationComboBox", "RemoteMonitorDurationLabel", QStringLiteral("Remote Monitor Duration "),
            es::remoteMonitorDuration() },
        { "RemoteSyncWakeupComboBox", "RemoteSyncWakeupLabel", QStringLiteral("Remote Sync Wakeup Tx Timeout "),
            es::remoteSyncWakeup() },
        { "TxWakeupMessageLimitComboBox", "TxWakeupMessageLimitLabel", QStringLiteral("Tx Wakeup Message Limit "),
            es::txWakeupMessageLimit() },
    };
    auto *grid = new QGridLayout;
    for (int i = 0; i < int(toggles.size()); ++i) {
        grid->addWidget(toggles.at(i), 0, i);
        auto *row = new QHBoxLayout;
        addChoice(choices[i].name, choices[i].labelName, choices[i].label, choices[i].field, row);
        grid->addLayout(row, 1, i);
    }
    return grid;
}

QPushButton *EmergencySystemForm::addToggle(const char *name, const QString &caption, const FieldCodec &codec)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setCheckable(true);
    button->setAutoDefault(false);
    m_header->bindToggle(button, codec);
    m_toggles.append(button);
    return button;
}

QComboBox *EmergencySystemForm::addChoice(
    const char *name, const char *labelName, const QString &label, const es::ChoiceField &field, QHBoxLayout *row)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(QLatin1String(name));
    auto *text = new QLabel(label, this);
    text->setObjectName(QLatin1String(labelName));
    text->setBuddy(combo);
    m_header->fillChoice(combo, field.choices);
    m_header->bindChoice(combo, field.codec);
    row->addWidget(text);
    row->addWidget(combo);
    row->addStretch(1);
    m_choices.append(combo);
    return combo;
}

void EmergencySystemForm::pageRefresh()
{
    m_panel->reload();
}

void EmergencySystemForm::pageShown()
{
    m_panel->refresh(false, 0);
}

void EmergencySystemForm::showHeader(const FileImage *image)
{
    if (image) {
        m_header->show(*image, { 0 });
        return;
    }
    // The empty, disabled page shows set entries; with no image to write into, they write nothing.
    m_header->clear();
    for (int i = 0; i < int(m_choices.size()); ++i) {
        m_choices.at(i)->setCurrentIndex(i);
        m_toggles.at(i)->setChecked(i == 2);
    }
}

void EmergencySystemForm::editCell(int row, int column)
{
    FileImage *image = currentImage();
    if (!image)
        return;
    if (column == kNameColumn) {
        if (trimControl(m_panel->list()->topLevelItem(row)->text(kNameColumn)).isEmpty())
            return;
        m_panel->editName(row, kNameColumn, [](FileImage &edited, int record, const QString &text) {
            return renameRecord(edited, lists::emergencySystems, record, text);
        });
        return;
    }
    const es::SystemField &field = es::systemFields()[std::size_t(column - kFirstFieldColumn)];
    m_panel->editChoice(row, column, field.choices(*image), field.codec.read(*image, row),
        [write = field.codec.write](FileImage &edited, int record, int value) { write(edited, record, value); });
}
