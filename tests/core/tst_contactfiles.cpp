#include "ContactFiles.h"
#include "ContactList.h"
#include "ContactRecord.h"
#include "ImageBuilder.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using namespace codeplug;
using testsupport::ImageBuilder;

namespace {

// Contacts 1.. as (ID, call type, rx tone, name).
ImageBuilder withRows(const QList<std::tuple<std::uint32_t, int, bool, QString>> &rows)
{
    ImageBuilder builder;
    for (int i = 0; i < rows.size(); ++i)
        std::apply([&](auto... fields) { writeContact(builder.image(), i, fields...); }, rows[i]);
    return builder;
}

ContactFileResult importText(
    FileImage &image, const QByteArray &text, ContactFileFormat format, const ProtectedIdList &protectedIds = {})
{
    QByteArray data = text;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return importContacts(image, buffer, format, protectedIds);
}

// "name|ID|call type|rx tone" per contact.
QStringList describeAll(const FileImage &image)
{
    QStringList result;
    for (int row = 0; row < contactCount(image); ++row)
        result.append(QStringLiteral("%1|%2|%3|%4")
                          .arg(contactName(image, row))
                          .arg(contactId(image, row))
                          .arg(contactCallType(image, row))
                          .arg(int(contactRxTone(image, row))));
    return result;
}

} // namespace

class TestContactFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A private call's name splits into two fields, a word like a callsign first; other names take one.
    void csvExportBytes()
    {
        const ImageBuilder builder = withRows({ { 9, GroupCall, false, "Talk 9" },
            { 2345678, PrivateCall, false, "DL1ABC Hans" }, { 2345679, PrivateCall, true, "Hans  DL2XYZ" },
            { 3000000, PrivateCall, false, "Solo" }, { 999999, GroupCall, false, "Local Net" },
            { 10, GroupCall, false, "Net; \"North\"" }, { 2345680, PrivateCall, false, "Smith, J" } });
        QCOMPARE(contactsFileContent(builder.image(), ContactFileFormat::Csv),
            QByteArray("contacts\r\n9,Talk 9,-\r\n2345678,DL1ABC,Hans\r\n2345679,DL2XYZ,Hans\r\n3000000,Solo,-\r\n"
                       "999999,Local Net,-\r\n10,\"Net; \"\"North\"\"\",-\r\n2345680,\"Smith,\",J\r\n"));
    }

    void txtExportBytes()
    {
        ImageBuilder builder = withRows(
            { { 9, GroupCall, false, "Talk 9" }, { 2345678, PrivateCall, true, QString::fromLatin1("A\xe9") } });
        builder.u8(lists::contacts.recordOffset(0) + 3, 0xC6);
        QCOMPARE(contactsFileContent(builder.image(), ContactFileFormat::Txt),
            QByteArray("[CONTACTS]\r\ncount=2\r\n[Contact1]\r\n0=Talk 9\r\n1=6\r\n2=9\r\n3=0\r\n"
                       "[Contact2]\r\n0=A\xe9\r\n1=2\r\n2=2345678\r\n3=1\r\n"));
    }

    // Into a fresh code plug, after its "Contact 1". A CSV file holds no rx tone and no call type: a
    // personal ID is a private call named callsign first.
    void roundTrip()
    {
        const ImageBuilder source = withRows({ { 9, GroupCall, false, "Talk 9" },
            { 2345678, PrivateCall, true, "DL1ABC Hans" }, { 2345679, AllCall, false, "Anna DL2XYZ" },
            { 10, GroupCall, false, "Net: \"A,B\"" }, { 2345680, PrivateCall, false, "DL3QQ \"Jo\"" },
            { 2345681, PrivateCall, false, "DL4AA DL5BB" }, { 2345682, PrivateCall, false, "Jo Ann DL6CC" } });
        for (const char *fileName : { "list.TXT", "list.csv" }) {
            QTemporaryDir dir;
            QStringList expected = QStringList { "Contact 1|0|1|0" } + describeAll(source.image());
            if (fileName == QLatin1String("list.csv"))
                expected.replace(2, "DL1ABC Hans|2345678|2|0"), expected.replace(3, "DL2XYZ Anna|2345679|2|0");
            QCOMPARE(exportContacts(source.image(), dir.filePath(fileName)).code, int(ContactsExported));
            ImageBuilder target;
            const ContactFileResult result = importContacts(target.image(), dir.filePath(fileName), {});
            QCOMPARE(result.code, 7);
            QVERIFY(result.message.isEmpty() && result.skippedLines.isEmpty());
            QCOMPARE(describeAll(target.image()), expected);
        }
    }

    // What a file brings into a fresh code plug, which holds "Contact 1": the result, the lines skipped
    // and the contacts after. Nothing imported leaves the image as it was.
    void imports_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<int>>("skipped");
        QTest::addColumn<QStringList>("contacts");
        const auto row = [](const char *name, ContactFileFormat format, const QByteArray &text, int code,
                             QList<int> skipped, const QStringList &contacts) {
            QTest::newRow(name) << int(format) << text << code << skipped
                                << QStringList { "Contact 1|0|1|0" } + contacts;
        };
        const ContactFileFormat txt = ContactFileFormat::Txt;
        row("txt block rules", txt,
            "[Contacts]\r\nCOUNT=5\r\n[Contact1]\r\n0=One\r\n1=1\r\n2=11\r\n3=0\r\n[Contact2]\r\n0=\r\n1=1\r\n2="
            "12\r\n3=0\r\n"
            "[Contact3]\r\n0=Three\r\n1=6\r\n2=13\r\n3=0\r\n[contact 4 ]\r\n0=Four\r\n1=5\r\n2=14\r\n3=1\r\n"
            "[Contact5]\r\n0=Five\r\n1=2\r\n2=16777216\r\n3=0\r\n[Contact6]\r\n0=Six\r\n1=2\r\n"
            "[Contact7]\r\n0=Seven\r\n1=3\r\n2=17\r\n3=1\r\n[ContactX]\r\n0=Eight\r\n1=3\r\n2=18\r\n3=1\r\n",
            3, { 8, 13, 23, 28 }, { "One|11|1|0", "Four|14|5|1", "Seven|17|3|1" });
        row("txt without header", txt, "[Contact1]\n0=A\n1=1\n2=5\n3=0\n", 0, {}, {});
        row("txt count 0", txt, "[CONTACTS]\ncount=0\n[Contact1]\n0=A\n1=1\n2=5\n3=0\n", 0, {}, {});
        row("txt line ends", txt,
            "[CONTACTS]\rcount=2\r\r[Contact1]\n0=A\r\n1=1\r2=5\n3=0\r\n[Contact2]\r0=B\r1=2\r2=6\r3=1", 2, {},
            { "A|5|1|0", "B|6|2|1" });
        row("csv skipped lines", ContactFileFormat::Csv, "contacts\r\n9,Nine\r\nx77,Name\r\n77,,x\n\r\n8,Eight\r\n", 2,
            { 3, 4 }, { "Nine|9|1|0", "Eight|8|1|0" });
        // A line holds 255 bytes at most, the rest is the next line; bytes above 0x7F end a name.
        const QByteArray exact = "2000000,AB" + QByteArray(242, ' ') + ",CD";
        const QByteArray longer = "2000002,AB" + QByteArray(243, ' ') + ",CD";
        const QByteArray overlong = "2000001,EF" + QByteArray(250, ' ') + "555,Tail";
        row("csv line length, high bytes", ContactFileFormat::Csv,
            exact + "\n" + longer + "\n" + overlong + "\n42,Caf\xe9 Bar\n\xff" + "43,Hidden\n44,Ok\x01rest\n", 5, {},
            { "AB CD|2000000|2|0", "AB C|2000002|2|0", "EF|2000001|2|0", "Caf|42|1|0", "Ok|44|1|0" });
    }

    void imports()
    {
        QFETCH(int, format);
        QFETCH(QByteArray, text);
        QFETCH(int, code);
        ImageBuilder builder;
        const FileImage before = builder.image();
        const ContactFileResult result = importText(builder.image(), text, ContactFileFormat(format));
        QCOMPARE(result.code, code);
        QTEST(result.skippedLines, "skipped");
        QTEST(describeAll(builder.image()), "contacts");
        if (code == 0)
            QVERIFY(builder.image() == before);
    }

    // One line of a CSV file: the contact it adds (none: skipped).
    void csvLineForms_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *line, const char *expected) {
            QTest::newRow(name) << QByteArray(line) << QString(expected);
        };
        row("quoted, empty name", "\"9\",\"\",x,y", "-|9|1|0");
        row("quoted, pipes", "\" 2345678 \",\"Jo Bloggs\"|a|b", "Jo Bloggs|2345678|2|0");
        row("quoted, too few fields", "\"9\",\"Nine\",x", "");
        row("quoted, bare id", "9,\"Nine\",x,y", "\"Nine\"|9|1|0");
        row("quoted id too short", "\"\",\"Nine\",x,y", "");
        row("plain group, third field ignored", "91;World Wide;ww", "World Wide|91|1|0");
        row("plain personal", "2345678|DL1ABC|Hans|ignored", "DL1ABC Hans|2345678|2|0");
        row("plain personal, quoted first name", "2345678:DL1ABC:\" Hans \"", "DL1ABC Hans|2345678|2|0");
        row("plain personal, dash", "2345678,DL1ABC,-", "DL1ABC|2345678|2|0");
        row("plain, id too large", "16777216,Big", "");
        row("long name cut at 16", "5,ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOP|5|1|0");
        row("long name trimmed after the cut", "5,ABCDEFGHIJKLMNO PQR", "ABCDEFGHIJKLMNO|5|1|0");
        row("quoted name, separators", "9, \"Net, North|1\" ,x", "Net, North|1|9|1|0");
        row("quoted name, doubled quote", "9,\"Say \"\"hi\"\"\",-", "Say \"hi\"|9|1|0");
        row("quoted first name, separator", "2345678,DL1ABC,\"Jo;Jo\"", "DL1ABC Jo;Jo|2345678|2|0");
        row("unclosed quote", "9,\"Net, North", "\"Net|9|1|0");
    }
    void csvLineForms()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, expected);
        ImageBuilder builder;
        importText(builder.image(), line, ContactFileFormat::Csv);
        const QStringList contacts = describeAll(builder.image());
        QCOMPARE(contacts.size(), expected.isEmpty() ? 1 : 2);
        if (!expected.isEmpty())
            QCOMPARE(contacts.last(), expected);
        // What was imported comes back unchanged through an export and an import.
        ImageBuilder again;
        importText(again.image(), contactsFileContent(builder.image(), ContactFileFormat::Txt), ContactFileFormat::Txt);
        QVERIFY(again.image() == builder.image());
    }

    void mergeUpdatesFirstOfEqualIdsLeavesProtectedAlone()
    {
        ImageBuilder builder = withRows({ { 1234, GroupCall, false, "Keep" },
            { 555, AllCall, true, "SIXTEEN LETTERS!" }, { 555, GroupCall, false, "Second" } });
        builder.u8(lists::contacts.recordOffset(1) + 3, 0xFB); // bits 3 and 4 set
        ProtectedIdList protectedIds;
        protectedIds.add(1234);
        const FileImage before = builder.image();
        const ContactFileResult result = importText(
            builder.image(), "contacts\n1234,Other\n555,Four\n66,New\n", ContactFileFormat::Csv, protectedIds);
        QCOMPARE(result.code, 2);
        QCOMPARE(contactRecordBytes(builder.image(), 0), contactRecordBytes(before, 0));
        QCOMPARE(describeAll(builder.image()).mid(1), (QStringList { "Four|555|1|0", "Second|555|1|0", "New|66|1|0" }));
        QCOMPARE(builder.image().u8(lists::contacts.recordOffset(1) + 3), 0xC1);
        QCOMPARE(builder.image().u16(lists::contacts.nameFieldOffset(1) + 8), 0);
    }

    // A file that just fills the list is not reported; one that does not fit is.
    void fullListIsReported()
    {
        ImageBuilder builder;
        for (int i = 1; i < 999; ++i)
            writeContact(builder.image(), i, std::uint32_t(100 + i), GroupCall, false, QStringLiteral("C%1").arg(i));
        ContactFileResult result = importText(builder.image(), "contacts\n7,Seven\nbad line\n", ContactFileFormat::Csv);
        QVERIFY(result.code == 1 && result.message.isEmpty());
        result = importText(builder.image(), "8,Eight\n9,Nine\n", ContactFileFormat::Csv);
        QCOMPARE(result.code, 0);
        QCOMPARE(result.message, "The contact list is full ..\n\nNot every contact in the file was imported");
        QCOMPARE(contactCount(builder.image()), 1000);
    }

    // Names refused before anything is opened (no message), an unknown format, a file not to be made or read.
    void fileNames()
    {
        QTemporaryDir dir;
        ImageBuilder builder;
        const auto exported = [&](const QString &name) { return exportContacts(builder.image(), name); };
        const auto imported = [&](const QString &name) { return importContacts(builder.image(), name, {}); };
        const std::tuple<ContactFileResult, int, const char *> rows[] = {
            { exported(" a.tx "), ExportNameTooShort, nullptr },
            { exported(dir.filePath("list.doc")), ExportUnknownFormat,
                "Don't know what format you want them exporting too (only .txt or .csv)" },
            { exported(dir.filePath("missing/list.csv")), ExportCannotCreate, "Could not create the file" },
            { imported("x.cs"), ImportNameTooShort, nullptr },
            { imported(dir.filePath("list.doc")), ImportCannotOpen,
                "Don't know what format you want them importing from (only .txt or .csv)" },
            { imported(dir.filePath("absent.csv")), ImportCannotOpen, "Could not open the file" },
        };
        for (const auto &[result, code, message] : rows) {
            QCOMPARE(result.code, code);
            if (message)
                QCOMPARE(result.message, QLatin1String(message));
        }
    }
};

QTEST_APPLESS_MAIN(TestContactFiles)
#include "tst_contactfiles.moc"
