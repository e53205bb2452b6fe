#include "writer/RtfDocument.h"

#include "engine/Codepage.h"

#include <algorithm>

namespace velmora::rtf {

namespace {

bool special(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}');
}

} // namespace

QString escape(const QString &value)
{
    if (std::none_of(value.cbegin(), value.cend(), special))
        return value;
    QString out;
    out.reserve(value.size() + 8);
    for (const QChar c : value) {
        if (special(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

QString value(const QString &stored)
{
    qsizetype end = stored.size();
    while (end > 0 && stored[end - 1] == QLatin1Char(' '))
        --end;
    return escape(stored.left(end));
}

void Document::header(const QByteArray &colourTable, const QString &opening)
{
    m_bytes += kFontTable;
    m_bytes += "\r\n";
    m_bytes += colourTable;
    m_bytes += "\r\n";
    add(opening);
}

void Document::add(const QString &fragment)
{
    encode(fragment);
    m_bytes += "\r\n";
}

void Document::addWithoutLineEnd(const QString &fragment)
{
    encode(fragment);
}

void Document::close()
{
    m_bytes += '}';
}

void Document::encode(const QString &fragment)
{
    const Codepage &cp = Codepage::cp1250();
    // One byte per character, written in place; only characters that the
    // code page lacks take the longer way.
    const qsizetype start = m_bytes.size();
    m_bytes.resize(start + fragment.size());
    char *out = m_bytes.data() + start;
    qsizetype i = 0;
    const qsizetype n = fragment.size();
    for (; i < n; ++i) {
        const char16_t u = fragment[i].unicode();
        if (u < 0x80) {
            *out++ = char(u);
            continue;
        }
        const uint8_t b = cp.encodeChar(u);
        if (b == '?')
            break;
        *out++ = char(b);
    }
    if (i == n)
        return;
    m_bytes.truncate(out - m_bytes.constData());
    for (; i < n; ++i) {
        const char16_t u = fragment[i].unicode();
        const uint8_t b = u < 0x80 ? uint8_t(u) : cp.encodeChar(u);
        if (b != '?' || u == u'?') {
            m_bytes += char(b);
        } else {
            // \uc1 of the header: one replacement character follows.
            m_bytes += "\\u";
            m_bytes += QByteArray::number(int(int16_t(u)));
            m_bytes += '?';
        }
    }
}

} // namespace velmora::rtf
