#include "listing/CassetteLists.h"

#include "engine/Table.h"
#include "writer/ReportText.h"
#include "writer/ReportWriter.h"
#include "writer/RtfDocument.h"

#include <algorithm>

namespace velmora {
namespace {

const QString kFilmColumns = QStringLiteral("     %-30s  %-20s  %-8s  %-4s ");
const QString kNoteLead = QStringLiteral("     Poznámka ke kazetě: ");
constexpr int kRule = 71;

// The fragments around one cassette's block that the lists write
// differently in the document.
struct BlockMarkup
{
    QString head;       // before the cassette line
    QString beforeNote; // the empty line before the note
    QString tail;       // the empty line before the closing rule
};

void writeCassetteBlock(ReportWriter &w, const CassetteRecord &c, const BlockMarkup &m,
                        bool withNote)
{
    w.style(report::kBlue, 12, true);
    w.fragment(m.head);
    w.line(cassetteLine(c));
    w.style(report::kBlack, 10, false);
    w.fragment(QStringLiteral("\\b0\\cf1\\fs20"));
    for (const CassetteSlot &s : c.recordings)
        if (s.used())
            w.line(filmLine(s));
    if (withNote && !c.note.isEmpty()) {
        w.styledLine(m.beforeNote, QString());
        w.line(kNoteLead + c.note);
    }
    w.styledLine(m.tail, QString());
    w.rule(5, kRule);
    w.line();
}

// The spaced-out title, three empty lines and the red column heading over
// its rule, as the lists of every cassette and of the lent ones open.
void writeTitleAndHeading(ReportWriter &w, const QString &title, const QString &heading)
{
    w.style(report::kBlue, 16, true);
    w.fragment(QStringLiteral("\\cf2\\b\\fs32"));
    w.either(title + QLatin1Char(' '), title + QStringLiteral("\\par"));
    w.colour(report::kRed);
    w.size(10);
    w.blank(3);
    w.fragment(QStringLiteral("\\cf3\\b\\fs20\\par\\par"));
    w.line(heading);
    w.fragment(QStringLiteral("\\cf1\\fs20"));
    w.rule(5, kRule);
}

void walk(const Table &cassettes, const CassetteColumns &columns, bool withDetails,
          const std::vector<int> &records, size_t from,
          const std::function<void(const CassetteRecord &)> &each, const CassetteVisited &visited)
{
    for (size_t i = from; i < records.size(); ++i) {
        each(readListedCassette(cassettes, columns, records[i], withDetails));
        if (visited)
            visited();
    }
}

} // namespace

CassetteRecord readListedCassette(const Table &t, const CassetteColumns &c, int rec,
                                  bool withDetails)
{
    CassetteRecord r;
    r.number = t.asStringAt(rec, c.number);
    r.type = t.asStringAt(rec, c.type);
    r.note = t.asStringAt(rec, c.note);
    r.loan.lent = c.loan.lentAt(t, rec);
    if (r.loan.lent) {
        r.loan.borrower = t.asStringAt(rec, c.loan.borrower);
        r.loan.since = t.asStringAt(rec, c.loan.since);
    }
    for (int n = 0; n < kCassetteSlots; ++n) {
        const CassetteColumns::Slot &f = c.recordings[size_t(n)];
        CassetteSlot &s = r.recordings[size_t(n)];
        s.title = t.asStringAt(rec, f.title);
        s.genre = t.asStringAt(rec, f.genre);
        s.speed = t.asStringAt(rec, f.speed);
        s.length = t.asStringAt(rec, f.length).trimmed().toInt();
        if (withDetails) {
            s.source = t.asStringAt(rec, f.source);
            s.date = QDate::fromString(t.asStringAt(rec, f.date), QStringLiteral("dd.MM.yyyy"));
            if (s.used())
                s.note = t.asStringAt(rec, f.note);
        }
    }
    return r;
}

QString cassetteLine(const CassetteRecord &c)
{
    return QStringLiteral("    Kazeta: ") + c.number + QStringLiteral("   (") + c.type +
           QLatin1Char(')');
}

QString filmLine(const CassetteSlot &s)
{
    return report::format(kFilmColumns, {s.title, s.genre, s.speed, report::timeText(s.length)});
}

void writeAllCassettes(ReportWriter &w, const Table &cassettes, const CassetteVisited &visited)
{
    const QString title = QStringLiteral("   S E Z N A M    V I D E O K A Z E T");
    w.opening(rtf::kColourTableA, 3, 24);
    writeTitleAndHeading(
        w, title,
        QStringLiteral(
            "     Film:                           Žánr filmu:           Sys.:     Čas:"));
    w.line();

    const CassetteColumns c(cassettes);
    const BlockMarkup markup{QStringLiteral("\\b\\cf2\\b\\fs24"), QStringLiteral("\\b0"),
                             QStringLiteral("\\b0\\cf1\\fs20")};
    walk(
        cassettes, c, false, cassettes.visibleRecords(), 0,
        [&](const CassetteRecord &r) { writeCassetteBlock(w, r, markup, true); }, visited);

    writeBlackBreak(w, 2, QStringLiteral("\\b0\\cf1\\fs18"));
    w.closing(9, 19);
}

void writeLentCassettes(ReportWriter &w, const Table &cassettes, const CassetteVisited &visited)
{
    const QString title = QStringLiteral("   Z A P Ů J Č E N É    V I D E O K A Z E T Y");
    w.opening(rtf::kColourTableB, 3, 24);
    const CassetteColumns c(cassettes);
    const std::vector<int> records = cassettes.visibleRecords();
    if (!records.empty()) {
        writeTitleAndHeading(
            w, title,
            QStringLiteral(
                "     Kazeta:             Komu:                                    Od kdy:"));
        w.blank();
        w.style(report::kBlack, 10, false);
        walk(
            cassettes, c, false, records, 0,
            [&](const CassetteRecord &r) {
                w.fragment(QStringLiteral("\\cf1\\b0\\fs20"));
                w.line(QStringLiteral("     Kazeta: ") +
                       report::format(QStringLiteral("%-10s  %-39s  %-15s"),
                                      {r.number, r.loan.borrower, r.loan.since}));
            },
            visited);
    } else {
        w.style(report::kRed, 11, true);
        w.fragment(QStringLiteral("\\par\\par"));
        w.either(
            QStringLiteral("            K tištěnému datu nejsou evidované žádné zápujčky !!!"),
            QStringLiteral("         K tištěnému datu nejsou evidované žádné zápujčky !\\par"));
        w.style(report::kBlack, 10, false);
        w.fragment(QStringLiteral("\\cf1\\b0\\par\\par"));
    }
    writeBlackBreak(w, 2, QStringLiteral("\\b0\\cf1\\fs20\\par"));
    w.rule(5, kRule);
    w.fragment(QStringLiteral("\\fs18"));
    w.closing(9, 19);
}

void writeFilmsAtSpeed(ReportWriter &w, const Table &cassettes, const QString &speed,
                       const CassetteVisited &visited)
{
    const QString title =
        QStringLiteral("   S E Z N A M   F I L M Ů   V   \"") + speed + QLatin1Char('"');
    w.opening(rtf::kColourTableB, 2, 32);
    w.style(report::kBlue, 16, true);
    w.line(title);
    writeRedHeading(
        w, 3, QStringLiteral("\\par"),
        QStringLiteral(
            "     Kazeta:   Film:                               Žánr filmu:            Čas:"),
        75);
    w.line();

    const CassetteColumns c(cassettes);
    const QString columns = QStringLiteral("     %-5s     %-30s      %-15s        %-8s");
    walk(
        cassettes, c, false, cassettes.visibleRecords(), 0,
        [&](const CassetteRecord &r) {
            w.style(report::kBlack, 10, false);
            w.fragment(QStringLiteral("\\b0\\cf1\\fs20"));
            for (const CassetteSlot &s : r.recordings)
                if (s.speed == speed)
                    w.line(report::format(
                        columns, {r.number, s.title, s.genre, report::timeText(s.length)}));
        },
        visited);

    writeBlackBreak(w, 2, QStringLiteral("\\cf1\\fs20\\b0\\par"));
    w.rule(5, 75);
    w.fragment(QStringLiteral("\\fs18"));
    w.closing(13, 23);
}

void writeInfoCassettes(ReportWriter &w, const Table &cassettes, InfoChoice choice,
                        const InfoMarkup &markup, const CassetteVisited &visited)
{
    const CassetteColumns c(cassettes);
    const bool details = choice.datesAndSources || choice.filmNotes;
    walk(
        cassettes, c, details, cassettes.visibleRecords(), 0,
        [&](const CassetteRecord &r) {
            w.style(report::kBlue, 12, true);
            w.fragment(QStringLiteral("\\b\\cf2\\fs24\\par"));
            w.line(cassetteLine(r));
            w.style(report::kBlack, 10, false);
            if (!markup.beforeSlots.isEmpty())
                w.fragment(markup.beforeSlots);
            for (const CassetteSlot &s : r.recordings) {
                if (!s.used())
                    continue;
                w.fragment(QStringLiteral("\\b0\\cf1\\fs20"));
                w.line(filmLine(s));
                if (choice.datesAndSources)
                    w.line(report::format(
                        QStringLiteral("     %-30s  %-20s  "),
                        {QStringLiteral("Pořízeno a zdroj: ") +
                             (s.date.isValid() ? s.date.toString(QStringLiteral("dd.MM.yyyy"))
                                               : QString()),
                         s.source}));
                if (choice.filmNotes && !s.note.isEmpty())
                    w.line(QStringLiteral("     Poznámka k filmu: ") + s.note);
            }
            if (choice.cassetteNotes && !r.note.isEmpty()) {
                w.styledLine(markup.beforeNote, QString());
                w.line(kNoteLead + r.note);
            }
            w.line();
            w.rule(5, kRule);
            w.blank();
        },
        visited);
}

void writeCassettesWithInfo(ReportWriter &w, const Table &cassettes, InfoChoice choice,
                            const CassetteVisited &visited)
{
    w.opening(rtf::kColourTableB, 2, 32);
    w.style(report::kBlue, 16, true);
    w.line(QStringLiteral("   S E Z N A M    V I D E O K A Z E T   +   INFO"));
    writeRedHeading(
        w, 2, QStringLiteral("\\par\\par"),
        QStringLiteral("     Kazeta:                         Žánr filmu:           Sys.:     Čas:"),
        kRule);
    w.blank();

    writeInfoCassettes(w, cassettes, choice, {QStringLiteral("\\b0\\cf1\\fs20"), QString()},
                       visited);

    writeBlackBreak(w, 1, QStringLiteral("\\cf1\\fs18\\b0\\par\\par"));
    w.closing(9, 19);
}

void writeBlackBreak(ReportWriter &w, int blanks, const QString &markup)
{
    w.colour(report::kBlack);
    w.size(10);
    w.blank(blanks);
    w.fragment(markup);
}

void writeRedHeading(ReportWriter &w, int blanks, const QString &breaks, const QString &heading,
                     int ruleWidth)
{
    w.colour(report::kRed);
    w.size(10);
    w.blank(blanks);
    w.fragment(QStringLiteral("\\cf3\\fs20") + breaks);
    w.fragment(QStringLiteral("\\b\\par"));
    w.line(heading);
    w.fragment(QStringLiteral("\\cf1"));
    w.rule(5, ruleWidth);
}

void writeCassettesFrom(ReportWriter &w, const Table &cassettes, const QString &number,
                        const CassetteVisited &visited)
{
    w.opening(rtf::kColourTableC, 2, 22);
    const CassetteColumns c(cassettes);
    const std::vector<int> records = cassettes.visibleRecords();
    const auto start = std::find_if(records.begin(), records.end(), [&](int rec) {
        return cassettes.asStringAt(rec, c.number) == number;
    });
    // A number that is gone leaves the walk at the first cassette.
    const size_t from = start == records.end() ? 0 : size_t(start - records.begin());
    const BlockMarkup markup{QStringLiteral("\\b\\cf2\\fs24"), QString(), QString()};
    walk(
        cassettes, c, false, records, from,
        [&](const CassetteRecord &r) { writeCassetteBlock(w, r, markup, true); }, visited);

    w.style(report::kBlack, 10, false);
    w.fragment(QStringLiteral("\\b0\\fs18\\cf1\\par"));
    w.closing(10, 18);
}

} // namespace velmora
