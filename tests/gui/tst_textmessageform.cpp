#include "PageFixture.h"
#include "TextMessages.h"
#include "settings/TextMessageForm.h"

#include <QTest>

using namespace codeplug;
using testsupport::numbered;

namespace {

constexpr int kOneTouchFlags = 9017; // the first one-touch entry
constexpr int kOneTouchMessage = 9018;

PageFixture messagesPage(int count, int oneTouchMessage)
{
    testsupport::ImageBuilder builder;
    builder.records(lists::textMessages, numbered(QStringLiteral("M"), count));
    if (oneTouchMessage > 0)
        builder.u8(kOneTouchFlags, 0x11).u8(kOneTouchMessage, std::uint8_t(oneTouchMessage));
    return PageFixture::of<TextMessageForm>(builder);
}

QStringList storedTexts(const FileImage &image)
{
    QStringList texts;
    for (int i = 0; isRecordUsed(image, lists::textMessages, i); ++i)
        texts.append(textMessageText(image, i));
    return texts;
}

// Steps separated by "|": "dbl N" double-clicks row N's number, "below" double-clicks under the
// last row, "type T" types into the editor, "select a,b" selects rows, "click B" clicks a button,
// "key" presses Delete in the list.
void run(PageFixture &p, const QString &script)
{
    for (const QString &step : script.split(QLatin1Char('|'))) {
        const QString op = step.section(QLatin1Char(' '), 0, 0);
        const QString arg = step.section(QLatin1Char(' '), 1);
        if (op == QLatin1String("dbl"))
            p.doubleClick(arg.toInt(), 1);
        else if (op == QLatin1String("below")) {
            const QPoint at(20, p.list->viewport()->height() - 4);
            QTest::mouseDClick(p.list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        } else if (op == QLatin1String("type"))
            listclicks::type(p.edit(), arg);
        else if (op == QLatin1String("select")) {
            QList<int> rows;
            for (const QString &row : arg.split(QLatin1Char(',')))
                rows.append(row.toInt());
            p.select(rows);
        } else if (op == QLatin1String("click"))
            p.button(qPrintable(arg))->click();
        else
            QTest::keyClick(p.list, Qt::Key_Delete);
        p.settle();
    }
}

} // namespace

class TestTextMessageForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commands_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("oneTouch"); // the message the first one-touch entry sends; 0: none
        QTest::addColumn<QString>("script");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("oneTouchAfter");
        QTest::addColumn<int>("prompts");
        const auto m = [](const QList<int> &numbers) { return numbered(QStringLiteral("M"), numbers); };
        const auto ok = QMessageBox::Ok;
        QTest::newRow("empty edit of 7") << 7 << 0 << "dbl 6|type \b\r" << ok
                                         << m({ 1, 2, 3, 4, 5, 6 }) + QStringList { "Message 7" } << 0 << 0;
        QTest::newRow("edit, blanks trimmed")
            << 3 << 0 << "dbl 1|type  Hi there \r" << ok << QStringList { "M1", "Hi there", "M3" } << 0 << 0;
        QTest::newRow("edit, Escape") << 3 << 0 << "dbl 1|type Other\x1b" << ok << m({ 1, 2, 3 }) << 0 << 0;
        QTest::newRow("below adds Hello")
            << 3 << 0 << "below|type \r" << ok << m({ 1, 2, 3 }) + QStringList { "Hello" } << 0 << 0;
        QTest::newRow("below edits it") << 3 << 0 << "below|type Hi\r" << ok << m({ 1, 2, 3 }) + QStringList { "Hi" }
                                        << 0 << 0;
        QTest::newRow("fifty") << 50 << 0 << "select 0" << ok << numbered(QStringLiteral("M"), 50) << 0 << 0;
        QTest::newRow("add") << 3 << 0 << "click AddBitBtn" << ok << m({ 1, 2, 3 }) + QStringList { "Hello" } << 0 << 0;
        QTest::newRow("delete the only one")
            << 1 << 0 << "select 0|click DeleteBitBtn" << ok << QStringList { "Hello" } << 0 << 0;
        QTest::newRow("delete key") << 3 << 0 << "select 0,2|key" << ok << m({ 2 }) << 0 << 0;
        QTest::newRow("in use, OK") << 3 << 2 << "select 1,2|click DeleteBitBtn" << ok << m({ 1, 2 }) << 2 << 1;
        QTest::newRow("in use, Cancel") << 3 << 2 << "select 1,2|click DeleteBitBtn" << QMessageBox::Cancel
                                        << m({ 1, 2, 3 }) << 2 << 1;
        QTest::newRow("one-touch follows") << 3 << 3 << "select 0|click DeleteBitBtn" << ok << m({ 2, 3 }) << 2 << 0;
    }
    void commands()
    {
        QFETCH(int, count);
        QFETCH(int, oneTouch);
        QFETCH(QString, script);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QStringList, texts);
        QFETCH(int, oneTouchAfter);
        QFETCH(int, prompts);
        PageFixture p = messagesPage(count, oneTouch);
        p.prompts.answers = { answer };
        run(p, script);
        QCOMPARE(storedTexts(p.image()), texts);
        QCOMPARE(p.column(2), texts);
        QCOMPARE(int(p.image().u8(kOneTouchMessage)), oneTouchAfter);
        QCOMPARE(p.prompts.shown.size(), prompts);
        if (prompts > 0) {
            const ScriptedPrompts::Shown &shown = p.prompts.shown.first();
            QCOMPARE(shown.caption, QStringLiteral("Opps"));
            QCOMPARE(shown.icon, QMessageBox::Information);
            QCOMPARE(shown.buttons, QMessageBox::Ok | QMessageBox::Cancel);
            QCOMPARE(shown.text,
                QStringLiteral(
                    "Cannot delete text message \"2\".\n\nIt's used in one-touch-access \"1\" button setting"));
        }
        QVERIFY(p.title().startsWith(QStringLiteral("Text Messages .. used %1 of 50. ").arg(texts.size())));
        QCOMPARE(p.button("AddBitBtn")->isEnabled(), texts.size() < 50);
        QVERIFY(!p.edit()->isVisible());
    }

    void emptySlot()
    {
        PageFixture p = PageFixture::of<TextMessageForm>(std::nullopt);
        QCOMPARE(p.title(), QStringLiteral("Text Messages .. up to 50. "));
        QVERIFY(!p.page->isEnabled());
        QCOMPARE(p.list->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(TestTextMessageForm)
#include "tst_textmessageform.moc"
