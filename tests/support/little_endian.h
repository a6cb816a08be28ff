#pragma once
// Numbers appended in little-endian order, as the Windows file formats that tests write by hand
// store them.
#include <QByteArray>

#include <cstdint>
#include <initializer_list>

namespace lumoria::test {

// The low `bytes` bytes of the value (negative values in two's complement).
inline void AppendLittleEndian(QByteArray& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

inline void AppendU16(QByteArray& out, std::uint64_t value) { AppendLittleEndian(out, value, 2); }
inline void AppendU32(QByteArray& out, std::uint64_t value) { AppendLittleEndian(out, value, 4); }
inline void AppendU32s(QByteArray& out, std::initializer_list<std::uint64_t> values)
{
    for (std::uint64_t v : values)
        AppendU32(out, v);
}

} // namespace lumoria::test
