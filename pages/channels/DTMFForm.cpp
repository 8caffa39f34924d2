#include "DTMFForm.h"

#include "DtmfSettings.h"
#include "InPlaceEditor.h"
#include "Layout.h"
#include "ListPanel.h"

#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;

namespace {

struct ListLook
{
    const char *prefix; // of the list's object names
    const FieldTable &(*table)();
};

constexpr ListLook kLooks[DTMFForm::ListCount] = {
    { "System", dtmfSystemColumns },
    { "Encode", dtmfEncodeColumns },
    { "Decode", dtmfDecodeColumns },
};

} // namespace

DTMFForm::DTMFForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("DTMFForm"));
    m_tabs->setObjectName(QStringLiteral("DTMFPageControl"));
    addList(SystemList, QStringLiteral("System"), { 110, 90, 90, 110, 120, 130, 130, 110, 110, 140, 140, 110, 0 },
        dtmf::kSystemCount);
    addList(EncodeList, QStringLiteral("Encode"), { 0 }, dtmf::kEncodeCount);
    addList(DecodeList, QStringLiteral("Decode"), { 120, 100, 100, 150, 160, 0 }, dtmf::kDecodeCount);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
}

ListPanel *DTMFForm::addList(List list, const QString &caption, const QList<int> &widths, int count)
{
    const FieldTable &table = kLooks[list].table();
    ListPanel::Setup setup = ListPanel::fieldList({ QStringLiteral("No."), 40, Qt::AlignCenter }, table, widths, count);
    setup.namePrefix = QLatin1String(kLooks[list].prefix);
    setup.titleName = setup.namePrefix + QStringLiteral("ListViewTitle");
    setup.fixedTitle = caption;
    setup.companion = m_panels[SystemList]; // the lists share one Timer1 and one pair of editors
    setup.refreshed = [this](const FileImage *image) { setEnabled(image != nullptr); };
    ListPanel *panel = new ListPanel(*this, setup);
    panel->editFields(2, table);
    // The tab names the list; the panel's title is not shown.
    panel->titleLabel()->hide();
    m_tabs->addTab(panel->list(), caption);
    m_panels[list] = panel;
    return panel;
}

void DTMFForm::pageRefresh()
{
    for (ListPanel *panel : m_panels)
        panel->reload();
}

void DTMFForm::pageShown()
{
    pageRefresh();
}
