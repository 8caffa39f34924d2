#include "ZonesForm.h"

#include "Layout.h"
#include "ListPanel.h"
#include "RecordName.h"

#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;

namespace {

constexpr int kZoneNameColumn = 2;

ListPanel::Setup zonesSetup()
{
    ListPanel::Setup setup;
    setup.columns = { { QStringLiteral("No."), 40, Qt::AlignCenter }, { QStringLiteral("Name"), 0, Qt::AlignLeft } };
    setup.titlePrefix = QStringLiteral("Zones");
    setup.capacity = lists::zones.count;
    setup.emptyTitle = QStringLiteral("Zones .. up to 250. ");
    setup.initialTitle = QStringLiteral("Zone List .. up to 250 ");
    setup.rowCount = ListPanel::usedRows(lists::zones);
    setup.cells = [](const FileImage &image, int row) {
        return QStringList { QString::number(row + 1), recordName(image, lists::zones, row) };
    };
    return setup;
}

} // namespace

ZonesForm::ZonesForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_label1(new QLabel(QStringLiteral("Set what the central rotary knob selects on the top of your radio  "), this))
{
    setObjectName(QStringLiteral("ZonesForm"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    ListPanel::Setup setup = zonesSetup();
    setup.refreshed = [this](const FileImage *image) { setEnabled(image != nullptr); };
    m_panel = new ListPanel(*this, setup);
    // Wherever in the row the double-click fell, the name is the one field to edit.
    m_panel->onDoubleClick(-1, [this](int row) {
        if (trimControl(m_panel->list()->topLevelItem(row)->text(kZoneNameColumn)).isEmpty())
            return;
        m_panel->editName(row, kZoneNameColumn, [](FileImage &image, int edited, const QString &text) {
            return renameRecord(image, lists::zones, edited, text);
        });
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_panel->titleLabel());
    layout->addWidget(m_panel->list(), 1);
    layout->addWidget(m_label1);
}

void ZonesForm::pageRefresh()
{
    m_panel->reload();
}
