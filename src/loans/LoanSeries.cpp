#include "loans/LoanSeries.h"

#include "engine/Table.h"

#include <QHash>

namespace velmora {

QStringList catalogueNumbers(const QString &path, ItemKind kind)
{
    const QString field =
        kind == ItemKind::Cd ? QStringLiteral("Cislocd") : QStringLiteral("cislo");
    Table items;
    items.setPath(path);
    items.open(Table::Mode::ReadOnly);
    items.setIndex(field.toLower());
    const int column = items.requireField(field);
    QStringList numbers;
    const std::vector<int> records = items.visibleRecords();
    numbers.reserve(qsizetype(records.size()));
    for (int rec : records)
        numbers << items.asStringAt(rec, column);
    items.close();
    return numbers;
}

std::vector<LoanBar> loansPerItem(const QStringList &numbers, const std::vector<ArchiveRow> &rows)
{
    QHash<QString, int> counts;
    for (const ArchiveRow &r : rows)
        ++counts[r.number];
    std::vector<LoanBar> bars;
    // The walk starts from a number no item has, so the first always counts.
    QString previous = QStringLiteral("Není!");
    for (const QString &n : numbers) {
        if (n == previous)
            continue;
        previous = n;
        bars.push_back({n, counts.value(n)});
    }
    return bars;
}

std::vector<LoanBar> loansPerBorrower(const std::vector<ArchiveRow> &rows)
{
    QHash<QString, int> counts;
    for (const ArchiveRow &r : rows)
        ++counts[r.borrower];
    std::vector<LoanBar> bars;
    for (const QString &name : distinctBorrowers(rows))
        bars.push_back({name, counts.value(name)});
    return bars;
}

} // namespace velmora
