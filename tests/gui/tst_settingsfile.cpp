#include "SettingsFile.h"
#include "WindowPlacement.h"

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

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll()) : QString();
}

SettingsValues presentValues()
{
    SettingsValues values;
    values.placement = QRect(216, 105, 1138, 585);
    values.files = { QStringLiteral("/p/one.rdt"), QString(), QString(), QString() };
    values.tab = 11;
    values.showNo = true;
    values.country = QStringLiteral("Germany");
    return values;
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingFileKeepsPresentValues();
    void readsEveryKey();
    void absurdPlacementIsCut();
    void protectedIds_data();
    void protectedIds();
    void protectedChannelsSortedWithoutCase();
    void hugeCountDoesNotStall();
    void writesKeysInOrder();
    void writeFailureLeavesOldFile();
    void defaultPlace();
};

void TestSettingsFile::missingFileKeepsPresentValues()
{
    QTemporaryDir dir;
    SettingsValues values = presentValues();
    settingsfile::read(dir.filePath(QStringLiteral("none.ini")), values);
    QCOMPARE(values.placement, QRect(216, 105, 1138, 585));
    QCOMPARE(values.files[0], QStringLiteral("/p/one.rdt"));
    QCOMPARE(values.tab, 11);
    QCOMPARE(values.showNo, true);
    QCOMPARE(values.country, QStringLiteral("Germany"));
}

void TestSettingsFile::readsEveryKey()
{
    QTemporaryDir dir;
    // Section and key names in another case, blanks around values, an unreadable Width.
    const QString path = writeIni(dir,
        QStringLiteral("[mainform]\nTOP=7\nLeft = 9\nWidth=wide\nHeight=700\n"
                       "[CodePlug]\nFile1=/x/two.rdt\nFile3=/x/four.rdt\n"
                       "[Misc]\nTab=3\n[Contacts]\nShowNo=0\nCountry=Italy\n"));
    SettingsValues values = presentValues();
    settingsfile::read(path, values);
    QCOMPARE(values.placement, QRect(9, 7, 1138, 700));
    QCOMPARE(values.files[0], QStringLiteral("/p/one.rdt")); // no key: keeps its present name
    QCOMPARE(values.files[1], QStringLiteral("/x/two.rdt"));
    QCOMPARE(values.files[3], QStringLiteral("/x/four.rdt"));
    QCOMPARE(values.tab, 3);
    QCOMPARE(values.showNo, false);
    QCOMPARE(values.country, QStringLiteral("Italy"));
}

void TestSettingsFile::absurdPlacementIsCut()
{
    QTemporaryDir dir;
    const QString path = writeIni(
        dir, QStringLiteral("[MainForm]\nTop=-99999999999\nLeft=2147483647\nWidth=2147483647\nHeight=9999999999\n"));
    SettingsValues values = presentValues();
    settingsfile::read(path, values);
    const ScreenAreas screens { QRect(0, 0, 1920, 1040), QRect(0, 0, 1920, 1080), 1920 };
    const QRect placed = adjustPlacement(values.placement, screens, QSize(800, 584));
    QCOMPARE(placed.size(), QSize(1920, 1080));
    QVERIFY(placed.left() <= 1920 - 1920 / 15);
    QCOMPARE(placed.top(), 0);
}

void TestSettingsFile::protectedIds_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QList<qint64>>("expected");
    QTest::newRow("bad IDs dropped") << "Protected_num=3\nProtected_0=5\nProtected_1=-7\nProtected_2=16777216\n"
                                     << QList<qint64> { 5 };
    QTest::newRow("sorted, limits kept") << "Protected_num=3\nProtected_0=16777215\nProtected_1=0\nProtected_2=42\n"
                                         << QList<qint64> { 0, 42, 16777215 };
    QTest::newRow("keys beyond the count ignored") << "Protected_num=1\nProtected_0=9\nProtected_1=8\n"
                                                   << QList<qint64> { 9 };
    QTest::newRow("missing key reads -1") << "Protected_num=2\nProtected_1=3\n" << QList<qint64> { 3 };
    QTest::newRow("not a number") << "Protected_num=2\nProtected_0=abc\nProtected_1=12\n" << QList<qint64> { 12 };
    QTest::newRow("no count") << "Protected_0=12\n" << QList<qint64> {};
}

void TestSettingsFile::protectedIds()
{
    QFETCH(QString, section);
    QFETCH(QList<qint64>, expected);
    QTemporaryDir dir;
    SettingsValues values;
    values.protectedIds.append(77); // the list is cleared before reading
    settingsfile::read(writeIni(dir, QStringLiteral("[Contacts]\n") + section), values);
    QCOMPARE(values.protectedIds.ids(), expected);
}

void TestSettingsFile::protectedChannelsSortedWithoutCase()
{
    QTemporaryDir dir;
    const QString path = writeIni(dir,
        QStringLiteral("[Channels]\nProtected_num=4\nProtected_0=zeta\nProtected_1=  \nProtected_2= Alpha \n"
                       "Protected_3=beta\n"));
    SettingsValues values;
    settingsfile::read(path, values);
    QCOMPARE(values.protectedChannels.names(),
        (QStringList { QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("zeta") }));

    QVERIFY(settingsfile::write(path, values));
    QVERIFY(readText(path).endsWith(
        QStringLiteral("[Channels]\nProtected_num=3\nProtected_0=Alpha\nProtected_1=beta\nProtected_2=zeta\n")));
}

void TestSettingsFile::hugeCountDoesNotStall()
{
    QTemporaryDir dir;
    const QString path = writeIni(dir,
        QStringLiteral("[Contacts]\nProtected_num=2000000000\nProtected_1999999999=8\n"
                       "[Channels]\nProtected_num=2147483647\nProtected_0=a\n"));
    SettingsValues values;
    QElapsedTimer timer;
    timer.start();
    settingsfile::read(path, values);
    QVERIFY(timer.elapsed() < 2000);
    QCOMPARE(values.protectedIds.ids(), QList<qint64> { 8 });
    QCOMPARE(values.protectedChannels.names(), QStringList { QStringLiteral("a") });
}

void TestSettingsFile::writesKeysInOrder()
{
    QTemporaryDir dir;
    const QString path = writeIni(dir, QStringLiteral("[Stale]\nKey=1\n"));
    SettingsValues values = presentValues();
    values.files[2] = QStringLiteral("/p/three.rdt");
    values.protectedIds.append(300);
    values.protectedIds.append(20);
    values.protectedChannels.append(QStringLiteral("b"));
    values.protectedChannels.append(QStringLiteral(" "));
    QVERIFY(settingsfile::write(path, values));
    // A name that trims to nothing keeps its place in the count but gets no key.
    QCOMPARE(readText(path),
        QStringLiteral("[MainForm]\nTop=105\nLeft=216\nWidth=1138\nHeight=585\n\n"
                       "[CodePlug]\nFile0=/p/one.rdt\nFile2=/p/three.rdt\n\n"
                       "[Misc]\nTab=11\n\n"
                       "[Contacts]\nShowNo=1\nProtected_num=2\nProtected_0=20\nProtected_1=300\n"
                       "Country=Germany\n\n"
                       "[Channels]\nProtected_num=2\nProtected_1=b\n"));
    SettingsValues back;
    settingsfile::read(path, back);
    QCOMPARE(back.protectedChannels.names(), QStringList { QStringLiteral("b") });
    QCOMPARE(back.protectedIds.ids(), (QList<qint64> { 20, 300 }));
}

void TestSettingsFile::writeFailureLeavesOldFile()
{
    QTemporaryDir dir;
    SettingsValues values = presentValues();
    QVERIFY(!settingsfile::write(dir.filePath(QStringLiteral("no/such/folder/editor.ini")), values));
    QCOMPARE(settingsfile::writeErrorText(QStringLiteral("/a/b.ini")), QStringLiteral("Unable to write to /a/b.ini"));
}

void TestSettingsFile::defaultPlace()
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

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
