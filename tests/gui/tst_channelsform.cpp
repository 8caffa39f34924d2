#include "ChannelCsv.h"
#include "ChannelRecord.h"
#include "ChannelList.h"
#include "CodePlugStore.h"
#include "ImageBuilder.h"
#include "MainForm.h"
#include "MoveRepeater.h"
#include "RadioInfo.h"
#include "ListClicks.h"
#include "RecordClipboard.h"
#include "ScriptedPrompts.h"
#include "channels/ChannelsForm.h"
#include "ChannelsPage.h"

#include <memory>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSettings>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace codeplug;

class TestChannelsForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QGuiApplication::clipboard()->clear(); }

    void listAndTitle();
    void emptySlotDisablesEverything();
    void dragSelectsContiguousRows();
    void insertSelectsOnlyTheNewRow();
    void deleteLastRowsSelectsNewLastRow();
    void fullListAddsNothing();
    void refusedDeleteAnswers_data();
    void refusedDeleteAnswers();
    void searchSelectsMatches_data();
    void searchSelectsMatches();
    void searchRunsAfterOneSecond();
    void moveButtonsAndKeys();
    void nameEditAndProtectToggle();
    void sortByNameHeaderKeepsProtectedOnTop();
    void copyPasteOverAndPasteNew();
    void popupMenuEnabling();
    void importAndExportThroughDialogs();
    void importErrorsShown();
    void exportExtensionFollowsFilter_data();
    void exportExtensionFollowsFilter();
    void protectedNamesSurviveRestart();
};

void TestChannelsForm::listAndTitle()
{
    Page page(channelPlug(4));
    QTreeWidget *list = page.list();
    QCOMPARE(list->columnCount(), 4);
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Chan"));
    QCOMPARE(list->headerItem()->text(2), QStringLiteral("Name"));
    QCOMPARE(list->headerItem()->text(3), QStringLiteral("Protect"));
    QCOMPARE(list->topLevelItemCount(), 4);
    QCOMPARE(list->topLevelItem(3)->text(1), QStringLiteral("4"));
    QCOMPARE(page.selected(), QList<int> { 0 });
    QCOMPARE(page.child<QLabel>("TitleLabel")->text(), QStringLiteral("Channels .. used 4 of 1000. 1 selected. "));
    QVERIFY(!page.child<QPushButton>("MoveUpBitBtn")->isEnabled());
    QVERIFY(!page.child<QPushButton>("MoveUp10BitBtn")->isEnabled());
    QVERIFY(page.child<QPushButton>("MoveDownBitBtn")->isEnabled());
    QVERIFY(!page.child<QPushButton>("AutoSpeedButton")->isEnabled());
    QVERIFY(page.child<QPushButton>("DigitalSpeedButton")->isChecked());

    page.select({});
    QCOMPARE(page.child<QLabel>("TitleLabel")->text(), QStringLiteral("Channels .. used 4 of 1000. "));
    QVERIFY(!page.child<QPushButton>("DeleteBitBtn")->isEnabled());
    QVERIFY(!page.child<QWidget>("DetailPanel")->isEnabled());
}

void TestChannelsForm::emptySlotDisablesEverything()
{
    Page page(channelPlug(3));
    page.store.setCurrentIndex(1);
    page.form->pageRefresh();
    settle();
    QCOMPARE(page.list()->topLevelItemCount(), 0);
    QCOMPARE(page.child<QLabel>("TitleLabel")->text(), QStringLiteral("Channels .. up to 1000 "));
    QVERIFY(!page.child<QPushButton>("AddBitBtn")->isEnabled());
    QVERIFY(page.child<QLineEdit>("RxFreqEdit")->text().isEmpty());
    QCOMPARE(page.child<QComboBox>("AdmitCriteriaComboBox")->currentIndex(), -1);
    page.form->addCommand();
    page.form->deleteCommand();
    QVERIFY(!page.store.currentImage());
}

void TestChannelsForm::dragSelectsContiguousRows()
{
    Page page(channelPlug(10));
    QTreeWidget *list = page.list();
    const auto moveTo = [list](int row) {
        const QPoint at = list->visualRect(list->model()->index(row, 2)).center();
        QMouseEvent move(
            QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &move);
    };
    for (int row : { 2, 3, 6 })
        moveTo(row);
    settle();
    QCOMPARE(page.selected(), QList<int>({ 2, 3, 4, 5, 6 }));
    moveTo(4);
    settle();
    QCOMPARE(page.selected(), QList<int>({ 2, 3, 4 }));
    QCOMPARE(page.child<QLabel>("TitleLabel")->text(), QStringLiteral("Channels .. used 10 of 1000. 3 selected. "));
}

void TestChannelsForm::insertSelectsOnlyTheNewRow()
{
    Page page(channelPlug(10));
    page.select({ 4, 7 });
    page.form->insertCommand();
    settle();
    QCOMPARE(page.list()->topLevelItemCount(), 11);
    QCOMPARE(page.selected(), QList<int> { 4 });
    QCOMPARE(page.list()->topLevelItem(4)->text(2), QStringLiteral("Channel 11"));
    QCOMPARE(page.list()->topLevelItem(5)->text(2), QStringLiteral("Echo"));
    QCOMPARE(page.child<QLabel>("TitleLabel")->text(), QStringLiteral("Channels .. used 11 of 1000. 1 selected. "));
}

void TestChannelsForm::deleteLastRowsSelectsNewLastRow()
{
    Page page(channelPlug(10));
    page.select({ 8, 9 });
    QTest::mouseClick(page.child<QPushButton>("DeleteBitBtn"), Qt::LeftButton);
    settle();
    QCOMPARE(page.list()->topLevelItemCount(), 8);
    QCOMPARE(page.selected(), QList<int> { 7 });
    QCOMPARE(page.list()->topLevelItem(7)->text(2), QStringLiteral("Hotel"));

    // The Delete key in the list deletes too; the remembered last row then still exists.
    page.select({ 2, 3 });
    page.list()->setFocus();
    QTest::keyClick(page.list(), Qt::Key_Delete);
    settle();
    QCOMPARE(page.names(),
        QStringList({ QStringLiteral("Alpha"), QStringLiteral("Bravo"), QStringLiteral("Echo"),
            QStringLiteral("Foxtrot"), QStringLiteral("Golf"), QStringLiteral("Hotel") }));
    QCOMPARE(page.selected(), QList<int> { 3 });
}

void TestChannelsForm::fullListAddsNothing()
{
    testsupport::ImageBuilder builder(2);
    for (int i = 0; i < lists::channels.count; ++i)
        builder.named(lists::channels, i, QStringLiteral("C%1").arg(i + 1));
    Page page(builder);
    const QByteArray before = page.image().toByteArray();
    QCOMPARE(page.child<QLabel>("TitleLabel")->text(), QStringLiteral("Channels .. used 1000 of 1000. 1 selected. "));
    QVERIFY(!page.child<QPushButton>("AddBitBtn")->isEnabled());
    page.form->addCommand();
    page.select({ 5 });
    page.form->insertCommand();
    page.form->copyCommand();
    page.form->pasteNewCommand();
    settle();
    QCOMPARE(page.image().toByteArray(), before);
    QCOMPARE(page.list()->topLevelItemCount(), 1000);
    page.form->updatePopupMenu();
    for (const char *name : { "AddMenuItem", "InsertMenuItem", "PasteNewMenuItem" })
        QVERIFY2(!page.child<QAction>(name)->isEnabled(), name);
    QVERIFY(page.child<QAction>("PasteOverMenuItem")->isEnabled());
}

void TestChannelsForm::refusedDeleteAnswers_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("Cancel stops") << int(QMessageBox::Cancel)
                                  << QStringList({ QStringLiteral("Charlie"), QStringLiteral("Delta"),
                                         QStringLiteral("Echo"), QStringLiteral("Foxtrot") });
    QTest::newRow("OK goes on") << int(QMessageBox::Ok)
                                << QStringList({ QStringLiteral("Charlie"), QStringLiteral("Foxtrot") });
}

void TestChannelsForm::refusedDeleteAnswers()
{
    QFETCH(int, answer);
    QFETCH(QStringList, left);
    testsupport::ImageBuilder builder = channelPlug(6);
    builder.u16(lists::zones.recordOffset(0) + 32, 3); // zone 1 holds Charlie
    Page page(builder);
    page.prompts.answers = { QMessageBox::StandardButton(answer) };
    page.select({ 0, 1, 2, 3, 4 });
    page.form->deleteCommand();
    settle();
    QCOMPARE(page.names(), left);
    QCOMPARE(page.prompts.shown.size(), 1);
    QCOMPARE(page.prompts.shown.first().caption, QStringLiteral("Editor"));
    QCOMPARE(page.prompts.shown.first().icon, QMessageBox::Information);
    QCOMPARE(page.prompts.shown.first().buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(page.prompts.shown.first().text,
        QStringLiteral("Cannot delete channel \"Charlie\".\n\nIt's used in ZONES \"Zone 1\" setting"));
    QCOMPARE(page.image().u16(lists::zones.recordOffset(0) + 32), std::uint16_t(1)); // renumbered
}

void TestChannelsForm::searchSelectsMatches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("yes: the protected ones") << QStringLiteral("yes") << QList<int> { 1, 4 };
    QTest::newRow("1: channel numbers too") << QStringLiteral(" 1 ") << QList<int> { 0, 9, 10, 11 };
    QTest::newRow("name, any case") << QStringLiteral("ECH") << QList<int> { 4 };
    QTest::newRow("empty clears") << QString() << QList<int> {};
}

void TestChannelsForm::searchSelectsMatches()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, rows);
    Page page(channelPlug(12));
    page.form->protectedChannels().add(QStringLiteral("bravo"));
    page.form->protectedChannels().add(QStringLiteral(" ECHO"));
    page.form->refresh(true, 0);
    QCOMPARE(page.list()->topLevelItem(1)->text(3), QStringLiteral("Yes"));
    QLineEdit *search = page.child<QLineEdit>("SearchEdit");
    search->setText(text);
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Return);
    settle();
    QCOMPARE(page.selected(), rows);
    QVERIFY(page.list()->hasFocus());
    QTest::keyClick(search, Qt::Key_Escape); // swallowed
    QCOMPARE(search->text(), text);
}

void TestChannelsForm::searchRunsAfterOneSecond()
{
    Page page(channelPlug(5));
    QLineEdit *search = page.child<QLineEdit>("SearchEdit");
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("del"));
    QTest::qWait(500);
    QCOMPARE(page.selected(), QList<int> { 0 });
    QTRY_COMPARE_WITH_TIMEOUT(page.selected(), QList<int> { 3 }, 5000);
}

void TestChannelsForm::moveButtonsAndKeys()
{
    Page page(channelPlug(12));
    page.select({ 1, 2 });
    QTest::mouseClick(page.child<QPushButton>("MoveDownBitBtn"), Qt::LeftButton);
    QCOMPARE(page.selected(), QList<int>({ 2, 3 }));
    QCOMPARE(page.list()->topLevelItem(2)->text(2), QStringLiteral("Bravo"));
    QCOMPARE(page.list()->topLevelItem(1)->text(2), QStringLiteral("Delta"));
    QTest::mouseClick(page.child<QPushButton>("MoveDown10BitBtn"), Qt::LeftButton);
    QCOMPARE(page.selected(), QList<int>({ 10, 11 })); // limited to the end of the list
    QVERIFY(!page.child<QPushButton>("MoveDownBitBtn")->isEnabled());
    page.list()->setFocus();
    QTest::keyClick(page.list(), Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(page.selected(), QList<int>({ 9, 10 }));
    QTest::keyClick(page.list(), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(page.selected(), QList<int>({ 0, 1 }));
    QCOMPARE(page.names().mid(0, 3),
        QStringList({ QStringLiteral("Bravo"), QStringLiteral("Charlie"), QStringLiteral("Alpha") }));
    QCOMPARE(channelName(page.image(), 0), QStringLiteral("Bravo"));

    // Holding a move button repeats after 16 ticks, then every 3.
    page.select({ 0 });
    auto *repeater = page.form->findChild<MoveRepeater *>();
    QVERIFY(repeater);
    bool held = true;
    repeater->setInputState([&held] { return held; }, [] { return false; });
    QPushButton *down = page.child<QPushButton>("MoveDownBitBtn");
    QTest::mousePress(down, Qt::LeftButton);
    for (int tick = 0; tick < 22; ++tick)
        repeater->tick();
    QCOMPARE(page.selected(), QList<int> { 3 }); // ticks 16, 19 and 22
    held = false;
    QTest::mouseRelease(down, Qt::LeftButton);
    QCOMPARE(page.selected(), QList<int> { 4 }); // and the click on release
}

void TestChannelsForm::nameEditAndProtectToggle()
{
    Page page(channelPlug(3));
    QTreeWidget *list = page.list();
    page.doubleClick(1, 2);
    auto *edit = page.form->findChild<QLineEdit *>(QStringLiteral("listViewEdit"));
    QVERIFY(edit && edit->isVisible());
    QCOMPARE(edit->text(), QStringLiteral("Bravo"));
    QCOMPARE(edit->maxLength(), 16);
    QTest::keyClicks(edit, QStringLiteral("Zu"));
    QKeyEvent accented(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\u00e9"));
    QCoreApplication::sendEvent(edit, &accented); // refused: above code 127
    QTest::keyClicks(edit, QStringLiteral("lu 9"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(channelName(page.image(), 1), QStringLiteral("Zulu 9"));
    QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("Zulu 9"));

    page.doubleClick(1, 3);
    QCOMPARE(list->topLevelItem(1)->text(3), QStringLiteral("Yes"));
    QCOMPARE(page.form->protectedChannels().names(), QStringList { QStringLiteral("Zulu 9") });
    page.doubleClick(1, 3);
    QCOMPARE(list->topLevelItem(1)->text(3), QString());
    QVERIFY(page.form->protectedChannels().names().isEmpty());

    page.select({ 0, 2 });
    page.form->setSelectionProtected(true);
    QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("Yes"));
    QCOMPARE(list->topLevelItem(2)->text(3), QStringLiteral("Yes"));
    page.select({ 2 });
    page.form->setSelectionProtected(false);
    QCOMPARE(page.form->protectedChannels().names(), QStringList { QStringLiteral("Alpha") });
}

void TestChannelsForm::sortByNameHeaderKeepsProtectedOnTop()
{
    testsupport::ImageBuilder builder(2);
    const QStringList names { QStringLiteral("b"), QStringLiteral("Zed"), QStringLiteral("A"), QStringLiteral("a") };
    for (int i = 0; i < int(names.size()); ++i)
        builder.named(lists::channels, i, names.at(i));
    Page page(builder);
    page.form->protectedChannels().add(QStringLiteral("zed"));
    QTreeWidget *list = page.list();
    // The "Chan" header does nothing; the "Name" header sorts.
    QTest::mouseClick(
        list->header()->viewport(), Qt::LeftButton, {}, QPoint(list->header()->sectionViewportPosition(1) + 5, 5));
    QCOMPARE(page.names(), names);
    QTest::mouseClick(
        list->header()->viewport(), Qt::LeftButton, {}, QPoint(list->header()->sectionViewportPosition(2) + 5, 5));
    QCOMPARE(page.names(),
        QStringList({ QStringLiteral("Zed"), QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("b") }));
    QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("Yes"));
}

void TestChannelsForm::copyPasteOverAndPasteNew()
{
    testsupport::ImageBuilder builder = channelPlug(6);
    builder.u8(recordOffset(1) + 11, 7).u8(recordOffset(2) + 11, 9);
    Page page(builder);
    const QByteArray second = recordBytes(page.image(), 1);
    const QByteArray third = recordBytes(page.image(), 2);
    page.select({ 1, 2 });
    page.form->copyCommand();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat(QStringLiteral("application/x-dmr_code_plug_channel_entry")));
    QCOMPARE(data->data(recordclipboard::mimeType(codeplug::kChannelClipboardFormat)),
        QByteArray::fromHex("02000000") + second + third);

    page.select({ 3, 4, 5 });
    page.form->pasteOverCommand();
    settle();
    QCOMPARE(recordBytes(page.image(), 3), second);
    QCOMPARE(recordBytes(page.image(), 4), third);
    QCOMPARE(recordBytes(page.image(), 5), second);
    QCOMPARE(page.names().mid(3),
        QStringList({ QStringLiteral("Bravo"), QStringLiteral("Charlie"), QStringLiteral("Bravo") }));

    page.form->pasteNewCommand();
    settle();
    QCOMPARE(page.list()->topLevelItemCount(), 8);
    QCOMPARE(recordBytes(page.image(), 6), second);
    QCOMPARE(recordBytes(page.image(), 7), third);
    QCOMPARE(page.selected(), QList<int>({ 6, 7 }));
}

void TestChannelsForm::popupMenuEnabling()
{
    Page page(channelPlug(3));
    const auto enabled = [&page](const char *name) { return page.child<QAction>(name)->isEnabled(); };
    auto *menu = page.child<QMenu>("PopupMenu1");
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(entries,
        QStringList({ QStringLiteral("Copy"), QStringLiteral("Paste Insert"), QStringLiteral("Paste Over"),
            QStringLiteral("Paste New"), QStringLiteral("-"), QStringLiteral("Add"), QStringLiteral("Insert"),
            QStringLiteral("Delete"), QStringLiteral("-"), QStringLiteral("Unselect All"), QStringLiteral("Select All"),
            QStringLiteral("-"), QStringLiteral("Set to unprotected"), QStringLiteral("Set to protected"),
            QStringLiteral("-"), QStringLiteral("Cancel") }));

    page.form->updatePopupMenu();
    QVERIFY(enabled("CopyMenuItem"));
    QVERIFY(!enabled("PasteInsertMenuItem"));
    QVERIFY(!enabled("PasteOverMenuItem"));
    QVERIFY(!enabled("PasteNewMenuItem"));
    QVERIFY(enabled("SelectAllMenuItem"));
    page.form->copyCommand();
    page.form->updatePopupMenu();
    QVERIFY(enabled("PasteOverMenuItem"));
    QVERIFY(enabled("PasteNewMenuItem"));

    page.form->selectAllRows(true);
    page.form->updatePopupMenu();
    QVERIFY(!enabled("SelectAllMenuItem"));
    page.form->selectAllRows(false);
    page.form->updatePopupMenu();
    for (const char *name : { "CopyMenuItem", "DeleteMenuItem", "UnselectAllMenuItem", "SetProtectedMenuItem" })
        QVERIFY2(!enabled(name), name);
    QVERIFY(enabled("InsertMenuItem"));

    page.store.setCurrentIndex(2);
    page.form->pageRefresh();
    page.form->updatePopupMenu();
    for (const QAction *action : menu->actions())
        QVERIFY2(action->isSeparator() || !action->isEnabled(), qPrintable(action->text()));
}

void TestChannelsForm::importAndExportThroughDialogs()
{
    QTemporaryDir dir;
    Page page(channelPlug(4));
    page.dialogs.saveNames = { dir.filePath(QStringLiteral("channels")) };
    QTest::mouseClick(page.child<QPushButton>("ExportButton"), Qt::LeftButton);
    QCOMPARE(page.dialogs.lastFilter, QStringLiteral("*.csv;;*.*"));
    QFile exported(dir.filePath(QStringLiteral("channels.csv")));
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QCOMPARE(exported.readAll(), channelsCsvText(page.image()));
    QVERIFY(page.prompts.shown.isEmpty());

    // Another plug with two of the names and one new one takes the file's channels by name.
    testsupport::ImageBuilder other(2);
    other.named(lists::channels, 0, QStringLiteral("Echo")).named(lists::channels, 1, QStringLiteral("bravo"));
    Page target(other);
    target.form->protectedChannels().add(QStringLiteral("Echo"));
    target.dialogs.openNames = { exported.fileName() };
    QTest::mouseClick(target.child<QPushButton>("ImportButton"), Qt::LeftButton);
    settle();
    QCOMPARE(target.names(),
        QStringList({ QStringLiteral("Echo"), QStringLiteral("Bravo"), QStringLiteral("Alpha"),
            QStringLiteral("Charlie"), QStringLiteral("Delta") }));
    QCOMPARE(target.selected(), QList<int> { 0 });

    // A cancelled dialog does nothing.
    QTest::mouseClick(target.child<QPushButton>("ImportButton"), Qt::LeftButton);
    QCOMPARE(target.list()->topLevelItemCount(), 5);
    QCOMPARE(target.dialogs.openCalls, 2);
}

void TestChannelsForm::exportExtensionFollowsFilter_data()
{
    QTest::addColumn<QString>("chosenFilter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("csv filter, other extension") << ""
                                                 << "list.txt"
                                                 << "list.txt.csv";
    QTest::newRow("csv filter, upper-case extension") << "*.csv"
                                                      << "LIST.CSV"
                                                      << "LIST.CSV";
    QTest::newRow("all files, no extension") << "*.*"
                                             << "list"
                                             << "list";
    QTest::newRow("all files, other extension") << "*.*"
                                                << "list.txt"
                                                << "list.txt";
}

void TestChannelsForm::exportExtensionFollowsFilter()
{
    QFETCH(QString, chosenFilter);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QTemporaryDir dir;
    Page page(channelPlug(2));
    page.dialogs.chosenFilter = chosenFilter;
    page.dialogs.saveNames = { dir.filePath(typed) };
    page.form->exportCommand();
    QCOMPARE(page.dialogs.lastPreselectedFilter, QStringLiteral("*.csv"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { written });
}

void TestChannelsForm::importErrorsShown()
{
    QTemporaryDir dir;
    Page page(channelPlug(2));
    const QString empty = testsupport::writeFile(dir, QStringLiteral("empty.csv"), "\n\n");
    const QString missing = dir.filePath(QStringLiteral("missing.csv"));
    page.dialogs.openNames = { empty, missing };
    page.form->importCommand();
    page.form->importCommand();
    QCOMPARE(page.prompts.texts(),
        QStringList({ QStringLiteral("Missing header line ..\n\n") + empty,
            QStringLiteral("Could not open the file ..\n\n") + missing }));
    QCOMPARE(page.prompts.shown.first().icon, QMessageBox::Critical);
    QCOMPARE(page.prompts.shown.first().caption, QStringLiteral("Editor"));
    QCOMPARE(page.list()->topLevelItemCount(), 2);
}

void TestChannelsForm::protectedNamesSurviveRestart()
{
    QTemporaryDir dir;
    const QString plug = channelPlug(4).writeTo(dir, QStringLiteral("a.rdt"));
    const QString settings = dir.filePath(QStringLiteral("editor.ini"));
    CodePlugStore store;
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    {
        MainForm form(store, prompts, dialogs, settings);
        form.startUp({ plug });
        settle();
        auto *page = static_cast<ChannelsForm *>(form.page(MainForm::kChannelsTab));
        auto *list = page->findChild<QTreeWidget *>(QStringLiteral("ListView"));
        list->clearSelection();
        list->topLevelItem(3)->setSelected(true);
        list->topLevelItem(1)->setSelected(true);
        page->setSelectionProtected(true);
        QVERIFY(form.close());
    }
    QSettings ini(settings, QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("Channels/Protected_num")).toInt(), 2);
    QCOMPARE(ini.value(QStringLiteral("Channels/Protected_0")).toString(), QStringLiteral("Bravo"));

    CodePlugStore nextStore;
    MainForm next(nextStore, prompts, dialogs, settings);
    next.startUp({});
    settle();
    auto *page = static_cast<ChannelsForm *>(next.page(MainForm::kChannelsTab));
    QCOMPARE(page->protectedChannels().names(), QStringList({ QStringLiteral("Bravo"), QStringLiteral("Delta") }));
    auto *list = page->findChild<QTreeWidget *>(QStringLiteral("ListView"));
    QCOMPARE(list->topLevelItemCount(), 4);
    QCOMPARE(list->topLevelItem(1)->text(3), QStringLiteral("Yes"));
    QCOMPARE(list->topLevelItem(2)->text(3), QString());
    QCOMPARE(list->topLevelItem(3)->text(3), QStringLiteral("Yes"));
}

QTEST_MAIN(TestChannelsForm)
#include "tst_channelsform.moc"
