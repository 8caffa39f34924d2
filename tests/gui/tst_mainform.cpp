#include "CodePlugStore.h"
#include "Codecs.h"
#include "ContactRecord.h"
#include "ListPanel.h"
#include "ListViewTools.h"
#include "ImageBuilder.h"
#include "ListClicks.h"
#include "MainForm.h"
#include "NewCodePlug.h"
#include "RecordName.h"
#include "ScriptedPrompts.h"
#include "channels/ChannelsForm.h"
#include "contacts/DigitalContactsForm.h"

#include <functional>
#include <memory>
#include <tuple>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using namespace codeplug;

namespace {

const QString kQuestionTitle = QStringLiteral("DMR Code Plug Editor");

// One editor session over a temporary folder: settings file, code plug files, scripted answers.
struct Session
{
    QTemporaryDir dir;
    CodePlugStore store;
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<MainForm> form;
    QString settingsName = QStringLiteral("editor.ini");

    QString path(const QString &name) const { return dir.filePath(name); }
    QString settingsPath() const { return path(settingsName); }

    // A valid code plug whose first zone carries the file's name, so slots can be told apart.
    QString makePlug(const QString &name)
    {
        testsupport::ImageBuilder builder;
        builder.named(lists::zones, 0, name.left(16));
        return builder.writeTo(dir, name);
    }
    QString makeBroken(const QString &name) { return testsupport::writeFile(dir, name, QByteArray(100, 'x')); }

    void writeSettings(const QString &text) { testsupport::writeFile(dir, settingsName, text.toUtf8()); }

    MainForm &start(const QStringList &commandLine = {})
    {
        form = std::make_unique<MainForm>(store, prompts, dialogs, settingsPath());
        form->setScreenAreasProvider([] {
            return ScreenAreas { QRect(0, 0, 1920, 1040), QRect(0, 0, 1920, 1080), 1920 };
        });
        form->startUp(commandLine);
        form->show();
        return *form;
    }
    // Valid code plugs a.rdt, b.rdt, ... opened from the command line into slots 1, 2, ...
    MainForm &startWith(int count)
    {
        QStringList files;
        for (int i = 0; i < count; ++i)
            files.append(makePlug(QChar(QLatin1Char('a').unicode() + i) + QStringLiteral(".rdt")));
        return start(files);
    }

    QPushButton *button(const char *name) const { return form->findChild<QPushButton *>(QLatin1String(name)); }
    template <class T> T *child(int tab, const char *name) const
    {
        return form->page(tab)->findChild<T *>(QLatin1String(name));
    }
    QTreeWidget *list(int tab) const { return child<QTreeWidget>(tab, "ListView"); }
    void click(const char *name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    QTabWidget *tabs() const { return form->findChild<QTabWidget *>(QStringLiteral("MainPageControl")); }
    void modify(int slot) { store.slot(slot)->image()->setU8(lists::zones.nameFieldOffset(0), 'Q'); }
    QByteArray bytes(int slot) const { return store.slot(slot)->image()->toByteArray(); }
    QString fileCaption(const QString &file) const
    {
        return form->baseCaption() + (file.isEmpty() ? QString() : QStringLiteral("    ") + file)
            + QStringLiteral("[*] ");
    }
    QString iniValue(const QString &key) const
    {
        return QSettings(settingsPath(), QSettings::IniFormat).value(key).toString();
    }
};

constexpr int kButtonsTab = 3;
constexpr int kContactsTab = 7;
constexpr int kZonesTab = 9;
constexpr int kChannelsTab = MainForm::kChannelsTab;

// Channels Alpha..Echo, a zone holding channels 2, 4 and 5, contacts delta, Bravo and alpha.
QString undoPlug(Session &s)
{
    testsupport::ImageBuilder builder(2);
    for (int i = 0; i < 5; ++i)
        builder.named(lists::channels, i, QStringList { "Alpha", "Bravo", "Charlie", "Delta", "Echo" }.at(i));
    builder.named(lists::zones, 0, QStringLiteral("Zone A"));
    for (int m = 0; m < 3; ++m)
        builder.u16(members::zoneChannels.memberOffset(0, m), std::uint16_t(QList { 2, 4, 5 }.at(m)));
    for (int i = 0; i < 3; ++i)
        writeContact(builder.image(), i, 40 - 10 * i, 0, false, QStringList { "delta", "Bravo", "alpha" }.at(i));
    return builder.writeTo(s.dir, QStringLiteral("a.rdt"));
}

// A command as the user gives it, on the page it shows.
using Command = std::function<void(Session &)>;

} // namespace

Q_DECLARE_METATYPE(Command)

class TestMainForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The settings place the window (adjusted to the screen), choose its tab and reach the contacts
    // and channels pages, whose lists show them from the start; all come back on closing by Escape.
    // The file format itself is tested in tst_settingsfile.
    void settingsRoundTrip()
    {
        Session s;
        s.writeSettings(QStringLiteral("[MainForm]\nTop=4\nLeft=-6\nWidth=500\nHeight=2000\n[Misc]\nTab=0\n"
                                       "[Contacts]\nShowNo=1\nProtected_num=1\nProtected_0=2345\nCountry=Italy\n"
                                       "[Channels]\nProtected_num=1\nProtected_0=bravo\n"));
        testsupport::ImageBuilder builder;
        writeContact(builder.image(), 0, 2345, GroupCall, false, QStringLiteral("C1"));
        builder.named(lists::channels, 0, QStringLiteral("Bravo"));
        MainForm &form = s.start({ builder.writeTo(s.dir, QStringLiteral("a.rdt")) });
        QCOMPARE(form.baseCaption(), QStringLiteral("DMR Code Plug Editor v") + programVersionText());
        QCOMPARE(QRect(form.pos(), form.size()), QRect(0, 0, 800, 1080));
        QCOMPARE(s.tabs()->currentIndex(), 0);
        auto *contacts = form.findChild<DigitalContactsForm *>();
        auto *channels = form.findChild<ChannelsForm *>();
        QVERIFY(contacts->findChild<QPushButton *>(QStringLiteral("ShowNoSpeedButton"))->isChecked());
        QCOMPARE(contacts->countryText(), QStringLiteral("Italy"));
        QCOMPARE(contacts->panel()->list()->topLevelItem(0)->text(6), QStringLiteral("Yes"));
        QCOMPARE(channels->panel()->list()->topLevelItem(0)->text(3), QStringLiteral("Yes"));

        contacts->protectedIds().append(3);
        channels->protectedChannels().append(QStringLiteral("zeta"));
        form.setFocus();
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QStringList values;
        for (const char *key :
            { "MainForm/Left", "MainForm/Top", "MainForm/Width", "MainForm/Height", "Misc/Tab", "Contacts/ShowNo",
                "Contacts/Protected_0", "Contacts/Protected_1", "Contacts/Country", "Channels/Protected_1" })
            values.append(s.iniValue(QLatin1String(key)));
        QCOMPARE(values, QStringList({ "0", "0", "800", "1080", "0", "1", "3", "2345", "Italy", "zeta" }));
    }

    void filesAtStartUp_data()
    {
        // Files are made in the session's folder: "bad.rdt" is too short, "gone.rdt" is missing, the others valid.
        QTest::addColumn<QStringList>("remembered"); // File0.. in the settings
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected"); // file name of slots 1..4; "*" marks an open slot
        QTest::addColumn<int>("messages");
        QTest::addColumn<bool>("asTyped"); // given relative to the session's folder, the current one
        const auto row = [](const char *name, QStringList remembered, QStringList arguments, const char *expected,
                             int messages = 0, bool asTyped = false) {
            QTest::newRow(name) << remembered << arguments << QString::fromLatin1(expected) << messages << asTyped;
        };
        row("remembered; a vanished one dropped silently", { "a.rdt", "gone.rdt", "c.rdt" }, {}, "a.rdt*,,c.rdt*,");
        row("five .rdt", {}, { "a.rdt", "b.rdt", "c.rdt", "d.rdt", "e.rdt" }, "a.rdt*,b.rdt*,c.rdt*,d.rdt*");
        row("x.txt then b.rdt", { "r.rdt" }, { "x.txt", "b.rdt" }, "r.rdt*,b.rdt*,,");
        row("upper-case extension", {}, { "A.RDT" }, "A.RDT*,,,");
        row("failing file keeps remembered name", { "r.rdt" }, { "bad.rdt" }, "r.rdt,,,", 1);
        row("missing command-line file", {}, { "gone.rdt" }, ",,,", 1);
        row("names as typed", {}, { "a.rdt", "./b.rdt" }, "a.rdt*,b.rdt*,,", 0, true);
    }
    void filesAtStartUp()
    {
        QFETCH(QStringList, remembered);
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QFETCH(int, messages);
        QFETCH(bool, asTyped);
        Session s;
        for (const char *name : { "a.rdt", "b.rdt", "c.rdt", "d.rdt", "e.rdt", "r.rdt", "A.RDT", "x.txt" })
            s.makePlug(QString::fromLatin1(name));
        s.makeBroken(QStringLiteral("bad.rdt"));
        QString ini = QStringLiteral("[CodePlug]\n");
        for (int i = 0; i < remembered.size(); ++i)
            ini += QStringLiteral("File%1=%2\n").arg(i).arg(s.path(remembered.at(i)));
        s.writeSettings(ini);
        QStringList paths;
        for (const QString &argument : arguments)
            paths.append(asTyped ? argument : s.path(argument));

        const QString folder = QDir::currentPath();
        QDir::setCurrent(s.dir.path());
        MainForm &form = s.start(paths);
        QDir::setCurrent(folder);
        // Settings without a placement or tab leave the design ones.
        QCOMPARE(QRect(form.pos(), form.size()), MainForm::kDesignPlacement);
        QCOMPARE(s.tabs()->currentIndex(), MainForm::kChannelsTab);
        QStringList slots;
        for (int i = 0; i < CodePlugStore::kSlotCount; ++i) {
            const CodePlugSlot &slot = *s.store.slot(i);
            slots.append(QFileInfo(slot.fileName).fileName() + (slot.isOpen() ? QStringLiteral("*") : QString()));
            if (!slot.fileName.isEmpty())
                QCOMPARE(slot.fileName, s.path(QFileInfo(slot.fileName).fileName()));
            QCOMPARE(s.button(qPrintable(QStringLiteral("SlotButton%1").arg(i + 1)))->toolTip(), slot.fileName);
        }
        QCOMPARE(slots.join(QLatin1Char(',')), expected);
        QCOMPARE(s.prompts.shown.size(), messages);
        if (messages > 0) {
            QCOMPARE(s.prompts.shown.first().caption, kQuestionTitle);
            QVERIFY(s.prompts.shown.first().text.endsWith(s.path(arguments.first())));
        }
        if (s.store.slot(0)->isOpen())
            QCOMPARE(form.windowTitle(), s.fileCaption(s.store.slot(0)->fileName));
        // The dialogs start beside the remembered slot-1 file, else beside the program.
        QCOMPARE(form.dialogDirectory(), remembered.isEmpty() ? QCoreApplication::applicationDirPath() : s.dir.path());
        // The names written back on closing are those of the slots.
        QVERIFY(form.close());
        for (int i = 0; i < CodePlugStore::kSlotCount; ++i)
            QCOMPARE(s.iniValue(QStringLiteral("CodePlug/File%1").arg(i)), s.store.slot(i)->fileName);
    }

    void saveAsNaming_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        for (const auto &[typed, saved] :
            { std::pair { "plug", "plug.rdt" }, { "PLUG.RDT", "PLUG.RDT" }, { "a.rdt.bak", "a.rdt.bak.rdt" } })
            QTest::newRow(typed) << QString::fromLatin1(typed) << QString::fromLatin1(saved);
    }
    void saveAsNaming()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        Session s;
        MainForm &form = s.startWith(1);
        s.dialogs.saveNames = { s.path(typed) };
        s.click("SaveAsBitBtn");
        QCOMPARE(s.dialogs.lastPreset, s.path("a.rdt"));
        QCOMPARE(s.dialogs.lastFilter, QStringLiteral("Code plug files (*.rdt);;All files (*)"));
        QCOMPARE(QFile::exists(s.path(typed)), typed == saved);
        QCOMPARE(testsupport::readFile(s.path(saved)), s.bytes(0));
        QCOMPARE(form.windowTitle(), s.fileCaption(s.path(saved))); // shows the slot's new file
    }

    // Declining the warning writes nothing: tst_codeplugfile. Here: the warning is asked through the prompts.
    void passwordWarningGoesThroughPrompts()
    {
        Session s;
        testsupport::ImageBuilder builder;
        builder.u8(passwords::kRadioProgramPassword, 0x12);
        s.start({ builder.writeTo(s.dir, QStringLiteral("a.rdt")) });
        s.modify(0);
        s.prompts.answers = { QMessageBox::No };
        s.click("SaveBitBtn");
        QCOMPARE(s.prompts.shown.size(), 1);
        QVERIFY(s.prompts.shown.first().text.startsWith(QStringLiteral("This code plug has passwords set")));
        QVERIFY(s.store.hasUnsavedChanges(0));
    }

    void discardQuestion_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("fileAfter"); // the slot's file after Yes; none for a new code plug
        const auto row = [](const char *button, const char *question, const char *file) {
            QTest::newRow(button) << QByteArray(button) << QStringLiteral("Unsaved code plug.\n\n") + question << file;
        };
        row("Open", "Discard it ?", "b.rdt");
        row("Reload", "Reload from file ?", "a.rdt");
        row("New", "Discard it ?", "");
    }
    // Open, Reload and New ask before dropping unsaved changes: No (from the button) changes nothing,
    // Yes (from the menu) loads afresh.
    void discardQuestion()
    {
        QFETCH(QByteArray, button);
        QFETCH(QString, question);
        QFETCH(QString, fileAfter);
        Session s;
        s.makePlug(QStringLiteral("b.rdt"));
        MainForm &form = s.startWith(1);
        s.modify(0);
        s.store.slot(0)->history().closeStep(QStringLiteral("Edit"));
        const QByteArray edited = s.bytes(0);
        int chosen = 0;
        form.setNewPlugChooser([&](QWidget *) {
            ++chosen;
            return std::optional<NewPlugChoice>(NewPlugChoice { 2, 3 });
        });
        s.dialogs.openNames = { s.path("b.rdt") };

        s.prompts.answers = { QMessageBox::No };
        s.click((button + "BitBtn").constData());
        QCOMPARE(s.prompts.texts(), QStringList { question });
        QCOMPARE(s.dialogs.openCalls + chosen, 0);
        QCOMPARE(s.store.slot(0)->fileName, s.path("a.rdt"));
        QCOMPARE(s.bytes(0), edited);

        s.prompts.answers = { QMessageBox::Yes };
        form.findChild<QAction *>(QString::fromLatin1(button + "MenuItem"))->trigger();
        const QString file = fileAfter.isEmpty() ? QString() : s.path(fileAfter);
        QCOMPARE(s.store.slot(0)->fileName, file);
        QCOMPARE(s.bytes(0), file.isEmpty() ? makeNewCodePlug(3, 2).toByteArray() : testsupport::readFile(file));
        QVERIFY(!s.store.hasUnsavedChanges(0));
        QVERIFY(!s.store.slot(0)->history().canUndo());
        QCOMPARE(form.windowTitle(), s.fileCaption(file));
    }

    void openFailureKeepsTheSlot()
    {
        Session s;
        s.startWith(1);
        const QString bad = s.makeBroken(QStringLiteral("bad.rdt"));
        s.dialogs.openNames = { bad };
        s.click("OpenBitBtn");
        QCOMPARE(s.dialogs.lastDirectory, QCoreApplication::applicationDirPath()); // no remembered slot-1 file
        QCOMPARE(s.prompts.texts(), QStringList { QStringLiteral("Code plug file size error ..\n\n") + bad });
        QCOMPARE(s.store.slot(0)->fileName, s.path("a.rdt"));
        QVERIFY(s.store.slot(0)->isOpen());
    }

    void closeQuestion_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("slotClosed");
        QTest::addColumn<bool>("fileSaved");
        const auto row = [](const char *name, bool modified, QMessageBox::StandardButton answer, bool closed,
                             bool saved) { QTest::newRow(name) << modified << int(answer) << closed << saved; };
        row("unmodified: no question", false, QMessageBox::NoButton, true, false);
        row("Cancel", true, QMessageBox::Cancel, false, false);
        row("dismissed", true, QMessageBox::NoButton, false, false);
        row("No", true, QMessageBox::No, true, false);
        row("Yes", true, QMessageBox::Yes, true, true);
    }
    void closeQuestion()
    {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, slotClosed);
        QFETCH(bool, fileSaved);
        Session s;
        s.startWith(2);
        s.click("SlotButton2"); // the current slot is the one closed
        const QString b = s.path("b.rdt");
        const QByteArray before = testsupport::readFile(b);
        if (modified)
            s.modify(1);
        const QByteArray edited = s.bytes(1);

        s.prompts.answers = { QMessageBox::StandardButton(answer) };
        s.click("CloseBitBtn");
        QCOMPARE(s.prompts.texts(),
            modified ? QStringList { QStringLiteral("Unsaved code plug.\n\nSave before closing it ?") }
                     : QStringList());
        if (modified)
            QCOMPARE(s.prompts.shown.first().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(!s.store.slot(1)->isOpen(), slotClosed);
        QCOMPARE(testsupport::readFile(b), fileSaved ? edited : before);
        QCOMPARE(QFile::exists(s.settingsPath()), slotClosed);
        if (slotClosed) { // the settings written on closing no longer name the file
            QVERIFY(!QSettings(s.settingsPath(), QSettings::IniFormat).contains(QStringLiteral("CodePlug/File1")));
            QCOMPARE(s.button("SlotButton2")->toolTip(), QString());
        }
    }

    // An unwritable settings file is said, and the window still asks per unsaved slot and closes.
    void exitAsksPerUnsavedSlot()
    {
        Session s;
        s.settingsName = QStringLiteral("missing/folder/editor.ini");
        MainForm &form = s.startWith(4);
        const QByteArray dBefore = testsupport::readFile(s.path("d.rdt"));
        s.modify(1);
        s.modify(3);
        const QString unwritable = QStringLiteral("Unable to write to ") + s.settingsPath();
        const auto question
            = [](int slot) { return QStringLiteral("Unsaved code plug %1.\n\nSave before exit ?").arg(slot); };

        s.prompts.answers = { QMessageBox::Yes, QMessageBox::Cancel };
        QVERIFY(!form.close());
        QCOMPARE(s.prompts.texts(), (QStringList { unwritable, question(2), question(4) }));
        QVERIFY(!s.store.hasUnsavedChanges(1));
        QCOMPARE(testsupport::readFile(s.path("b.rdt")), s.bytes(1));
        QCOMPARE(testsupport::readFile(s.path("d.rdt")), dBefore);

        // The next attempt asks only about slot 4.
        s.prompts.shown.clear();
        s.prompts.answers = { QMessageBox::No };
        QVERIFY(form.close());
        QCOMPARE(s.prompts.texts(), (QStringList { unwritable, question(4) }));
    }

    void emptySlotEmptiesEveryPage()
    {
        Session s;
        MainForm &form = s.startWith(1);
        auto *zones = s.list(kZonesTab);
        const int gpsTab = MainForm::kTabCount - 1;
        QVERIFY(!s.tabs()->isTabVisible(gpsTab)); // radio type 0 has no GPS

        s.click("SlotButton3");
        QVERIFY(s.tabs()->isTabVisible(gpsTab));
        for (const char *name : { "SaveBitBtn", "SaveAsBitBtn", "ReloadBitBtn", "CloseBitBtn" })
            QVERIFY2(!s.button(name)->isEnabled(), name);
        // The contacts page keeps its user-database half working (tst_listpanel); every other page rests.
        for (int i = 0; i < MainForm::kTabCount; ++i) {
            if (form.page(i) != form.findChild<DigitalContactsForm *>())
                QVERIFY2(!form.page(i)->isEnabled(), qPrintable(form.page(i)->objectName()));
        }
        QCOMPARE(zones->topLevelItemCount(), 0);
        QCOMPARE(form.windowTitle(), s.fileCaption(QString()));

        // The menu's Save on an empty slot writes nothing; its Save As runs the dialog, then writes nothing.
        s.dialogs.saveNames = { s.path(QStringLiteral("x.rdt")), s.path(QStringLiteral("y.rdt")) };
        form.saveCommand();
        form.saveAsCommand();
        QCOMPARE(s.dialogs.saveNames.size(), 1); // one dialog
        QVERIFY(!QFile::exists(s.path(QStringLiteral("x.rdt"))));

        s.click("SlotButton1");
        for (int i = 0; i < MainForm::kTabCount; ++i)
            QVERIFY2(form.page(i)->isEnabled(), qPrintable(form.page(i)->objectName()));
        QCOMPARE(zones->topLevelItemCount(), 1);
        QVERIFY(s.button("SaveBitBtn")->isEnabled());
        QVERIFY(!s.tabs()->isTabVisible(gpsTab));
    }

    void pendingEditLandsInItsOwnSlot_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::newRow("slot switch") << QByteArray("SlotButton2");
        QTest::newRow("save") << QByteArray("SaveBitBtn");
    }

    // The panel's buttons take no focus, so a click on them does not end an edit by focus loss.
    void pendingEditLandsInItsOwnSlot()
    {
        QFETCH(QByteArray, button);
        Session s;
        MainForm &form = s.startWith(2);
        s.tabs()->setCurrentIndex(kZonesTab);
        listclicks::doubleClick(s.list(kZonesTab), 0, 2);
        QTest::keyClicks(s.child<QLineEdit>(kZonesTab, "listViewEdit"), QStringLiteral("Renamed"));
        s.click(button.constData());
        QCOMPARE(recordName(*s.store.slot(0)->image(), lists::zones, 0), QStringLiteral("Renamed"));
        QCOMPARE(recordName(*s.store.slot(1)->image(), lists::zones, 0), QStringLiteral("b.rdt"));
        if (button != "SaveBitBtn")
            return;
        // Saved: the file holds the edit, and the title's mark follows undo and redo.
        QCOMPARE(testsupport::readFile(s.path("a.rdt")), s.bytes(0));
        QVERIFY(!s.store.hasUnsavedChanges(0));
        QVERIFY(!form.isWindowModified());
        QCOMPARE(form.windowTitle(), s.fileCaption(s.path("a.rdt")));
        form.undoCommand();
        QVERIFY(form.isWindowModified());
        form.redoCommand(); // back to the saved bytes
        QVERIFY(!form.isWindowModified());
    }

    void undoAndRedoEveryKindOfCommand_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Command>("command");
        const auto row = [](const char *name, const char *step, Command command) {
            QTest::newRow(name) << QString::fromLatin1(step) << command;
        };
        row("channel field over a multi-selection", "Edit Rx Freq", [](Session &s) {
            s.list(kChannelsTab)->clearSelection();
            for (int row : { 1, 3, 4 })
                s.list(kChannelsTab)->topLevelItem(row)->setSelected(true);
            QCoreApplication::processEvents();
            auto *edit = s.child<QLineEdit>(kChannelsTab, "RxFreqEdit");
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("439.125"));
        });
        // Alpha, Bravo and Charlie: Bravo, a zone member, is refused, the answer goes on; the members move down.
        row("channel delete with a refusal in the middle", "Delete channels", [](Session &s) {
            for (int row : { 0, 1, 2 })
                s.list(kChannelsTab)->topLevelItem(row)->setSelected(true);
            s.prompts.answers = { QMessageBox::Ok };
            QTest::mouseClick(s.child<QPushButton>(kChannelsTab, "DeleteBitBtn"), Qt::LeftButton);
        });
        row("contacts sorted by a column title", "Sort by Name", [](Session &s) {
            s.tabs()->setCurrentIndex(kContactsTab);
            QHeaderView *header = s.list(kContactsTab)->header();
            const QPoint at(header->sectionViewportPosition(2) + 5, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        });
        // None to Digital: mode, contact and message number in one step.
        row("one-touch mode chosen in place", "Edit Mode", [](Session &s) {
            s.tabs()->setCurrentIndex(kButtonsTab);
            listclicks::doubleClick(s.child<QTreeWidget>(kButtonsTab, "OneTouchAccessListView"), 0, 2);
            QTest::keyClick(s.child<QComboBox>(kButtonsTab, "listViewComboBox"), Qt::Key_Down);
        });
        // The model rewrites its name, two model bytes and the frequency range: one step.
        row("radio model chosen", "Edit Radio Model", [](Session &s) {
            s.tabs()->setCurrentIndex(0);
            s.child<QComboBox>(0, "RadioModelComboBox")->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        });
    }
    // Every kind of command is one undo step, undone and redone by the keys with the list selection
    // kept; each slot has a history of its own. Questions are answered in a nested event loop, as
    // a real message box answers them.
    void undoAndRedoEveryKindOfCommand()
    {
        QFETCH(QString, name);
        QFETCH(Command, command);
        Session s;
        s.prompts.waitMs = 150;
        const QString plug = undoPlug(s);
        MainForm &form = s.start({ plug, plug });
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto *undo = form.findChild<QAction *>(QStringLiteral("UndoMenuItem"));
        auto *redo = form.findChild<QAction *>(QStringLiteral("RedoMenuItem"));
        const QByteArray before = s.bytes(0);
        command(s);
        QCoreApplication::processEvents();
        const QByteArray after = s.bytes(0);
        QVERIFY(after != before);
        QTRY_COMPARE(undo->text(), QStringLiteral("Undo ") + name);
        QCOMPARE(s.store.current().history().stepCount(), 1);

        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        const std::tuple<Qt::Key, Qt::KeyboardModifiers, bool> keys[]
            = { { Qt::Key_Z, ctrl, true }, { Qt::Key_Y, ctrl, false }, { Qt::Key_Z, ctrl, true },
                  { Qt::Key_Z, ctrl | Qt::ShiftModifier, false }, { Qt::Key_Z, ctrl, true } };
        const auto selection = [&] {
            const auto *list = s.tabs()->currentWidget()->findChild<QTreeWidget *>();
            return list ? listview::selectedRows(list) : QList<int>();
        };
        const QList<int> selected = selection();
        for (const auto &[key, modifiers, undone] : keys) {
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : &form, key, modifiers);
            QCOMPARE(selection(), selected);
            QCOMPARE(s.bytes(0), undone ? before : after);
            QCOMPARE(undo->text(), undone ? QStringLiteral("Undo") : QStringLiteral("Undo ") + name);
            QCOMPARE(redo->text(), undone ? QStringLiteral("Redo ") + name : QStringLiteral("Redo"));
        }
        form.selectSlot(1);
        QVERIFY(!redo->isEnabled());
        form.selectSlot(0);
        QCOMPARE(redo->text(), QStringLiteral("Redo ") + name);
        s.prompts.shown.clear();
        QVERIFY(form.close()); // asks nothing: every slot is as loaded
        QVERIFY2(s.prompts.shown.isEmpty(), qPrintable(s.prompts.texts().join(" / ")));
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
