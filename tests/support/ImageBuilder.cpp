#include "ImageBuilder.h"

#include "ListRecords.h"
#include "NameCodec.h"
#include "NewCodePlug.h"

#include <QFile>

namespace testsupport {

using namespace codeplug;

ImageBuilder::ImageBuilder(int band, int model)
    : m_image(makeNewCodePlug(band, model))
{
}

ImageBuilder &ImageBuilder::named(const ListLayout &list, int index, const QString &name)
{
    initRecord(m_image, list, index, name);
    return *this;
}

ImageBuilder &ImageBuilder::records(const ListLayout &list, const QStringList &names)
{
    for (int i = 0; i < names.size(); ++i)
        named(list, i, names.at(i));
    return *this;
}

ImageBuilder &ImageBuilder::u8(int offset, std::uint8_t value)
{
    m_image.setU8(offset, value);
    return *this;
}

ImageBuilder &ImageBuilder::u16(int offset, std::uint16_t value)
{
    m_image.setU16(offset, value);
    return *this;
}

ImageBuilder &ImageBuilder::u32(int offset, std::uint32_t value)
{
    m_image.setU32(offset, value);
    return *this;
}

QString ImageBuilder::writeTo(const QTemporaryDir &dir, const QString &name) const
{
    return writeFile(dir, name, m_image.toByteArray());
}

QStringList numbered(const QString &prefix, const QList<int> &numbers)
{
    QStringList names;
    for (int n : numbers)
        names.append(prefix + QString::number(n));
    return names;
}

QStringList numbered(const QString &prefix, int count)
{
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names.append(prefix + QString::number(n));
    return names;
}

QStringList usedNames(const FileImage &image, const ListLayout &list)
{
    QStringList names;
    for (int i = 0; isRecordUsed(image, list, i); ++i)
        names.append(decodeName(image, list.nameFieldOffset(i), list.nameUnits, i + 1));
    return names;
}

QByteArray recordBytes(const FileImage &image, const ListLayout &list, int index)
{
    const auto bytes = image.span(list.recordOffset(index), list.recordSize);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void patchBytes(FileImage &image, const QString &pokes)
{
    for (const QString &part : pokes.split(u' ', Qt::SkipEmptyParts)) {
        const QByteArray bytes = QByteArray::fromHex(part.section(u'=', 1).toLatin1());
        for (int i = 0; i < int(bytes.size()); ++i)
            image.setU8(part.section(u'=', 0, 0).toInt() + i, std::uint8_t(bytes.at(i)));
    }
}

QString bytesLike(const FileImage &image, const QString &pokes)
{
    QStringList found;
    for (const QString &part : pokes.split(u' ', Qt::SkipEmptyParts)) {
        const int offset = part.section(u'=', 0, 0).toInt();
        const auto bytes = image.span(offset, int(part.section(u'=', 1).size() / 2));
        const QByteArray hex
            = QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())).toHex();
        found.append(QStringLiteral("%1=%2").arg(offset).arg(QString::fromLatin1(hex.toUpper())));
    }
    return found.join(u' ');
}

} // namespace testsupport
