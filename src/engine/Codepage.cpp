#include "engine/Codepage.h"

#include "engine/CodepageTables.h"

namespace velmora {

Codepage::Codepage(int number, uint8_t driver, const char16_t *upper)
    : m_number(number), m_driver(driver), m_reverse(std::make_unique<std::array<uint8_t, 65536>>())
{
    for (int b = 0; b < 0x100; ++b)
        m_forward[size_t(b)] = b < 0x80 ? char16_t(b) : upper[b - 0x80];
    m_reverse->fill('?');
    for (int b = 0; b < 0x80; ++b)
        (*m_reverse)[b] = uint8_t(b);
    for (int b = 0x80; b < 0x100; ++b)
        if (upper[b - 0x80] != 0xFFFD)
            (*m_reverse)[upper[b - 0x80]] = uint8_t(b);
}

const Codepage &Codepage::cp1250()
{
    static const Codepage cp(1250, 0xC8, cp::kCP1250);
    return cp;
}

const Codepage &Codepage::forLanguageDriver(uint8_t driver)
{
    static const Codepage cp437(437, 0x01, cp::kCP437);
    static const Codepage cp850(850, 0x02, cp::kCP850);
    static const Codepage cp852(852, 0x64, cp::kCP852);
    static const Codepage cp866(866, 0x65, cp::kCP866);
    static const Codepage cp1251(1251, 0xC9, cp::kCP1251);
    static const Codepage cp1252(1252, 0x03, cp::kCP1252);
    switch (driver) {
    case 0x01:
    case 0x09:
    case 0x0B:
    case 0x0D:
    case 0x1B:
        return cp437;
    case 0x02:
    case 0x0A:
    case 0x0E:
    case 0x10:
    case 0x11:
    case 0x12:
    case 0x14:
    case 0x15:
    case 0x16:
    case 0x17:
    case 0x18:
    case 0x19:
    case 0x1A:
    case 0x1D:
    case 0x25:
    case 0x37:
        return cp850;
    case 0x1F:
    case 0x22:
    case 0x23:
    case 0x40:
    case 0x64:
    case 0x87:
        return cp852;
    case 0x26:
    case 0x65:
        return cp866;
    case 0x03:
    case 0x57:
    case 0x58:
    case 0x59:
        return cp1252;
    case 0xC9:
        return cp1251;
    default:
        return cp1250();
    }
}

const Codepage &Codepage::forDriverName(const QByteArray &name)
{
    const QByteArray n = name.toLower();
    if (n.contains("1250") || n.contains("czech") || n.contains("ancz"))
        return cp1250();
    if (n.contains("852") || n.contains("cz852"))
        return forLanguageDriver(0x64);
    if (n.contains("1251"))
        return forLanguageDriver(0xC9);
    if (n.contains("1252") || n.contains("winus") || n.contains("ansi"))
        return forLanguageDriver(0x03);
    if (n.contains("437") || n.contains("dbaseus"))
        return forLanguageDriver(0x01);
    if (n.contains("850"))
        return forLanguageDriver(0x02);
    if (n.contains("866"))
        return forLanguageDriver(0x65);
    return cp1250();
}

QString Codepage::decode(const char *data, int length) const
{
    if (length <= 0)
        return QString();
    QString out(length, Qt::Uninitialized);
    QChar *dst = out.data();
    for (int i = 0; i < length; ++i)
        dst[i] = QChar(decodeByte(uint8_t(data[i])));
    return out;
}

uint8_t Codepage::encodeChar(char16_t c) const
{
    return (*m_reverse)[c];
}

QByteArray Codepage::encode(QStringView text, int maxChars) const
{
    const qsizetype n = maxChars < 0 ? text.size() : std::min<qsizetype>(text.size(), maxChars);
    QByteArray out(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        out[i] = char(encodeChar(text[i].unicode()));
    return out;
}

} // namespace velmora
