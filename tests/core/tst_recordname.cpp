#include "ImageBuilder.h"
#include "RecordName.h"

#include <QTest>

using namespace codeplug;

class TestRecordName : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
        }
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
