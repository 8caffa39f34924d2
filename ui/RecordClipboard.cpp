#include "RecordClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace recordclipboard {

QString mimeType(const QString &format)
{
    return QStringLiteral("application/x-") + format;
}

void put(const QString &format, const QByteArray &block)
{
    auto *data = new QMimeData;
    data->setData(mimeType(format), block);
    QGuiApplication::clipboard()->setMimeData(data);
}

QByteArray block(const QString &format)
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(mimeType(format)))
        return {};
    return data->data(mimeType(format));
}

} // namespace recordclipboard
