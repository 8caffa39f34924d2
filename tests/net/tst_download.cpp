#include "ImageBuilder.h"
#include "UserDbDownload.h"

#include <QDir>
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
    void close() { m_server.close(); }

    QTcpServer m_server;
    QByteArray m_request;
};

} // namespace

class TestDownload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void urls()
    {
        QCOMPARE(databaseUrl("db.example"), "db.example/status/users.csv");
        QCOMPARE(lastHeardUrl("h:81", 0), "http://h:81/user_by_lh.php");
        QCOMPARE(lastHeardUrl("h", 2621), "http://h/user_by_lh.php?id=2621&n=2000");
        const std::tuple<QString, int, QString> rows[]
            = { { "  ", DownloadEmptyUrl, "" }, { " a.b/c ", DownloadShortUrl, "a.b/c" },
                  { "HTTP://a.b/c", DownloadOk, "HTTP://a.b/c" }, { " hostname/x ", DownloadOk, "http://hostname/x" } };
        for (auto [url, code, normalized] : rows) {
            QCOMPARE(normalizeUrl(url), code);
            QCOMPARE(url, normalized);
        }
    }

    // Status 0: nobody listens. `said` starts the message; `written` is the one file afterwards.
    void outcomes_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("written");
        const auto row = [](const char *name, int status, const QByteArray &body, int code, const char *said,
                             const char *written) {
            QTest::newRow(name) << status << body << code << QString(said) << QString(written);
        };
        row("200 with 1000 bytes", 200, QByteArray(1000, 'x'), DownloadOk, "", "dmr.DB");
        row("200 with 999 bytes", 200, QByteArray(999, 'x'), DownloadTooShort, "Failed download.", "");
        row("404", 404, "not here", DownloadBadStatus, "HTTP response code error 404", "dmr.DB.response");
        row("refused connection", 0, "", DownloadRequestFailed, "HTTP response code error 0\r\n\n", "dmr.DB.response");
    }
    void outcomes()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, said);
        QFETCH(QString, written);
        QTemporaryDir dir;
        ReplyServer server(status, body);
        if (status == 0)
            server.close();
        const QString file = dir.filePath(kDatabaseFile);
        QString message;
        QTEST(UserDbDownload::run(databaseUrl(server.host()), file, message), "code");
        QVERIFY2(status ? message == said : message.startsWith(said), qPrintable(message));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList { written });
        if (status == 0)
            return;
        QVERIFY(server.m_request.startsWith("GET /status/users.csv HTTP/1.1\r\n"));
        QVERIFY(server.m_request.contains("\r\nAccept: text/html, */*\r\n"));
        QVERIFY(server.m_request.contains("\r\nUser-Agent: " + kUserAgent + "\r\n"));
        if (!written.isEmpty())
            QCOMPARE(readFile(dir.filePath(written)), body);
    }

    // No file changes and nothing is said.
    void cancelHalfway()
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
        QCOMPARE(finished.first(), (QVariantList { int(DownloadCancelled), QString() }));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { kDatabaseFile });
        QCOMPARE(readFile(file), QByteArray("previous"));
    }
};

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
