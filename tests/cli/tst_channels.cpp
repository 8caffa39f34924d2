#include "ChannelCsv.h"
#include "ChannelRecord.h"
#include "CodePlugFile.h"
#include "CodePlugStore.h"
#include "ImageBuilder.h"
#include "ToolRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace codeplug;
using testsupport::runTool;

namespace {

const ListLayout &kChannels = lists::channels;
const int kZoneMember = members::zoneChannels.memberOffset(0, 0);

testsupport::ImageBuilder withChannels(const QStringList &names)
{
    testsupport::ImageBuilder builder;
    for (int i = 0; i < names.size(); ++i)
        builder.named(kChannels, i, names.at(i));
    return builder;
}

FileImage loaded(const QString &path)
{
    CodePlugStore store;
    if (!loadCodePlugFile(store, 0, path).ok())
        qFatal("cannot load %s", qPrintable(path));
    return *store.slot(0)->image();
}

QStringList channelNames(const QString &path)
{
    const FileImage image = loaded(path);
    QStringList names;
    for (int i = 0; isRecordUsed(image, kChannels, i); ++i)
        names.append(channelName(image, i));
    return names;
}

} // namespace

class TestChannelsCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void list()
    {
        auto builder = withChannels({ "Alpha", "Beta" });
        setChannelField(builder.image(), 1, channelfields::mode, 1);
        setChannelU32(builder.image(), 1, channeloffsets::txFrequency, 0x43912500);
        const auto result = runTool({ "channels", "list", builder.writeTo(*m_dir, "a.rdt") });
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out,
            QStringLiteral("1\tAlpha\tDigital\t430.00000\t430.00000\n"
                           "2\tBeta\tAnalogue\t430.00000\t439.12500\n"));
    }

    void exportWritesTheCsv()
    {
        auto builder = withChannels({ "Alpha", "Beta" });
        const QString csv = m_dir->filePath("out.csv");
        QCOMPARE(runTool({ "channels", "export", builder.writeTo(*m_dir, "a.rdt"), csv }).exitCode, 0);
        QCOMPARE(testsupport::readFile(csv), channelsCsvText(builder.image()));
        const auto failed = runTool({ "channels", "export", builder.writeTo(*m_dir, "a.rdt"), "/nonexistent/x.csv" });
        QCOMPARE(failed.exitCode, 1);
        QVERIFY(failed.err.startsWith("Could not create the file ..\n\n/nonexistent/x.csv"));
    }

    void importMergesAndProtects()
    {
        auto source = withChannels({ "Alpha", "Beta", "Gamma" });
        setChannelField(source.image(), 0, channelfields::colourCode, 9);
        setChannelField(source.image(), 1, channelfields::colourCode, 9);
        const QString csv = testsupport::writeFile(*m_dir, "in.csv", channelsCsvText(source.image()));
        auto target = withChannels({ "alpha", "BETA" });
        const QString in = target.writeTo(*m_dir, "t.rdt");
        const QString out = m_dir->filePath("out.rdt");
        const auto result = runTool({ "channels", "import", in, csv, "--protect", "beta", "-o", out });
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(channelNames(out), (QStringList { "Alpha", "BETA", "Gamma" }));
        const FileImage image = loaded(out);
        QCOMPARE(channelField(image, 0, channelfields::colourCode), 9);
        QCOMPARE(channelField(image, 1, channelfields::colourCode), 1);
        QCOMPARE(testsupport::readFile(in), target.image().toByteArray()); // -o leaves the input alone
    }

    void importReportsButGoesOn()
    {
        auto full = testsupport::ImageBuilder();
        for (int i = 0; i < kChannels.count; ++i)
            full.named(kChannels, i, QStringLiteral("C%1").arg(i + 1));
        const QByteArray data = QByteArray(kChannelCsvHeader) + "\r\nNew,x\r\n"
            + channelsCsvText(withChannels({ "Other" }).image()).mid(int(sizeof kChannelCsvHeader) + 1);
        const QString csv = testsupport::writeFile(*m_dir, "in.csv", data);
        const QString path = full.writeTo(*m_dir, "full.rdt");
        const auto result = runTool({ "channels", "import", path, csv });
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(
            result.err.contains("The channel list is full ..\n\n1 channels were not imported"), qPrintable(result.err));
        const QString badHeader = testsupport::writeFile(*m_dir, "bad.csv", "name,mode,\r\n");
        const auto rejected = runTool({ "channels", "import", path, badHeader });
        QCOMPARE(rejected.exitCode, 1);
        QVERIFY(rejected.err.startsWith("Incorrect header line ..\n\n" + badHeader));
    }

    void deleteWithRefusals_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("ok goes on") << QStringList {} << QStringList { "C2", "C3", "C5" };
        QTest::newRow("stop on refusal") << QStringList { "--stop-on-refusal" }
                                         << QStringList { "C2", "C3", "C4", "C5" };
        QTest::newRow("protected") << QStringList { "--protect", "c1" } << QStringList { "C1", "C2", "C3", "C5" };
    }
    void deleteWithRefusals()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, names);
        auto builder = withChannels({ "C1", "C2", "C3", "C4", "C5" });
        builder.u16(kZoneMember, 3);
        const QString path = builder.writeTo(*m_dir, "a.rdt");
        const auto result = runTool(QStringList { "channels", "delete", path, "4", "1", "3" } + options);
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.err.startsWith("Cannot delete channel \"C3\".\n\nIt's used in ZONES \"Zone 1\" setting\n"));
        const QStringList kept = channelNames(path);
        QCOMPARE(kept, names);
        QCOMPARE(int(loaded(path).u16(kZoneMember)), kept.indexOf("C3") + 1);
    }

    void moveAndSort()
    {
        auto builder = withChannels({ "d", "c", "b", "a" });
        builder.u16(kZoneMember, 4);
        const QString path = builder.writeTo(*m_dir, "a.rdt");
        QCOMPARE(runTool({ "channels", "move", path, "3", "4", "--by", "2" }).exitCode, 0);
        QCOMPARE(channelNames(path), (QStringList { "b", "a", "d", "c" }));
        QCOMPARE(loaded(path).u16(kZoneMember), 2);
        QCOMPARE(runTool({ "channels", "move", path, "1", "--by", "-9" }).exitCode, 0);
        QCOMPARE(channelNames(path), (QStringList { "a", "d", "c", "b" }));
        const QString out = m_dir->filePath("sorted.rdt");
        QCOMPARE(runTool({ "channels", "sort", path, "--protect", "D", "-o", out }).exitCode, 0);
        QCOMPARE(channelNames(out), (QStringList { "d", "a", "b", "c" }));
        QCOMPARE(loaded(out).u16(kZoneMember), 2);
    }

    void usageAndFileErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no subcommand") << QStringList { "channels" } << 2;
        QTest::newRow("unknown subcommand") << QStringList { "channels", "shuffle", "a.rdt" } << 2;
        QTest::newRow("list without file") << QStringList { "channels", "list" } << 2;
        QTest::newRow("export without csv") << QStringList { "channels", "export", "a.rdt" } << 2;
        QTest::newRow("delete without numbers") << QStringList { "channels", "delete", "a.rdt" } << 2;
        QTest::newRow("delete unused number") << QStringList { "channels", "delete", "a.rdt", "7" } << 2;
        QTest::newRow("delete not a number") << QStringList { "channels", "delete", "a.rdt", "x" } << 2;
        QTest::newRow("move without by") << QStringList { "channels", "move", "a.rdt", "1" } << 2;
        QTest::newRow("missing file") << QStringList { "channels", "list", "missing.rdt" } << 1;
    }
    void usageAndFileErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        const QString path = withChannels({ "One" }).writeTo(*m_dir, "a.rdt");
        arguments.replaceInStrings(QStringLiteral("a.rdt"), path);
        arguments.replaceInStrings(QStringLiteral("missing.rdt"), m_dir->filePath("missing.rdt"));
        const QByteArray before = testsupport::readFile(path);
        const auto result = runTool(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(!result.err.isEmpty());
        QCOMPARE(testsupport::readFile(path), before);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestChannelsCommands)
#include "tst_channels.moc"
