#include "loans/LoanBook.h"

#include "engine/Collation.h"
#include "engine/DbError.h"
#include "engine/Table.h"
#include "storage/DateText.h"

#include <QFile>
#include <QSet>
#include <algorithm>

namespace velmora {

QStringList distinctBorrowers(const std::vector<ArchiveRow> &rows)
{
    // Each name once first, then only those sorted: an archive holds far
    // more loans than people, and a Czech comparison is not cheap.
    QSet<QString> seen;
    for (const ArchiveRow &r : rows)
        seen.insert(r.borrower);
    std::vector<std::pair<std::string, QString>> keyed;
    keyed.reserve(size_t(seen.size()));
    for (const QString &name : seen)
        keyed.emplace_back(czechSortKey(name), name);
    std::sort(keyed.begin(), keyed.end());
    QStringList names;
    names.reserve(qsizetype(keyed.size()));
    for (auto &k : keyed)
        names << std::move(k.second);
    return names;
}

QStringList formerBorrowers(const QString &archivePath)
{
    if (!QFile::exists(archivePath))
        return {};
    Table archive;
    archive.setPath(archivePath);
    try {
        archive.open(Table::Mode::ReadOnly);
        QStringList names = distinctBorrowers(readArchive(archive));
        archive.close();
        return names;
    } catch (const DbError &) {
        // The list only offers names; a typed name lends just as well.
        return {};
    }
}

Loan newLoan(const QString &borrower, const QDate &from, int days)
{
    return {true, borrower.left(kBorrowerWidth), shortDate(from), days};
}

void lendCurrent(Table &items, const Loan &loan)
{
    const LoanColumns columns(items);
    items.edit();
    try {
        columns.write(items, loan);
        items.post();
    } catch (...) {
        items.cancel();
        throw;
    }
}

ArchiveRow finishedLoan(ItemKind kind, const Table &items, const QDate &today)
{
    const bool cd = kind == ItemKind::Cd;
    const LoanColumns loan(items);
    const Loan l = loan.read(items);
    return {items.asString(cd ? QStringLiteral("T_cd") : QStringLiteral("t_kazety")),
            items.asString(cd ? QStringLiteral("Cislocd") : QStringLiteral("cislo")),
            cd ? items.asString(QStringLiteral("TitulCD")) : QString(),
            l.borrower,
            l.since,
            kReturnNote + shortDate(today)};
}

void returnCurrent(ItemKind kind, Table &items, const QString &archivePath, const QDate &today)
{
    const ArchiveRow row = finishedLoan(kind, items, today);
    const LoanColumns loan(items);
    const int days = loan.read(items).days;

    Table archive;
    archive.setPath(archivePath);
    try {
        archive.open();
        const ArchiveColumns columns(archive);
        archive.append();
        try {
            columns.write(archive, row);
            archive.post();
        } catch (...) {
            archive.cancel();
            throw;
        }
    } catch (const std::exception &e) {
        throw ReturnError(QStringLiteral("Vrácení nelze zapsat do archivu (%1). Položka %2 "
                                         "zůstává vedena jako půjčená.\r\n\r\n%3")
                              .arg(archivePath, row.number, QString::fromUtf8(e.what()))
                              .toStdString());
    }
    const int archived = archive.recordNumber();

    try {
        items.edit();
        try {
            loan.write(items, Loan{false, QString(), QString(), days});
            items.post();
        } catch (...) {
            items.cancel();
            throw;
        }
    } catch (const std::exception &e) {
        // The loan goes on: its archive row would count a return that did
        // not happen.
        QString undone;
        try {
            archive.moveToRecord(archived);
            archive.deleteRecord();
        } catch (const std::exception &) {
            undone = QStringLiteral(" Záznam vrácení v archivu zůstal a je třeba ho zrušit ručně.");
        }
        throw ReturnError(QStringLiteral("Vrácení nelze zapsat (%1). Položka %2 zůstává "
                                         "vedena jako půjčená.%3\r\n\r\n%4")
                              .arg(items.path(), row.number, undone, QString::fromUtf8(e.what()))
                              .toStdString());
    }
}

QString markedUnreadable(const QString &since)
{
    const QString mark = QStringLiteral("(") + kUnreadableDate + QStringLiteral(")");
    return since.trimmed().isEmpty() ? mark : since + QLatin1Char(' ') + mark;
}

QString AwayItem::sinceText() const
{
    return unreadable() ? markedUnreadable(loan.since) : loan.since;
}

std::vector<AwayItem> lentItems(ItemKind kind, const Table &items, const QDate &today)
{
    const bool cd = kind == ItemKind::Cd;
    const LoanColumns loan(items);
    const int number = items.requireField(cd ? QStringLiteral("Cislocd") : QStringLiteral("cislo"));
    const int note = items.requireField(cd ? QStringLiteral("PoznCD") : QStringLiteral("pozn"));
    const int title = cd ? items.requireField(QStringLiteral("TitulCD")) : -1;
    std::array<int, kCassetteSlots> films{}, genres{};
    if (!cd)
        for (int n = 0; n < kCassetteSlots; ++n) {
            films[size_t(n)] = items.requireField(QStringLiteral("film%1").arg(n + 1));
            genres[size_t(n)] = items.requireField(QStringLiteral("zanr%1").arg(n + 1));
        }

    std::vector<AwayItem> out;
    for (int rec : items.visibleRecords()) {
        if (!loan.lentAt(items, rec))
            continue;
        AwayItem a;
        a.number = items.asStringAt(rec, number);
        if (cd)
            a.title = items.asStringAt(rec, title);
        else
            for (size_t n = 0; n < size_t(kCassetteSlots); ++n) {
                a.films[n] = items.asStringAt(rec, films[n]);
                a.genres[n] = items.asStringAt(rec, genres[n]);
            }
        a.loan = {true, items.asStringAt(rec, loan.borrower), items.asStringAt(rec, loan.since),
                  items.asStringAt(rec, loan.days).trimmed().toInt()};
        a.note = items.asStringAt(rec, note);
        a.term = loanTerm(a.loan, today);
        out.push_back(std::move(a));
    }
    return out;
}

AwayCounts countAway(const std::vector<AwayItem> &items)
{
    AwayCounts c;
    c.lent = int(items.size());
    for (const AwayItem &a : items) {
        if (a.term == LoanTerm::Overdue)
            ++c.overdue;
        else if (a.unreadable())
            ++c.unreadable;
    }
    c.inTerm = c.lent - c.overdue - c.unreadable;
    return c;
}

} // namespace velmora
