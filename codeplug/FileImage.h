#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include <QByteArray>

namespace codeplug {

// The whole .rdt file in one buffer: file offset = index. Every accessor checks its bounds so that a
// wrong offset can never read or write outside the image; out-of-range reads give 0, writes do nothing.
class FileImage final
{
public:
    static constexpr int kFileSize = 262709;
    static constexpr int kMemoryOffset = 549; // radio memory address A lies at file offset 549 + A

    FileImage()
        : m_bytes(kFileSize, 0)
    {
    }
    // One block copy: a byte-wise conversion loop costs far more under the sanitizers.
    explicit FileImage(const QByteArray &bytes)
        : m_bytes(std::size_t(bytes.size()))
    {
        if (!bytes.isEmpty())
            std::memcpy(m_bytes.data(), bytes.constData(), m_bytes.size());
    }

    int size() const { return int(m_bytes.size()); }
    bool contains(int offset, int length = 1) const { return offset >= 0 && length >= 0 && offset <= size() - length; }

    std::uint8_t u8(int offset) const { return contains(offset) ? m_bytes[std::size_t(offset)] : 0; }
    void setU8(int offset, std::uint8_t value)
    {
        if (contains(offset))
            m_bytes[std::size_t(offset)] = value;
    }
    std::uint16_t u16(int offset) const { return std::uint16_t(u8(offset) | (u8(offset + 1) << 8)); }
    void setU16(int offset, std::uint16_t value)
    {
        setU8(offset, std::uint8_t(value));
        setU8(offset + 1, std::uint8_t(value >> 8));
    }
    std::uint32_t u32(int offset) const { return std::uint32_t(u16(offset)) | (std::uint32_t(u16(offset + 2)) << 16); }
    void setU32(int offset, std::uint32_t value)
    {
        setU16(offset, std::uint16_t(value));
        setU16(offset + 2, std::uint16_t(value >> 16));
    }
    // Sets or clears the bits of mask at offset, leaving every other bit as it was.
    void setBits(int offset, std::uint8_t mask, std::uint8_t value)
    {
        setU8(offset, std::uint8_t((u8(offset) & ~mask) | (value & mask)));
    }

    // A checked window of the image; empty when the range does not lie inside it.
    std::span<std::uint8_t> span(int offset, int length)
    {
        if (!contains(offset, length))
            return {};
        return { m_bytes.data() + offset, std::size_t(length) };
    }
    std::span<const std::uint8_t> span(int offset, int length) const
    {
        if (!contains(offset, length))
            return {};
        return { m_bytes.data() + offset, std::size_t(length) };
    }
    void fill(int offset, int length, std::uint8_t value)
    {
        for (auto &b : span(offset, length))
            b = value;
    }
    // Copies length bytes inside the image; overlapping ranges are handled.
    void copy(int from, int to, int length);

    QByteArray toByteArray() const
    {
        return QByteArray(reinterpret_cast<const char *>(m_bytes.data()), qsizetype(m_bytes.size()));
    }
    const std::uint8_t *data() const { return m_bytes.data(); }
    bool operator==(const FileImage &) const = default;

private:
    std::vector<std::uint8_t> m_bytes;
};

} // namespace codeplug
