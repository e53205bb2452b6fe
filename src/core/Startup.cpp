#include "core/Startup.h"

#include "core/MainWindow.h"
#include "core/Splash.h"
#include "platform/Dialogs.h"
#include "platform/MachineInfo.h"
#include "session/Language.h"
#include "session/Settings.h"
#include "session/StartupPlan.h"
#include "storage/Interrupted.h"
#include "storage/NumberRepair.h"
#include "storage/Overdue.h"
#include "storage/Paths.h"
#include "storage/Storage.h"
#include "system/InstanceLock.h"
#include "system/SystemInfo.h"
#include "system/Version.h"

#include <QDir>
#include <QFile>

namespace velmora {
namespace {

// Asks whether to show the overdue items of a catalogue table, and those
// whose loan start cannot be read; Yes opens the items-away screen in its
// reminder mode.
void remind(TTitul &window, Table &table, bool cds, const QString &questionKey,
            const QString &reminderAction, const QDate &today)
{
    const LoanCheck check = startup::checkCatalogue(window.session(), table, today);
    if (check.announced() == 0)
        return;
    if (!dialogs::question(TTitul::others(QStringLiteral("002")),
                           startup::reminderText(check, TTitul::others(questionKey), cds)))
        return;
    window.session().runHoldingOpen(table, [&] { window.runAction(reminderAction); });
}

// Numbers a spreadsheet shortened ("1" for "00001") are offered to be put
// right, after a safety copy; tables that may not be written yet (a data.dbf
// of the old format, a database of the previous generation) wait for their
// conversion.
void offerNumberRepair(TTitul &window)
{
    if (window.settings().storedVersion == version::kPreviousGeneration)
        return;
    for (const backup::Set set : {backup::Set::Cassettes, backup::Set::Cds}) {
        if (set == backup::Set::Cassettes && window.settings().cassettesReadOnly)
            continue;
        const numbers::Finding found = numbers::find(set);
        if (found.empty())
            continue;
        const QString caption = TTitul::others(QStringLiteral("002"));
        if (found.fixable.isEmpty()) {
            dialogs::warning(caption, numbers::collisionsOnly(found));
            continue;
        }
        if (!dialogs::question(caption, numbers::question(found)))
            continue;
        const numbers::Outcome done =
            numbers::repair(set, QDateTime::currentDateTime(), version::kText);
        if (done.problem.isEmpty())
            dialogs::information(caption, done.message());
        else
            dialogs::error(QStringLiteral("Chyba"), done.message());
    }
}

} // namespace

bool claimDataDirectory(InstanceLock &lock, const QString &dataDir)
{
    if (lock.acquire(dataDir))
        return true;
    dialogs::error(
        TTitul::others(QStringLiteral("006")),
        QStringLiteral(
            "Program Velmora již pracuje s daty v adresáři %1. Druhé spuštění nad stejnými "
            "daty není možné, program bude ukončen.")
            .arg(QDir::toNativeSeparators(dataDir)));
    return false;
}

bool screenCheck(int width, int height)
{
    if (width >= 800 && height >= 600)
        return true;
    return dialogs::question(TTitul::others(QStringLiteral("002")),
                             TTitul::others(QStringLiteral("003")));
}

bool prepareMainWindow(TTitul &window)
{
    const SystemCode system = detectSystem();
    window.setSystemText(system.text);
    window.settings().printerAvailable = !machine::currentPrinterName().isEmpty();

    lang::load(startup::storedLanguage());
    const machine::ScreenSize screen = machine::screenSize();
    if (!screenCheck(screen.width, screen.height))
        return false;

    try {
        Storage::prepareDirectories();
    } catch (const DbError &e) {
        dialogs::showError(e);
    }
    QStringList errors;
    settings::load(window.settings(), system, errors);
    for (const QString &message : errors)
        dialogs::error(QStringLiteral("Chyba"), message);
    lang::load(window.settings().language);
    // Work that an earlier run did not live to finish is undone before any
    // table is opened.
    for (const QString &message : interrupted::undoInterrupted(Paths::dataDir()))
        dialogs::information(QStringLiteral("Upozornění"), message);
    try {
        const bool oldFormat = Storage::prepareTables(window.tables());
        // The activation runs the format upgrade once and clears that state;
        // the read-only flag lasts for the whole run.
        window.setOldFormat(oldFormat);
        window.settings().cassettesReadOnly = oldFormat;
    } catch (const DbError &e) {
        dialogs::showError(e);
    }
    offerNumberRepair(window);
    window.setStarting(true);
    return true;
}

StartOutcome firstShowing(TTitul &window, const QStringList &positionalArguments,
                          const QDate &today)
{
    SettingsRecord &s = window.settings();
    window.applyLanguage();
    window.setHelpAvailable(QFile::exists(Paths::dataFile(version::kHelpFile)));
    window.setUpgradeText(QStringLiteral("All Windows® tested!"));

    const startup::FirstShowing plan =
        startup::planFirstShowing(s, positionalArguments, window.oldFormat());
    if (plan.convert) {
        window.runAction(QStringLiteral("core.conversion"));
        return StartOutcome::End;
    }
    if (plan.autoRun) {
        s.autoRunStart = true;
        TSplashScreen2 check(window, true, today);
        dialogs::exec(check);
        return StartOutcome::End;
    }

    if (plan.splash) {
        TSplashScreen splash(&window);
        dialogs::exec(splash);
    }
    const auto guarded = [](const std::function<void()> &step) {
        try {
            step();
        } catch (const std::exception &e) {
            dialogs::showError(e);
        }
    };
    if (plan.remindCassettes)
        guarded([&] {
            remind(window, window.tables().Table1, false, QStringLiteral("007"),
                   QStringLiteral("lending.cassettesAwayReminder"), today);
        });
    if (plan.remindCds)
        guarded([&] {
            remind(window, window.tables().CD_Table1, true, QStringLiteral("008"),
                   QStringLiteral("lending.cdsAwayReminder"), today);
        });
    if (plan.news) {
        guarded([&] {
            window.runAction(QStringLiteral("core.news"));
            startup::recordNewsShown(s);
        });
    }
    if (plan.readOnlyNotice)
        dialogs::information(TTitul::others(QStringLiteral("002")), kCassettesReadOnly);
    if (plan.printerNotice)
        dialogs::information(TTitul::others(QStringLiteral("002")),
                             TTitul::others(QStringLiteral("009")));

    window.selectSection(plan.section == 2 ? TTitul::Cds : TTitul::Cassettes);
    window.setStarting(false);
    window.sectionChanged();
    return StartOutcome::Run;
}

} // namespace velmora
