#include "exchange/ExterniVK.h"

namespace velmora {

TExterni_VK::TExterni_VK(Session &, QWidget *parent)
    : ImportManager(
          exchange::Catalogue::Cassettes,
          {QStringLiteral("Nemohu založit VK adresář s daty, jméno uživatele již existuje!"),
           QStringLiteral("Stávající databáze VK uživatele byly aktualizovány ..."),
           QStringLiteral("Nelze aktulizovat databázi VK. Importovaná databáze je starší (nebo "
                          "stejná) než Vaše databáze na HDD!"),
           QStringLiteral("Opravdu chcete natrvalo smazat externí databáze VK patřící uživateli: "),
           QStringLiteral("Databáze VK zůstala neporušená, akce byla stornována ..."),
           QStringLiteral("Videokazet     :"), QStringLiteral("Povolen import VK."),
           QStringLiteral("Nepovolen import VK.")},
          parent)
{
    setObjectName(QStringLiteral("Externi_VK"));
    setWindowTitle(QStringLiteral("Správce načtených externích databází s videokazetami ..."));
}

} // namespace velmora
