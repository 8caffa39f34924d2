#include "VoiceEncryptionForm.h"

#include "InPlaceEditor.h"
#include "ListViewTools.h"
#include "PrivacyKeys.h"
#include "RadioInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;

namespace {

constexpr int kKeyColumn = 2;

InPlaceEditor::KeyFilter hexDigits()
{
    return [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    };
}

} // namespace

VoiceEncryptionForm::VoiceEncryptionForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_label1(new QLabel(QStringLiteral("Basic and enhanced voice encryption keys "), this))
    , m_editor(new InPlaceEditor(this, [this] { return codePlugOpen(); }))
    , m_basic(createKeyList(privacykeys::basic, "Basic", QStringLiteral("Basic Encryption Keys ")))
    , m_enhanced(createKeyList(privacykeys::enhanced, "Enhanced", QStringLiteral("Enhanced Encryption Keys ")))
{
    setObjectName(QStringLiteral("VoiceEncryptionForm"));
    m_label1->setObjectName(QStringLiteral("Label1"));

    auto *tables = new QHBoxLayout;
    for (const KeyList *keys : { &m_basic, &m_enhanced }) {
        auto *column = new QVBoxLayout;
        column->addWidget(keys->title);
        column->addWidget(keys->list, 1);
        tables->addLayout(column, keys == &m_basic ? 0 : 1);
    }
    tables->addStretch(0);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label1);
    layout->addLayout(tables, 1);
}

VoiceEncryptionForm::KeyList VoiceEncryptionForm::createKeyList(
    const PrivacyKeyTable &table, const char *name, const QString &title)
{
    KeyList keys { table, new QLabel(title, this), new QTreeWidget(this) };
    keys.title->setObjectName(QLatin1String(name) + QStringLiteral("TitleLabel"));
    keys.list->setObjectName(QLatin1String(name) + QStringLiteral("ListView"));
    listview::setupListView(
        keys.list, { { QStringLiteral("No."), 40, Qt::AlignCenter }, { QStringLiteral("Key"), 0, Qt::AlignLeft } });
    // Room for every digit of the key beside the number.
    const int digitsWidth = keys.list->fontMetrics().horizontalAdvance(QString(table.digits() + 2, QLatin1Char('f')));
    keys.list->setColumnWidth(kKeyColumn, digitsWidth);
    keys.list->setMinimumWidth(listview::fullWidth(keys.list));
    // The basic keys keep their narrow column; the enhanced keys take the rest of the width.
    if (&table == &privacykeys::basic)
        keys.list->setMaximumWidth(keys.list->minimumWidth());
    m_editor->watch(keys.list);
    connect(keys.list, &QTreeWidget::itemDoubleClicked, this, [this, keys](QTreeWidgetItem *item) {
        m_editor->endEdit(true);
        editKey(keys, listview::rowOf(keys.list, item));
    });
    return keys;
}

void VoiceEncryptionForm::pageRefresh()
{
    // An open editor's value belongs to the code plug shown before.
    m_editor->endEdit(false);
    refreshKeyLists();
}

void VoiceEncryptionForm::refreshKeyLists()
{
    UpdatingScope updating(*this);
    const FileImage *image = currentImage();
    setEnabled(image != nullptr);
    if (!image) {
        m_basic.list->clear();
        m_enhanced.list->clear();
        return;
    }
    const bool enhanced = hasEnhancedPrivacy(*image);
    m_enhanced.title->setVisible(enhanced);
    m_enhanced.list->setVisible(enhanced);
    fillKeyList(m_basic);
    fillKeyList(m_enhanced);
}

void VoiceEncryptionForm::fillKeyList(const KeyList &keys)
{
    keys.list->clear();
    for (int key = 0; key < keys.table.count; ++key)
        listview::appendRow(keys.list, { QString::number(key + 1), privacyKeyText(*currentImage(), keys.table, key) });
}

void VoiceEncryptionForm::editKey(const KeyList &keys, int row)
{
    if (!codePlugOpen() || row < 0)
        return;
    m_editor->beginTextEdit(keys.list, row, kKeyColumn, keys.table.digits(), hexDigits(),
        [this, &table = keys.table](int key, int, const QString &text) -> std::optional<QString> {
            FileImage *image = currentImage();
            if (!image)
                return std::nullopt;
            storePrivacyKey(*image, table, key, text);
            return privacyKeyText(*image, table, key);
        });
}
