#include "CodePlugFile.h"

#include <cstring>

#include <QFile>
#include <QSaveFile>

namespace codeplug {

namespace {

FileResult failure(int code, const char *text, const QString &fileName)
{
    return { code, QString::fromLatin1(text) + fileName };
}

FileResult sizeError(const QString &fileName)
{
    return failure(-3, "Code plug file size error ..\n\n", fileName);
}

// The container checks, in the order the messages are ranked.
FileResult checkContainer(const FileImage &image, const QString &fileName)
{
    if (std::memcmp(image.data(), "DfuSe", 5) != 0)
        return failure(-6, "Invalid code plug file (no DfuSe signature) ..\n\n", fileName);
    if (image.u8(5) != 1)
        return failure(-7, "Invalid code plug file (DfuSe version) ..\n\n", fileName);
    if (image.u32(dfuse::kImageSizeField) != dfuse::kExpectedImageSize)
        return failure(-8, "Invalid code plug file (DfuSe image size) ..\n\n", fileName);
    if (image.u8(10) != 1)
        return failure(-9, "Invalid code plug file (number of DfuSe images) ..\n\n", fileName);
    return {};
}

} // namespace

FileResult readCodePlugFile(const QString &fileName, std::unique_ptr<FileImage> &image)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return failure(-1, "Could not open the code plug file ..\n\n", fileName);
    const qint64 size = file.size();
    if (size < 0)
        return failure(-2, "Could not seek to the end of the code plug file ..\n\n", fileName);
    if (size != FileImage::kFileSize)
        return sizeError(fileName);
    const QByteArray bytes = file.read(size);
    if (bytes.size() != size)
        return failure(-5, "Could not read from the code plug file ..\n\n", fileName);
    return codePlugFromBytes(bytes, fileName, image);
}

FileResult codePlugFromBytes(const QByteArray &bytes, const QString &fileName, std::unique_ptr<FileImage> &image)
{
    if (bytes.size() != FileImage::kFileSize)
        return sizeError(fileName);
    auto candidate = std::make_unique<FileImage>(bytes);
    FileResult checked = checkContainer(*candidate, fileName);
    if (checked.ok())
        image = std::move(candidate);
    return checked;
}

FileResult loadCodePlugFile(CodePlugStore &store, int slotIndex, const QString &fileName)
{
    if (!CodePlugStore::validIndex(slotIndex))
        return { -1, {} };
    std::unique_ptr<FileImage> image;
    FileResult result = readCodePlugFile(fileName, image);
    if (!result.ok())
        return result;
    store.setImage(slotIndex, std::move(image));
    store.compactLists(slotIndex);
    return {};
}

FileResult saveImageToFile(const FileImage &image, const QString &fileName, const Writer &writer)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return { -2, QStringLiteral("Could not create the code plug file") };
    const QByteArray bytes = image.toByteArray();
    const qint64 written = writer ? writer(file, bytes) : file.write(bytes);
    if (written != bytes.size() || !file.commit()) {
        file.cancelWriting();
        return { -3, QStringLiteral("Could not write to the code plug file") };
    }
    return {};
}

FileResult saveCodePlugFile(CodePlugStore &store, int slotIndex, const QString &fileName,
    const std::function<bool()> &confirmPasswords, const Writer &writer)
{
    CodePlugSlot *slot = store.slot(slotIndex);
    if (!slot || !slot->image() || slot->size() <= 0)
        return { -1, {} };
    if (slot->passwordsSet() && !(confirmPasswords && confirmPasswords()))
        return { -1, {} };
    FileResult result = saveImageToFile(*slot->image(), fileName, writer);
    if (result.ok())
        slot->takeReferenceCopy();
    return result;
}

} // namespace codeplug
