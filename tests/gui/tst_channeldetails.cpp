#include "ChannelsPage.h"
#include "RadioInfo.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestChannelDetails : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rxFrequencyTypedIntoEverySelectedChannel();
    void frequencyEnterShowsStoredValue();
    void invertedToggleShowsCommonState_data();
    void invertedToggleShowsCommonState();
    void toggleWritesOnlyItsBit();
    void mixedModeOffersFourAdmitCriteria();
    void digitalWritesNarrowBandwidth();
    void referenceAndPrivacyChoices();
    void gpsSystemHiddenByRadioType_data();
    void gpsSystemHiddenByRadioType();
    void detailAreaFitsSmallestWindow();
};

void TestChannelDetails::rxFrequencyTypedIntoEverySelectedChannel()
{
    Page page(channelPlug(6));
    const QByteArray untouched = recordBytes(page.image(), 0);
    page.select({ 1, 3, 4 });
    QLineEdit *edit = page.child<QLineEdit>("RxFreqEdit");
    QCOMPARE(edit->text(), QStringLiteral("430.00000"));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("43x9.1a25"));
    QCOMPARE(edit->text(), QStringLiteral("439.125")); // letters are refused
    for (int row : { 1, 3, 4 }) {
        QCOMPARE(recordBytes(page.image(), row).mid(16, 4).toHex(' '), QByteArray("00 25 91 43"));
        QCOMPARE(recordBytes(page.image(), row).mid(20, 4).toHex(' '), QByteArray("00 00 00 43")); // tx stays
    }
    QCOMPARE(recordBytes(page.image(), 0), untouched);
    QCOMPARE(recordBytes(page.image(), 2).mid(16, 4).toHex(' '), QByteArray("00 00 00 43"));

    // Different frequencies show nothing.
    page.select({ 0, 1 });
    QCOMPARE(edit->text(), QString());
}

void TestChannelDetails::frequencyEnterShowsStoredValue()
{
    Page page(channelPlug(3));
    page.select({ 0, 2 });
    QLineEdit *edit = page.child<QLineEdit>("TxFreqEdit");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("1"));
    // "1" reads as 100 MHz and is clamped to the band's lowest frequency.
    QCOMPARE(recordBytes(page.image(), 2).mid(20, 4).toHex(' '), QByteArray("00 00 00 40"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), QStringLiteral("400.00000"));
    QCOMPARE(recordBytes(page.image(), 1).mid(20, 4).toHex(' '), QByteArray("00 00 00 43"));

    // With different frequencies Enter only shows the first one: it is not copied into the others.
    page.select({ 1, 2 });
    QCOMPARE(edit->text(), QString());
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), QStringLiteral("430.00000"));
    QCOMPARE(recordBytes(page.image(), 2).mid(20, 4).toHex(' '), QByteArray("00 00 00 40"));

    // Delete and the cursor keys keep working.
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), QStringLiteral("30.00000"));
}

void TestChannelDetails::invertedToggleShowsCommonState_data()
{
    QTest::addColumn<int>("firstByte3");
    QTest::addColumn<int>("secondByte3");
    QTest::addColumn<bool>("down");
    QTest::newRow("both off") << 0xA1 << 0xA1 << false;
    QTest::newRow("both on") << 0x21 << 0x21 << true;
    QTest::newRow("differ only in display PTT ID") << 0x21 << 0xA1 << false;
}

void TestChannelDetails::invertedToggleShowsCommonState()
{
    QFETCH(int, firstByte3);
    QFETCH(int, secondByte3);
    QFETCH(bool, down);
    testsupport::ImageBuilder builder = channelPlug(3);
    builder.u8(recordOffset(0) + 3, std::uint8_t(firstByte3)).u8(recordOffset(1) + 3, std::uint8_t(secondByte3));
    Page page(builder);
    page.select({ 0, 1 });
    QCOMPARE(page.child<QPushButton>("DisplayPTTIDSpeedButton")->isChecked(), down);
    // Every other field is common, so its controls show it.
    QVERIFY(page.child<QPushButton>("DigitalSpeedButton")->isChecked());
    QCOMPARE(page.child<QPushButton>("RxRelFreqMedSpeedButton")->isChecked(), true);
}

void TestChannelDetails::toggleWritesOnlyItsBit()
{
    testsupport::ImageBuilder builder = channelPlug(3);
    builder.u8(recordOffset(0) + 3, 0xA1).u8(recordOffset(1) + 3, 0x21);
    Page page(builder);
    page.select({ 0, 1 });
    QPushButton *ptt = page.child<QPushButton>("DisplayPTTIDSpeedButton");
    QTest::mouseClick(ptt, Qt::LeftButton);
    QVERIFY(ptt->isChecked());
    QCOMPARE(int(page.image().u8(recordOffset(0) + 3)), 0x21);
    QCOMPARE(int(page.image().u8(recordOffset(1) + 3)), 0x21);
    QTest::mouseClick(page.child<QPushButton>("Decode3SpeedButton"), Qt::LeftButton);
    QCOMPARE(int(page.image().u8(recordOffset(0) + 14)), 0x04);
    QCOMPARE(int(page.image().u8(recordOffset(2) + 14)), 0x00);
    // An exclusive button clicked twice stays down.
    QPushButton *high = page.child<QPushButton>("TxPowerHighSpeedButton");
    QTest::mouseClick(high, Qt::LeftButton);
    QTest::mouseClick(high, Qt::LeftButton);
    QVERIFY(high->isChecked());
    QVERIFY(!page.child<QPushButton>("TxPowerLowSpeedButton")->isChecked());
    QCOMPARE(int(page.image().u8(recordOffset(1) + 4)), 0x25);
}

void TestChannelDetails::mixedModeOffersFourAdmitCriteria()
{
    testsupport::ImageBuilder builder = channelPlug(3);
    builder.u8(recordOffset(1), 0x61); // analogue
    Page page(builder);
    page.select({ 0, 1 });
    QCOMPARE(page.comboValues("AdmitCriteriaComboBox"),
        QStringList({ QStringLiteral("Always "), QStringLiteral("Channel Free "),
            QStringLiteral("Correct CTCSS / CDCSS "), QStringLiteral("Colour Code ") }));
    for (const char *name : { "AutoSpeedButton", "AnalogueSpeedButton", "DigitalSpeedButton" })
        QVERIFY2(!page.child<QPushButton>(name)->isChecked(), name);

    page.select({ 0 });
    QCOMPARE(page.comboValues("AdmitCriteriaComboBox"),
        QStringList({ QStringLiteral("Always "), QStringLiteral("Channel Free "), QStringLiteral("Colour Code ") }));
    page.select({ 1 });
    QCOMPARE(page.comboValues("AdmitCriteriaComboBox"),
        QStringList(
            { QStringLiteral("Always "), QStringLiteral("Channel Free "), QStringLiteral("Correct CTCSS / CDCSS ") }));
    // Choosing "Correct CTCSS / CDCSS " writes 2 into bits 6-7 of byte 4 only.
    page.child<QComboBox>("AdmitCriteriaComboBox")->setCurrentIndex(2);
    QCOMPARE(int(page.image().u8(recordOffset(1) + 4)), 0x85);
}

void TestChannelDetails::digitalWritesNarrowBandwidth()
{
    testsupport::ImageBuilder builder = channelPlug(2);
    builder.u8(recordOffset(0), 0x69); // analogue, 25 kHz
    Page page(builder);
    page.select({ 0 });
    QVERIFY(page.child<QPushButton>("Bandwidth25SpeedButton")->isChecked());
    QVERIFY(page.child<QPushButton>("Bandwidth25SpeedButton")->isEnabled());
    QTest::mouseClick(page.child<QPushButton>("DigitalSpeedButton"), Qt::LeftButton);
    QCOMPARE(int(page.image().u8(recordOffset(0))), 0x62);
    QVERIFY(page.child<QPushButton>("Bandwidth12_5SpeedButton")->isChecked());
    for (const char *name : { "Bandwidth12_5SpeedButton", "Bandwidth20SpeedButton", "Bandwidth25SpeedButton" })
        QVERIFY2(!page.child<QPushButton>(name)->isEnabled(), name);
    QCOMPARE(page.comboValues("AdmitCriteriaComboBox").size(), 3);
    QTest::mouseClick(page.child<QPushButton>("AnalogueSpeedButton"), Qt::LeftButton);
    QCOMPARE(int(page.image().u8(recordOffset(0))), 0x61);
    QVERIFY(page.child<QPushButton>("Bandwidth25SpeedButton")->isEnabled());
}

void TestChannelDetails::referenceAndPrivacyChoices()
{
    testsupport::ImageBuilder builder = channelPlug(2);
    builder.named(lists::contacts, 1, QStringLiteral("Tg 91"));
    builder.named(lists::scanLists, 1, QStringLiteral("Local"));
    builder.u16(recordOffset(0) + 6, 2).u8(recordOffset(0) + 11, 2);
    builder.u8(recordOffset(0) + 2, 0x1F); // basic, key 16
    builder.u16(recordOffset(0) + 24, 0); // a stored 0 is no tone
    builder.u8(radioinfo::kRadioType, 0);
    Page page(builder);
    page.select({ 0 });
    QCOMPARE(page.comboValues("TxContactComboBox").mid(0, 3),
        QStringList({ QStringLiteral("None"), QStringLiteral("Contact 1"), QStringLiteral("Tg 91") }));
    QCOMPARE(page.child<QComboBox>("TxContactComboBox")->currentText(), QStringLiteral("Tg 91"));
    QCOMPARE(page.child<QComboBox>("ScanListComboBox")->currentText(), QStringLiteral("Local"));
    QCOMPARE(page.child<QComboBox>("VoiceEncryptionComboBox")->count(), 17);
    QCOMPARE(page.child<QComboBox>("VoiceEncryptionComboBox")->currentText(), QStringLiteral("Basic 16 "));
    QCOMPARE(page.child<QComboBox>("RxCTCSSComboBox")->currentText(), QStringLiteral("None"));

    page.child<QComboBox>("VoiceEncryptionComboBox")->setCurrentIndex(0);
    QCOMPARE(int(page.image().u8(recordOffset(0) + 2)), 0x00);
    QComboBox *txTone = page.child<QComboBox>("TxCTCSSComboBox");
    txTone->setCurrentIndex(txTone->findText(QStringLiteral("D 754 inv")));
    QCOMPARE(page.image().u16(recordOffset(0) + 26), std::uint16_t(0xC754));

    page.image().setU8(radioinfo::kRadioType, 1);
    page.form->pageRefresh();
    settle();
    QCOMPARE(page.child<QComboBox>("VoiceEncryptionComboBox")->count(), 25);
}

void TestChannelDetails::gpsSystemHiddenByRadioType_data()
{
    QTest::addColumn<int>("radioType");
    QTest::addColumn<bool>("shown");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("0x33") << 0x33 << false;
    QTest::newRow("1") << 1 << true;
}

void TestChannelDetails::gpsSystemHiddenByRadioType()
{
    QFETCH(int, radioType);
    QFETCH(bool, shown);
    testsupport::ImageBuilder builder = channelPlug(2);
    builder.u8(radioinfo::kRadioType, std::uint8_t(radioType));
    Page page(builder);
    QCOMPARE(page.child<QComboBox>("GPSSystemComboBox")->isVisible(), shown);
    QCOMPARE(page.child<QLabel>("GPSSystemLabel")->isVisible(), shown);
}

void TestChannelDetails::detailAreaFitsSmallestWindow()
{
    Page page(channelPlug(2));
    // The page's share of the smallest main window.
    page.form->resize(790, 440);
    settle();
    QWidget *panel = page.child<QWidget>("DetailPanel");
    const QWidget *viewport = panel->parentWidget();
    QVERIFY2(panel->width() <= viewport->width(), "the details need no sideways scrolling");
    // No two visible controls of a group overlap, and each is at least as wide as it needs.
    for (const char *group : { "CommonGroupBox", "DigitalGroupBox", "AnalogueGroupBox" }) {
        QList<QWidget *> controls;
        for (QWidget *w : page.child<QWidget>(group)->findChildren<QWidget *>()) {
            if (w->isVisible()
                && (qobject_cast<QLabel *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w)
                    || qobject_cast<QPushButton *>(w)))
                controls.append(w);
        }
        for (int i = 0; i < int(controls.size()); ++i) {
            const QRect a(controls.at(i)->mapTo(panel, QPoint(0, 0)), controls.at(i)->size());
            if (auto *button = qobject_cast<QPushButton *>(controls.at(i)))
                QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(button->text()),
                    qPrintable(button->objectName()));
            for (int j = i + 1; j < int(controls.size()); ++j) {
                const QRect b(controls.at(j)->mapTo(panel, QPoint(0, 0)), controls.at(j)->size());
                QVERIFY2(!a.intersects(b),
                    qPrintable(controls.at(i)->objectName() + QStringLiteral(" / ") + controls.at(j)->objectName()));
            }
        }
    }
}

QTEST_MAIN(TestChannelDetails)
#include "tst_channeldetails.moc"
