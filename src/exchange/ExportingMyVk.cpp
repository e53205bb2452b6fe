#include "exchange/ExportingMyVk.h"

#include "exchange/NewDirDialog.h"

namespace velmora {

TExporting_my_VK::TExporting_my_VK(Session &, QWidget *parent)
    : ExportScreen(exchange::Catalogue::Cassettes, new TNew_Dir_Name,
                   QStringLiteral("Touto volbou budete exportovat Vaše aktuální VK data na Vámi "
                                  "určené médium. V případě, že bude mít tento program kamarád, "
                                  "bude mít možnost si Vaše data Importovat do svého programu. "
                                  "Bude mu tedy umožněno prohlížet si Vaše videokazety a tisknout "
                                  "si Váš seznam ..."),
                   parent)
{
    setObjectName(QStringLiteral("Exporting_my_VK"));
    setWindowTitle(QStringLiteral("Export vlasní databáze VK jinému uživateli ..."));
}

} // namespace velmora
