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
using testsupport::readFile;

namespace {

// A byte every test plug starts with as 'o' (the first zone's name).
const int kEditable = lists::zones.offset + 2;

} // namespace

class TestCodePlugFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY((m_dir = std::make_unique<QTemporaryDir>())->isValid()); }

    // A failed load leaves the slot as it was.
    void rejectsBrokenContainers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QByteArray good = makeNewCodePlug(2, 0).toByteArray();
        const auto row = [&](const char *name, int offset, QByteArray with, int code, const char *message) {
            QTest::newRow(name) << QByteArray(good).replace(offset, with.size(), with) << code << QString(message);
        };
        QTest::newRow("one byte short") << good.left(262708) << -3 << "Code plug file size error ..\n\n";
        QTest::newRow("one byte long") << good + '\0' << -3 << "Code plug file size error ..\n\n";
        row("capital signature", 0, "DFUSE", -6, "Invalid code plug file (no DfuSe signature) ..\n\n");
        QTest::newRow("version 2 and 3 targets") << QByteArray(good).replace(5, 1, "\x02", 1).replace(10, 1, "\x03", 1)
                                                 << -7 << "Invalid code plug file (DfuSe version) ..\n\n";
        row("image size of the norm", 6, QByteArray("\x25\x02\x04\x00", 4), -8,
            "Invalid code plug file (DfuSe image size) ..\n\n");
        row("two targets", 10, QByteArray("\x02", 1), -9, "Invalid code plug file (number of DfuSe images) ..\n\n");
    }
    void rejectsBrokenContainers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        CodePlugStore store;
        QVERIFY(loadCodePlugFile(store, 1, ImageBuilder().writeTo(*m_dir, "good.rdt")).ok());
        store.slot(1)->image()->setU8(kEditable, 'x');
        const FileImage before = *store.slot(1)->image();
        const QString path = testsupport::writeFile(*m_dir, "bad.rdt", bytes);
        const FileResult result = loadCodePlugFile(store, 1, path);
        QTEST(result.code, "code");
        QCOMPARE(result.message, message + path);
        QVERIFY(*store.slot(1)->image() == before);
        QVERIFY(store.hasUnsavedChanges(1));
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
            QCOMPARE(loadCodePlugFile(store, slot, path).code, -1);
            QCOMPARE(saveCodePlugFile(store, slot, path, {}).code, -1);
        }
    }

    // Only the gap is closed by the load; every other byte, a wrong checksum too, is written back as read.
    // Each slot keeps its own image and reference copy; a save renews only its own.
    void saveRoundTripsByteForByte()
    {
        ImageBuilder builder;
        builder.named(lists::channels, 1, QStringLiteral("B")).named(lists::channels, 3, QStringLiteral("D"));
        builder.u32(FileImage::kFileSize - 4, 0xDEADBEEF);
        const QString path = builder.writeTo(*m_dir, "gap.rdt");
        CodePlugStore store;
        QVERIFY(loadCodePlugFile(store, 0, path).ok() && loadCodePlugFile(store, 1, path).ok());
        QVERIFY(store.hasUnsavedChanges(0));
        QVERIFY(saveCodePlugFile(store, 0, path, {}).ok());
        QVERIFY(!store.hasUnsavedChanges(0));
        QVERIFY(store.hasUnsavedChanges(1));

        const QByteArray original = builder.image().toByteArray();
        const QByteArray saved = readFile(path);
        const int channelsEnd = lists::channels.recordOffset(lists::channels.count);
        QCOMPARE(saved.size(), original.size());
        QCOMPARE(saved.left(lists::channels.offset), original.left(lists::channels.offset));
        QCOMPARE(saved.mid(channelsEnd), original.mid(channelsEnd));
        QCOMPARE(decodeName(FileImage(saved), lists::channels.nameFieldOffset(2), 16, 3), QStringLiteral("D"));
    }

    void passwordWarningDeclinedWritesNothing()
    {
        const QString path = ImageBuilder().u8(passwords::kRadioProgramPassword, 0x12).writeTo(*m_dir, "pw.rdt");
        CodePlugStore store;
        QVERIFY(loadCodePlugFile(store, 0, path).ok());
        store.slot(0)->image()->setU8(kEditable, 'x');
        QList<bool> answers { false, true };
        const auto confirm = [&] { return answers.takeFirst(); };
        const QString target = m_dir->filePath("declined.rdt");
        QCOMPARE(saveCodePlugFile(store, 0, target, confirm).code, -1);
        QVERIFY(!QFile::exists(target));
        QVERIFY(store.hasUnsavedChanges(0));
        QVERIFY(saveCodePlugFile(store, 0, target, confirm).ok());
        QVERIFY(answers.isEmpty() && QFile::exists(target));
    }

    // A folder missing, a folder in the way, a short write: the old file stays as it was, and no temporary
    // file is left behind.
    void failedSavesKeepTheOldFile()
    {
        const std::tuple<const char *, bool, int, const char *> rows[]
            = { { "missing/x.rdt", false, -2, "Could not create the code plug file" },
                  { "folder", false, -2, "Could not create the code plug file" },
                  { "old.rdt", true, -3, "Could not write to the code plug file" } };
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
        const QString old = ImageBuilder().named(lists::zones, 0, QStringLiteral("Old")).writeTo(*m_dir, "old.rdt");
        const QByteArray oldBytes = readFile(old);
        const Writer halfWriter
            = [](QIODevice &device, const QByteArray &bytes) { return device.write(bytes.left(1000)); };
        for (const auto &[target, failWrite, code, message] : rows) {
            CodePlugStore store;
            QVERIFY(loadCodePlugFile(store, 0, old).ok());
            store.slot(0)->image()->setU8(kEditable, 'x');
            const FileResult result
                = saveCodePlugFile(store, 0, m_dir->filePath(target), {}, failWrite ? halfWriter : Writer());
            QCOMPARE(result.code, code);
            QCOMPARE(result.message, QLatin1String(message));
            QCOMPARE(readFile(old), oldBytes);
            QVERIFY(store.hasUnsavedChanges(0));
            QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList { QStringLiteral("old.rdt") });
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_APPLESS_MAIN(TestCodePlugFile)
#include "tst_codeplugfile.moc"
