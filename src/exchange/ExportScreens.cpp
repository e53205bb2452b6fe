#include "exchange/ExportScreens.h"

#include "exchange/NewDirDialog.h"

namespace velmora {
namespace {

constexpr ExportScreen::Design kCassettes{
    exchange::Catalogue::Cassettes,
    "Exporting_my_VK",
    "Export vlasní databáze VK jinému uživateli ...",
    []() -> NewDirDialog * { return new TNew_Dir_Name; },
    "Touto volbou budete exportovat Vaše aktuální VK data na Vámi určené médium. V případě, že "
    "bude mít tento program kamarád, bude mít možnost si Vaše data Importovat do svého programu. "
    "Bude mu tedy umožněno prohlížet si Vaše videokazety a tisknout si Váš seznam ...",
    " Export databází VK",
};

constexpr ExportScreen::Design kCds{
    exchange::Catalogue::Cds,
    "Exporting_my_CD",
    "Export vlasní databáze CD jinému uživateli ...",
    []() -> NewDirDialog * { return new TNew_Dir_Name2; },
    "Touto volbou budete exportovat Vaše aktuální data CD na Vámi určené médium. Váš kamarád "
    "bude mít možnost si pak Vaše data Importovat do svého programu. Bude mu tedy umožněno "
    "prohlížet si Vaše CDa tisknout si Váš seznam ...",
    "Export databází CD",
};

} // namespace

TExporting_my_VK::TExporting_my_VK(Session &, QWidget *parent) : ExportScreen(kCassettes, parent) {}

TExporting_my_CD::TExporting_my_CD(Session &, QWidget *parent) : ExportScreen(kCds, parent) {}

} // namespace velmora
