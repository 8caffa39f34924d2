#include "ChannelCsv.h"
#include "ChannelList.h"
#include "ChannelRecord.h"
#include "PageFixture.h"
#include "RecordClipboard.h"
#include "channels/ChannelsForm.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

using namespace codeplug;

// What the channels page adds to the list panel: protection by name, sorting by the name title,
// the clipboard and CSV files.
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

ChannelsForm *formOf(const PageFixture &p)
{
    return p.as<ChannelsForm>();
}

} // namespace

class TestChannelsForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QGuiApplication::clipboard()->clear(); }

    void protectionFollowsName()
    {
        PageFixture p = PageFixture::of<ChannelsForm>(channelPlug(kNames.mid(0, 3)));
        p.doubleClick(1, 3);
        QCOMPARE(p.column(3), QStringList({ "", "Yes", "" }));
        QCOMPARE(formOf(p)->protectedChannels().names(), QStringList { "Bravo" });
        // A channel renamed to a protected name shows it at once.
        p.doubleClick(2, 2);
        QTest::keyClicks(p.edit(), QStringLiteral("bravo"));
        QTest::keyClick(p.edit(), Qt::Key_Return);
        QCOMPARE(p.column(3), QStringList({ "", "Yes", "Yes" }));

        p.select({ 0, 2 });
        p.action("SetUnprotectedMenuItem")->trigger();
        p.action("SetProtectedMenuItem")->trigger();
        QCOMPARE(formOf(p)->protectedChannels().names(), QStringList({ "Alpha", "bravo" }));
    }

    void sortByNameHeaderKeepsProtectedOnTop()
    {
        const QStringList names { "b", "Zed", "A", "a" };
        PageFixture p = PageFixture::of<ChannelsForm>(channelPlug(names));
        formOf(p)->protectedChannels().add(QStringLiteral("zed"));
        // The "Chan" title does nothing; the "Name" title sorts.
        p.clickHeader(1);
        QCOMPARE(p.column(2), names);
        p.clickHeader(2);
        QCOMPARE(p.column(2), QStringList({ "Zed", "A", "a", "b" }));
        QCOMPARE(p.cell(0, 3), QStringLiteral("Yes"));
        QCOMPARE(channelName(p.image(), 0), QStringLiteral("Zed"));
    }

    void copyPasteOverAndPasteNew()
    {
        PageFixture p = PageFixture::of<ChannelsForm>(channelPlug(kNames));
        p.select({ 1, 2 });
        p.action("CopyMenuItem")->trigger();
        const QByteArray copied = QGuiApplication::clipboard()->mimeData()->data(
            QStringLiteral("application/x-dmr_code_plug_channel_entry"));
        QCOMPARE(copied.left(4), QByteArray::fromHex("02000000"));

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

    // What the answer does is the panel's (tst_emergencysystemform); here: this page's wording and caption.
    void refusedDeleteAnswers()
    {
        testsupport::ImageBuilder builder = channelPlug(kNames);
        builder.u16(lists::zones.recordOffset(0) + 32, 3); // zone 1 holds Charlie
        PageFixture p = PageFixture::of<ChannelsForm>(builder);
        p.prompts.answers = { QMessageBox::Ok };
        p.select({ 0, 1, 2, 3, 4 });
        QTest::mouseClick(p.button("DeleteBitBtn"), Qt::LeftButton);
        p.settle();
        QCOMPARE(p.column(2), QStringList({ "Charlie", "Foxtrot" }));
        QCOMPARE(p.prompts.texts(),
            QStringList { "Cannot delete channel \"Charlie\".\n\nIt's used in ZONES \"Zone 1\" setting" });
        QCOMPARE(p.prompts.shown.first().caption, QStringLiteral("Editor"));
        QCOMPARE(p.selected(), QList<int> { 1 });
    }

    void importAndExportThroughDialogs()
    {
        PageFixture p = PageFixture::of<ChannelsForm>(channelPlug(kNames.mid(0, 4)));
        QTemporaryDir plugDir;
        p.store.slot(0)->fileName = plugDir.filePath(QStringLiteral("plug.rdt"));
        p.dialogs.saveNames = { p.dir.filePath(QStringLiteral("channels")) };
        QTest::mouseClick(p.button("ExportButton"), Qt::LeftButton);
        QCOMPARE(p.dialogs.lastFilter, QStringLiteral("CSV files (*.csv);;All files (*)"));
        QCOMPARE(p.dialogs.lastPreselectedFilter, QStringLiteral("CSV files (*.csv)"));
        QCOMPARE(p.dialogs.lastDirectory, plugDir.path()); // the code plug's folder, not the last one used
        QFile exported(p.dir.filePath(QStringLiteral("channels.csv")));
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(exported.readAll(), channelsCsvText(p.image()));
        QVERIFY(p.prompts.shown.isEmpty());

        // Another plug with two of the names and one new one takes the file's channels by name.
        testsupport::ImageBuilder other(2);
        other.named(lists::channels, 0, QStringLiteral("Echo")).named(lists::channels, 1, QStringLiteral("bravo"));
        PageFixture target = PageFixture::of<ChannelsForm>(other);
        formOf(target)->protectedChannels().add(QStringLiteral("Echo"));
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
        QCOMPARE(target.list->topLevelItemCount(), 5);

        // Lines left out are named after the import.
        target.dialogs.openNames = { testsupport::writeFile(
            p.dir, QStringLiteral("short.csv"), QByteArray(kChannelCsvHeader) + "\r\nShort,1\r\n") };
        target.button("ImportButton")->click();
        QCOMPARE(target.prompts.texts(), QStringList { "0 channels imported\n\n1 line skipped: 2" });
    }
};

QTEST_MAIN(TestChannelsForm)
#include "tst_channelsform.moc"
