#include "ImageBuilder.h"
#include "SettingsFile.h"
#include "WindowPlacement.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString writeIni(const QTemporaryDir &dir, const QString &text)
{
    return testsupport::writeFile(dir, QStringLiteral("editor.ini"), text.toUtf8());
}

// Present values the file reads over; the protected lists are cleared before they are read.
SettingsValues presentValues()
{
    SettingsValues values;
    values.placement = QRect(216, 105, 1138, 585);
    values.files = { QStringLiteral("/p/one.rdt"), QString(), QString(), QString() };
    values.tab = 11;
    values.showNo = true;
    values.country = QStringLiteral("Germany");
    values.databaseHost = QStringLiteral("localhost");
    values.protectedIds.append(77);
    values.protectedChannels.append(QStringLiteral("old"));
    return values;
}

// Every read value on one line, so that a wrong field shows in the failure message.
QString dump(const SettingsValues &v)
{
    const QRect &r = v.placement;
    QStringList ids;
    for (qint64 id : v.protectedIds.ids())
        ids.append(QString::number(id));
    return QStringList { QStringLiteral("%1,%2 %3x%4").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height()),
        QStringList(v.files.begin(), v.files.end()).join(QLatin1Char(',')), QString::number(v.tab),
        QString::number(int(v.showNo)), v.country, v.databaseHost, ids.join(QLatin1Char(',')),
        v.protectedChannels.names().join(QLatin1Char(',')) }
        .join(QLatin1Char('|'));
}

const QSize kMinimum(800, 584);
// One 1920 x 1080 screen with a 40-pixel task bar at the bottom.
const ScreenAreas kSingle { QRect(0, 0, 1920, 1040), QRect(0, 0, 1920, 1080), 1920 };
// The same primary screen with a second one of the same size to its left.
const ScreenAreas kTwoScreens { QRect(0, 0, 1920, 1040), QRect(-1920, 0, 3840, 1080), 1920 };

// A window of the usual size with its top left corner at x, y.
QRect at(int x, int y)
{
    return QRect(x, y, 1138, 585);
}

} // namespace

Q_DECLARE_METATYPE(ScreenAreas)

// The main window's remembered state: the settings file, and where a placement read from it lands.
class TestSettingsFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void read_data()
    {
        QTest::addColumn<QString>("ini"); // empty: no file at all
        QTest::addColumn<QString>("expected"); // the values after reading, in the order dump() gives them
        const auto row = [](const char *name, const char *ini, const QString &values) {
            QTest::newRow(name) << QString::fromLatin1(ini) << values;
        };
        const QString present = QStringLiteral("216,105 1138x585|/p/one.rdt,,,|11|1|Germany|localhost|");
        row("no file: present values, no protected lists", "", present + QLatin1Char('|'));
        // Section and key names in another case, blanks around values, an unreadable Width, no File0.
        row("every key",
            "[mainform]\nTOP=7\nLeft = 9\nWidth=wide\nHeight=700\n[CodePlug]\nFile1=/x/two.rdt\nFile3=/x/four.rdt\n"
            "[Misc]\nTab=3\n[Contacts]\nShowNo=0\nCountry=Italy\n[Database]\nHost=mirror.lan:8080\n",
            QStringLiteral("9,7 1138x700|/p/one.rdt,/x/two.rdt,,/x/four.rdt|3|0|Italy|mirror.lan:8080||"));
        // Values far beyond every screen are cut to a million, so that no sum of them overflows.
        row("absurd placement cut",
            "[MainForm]\nTop=-99999999999\nLeft=2147483647\nWidth=2147483647\nHeight=9999999999\n",
            QStringLiteral("1048576,-1048576 1048576x1048576|/p/one.rdt,,,|11|1|Germany|localhost||"));
        // The tab is one of the window's 14, else the present one stays.
        for (const auto &[text, read] : { std::pair { "14", 11 }, { "-1", 11 }, { "x", 11 }, { "0", 0 }, { "13", 13 } })
            row(qPrintable(QStringLiteral("tab %1").arg(QLatin1String(text))),
                qPrintable(QStringLiteral("[Misc]\nTab=%1\n").arg(QLatin1String(text))),
                QStringLiteral("216,105 1138x585|/p/one.rdt,,,|%1|1|Germany|localhost||").arg(read));
        // The protected lists: contact IDs | channel names.
        const auto lists = [&](const char *name, const char *ini, const char *lists) {
            row(name, ini, present + QLatin1String(lists));
        };
        lists("bad IDs dropped", "[Contacts]\nProtected_num=3\nProtected_0=5\nProtected_1=-7\nProtected_2=16777216\n",
            "5|");
        lists("IDs sorted, limits kept",
            "[Contacts]\nProtected_num=3\nProtected_0=16777215\nProtected_1=0\nProtected_2=42\n", "0,42,16777215|");
        lists("keys beyond the count ignored", "[Contacts]\nProtected_num=1\nProtected_0=9\nProtected_1=8\n", "9|");
        lists("not a number", "[Contacts]\nProtected_num=2\nProtected_0=abc\nProtected_1=12\n", "12|");
        lists("no count", "[Contacts]\nProtected_0=12\n[Channels]\nProtected_0=a\n", "|");
        lists("names trimmed, blank dropped, sorted without case",
            "[Channels]\nProtected_num=4\nProtected_0=zeta\nProtected_1=  \nProtected_2= Alpha \nProtected_3=beta\n",
            "|Alpha,beta,zeta");
        lists("huge counts do not stall",
            "[Contacts]\nProtected_num=2000000000\nProtected_1999999999=8\n[Channels]\nProtected_num=2147483647\n"
            "Protected_0=a\n",
            "8|a");
    }

    void read()
    {
        QFETCH(QString, ini);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        SettingsValues values = presentValues();
        QElapsedTimer timer;
        timer.start();
        settingsfile::read(ini.isEmpty() ? dir.filePath(QStringLiteral("none.ini")) : writeIni(dir, ini), values);
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(dump(values), expected);
    }

    void writesKeysInOrder()
    {
        QTemporaryDir dir;
        const QString path = writeIni(dir, QStringLiteral("[Stale]\nKey=1\n"));
        SettingsValues values = presentValues();
        values.files[2] = QStringLiteral("/p/three.rdt");
        values.protectedIds.append(300);
        values.protectedIds.append(20);
        values.protectedChannels.clear();
        values.protectedChannels.append(QStringLiteral("b"));
        values.protectedChannels.append(QStringLiteral(" "));
        QVERIFY(settingsfile::write(path, values));
        // A name that trims to nothing keeps its place in the count but gets no key.
        QCOMPARE(QString::fromUtf8(testsupport::readFile(path)),
            QStringLiteral("[MainForm]\nTop=105\nLeft=216\nWidth=1138\nHeight=585\n\n"
                           "[CodePlug]\nFile0=/p/one.rdt\nFile2=/p/three.rdt\n\n"
                           "[Misc]\nTab=11\n\n"
                           "[Contacts]\nShowNo=1\nProtected_num=3\nProtected_0=20\nProtected_1=77\nProtected_2=300\n"
                           "Country=Germany\n\n"
                           "[Channels]\nProtected_num=2\nProtected_1=b\n\n"
                           "[Database]\nHost=localhost\n"));
        SettingsValues back;
        settingsfile::read(path, back);
        QCOMPARE(dump(back),
            QStringLiteral("216,105 1138x585|/p/one.rdt,,/p/three.rdt,|11|1|Germany|localhost|20,77,300|b"));
    }

    void defaultPlace()
    {
        QTemporaryDir dir;
        const QString config = dir.filePath(QStringLiteral("config/editor"));
        QCOMPARE(settingsfile::defaultPathFor(dir.filePath(QStringLiteral("codeplug-editor")), config),
            dir.filePath(QStringLiteral("codeplug-editor.ini")));
        QVERIFY(!QFileInfo::exists(config));

        // Beside a program whose folder cannot be used, the file goes to the per-user folder, which is
        // made so that the first write can succeed.
        const QString path = settingsfile::defaultPathFor(dir.filePath(QStringLiteral("gone/codeplug-editor")), config);
        QCOMPARE(path, config + QStringLiteral("/codeplug-editor.ini"));
        SettingsValues values = presentValues();
        QVERIFY(settingsfile::write(path, values));
    }

    void adjust_data()
    {
        QTest::addColumn<ScreenAreas>("screens");
        QTest::addColumn<QRect>("proposed");
        QTest::addColumn<QRect>("expected");
        const auto row = [](const char *name, const ScreenAreas &screens, QRect proposed, QRect expected) {
            QTest::newRow(name) << screens << proposed << expected;
        };
        // Snapping to the work area's edges; "within 10 pixels" includes 10.
        row("left edge 8 px outside", kSingle, at(-8, 200), at(0, 200));
        row("left edge 10 px", kSingle, at(10, 200), at(0, 200));
        row("left edge 11 px", kSingle, at(11, 200), at(11, 200));
        row("right edge", kSingle, at(790, 200), at(782, 200));
        row("top edge", kSingle, at(300, -6), at(300, 0));
        row("bottom edge of the work area", kSingle, at(300, 450), at(300, 455));
        // The left and top edges win over the right and bottom ones, and then the size fills the area.
        row("nearly full size", kSingle, QRect(5, 4, 1915, 1033), QRect(0, 0, 1920, 1040));
        row("full width only at the left edge", kSingle, QRect(12, 100, 1900, 700), QRect(20, 100, 1900, 700));
        // Size limits.
        row("minimum size", kSingle, QRect(300, 200, 500, 300), QRect(300, 200, 800, 584));
        row("larger than the desktop", kSingle, QRect(300, 200, 3000, 2000), QRect(300, 200, 1920, 1080));
        // On-screen rules: a fifteenth of the desktop width stays visible, the top stays within reach.
        row("far left", kSingle, at(-2000, 200), at(-1010, 200));
        row("far right", kSingle, at(1900, 200), at(1792, 200));
        row("above the desktop", kSingle, at(300, -50), at(300, 0));
        row("below the desktop", kSingle, at(300, 1500), at(300, 972));
        row("second screen at the left", kTwoScreens, at(-1500, 200), at(-1500, 200));
        row("two screens, far left", kTwoScreens, at(-3500, 200), at(-2802, 200));
        // The right limit follows the desktop's right edge, not its width.
        row("two screens, far right", kTwoScreens, at(3700, 200), at(1792, 200));
        // The most a damaged settings file can propose.
        row("a million each way", kSingle, QRect(1048576, -1048576, 1048576, 1048576), QRect(1792, 0, 1920, 1080));
    }
    void adjust()
    {
        QFETCH(ScreenAreas, screens);
        QFETCH(QRect, proposed);
        QFETCH(QRect, expected);
        QCOMPARE(adjustPlacement(proposed, screens, kMinimum), expected);
        // The window applies the adjustment after every move; applying it again must change nothing.
        QCOMPARE(adjustPlacement(expected, screens, kMinimum), expected);
    }
};

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
