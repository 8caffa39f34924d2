#include "CodePlugFile.h"
#include "ImageBuilder.h"
#include "NameCodec.h"
#include "NewCodePlug.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace codeplug;
using testsupport::ImageBuilder;

namespace {

// A byte every test plug starts with as 'o' (the first zone's name).
const int kEditable = lists::zones.offset + 2;

} // namespace

class TestCodePlugFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void rejectsBrokenContainers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");

        const QByteArray good = makeNewCodePlug(2, 0).toByteArray();
        const auto patched = [&](int offset, QByteArray with) {
            QByteArray bytes = good;
            bytes.replace(offset, with.size(), with);
            return bytes;
        };
        QTest::newRow("one byte short") << good.left(262708) << -3 << "Code plug file size error ..\n\n";
        QTest::newRow("one byte long") << good + QByteArray(1, 0) << -3 << "Code plug file size error ..\n\n";
        QTest::newRow("capital signature")
            << patched(0, "DFUSE") << -6 << "Invalid code plug file (no DfuSe signature) ..\n\n";
        QTest::newRow("version 2 and 3 targets") << patched(10, QByteArray("\x03", 1)).replace(5, 1, "\x02", 1) << -7
                                                 << "Invalid code plug file (DfuSe version) ..\n\n";
        QTest::newRow("image size of the norm") << patched(6, QByteArray("\x25\x02\x04\x00", 4)) << -8
                                                << "Invalid code plug file (DfuSe image size) ..\n\n";
        QTest::newRow("two targets") << patched(10, QByteArray("\x02", 1)) << -9
                                     << "Invalid code plug file (number of DfuSe images) ..\n\n";
    }
    void rejectsBrokenContainers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, code);
        QFETCH(QString, message);

        CodePlugStore store;
        const QString previous
            = ImageBuilder().named(lists::zones, 0, QStringLiteral("Kept")).writeTo(*m_dir, "good.rdt");
        QVERIFY(loadCodePlugFile(store, 1, previous).ok());
        const FileImage before = *store.slot(1)->image();

        const QString path = testsupport::writeFile(*m_dir, "bad.rdt", bytes);
        const FileResult result = loadCodePlugFile(store, 1, path);
        QCOMPARE(result.code, code);
        QCOMPARE(result.message, message + path);
        QVERIFY(*store.slot(1)->image() == before); // a failed load leaves the slot as it was
        QVERIFY(!store.hasUnsavedChanges(1));
    }

    // Nothing to read, no such slot, nothing to save: refused, and no file is made.
    void refusalsWithNothingToWorkOn()
    {
        CodePlugStore store;
        const QString missing = m_dir->filePath("nothing.rdt");
        const FileResult result = loadCodePlugFile(store, 0, missing);
        QCOMPARE(result.code, -1);
        QCOMPARE(result.message, QStringLiteral("Could not open the code plug file ..\n\n") + missing);
        QVERIFY(!store.slot(0)->isOpen());
        QCOMPARE(saveCodePlugFile(store, 2, missing, [] { return true; }).code, -1);
        QVERIFY(!QFile::exists(missing));

        const QString path = ImageBuilder().writeTo(*m_dir, "a.rdt");
        for (int slot : { -1, 4 }) {
            const FileResult bad = loadCodePlugFile(store, slot, path);
            QCOMPARE(bad.code, -1);
            QVERIFY(bad.message.isEmpty());
            QCOMPARE(saveCodePlugFile(store, slot, path, {}).code, -1);
        }
    }

    void loadKeepsBadCrcAndSavesItUnchanged()
    {
        ImageBuilder builder;
        builder.u32(FileImage::kFileSize - 4, 0xDEADBEEF);
        const QString path = builder.writeTo(*m_dir, "crc.rdt");
        CodePlugStore store;
        QVERIFY(loadCodePlugFile(store, 0, path).ok());
        const QString out = m_dir->filePath("out.rdt");
        QVERIFY(saveCodePlugFile(store, 0, out, {}).ok());
        QCOMPARE(testsupport::readFile(out), testsupport::readFile(path));
    }

    void saveRoundTripsByteForByte()
    {
        // Only the gap is closed by the load; every other byte is written back as read.
        ImageBuilder builder;
        builder.named(lists::channels, 1, QStringLiteral("B")).named(lists::channels, 3, QStringLiteral("D"));
        const QString path = builder.writeTo(*m_dir, "gap.rdt");
        CodePlugStore store;
        QVERIFY(loadCodePlugFile(store, 0, path).ok());
        QVERIFY(store.hasUnsavedChanges(0));
        QVERIFY(saveCodePlugFile(store, 0, path, {}).ok());

        const QByteArray original = builder.image().toByteArray();
        const QByteArray saved = testsupport::readFile(path);
        QCOMPARE(saved.size(), original.size());
        const int channels = lists::channels.offset;
        QCOMPARE(saved.left(channels), original.left(channels));
        const int channelsEnd = lists::channels.recordOffset(lists::channels.count);
        QCOMPARE(saved.mid(channelsEnd), original.mid(channelsEnd));
        const FileImage reloaded(saved);
        QCOMPARE(decodeName(reloaded, lists::channels.nameFieldOffset(2), 16, 3), QStringLiteral("D"));
    }

    // Each slot keeps its own image and reference copy; a save renews only its own.
    void slotsHoldSeparateImages()
    {
        const QString path = ImageBuilder().writeTo(*m_dir, "same.rdt");
        CodePlugStore store;
        QVERIFY(loadCodePlugFile(store, 0, path).ok());
        QVERIFY(loadCodePlugFile(store, 1, path).ok());
        QVERIFY(!store.hasUnsavedChanges(0));
        store.slot(0)->image()->setU8(kEditable, 'x');
        QVERIFY(store.hasUnsavedChanges(0));
        QVERIFY(!store.hasUnsavedChanges(1));
        QCOMPARE(store.slot(1)->image()->u8(kEditable), 'o');
        store.slot(1)->image()->setU8(kEditable, 'y');
        QVERIFY(saveCodePlugFile(store, 0, m_dir->filePath("b.rdt"), {}).ok());
        QVERIFY(!store.hasUnsavedChanges(0));
        QVERIFY(store.hasUnsavedChanges(1));
    }

    void passwordWarningDeclinedWritesNothing()
    {
        ImageBuilder builder;
        builder.u8(passwords::kRadioProgramPassword, 0x12);
        CodePlugStore store;
        QVERIFY(loadCodePlugFile(store, 0, builder.writeTo(*m_dir, "pw.rdt")).ok());
        store.slot(0)->image()->setU8(kEditable, 'x');

        int asked = 0;
        bool answer = false;
        const auto confirm = [&] {
            ++asked;
            return answer;
        };
        const QString target = m_dir->filePath("declined.rdt");
        QCOMPARE(saveCodePlugFile(store, 0, target, confirm).code, -1);
        QCOMPARE(asked, 1);
        QVERIFY(!QFile::exists(target));
        QVERIFY(store.hasUnsavedChanges(0));

        answer = true;
        QVERIFY(saveCodePlugFile(store, 0, target, confirm).ok());
        QCOMPARE(asked, 2);
        QVERIFY(QFile::exists(target));
    }

    void failedSavesKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("failWrite");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");

        QTest::newRow("folder missing") << "missing/x.rdt" << false << -2 << "Could not create the code plug file";
        QTest::newRow("target is a folder") << "folder" << false << -2 << "Could not create the code plug file";
        QTest::newRow("short write") << "old.rdt" << true << -3 << "Could not write to the code plug file";
    }
    void failedSavesKeepTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, failWrite);
        QFETCH(int, code);
        QFETCH(QString, message);

        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
        const QString old = ImageBuilder().named(lists::zones, 0, QStringLiteral("Old")).writeTo(*m_dir, "old.rdt");
        const QByteArray oldBytes = testsupport::readFile(old);

        CodePlugStore store;
        QVERIFY(loadCodePlugFile(store, 0, old).ok());
        store.slot(0)->image()->setU8(kEditable, 'x');
        const Writer halfWriter
            = [](QIODevice &device, const QByteArray &bytes) { return device.write(bytes.left(1000)); };
        const FileResult result
            = saveCodePlugFile(store, 0, m_dir->filePath(target), {}, failWrite ? halfWriter : Writer());
        QCOMPARE(result.code, code);
        QCOMPARE(result.message, message);
        QCOMPARE(testsupport::readFile(old), oldBytes);
        QVERIFY(store.hasUnsavedChanges(0));
        const QStringList left = QDir(m_dir->path()).entryList(QDir::Files);
        QCOMPARE(left, QStringList { QStringLiteral("old.rdt") }); // no temporary file left behind
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_APPLESS_MAIN(TestCodePlugFile)
#include "tst_codeplugfile.moc"
