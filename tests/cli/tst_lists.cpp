#include "ChannelCsv.h"
#include "ChannelRecord.h"
#include "ContactFiles.h"
#include "ContactRecord.h"
#include "ImageBuilder.h"
#include "ToolRunner.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace codeplug;
using testsupport::ImageBuilder;
using testsupport::readFile;
using testsupport::runTool;

namespace {

const QMap<QString, ListLayout> kLayouts { { "channels", lists::channels }, { "contacts", lists::contacts },
    { "grouplists", lists::rxGroupLists }, { "zones", lists::zones }, { "scanlists", lists::scanLists },
    { "emergency", lists::emergencySystems } };

// R1..Rn in the list; contacts get DMR IDs 101.. and alternate group and private calls.
ImageBuilder fixture(const QString &list, int count, ImageBuilder builder = ImageBuilder())
{
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("R%1").arg(i + 1);
        if (list == "contacts")
            writeContact(builder.image(), i, std::uint32_t(101 + i), i % 2 ? PrivateCall : GroupCall, false, name);
        else
            builder.named(kLayouts.value(list), i, name);
    }
    return builder;
}

// A place that names record 3 and blocks its deletion: the first zone's first member, the
// contact or the group list, scan list or emergency system of the first (digital) channel. Zones:
// the first channel's group list field, which zone commands leave alone.
int referenceOffset(const QString &list)
{
    const QMap<QString, int> offsets { { "channels", 85029 }, { "contacts", 127019 }, { "grouplists", 127025 },
        { "zones", 127025 }, { "scanlists", 127024 }, { "emergency", 127023 } };
    return offsets.value(list);
}

QStringList names(const QString &list, const QString &path)
{
    return testsupport::usedNames(FileImage(readFile(path)), kLayouts.value(list));
}

} // namespace

class TestListCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // Each row runs `<list> ARGS` (the list is the row name's first word) on R1..Rn whose record 3 is
    // referred to; FILE and OUT stand for the paths. The names ("" to skip) and the reference are
    // read from OUT when given, else from FILE.
    void commands_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<QString>("names");
        QTest::addColumn<int>("reference");
        const auto row = [](const char *name, int count, const QStringList &arguments, const char *out,
                             const QString &err, const char *names = "", int reference = 0) {
            QTest::newRow(name) << QString(name).section(u' ', 0, 0) << count << arguments << QString(out) << err
                                << QString(names) << reference;
        };
        const QString refusal = "Cannot delete %1 \"R3\".\n\nIt's used in %2 setting\n";
        const QString channel = refusal.arg("channel", "ZONES \"Zone 1\"");
        const QString contact = refusal.arg("contact", "channel \"Channel 1\"");
        row("channels list", 2, { "list", "FILE" },
            "1\tR1\tDigital\t430.00000\t430.00000\n2\tR2\tDigital\t430.00000\t430.00000\n", "");
        row("channels delete goes on", 5, { "delete", "FILE", "4", "1", "3" }, "2 channels deleted\n", channel,
            "R2 R3 R5", 2);
        row("channels delete stops", 5, { "delete", "FILE", "4", "1", "3", "--stop-on-refusal" },
            "1 channels deleted\n", channel, "R2 R3 R4 R5", 2);
        row("channels delete protected", 5, { "delete", "FILE", "4", "1", "--protect", "r1", "-o", "OUT" },
            "1 channels deleted\n", "", "R1 R2 R3 R5", 3);
        row("channels move", 4, { "move", "FILE", "3", "4", "--by", "2" }, "", "", "R3 R4 R1 R2", 1);
        row("channels sort", 5, { "sort", "FILE", "--protect", "R4", "-o", "OUT" }, "", "", "R4 R1 R2 R3 R5", 4);
        row("contacts list", 2, { "list", "FILE" }, "1\tR1\t101\tGroup call\n2\tR2\t102\tPrivate call\n", "");
        row("contacts delete goes on", 6, { "delete", "FILE", "5", "2", "3", "4", "--protect-id", "104" }, "", contact,
            "R1 R3 R4 R6", 2);
        row("contacts delete stops", 6, { "delete", "FILE", "2", "3", "5", "--stop-on-refusal" }, "", contact,
            "R1 R3 R4 R5 R6", 2);
        row("contacts move", 8, { "move", "FILE", "4", "6", "--by", "10", "-o", "OUT" }, "", "",
            "R4 R1 R6 R2 R3 R5 R7 R8", 5);
        row("contacts sort", 5, { "sort", "FILE", "--by", "type", "--protect-id", "105" }, "", "", "R5 R1 R3 R2 R4", 3);
        row("grouplists list", 2, { "list", "FILE" }, "1\tR1\n2\tR2\n", "");
        row("scanlists delete stops", 5, { "delete", "FILE", "4", "1", "3", "--stop-on-refusal", "-o", "OUT" }, "",
            refusal.arg("scan list", "channel \"Channel 1\""), "R2 R3 R4 R5", 2);
        row("zones add", 2, { "add", "FILE", " Simplex " }, "3\tSimplex\n", "", "R1 R2 Simplex", 3);
        row("scanlists rename", 3, { "rename", "FILE", "2", "Repeaters", "-o", "OUT" }, "", "", "R1 Repeaters R3", 3);
        row("zones move", 4, { "move", "FILE", "1", "--by", "-9" }, "", "", "R2 R3 R4 R1", 3);
    }
    void commands()
    {
        QFETCH(QString, list);
        QFETCH(int, count);
        QFETCH(QStringList, arguments);
        QFETCH(QString, names);
        ImageBuilder builder = fixture(list, count);
        builder.u16(referenceOffset(list), 3);
        const QString path = builder.writeTo(*m_dir, "a.rdt");
        const QString output = arguments.contains("OUT") ? m_dir->filePath("out.rdt") : path;
        arguments.replaceInStrings(QRegularExpression("^FILE$"), path);
        arguments.replaceInStrings(QRegularExpression("^OUT$"), output);
        const auto result = runTool(QStringList { list } + arguments);
        QCOMPARE(result.exitCode, 0);
        QTEST(result.out, "out");
        QTEST(result.err, "err");
        if (names.isEmpty())
            return;
        QCOMPARE(::names(list, output).join(u' '), names);
        QTEST(int(FileImage(readFile(output)).u16(referenceOffset(list))), "reference");
        if (output != path)
            QCOMPARE(readFile(path), builder.image().toByteArray()); // -o leaves the input alone
    }

    // Each row runs `<list> ARGS` on three records of the list whose first record holds the
    // members 3 and 2, with contacts (group calls 1, 3, 5) or channels R1..R6; `out` ends the
    // members command's output afterwards. That a refusal saves nothing is the error table's.
    void members()
    {
        const std::tuple<QString, QStringList, int, const char *, const char *> rows[] = {
            { "grouplists", { "members", "FILE", "1" }, 0, "", "3\tR3\n2\tR2\n" },
            { "grouplists", { "add-members", "FILE", "1", "5", "1" }, 0, "", "3\tR3\n2\tR2\n5\tR5\n1\tR1\n" },
            { "grouplists", { "add-members", "FILE", "1", "5", "4" }, 2, "contact 4 is not offered", "" },
            { "zones", { "add-members", "FILE", "1", "6", "1", "5", "4" }, 0, "zone 1 is full; not added: 5 4",
                "113\t\n6\tR6\n1\tR1\n" },
            { "scanlists", { "remove-members", "FILE", "1", "2" }, 0, "", "3\tR3\n" },
            { "scanlists", { "remove-members", "FILE", "1", "1" }, 2, "channel 1 is not a member", "" },
            { "emergency", { "members", "FILE", "1" }, 2, "unknown emergency command", "" },
        };
        for (auto [list, arguments, exitCode, err, out] : rows) {
            ImageBuilder builder = fixture(list == "grouplists" ? "contacts" : "channels", 6, fixture(list, 3));
            const int firstSlot = list == "grouplists" ? 61029 : list == "zones" ? 85029 : 101039;
            builder.u16(firstSlot, 3).u16(firstSlot + 2, 2);
            if (list == "zones") // a zone holds 16 channels: two slots left
                for (int slot = 2; slot < 14; ++slot)
                    builder.u16(firstSlot + 2 * slot, std::uint16_t(100 + slot));
            const QString path = builder.writeTo(*m_dir, "a.rdt");
            arguments.replaceInStrings(QRegularExpression("^FILE$"), path);
            const auto result = runTool(QStringList { list } + arguments);
            QCOMPARE(result.exitCode, exitCode);
            QVERIFY2(
                result.err.contains(QLatin1String(err)) && (!*err == result.err.isEmpty()), qPrintable(result.err));
            if (arguments.first() == "members")
                QCOMPARE(result.out, QLatin1String(out));
            else if (exitCode == 0)
                QVERIFY(runTool({ list, "members", path, "1" }).out.endsWith(QLatin1String(out)));
        }
    }

    // Export writes what the file writers make; import names its skipped lines and keeps the
    // protected records. The readers' rules are tested with them.
    void exportAndImport()
    {
        const ImageBuilder source = fixture("channels", 3);
        const QString csv = m_dir->filePath("out.csv");
        QCOMPARE(runTool({ "channels", "export", source.writeTo(*m_dir, "s.rdt"), csv }).exitCode, 0);
        QCOMPARE(readFile(csv), channelsCsvText(source.image()));
        testsupport::writeFile(*m_dir, "out.csv", readFile(csv) + "New,x\r\n");
        const QString path = ImageBuilder().records(lists::channels, { "r1", "r2" }).writeTo(*m_dir, "t.rdt");
        const auto imported = runTool({ "channels", "import", path, csv, "--protect", "R2" });
        QCOMPARE(imported.out + imported.err, "2 channels imported\n1 line skipped: 5\n");
        QCOMPARE(names("channels", path), (QStringList { "R1", "r2", "R3" }));

        ImageBuilder contacts;
        writeContact(contacts.image(), 0, 9, GroupCall, false, "Talk 9");
        writeContact(contacts.image(), 1, 2345678, PrivateCall, true, "Hans DL1ABC");
        const QString rdt = contacts.writeTo(*m_dir, "c.rdt");
        QCOMPARE(runTool({ "contacts", "export", rdt, m_dir->filePath("c.txt") }).exitCode, 0);
        QCOMPARE(readFile(m_dir->filePath("c.txt")), contactsFileContent(contacts.image(), ContactFileFormat::Txt));
        const QString in = testsupport::writeFile(*m_dir, "in.csv", "contacts\n9,New9\n2345678,New2\n7,Seven\nx,bad\n");
        const auto contactImport = runTool({ "contacts", "import", rdt, in, "--protect-id", "2345678" });
        QCOMPARE(contactImport.out + contactImport.err, "1 contacts added, 1 updated\n1 line skipped: 5\n");
        QCOMPARE(names("contacts", rdt), (QStringList { "New9", "Hans DL1ABC", "Seven" }));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestListCommands)
#include "tst_lists.moc"
