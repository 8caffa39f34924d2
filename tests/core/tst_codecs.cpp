#include "Codecs.h"
#include "ContactRecord.h"
#include "ContactRows.h"
#include "ImageBuilder.h"
#include "NameCodec.h"
#include "RecordName.h"

#include <QTest>

using namespace codeplug;

// The byte rules of record fields: names, packed and DTMF digits, record names, contact records.
class TestCodecs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The 16-unit name field at offset 1000 holding `units`, read as record `number`.
    void decodeNames()
    {
        const std::tuple<QList<int>, int, const char *> rows[] = { { { 'A', 'B', 0, 'C' }, 5, "AB" },
            { { 'A', 0xFF, 'C' }, 5, "A" }, { { 0x0141, 0xFF42 }, 5, "AB" }, // high byte ignored
            { { ' ', 'X', ' ', 0x09 }, 5, "X" }, { QList<int>(16, ' '), 5, "no_name-5" }, { { 0, 'A', 'B' }, 5, "" },
            { QList<int>(17, 'a'), 1, "aaaaaaaaaaaaaaaa" } };
        for (const auto &[units, number, expected] : rows) {
            FileImage image;
            for (int i = 0; i < int(units.size()); ++i)
                image.setU16(1000 + 2 * i, std::uint16_t(units.at(i)));
            QCOMPARE(decodeName(image, 1000, 16, number), QLatin1String(expected));
        }
    }

    // Sign-extended or low byte only; cut at the field's length, the rest of the field zeroed.
    void encodeNames()
    {
        FileImage image;
        image.fill(2000, 22, 0x55); // a 10-unit field and the unit after it
        const auto field = [&image] { return image.toByteArray().mid(2000, 22).toHex().toUpper(); };
        encodeName(image, 2000, 10, QStringLiteral("A\u00E9CDEFGHIJKLMNOP"), NameEncoding::SignExtended);
        QCOMPARE(field(), "4100E9FF43004400450046004700480049004A005555");
        encodeName(image, 2000, 10, QStringLiteral("A\u00E9"), NameEncoding::LowByteOnly);
        QCOMPARE(field(), "4100E900" + QByteArray(32, '0') + "5555");
    }

    // Cutting and the two encodings are the name codec's; here: the trimmed text goes sign-extended
    // into the record's own field, the rest of it zeroed, and no other byte moves.
    void renameWritesOnlyTheNameField()
    {
        testsupport::ImageBuilder builder;
        builder.named(lists::zones, 1, QStringLiteral("A long zone name"));
        QByteArray expected = builder.image().toByteArray();
        expected.replace(lists::zones.nameFieldOffset(1), 32, QByteArray("A\0\xE9\xFF", 4) + QByteArray(28, 0));
        QVERIFY(renameRecord(builder.image(), lists::zones, 1, QStringLiteral("  A") + QChar(0xE9) + u'\t'));
        QCOMPARE(builder.image().toByteArray(), expected);
    }

    void renameRefusals()
    {
        const std::pair<int, const char *> rows[] = { { 0, " \t " }, { 5, "New" }, { -1, "New" }, { 250, "New" } };
        for (auto [index, text] : rows) {
            testsupport::ImageBuilder builder;
            const QByteArray before = builder.image().toByteArray();
            QVERIFY2(!renameRecord(builder.image(), lists::zones, index, QLatin1String(text)), text);
            QVERIFY(builder.image().toByteArray() == before);
            QCOMPARE(recordName(builder.image(), lists::zones, index), index ? QString() : QStringLiteral("Zone 1"));
        }
    }

    void packDecimals()
    {
        const std::pair<uint, uint> rows[] = { { 0, 0 }, { 9999, 0x9999 }, { 12023, 0xC023 }, { 16000, 0x10000 } };
        for (auto [value, packed] : rows)
            QCOMPARE(packDecimal(value), packed);
    }

    // Text, maximum, digits stored, the start of the digit area (0xFF after it) and the text read back:
    // skipped characters count against the maximum; an odd count leaves the high nibble F.
    void dtmfEncode()
    {
        const std::tuple<const char *, int, int, const char *, const char *> rows[]
            = { { "12#a", 30, 4, "21AF", "12#A" }, { "", 30, 0, "", "" }, { "1-23", 3, 2, "21", "12" },
                  { "  *0 ", 30, 2, "0E", "*0" }, { "123", 30, 3, "21F3", "123" } };
        for (const auto &[text, maximum, count, hex, decoded] : rows) {
            const QByteArray head = QByteArray::fromHex(hex);
            std::array<std::uint8_t, kDtmfDigitAreaBytes> area {};
            std::uint8_t stored = 99;
            encodeDtmfDigits(QLatin1String(text), maximum, area, stored);
            QCOMPARE(int(stored), count);
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(area.data()), kDtmfDigitAreaBytes),
                head + QByteArray(kDtmfDigitAreaBytes - head.size(), char(0xFF)));
            QCOMPARE(decodeDtmfDigits(area, stored), QLatin1String(decoded));
        }
    }

    void dtmfDecodeLimits()
    {
        std::array<std::uint8_t, kDtmfDigitAreaBytes> area {};
        area.fill(0x21);
        QCOMPARE(decodeDtmfDigits(area, 0), QString());
        QCOMPARE(decodeDtmfDigits(area, 255).size(), 30); // a corrupt count never reads past the area
        QCOMPARE(decodeDtmfDigits(std::span<const std::uint8_t>(area.data(), 4), 2), QString());
    }

    // The bytes of contact 1 (the name's cutting and fallback are the name codec's).
    void contactRecordFields()
    {
        FileImage image = testsupport::ImageBuilder().image();
        const int flags = 25000;
        image.setU8(flags, 0x1D); // PC call with bits 3 and 4 set
        QCOMPARE(callTypeText(contactCallType(image, 0)), QStringLiteral("PC call"));
        setContactCallType(image, 0, nextCallType(contactCallType(image, 0)));
        QCOMPARE(image.u8(flags), 0x19);
        setContactRxTone(image, 0, true);
        QCOMPARE(image.u8(flags), 0x39);
        QCOMPARE(callTypeText(4) + u'|' + callTypeText(7), QStringLiteral("Displatch call|Unknown"));
        QCOMPARE((QList<int> { nextCallType(GroupCall), nextCallType(AllCall), nextCallType(CallTypeNone) }),
            (QList<int> { PrivateCall, GroupCall, GroupCall }));

        QVERIFY(setContactId(image, 0, 0xABCDEF));
        QCOMPARE((QList<int> { image.u8(24997), image.u8(24999) }), (QList<int> { 0xEF, 0xAB }));
        QVERIFY(!setContactId(image, 0, 16777216));
        QCOMPARE(contactId(image, 0), 0xABCDEFu);
        std::uint32_t id = 0;
        QVERIFY(parseContactId(QStringLiteral("16777215"), id) && !parseContactId(QStringLiteral("16777216"), id));
        QVERIFY(!parseContactId(QStringLiteral("12a"), id));
        setContactName(image, 0, QStringLiteral("ABCDEFGHIJKLMNOPQ"));
        QCOMPARE(image.u16(25031), 'P');
    }

    void contactCellTextsAndSearch()
    {
        FileImage image = testsupport::ImageBuilder().image();
        for (int i = 0; i < 13; ++i)
            writeContact(image, i, std::uint32_t(i + 1), GroupCall, false, QStringLiteral("C%1").arg(i + 1));
        setContactId(image, 2, 5120);
        setContactCallType(image, 1, PrivateCall);
        setContactRxTone(image, 4, true);
        ProtectedIdList protectedIds;
        protectedIds.add(5);
        const auto cells
            = [&](int row, bool shown) { return contactCellTexts(image, row, protectedIds, shown).join(u'|'); };
        QCOMPARE(cells(1, false), QStringLiteral("2|C2|2|Private call||"));
        QCOMPARE(cells(1, true), QStringLiteral("2|C2|2|Private call|No|No"));
        QCOMPARE(cells(4, true), QStringLiteral("5|C5|5|Group call|Yes|Yes"));
        QCOMPARE(findContacts(image, QStringLiteral(" 12 "), protectedIds, false), (QList<int> { 2, 11 }));
        QCOMPARE(findContacts(image, QStringLiteral("PRIVATE"), protectedIds, false), QList<int> { 1 });
        QCOMPARE(findContacts(image, QStringLiteral("yes"), protectedIds, false), QList<int> { 4 });
        QCOMPARE(findContacts(image, QStringLiteral("no"), protectedIds, true).size(), 12);
        QVERIFY(findContacts(image, QStringLiteral("  "), protectedIds, true).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestCodecs)
#include "tst_codecs.moc"
