#include "NewCodePlug.h"
#include "PageFixture.h"
#include "TextMessages.h"
#include "lists/EmergencySystemForm.h"
#include "settings/BasicForm.h"
#include "settings/GeneralForm.h"
#include "settings/MenusForm.h"
#include "settings/TextMessageForm.h"

using namespace codeplug;
using testsupport::bytesLike;
using testsupport::numbered;

namespace {

// One settings page over a store whose slot 1 holds a fresh code plug patched by `before`.
PageFixture open(const QString &page, const QString &before)
{
    FileImage image = makeNewCodePlug(2, 1);
    testsupport::patchBytes(image, before);
    if (page == QLatin1String("basic"))
        return PageFixture::of<BasicForm>(std::move(image));
    if (page == QLatin1String("general"))
        return PageFixture::of<GeneralForm>(std::move(image));
    if (page == QLatin1String("emergency"))
        return PageFixture::of<EmergencySystemForm>(std::move(image));
    return PageFixture::of<MenusForm>(std::move(image));
}

// What a control shows: a button "down" or "up", a list its entry, an edit its text.
QString shown(QWidget *control)
{
    if (auto *button = qobject_cast<QPushButton *>(control))
        return button->isChecked() ? QStringLiteral("down") : QStringLiteral("up");
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentText();
    return static_cast<QLineEdit *>(control)->text();
}

} // namespace

class TestSettingsPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // On a page with bytes `before`, a control showing `shownBefore` is clicked, given an entry or
    // typed into (over its whole text); then the bytes, what it shows and the message ("" for none).
    void controlsStoreBytes_data()
    {
        for (const char *column :
            { "page", "before", "control", "shownBefore", "action", "after", "shownAfter", "message" })
            QTest::addColumn<QString>(column);
        const auto row = [](const char *name, std::initializer_list<const char *> fields) {
            QTestData &data = QTest::newRow(name);
            for (const char *field : fields)
                data << QString::fromUtf8(field);
        };
        row("model with band 2",
            { "basic", "310=02", "RadioModelComboBox", "DR780 (DR-780)", "choose:D680 (D-680)",
                "293=44363830FF 309=10 312=00 313=00400047", "D680 (D-680)", "" });
        row("serial typed",
            { "basic", "", "SerialNumberEdit", "", "type:ab-12 c", "325=414231324300FFFF", "AB12C", "" });
        row("LEDs down is bit 0",
            { "general", "8869=00", "DisableAllLEDsSpeedButton", "down", "click", "8869=04", "up", "" });
        row("radio id refused",
            { "general", "8873=010000", "RadioIDEdit", "1", "type:16777216", "8873=999919", "1677721",
                "Invalid Radio ID number (General tab)" });
        row("pc password digits only",
            { "general", "", "PCProgrammingPasswordEdit", "", "type:12a345", "8901=313233343500FFFF", "12345", "" });
        row("menu 0x0C, GPS down",
            { "menus", "8985=0C", "UtilitiesGPSSpeedButton", "up", "click", "8985=04", "down", "" });
        row("emergency header toggle",
            { "emergency", "23701=F6", "RadioDisableDecodeSpeedButton", "up", "click", "23701=F7", "down", "" });
        row("emergency header drop-down",
            { "emergency", "", "TxWakeupMessageLimitComboBox", "1", "choose:3", "23704=03", "3", "" });
    }

    void controlsStoreBytes()
    {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(QString, action);
        QFETCH(QString, after);
        QFETCH(QString, message);
        QFETCH(QString, before);
        PageFixture fixture = open(page, before);
        QWidget *widget = fixture.page->findChild<QWidget *>(control);
        QTEST(shown(widget), "shownBefore");
        const QString argument = action.section(u':', 1);
        if (action == QLatin1String("click")) {
            QTest::mouseClick(widget, Qt::LeftButton);
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            QVERIFY(combo->findText(argument) >= 0);
            combo->setCurrentIndex(combo->findText(argument));
        } else {
            static_cast<QLineEdit *>(widget)->selectAll();
            QTest::keyClicks(widget, argument);
        }
        QCOMPARE(bytesLike(fixture.image(), after), after);
        QTEST(shown(widget), "shownAfter");
        QCOMPARE(fixture.prompts.texts(), message.isEmpty() ? QStringList() : QStringList { message });
        if (control == QLatin1String("RadioModelComboBox"))
            QCOMPARE(shown(fixture.child<QWidget>("FrequencyRangeEdit")), QStringLiteral("400MHz .. 470MHz"));
    }

    // One digit deleted leaves no password at once; Enter (power-on) or leaving the edit (programming)
    // says so and keeps the focus.
    void unfinishedPasswordSaysSoAndKeepsFocus()
    {
        for (const auto &[control, after, message] :
            { std::tuple { "PowerOnPasswordEdit", "8870=E0 8893=00000000",
                  "Power-On-Password must be 8 characters in length, or empty" },
                { "RadioProgramPasswordEdit", "8897=FFFFFFFF",
                    "Radio-Program password must be 8 characters in length, or empty" } }) {
            PageFixture fixture
                = open(QStringLiteral("general"), QStringLiteral("8870=C0 8893=12345678 8897=12345678"));
            auto *edit = fixture.child<QLineEdit>(control);
            fixture.page->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(fixture.page.get()));
            edit->setFocus();
            edit->end(false);
            QTest::keyClick(edit, Qt::Key_Backspace);
            QCOMPARE(bytesLike(fixture.image(), QLatin1String(after)), QLatin1String(after));
            QVERIFY(fixture.prompts.shown.isEmpty());
            if (edit->objectName() == QLatin1String("PowerOnPasswordEdit"))
                QTest::keyClick(edit, Qt::Key_Return);
            else
                fixture.child<QWidget>("RadioNameEdit")->setFocus();
            QTRY_VERIFY(edit->hasFocus());
            QCOMPARE(fixture.prompts.texts(), QStringList { QLatin1String(message) });
            QCOMPARE(edit->text(), QStringLiteral("1234567"));
        }
    }

    // The text messages page: an emptied message 7 stores "Message 7"; a double-click under the last row
    // adds a message and edits it. The deletion and its one-touch check are the core's.
    void textMessageEdits()
    {
        testsupport::ImageBuilder builder;
        builder.records(lists::textMessages, numbered(QStringLiteral("M"), 7));
        PageFixture p = PageFixture::of<TextMessageForm>(builder);
        p.doubleClick(6, 1);
        listclicks::type(p.edit(), QStringLiteral("\b\r"));
        p.settle();
        QTest::mouseDClick(p.list->viewport(), Qt::LeftButton, {}, QPoint(20, p.list->viewport()->height() - 4));
        p.settle();
        listclicks::type(p.edit(), QStringLiteral("Hi\r"));
        p.settle();
        const QStringList texts = numbered("M", 6) + QStringList { "Message 7", "Hi" };
        QCOMPARE(p.column(2), texts);
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(textMessageText(p.image(), i), texts.at(i));
    }
};

QTEST_MAIN(TestSettingsPages)
#include "tst_settingspages.moc"
