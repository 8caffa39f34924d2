#include "ButtonSettings.h"
#include "ChannelRecord.h"
#include "DtmfSettings.h"
#include "GpsSystems.h"
#include "ImageBuilder.h"
#include "References.h"

#include <QTest>

using namespace codeplug;
using testsupport::ImageBuilder;

// The field tables of the DTMF, GPS and Buttons pages, against hand-computed file offsets.
namespace {

constexpr int kDtmfSystem = 197157;
constexpr int kEncode = 197349; // encode entry n at + 16 (n - 1)
constexpr int kDecode = 197861;
constexpr int kGps = 257637;
constexpr int kOneTouch = 9017;
constexpr int kNumberKeys = 9041;

enum Table { Systems, Encodes, Decodes, Gps, OneTouch, NumberKeys };

const FieldTable &tableOf(int table)
{
    const FieldTable &(*tables[])()
        = { dtmfSystemColumns, dtmfEncodeColumns, dtmfDecodeColumns, gpsColumns, oneTouchColumns, numberKeyColumns };
    return tables[table]();
}

const FieldColumn &columnOf(int table, const QString &title)
{
    for (const FieldColumn &column : tableOf(table))
        if (column.title == title)
            return column;
    qFatal("no column %s", qPrintable(title));
}

// Offset and byte pairs.
using Bytes = QList<int>;

// Channels "Dig" (digital) and "Ana" (analogue), contacts "C1" and "C2", encode entries 1 and 3
// holding "123" and "*3", encode 32 "99", and whatever `bytes` puts on top.
ImageBuilder plug(const Bytes &bytes = {})
{
    ImageBuilder builder;
    builder.records(lists::channels, { "Dig", "Ana" }).records(lists::contacts, { "C1", "C2" });
    setChannelMode(builder.image(), 0, ChannelMode::Digital);
    setChannelMode(builder.image(), 1, ChannelMode::Analogue);
    setDtmfDigitsAt(builder.image(), kEncode, QStringLiteral("123"));
    setDtmfDigitsAt(builder.image(), kEncode + 32, QStringLiteral("*3"));
    setDtmfDigitsAt(builder.image(), kEncode + 31 * 16, QStringLiteral("99"));
    for (int i = 0; i + 1 < int(bytes.size()); i += 2)
        builder.u8(bytes.at(i), std::uint8_t(bytes.at(i + 1)));
    return builder;
}

QList<int> valuesOf(const ValueLabels &labels)
{
    QList<int> values;
    for (const ValueLabel &label : labels)
        values.append(label.value);
    return values;
}

} // namespace

class TestPageFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shownTexts_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("entry");
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, int table, int entry, Bytes bytes, const char *column, const char *text) {
            QTest::newRow(name) << table << entry << bytes << QString::fromLatin1(column) << QString::fromLatin1(text);
        };
        row("digit delay below 10", Systems, 0, { kDtmfSystem, 5 }, "1st Digit Delay", "Unknown");
        row("*# time has no unknown", Systems, 0, { kDtmfSystem + 4, 1 }, "*# Digit Time", "10 ms");
        row("next sequence", Systems, 3, { kDtmfSystem + 150, 25 }, "Next Sequence", "2.5");
        row("ptt id bits 2-3", Systems, 0, { kDtmfSystem + 8, 0x09 }, "PTT ID", "Post Only");
        row("response 7", Decodes, 0, { kDecode + 16, 7 }, "Response Type", "Unknown 7");
        row("ack above 32", Decodes, 1, { kDecode + 42, 33 }, "Ack", "None");
        row("revert 1500", Decodes, 7, { kDecode + 188, 0xDC, kDecode + 189, 0x05 }, "Revert Channel", "Selected");
        row("gps revert 0, system 1", Gps, 0, { kGps, 0, kGps + 1, 0 }, "Revert Channel", "Current Channel");
        row("gps revert 0xFFFF, system 2", Gps, 1, { kGps + 16, 0xFF, kGps + 17, 0xFF }, "Revert Channel",
            "Current Channel");
        row("gps revert to an empty channel", Gps, 0, { kGps, 5 }, "Revert Channel", "Current Channel");
        row("gps interval 241", Gps, 0, { kGps + 2, 241 }, "Default GPS Report Interval", "Off");
        row("gps contact of an empty record", Gps, 0, { kGps + 4, 9 }, "Destination Contact", "None");
        row("analogue encode 0 reads entry 1", OneTouch, 0, { kOneTouch, 0x28, kOneTouch + 1, 0 }, "Message / Encode",
            "123");
        row("analogue encode 40 reads entry 32", OneTouch, 0, { kOneTouch, 0x28, kOneTouch + 1, 40 },
            "Message / Encode", "99");
        row("digital text message", OneTouch, 5, { kOneTouch + 20, 0x11, kOneTouch + 21, 1 }, "Message / Encode",
            "Hello");
        row("number key 9", NumberKeys, 9, { kNumberKeys + 18, 2 }, "Contact", "C2");
        row("number key above 1000", NumberKeys, 0, { kNumberKeys, 0xE9, kNumberKeys + 1, 0x03 }, "Contact", "None");
    }
    void shownTexts()
    {
        QFETCH(int, table);
        QFETCH(int, entry);
        QFETCH(Bytes, bytes);
        QFETCH(QString, column);
        QFETCH(QString, text);
        QCOMPARE(columnOf(table, column).text(plug(bytes).image(), entry), text);
    }

    // A value chosen (or a text typed) in a cell: the bytes it leaves and the texts of the row.
    void edits_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("entry");
        QTest::addColumn<Bytes>("before");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<Bytes>("after");
        QTest::addColumn<QStringList>("texts");
        const auto row = [](const char *name, int table, int entry, Bytes before, const char *column, QVariant input,
                             Bytes after, QStringList texts) {
            QTest::newRow(name) << table << entry << before << QString::fromLatin1(column) << input << after << texts;
        };
        const QStringList any;
        row("digit delay 10", Systems, 0, { kDtmfSystem, 5 }, "1st Digit Delay", 10, { kDtmfSystem, 10 }, any);
        row("group code keeps its neighbours", Systems, 0, { kDtmfSystem + 8, 0x8F }, "Group Code", 6,
            { kDtmfSystem + 8, 0xEF }, any);
        row("key-up digits", Systems, 0, {}, "KeyUp Encode", "12ab*#",
            { kDtmfSystem + 16, 6, kDtmfSystem + 17, 0x21, kDtmfSystem + 18, 0xBA, kDtmfSystem + 19, 0xFE,
                kDtmfSystem + 20, 0xFF, kDtmfSystem + 31, 0xFF },
            any);
        row("encode 1 empty stores #", Encodes, 0, {}, "Encode", "", { kEncode, 1, kEncode + 1, 0xFF }, { "#" });
        row("encode 1 without digits stores #", Encodes, 0, {}, "Encode", "xy", { kEncode, 1 }, { "#" });
        row("encode 3 empty", Encodes, 2, {}, "Encode", "", { kEncode + 32, 0, kEncode + 33, 0xFF }, { "" });
        row("revert outside the channels", Decodes, 0, { kDecode + 20, 2 }, "Revert Channel", 1001,
            { kDecode + 20, 0, kDecode + 21, 0 }, any);
        row("gps off, system 1", Gps, 0, { kGps + 2, 9 }, "Default GPS Report Interval", 0, { kGps + 2, 0 }, any);
        row("gps off, system 5", Gps, 4, { kGps + 66, 9 }, "Default GPS Report Interval", 0, { kGps + 66, 0xFF }, any);
        row("gps current channel, system 2", Gps, 1, { kGps + 16, 1 }, "Revert Channel", 0,
            { kGps + 16, 0xFF, kGps + 17, 0xFF }, { "Current Channel", "Off", "None" });
        row("one-touch digital", OneTouch, 1, { kOneTouch + 4, 0xC2, kOneTouch + 5, 7 }, "Mode", 1,
            { kOneTouch + 4, 0xD0, kOneTouch + 5, 1, kOneTouch + 6, 1, kOneTouch + 7, 0 },
            { "Digital", "C1", "Call", "" });
        row("one-touch analogue", OneTouch, 0, { kOneTouch + 2, 2 }, "Mode", 2,
            { kOneTouch, 0x28, kOneTouch + 1, 1, kOneTouch + 2, 0, kOneTouch + 3, 0 },
            { "Analogue", "", "DTMF-1", "123" });
        row("one-touch none", OneTouch, 0, { kOneTouch, 0x51, kOneTouch + 2, 2 }, "Mode", 0,
            { kOneTouch, 0x40, kOneTouch + 2, 0, kOneTouch + 3, 0 }, { "None", "", "", "" });
        row("analogue DTMF-4", OneTouch, 0, { kOneTouch, 0x28 }, "Call Type", 3, { kOneTouch, 0x2B },
            { "Analogue", "", "DTMF-4", "123" });
        row("digital text message", OneTouch, 0, { kOneTouch, 0x18, kOneTouch + 1, 1 }, "Call Type", 1,
            { kOneTouch, 0x11 }, { "Digital", "", "Text Message", "Hello" });
    }
    void edits()
    {
        QFETCH(int, table);
        QFETCH(int, entry);
        QFETCH(Bytes, before);
        QFETCH(QString, column);
        QFETCH(QVariant, input);
        QFETCH(Bytes, after);
        QFETCH(QStringList, texts);

        FileImage image = plug(before).image();
        const FieldColumn &field = columnOf(table, column);
        if (field.edit == FieldColumn::Edit::Text)
            field.store(image, entry, input.toString());
        else
            field.value.write(image, entry, input.toInt());
        for (int i = 0; i + 1 < int(after.size()); i += 2)
            QCOMPARE(image.u8(after.at(i)), std::uint8_t(after.at(i + 1)));
        if (!texts.isEmpty())
            QCOMPARE(cellTexts(tableOf(table), image, entry), texts);
    }

    // The values a cell's drop-down offers.
    void choices_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("entry");
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QList<int>>("values");
        const auto row
            = [](const char *name, int table, int entry, Bytes bytes, const char *column, QList<int> values) {
                  QTest::newRow(name) << table << entry << bytes << QString::fromLatin1(column) << values;
              };
        row("ack: empty encode entries left out", Decodes, 0, {}, "Ack", { 0, 1, 3, 32 });
        row("dtmf revert: analogue channels", Decodes, 0, {}, "Revert Channel", { 0, 2 });
        row("gps revert: digital channels", Gps, 0, {}, "Revert Channel", { 0, 1 });
        row("analogue: encode entries holding digits", OneTouch, 0, { kOneTouch, 0x28 }, "Message / Encode",
            { 1, 3, 32 });
        row("digital call: no message", OneTouch, 0, { kOneTouch, 0x10 }, "Message / Encode", {});
        row("digital text message", OneTouch, 0, { kOneTouch, 0x11 }, "Message / Encode", { 1 });
        row("no mode: no contact", OneTouch, 0, {}, "Contact", {});
        row("number key", NumberKeys, 0, {}, "Contact", { 0, 1, 2 });
    }
    void choices()
    {
        QFETCH(int, table);
        QFETCH(int, entry);
        QFETCH(Bytes, bytes);
        QFETCH(QString, column);
        QTEST(valuesOf(columnOf(table, column).choices(plug(bytes).image(), entry)), "values");
    }

    void sideButtonFunctionsByRadioType_data()
    {
        QTest::addColumn<int>("radioType");
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("zoneSelect");
        QTest::newRow("type 0") << 0x00 << 21 << "";
        QTest::newRow("type 0x33") << 0x33 << 24 << "Zone Select";
        QTest::newRow("type 0x52") << 0x52 << 24 << "Zone Select";
    }
    void sideButtonFunctionsByRadioType()
    {
        QFETCH(int, radioType);
        const ValueLabels functions = sideButtonFunctions(plug({ 312, radioType }).image());
        QTEST(int(functions.size()), "items");
        QTEST(labelOf(functions, 24), "zoneSelect");
        QCOMPARE(functions.last().label, QStringLiteral("1750Hz Tone"));
        QCOMPARE(labelOf(longPressDurations(), 6), QStringLiteral("1500 ms"));
    }

    // Encode numbers follow their entries in analogue one-touch entries and in decode acks only.
    void encodeReferences()
    {
        FileImage image
            = plug({ kOneTouch, 0x28, kOneTouch + 1, 3, kOneTouch + 4, 0x11, kOneTouch + 5, 3, kDecode + 18, 3 })
                  .image();
        Renumbering swap;
        swap.newNumber = { 0, 1, 2, 4, 3 };
        renumberReferences(image, dtmfEncodeReferences(), swap);
        QCOMPARE(image.u8(kOneTouch + 1), 4);
        QCOMPARE(image.u8(kOneTouch + 5), 3); // a text message number
        QCOMPARE(image.u8(kDecode + 18), 4);
    }
};

QTEST_GUILESS_MAIN(TestPageFields)
#include "tst_pagefields.moc"
