#include "ImageBuilder.h"
#include "ToolRunner.h"

#include <QTemporaryDir>
#include <QTest>

using testsupport::readFile;
using testsupport::runTool;

class TestSettingsCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void printedValuesSetBackChangeNothing();
    void radioIdAndNameOnACopy();
    void refusalsSaveNothing_data();
    void refusalsSaveNothing();
    void keysListWhatEachKeyTakes();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_template;
};

void TestSettingsCommand::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    testsupport::ImageBuilder builder(2, 1);
    builder.u8(8880, 3).u8(8891, 0xFF).u8(8885, 1).u8(8886, 1).u8(8888, 5).u8(8982, 0x05);
    m_template = builder.writeTo(*m_dir, "template.rdt");
}

// Every key round-trips: the printed values, set again all at once, give the same file.
void TestSettingsCommand::printedValuesSetBackChangeNothing()
{
    const auto printed = runTool({ "settings", m_template });
    QCOMPARE(printed.exitCode, 0);
    QStringList pairs;
    for (const QString &line : printed.out.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(QLatin1String(": "));
        pairs.append(line.left(colon) + u'=' + line.mid(colon + 2));
    }
    QVERIFY(pairs.contains("radio-model=DR780 (DR-780)"));
    QVERIFY(pairs.contains("contacts-edit=on"));
    QVERIFY(pairs.contains("keypad-lock-time=Manual"));
    const QString out = m_dir->filePath("same.rdt");
    const auto set = runTool(QStringList { "settings", m_template } + pairs + QStringList { "-o", out });
    QCOMPARE(set.exitCode, 0);
    QCOMPARE(readFile(out), readFile(m_template));
}

void TestSettingsCommand::radioIdAndNameOnACopy()
{
    const QByteArray original = readFile(m_template);
    const QString copy = m_dir->filePath("ann.rdt");
    QCOMPARE(runTool({ "settings", m_template, "radio-id=2621234", "radio-name=Ann mobile", "-o", copy }).exitCode, 0);
    QCOMPARE(readFile(m_template), original);
    const auto printed = runTool({ "settings", copy });
    QVERIFY(printed.out.contains("\nradio-name: Ann mobile\nradio-id: 2621234\n"));
    QVERIFY(runTool({ "info", copy }).out.contains("changed by load: no"));
}

void TestSettingsCommand::refusalsSaveNothing_data()
{
    QTest::addColumn<QString>("pair");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown key") << "radio-colour=red"
                                 << "unknown key: radio-colour";
    QTest::newRow("radio id too big") << "radio-id=16777216"
                                      << "Invalid Radio ID number (General tab)";
}

// Refused as a whole: an earlier good pair is not saved either, neither to -o nor in place.
void TestSettingsCommand::refusalsSaveNothing()
{
    QFETCH(QString, pair);
    QFETCH(QString, message);
    const QByteArray original = readFile(m_template);
    const QString out = m_dir->filePath("out.rdt");
    for (const QStringList &output : { QStringList { "-o", out }, QStringList {} }) {
        const auto result = runTool(QStringList { "settings", m_template, "radio-id=7", pair } + output);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
    }
    QVERIFY(!QFile::exists(out));
    QCOMPARE(readFile(m_template), original);
}

void TestSettingsCommand::keysListWhatEachKeyTakes()
{
    const auto keys = runTool({ "settings", "--keys" });
    QCOMPARE(keys.exitCode, 0);
    QVERIFY(keys.out.contains("\nradio-id: a number from 0 to 16777215\n"));
    QVERIFY(keys.out.contains("\nbacklight-time: Always | 5 secs | 10 secs | 15 secs\n"));
    QVERIFY(keys.out.contains("\nutilities-gps: on | off\n"));
}

QTEST_GUILESS_MAIN(TestSettingsCommand)
#include "tst_settings.moc"
