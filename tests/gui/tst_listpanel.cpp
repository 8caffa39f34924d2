#include "ContactList.h"
#include "InPlaceEditor.h"
#include "MoveRepeater.h"
#include "PageFixture.h"
#include "channels/ChannelsForm.h"
#include "contacts/DigitalContactsForm.h"
#include "lists/ZonesForm.h"

#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace codeplug;

// The list panel tried once, on the contacts page unless a row names another page: the zones page
// leaves out the buttons, search, keys and menu; the channels page words its entries apart.
namespace {

const ListLayout &layoutOf(const QString &page)
{
    if (page == QLatin1String("channels"))
        return lists::channels;
    return page == QLatin1String("zones") ? lists::zones : lists::contacts;
}

// Names without digits ("Aa", "Ab", ...), so that a search for a number finds only numbers; the
// contacts are "C1", "C2", ... with IDs 101, 102, ...
QString nameOf(const QString &page, int row)
{
    if (page == QLatin1String("contacts"))
        return QStringLiteral("C%1").arg(row + 1);
    return QString(QChar('A' + row / 26)) + QChar('a' + row % 26);
}

// The page with `rows` records in its list; a negative count leaves the slot empty.
PageFixture makePage(const QString &page, int rows)
{
    testsupport::ImageBuilder builder;
    if (page == QLatin1String("contacts"))
        numberedContacts(builder, rows);
    else
        for (int i = 0; i < rows; ++i)
            builder.named(layoutOf(page), i, nameOf(page, i));
    const std::optional<FileImage> image = rows >= 0 ? std::optional(builder.image()) : std::nullopt;
    if (page == QLatin1String("contacts"))
        return PageFixture::of<DigitalContactsForm>(image);
    if (page == QLatin1String("channels"))
        return PageFixture::of<ChannelsForm>(image);
    return PageFixture::of<ZonesForm>(image);
}

const QString kContacts = QStringLiteral("contacts");

// Every row's name starts with the page it is tried on: "channels, ...".
QString rowPage()
{
    return QString::fromLatin1(QTest::currentDataTag()).section(QLatin1Char(','), 0, 0);
}

void trigger(const PageFixture &p, const QString &command)
{
    if (QPushButton *button = p.button(qPrintable(command)))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        p.action(qPrintable(command))->trigger();
    p.settle();
}

} // namespace

class TestListPanel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QGuiApplication::clipboard()->clear(); }

    void titleAndButtons_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("title"); // with rows < 0: of an empty slot
        QTest::addColumn<QString>("enabled"); // delete, up, down as 1 / 0
        const auto row = [](const char *name, QList<int> rows, const char *title, const char *enabled = "") {
            QTest::newRow(name) << rows << QString::fromLatin1(title) << QString::fromLatin1(enabled);
        };
        const char *const oneContact = "Contacts .. used 3 of 1000. 1 selected. ";
        row("contacts, first row", { 0 }, oneContact, "101");
        row("contacts, middle row", { 1 }, oneContact, "111");
        row("contacts, last row", { 2 }, oneContact, "110");
        row("contacts, none", {}, "Contacts .. used 3 of 1000. ", "000");
        row("channels, last two", { 1, 2 }, "Channels .. used 3 of 1000. 2 selected. ", "110");
        row("zones, empty slot", { -1 }, "Zones .. up to 250. ");
        row("contacts, empty slot", { -1 }, "Contacts .. up to 1000. ");
        row("channels, empty slot", { -1 }, "Channels .. up to 1000 ");
    }
    void titleAndButtons()
    {
        const QString page = rowPage();
        QFETCH(QList<int>, rows);
        QFETCH(QString, title);
        QFETCH(QString, enabled);
        if (rows == QList<int> { -1 })
            return emptySlot(page, title);
        PageFixture p = makePage(page, 3);
        p.select(rows);
        QCOMPARE(p.title(), title);
        enabled += QLatin1Char('1'); // Add
        for (const auto &[button, i] : { std::pair { "DeleteBitBtn", 0 }, { "MoveUpBitBtn", 1 },
                 { "MoveUp10BitBtn", 1 }, { "MoveDownBitBtn", 2 }, { "MoveDown10BitBtn", 2 }, { "AddBitBtn", 3 } })
            QVERIFY2(p.button(button)->isEnabled() == (enabled.at(i) == QLatin1Char('1')), button);
    }

    void nameCell_data()
    {
        QTest::addColumn<QString>("typed"); // after the whole text was selected; "\x1b": Escape
        QTest::addColumn<QString>("ending"); // how the edit ends when the typing does not end it
        QTest::addColumn<QString>("stored"); // none: the old name stays
        const auto row = [](const char *name, const char *typed, const char *ending, const char *stored = "") {
            QTest::newRow(name) << QString::fromLatin1(typed) << QString::fromLatin1(ending)
                                << QString::fromLatin1(stored);
        };
        row("zones, new name", "  Hilltop \r", "", "Hilltop");
        row("zones, 16 characters kept", "ab~c0123456789ABCDEF\r", "", "ab~c0123456789AB");
        row("zones, emptied", "\b\r", "");
        row("zones, Escape", "Other\x1b", "");
        row("contacts, new name", "  Hilltop \r", "", "Hilltop");
        // How an edit ends is the editor's own, the same on every page.
        for (const char *ending : { "focus loss", "vertical scroll", "another edit", "a refill" })
            row(qPrintable(QStringLiteral("zones, %1").arg(QLatin1String(ending))), "Hilltop", ending, "Hilltop");
    }
    void nameCell()
    {
        const QString page = rowPage();
        QFETCH(QString, typed);
        QFETCH(QString, ending);
        QFETCH(QString, stored);
        stored = stored.isEmpty() ? nameOf(page, 1) : stored;
        PageFixture p = makePage(page, 60);
        p.doubleClick(1, 2);
        QLineEdit *edit = p.edit();
        QVERIFY(edit->isVisible());
        QCOMPARE(edit->geometry(), p.list->visualRect(p.list->model()->index(1, 2)));
        QCOMPARE(edit->selectedText(), nameOf(page, 1));
        // Codes outside 32..127 are swallowed (QTest types only ASCII, so the events are made here).
        for (const QChar other : { QChar(0xE9), QChar(0x20AC) }) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(other));
            QCoreApplication::sendEvent(edit, &press);
        }
        listclicks::type(edit, typed);
        const bool another = ending == QLatin1String("another edit");
        if (ending == QLatin1String("focus loss")) {
            QFocusEvent focusOut(QEvent::FocusOut, Qt::MouseFocusReason);
            QCoreApplication::sendEvent(edit, &focusOut);
        } else if (ending == QLatin1String("vertical scroll")) {
            p.list->verticalScrollBar()->setValue(p.list->verticalScrollBar()->value() + 3);
        } else if (another) {
            p.doubleClick(3, 1); // anywhere in the row edits the name
            QCOMPARE(edit->text(), nameOf(page, 3));
        } else if (ending == QLatin1String("a refill")) {
            p.panel->refresh(true, 0);
        }
        QCOMPARE(edit->isVisible(), another);
        QCOMPARE(p.cell(1, 2), stored);
        QCOMPARE(testsupport::usedNames(p.image(), layoutOf(page)).mid(0, 3),
            QStringList({ nameOf(page, 0), stored, nameOf(page, 2) }));
    }

    void dragSelectionAndOneRefreshPerBurst()
    {
        PageFixture p = makePage(QStringLiteral("zones"), 10);
        QSignalSpy refreshes(p.panel, &ListPanel::refreshed);
        p.list->clearSelection();
        for (int row : { 3, 5, 7 })
            p.mouseMove(row, Qt::LeftButton);
        QCOMPARE(p.selected(), QList<int>({ 3, 4, 5, 6, 7 }));
        p.mouseMove(5, Qt::LeftButton);
        QCOMPARE(p.selected(), QList<int>({ 3, 4, 5 }));
        p.mouseMove(1, Qt::LeftButton);
        QCOMPARE(p.selected(), QList<int>({ 1, 2, 3 }));
        QCOMPARE(refreshes.count(), 0);
        p.settle();
        QCOMPARE(refreshes.count(), 1); // one for the whole burst

        QTest::mouseRelease(p.list->viewport(), Qt::LeftButton, Qt::NoModifier, p.cellCentre(1, 2));
        // Without the left button nothing is selected by moving.
        p.mouseMove(8, Qt::NoButton);
        QCOMPARE(p.selected(), QList<int>({ 1, 2, 3 }));
        // A quick drag starts at the row where the button went down, not where the first move arrived.
        QTest::mousePress(p.list->viewport(), Qt::LeftButton, Qt::NoModifier, p.cellCentre(4, 2));
        p.mouseMove(8, Qt::LeftButton);
        QCOMPARE(p.selected(), QList<int>({ 4, 5, 6, 7, 8 }));
        QTest::mouseRelease(p.list->viewport(), Qt::LeftButton, Qt::NoModifier, p.cellCentre(8, 2));

        // A rebuild asked for meanwhile joins the pending selection refresh.
        p.settle();
        const int before = refreshes.count();
        p.list->topLevelItem(9)->setSelected(true);
        p.panel->post(true, 0);
        p.settle();
        QCOMPARE(refreshes.count(), before + 1);
        QCOMPARE(p.selected(), QList<int> { 0 });
    }

    void keysAndButtonsMove()
    {
        PageFixture p = makePage(kContacts, 40);
        p.select({ 20 });
        p.list->setFocus();
        QTest::keyClick(p.list, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(p.selected(), QList<int>({ 19 }));
        QTest::keyClick(p.list, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(p.selected(), QList<int>({ 9 }));
        QCOMPARE(p.cell(9, 2), nameOf(kContacts, 20));
        // The current row follows the move: the arrow keys go on from the moved record.
        QTest::keyClick(p.list, Qt::Key_Down);
        QCOMPARE(p.selected(), QList<int>({ 10 }));
        QTest::keyClick(p.list, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(p.selected(), QList<int>({ 20 }));

        p.select({ 1, 2 });
        QTest::mouseClick(p.button("MoveDownBitBtn"), Qt::LeftButton);
        QCOMPARE(p.selected(), QList<int>({ 2, 3 }));
        QTest::mouseClick(p.button("MoveUp10BitBtn"), Qt::LeftButton);
        QCOMPARE(p.selected(), QList<int>({ 0, 1 })); // limited to the top of the list
        QVERIFY(!p.button("MoveUpBitBtn")->isEnabled());
        // Shift makes a move button move ten times as far: 100 rows, limited to the end of the list.
        QTest::mouseClick(p.button("MoveDown10BitBtn"), Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(p.selected(), QList<int>({ 38, 39 }));
        QVERIFY(!p.button("MoveDownBitBtn")->isEnabled());
    }

    void holdMoveButton_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("upAfter"); // ticks before the button is let go elsewhere; -1: on the button
        QTest::addColumn<int>("row"); // where the first row went
        QTest::newRow("15 ticks") << 15 << false << -1 << 1;
        QTest::newRow("16 ticks: first repeat") << 16 << false << -1 << 2;
        QTest::newRow("38 ticks: then every 3") << 38 << false << -1 << 9;
        QTest::newRow("shift: by 10") << 19 << true << -1 << 21;
        QTest::newRow("let go elsewhere") << 30 << false << 17 << 1;
    }
    // Holding a move button repeats its move after 16 ticks of Timer1, then every 3; the release on
    // the button moves once more.
    void holdMoveButton()
    {
        QFETCH(int, ticks);
        QFETCH(bool, shift);
        QFETCH(int, upAfter);
        QFETCH(int, row);
        PageFixture p = makePage(kContacts, 40);
        p.select({ 0 });
        int tick = 0;
        MoveRepeater *repeater = p.panel->repeater();
        repeater->setInputState([&] { return upAfter < 0 || tick < upAfter; }, [shift] { return shift; });
        QTest::mousePress(p.button("MoveDownBitBtn"), Qt::LeftButton);
        for (tick = 0; tick < ticks; ++tick)
            repeater->tick();
        if (upAfter < 0)
            QTest::mouseRelease(p.button("MoveDownBitBtn"), Qt::LeftButton);
        QCOMPARE(p.selected(), QList<int> { row });
        QCOMPARE(repeater->countdown(), -1);
    }

    void addInsertDelete_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QString>("names"); // after the command
        QTest::addColumn<QList<int>>("after");
        QTest::addColumn<QString>("title"); // its first words
        const auto row = [](const char *name, const char *command, QList<int> before, const char *names,
                             QList<int> after, const char *title) {
            QTest::newRow(name) << QString::fromLatin1(command) << before << QString::fromLatin1(names) << after
                                << QString::fromLatin1(title);
        };
        // Add selects only the new record, so that a following Delete cannot take one the user no longer
        // sees selected; the contacts page words its title apart.
        row("contacts, add", "AddBitBtn", { 0 }, "C1,C2,C3,C4,Contact 5", { 4 }, "Contact List");
        row("contacts, insert", "Insert1", { 2, 3 }, "C1,C2,Contact 5,C3,C4", { 2 }, "Contacts");
        row("contacts, insert, none selected", "Insert1", {}, "C1,C2,C3,C4,Contact 5", { 4 }, "Contact List");
        row("contacts, delete at the end", "Delete1", { 2, 3 }, "C1,C2", { 1 }, "Contacts");
        // The channels page selects the new or the following row alone.
        row("channels, add", "AddMenuItem", { 0 }, "Aa,Ab,Ac,Ad,Channel 5", { 4 }, "Channels");
        row("channels, insert", "InsertMenuItem", { 2, 3 }, "Aa,Ab,Channel 5,Ac,Ad", { 2 }, "Channels");
        row("channels, delete", "DeleteBitBtn", { 0, 2 }, "Ab,Ad", { 1 }, "Channels");
    }
    void addInsertDelete()
    {
        const QString page = rowPage();
        QFETCH(QString, command);
        QFETCH(QList<int>, before);
        QFETCH(QString, names);
        QFETCH(QList<int>, after);
        QFETCH(QString, title);
        PageFixture p = makePage(page, 4);
        p.select(before);
        trigger(p, command);
        QCOMPARE(p.column(2).join(QLatin1Char(',')), names);
        QCOMPARE(testsupport::usedNames(p.image(), layoutOf(page)).join(QLatin1Char(',')), names);
        const int count = int(names.count(QLatin1Char(','))) + 1;
        QCOMPARE(p.column(1).last(), QString::number(count));
        QCOMPARE(p.title(), QStringLiteral("%1 .. used %2 of 1000. 1 selected. ").arg(title).arg(count));
        QCOMPARE(p.selected(), after);
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("ticks"); // typed, then the page's search delay in ticks; 0: set, then Return
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("top"); // a few rows above the first match stay in sight
        const auto row = [](const char *name, const char *text, int ticks, QList<int> rows, int top) {
            QTest::newRow(name) << QString::fromLatin1(text) << ticks << rows << top;
        };
        // Any cell matches: numbers, names, IDs and types, trimmed, in any letter case.
        row("contacts, name", " c77", 0, { 76 }, 73);
        row("contacts, number and ID", "150", 0, { 49, 149 }, 46);
        row("contacts, type", "PRIVATE ", 0, { 4, 140 }, 1);
        row("contacts, empty clears", "", 0, {}, 0);
        row("contacts, nothing found", "zzz", 0, {}, 0); // the text stays in the box to be corrected
        row("channels, protection", "yes", 0, { 1, 56 }, 0);
        row("contacts, two seconds after typing", "c25", 80, { 24 }, 21);
        row("channels, one second after typing", "Ay", 40, { 24 }, 21);
    }
    void search()
    {
        QFETCH(QString, text);
        QFETCH(int, ticks);
        QFETCH(QList<int>, rows);
        QFETCH(int, top);
        PageFixture p = makePage(rowPage(), 150);
        if (rowPage() == kContacts) {
            setContactCallType(p.image(), 4, PrivateCall);
            setContactCallType(p.image(), 140, PrivateCall);
        } else {
            p.as<ChannelsForm>()->protectedChannels().add(QStringLiteral("ab"));
            p.as<ChannelsForm>()->protectedChannels().add(QStringLiteral(" Ce"));
        }
        p.panel->refresh(true, 0);
        auto *search = p.child<QLineEdit>("SearchEdit");
        search->setFocus();
        if (ticks == 0) {
            search->setText(text);
            QTest::keyClick(search, Qt::Key_Return);
        } else {
            QTest::keyClicks(search, text);
            for (int tick = 1; tick < ticks; ++tick)
                p.panel->tick();
            QCOMPARE(p.selected(), QList<int>({ 0 })); // not yet
            p.panel->tick();
        }
        QCOMPARE(p.panel->searchCountdown(), -1);
        QCOMPARE(p.selected(), rows);
        QCOMPARE(p.panel->topRow(), top);
        // The typed search leaves the focus in the box; Return moves it to the list, when it found something.
        QCOMPARE(search->hasFocus(), ticks > 0 || (rows.isEmpty() && !text.isEmpty()));
        QTest::keyClick(search, Qt::Key_Escape); // swallowed
        QCOMPARE(search->text(), text);
    }

    // The timer drives the typed search by itself.
    void searchTimer()
    {
        PageFixture p = makePage(kContacts, 30);
        p.child<QLineEdit>("SearchEdit")->setText(QStringLiteral("C26"));
        QTRY_COMPARE_WITH_TIMEOUT(p.selected(), QList<int>({ 25 }), 5000);
    }

    void popupEnabling_data()
    {
        QTest::addColumn<QString>("suffix"); // of the entries' names
        QTest::addColumn<bool>("cancelWhileEmpty");
        QTest::newRow("contacts") << "1" << true;
        QTest::newRow("channels") << "MenuItem" << false;
    }
    void popupEnabling()
    {
        const QString page = rowPage();
        QFETCH(QString, suffix);
        QFETCH(bool, cancelWhileEmpty);
        const QStringList entries { "Copy", "PasteInsert", "PasteOver", "PasteNew", "Add", "Insert", "Delete",
            "UnselectAll", "SelectAll", "Cancel" };
        enum { Copy, PasteInsert, PasteOver, PasteNew, Add, Insert, Delete, UnselectAll, SelectAll, Cancel };
        const auto name = [&](int entry) { return entries.at(entry) + suffix; };
        PageFixture p = makePage(page, 3);
        // The entries as the menu opens (those `tried`, or all).
        const auto expect = [&](const PageFixture &f, const QList<int> &enabled, const QList<int> &tried = {}) {
            f.panel->updateMenu();
            for (int entry = Copy; entry <= Cancel; ++entry) {
                if (tried.isEmpty() || tried.contains(entry))
                    QVERIFY2(f.action(qPrintable(name(entry)))->isEnabled() == enabled.contains(entry),
                        qPrintable(name(entry)));
            }
        };
        expect(p, { Copy, Add, Insert, Delete, UnselectAll, SelectAll, Cancel });
        p.select({});
        expect(p, { Add, Insert, SelectAll, Cancel });
        trigger(p, name(SelectAll));
        QCOMPARE(p.selected(), QList<int>({ 0, 1, 2 }));
        p.panel->updateMenu(); // as the menu opens again
        trigger(p, name(Copy));
        expect(p, { Copy, PasteOver, PasteNew, Add, Insert, Delete, UnselectAll, Cancel });
        trigger(p, name(UnselectAll));
        QVERIFY(p.selected().isEmpty());

        p.store.setCurrentIndex(2);
        p.page->pageRefresh();
        expect(p, cancelWhileEmpty ? QList<int> { Cancel } : QList<int> {});

        // A full list offers no way to add, but still pastes over; Add and Insert called anyway change nothing.
        PageFixture full = makePage(page, layoutOf(page).count);
        const QByteArray before = full.image().toByteArray();
        QVERIFY(!full.button("AddBitBtn")->isEnabled());
        full.panel->add();
        full.select({ 5 });
        full.panel->insert();
        QCOMPARE(full.image().toByteArray(), before);
        trigger(full, name(Copy));
        expect(full, { PasteOver }, { Add, Insert, PasteNew, PasteOver });
    }

    void choiceEditor()
    {
        QWidget page;
        auto *list = new QTreeWidget(&page);
        listview::setupListView(
            list, { { QStringLiteral("No."), 40, Qt::AlignCenter }, { QStringLiteral("Mode"), 0 } });
        listview::appendRow(list, { QStringLiteral("1"), QStringLiteral("Digital") });
        page.resize(300, 200);
        page.show();
        InPlaceEditor editor(&page, [] { return true; });
        qint64 stored = -1;
        const QList<InPlaceEditor::Choice> choices { { QStringLiteral("Analogue"), 1 },
            { QStringLiteral("Digital"), 2 } };
        const auto commit = [&](int, int, qint64 value) -> std::optional<QString> {
            stored = value;
            return value == 7 ? std::nullopt : std::optional<QString>(choices.at(int(value) - 1).text);
        };
        // A committed choice showing in its cell is tried through the pages (emergency systems, buttons).
        // A stored value that no entry carries selects nothing; committing then writes nothing.
        editor.beginChoiceEdit(list, 0, 2, choices, 7, commit);
        QComboBox *combo = editor.comboBox();
        QCOMPARE(combo->currentIndex(), -1);
        editor.endEdit(true);
        QCOMPARE(stored, -1);

        // Opening its list moves the focus into the list: the edit goes on until the list closes.
        QVERIFY(QTest::qWaitForWindowActive(&page));
        stored = -1;
        editor.beginChoiceEdit(list, 0, 2, choices, 2, commit);
        combo->showPopup();
        QVERIFY(combo->view()->isVisible());
        QVERIFY(editor.isEditing());
        combo->hidePopup();
        QTRY_VERIFY(!editor.isEditing());
        QCOMPARE(stored, 2);

        // Parking the drop-down for another edit does not end that edit.
        editor.beginChoiceEdit(list, 0, 2, choices, 1, commit);
        editor.beginTextEdit(list, 0, 2, 16, InPlaceEditor::printableAscii(),
            [](int, int, const QString &) { return std::optional<QString>(); });
        QCoreApplication::processEvents();
        QVERIFY(editor.isEditing());
        QCOMPARE(editor.lineEdit()->parent(), list->viewport());
    }

private:
    // An empty slot: nothing listed, nothing to press; rows left over in the list (as while a slot
    // switch is under way) still edit and drag nothing.
    void emptySlot(const QString &page, const QString &title)
    {
        PageFixture p = makePage(page, -1);
        QCOMPARE(p.title(), title);
        QCOMPARE(p.list->topLevelItemCount(), 0);
        QVERIFY(!p.list->isEnabled());
        auto *database = p.child<QFrame>("DatabasePanel");
        for (QPushButton *button : p.page->findChildren<QPushButton *>()) {
            if (!database || !database->isAncestorOf(button))
                QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
        }
        if (auto *search = p.child<QLineEdit>("SearchEdit"))
            QVERIFY(!search->isEnabled());
        // The contacts page keeps its user-database half working; the other pages rest wholly.
        QVERIFY(database ? database->isEnabled() : !p.page->isEnabled());

        p.page->setEnabled(true);
        p.list->setEnabled(true);
        listview::appendRow(p.list, { QStringLiteral("1"), QStringLiteral("Left over") });
        p.list->clearSelection();
        p.doubleClick(0, 2);
        QVERIFY(!p.edit()->isVisible());
        QVERIFY(!p.page->findChild<DragSelector *>()->dragTo(p.list, 0, true));
        p.panel->add();
        p.panel->deleteSelected();
        QVERIFY(!p.store.currentImage());
    }
};

QTEST_MAIN(TestListPanel)
#include "tst_listpanel.moc"
