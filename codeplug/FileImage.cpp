#include "FileImage.h"

#include <cstring>

namespace codeplug {

void FileImage::copy(int from, int to, int length)
{
    if (!contains(from, length) || !contains(to, length) || length == 0)
        return;
    std::memmove(m_bytes.data() + to, m_bytes.data() + from, std::size_t(length));
}

} // namespace codeplug
