#include "ButtonsForm.h"

#include "ButtonSettings.h"
#include "FieldBinder.h"
#include "InPlaceEditor.h"
#include "Layout.h"
#include "ListPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;

namespace {

constexpr int kFunctionLines = 22;
constexpr int kFunctionLength = 23; // "Manual Dial For Private"

struct FunctionChoice
{
    const char *name;
    const char *hint;
    int byte;
    int row;
    int column;
};

constexpr FunctionChoice kFunctionChoices[] = {
    { "UpperSideShortPressComboBox", "Upper side button function", 0, 1, 1 },
    { "UpperSideLongPressComboBox", "Upper side button function - long press", 1, 1, 2 },
    { "LowerSideShortPressComboBox", "Lower side button function", 2, 2, 1 },
    { "LowerSideLongPressComboBox", "Lower side button function - long press", 3, 2, 2 },
};

} // namespace

ButtonsForm::ButtonsForm(const PageContext &context, QWidget *parent)
    : CodePlugPage(context, parent)
    , m_binder(new FieldBinder([this] { return currentImage(); }, this))
{
    setObjectName(QStringLiteral("ButtonsForm"));
    auto *label1 = new QLabel(QStringLiteral("Settings for the side buttons and keypad buttons on the radio "), this);
    label1->setObjectName(QStringLiteral("Label1"));
    QWidget *sideButtons = createSideButtons(); // first, so that the focus goes from the top down
    m_oneTouch = addList("OneTouchAccess", QStringLiteral("Side Button One Touch Call "),
        ListPanel::fieldList({ QStringLiteral("No."), 40, Qt::AlignCenter }, oneTouchColumns(), { 80, 130, 100, 0 },
            buttons::kOneTouchCount));
    m_oneTouch->editFields(2, oneTouchColumns());
    m_oneTouch->list()->setToolTip(QStringLiteral("The acction taken when a side is set to  One-Touch-Access mode"));
    m_numberKeys = addList("NumberKeyQuickContactAccess", QStringLiteral("Key Pad Number Key Quick Access "),
        ListPanel::fieldList({ QStringLiteral("Num Key"), 60 }, numberKeyColumns(), { 0 }, buttons::kNumberKeyCount,
            [](int key) { return QStringLiteral("Key %1").arg(key); }));
    // The contact is a key's one field, wherever in the row the double-click falls.
    m_numberKeys->onDoubleClick(-1, [this](int row) { m_numberKeys->editField(row, 2, numberKeyColumns().first()); });

    auto *lists = new QHBoxLayout;
    for (auto [panel, stretch] : { std::pair { m_oneTouch, 2 }, std::pair { m_numberKeys, 1 } }) {
        auto *column = new QVBoxLayout;
        column->addWidget(panel->titleLabel());
        column->addWidget(panel->list(), 1);
        lists->addLayout(column, stretch);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(sideButtons);
    layout->addLayout(lists, 1);
}

QWidget *ButtonsForm::createSideButtons()
{
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("SideButtonsPanel"));
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral(" Short Press "), area), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral(" Long Press "), area), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral(" Upper Side Button "), area), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral(" Lower Side Button "), area), 2, 0);
    for (std::size_t i = 0; i < m_functions.size(); ++i) {
        const FunctionChoice &choice = kFunctionChoices[i];
        auto *combo = new QComboBox(area);
        combo->setObjectName(QLatin1String(choice.name));
        combo->setToolTip(QLatin1String(choice.hint));
        combo->setMaxVisibleItems(kFunctionLines);
        // One width for the four, enough for the longest function.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(kFunctionLength);
        grid->addWidget(combo, choice.row, choice.column);
        m_binder->bindChoice(combo, buttonfields::sideButton(choice.byte));
        m_functions[i] = combo;
    }
    m_longPress = new QComboBox(area);
    m_longPress->setObjectName(QStringLiteral("LongPressDurationComboBox"));
    m_longPress->setToolTip(QStringLiteral("The required time for your side button long presses"));
    auto *longPressLabel = new QLabel(QStringLiteral("Long Press Duration "), area);
    longPressLabel->setBuddy(m_longPress);
    longPressLabel->setToolTip(m_longPress->toolTip());
    grid->addWidget(longPressLabel, 3, 0);
    grid->addWidget(m_longPress, 3, 1);
    m_binder->bindChoice(m_longPress, buttonfields::longPressDuration());
    grid->setColumnStretch(3, 1);
    return area;
}

ListPanel *ButtonsForm::addList(const char *name, const QString &title, ListPanel::Setup setup)
{
    setup.namePrefix = QLatin1String(name);
    setup.titleName = setup.namePrefix + QStringLiteral("ListViewTitle");
    setup.fixedTitle = title;
    setup.companion = m_oneTouch; // the lists share one Timer1 and one pair of editors
    return new ListPanel(*this, setup);
}

void ButtonsForm::pageRefresh()
{
    {
        UpdatingScope updating(*this);
        m_binder->fillChoice(m_longPress, longPressDurations());
    }
    pageShown();
}

void ButtonsForm::pageShown()
{
    UpdatingScope updating(*this);
    const FileImage *image = currentImage();
    setEnabled(image != nullptr);
    if (image) {
        for (QComboBox *combo : m_functions)
            m_binder->fillChoice(combo, sideButtonFunctions(*image));
        m_binder->show(*image, { 0 });
    } else {
        m_binder->clear();
    }
    m_oneTouch->reload();
    m_numberKeys->reload();
}
