#include "ZonesForm.h"

#include "CodePlugStore.h"
#include "InPlaceEditor.h"
#include "Layout.h"
#include "ListViewTools.h"
#include "RecordName.h"

#include <QLabel>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;

namespace {
constexpr int kZoneNameColumn = 2;
constexpr int kZoneNameLength = 16;
} // namespace

ZonesForm::ZonesForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_titleLabel(new QLabel(QStringLiteral("Zone List .. up to 250 "), this))
    , m_listView(new QTreeWidget(this))
    , m_label1(new QLabel(QStringLiteral("Set what the central rotary knob selects on the top of your radio  "), this))
    , m_timer1(new QTimer(this))
    , m_editor(new InPlaceEditor(this, [this] { return codePlugOpen(); }))
    , m_drag(new DragSelector([this] { return codePlugOpen() && !m_editor->isEditing(); }, this))
{
    setObjectName(QStringLiteral("ZonesForm"));
    m_titleLabel->setObjectName(QStringLiteral("TitleLabel"));
    m_listView->setObjectName(QStringLiteral("ListView"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_timer1->setObjectName(QStringLiteral("Timer1"));

    listview::setupListView(
        m_listView, { { QStringLiteral("No."), 40, Qt::AlignCenter }, { QStringLiteral("Name"), 0, Qt::AlignLeft } });
    m_editor->watch(m_listView);
    m_drag->watch(m_listView);
    connect(
        m_listView, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { listViewDblClick(item); });
    connect(m_listView, &QTreeWidget::itemSelectionChanged, this, &ZonesForm::listViewSelectItem);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_titleLabel);
    layout->addWidget(m_listView, 1);
    layout->addWidget(m_label1);

    m_timer1->start(25);
}

ZonesForm::~ZonesForm()
{
    m_timer1->stop();
}

void ZonesForm::pageRefresh()
{
    refresh(true, 0);
}

void ZonesForm::deferredRefresh(bool rebuild, int topRow)
{
    refresh(rebuild, topRow);
}

void ZonesForm::refresh(bool refill, int top)
{
    UpdatingScope updating(*this);
    const FileImage *image = currentImage();
    setEnabled(image != nullptr);
    if (!image) {
        m_editor->endEdit(false);
        m_listView->clear();
        updateTitle();
        return;
    }
    if (refill) {
        m_editor->endEdit(true);
        m_listView->clear();
        for (int i = 0; i < lists::zones.count && isRecordUsed(*image, lists::zones, i); ++i)
            listview::appendRow(m_listView, { QString::number(i + 1), recordName(*image, lists::zones, i) });
        if (top <= 0 && m_listView->topLevelItemCount() > 0)
            m_listView->topLevelItem(0)->setSelected(true);
    }
    updateTitle();
    if (top > 0)
        listview::scrollToRow(m_listView, top);
}

void ZonesForm::updateTitle()
{
    if (!codePlugOpen()) {
        m_titleLabel->setText(QStringLiteral("Zones .. up to 250. "));
        return;
    }
    QString title = QStringLiteral("Zones .. used %1 of 250. ").arg(m_listView->topLevelItemCount());
    const int selected = int(m_listView->selectedItems().size());
    if (selected > 0)
        title += QStringLiteral("%1 selected. ").arg(selected);
    m_titleLabel->setText(title);
}

void ZonesForm::listViewSelectItem()
{
    if (!isUpdating())
        postRefresh(false, 0);
}

void ZonesForm::listViewDblClick(QTreeWidgetItem *item)
{
    m_editor->endEdit(true);
    const int row = listview::rowOf(m_listView, item);
    if (!codePlugOpen() || row < 0)
        return;
    // Wherever in the row the double-click fell, the name is the one field to edit.
    if (trimControl(item->text(kZoneNameColumn)).isEmpty())
        return;
    m_editor->beginTextEdit(m_listView, row, kZoneNameColumn, kZoneNameLength, InPlaceEditor::printableAscii(),
        [this](int editedRow, int, const QString &text) -> std::optional<QString> {
            FileImage *image = currentImage();
            if (!image || !renameRecord(*image, lists::zones, editedRow, text))
                return std::nullopt;
            return recordName(*image, lists::zones, editedRow);
        });
}
