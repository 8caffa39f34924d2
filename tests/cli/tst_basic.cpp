#include "ImageBuilder.h"
#include "NewCodePlug.h"
#include "ToolRunner.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace codeplug;
using testsupport::runTool;

class TestBasicCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void newFileIsAcceptedEverywhere_data();
    void newFileIsAcceptedEverywhere();
    void infoRejectsBrokenFiles_data();
    void infoRejectsBrokenFiles();
    void infoReportsCompaction();
    void compactWritesTheCompactedImage();
    void usageErrors_data();
    void usageErrors();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestBasicCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestBasicCommands::newFileIsAcceptedEverywhere_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("range");
    QTest::newRow("defaults") << QStringList {} << "D680"
                              << "400MHz .. 470MHz";
    QTest::newRow("DR780 band 2") << QStringList { "--model", "1" } << "DR780"
                                  << "400MHz .. 480MHz";
    QTest::newRow("DR790 band 0") << QStringList { "--band", "0", "--model", "2" } << "DR790"
                                  << "136MHz .. 174MHz";
    QTest::newRow("band 3") << QStringList { "--band", "3" } << "D680"
                            << "450MHz .. 520MHz";
}

void TestBasicCommands::newFileIsAcceptedEverywhere()
{
    QFETCH(QStringList, options);
    QFETCH(QString, model);
    QFETCH(QString, range);
    const QString path = m_dir->filePath("new.rdt");
    QCOMPARE(runTool(QStringList { "new" } + options + QStringList { path }).exitCode, 0);
    QCOMPARE(QFileInfo(path).size(), 262709);

    if (!QStandardPaths::findExecutable("dfu-suffix").isEmpty()) {
        QProcess check;
        check.start("dfu-suffix", { "-c", path });
        QVERIFY(check.waitForFinished());
        QCOMPARE(check.exitCode(), 0);
    }

    const auto info = runTool({ "info", path });
    QCOMPARE(info.exitCode, 0);
    for (const char *key :
        { "channels", "contacts", "rx group lists", "zones", "scan lists", "emergency systems", "text messages" })
        QVERIFY2(info.out.contains(QStringLiteral("\n%1: 1\n").arg(QLatin1String(key))), qPrintable(info.out));
    QVERIFY(info.out.contains("changed by load: no"));
    QVERIFY(info.out.contains("passwords set: no"));
    QVERIFY(info.out.startsWith("model: " + model + "\n"));
    QVERIFY(info.out.contains("frequency range: " + range + "\n"));
}

void TestBasicCommands::infoRejectsBrokenFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray good = makeNewCodePlug(2, 0).toByteArray();
    QByteArray signature = good;
    signature.replace(0, 5, "DFUSE");
    QByteArray version = good;
    version[5] = 2;
    version[10] = 3;
    QByteArray imageSize = good;
    imageSize.replace(6, 4, QByteArray("\x25\x02\x04\x00", 4));
    QByteArray targets = good;
    targets[10] = 2;
    QTest::newRow("262708 bytes") << good.left(262708) << "Code plug file size error ..";
    QTest::newRow("262710 bytes") << good + "x"
                                  << "Code plug file size error ..";
    QTest::newRow("DFUSE") << signature << "Invalid code plug file (no DfuSe signature) ..";
    QTest::newRow("version 2, 3 targets") << version << "Invalid code plug file (DfuSe version) ..";
    QTest::newRow("image size 262693") << imageSize << "Invalid code plug file (DfuSe image size) ..";
    QTest::newRow("2 targets") << targets << "Invalid code plug file (number of DfuSe images) ..";
}

void TestBasicCommands::infoRejectsBrokenFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString path = testsupport::writeFile(*m_dir, "bad.rdt", bytes);
    const auto result = runTool({ "info", path });
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.startsWith(message + "\n\n" + path), qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
}

void TestBasicCommands::infoReportsCompaction()
{
    testsupport::ImageBuilder builder;
    builder.named(lists::zones, 4, "Far away");
    const auto result = runTool({ "info", builder.writeTo(*m_dir, "gap.rdt") });
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.contains("\nzones: 2\n"));
    QVERIFY(result.out.contains("changed by load: yes"));
}

void TestBasicCommands::compactWritesTheCompactedImage()
{
    testsupport::ImageBuilder builder;
    builder.named(lists::zones, 4, "Far away");
    const QString in = builder.writeTo(*m_dir, "gap.rdt");
    const QString out = m_dir->filePath("out.rdt");
    QCOMPARE(runTool({ "compact", in, out }).exitCode, 0);
    const auto info = runTool({ "info", out });
    QVERIFY(info.out.contains("changed by load: no"));
    QVERIFY(info.out.contains("\nzones: 2\n"));
    QCOMPARE(runTool({ "compact", m_dir->filePath("missing.rdt"), out }).exitCode, 1);
}

void TestBasicCommands::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList {};
    QTest::newRow("unknown command") << QStringList { "frobnicate" };
    QTest::newRow("band out of range") << QStringList { "new", "--band", "4", "x.rdt" };
    QTest::newRow("model not a number") << QStringList { "new", "--model", "x", "x.rdt" };
    QTest::newRow("info without file") << QStringList { "info" };
    QTest::newRow("compact with one file") << QStringList { "compact", "a.rdt" };
    QTest::newRow("unknown option") << QStringList { "info", "--fast", "a.rdt" };
}

void TestBasicCommands::usageErrors()
{
    QFETCH(QStringList, arguments);
    const auto result = runTool(arguments);
    QCOMPARE(result.exitCode, 2);
    QVERIFY(!result.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestBasicCommands)
#include "tst_basic.moc"
