#include "Codecs.h"
#include "NameCodec.h"

#include <QRegularExpression>
#include <QTest>

using namespace codeplug;

Q_DECLARE_METATYPE(codeplug::FileImage)

namespace {
// A 16-unit field at offset 1000 filled from the given units.
FileImage fieldWith(const QList<std::uint16_t> &units)
{
    FileImage image;
    int offset = 1000;
    for (std::uint16_t unit : units) {
        image.setU16(offset, unit);
        offset += 2;
    }
    return image;
}
} // namespace

class TestCodecs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodeNames_data()
    {
        QTest::addColumn<FileImage>("image");
        QTest::addColumn<int>("recordNumber");
        QTest::addColumn<QString>("expected");

        QTest::newRow("ends at 0") << fieldWith({ 'A', 'B', 0, 'C' }) << 5 << "AB";
        QTest::newRow("ends at 0xFF") << fieldWith({ 'A', 0x00FF, 'C' }) << 5 << "A";
        QTest::newRow("high byte ignored") << fieldWith({ 0x0141, 0xFF42 }) << 5 << "AB";
        QTest::newRow("trimmed") << fieldWith({ ' ', 'X', ' ', 0x09 }) << 5 << "X";
        QTest::newRow("all blanks fall back") << fieldWith(QList<std::uint16_t>(16, ' ')) << 5 << "no_name-5";
        QTest::newRow("negative record number") << fieldWith({ ' ', ' ' }) << -1 << "";
        QTest::newRow("first unit 0 is empty") << fieldWith({ 0, 'A', 'B' }) << 5 << "";
        QTest::newRow("full 16 characters")
            << fieldWith({ '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'b', 'c', 'd', 'e', 'f', 'g' }) << 1
            << "0123456789abcdef";
    }

    void decodeNames()
    {
        QFETCH(FileImage, image);
        QFETCH(int, recordNumber);
        QFETCH(QString, expected);
        QCOMPARE(decodeName(image, 1000, 16, recordNumber), expected);
    }

    // Sign-extended or low byte only; cut at the field's length, the rest of the field zeroed.
    void encodeNames()
    {
        FileImage image;
        image.fill(2000, 22, 0x55); // a 10-unit field and the unit after it
        const QString text = QStringLiteral("A") + QChar(0xE9);
        encodeName(image, 2000, 10, text + QStringLiteral("CDEFGHIJKLMNOP"), NameEncoding::SignExtended);
        QCOMPARE(image.u16(2000), 0x0041);
        QCOMPARE(image.u16(2002), 0xFFE9);
        QCOMPARE(image.u16(2018), 'J');
        QCOMPARE(image.u16(2020), 0x5555);

        encodeName(image, 2000, 10, text, NameEncoding::LowByteOnly);
        QCOMPARE(image.u16(2002), 0x00E9);
        for (int unit = 2; unit < 10; ++unit)
            QCOMPARE(image.u16(2000 + 2 * unit), 0);
        QCOMPARE(image.u16(2020), 0x5555);
    }

    void packDecimals_data()
    {
        QTest::addColumn<uint>("value");
        QTest::addColumn<uint>("packed");
        QTest::newRow("0") << 0u << 0x0000u;
        QTest::newRow("670") << 670u << 0x0670u;
        QTest::newRow("9999") << 9999u << 0x9999u;
        QTest::newRow("8023 DCS flag") << 8023u << 0x8023u;
        QTest::newRow("12000") << 12000u << 0xC000u;
        QTest::newRow("12023") << 12023u << 0xC023u;
        QTest::newRow("above 16 bits") << 16000u << 0x10000u;
    }

    void packDecimals()
    {
        QFETCH(uint, value);
        QFETCH(uint, packed);
        QCOMPARE(packDecimal(value), packed);
    }

    void dtmfEncode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QString>("decoded");

        QTest::newRow("digits, hash, lower a") << "12#a" << 30 << 4 << QByteArray("\x21\xAF\xFF", 3) << "12#A";
        QTest::newRow("dash skipped") << "1-2" << 30 << 2 << QByteArray("\x21\xFF", 2) << "12";
        QTest::newRow("empty") << "" << 30 << 0 << QByteArray("\xFF\xFF", 2) << "";
        QTest::newRow("skipped characters count against maximum")
            << "1-23" << 3 << 2 << QByteArray("\x21\xFF", 2) << "12";
        QTest::newRow("trimmed first") << "  *0 " << 30 << 2 << QByteArray("\x0E\xFF", 2) << "*0";
        QTest::newRow("odd count leaves high nibble F") << "123" << 30 << 3 << QByteArray("\x21\xF3\xFF", 3) << "123";
    }

    void dtmfEncode()
    {
        QFETCH(QString, text);
        QFETCH(int, maximum);
        QFETCH(int, count);
        QFETCH(QByteArray, head);
        QFETCH(QString, decoded);

        std::array<std::uint8_t, kDtmfDigitAreaBytes> area {};
        std::uint8_t stored = 99;
        encodeDtmfDigits(text, maximum, area, stored);
        QCOMPARE(int(stored), count);
        for (int i = 0; i < kDtmfDigitAreaBytes; ++i) {
            const std::uint8_t expected = i < head.size() ? std::uint8_t(head.at(i)) : 0xFF;
            QCOMPARE(area[std::size_t(i)], expected);
        }
        QCOMPARE(decodeDtmfDigits(area, stored), decoded);
    }

    void dtmfDecodeLimits()
    {
        std::array<std::uint8_t, kDtmfDigitAreaBytes> area {};
        area.fill(0x21);
        QCOMPARE(decodeDtmfDigits(area, 0), QString());
        QCOMPARE(decodeDtmfDigits(area, -3), QString());
        QCOMPARE(decodeDtmfDigits(area, 255).size(), 30); // a corrupt count never reads past the area
        QCOMPARE(decodeDtmfDigits(std::span<const std::uint8_t>(area.data(), 4), 2), QString());
    }

    void versionText()
    {
        const QString text = programVersionText();
        QVERIFY2(
            QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$")).match(text).hasMatch(), qPrintable(text));
    }
};

QTEST_APPLESS_MAIN(TestCodecs)
#include "tst_codecs.moc"
