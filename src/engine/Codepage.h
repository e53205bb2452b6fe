#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <memory>

namespace velmora {

// A single-byte code page: decoding of stored bytes and encoding of text to
// one byte per character (characters it cannot hold become '?').
class Codepage
{
public:
    static const Codepage &cp1250();
    // The code page that a dBASE language driver byte names; cp1250 for 0
    // and for drivers this program does not know.
    static const Codepage &forLanguageDriver(uint8_t driver);
    // Code page from a level-7 language driver name such as "DB win1250".
    static const Codepage &forDriverName(const QByteArray &name);

    int number() const { return m_number; }
    // The language driver byte written for this code page.
    uint8_t languageDriver() const { return m_driver; }

    QString decode(const char *data, int length) const;
    char16_t decodeByte(uint8_t byte) const { return m_forward[byte]; }
    // Encodes at most maxChars characters (all when negative).
    QByteArray encode(QStringView text, int maxChars = -1) const;
    uint8_t encodeChar(char16_t c) const;

private:
    Codepage(int number, uint8_t driver, const char16_t *upper);
    int m_number;
    uint8_t m_driver;
    std::array<char16_t, 256> m_forward; // every byte, so decoding never branches
    std::unique_ptr<std::array<uint8_t, 65536>> m_reverse;
};

} // namespace velmora
