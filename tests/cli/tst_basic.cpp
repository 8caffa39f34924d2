#include "ContactRecord.h"
#include "ImageBuilder.h"
#include "ToolRunner.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace codeplug;
using testsupport::readFile;
using testsupport::runTool;

// The commands outside the list groups (new, info, compact, settings, userdb), and the way out of
// every command group for bad arguments and files: exit status, message, nothing saved.
class TestBasicCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // Complete, accepted by dfu-suffix when it is installed, and loaded without change.
    void newFile()
    {
        const std::pair<QStringList, const char *> rows[] = { // the options, then model, band and frequency range
            { {}, "D680\nband: 2\nfrequency range: 400MHz .. 470MHz" },
            { { "--band", "0", "--model", "2" }, "DR790\nband: 0\nfrequency range: 136MHz .. 174MHz" },
            { { "--band", "3" }, "D680\nband: 3\nfrequency range: 450MHz .. 520MHz" }
        };
        for (const auto &[options, head] : rows) {
            const QString path = m_dir->filePath("new.rdt");
            QCOMPARE(runTool(QStringList { "new" } + options + QStringList { path }).exitCode, 0);
            if (!QStandardPaths::findExecutable("dfu-suffix").isEmpty()) {
                QProcess check;
                check.start("dfu-suffix", { "-c", path });
                QVERIFY(check.waitForFinished() && check.exitCode() == 0);
            }
            QCOMPARE(runTool({ "info", path }).out,
                "model: " + QLatin1String(head)
                    + "\nserial: \nchannels: 1\ncontacts: 1\nrx group lists: 1\nzones: 1\nscan lists: 1\n"
                      "emergency systems: 1\ntext messages: 1\npasswords set: no\nchanged by load: no\n");
        }
    }

    void compactWritesTheCompactedImage()
    {
        const QString in = testsupport::ImageBuilder().named(lists::zones, 4, "Far away").writeTo(*m_dir, "gap.rdt");
        const QString out = m_dir->filePath("out.rdt");
        QCOMPARE(runTool({ "compact", in, out }).exitCode, 0);
        QVERIFY(runTool({ "info", in }).out.endsWith("changed by load: yes\n"));
        QCOMPARE(runTool({ "info", out }).out, runTool({ "info", in }).out.replace("load: yes", "load: no"));
    }

    // The printed values, set again all at once, give the same file; a set on a copy shows the new
    // values.
    void settingsRoundTrip()
    {
        testsupport::ImageBuilder builder(2, 1);
        builder.u8(8880, 3).u8(8891, 0xFF).u8(8885, 1).u8(8886, 1).u8(8888, 5).u8(8982, 0x05);
        const QString plug = builder.writeTo(*m_dir, "template.rdt");
        const auto printed = runTool({ "settings", plug });
        QStringList pairs = printed.out.split(u'\n', Qt::SkipEmptyParts);
        pairs.replaceInStrings(QRegularExpression("^([a-z0-9-]+): "), "\\1=");
        QVERIFY(pairs.contains("radio-model=DR780 (DR-780)") && pairs.contains("keypad-lock-time=Manual"));
        const QString same = m_dir->filePath("same.rdt");
        QCOMPARE(runTool(QStringList { "settings", plug } + pairs + QStringList { "-o", same }).exitCode, 0);
        QCOMPARE(readFile(same), builder.image().toByteArray());

        const QString copy = m_dir->filePath("ann.rdt");
        QCOMPARE(runTool({ "settings", plug, "radio-id=2621234", "radio-name=Ann mobile", "-o", copy }).exitCode, 0);
        QVERIFY(runTool({ "settings", copy }).out.contains("\nradio-name: Ann mobile\nradio-id: 2621234\n"));
        QVERIFY(
            runTool({ "settings", "--keys" }).out.contains("\nbacklight-time: Always | 5 secs | 10 secs | 15 secs\n"));
    }

    // A downloaded file into the cache, searched, and two entries made contacts.
    void userDatabase()
    {
        const QString reply = testsupport::writeFile(*m_dir, "dmr.DB",
            "id;call;name;city;state;country\n2627654;DL1ABC;Hans Peter;B;B;Germany\n"
            "2221234;IZ1XYZ;Marco;R;L;Italy\n3100002;K1ABC;Bob;X;Y;United States\n");
        const QStringList data { "--data-dir", m_dir->path() };
        QCOMPARE(runTool(QStringList { "userdb", "parse", reply } + data).out, "3 entries\n");
        QCOMPARE(runTool(QStringList { "userdb", "search", "--country", "Germany", "dl1" } + data).out,
            "2627654\tDL1ABC\tHans Peter\t\t\t\tGermany\n");
        testsupport::ImageBuilder builder;
        writeContact(builder.image(), 1, 2627654, GroupCall, false, "Old");
        const QString plug = builder.writeTo(*m_dir, "plug.rdt");
        QCOMPARE(runTool(QStringList { "userdb", "add", plug, "3100002", "2627654" } + data).exitCode, 0);
        QCOMPARE(runTool({ "contacts", "list", plug }).out,
            "1\tContact 1\t0\tGroup call\n2\tDL1ABC Hans\t2627654\tPrivate call\n3\tK1ABC Bob\t3100002\tPrivate "
            "call\n");
    }

    // FILE is a new code plug that must stay as it was, OUT a file that must not appear; BROKEN a
    // file one byte short, NOFILE a missing one, BADCSV a channel file with a bad header, DIR the
    // data folder. `err` (with the same words replaced) is part of the message.
    void errors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");
        const auto row = [](const char *name, const QStringList &arguments, int exitCode, const char *err = "") {
            QTest::newRow(name) << arguments << exitCode << QString(err);
        };
        row("unknown command", { "frobnicate" }, 2);
        row("band out of range", { "new", "--band", "4", "OUT" }, 2);
        row("compact with one file", { "compact", "FILE" }, 2);
        row("unknown option", { "info", "--fast", "FILE" }, 2);
        row("info of a broken file", { "info", "BROKEN" }, 1, "Code plug file size error ..\n\nBROKEN");
        row("compact of a missing file", { "compact", "NOFILE", "OUT" }, 1);
        row("channels unknown", { "channels", "shuffle", "FILE" }, 2);
        row("channels delete without numbers", { "channels", "delete", "FILE" }, 2);
        row("channels delete 0", { "channels", "delete", "FILE", "--", "0" }, 2, "channel 0");
        row("channels move without by", { "channels", "move", "FILE", "1" }, 2);
        row("channels bad csv header", { "channels", "import", "FILE", "BADCSV" }, 1, "Incorrect header line ..\n\n");
        row("contacts unknown", { "contacts", "rename", "FILE" }, 2);
        row("contacts sort without key", { "contacts", "sort", "FILE" }, 2);
        row("contacts sort by bad key", { "contacts", "sort", "FILE", "--by", "colour" }, 2);
        row("contacts move without by", { "contacts", "move", "FILE", "1" }, 2);
        row("contacts delete not a number", { "contacts", "delete", "FILE", "x" }, 2, "not a record number: x");
        row("contacts past the list", { "contacts", "delete", "FILE", "--", "1001" }, 2, "contact 1001");
        row("contacts smallest int", { "contacts", "delete", "FILE", "--", "-2147483648" }, 2, "contact -2147483648");
        row("contacts bad protected id", { "contacts", "delete", "FILE", "1", "--protect-id", "16777216" }, 2);
        row("contacts export format", { "contacts", "export", "FILE", "OUT.doc" }, 1,
            "Don't know what format you want them exporting too");
        row("contacts import missing", { "contacts", "import", "FILE", "NOFILE.csv" }, 1, "Could not open the file");
        // A refused pair saves nothing, neither to -o nor in place, and an earlier good one neither.
        row("settings unknown key", { "settings", "FILE", "radio-colour=red", "-o", "OUT" }, 2, "unknown key: radio");
        row("settings refused value", { "settings", "FILE", "radio-id=7", "radio-id=16777216" }, 2, "Invalid Radio ID");
        row("userdb unknown", { "userdb", "fetch" }, 2);
        row("userdb no cache to search", { "userdb", "search", "--data-dir", "DIR" }, 1);
        row("userdb unknown ID to add", { "userdb", "add", "FILE", "12", "--data-dir", "DIR" }, 2);
        row("userdb download from nowhere", { "userdb", "download", "--host", "127.0.0.1:1", "--data-dir", "DIR" }, 1);
    }
    void errors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, err);
        const testsupport::ImageBuilder builder;
        const QString file = builder.writeTo(*m_dir, "a.rdt"), out = m_dir->filePath("out");
        const QList<std::pair<QString, QString>> words { { "NOFILE", m_dir->filePath("absent") }, { "FILE", file },
            { "OUT", out }, { "BROKEN", testsupport::writeFile(*m_dir, "b.rdt", QByteArray(262708, 0)) },
            { "BADCSV", testsupport::writeFile(*m_dir, "c.csv", "name,mode,\r\n") }, { "DIR", m_dir->path() } };
        for (const auto &[word, path] : words) {
            arguments.replaceInStrings(QRegularExpression("^" + word), path);
            err.replace(word, path);
        }
        const auto result = runTool(arguments);
        QTEST(result.exitCode, "exitCode");
        QVERIFY2(result.err.contains(err) && !result.err.isEmpty(), qPrintable(result.err));
        QCOMPARE(readFile(file), builder.image().toByteArray());
        QVERIFY(!QFileInfo::exists(out) && !QFileInfo::exists(out + ".doc"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestBasicCommands)
#include "tst_basic.moc"
