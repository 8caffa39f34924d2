#include "NewCodePlug.h"
#include "PageFixture.h"
#include "settings/BasicForm.h"
#include "settings/GeneralForm.h"
#include "settings/MenusForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace codeplug;
using testsupport::bytesLike;
using testsupport::patchBytes;

namespace {

// One settings page over a store whose slot 1 holds a fresh code plug patched by `before`.
PageFixture open(const QString &page, const QString &before)
{
    FileImage image = makeNewCodePlug(2, 1);
    patchBytes(image, before);
    if (page == QLatin1String("basic"))
        return PageFixture::of<BasicForm>(std::move(image));
    if (page == QLatin1String("general"))
        return PageFixture::of<GeneralForm>(std::move(image));
    return PageFixture::of<MenusForm>(std::move(image));
}

// What a control shows: a button "down" or "up", a list its entry ("" for none), an edit its text.
QString shown(QWidget *control)
{
    if (auto *button = qobject_cast<QPushButton *>(control))
        return button->isChecked() ? QStringLiteral("down") : QStringLiteral("up");
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentText();
    return static_cast<QLineEdit *>(control)->text();
}

// "click", "choose:ENTRY" or "type:TEXT" (over the whole text), as the user does it.
void act(QWidget *control, const QString &action)
{
    const QString argument = action.section(u':', 1);
    if (action == QLatin1String("click")) {
        QTest::mouseClick(control, Qt::LeftButton);
    } else if (action.startsWith(QLatin1String("choose:"))) {
        auto *combo = static_cast<QComboBox *>(control);
        QVERIFY(combo->findText(argument) >= 0);
        combo->setCurrentIndex(combo->findText(argument));
    } else {
        auto *edit = static_cast<QLineEdit *>(control);
        edit->selectAll();
        QTest::keyClicks(edit, argument);
    }
}

} // namespace

class TestSettingsPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsStoreBytes_data();
    void controlsStoreBytes();
    void unfinishedPasswordSaysSoAndKeepsFocus_data();
    void unfinishedPasswordSaysSoAndKeepsFocus();
};

namespace {

// On a page with bytes `before`: a control showing `shownBefore` gets the action; then the bytes,
// what it shows and the message box ("" for none).
struct ControlRow
{
    const char *name, *page, *before, *control, *shownBefore, *action, *after, *shownAfter, *message;
};

const ControlRow kControlRows[] = {
    { "model with band 2", "basic", "310=02", "RadioModelComboBox", "DR780 (DR-780)", "choose:D680 (D-680)",
        "293=44363830FF 309=10 312=00 313=00400047", "D680 (D-680)", "" },
    { "serial typed", "basic", "", "SerialNumberEdit", "", "type:ab-12 c", "325=414231324300FFFF", "AB12C", "" },
    { "LEDs down is bit 0", "general", "8869=00", "DisableAllLEDsSpeedButton", "down", "click", "8869=04", "up", "" },
    { "radio id refused", "general", "8873=010000", "RadioIDEdit", "1", "type:16777216", "8873=999919", "1677721",
        "Invalid Radio ID number (General tab)" },
    { "pc password digits only", "general", "", "PCProgrammingPasswordEdit", "", "type:12a345", "8901=313233343500FFFF",
        "12345", "" },
    { "menu 0x0C, GPS down", "menus", "8985=0C", "UtilitiesGPSSpeedButton", "up", "click", "8985=04", "down", "" },
};

} // namespace

void TestSettingsPages::controlsStoreBytes_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kControlRows)); ++i)
        QTest::newRow(kControlRows[i].name) << i;
}

void TestSettingsPages::controlsStoreBytes()
{
    QFETCH(int, row);
    const ControlRow &r = kControlRows[row];
    PageFixture fixture = open(QLatin1String(r.page), QLatin1String(r.before));
    QWidget *widget = fixture.child<QWidget>(r.control);
    QCOMPARE(shown(widget), QLatin1String(r.shownBefore));
    act(widget, QLatin1String(r.action));
    QCOMPARE(bytesLike(fixture.image(), QLatin1String(r.after)), QLatin1String(r.after));
    QCOMPARE(shown(widget), QLatin1String(r.shownAfter));
    QCOMPARE(fixture.prompts.texts(), *r.message ? QStringList { QLatin1String(r.message) } : QStringList());
    if (row == 0)
        QCOMPARE(shown(fixture.child<QWidget>("FrequencyRangeEdit")), QStringLiteral("400MHz .. 470MHz"));
}

void TestSettingsPages::unfinishedPasswordSaysSoAndKeepsFocus_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("enter"); // else the edit is left
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("after");
    const auto row = [](const char *name, const char *control, bool enter, const char *message, const char *after) {
        QTest::newRow(name) << QString::fromLatin1(control) << enter << QString::fromLatin1(message)
                            << QString::fromLatin1(after);
    };
    row("power-on, Enter", "PowerOnPasswordEdit", true, "Power-On-Password must be 8 characters in length, or empty",
        "8870=E0 8893=00000000");
    row("program, left", "RadioProgramPasswordEdit", false,
        "Radio-Program password must be 8 characters in length, or empty", "8897=FFFFFFFF");
}

void TestSettingsPages::unfinishedPasswordSaysSoAndKeepsFocus()
{
    QFETCH(QString, control);
    QFETCH(bool, enter);
    QFETCH(QString, after);
    PageFixture fixture = open(QStringLiteral("general"), QStringLiteral("8870=C0 8893=12345678 8897=12345678"));
    auto *edit = static_cast<QLineEdit *>(fixture.page->findChild<QWidget *>(control));
    fixture.page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fixture.page.get()));
    edit->setFocus();
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_Backspace); // one digit deleted: no password at once
    QCOMPARE(bytesLike(fixture.image(), after), after.toUpper());
    QVERIFY(fixture.prompts.shown.isEmpty());
    if (enter)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        fixture.child<QWidget>("RadioNameEdit")->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTEST(fixture.prompts.texts().value(0), "message");
    QCOMPARE(edit->text(), QStringLiteral("1234567"));
}

QTEST_MAIN(TestSettingsPages)
#include "tst_settingspages.moc"
