#pragma once

#include "FileImage.h"
#include "Layout.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

// Builds code plug images for tests: starts from a fresh valid code plug and puts records,
// references, gaps and broken headers where a test wants them.
class ImageBuilder
{
public:
    explicit ImageBuilder(int band = 2, int model = 0);

    codeplug::FileImage &image() { return m_image; }
    const codeplug::FileImage &image() const { return m_image; }

    // Writes a used record with the given name (list initialiser, then the name) at index.
    ImageBuilder &named(const codeplug::ListLayout &list, int index, const QString &name);
    // Writes used records 0..n-1 with the given names.
    ImageBuilder &records(const codeplug::ListLayout &list, const QStringList &names);
    ImageBuilder &u8(int offset, std::uint8_t value);
    ImageBuilder &u16(int offset, std::uint16_t value);
    ImageBuilder &u32(int offset, std::uint32_t value);

    // Writes the image to dir/name and returns the path.
    QString writeTo(const QTemporaryDir &dir, const QString &name) const;

private:
    codeplug::FileImage m_image;
};

// "<prefix><n>" for each n.
QStringList numbered(const QString &prefix, const QList<int> &numbers);
// "<prefix>1".."<prefix><count>".
QStringList numbered(const QString &prefix, int count);
// The names of the leading used records of a list.
QStringList usedNames(const codeplug::FileImage &image, const codeplug::ListLayout &list);

// The raw bytes of record `index` of a list.
QByteArray recordBytes(const codeplug::FileImage &image, const codeplug::ListLayout &list, int index);

// "8870=3F 8893=1A000000": bytes in hex by file offset, written into an image...
void patchBytes(codeplug::FileImage &image, const QString &pokes);
// ...or read back from it in the same form, for comparing with the expected pokes.
QString bytesLike(const codeplug::FileImage &image, const QString &pokes);

// Writes raw bytes to dir/name and returns the path.
QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);
// The whole file, or nothing when it cannot be read.
QByteArray readFile(const QString &path);

} // namespace testsupport
