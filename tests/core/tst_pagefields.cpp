#include "ButtonSettings.h"
#include "ChannelRecord.h"
#include "DtmfSettings.h"
#include "GpsSystems.h"
#include "ImageBuilder.h"

#include <QTest>

using namespace codeplug;
using testsupport::ImageBuilder;

// The field tables of the DTMF, GPS and Buttons pages, against hand-computed file offsets: DTMF systems
// at 197157, encode entries at 197349 (16 bytes each), decode entries at 197861 (24 each),
// GPS systems at 257637 (16 each), one-touch entries at 9017 (4 each), number keys at 9041 (2 each).
namespace {

enum Table { Systems, Encodes, Decodes, Gps, OneTouch, NumberKeys };

const FieldTable &tableOf(int table)
{
    const FieldTable &(*tables[])()
        = { dtmfSystemColumns, dtmfEncodeColumns, dtmfDecodeColumns, gpsColumns, oneTouchColumns, numberKeyColumns };
    return tables[table]();
}

const FieldColumn &columnOf(int table, const char *title)
{
    for (const FieldColumn &column : tableOf(table))
        if (column.title == QLatin1String(title))
            return column;
    qFatal("no column %s", title);
}

// Channels "Dig" (digital) and "Ana" (analogue), contacts "C1" and "C2", encode entries 1 and 3
// holding "123" and "*3", encode 32 "99", and the byte pokes on top.
FileImage plug(const char *pokes)
{
    ImageBuilder builder;
    builder.records(lists::channels, { "Dig", "Ana" }).records(lists::contacts, { "C1", "C2" });
    setChannelMode(builder.image(), 0, ChannelMode::Digital);
    setChannelMode(builder.image(), 1, ChannelMode::Analogue);
    setDtmfDigitsAt(builder.image(), 197349, QStringLiteral("123"));
    setDtmfDigitsAt(builder.image(), 197381, QStringLiteral("*3"));
    setDtmfDigitsAt(builder.image(), 197845, QStringLiteral("99"));
    testsupport::patchBytes(builder.image(), QLatin1String(pokes));
    return builder.image();
}

template <typename Row, std::size_t N> void rowNames(const Row (&rows)[N])
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(rows[i].name) << int(i);
}

struct TextRow
{
    const char *name;
    int table, entry;
    const char *pokes, *column, *text;
};
const TextRow kTextRows[] = {
    { "digit delay below 10", Systems, 0, "197157=05", "1st Digit Delay", "Unknown" },
    { "*# time has no unknown", Systems, 0, "197161=01", "*# Digit Time", "10 ms" },
    { "next sequence", Systems, 3, "197307=19", "Next Sequence", "2.5" },
    { "ptt id bits 2-3", Systems, 0, "197165=09", "PTT ID", "Post Only" },
    { "response 7", Decodes, 0, "197877=07", "Response Type", "Unknown 7" },
    { "ack above 32", Decodes, 1, "197903=21", "Ack", "None" },
    { "revert 1500", Decodes, 7, "198049=DC05", "Revert Channel", "Selected" },
    { "gps revert 0, system 1", Gps, 0, "257637=0000", "Revert Channel", "Current Channel" },
    { "gps revert to an empty channel", Gps, 0, "257637=05", "Revert Channel", "Current Channel" },
    { "gps interval 241", Gps, 0, "257639=F1", "Default GPS Report Interval", "Off" },
    { "gps contact of an empty record", Gps, 0, "257641=09", "Destination Contact", "None" },
    { "analogue encode 0 reads entry 1", OneTouch, 0, "9017=2800", "Message / Encode", "123" },
    { "analogue encode 40 reads entry 32", OneTouch, 0, "9017=2828", "Message / Encode", "99" },
    { "digital text message", OneTouch, 5, "9037=1101", "Message / Encode", "Hello" },
    { "number key 9", NumberKeys, 9, "9059=02", "Contact", "C2" },
    { "number key above 1000", NumberKeys, 0, "9041=E903", "Contact", "None" },
};

// A value chosen (or a text typed) in a cell: the bytes it leaves and the texts of the row (none: not
// checked).
struct EditRow
{
    const char *name;
    int table, entry;
    const char *before, *column, *input, *after, *texts;
};
const EditRow kEditRows[] = {
    { "digit delay 10", Systems, 0, "197157=05", "1st Digit Delay", "10", "197157=0A", nullptr },
    { "group code keeps its neighbours", Systems, 0, "197165=8F", "Group Code", "6", "197165=EF", nullptr },
    { "key-up digits", Systems, 0, "", "KeyUp Encode", "12ab*#", "197173=0621BAFEFF 197188=FF", nullptr },
    { "encode 1 without digits stores #", Encodes, 0, "", "Encode", "xy", "197349=01FF", "#" },
    { "encode 3 empty", Encodes, 2, "", "Encode", "", "197381=00FF", "" },
    { "revert outside the channels", Decodes, 0, "197881=02", "Revert Channel", "1001", "197881=0000", nullptr },
    { "gps off, system 1", Gps, 0, "257639=09", "Default GPS Report Interval", "0", "257639=00", nullptr },
    { "gps off, system 5", Gps, 4, "257703=09", "Default GPS Report Interval", "0", "257703=FF", nullptr },
    { "gps current channel, system 2", Gps, 1, "257653=01", "Revert Channel", "0", "257653=FFFF",
        "Current Channel|Off|None" },
    { "one-touch digital", OneTouch, 1, "9021=C207", "Mode", "1", "9021=D0010100", "Digital|C1|Call|" },
    { "one-touch analogue", OneTouch, 0, "9019=02", "Mode", "2", "9017=28010000", "Analogue||DTMF-1|123" },
    { "one-touch none", OneTouch, 0, "9017=51 9019=02", "Mode", "0", "9017=40 9019=0000", "None|||" },
    { "analogue DTMF-4", OneTouch, 0, "9017=28", "Call Type", "3", "9017=2B", "Analogue||DTMF-4|123" },
    { "digital text message", OneTouch, 0, "9017=1801", "Call Type", "1", "9017=11", "Digital||Text Message|Hello" },
};

// The values a cell's drop-down offers.
struct ChoiceRow
{
    const char *name;
    int table;
    const char *pokes, *column;
    QList<int> values;
};
const ChoiceRow kChoiceRows[] = {
    { "ack: empty encode entries left out", Decodes, "", "Ack", { 0, 1, 3, 32 } },
    { "dtmf revert: analogue channels", Decodes, "", "Revert Channel", { 0, 2 } },
    { "gps revert: digital channels", Gps, "", "Revert Channel", { 0, 1 } },
    { "analogue: encode entries holding digits", OneTouch, "9017=28", "Message / Encode", { 1, 3, 32 } },
    { "digital call: no message", OneTouch, "9017=10", "Message / Encode", {} },
    { "digital text message", OneTouch, "9017=11", "Message / Encode", { 1 } },
    { "no mode: no contact", OneTouch, "", "Contact", {} },
    { "number key", NumberKeys, "", "Contact", { 0, 1, 2 } },
};

} // namespace

class TestPageFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shownTexts_data() { rowNames(kTextRows); }
    void shownTexts()
    {
        QFETCH(int, row);
        const TextRow &r = kTextRows[row];
        QCOMPARE(columnOf(r.table, r.column).text(plug(r.pokes), r.entry), QLatin1String(r.text));
    }

    void edits_data() { rowNames(kEditRows); }
    void edits()
    {
        QFETCH(int, row);
        const EditRow &r = kEditRows[row];
        FileImage image = plug(r.before);
        const FieldColumn &field = columnOf(r.table, r.column);
        if (field.edit == FieldColumn::Edit::Text)
            field.store(image, r.entry, QLatin1String(r.input));
        else
            field.value.write(image, r.entry, QByteArray(r.input).toInt());
        QCOMPARE(testsupport::bytesLike(image, QLatin1String(r.after)), QLatin1String(r.after));
        if (r.texts)
            QCOMPARE(cellTexts(tableOf(r.table), image, r.entry).join(u'|'), QLatin1String(r.texts));
    }

    void choices_data() { rowNames(kChoiceRows); }
    void choices()
    {
        QFETCH(int, row);
        const ChoiceRow &r = kChoiceRows[row];
        QList<int> values;
        for (const ValueLabel &label : columnOf(r.table, r.column).choices(plug(r.pokes), 0))
            values.append(label.value);
        QCOMPARE(values, r.values);
    }

    // Any radio type but 0 adds three functions, "Zone Select" among them.
    void sideButtonFunctionsByRadioType()
    {
        for (const auto &[pokes, count, zoneSelect] :
            { std::tuple("312=00", 21, ""), { "312=33", 24, "Zone Select" } }) {
            const ValueLabels functions = sideButtonFunctions(plug(pokes));
            QCOMPARE(int(functions.size()), count);
            QCOMPARE(labelOf(functions, 24), QLatin1String(zoneSelect));
        }
    }
};

QTEST_GUILESS_MAIN(TestPageFields)
#include "tst_pagefields.moc"
