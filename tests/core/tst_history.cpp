#include "EditHistory.h"
#include "FileImage.h"

#include <QRandomGenerator>
#include <QTest>

using namespace codeplug;

class TestHistory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void randomUseMatchesModel_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("budget");
        QTest::newRow("default budget") << 1u << int(EditHistory::kDefaultBudget);
        QTest::newRow("budget of about 20 steps") << 3u << 100000;
    }

    // Random edits, undos, redos and saves against a model: the list of images, the position and the
    // saved position. A new edit drops what could be redone, and a saved state with it; beyond the
    // budget the oldest steps go, and a saved state with them.
    void randomUseMatchesModel()
    {
        QFETCH(quint32, seed);
        QFETCH(int, budget);
        QRandomGenerator random(seed);
        FileImage image;
        for (int i = 0; i < image.size(); ++i)
            image.setU8(i, std::uint8_t(random.bounded(256)));
        EditHistory history { std::size_t(budget) };
        history.reset(&image);
        QList<QByteArray> states { image.toByteArray() };
        int position = 0;
        int saved = 0;
        int trimmed = 0;
        for (int i = 0; i < 600; ++i) {
            const int action = random.bounded(10);
            const int length = 1 + random.bounded(4000); // from one byte to many blocks
            if (action < 4) {
                image.fill(random.bounded(image.size() - length + 1), length, std::uint8_t(random.bounded(256)));
                if (!history.closeStep(QStringLiteral("step %1").arg(i)))
                    continue; // the fill wrote what was there
                states.resize(++position);
                states.append(image.toByteArray());
                saved = saved >= position ? -1 : saved;
            } else if (action < 9) {
                const bool back = action < 7;
                QCOMPARE(back ? history.undo() : history.redo(), back ? position > 0 : position < states.size() - 1);
                position = back ? std::max(0, position - 1) : std::min(int(states.size()) - 1, position + 1);
            } else {
                history.markSaved();
                saved = position;
            }
            for (; states.size() - 1 > history.stepCount(); ++trimmed, --position, saved = std::max(-1, saved - 1))
                states.removeFirst();
            QVERIFY(history.storedBytes() <= std::size_t(budget));
            QCOMPARE(history.position(), position);
            QCOMPARE(history.stepCount(), states.size() - 1);
            QCOMPARE(history.atSavedPoint(), saved == position);
            QVERIFY(image.toByteArray() == states.at(position));
        }
        QVERIFY(!history.closeStep(QStringLiteral("nothing"))); // undo and redo leave nothing open
        QCOMPARE(trimmed > 0, budget < int(EditHistory::kDefaultBudget));
    }

    // Byte 5 := 1 under key `first`, then gapMs later byte 6 := 2 (or byte 5 back to 0) under `second`:
    // the steps left, and undo and redo through them all.
    void merging()
    {
        const std::tuple<const char *, const char *, qint64, bool, bool, int> rows[] = {
            { "k", "k", 1000, false, false, 1 }, // same key within 1 s
            { "k", "k", 1001, false, false, 2 }, { "k", "j", 10, false, false, 2 }, { "", "", 10, false, false, 2 },
            { "k", "k", 10, true, false, 2 }, // undo and redo between
            { "k", "k", 10, false, true, 0 }, // typed back as it was
        };
        for (const auto &[first, second, gapMs, undoBetween, typedBack, steps] : rows) {
            FileImage image;
            EditHistory history;
            history.reset(&image);
            image.setU8(5, 1);
            history.closeStep(QStringLiteral("Edit"), QLatin1String(first), 100);
            if (undoBetween && history.undo())
                history.redo();
            image.setU8(typedBack ? 5 : 6, typedBack ? 0 : 2);
            QVERIFY(history.closeStep(QStringLiteral("Edit"), QLatin1String(second), 100 + gapMs));
            QCOMPARE(history.stepCount(), steps);
            const QByteArray after = image.toByteArray();
            while (history.undo()) { }
            QCOMPARE(image.toByteArray(), FileImage().toByteArray());
            while (history.redo()) { }
            QCOMPARE(image.toByteArray(), after);
        }
    }

    void scopeMakesOneStep()
    {
        FileImage image;
        EditHistory history;
        history.reset(&image);
        image.setU8(1, 1); // left open by an earlier command: a step of its own
        {
            HistoryScope outer(history, QStringLiteral("Delete channels"));
            image.setU8(2, 2);
            HistoryScope inner(history, QStringLiteral("Renumber"));
            image.setU8(3, 3);
            QVERIFY(!history.closeStep(QStringLiteral("Edit"))); // held off inside a command
        }
        QCOMPARE(history.stepCount(), 2);
        QCOMPARE(history.undoName(), QStringLiteral("Delete channels"));
        QVERIFY(history.undo());
        QCOMPARE(image.u8(1), 1);
        QCOMPARE(image.u8(3), 0);
        {
            HistoryScope refused(history, QStringLiteral("Delete channels"));
        }
        QVERIFY(history.canRedo()); // a command that changed nothing leaves no step
    }
};

QTEST_APPLESS_MAIN(TestHistory)
#include "tst_history.moc"
