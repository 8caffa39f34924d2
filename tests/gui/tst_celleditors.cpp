#include "ChannelRecord.h"
#include "PageFixture.h"
#include "channels/DTMFForm.h"
#include "channels/GPSForm.h"
#include "contacts/DigitalContactsForm.h"
#include "contacts/VoiceEncryptionForm.h"
#include "lists/EmergencySystemForm.h"
#include "settings/ButtonsForm.h"

using namespace codeplug;

// The pages whose lists are edited cell by cell (Buttons, DTMF, GPS, contacts, emergency systems,
// privacy keys): each editor driven once through the page, checked in the bytes it leaves. The
// rules behind the cells are the core tests' business.
namespace {

enum Page { Buttons, Dtmf, Gps, Contacts, Emergency, Privacy };
using Bytes = QList<int>; // offset and byte pairs
constexpr int kSystem1 = 23717;

int contactAt(int index)
{
    return lists::contacts.recordOffset(index);
}

// Channels "Dig" (digital) and "Ana" (analogue), contacts C1, C2 and C3, emergency system "S1",
// privacy keys of 0x5A bytes, radio type 0x52.
testsupport::ImageBuilder plug(int radioType = 0x52)
{
    testsupport::ImageBuilder builder;
    numberedContacts(builder, 3).records(lists::channels, { "Dig", "Ana" }).u8(312, std::uint8_t(radioType));
    builder.records(lists::emergencySystems, { "S1" }).image().fill(23525, 23701 - 23525, 0x5A);
    setChannelMode(builder.image(), 0, ChannelMode::Digital);
    setChannelMode(builder.image(), 1, ChannelMode::Analogue);
    return builder;
}

PageFixture open(int page, const testsupport::ImageBuilder &builder)
{
    using Open = PageFixture (*)(const testsupport::ImageBuilder &);
    static const Open pages[] = { &PageFixture::of<ButtonsForm>, &PageFixture::of<DTMFForm>, &PageFixture::of<GPSForm>,
        &PageFixture::of<DigitalContactsForm>, &PageFixture::of<EmergencySystemForm>,
        &PageFixture::of<VoiceEncryptionForm> };
    return pages[page](builder);
}

} // namespace

class TestCellEditors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A double-click on a cell, then a value chosen, digits typed or nothing (a toggle).
    void cellEditors_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<int>("shownColumn");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char *name, int page, const char *list, int row, int column, QVariant input,
                             Bytes bytes, int shownColumn, const char *shown) {
            QTest::newRow(name) << page << QString::fromLatin1(list) << row << column << input << bytes << shownColumn
                                << QString::fromLatin1(shown);
        };
        row("dtmf side tone", Dtmf, "SystemListView", 1, 2, {}, { 197213, 1 }, 2, "Yes");
        row("dtmf digit delay", Dtmf, "SystemListView", 0, 9, 10, { 197157, 10 }, 9, "100 ms");
        row("dtmf key-up digits", Dtmf, "SystemListView", 0, 7, "12ab*#", { 197173, 6, 197174, 0x21, 197175, 0xBA }, 7,
            "12AB*#");
        row("dtmf encode 1 never empty", Dtmf, "EncodeListView", 0, 2, "", { 197349, 1, 197350, 0xFF }, 2, "#");
        row("gps interval off", Gps, "ListView", 4, 3, 0, { 257703, 0xFF }, 3, "Off");
        row("gps contact", Gps, "ListView", 0, 4, 2, { 257641, 2, 257642, 0 }, 4, "C2");
        row("one-touch digital", Buttons, "OneTouchAccessListView", 0, 2, 1, { 9017, 0x10, 9018, 1, 9019, 1 }, 3, "C1");
        row("number key from its key column", Buttons, "NumberKeyQuickContactAccessListView", 3, 1, 2,
            { 9047, 2, 9048, 0 }, 2, "C2");
        // Cells with nothing to offer open no editor: the number, and the contact and message of an
        // entry without a mode.
        for (int column : { 1, 3, 5 })
            row(qPrintable(QStringLiteral("one-touch column %1: no editor").arg(column)), Buttons,
                "OneTouchAccessListView", 0, column, {}, {}, 1, "1");
        // The call-type cycle, the kept flag bits and the number cell are the core's and the panel's.
        row("contact type", Contacts, "ListView", 0, 4, {}, { contactAt(0) + 3, 0xC2 }, 4, "Private call");
        row("contact rx tone", Contacts, "ListView", 0, 5, {}, { contactAt(0) + 3, 0xE1 }, 5, "Yes");
        row("contact id, letters dropped, nine digits cut", Contacts, "ListView", 1, 3, "12a345b6789",
            { contactAt(1), 0x4E, contactAt(1) + 1, 0x61, contactAt(1) + 2, 0xBC }, 3, "12345678");
        row("contact id, empty keeps it", Contacts, "ListView", 1, 3, "", { contactAt(1), 102 }, 3, "102");
        row("emergency alarm mode", Emergency, "ListView", 0, 4, 1, { kSystem1 + 32, 0x11 }, 4,
            "Emergency Alarm with Call");
        row("emergency revert channel", Emergency, "ListView", 0, 5, 1, { kSystem1 + 36, 1, kSystem1 + 37, 0 }, 5,
            "Dig");
        row("emergency polite retries", Emergency, "ListView", 0, 7, 15, { kSystem1 + 34, 15 }, 7, "Infinite");
        // A double-click on a key's number opens the editor over the key.
        row("basic key 3, one digit", Privacy, "BasicListView", 2, 1, "7", { 23673, 7, 23674, 0 }, 2, "0007");
        row("basic key, hexadecimal and four digits only", Privacy, "BasicListView", 15, 1, "xyz12-345",
            { 23699, 0x34, 23700, 0x12 }, 2, "1234");
        row("enhanced key 8, cleared", Privacy, "EnhancedListView", 7, 1, "", { 23637, 0xFF, 23652, 0xFF }, 2,
            "ffffffffffffffffffffffffffffffff");
    }
    void cellEditors()
    {
        QFETCH(int, page);
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QVariant, input);
        QFETCH(Bytes, bytes);
        QFETCH(int, shownColumn);
        PageFixture p = open(page, plug());
        QTreeWidget *view = p.child<QTreeWidget>(qPrintable(list));
        if (auto *dtmf = qobject_cast<DTMFForm *>(p.page.get()))
            dtmf->tabs()->setCurrentWidget(view);
        listclicks::doubleClick(view, row, column);
        auto *combo = p.child<QComboBox>("listViewComboBox");
        if (input.typeId() == QMetaType::QString) {
            QCOMPARE(p.edit()->geometry(), view->visualRect(view->model()->index(row, shownColumn)));
            p.edit()->clear();
            QTest::keyClicks(p.edit(), input.toString());
            QTest::keyClick(p.edit(), Qt::Key_Return);
        } else if (input.isValid()) {
            PageFixture::choose(combo, combo->findData(input));
        }
        for (int i = 0; i + 1 < int(bytes.size()); i += 2)
            QCOMPARE(p.image().u8(bytes.at(i)), std::uint8_t(bytes.at(i + 1)));
        QTEST(view->topLevelItem(row)->text(shownColumn), "shown");
        QVERIFY(!combo->isVisible() && !p.edit()->isVisible());
    }

    // The Buttons page's drop-downs write their byte and offer the function list of the radio type;
    // the GPS tab is offered for radio types other than 0 and 0x33, the enhanced privacy keys for
    // types other than 0.
    void dropDownsAndHiddenPartsFollowRadioType()
    {
        for (const auto &[combo, radioType, value, offset, items] :
            { std::tuple { "LongPressDurationComboBox", 0x52, 6, 9014, 12 },
                { "UpperSideShortPressComboBox", 0, 38, 8999, 21 },
                { "LowerSideLongPressComboBox", 0x33, 24, 9002, 24 } }) {
            PageFixture p = open(Buttons, plug(radioType));
            auto *box = p.child<QComboBox>(combo);
            QCOMPARE(box->count(), items);
            box->setCurrentIndex(box->findData(value));
            QCOMPARE(p.image().u8(offset), value);
            QCOMPARE(open(Gps, plug(radioType)).page->isTabOffered(), radioType == 0x52);
            QCOMPARE(open(Privacy, plug(radioType)).child<QWidget>("EnhancedListView")->isVisible(), radioType != 0);
        }
    }
};

QTEST_MAIN(TestCellEditors)
#include "tst_celleditors.moc"
