// The headers a spreadsheet shows are the exchange's contract with the user's
// own files: they are found again on import however a spreadsheet cased them.

#include "sheets/SheetColumns.h"

#include <gtest/gtest.h>

namespace velmora::sheets {
namespace {

QStringList headers(Sheet sheet)
{
    QStringList out;
    for (const SheetColumn &c : columns(sheet))
        out << c.header;
    return out;
}

TEST(SheetColumns, CarryTheHeadersUsersSeeAndFindThemWhateverTheirCase)
{
    EXPECT_EQ(
        headers(Sheet::Cassettes),
        (QStringList{"Číslo kazety", "Typ kazety", "Pozice", "Název filmu", "Žánr", "Rychlost",
                     "Začátek", "Konec", "Délka", "Zdroj", "Datum", "Poznámka k filmu",
                     "Poznámka ke kazetě", "Půjčeno", "Komu", "Od kdy", "Délka půjčky"}));
    EXPECT_EQ(headers(Sheet::Cds),
              (QStringList{"Číslo CD", "Typ", "Titul", "Interpret", "Pořízeno", "Formát", "Disk",
                           "Stopa", "Název stopy", "Délka", "Styl", "Interpret stopy", "Poznámka",
                           "Půjčeno", "Komu", "Od kdy", "Délka půjčky"}));
    EXPECT_EQ(headers(Sheet::Loans),
              (QStringList{"Druh", "Číslo", "Název", "Komu", "Od kdy", "Délka půjčky", "Stav"}));
    EXPECT_EQ(sheetName(Sheet::Loans), QStringLiteral("Výpůjčky"));
    EXPECT_EQ(columnOf(Sheet::Cassettes, QStringLiteral(" ČÍSLO KAZETY ")), 0);
    EXPECT_EQ(columnOf(Sheet::Cds, QStringLiteral("délka")), 9);
    EXPECT_EQ(columnOf(Sheet::Cds, QStringLiteral("Délka filmu")), -1);
}

} // namespace
} // namespace velmora::sheets
