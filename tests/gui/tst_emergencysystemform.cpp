#include "ChannelRecord.h"
#include "PageFixture.h"
#include "RecordName.h"
#include "lists/EmergencySystemForm.h"

#include <QComboBox>
#include <QTest>

using namespace codeplug;

// What the emergency systems page adds to the list panel: the header bindings, one editor per
// cell kind, the deletion refusal of a digital channel and the channels following moved systems.
namespace {

constexpr int kSystem1 = 23701 + 16;
constexpr int kSystemSize = 40;

// Systems S1..S4 (S1's revert channel is the analogue A2); channels D1 (digital, system 2),
// A2 (analogue, system 3), D3 (digital, system 4).
FileImage fixture()
{
    testsupport::ImageBuilder builder;
    builder.records(lists::emergencySystems, testsupport::numbered(QStringLiteral("S"), 4));
    builder.records(lists::channels, { QStringLiteral("D1"), QStringLiteral("A2"), QStringLiteral("D3") });
    const ChannelMode modes[] = { ChannelMode::Digital, ChannelMode::Analogue, ChannelMode::Digital };
    for (int i = 0; i < 3; ++i) {
        setChannelMode(builder.image(), i, modes[i]);
        setChannelField(builder.image(), i, channelfields::emergencySystem, i + 2);
    }
    builder.u16(kSystem1 + 36, 2);
    return builder.image();
}

QList<int> channelSystems(const FileImage &image)
{
    QList<int> systems;
    for (int i = 0; i < 3; ++i)
        systems.append(channelField(image, i, channelfields::emergencySystem));
    return systems;
}

} // namespace

class TestEmergencySystemForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptySlot();
    void header_data();
    void header();
    void editCell_data();
    void editCell();
    void addNewSystem();
    void deleteRefusedByDigitalChannel_data();
    void deleteRefusedByDigitalChannel();
    void moveRenumbersChannels_data();
    void moveRenumbersChannels();
};

void TestEmergencySystemForm::emptySlot()
{
    PageFixture p = PageFixture::of<EmergencySystemForm>(std::nullopt);
    QVERIFY(!p.page->isEnabled());
    QCOMPARE(p.title(), QStringLiteral("Emergency Systems .. up to 32. "));
    QCOMPARE(p.child<QComboBox>("RemoteSyncWakeupComboBox")->currentText(), QStringLiteral("150 ms"));
    QVERIFY(p.button("EmergencyRemoteMonitorDecodeSpeedButton")->isChecked());
}

void TestEmergencySystemForm::header_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("choice"); // empty: click the toggle
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("expected");

    // Header byte 0 starts as 0xF6: only bit 0 of it may change.
    QTest::newRow("radio disable") << "RadioDisableDecodeSpeedButton"
                                   << "" << 0 << 0xF7;
    QTest::newRow("remote monitor") << "RemoteMonitorDecodeSpeedButton"
                                    << "" << 0 << 0xF4;
    QTest::newRow("monitor duration") << "RemoteMonitorDurationComboBox"
                                      << "120 secs" << 1 << 120;
    QTest::newRow("sync wakeup") << "RemoteSyncWakeupComboBox"
                                 << "375 ms" << 2 << 15;
    QTest::newRow("wakeup limit") << "TxWakeupMessageLimitComboBox"
                                  << "3" << 3 << 3;
}

void TestEmergencySystemForm::header()
{
    QFETCH(QString, control);
    QFETCH(QString, choice);
    QFETCH(int, byte);
    FileImage image = fixture();
    image.setU8(23701, 0xF6);
    PageFixture p = PageFixture::of<EmergencySystemForm>(image);
    if (choice.isEmpty()) {
        p.button(qPrintable(control))->click();
    } else {
        auto *combo = p.child<QComboBox>(qPrintable(control));
        combo->setCurrentIndex(combo->findText(choice));
    }
    QTEST(int(p.image().u8(23701 + byte)), "expected");
}

void TestEmergencySystemForm::editCell_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("shown"); // the editor's entry when it opens
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("offset"); // in system 1's record
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("expected");

    QTest::newRow("alarm type") << 3 << "Regular"
                                << "Silent" << 32 << 0x33 << 0x02;
    QTest::newRow("alarm mode") << 4 << "Emergency Alarm"
                                << "Emergency Alarm with Call" << 32 << 0x33 << 0x11;
    QTest::newRow("analogue revert channel") << 5 << ""
                                             << "D3" << 36 << 0xFF << 3;
    QTest::newRow("impolite") << 6 << "15"
                              << "1" << 33 << 0xFF << 1;
    QTest::newRow("polite") << 7 << "5"
                            << "Infinite" << 34 << 0xFF << 15;
    QTest::newRow("hot mic") << 8 << "10 secs"
                             << "120 secs" << 35 << 0xFF << 120;
}

void TestEmergencySystemForm::editCell()
{
    QFETCH(int, column);
    QFETCH(QString, choice);
    QFETCH(int, offset);
    QFETCH(int, mask);
    PageFixture p = PageFixture::of<EmergencySystemForm>(fixture());
    p.doubleClick(0, column);
    auto *combo = p.child<QComboBox>("listViewComboBox");
    QVERIFY(combo && combo->isVisible());
    QTEST(combo->currentText(), "shown");
    const int index = combo->findText(choice);
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
    QTEST(p.image().u8(kSystem1 + offset) & mask, "expected");
    QCOMPARE(p.cell(0, column), choice);
    QCOMPARE(p.image().u8(kSystem1 + kSystemSize + offset), fixture().u8(kSystem1 + kSystemSize + offset));

    // The name: an edit box, Enter stores; the number column opens nothing.
    p.doubleClick(1, 2);
    QTest::keyClicks(p.edit(), QStringLiteral("Fire"));
    QTest::keyClick(p.edit(), Qt::Key_Return);
    QCOMPARE(recordName(p.image(), lists::emergencySystems, 1), QStringLiteral("Fire"));
    p.doubleClick(1, 1);
    QVERIFY(!p.edit()->isVisible() && !combo->isVisible());
}

void TestEmergencySystemForm::addNewSystem()
{
    PageFixture p = PageFixture::of<EmergencySystemForm>(fixture());
    QVERIFY(!p.button("MoveUp10BitBtn") && !p.button("MoveDown10BitBtn"));
    p.button("AddBitBtn")->click();
    PageFixture::settle();
    QCOMPARE(p.selected(), QList<int> { 4 });
    const QStringList cells { "5", "System 5", "Regular", "Emergency Alarm", "None", "15", "5", "10 secs" };
    for (int column = 1; column <= 8; ++column)
        QCOMPARE(p.cell(4, column), cells.at(column - 1));
    QCOMPARE(p.title(), QStringLiteral("Emergency Systems .. used 5 of 32. 1 selected. "));
    for (int i = 5; i < 32; ++i)
        p.button("AddBitBtn")->click();
    QVERIFY(!p.button("AddBitBtn")->isEnabled());
}

void TestEmergencySystemForm::deleteRefusedByDigitalChannel_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("channels");

    // S2 is kept for D1; S3 goes (the analogue A2 loses it) unless Cancel stops the walk at S2.
    QTest::newRow("OK goes on") << int(QMessageBox::Ok) << QStringList { "S1", "S2", "S4" } << QList<int> { 2, 0, 3 };
    QTest::newRow("Cancel stops") << int(QMessageBox::Cancel) << QStringList { "S1", "S2", "S3", "S4" }
                                  << QList<int> { 2, 3, 4 };
}

void TestEmergencySystemForm::deleteRefusedByDigitalChannel()
{
    QFETCH(int, answer);
    PageFixture p = PageFixture::of<EmergencySystemForm>(fixture());
    p.prompts.answers = { QMessageBox::StandardButton(answer) };
    p.select({ 1, 2 });
    QTest::keyClick(p.list, Qt::Key_Delete);
    QCOMPARE(p.prompts.shown.size(), 1);
    QCOMPARE(p.prompts.shown.first().caption, QStringLiteral("Opps"));
    QCOMPARE(p.prompts.shown.first().text,
        QStringLiteral("Cannot delete emergency system \"S2\".\n\nIt's used in channel \"D1\" setting"));
    QTEST(testsupport::usedNames(p.image(), lists::emergencySystems), "names");
    QTEST(channelSystems(p.image()), "channels");
    QTEST(p.column(2), "names");
}

void TestEmergencySystemForm::moveRenumbersChannels_data()
{
    QTest::addColumn<QString>("button"); // empty: Ctrl+Shift+Down
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("channels");

    QTest::newRow("up") << "MoveUpBitBtn" << false << QStringList { "S1", "S3", "S2", "S4" } << QList<int> { 3, 2, 4 };
    QTest::newRow("shift-click up by 10")
        << "MoveUpBitBtn" << true << QStringList { "S3", "S1", "S2", "S4" } << QList<int> { 3, 1, 4 };
    QTest::newRow("ctrl+shift+down") << "" << false << QStringList { "S1", "S2", "S4", "S3" } << QList<int> { 2, 4, 3 };
}

void TestEmergencySystemForm::moveRenumbersChannels()
{
    QFETCH(QString, button);
    QFETCH(bool, shift);
    PageFixture p = PageFixture::of<EmergencySystemForm>(fixture());
    p.select({ 2 });
    if (button.isEmpty())
        QTest::keyClick(p.list, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    else
        QTest::mouseClick(p.button(qPrintable(button)), Qt::LeftButton, shift ? Qt::ShiftModifier : Qt::NoModifier);
    PageFixture::settle();
    QTEST(testsupport::usedNames(p.image(), lists::emergencySystems), "names");
    QTEST(channelSystems(p.image()), "channels");
    QTEST(p.column(2), "names");
}

QTEST_MAIN(TestEmergencySystemForm)
#include "tst_emergencysystemform.moc"
