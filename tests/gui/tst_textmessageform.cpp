#include "PageFixture.h"
#include "TextMessages.h"
#include "settings/TextMessageForm.h"

#include <QTest>

using namespace codeplug;
using testsupport::numbered;

class TestTextMessageForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Messages "M1".."M<count>", the first one-touch entry sending message 2. Steps, split by "|":
    // "dbl N" double-clicks row N's number, "below" double-clicks under the last row, "select N"
    // selects row N and presses Delete; any other step is typed into the editor.
    void commands_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("empty edit of 7") << 7 << "dbl 6|\b\r"
                                         << numbered("M", { 1, 2, 3, 4, 5, 6 }) + QStringList { "Message 7" }
                                         << QString();
        QTest::newRow("below adds and edits")
            << 3 << "below|Hi\r" << QStringList { "M1", "M2", "M3", "Hi" } << QString();
        QTest::newRow("one-touch message")
            << 3 << "select 1" << numbered("M", 3)
            << "Cannot delete text message \"2\".\n\nIt's used in one-touch-access \"1\" button setting";
    }
    void commands()
    {
        QFETCH(int, count);
        QFETCH(QString, script);
        QFETCH(QStringList, texts);
        QFETCH(QString, refusal);
        testsupport::ImageBuilder builder;
        builder.records(lists::textMessages, numbered(QStringLiteral("M"), count)).u8(9017, 0x11).u8(9018, 2);
        PageFixture p = PageFixture::of<TextMessageForm>(builder);
        p.prompts.answers = { QMessageBox::Ok };
        for (const QString &step : script.split(QLatin1Char('|'))) {
            if (step.startsWith(QLatin1String("dbl ")))
                p.doubleClick(step.mid(4).toInt(), 1);
            else if (step == QLatin1String("below"))
                QTest::mouseDClick(
                    p.list->viewport(), Qt::LeftButton, {}, QPoint(20, p.list->viewport()->height() - 4));
            else if (step.startsWith(QLatin1String("select "))) {
                p.select({ step.mid(7).toInt() });
                QTest::keyClick(p.list, Qt::Key_Delete);
            } else
                listclicks::type(p.edit(), step);
            p.settle();
        }
        QCOMPARE(p.column(2), texts);
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(textMessageText(p.image(), i), texts.at(i));
        QCOMPARE(p.prompts.texts(), refusal.isEmpty() ? QStringList() : QStringList { refusal });
        if (!refusal.isEmpty())
            QVERIFY(p.prompts.shown.first().caption == QLatin1String("Opps")
                && p.prompts.shown.first().buttons == (QMessageBox::Ok | QMessageBox::Cancel));
        QCOMPARE(p.title(), QStringLiteral("Text Messages .. used %1 of 50. 1 selected. ").arg(texts.size()));
    }
};

QTEST_MAIN(TestTextMessageForm)
#include "tst_textmessageform.moc"
