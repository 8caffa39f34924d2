#include "CodePlugStore.h"
#include "Codecs.h"
#include "ImageBuilder.h"
#include "MainForm.h"
#include "NewCodePlug.h"
#include "RecordName.h"
#include "ScriptedPrompts.h"
#include "channels/ChannelsForm.h"
#include "contacts/DigitalContactsForm.h"
#include "lists/ZonesForm.h"

#include <memory>

#include <QDir>
#include <QFile>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using namespace codeplug;

namespace {

const ScreenAreas kLargeScreen { QRect(0, 0, 1920, 1040), QRect(0, 0, 1920, 1080), 1920 };

// One editor session over a temporary folder: settings file, code plug files, scripted answers.
struct Session
{
    QTemporaryDir dir;
    CodePlugStore store;
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<MainForm> form;

    QString path(const QString &name) const { return dir.filePath(name); }
    QString settingsPath() const { return path(QStringLiteral("editor.ini")); }

    // A valid code plug whose first zone carries the file's name, so slots can be told apart.
    QString makePlug(const QString &name)
    {
        testsupport::ImageBuilder builder;
        builder.named(lists::zones, 0, name.left(16));
        return builder.writeTo(dir, name);
    }
    QString makeBroken(const QString &name) { return testsupport::writeFile(dir, name, QByteArray(100, 'x')); }

    void writeSettings(const QString &text)
    {
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write(text.toUtf8());
    }

    MainForm &start(const QStringList &commandLine = {})
    {
        form = std::make_unique<MainForm>(store, prompts, dialogs, settingsPath());
        form->setScreenAreasProvider([] { return kLargeScreen; });
        form->startUp(commandLine);
        form->show();
        return *form;
    }

    QPushButton *button(const char *name) const { return form->findChild<QPushButton *>(QLatin1String(name)); }
    QTabWidget *tabs() const { return form->findChild<QTabWidget *>(QStringLiteral("MainPageControl")); }
    void modify(int slot) { store.slot(slot)->image()->setU8(lists::zones.nameFieldOffset(0), 'Q'); }
    QString caption(const QString &suffix) const { return form->baseCaption() + suffix; }
};

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startUpWithoutSettingsFile();
    void tabCaptionsAndPages();
    void rememberedFiles();
    void commandLine_data();
    void commandLine();
    void saveWritesTheCommandLineFile();
    void saveAsNaming_data();
    void saveAsNaming();
    void passwordWarningGoesThroughPrompts();
    void openAsksAboutUnsavedChanges();
    void reloadAsksAboutUnsavedChanges();
    void closeQuestion_data();
    void closeQuestion();
    void exitAsksPerUnsavedSlot();
    void unwritableSettingsAreSaidOnceThenClose();
    void newMakesAFreshCodePlug();
    void emptySlotEmptiesEveryPage();
    void tabFromSettings_data();
    void tabFromSettings();
    void closingSlotTwoDropsItsKey();
    void escapeClosesWindow();
    void placementFromSettingsIsAdjusted();
    void pagesDestroyedInReverseOrder();
    void pageSettingsRoundTrip();
    void pendingEditLandsInItsOwnSlot_data();
    void pendingEditLandsInItsOwnSlot();
};

void TestMainForm::startUpWithoutSettingsFile()
{
    Session s;
    MainForm &form = s.start();
    QCOMPARE(QRect(form.pos(), form.size()), MainForm::kDesignPlacement);
    QCOMPARE(s.tabs()->currentIndex(), MainForm::kChannelsTab);
    QCOMPARE(s.tabs()->tabText(s.tabs()->currentIndex()), QStringLiteral("  Channels  "));
    for (int i = 0; i < CodePlugStore::kSlotCount; ++i)
        QVERIFY(!s.store.slot(i)->isOpen());
    QCOMPARE(
        form.windowTitle(), QStringLiteral("DMR Code Plug Editor v") + programVersionText() + QStringLiteral("[*] "));
    QVERIFY(s.prompts.shown.isEmpty());
    QVERIFY(!QFile::exists(s.settingsPath()));

    QVERIFY(form.close());
    QSettings ini(s.settingsPath(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("MainForm/Left")).toInt(), 216);
    QCOMPARE(ini.value(QStringLiteral("MainForm/Top")).toInt(), 105);
    QCOMPARE(ini.value(QStringLiteral("MainForm/Width")).toInt(), 1138);
    QCOMPARE(ini.value(QStringLiteral("MainForm/Height")).toInt(), 585);
    QCOMPARE(ini.value(QStringLiteral("Misc/Tab")).toInt(), 11);
    QVERIFY(!ini.contains(QStringLiteral("CodePlug/File0")));
}

void TestMainForm::tabCaptionsAndPages()
{
    Session s;
    s.start();
    const QStringList captions = { "  Basic  ", "  General  ", "  Menus  ", "  Buttons  ", "  Digital Text Msg  ",
        "  Digital Voice Encryption  ", "  Digital Emergency System  ", "  Digital Contacts  ", "  Digital Rx Groups  ",
        "  Zones  ", "  Scan Lists  ", "  Channels  ", "  DTMF  ", "  GPS  " };
    const QStringList classes = { "BasicForm", "GeneralForm", "MenusForm", "ButtonsForm", "TextMessageForm",
        "VoiceEncryptionForm", "EmergencySystemForm", "DigitalContactsForm", "GroupsForm", "ZonesForm", "ScanListsForm",
        "ChannelsForm", "DTMFForm", "GPSForm" };
    QCOMPARE(s.tabs()->count(), 14);
    for (int i = 0; i < 14; ++i) {
        QCOMPARE(s.tabs()->tabText(i), captions.at(i));
        QCOMPARE(s.tabs()->widget(i)->objectName(), classes.at(i));
        QCOMPARE(s.tabs()->widget(i), s.form->page(i));
    }
    QVERIFY(s.button("NewBitBtn")->isEnabled());
    QVERIFY(s.button("OpenBitBtn")->isEnabled());
    QVERIFY(s.button("SlotButton1")->isChecked());
}

void TestMainForm::rememberedFiles()
{
    Session s;
    const QString a = s.makePlug(QStringLiteral("a.rdt"));
    const QString c = s.makePlug(QStringLiteral("c.rdt"));
    const QString gone = s.path(QStringLiteral("gone.rdt"));
    s.writeSettings(QStringLiteral("[CodePlug]\nFile0=%1\nFile1=%2\nFile2=%3\n").arg(a, gone, c));

    MainForm &form = s.start();
    QVERIFY(s.store.slot(0)->isOpen());
    QVERIFY(!s.store.slot(1)->isOpen());
    QVERIFY(s.store.slot(2)->isOpen());
    QCOMPARE(s.store.slot(1)->fileName, QString());
    QVERIFY2(s.prompts.shown.isEmpty(), "a vanished remembered file is dropped silently");
    QCOMPARE(form.windowTitle(), s.caption(QStringLiteral("    ") + a + QStringLiteral("[*] ")));
    QCOMPARE(s.button("SlotButton3")->toolTip(), c);
    QCOMPARE(form.dialogDirectory(), s.dir.path());

    QVERIFY(form.close());
    QSettings ini(s.settingsPath(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("CodePlug/File0")).toString(), a);
    QVERIFY(!ini.contains(QStringLiteral("CodePlug/File1")));
    QCOMPARE(ini.value(QStringLiteral("CodePlug/File2")).toString(), c);
}

void TestMainForm::commandLine_data()
{
    // File names are made in the session's folder: "bad.rdt" is too short, the others are valid.
    QTest::addColumn<QString>("remembered0");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expectedNames"); // file name of slots 1..4
    QTest::addColumn<QString>("expectedOpen"); // one letter per slot: o open, - empty
    QTest::addColumn<int>("messages");
    QTest::addColumn<bool>("asTyped"); // given relative to the session's folder, the current one

    QTest::newRow("one .rdt") << QString() << QStringList { "a.rdt" } << QStringList { "a.rdt", "", "", "" } << "o---"
                              << 0 << false;
    QTest::newRow("five .rdt") << QString() << QStringList { "a.rdt", "b.rdt", "c.rdt", "d.rdt", "e.rdt" }
                               << QStringList { "a.rdt", "b.rdt", "c.rdt", "d.rdt" } << "oooo" << 0 << false;
    QTest::newRow("x.txt then b.rdt") << "r.rdt" << QStringList { "x.txt", "b.rdt" }
                                      << QStringList { "r.rdt", "b.rdt", "", "" } << "oo--" << 0 << false;
    QTest::newRow("upper-case extension")
        << QString() << QStringList { "A.RDT" } << QStringList { "A.RDT", "", "", "" } << "o---" << 0 << false;
    QTest::newRow("failing file keeps remembered name")
        << "r.rdt" << QStringList { "bad.rdt" } << QStringList { "r.rdt", "", "", "" } << "----" << 1 << false;
    QTest::newRow("missing command-line file")
        << QString() << QStringList { "none.rdt" } << QStringList { "", "", "", "" } << "----" << 1 << false;
    QTest::newRow("names as typed") << QString() << QStringList { "a.rdt", "./b.rdt" }
                                    << QStringList { "a.rdt", "b.rdt", "", "" } << "oo--" << 0 << true;
}

void TestMainForm::commandLine()
{
    QFETCH(QString, remembered0);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expectedNames);
    QFETCH(QString, expectedOpen);
    QFETCH(int, messages);
    QFETCH(bool, asTyped);

    Session s;
    for (const char *name : { "a.rdt", "b.rdt", "c.rdt", "d.rdt", "e.rdt", "r.rdt", "A.RDT", "x.txt" })
        s.makePlug(QString::fromLatin1(name));
    s.makeBroken(QStringLiteral("bad.rdt"));
    if (!remembered0.isEmpty())
        s.writeSettings(QStringLiteral("[CodePlug]\nFile0=%1\n").arg(s.path(remembered0)));
    QStringList paths;
    for (const QString &argument : arguments)
        paths.append(asTyped ? argument : s.path(argument));

    const QString folder = QDir::currentPath();
    QDir::setCurrent(s.dir.path());
    s.start(paths);
    QDir::setCurrent(folder);
    for (int i = 0; i < 4; ++i) {
        const QString expected = expectedNames.at(i).isEmpty() ? QString() : s.path(expectedNames.at(i));
        QCOMPARE(s.store.slot(i)->fileName, expected);
        QCOMPARE(s.store.slot(i)->isOpen(), expectedOpen.at(i) == QLatin1Char('o'));
    }
    QCOMPARE(s.prompts.shown.size(), messages);
    if (messages > 0) {
        QCOMPARE(s.prompts.shown.first().icon, QMessageBox::Critical);
        QCOMPARE(s.prompts.shown.first().caption, QStringLiteral("DMR Code Plug Editor"));
        QVERIFY(s.prompts.shown.first().text.endsWith(s.path(arguments.first())));
    }
}

void TestMainForm::saveWritesTheCommandLineFile()
{
    Session s;
    const QString a = s.makePlug(QStringLiteral("a.rdt"));
    MainForm &form = s.start({ a });
    const QString caption = s.caption(QStringLiteral("    ") + a + QStringLiteral("[*] "));
    s.modify(0);
    s.store.slot(0)->history().closeStep(QStringLiteral("Edit"));
    form.refreshAll();
    QVERIFY(form.isWindowModified());
    QCOMPARE(form.windowTitle(), caption);
    QTest::mouseClick(s.button("SaveBitBtn"), Qt::LeftButton);
    QCOMPARE(testsupport::readFile(a), s.store.slot(0)->image()->toByteArray());
    QVERIFY(!s.store.hasUnsavedChanges(0));
    QVERIFY(!form.isWindowModified());
    QCOMPARE(form.windowTitle(), caption);
    form.undoCommand();
    QVERIFY(form.isWindowModified());
    form.redoCommand(); // back to the saved bytes
    QVERIFY(!form.isWindowModified());
}

void TestMainForm::saveAsNaming_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no extension") << "plug"
                                  << "plug.rdt";
    QTest::newRow("upper case") << "PLUG.RDT"
                                << "PLUG.RDT";
    QTest::newRow("other extension") << "a.rdt.bak"
                                     << "a.rdt.bak.rdt";
}

void TestMainForm::saveAsNaming()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    Session s;
    const QString a = s.makePlug(QStringLiteral("a.rdt"));
    MainForm &form = s.start({ a });
    s.dialogs.saveNames = { s.path(typed) };
    QTest::mouseClick(s.button("SaveAsBitBtn"), Qt::LeftButton);

    QCOMPARE(s.dialogs.lastPreset, a);
    QCOMPARE(s.dialogs.lastFilter, QStringLiteral("*.rdt (*.rdt);;*.* (*)"));
    QVERIFY(QFile::exists(s.path(saved)));
    if (typed != saved)
        QVERIFY(!QFile::exists(s.path(typed)));
    QCOMPARE(s.store.slot(0)->fileName, s.path(saved));
    QCOMPARE(form.windowTitle(), s.caption(QStringLiteral("    ") + s.path(saved) + QStringLiteral("[*] ")));
}

void TestMainForm::passwordWarningGoesThroughPrompts()
{
    Session s;
    testsupport::ImageBuilder builder;
    builder.u8(passwords::kRadioProgramPassword, 0x12);
    const QString a = builder.writeTo(s.dir, QStringLiteral("a.rdt"));
    const QByteArray before = testsupport::readFile(a);
    s.start({ a });
    s.modify(0);
    s.prompts.answers = { QMessageBox::No };
    QTest::mouseClick(s.button("SaveBitBtn"), Qt::LeftButton);
    QCOMPARE(s.prompts.shown.size(), 1);
    QCOMPARE(s.prompts.shown.first().icon, QMessageBox::Warning);
    QVERIFY(s.prompts.shown.first().text.startsWith(QStringLiteral("This code plug has passwords set")));
    QCOMPARE(testsupport::readFile(a), before);
    QVERIFY(s.store.hasUnsavedChanges(0));
}

void TestMainForm::openAsksAboutUnsavedChanges()
{
    Session s;
    const QString a = s.makePlug(QStringLiteral("a.rdt"));
    const QString b = s.makePlug(QStringLiteral("b.rdt"));
    s.start({ a });
    s.modify(0);

    s.prompts.answers = { QMessageBox::No };
    s.dialogs.openNames = { b };
    QTest::mouseClick(s.button("OpenBitBtn"), Qt::LeftButton);
    QCOMPARE(s.dialogs.openCalls, 0);
    QCOMPARE(s.store.slot(0)->fileName, a);
    const ScriptedPrompts::Shown question = s.prompts.shown.last();
    QCOMPARE(question.text, QStringLiteral("Unsaved code plug.\n\nDiscard it ?"));
    QCOMPARE(question.caption, QStringLiteral("DMR Code Plug Editor"));
    QCOMPARE(question.icon, QMessageBox::Question);
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(s.prompts.beeps, 1);

    s.prompts.answers = { QMessageBox::Yes };
    QTest::mouseClick(s.button("OpenBitBtn"), Qt::LeftButton);
    QCOMPARE(s.dialogs.openCalls, 1);
    // The dialogs start where the remembered slot-1 file was; there was none, so beside the program.
    QCOMPARE(s.dialogs.lastDirectory, QCoreApplication::applicationDirPath());
    QCOMPARE(s.store.slot(0)->fileName, b);
    QVERIFY(!s.store.hasUnsavedChanges(0));
    QCOMPARE(s.form->windowTitle(), s.caption(QStringLiteral("    ") + b + QStringLiteral("[*] ")));

    // A file that fails to load leaves the slot as it was.
    const QString bad = s.makeBroken(QStringLiteral("bad.rdt"));
    s.dialogs.openNames = { bad };
    QTest::mouseClick(s.button("OpenBitBtn"), Qt::LeftButton);
    QCOMPARE(s.prompts.shown.last().text, QStringLiteral("Code plug file size error ..\n\n") + bad);
    QCOMPARE(s.store.slot(0)->fileName, b);
    QVERIFY(s.store.slot(0)->isOpen());
}

void TestMainForm::reloadAsksAboutUnsavedChanges()
{
    Session s;
    const QString a = s.makePlug(QStringLiteral("a.rdt"));
    s.start({ a });
    s.modify(0);

    s.prompts.answers = { QMessageBox::No };
    QTest::mouseClick(s.button("ReloadBitBtn"), Qt::LeftButton);
    QCOMPARE(s.prompts.shown.last().text, QStringLiteral("Unsaved code plug.\n\nReload from file ?"));
    QVERIFY(s.store.hasUnsavedChanges(0));

    s.prompts.answers = { QMessageBox::Yes };
    QTest::mouseClick(s.button("ReloadBitBtn"), Qt::LeftButton);
    QVERIFY(!s.store.hasUnsavedChanges(0));
    QCOMPARE(s.store.slot(0)->image()->toByteArray(), testsupport::readFile(a));
}

void TestMainForm::closeQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("slotClosed");
    QTest::addColumn<bool>("fileSaved");
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << false << false;
    QTest::newRow("dismissed") << int(QMessageBox::NoButton) << false << false;
    QTest::newRow("No") << int(QMessageBox::No) << true << false;
    QTest::newRow("Yes") << int(QMessageBox::Yes) << true << true;
}

void TestMainForm::closeQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, slotClosed);
    QFETCH(bool, fileSaved);
    Session s;
    const QString a = s.makePlug(QStringLiteral("a.rdt"));
    const QByteArray before = testsupport::readFile(a);
    s.start({ a });
    s.modify(0);
    const QByteArray edited = s.store.slot(0)->image()->toByteArray();

    s.prompts.answers = { QMessageBox::StandardButton(answer) };
    QTest::mouseClick(s.button("CloseBitBtn"), Qt::LeftButton);
    QCOMPARE(s.prompts.shown.first().text, QStringLiteral("Unsaved code plug.\n\nSave before closing it ?"));
    QCOMPARE(s.prompts.shown.first().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(!s.store.slot(0)->isOpen(), slotClosed);
    QCOMPARE(testsupport::readFile(a), fileSaved ? edited : before);
    QCOMPARE(QFile::exists(s.settingsPath()), slotClosed);
    if (slotClosed) {
        QCOMPARE(s.store.slot(0)->fileName, QString());
        QVERIFY(!s.button("SaveBitBtn")->isEnabled());
    }
}

void TestMainForm::exitAsksPerUnsavedSlot()
{
    Session s;
    QStringList files;
    for (const char *name : { "a.rdt", "b.rdt", "c.rdt", "d.rdt" })
        files.append(s.makePlug(QString::fromLatin1(name)));
    const QByteArray dBefore = testsupport::readFile(files.at(3));
    MainForm &form = s.start(files);
    s.modify(1);
    s.modify(3);

    s.prompts.answers = { QMessageBox::Yes, QMessageBox::Cancel };
    QVERIFY(!form.close());
    QVERIFY(form.isVisible());
    QCOMPARE(s.prompts.texts(),
        (QStringList { QStringLiteral("Unsaved code plug 2.\n\nSave before exit ?"),
            QStringLiteral("Unsaved code plug 4.\n\nSave before exit ?") }));
    QVERIFY(!s.store.hasUnsavedChanges(1));
    QCOMPARE(testsupport::readFile(files.at(1)), s.store.slot(1)->image()->toByteArray());
    QCOMPARE(testsupport::readFile(files.at(3)), dBefore);

    // The next attempt asks only about slot 4.
    s.prompts.shown.clear();
    s.prompts.answers = { QMessageBox::No };
    QVERIFY(form.close());
    QCOMPARE(s.prompts.texts(), QStringList { QStringLiteral("Unsaved code plug 4.\n\nSave before exit ?") });
    QCOMPARE(s.prompts.unanswered, 0);
}

void TestMainForm::unwritableSettingsAreSaidOnceThenClose()
{
    Session s;
    const QString a = s.makePlug(QStringLiteral("a.rdt"));
    CodePlugStore store;
    const QString settings = s.path(QStringLiteral("missing/folder/editor.ini"));
    MainForm form(store, s.prompts, s.dialogs, settings);
    form.setScreenAreasProvider([] { return kLargeScreen; });
    form.startUp({ a });
    form.show();
    store.slot(0)->image()->setU8(lists::zones.nameFieldOffset(0), 'Q');
    s.prompts.answers = { QMessageBox::Yes };
    QVERIFY(form.close());
    QCOMPARE(s.prompts.texts(),
        (QStringList { QStringLiteral("Unable to write to ") + settings,
            QStringLiteral("Unsaved code plug 1.\n\nSave before exit ?") }));
    QCOMPARE(testsupport::readFile(a), store.slot(0)->image()->toByteArray());
}

void TestMainForm::newMakesAFreshCodePlug()
{
    const int model = 2;
    const int band = 3;
    Session s;
    const QString a = s.makePlug(QStringLiteral("a.rdt"));
    MainForm &form = s.start({ a });
    s.modify(0);
    s.store.slot(0)->history().closeStep(QStringLiteral("Edit"));
    int asked = 0;
    form.setNewPlugChooser([&](QWidget *) {
        ++asked;
        return std::optional<NewPlugChoice>(NewPlugChoice { model, band });
    });
    s.prompts.answers = { QMessageBox::No };
    QTest::mouseClick(s.button("NewBitBtn"), Qt::LeftButton);
    QCOMPARE(asked, 0);
    QCOMPARE(s.store.slot(0)->fileName, a);
    QCOMPARE(s.prompts.shown.last().text, QStringLiteral("Unsaved code plug.\n\nDiscard it ?"));

    s.prompts.answers = { QMessageBox::Yes };
    form.findChild<QAction *>(QStringLiteral("NewMenuItem"))->trigger();
    QCOMPARE(asked, 1);
    QCOMPARE(s.store.slot(0)->image()->toByteArray(), makeNewCodePlug(band, model).toByteArray());
    QVERIFY(s.store.slot(0)->fileName.isEmpty());
    QVERIFY(!s.store.slot(0)->history().canUndo());
    QCOMPARE(form.windowTitle(), s.caption(QStringLiteral("[*] ")));
}

void TestMainForm::emptySlotEmptiesEveryPage()
{
    Session s;
    const QString a = s.makePlug(QStringLiteral("a.rdt"));
    MainForm &form = s.start({ a });
    auto *zones = form.findChild<ZonesForm *>()->findChild<QTreeWidget *>(QStringLiteral("ListView"));
    QVERIFY(zones);
    QCOMPARE(zones->topLevelItemCount(), 1);
    for (int i = 0; i < MainForm::kTabCount; ++i)
        QVERIFY2(form.page(i)->isEnabled(), qPrintable(form.page(i)->objectName()));

    QTest::mouseClick(s.button("SlotButton3"), Qt::LeftButton);
    QCOMPARE(s.store.currentIndex(), 2);
    QVERIFY(s.button("SlotButton3")->isChecked());
    QVERIFY(!s.button("SlotButton1")->isChecked());
    for (const char *name : { "SaveBitBtn", "SaveAsBitBtn", "ReloadBitBtn", "CloseBitBtn" })
        QVERIFY2(!s.button(name)->isEnabled(), name);
    // The contacts page keeps its user-database half: only its contact list rests.
    auto *contacts = form.findChild<DigitalContactsForm *>();
    for (int i = 0; i < MainForm::kTabCount; ++i) {
        if (form.page(i) != contacts)
            QVERIFY2(!form.page(i)->isEnabled(), qPrintable(form.page(i)->objectName()));
    }
    QVERIFY(!contacts->findChild<QTreeWidget *>(QStringLiteral("ListView"))->isEnabled());
    QCOMPARE(zones->topLevelItemCount(), 0);
    QCOMPARE(form.windowTitle(), s.caption(QStringLiteral("[*] ")));

    // The menu's Save on an empty slot writes nothing; its Save As runs the dialog, then writes nothing.
    s.dialogs.saveNames = { s.path(QStringLiteral("x.rdt")) };
    s.form->saveCommand();
    s.form->saveAsCommand();
    QCOMPARE(s.dialogs.saveCalls, 1);
    QVERIFY(!QFile::exists(s.path(QStringLiteral("x.rdt"))));

    QTest::mouseClick(s.button("SlotButton1"), Qt::LeftButton);
    QCOMPARE(zones->topLevelItemCount(), 1);
    QVERIFY(s.button("SaveBitBtn")->isEnabled());
}

void TestMainForm::tabFromSettings_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("14") << "14" << 11;
    QTest::newRow("-1") << "-1" << 11;
    QTest::newRow("not a number") << "x" << 11;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("13") << "13" << 13;
}

void TestMainForm::tabFromSettings()
{
    QFETCH(QString, value);
    QFETCH(int, expected);
    Session s;
    s.writeSettings(QStringLiteral("[Misc]\nTab=%1\n").arg(value));
    s.start();
    QCOMPARE(s.tabs()->currentIndex(), expected);
}

void TestMainForm::closingSlotTwoDropsItsKey()
{
    Session s;
    const QString a = s.makePlug(QStringLiteral("a.rdt"));
    const QString b = s.makePlug(QStringLiteral("b.rdt"));
    s.start({ a, b });
    QTest::mouseClick(s.button("SlotButton2"), Qt::LeftButton);
    QTest::mouseClick(s.button("CloseBitBtn"), Qt::LeftButton);
    QVERIFY(s.prompts.shown.isEmpty());
    QSettings ini(s.settingsPath(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("CodePlug/File0")).toString(), a);
    QVERIFY(!ini.contains(QStringLiteral("CodePlug/File1")));
    QCOMPARE(s.button("SlotButton2")->toolTip(), QString());
}

void TestMainForm::escapeClosesWindow()
{
    Session s;
    MainForm &form = s.start();
    form.setFocus();
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QVERIFY(QFile::exists(s.settingsPath()));
}

void TestMainForm::placementFromSettingsIsAdjusted()
{
    Session s;
    s.writeSettings(QStringLiteral("[MainForm]\nTop=4\nLeft=-6\nWidth=500\nHeight=2000\n"));
    MainForm &form = s.start();
    QCOMPARE(QRect(form.pos(), form.size()), QRect(0, 0, 800, 1080));
}

void TestMainForm::pagesDestroyedInReverseOrder()
{
    Session s;
    s.start();
    QList<int> order;
    for (int i = 0; i < MainForm::kTabCount; ++i)
        connect(s.form->page(i), &QObject::destroyed, this, [&order, i] { order.append(i); });
    const int current = s.tabs()->currentIndex();
    s.form.reset();
    QCOMPARE(order, (QList<int> { 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0 }));
    QCOMPARE(current, MainForm::kChannelsTab);
}

void TestMainForm::pageSettingsRoundTrip()
{
    Session s;
    s.writeSettings(QStringLiteral("[Contacts]\nShowNo=1\nProtected_num=3\nProtected_0=5\nProtected_1=-7\n"
                                   "Protected_2=16777216\nCountry=Italy\n"
                                   "[Channels]\nProtected_num=2\nProtected_0=zeta\nProtected_1=Alpha\n"));
    MainForm &form = s.start();
    auto *contacts = form.findChild<DigitalContactsForm *>(QStringLiteral("DigitalContactsForm"));
    auto *channels = form.findChild<ChannelsForm *>(QStringLiteral("ChannelsForm"));
    QVERIFY(contacts && channels);
    QVERIFY(contacts->showNo());
    QCOMPARE(contacts->protectedIds().ids(), QList<qint64> { 5 });
    QCOMPARE(contacts->countryText(), QStringLiteral("Italy"));
    QCOMPARE(channels->protectedChannels().names(), (QStringList { QStringLiteral("Alpha"), QStringLiteral("zeta") }));

    contacts->protectedIds().append(3);
    QVERIFY(form.close());
    QSettings ini(s.settingsPath(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("Contacts/ShowNo")).toInt(), 1);
    QCOMPARE(ini.value(QStringLiteral("Contacts/Protected_num")).toInt(), 2);
    QCOMPARE(ini.value(QStringLiteral("Contacts/Protected_0")).toInt(), 3);
    QCOMPARE(ini.value(QStringLiteral("Contacts/Protected_1")).toInt(), 5);
    QCOMPARE(ini.value(QStringLiteral("Contacts/Country")).toString(), QStringLiteral("Italy"));
    QCOMPARE(ini.value(QStringLiteral("Channels/Protected_0")).toString(), QStringLiteral("Alpha"));
    QCOMPARE(ini.value(QStringLiteral("Channels/Protected_1")).toString(), QStringLiteral("zeta"));
}

void TestMainForm::pendingEditLandsInItsOwnSlot_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::newRow("slot switch") << QByteArray("SlotButton2");
    QTest::newRow("save") << QByteArray("SaveBitBtn");
}

// The panel's buttons take no focus, so a click on them does not end an edit by focus loss.
void TestMainForm::pendingEditLandsInItsOwnSlot()
{
    QFETCH(QByteArray, button);
    Session s;
    const QString a = s.makePlug(QStringLiteral("a.rdt"));
    const QString b = s.makePlug(QStringLiteral("b.rdt"));
    MainForm &form = s.start({ a, b });
    s.tabs()->setCurrentIndex(9);
    auto *zonesPage = form.findChild<ZonesForm *>();
    auto *zones = zonesPage->findChild<QTreeWidget *>(QStringLiteral("ListView"));
    const QPoint at = zones->visualRect(zones->model()->index(0, 2)).center();
    QTest::mouseClick(zones->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(zones->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    auto *edit = zonesPage->findChild<QLineEdit *>(QStringLiteral("listViewEdit"));
    QVERIFY(edit && edit->isVisible());
    QTest::keyClicks(edit, QStringLiteral("Renamed"));

    QTest::mouseClick(s.button(button.constData()), Qt::LeftButton);
    QCOMPARE(recordName(*s.store.slot(0)->image(), lists::zones, 0), QStringLiteral("Renamed"));
    QCOMPARE(recordName(*s.store.slot(1)->image(), lists::zones, 0), QStringLiteral("b.rdt"));
    if (button == "SaveBitBtn")
        QCOMPARE(testsupport::readFile(a), s.store.slot(0)->image()->toByteArray());
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
