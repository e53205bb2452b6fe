#include "exchange/ExterniCD.h"

namespace velmora {

TExterni_CD::TExterni_CD(Session &, QWidget *parent)
    : ImportManager(
          exchange::Catalogue::Cds,
          {QStringLiteral("Nemohu založit adresář s daty CD, jméno uživatele již existuje!"),
           QStringLiteral("Stávající databáze CD uživatele byly aktualizovány ..."),
           QStringLiteral("Nelze aktulizovat databázi CD. Importovaná databáze je starší (nebo "
                          "stejná) než Vaše databáze na HDD!"),
           QStringLiteral(
               "Opravdu chcete natrvalo smazat externí databáze CD, patřící uživateli: "),
           QStringLiteral("Databáze CD zůstala neporušená, akce byla stornována ..."),
           QStringLiteral("Hudebních CD:"), QStringLiteral("Povolen import CD."),
           QStringLiteral("Nepovolen import CD.")},
          parent)
{
    setObjectName(QStringLiteral("Externi_CD"));
    setWindowTitle(QStringLiteral("Správce načtených externích databází s hudebními CD ..."));
}

} // namespace velmora
