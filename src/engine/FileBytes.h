#pragma once

// Little-endian numbers and markers of the dBASE files, for the engine's
// own sources.

#include <cstdint>

namespace velmora::filebytes {

inline constexpr char kEndMarker = 0x1A;
inline constexpr int kDb3Block = 512;

inline uint16_t le16(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return uint16_t(u[0] | (u[1] << 8));
}

inline uint32_t le32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return uint32_t(u[0]) | (uint32_t(u[1]) << 8) | (uint32_t(u[2]) << 16) | (uint32_t(u[3]) << 24);
}

inline void putLe16(char *p, uint16_t v)
{
    p[0] = char(v);
    p[1] = char(v >> 8);
}

inline void putLe32(char *p, uint32_t v)
{
    p[0] = char(v);
    p[1] = char(v >> 8);
    p[2] = char(v >> 16);
    p[3] = char(v >> 24);
}

} // namespace velmora::filebytes
