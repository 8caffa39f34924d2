#include "ContactList.h"
#include "PageFixture.h"
#include "UserDatabase.h"
#include "contacts/DigitalContactsForm.h"

#include <QComboBox>
#include <QTableView>

using namespace codeplug;

namespace {

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

class TestUserDatabasePanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countryAndMaskFilter()
    {
        PageFixture fixture = PageFixture::of<DigitalContactsForm>(testsupport::ImageBuilder());
        DatabaseHalf half(fixture);
        QCOMPARE(half.ids(), (QStringList { "2621001", "2627654", "3100002" }));
        auto *country = fixture.child<QComboBox>("CountryFilterComboBox");
        QCOMPARE(country->count(), 3); // All, Germany, United States
        country->setFocus();
        QTest::keyClick(country, Qt::Key_Down);
        QCOMPARE(country->currentText(), QStringLiteral("Germany"));
        QCOMPARE(half.ids(), (QStringList { "2621001", "2627654" }));
        QCOMPARE(half.form->countryText(), QStringLiteral("Germany"));

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
        QVERIFY(half.add->isEnabled());
        QTest::mouseClick(half.add, Qt::LeftButton);

        // The records written are the core's (tst_userdatabase); here: the page's protected list and refill.
        QCOMPARE(contactCount(fixture.image()), 4);
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

QTEST_MAIN(TestUserDatabasePanel)
#include "tst_userdatabasepanel.moc"
