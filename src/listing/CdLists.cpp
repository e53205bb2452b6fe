#include "listing/CdLists.h"

#include "catalogue/CdRules.h"
#include "engine/Table.h"
#include "writer/ReportText.h"
#include "writer/ReportWriter.h"
#include "writer/RtfDocument.h"

#include <QSet>
#include <algorithm>

namespace velmora {
namespace {

const QString kListTitle = QStringLiteral(" S E Z N A M    C D   T I T U L Ů");
const QString kTrackRow = QStringLiteral("  %-5s  %-55s %-7s");
const QString kLentRow = QStringLiteral("%-8s  %20s  %20s  %14s");
const QString kLentHeading =
    QStringLiteral("    Číslo:             Komu:           Od kdy:        Na dní?");
constexpr int kEntryRule = 79;
constexpr int kLentRule = 71;

// A line whose text is not the same in the two modes: the document's is
// escaped and ends its paragraph.
void twoTexts(ReportWriter &w, const QString &lineText, const QString &documentText)
{
    w.either(lineText, rtf::escape(documentText) + QStringLiteral("\\par"));
}

void writeTracks(ReportWriter &w, const std::vector<CdTrack> &tracks, int discs, bool external)
{
    QString number;
    const int points = external ? 10 : 11;
    for (int disc = 1; disc <= discs; ++disc) {
        // The list of another user's catalogue gives the empty line before
        // a disc's heading the heading's looks.
        if (external) {
            w.style(report::kBlue, points, true);
            w.blank();
        } else {
            w.blank();
            w.style(report::kBlue, points, true);
        }
        w.fragment(QStringLiteral("\\b\\cf2\\par"));
        w.line(QStringLiteral("  Skladby na CD") + QString::number(disc) + QLatin1Char(':'));
        w.style(report::kBlack, points, false);
        w.fragment(QStringLiteral("\\b0\\cf1"));
        const QString label = discLabel(disc);
        for (const CdTrack &t : tracks) {
            if (t.label != label)
                continue;
            // One buffer for the numbers of a few hundred thousand tracks.
            number.resize(0);
            number.append(report::NumberText(t.track));
            number.append(QLatin1Char('.'));
            w.line(report::format(kTrackRow, {number, t.title, trackLengthText(t.seconds)}));
        }
    }
}

void writeEntry(ReportWriter &w, CdListKind kind, const CdTitle &t,
                const std::vector<CdTrack> &tracks, int discs, const CdListOptions &o)
{
    const bool external = kind == CdListKind::External;
    const int points = external ? 12 : 11;
    w.style(report::kRed, points, true);
    w.fragment(QStringLiteral("\\b\\cf3\\b\\fs22"));
    w.line(QStringLiteral("  Číslo titulu: ") + t.number + QStringLiteral("   (CDs: ") +
           QString::number(discs) +
           (o.acquired ? QStringLiteral(") ... Pořízeno: ") + t.acquired : QStringLiteral(")")));

    w.style(report::kBlack, points, true);
    w.fragment(QStringLiteral("\\b\\cf1\\fs24"));
    twoTexts(w, QStringLiteral("  Název       : ") + t.title,
             QStringLiteral("  Název      : ") + t.title);

    if (external)
        w.style(report::kBlack, 10, false);
    else
        w.bold(false);
    w.fragment(QStringLiteral("\\b0\\cf1\\fs22"));
    const QString singer = QStringLiteral("  Nazpíval(a) : ") + t.artist;
    twoTexts(w, external ? QStringLiteral("   Nazpíval(a)   : ") + t.artist : singer, singer);
    if (o.format) {
        const QString format = QStringLiteral("  Formát tit. : ") + t.format;
        twoTexts(w, external ? QStringLiteral("   Formát tit.   : ") + t.format : format, format);
    }
    if (o.tracks)
        writeTracks(w, tracks, discs, external);
    if (o.note && !t.note.isEmpty()) {
        w.bold(false);
        w.blank(2);
        w.fragment(QStringLiteral("\\b0\\par\\par"));
        const QString note = QStringLiteral("  Poznámka k titulu: ") + t.note;
        // The list from a chosen title sets its document's note one further
        // in, the list of another user's catalogue its lines.
        twoTexts(w, external ? QLatin1Char(' ') + note : note,
                 kind == CdListKind::From ? QLatin1Char(' ') + note : note);
    }

    if (external) {
        // The empty line keeps the looks of the entry's last line, and no
        // empty line follows the rule.
        w.either(QString(), QStringLiteral("\\b0\\cf1\\fs20\\par"));
        w.style(report::kBlack, 10, false);
        w.rule(2, kEntryRule);
        w.fragment(QStringLiteral("\\par"));
        return;
    }
    w.style(report::kBlack, 10, false);
    w.either(QString(), QStringLiteral("\\b0\\cf1\\fs20\\par"));
    w.rule(2, kEntryRule);
    w.line();
}

} // namespace

int discCount(const QStringList &labels)
{
    return int(QSet<QString>(labels.begin(), labels.end()).size());
}

int discCount(const std::vector<CdTrack> &tracks)
{
    QSet<QString> labels;
    for (const CdTrack &t : tracks)
        labels.insert(t.label);
    return int(labels.size());
}

QString trackLengthText(int seconds)
{
    seconds = std::max(seconds, 0);
    const int minutes = seconds / 60 % 100;
    const int rest = seconds % 60;
    // Written in place: the list of every track asks for this 300,000 times.
    const char16_t text[] = {
        char16_t(u'0' + minutes / 10), char16_t(u'0' + minutes % 10), u'm', u' ',
        char16_t(u'0' + rest / 10),    char16_t(u'0' + rest % 10),    u's'};
    return QString(reinterpret_cast<const QChar *>(text), 7);
}

TitleTracks::TitleTracks(const Table &tracks)
    : m_table(tracks), m_columns(tracks), m_order(tracks.visibleRecords())
{
    // The tracks of one title stand together in the number order: one run
    // each. The runs are kept as lists all the same, so an order that
    // parted them would lose no track.
    const int n = int(m_order.size());
    QString previous;
    int begin = 0;
    for (int i = 0; i < n; ++i) {
        const QString number = tracks.asStringAt(m_order[size_t(i)], m_columns.number);
        if (i > 0 && number != previous) {
            m_runs[previous].emplace_back(begin, i);
            begin = i;
        }
        previous = number;
    }
    if (n > 0)
        m_runs[previous].emplace_back(begin, n);
}

const TitleTracks::Runs *TitleTracks::runsOf(const QString &number) const
{
    const auto it = m_runs.constFind(number);
    return it == m_runs.constEnd() ? nullptr : &it.value();
}

std::vector<CdTrack> TitleTracks::of(const QString &number) const
{
    std::vector<CdTrack> out;
    if (const Runs *runs = runsOf(number))
        for (const auto &[begin, end] : *runs)
            for (int i = begin; i < end; ++i)
                out.push_back(m_columns.readAt(m_table, m_order[size_t(i)]));
    return out;
}

QStringList TitleTracks::labelsOf(const QString &number) const
{
    QStringList out;
    if (const Runs *runs = runsOf(number))
        for (const auto &[begin, end] : *runs)
            for (int i = begin; i < end; ++i)
                out << trackLabel(m_table.asStringAt(m_order[size_t(i)], m_columns.label));
    return out;
}

std::vector<int> titlesFrom(const Table &titles, const QString &number)
{
    std::vector<int> records = titles.visibleRecords();
    const int field = CdTitleColumns(titles).number;
    const auto first = std::find_if(records.begin(), records.end(), [&](int rec) {
        return titles.asStringAt(rec, field) == number;
    });
    records.erase(records.begin(), first);
    return records;
}

void writeCdList(ReportWriter &w, CdListKind kind, Table &titles, const std::vector<int> &records,
                 const TitleTracks &tracks, const CdListOptions &options,
                 const TitleWritten &titleWritten)
{
    if (kind == CdListKind::All) {
        w.opening(rtf::kColourTableA, 2, 32);
        w.style(report::kBlue, 16, true);
        w.line(kListTitle);
        w.blank(2);
        w.fragment(QStringLiteral("\\cf1\\fs18\\par\\par\\par"));
    } else {
        // The list from a chosen title has no heading.
        w.opening(rtf::kColourTableA, 3, 24);
        w.fragment(QStringLiteral("\\cf1\\fs18"));
        w.fragment(QStringLiteral("\\b\\cf3\\fs24"));
    }

    writeCdEntries(w, kind, titles, records, tracks, options, titleWritten);

    w.style(report::kBlack, 10, false);
    w.fragment(QStringLiteral("\\b0\\cf1\\fs20"));
    w.closing(17, 17, 2);
}

void writeCdEntries(ReportWriter &w, CdListKind kind, Table &titles,
                    const std::vector<int> &records, const TitleTracks &tracks,
                    const CdListOptions &options, const TitleWritten &titleWritten,
                    const TracksCounted &tracksCounted)
{
    const CdTitleColumns c(titles);
    std::vector<CdTrack> titleTracks;
    for (const int rec : records) {
        titles.moveToRecord(rec);
        const CdTitle title = c.read(titles);
        if (titleWritten)
            titleWritten();
        int discs = 0;
        int counted = 0;
        if (options.tracks) {
            titleTracks = tracks.of(title.number);
            discs = discCount(titleTracks);
            counted = int(titleTracks.size());
        } else {
            const QStringList labels = tracks.labelsOf(title.number);
            discs = discCount(labels);
            counted = int(labels.size());
        }
        if (tracksCounted)
            tracksCounted(counted);
        writeEntry(w, kind, title, titleTracks, discs, options);
    }
}

void writeLentCdList(ReportWriter &w, Table &titles, const std::vector<int> &records)
{
    const CdTitleColumns c(titles);
    w.opening(rtf::kColourTableB, 3, 24);
    if (!records.empty()) {
        w.style(report::kBlue, 16, true);
        w.fragment(QStringLiteral("\\cf2\\b\\fs32"));
        twoTexts(w, QStringLiteral("   Z A P Ů J Č E N É   C D   T I T U L Y"),
                 QStringLiteral("   Z A P Ů J Č E N É    C D   T I T U L Y"));
        w.style(report::kRed, 12, true);
        w.blank(2);
        w.fragment(QStringLiteral("\\cf3\\b\\fs24\\par\\par"));
        w.line(kLentHeading);
        w.colour(report::kBlack);
        w.size(10);
        w.fragment(QStringLiteral("\\cf1\\fs20"));
        w.rule(5, kLentRule);
        w.style(report::kBlack, 10, true);
        for (const int rec : records) {
            titles.moveToRecord(rec);
            // The length as stored: an empty field stays empty.
            const QString row = report::format(
                kLentRow, {titles.asString(c.number), titles.asString(c.loan.borrower),
                           titles.asString(c.loan.since), titles.asString(c.loan.days)});
            w.fragment(QStringLiteral("\\cf1\\b\\fs20"));
            w.line(QStringLiteral("     ") + row);
        }
    } else {
        w.style(report::kRed, 11, true);
        w.fragment(QStringLiteral("\\par\\par"));
        twoTexts(w,
                 QStringLiteral("            K tištěnému datu nejsou evidované žádné zápujčky !!!"),
                 QStringLiteral("         K tištěnému datu nejsou evidované žádné zápujčky !"));
        w.fragment(QStringLiteral("\\cf1\\b0\\par\\par"));
    }

    w.blank();
    w.fragment(QStringLiteral("\\b0\\cf1\\fs20\\par"));
    // The document's rule ends with two paragraphs.
    const QString lentRule = report::rule(report::Mode::Line, 5, kLentRule);
    w.either(lentRule, lentRule + QStringLiteral("\\par\\par"));
    w.style(report::kBlack, 10, false);
    w.closing(9, 9, 5);
}

} // namespace velmora
