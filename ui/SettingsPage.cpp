#include "SettingsPage.h"

#include "Prompts.h"
#include "SettingsPanel.h"

#include <QVBoxLayout>

SettingsPage::SettingsPage(
    const PageContext &context, const QString &title, const codeplug::SettingFields &fields, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_panel(new SettingsPanel(
          title, fields, [this] { return currentImage(); }, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_panel);
    connect(&m_panel->binder(), &FieldBinder::refused, this, &SettingsPage::showError);
}

void SettingsPage::pageRefresh()
{
    UpdatingScope updating(*this);
    setEnabled(codePlugOpen());
    m_panel->showImage(currentImage());
}

void SettingsPage::showError(const QString &text)
{
    prompts().message(QMessageBox::Critical, QStringLiteral("Error"), text);
}
