#include "CodePlugFile.h"
#include "ContactRecord.h"
#include "ImageBuilder.h"
#include "ToolRunner.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace codeplug;
using testsupport::ImageBuilder;

namespace {

testsupport::ToolResult tool(const QStringList &arguments)
{
    return testsupport::runTool(QStringList { QStringLiteral("contacts") } + arguments);
}

// Contacts "C1".."Cn" with DMR IDs 101.., the first digital channel referring to contact 2.
ImageBuilder withContacts(int count)
{
    ImageBuilder builder;
    for (int i = 0; i < count; ++i)
        writeContact(builder.image(), i, std::uint32_t(101 + i), i % 2 ? PrivateCall : GroupCall, false,
            QStringLiteral("C%1").arg(i + 1));
    builder.u16(lists::channels.recordOffset(0) + 6, 2);
    return builder;
}

QStringList namesIn(const QString &path)
{
    CodePlugStore store;
    if (!loadCodePlugFile(store, 0, path).ok())
        return { QStringLiteral("<unreadable>") };
    QStringList names;
    for (int row = 0; row < contactCount(*store.slot(0)->image()); ++row)
        names.append(contactName(*store.slot(0)->image(), row));
    return names;
}

} // namespace

class TestContactsCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }
    void list();
    void exportFormats();
    void importMergesAndKeepsProtected();
    void importIntoFullList();
    void deleteReportsRefusalsAndGoesOn();
    void deleteStopsOnRefusal();
    void move();
    void sort();
    void usageErrors_data();
    void usageErrors();

private:
    QTemporaryDir m_dir;
};

void TestContactsCommands::list()
{
    const QString path = withContacts(3).writeTo(m_dir, QStringLiteral("list.rdt"));
    const auto run = tool({ QStringLiteral("list"), path });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("1\tC1\t101\tGroup call\n2\tC2\t102\tPrivate call\n3\tC3\t103\tGroup call\n"));
}

void TestContactsCommands::exportFormats()
{
    ImageBuilder builder;
    writeContact(builder.image(), 0, 9, GroupCall, false, QStringLiteral("Talk 9"));
    writeContact(builder.image(), 1, 2345678, PrivateCall, true, QStringLiteral("Hans DL1ABC"));
    const QString path = builder.writeTo(m_dir, QStringLiteral("export.rdt"));
    QCOMPARE(tool({ QStringLiteral("export"), path, m_dir.filePath("out.csv") }).exitCode, 0);
    QCOMPARE(testsupport::readFile(m_dir.filePath("out.csv")),
        QByteArray("contacts\r\n9,Talk 9,-\r\n2345678,DL1ABC,Hans\r\n"));
    QCOMPARE(tool({ QStringLiteral("export"), path, m_dir.filePath("out.txt") }).exitCode, 0);
    QVERIFY(testsupport::readFile(m_dir.filePath("out.txt"))
                .startsWith("[CONTACTS]\r\ncount=2\r\n[Contact1]\r\n0=Talk 9\r\n"));
    const auto wrong = tool({ QStringLiteral("export"), path, m_dir.filePath("out.doc") });
    QCOMPARE(wrong.exitCode, 1);
    QVERIFY(wrong.err.startsWith(QStringLiteral("Don't know what format you want them exporting too")));
}

void TestContactsCommands::importMergesAndKeepsProtected()
{
    const QString path = withContacts(2).writeTo(m_dir, QStringLiteral("import.rdt"));
    const QString csv
        = testsupport::writeFile(m_dir, QStringLiteral("in.csv"), "contacts\n101,New1\n102,New2\n9,Nine\n");
    const QString out = m_dir.filePath("imported.rdt");
    const auto run = tool({ QStringLiteral("import"), path, csv, QStringLiteral("--protect-id"), QStringLiteral("102"),
        QStringLiteral("-o"), out });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(namesIn(out), (QStringList { "New1", "C2", "Nine" }));
    QCOMPARE(namesIn(path), (QStringList { "C1", "C2" }));
    const auto missing = tool({ QStringLiteral("import"), path, m_dir.filePath("absent.csv") });
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.err.startsWith(QStringLiteral("Could not open the file")));
}

void TestContactsCommands::importIntoFullList()
{
    const QString path = withContacts(999).writeTo(m_dir, QStringLiteral("full.rdt"));
    const QString csv = testsupport::writeFile(m_dir, QStringLiteral("more.csv"), "1,One\n2,Two\n");
    const auto run = tool({ QStringLiteral("import"), path, csv });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QStringLiteral("The contact list is full ..\n\nNot every contact in the file was imported\n"));
    QCOMPARE(namesIn(path).size(), 1000);
    QCOMPARE(namesIn(path).last(), QStringLiteral("One"));
}

void TestContactsCommands::deleteReportsRefusalsAndGoesOn()
{
    const QString path = withContacts(6).writeTo(m_dir, QStringLiteral("delete.rdt"));
    const auto run = tool({ QStringLiteral("delete"), path, QStringLiteral("5"), QStringLiteral("2"),
        QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("--protect-id"), QStringLiteral("103") });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QStringLiteral("Cannot delete contact \"C2\".\n\nIt's used in channel \"Channel 1\" setting\n"));
    QCOMPARE(namesIn(path), (QStringList { "C1", "C2", "C3", "C6" }));
}

void TestContactsCommands::deleteStopsOnRefusal()
{
    const QString path = withContacts(4).writeTo(m_dir, QStringLiteral("stop.rdt"));
    const auto run = tool({ QStringLiteral("delete"), path, QStringLiteral("2"), QStringLiteral("3"),
        QStringLiteral("--stop-on-refusal") });
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.contains(QStringLiteral("channel \"Channel 1\"")));
    QCOMPARE(namesIn(path), (QStringList { "C1", "C2", "C3", "C4" }));
}

void TestContactsCommands::move()
{
    const QString path = withContacts(8).writeTo(m_dir, QStringLiteral("move.rdt"));
    QCOMPARE(tool({ QStringLiteral("move"), path, QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("--by"),
                      QStringLiteral("10") })
                 .exitCode,
        0);
    QCOMPARE(namesIn(path), (QStringList { "C4", "C1", "C6", "C2", "C3", "C5", "C7", "C8" }));
    const QString out = m_dir.filePath("moved.rdt");
    QCOMPARE(tool({ QStringLiteral("move"), path, QStringLiteral("1"), QStringLiteral("--by"), QStringLiteral("-2"),
                      QStringLiteral("-o"), out })
                 .exitCode,
        0);
    QCOMPARE(namesIn(out), (QStringList { "C1", "C6", "C4", "C2", "C3", "C5", "C7", "C8" }));
    CodePlugStore store;
    QVERIFY(loadCodePlugFile(store, 0, out).ok());
    QCOMPARE(store.slot(0)->image()->u16(lists::channels.recordOffset(0) + 6), 4); // the channel still names C2
}

void TestContactsCommands::sort()
{
    const QString path = withContacts(5).writeTo(m_dir, QStringLiteral("sort.rdt"));
    QCOMPARE(tool({ QStringLiteral("sort"), path, QStringLiteral("--by"), QStringLiteral("type"),
                      QStringLiteral("--protect-id"), QStringLiteral("105") })
                 .exitCode,
        0);
    QCOMPARE(namesIn(path), (QStringList { "C5", "C1", "C3", "C2", "C4" }));
    QCOMPARE(tool({ QStringLiteral("sort"), path, QStringLiteral("--by"), QStringLiteral("id") }).exitCode, 0);
    QCOMPARE(namesIn(path), (QStringList { "C1", "C2", "C3", "C4", "C5" }));
}

void TestContactsCommands::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("unknown command") << QStringList { "rename", "FILE" } << 2;
    QTest::newRow("sort without key") << QStringList { "sort", "FILE" } << 2;
    QTest::newRow("sort by bad key") << QStringList { "sort", "FILE", "--by", "colour" } << 2;
    QTest::newRow("move without --by") << QStringList { "move", "FILE", "1" } << 2;
    QTest::newRow("delete unused record") << QStringList { "delete", "FILE", "4" } << 2;
    QTest::newRow("delete not a number") << QStringList { "delete", "FILE", "x" } << 2;
    QTest::newRow("bad protected id") << QStringList { "delete", "FILE", "1", "--protect-id", "16777216" } << 2;
    QTest::newRow("export without target") << QStringList { "export", "FILE" } << 2;
    QTest::newRow("unreadable file") << QStringList { "list", "NOFILE" } << 1;
}

void TestContactsCommands::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const QString path = withContacts(3).writeTo(m_dir, QStringLiteral("usage.rdt"));
    const QByteArray before = testsupport::readFile(path);
    arguments.replaceInStrings(QStringLiteral("NOFILE"), m_dir.filePath("absent.rdt"));
    arguments.replaceInStrings(QStringLiteral("FILE"), path);
    const auto run = tool(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(!run.err.isEmpty());
    QCOMPARE(testsupport::readFile(path), before);
}

QTEST_GUILESS_MAIN(TestContactsCommands)
#include "tst_contacts.moc"
