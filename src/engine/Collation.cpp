#include "engine/Collation.h"

#include "engine/Codepage.h"

#include <QChar>
#include <QString>
#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace velmora {
namespace {

struct Weights
{
    uint16_t primary = 0;  // 0: ignorable
    uint8_t secondary = 1; // accent
    uint8_t tertiary = 1;  // 1 small, 2 capital
};

constexpr uint16_t kSpace = 0x0010;
constexpr uint16_t kPunct = 0x0100; // + code point within Latin-1 range
constexpr uint16_t kDigit = 0x1000;
constexpr uint16_t kLetter = 0x2000;
constexpr uint16_t kOther = 0x4000;

uint16_t letterWeight(char16_t base)
{
    return uint16_t(kLetter + (base - u'a') * 4);
}

Weights computeWeights(char16_t c)
{
    Weights w;
    const QChar ch(c);
    if (ch.isSpace()) {
        w.primary = kSpace;
        return w;
    }
    if (c >= u'0' && c <= u'9') {
        w.primary = uint16_t(kDigit + (c - u'0'));
        return w;
    }
    if (ch.isLetter()) {
        w.tertiary = ch.isUpper() ? 2 : 1;
        const char16_t lower = ch.toLower().unicode();
        // Czech letters of their own: a caron on c, r, s, z.
        switch (lower) {
        case u'\u010D':
            w.primary = letterWeight(u'c') + 1;
            return w;
        case u'\u0159':
            w.primary = letterWeight(u'r') + 1;
            return w;
        case u'\u0161':
            w.primary = letterWeight(u's') + 1;
            return w;
        case u'\u017E':
            w.primary = letterWeight(u'z') + 1;
            return w;
        case u'\u0142':
            w.primary = letterWeight(u'l');
            w.secondary = 0x40;
            return w;
        case u'\u0111':
            w.primary = letterWeight(u'd');
            w.secondary = 0x40;
            return w;
        default:
            break;
        }
        char16_t base = lower;
        const QString decomposition = QChar(lower).decomposition();
        if (!decomposition.isEmpty() && QChar(decomposition.at(0)).isLetter()) {
            base = decomposition.at(0).toLower().unicode();
            if (decomposition.size() > 1)
                w.secondary = uint8_t(2 + (decomposition.at(1).unicode() & 0x3F));
        }
        if (base >= u'a' && base <= u'z') {
            w.primary = letterWeight(base);
        } else {
            w.primary = uint16_t(kOther + (lower & 0x3FFF));
        }
        return w;
    }
    if (c < 0x100) {
        w.primary = uint16_t(kPunct + c);
        return w;
    }
    w.primary = uint16_t(kOther + (c & 0x3FFF));
    return w;
}

const std::array<Weights, 0x250> &latinTable()
{
    static const std::array<Weights, 0x250> table = [] {
        std::array<Weights, 0x250> t{};
        for (int c = 0; c < 0x250; ++c)
            t[c] = computeWeights(char16_t(c));
        return t;
    }();
    return table;
}

inline Weights weightsOf(char16_t c)
{
    return c < 0x250 ? latinTable()[c] : computeWeights(c);
}

void put16(std::string &key, uint16_t v)
{
    key.push_back(char(v >> 8));
    key.push_back(char(v & 0xFF));
}

} // namespace

void appendCzechSortKey(QStringView text, std::string &key)
{
    // Collect the weights first; "ch" folds into one letter after h.
    thread_local std::vector<Weights> ws;
    ws.clear();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if ((c == u'c' || c == u'C') && i + 1 < n &&
            (text[i + 1].unicode() == u'h' || text[i + 1].unicode() == u'H')) {
            Weights w;
            w.primary = letterWeight(u'h') + 1;
            w.tertiary = c == u'C' ? 2 : 1;
            ws.push_back(w);
            ++i;
            continue;
        }
        ws.push_back(weightsOf(c));
    }
    for (const Weights &w : ws)
        put16(key, w.primary);
    key.push_back('\0');
    key.push_back('\0');
    for (const Weights &w : ws)
        key.push_back(char(w.secondary));
    key.push_back('\0');
    for (const Weights &w : ws)
        key.push_back(char(w.tertiary));
}

std::string czechSortKey(QStringView text)
{
    std::string key;
    key.reserve(size_t(text.size()) * 4 + 3);
    appendCzechSortKey(text, key);
    return key;
}

ByteCollation::ByteCollation(const Codepage &cp)
{
    for (int b = 0; b < 256; ++b) {
        const char16_t c = cp.decodeByte(uint8_t(b));
        const Weights w = weightsOf(c);
        Entry &e = m_entries[size_t(b)];
        e.primary = w.primary;
        e.secondary = w.secondary;
        e.tertiary = w.tertiary;
        e.c = c == u'c' ? 1 : (c == u'C' ? 2 : 0);
        e.h = c == u'h' || c == u'H';
    }
}

const ByteCollation &ByteCollation::of(const Codepage &cp)
{
    static std::mutex mutex;
    static std::map<const Codepage *, std::unique_ptr<ByteCollation>> known;
    std::lock_guard<std::mutex> lock(mutex);
    auto &slot = known[&cp];
    if (!slot)
        slot.reset(new ByteCollation(cp));
    return *slot;
}

void ByteCollation::appendKey(const char *bytes, int length, std::string &key) const
{
    thread_local std::vector<Entry> ws;
    ws.resize(size_t(length));
    size_t m = 0;
    for (int i = 0; i < length; ++i) {
        const Entry &e = m_entries[uint8_t(bytes[i])];
        if (e.c && i + 1 < length && m_entries[uint8_t(bytes[i + 1])].h) {
            Entry ch;
            ch.primary = letterWeight(u'h') + 1;
            ch.tertiary = e.c;
            ws[m++] = ch;
            ++i;
            continue;
        }
        ws[m++] = e;
    }
    const size_t at = key.size();
    key.resize(at + m * 4 + 3);
    char *out = key.data() + at;
    for (size_t i = 0; i < m; ++i) {
        *out++ = char(ws[i].primary >> 8);
        *out++ = char(ws[i].primary & 0xFF);
    }
    *out++ = '\0';
    *out++ = '\0';
    for (size_t i = 0; i < m; ++i)
        *out++ = char(ws[i].secondary);
    *out++ = '\0';
    for (size_t i = 0; i < m; ++i)
        *out++ = char(ws[i].tertiary);
}

int czechCompare(QStringView a, QStringView b)
{
    const std::string ka = czechSortKey(a);
    const std::string kb = czechSortKey(b);
    return ka < kb ? -1 : (kb < ka ? 1 : 0);
}

} // namespace velmora
