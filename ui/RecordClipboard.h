#pragma once

#include <QByteArray>
#include <QString>

// Records travel between slots on the system clipboard under a private format: the MIME type
// "application/x-<format name>", the payload the core's copy operation made, byte for byte.
namespace recordclipboard {

QString mimeType(const QString &format);
void put(const QString &format, const QByteArray &block);
// The block under the format, or empty when the clipboard holds none.
QByteArray block(const QString &format);

} // namespace recordclipboard
