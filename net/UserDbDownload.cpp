#include "UserDbDownload.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace userdb {

namespace {

constexpr int kMinimumUrl = 7;
constexpr int kTransferTimeoutMs = 60000;

bool saveAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

QString databaseUrl(const QString &host)
{
    return host + QStringLiteral("/status/users.csv");
}

QString lastHeardUrl(const QString &host, int stationId)
{
    const QString url = QStringLiteral("http://") + host + QStringLiteral("/user_by_lh.php");
    return stationId > 0 ? url + QStringLiteral("?id=%1&n=2000").arg(stationId) : url;
}

QString lastHeardFileName(int stationId)
{
    return QStringLiteral("dmr_%1.csv").arg(stationId);
}

int normalizeUrl(QString &url)
{
    url = url.trimmed();
    if (url.isEmpty())
        return DownloadEmptyUrl;
    if (url.size() < kMinimumUrl)
        return DownloadShortUrl;
    if (!url.toLower().contains(QLatin1String("http://")))
        url.prepend(QStringLiteral("http://"));
    return DownloadOk;
}

QString downloadLabel(const QString &url)
{
    return QStringLiteral("Downloading the DMR database file .. ") + url + QLatin1Char(' ');
}

UserDbDownload::UserDbDownload(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
}

UserDbDownload::~UserDbDownload()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void UserDbDownload::start(const QString &url, const QString &filePath)
{
    if (isRunning())
        return;
    QString target = url;
    const int code = normalizeUrl(target);
    if (code != DownloadOk) {
        // Said after start() returns, as every other outcome.
        QTimer::singleShot(0, this, [this, code] { Q_EMIT finished(code, QString()); });
        return;
    }
    m_filePath = filePath;
    m_cancelled = false;
    m_bodyStarted = false;
    QNetworkRequest request { QUrl(target) };
    request.setRawHeader("Accept", kAccept);
    request.setRawHeader("User-Agent", kUserAgent);
    request.setTransferTimeout(kTransferTimeoutMs);
    m_reply = m_manager->get(request);
    // Every block counts, not only the throttled progress signals.
    connect(m_reply, &QNetworkReply::readyRead, this, &UserDbDownload::blockArrived);
    connect(m_reply, &QNetworkReply::finished, this, &UserDbDownload::replyFinished);
}

void UserDbDownload::blockArrived()
{
    if (!m_bodyStarted) {
        m_bodyStarted = true;
        Q_EMIT bodyStarted();
    }
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    Q_EMIT progress(m_reply->bytesAvailable(), length.isValid() ? length.toLongLong() : -1);
}

void UserDbDownload::cancel()
{
    if (!m_reply)
        return;
    m_cancelled = true;
    m_reply->abort();
}

void UserDbDownload::replyFinished()
{
    QNetworkReply *reply = m_reply;
    reply->deleteLater();
    m_reply.clear();
    if (m_cancelled)
        return finish(DownloadCancelled, QString());

    const QByteArray body = reply->readAll();
    const QVariant statusAttribute = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int status = statusAttribute.isValid() ? statusAttribute.toInt() : 0;
    const QString responsePath = m_filePath + kResponseSuffix;
    if (!statusAttribute.isValid()) {
        // No answer at all (refused, unreachable, timed out): what came is kept for inspection.
        saveAtomically(responsePath, body);
        return finish(DownloadRequestFailed,
            QStringLiteral("HTTP response code error %1\r\n\n%2").arg(status).arg(reply->errorString()));
    }
    if (status != 200) {
        saveAtomically(responsePath, body);
        return finish(DownloadBadStatus, QStringLiteral("HTTP response code error %1").arg(status));
    }
    if (body.size() < kMinimumReply)
        return finish(DownloadTooShort, QStringLiteral("Failed download."));
    if (!saveAtomically(m_filePath, body))
        return finish(DownloadCannotSave, QStringLiteral("Could not save the downloaded file %1").arg(m_filePath));
    finish(DownloadOk, QString());
}

void UserDbDownload::finish(int code, const QString &message)
{
    Q_EMIT finished(code, message);
}

int UserDbDownload::run(const QString &url, const QString &filePath, QString &message)
{
    UserDbDownload download;
    QEventLoop loop;
    int result = DownloadOk;
    connect(&download, &UserDbDownload::finished, &loop, [&](int code, const QString &text) {
        result = code;
        message = text;
        loop.quit();
    });
    download.start(url, filePath);
    loop.exec();
    return result;
}

} // namespace userdb
