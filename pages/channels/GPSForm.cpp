#include "GPSForm.h"

#include "GpsSystems.h"
#include "Layout.h"
#include "ListPanel.h"
#include "RadioInfo.h"

#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;

GPSForm::GPSForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
{
    setObjectName(QStringLiteral("GPSForm"));
    ListPanel::Setup setup = ListPanel::fieldList(
        { QStringLiteral("GPS"), 40, Qt::AlignCenter }, gpsColumns(), { 200, 200, 0 }, gps::kSystemCount);
    setup.fixedTitle = QStringLiteral("GPS List ");
    setup.refreshed = [this](const FileImage *image) { setEnabled(image != nullptr); };
    m_panel = new ListPanel(*this, setup);
    m_panel->editFields(2, gpsColumns());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_panel->titleLabel());
    layout->addWidget(m_panel->list(), 1);
}

void GPSForm::pageRefresh()
{
    const FileImage *image = currentImage();
    offerTab(!image || hasGps(*image));
    m_panel->reload();
}

void GPSForm::pageShown()
{
    m_panel->refresh(true, m_panel->topRow());
}
