#include "ContactRecord.h"
#include "ContactRows.h"
#include "ImageBuilder.h"

#include <QTest>

using namespace codeplug;
using testsupport::ImageBuilder;

class TestContactRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordFields()
    {
        ImageBuilder builder;
        FileImage &image = builder.image();
        const int flags = 25000; // contact 1's flags byte
        image.setU8(flags, 0x1D); // PC call with bits 3 and 4 set
        QCOMPARE(callTypeText(contactCallType(image, 0)), QStringLiteral("PC call"));
        setContactCallType(image, 0, nextCallType(contactCallType(image, 0)));
        QCOMPARE(image.u8(flags), 0x19);
        setContactRxTone(image, 0, true);
        QCOMPARE(image.u8(flags), 0x39);
        QCOMPARE(callTypeText(4), QStringLiteral("Displatch call"));
        QCOMPARE(callTypeText(7), QStringLiteral("Unknown"));
        QCOMPARE(nextCallType(GroupCall), int(PrivateCall));
        QCOMPARE(nextCallType(AllCall), int(GroupCall));
        QCOMPARE(nextCallType(CallTypeNone), int(GroupCall));

        QVERIFY(setContactId(image, 0, 0xABCDEF));
        QCOMPARE(image.u8(24997), 0xEF);
        QCOMPARE(image.u8(24999), 0xAB);
        QVERIFY(!setContactId(image, 0, 16777216));
        QCOMPARE(contactId(image, 0), 0xABCDEFu);
        std::uint32_t id = 0;
        QVERIFY(parseContactId(QStringLiteral("16777215"), id));
        QVERIFY(!parseContactId(QStringLiteral("16777216"), id));
        QVERIFY(!parseContactId(QStringLiteral("12a"), id));

        setContactName(image, 0, QStringLiteral("ABCDEFGHIJKLMNOPQ"));
        QCOMPARE(contactName(image, 0), QStringLiteral("ABCDEFGHIJKLMNOP"));
        QCOMPARE(image.u16(25031), 'P');
        setContactName(image, 0, QStringLiteral("   "));
        QCOMPARE(contactName(image, 0), QStringLiteral("no_name-1"));
    }

    void cellTextsAndSearch()
    {
        ImageBuilder builder;
        for (int i = 0; i < 13; ++i)
            writeContact(builder.image(), i, std::uint32_t(i + 1), GroupCall, false, QStringLiteral("C%1").arg(i + 1));
        FileImage &image = builder.image();
        setContactId(image, 2, 5120);
        setContactCallType(image, 1, PrivateCall);
        setContactRxTone(image, 4, true);
        ProtectedIdList protectedIds;
        protectedIds.add(5);
        QCOMPARE(
            contactCellTexts(image, 1, protectedIds, false), (QStringList { "2", "C2", "2", "Private call", "", "" }));
        QCOMPARE(contactCellTexts(image, 1, protectedIds, true),
            (QStringList { "2", "C2", "2", "Private call", "No", "No" }));
        QCOMPARE(contactCellTexts(image, 4, protectedIds, true),
            (QStringList { "5", "C5", "5", "Group call", "Yes", "Yes" }));
        QCOMPARE(findContacts(image, QStringLiteral(" 12 "), protectedIds, false), (QList<int> { 2, 11 }));
        QCOMPARE(findContacts(image, QStringLiteral("PRIVATE"), protectedIds, false), QList<int> { 1 });
        QCOMPARE(findContacts(image, QStringLiteral("group"), protectedIds, false).size(), 12);
        QCOMPARE(findContacts(image, QStringLiteral("yes"), protectedIds, false), QList<int> { 4 });
        QCOMPARE(findContacts(image, QStringLiteral("no"), protectedIds, true).size(), 12);
        QVERIFY(findContacts(image, QStringLiteral("  "), protectedIds, true).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestContactRecord)
#include "tst_contactrecord.moc"
