#include "ChannelRecord.h"
#include "ContactFiles.h"
#include "ContactList.h"
#include "ContactRows.h"
#include "PageFixture.h"
#include "contacts/DigitalContactsForm.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

using namespace codeplug;

// What the contacts page adds to the list panel: its cells and their double-click actions, the
// "Set to" entries, protection by ID, the "No" switch, sorting by a column title, the clipboard
// and contact files.
namespace {

enum Column { NoColumn = 1, NameColumn, IdColumn, TypeColumn, RxToneColumn, ProtectColumn };

struct NewContact
{
    QString name;
    std::uint32_t id = 0;
    int type = GroupCall;
    bool rxTone = false;
};

QList<NewContact> numbered(int count)
{
    QList<NewContact> contacts;
    for (int i = 0; i < count; ++i)
        contacts.append({ QStringLiteral("C%1").arg(i + 1), std::uint32_t(101 + i), GroupCall, false });
    return contacts;
}

FileImage imageWith(const QList<NewContact> &contacts)
{
    testsupport::ImageBuilder builder;
    for (int i = 0; i < int(contacts.size()); ++i) {
        const NewContact &c = contacts.at(i);
        writeContact(builder.image(), i, c.id, c.type, c.rxTone, c.name);
    }
    return builder.image();
}

// The contacts page over slot 1 holding the given contacts (or the given image).
struct ContactsPage : PageFixture
{
    explicit ContactsPage(const QList<NewContact> &contacts)
        : ContactsPage(imageWith(contacts))
    {
    }
    explicit ContactsPage(FileImage image)
        : PageFixture(std::move(image), [](const PageContext &c) { return new DigitalContactsForm(c, nullptr); })
        , form(as<DigitalContactsForm>())
    {
    }
    QStringList names() const
    {
        QStringList result;
        for (int i = 0; i < contactCount(image()); ++i)
            result.append(contactName(image(), i));
        return result;
    }
    int flags(int row) const { return image().u8(lists::contacts.recordOffset(row) + 3); }
    QList<int> allFlags() const
    {
        QList<int> result;
        for (int i = 0; i < contactCount(image()); ++i)
            result.append(flags(i));
        return result;
    }

    DigitalContactsForm *form;
};

} // namespace

class TestDigitalContactsForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QGuiApplication::clipboard()->clear(); }

    void columnsAndCells();
    void cellToggles_data();
    void cellToggles();
    void protectToggleFollowsId();
    void showNoKeepsFirstVisibleRow();
    void idEditor_data();
    void idEditor();
    void setToCommandsOverSelection();
    void deleteWithRefusals();
    void deleteKeySkipsProtected();
    void headerClickSorts();
    void copyAndPaste();
    void exportThroughDialog_data();
    void exportThroughDialog();
    void importThroughDialog();
};

void TestDigitalContactsForm::columnsAndCells()
{
    ContactsPage p({ { QStringLiteral("Local"), 9, GroupCall, true },
        { QStringLiteral("PA1ABC Jan"), 2345678, PrivateCall }, { QStringLiteral("All"), 16777215, AllCall } });
    QStringList titles;
    for (int i = 1; i < p.list->columnCount(); ++i)
        titles.append(p.list->headerItem()->text(i));
    QCOMPARE(titles, QStringList({ "No.", "Name", "ID", "Type", "Rx Tone", "Protect" }));
    QCOMPARE(p.column(NameColumn), QStringList({ "Local", "PA1ABC Jan", "All" }));
    QCOMPARE(p.column(IdColumn), QStringList({ "9", "2345678", "16777215" }));
    QCOMPARE(p.column(TypeColumn), QStringList({ "Group call", "Private call", "All call" }));
    QCOMPARE(p.column(RxToneColumn), QStringList({ "Yes", "", "" }));
}

// The call-type cycle and the kept flag bits are the core's (tst_contactrecord); here: the cells write
// through them, leave the neighbours alone and open no editor.
void TestDigitalContactsForm::cellToggles_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("before"); // flags byte of the contact
    QTest::addColumn<int>("after");
    QTest::addColumn<QString>("text");
    QTest::newRow("group to private") << int(TypeColumn) << 0xC1 << 0xC2 << "Private call";
    QTest::newRow("unknown with tone and bits 3, 4") << int(TypeColumn) << 0xFE << 0xF9 << "Group call";
    QTest::newRow("rx tone on") << int(RxToneColumn) << 0xC1 << 0xE1 << "Yes";
    QTest::newRow("rx tone off") << int(RxToneColumn) << 0xE2 << 0xC2 << "";
    QTest::newRow("number: nothing") << int(NoColumn) << 0xC1 << 0xC1 << "2";
}

void TestDigitalContactsForm::cellToggles()
{
    QFETCH(int, column);
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(QString, text);
    FileImage image = imageWith(numbered(2));
    image.setU8(lists::contacts.recordOffset(1) + 3, std::uint8_t(before));
    ContactsPage p(image);
    p.doubleClick(1, column);
    QCOMPARE(p.flags(1), after);
    QCOMPARE(p.cell(1, column), text);
    QCOMPARE(p.flags(0), 0xC1);
    QVERIFY(!p.edit()->isVisible());
}

void TestDigitalContactsForm::protectToggleFollowsId()
{
    QList<NewContact> contacts = numbered(4);
    contacts[1].id = 2345;
    contacts[3].id = 2345;
    ContactsPage p(contacts);
    QList<NewContact> other = numbered(2);
    other[0].id = 2345;
    p.store.setImage(1, std::make_unique<FileImage>(imageWith(other)));

    p.doubleClick(1, ProtectColumn);
    QCOMPARE(p.form->protectedIds().ids(), QList<qint64>({ 2345 }));
    QCOMPARE(p.cell(1, ProtectColumn), QStringLiteral("Yes"));
    QCOMPARE(p.cell(3, ProtectColumn), QStringLiteral("Yes"));
    QCOMPARE(p.cell(0, ProtectColumn), QString());

    p.store.setCurrentIndex(1);
    p.page->pageRefresh();
    QCOMPARE(p.cell(0, ProtectColumn), QStringLiteral("Yes"));
    QCOMPARE(p.cell(1, ProtectColumn), QString());

    p.doubleClick(0, ProtectColumn);
    QVERIFY(p.form->protectedIds().ids().isEmpty());
    QCOMPARE(p.cell(0, ProtectColumn), QString());
}

void TestDigitalContactsForm::showNoKeepsFirstVisibleRow()
{
    ContactsPage p(numbered(200));
    QCOMPARE(p.cell(0, RxToneColumn), QString());
    listview::scrollToRow(p.list, 40);
    const int top = p.list->indexAt(QPoint(1, 1)).row();
    QVERIFY(top > 0);

    p.select({ 0, 45 });
    QTest::mouseClick(p.button("ShowNoSpeedButton"), Qt::LeftButton);
    p.settle();
    QVERIFY(p.button("ShowNoSpeedButton")->isChecked());
    QCOMPARE(p.cell(0, RxToneColumn), QStringLiteral("No"));
    QCOMPARE(p.cell(199, ProtectColumn), QStringLiteral("No"));
    QCOMPARE(p.list->indexAt(QPoint(1, 1)).row(), top);
    // The refill rebuilds the rows: a refill that keeps a lower first row selects nothing.
    QCOMPARE(p.selected(), QList<int>());

    // The settings file hands the value over as well.
    p.form->setShowNo(false);
    p.settle();
    QVERIFY(!p.button("ShowNoSpeedButton")->isChecked());
    QCOMPARE(p.cell(0, RxToneColumn), QString());
}

void TestDigitalContactsForm::idEditor_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("bytes");
    const auto row = [](const char *name, const char *typed, const char *shown, const char *hex) {
        QTest::newRow(name) << QString::fromLatin1(typed) << QString::fromLatin1(shown) << QByteArray::fromHex(hex);
    };
    row("largest", "16777215", "16777215", "ffffff");
    row("letters dropped", "12a3b", "123", "7b0000");
    row("nine digits cut", "123456789", "12345678", "4e61bc");
    row("empty", "", "102", "660000");
}

void TestDigitalContactsForm::idEditor()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QByteArray, bytes);
    ContactsPage p(numbered(3));
    p.doubleClick(1, IdColumn);
    QLineEdit *edit = p.edit();
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->text(), QStringLiteral("102"));
    edit->clear();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(p.cell(1, IdColumn), shown);
    QCOMPARE(contactRecordBytes(p.image(), 1).left(3), bytes);
    QCOMPARE(p.flags(1), 0xC1);
}

// The "Set to" entries write the selected rows only; the cells follow the flags (see cellToggles).
void TestDigitalContactsForm::setToCommandsOverSelection()
{
    ContactsPage p(numbered(5));
    p.select({ 1, 3 });
    for (const char *entry : { "SetToPrivateCall1", "SetToRxTone1", "SetToProtected1" })
        p.action(entry)->trigger();
    QCOMPARE(p.allFlags(), QList<int>({ 0xC1, 0xE2, 0xC1, 0xE2, 0xC1 }));
    QCOMPARE(p.column(ProtectColumn), QStringList({ "", "Yes", "", "Yes", "" }));
    QCOMPARE(p.form->protectedIds().ids(), QList<qint64>({ 102, 104 }));

    p.select({ 3, 4 });
    for (const char *entry : { "SetToAllCall1", "SetToNoRxTone1", "SetToUnprotected1" })
        p.action(entry)->trigger();
    QCOMPARE(p.allFlags(), QList<int>({ 0xC1, 0xE2, 0xC1, 0xC3, 0xC3 }));
    QCOMPARE(p.form->protectedIds().ids(), QList<qint64>({ 102 }));
    QCOMPARE(p.cell(3, ProtectColumn), QString());
    p.action("SetToGroupCall1")->trigger();
    QCOMPARE(p.allFlags(), QList<int>({ 0xC1, 0xE2, 0xC1, 0xC1, 0xC1 }));
}

// What Cancel does is the panel's (tst_emergencysystemform); here: the wording, and OK going on.
void TestDigitalContactsForm::deleteWithRefusals()
{
    testsupport::ImageBuilder builder;
    numberedContacts(builder, 5);
    for (int channel : { 0, 1 }) {
        builder.named(lists::channels, channel, QStringLiteral("Ch %1").arg(channel + 1));
        setChannelField(builder.image(), channel, channelfields::mode, int(ChannelMode::Digital));
    }
    setChannelU16(builder.image(), 0, channeloffsets::contact, 2);
    setChannelU16(builder.image(), 1, channeloffsets::contact, 4);
    ContactsPage p(builder.image());
    p.prompts.answers = { QMessageBox::Ok, QMessageBox::Ok };

    p.select({ 1, 2, 3 });
    QTest::mouseClick(p.button("DeleteBitBtn"), Qt::LeftButton);
    p.settle();
    QCOMPARE(p.names(), QStringList({ "C1", "C2", "C4", "C5" }));
    QCOMPARE(p.column(NameColumn), p.names());
    QCOMPARE(p.prompts.texts(),
        QStringList({ "Cannot delete contact \"C2\".\n\nIt's used in channel \"Ch 1\" setting",
            "Cannot delete contact \"C4\".\n\nIt's used in channel \"Ch 2\" setting" }));
    const ScriptedPrompts::Shown &first = p.prompts.shown.first();
    QCOMPARE(first.caption, QStringLiteral("Opps"));
    QCOMPARE(first.icon, QMessageBox::Information);
    QCOMPARE(first.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(p.selected(), QList<int>({ 3 }));
}

void TestDigitalContactsForm::deleteKeySkipsProtected()
{
    ContactsPage p(numbered(6));
    p.form->protectedIds().add(102);
    p.select({ 0, 1, 2 });
    p.list->setFocus();
    QTest::keyClick(p.list, Qt::Key_Delete);
    QCOMPARE(p.names(), QStringList({ "C2", "C4", "C5", "C6" }));
    QVERIFY(p.prompts.shown.isEmpty());
    QCOMPARE(p.title(), QStringLiteral("Contacts .. used 4 of 1000. 1 selected. "));
    QCOMPARE(p.selected(), QList<int>({ 2 }));
}

void TestDigitalContactsForm::headerClickSorts()
{
    ContactsPage p({ { QStringLiteral("delta"), 40 }, { QStringLiteral("Bravo"), 20, PrivateCall },
        { QStringLiteral("alpha"), 30 }, { QStringLiteral("Charlie"), 10, AllCall }, { QStringLiteral("bravo"), 50 } });
    p.form->protectedIds().add(30);
    p.clickHeader(NameColumn);
    // The protected contact first, then by name; "Bravo" and "bravo" keep their order.
    QCOMPARE(p.column(NameColumn), QStringList({ "alpha", "Bravo", "bravo", "Charlie", "delta" }));
    QCOMPARE(p.selected(), QList<int>({ 0 }));

    // The sort per column title is the core's; the number column's title sorts nothing.
    p.clickHeader(NoColumn);
    QCOMPARE(p.names(), QStringList({ "alpha", "Bravo", "bravo", "Charlie", "delta" }));
}

void TestDigitalContactsForm::copyAndPaste()
{
    ContactsPage p(numbered(8));
    p.select({ 0, 1, 2 });
    p.action("Copy1")->trigger();
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    QByteArray expected = QByteArray::fromHex("03000000");
    for (int row = 0; row < 3; ++row)
        expected += contactRecordBytes(p.image(), row);
    QCOMPARE(mime->data(QStringLiteral("application/x-dmr_code_plug_contact_entry")), expected);

    p.select({ 3, 4, 5, 6, 7 });
    p.action("PasteOver1")->trigger();
    p.settle();
    QCOMPARE(p.names(), QStringList({ "C1", "C2", "C3", "C1", "C2", "C3", "C1", "C2" }));
    QCOMPARE(p.cell(7, IdColumn), QStringLiteral("102"));
    // A refill from the top row: it selects the first contact.
    QCOMPARE(p.selected(), QList<int>({ 0 }));

    // Into another slot's list as new contacts.
    p.store.setImage(1, std::make_unique<FileImage>(imageWith(numbered(2))));
    p.store.setCurrentIndex(1);
    p.page->pageRefresh();
    p.action("PasteNew1")->trigger();
    p.settle();
    QCOMPARE(contactCount(*p.store.slot(1)->image()), 5);
    QCOMPARE(contactRecordBytes(p.image(), 4), contactRecordBytes(*p.store.slot(0)->image(), 2));
    QCOMPARE(p.list->topLevelItemCount(), 5);
    // A refill that scrolls to the first pasted contact selects nothing.
    QCOMPARE(p.selected(), QList<int>());
    QCOMPARE(p.title(), QStringLiteral("Contacts .. used 5 of 1000. "));
}

// The file formats and their messages are the core's (tst_contactfiles); here: the dialog's filters
// choose the extension, and a refusal reaches a message box.
void TestDigitalContactsForm::exportThroughDialog_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written"); // empty: refused
    const auto row = [](const char *name, const char *filter, const char *typed, const char *written) {
        QTest::newRow(name) << QString::fromLatin1(filter) << QString::fromLatin1(typed)
                            << QString::fromLatin1(written);
    };
    row("txt filter adds .txt", "Text files (*.txt)", "list", "list.txt");
    row("txt filter, other extension", "Text files (*.txt)", "list.csv", "list.csv.txt");
    row("csv, upper-case kept", "CSV files (*.csv)", "list.CSV", "list.CSV");
    row("all files, unknown refused", "All files (*)", "list.dat", "");
    row("cancelled", "CSV files (*.csv)", "", "");
}

void TestDigitalContactsForm::exportThroughDialog()
{
    QFETCH(QString, filter);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    ContactsPage p({ { QStringLiteral("Local"), 9 } });
    if (!typed.isEmpty())
        p.dialogs.saveNames = { p.dir.filePath(typed) };
    p.dialogs.chosenFilter = filter;
    QTest::mouseClick(p.button("ExportButton"), Qt::LeftButton);
    QCOMPARE(p.dialogs.lastPreselectedFilter, QStringLiteral("CSV files (*.csv)"));
    QCOMPARE(p.dialogs.lastFilter, QStringLiteral("Text files (*.txt);;CSV files (*.csv);;All files (*)"));
    QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList { written });
    const bool refused = written.isEmpty() && !typed.isEmpty();
    QCOMPARE(p.prompts.shown.size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(p.prompts.shown.first().caption, QStringLiteral("Error"));
        QCOMPARE(p.prompts.shown.first().icon, QMessageBox::Critical);
    }
}

void TestDigitalContactsForm::importThroughDialog()
{
    ContactsPage p(numbered(995));
    QByteArray lines = "contacts\r\n101,Renamed,-\r\n";
    for (int i = 0; i < 8; ++i)
        lines += QByteArray::number(5000 + i) + ",New " + QByteArray::number(i) + ",-\r\n";
    const QString file = testsupport::writeFile(p.dir, QStringLiteral("in.csv"), lines);
    p.dialogs.openNames = { file };
    QTest::mouseClick(p.button("ImportButton"), Qt::LeftButton);
    QCOMPARE(p.dialogs.lastPreselectedFilter, QStringLiteral("CSV files (*.csv)"));
    QCOMPARE(contactName(p.image(), 0), QStringLiteral("Renamed"));
    QCOMPARE(p.prompts.notices, QStringList { "5 contacts added, 1 updated" });
    QCOMPARE(p.list->topLevelItemCount(), kMaxContacts);
    QCOMPARE(p.cell(999, NameColumn), QStringLiteral("New 4"));
    QCOMPARE(p.prompts.texts(), QStringList { kContactListFullMessage });
    QCOMPARE(p.prompts.shown.first().icon, QMessageBox::Critical);

    // Protected IDs are left alone; a file that cannot be opened is reported.
    ContactsPage q(numbered(2));
    q.form->protectedIds().add(101);
    q.dialogs.openNames = { file, q.dir.filePath(QStringLiteral("missing.csv")) };
    q.button("ImportButton")->click();
    QCOMPARE(contactName(q.image(), 0), QStringLiteral("C1"));
    QCOMPARE(contactCount(q.image()), 10);
    QVERIFY(q.prompts.shown.isEmpty());
    q.button("ImportButton")->click();
    QCOMPARE(q.prompts.texts(), QStringList({ "Could not open the file" }));
}

QTEST_MAIN(TestDigitalContactsForm)
#include "tst_digitalcontactsform.moc"
