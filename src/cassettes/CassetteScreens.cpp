#include "cassettes/CassetteScreens.h"

#include "cassettes/BrowseCassette.h"
#include "cassettes/DeleteCassette.h"
#include "cassettes/EditCassette.h"
#include "cassettes/NewCassette.h"
#include "core/MainWindow.h"

namespace velmora {
void registerCassetteScreens(TTitul &window)
{
    window.registerCommand(QStringLiteral("cassettes.new"), TTitul::modal<TNova_kazeta>());
    window.registerCommand(QStringLiteral("cassettes.edit"), TTitul::modal<TUprav_kazetu>());
    window.registerCommand(QStringLiteral("cassettes.browse"), TTitul::modal<TProhlizej_kazetu>());
    window.registerCommand(QStringLiteral("cassettes.delete"), TTitul::modal<TZrusit_vk>());
}

} // namespace velmora
