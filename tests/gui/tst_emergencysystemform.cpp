#include "PageFixture.h"
#include "lists/EmergencySystemForm.h"

#include <QComboBox>
#include <QTest>

using namespace codeplug;

// What the emergency systems page adds to the list panel: the header bindings, one editor per
// cell kind, the deletion refusal of a digital channel and the channels following moved systems.
namespace {

constexpr int kHeader = 23701;
constexpr int kSystem1 = kHeader + 16;
constexpr int kChannel1 = 127013;

// Systems S1..S4 (S1's revert channel is the analogue A2); channels D1 (digital, system 2),
// A2 (analogue, system 3), D3 (digital, system 4).
FileImage fixture()
{
    testsupport::ImageBuilder builder;
    builder.records(lists::emergencySystems, testsupport::numbered(QStringLiteral("S"), 4));
    builder.records(lists::channels, { "D1", "A2", "D3" });
    for (int i = 0; i < 3; ++i) {
        builder.u8(kChannel1 + 64 * i, i == 1 ? 0x01 : 0x02); // mode
        builder.u8(kChannel1 + 64 * i + 10, std::uint8_t(i + 2));
    }
    return builder.u16(kSystem1 + 36, 2).u8(kHeader, 0xF6).image();
}

QList<int> channelSystems(const FileImage &image)
{
    return { image.u8(kChannel1 + 10), image.u8(kChannel1 + 74), image.u8(kChannel1 + 138) };
}

} // namespace

class TestEmergencySystemForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A header control, or the drop-down a double-click opens on a cell of system 1, writes its bits.
    void controlsWriteTheirBits_data()
    {
        QTest::addColumn<QString>("control"); // empty: the cell in `column`
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("shown"); // the cell's drop-down entry when it opens
        QTest::addColumn<QString>("choice"); // empty: click the toggle
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("expected");
        const auto row = [](const char *name, const char *control, int column, const char *shown, const char *choice,
                             int offset, int mask, int expected) {
            QTest::newRow(name) << QString::fromLatin1(control) << column << QString::fromLatin1(shown)
                                << QString::fromLatin1(choice) << offset << mask << expected;
        };
        row("header toggle, from 0xF6", "RadioDisableDecodeSpeedButton", 0, "", "", kHeader, 0xFF, 0xF7);
        row("header drop-down", "TxWakeupMessageLimitComboBox", 0, "", "3", kHeader + 3, 0xFF, 3);
        row("alarm mode", "", 4, "Emergency Alarm", "Emergency Alarm with Call", kSystem1 + 32, 0x33, 0x11);
        row("analogue revert channel", "", 5, "", "D3", kSystem1 + 36, 0xFF, 3);
        row("polite", "", 7, "5", "Infinite", kSystem1 + 34, 0xFF, 15);
    }

    void controlsWriteTheirBits()
    {
        QFETCH(QString, control);
        QFETCH(int, column);
        QFETCH(QString, choice);
        QFETCH(int, offset);
        QFETCH(int, mask);
        PageFixture p = PageFixture::of<EmergencySystemForm>(fixture());
        const bool cell = control.isEmpty();
        auto *combo = p.page->findChild<QComboBox *>(cell ? QStringLiteral("listViewComboBox") : control);
        if (cell) {
            p.doubleClick(0, column);
            QTEST(combo->currentText(), "shown");
        }
        if (combo)
            PageFixture::choose(combo, combo->findText(choice));
        else
            p.button(qPrintable(control))->click();
        QTEST(p.image().u8(offset) & mask, "expected");
        if (cell)
            QCOMPARE(p.cell(0, column), choice);
    }

    void addNewSystem()
    {
        PageFixture p = PageFixture::of<EmergencySystemForm>(fixture());
        p.button("AddBitBtn")->click();
        PageFixture::settle();
        QCOMPARE(p.selected(), QList<int> { 4 });
        QCOMPARE(p.cell(4, 2) + p.cell(4, 3) + p.cell(4, 8), QStringLiteral("System 5Regular10 secs"));
    }

    // S2 is kept for D1; S3 goes (the analogue A2 loses it) unless Cancel stops the walk at S2. How far a
    // move goes is the panel's; the channels follow whichever way.
    void deleteAndMove_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("answer"); // none: a move up
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("channels");
        const auto row = [](const char *name, QList<int> selected, int answer, QStringList names, QList<int> channels) {
            QTest::newRow(name) << selected << answer << names << channels;
        };
        row("delete, OK goes on", { 1, 2 }, QMessageBox::Ok, { "S1", "S2", "S4" }, { 2, 0, 3 });
        row("delete, Cancel stops", { 1, 2 }, QMessageBox::Cancel, { "S1", "S2", "S3", "S4" }, { 2, 3, 4 });
        row("move up", { 2 }, QMessageBox::NoButton, { "S1", "S3", "S2", "S4" }, { 3, 2, 4 });
    }

    void deleteAndMove()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, answer);
        PageFixture p = PageFixture::of<EmergencySystemForm>(fixture());
        p.prompts.answers = { QMessageBox::StandardButton(answer) };
        p.select(selected);
        if (answer == QMessageBox::NoButton)
            QTest::mouseClick(p.button("MoveUpBitBtn"), Qt::LeftButton);
        else
            QTest::keyClick(p.list, Qt::Key_Delete);
        PageFixture::settle();
        if (answer != QMessageBox::NoButton) {
            QCOMPARE(p.prompts.texts(),
                QStringList { "Cannot delete emergency system \"S2\".\n\nIt's used in channel \"D1\" setting" });
            QCOMPARE(p.prompts.shown.first().caption, QStringLiteral("Opps"));
        }
        QTEST(testsupport::usedNames(p.image(), lists::emergencySystems), "names");
        QTEST(channelSystems(p.image()), "channels");
        QTEST(p.column(2), "names");
    }
};

QTEST_MAIN(TestEmergencySystemForm)
#include "tst_emergencysystemform.moc"
