#include "musicbrainz/TrackFill.h"

#include "engine/Codepage.h"

#include <QHash>

namespace velmora::musicbrainz {

namespace {

bool held(char32_t c)
{
    if (c > 0xFFFF)
        return false;
    return c == U'?' || Codepage::cp1250().encodeChar(char16_t(c)) != uint8_t('?');
}

// Letters with no decomposition to a base letter, and the punctuation of
// other code pages, as cp1250 writes them.
const QHash<char32_t, QString> &nearest()
{
    static const QHash<char32_t, QString> table = {
        {U'ł', QStringLiteral("l")},      {U'Ł', QStringLiteral("L")},
        {U'đ', QStringLiteral("d")},      {U'Đ', QStringLiteral("D")},
        {U'ø', QStringLiteral("o")},      {U'Ø', QStringLiteral("O")},
        {U'æ', QStringLiteral("ae")},     {U'Æ', QStringLiteral("AE")},
        {U'œ', QStringLiteral("oe")},     {U'Œ', QStringLiteral("OE")},
        {U'ß', QStringLiteral("ss")},     {U'ħ', QStringLiteral("h")},
        {U'ı', QStringLiteral("i")},      {U'þ', QStringLiteral("th")},
        {U'Þ', QStringLiteral("Th")},     {U'ð', QStringLiteral("d")},
        {U'\u2010', QStringLiteral("-")}, {U'\u2011', QStringLiteral("-")},
        {U'\u2012', QStringLiteral("–")}, {U'\u2015', QStringLiteral("—")},
        {U'\u2032', QStringLiteral("'")}, {U'\u2033', QStringLiteral("\"")},
        {U'\u201F', QStringLiteral("“")}, {U'\u201B', QStringLiteral("‘")},
        {U'\u2212', QStringLiteral("-")}, {U'\u00D7', QStringLiteral("x")},
        {U'\u2044', QStringLiteral("/")}, {U'Ș', QStringLiteral("Ş")},
        {U'ș', QStringLiteral("ş")},      {U'Ț', QStringLiteral("Ţ")},
        {U'ț', QStringLiteral("ţ")},
    };
    return table;
}

bool invisible(char32_t c)
{
    return c == 0x200B || c == 0x200C || c == 0x200D || c == 0x2060 || c == 0xFEFF;
}

// A line break or a tab inside a field would break the row it is shown in.
bool breaksLine(char32_t c)
{
    return c < 0x20 || c == 0x7F || c == 0x2028 || c == 0x2029 || (c >= 0x80 && c < 0xA0);
}

// The closest text cp1250 holds for one character; empty when there is none.
QString closest(char32_t c)
{
    if (held(c))
        return QString(QChar(char16_t(c)));
    if (const auto it = nearest().constFind(c); it != nearest().constEnd())
        return held(it->at(0).unicode()) ? *it : QString();
    // The base letter of a canonical decomposition, step by step, so "ǖ"
    // stops at "ü" before it would fall to "u".
    char32_t base = c;
    for (int step = 0; step < 4; ++step) {
        if (QChar::decompositionTag(base) != QChar::Canonical)
            break;
        const QList<uint> d = QChar::decomposition(base).toUcs4();
        if (d.isEmpty())
            break;
        base = d.first();
        if (held(base))
            return QString::fromUcs4(&base, 1);
        if (const auto it = nearest().constFind(base); it != nearest().constEnd())
            return *it;
    }
    // Compatibility forms: ligatures, full-width letters, other spaces.
    const QString compat = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    QString out;
    for (const QChar ch : compat) {
        if (ch.isMark())
            continue;
        if (held(ch.unicode()))
            out += ch;
        else if (const auto it = nearest().constFind(ch.unicode()); it != nearest().constEnd())
            out += *it;
        else
            return QString();
    }
    return out == QString::fromUcs4(&c, 1) ? QString() : out;
}

} // namespace

QString closestCp1250(const QString &text, int width, int *replaced)
{
    QString out;
    std::vector<bool> stands; // per character of out: a '?' standing for one
    for (const uint point : text.toUcs4()) {
        const char32_t c = point;
        if (invisible(c))
            continue;
        QString near = breaksLine(c) ? QStringLiteral(" ") : closest(c);
        const bool none = near.isEmpty();
        if (none)
            near = QStringLiteral("?");
        out += near;
        stands.insert(stands.end(), size_t(near.size()), none);
    }
    // Trimmed, then cut to the field, then trimmed where the cut fell.
    qsizetype from = 0;
    while (from < out.size() && out.at(from).isSpace())
        ++from;
    qsizetype to = qMin(out.size(), from + qMax(0, width));
    while (to > from && out.at(to - 1).isSpace())
        --to;
    if (replaced) {
        *replaced = 0;
        for (qsizetype i = from; i < to; ++i)
            *replaced += stands[size_t(i)] ? 1 : 0;
    }
    return out.mid(from, to - from);
}

FilledDisc fillFrom(const Release &release, const Medium &medium)
{
    FilledDisc disc;
    int replaced = 0;
    disc.title = closestCp1250(release.title, kTitleWidth, &replaced);
    disc.replaced += replaced;
    disc.artist = closestCp1250(release.artist, kArtistWidth, &replaced);
    disc.replaced += replaced;
    int number = 0;
    for (const Track &t : medium.tracks) {
        FilledTrack row;
        row.number = ++number;
        row.title = closestCp1250(t.title, kTrackWidth, &replaced);
        disc.replaced += replaced;
        row.seconds = (qMax(0, t.lengthMs) + 500) / 1000;
        row.artist = closestCp1250(t.artist, kArtistWidth, &replaced);
        disc.replaced += replaced;
        disc.tracks.push_back(row);
    }
    return disc;
}

} // namespace velmora::musicbrainz
