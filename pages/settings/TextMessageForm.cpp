#include "TextMessageForm.h"

#include "ListPanel.h"
#include "Prompts.h"
#include "RecordList.h"
#include "TextMessages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;

namespace {

constexpr int kMessageColumn = 2;

ListPanel::Setup messagesSetup()
{
    ListPanel::Setup setup;
    setup.columns = { { QStringLiteral("No."), 40, Qt::AlignCenter }, { QStringLiteral("Message"), 0, Qt::AlignLeft } };
    setup.titlePrefix = QStringLiteral("Text Messages");
    setup.capacity = kMaxTextMessages;
    setup.emptyTitle = QStringLiteral("Text Messages .. up to %1. ").arg(kMaxTextMessages);
    setup.initialTitle = QStringLiteral("Text Message List .. up to %1 ").arg(kMaxTextMessages);
    setup.parts = ListPanel::EditButtons | ListPanel::Keys;
    setup.rowCount = ListPanel::usedRows(lists::textMessages);
    setup.cells = [](const FileImage &image, int row) {
        return QStringList { QString::number(row + 1), textMessageText(image, row) };
    };
    setup.add = [](FileImage &image) { return addTextMessage(image); };
    return setup;
}

} // namespace

TextMessageForm::TextMessageForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_label1(new QLabel(QStringLiteral("Preset Text Messages available to send from the radio "), this))
{
    setObjectName(QStringLiteral("TextMessageForm"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    ListPanel::Setup setup = messagesSetup();
    setup.refreshed = [this](const FileImage *image) { setEnabled(image != nullptr); };
    setup.remove = [this](FileImage &image, const QList<int> &rows) -> std::optional<int> {
        const ListResult result
            = RecordList(image, listdescriptors::textMessages).remove(rows, {}, [this](const QString &message) {
                  return prompts().askOkCancel(QStringLiteral("Opps"), message);
              });
        return result.count > 0 ? std::optional<int>(result.row) : std::nullopt;
    };
    m_panel = new ListPanel(*this, setup);
    // Wherever in the row the double-click fell, the message is the one field to edit.
    m_panel->onDoubleClick(-1, [this](int row) { editMessage(row); });
    m_panel->onEmptyDoubleClick([this] { addAndEdit(); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_panel->button(ListPanel::AddButton));
    buttons->addWidget(m_panel->button(ListPanel::DeleteButton));
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label1);
    layout->addWidget(m_panel->titleLabel());
    layout->addWidget(m_panel->list(), 1);
    layout->addLayout(buttons);
}

void TextMessageForm::pageRefresh()
{
    m_panel->reload();
}

void TextMessageForm::editMessage(int row)
{
    m_panel->editCell(row, kMessageColumn, lists::textMessages.nameUnits, InPlaceEditor::printableAscii(),
        [](FileImage &image, int edited, const QString &text) { return storeTextMessage(image, edited, text); });
}

void TextMessageForm::addAndEdit()
{
    const int row = m_panel->add();
    if (row >= 0)
        editMessage(row);
}
