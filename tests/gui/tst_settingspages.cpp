#include "settings/BasicForm.h"
#include "CodePlugStore.h"
#include "ImageBuilder.h"
#include "settings/GeneralForm.h"
#include "settings/MenusForm.h"
#include "NewCodePlug.h"
#include "ScriptedPrompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace codeplug;
using testsupport::bytesLike;
using testsupport::patchBytes;

namespace {

// One settings page over a store whose slot 1 holds a fresh code plug patched by `before`.
struct Fixture
{
    Fixture(const QString &page, const QString &before, bool open = true)
    {
        if (open) {
            auto image = std::make_unique<FileImage>(makeNewCodePlug(2, 1));
            patchBytes(*image, before);
            store.setImage(0, std::move(image));
        }
        const PageContext context { &store, &prompts, &dialogs, QStringLiteral("Editor") };
        if (page == QLatin1String("basic"))
            form.reset(new BasicForm(context, nullptr));
        else if (page == QLatin1String("general"))
            form.reset(new GeneralForm(context, nullptr));
        else
            form.reset(new MenusForm(context, nullptr));
        form->resize(1138, 585);
        form->show();
        form->pageRefresh();
    }

    QWidget *control(const QString &name) const { return form->findChild<QWidget *>(name); }
    FileImage &image() const { return *store.currentImage(); }

    mutable CodePlugStore store;
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<CodePlugPage> form;
};

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
    void emptySlot();
};

void TestSettingsPages::controlsStoreBytes_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shownBefore");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<QString>("message");

    QTest::newRow("model with band 2") << "basic"
                                       << "310=02"
                                       << "RadioModelComboBox"
                                       << "DR780 (DR-780)"
                                       << "choose:D680 (D-680)"
                                       << "293=44363830FF 309=10 312=00 313=00400047"
                                       << "D680 (D-680)"
                                       << "";
    QTest::newRow("serial typed") << "basic"
                                  << ""
                                  << "SerialNumberEdit"
                                  << ""
                                  << "type:ab-12 c"
                                  << "325=414231324300FFFF"
                                  << "AB12C"
                                  << "";
    QTest::newRow("LEDs down is bit 0") << "general"
                                        << "8869=00"
                                        << "DisableAllLEDsSpeedButton"
                                        << "down"
                                        << "click"
                                        << "8869=04"
                                        << "up"
                                        << "";
    QTest::newRow("LEDs up is bit 1") << "general"
                                      << "8869=04"
                                      << "DisableAllLEDsSpeedButton"
                                      << "up"
                                      << "click"
                                      << "8869=00"
                                      << "down"
                                      << "";
    QTest::newRow("talk permit tone") << "general"
                                      << "8870=3F"
                                      << "TalkPermitToneComboBox"
                                      << "None"
                                      << "choose:Analogue"
                                      << "8870=BF"
                                      << "Analogue"
                                      << "";
    QTest::newRow("keypad lock 4") << "general"
                                   << "8891=04"
                                   << "KeyPadLockTimeComboBox"
                                   << ""
                                   << "choose:Manual"
                                   << "8891=FF"
                                   << "Manual"
                                   << "";
    QTest::newRow("radio id refused") << "general"
                                      << "8873=010000"
                                      << "RadioIDEdit"
                                      << "1"
                                      << "type:16777216"
                                      << "8873=999919"
                                      << "1677721"
                                      << "Invalid Radio ID number (General tab)";
    QTest::newRow("radio id 16777215") << "general"
                                       << ""
                                       << "RadioIDEdit"
                                       << "0"
                                       << "type:16777215"
                                       << "8873=FFFFFF"
                                       << "16777215"
                                       << "";
    QTest::newRow("power-on password") << "general"
                                       << "8870=E0"
                                       << "PowerOnPasswordEdit"
                                       << ""
                                       << "type:12345678"
                                       << "8870=C0 8893=12345678"
                                       << "12345678"
                                       << "";
    QTest::newRow("power-on password 0x1A") << "general"
                                            << "8870=00 8893=1A000000"
                                            << "PowerOnPasswordEdit"
                                            << "1?000000"
                                            << "type:"
                                            << "8893=1A000000"
                                            << "1?000000"
                                            << "";
    QTest::newRow("pc password digits only") << "general"
                                             << ""
                                             << "PCProgrammingPasswordEdit"
                                             << ""
                                             << "type:12a345"
                                             << "8901=313233343500FFFF"
                                             << "12345"
                                             << "";
    QTest::newRow("radio name") << "general"
                                << ""
                                << "RadioNameEdit"
                                << ""
                                << "type:Ann"
                                << "8917=41006E006E000000"
                                << "Ann"
                                << "";
    QTest::newRow("intro picture") << "general"
                                   << "8871=00"
                                   << "IntroScreenTypePictureSpeedButton"
                                   << "up"
                                   << "click"
                                   << "8871=10"
                                   << "down"
                                   << "";
    QTest::newRow("menu 0x0C, GPS down") << "menus"
                                         << "8985=0C"
                                         << "UtilitiesGPSSpeedButton"
                                         << "up"
                                         << "click"
                                         << "8985=04"
                                         << "down"
                                         << "";
    QTest::newRow("menu hang 31") << "menus"
                                  << "8981=1F"
                                  << "MenuHangTimeComboBox"
                                  << ""
                                  << "choose:Hang "
                                  << "8981=00"
                                  << "Hang "
                                  << "";
    QTest::newRow("menu VOX bit 7") << "menus"
                                    << "8984=7F"
                                    << "UtilitiesVOXSpeedButton"
                                    << "up"
                                    << "click"
                                    << "8984=FF"
                                    << "down"
                                    << "";
}

void TestSettingsPages::controlsStoreBytes()
{
    QFETCH(QString, page);
    QFETCH(QString, before);
    QFETCH(QString, control);
    QFETCH(QString, shownBefore);
    QFETCH(QString, action);
    QFETCH(QString, after);
    QFETCH(QString, shownAfter);
    QFETCH(QString, message);

    Fixture fixture(page, before);
    QWidget *widget = fixture.control(control);
    QVERIFY(widget);
    QCOMPARE(shown(widget), shownBefore);
    act(widget, action);
    QCOMPARE(bytesLike(fixture.image(), after), after.toUpper());
    QCOMPARE(shown(widget), shownAfter);
    QCOMPARE(fixture.prompts.texts(), message.isEmpty() ? QStringList() : QStringList { message });
    for (const auto &box : std::as_const(fixture.prompts.shown))
        QCOMPARE(box.caption, QStringLiteral("Error"));
    if (control == QLatin1String("RadioModelComboBox"))
        QCOMPARE(shown(fixture.control(QStringLiteral("FrequencyRangeEdit"))), QStringLiteral("400MHz .. 470MHz"));
}

void TestSettingsPages::unfinishedPasswordSaysSoAndKeepsFocus_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("enter"); // else the edit is left
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("after");
    QTest::newRow("power-on, Enter") << "PowerOnPasswordEdit" << true
                                     << "Power-On-Password must be 8 characters in length, or empty"
                                     << "8870=E0 8893=00000000";
    QTest::newRow("power-on, left") << "PowerOnPasswordEdit" << false
                                    << "Power-On password must be 8 characters in length, or empty"
                                    << "8870=E0 8893=00000000";
    QTest::newRow("program, left") << "RadioProgramPasswordEdit" << false
                                   << "Radio-Program password must be 8 characters in length, or empty"
                                   << "8897=FFFFFFFF";
}

void TestSettingsPages::unfinishedPasswordSaysSoAndKeepsFocus()
{
    QFETCH(QString, control);
    QFETCH(bool, enter);
    QFETCH(QString, message);
    QFETCH(QString, after);

    Fixture fixture(QStringLiteral("general"), QStringLiteral("8870=C0 8893=12345678 8897=12345678"));
    auto *edit = static_cast<QLineEdit *>(fixture.control(control));
    fixture.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
    edit->setFocus();
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_Backspace); // one digit deleted: no password at once
    QCOMPARE(bytesLike(fixture.image(), after), after.toUpper());
    QVERIFY(fixture.prompts.shown.isEmpty());
    if (enter)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        fixture.control(QStringLiteral("RadioNameEdit"))->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QCOMPARE(fixture.prompts.texts(), QStringList { message });
    QCOMPARE(edit->text(), QStringLiteral("1234567"));
}

void TestSettingsPages::emptySlot()
{
    for (const QString page : { "basic", "general", "menus" }) {
        Fixture fixture(page, {}, false);
        QVERIFY(!fixture.form->isEnabled());
        for (QLineEdit *edit : fixture.form->findChildren<QLineEdit *>()) {
            if (edit->objectName() == QLatin1String("RadioIDEdit"))
                QCOMPARE(edit->text(), QStringLiteral("1"));
            else if (!edit->objectName().isEmpty())
                QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
        }
        for (QComboBox *combo : fixture.form->findChildren<QComboBox *>())
            QCOMPARE(combo->currentIndex(), -1);
        for (QPushButton *button : fixture.form->findChildren<QPushButton *>())
            QVERIFY(!button->isChecked());
    }
}

QTEST_MAIN(TestSettingsPages)
#include "tst_settingspages.moc"
