#include "ImageBuilder.h"
#include "NewCodePlug.h"
#include "RadioInfo.h"
#include "SettingsFields.h"

#include <QTest>

using namespace codeplug;
using testsupport::bytesLike;
using testsupport::patchBytes;

namespace {

const SettingField &field(const QString &key)
{
    const SettingField *found = findSetting(key);
    if (!found)
        qFatal("no key %s", qPrintable(key));
    return *found;
}

QList<const SettingField *> editableFields()
{
    QList<const SettingField *> all;
    for (const SettingFields *fields : { &basicFields(), &generalFields(), &menusFields() }) {
        for (const SettingField &f : *fields) {
            if (isEditable(f))
                all.append(&f);
        }
    }
    return all;
}

// A value the control takes that differs from what it shows now.
QString otherValue(const FileImage &image, const SettingField &f)
{
    const QString now = settingValue(image, f);
    switch (f.kind) {
    case SettingKind::Toggle:
        return now == QLatin1String("on") ? QStringLiteral("off") : QStringLiteral("on");
    case SettingKind::Choice:
    case SettingKind::Options:
        return f.choices.at(f.choices.at(0).label == now ? 1 : 0).label;
    default:
        return f.accepts(u'A') ? QStringLiteral("AB1") : QStringLiteral("12345678");
    }
}

} // namespace

class TestSettingsFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setStoresBytes_data();
    void setStoresBytes();
    void powerOnPasswordTypedDigitByDigit();
    void everyKeyChangesOnlyItsOwnField();
    void radioInformationTexts();
};

void TestSettingsFields::setStoresBytes_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("shown");

    const QString serialTail = QStringLiteral("FFFFFFFFFFFFFFFFFFFF");
    QTest::newRow("serial cleaned") << ""
                                    << "serial-number"
                                    << "ab-12 c"
                                    << ""
                                    << "325=414231324300" + serialTail << "AB12C";
    QTest::newRow("serial of 16, no terminator") << ""
                                                 << "serial-number"
                                                 << "ABCDEFGH12345678"
                                                 << ""
                                                 << "325=41424344454647483132333435363738"
                                                 << "ABCDEFGH12345678";
    QTest::newRow("D680 band 2") << "310=02 293=00"
                                 << "radio-model"
                                 << "d680 (d-680)"
                                 << ""
                                 << "293=44363830FFFFFFFFFFFFFFFFFFFFFFFF 309=10 312=00 313=00400047"
                                 << "D680 (D-680)";
    QTest::newRow("DR780 band 2") << "310=02"
                                  << "radio-model"
                                  << "DR780 (DR-780)"
                                  << ""
                                  << "293=4452373830FF 309=20 312=33 313=00400048"
                                  << "DR780 (DR-780)";
    QTest::newRow("DR790 band 5 keeps range") << "310=05 313=11223344"
                                              << "radio-model"
                                              << "DR790 (DR-790)"
                                              << ""
                                              << "293=4452373930FF 309=20 312=52 313=11223344"
                                              << "DR790 (DR-790)";
    QTest::newRow("unknown model name") << "293=4452333830FF"
                                        << "serial-number"
                                        << ""
                                        << ""
                                        << "325=FF"
                                        << "";
    QTest::newRow("radio id 16777215") << ""
                                       << "radio-id"
                                       << "16777215"
                                       << ""
                                       << "8873=FFFFFF"
                                       << "16777215";
    QTest::newRow("radio id 16777216") << "8873=998877"
                                       << "radio-id"
                                       << "16777216"
                                       << "Invalid Radio ID number (General tab)"
                                       << "8873=998877"
                                       << "7833753";
    QTest::newRow("radio id empty") << "8873=01"
                                    << "radio-id"
                                    << ""
                                    << "Invalid Radio ID number (General tab)"
                                    << "8873=01"
                                    << "1";
    QTest::newRow("radio id letters") << "8873=01"
                                      << "radio-id"
                                      << "12a"
                                      << "not accepted: a number from 0 to 16777215"
                                      << "8873=01"
                                      << "1";
    QTest::newRow("keypad lock 4, then Manual") << "8891=04"
                                                << "keypad-lock-time"
                                                << "manual"
                                                << ""
                                                << "8891=FF"
                                                << "Manual";
    QTest::newRow("talk permit keeps bits 0-5") << "8870=3F"
                                                << "talk-permit-tone"
                                                << "Digital & Analogue"
                                                << ""
                                                << "8870=FF"
                                                << "Digital & Analogue";
    QTest::newRow("talk permit none") << "8870=FF"
                                      << "talk-permit-tone"
                                      << "None"
                                      << ""
                                      << "8870=3F"
                                      << "None";
    QTest::newRow("pc password of 5 digits") << ""
                                             << "pc-programming-password"
                                             << "12345"
                                             << ""
                                             << "8901=313233343500FFFF"
                                             << "12345";
    QTest::newRow("pc password letters refused") << "8901=FF"
                                                 << "pc-programming-password"
                                                 << "abc"
                                                 << "not accepted: digits, at most 8, or empty for none"
                                                 << "8901=FF"
                                                 << "";
    QTest::newRow("power-on password 0x1A") << "8870=00 8893=1A000000"
                                            << "radio-name"
                                            << ""
                                            << ""
                                            << "8893=1A"
                                            << "";
    QTest::newRow("power-on password of 5 digits") << "8870=20"
                                                   << "power-on-password"
                                                   << "12345"
                                                   << "Power-On password must be 8 characters in length, or empty"
                                                   << "8870=20 8893=00000000"
                                                   << "";
    QTest::newRow("power-on password set") << "8870=E0"
                                           << "power-on-password"
                                           << "12345678"
                                           << ""
                                           << "8870=C0 8893=12345678"
                                           << "12345678";
    QTest::newRow("power-on password cleared") << "8870=C0 8893=12345678"
                                               << "power-on-password"
                                               << ""
                                               << ""
                                               << "8870=E0 8893=00000000"
                                               << "";
    QTest::newRow("program password cleared") << "8897=12345678"
                                              << "radio-program-password"
                                              << ""
                                              << ""
                                              << "8897=FFFFFFFF"
                                              << "";
    QTest::newRow("radio name low bytes") << ""
                                          << "radio-name"
                                          << "  Ann  "
                                          << ""
                                          << "8917=41006E006E000000"
                                          << "Ann";
    QTest::newRow("intro line of 11 refused") << ""
                                              << "intro-line-1"
                                              << "ABCDEFGHIJK"
                                              << "at most 10 characters"
                                              << ""
                                              << "";
    QTest::newRow("disable all LEDs down is bit 0") << "8869=FF"
                                                    << "disable-all-leds"
                                                    << "on"
                                                    << ""
                                                    << "8869=FB"
                                                    << "on";
    QTest::newRow("channel free tone off is bit 1") << "8870=00"
                                                    << "channel-free-indication-tone"
                                                    << "off"
                                                    << ""
                                                    << "8870=10"
                                                    << "off";
    QTest::newRow("intro picture") << "8871=00"
                                   << "intro-screen-type"
                                   << "picture"
                                   << ""
                                   << "8871=10"
                                   << "Picture";
    QTest::newRow("menu hang 31, then Hang") << "8981=1F"
                                             << "menu-hang-time"
                                             << "Hang"
                                             << ""
                                             << "8981=00"
                                             << "Hang ";
    QTest::newRow("menu 0x0C, GPS down") << "8985=0C"
                                         << "utilities-gps"
                                         << "on"
                                         << ""
                                         << "8985=04"
                                         << "on";
    QTest::newRow("menu program radio up") << "8985=00"
                                           << "utilities-program-radio"
                                           << "off"
                                           << ""
                                           << "8985=04"
                                           << "off";
    QTest::newRow("menu VOX bit 7 only") << "8984=7F"
                                         << "utilities-vox"
                                         << "on"
                                         << ""
                                         << "8984=FF"
                                         << "on";
    QTest::newRow("toggle takes on or off only") << "8984=00"
                                                 << "utilities-vox"
                                                 << "yes"
                                                 << "on or off"
                                                 << "8984=00"
                                                 << "off";
    QTest::newRow("no such entry") << "8877=05"
                                   << "tx-preamble-duration"
                                   << "301 ms"
                                   << "no such entry"
                                   << "8877=05"
                                   << "300 ms";
}

void TestSettingsFields::setStoresBytes()
{
    QFETCH(QString, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, refusal);
    QFETCH(QString, after);
    QFETCH(QString, shown);

    FileImage image = makeNewCodePlug(2, 0);
    patchBytes(image, before);
    const FileImage untouched = image;
    QCOMPARE(setSetting(image, field(key), value), refusal);
    if (!refusal.isEmpty())
        QVERIFY(image == untouched);
    QCOMPARE(bytesLike(image, after), after.toUpper());
    if (QTest::currentDataTag() == QLatin1String("keypad lock 4, then Manual"))
        QCOMPARE(settingValue(untouched, field(key)), QString()); // 4 is no entry
    else if (QTest::currentDataTag() == QLatin1String("power-on password 0x1A"))
        QCOMPARE(settingValue(image, field(QStringLiteral("power-on-password"))), QStringLiteral("1?000000"));
    else if (QTest::currentDataTag() == QLatin1String("unknown model name"))
        QCOMPARE(settingValue(image, field(QStringLiteral("radio-model"))), QString());
    else
        QCOMPARE(settingValue(image, field(key)), shown);
}

// Typing leaves no password until the eighth digit; deleting one digit removes it again.
void TestSettingsFields::powerOnPasswordTypedDigitByDigit()
{
    FileImage image = makeNewCodePlug(2, 0);
    const SettingField &powerOn = field(QStringLiteral("power-on-password"));
    const QString digits = QStringLiteral("87654321");
    for (int n = 1; n <= 8; ++n) {
        powerOn.text.write(image, 0, digits.left(n));
        QCOMPARE(bool(image.u8(8870) & 0x20), n < 8);
    }
    QCOMPARE(bytesLike(image, QStringLiteral("8893=87654321")), QStringLiteral("8893=87654321"));
    const SettingField &program = field(QStringLiteral("radio-program-password"));
    program.text.write(image, 0, digits);
    QCOMPARE(bytesLike(image, QStringLiteral("8897=87654321")), QStringLiteral("8897=87654321"));
    program.text.write(image, 0, digits.left(7));
    QCOMPARE(bytesLike(image, QStringLiteral("8897=FFFFFFFF")), QStringLiteral("8897=FFFFFFFF"));
}

// Setting one key changes what no other key shows, and setting what it then shows changes nothing.
void TestSettingsFields::everyKeyChangesOnlyItsOwnField()
{
    const FileImage fresh = makeNewCodePlug(2, 1);
    const QList<const SettingField *> fields = editableFields();
    for (const SettingField *f : fields) {
        FileImage image = fresh;
        const QString value = otherValue(image, *f);
        QCOMPARE(setSetting(image, *f, value), QString());
        QVERIFY2(!(image == fresh), qPrintable(f->key));
        for (const SettingField *other : fields) {
            if (other != f)
                QCOMPARE(settingValue(image, *other), settingValue(fresh, *other));
        }
        const FileImage once = image;
        QCOMPARE(setSetting(image, *f, settingValue(image, *f)), QString());
        QVERIFY2(image == once, qPrintable(f->key));
    }
}

void TestSettingsFields::radioInformationTexts()
{
    FileImage image = makeNewCodePlug(2, 0);
    patchBytes(image,
        QStringLiteral("345=00010005 357=44002340 365=393000000041424344454647 8742=20170324180559 8749=00010003"));
    QCOMPARE(hardwareVersionText(image), QStringLiteral("V01.05"));
    QCOMPARE(softwareVersionText(image), QStringLiteral("V01.03"));
    QCOMPARE(mcuVersionText(image), QStringLiteral("D002.340"));
    QCOMPARE(uniqueDeviceIdText(image), QStringLiteral("GFEDCBA0000000012345"));
    QCOMPARE(lastProgrammedText(image), QStringLiteral("2017.03.24  18:05:59"));
    patchBytes(image, QStringLiteral("345=FF 357=FF 365=FF 8742=FF 8749=FF"));
    QCOMPARE(hardwareVersionText(image) + softwareVersionText(image) + mcuVersionText(image) + uniqueDeviceIdText(image)
            + lastProgrammedText(image),
        QString());
}

QTEST_APPLESS_MAIN(TestSettingsFields)
#include "tst_settingsfields.moc"
