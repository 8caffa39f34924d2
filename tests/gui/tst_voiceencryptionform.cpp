#include "PageFixture.h"
#include "RadioInfo.h"
#include "contacts/VoiceEncryptionForm.h"

#include <QTest>

using namespace codeplug;

class TestVoiceEncryptionForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Keys of 0x5A bytes; a double-click on a key's number opens the editor over the key; the typed
    // text stores `bytes` from `offset` and the cell shows `cell`.
    void typedKeys_data()
    {
        QTest::addColumn<int>("radioType");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cell");
        QTest::newRow("basic key 3, one digit")
            << 0 << "BasicListView" << 2 << "7\r" << 23673 << QByteArray::fromHex("0700") << "0007";
        QTest::newRow("basic, hexadecimal and four digits only")
            << 0x33 << "BasicListView" << 15 << "xyz12-345\r" << 23699 << QByteArray::fromHex("3412") << "1234";
        QTest::newRow("enhanced key 8, cleared")
            << 0x52 << "EnhancedListView" << 7 << "\b\r" << 23637 << QByteArray(16, char(0xFF)) << QString(32, 'f');
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

        p.useList(qPrintable(list));
        QCOMPARE(p.list->topLevelItemCount(), list == QLatin1String("BasicListView") ? 16 : 8);
        QCOMPARE(p.cell(row, 1), QString::number(row + 1));
        p.doubleClick(row, 1);
        QCOMPARE(p.edit()->geometry(), p.list->visualRect(p.list->model()->index(row, 2)));
        FileImage expected = p.image();
        listclicks::type(p.edit(), typed);
        for (int i = 0; i < bytes.size(); ++i)
            expected.setU8(offset + i, std::uint8_t(bytes[i]));
        QVERIFY(p.image() == expected);
        QCOMPARE(p.cell(row, 2), cell);
    }
};

QTEST_MAIN(TestVoiceEncryptionForm)
#include "tst_voiceencryptionform.moc"
