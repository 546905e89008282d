#include "core/image/memoryimage.h"

#include <algorithm>
#include <cstring>

namespace kdw {

void MemoryImage::copyIn(QByteArrayView data)
{
    const auto n = std::min<qsizetype>(data.size(), Size);
    if (n <= 0)
        return; // an empty view may have no data pointer at all
    std::memcpy(m_bytes.data(), data.data(), std::size_t(n));
}

void MemoryImage::copyIn(int offset, QByteArrayView data)
{
    Q_ASSERT(offset >= 0 && offset + data.size() <= Size);
    if (data.isEmpty())
        return;
    std::memcpy(m_bytes.data() + offset, data.data(), std::size_t(data.size()));
}

QByteArray MemoryImage::bytes() const
{
    return bytes(0, Size);
}

QByteArray MemoryImage::bytes(int offset, int length) const
{
    Q_ASSERT(offset >= 0 && length >= 0 && offset + length <= Size);
    return QByteArray(reinterpret_cast<const char *>(m_bytes.data()) + offset, length);
}

} // namespace kdw
