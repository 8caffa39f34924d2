#include "SettingsFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString writeIni(const QTemporaryDir &dir, const QString &text)
{
    const QString path = dir.filePath(QStringLiteral("editor.ini"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text))
        file.write(text.toUtf8());
    return path;
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
    return QStringLiteral("%1,%2 %3x%4|%5,%6,%7,%8|%9|")
               .arg(r.left())
               .arg(r.top())
               .arg(r.width())
               .arg(r.height())
               .arg(v.files[0], v.files[1], v.files[2], v.files[3])
               .arg(v.tab)
        + QStringList { QString::number(int(v.showNo)), v.country, v.databaseHost, ids.join(QLatin1Char(',')),
              v.protectedChannels.names().join(QLatin1Char(',')) }
              .join(QLatin1Char('|'));
}

} // namespace

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
        // The protected lists: contact IDs | channel names.
        const auto lists = [&](const char *name, const char *ini, const char *lists) {
            row(name, ini, present + QLatin1String(lists));
        };
        lists("bad IDs dropped", "[Contacts]\nProtected_num=3\nProtected_0=5\nProtected_1=-7\nProtected_2=16777216\n",
            "5|");
        lists("IDs sorted, limits kept",
            "[Contacts]\nProtected_num=3\nProtected_0=16777215\nProtected_1=0\nProtected_2=42\n", "0,42,16777215|");
        lists("keys beyond the count ignored", "[Contacts]\nProtected_num=1\nProtected_0=9\nProtected_1=8\n", "9|");
        lists("missing key", "[Contacts]\nProtected_num=2\nProtected_1=3\n", "3|");
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
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(QString::fromUtf8(file.readAll()),
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
};

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
