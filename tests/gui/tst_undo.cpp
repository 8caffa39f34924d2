#include "ChannelCsv.h"
#include "CodePlugStore.h"
#include "ContactRecord.h"
#include "ImageBuilder.h"
#include "ListClicks.h"
#include "MainForm.h"
#include "ScriptedPrompts.h"

#include <tuple>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace codeplug;

namespace {

enum Command {
    FieldEdit,
    DeleteChannel,
    DeleteWithRefusal,
    ImportCsv,
    RenameContact,
    SortContacts,
    OneTouchMode,
    ChooseModel,
    TypeRadioName
};
constexpr int kButtonsTab = 3;
constexpr int kContactsTab = 7;

// Goes on after every question, asked in a nested event loop as a real message box asks it.
struct LoopPrompts final : Prompts
{
    QStringList texts;

    void message(QMessageBox::Icon, const QString &, const QString &text) override { texts.append(text); }
    QMessageBox::StandardButton ask(
        QMessageBox::Icon, const QString &, const QString &text, QMessageBox::StandardButtons) override
    {
        texts.append(text);
        QEventLoop loop;
        QTimer::singleShot(150, &loop, &QEventLoop::quit);
        loop.exec();
        return QMessageBox::Ok;
    }
};

// Channels Alpha..Echo, a zone holding channels 2, 4 and 5, contacts delta, Bravo and alpha, in
// slot 1 of an editor over a temporary folder; slot 2 holds the same plug.
struct Editor
{
    QTemporaryDir dir;
    CodePlugStore store;
    LoopPrompts prompts;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<MainForm> form;

    Editor()
    {
        testsupport::ImageBuilder builder(2);
        for (int i = 0; i < 5; ++i)
            builder.named(lists::channels, i, QStringList { "Alpha", "Bravo", "Charlie", "Delta", "Echo" }.at(i));
        builder.named(lists::zones, 0, QStringLiteral("Zone A"));
        for (int m = 0; m < 3; ++m)
            builder.u16(members::zoneChannels.memberOffset(0, m), std::uint16_t(QList { 2, 4, 5 }.at(m)));
        for (int i = 0; i < 3; ++i)
            writeContact(builder.image(), i, 40 - 10 * i, 0, false, QStringList { "delta", "Bravo", "alpha" }.at(i));
        const QString plug = builder.writeTo(dir, QStringLiteral("a.rdt"));
        form = std::make_unique<MainForm>(store, prompts, dialogs, dir.filePath(QStringLiteral("editor.ini")));
        form->startUp({ plug, plug });
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    QByteArray image() const { return store.current().image()->toByteArray(); }
    QList<int> selection() const
    {
        QList<int> rows;
        const auto *list = form->findChild<QTabWidget *>()->currentWidget()->findChild<QTreeWidget *>();
        for (int i = 0; list && i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->isSelected())
                rows.append(i);
        }
        return rows;
    }
    QAction *action(const char *name) const { return form->findChild<QAction *>(QLatin1String(name)); }
    template <class T> T *child(const char *name, int tab) const { return form->page(tab)->findChild<T *>(name); }
    QTreeWidget *list(int tab) const { return child<QTreeWidget>("ListView", tab); }
    void showTab(int tab) { form->findChild<QTabWidget *>(QStringLiteral("MainPageControl"))->setCurrentIndex(tab); }
    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : form.get(), key, modifiers);
    }

    void run(Command command)
    {
        constexpr int channels = MainForm::kChannelsTab;
        switch (command) {
        case FieldEdit: {
            showTab(channels);
            list(channels)->clearSelection();
            for (int row : { 1, 3, 4 })
                list(channels)->topLevelItem(row)->setSelected(true);
            QCoreApplication::processEvents();
            auto *edit = child<QLineEdit>("RxFreqEdit", channels);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("439.125"));
            break;
        }
        case DeleteChannel: // Charlie is no zone member: the members above it move down
        case DeleteWithRefusal: // with Alpha and Bravo too: Bravo is refused, the answer goes on
            list(channels)->setCurrentItem(list(channels)->topLevelItem(2));
            for (int row : { 0, 1 })
                list(channels)->topLevelItem(row)->setSelected(command == DeleteWithRefusal);
            QTest::mouseClick(child<QPushButton>("DeleteBitBtn", channels), Qt::LeftButton);
            break;
        case ImportCsv: {
            testsupport::ImageBuilder other(2);
            other.named(lists::channels, 0, QStringLiteral("Xray"));
            dialogs.openNames
                = { testsupport::writeFile(dir, QStringLiteral("in.csv"), channelsCsvText(other.image())) };
            QTest::mouseClick(child<QPushButton>("ImportButton", channels), Qt::LeftButton);
            break;
        }
        case RenameContact:
            showTab(kContactsTab);
            listclicks::doubleClick(list(kContactsTab), 1, 2);
            QTest::keyClicks(child<QLineEdit>("listViewEdit", kContactsTab), QStringLiteral("Renamed\r"));
            break;
        case SortContacts: {
            showTab(kContactsTab);
            QHeaderView *header = list(kContactsTab)->header();
            const QPoint at(header->sectionViewportPosition(2) + 5, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            break;
        }
        case OneTouchMode: // None to Digital: mode, contact and message number in one step
            showTab(kButtonsTab);
            listclicks::doubleClick(child<QTreeWidget>("OneTouchAccessListView", kButtonsTab), 0, 2);
            QTest::keyClick(child<QComboBox>("listViewComboBox", kButtonsTab), Qt::Key_Down);
            break;
        case ChooseModel: // the model rewrites its name, two model bytes and the frequency range
            showTab(0);
            child<QComboBox>("RadioModelComboBox", 0)->setFocus();
            keys(Qt::Key_Down, Qt::NoModifier);
            break;
        case TypeRadioName:
            showTab(1);
            child<QLineEdit>("RadioNameEdit", 1)->setFocus();
            QTest::keyClicks(child<QLineEdit>("RadioNameEdit", 1), QStringLiteral("Ann mobile"));
            break;
        }
        QCoreApplication::processEvents();
    }
};

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void undoAndRedoEveryKindOfCommand_data();
    void undoAndRedoEveryKindOfCommand();
};

void TestUndo::undoAndRedoEveryKindOfCommand_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("name");
    QTest::newRow("channel field over a multi-selection") << int(FieldEdit) << "Edit Rx Freq";
    QTest::newRow("channel delete renumbering a zone") << int(DeleteChannel) << "Delete channels";
    QTest::newRow("channel delete with a refusal in the middle") << int(DeleteWithRefusal) << "Delete channels";
    QTest::newRow("channel CSV import") << int(ImportCsv) << "Import channels";
    QTest::newRow("contact renamed in place") << int(RenameContact) << "Edit Name";
    QTest::newRow("contacts sorted by a column title") << int(SortContacts) << "Sort by Name";
    QTest::newRow("one-touch mode chosen in place") << int(OneTouchMode) << "Edit Mode";
    QTest::newRow("radio model chosen") << int(ChooseModel) << "Edit Radio Model";
    QTest::newRow("radio name typed") << int(TypeRadioName) << "Edit Radio Name";
}

void TestUndo::undoAndRedoEveryKindOfCommand()
{
    QFETCH(int, command);
    QFETCH(QString, name);
    Editor e;
    QAction *undo = e.action("UndoMenuItem");
    QAction *redo = e.action("RedoMenuItem");
    const QByteArray before = e.image();
    e.run(Command(command));
    const QByteArray after = e.image();
    QVERIFY(after != before);
    QTRY_COMPARE(undo->text(), QStringLiteral("Undo ") + name);
    QCOMPARE(e.store.current().history().stepCount(), 1);

    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, bool> keys[]
        = { { Qt::Key_Z, ctrl, true }, { Qt::Key_Y, ctrl, false }, { Qt::Key_Z, ctrl, true },
              { Qt::Key_Z, ctrl | Qt::ShiftModifier, false }, { Qt::Key_Z, ctrl, true } };
    const QList<int> selected = e.selection();
    for (const auto &[key, modifiers, undone] : keys) {
        e.keys(key, modifiers);
        QCOMPARE(e.selection(), selected);
        QCOMPARE(e.image(), undone ? before : after);
        QCOMPARE(undo->text(), undone ? QStringLiteral("Undo") : QStringLiteral("Undo ") + name);
        QCOMPARE(redo->text(), undone ? QStringLiteral("Redo ") + name : QStringLiteral("Redo"));
    }
    // Slot 2 has a history of its own, and slot 1 gets its back.
    e.form->selectSlot(1);
    QVERIFY(!redo->isEnabled());
    e.form->selectSlot(0);
    QCOMPARE(redo->text(), QStringLiteral("Redo ") + name);
    e.prompts.texts.clear();
    QVERIFY(e.form->close()); // asks nothing: every slot is as loaded
    QVERIFY2(e.prompts.texts.isEmpty(), qPrintable(e.prompts.texts.join(" / ")));
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
