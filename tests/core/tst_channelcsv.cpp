#include "ChannelCsv.h"
#include "ChannelList.h"
#include "ChannelRecord.h"
#include "ImageBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace codeplug;

namespace {

const ListLayout &kChannels = lists::channels;
const QByteArray kHeader = QByteArray(kChannelCsvHeader) + "\r\n";
const QByteArray kDefaultFields = ",2,43000000,43000000,0,0,1,0,0,0,1, 1,0,0,0, 0,0,1,1,1,0,0, 1,0,1,1,0,  0,    0,  0,"
                                  "  0,  4,  0,0,0,0,0,0,0,0,0,  0,  0,65535,65535,1,1\r\n";

// A record as an import gives it back: in-call criteria 0, reserved bits at their new-record values.
QByteArray withoutUnexportedBits(QByteArray record)
{
    const QByteArray fresh = QByteArray::fromHex("621400E105C30000040000000001 00FF").replace(' ', "");
    const auto reset = [&](int byte, int mask) { record[byte] = char((record[byte] & ~mask) | (fresh[byte] & mask)); };
    reset(0, 0x40);
    reset(3, 0x34);
    reset(5, 0xFF);
    reset(13, 0xE0);
    reset(15, 0xFF);
    record[30] = char(0xFF);
    record[31] = char(record[31] | 0xFC);
    return record;
}

ChannelCsvResult import(FileImage &image, const QByteArray &text, const ProtectedChannelList &protectedNames = {})
{
    return importChannelsCsvText(image, text, QStringLiteral("in.csv"), protectedNames);
}

QByteArray line(const QByteArray &name, const QByteArray &mode = "1", const QByteArray &rx = "43912500")
{
    return name + "," + mode + "," + rx + ",43912500,0,0,1,0,0,0,1,1,0,0,0,0,0,1,1,1,0,0,1,0,1,1,0,0,0,0,0,4,0,"
        + "0,0,0,0,0,0,0,0,0,0,65535,65535,1,1\r\n";
}

} // namespace

class TestChannelCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exportBytes()
    {
        testsupport::ImageBuilder builder;
        FileImage &image = builder.image();
        initChannelRecord(image, 1, QStringLiteral("Alpha"));
        setChannelField(image, 1, channelfields::mode, 1);
        setChannelU32(image, 1, channeloffsets::rxFrequency, 0x43912500);
        setChannelU32(image, 1, channeloffsets::txFrequency, 0x43412500);
        setChannelField(image, 1, channelfields::colourCode, 12);
        setChannelU16(image, 1, channeloffsets::contact, 1234);
        setChannelU16(image, 1, channeloffsets::rxTone, 0x0670);
        setChannelU16(image, 1, channeloffsets::txTone, 0x8023);
        setChannelField(image, 1, channelfields::scanList, 7);
        setChannelField(image, 1, channelfields::decode(3), 1);
        setChannelField(image, 1, channelfields::txSignalling, 2);
        setChannelField(image, 1, channelfields::rxSignalling, 1);
        setChannelField(image, 1, channelfields::displayPttIdOff, 0);
        initChannelRecord(image, 2, QString());
        for (int unit = 0; unit < 3; ++unit) // a name of blanks only
            image.setU16(kChannels.nameFieldOffset(2) + 2 * unit, ' ');
        const QByteArray expected = kHeader + "Channel 1       " + kDefaultFields
            + "Alpha           ,1,43912500,43412500,0,0,1,0,0,0,1,12,0,0,0, 0,0,1,0,1,0,0, 1,"
              "0,1,1,0,  7, 1234,  0,  0,  4,  0,0,0,1,0,0,0,0,0,  2,  1, 1648,32803,1,1\r\n"
            + "no_name-3       " + kDefaultFields;
        QCOMPARE(channelsCsvText(image), expected);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.csv"));
        QCOMPARE(exportChannelsCsv(image, path).value, 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expected);
    }

    void fileFailures()
    {
        testsupport::ImageBuilder builder;
        const QString path = QStringLiteral("/nonexistent-folder/out.csv");
        const ChannelCsvResult result = exportChannelsCsv(builder.image(), path);
        QCOMPARE(result.value, int(CsvCannotCreate));
        QCOMPARE(result.messages, QStringList { "Could not create the file ..\n\n" + path });
        QCOMPARE(exportChannelsCsv(builder.image(), QString()).value, int(CsvNoFileName));

        const ChannelCsvResult missing = importChannelsCsv(builder.image(), QStringLiteral("/nonexistent.csv"), {});
        QCOMPARE(missing.value, int(CsvCannotOpen));
        QCOMPARE(missing.messages, QStringList { "Could not open the file ..\n\n/nonexistent.csv" });
    }

    void roundTripOverwritesWithSameBytes()
    {
        testsupport::ImageBuilder builder;
        FileImage &image = builder.image();
        const QStringList names { "One", "two", "Three 3", "Sixteen chars ok" };
        for (int i = 0; i < names.size(); ++i) {
            initChannelRecord(image, i, names.at(i));
            // Vary every byte but the name, reserved bits included.
            for (int b = 0; b < 32; ++b)
                image.setU8(kChannels.recordOffset(i) + b, std::uint8_t(0x11 * (b + i) + 3));
            setChannelU32(image, i, channeloffsets::rxFrequency, 0x43012340 + std::uint32_t(i));
            setChannelU32(image, i, channeloffsets::txFrequency, 0x47900000);
        }
        QByteArrayList expected;
        for (int i = 0; i < names.size(); ++i)
            expected.append(withoutUnexportedBits(testsupport::recordBytes(image, kChannels, i)));
        const ChannelCsvResult result = import(image, channelsCsvText(image));
        QCOMPARE(result.value, names.size());
        QVERIFY(result.messages.isEmpty());
        QCOMPARE(usedRecordCount(image, kChannels), names.size());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(testsupport::recordBytes(image, kChannels, i).toHex(' '), expected.at(i).toHex(' '));
    }

    // A name holding a separator or a double quote is quoted, and comes back as it was.
    void quotedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("comma") << "Smith, J" << QByteArray("\"Smith, J        \"");
        QTest::newRow("bar") << "A|B" << QByteArray("\"A|B             \"");
        QTest::newRow("quotes") << "Say \"hi\"" << QByteArray("\"Say \"\"hi\"\"        \"");
        QTest::newRow("quote alone") << "\"" << QByteArray("\"\"\"               \"");
        QTest::newRow("plain") << "Plain" << QByteArray("Plain           ");
    }
    void quotedNames()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, field);
        testsupport::ImageBuilder source;
        source.named(kChannels, 0, name);
        const QByteArray text = channelsCsvText(source.image());
        QCOMPARE(text.mid(kHeader.size(), field.size() + 2), field + ",2");
        testsupport::ImageBuilder target;
        const ChannelCsvResult result = import(target.image(), text);
        QCOMPARE(result.value, 1);
        QVERIFY(result.skippedLines.isEmpty());
        QCOMPARE(channelName(target.image(), 1), name);
    }

    void badHeaders_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty file") << QByteArray() << "Missing header line ..\n\nin.csv";
        QTest::newRow("blank lines only") << QByteArray("\r\n   \r\n\t\r\n") << "Missing header line ..\n\nin.csv";
        QTest::newRow("short, trailing comma")
            << (QByteArray("name,mode,\r\n") + line("New")) << "Incorrect header line ..\n\nin.csv";
        QTest::newRow("47 fields, trailing bar")
            << (QByteArray(kChannelCsvHeader) + "|\r\n" + line("New")) << "Incorrect header line ..\n\nin.csv";
        QTest::newRow("short") << (QByteArray("name,mode\r\n") + line("New")) << "Invalid header line ..\n\nin.csv";
        QTest::newRow("48 fields") << (QByteArray(kChannelCsvHeader) + ",extra\r\n" + line("New"))
                                   << "Invalid header line ..\n\nin.csv";
    }
    void badHeaders()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        testsupport::ImageBuilder builder;
        const FileImage before = builder.image();
        const ChannelCsvResult result = import(builder.image(), text);
        QCOMPARE(result.value, int(CsvBadHeader));
        QCOMPARE(result.messages, QStringList { message });
        QVERIFY(builder.image() == before);
    }

    void badLines()
    {
        testsupport::ImageBuilder builder;
        QByteArray shortLine = line("Short");
        shortLine.replace(",1,1\r\n", ",1\r\n");
        // Only the header's field count matters, not its names.
        const QByteArray header = QByteArray("a|b").append(QByteArray(",x").repeated(45)) + "\r\n";
        const QByteArray text = header + shortLine + line("Bad  x", "x") + "\r\n" + line("Good", "1", "1")
            + line("Trailing").replace("\r\n", ",\r\n") + line("Caf\xe9") + line("  ");
        const ChannelCsvResult result = import(builder.image(), text);
        QCOMPARE(result.value, 1);
        const QString bad = QString::fromLatin1(line("Bad x", "x").chopped(2));
        QCOMPARE(result.messages, QStringList { "Error on line 3 ..\n\n" + bad });
        QCOMPARE(result.skippedLines, (QList<int> { 2, 3, 6, 7, 8 }));
        QCOMPARE(usedRecordCount(builder.image(), kChannels), 2);
        QCOMPARE(channelName(builder.image(), 1), QStringLiteral("Good"));
        QCOMPARE(channelU32(builder.image(), 1, channeloffsets::rxFrequency), 0x40000000u);
        QCOMPARE(channelField(builder.image(), 1, channelfields::mode), 1);
    }

    void rangesAndLowBits()
    {
        testsupport::ImageBuilder builder(0);
        QByteArray text = line("Ranges", "7", "99999999");
        text.replace(",0,0,0,0,4,0,", ",-1,70000,300,257,-1,0,"); // scan list .. rekey delay
        text.replace(",1,1,0,0,1,0,1,1,0,", ",1,1,0,0,32,9,1,1,2,"); // .. gps system, admit criteria, .. tx power
        FileImage &image = builder.image();
        QCOMPARE(import(image, kHeader + text).value, 1);
        QCOMPARE(channelField(image, 1, channelfields::mode), 2); // out of range: default kept
        QCOMPARE(channelU32(image, 1, channeloffsets::rxFrequency), 0x17400000u);
        QCOMPARE(channelField(image, 1, channelfields::scanList), 0xFF);
        QCOMPARE(channelU16(image, 1, channeloffsets::contact), std::uint16_t(70000 & 0xFFFF));
        QCOMPARE(channelField(image, 1, channelfields::rxGroupList), 300 & 0xFF);
        QCOMPARE(channelField(image, 1, channelfields::emergencySystem), 1);
        QCOMPARE(channelField(image, 1, channelfields::txTimeout), 0xFF);
        QCOMPARE(channelField(image, 1, channelfields::gpsSystem), 1);
        QCOMPARE(channelField(image, 1, channelfields::admitCriteria), 0);
        QCOMPARE(channelField(image, 1, channelfields::txPower), 0);
    }

    void mergeByName()
    {
        testsupport::ImageBuilder builder;
        FileImage &image = builder.image();
        builder.named(kChannels, 1, QStringLiteral("alpha")).named(kChannels, 2, QStringLiteral("Keep"));
        ProtectedChannelList protectedNames;
        protectedNames.add(QStringLiteral("KEEP"));
        const QByteArray keepBefore = testsupport::recordBytes(image, kChannels, 2);
        const ChannelCsvResult result
            = import(image, kHeader + line("ALPHA") + line("keep") + line("Brand new 17 chars"), protectedNames);
        QCOMPARE(result.value, 2);
        QCOMPARE(channelName(image, 1), QStringLiteral("ALPHA"));
        QCOMPARE(channelField(image, 1, channelfields::mode), 1);
        QCOMPARE(testsupport::recordBytes(image, kChannels, 2), keepBefore);
        QCOMPARE(channelName(image, 3), QStringLiteral("Brand new 17 cha"));
        QCOMPARE(usedRecordCount(image, kChannels), 4);
    }

    void fullListIsReported()
    {
        testsupport::ImageBuilder builder;
        for (int i = 0; i < kChannels.count; ++i)
            builder.named(kChannels, i, QStringLiteral("C%1").arg(i + 1));
        const ChannelCsvResult result = import(builder.image(), kHeader + line("C5") + line("X1") + line("X2"));
        QCOMPARE(result.value, 1);
        QCOMPARE(result.messages, QStringList { "The channel list is full ..\n\n2 channels were not imported" });
    }
};

QTEST_APPLESS_MAIN(TestChannelCsv)
#include "tst_channelcsv.moc"
