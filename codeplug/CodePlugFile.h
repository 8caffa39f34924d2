#pragma once

#include "CodePlugStore.h"

#include <functional>

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace codeplug {

// Result of a load or save: code 0 on success, a negative code otherwise, with the message the
// caller shows (empty where no message belongs to the failure).
struct FileResult
{
    int code = 0;
    QString message;

    bool ok() const { return code >= 0; }
};

namespace dfuse {
inline constexpr int kImageSizeField = 6;
inline constexpr std::uint32_t kExpectedImageSize = 262437;
} // namespace dfuse

inline const QString kPasswordWarning
    = QStringLiteral("This code plug has passwords set (General Tab).\n\nMAKE SURE you know what they are !\n\n"
                     "Are you sure you want to save this code plug ?");

// Reads and checks a whole code plug file; on success the image, on failure the code and message.
FileResult readCodePlugFile(const QString &fileName, std::unique_ptr<FileImage> &image);
// The checks of a read on bytes already in memory; fileName only goes into the message.
FileResult codePlugFromBytes(const QByteArray &bytes, const QString &fileName, std::unique_ptr<FileImage> &image);

// Loads the file into the slot and runs the load-time compaction. A failure leaves the slot as it was.
FileResult loadCodePlugFile(CodePlugStore &store, int slotIndex, const QString &fileName);

// Writes length bytes; returns the number written (an injected writer lets tests fail a write).
using Writer = std::function<qint64(QIODevice &, const QByteArray &)>;

// Writes the image atomically: a temporary file beside the target is renamed over it, so a failed
// save leaves the old file untouched. confirmPasswords is asked when the image has passwords set;
// any answer but true returns -1 without writing.
FileResult saveImageToFile(const FileImage &image, const QString &fileName, const Writer &writer = {});
FileResult saveCodePlugFile(CodePlugStore &store, int slotIndex, const QString &fileName,
    const std::function<bool()> &confirmPasswords, const Writer &writer = {});

} // namespace codeplug
