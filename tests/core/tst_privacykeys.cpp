#include "ImageBuilder.h"
#include "PrivacyKeys.h"

#include <QTest>

using namespace codeplug;

class TestPrivacyKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A key typed into tables whose bytes (the 16 between them too) all hold 0x5A: the bytes stored
    // from `offset` (none: the image stays as it was) and the key as shown afterwards.
    void typedKeys_data()
    {
        QTest::addColumn<bool>("enhanced");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        const QString unchanged = QStringLiteral("5a").repeated(16);
        const auto row = [](const char *name, bool enhanced, int key, const char *text, int offset,
                             const QByteArray &bytes, const QString &shown) {
            QTest::newRow(name) << enhanced << key << QString::fromLatin1(text) << offset << bytes << shown;
        };
        row("basic key 3, one digit", false, 2, "7", 23673, QByteArray::fromHex("0700"), "0007");
        row("basic, capitals", false, 15, " ABcd ", 23699, QByteArray::fromHex("cdab"), "abcd");
        row("basic, cleared", false, 1, "", 23671, QByteArray(2, char(0xFF)), "ffff");
        row("basic, five digits", false, 1, "12345", 0, {}, unchanged.left(4));
        row("basic, not hexadecimal", false, 1, "+1g", 0, {}, unchanged.left(4));
        row("basic, key 17", false, 16, "1", 0, {}, "");
        row("enhanced key 1, three digits", true, 0, "abc", 23525, QByteArray::fromHex("bc0a") + QByteArray(14, '\0'),
            QString(29, '0') + "abc");
        row("enhanced key 8, cleared", true, 7, "", 23637, QByteArray(16, char(0xFF)), QString(32, 'f'));
        row("enhanced, byte order", true, 3, "00112233445566778899aabbccddeeff", 23573,
            QByteArray::fromHex("ffeeddccbbaa99887766554433221100"), "00112233445566778899aabbccddeeff");
        row("enhanced, 33 digits", true, 3, "100112233445566778899aabbccddeeff", 0, {}, unchanged);
    }
    void typedKeys()
    {
        QFETCH(bool, enhanced);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        testsupport::ImageBuilder builder;
        FileImage &image = builder.image();
        image.fill(23525, 23701 - 23525, 0x5A);
        const PrivacyKeyTable &table = enhanced ? privacykeys::enhanced : privacykeys::basic;
        FileImage expected = image;
        for (int i = 0; i < bytes.size(); ++i)
            expected.setU8(offset + i, std::uint8_t(bytes[i]));
        QCOMPARE(storePrivacyKey(image, table, key, text), !bytes.isEmpty());
        QVERIFY(image == expected);
        QTEST(privacyKeyText(image, table, key), "shown");
    }
};

QTEST_APPLESS_MAIN(TestPrivacyKeys)
#include "tst_privacykeys.moc"
