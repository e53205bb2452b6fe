#pragma once

#include <QStringView>
#include <array>
#include <cstdint>
#include <string>

namespace velmora {

// Sort key of a text in Czech alphabetical order: letters first compare
// without accents and case, with č, ř, š, ž and "ch" as letters of their own
// (after c, r, s, z and h); then accents decide, then case (small first).
// Keys compare bytewise (std::string operator<).
void appendCzechSortKey(QStringView text, std::string &key);
std::string czechSortKey(QStringView text);

// Compares two texts in the same order as their sort keys.
int czechCompare(QStringView a, QStringView b);

class Codepage;

// The same sort keys built straight from the stored bytes of one code page,
// as index tags need them for every record of a table.
class ByteCollation
{
public:
    static const ByteCollation &of(const Codepage &cp);
    // Equals appendCzechSortKey of the decoded bytes.
    void appendKey(const char *bytes, int length, std::string &key) const;

    struct Entry
    {
        uint16_t primary = 0;
        uint8_t secondary = 1;
        uint8_t tertiary = 1;
        uint8_t c = 0; // 1 for 'c', 2 for 'C'
        bool h = false;
    };

private:
    explicit ByteCollation(const Codepage &cp);
    std::array<Entry, 256> m_entries;
};

} // namespace velmora
