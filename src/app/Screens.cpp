#include "app/Screens.h"

#include "backup/BackupScreens.h"
#include "backup/Rozhodovani.h"
#include "browsing/OverviewWindow.h"
#include "cassettes/BrowseCassette.h"
#include "cassettes/DeleteCassette.h"
#include "cassettes/EditCassette.h"
#include "cassettes/NewCassette.h"
#include "cds/DeleteCdTitle.h"
#include "cds/EditCdTitle.h"
#include "cds/NewCdTitle.h"
#include "cds/ShowCdTitles.h"
#include "conversion/FormatUpgrade.h"
#include "core/InfoWindows.h"
#include "core/MainWindow.h"
#include "core/PasswordDlg.h"
#include "core/SetLang.h"
#include "core/Setup.h"
#include "core/UserSetup.h"
#include "exchange/ExportScreens.h"
#include "exchange/ExternalCassetteReportScreen.h"
#include "exchange/ExternalCdReportScreen.h"
#include "exchange/ExternalFilmSearchScreen.h"
#include "exchange/ExternalSongSearchScreen.h"
#include "exchange/ImportManagers.h"
#include "lending/ArchiveScreen.h"
#include "lending/AwayScreen.h"
#include "lending/HistoryScreen.h"
#include "lending/LendCassette.h"
#include "lending/LendCd.h"
#include "lending/LoanCharts.h"
#include "lending/ReturnScreen.h"
#include "platform/Dialogs.h"
#include "printing/Centr.h"
#include "reports/CassetteChooser.h"
#include "reports/CassetteInfoScreen.h"
#include "reports/CassetteListScreen.h"
#include "reports/CdFromScreen.h"
#include "reports/CdListScreen.h"
#include "reports/LabelScreen.h"
#include "reports/LabelsScreen.h"
#include "reports/SortedFilms.h"
#include "reports/SortedTracks.h"
#include "search/DatabaseInfo.h"
#include "search/FilmSearchScreen.h"
#include "search/FreePositionScreen.h"
#include "search/SongSearchScreen.h"
#include "search/StatisticsScreen.h"
#include "spreadsheet/SheetFlows.h"

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

// The items-away screen as the start-up reminders open it: the list in
// bold red.
template <typename Screen> TTitul::Handler reminding()
{
    return [](TTitul &w) {
        Screen screen(w.session(), &w);
        screen.setReminder(true);
        dialogs::exec(screen);
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
    window.registerCommand(QStringLiteral("core.centralSettings"), TTitul::modal<TSetup>());
    window.registerCommand(QStringLiteral("core.userListsCassettes"), TTitul::modal<TUserSetup>());
    window.registerCommand(QStringLiteral("core.userListsCds"), TTitul::modal<TUserSetupCD>());
    window.registerCommand(QStringLiteral("core.password"), [](TTitul &w) {
        TPasswordDlg screen(w.settings().password, &w);
        if (dialogs::exec(screen) != QDialog::Accepted)
            w.endProgram(); // Escape ends the program without the close question
    });
    window.registerCommand(QStringLiteral("core.conversion"), TTitul::modal<TRozhodovani>());
    window.registerCommand(QStringLiteral("core.formatUpgrade"), [](TTitul &w) {
        const QString problem = upgrade::runAtActivation(w.session());
        if (!problem.isEmpty())
            dialogs::error(QStringLiteral("Chyba"), problem);
    });

    // Video cassettes.
    window.registerCommand(QStringLiteral("cassettes.new"), changingCassettes<TNova_kazeta>());
    for (const auto &[action, kind] : {std::pair{"overview.cassettes", OverviewKind::Cassettes},
                                       std::pair{"overview.cds", OverviewKind::Cds}})
        window.registerCommand(QLatin1String(action), [kind](TTitul &w) {
            TPrehled screen(
                kind, w.session(),
                [&w](const QString &command) {
                    if (const MenuEntry *entry = w.entryFor(command))
                        w.runEntry(*entry);
                },
                &w);
            dialogs::exec(screen);
        });
    for (const auto &[exporting, importing, sheet] :
         {std::tuple{"sheets.exportCassettes", "sheets.importCassettes", sheets::Sheet::Cassettes},
          std::tuple{"sheets.exportCds", "sheets.importCds", sheets::Sheet::Cds}}) {
        window.registerCommand(QLatin1String(exporting),
                               [sheet](TTitul &w) { exportSection(w.session(), sheet, &w); });
        window.registerCommand(QLatin1String(importing), [sheet](TTitul &w) {
            if (sheet == sheets::Sheet::Cassettes && w.session().cassettesReadOnly()) {
                dialogs::information(TTitul::others(QStringLiteral("002")), kCassettesReadOnly);
                return;
            }
            importSection(w.session(), sheet, &w);
        });
    }
    window.registerCommand(QStringLiteral("cassettes.edit"), changingCassettes<TUprav_kazetu>());
    window.registerCommand(QStringLiteral("cassettes.browse"), TTitul::modal<TProhlizej_kazetu>());
    window.registerCommand(QStringLiteral("cassettes.delete"), changingCassettes<TZrusit_vk>());

    // Music CDs.
    window.registerCommand(QStringLiteral("cds.show"), TTitul::modal<TZobrazit_CD_Data>());
    window.registerCommand(QStringLiteral("cds.new"), TTitul::modal<TNovy_CD_disk>());
    window.registerCommand(QStringLiteral("cds.edit"), TTitul::modal<TOpravit_CD_disk>());
    window.registerCommand(QStringLiteral("cds.delete"), TTitul::modal<TZrusit_CD>());

    // Lending.
    window.registerCommand(QStringLiteral("lending.lendCassette"),
                           changingCassettes<TZapsat_pujceni>());
    window.registerCommand(QStringLiteral("lending.returnCassette"),
                           changingCassettes<TVraceni_kazety>());
    window.registerCommand(QStringLiteral("lending.cassettesAway"),
                           TTitul::modal<TZobrazeni_zapujcek>());
    window.registerCommand(QStringLiteral("lending.cassettesAwayReminder"),
                           reminding<TZobrazeni_zapujcek>());
    window.registerCommand(QStringLiteral("lending.cassetteArchive"), TTitul::modal<TArchiv>());
    window.registerCommand(QStringLiteral("lending.cassetteHistoryByNumber"),
                           TTitul::modal<TSledovani_kazety>());
    window.registerCommand(QStringLiteral("lending.cassetteHistoryByPerson"),
                           TTitul::modal<TSledovani_podle_osoby>());
    window.registerCommand(QStringLiteral("lending.cassetteChartByNumber"),
                           TTitul::modal<TZobraz_archiv_vk_dografu>());
    window.registerCommand(QStringLiteral("lending.cassetteChartByPerson"),
                           TTitul::modal<TZobraz_archiv_vk_dografu2>());
    window.registerCommand(QStringLiteral("lending.cdChartByNumber"),
                           TTitul::modal<TZobraz_archiv_cd_dografu>());
    window.registerCommand(QStringLiteral("lending.cdChartByPerson"),
                           TTitul::modal<TZobraz_archiv_cd_dografu2>());
    window.registerCommand(QStringLiteral("lending.lendCd"), TTitul::modal<TZapsat_pujceni_CD>());
    window.registerCommand(QStringLiteral("lending.returnCd"), TTitul::modal<TVraceni_CDForm>());
    window.registerCommand(QStringLiteral("lending.cdsAway"),
                           TTitul::modal<TZobrazeni_zapujcekCD>());
    window.registerCommand(QStringLiteral("lending.cdsAwayReminder"),
                           reminding<TZobrazeni_zapujcekCD>());
    window.registerCommand(QStringLiteral("lending.cdArchive"), TTitul::modal<TArchivCD>());
    window.registerCommand(QStringLiteral("lending.cdHistoryByNumber"),
                           TTitul::modal<TSledovani_CD>());
    window.registerCommand(QStringLiteral("lending.cdHistoryByPerson"),
                           TTitul::modal<TSledovani_CD2>());

    // Searches.
    window.registerCommand(QStringLiteral("search.films"), TTitul::modal<THledej_film>());
    window.registerCommand(QStringLiteral("search.freePosition"),
                           TTitul::modal<TVyhledej_Pozici>());
    window.registerCommand(QStringLiteral("search.songs"), TTitul::modal<THledej_Skladbu>());

    window.registerCommand(QStringLiteral("search.cassetteStatistics"),
                           TTitul::modal<TStatistika>());
    window.registerCommand(QStringLiteral("search.cdStatistics"), TTitul::modal<TStatistikaCD>());
    window.registerCommand(QStringLiteral("search.cassetteDatabaseInfo"),
                           TTitul::modal<TInf_databaze>());
    window.registerCommand(QStringLiteral("search.cdDatabaseInfo"),
                           TTitul::modal<TInf_databazecd>());
    window.registerCommand(QStringLiteral("external.cassetteSearch"),
                           TTitul::modal<exchange::THledej_Ext_Data>());
    window.registerCommand(QStringLiteral("external.cdSearch"),
                           TTitul::modal<exchange::THledej_Ext_Data_CD>());

    // Printing.
    window.registerCommand(QStringLiteral("external.cassetteManager"),
                           TTitul::modal<TExterni_VK>());
    window.registerCommand(QStringLiteral("external.cdManager"), TTitul::modal<TExterni_CD>());
    window.registerCommand(QStringLiteral("external.cassetteExport"),
                           TTitul::modal<TExporting_my_VK>());
    window.registerCommand(QStringLiteral("external.cdExport"), TTitul::modal<TExporting_my_CD>());
    window.registerCommand(QStringLiteral("printing.printer"), TTitul::modal<TCentr>());
    window.registerCommand(QStringLiteral("printing.cassetteList"), TTitul::modal<TTisk>());
    window.registerCommand(QStringLiteral("printing.cassetteListInfo"),
                           TTitul::modal<TTisk_info>());
    window.registerCommand(QStringLiteral("printing.cassetteFrom"), TTitul::modal<TVyber_Tisk>());
    window.registerCommand(QStringLiteral("printing.cassetteSorted"),
                           TTitul::modal<TTisk_Abeceda>());
    window.registerCommand(QStringLiteral("printing.cdTracksSorted"),
                           TTitul::modal<TTisk_AbecedaCD>());
    window.registerCommand(QStringLiteral("printing.labels"), TTitul::modal<TVice_Etiket>());
    // No menu item: the browse screen's label button runs it over the
    // cassette it shows.
    window.registerCommand(QStringLiteral("printing.singleLabel"), TTitul::modal<TTisk_etiket>());
    window.registerCommand(QStringLiteral("printing.cdList"), TTitul::modal<TTisk_CD_Seznamu>());
    window.registerCommand(QStringLiteral("printing.cdFrom"), TTitul::modal<TVyber_TiskCD>());

    // External catalogues.
    window.registerCommand(QStringLiteral("external.cassetteReports"),
                           TTitul::modal<TExterni_Tisky>());
    window.registerCommand(QStringLiteral("external.cdReports"), TTitul::modal<TExterni_TiskyCD>());

    // Backup and restore.
    window.registerCommand(QStringLiteral("backup.cassettes"), TTitul::modal<TJina_zaloha>());
    window.registerCommand(QStringLiteral("restore.cassettes"), TTitul::modal<TJina_obnova>());
    window.registerCommand(QStringLiteral("backup.cds"), TTitul::modal<TJina_zalohacd>());
    window.registerCommand(QStringLiteral("restore.cds"), TTitul::modal<TJina_obnovacd>());
}

} // namespace velmora
