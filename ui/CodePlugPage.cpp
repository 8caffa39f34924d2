#include "CodePlugPage.h"

#include "CodePlugStore.h"
#include "CsvFields.h"
#include "InPlaceEditor.h"
#include "Prompts.h"

#include <QLabel>
#include <QVBoxLayout>

CodePlugPage::CodePlugPage(const PageContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
}

CodePlugPage::~CodePlugPage()
{
    // An open editor lies inside a list; close it before the lists go, writing nothing.
    for (InPlaceEditor *editor : findChildren<InPlaceEditor *>())
        editor->endEdit(false);
}

void CodePlugPage::finishEditing()
{
    for (InPlaceEditor *editor : findChildren<InPlaceEditor *>())
        editor->endEdit(true);
}

codeplug::FileImage *CodePlugPage::currentImage() const
{
    return m_context.store ? m_context.store->currentImage() : nullptr;
}

codeplug::HistoryScope CodePlugPage::undoStep(const QString &name, const QString &mergeKey) const
{
    return codeplug::HistoryScope(m_context.store->current().history(), name, mergeKey);
}

void CodePlugPage::offerTab(bool offered)
{
    if (offered == m_tabOffered)
        return;
    m_tabOffered = offered;
    Q_EMIT tabOfferChanged(offered);
}

void CodePlugPage::reportImport(const QString &summary, const QList<int> &skippedLines) const
{
    prompts().notice(summary);
    if (!skippedLines.isEmpty())
        prompts().message(QMessageBox::Information, messageTitle(),
            summary + QStringLiteral("\n\n") + codeplug::skippedLinesText(skippedLines));
}

PlaceholderPage::PlaceholderPage(const PageContext &context, const QString &title, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_title(title)
    , m_stateLabel(new QLabel(this))
{
    m_stateLabel->setObjectName(QStringLiteral("TitleLabel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_stateLabel);
    layout->addStretch();
}

void PlaceholderPage::pageRefresh()
{
    UpdatingScope updating(*this);
    const bool open = codePlugOpen();
    setEnabled(open);
    m_stateLabel->setText(open ? m_title + QStringLiteral(" ") : m_title + QStringLiteral(" .. no code plug loaded "));
}
