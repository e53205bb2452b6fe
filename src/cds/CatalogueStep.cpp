#include "cds/CatalogueStep.h"

#include "catalogue/CdCatalogue.h"
#include "platform/Dialogs.h"

namespace velmora {

bool runCatalogueStep(const std::function<void()> &step)
{
    try {
        step();
        return true;
    } catch (const CatalogueError &e) {
        dialogs::error(QStringLiteral("Chyba:"), e.text());
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    return false;
}

} // namespace velmora
