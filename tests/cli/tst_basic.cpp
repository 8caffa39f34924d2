#include "ImageBuilder.h"
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
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void newFileIsAcceptedEverywhere_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("range");
        QTest::newRow("defaults") << QStringList {} << QStringLiteral("D680") << "400MHz .. 470MHz";
        QTest::newRow("DR780 band 2") << QStringList { "--model", "1" } << QStringLiteral("DR780")
                                      << "400MHz .. 480MHz";
        QTest::newRow("DR790 band 0") << QStringList { "--band", "0", "--model", "2" } << QStringLiteral("DR790")
                                      << "136MHz .. 174MHz";
        QTest::newRow("band 3") << QStringList { "--band", "3" } << QStringLiteral("D680") << "450MHz .. 520MHz";
    }
    void newFileIsAcceptedEverywhere()
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

    // Each broken container is told apart by the loader's own tests; here only the way out matters.
    void infoRejectsBrokenFiles()
    {
        const QString path = testsupport::writeFile(*m_dir, "bad.rdt", QByteArray(262708, 0));
        const auto result = runTool({ "info", path });
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.startsWith("Code plug file size error ..\n\n" + path), qPrintable(result.err));
        QVERIFY(result.out.isEmpty());
    }

    void compactWritesTheCompactedImage()
    {
        testsupport::ImageBuilder builder;
        builder.named(lists::zones, 4, "Far away");
        const QString in = builder.writeTo(*m_dir, "gap.rdt");
        const auto before = runTool({ "info", in });
        QCOMPARE(before.exitCode, 0);
        QVERIFY(before.out.contains("\nzones: 2\n"));
        QVERIFY(before.out.contains("changed by load: yes"));

        const QString out = m_dir->filePath("out.rdt");
        QCOMPARE(runTool({ "compact", in, out }).exitCode, 0);
        const auto after = runTool({ "info", out });
        QVERIFY(after.out.contains("changed by load: no"));
        QVERIFY(after.out.contains("\nzones: 2\n"));
        QCOMPARE(runTool({ "compact", m_dir->filePath("missing.rdt"), out }).exitCode, 1);
    }

    void usageErrors_data()
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
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        const auto result = runTool(arguments);
        QCOMPARE(result.exitCode, 2);
        QVERIFY(!result.err.isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestBasicCommands)
#include "tst_basic.moc"
