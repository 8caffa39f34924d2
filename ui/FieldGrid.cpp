#include "FieldGrid.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FieldGrid::FieldGrid(QWidget *area, const char *name, const QString &title, const QString &hint)
    : QObject(nullptr)
    , m_box(new QGroupBox(title, area))
    , m_outer(new QVBoxLayout(m_box))
{
    setParent(m_box);
    // Tight groups, so that the three channel groups share the height of the design size.
    m_outer->setContentsMargins(8, 1, 8, 2);
    m_outer->setSpacing(2);
    m_box->setObjectName(QLatin1String(name));
    m_box->setToolTip(hint);
    area->layout()->addWidget(m_box);
}

QLabel *FieldGrid::addField(const QString &text, QWidget *control)
{
    auto *label = new QLabel(text, m_box);
    QString name = control->objectName();
    for (const char *kind : { "ComboBox", "Edit", "Panel" }) {
        if (name.endsWith(QLatin1String(kind)))
            name.chop(qsizetype(qstrlen(kind)));
    }
    label->setObjectName(name + QStringLiteral("Label"));
    label->setBuddy(control);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pairs.append({ label, control });
    return label;
}

QComboBox *FieldGrid::addCombo(const char *name, const QString &label, const QString &hint)
{
    auto *combo = new QComboBox(m_box);
    combo->setObjectName(QLatin1String(name));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(10);
    combo->setMaxVisibleItems(20);
    QLabel *caption = addField(label, combo);
    if (!hint.isEmpty()) {
        combo->setToolTip(hint);
        caption->setToolTip(hint);
    }
    return combo;
}

QLineEdit *FieldGrid::addEdit(const char *name, const QString &label, int maxLength)
{
    auto *edit = new QLineEdit(m_box);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    addField(label, edit);
    return edit;
}

QList<QPushButton *> FieldGrid::addOptions(
    const QString &label, const QList<const char *> &names, const QStringList &captions)
{
    auto *holder = new QWidget(m_box);
    holder->setObjectName(QString(label).remove(u' ') + QStringLiteral("Panel"));
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    QList<QPushButton *> buttons;
    for (int i = 0; i < int(names.size()); ++i) {
        auto *button = new QPushButton(captions.at(i), holder);
        button->setObjectName(QLatin1String(names.at(i)));
        button->setCheckable(true);
        // As narrow as the caption allows, so that two fields fit in a row at the usual width.
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(captions.at(i)) + 16);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        row->addWidget(button);
        buttons.append(button);
    }
    addField(label, holder);
    return buttons;
}

QPushButton *FieldGrid::addToggle(const char *name, const QString &caption, const QString &hint)
{
    auto *button = new QPushButton(caption, m_box);
    button->setObjectName(QLatin1String(name));
    if (!hint.isEmpty())
        button->setToolTip(hint);
    button->setCheckable(true);
    // Wide enough for its caption also in the down look, whose padding differs from the style's.
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + 24);
    m_toggleButtons.append(button);
    return button;
}

int FieldGrid::labelWidth() const
{
    int width = 0;
    for (const Pair &pair : m_pairs)
        width = std::max(width, pair.label->sizeHint().width());
    return width;
}

namespace {

constexpr int kToggleSpacing = 4;
// The group box's frame and margins around its rows.
constexpr int kBoxChrome = 2 * 8 + 6;

// How many toggles stand in each row: at least `least`, and more while `width` holds them at their
// natural widths.
QList<int> toggleRows(const QList<QPushButton *> &toggles, int width, int least)
{
    QList<int> rows;
    int used = 0;
    for (QPushButton *toggle : toggles) {
        const int wanted = std::max(toggle->sizeHint().width(), toggle->minimumWidth()) + kToggleSpacing;
        if (rows.isEmpty() || (used + wanted > width && rows.last() >= least)) {
            rows.append(0);
            used = 0;
        }
        ++rows.last();
        used += wanted;
    }
    return rows;
}

} // namespace

void FieldGrid::arrange(int pairsPerRow, int labelWidth, int width)
{
    const QList<int> rows = toggleRows(m_toggleButtons, width - kBoxChrome, 2 * pairsPerRow);
    if (pairsPerRow == m_pairsPerRow && labelWidth == m_labelWidth && rows == m_toggleRows)
        return;
    m_pairsPerRow = pairsPerRow;
    m_labelWidth = labelWidth;
    m_toggleRows = rows;
    delete m_fields;
    delete m_toggles;
    m_fields = new QGridLayout;
    m_toggles = new QVBoxLayout;
    m_fields->setHorizontalSpacing(8);
    m_fields->setVerticalSpacing(2);
    m_toggles->setSpacing(2);
    for (int i = 0; i < int(m_pairs.size()); ++i) {
        const int row = i / pairsPerRow;
        const int column = (i % pairsPerRow) * 2;
        m_fields->addWidget(m_pairs.at(i).label, row, column);
        m_fields->addWidget(m_pairs.at(i).control, row, column + 1);
    }
    for (int c = 0; c < pairsPerRow; ++c) {
        m_fields->setColumnMinimumWidth(2 * c, labelWidth);
        m_fields->setColumnStretch(2 * c + 1, 1);
    }
    int next = 0;
    for (int count : rows) {
        auto *line = new QHBoxLayout;
        line->setSpacing(kToggleSpacing);
        // Each keeps at least its natural width, so that no caption is cut.
        for (int i = 0; i < count; ++i)
            line->addWidget(m_toggleButtons.at(next++));
        m_toggles->addLayout(line);
    }
    m_outer->addLayout(m_fields);
    m_outer->addLayout(m_toggles);
}

void FieldGrid::arrangeAll(const QList<FieldGrid *> &grids, QWidget *area, int width, int &twoColumnWidth)
{
    // One label width for all groups, so that their controls stand in the same columns.
    int labelWidth = 0;
    for (FieldGrid *grid : grids)
        labelWidth = std::max(labelWidth, grid->labelWidth());
    if (twoColumnWidth == 0) {
        // Measured with the toggles two to a pair, so that their packing does not widen it.
        for (FieldGrid *grid : grids)
            grid->arrange(2, labelWidth, 0);
        twoColumnWidth = area->minimumSizeHint().width();
    }
    const int pairs = width >= twoColumnWidth ? 2 : 1;
    for (FieldGrid *grid : grids)
        grid->arrange(pairs, labelWidth, width);
}

void FieldGrid::highlightDownButtons(QWidget *area)
{
    // Down buttons must stand out from up ones at a glance, also in styles that shade them lightly.
    area->setStyleSheet(
        QStringLiteral("QPushButton:checked { background-color: palette(highlight); color: palette(highlighted-text);"
                       " border: 1px solid palette(dark); border-radius: 3px; padding: 3px 6px; }"));
}
