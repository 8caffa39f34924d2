#include "ChannelCsv.h"
#include "ChannelList.h"
#include "ChannelRecord.h"
#include "ImageBuilder.h"

#include <QTemporaryDir>
#include <QTest>

using namespace codeplug;
using testsupport::ImageBuilder;
using testsupport::patchBytes;

namespace {

const ListLayout &kChannels = lists::channels;
const QByteArray kHeader = QByteArray(kChannelCsvHeader) + "\r\n";
const QByteArray kDefaultFields = ",2,43000000,43000000,0,0,1,0,0,0,1, 1,0,0,0, 0,0,1,1,1,0,0, 1,0,1,1,0,  0,    0,  0,"
                                  "  0,  4,  0,0,0,0,0,0,0,0,0,  0,  0,65535,65535,1,1\r\n";

// A record as an import gives it back: in-call criteria 0, reserved bits at their new-record values.
QByteArray withoutUnexportedBits(QByteArray record)
{
    const QByteArray fresh = QByteArray::fromHex("621400E105C3000004000000000100FF");
    const std::pair<int, int> masks[] = { { 0, 0x40 }, { 3, 0x34 }, { 5, 0xFF }, { 13, 0xE0 }, { 15, 0xFF } };
    for (const auto &[byte, mask] : masks)
        record[byte] = char((record[byte] & ~mask) | (fresh[byte] & mask));
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
    // Record 1 by hand: analogue, colour code 12, contact 1234, scan list 7, decode 3, signalling 2 out and
    // 1 in, PTT ID display on, 439.125 in and 434.125 out, 67.0 Hz and D 23; record 2 named by blanks only.
    void exportBytes()
    {
        ImageBuilder builder;
        builder.named(kChannels, 1, QStringLiteral("Alpha")).named(kChannels, 2, QStringLiteral("x"));
        patchBytes(builder.image(),
            QStringLiteral("127077=61C4006105C3D20404000007000104FF0025914300254143700623800102FFFF "
                           "127173=200020002000"));
        const QByteArray expected = kHeader + "Channel 1       " + kDefaultFields
            + "Alpha           ,1,43912500,43412500,0,0,1,0,0,0,1,12,0,0,0, 0,0,1,0,1,0,0, 1,"
              "0,1,1,0,  7, 1234,  0,  0,  4,  0,0,0,1,0,0,0,0,0,  2,  1, 1648,32803,1,1\r\n"
            + "no_name-3       " + kDefaultFields;
        QCOMPARE(channelsCsvText(builder.image()), expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.csv"));
        QCOMPARE(exportChannelsCsv(builder.image(), path).value, 0);
        QCOMPARE(testsupport::readFile(path), expected);
    }

    void fileFailures()
    {
        ImageBuilder builder;
        const QString path = QStringLiteral("/nonexistent-folder/out.csv");
        const ChannelCsvResult result = exportChannelsCsv(builder.image(), path);
        QCOMPARE(result.value, int(CsvCannotCreate));
        QCOMPARE(result.messages, QStringList { "Could not create the file ..\n\n" + path });
        QCOMPARE(exportChannelsCsv(builder.image(), QString()).value, int(CsvNoFileName));
        const ChannelCsvResult missing = importChannelsCsv(builder.image(), QStringLiteral("/nonexistent.csv"), {});
        QCOMPARE(missing.value, int(CsvCannotOpen));
        QCOMPARE(missing.messages, QStringList { "Could not open the file ..\n\n/nonexistent.csv" });
    }

    // Every exported byte comes back as it was, names with separators or double quotes (quoted) too.
    void roundTripOverwritesWithSameBytes()
    {
        ImageBuilder builder;
        FileImage &image = builder.image();
        const QStringList names { "Smith, J", "A|B", "Say \"hi\"", "\"", "Sixteen chars ok" };
        for (int i = 0; i < names.size(); ++i) {
            builder.named(kChannels, i, names.at(i));
            for (int b = 0; b < 32; ++b) // every byte but the name, reserved bits included
                image.setU8(kChannels.recordOffset(i) + b, std::uint8_t(0x11 * (b + i) + 3));
            setChannelU32(image, i, channeloffsets::rxFrequency, 0x43012340 + std::uint32_t(i));
            setChannelU32(image, i, channeloffsets::txFrequency, 0x47900000);
        }
        QByteArrayList expected;
        for (int i = 0; i < names.size(); ++i)
            expected.append(withoutUnexportedBits(testsupport::recordBytes(image, kChannels, i)).toHex(' '));
        const QByteArray text = channelsCsvText(image);
        for (const char *field : { "\"Smith, J        \",", "\"A|B             \",", "\"Say \"\"hi\"\"        \",",
                 "\"\"\"               \",", "\nSixteen chars ok," })
            QVERIFY2(text.contains(field), field);
        const ChannelCsvResult result = import(image, text);
        QCOMPARE(result.value, names.size());
        QVERIFY(result.messages.isEmpty());
        QCOMPARE(usedRecordCount(image, kChannels), names.size());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(testsupport::recordBytes(image, kChannels, i).toHex(' '), expected.at(i));
    }

    // The whole file is refused, the image left as it was.
    void badHeaders()
    {
        const std::pair<QByteArray, const char *> rows[] = {
            { "", "Missing" }, { "\r\n   \r\n\t\r\n", "Missing" },
            { "name,mode,\r\n" + line("New"), "Incorrect" }, // short, trailing comma
            { QByteArray(kChannelCsvHeader) + "|\r\n" + line("New"), "Incorrect" }, // 47 fields, trailing bar
            { "name,mode\r\n" + line("New"), "Invalid" },
            { QByteArray(kChannelCsvHeader) + ",extra\r\n" + line("New"), "Invalid" }, // 48 fields
        };
        for (const auto &[text, kind] : rows) {
            ImageBuilder builder;
            const ChannelCsvResult result = import(builder.image(), text);
            QCOMPARE(result.value, int(CsvBadHeader));
            QCOMPARE(result.messages, QStringList { QString(kind) + " header line ..\n\nin.csv" });
            QVERIFY(builder.image() == ImageBuilder().image());
        }
    }

    void badLines()
    {
        ImageBuilder builder;
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
    }

    // Out of range: mode 7 keeps the default, 999.99999 MHz is clamped to band 0, -1 stores 0xFF, 70000,
    // 300 and 257 keep their low bits, and a gps system, admit criteria or power past its field falls back.
    void rangesAndLowBits()
    {
        ImageBuilder builder(0);
        QByteArray text = line("Ranges", "7", "99999999");
        text.replace(",0,0,0,0,4,0,", ",-1,70000,300,257,-1,0,"); // scan list .. rekey delay
        text.replace(",1,1,0,0,1,0,1,1,0,", ",1,1,0,0,32,9,1,1,2,"); // .. gps system, admit criteria, .. tx power
        QCOMPARE(import(builder.image(), kHeader + text).value, 1);
        QCOMPARE(testsupport::recordBytes(builder.image(), kChannels, 1).left(32).toHex().toUpper(),
            "621400E105C37011FF0001FF2C0100FF0000401700004017FFFFFFFF0000FFFF");
    }

    void mergeByName()
    {
        ImageBuilder builder;
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
        ImageBuilder builder;
        for (int i = 0; i < kChannels.count; ++i)
            builder.named(kChannels, i, QStringLiteral("C%1").arg(i + 1));
        const ChannelCsvResult result = import(builder.image(), kHeader + line("C5") + line("X1") + line("X2"));
        QCOMPARE(result.value, 1);
        QCOMPARE(result.messages, QStringList { "The channel list is full ..\n\n2 channels were not imported" });
    }
};

QTEST_APPLESS_MAIN(TestChannelCsv)
#include "tst_channelcsv.moc"
