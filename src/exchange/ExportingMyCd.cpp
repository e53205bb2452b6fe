#include "exchange/ExportingMyCd.h"

#include "exchange/NewDirDialog.h"

namespace velmora {

TExporting_my_CD::TExporting_my_CD(Session &, QWidget *parent)
    : ExportScreen(exchange::Catalogue::Cds, new TNew_Dir_Name2,
                   QStringLiteral("Touto volbou budete exportovat Vaše aktuální data CD na Vámi "
                                  "určené médium. Váš kamarád bude mít možnost si pak Vaše data "
                                  "Importovat do svého programu. Bude mu tedy umožněno prohlížet "
                                  "si Vaše CDa tisknout si Váš seznam ..."),
                   parent)
{
    setObjectName(QStringLiteral("Exporting_my_CD"));
    setWindowTitle(QStringLiteral("Export vlasní databáze CD jinému uživateli ..."));
}

} // namespace velmora
