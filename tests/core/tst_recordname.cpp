#include "ImageBuilder.h"
#include "RecordName.h"

#include <QTest>

using namespace codeplug;

class TestRecordName : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void renameWritesUnitsAndZeroesTheRest_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected"); // the 32 bytes of the name field
        QByteArray ab(32, 0);
        ab[0] = 'A';
        ab[2] = 'b';
        QTest::newRow("trimmed") << QStringLiteral("  Ab \t") << ab;
        QByteArray full(32, 0);
        for (int i = 0; i < 16; ++i)
            full[2 * i] = char('a' + i);
        QTest::newRow("cut at 16") << QStringLiteral("abcdefghijklmnopqrs") << full;
        QByteArray high(32, 0);
        high[0] = char(0xE9);
        high[1] = char(0xFF);
        QTest::newRow("sign-extended") << QString(QChar(0xE9)) << high;
    }

    void renameWritesUnitsAndZeroesTheRest()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        testsupport::ImageBuilder builder;
        builder.named(lists::zones, 0, QStringLiteral("Zone 1"))
            .named(lists::zones, 1, QStringLiteral("A long zone name"));
        FileImage &image = builder.image();
        const QByteArray before = image.toByteArray();

        QVERIFY(renameRecord(image, lists::zones, 1, text));

        const int field = lists::zones.nameFieldOffset(1);
        QCOMPARE(image.toByteArray().mid(field, 32), expected);
        // Nothing outside the name field moved.
        QCOMPARE(image.toByteArray().left(field), before.left(field));
        QCOMPARE(image.toByteArray().mid(field + 32), before.mid(field + 32));
    }

    void renameRefusals_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty text") << 0 << QString();
        QTest::newRow("only blanks") << 0 << QStringLiteral(" \t ");
        QTest::newRow("unused record") << 5 << QStringLiteral("New");
        QTest::newRow("index -1") << -1 << QStringLiteral("New");
        QTest::newRow("index 250") << 250 << QStringLiteral("New");
    }

    void renameRefusals()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        testsupport::ImageBuilder builder;
        FileImage &image = builder.image();
        const QByteArray before = image.toByteArray();
        QVERIFY(!renameRecord(image, lists::zones, index, text));
        QCOMPARE(image.toByteArray(), before);
    }

    void recordNameOfUnnamedRecord()
    {
        testsupport::ImageBuilder builder;
        builder.u16(lists::zones.nameFieldOffset(2), ' ');
        QCOMPARE(recordName(builder.image(), lists::zones, 0), QStringLiteral("Zone 1"));
        QCOMPARE(recordName(builder.image(), lists::zones, 2), QStringLiteral("no_name-3"));
        QCOMPARE(recordName(builder.image(), lists::zones, 3), QString());
        QCOMPARE(recordName(builder.image(), lists::zones, 250), QString());
    }
};

QTEST_APPLESS_MAIN(TestRecordName)
#include "tst_recordname.moc"
