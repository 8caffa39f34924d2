#include "ContactRecord.h"
#include "ImageBuilder.h"
#include "ToolRunner.h"

#include <QTemporaryDir>
#include <QTest>

using namespace codeplug;
using testsupport::runTool;

class TestUserDbCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseSearchAdd();
    void errors_data();
    void errors();
};

// The whole way of a downloaded file: into the cache, searched, and two entries made contacts.
void TestUserDbCommands::parseSearchAdd()
{
    QTemporaryDir dir;
    const QString reply = testsupport::writeFile(dir, QStringLiteral("dmr.DB"),
        "id;call;name;city;state;country\n2627654;DL1ABC;Hans Peter;B;B;Germany\n"
        "2221234;IZ1XYZ;Marco;R;L;Italy\n3100002;K1ABC;Bob;X;Y;United States\n");
    const QStringList data { "--data-dir", dir.path() };
    const auto parsed = runTool(QStringList { "userdb", "parse", reply } + data);
    QCOMPARE(parsed.exitCode, 0);
    QCOMPARE(parsed.out, QStringLiteral("3 entries\n"));

    const auto found = runTool(QStringList { "userdb", "search", "--country", "Germany", "dl1" } + data);
    QCOMPARE(found.out, QStringLiteral("2627654\tDL1ABC\tHans Peter\t\t\t\tGermany\n"));
    QCOMPARE(runTool(QStringList { "userdb", "search", "abc" } + data).out.count(QLatin1Char('\n')), 2);

    testsupport::ImageBuilder builder;
    writeContact(builder.image(), 1, 2627654, GroupCall, false, QStringLiteral("Old"));
    const QString plug = builder.writeTo(dir, QStringLiteral("plug.rdt"));
    const QString out = dir.filePath(QStringLiteral("out.rdt"));
    const auto added = runTool(QStringList { "userdb", "add", plug, "3100002", "2627654", "-o", out } + data);
    QCOMPARE(added.exitCode, 0);
    QCOMPARE(runTool({ "contacts", "list", out }).out,
        QStringLiteral("1\tContact 1\t0\tGroup call\n2\tDL1ABC Hans\t2627654\tPrivate call\n"
                       "3\tK1ABC Bob\t3100002\tPrivate call\n"));
}

void TestUserDbCommands::errors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no cache to search") << QStringList { "userdb", "search" } << 1;
    QTest::newRow("unknown ID to add") << QStringList { "userdb", "add", "PLUG", "12" } << 2;
    QTest::newRow("unknown command") << QStringList { "userdb", "fetch" } << 2;
    QTest::newRow("download from nowhere") << QStringList { "userdb", "download", "--host", "127.0.0.1:1" } << 1;
}

void TestUserDbCommands::errors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    const QString plug = testsupport::ImageBuilder().writeTo(dir, QStringLiteral("plug.rdt"));
    arguments.replaceInStrings(QStringLiteral("PLUG"), plug);
    const auto result = runTool(arguments + QStringList { "--data-dir", dir.path() });
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY(!result.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestUserDbCommands)
#include "tst_userdb.moc"
