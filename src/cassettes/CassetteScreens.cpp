#include "cassettes/CassetteScreens.h"

#include "cassettes/BrowseCassette.h"
#include "cassettes/DeleteCassette.h"
#include "cassettes/EditCassette.h"
#include "cassettes/NewCassette.h"
#include "core/MainWindow.h"
#include "platform/Dialogs.h"

namespace velmora {
namespace {

template <typename Screen>
TTitul::Handler show()
{
    return [](TTitul &w) {
        Screen screen(w, &w);
        dialogs::exec(screen);
    };
}

} // namespace

void registerCassetteScreens(TTitul &window)
{
    window.registerCommand(QStringLiteral("cassettes.new"), show<TNova_kazeta>());
    window.registerCommand(QStringLiteral("cassettes.edit"), show<TUprav_kazetu>());
    window.registerCommand(QStringLiteral("cassettes.browse"), show<TProhlizej_kazetu>());
    window.registerCommand(QStringLiteral("cassettes.delete"), show<TZrusit_vk>());
}

} // namespace velmora
