#include "finding/FoundList.h"

#include "engine/Codepage.h"
#include "writer/ReportWriter.h"

#include <array>

namespace velmora {

const QByteArray kSearchColours =
    QByteArrayLiteral("{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}");

QString criteriaField(const QString &criteria, int k)
{
    const QStringList parts = criteria.split(QLatin1Char('|'));
    return k >= 1 && k <= parts.size() ? parts.at(k - 1) : QString();
}

namespace {

// Every letter of the catalogue's code page that has a capital there: a
// Czech catalogue is searched for "šakalí" as often as for "Šakalí".
// A character outside the code page, or whose capital is not in it (µ, ß),
// stays as it is.
const std::array<char16_t, 65536> &upperTable()
{
    static const std::array<char16_t, 65536> table = [] {
        std::array<char16_t, 65536> t{};
        for (int c = 0; c < 65536; ++c)
            t[size_t(c)] = char16_t(c);
        const Codepage &cp = Codepage::cp1250();
        for (int b = 0; b < 256; ++b) {
            const char16_t small = cp.decodeByte(uint8_t(b));
            const char16_t capital = QChar(small).toUpper().unicode();
            if (capital != small && cp.decodeByte(cp.encodeChar(capital)) == capital)
                t[small] = capital;
        }
        return t;
    }();
    return table;
}

} // namespace

QString upperCp1250(const QString &text)
{
    const std::array<char16_t, 65536> &upper = upperTable();
    QString out = text;
    for (QChar &c : out)
        c = QChar(upper[c.unicode()]);
    return out;
}

bool containsUpperCp1250(QStringView text, QStringView upperNeedle)
{
    const qsizetype n = text.size(), m = upperNeedle.size();
    if (m == 0)
        return true;
    const std::array<char16_t, 65536> &upper = upperTable();
    const char16_t *t = reinterpret_cast<const char16_t *>(text.data());
    const char16_t *k = reinterpret_cast<const char16_t *>(upperNeedle.data());
    for (qsizetype i = 0; i + m <= n; ++i) {
        if (upper[t[i]] != k[0])
            continue;
        qsizetype j = 1;
        while (j < m && upper[t[i + j]] == k[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

bool FoundCollector::add(const QString &number)
{
    if (m_list.items > 0 && number == m_previous)
        return false;
    m_previous = number;
    ++m_list.items;
    if (m_list.numbers.size() < kFoundListLimit)
        m_list.numbers << number;
    else
        m_list.cut = true;
    return true;
}

void writeSearchResults(ReportWriter &w, const QString &notFound, int count,
                        const std::function<QString(int)> &lineAt,
                        const std::function<void(int)> &progress, const SearchPaneStyle &style)
{
    // The document's opening paragraph is the first empty line.
    w.opening(kSearchColours, 2, 20, true);
    w.colour(report::kRed);
    w.bold(true);
    if (style.headSize > 0)
        w.size(style.headSize);
    w.blank();
    // The document keeps a blank before its paragraph ends.
    w.either(QStringLiteral(" Report hledání:"), QStringLiteral(" Report hledání: \\par"));
    w.colour(report::kBlack);
    w.bold(false);
    w.styledLine(QStringLiteral("\\b0\\cf1\\fs20"), QString());
    if (count == 0)
        w.either(notFound, notFound + QStringLiteral(" \\par"));
    for (int k = 0; k < count; ++k) {
        if (!style.lineMarkup.isEmpty())
            w.fragment(style.lineMarkup);
        w.line(lineAt(k));
        if (progress)
            progress(k + 1);
    }
}

} // namespace velmora
