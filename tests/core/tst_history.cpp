#include "EditHistory.h"
#include "FileImage.h"

#include <QRandomGenerator>
#include <QTest>

using namespace codeplug;

namespace {

// A full-size image of random bytes.
FileImage randomImage(QRandomGenerator &random)
{
    FileImage image;
    for (int i = 0; i < image.size(); ++i)
        image.setU8(i, std::uint8_t(random.bounded(256)));
    return image;
}

// One random edit: a byte, a filled range or a moved block, anywhere from the first to the last byte.
void randomEdit(FileImage &image, QRandomGenerator &random)
{
    const int size = image.size();
    switch (random.bounded(3)) {
    case 0: {
        const int offset = random.bounded(size);
        image.setU8(offset, std::uint8_t(image.u8(offset) + 1 + random.bounded(255)));
        break;
    }
    case 1: {
        const int length = 1 + random.bounded(5000);
        image.fill(random.bounded(size - length + 1), length, std::uint8_t(random.bounded(256)));
        break;
    }
    default: {
        const int length = 1 + random.bounded(3000);
        image.copy(random.bounded(size - length + 1), random.bounded(size - length + 1), length);
    }
    }
}

// A zeroed image under a history whose clock the test moves: each edit closes a step `after` ms
// after the previous one.
struct Scripted
{
    FileImage image;
    EditHistory history;
    qint64 now = 0;

    explicit Scripted(std::size_t budget = EditHistory::kDefaultBudget)
        : history(budget)
    {
        history.reset(&image);
    }
    bool edit(int offset, std::uint8_t value, const QString &key = {}, qint64 after = 100)
    {
        image.setU8(offset, value);
        now += after;
        return history.closeStep(QStringLiteral("Edit %1").arg(offset), key, now);
    }
};

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void randomUndoRedoIsByteExact_data();
    void randomUndoRedoIsByteExact();
    void newEditDropsRedoBranch();
    void budgetCutsOldestSteps();
    void savedPoint_data();
    void savedPoint();
    void merging_data();
    void merging();
    void scopeMakesOneStep();
};

void TestHistory::randomUndoRedoIsByteExact_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("edits");
    QTest::newRow("few") << 1u << 5;
    QTest::newRow("many") << 7u << 120;
    QTest::newRow("other seed") << 99u << 60;
}

void TestHistory::randomUndoRedoIsByteExact()
{
    QFETCH(quint32, seed);
    QFETCH(int, edits);
    QRandomGenerator random(seed);
    FileImage image = randomImage(random);
    EditHistory history;
    history.reset(&image);
    QList<QByteArray> states { image.toByteArray() };
    for (int i = 0; i < edits; ++i) {
        randomEdit(image, random);
        if (history.closeStep(QStringLiteral("step %1").arg(i)))
            states.append(image.toByteArray());
    }
    QCOMPARE(history.stepCount(), states.size() - 1);
    for (int i = 0; i < 4 * edits; ++i) {
        const bool back = random.bounded(2) == 0;
        const int before = history.position();
        QCOMPARE(back ? history.undo() : history.redo(), back ? before > 0 : before < states.size() - 1);
        QCOMPARE(image.toByteArray(), states.at(history.position()));
        QVERIFY(history.undoName().isEmpty() || history.undoName().startsWith(QStringLiteral("step ")));
    }
    QVERIFY(!history.closeStep(QStringLiteral("nothing"))); // undo and redo leave nothing open
}

void TestHistory::newEditDropsRedoBranch()
{
    Scripted s;
    s.edit(10, 1);
    s.edit(20, 2);
    s.edit(30, 3);
    QVERIFY(s.history.undo());
    QVERIFY(s.history.undo());
    QCOMPARE(s.history.redoName(), QStringLiteral("Edit 20"));
    QVERIFY(s.edit(40, 4));
    QVERIFY(!s.history.canRedo());
    QCOMPARE(s.history.stepCount(), 2);
    QCOMPARE(s.history.undoName(), QStringLiteral("Edit 40"));
    QVERIFY(s.history.undo());
    QVERIFY(s.history.undo());
    QCOMPARE(s.image.u8(10), 0);
    QCOMPARE(s.image.u8(20), 0);
    QCOMPARE(s.image.u8(40), 0);
}

void TestHistory::budgetCutsOldestSteps()
{
    // Each step stores 2 x 4000 bytes plus its bookkeeping; 5 fit into 45,000 bytes.
    Scripted s(45000);
    for (int i = 1; i <= 12; ++i) {
        s.image.fill(i * 5000, 4000, std::uint8_t(i));
        s.history.closeStep(QStringLiteral("Fill %1").arg(i));
        QVERIFY(s.history.storedBytes() <= 45000);
    }
    QCOMPARE(s.history.stepCount(), 5);
    QVERIFY(!s.history.atSavedPoint());
    while (s.history.undo()) { }
    QCOMPARE(s.history.redoName(), QStringLiteral("Fill 8"));
    QCOMPARE(s.image.u8(7 * 5000), 7);
    QCOMPARE(s.image.u8(8 * 5000), 0);
    QVERIFY(!s.history.atSavedPoint()); // the saved state was cut away with the oldest steps

    // A single step larger than the budget still stays, as the only one.
    s.image.fill(0, 40000, 0xAA);
    s.history.closeStep(QStringLiteral("Big"));
    QCOMPARE(s.history.stepCount(), 1);
    QVERIFY(s.history.undo());
    QCOMPARE(s.image.u8(0), 0);
}

void TestHistory::savedPoint_data()
{
    // e: an edit, s: saved, u / r: undo / redo; the flags say after each action whether the
    // position is the saved point.
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("flags");
    QTest::newRow("edit, undo") << "eu"
                                << "-y";
    QTest::newRow("save in the middle") << "eesuurr"
                                        << "--y---y";
    QTest::newRow("save after undo, redo") << "eeusrur"
                                           << "---y-y-";
    QTest::newRow("saved state dropped by a new edit") << "eesuer"
                                                       << "--y---";
}

void TestHistory::savedPoint()
{
    QFETCH(QString, actions);
    QFETCH(QString, flags);
    Scripted s;
    int value = 0;
    for (int i = 0; i < actions.size(); ++i) {
        switch (actions.at(i).toLatin1()) {
        case 'e':
            s.edit(100, std::uint8_t(++value));
            break;
        case 's':
            s.history.markSaved();
            break;
        case 'u':
            s.history.undo();
            break;
        default:
            s.history.redo();
        }
        QVERIFY2(s.history.atSavedPoint() == (flags.at(i) == u'y'), qPrintable(QString::number(i)));
    }
}

void TestHistory::merging_data()
{
    // Two edits of byte 5 and byte 6 (the second one writes `second`), 1 through 3 steps.
    QTest::addColumn<QString>("firstKey");
    QTest::addColumn<QString>("secondKey");
    QTest::addColumn<qint64>("gapMs");
    QTest::addColumn<bool>("undoBetween");
    QTest::addColumn<int>("steps");
    QTest::newRow("same key within 1 s") << "k"
                                         << "k" << qint64(999) << false << 1;
    QTest::newRow("same key at 1 s") << "k"
                                     << "k" << qint64(1000) << false << 1;
    QTest::newRow("same key after 1 s") << "k"
                                        << "k" << qint64(1001) << false << 2;
    QTest::newRow("other key") << "k"
                               << "j" << qint64(10) << false << 2;
    QTest::newRow("no key") << ""
                            << "" << qint64(10) << false << 2;
    QTest::newRow("undo and redo between") << "k"
                                           << "k" << qint64(10) << true << 2;
}

void TestHistory::merging()
{
    QFETCH(QString, firstKey);
    QFETCH(QString, secondKey);
    QFETCH(qint64, gapMs);
    QFETCH(bool, undoBetween);
    QFETCH(int, steps);
    Scripted s;
    s.edit(5, 1, firstKey);
    if (undoBetween) {
        s.history.undo();
        s.history.redo();
    }
    s.edit(6, 2, secondKey, gapMs);
    QCOMPARE(s.history.stepCount(), steps);
    while (s.history.undo()) { }
    QCOMPARE(s.image.toByteArray(), FileImage().toByteArray());
    while (s.history.redo()) { }
    QCOMPARE(s.image.u8(5), 1);
    QCOMPARE(s.image.u8(6), 2);

    // Typing back what was there within the burst leaves no step at all.
    Scripted t;
    t.edit(7, 9, QStringLiteral("k"));
    QVERIFY(t.edit(7, 0, QStringLiteral("k")));
    QCOMPARE(t.history.stepCount(), 0);
}

void TestHistory::scopeMakesOneStep()
{
    Scripted s;
    s.image.setU8(1, 1); // left open by an earlier command: a step of its own
    {
        HistoryScope outer(s.history, QStringLiteral("Delete channels"));
        s.image.setU8(2, 2);
        QVERIFY(s.history.commandOpen());
        {
            HistoryScope inner(s.history, QStringLiteral("Renumber"));
            s.image.setU8(3, 3);
        }
        s.image.setU8(4, 4);
        QCOMPARE(s.history.stepCount(), 1);
    }
    QVERIFY(!s.history.commandOpen());
    QCOMPARE(s.history.stepCount(), 2);
    QCOMPARE(s.history.undoName(), QStringLiteral("Delete channels"));
    QVERIFY(s.history.undo());
    QCOMPARE(s.image.u8(1), 1);
    QCOMPARE(s.image.u8(4), 0);
    {
        HistoryScope refused(s.history, QStringLiteral("Delete channels"));
    }
    QCOMPARE(s.history.stepCount(), 2); // a command that changed nothing leaves no step
    QVERIFY(s.history.canRedo());
}

QTEST_APPLESS_MAIN(TestHistory)
#include "tst_history.moc"
