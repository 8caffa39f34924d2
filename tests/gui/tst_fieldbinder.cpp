#include "FieldBinder.h"

#include "ChannelRecord.h"

#include <memory>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>

using namespace codeplug;

namespace {

// Three records of 16 bytes at 0x1000; the bound field is bits 2-3 of byte 3 (a toggle: bit 2 only).
constexpr RecordArea kArea { 0x1000, 16 };
const QByteArray kByte3 = QByteArray::fromHex("F70508"); // byte 3 of records 0, 1, 2

enum class Kind { Options, Toggle, InvertedToggle, Choice, Spin, Edit };

// A bound control: what it shows (-1 for blank: no button down, no entry, empty text) and a way
// to change it as the user does.
struct Bound
{
    std::unique_ptr<QWidget> holder = std::make_unique<QWidget>();
    std::function<int()> shown;
    std::function<void(int)> choose;
};

Bound bind(FieldBinder &binder, Kind kind, RecordArea area)
{
    Bound b;
    const FieldCodec twoBits = bitField(area, 3, 0x0C, 2);
    if (kind == Kind::Options) {
        QList<QPushButton *> buttons;
        for (int value = 0; value < 4; ++value) {
            buttons.append(new QPushButton(b.holder.get()));
            buttons.last()->setCheckable(true);
        }
        binder.bindOptions(buttons, { 0, 1, 2, 3 }, twoBits);
        b.shown = [buttons] {
            int shown = -1;
            for (int i = 0; i < 4; ++i)
                shown = buttons.at(i)->isChecked() ? (shown == -1 ? i : -2) : shown;
            return shown;
        };
        b.choose = [buttons](int value) { QTest::mouseClick(buttons.at(value), Qt::LeftButton); };
    } else if (kind == Kind::Toggle || kind == Kind::InvertedToggle) {
        auto *button = new QPushButton(b.holder.get());
        button->setCheckable(true);
        const FieldCodec bit = bitField(area, 3, 0x04, 2);
        binder.bindToggle(button, kind == Kind::Toggle ? bit : inverted(bit));
        b.shown = [button] { return button->isChecked() ? 1 : -1; };
        b.choose = [button](int value) {
            if (button->isChecked() != (value == 1))
                QTest::mouseClick(button, Qt::LeftButton);
        };
    } else if (kind == Kind::Choice) {
        auto *combo = new QComboBox(b.holder.get());
        binder.bindChoice(combo, twoBits);
        binder.fillChoice(combo, { { 0, "zero" }, { 1, "one" }, { 2, "two" }, { 3, "three" } });
        b.shown = [combo] { return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt(); };
        b.choose = [combo](int value) { combo->setCurrentIndex(combo->findData(value)); };
    } else if (kind == Kind::Spin) {
        auto *spin = new QSpinBox(b.holder.get());
        spin->setRange(0, 3);
        binder.bindSpin(spin, twoBits);
        b.shown = [spin] { return spin->text().trimmed().isEmpty() ? -1 : spin->value(); };
        b.choose = [spin](int value) { spin->setValue(value); };
    } else {
        auto *edit = new QLineEdit(b.holder.get());
        binder.bindEdit(edit,
            { [twoBits](const FileImage &image, int record) { return QString::number(twoBits.read(image, record)); },
                [twoBits](FileImage &image, int record, const QString &typed) {
                    twoBits.write(image, record, typed.toInt());
                } });
        b.shown = [edit] { return edit->text().isEmpty() ? -1 : edit->text().toInt(); };
        b.choose = [edit](int value) {
            edit->clear();
            QTest::keyClicks(edit, QString::number(value));
        };
    }
    return b;
}

} // namespace

class TestFieldBinder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showsCommonValueAndWritesEveryRecord_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QList<int>>("records"); // none: bound to the one settings area at record 1's offset
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QByteArray>("byte3After"); // of records 0, 1, 2
        const auto row = [](const char *name, Kind kind, QList<int> records, int shown, int chosen, const char *after) {
            QTest::newRow(name) << kind << records << shown << chosen << QByteArray::fromHex(after);
        };
        for (const auto &[kind, name] : { std::pair { Kind::Options, "options" }, { Kind::Choice, "choice" },
                 { Kind::Spin, "spin" }, { Kind::Edit, "edit" } }) {
            row(qPrintable(QStringLiteral("%1 common").arg(name)), kind, { 0, 1 }, 1, 3, "FF0D08");
            // Choosing 0 in a blank spin box that still holds 0 must write too.
            row(qPrintable(QStringLiteral("%1 mixed").arg(name)), kind, { 0, 2 }, -1, 0, "F30500");
        }
        // The settings binder writes its one record; every kind but the edit writes through one path.
        row("options settings", Kind::Options, {}, 1, 0, "F70108");
        row("edit settings", Kind::Edit, {}, 1, 0, "F70108");
        row("toggle common on", Kind::Toggle, { 0, 1 }, 1, 0, "F30108");
        row("toggle mixed", Kind::Toggle, { 0, 2 }, -1, 1, "F7050C");
        row("inverted common off", Kind::InvertedToggle, { 0, 1 }, -1, 1, "F30108");
        row("inverted common on", Kind::InvertedToggle, { 2 }, 1, 0, "F7050C");
    }

    void showsCommonValueAndWritesEveryRecord()
    {
        QFETCH(Kind, kind);
        QFETCH(QList<int>, records);
        QFETCH(int, shown);
        QFETCH(int, chosen);
        QFETCH(QByteArray, byte3After);
        const bool settings = records.isEmpty();
        FileImage image;
        QByteArray expected;
        for (int record = 0; record < 3; ++record) {
            for (int i = 0; i < 16; ++i)
                image.setU8(0x1000 + 16 * record + i, i == 3 ? std::uint8_t(kByte3.at(record)) : 0x5A);
            expected += QByteArray(3, 0x5A) + byte3After.at(record) + QByteArray(12, 0x5A);
        }
        const auto source = [&image] { return &image; };
        FieldBinder listBinder(
            source, [&records] { return records; }, nullptr);
        FieldBinder settingsBinder(source, nullptr);
        FieldBinder &binder = settings ? settingsBinder : listBinder;
        int written = 0;
        QObject::connect(&binder, &FieldBinder::written, [&written] { ++written; });
        Bound bound = bind(binder, kind, settings ? settingsArea(0x1010) : kArea);

        const QByteArray before = image.toByteArray();
        binder.show(image, settings ? QList<int> { 0 } : records);
        QCOMPARE(bound.shown(), shown);
        QCOMPARE(image.toByteArray(), before); // showing writes nothing

        bound.choose(chosen);
        const bool toggle = kind == Kind::Toggle || kind == Kind::InvertedToggle;
        QCOMPARE(bound.shown(), toggle && chosen == 0 ? -1 : chosen);
        QVERIFY(written > 0);
        QCOMPARE(image.toByteArray().mid(0x1000, 64).toHex(' '), (expected + QByteArray(16, 0)).toHex(' '));

        binder.clear();
        QCOMPARE(bound.shown(), -1);
    }

    // A turned wheel is ignored by a control without the focus, so that the scroll area around it takes it.
    void wheelLeavesUnfocusedControls()
    {
        FileImage image;
        image.setU8(0x1003, 0x04); // value 1
        FieldBinder binder([&image] { return &image; }, nullptr);
        QWidget window;
        auto *combo = new QComboBox(&window);
        auto *spin = new QSpinBox(&window);
        auto *other = new QLineEdit(&window);
        binder.bindChoice(combo, bitField(settingsArea(0x1000), 3, 0x0C, 2));
        binder.bindSpin(spin, bitField(settingsArea(0x1000), 3, 0x0C, 2));
        binder.fillChoice(combo, { { 0, "a" }, { 1, "b" }, { 2, "c" } });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        binder.show(image, { 0 });
        const auto turn = [](QWidget *control) {
            const QPointF at(control->width() / 2.0, control->height() / 2.0);
            QWheelEvent wheel(at, control->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(control, &wheel);
            return wheel.isAccepted();
        };
        other->setFocus();
        QVERIFY(!turn(combo));
        QVERIFY(!turn(spin));
        QCOMPARE(int(image.u8(0x1003)), 0x04);
        combo->setFocus();
        turn(combo);
        QCOMPARE(int(image.u8(0x1003)), 0x08); // the next entry
    }
};

QTEST_MAIN(TestFieldBinder)
#include "tst_fieldbinder.moc"
