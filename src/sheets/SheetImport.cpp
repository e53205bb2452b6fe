#include "sheets/SheetImport.h"

#include "catalogue/CassetteRules.h"
#include "catalogue/CdRules.h"
#include "engine/Table.h"
#include "sheets/CsvRead.h"
#include "sheets/ImportData.h"
#include "sheets/ImportRows.h"
#include "storage/TableHandles.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <optional>

namespace velmora::sheets {
namespace {

using rows::quoted;

// More problems than this are not listed one by one.
constexpr qsizetype kProblemsListed = 500;
constexpr qsizetype kIgnoredListed = 100;
constexpr qsizetype kHeaderShown = 60;

// A catalogue table read for the checks, never written: our own tables may
// be links to a regular file, which the read-only open refuses.
void openForReading(Table &table, const QString &path)
{
    table.setPath(path);
    try {
        table.open(Table::Mode::ReadOnly);
    } catch (const std::exception &) {
        table.open(Table::Mode::ReadWrite);
    }
}

int widthOf(const Table &table, int field)
{
    return table.fieldDefs().at(field).width;
}

// The numbers in use, five digits where they are numbers at all.
QSet<QString> numbersIn(const Table &table, int field)
{
    QSet<QString> out;
    for (int rec : table.visibleRecords()) {
        const QString n = table.asStringAt(rec, field).trimmed();
        bool digits = !n.isEmpty() && n.size() <= 5;
        for (QChar c : n)
            digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        out.insert(digits ? PadNumber(n.toLongLong()) : n);
    }
    return out;
}

QString listPath(const TableHandles &tables, int number)
{
    switch (number) {
    case 1:
        return tables.Users_01.path();
    case 2:
        return tables.Users_02.path();
    case 3:
        return tables.Users_03.path();
    default:
        break;
    }
    return tables.Users_04.path();
}

// A user list as the checks need it: each entry by its text in any case.
struct UserList
{
    UserList(const QString &listName, int listNumber) : name(listName), number(listNumber) {}

    QString name;
    int number = 0;
    int width = 0;
    QHash<QString, QString> entries; // lower case -> as listed
    QStringList unknown;
    QSet<QString> unknownSeen;

    void read(const TableHandles &tables)
    {
        Table t;
        openForReading(t, listPath(tables, number));
        width = widthOf(t, 0);
        for (t.first(); !t.eof(); t.next()) {
            const QString v = t.asString(0).trimmed();
            if (!v.isEmpty() && !entries.contains(v.toLower()))
                entries.insert(v.toLower(), v);
        }
        t.close();
    }
    // The entry as listed; an unknown value is kept to be offered.
    QString match(const QString &text)
    {
        const QString value = text.trimmed();
        if (value.isEmpty())
            return value;
        const auto it = entries.constFind(value.toLower());
        if (it != entries.constEnd())
            return *it;
        if (!unknownSeen.contains(value.toLower())) {
            unknownSeen.insert(value.toLower());
            unknown << value;
        }
        return value;
    }
};

// How the notes of a loan name its item: "Kazeta 00012 je půjčená", and
// what the reminder then does.
struct LoanWords
{
    QString lent;
    QString noTerm;
};

// What both sheets share while a file is checked: the plan, the header's
// columns, the rows' cells.
class Checker
{
public:
    Checker(ImportPlan &plan, Sheet sheet) : m_plan(plan), m_sheet(sheet) {}

    void problem(int line, const QString &text) { m_plan.problems << ImportProblem{line, text}; }
    void note(int line, const QString &text) { m_plan.notes << ImportProblem{line, text}; }

    // Finds the sheet's columns in the header; false when the number
    // column is not among them.
    bool readHeader(const csv::Record &header, const QString &numberHeader)
    {
        m_fileColumn = QList<int>(columns(m_sheet).size(), -1);
        for (qsizetype i = 0; i < header.cells.size(); ++i) {
            const QString h = header.cells[i].trimmed();
            const int c = columnOf(m_sheet, h);
            if (c < 0) {
                // A header is a cell like any other: kept short for the list.
                if (!h.isEmpty() && m_plan.ignoredColumns.size() < kIgnoredListed)
                    m_plan.ignoredColumns
                        << (h.size() > kHeaderShown ? h.left(kHeaderShown - 1) + QChar(0x2026) : h);
            } else if (m_fileColumn[c] >= 0) {
                problem(header.line, QString::fromUtf8("Sloupec %1 je v souboru dvakrát.")
                                         .arg(quoted(columns(m_sheet)[c].header)));
            } else {
                m_fileColumn[c] = int(i);
            }
        }
        if (m_fileColumn[columnOf(m_sheet, numberHeader)] < 0) {
            problem(header.line,
                    QString::fromUtf8("Soubor neobsahuje sloupec %1.").arg(quoted(numberHeader)));
            return false;
        }
        return true;
    }

    bool has(const QString &header) const { return m_fileColumn[columnOf(m_sheet, header)] >= 0; }

    // The cell of a column in a row, blanks around it left out; a memo
    // keeps its text as it is.
    QString cell(const csv::Record &row, const QString &header) const
    {
        const int c = m_fileColumn[columnOf(m_sheet, header)];
        if (c < 0 || c >= row.cells.size())
            return QString();
        const QString &v = row.cells[c];
        return columns(m_sheet)[columnOf(m_sheet, header)].kind == CellKind::Memo
                   ? (v.trimmed().isEmpty() ? QString() : v)
                   : v.trimmed();
    }

    // A free text as it stands, blanks at its end aside (the tables keep
    // none there), so that what was exported comes back exactly.
    QString freeText(const csv::Record &row, const QString &header) const
    {
        const int c = m_fileColumn[columnOf(m_sheet, header)];
        if (c < 0 || c >= row.cells.size())
            return QString();
        QString v = row.cells[c];
        while (!v.isEmpty() && v.back().isSpace())
            v.chop(1);
        return v;
    }

    // A text cut to its field's width, which is said.
    QString fitted(const csv::Record &row, const QString &header, int width)
    {
        QString v = freeText(row, header);
        if (width > 0 && v.size() > width) {
            note(row.line, QString::fromUtf8("Hodnota ve sloupci %1 je delší než %2 znaků; bude "
                                             "zkrácena.")
                               .arg(quoted(header))
                               .arg(width));
            v.truncate(width);
            while (!v.isEmpty() && v.back().isSpace())
                v.chop(1);
        }
        return v;
    }

    // A whole number of a cell; an empty cell gives empty.
    std::optional<int> integer(const csv::Record &row, const QString &header, bool &ok)
    {
        const QString v = cell(row, header);
        if (v.isEmpty())
            return std::nullopt;
        const std::optional<int> n = rows::wholeNumber(v);
        if (!n) {
            problem(row.line, QString::fromUtf8("Hodnota %1 ve sloupci %2 není celé číslo "
                                                "(nejvýše %3).")
                                  .arg(quoted(v), quoted(header))
                                  .arg(rows::kMaxWholeNumber));
            ok = false;
        }
        return n;
    }

    // The loan columns of an item's first row. A loan without a borrower,
    // a date or a length is said, not refused: the program's own catalogues
    // may hold such loans, and what they export must come back.
    Loan loan(const csv::Record &row, const LoanWords &words, int borrowerWidth, int sinceWidth,
              bool &ok)
    {
        Loan l;
        const QString lent = cell(row, QString::fromUtf8("Půjčeno"));
        const std::optional<bool> yes = rows::yesNo(lent);
        if (!yes) {
            problem(row.line, QString::fromUtf8("Hodnota %1 ve sloupci „Půjčeno“ se nedá přečíst "
                                                "(má být „ano“ nebo „ne“).")
                                  .arg(quoted(lent)));
            ok = false;
        }
        l.lent = yes.value_or(false);
        l.borrower = fitted(row, QStringLiteral("Komu"), borrowerWidth);
        const QString since = fitted(row, QStringLiteral("Od kdy"), sinceWidth);
        l.since = rows::dateText(since);
        const QString daysText = cell(row, QString::fromUtf8("Délka půjčky"));
        l.days = integer(row, QString::fromUtf8("Délka půjčky"), ok).value_or(0);
        const bool sinceReads = since.trimmed().isEmpty() || rows::readsAsDate(since);
        if (l.lent) {
            if (l.borrower.trimmed().isEmpty())
                note(row.line, QString::fromUtf8("%1, ale není uvedeno komu.").arg(words.lent));
            if (since.trimmed().isEmpty())
                note(row.line, QString::fromUtf8("%1, ale nemá datum „Od kdy“; %2.")
                                   .arg(words.lent, words.noTerm));
            else if (!sinceReads)
                note(row.line, QString::fromUtf8("%1, ale datum %2 se nedá přečíst; %3.")
                                   .arg(words.lent, quoted(since.trimmed()), words.noTerm));
            if (daysText.isEmpty() || rows::wholeNumber(daysText) == 0)
                note(row.line,
                     QString::fromUtf8("%1, ale nemá vyplněnu délku půjčky.").arg(words.lent));
        } else if (!sinceReads) {
            note(row.line, QString::fromUtf8("Datum %1 ve sloupci „Od kdy“ se nedá přečíst; "
                                             "zapíše se tak, jak je.")
                               .arg(quoted(since.trimmed())));
        }
        return l;
    }

    // A later row of an item that gives another value of an item's column.
    void sameAsFirst(const csv::Record &first, const csv::Record &row, const QStringList &headers)
    {
        for (const QString &h : headers) {
            const QString v = cell(row, h);
            const QString was = cell(first, h);
            if (!v.isEmpty() && v != was)
                problem(row.line, QString::fromUtf8("Hodnota %1 ve sloupci %2 se liší od řádku %3 "
                                                    "(%4).")
                                      .arg(quoted(v), quoted(h))
                                      .arg(first.line)
                                      .arg(quoted(was)));
        }
    }

    // The five-digit number of an item; empty after a problem.
    QString number(const csv::Record &row, const QString &header)
    {
        const QString v = cell(row, header);
        QString problemText;
        const QString n = rows::itemNumber(v, header, problemText);
        if (!problemText.isEmpty())
            problem(row.line, problemText);
        return n;
    }

    void offer(UserList &list)
    {
        if (!list.unknown.isEmpty())
            m_plan.unknown << UnknownValues{list.name, list.number, list.unknown};
    }

private:
    ImportPlan &m_plan;
    Sheet m_sheet;
    QList<int> m_fileColumn;
};

// The rows of one item under its number, wherever they stand: a sheet
// sorted by another column scatters them.
struct Group
{
    QString number;
    QList<const csv::Record *> rows;
};

QList<Group> groupRows(Checker &check, const QList<csv::Record> &records, const QString &header)
{
    QList<Group> groups;
    QHash<QString, qsizetype> groupOf;
    for (qsizetype i = 1; i < records.size(); ++i) {
        const csv::Record &row = records[i];
        const QString n = check.number(row, header);
        if (n.isEmpty())
            continue;
        const auto it = groupOf.constFind(n);
        if (it != groupOf.constEnd()) {
            groups[*it].rows << &row;
            continue;
        }
        groupOf.insert(n, groups.size());
        groups.append(Group{n, {&row}});
    }
    return groups;
}

// Reads the file into the plan; false (with the plan's problem) when it has
// no rows to check.
bool readRecords(ImportPlan &plan, const QString &path, csv::Parsed &parsed)
{
    QByteArray bytes;
    QString problemText;
    if (!csv::readFile(path, bytes, problemText)) {
        plan.problems << ImportProblem{0, problemText};
        return false;
    }
    problemText = csv::notTextProblem(bytes, path);
    if (!problemText.isEmpty()) {
        plan.problems << ImportProblem{0, problemText};
        return false;
    }
    csv::Text text = csv::decode(bytes);
    bytes = QByteArray(); // a big file is not held three times over
    plan.encoding = text.encoding;
    parsed = csv::parse(text.text);
    text.text = QString();
    plan.separator = parsed.separator;
    if (parsed.openQuoteLine > 0)
        plan.problems << ImportProblem{parsed.openQuoteLine,
                                       QString::fromUtf8("Uvozovky otevřené na řádku %1 nejsou "
                                                         "nikde uzavřeny.")
                                           .arg(parsed.openQuoteLine)};
    if (parsed.records.isEmpty()) {
        plan.problems << ImportProblem{0, QString::fromUtf8("Soubor neobsahuje žádné řádky.")};
        return false;
    }
    return true;
}

void planCassettes(const TableHandles &tables, const QList<csv::Record> &records, ImportPlan &plan,
                   ImportPlan::Data &data)
{
    Checker check(plan, Sheet::Cassettes);
    const QString numberHeader = QString::fromUtf8("Číslo kazety");
    if (!check.readHeader(records.first(), numberHeader))
        return;

    Table cassettes;
    openForReading(cassettes, tables.Table1.path());
    const CassetteColumns cols(cassettes);
    const QSet<QString> inUse = numbersIn(cassettes, cols.number);
    const auto w = [&](int field) { return widthOf(cassettes, field); };
    const CassetteColumns::Slot &s1 = cols.recordings[0];
    const int typeW = w(cols.type), noteW = w(cols.note), titleW = w(s1.title),
              genreW = w(s1.genre), sourceW = w(s1.source), borrowerW = w(cols.loan.borrower),
              sinceW = w(cols.loan.since);
    cassettes.close();

    UserList genres{QString::fromUtf8("Žánry"), 1};
    UserList sources{QStringLiteral("Zdroje"), 2};
    genres.read(tables);
    sources.read(tables);

    const QStringList itemColumns{
        QStringLiteral("Typ kazety"), QString::fromUtf8("Poznámka ke kazetě"),
        QString::fromUtf8("Půjčeno"), QStringLiteral("Komu"),
        QStringLiteral("Od kdy"),     QString::fromUtf8("Délka půjčky")};
    const QStringList slotColumns{
        QStringLiteral("Pozice"),     QString::fromUtf8("Název filmu"),
        QString::fromUtf8("Žánr"),    QStringLiteral("Rychlost"),
        QString::fromUtf8("Začátek"), QStringLiteral("Konec"),
        QString::fromUtf8("Délka"),   QStringLiteral("Zdroj"),
        QStringLiteral("Datum"),      QString::fromUtf8("Poznámka k filmu")};

    for (const Group &g : groupRows(check, records, numberHeader)) {
        const csv::Record &first = *g.rows.first();
        bool ok = true;
        if (inUse.contains(g.number)) {
            check.problem(first.line,
                          QString::fromUtf8("Kazeta %1 už v katalogu je.").arg(g.number));
            ok = false;
        }
        CassetteRecord c;
        c.number = g.number;
        const QString type = check.cell(first, QStringLiteral("Typ kazety"));
        c.type = rows::tapeType(type);
        if (type.isEmpty()) {
            check.problem(first.line,
                          QString::fromUtf8("Kazeta %1 nemá typ kazety.").arg(g.number));
            ok = false;
        } else if (c.type.isEmpty()) {
            check.problem(first.line,
                          QString::fromUtf8("Typ kazety %1 program nezná.").arg(quoted(type)));
            ok = false;
        }
        if (c.type.size() > typeW)
            c.type.truncate(typeW);
        c.note = check.fitted(first, QString::fromUtf8("Poznámka ke kazetě"), noteW);
        c.loan = check.loan(first,
                            {QString::fromUtf8("Kazeta %1 je půjčená").arg(g.number),
                             QString::fromUtf8("připomínka ji ukáže jako půjčenou bez termínu")},
                            borrowerW, sinceW, ok);

        std::array<int, kCassetteSlots> lineOf{};
        for (const csv::Record *row : g.rows) {
            if (row != &first)
                check.sameAsFirst(first, *row, itemColumns);
            bool any = false;
            for (const QString &h : slotColumns)
                any = any || !check.cell(*row, h).isEmpty();
            if (!any)
                continue; // the cassette's own row, without a recording
            const QString pos = check.cell(*row, QStringLiteral("Pozice"));
            int slot = 0;
            if (pos.isEmpty()) {
                // Without a position a recording takes the next free slot.
                while (slot < kCassetteSlots && lineOf[slot] != 0)
                    ++slot;
                if (slot == kCassetteSlots) {
                    check.problem(row->line, QString::fromUtf8("Kazeta %1 má víc než %2 záznamů.")
                                                 .arg(g.number)
                                                 .arg(kCassetteSlots));
                    ok = false;
                    continue;
                }
            } else {
                const std::optional<int> p = rows::wholeNumber(pos);
                if (!p || *p < 1 || *p > kCassetteSlots) {
                    check.problem(row->line, QString::fromUtf8("Pozice %1 není číslo 1 až %2.")
                                                 .arg(quoted(pos))
                                                 .arg(kCassetteSlots));
                    ok = false;
                    continue;
                }
                slot = *p - 1;
                if (lineOf[slot] != 0) {
                    check.problem(row->line, QString::fromUtf8("Záznam %1 kazety %2 je v souboru "
                                                               "dvakrát (řádky %3 a %4).")
                                                 .arg(slot + 1)
                                                 .arg(g.number)
                                                 .arg(lineOf[slot])
                                                 .arg(row->line));
                    ok = false;
                    continue;
                }
            }
            lineOf[slot] = row->line;
            CassetteSlot &r = c.recordings[slot];
            r.title = check.fitted(*row, QString::fromUtf8("Název filmu"), titleW);
            r.genre = genres.match(check.fitted(*row, QString::fromUtf8("Žánr"), genreW));
            r.source = sources.match(check.fitted(*row, QStringLiteral("Zdroj"), sourceW));
            const QString speed = check.cell(*row, QStringLiteral("Rychlost"));
            r.speed = speed.toUpper();
            if (!speed.isEmpty() && SpeedFactor(r.speed) == 0) {
                check.problem(row->line, QString::fromUtf8("Rychlost %1 program nezná (SP, LP "
                                                           "nebo EP).")
                                             .arg(quoted(speed)));
                ok = false;
            }
            r.start = check.integer(*row, QString::fromUtf8("Začátek"), ok).value_or(0);
            r.end = check.integer(*row, QStringLiteral("Konec"), ok).value_or(0);
            const QString length = check.cell(*row, QString::fromUtf8("Délka"));
            if (length.isEmpty()) {
                r.length = r.end - r.start;
            } else if (const std::optional<int> l = rows::wholeNumber(length)) {
                r.length = *l;
            } else {
                check.problem(row->line,
                              QString::fromUtf8("Délka %1 se nedá přečíst.").arg(quoted(length)));
                ok = false;
            }
            const QString date = check.cell(*row, QStringLiteral("Datum"));
            r.date = rows::date(date);
            if (!date.isEmpty() && !r.date.isValid()) {
                check.problem(row->line,
                              QString::fromUtf8("Datum %1 se nedá přečíst.").arg(quoted(date)));
                ok = false;
            }
            r.note = check.cell(*row, QString::fromUtf8("Poznámka k filmu"));
            if (r.end < r.start) {
                check.problem(row->line, QString::fromUtf8("Záznam %1 kazety %2 končí dřív, než "
                                                           "začíná (%3 a %4 min).")
                                             .arg(slot + 1)
                                             .arg(g.number)
                                             .arg(r.start)
                                             .arg(r.end));
                ok = false;
            }
        }
        if (!c.type.isEmpty()) {
            for (const rows::TapeFault &f : rows::tapeFaults(c)) {
                check.problem(lineOf[f.slot], f.message);
                ok = false;
            }
        }
        if (ok) {
            ++plan.items;
            for (int line : lineOf)
                plan.entries += line != 0 ? 1 : 0;
            data.cassettes.push_back(c);
        }
    }
    check.offer(genres);
    check.offer(sources);
}

void planCds(const TableHandles &tables, const QList<csv::Record> &records, ImportPlan &plan,
             ImportPlan::Data &data)
{
    Checker check(plan, Sheet::Cds);
    const QString numberHeader = QString::fromUtf8("Číslo CD");
    if (!check.readHeader(records.first(), numberHeader))
        return;

    Table titles;
    openForReading(titles, tables.CD_Table1.path());
    const CdTitleColumns tc(titles);
    const QSet<QString> inUse = numbersIn(titles, tc.number);
    const int titleW = widthOf(titles, tc.title), artistW = widthOf(titles, tc.artist),
              acquiredW = widthOf(titles, tc.acquired), formatW = widthOf(titles, tc.format),
              noteW = widthOf(titles, tc.note), borrowerW = widthOf(titles, tc.loan.borrower),
              sinceW = widthOf(titles, tc.loan.since);
    titles.close();
    Table tracks;
    openForReading(tracks, tables.CD_Table2.path());
    const CdTrackColumns kc(tracks);
    const int trackW = widthOf(tracks, kc.title), styleW = widthOf(tracks, kc.style),
              trackArtistW = widthOf(tracks, kc.artist);
    tracks.close();

    UserList formats{QString::fromUtf8("Formáty"), 3};
    UserList styles{QStringLiteral("Styly"), 4};
    formats.read(tables);
    styles.read(tables);

    const QStringList itemColumns{QStringLiteral("Typ"),        QStringLiteral("Titul"),
                                  QStringLiteral("Interpret"),  QString::fromUtf8("Pořízeno"),
                                  QString::fromUtf8("Formát"),  QString::fromUtf8("Poznámka"),
                                  QString::fromUtf8("Půjčeno"), QStringLiteral("Komu"),
                                  QStringLiteral("Od kdy"),     QString::fromUtf8("Délka půjčky")};
    const QStringList trackColumns{
        QStringLiteral("Disk"),     QStringLiteral("Stopa"), QString::fromUtf8("Název stopy"),
        QString::fromUtf8("Délka"), QStringLiteral("Styl"),  QStringLiteral("Interpret stopy")};

    for (const Group &g : groupRows(check, records, numberHeader)) {
        const csv::Record &first = *g.rows.first();
        bool ok = true;
        if (inUse.contains(g.number)) {
            check.problem(first.line, QString::fromUtf8("CD %1 už v katalogu je.").arg(g.number));
            ok = false;
        }
        ImportedTitle t;
        t.title.number = g.number;
        const QString size = check.cell(first, QStringLiteral("Typ"));
        t.title.size = size;
        if (!size.isEmpty() && !discSizes().contains(size)) {
            check.problem(first.line, QString::fromUtf8("Typ CD %1 program nezná (170, 650, 700, "
                                                        "870 nebo ?\?\?).")
                                          .arg(quoted(size)));
            ok = false;
        }
        t.title.title = check.fitted(first, QStringLiteral("Titul"), titleW);
        t.title.artist = check.fitted(first, QStringLiteral("Interpret"), artistW);
        t.title.acquired =
            rows::dateText(check.fitted(first, QString::fromUtf8("Pořízeno"), acquiredW));
        t.title.format = formats.match(check.fitted(first, QString::fromUtf8("Formát"), formatW));
        t.title.note = check.fitted(first, QString::fromUtf8("Poznámka"), noteW);
        t.title.loan = check.loan(first,
                                  {QString::fromUtf8("CD %1 je půjčené").arg(g.number),
                                   QString::fromUtf8("připomínka ho ukáže jako půjčené bez "
                                                     "termínu")},
                                  borrowerW, sinceW, ok);

        QHash<QString, QHash<int, int>> trackLines; // label -> track -> line
        for (const csv::Record *row : g.rows) {
            if (row != &first)
                check.sameAsFirst(first, *row, itemColumns);
            bool any = false;
            for (const QString &h : trackColumns)
                any = any || !check.cell(*row, h).isEmpty();
            if (!any)
                continue; // the title's own row, without a track
            CdTrack k;
            k.number = g.number;
            const QString disc = check.cell(*row, QStringLiteral("Disk"));
            k.label = disc.isEmpty() ? discLabel(1) : rows::discLabelOf(disc);
            if (k.label.isEmpty()) {
                check.problem(row->line, QString::fromUtf8("Disk %1 program nezná (CD 1 až CD "
                                                           "%2).")
                                             .arg(quoted(disc))
                                             .arg(kMaxDiscs));
                ok = false;
                continue;
            }
            QHash<int, int> &onDisc = trackLines[k.label];
            const QString trackText = check.cell(*row, QStringLiteral("Stopa"));
            if (rows::wholeNumber(trackText) == 0 ||
                (trackText.startsWith(QLatin1Char('-')) && rows::wholeNumber(trackText.mid(1)))) {
                check.problem(row->line,
                              QString::fromUtf8("Číslo stopy %1 není platné.").arg(trackText));
                ok = false;
                continue;
            }
            if (const std::optional<int> n = check.integer(*row, QStringLiteral("Stopa"), ok)) {
                k.track = *n;
            } else {
                // Without a number a track follows the last one of its disc.
                for (auto it = onDisc.cbegin(); it != onDisc.cend(); ++it)
                    k.track = std::max(k.track, it.key());
                ++k.track;
            }
            if (const auto was = onDisc.constFind(k.track); was != onDisc.constEnd()) {
                check.problem(row->line, QString::fromUtf8("Stopa %1 na %2 je v souboru dvakrát "
                                                           "(řádky %3 a %4).")
                                             .arg(k.track)
                                             .arg(captionOfLabel(k.label))
                                             .arg(*was)
                                             .arg(row->line));
                ok = false;
                continue;
            }
            onDisc.insert(k.track, row->line);
            k.title = check.fitted(*row, QString::fromUtf8("Název stopy"), trackW);
            const QString length = check.cell(*row, QString::fromUtf8("Délka"));
            if (const std::optional<int> s = rows::trackSeconds(length)) {
                k.seconds = *s;
            } else {
                check.problem(row->line,
                              QString::fromUtf8("Délka %1 se nedá přečíst.").arg(quoted(length)));
                ok = false;
            }
            k.style = styles.match(check.fitted(*row, QStringLiteral("Styl"), styleW));
            k.artist = check.fitted(*row, QStringLiteral("Interpret stopy"), trackArtistW);
            t.tracks.push_back(k);
        }
        if (ok) {
            ++plan.items;
            plan.entries += int(t.tracks.size());
            data.titles.push_back(t);
        }
    }
    check.offer(formats);
    check.offer(styles);
}

} // namespace

ImportPlan planImport(const TableHandles &tables, Sheet sheet, const QString &path)
{
    ImportPlan plan;
    plan.sheet = sheet;
    auto data = std::make_shared<ImportPlan::Data>();
    csv::Parsed parsed;
    if (!readRecords(plan, path, parsed))
        return plan;
    try {
        if (sheet == Sheet::Cds)
            planCds(tables, parsed.records, plan, *data);
        else if (sheet == Sheet::Cassettes)
            planCassettes(tables, parsed.records, plan, *data);
        else
            plan.problems << ImportProblem{0, QString::fromUtf8("Výpůjčky se z tabulky "
                                                                "nenačítají.")};
    } catch (const std::exception &e) {
        plan.problems << ImportProblem{0, errorText(e)};
        plan.items = plan.entries = 0;
        return plan;
    }
    const auto byLine = [](const ImportProblem &a, const ImportProblem &b) {
        return a.line < b.line;
    };
    std::stable_sort(plan.problems.begin(), plan.problems.end(), byLine);
    std::stable_sort(plan.notes.begin(), plan.notes.end(), byLine);
    for (QList<ImportProblem> *list : {&plan.problems, &plan.notes}) {
        if (list->size() > kProblemsListed) {
            const qsizetype more = list->size() - kProblemsListed;
            list->resize(kProblemsListed);
            list->append(ImportProblem{
                0, QString::fromUtf8("… a dalších %1 řádků s podobnými hlášeními.").arg(more)});
        }
    }
    plan.data = data;
    return plan;
}

ImportPlan addUnknownValues(TableHandles &tables, const ImportPlan &plan, const QString &path)
{
    for (const UnknownValues &u : plan.unknown) {
        if (u.listNumber < 1 || u.listNumber > 4)
            continue;
        Table &list = tables.userList(u.listNumber);
        const bool wasOpen = list.isOpen();
        try {
            if (!wasOpen)
                list.open();
            const int width = list.fieldDefs().at(0).width;
            for (const QString &v : u.values) {
                list.append();
                list.setString(0, v.left(width));
                list.post();
            }
        } catch (const std::exception &e) {
            if (list.isOpen()) {
                list.cancel();
                if (!wasOpen)
                    list.close();
            }
            ImportPlan failed = plan;
            failed.data.reset();
            failed.problems << ImportProblem{0, QString::fromUtf8("Do seznamu %1 nelze přidat "
                                                                  "hodnoty: %2")
                                                    .arg(quoted(u.list), errorText(e))};
            return failed;
        }
        if (!wasOpen)
            list.close();
    }
    return planImport(tables, plan.sheet, path);
}

QString unknownValueText(const UnknownValues &unknown, const QString &value)
{
    // The value's kind and the list's name in the genitive, by the list.
    static const char *const kinds[][2] = {{"Hodnota", "seznamu"},
                                           {"Žánr", "seznamu žánrů"},
                                           {"Zdroj", "seznamu zdrojů"},
                                           {"Formát", "seznamu formátů"},
                                           {"Styl", "seznamu stylů"}};
    const int n = unknown.listNumber >= 1 && unknown.listNumber <= 4 ? unknown.listNumber : 0;
    return QString::fromUtf8("%1 „%2“ není v uživatelském %3.")
        .arg(QString::fromUtf8(kinds[n][0]), value, QString::fromUtf8(kinds[n][1]));
}

} // namespace velmora::sheets
