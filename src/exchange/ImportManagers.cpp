#include "exchange/ImportManagers.h"

namespace velmora {
namespace {

constexpr ImportManager::Design kCassettes{
    exchange::Catalogue::Cassettes,
    "Externi_VK",
    "Správce načtených externích databází s videokazetami ...",
    "Nemohu založit VK adresář s daty, jméno uživatele již existuje!",
    "Stávající databáze VK uživatele byly aktualizovány ...",
    "Nelze aktulizovat databázi VK. Importovaná databáze je starší (nebo stejná) než Vaše "
    "databáze na HDD!",
    "Opravdu chcete natrvalo smazat externí databáze VK patřící uživateli: ",
    "Databáze VK zůstala neporušená, akce byla stornována ...",
    "Videokazet     :",
    "Povolen import VK.",
    "Nepovolen import VK.",
};

constexpr ImportManager::Design kCds{
    exchange::Catalogue::Cds,
    "Externi_CD",
    "Správce načtených externích databází s hudebními CD ...",
    "Nemohu založit adresář s daty CD, jméno uživatele již existuje!",
    "Stávající databáze CD uživatele byly aktualizovány ...",
    "Nelze aktulizovat databázi CD. Importovaná databáze je starší (nebo stejná) než Vaše "
    "databáze na HDD!",
    "Opravdu chcete natrvalo smazat externí databáze CD, patřící uživateli: ",
    "Databáze CD zůstala neporušená, akce byla stornována ...",
    "Hudebních CD:",
    "Povolen import CD.",
    "Nepovolen import CD.",
};

} // namespace

TExterni_VK::TExterni_VK(Session &, QWidget *parent) : ImportManager(kCassettes, parent) {}

TExterni_CD::TExterni_CD(Session &, QWidget *parent) : ImportManager(kCds, parent) {}

} // namespace velmora
