#include "ChannelRecord.h"
#include "Layout.h"
#include "PageFixture.h"
#include "RadioInfo.h"
#include "channels/ChannelsForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace codeplug;

namespace {

int recordOffset(int index)
{
    return lists::channels.recordOffset(index);
}

QByteArray recordBytes(const FileImage &image, int index)
{
    const auto bytes = image.span(recordOffset(index), lists::channels.recordSize);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

// A band-2 code plug whose first `count` channels are named "A", "B", ...
testsupport::ImageBuilder channelPlug(int count)
{
    testsupport::ImageBuilder builder(2);
    for (int i = 0; i < count; ++i)
        builder.named(lists::channels, i, QString(QChar(QLatin1Char('A').unicode() + i)));
    return builder;
}

PageFixture channelsPage(const testsupport::ImageBuilder &builder)
{
    return PageFixture::of<ChannelsForm>(builder);
}

QStringList comboValues(const PageFixture &page, const char *name)
{
    QStringList values;
    const auto *combo = page.child<QComboBox>(name);
    for (int i = 0; i < combo->count(); ++i)
        values.append(combo->itemText(i));
    return values;
}

} // namespace

class TestChannelDetails : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rxFrequencyTypedIntoEverySelectedChannel();
    void frequencyEnterShowsStoredValue();
    void controlWritesItsChannelBits_data();
    void controlWritesItsChannelBits();
    void admitCriteriaFollowTheMode_data();
    void admitCriteriaFollowTheMode();
    void digitalWritesNarrowBandwidth();
    void referenceAndPrivacyChoices();
    void choicesFollowTheRadioType_data();
    void choicesFollowTheRadioType();
    void detailAreaFitsSmallestWindow();
};

void TestChannelDetails::rxFrequencyTypedIntoEverySelectedChannel()
{
    PageFixture page = channelsPage(channelPlug(6));
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
    PageFixture page = channelsPage(channelPlug(3));
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

void TestChannelDetails::controlWritesItsChannelBits_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("entry"); // the drop-down entry to choose; empty: click the button
    QTest::addColumn<int>("byte");
    QTest::addColumn<QByteArray>("before"); // at `byte` of channels 1 and 2, both selected
    QTest::addColumn<QByteArray>("after");
    const auto hex = [](const char *text) { return QByteArray::fromHex(text); };
    QTest::newRow("display PTT ID, stored as off, mixed")
        << "DisplayPTTIDSpeedButton" << QString() << 3 << hex("A1 21") << hex("21 21");
    QTest::newRow("decode 3") << "Decode3SpeedButton" << QString() << 14 << hex("00 F0") << hex("04 F4");
    QTest::newRow("tx power high") << "TxPowerHighSpeedButton" << QString() << 4 << hex("05 C5") << hex("25 E5");
    QTest::newRow("admit criteria") << "AdmitCriteriaComboBox"
                                    << "Channel Free " << 4 << hex("05 C5") << hex("45 45");
    QTest::newRow("voice encryption off keeps the call flags") << "VoiceEncryptionComboBox"
                                                               << "None " << 2 << hex("DF 1F") << hex("C0 00");
    QTest::newRow("tx tone") << "TxCTCSSComboBox"
                             << "D 754 inv" << 26 << hex("FFFF 0000") << hex("54C7 54C7");
    QTest::newRow("tx contact") << "TxContactComboBox"
                                << "Contact 1" << 6 << hex("0000 0200") << hex("0100 0100");
}

void TestChannelDetails::controlWritesItsChannelBits()
{
    QFETCH(QString, control);
    QFETCH(QString, entry);
    QFETCH(int, byte);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    const int width = int(before.size()) / 2;
    testsupport::ImageBuilder builder = channelPlug(3);
    for (int i = 0; i < int(before.size()); ++i)
        builder.u8(recordOffset(i / width) + byte + i % width, std::uint8_t(before.at(i)));
    PageFixture page = channelsPage(builder);
    const QByteArray untouched = recordBytes(page.image(), 2);
    page.select({ 0, 1 });
    if (entry.isEmpty()) {
        QTest::mouseClick(page.child<QPushButton>(qPrintable(control)), Qt::LeftButton);
    } else {
        auto *combo = page.child<QComboBox>(qPrintable(control));
        QVERIFY(combo->findText(entry) >= 0);
        combo->setCurrentIndex(combo->findText(entry));
    }
    for (int row : { 0, 1 }) {
        QByteArray expected = recordBytes(page.image(), row);
        expected.replace(byte, width, after.mid(row * width, width));
        QCOMPARE(recordBytes(page.image(), row).toHex(' '), expected.toHex(' '));
    }
    QCOMPARE(recordBytes(page.image(), 2), untouched);
}

void TestChannelDetails::admitCriteriaFollowTheMode_data()
{
    QTest::addColumn<QList<int>>("rows"); // channel 1 digital, channel 2 analogue
    QTest::addColumn<QStringList>("offered");
    const QString always = QStringLiteral("Always "), free = QStringLiteral("Channel Free ");
    QTest::newRow("mixed") << QList<int> { 0,
        1 } << QStringList { always, free, QStringLiteral("Correct CTCSS / CDCSS "), QStringLiteral("Colour Code ") };
    QTest::newRow("digital") << QList<int> { 0 } << QStringList { always, free, QStringLiteral("Colour Code ") };
    QTest::newRow("analogue") << QList<int> { 1 }
                              << QStringList { always, free, QStringLiteral("Correct CTCSS / CDCSS ") };
}

void TestChannelDetails::admitCriteriaFollowTheMode()
{
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, offered);
    testsupport::ImageBuilder builder = channelPlug(3);
    builder.u8(recordOffset(1), 0x61); // analogue
    PageFixture page = channelsPage(builder);
    page.select(rows);
    QCOMPARE(comboValues(page, "AdmitCriteriaComboBox"), offered);
    QCOMPARE(page.child<QPushButton>("DigitalSpeedButton")->isChecked(), rows == QList<int> { 0 });
    QCOMPARE(page.child<QPushButton>("AnalogueSpeedButton")->isChecked(), rows == QList<int> { 1 });
}

void TestChannelDetails::digitalWritesNarrowBandwidth()
{
    testsupport::ImageBuilder builder = channelPlug(3);
    builder.u8(recordOffset(0), 0x69); // analogue, 25 kHz
    PageFixture page = channelsPage(builder);
    page.select({ 1, 2 }); // all Digital: no bandwidth to offer
    QVERIFY(!page.child<QPushButton>("Bandwidth25SpeedButton")->isEnabled());
    page.select({ 0, 1 });
    QVERIFY(page.child<QPushButton>("Bandwidth25SpeedButton")->isEnabled());
    page.select({ 0 });
    QVERIFY(page.child<QPushButton>("Bandwidth25SpeedButton")->isChecked());
    QVERIFY(page.child<QPushButton>("Bandwidth25SpeedButton")->isEnabled());
    QTest::mouseClick(page.child<QPushButton>("DigitalSpeedButton"), Qt::LeftButton);
    QCOMPARE(int(page.image().u8(recordOffset(0))), 0x62);
    QVERIFY(page.child<QPushButton>("Bandwidth12_5SpeedButton")->isChecked());
    for (const char *name : { "Bandwidth12_5SpeedButton", "Bandwidth20SpeedButton", "Bandwidth25SpeedButton" })
        QVERIFY2(!page.child<QPushButton>(name)->isEnabled(), name);
    QCOMPARE(comboValues(page, "AdmitCriteriaComboBox").last(), QStringLiteral("Colour Code "));
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
    PageFixture page = channelsPage(builder);
    page.select({ 0 });
    QCOMPARE(comboValues(page, "TxContactComboBox").mid(0, 3),
        QStringList({ QStringLiteral("None"), QStringLiteral("Contact 1"), QStringLiteral("Tg 91") }));
    QCOMPARE(page.child<QComboBox>("TxContactComboBox")->currentText(), QStringLiteral("Tg 91"));
    QCOMPARE(page.child<QComboBox>("ScanListComboBox")->currentText(), QStringLiteral("Local"));
    QCOMPARE(page.child<QComboBox>("VoiceEncryptionComboBox")->currentText(), QStringLiteral("Basic 16 "));
    QCOMPARE(page.child<QComboBox>("RxCTCSSComboBox")->currentText(), QStringLiteral("None"));
}

void TestChannelDetails::choicesFollowTheRadioType_data()
{
    QTest::addColumn<int>("radioType");
    QTest::addColumn<int>("privacyChoices");
    QTest::addColumn<bool>("gps");
    QTest::newRow("0") << 0 << 17 << false;
    QTest::newRow("0x33") << 0x33 << 25 << false;
    QTest::newRow("1") << 1 << 25 << true;
}

void TestChannelDetails::choicesFollowTheRadioType()
{
    QFETCH(int, radioType);
    QFETCH(int, privacyChoices);
    QFETCH(bool, gps);
    testsupport::ImageBuilder builder = channelPlug(2);
    PageFixture page = channelsPage(builder);
    // The choices follow the radio type of the image at each page refresh.
    page.image().setU8(radioinfo::kRadioType, std::uint8_t(radioType));
    page.page->pageRefresh();
    PageFixture::settle();
    QCOMPARE(page.child<QComboBox>("VoiceEncryptionComboBox")->count(), privacyChoices);
    QCOMPARE(page.child<QComboBox>("GPSSystemComboBox")->isVisible(), gps);
    QCOMPARE(page.child<QLabel>("GPSSystemLabel")->isVisible(), gps);
}

void TestChannelDetails::detailAreaFitsSmallestWindow()
{
    PageFixture page = channelsPage(channelPlug(2));
    // The page's share of the smallest main window.
    page.page->resize(790, 440);
    PageFixture::settle();
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
