#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <array>
#include <cstddef>

namespace kdw {

// The radio's programmable memory as the program holds it: 8192 bytes, byte
// offset = radio address, seen as 512 rows of 16 bytes.
class MemoryImage
{
public:
    static constexpr int Size = 8192;
    static constexpr int RowSize = 16;

    // A fresh image is all zero, as the document's is at start.
    MemoryImage() { m_bytes.fill(0x00); }

    quint8 byte(int offset) const { return m_bytes.at(std::size_t(offset)); }
    void setByte(int offset, quint8 value) { m_bytes.at(std::size_t(offset)) = value; }

    // Clears the field's own bits and sets the new ones; the other bits stay.
    void setBits(int offset, quint8 mask, quint8 value)
    {
        setByte(offset, quint8((byte(offset) & ~mask) | (value & mask)));
    }

    void fill(quint8 value) { m_bytes.fill(value); }

    // Copies up to Size bytes in from offset 0; bytes past the data keep their value.
    void copyIn(QByteArrayView data);
    // Copies bytes [offset, offset + data.size()) in; the range must lie inside the image.
    void copyIn(int offset, QByteArrayView data);

    QByteArray bytes() const;
    QByteArray bytes(int offset, int length) const;

    quint8 *data() { return m_bytes.data(); }
    const quint8 *data() const { return m_bytes.data(); }

    bool operator==(const MemoryImage &other) const = default;

private:
    std::array<quint8, Size> m_bytes;
};

} // namespace kdw
