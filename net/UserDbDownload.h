#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

// The HTTP download of the DMR user database or of a last-heard list, run asynchronously so that
// the window stays live and the download can be cancelled.
namespace userdb {

// Used when the settings file names no host ([Database] Host): a server on this machine, so that
// nothing is fetched from elsewhere until the user names the database service or a mirror.
inline const QString kDefaultHost = QStringLiteral("localhost");
inline const QString kDatabaseFile = QStringLiteral("dmr.DB");
inline const QString kResponseSuffix = QStringLiteral(".response");
inline const QString kNoEntriesMessage = QStringLiteral("The downloaded file holds no DMR user entries.");
inline const QByteArray kAccept = QByteArrayLiteral("text/html, */*");
inline const QByteArray kUserAgent
    = QByteArrayLiteral("Mozilla/5.0 (Windows NT 5.1; rv:10.0) Gecko/20100101 Firefox/10.0");
// A reply shorter than this is taken for a failed download.
inline constexpr int kMinimumReply = 1000;

enum DownloadCode {
    DownloadOk = 0,
    DownloadEmptyUrl = -1,
    DownloadShortUrl = -2,
    DownloadNoBuffer = -3,
    DownloadRequestFailed = -4,
    DownloadBadStatus = -5,
    DownloadTooShort = -6,
    DownloadCannotSave = -7, // the reply could not be stored; the previous file is kept
    DownloadCancelled = -8, // no file changed, nothing to say
};

// host + "/status/users.csv": no scheme, the download adds it.
QString databaseUrl(const QString &host);
// The general list for station 0, the list around one station otherwise.
QString lastHeardUrl(const QString &host, int stationId);
QString lastHeardFileName(int stationId);
// Trims the url and adds "http://" when it holds no such scheme; DownloadEmptyUrl or
// DownloadShortUrl (under 7 characters) when it cannot be a url.
int normalizeUrl(QString &url);
QString downloadLabel(const QString &url);

class UserDbDownload final : public QObject
{
    Q_OBJECT
public:
    explicit UserDbDownload(QObject *parent = nullptr);
    ~UserDbDownload() override;

    // Fetches the url into `filePath`; finished() follows, also when the url is refused at once.
    void start(const QString &url, const QString &filePath);
    // Aborts a running download: finished(DownloadCancelled) without a message, no file changed.
    void cancel();
    bool isRunning() const { return !m_reply.isNull(); }

    // Runs a download to its end in a local event loop (the command-line tool's way).
    static int run(const QString &url, const QString &filePath, QString &message);

Q_SIGNALS:
    void bodyStarted();
    void progress(qint64 received, qint64 total);
    void finished(int code, const QString &message);

private:
    void blockArrived();
    void replyFinished();
    void finish(int code, const QString &message);

    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
    QString m_filePath;
    bool m_cancelled = false;
    bool m_bodyStarted = false;
};

} // namespace userdb
