#pragma once

// Little-endian numbers and markers of the dBASE files, for the engine's
// own sources.

#include <QDate>
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

// The date of the last change, in bytes 1 to 3 of a table's header.
inline void stampDate(char *header)
{
    const QDate today = QDate::currentDate();
    header[1] = char(today.year() - 1900);
    header[2] = char(today.month());
    header[3] = char(today.day());
}

} // namespace velmora::filebytes
