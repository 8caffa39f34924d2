#include "SettingsPanel.h"

#include "FieldGrid.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace codeplug;

namespace {

// "  Call Log " gives "CallLogGroupBox".
QByteArray groupBoxName(const QString &title)
{
    QString name;
    for (QChar c : title) {
        if (c.isLetterOrNumber())
            name.append(c);
    }
    return (name + QStringLiteral("GroupBox")).toLatin1();
}

} // namespace

SettingsPanel::SettingsPanel(
    const QString &title, const SettingFields &fields, FieldBinder::ImageSource image, QWidget *parent)
    : QScrollArea(parent)
    , m_binder(new FieldBinder(std::move(image), this))
    , m_area(new QWidget)
{
    setObjectName(QStringLiteral("SettingsScrollArea"));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    m_area->setObjectName(QStringLiteral("SettingsPanel"));
    auto *layout = new QVBoxLayout(m_area);
    layout->setContentsMargins(0, 0, 4, 0);
    layout->setSpacing(2); // the menu switches fit the window's least height without scrolling
    auto *titleLabel = new QLabel(title, m_area);
    titleLabel->setObjectName(QStringLiteral("TitleLabel"));
    QFont bold = titleLabel->font();
    bold.setBold(true);
    titleLabel->setFont(bold);
    layout->addWidget(titleLabel);
    for (const SettingField &field : fields)
        addField(field);
    layout->addStretch(1);
    setWidget(m_area);
    FieldGrid::highlightDownButtons(m_area);
    viewport()->installEventFilter(this);
    FieldGrid::arrangeAll(m_grids, m_area, viewport()->width(), m_twoColumnWidth);
    connect(m_binder, &FieldBinder::written, this, &SettingsPanel::showReadOnlyTexts);
}

FieldGrid *SettingsPanel::gridFor(const QString &group)
{
    FieldGrid *&grid = m_gridOfGroup[group];
    if (!grid) {
        grid = new FieldGrid(m_area, groupBoxName(group).constData(), group, {});
        m_grids.append(grid);
    }
    return grid;
}

void SettingsPanel::addField(const SettingField &field)
{
    FieldGrid &grid = *gridFor(field.group);
    QWidget *control = nullptr;
    switch (field.kind) {
    case SettingKind::Shown: {
        QLineEdit *edit = grid.addEdit(field.control, field.label, 64);
        edit->setReadOnly(true);
        edit->setFrame(false);
        edit->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }")); // a text, not an edit
        edit->setFocusPolicy(Qt::ClickFocus); // can be copied, not tabbed through
        m_binder->bindEdit(edit, field.text);
        m_readOnly.append(edit);
        control = edit;
        break;
    }
    case SettingKind::Text: {
        QLineEdit *edit = grid.addEdit(field.control, field.label, field.maxLength);
        edit->setToolTip(field.hint);
        m_binder->bindEdit(edit, field.text, field.accepts);
        control = edit;
        break;
    }
    case SettingKind::Choice: {
        QComboBox *combo = grid.addCombo(field.control, field.label, field.hint);
        m_binder->bindChoice(combo, field.codec);
        m_choices.append({ combo, &field.choices });
        control = combo;
        break;
    }
    case SettingKind::Options: {
        QList<QByteArray> names;
        QStringList captions;
        for (const ValueLabel &entry : field.choices) {
            names.append(QByteArray(field.control) + entry.label.toLatin1() + "SpeedButton");
            captions.append(entry.label);
        }
        QList<const char *> namePointers;
        QList<int> values;
        for (int i = 0; i < int(names.size()); ++i) {
            namePointers.append(names.at(i).constData());
            values.append(field.choices.at(i).value);
        }
        const QList<QPushButton *> buttons = grid.addOptions(field.label, namePointers, captions);
        m_binder->bindOptions(buttons, values, field.codec);
        control = buttons.first();
        break;
    }
    case SettingKind::Toggle: {
        QPushButton *button = grid.addToggle(field.control, field.label, field.hint);
        // Wide enough for the caption of a down button, whose highlight adds padding.
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(field.label) + 20);
        m_binder->bindToggle(button, field.codec);
        control = button;
        break;
    }
    }
    m_controls.insert(field.key, control);
}

void SettingsPanel::showImage(const FileImage *image)
{
    for (const auto &[combo, labels] : std::as_const(m_choices))
        m_binder->fillChoice(combo, *labels);
    if (image)
        m_binder->show(*image, { 0 });
    else
        m_binder->clear();
    m_area->setEnabled(image != nullptr);
}

void SettingsPanel::showReadOnlyTexts()
{
    for (QWidget *text : std::as_const(m_readOnly))
        m_binder->showControl(text);
}

bool SettingsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport() && event->type() == QEvent::Resize)
        FieldGrid::arrangeAll(m_grids, m_area, viewport()->width(), m_twoColumnWidth);
    return QScrollArea::eventFilter(watched, event);
}
