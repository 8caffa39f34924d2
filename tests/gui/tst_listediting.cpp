#include "CodePlugStore.h"
#include "ImageBuilder.h"
#include "InPlaceEditor.h"
#include "ListViewTools.h"
#include "MoveRepeater.h"
#include "RecordName.h"
#include "ListClicks.h"
#include "ScriptedPrompts.h"
#include "lists/ZonesForm.h"

#include <memory>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace codeplug;

namespace {

// A zones page over a store whose slot 1 holds `zoneCount` zones named "Zone 1", "Zone 2", ...
struct ZonesPage
{
    CodePlugStore store;
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<ZonesForm> page;
    QTreeWidget *list = nullptr;

    explicit ZonesPage(int zoneCount, bool open = true)
    {
        testsupport::ImageBuilder builder;
        for (int i = 0; i < zoneCount; ++i)
            builder.named(lists::zones, i, QStringLiteral("Zone %1").arg(i + 1));
        if (open)
            store.setImage(0, std::make_unique<FileImage>(builder.image()));
        page
            = std::make_unique<ZonesForm>(PageContext { &store, &prompts, &dialogs, QStringLiteral("Title") }, nullptr);
        page->resize(400, 300);
        page->show();
        page->pageRefresh();
        list = page->findChild<QTreeWidget *>(QStringLiteral("ListView"));
    }

    QLineEdit *edit() const { return page->findChild<QLineEdit *>(QStringLiteral("listViewEdit")); }
    QPoint cellCentre(int row, int column) const { return listclicks::cellCentre(list, row, column); }
    void doubleClick(int row, int column) const { listclicks::doubleClick(list, row, column); }
    QString storedName(int index) const { return recordName(*store.slot(0)->image(), lists::zones, index); }
    void mouseMove(int row, Qt::MouseButtons buttons) const
    {
        const QPoint at = cellCentre(row, 2);
        QMouseEvent move(
            QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &move);
    }
};

// Swallows the focus loss that opening a drop-down's list causes on the offscreen platform.
class KeepFocusWhilePopupOpen final : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::FocusOut
            && static_cast<QFocusEvent *>(event)->reason() == Qt::ActiveWindowFocusReason;
    }
};

} // namespace

class TestListEditing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void doubleClickOnNumberEditsName();
    void emptyNameCellOpensNothing();
    void escapeKeepsOldName();
    void endingStoresName_data();
    void endingStoresName();
    void emptiedEditKeepsOldName();
    void keyFilterAndLength();
    void noCodePlugDoesNothing();
    void dragSelection();
    void holdMoveButton_data();
    void holdMoveButton();
    void repeatStopsWhenButtonReleasedElsewhere();
    void scrollToRow_data();
    void scrollToRow();
    void listKeys_data();
    void listKeys();
    void choiceEditor();
};

void TestListEditing::doubleClickOnNumberEditsName()
{
    ZonesPage z(5);
    QCOMPARE(z.list->topLevelItemCount(), 5);

    z.doubleClick(2, 1);
    QLineEdit *edit = z.edit();
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->parentWidget(), z.list->viewport());
    QCOMPARE(edit->geometry(), z.list->visualRect(z.list->model()->index(2, 2)));
    QCOMPARE(edit->text(), QStringLiteral("Zone 3"));
    QCOMPARE(edit->selectedText(), QStringLiteral("Zone 3"));
    QCOMPARE(edit->maxLength(), 16);
}

void TestListEditing::emptyNameCellOpensNothing()
{
    ZonesPage z(3);
    z.list->topLevelItem(1)->setText(2, QStringLiteral("  "));
    z.doubleClick(1, 2);
    QVERIFY(!z.edit()->isVisible());
}

void TestListEditing::escapeKeepsOldName()
{
    ZonesPage z(3);
    z.doubleClick(0, 2);
    QTest::keyClicks(z.edit(), QStringLiteral("Other"));
    QTest::keyClick(z.edit(), Qt::Key_Escape);
    QVERIFY(!z.edit()->isVisible());
    QCOMPARE(z.edit()->parentWidget(), z.page.get());
    QCOMPARE(z.storedName(0), QStringLiteral("Zone 1"));
    QCOMPARE(z.list->topLevelItem(0)->text(2), QStringLiteral("Zone 1"));
}

void TestListEditing::endingStoresName_data()
{
    QTest::addColumn<QString>("ending");
    QTest::newRow("Enter") << "enter";
    QTest::newRow("focus loss") << "focus";
    QTest::newRow("vertical scroll") << "scroll";
    QTest::newRow("another edit") << "another";
}

void TestListEditing::endingStoresName()
{
    QFETCH(QString, ending);
    ZonesPage z(60);
    z.doubleClick(1, 2);
    QTest::keyClicks(z.edit(), QStringLiteral("  Hilltop "));
    if (ending == QLatin1String("enter")) {
        QTest::keyClick(z.edit(), Qt::Key_Return);
    } else if (ending == QLatin1String("focus")) {
        QFocusEvent focusOut(QEvent::FocusOut, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(z.edit(), &focusOut);
    } else if (ending == QLatin1String("scroll")) {
        z.list->verticalScrollBar()->setValue(z.list->verticalScrollBar()->value() + 3);
    } else {
        z.doubleClick(3, 1);
        QCOMPARE(z.edit()->text(), QStringLiteral("Zone 4"));
    }
    QCOMPARE(z.storedName(1), QStringLiteral("Hilltop"));
    QCOMPARE(z.list->topLevelItem(1)->text(2), QStringLiteral("Hilltop"));
    QCOMPARE(z.storedName(0), QStringLiteral("Zone 1"));
    QCOMPARE(z.storedName(2), QStringLiteral("Zone 3"));
    QCOMPARE(z.edit()->isVisible(), ending == QLatin1String("another"));
}

void TestListEditing::emptiedEditKeepsOldName()
{
    ZonesPage z(3);
    z.doubleClick(2, 2);
    QTest::keyClick(z.edit(), Qt::Key_Backspace); // the whole text was selected
    QCOMPARE(z.edit()->text(), QString());
    QTest::keyClick(z.edit(), Qt::Key_Return);
    QCOMPARE(z.storedName(2), QStringLiteral("Zone 3"));
    QCOMPARE(z.list->topLevelItem(2)->text(2), QStringLiteral("Zone 3"));
}

void TestListEditing::keyFilterAndLength()
{
    ZonesPage z(2);
    z.doubleClick(0, 2);
    QTest::keyClick(z.edit(), Qt::Key_Backspace);
    QTest::keyClicks(z.edit(), QStringLiteral("ab"));
    // Codes outside 32..127 are swallowed (QTest types only ASCII, so the events are made here).
    for (const QChar c : { QChar(0xE9), QChar(0xFF), QChar(0x20AC) }) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(z.edit(), &press);
    }
    QTest::keyClicks(z.edit(), QStringLiteral("~c"));
    QCOMPARE(z.edit()->text(), QStringLiteral("ab~c"));
    QTest::keyClicks(z.edit(), QStringLiteral("0123456789ABCDEF"));
    QCOMPARE(z.edit()->text(), QStringLiteral("ab~c0123456789AB"));
    QTest::keyClick(z.edit(), Qt::Key_Enter);
    QCOMPARE(z.storedName(0), QStringLiteral("ab~c0123456789AB"));
}

void TestListEditing::noCodePlugDoesNothing()
{
    ZonesPage z(0, false);
    QVERIFY(!z.page->isEnabled());
    QCOMPARE(z.list->topLevelItemCount(), 0);
    // Rows left over in the list (as while a slot switch is under way) still edit nothing.
    listview::appendRow(z.list, { QStringLiteral("1"), QStringLiteral("Zone 1") });
    z.page->setEnabled(true);
    z.doubleClick(0, 2);
    QVERIFY(!z.edit()->isVisible());
    z.list->clearSelection();
    auto *drag = z.page->findChild<DragSelector *>();
    QVERIFY(drag);
    QVERIFY(!drag->dragTo(z.list, 0, true));
    QVERIFY(z.list->selectedItems().isEmpty());
}

void TestListEditing::dragSelection()
{
    ZonesPage z(10);
    z.list->clearSelection();
    z.mouseMove(3, Qt::LeftButton);
    z.mouseMove(5, Qt::LeftButton);
    z.mouseMove(7, Qt::LeftButton);
    QCOMPARE(listview::selectedRows(z.list), (QList<int> { 3, 4, 5, 6, 7 }));
    z.mouseMove(5, Qt::LeftButton);
    QCOMPARE(listview::selectedRows(z.list), (QList<int> { 3, 4, 5 }));
    z.mouseMove(1, Qt::LeftButton);
    QCOMPARE(listview::selectedRows(z.list), (QList<int> { 1, 2, 3 }));

    QTest::mouseRelease(z.list->viewport(), Qt::LeftButton, Qt::NoModifier, z.cellCentre(1, 2));
    // Without the left button nothing is selected by moving; a new drag starts at its own row.
    z.mouseMove(8, Qt::NoButton);
    QCOMPARE(listview::selectedRows(z.list), (QList<int> { 1, 2, 3 }));
    z.list->clearSelection();
    z.mouseMove(8, Qt::LeftButton);
    z.mouseMove(9, Qt::LeftButton);
    QCOMPARE(listview::selectedRows(z.list), (QList<int> { 8, 9 }));
}

void TestListEditing::holdMoveButton_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QList<int>>("moves"); // sizes of the moves, the release click last
    QTest::newRow("click") << 0 << false << QList<int> { 1 };
    QTest::newRow("15 ticks") << 15 << false << QList<int> { 1 };
    QTest::newRow("16 ticks") << 16 << false << QList<int> { 1, 1 };
    QTest::newRow("38 ticks") << 38 << false << QList<int>(9, 1);
    QTest::newRow("shift") << 19 << true << QList<int> { 10, 10, 1 };
}

void TestListEditing::holdMoveButton()
{
    QFETCH(int, ticks);
    QFETCH(bool, shift);
    QFETCH(QList<int>, moves);
    QWidget page;
    auto *button = new QPushButton(QStringLiteral("Down"), &page);
    QTimer timer;
    MoveRepeater repeater(&timer, &page);
    QList<int> done;
    repeater.addButton(button, [&done](int size) { done.append(size); });
    repeater.setInputState([] { return true; }, [shift] { return shift; });
    page.show();

    QTest::mousePress(button, Qt::LeftButton);
    QCOMPARE(repeater.countdown(), 16);
    for (int i = 0; i < ticks; ++i)
        repeater.tick();
    QTest::mouseRelease(button, Qt::LeftButton);
    QCOMPARE(done, moves);
    QCOMPARE(repeater.heldButton(), nullptr);
    repeater.tick();
    QCOMPARE(done.size(), moves.size());
}

void TestListEditing::repeatStopsWhenButtonReleasedElsewhere()
{
    QWidget page;
    auto *button = new QPushButton(QStringLiteral("Up"), &page);
    QTimer timer;
    MoveRepeater repeater(&timer, &page);
    int moves = 0;
    bool leftDown = true;
    repeater.addButton(button, [&moves](int) { ++moves; });
    repeater.setInputState([&leftDown] { return leftDown; }, [] { return false; });
    page.show();
    QTest::mousePress(button, Qt::LeftButton);
    for (int i = 0; i < 17; ++i)
        repeater.tick();
    QCOMPARE(moves, 1);
    leftDown = false;
    repeater.tick();
    QCOMPARE(repeater.countdown(), -1);
    for (int i = 0; i < 10; ++i)
        repeater.tick();
    QCOMPARE(moves, 1);
    // A right-button press is no hold.
    QTest::mousePress(button, Qt::RightButton);
    QCOMPARE(repeater.countdown(), -1);
}

void TestListEditing::scrollToRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("lastPage");
    QTest::newRow("row 5 on top") << 5 << false;
    QTest::newRow("past the end") << 1000 << true;
    QTest::newRow("last row") << 59 << true;
}

void TestListEditing::scrollToRow()
{
    QFETCH(int, row);
    QFETCH(bool, lastPage);
    ZonesPage z(60);
    const int visible = listview::fullyVisibleRows(z.list);
    QVERIFY(visible > 2 && visible < 50);
    listview::scrollToRow(z.list, row);
    const int top = z.list->indexAt(QPoint(5, 1)).row();
    QCOMPARE(top, lastPage ? 60 - visible : row);
    if (lastPage) {
        const QRect last = z.list->visualItemRect(z.list->topLevelItem(59));
        QVERIFY(z.list->viewport()->rect().contains(last));
    }
    listview::scrollToRow(z.list, -1); // ignored
    QCOMPARE(z.list->indexAt(QPoint(5, 1)).row(), top);
}

void TestListEditing::listKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Delete") << int(Qt::Key_Delete) << int(Qt::NoModifier) << "delete";
    QTest::newRow("Ctrl+Up") << int(Qt::Key_Up) << int(Qt::ControlModifier) << "1";
    QTest::newRow("Ctrl+Shift+Up") << int(Qt::Key_Up) << int(Qt::ControlModifier | Qt::ShiftModifier) << "10";
    QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << int(Qt::ControlModifier) << "-1";
    QTest::newRow("Ctrl+Shift+Down") << int(Qt::Key_Down) << int(Qt::ControlModifier | Qt::ShiftModifier) << "-10";
    QTest::newRow("plain Down moves the cursor") << int(Qt::Key_Down) << int(Qt::NoModifier) << "";
}

void TestListEditing::listKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, expected);
    QTreeWidget list;
    listview::setupListView(&list, { { QStringLiteral("No."), 40, Qt::AlignCenter } });
    for (int i = 0; i < 3; ++i)
        listview::appendRow(&list, { QString::number(i + 1) });
    list.setCurrentItem(list.topLevelItem(0));
    QString done;
    bool enabled = true;
    new ListKeys(
        &list, [&enabled] { return enabled; }, [&done] { done = QStringLiteral("delete"); },
        [&done](int step) { done = QString::number(step); });
    list.show();
    QTest::keyClick(&list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(done, expected);
    QCOMPARE(list.currentItem() == list.topLevelItem(1), expected.isEmpty());

    done.clear();
    enabled = false;
    QTest::keyClick(&list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(done, QString());
}

void TestListEditing::choiceEditor()
{
    QWidget page;
    auto *list = new QTreeWidget(&page);
    listview::setupListView(list, { { QStringLiteral("No."), 40, Qt::AlignCenter }, { QStringLiteral("Mode"), 0 } });
    listview::appendRow(list, { QStringLiteral("1"), QStringLiteral("Digital") });
    page.resize(300, 200);
    page.show();
    InPlaceEditor editor(&page, [] { return true; });
    qint64 stored = -1;
    const QList<InPlaceEditor::Choice> choices { { QStringLiteral("Analogue"), 1 }, { QStringLiteral("Digital"), 2 } };
    QVERIFY(editor.beginChoiceEdit(list, 0, 2, choices, 2, [&](int, int, qint64 value) -> std::optional<QString> {
        stored = value;
        return choices.at(int(value) - 1).text;
    }));
    QComboBox *combo = editor.comboBox();
    QCOMPARE(combo->objectName(), QStringLiteral("listViewComboBox"));
    QVERIFY(combo->isVisible());
    QCOMPARE(combo->currentText(), QStringLiteral("Digital"));
    combo->setCurrentIndex(0);
    Q_EMIT combo->activated(0);
    QCOMPARE(stored, 1);
    QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("Analogue"));
    QVERIFY(!editor.isEditing());
    QVERIFY(!combo->isVisible());

    // A stored value that no entry carries selects nothing; committing then writes nothing.
    stored = -1;
    editor.beginChoiceEdit(list, 0, 2, choices, 7, [&](int, int, qint64 value) -> std::optional<QString> {
        stored = value;
        return std::nullopt;
    });
    QCOMPARE(combo->currentIndex(), -1);
    editor.endEdit(true);
    QCOMPARE(stored, -1);

    // Closing the drop-down's list without a choice ends the edit as well, with commit. (The
    // offscreen platform makes the list an active window; a desktop does not, so the drop-down
    // keeps its focus meanwhile.)
    KeepFocusWhilePopupOpen keepFocus;
    combo->installEventFilter(&keepFocus);
    editor.beginChoiceEdit(list, 0, 2, choices, 1, [&](int, int, qint64 value) -> std::optional<QString> {
        stored = value;
        return std::nullopt;
    });
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    combo->hidePopup();
    QTRY_VERIFY(!editor.isEditing());
    QCOMPARE(stored, 1);
    QVERIFY(!combo->isVisible());

    // Parking the drop-down for another edit does not end that edit.
    editor.beginChoiceEdit(list, 0, 2, choices, 1, [](int, int, qint64) { return std::optional<QString>(); });
    editor.beginTextEdit(list, 0, 2, 16, InPlaceEditor::printableAscii(),
        [](int, int, const QString &) { return std::optional<QString>(); });
    QCoreApplication::processEvents();
    QVERIFY(editor.isEditing());
    QCOMPARE(editor.lineEdit()->parent(), list->viewport());
}

QTEST_MAIN(TestListEditing)
#include "tst_listediting.moc"
