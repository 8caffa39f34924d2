#include "ImageBuilder.h"
#include "UserDatabase.h"
#include "UserDbDownload.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace userdb;
using testsupport::readFile;

namespace {

// A one-reply HTTP server on 127.0.0.1: answers every request with the status and body given,
// announcing `announced` bytes (the body's size when negative) and keeping the connection open
// when it sends less than it announced.
class ReplyServer : public QObject
{
public:
    ReplyServer(int status, QByteArray body, qint64 announced = -1)
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [=, this] {
            QTcpSocket *socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [=, this] {
                m_request += socket->readAll();
                if (!m_request.contains("\r\n\r\n"))
                    return;
                const qint64 length = announced < 0 ? body.size() : announced;
                socket->write("HTTP/1.1 " + QByteArray::number(status)
                    + " X\r\nContent-Length: " + QByteArray::number(length) + "\r\n\r\n" + body);
                socket->flush();
                if (length == body.size())
                    socket->disconnectFromHost();
            });
        });
        m_server.listen(QHostAddress::LocalHost);
    }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }
    QByteArray request() const { return m_request; }

private:
    QTcpServer m_server;
    QByteArray m_request;
};

QByteArray databaseBody(int entries)
{
    QByteArray body = "Radio_ID;Callsign;Name;City;State;Country\n";
    for (int i = 1; i <= entries; ++i)
        body += QByteArray::number(2620000 + i) + ";DL" + QByteArray::number(i) + ";Name;City;State;Germany\n";
    return body;
}

} // namespace

class TestDownload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void urls();
    void outcomes_data();
    void outcomes();
    void refusedConnection();
    void cancelHalfway();
};

void TestDownload::urls()
{
    QCOMPARE(databaseUrl(QStringLiteral("db.example")), QStringLiteral("db.example/status/users.csv"));
    QCOMPARE(lastHeardUrl(QStringLiteral("h:81"), 0), QStringLiteral("http://h:81/user_by_lh.php"));
    QCOMPARE(lastHeardUrl(QStringLiteral("h"), 2621), QStringLiteral("http://h/user_by_lh.php?id=2621&n=2000"));
    QCOMPARE(lastHeardFileName(2621), QStringLiteral("dmr_2621.csv"));
    const std::pair<QString, int> rows[] = { { QStringLiteral("  "), DownloadEmptyUrl },
        { QStringLiteral(" a.b/c "), DownloadShortUrl }, { QStringLiteral("HTTP://a.b/c"), DownloadOk } };
    for (auto [url, code] : rows)
        QCOMPARE(normalizeUrl(url), code);
    QString url = QStringLiteral(" hostname/x ");
    normalizeUrl(url);
    QCOMPARE(url, QStringLiteral("http://hostname/x"));
}

void TestDownload::outcomes_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("written"); // the file that holds the body afterwards, if any
    const QByteArray full = databaseBody(40);
    QTest::newRow("200 with a full body") << 200 << full << int(DownloadOk) << ""
                                          << "dmr.DB";
    QTest::newRow("200 with 999 bytes") << 200 << full.left(999) << int(DownloadTooShort) << "Failed download."
                                        << "";
    QTest::newRow("404") << 404 << QByteArray("not here") << int(DownloadBadStatus) << "HTTP response code error 404"
                         << "dmr.DB.response";
}

void TestDownload::outcomes()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, code);
    QFETCH(QString, written);
    QTemporaryDir dir;
    ReplyServer server(status, body);
    const QString file = dir.filePath(kDatabaseFile);
    QString said;
    QCOMPARE(UserDbDownload::run(databaseUrl(server.host()), file, said), code);
    QTEST(said, "message");
    QVERIFY(server.request().startsWith("GET /status/users.csv HTTP/1.1\r\n"));
    QVERIFY(server.request().contains("\r\nAccept: text/html, */*\r\n"));
    QVERIFY(server.request().contains("\r\nUser-Agent: " + kUserAgent + "\r\n"));
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList { written });
    if (!written.isEmpty())
        QCOMPARE(readFile(dir.filePath(written)), body);
    if (code == DownloadOk) {
        codeplug::UserDatabase database(dir.path());
        QCOMPARE(database.parseFile(file), int(codeplug::UserDbOk));
        QCOMPARE(database.database().size(), 40);
        QVERIFY(QFile::exists(dir.filePath(QLatin1String(codeplug::UserDatabase::kDatabaseCache))));
    }
}

void TestDownload::refusedConnection()
{
    quint16 port = 0;
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        port = closed.serverPort();
    }
    QTemporaryDir dir;
    QString said;
    const int code = UserDbDownload::run(
        lastHeardUrl(QStringLiteral("127.0.0.1:%1").arg(port), 0), dir.filePath(lastHeardFileName(0)), said);
    QCOMPARE(code, int(DownloadRequestFailed));
    QVERIFY2(said.startsWith(QStringLiteral("HTTP response code error 0\r\n\n")), qPrintable(said));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("dmr_0.csv.response"))));
}

void TestDownload::cancelHalfway()
{
    QTemporaryDir dir;
    const QString file = testsupport::writeFile(dir, kDatabaseFile, "previous");
    ReplyServer server(200, QByteArray(50000, 'x'), 100000);
    UserDbDownload download;
    QSignalSpy finished(&download, &UserDbDownload::finished);
    connect(&download, &UserDbDownload::progress, &download, [&](qint64 received, qint64 total) {
        if (received >= 50000 && total == 100000)
            download.cancel();
    });
    download.start(databaseUrl(server.host()), file);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.first().at(0).toInt(), int(DownloadCancelled));
    QCOMPARE(finished.first().at(1).toString(), QString());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { kDatabaseFile });
    QCOMPARE(readFile(file), QByteArray("previous"));
}

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
