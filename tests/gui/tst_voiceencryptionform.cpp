#include "PageFixture.h"
#include "RadioInfo.h"
#include "contacts/VoiceEncryptionForm.h"

#include <QTest>

using namespace codeplug;

class TestVoiceEncryptionForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every key holds 0x5A 0x5A ...; a double-click on a key's number opens the editor over the
    // key, and typing stores `bytes` from `offset` (none: nothing changes) and shows `cell`.
    void typedKeys_data()
    {
        QTest::addColumn<int>("radioType");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cell");
        const QString basic = QStringLiteral("BasicListView");
        const QString enhanced = QStringLiteral("EnhancedListView");
        QTest::newRow("basic key 3, one digit")
            << 0 << basic << 2 << "7\r" << 23673 << QByteArray::fromHex("0700") << "0007";
        QTest::newRow("basic, key filter")
            << 0x33 << basic << 0 << "xyz1-2\r" << 23669 << QByteArray::fromHex("1200") << "0012";
        QTest::newRow("basic, four digits kept")
            << 0x52 << basic << 15 << "12345\r" << 23699 << QByteArray::fromHex("3412") << "1234";
        QTest::newRow("basic, Escape") << 0 << basic << 1 << "99\x1b" << 0 << QByteArray() << "5a5a";
        QTest::newRow("enhanced key 8, cleared")
            << 0x52 << enhanced << 7 << "\b\r" << 23637 << QByteArray(16, char(0xFF)) << QString(32, 'f');
    }
    void typedKeys()
    {
        QFETCH(int, radioType);
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, cell);
        testsupport::ImageBuilder builder;
        builder.u8(radioinfo::kRadioType, std::uint8_t(radioType));
        builder.image().fill(23525, 23701 - 23525, 0x5A);
        PageFixture p = PageFixture::of<VoiceEncryptionForm>(builder);
        for (const char *hidable : { "EnhancedListView", "EnhancedTitleLabel" })
            QCOMPARE(p.child<QWidget>(hidable)->isVisible(), radioType != 0);
        QVERIFY(p.child<QWidget>("BasicListView")->isVisible());

        p.useList(qPrintable(list));
        const int digits = list == QLatin1String("BasicListView") ? 4 : 32;
        QCOMPARE(p.list->topLevelItemCount(), digits == 4 ? 16 : 8);
        QCOMPARE(p.cell(row, 1), QString::number(row + 1));
        QCOMPARE(p.cell(row, 2), QStringLiteral("5a").repeated(digits / 2));
        p.doubleClick(row, 1);
        QVERIFY(p.edit()->isVisible());
        QCOMPARE(p.edit()->geometry(), p.list->visualRect(p.list->model()->index(row, 2)));
        QCOMPARE(p.edit()->maxLength(), digits);
        const FileImage before = p.image();
        listclicks::type(p.edit(), typed);
        QVERIFY(!p.edit()->isVisible());
        FileImage expected = before;
        for (int i = 0; i < bytes.size(); ++i)
            expected.setU8(offset + i, std::uint8_t(bytes[i]));
        QVERIFY(p.image() == expected);
        QCOMPARE(p.cell(row, 2), cell);
    }

    void emptySlot()
    {
        PageFixture p = PageFixture::of<VoiceEncryptionForm>(std::nullopt);
        QVERIFY(!p.page->isEnabled());
        for (const char *name : { "BasicListView", "EnhancedListView" })
            QCOMPARE(p.child<QTreeWidget>(name)->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(TestVoiceEncryptionForm)
#include "tst_voiceencryptionform.moc"
