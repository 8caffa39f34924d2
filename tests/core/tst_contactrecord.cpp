#include "ContactRecord.h"
#include "ContactRows.h"
#include "ImageBuilder.h"

#include <QTest>

using namespace codeplug;

class TestContactRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The bytes of contact 1 (the name's cutting and fallback are the name codec's).
    void recordFields()
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
        QVERIFY(parseContactId(QStringLiteral("16777215"), id));
        QVERIFY(!parseContactId(QStringLiteral("16777216"), id) && !parseContactId(QStringLiteral("12a"), id));
        setContactName(image, 0, QStringLiteral("ABCDEFGHIJKLMNOPQ"));
        QCOMPARE(image.u16(25031), 'P');
    }

    void cellTextsAndSearch()
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
        QCOMPARE(findContacts(image, QStringLiteral("group"), protectedIds, false).size(), 12);
        QCOMPARE(findContacts(image, QStringLiteral("yes"), protectedIds, false), QList<int> { 4 });
        QCOMPARE(findContacts(image, QStringLiteral("no"), protectedIds, true).size(), 12);
        QVERIFY(findContacts(image, QStringLiteral("  "), protectedIds, true).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestContactRecord)
#include "tst_contactrecord.moc"
