#include "engine/FieldCodec.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace velmora::codec {
namespace {

const char *fieldBytes(const FieldInfo &f, const char *rec)
{
    return rec + f.offset;
}

int trimmedLength(const char *p, int n)
{
    while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0'))
        --n;
    return n;
}

uint32_t be32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return (uint32_t(u[0]) << 24) | (uint32_t(u[1]) << 16) | (uint32_t(u[2]) << 8) | u[3];
}

void putBe32(char *p, uint32_t v)
{
    p[0] = char(v >> 24);
    p[1] = char(v >> 16);
    p[2] = char(v >> 8);
    p[3] = char(v);
}

bool allZero(const char *p, int n)
{
    for (int i = 0; i < n; ++i)
        if (p[i] != 0)
            return false;
    return true;
}

// Level-7 doubles are big-endian with the sign bit flipped for positive
// values and every bit inverted for negative ones, so they sort as bytes.
std::optional<double> sortableDouble(const char *p)
{
    if (allZero(p, 8))
        return std::nullopt;
    uint64_t bits = (uint64_t(be32(p)) << 32) | be32(p + 4);
    if (bits & 0x8000000000000000ull)
        bits &= ~0x8000000000000000ull;
    else
        bits = ~bits;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (!std::isfinite(d))
        return std::nullopt;
    return d;
}

void putSortableDouble(char *p, double d)
{
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    if (bits & 0x8000000000000000ull)
        bits = ~bits;
    else
        bits |= 0x8000000000000000ull;
    putBe32(p, uint32_t(bits >> 32));
    putBe32(p + 4, uint32_t(bits));
}

// Milliseconds of a level-7 timestamp count from 1 January of year 1,
// with that day numbered 1.
const QDate kTimestampEpoch(1, 1, 1);
constexpr double kDayMs = 86400000.0;

bool parseDigits(const char *p, int n, int &out)
{
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return false;
        v = v * 10 + (p[i] - '0');
    }
    out = v;
    return true;
}

// Right-aligned digits; a number too wide for its field is stored as
// asterisks (read back as empty) rather than with its leading digits cut.
void fillRight(char *dst, int width, const QByteArray &s)
{
    if (s.size() > width) {
        std::memset(dst, '*', size_t(width));
        return;
    }
    std::memset(dst, ' ', size_t(width));
    std::memcpy(dst + (width - s.size()), s.constData(), size_t(s.size()));
}

} // namespace

QByteArray rawText(const FieldInfo &f, const char *rec)
{
    return rawView(f, rec).toByteArray();
}

QByteArrayView rawView(const FieldInfo &f, const char *rec)
{
    const char *p = fieldBytes(f, rec);
    return QByteArrayView(p, trimmedLength(p, f.length));
}

QString text(const FieldInfo &f, const char *rec, const Codepage &cp)
{
    const char *p = fieldBytes(f, rec);
    return cp.decode(p, trimmedLength(p, f.length));
}

// Whole numbers written as blanks, an optional sign and up to 18 digits, as
// most N fields hold; read without building a string, since scans read many.
std::optional<qint64> plainInteger(const char *p, int n)
{
    int i = 0;
    // Numbers stand right-aligned in wide fields: skip the blanks in eights.
    constexpr uint64_t kBlanks = 0x2020202020202020ull;
    while (i + 8 <= n) {
        uint64_t eight;
        std::memcpy(&eight, p + i, 8);
        if (eight != kBlanks)
            break;
        i += 8;
    }
    while (i < n && p[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (p[i] == '-' || p[i] == '+'))
        negative = p[i++] == '-';
    const int digitsFrom = i;
    qint64 v = 0;
    while (i < n && p[i] >= '0' && p[i] <= '9' && i - digitsFrom < 18)
        v = v * 10 + (p[i++] - '0');
    if (i == digitsFrom)
        return std::nullopt;
    while (i < n && p[i] == ' ')
        ++i;
    if (i != n)
        return std::nullopt;
    return negative ? -v : v;
}

std::optional<qint64> integer(const FieldInfo &f, const char *rec)
{
    const char *p = fieldBytes(f, rec);
    switch (f.type) {
    case 'I':
    case '+':
        if (f.length != 4 || allZero(p, 4))
            return std::nullopt;
        return qint64(int32_t(be32(p) ^ 0x80000000u));
    case 'O':
    case 'F':
    case 'N': {
        if (f.type != 'O')
            if (const auto v = plainInteger(p, f.length))
                return v;
        const auto d = number(f, rec);
        if (!d || std::fabs(*d) > 9.2e18)
            return std::nullopt;
        return qint64(std::llround(*d));
    }
    case 'L': {
        const auto b = boolean(f, rec);
        if (!b)
            return std::nullopt;
        return *b ? 1 : 0;
    }
    default: {
        bool ok = false;
        const qint64 v = rawText(f, rec).trimmed().toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        return v;
    }
    }
}

int integerOrZero(const FieldInfo &f, const char *rec)
{
    const auto v = integer(f, rec);
    return v && *v <= INT_MAX && *v >= INT_MIN ? int(*v) : 0;
}

std::optional<double> number(const FieldInfo &f, const char *rec)
{
    const char *p = fieldBytes(f, rec);
    if (f.type == 'O')
        return f.length == 8 ? sortableDouble(p) : std::nullopt;
    if (f.type == 'I' || f.type == '+') {
        const auto i = integer(f, rec);
        if (!i)
            return std::nullopt;
        return double(*i);
    }
    if (const auto v = plainInteger(p, f.length))
        return double(*v);
    // Text digits, as N and F fields hold them; some writers use a comma.
    QByteArray s = QByteArray(p, f.length).trimmed();
    if (s.isEmpty())
        return std::nullopt;
    s.replace(',', '.');
    bool ok = false;
    const double d = s.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

QDate date(const FieldInfo &f, const char *rec)
{
    if (f.type == '@' || f.type == 'T')
        return dateTime(f, rec).date();
    const char *p = fieldBytes(f, rec);
    if (f.length < 8)
        return QDate();
    int y, m, d;
    if (!parseDigits(p, 4, y) || !parseDigits(p + 4, 2, m) || !parseDigits(p + 6, 2, d))
        return QDate();
    return QDate(y, m, d); // invalid for impossible dates
}

std::optional<bool> boolean(const FieldInfo &f, const char *rec)
{
    const char c = fieldBytes(f, rec)[0];
    switch (c) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
        return true;
    case 'F':
    case 'f':
    case 'N':
    case 'n':
        return false;
    default:
        return std::nullopt;
    }
}

QDateTime dateTime(const FieldInfo &f, const char *rec)
{
    const char *p = fieldBytes(f, rec);
    if (f.type == '@') {
        if (f.length != 8)
            return QDateTime();
        const auto ms = sortableDouble(p);
        if (!ms || *ms < kDayMs || *ms > 4.0e14)
            return QDateTime();
        const qint64 total = qint64(*ms);
        const qint64 days = total / qint64(kDayMs);
        const qint64 rest = total % qint64(kDayMs);
        const QDate d = kTimestampEpoch.addDays(days - 1);
        return QDateTime(d, QTime(0, 0).addMSecs(int(rest)));
    }
    if (f.type == 'D') {
        const QDate d = date(f, rec);
        return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
    }
    // Date and time kept as text yyyyMMddhhmmss.
    if (f.length < 14)
        return QDateTime();
    int y, mo, d, h, mi, s;
    if (!parseDigits(p, 4, y) || !parseDigits(p + 4, 2, mo) || !parseDigits(p + 6, 2, d) ||
        !parseDigits(p + 8, 2, h) || !parseDigits(p + 10, 2, mi) || !parseDigits(p + 12, 2, s))
        return QDateTime();
    const QDate date(y, mo, d);
    const QTime time(h, mi, s);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time);
}

qint64 memoBlock(const FieldInfo &f, const char *rec)
{
    const char *p = fieldBytes(f, rec);
    if (f.length == 4) { // some writers keep a binary block number
        const auto *u = reinterpret_cast<const unsigned char *>(p);
        return qint64(u[0]) | (qint64(u[1]) << 8) | (qint64(u[2]) << 16) | (qint64(u[3]) << 24);
    }
    int blanks = 0;
    while (blanks < f.length && p[blanks] == ' ')
        ++blanks;
    if (blanks == f.length)
        return 0;
    if (const auto v = plainInteger(p, f.length))
        return *v > 0 ? *v : 0;
    const QByteArray s = QByteArray(p, f.length).trimmed();
    if (s.isEmpty() || s.size() > 10)
        return 0;
    bool ok = false;
    const qint64 v = s.toLongLong(&ok);
    return ok && v > 0 ? v : 0;
}

void putText(const FieldInfo &f, char *rec, const QString &v, const Codepage &cp)
{
    char *p = rec + f.offset;
    const QByteArray bytes = cp.encode(v, f.length);
    std::memset(p, ' ', size_t(f.length));
    std::memcpy(p, bytes.constData(), size_t(bytes.size()));
}

void putInteger(const FieldInfo &f, char *rec, qint64 v)
{
    char *p = rec + f.offset;
    switch (f.type) {
    case 'I':
    case '+':
        putBe32(p, uint32_t(int32_t(v)) ^ 0x80000000u);
        return;
    case 'O':
        putSortableDouble(p, double(v));
        return;
    case 'L':
        putBoolean(f, rec, v != 0);
        return;
    default:
        fillRight(p, f.length, QByteArray::number(v));
    }
}

void putNumber(const FieldInfo &f, char *rec, double v)
{
    char *p = rec + f.offset;
    if (f.type == 'O') {
        putSortableDouble(p, v);
        return;
    }
    if (f.type == 'I' || f.type == '+' || f.decimals == 0) {
        putInteger(f, rec, std::llround(v));
        return;
    }
    fillRight(p, f.length, QByteArray::number(v, 'f', f.decimals));
}

void putDate(const FieldInfo &f, char *rec, const QDate &v)
{
    if (f.type == '@' || (f.type == 'C' && f.length == 14)) {
        putDateTime(f, rec, v.isValid() ? QDateTime(v, QTime(0, 0)) : QDateTime());
        return;
    }
    char *p = rec + f.offset;
    std::memset(p, ' ', size_t(f.length));
    if (v.isValid() && v.year() > 0 && v.year() <= 9999) {
        const QByteArray s = v.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        std::memcpy(p, s.constData(), size_t(std::min<qsizetype>(s.size(), f.length)));
    }
}

void putBoolean(const FieldInfo &f, char *rec, bool v)
{
    char *p = rec + f.offset;
    std::memset(p, ' ', size_t(f.length));
    p[0] = v ? 'T' : 'F';
}

void putDateTime(const FieldInfo &f, char *rec, const QDateTime &v)
{
    char *p = rec + f.offset;
    if (f.type == '@') {
        if (!v.isValid()) {
            std::memset(p, 0, 8);
            return;
        }
        const qint64 days = kTimestampEpoch.daysTo(v.date()) + 1;
        const double ms = double(days) * kDayMs + double(v.time().msecsSinceStartOfDay());
        putSortableDouble(p, ms);
        return;
    }
    if (f.type == 'D') {
        putDate(f, rec, v.date());
        return;
    }
    std::memset(p, ' ', size_t(f.length));
    if (v.isValid() && v.date().year() > 0 && v.date().year() <= 9999) {
        const QByteArray s = v.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
        std::memcpy(p, s.constData(), size_t(std::min<qsizetype>(s.size(), f.length)));
    }
}

void putMemoBlock(const FieldInfo &f, char *rec, qint64 block)
{
    char *p = rec + f.offset;
    if (block <= 0) {
        std::memset(p, ' ', size_t(f.length));
        return;
    }
    fillRight(p, f.length, QByteArray::number(block));
}

void clear(const FieldInfo &f, char *rec)
{
    char *p = rec + f.offset;
    const bool binary = f.type == 'I' || f.type == '+' || f.type == '@' || f.type == 'O';
    std::memset(p, binary ? 0 : ' ', size_t(f.length));
}

} // namespace velmora::codec
