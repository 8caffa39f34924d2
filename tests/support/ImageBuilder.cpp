#include "ImageBuilder.h"

#include "ListRecords.h"
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

ImageBuilder &ImageBuilder::emptied(const ListLayout &list, int index)
{
    m_image.setU16(list.nameFieldOffset(index), 0);
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

} // namespace testsupport
