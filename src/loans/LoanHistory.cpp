#include "loans/LoanHistory.h"

#include "engine/Table.h"
#include "writer/ReportText.h"
#include "writer/ReportWriter.h"
#include "writer/RtfDocument.h"

#include <QSet>
#include <algorithm>

namespace velmora {
namespace {

// Black, red, blue: \cf1, \cf2 and \cf3 of the history documents.
const QByteArray kHistoryColours = QByteArrayLiteral(
    "{\\colortbl ;\\red0\\green0\\blue0;\\red0255\\green0\\blue0;\\red0\\green0\\blue0255;}");
const QString kLine = QStringLiteral("     %-15s  %16s           %-30s ");
constexpr int kRuleSpaces = 5;
constexpr int kRuleHyphens = 76;
constexpr int kDateRun = 14;

QString opening(int size)
{
    return QStringLiteral("\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs%1\\par").arg(size);
}

QString itemTitle(ItemKind kind, const QString &number)
{
    return (kind == ItemKind::Cd ? QStringLiteral("   S T A T I S T I K A   C D :   ")
                                 : QStringLiteral("   S T A T I S T I K A   K A Z E T Y  :   ")) +
           number;
}

void writeLines(ReportWriter &w, const std::vector<ArchiveRow> &loans, bool byPerson)
{
    for (const ArchiveRow &r : loans)
        w.line(historyLine(byPerson ? r.number : r.borrower, r.since, r.note));
}

// The end of both histories: the dashed line, the date and the maker.
void writeFooter(ReportWriter &w)
{
    w.rule(kRuleSpaces, kRuleHyphens);
    w.bold(false);
    w.closing(kDateRun, kDateRun, kRuleSpaces);
}

} // namespace

QStringList distinctNumbers(const std::vector<ArchiveRow> &rows)
{
    // Far fewer items than loans: each number once, then sorted.
    QSet<QString> seen;
    for (const ArchiveRow &r : rows)
        seen.insert(r.number);
    QStringList numbers(seen.begin(), seen.end());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::vector<ArchiveRow> loansOfItem(const std::vector<ArchiveRow> &rows, const QString &number)
{
    std::vector<ArchiveRow> out;
    for (const ArchiveRow &r : rows)
        if (r.number == number)
            out.push_back(r);
    return out;
}

std::vector<ArchiveRow> loansOfPerson(const std::vector<ArchiveRow> &rows, const QString &name)
{
    std::vector<ArchiveRow> out;
    for (const ArchiveRow &r : rows)
        if (r.borrower == name)
            out.push_back(r);
    std::stable_sort(out.begin(), out.end(),
                     [](const ArchiveRow &a, const ArchiveRow &b) { return a.number < b.number; });
    return out;
}

QString historyLine(const QString &key, const QString &since, const QString &note)
{
    return report::format(kLine, {key, since, note});
}

void writeItemHistory(ReportWriter &w, ItemKind kind, const QString &number, const QString &cdTitle,
                      const std::vector<ArchiveRow> &loans)
{
    const bool cd = kind == ItemKind::Cd;
    w.header(kHistoryColours, opening(32));
    w.blank();
    w.style(report::kBlue, 16, true);
    w.styledLine(QString(), itemTitle(kind, number));
    if (cd) {
        w.blank();
        w.style(report::kBlack, 10, true);
        w.fragment(QStringLiteral("\\cf1\\b\\fs20\\par"));
        w.line(QStringLiteral("     Titul CD: ") + cdTitle);
        w.blank(2);
        w.fragment(QStringLiteral("\\cf2\\b\\fs20\\par\\par"));
    } else {
        w.blank(2);
        w.fragment(QStringLiteral("\\par"));
        w.fragment(QStringLiteral("\\cf2\\fs20\\par"));
    }
    w.style(report::kRed, 10, true);
    w.line(cd ? QStringLiteral("     Půjčeno osobě:        Datum půjčení:        Datum vrácení:")
              : QStringLiteral("     Půjčena osobě:        Datum půjčení:        Datum vrácení:"));
    w.fragment(QStringLiteral("\\cf1"));
    w.rule(kRuleSpaces, kRuleHyphens);
    w.style(report::kBlack, 10, false);
    w.blank();
    w.fragment(QStringLiteral("\\cf1\\par"));
    w.bold(true);
    writeLines(w, loans, false);
    w.bold(false);
    w.blank();
    w.fragment(QStringLiteral("\\b0\\par"));
    writeFooter(w);
}

void writePersonHistory(ReportWriter &w, ItemKind kind, const QString &name,
                        const std::vector<ArchiveRow> &loans)
{
    w.header(kHistoryColours, opening(32));
    w.blank();
    w.style(report::kBlue, 16, true);
    w.line(QStringLiteral("   Z A P Ů J Č E N Y :   ") + name);
    w.blank(2);
    w.fragment(QStringLiteral("\\par"));
    w.fragment(QStringLiteral("\\cf2\\fs20\\par"));
    w.style(report::kRed, 10, true);
    w.line(kind == ItemKind::Cd
               ? QStringLiteral("     Číslo CD:             Datum půjčení:        Datum vrácení:")
               : QStringLiteral("     Číslo kazety:         Datum půjčení:        Datum vrácení:"));
    w.colour(report::kBlack);
    w.fragment(QStringLiteral("\\cf1\\fs20"));
    w.rule(kRuleSpaces, kRuleHyphens);
    w.blank();
    w.fragment(QStringLiteral("\\cf1\\par"));
    writeLines(w, loans, true);
    w.blank();
    w.fragment(QStringLiteral("\\b0\\par"));
    writeFooter(w);
}

CassetteFilms::CassetteFilms(const QString &path) : m_path(path) {}
CassetteFilms::~CassetteFilms() = default;

void CassetteFilms::openOnce()
{
    if (isOpen())
        return;
    m_records.clear();
    m_table = std::make_unique<Table>();
    m_table->setPath(m_path);
    m_table->open(Table::Mode::ReadOnly);
    const Table &t = *m_table;
    const int number = t.requireField(QStringLiteral("cislo"));
    for (int n = 0; n < kCassetteSlots; ++n) {
        m_titles[size_t(n)] = t.requireField(QStringLiteral("film%1").arg(n + 1));
        m_genres[size_t(n)] = t.requireField(QStringLiteral("zanr%1").arg(n + 1));
    }
    for (int rec : t.visibleRecords())
        m_records[t.asStringAt(rec, number)].push_back(rec);
}

bool CassetteFilms::isOpen() const
{
    return m_table && m_table->isOpen();
}

int CassetteFilms::count()
{
    openOnce();
    return m_table->recordCount();
}

QStringList CassetteFilms::linesFor(const std::vector<ArchiveRow> &loans)
{
    openOnce();
    QStringList lines;
    for (const ArchiveRow &loan : loans) {
        const auto it = m_records.constFind(loan.number);
        if (it == m_records.constEnd())
            continue;
        for (int rec : *it)
            for (int field : m_titles) {
                const QString title = m_table->asStringAt(rec, field);
                if (!title.isEmpty())
                    lines << QStringLiteral(" K: ") + loan.number + QStringLiteral("  ") + title;
            }
    }
    return lines;
}

bool CassetteFilms::films(const QString &number, std::array<QString, kCassetteSlots> &titles,
                          std::array<QString, kCassetteSlots> &genres)
{
    titles = {};
    genres = {};
    openOnce();
    const auto it = m_records.constFind(number);
    if (it == m_records.constEnd() || it->empty())
        return false;
    const int rec = it->front();
    for (size_t n = 0; n < size_t(kCassetteSlots); ++n) {
        titles[n] = m_table->asStringAt(rec, m_titles[n]);
        genres[n] = m_table->asStringAt(rec, m_genres[n]);
    }
    return true;
}

void writePersonFilms(ReportWriter &w, const QString &name, const QStringList &lines)
{
    w.header(kHistoryColours, opening(24));
    w.style(report::kBlue, 12, true);
    w.line(QLatin1Char(' ') + name + QStringLiteral("  viděl(a) tyto filmy:"));
    w.colour(report::kBlack);
    w.fragment(QStringLiteral("\\cf1\\fs20"));
    w.rule(1, 50);
    w.style(report::kBlack, 10, false);
    w.blank();
    w.fragment(QStringLiteral("\\b0\\fs20\\par"));
    for (const QString &l : lines)
        w.line(l);
    w.blank();
    w.fragment(QStringLiteral("\\cf1\\par"));
    w.rule(1, 26);
    w.line(QStringLiteral(" End Norvane search engine."));
}

} // namespace velmora
