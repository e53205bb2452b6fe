#include "app/Screens.h"

#include "cassettes/BrowseCassette.h"
#include "cassettes/DeleteCassette.h"
#include "cassettes/EditCassette.h"
#include "cassettes/NewCassette.h"
#include "cds/DeleteCdTitle.h"
#include "cds/EditCdTitle.h"
#include "cds/NewCdTitle.h"
#include "cds/ShowCdTitles.h"
#include "core/InfoWindows.h"
#include "core/MainWindow.h"
#include "core/PasswordDlg.h"
#include "core/SetLang.h"
#include "platform/Dialogs.h"
#include "printing/Centr.h"
#include "search/FilmSearchScreen.h"
#include "search/FreePositionScreen.h"

namespace velmora {
namespace {

// The screens that exist to change cassettes stay closed while data.dbf has
// the old format; the user hears why instead of meeting a failed save.
template <typename Screen> TTitul::Handler changingCassettes()
{
    return [](TTitul &w) {
        if (w.session().cassettesReadOnly()) {
            dialogs::information(TTitul::others(QStringLiteral("002")), kCassettesReadOnly);
            return;
        }
        TTitul::modal<Screen>()(w);
    };
}

} // namespace

void registerScreens(TTitul &window)
{
    // Application core.
    window.registerCommand(QStringLiteral("core.about"), TTitul::modalOver<TI_o_prg>());
    window.registerCommand(QStringLiteral("core.news"), TTitul::modalOver<TNov>());
    window.registerCommand(QStringLiteral("core.systemWindow"), [](TTitul &w) {
        TInfo_System_OS screen(w.settings().storedSystemCode, &w);
        dialogs::exec(screen);
    });
    window.registerCommand(QStringLiteral("core.languages"), TTitul::modalOver<TSet_Lang>());
    window.registerCommand(QStringLiteral("core.password"), [](TTitul &w) {
        TPasswordDlg screen(w.settings().password, &w);
        if (dialogs::exec(screen) != QDialog::Accepted)
            w.endProgram(); // Escape ends the program without the close question
    });

    // Video cassettes.
    window.registerCommand(QStringLiteral("cassettes.new"), changingCassettes<TNova_kazeta>());
    window.registerCommand(QStringLiteral("cassettes.edit"), changingCassettes<TUprav_kazetu>());
    window.registerCommand(QStringLiteral("cassettes.browse"), TTitul::modal<TProhlizej_kazetu>());
    window.registerCommand(QStringLiteral("cassettes.delete"), changingCassettes<TZrusit_vk>());

    // Music CDs.
    window.registerCommand(QStringLiteral("cds.show"), TTitul::modal<TZobrazit_CD_Data>());
    window.registerCommand(QStringLiteral("cds.new"), TTitul::modal<TNovy_CD_disk>());
    window.registerCommand(QStringLiteral("cds.edit"), TTitul::modal<TOpravit_CD_disk>());
    window.registerCommand(QStringLiteral("cds.delete"), TTitul::modal<TZrusit_CD>());

    // Searches.
    window.registerCommand(QStringLiteral("search.films"), TTitul::modal<THledej_film>());
    window.registerCommand(QStringLiteral("search.freePosition"),
                           TTitul::modal<TVyhledej_Pozici>());

    // Printing.
    window.registerCommand(QStringLiteral("printing.printer"), TTitul::modal<TCentr>());
}

} // namespace velmora
