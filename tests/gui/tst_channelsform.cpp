#include "ChannelCsv.h"
#include "ChannelRecord.h"
#include "PageFixture.h"
#include "RadioInfo.h"
#include "channels/ChannelsForm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using namespace codeplug;

// What the channels page adds to the list panel: protection by name, sorting by the name title,
// the clipboard and CSV files; and its details pane.
namespace {

// A band-2 code plug whose first channels carry the given names.
testsupport::ImageBuilder channelPlug(const QStringList &names)
{
    testsupport::ImageBuilder builder(2);
    for (int i = 0; i < int(names.size()); ++i)
        builder.named(lists::channels, i, names.at(i));
    return builder;
}

const QStringList kNames { "Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot" };

QByteArray recordBytes(const FileImage &image, int index)
{
    return testsupport::recordBytes(image, lists::channels, index);
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

class TestChannelsForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void protectionFollowsName()
    {
        PageFixture p = PageFixture::of<ChannelsForm>(channelPlug(kNames.mid(0, 3)));
        p.doubleClick(1, 3);
        QCOMPARE(p.column(3), QStringList({ "", "Yes", "" }));
        QCOMPARE(p.as<ChannelsForm>()->protectedChannels().names(), QStringList { "Bravo" });
        // A channel renamed to a protected name shows it at once.
        p.doubleClick(2, 2);
        QTest::keyClicks(p.edit(), QStringLiteral("bravo"));
        QTest::keyClick(p.edit(), Qt::Key_Return);
        QCOMPARE(p.column(3), QStringList({ "", "Yes", "Yes" }));

        p.select({ 0, 2 });
        p.action("SetUnprotectedMenuItem")->trigger();
        p.action("SetProtectedMenuItem")->trigger();
        QCOMPARE(p.as<ChannelsForm>()->protectedChannels().names(), QStringList({ "Alpha", "bravo" }));
    }

    void sortByNameHeaderKeepsProtectedOnTop()
    {
        const QStringList names { "b", "Zed", "A", "a" };
        PageFixture p = PageFixture::of<ChannelsForm>(channelPlug(names));
        p.as<ChannelsForm>()->protectedChannels().add(QStringLiteral("zed"));
        // The "Chan" title does nothing; the "Name" title sorts.
        p.clickHeader(1);
        QCOMPARE(p.column(2), names);
        p.clickHeader(2);
        QCOMPARE(p.column(2), QStringList({ "Zed", "A", "a", "b" }));
        QCOMPARE(channelName(p.image(), 0), QStringLiteral("Zed"));
    }

    void copyPasteOverAndPasteNew()
    {
        PageFixture p = PageFixture::of<ChannelsForm>(channelPlug(kNames));
        p.select({ 1, 2 });
        p.action("CopyMenuItem")->trigger();
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied->data(QStringLiteral("application/x-dmr_code_plug_channel_entry")).left(4),
            QByteArray::fromHex("02000000"));

        // Which records land where is the core's; here: the page keeps the selection.
        p.select({ 3, 4, 5 });
        p.action("PasteOverMenuItem")->trigger();
        p.settle();
        QCOMPARE(p.column(2).mid(3), QStringList({ "Bravo", "Charlie", "Bravo" }));
        QCOMPARE(p.selected(), QList<int>({ 3, 4, 5 }));

        p.action("PasteNewMenuItem")->trigger();
        p.settle();
        QCOMPARE(p.column(2).mid(6), QStringList({ "Bravo", "Charlie" }));
        QCOMPARE(p.selected(), QList<int>({ 6, 7 }));
    }

    // What the answer does is the panel's (emergency systems in tst_listpages); here: this page's caption.
    void refusedDeleteCaption()
    {
        testsupport::ImageBuilder builder = channelPlug(kNames);
        builder.u16(lists::zones.recordOffset(0) + 32, 3); // zone 1 holds Charlie
        PageFixture p = PageFixture::of<ChannelsForm>(builder);
        p.select({ 2 });
        QTest::mouseClick(p.button("DeleteBitBtn"), Qt::LeftButton);
        QCOMPARE(p.column(2), kNames);
        QCOMPARE(p.prompts.texts(),
            QStringList { "Cannot delete channel \"Charlie\".\n\nIt's used in ZONES \"Zone 1\" setting" });
        QCOMPARE(p.prompts.shown.first().caption, QStringLiteral("Editor"));
    }

    void importAndExportThroughDialogs()
    {
        PageFixture p = PageFixture::of<ChannelsForm>(channelPlug(kNames.mid(0, 4)));
        QTemporaryDir plugDir;
        p.store.slot(0)->fileName = plugDir.filePath(QStringLiteral("plug.rdt"));
        p.dialogs.saveNames = { p.dir.filePath(QStringLiteral("channels")) };
        QTest::mouseClick(p.button("ExportButton"), Qt::LeftButton);
        // The code plug's folder, not the last one used.
        QCOMPARE(p.dialogs.lastFilter + u'|' + p.dialogs.lastPreselectedFilter + u'|' + p.dialogs.lastDirectory,
            QStringLiteral("CSV files (*.csv);;All files (*)|CSV files (*.csv)|") + plugDir.path());
        QFile exported(p.dir.filePath(QStringLiteral("channels.csv")));
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(exported.readAll(), channelsCsvText(p.image()));
        QVERIFY(p.prompts.shown.isEmpty());

        // Another plug with two of the names and one new one takes the file's channels by name.
        testsupport::ImageBuilder other(2);
        other.named(lists::channels, 0, QStringLiteral("Echo")).named(lists::channels, 1, QStringLiteral("bravo"));
        PageFixture target = PageFixture::of<ChannelsForm>(other);
        target.as<ChannelsForm>()->protectedChannels().add(QStringLiteral("Echo"));
        target.dialogs.openNames = { exported.fileName() };
        QTest::mouseClick(target.button("ImportButton"), Qt::LeftButton);
        target.settle();
        QCOMPARE(target.dialogs.lastDirectory, QDir::homePath());
        QCOMPARE(target.column(2), QStringList({ "Echo", "Bravo", "Alpha", "Charlie", "Delta" }));
        QCOMPARE(target.selected(), QList<int> { 0 });
        QCOMPARE(target.prompts.notices, QStringList { "4 channels imported" });
        // A cancelled dialog does nothing; a code plug without a file has the last folder used.
        QTest::mouseClick(target.button("ImportButton"), Qt::LeftButton);
        QCOMPARE(target.dialogs.lastDirectory, p.dir.path());

        // Lines left out are named after the import.
        target.dialogs.openNames = { testsupport::writeFile(
            p.dir, QStringLiteral("short.csv"), QByteArray(kChannelCsvHeader) + "\r\nShort,1\r\n") };
        target.button("ImportButton")->click();
        QCOMPARE(target.prompts.texts(), QStringList { "0 channels imported\n\n1 line skipped: 2" });
        // A file that cannot be read is said (the message is the core's), and nothing changes.
        target.dialogs.openNames = { p.dir.filePath(QStringLiteral("missing.csv")) };
        target.button("ImportButton")->click();
        QCOMPARE(target.prompts.shown.last().icon, QMessageBox::Critical);
        QCOMPARE(target.list->topLevelItemCount(), 5);
    }

    void frequencyTypedIntoEverySelectedChannel()
    {
        PageFixture page = PageFixture::of<ChannelsForm>(channelPlug(kNames.mid(0, 5)));
        const auto stored = [&page](int row, int at) {
            return QString::fromLatin1(recordBytes(page.image(), row).mid(at, 4).toHex(' '));
        };
        const auto type = [](QLineEdit *edit, const QString &text) {
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, text);
        };
        page.select({ 1, 3, 4 });
        QLineEdit *rx = page.child<QLineEdit>("RxFreqEdit");
        QLineEdit *tx = page.child<QLineEdit>("TxFreqEdit");
        QCOMPARE(rx->text(), QStringLiteral("430.00000"));
        type(rx, QStringLiteral("43x9.1a25"));
        QCOMPARE(rx->text(), QStringLiteral("439.125")); // letters are refused
        for (int row : { 1, 3, 4 })
            QCOMPARE(stored(row, 16) + stored(row, 20), QStringLiteral("00 25 91 4300 00 00 43")); // tx stays

        // "1" reads as 100 MHz and is clamped to the band's lowest frequency; Enter shows the stored value.
        page.select({ 2 });
        type(tx, QStringLiteral("1"));
        QTest::keyClick(tx, Qt::Key_Return);
        QCOMPARE(tx->text() + stored(2, 20), QStringLiteral("400.0000000 00 00 40"));

        // Different frequencies show nothing; Enter then shows the first one without copying it.
        page.select({ 1, 2 });
        QCOMPARE(tx->text(), QString());
        tx->setFocus();
        QTest::keyClick(tx, Qt::Key_Return);
        QCOMPARE(tx->text() + stored(2, 20), QStringLiteral("430.0000000 00 00 40"));
        tx->setCursorPosition(0);
        QTest::keyClick(tx, Qt::Key_Delete); // Delete and the cursor keys keep working
        QCOMPARE(tx->text(), QStringLiteral("30.00000"));
    }

    void controlWritesItsChannelBits_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("entry"); // the drop-down entry to choose; empty: click the button
        QTest::addColumn<int>("byte");
        QTest::addColumn<QByteArray>("before"); // at `byte` of channels 1 and 2, both selected
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char *name, const char *control, const char *entry, int byte, const char *before,
                             const char *after) {
            QTest::newRow(name) << QString::fromLatin1(control) << QString::fromLatin1(entry) << byte
                                << QByteArray::fromHex(before) << QByteArray::fromHex(after);
        };
        row("display PTT ID, stored as off, mixed", "DisplayPTTIDSpeedButton", "", 3, "A1 21", "21 21");
        row("decode 3", "Decode3SpeedButton", "", 14, "00 F0", "04 F4");
        row("admit criteria", "AdmitCriteriaComboBox", "Channel Free ", 4, "05 C5", "45 45");
        row("voice encryption off keeps the call flags", "VoiceEncryptionComboBox", "None ", 2, "DF 1F", "C0 00");
        row("tx tone", "TxCTCSSComboBox", "D 754 inv", 26, "FFFF 0000", "54C7 54C7");
    }

    void controlWritesItsChannelBits()
    {
        QFETCH(QString, control);
        QFETCH(QString, entry);
        QFETCH(int, byte);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const int width = int(before.size()) / 2;
        testsupport::ImageBuilder builder = channelPlug(kNames.mid(0, 3));
        for (int i = 0; i < int(before.size()); ++i)
            builder.u8(lists::channels.recordOffset(i / width) + byte + i % width, std::uint8_t(before.at(i)));
        PageFixture page = PageFixture::of<ChannelsForm>(builder);
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
    }

    // The common mode of the selection decides the bandwidths and admit criteria offered.
    void modeDecidesBandwidthAndAdmitCriteria()
    {
        testsupport::ImageBuilder builder = channelPlug(kNames.mid(0, 3));
        builder.u8(lists::channels.recordOffset(0), 0x69); // analogue, 25 kHz
        PageFixture page = PageFixture::of<ChannelsForm>(builder);
        const auto button = [&page](const char *name) { return page.child<QPushButton>(name); };
        const QString always = QStringLiteral("Always "), free = QStringLiteral("Channel Free ");
        const QString tones = QStringLiteral("Correct CTCSS / CDCSS "), colour = QStringLiteral("Colour Code ");
        page.select({ 1, 2 }); // all Digital: no bandwidth to offer
        QVERIFY(!button("Bandwidth25SpeedButton")->isEnabled());
        QCOMPARE(comboValues(page, "AdmitCriteriaComboBox"), QStringList({ always, free, colour }));
        page.select({ 0, 1 });
        QVERIFY(button("Bandwidth25SpeedButton")->isEnabled());
        QCOMPARE(comboValues(page, "AdmitCriteriaComboBox"), QStringList({ always, free, tones, colour }));
        page.select({ 0 });
        QVERIFY(button("Bandwidth25SpeedButton")->isChecked() && button("AnalogueSpeedButton")->isChecked());
        QCOMPARE(comboValues(page, "AdmitCriteriaComboBox"), QStringList({ always, free, tones }));

        QTest::mouseClick(button("DigitalSpeedButton"), Qt::LeftButton);
        QCOMPARE(int(page.image().u8(lists::channels.recordOffset(0))), 0x62);
        QVERIFY(button("Bandwidth12_5SpeedButton")->isChecked());
        for (const char *name : { "Bandwidth12_5SpeedButton", "Bandwidth20SpeedButton", "Bandwidth25SpeedButton" })
            QVERIFY2(!button(name)->isEnabled(), name);
        QCOMPARE(comboValues(page, "AdmitCriteriaComboBox").last(), colour);
    }

    // The reference lists offer the records by name; the privacy and GPS choices follow the radio type
    // of the image at each page refresh.
    void choicesFollowRecordsAndRadioType()
    {
        testsupport::ImageBuilder builder = channelPlug(kNames.mid(0, 2));
        builder.named(lists::contacts, 1, QStringLiteral("Tg 91")).named(lists::scanLists, 1, QStringLiteral("Local"));
        const int first = lists::channels.recordOffset(0);
        builder.u16(first + 6, 2).u8(first + 11, 2).u16(first + 24, 0); // a stored 0 tone: no choice holds it
        PageFixture page = PageFixture::of<ChannelsForm>(builder);
        page.select({ 0 });
        QCOMPARE(comboValues(page, "TxContactComboBox").mid(0, 3), QStringList({ "None", "Contact 1", "Tg 91" }));
        QCOMPARE(page.child<QComboBox>("TxContactComboBox")->currentText(), QStringLiteral("Tg 91"));
        QCOMPARE(page.child<QComboBox>("ScanListComboBox")->currentText(), QStringLiteral("Local"));
        QCOMPARE(page.child<QComboBox>("RxCTCSSComboBox")->currentText(), QStringLiteral("None"));
        for (const auto &[radioType, privacyChoices, gps] :
            { std::tuple { 0, 17, false }, { 0x33, 25, false }, { 1, 25, true } }) {
            page.image().setU8(radioinfo::kRadioType, std::uint8_t(radioType));
            page.page->pageRefresh();
            PageFixture::settle();
            QCOMPARE(page.child<QComboBox>("VoiceEncryptionComboBox")->count(), privacyChoices);
            QCOMPARE(page.child<QComboBox>("GPSSystemComboBox")->isVisible(), gps);
        }
    }

    void detailAreaFitsSmallestWindow()
    {
        PageFixture page = PageFixture::of<ChannelsForm>(channelPlug(kNames.mid(0, 2)));
        // The page's share of the smallest main window.
        page.page->resize(790, 440);
        PageFixture::settle();
        QWidget *panel = page.child<QWidget>("DetailPanel");
        const QWidget *viewport = panel->parentWidget();
        QVERIFY2(panel->width() <= viewport->width(), "the details need no sideways scrolling");
        // No two visible controls of a group overlap, and each button is as wide as its text.
        for (const char *group : { "CommonGroupBox", "DigitalGroupBox", "AnalogueGroupBox" }) {
            QList<QPair<QWidget *, QRect>> controls;
            for (QWidget *w : page.child<QWidget>(group)->findChildren<QWidget *>())
                if (w->isVisible()
                    && (qobject_cast<QLabel *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w)
                        || qobject_cast<QPushButton *>(w)))
                    controls.append({ w, QRect(w->mapTo(panel, QPoint(0, 0)), w->size()) });
            for (const auto &[a, at] : std::as_const(controls)) {
                if (auto *button = qobject_cast<QPushButton *>(a))
                    QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(button->text()),
                        qPrintable(button->objectName()));
                for (const auto &[b, bt] : std::as_const(controls))
                    QVERIFY2(a == b || !at.intersects(bt),
                        qPrintable(a->objectName() + QStringLiteral(" / ") + b->objectName()));
            }
        }
    }
};

QTEST_MAIN(TestChannelsForm)
#include "tst_channelsform.moc"
