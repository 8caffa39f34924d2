#include "ChannelRecord.h"
#include "ContactFiles.h"
#include "ContactList.h"
#include "PageFixture.h"
#include "UserDatabase.h"
#include "contacts/DigitalContactsForm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTableView>

using namespace codeplug;

// What the contacts page adds to the list panel (its cell editors: tst_celleditors): the
// "Set to" entries, protection by ID, the "No" switch, its sort, the clipboard and contact files;
// and its user database half.
namespace {

enum Column { NoColumn = 1, NameColumn, IdColumn, TypeColumn, RxToneColumn, ProtectColumn };

// Contacts "C1".."C<count>" with IDs 101.. as group calls.
FileImage numbered(int count)
{
    testsupport::ImageBuilder builder;
    return numberedContacts(builder, count).image();
}

struct ContactsPage : PageFixture
{
    explicit ContactsPage(FileImage image)
        : PageFixture(std::move(image), [](const PageContext &c) { return new DigitalContactsForm(c, nullptr); })
        , form(as<DigitalContactsForm>())
    {
    }
    QStringList names() const { return testsupport::usedNames(image(), lists::contacts); }
    QList<int> allFlags() const
    {
        QList<int> result;
        for (int i = 0; i < contactCount(image()); ++i)
            result.append(image().u8(lists::contacts.recordOffset(i) + 3));
        return result;
    }

    DigitalContactsForm *form;
};

// Three database entries and their cache, in the fixture's folder.
void writeDatabaseCache(const QTemporaryDir &dir)
{
    DmrUserList list;
    list.append(DmrUserEntry { 2621001, { "DL1XYZ", "Otto", "", "Hamburg", "", "Germany" } });
    list.append(DmrUserEntry { 2627654, { "DL1ABC", "Hans Peter", "", "Berlin", "", "Germany" } });
    list.append(DmrUserEntry { 3100002, { "K1ABC", "", "Bud", "Boston", "MA", "United States" } });
    QCOMPARE(writeUserCache(list, dir.filePath(QLatin1String(UserDatabase::kDatabaseCache))), int(UserDbOk));
}

struct DatabaseHalf
{
    explicit DatabaseHalf(PageFixture &fixture)
        : form(fixture.as<DigitalContactsForm>())
        , view(fixture.child<QTableView>("DatabaseListView"))
        , add(fixture.button("AddToContactsBitBtn"))
    {
        writeDatabaseCache(fixture.dir);
        form->databasePanel()->setDataFolder(fixture.dir.path());
        form->pageShown();
        PageFixture::settle();
    }
    QStringList ids() const
    {
        QStringList texts;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            texts.append(view->model()->index(row, 1).data().toString());
        return texts;
    }
    void clickRows(const QList<int> &rows) const
    {
        for (int row : rows) {
            const QPoint at = view->visualRect(view->model()->index(row, 2)).center();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
        }
        PageFixture::settle();
    }

    DigitalContactsForm *form;
    QTableView *view;
    QPushButton *add;
};

} // namespace

class TestDigitalContactsForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Protection belongs to the ID, in every slot.
    void protectToggleFollowsId()
    {
        FileImage image = numbered(4);
        setContactId(image, 1, 2345);
        setContactId(image, 3, 2345);
        ContactsPage p(image);
        p.doubleClick(1, ProtectColumn);
        QCOMPARE(p.form->protectedIds().ids(), QList<qint64>({ 2345 }));
        QCOMPARE(p.column(ProtectColumn), QStringList({ "", "Yes", "", "Yes" }));

        FileImage other = numbered(2);
        setContactId(other, 0, 2345);
        p.store.setImage(1, std::make_unique<FileImage>(std::move(other)));
        p.store.setCurrentIndex(1);
        p.page->pageRefresh();
        QCOMPARE(p.column(ProtectColumn), QStringList({ "Yes", "" }));
        p.doubleClick(0, ProtectColumn);
        QVERIFY(p.form->protectedIds().ids().isEmpty());
        QCOMPARE(p.cell(0, ProtectColumn), QString());
    }

    void showNoKeepsFirstVisibleRow()
    {
        ContactsPage p(numbered(200));
        QCOMPARE(p.cell(0, RxToneColumn), QString());
        listview::scrollToRow(p.list, 40);
        const int top = p.list->indexAt(QPoint(1, 1)).row();
        QVERIFY(top > 0);
        p.select({ 0, 45 });
        QTest::mouseClick(p.button("ShowNoSpeedButton"), Qt::LeftButton);
        p.settle();
        QCOMPARE(p.cell(0, RxToneColumn), QStringLiteral("No"));
        QCOMPARE(p.cell(199, ProtectColumn), QStringLiteral("No"));
        QCOMPARE(p.list->indexAt(QPoint(1, 1)).row(), top);
        // The refill rebuilds the rows: a refill that keeps a lower first row selects nothing.
        QCOMPARE(p.selected(), QList<int>());
    }

    // The "Set to" entries write the selected rows only.
    void setToCommandsOverSelection()
    {
        ContactsPage p(numbered(5));
        p.select({ 1, 3 });
        for (const char *entry : { "SetToPrivateCall1", "SetToRxTone1", "SetToProtected1" })
            p.action(entry)->trigger();
        QCOMPARE(p.allFlags(), QList<int>({ 0xC1, 0xE2, 0xC1, 0xE2, 0xC1 }));
        QCOMPARE(p.form->protectedIds().ids(), QList<qint64>({ 102, 104 }));

        p.select({ 3, 4 });
        for (const char *entry : { "SetToAllCall1", "SetToNoRxTone1", "SetToUnprotected1" })
            p.action(entry)->trigger();
        QCOMPARE(p.allFlags(), QList<int>({ 0xC1, 0xE2, 0xC1, 0xC3, 0xC3 }));
        QCOMPARE(p.column(ProtectColumn), QStringList({ "", "Yes", "", "", "" }));
        p.action("SetToGroupCall1")->trigger();
        QCOMPARE(p.allFlags(), QList<int>({ 0xC1, 0xE2, 0xC1, 0xC1, 0xC1 }));
    }

    // The wording and what the answer does are the core's and the panel's; here: this page's caption,
    // and the Delete key passing over protected contacts without a word.
    void deleteRefusalAndProtected()
    {
        testsupport::ImageBuilder builder;
        numberedContacts(builder, 6).named(lists::channels, 0, QStringLiteral("Ch 1"));
        setChannelField(builder.image(), 0, channelfields::mode, int(ChannelMode::Digital));
        setChannelU16(builder.image(), 0, channeloffsets::contact, 2);
        ContactsPage p(builder.image());
        p.form->protectedIds().add(104);
        p.prompts.answers = { QMessageBox::Ok };
        p.select({ 1, 2, 3 });
        QTest::keyClick(p.list, Qt::Key_Delete);
        p.settle();
        QCOMPARE(p.names(), QStringList({ "C1", "C2", "C4", "C5", "C6" }));
        QCOMPARE(p.prompts.texts(),
            QStringList({ "Cannot delete contact \"C2\".\n\nIt's used in channel \"Ch 1\" setting" }));
        QCOMPARE(p.prompts.shown.first().caption, QStringLiteral("Opps"));
    }

    void headerClickSorts()
    {
        testsupport::ImageBuilder builder;
        const QStringList names { "delta", "Bravo", "alpha", "Charlie", "bravo" };
        for (int i = 0; i < names.size(); ++i)
            writeContact(builder.image(), i, std::uint32_t(50 - 10 * i), GroupCall, false, names.at(i));
        ContactsPage p(builder.image());
        p.form->protectedIds().add(20);
        p.clickHeader(NameColumn);
        // The protected contact first, then by name; "Bravo" and "bravo" keep their order.
        QCOMPARE(p.column(NameColumn), QStringList({ "Charlie", "alpha", "Bravo", "bravo", "delta" }));
        QCOMPARE(p.selected(), QList<int>({ 0 }));
    }

    // Which records land where is the core's; here: the page's clipboard type and its selection after
    // a paste.
    void copyAndPaste()
    {
        ContactsPage p(numbered(8));
        p.select({ 0, 1, 2 });
        p.action("Copy1")->trigger();
        QCOMPARE(
            QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("application/x-dmr_code_plug_contact_entry")),
            copyContacts(p.image(), { 0, 1, 2 }));
        p.select({ 6, 7 });
        p.action("PasteOver1")->trigger();
        p.settle();
        QCOMPARE(p.column(NameColumn).mid(6), QStringList({ "C1", "C2" }));
        QCOMPARE(p.selected(), QList<int>({ 0 })); // a refill from the top row
    }

    // The file formats and their messages are the core's (tst_contactfiles); here: the dialog's filters
    // choose the extension, and a refusal reaches a message box.
    void exportThroughDialog_data()
    {
        for (const char *column : { "filter", "typed", "written" }) // written empty: refused
            QTest::addColumn<QString>(column);
        const auto row = [](const char *name, const char *filter, const char *typed, const char *written) {
            QTest::newRow(name) << QString::fromLatin1(filter) << QString::fromLatin1(typed)
                                << QString::fromLatin1(written);
        };
        row("txt filter, other extension", "Text files (*.txt)", "list.csv", "list.csv.txt");
        row("csv, upper-case kept", "CSV files (*.csv)", "list.CSV", "list.CSV");
        row("all files, unknown refused", "All files (*)", "list.dat", "");
    }

    void exportThroughDialog()
    {
        QFETCH(QString, filter);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        ContactsPage p(numbered(1));
        p.dialogs.saveNames = { p.dir.filePath(typed) };
        p.dialogs.chosenFilter = filter;
        QTest::mouseClick(p.button("ExportButton"), Qt::LeftButton);
        QCOMPARE(p.dialogs.lastPreselectedFilter + u'|' + p.dialogs.lastFilter,
            QStringLiteral("CSV files (*.csv)|Text files (*.txt);;CSV files (*.csv);;All files (*)"));
        QCOMPARE(
            QDir(p.dir.path()).entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList { written });
        QCOMPARE(p.prompts.shown.size(), written.isEmpty() ? 1 : 0);
        for (const ScriptedPrompts::Shown &box : p.prompts.shown)
            QVERIFY(box.caption == "Error" && box.icon == QMessageBox::Critical);
    }

    // The summary, the full list's message and the page's protected IDs reach the import.
    void importThroughDialog()
    {
        ContactsPage p(numbered(995));
        p.form->protectedIds().add(102);
        QByteArray lines = "contacts\r\n101,Renamed,-\r\n102,Kept,-\r\n";
        for (int i = 0; i < 8; ++i)
            lines += QByteArray::number(5000 + i) + ",New " + QByteArray::number(i) + ",-\r\n";
        p.dialogs.openNames = { testsupport::writeFile(p.dir, QStringLiteral("in.csv"), lines) };
        QTest::mouseClick(p.button("ImportButton"), Qt::LeftButton);
        QCOMPARE(p.dialogs.lastPreselectedFilter, QStringLiteral("CSV files (*.csv)"));
        QCOMPARE(p.names().mid(0, 2), QStringList({ "Renamed", "C2" }));
        QCOMPARE(p.prompts.notices, QStringList { "5 contacts added, 1 updated" });
        QCOMPARE(p.cell(999, NameColumn), QStringLiteral("New 4"));
        QCOMPARE(p.prompts.texts(), QStringList { kContactListFullMessage });
        QCOMPARE(p.prompts.shown.first().icon, QMessageBox::Critical);
    }

    // The user database half.
    void countryAndMaskFilter()
    {
        PageFixture fixture = PageFixture::of<DigitalContactsForm>(testsupport::ImageBuilder());
        DatabaseHalf half(fixture);
        QCOMPARE(half.ids(), (QStringList { "2621001", "2627654", "3100002" }));
        auto *country = fixture.child<QComboBox>("CountryFilterComboBox");
        country->setFocus();
        QTest::keyClick(country, Qt::Key_Down);
        QCOMPARE(country->currentText(), QStringLiteral("Germany"));
        QCOMPARE(half.ids(), (QStringList { "2621001", "2627654" }));

        auto *mask = fixture.child<QLineEdit>("DatabaseSearchEdit");
        QTest::keyClicks(mask, QStringLiteral("BERLIN"));
        QCOMPARE(half.ids().size(), 2); // the search waits for a pause in typing
        QTest::keyClick(mask, Qt::Key_Return);
        QCOMPARE(half.ids(), QStringList { "2627654" });
        QCOMPARE(fixture.child<QLabel>("DatabaseTitleLabel")->text(), QStringLiteral("DMR Ham Database  .. 1"));

        // The settings file may hand the country over after the caches were read (the tab it selects
        // may show the page first): the list follows it all the same.
        mask->clear();
        half.form->setCountryText(QStringLiteral("United States"));
        QCOMPARE(country->currentText(), QStringLiteral("United States"));
        QCOMPARE(half.ids(), QStringList { "3100002" });
    }

    void addOverwritesUnprotectedAndKeepsProtected()
    {
        testsupport::ImageBuilder builder;
        writeContact(builder.image(), 1, 2627654, GroupCall, true, QStringLiteral("Old Hans"));
        writeContact(builder.image(), 2, 2621001, GroupCall, false, QStringLiteral("Kept Otto"));
        PageFixture fixture = PageFixture::of<DigitalContactsForm>(builder);
        fixture.as<DigitalContactsForm>()->protectedIds().add(2621001);
        const QByteArray kept = contactRecordBytes(fixture.image(), 2);
        DatabaseHalf half(fixture);
        QVERIFY(!half.add->isEnabled()); // nothing selected
        half.clickRows({ 0, 1, 2 });
        QTest::mouseClick(half.add, Qt::LeftButton);

        // The records written are the core's (tst_userdatabase); here: the page's protected list and refill.
        QCOMPARE(contactRecordBytes(fixture.image(), 2), kept);
        QCOMPARE(fixture.list->topLevelItemCount(), 4);
        QCOMPARE(fixture.cell(1, 2), QStringLiteral("DL1ABC Hans"));
    }

    // With an entry selected: no code plug or a full contact list leave nothing to add to.
    void addButtonEnabling()
    {
        for (const int contacts : { -1, 999, 1000 }) {
            testsupport::ImageBuilder builder;
            numberedContacts(builder, std::max(contacts, 0));
            PageFixture fixture = contacts < 0 ? PageFixture::of<DigitalContactsForm>(std::nullopt)
                                               : PageFixture::of<DigitalContactsForm>(builder);
            DatabaseHalf half(fixture);
            half.clickRows({ 1 });
            QVERIFY2(half.add->isEnabled() == (contacts == 999), qPrintable(QString::number(contacts)));
        }
    }
};

QTEST_MAIN(TestDigitalContactsForm)
#include "tst_digitalcontactsform.moc"
