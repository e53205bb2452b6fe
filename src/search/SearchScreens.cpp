#include "search/SearchScreens.h"

#include "core/MainWindow.h"
#include "search/FilmSearchScreen.h"
#include "search/FreePositionScreen.h"

namespace velmora {

void registerSearchScreens(TTitul &window)
{
    window.registerCommand(QStringLiteral("search.films"), TTitul::modal<THledej_film>());
    window.registerCommand(QStringLiteral("search.freePosition"),
                           TTitul::modal<TVyhledej_Pozici>());
}

} // namespace velmora
