#include "EmergencySystems.h"
#include "ImageBuilder.h"
#include "NewCodePlug.h"
#include "PrivacyKeys.h"
#include "RadioInfo.h"
#include "SettingsFields.h"

#include <QTest>

using namespace codeplug;
using testsupport::bytesLike;
using testsupport::patchBytes;
namespace es = codeplug::emergency;

namespace {

const SettingField &field(const char *key)
{
    return *findSetting(QLatin1String(key));
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

// Bytes before, the key with what it shows then, the value set, the refusal ("" when taken), the bytes
// and the shown value after.
struct SetRow
{
    const char *name, *before, *key, *shownBefore, *value, *refusal, *after, *shownAfter;
};

const char *const kInvalidId = "Invalid Radio ID number (General tab)";
const char *const kShortPassword = "Power-On password must be 8 characters in length, or empty";

const SetRow kSetRows[] = {
    { "serial cleaned", "", "serial-number", "", "ab-12 c", "", "325=414231324300FFFFFFFFFFFFFFFFFFFF", "AB12C" },
    { "serial of 16 has no 0", "", "serial-number", "", "ABCDEFGH12345678", "", "325=41424344454647483132333435363738",
        "ABCDEFGH12345678" },
    { "D680 band 2", "310=02 293=4452333830FF", "radio-model", "", "d680 (d-680)", "",
        "293=44363830FFFFFFFFFFFFFFFFFFFFFFFF 309=10 312=00 313=00400047", "D680 (D-680)" },
    { "DR780 band 2", "310=02", "radio-model", "D680 (D-680)", "DR780 (DR-780)", "",
        "293=4452373830FF 309=20 312=33 313=00400048", "DR780 (DR-780)" },
    { "DR790 band 5 keeps the range", "310=05 313=11223344", "radio-model", "D680 (D-680)", "DR790 (DR-790)", "",
        "293=4452373930FF 309=20 312=52 313=11223344", "DR790 (DR-790)" },
    { "radio id 16777215", "", "radio-id", "0", "16777215", "", "8873=FFFFFF", "16777215" },
    { "radio id 16777216", "8873=998877", "radio-id", "7833753", "16777216", kInvalidId, "8873=998877", "7833753" },
    { "radio id empty", "8873=01", "radio-id", "1", "", kInvalidId, "8873=01", "1" },
    { "keypad lock 4, then Manual", "8891=04", "keypad-lock-time", "", "manual", "", "8891=FF", "Manual" },
    { "talk permit keeps bits 0-5", "8870=3F", "talk-permit-tone", "None", "Digital & Analogue", "", "8870=FF",
        "Digital & Analogue" },
    { "pc password of 5 digits", "", "pc-programming-password", "", "12345", "", "8901=313233343500FFFF", "12345" },
    { "power-on password 0x1A", "8870=00 8893=1A000000", "power-on-password", "1?000000", "12345678", "",
        "8870=00 8893=12345678", "12345678" },
    { "power-on password of 5", "8870=20", "power-on-password", "", "12345", kShortPassword, "8870=20", "" },
    { "radio name in low bytes", "", "radio-name", "", "  Ann  ", "", "8917=41006E006E000000", "Ann" },
    { "disable LEDs down is bit 0", "8869=FF", "disable-all-leds", "off", "on", "", "8869=FB", "on" },
    { "menu hang 31, then Hang", "8981=1F", "menu-hang-time", "", "Hang", "", "8981=00", "Hang " },
    { "menu 0x0C, GPS down", "8985=0C", "utilities-gps", "off", "on", "", "8985=04", "on" },
    { "menu VOX bit 7 only", "8984=7F", "utilities-vox", "off", "on", "", "8984=FF", "on" },
    { "toggle takes on or off", "8984=00", "utilities-vox", "off", "yes", "on or off", "8984=00", "off" },
};

constexpr int kHeader = 23701;
constexpr int kSystem2 = kHeader + 16 + 40;

// The header's six fields, then the six fields of each system.
FieldCodec codec(int field)
{
    const FieldCodec header[]
        = { es::radioDisableDecode(), es::remoteMonitorDecode(), es::emergencyRemoteMonitorDecode(),
              es::remoteMonitorDuration().codec, es::remoteSyncWakeup().codec, es::txWakeupMessageLimit().codec };
    return field < 6 ? header[field] : es::systemFields()[std::size_t(field - 6)].codec;
}

} // namespace

// The radio-wide fields: the Basic, General and Menus tabs, the privacy keys and the emergency systems.
class TestSettingsFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setStoresBytes_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kSetRows)); ++i)
            QTest::newRow(kSetRows[i].name) << i;
    }

    void setStoresBytes()
    {
        QFETCH(int, row);
        const SetRow &r = kSetRows[row];
        const SettingField &f = field(r.key);
        FileImage image = makeNewCodePlug(2, 0);
        patchBytes(image, QLatin1String(r.before));
        const FileImage untouched = image;
        QCOMPARE(settingValue(image, f), QLatin1String(r.shownBefore));
        QCOMPARE(setSetting(image, f, QLatin1String(r.value)), QLatin1String(r.refusal));
        if (*r.refusal)
            QVERIFY(image == untouched);
        QCOMPARE(bytesLike(image, QLatin1String(r.after)), QLatin1String(r.after));
        QCOMPARE(settingValue(image, f), QLatin1String(r.shownAfter));
    }

    // Typing leaves no power-on password until the eighth digit; deleting one digit of the
    // programming password removes it again.
    void passwordsTypedDigitByDigit()
    {
        FileImage image = makeNewCodePlug(2, 0);
        const QString digits = QStringLiteral("87654321");
        for (int n = 1; n <= 8; ++n) {
            field("power-on-password").text.write(image, 0, digits.left(n));
            QCOMPARE(bool(image.u8(8870) & 0x20), n < 8);
        }
        field("radio-program-password").text.write(image, 0, digits);
        const QString both = QStringLiteral("8893=87654321 8897=87654321");
        QCOMPARE(bytesLike(image, both), both);
        field("radio-program-password").text.write(image, 0, digits.left(7));
        QCOMPARE(bytesLike(image, QStringLiteral("8897=FFFFFFFF")), QStringLiteral("8897=FFFFFFFF"));
    }

    // Setting one key changes what no other key shows (that setting what it shows changes nothing is
    // the command line's round trip).
    void everyKeyChangesOnlyItsOwnField()
    {
        const FileImage fresh = makeNewCodePlug(2, 1);
        const QList<const SettingField *> fields = editableFields();
        for (const SettingField *f : fields) {
            FileImage image = fresh;
            QCOMPARE(setSetting(image, *f, otherValue(image, *f)), QString());
            QVERIFY2(!(image == fresh), qPrintable(f->key));
            for (const SettingField *other : fields) {
                if (other != f)
                    QCOMPARE(settingValue(image, *other), settingValue(fresh, *other));
            }
        }
    }

    void radioInformationTexts()
    {
        FileImage image = makeNewCodePlug(2, 0);
        const auto texts = [&image] {
            return QStringList { hardwareVersionText(image), softwareVersionText(image), mcuVersionText(image),
                uniqueDeviceIdText(image), lastProgrammedText(image) }
                .join(u'|');
        };
        patchBytes(image,
            QStringLiteral("345=00010005 357=44002340 365=393000000041424344454647 8742=20170324180559 8749=00010003"));
        QCOMPARE(texts(), QStringLiteral("V01.05|V01.03|D002.340|GFEDCBA0000000012345|2017.03.24  18:05:59"));
        patchBytes(image, QStringLiteral("345=FF 357=FF 365=FF 8742=FF 8749=FF"));
        QCOMPARE(texts(), QStringLiteral("||||"));
    }

    // A key typed into tables whose bytes (the 16 between them too) all hold 0x5A: the bytes stored
    // (none: refused, the image stays as it was) and the key as shown afterwards.
    void typedKeys()
    {
        const QString unchanged = QStringLiteral("5a").repeated(16);
        const std::tuple<bool, int, const char *, const char *, QString> rows[] = {
            { false, 2, "7", "23673=0700", "0007" }, // basic key 3, one digit
            { false, 15, " ABcd ", "23699=CDAB", "abcd" },
            { false, 1, "", "23671=FFFF", "ffff" },
            { false, 1, "12345", "", unchanged.left(4) },
            { false, 1, "+1g", "", unchanged.left(4) },
            { false, 16, "1", "", "" }, // basic key 17
            { true, 0, "abc", "23525=BC0A0000000000000000000000000000", QString(29, '0') + "abc" },
            { true, 7, "", "23637=FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", QString(32, 'f') },
            { true, 3, "00112233445566778899aabbccddeeff", "23573=FFEEDDCCBBAA99887766554433221100",
                "00112233445566778899aabbccddeeff" },
            { true, 3, "100112233445566778899aabbccddeeff", "", unchanged },
        };
        for (const auto &[enhanced, key, text, stored, shown] : rows) {
            FileImage image = makeNewCodePlug(2, 0);
            image.fill(23525, 23701 - 23525, 0x5A);
            FileImage expected = image;
            patchBytes(expected, QLatin1String(stored));
            const PrivacyKeyTable &table = enhanced ? privacykeys::enhanced : privacykeys::basic;
            QCOMPARE(storePrivacyKey(image, table, key, QLatin1String(text)), *stored != 0);
            QVERIFY2(image == expected, text);
            QCOMPARE(privacyKeyText(image, table, key), shown);
        }
    }

    // Each row: the field, the value written, the offset, the 16-bit word there before and after.
    void emergencyFieldsWriteOnlyTheirBits()
    {
        const int rows[][5] = { { 0, 1, kHeader, 0xF0F0, 0xF0F1 }, // radio disable on
            { 2, 0, kHeader, 0xFFFF, 0xFFFB }, // emergency remote monitor off
            { 3, 120, kHeader + 1, 0xFFFF, 0xFF78 }, { 4, 15, kHeader + 2, 0, 15 },
            { 5, 3, kHeader + 3, 0xFF00, 0xFF03 }, { 6, 2, kSystem2 + 32, 0xFFCC, 0xFFCE },
            { 7, 1, kSystem2 + 32, 0xFFCF, 0xFFDF }, // alarm type and mode
            { 8, 1000, kSystem2 + 36, 0xFFFF, 0x03E8 } }; // revert channel
        for (const auto &[field, value, offset, before, after] : rows) {
            FileImage image = testsupport::ImageBuilder().u16(offset, std::uint16_t(before)).image();
            const FileImage untouched = image;
            codec(field).write(image, field < 6 ? 0 : 1, value);
            QCOMPARE(int(image.u16(offset)), after);
            QCOMPARE(codec(field).read(image, field < 6 ? 0 : 1), value);
            image.setU16(offset, std::uint16_t(before));
            QVERIFY(image == untouched);
        }
    }

    // Bytes 32-37 of system 1 (none: as new) and the row's cells.
    void emergencySystemCells()
    {
        const std::pair<const char *, const char *> rows[] = {
            { "", "1|System 1|Regular|Emergency Alarm|None|15|5|10 secs" },
            { "FFFFFFFFFFFF", "1|System 1|Silent with Voice|Unknown|None|255|infinite|255 secs" },
            { "20000E780100", "1|System 1|Disabled|Emergency Alarm with Voice to Follow|Channel 1|0|14|120 secs" },
            { "010F0F0AE903", "1|System 1|Regular|Emergency Alarm|None|15|infinite|10 secs" }, // polite 15, revert 1001
        };
        for (const auto &[hex, cells] : rows) {
            const QByteArray bytes = QByteArray::fromHex(hex);
            testsupport::ImageBuilder builder;
            for (int i = 0; i < int(bytes.size()); ++i)
                builder.u8(kHeader + 16 + 32 + i, std::uint8_t(bytes.at(i)));
            QCOMPARE(es::systemCells(builder.image(), 0).join(u'|'), QLatin1String(cells));
        }
    }

    // The size and the two ends of each choice list: "size|first label=value|last label=value".
    void emergencyChoiceLists()
    {
        testsupport::ImageBuilder builder;
        builder.records(lists::channels, { "D1", "A2", "D3" }); // new channels are digital
        setChannelMode(builder.image(), 1, ChannelMode::Analogue);
        const auto ends = [](const ValueLabels &labels) {
            const auto text = [](const auto &choice) { return choice.label + u'=' + QString::number(choice.value); };
            return QString::number(labels.size()) + u'|' + text(labels.first()) + u'|' + text(labels.last());
        };
        QCOMPARE(ends(es::remoteSyncWakeup().choices), QStringLiteral("11|125 ms=5|375 ms=15"));
        QCOMPARE(ends(es::systemFields()[4].choices(builder.image())), QStringLiteral("16|0=0|Infinite=15"));
        // Only digital channels are offered as revert channels, under their numbers.
        QCOMPARE(ends(es::systemFields()[2].choices(builder.image())), QStringLiteral("3|None=0|D3=3"));
    }
};

QTEST_APPLESS_MAIN(TestSettingsFields)
#include "tst_settingsfields.moc"
