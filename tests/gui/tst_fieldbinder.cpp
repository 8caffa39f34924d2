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

// Three records of 16 bytes at 0x1000; the bound field is a bit field of byte 3.
constexpr RecordArea kArea { 0x1000, 16 };
const QByteArray kByte3 = QByteArray::fromHex("F70508"); // byte 3 of records 0, 1, 2

enum class Kind { Options, Toggle, InvertedToggle, Choice, Spin, Edit };

// One control bound to bits 2-3 of byte 3 (a toggle: bit 2 only), with what it shows (-1 for
// blank: no button down, no entry, empty text) and a way to change it as the user does.
struct Bound
{
    std::unique_ptr<QWidget> holder = std::make_unique<QWidget>();
    std::function<int()> shown;
    std::function<void(int)> choose;
};

Bound bind(FieldBinder &binder, Kind kind, RecordArea area)
{
    Bound bound;
    const FieldCodec twoBits = bitField(area, 3, 0x0C, 2);
    switch (kind) {
    case Kind::Options: {
        QList<QPushButton *> buttons;
        for (int value = 0; value < 4; ++value) {
            buttons.append(new QPushButton(QString::number(value), bound.holder.get()));
            buttons.last()->setCheckable(true);
        }
        binder.bindOptions(buttons, { 0, 1, 2, 3 }, twoBits);
        bound.shown = [buttons] {
            int shown = -1;
            for (int i = 0; i < 4; ++i)
                shown = buttons.at(i)->isChecked() ? (shown == -1 ? i : -2) : shown;
            return shown;
        };
        bound.choose = [buttons](int value) { QTest::mouseClick(buttons.at(value), Qt::LeftButton); };
        break;
    }
    case Kind::Toggle:
    case Kind::InvertedToggle: {
        auto *button = new QPushButton(bound.holder.get());
        button->setCheckable(true);
        const FieldCodec bit = bitField(area, 3, 0x04, 2);
        binder.bindToggle(button, kind == Kind::Toggle ? bit : inverted(bit));
        bound.shown = [button] { return button->isChecked() ? 1 : -1; };
        bound.choose = [button](int value) {
            if (button->isChecked() != (value == 1))
                QTest::mouseClick(button, Qt::LeftButton);
        };
        break;
    }
    case Kind::Choice: {
        auto *combo = new QComboBox(bound.holder.get());
        binder.bindChoice(combo, twoBits);
        binder.fillChoice(combo,
            { { 0, QStringLiteral("zero") }, { 1, QStringLiteral("one") }, { 2, QStringLiteral("two") },
                { 3, QStringLiteral("three") } });
        bound.shown = [combo] { return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt(); };
        bound.choose = [combo](int value) { combo->setCurrentIndex(combo->findData(value)); };
        break;
    }
    case Kind::Spin: {
        auto *spin = new QSpinBox(bound.holder.get());
        spin->setRange(0, 3);
        binder.bindSpin(spin, twoBits);
        bound.shown = [spin] { return spin->text().trimmed().isEmpty() ? -1 : spin->value(); };
        bound.choose = [spin](int value) { spin->setValue(value); };
        break;
    }
    case Kind::Edit: {
        auto *edit = new QLineEdit(bound.holder.get());
        const TextCodec text { [twoBits](const FileImage &image, int record) {
                                  return QString::number(twoBits.read(image, record));
                              },
            [twoBits](FileImage &image, int record, const QString &typed) {
                bool ok = false;
                const int value = typed.toInt(&ok);
                if (ok)
                    twoBits.write(image, record, value);
            } };
        binder.bindEdit(edit, text);
        bound.shown = [edit] { return edit->text().isEmpty() ? -1 : edit->text().toInt(); };
        bound.choose = [edit](int value) {
            edit->clear();
            QTest::keyClicks(edit, QString::number(value));
        };
        break;
    }
    }
    return bound;
}

} // namespace

class TestFieldBinder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showsCommonValueAndWritesEveryRecord_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("settings"); // bound to the one settings area at record 1's offset
        QTest::addColumn<QList<int>>("records");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QByteArray>("byte3After"); // of records 0, 1, 2
        const auto hex = [](const char *text) { return QByteArray::fromHex(text); };

        for (const auto &[kind, name] : { std::pair { Kind::Options, "options" }, { Kind::Choice, "choice" },
                 { Kind::Spin, "spin" }, { Kind::Edit, "edit" } }) {
            QTest::addRow("%s common", name) << kind << false << QList<int> { 0, 1 } << 1 << 3 << hex("FF0D08");
            // Choosing 0 in a blank spin box that still holds 0 must write too.
            QTest::addRow("%s mixed", name) << kind << false << QList<int> { 0, 2 } << -1 << 0 << hex("F30500");
            QTest::addRow("%s settings", name) << kind << true << QList<int> {} << 1 << 0 << hex("F70108");
        }
        QTest::newRow("toggle common on") << Kind::Toggle << false << QList<int> { 0, 1 } << 1 << 0 << hex("F30108");
        QTest::newRow("toggle mixed") << Kind::Toggle << false << QList<int> { 0, 2 } << -1 << 1 << hex("F7050C");
        QTest::newRow("toggle settings") << Kind::Toggle << true << QList<int> {} << 1 << 0 << hex("F70108");
        QTest::newRow("inverted common off")
            << Kind::InvertedToggle << false << QList<int> { 0, 1 } << -1 << 1 << hex("F30108");
        QTest::newRow("inverted common on")
            << Kind::InvertedToggle << false << QList<int> { 2 } << 1 << 0 << hex("F7050C");
        QTest::newRow("inverted mixed") << Kind::InvertedToggle << false << QList<int> { 1, 2 } << -1 << 1
                                        << hex("F70108");
    }

    void showsCommonValueAndWritesEveryRecord()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, settings);
        QFETCH(QList<int>, records);
        QFETCH(int, shown);
        QFETCH(int, chosen);
        QFETCH(QByteArray, byte3After);

        FileImage image;
        for (int record = 0; record < 3; ++record) {
            for (int i = 0; i < 16; ++i)
                image.setU8(0x1000 + 16 * record + i, i == 3 ? std::uint8_t(kByte3.at(record)) : 0x5A);
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
        for (int record = 0; record < 3; ++record) {
            QByteArray expected(16, 0x5A);
            expected[3] = byte3After.at(record);
            QCOMPARE(image.toByteArray().mid(0x1000 + 16 * record, 16).toHex(' '), expected.toHex(' '));
        }
        QCOMPARE(image.toByteArray().mid(0x1030, 16), QByteArray(16, 0));

        binder.clear();
        QCOMPARE(bound.shown(), -1);
    }

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
        binder.fillChoice(
            combo, { { 0, QStringLiteral("a") }, { 1, QStringLiteral("b") }, { 2, QStringLiteral("c") } });
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
        QVERIFY(!turn(combo)); // ignored, so that the scroll area around it takes it
        QVERIFY(!turn(spin));
        QCOMPARE(int(image.u8(0x1003)), 0x04);
        combo->setFocus();
        QVERIFY(combo->hasFocus());
        turn(combo);
        QCOMPARE(int(image.u8(0x1003)), 0x08); // the next entry
    }
};

QTEST_MAIN(TestFieldBinder)
#include "tst_fieldbinder.moc"
