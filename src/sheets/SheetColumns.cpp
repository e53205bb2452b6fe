#include "sheets/SheetColumns.h"

namespace velmora::sheets {
namespace {

SheetColumn column(const char *header, CellKind kind = CellKind::Text)
{
    return {QString::fromUtf8(header), kind};
}

} // namespace

const QList<SheetColumn> &columns(Sheet sheet)
{
    using K = CellKind;
    static const QList<SheetColumn> cassettes{column("Číslo kazety"),
                                              column("Typ kazety"),
                                              column("Pozice", K::Integer),
                                              column("Název filmu"),
                                              column("Žánr"),
                                              column("Rychlost"),
                                              column("Začátek", K::Integer),
                                              column("Konec", K::Integer),
                                              column("Délka", K::Integer),
                                              column("Zdroj"),
                                              column("Datum", K::Date),
                                              column("Poznámka k filmu", K::Memo),
                                              column("Poznámka ke kazetě"),
                                              column("Půjčeno"),
                                              column("Komu"),
                                              column("Od kdy"),
                                              column("Délka půjčky", K::Integer)};
    static const QList<SheetColumn> cds{column("Číslo CD"),
                                        column("Typ"),
                                        column("Titul"),
                                        column("Interpret"),
                                        column("Pořízeno"),
                                        column("Formát"),
                                        column("Disk"),
                                        column("Stopa", K::Integer),
                                        column("Název stopy"),
                                        column("Délka", K::Seconds),
                                        column("Styl"),
                                        column("Interpret stopy"),
                                        column("Poznámka"),
                                        column("Půjčeno"),
                                        column("Komu"),
                                        column("Od kdy"),
                                        column("Délka půjčky", K::Integer)};
    static const QList<SheetColumn> loans{column("Druh"),   column("Číslo"),
                                          column("Název"),  column("Komu"),
                                          column("Od kdy"), column("Délka půjčky", K::Integer),
                                          column("Stav")};
    switch (sheet) {
    case Sheet::Cassettes:
        return cassettes;
    case Sheet::Cds:
        return cds;
    case Sheet::Loans:
        break;
    }
    return loans;
}

QString sheetName(Sheet sheet)
{
    switch (sheet) {
    case Sheet::Cassettes:
        return QStringLiteral("Kazety");
    case Sheet::Cds:
        return QStringLiteral("CD");
    case Sheet::Loans:
        break;
    }
    return QString::fromUtf8("Výpůjčky");
}

int columnOf(Sheet sheet, const QString &header)
{
    const QList<SheetColumn> &all = columns(sheet);
    const QString wanted = header.trimmed();
    for (qsizetype i = 0; i < all.size(); ++i)
        if (all[i].header.compare(wanted, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

} // namespace velmora::sheets
