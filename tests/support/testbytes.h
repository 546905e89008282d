#pragma once

// Byte arrays, images and texts that tests build and compare.
#include "core/image/memoryimage.h"
#include "core/image/transferranges.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kdw::test {

// Bytes written as hex digits: hex("00FF") is {0x00, 0xFF}.
inline QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// An image with every byte set to `value`.
MemoryImage filledImage(quint8 value);
// What a new document holds without Default.sin: 0xFF, then the built-in defaults.
MemoryImage builtInDefaultsImage();
// The build's factory channel file DEF_U01.sin; when it cannot be read, fails
// the running test and returns 0xFF.
MemoryImage factoryImage();

// `size` bytes that differ at every address of a block and from block to
// block, so that a shifted or misplaced copy shows; another seed gives other
// bytes at every address.
QByteArray patternBytes(int size, quint8 seed = 0);
// A memory image of those bytes.
MemoryImage patternImage(quint8 seed = 0);

// Texts written as one string separated by '|': "Off|Low" is {"Off", "Low"}.
QStringList texts(QStringView joined);

// `base` with the bytes of `ranges` taken from `source`: what a radio or a
// document holds after a transfer of those ranges.
MemoryImage overlay(MemoryImage base, const MemoryImage &source, const std::array<TransferRange, 5> &ranges);

// The bytes of the write ranges of an 8192-byte memory, one range after another.
QByteArray writtenRanges(const QByteArray &memory);

// A channel as it moves: its 16-byte record, then its 8-byte name slot.
QByteArray channelBytes(const MemoryImage &image, int channel);

// "0xOFFS: actual != expected" for the first byte that differs; empty when equal.
QString firstDifference(const QByteArray &actual, const QByteArray &expected);
inline QString firstDifference(const MemoryImage &actual, const MemoryImage &expected)
{
    return firstDifference(actual.bytes(), expected.bytes());
}

} // namespace kdw::test
