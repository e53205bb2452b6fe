#include "session/StartupPlan.h"

#include "engine/Table.h"
#include "session/Session.h"
#include "session/Settings.h"
#include "system/SettingsStore.h"
#include "system/Version.h"

namespace velmora::startup {

QString storedLanguage()
{
    try {
        const SettingsStore s = SettingsStore::own();
        if (s.exists(settings::kLanguage))
            return s.readString(settings::kLanguage);
    } catch (const std::exception &) {
        // a wrongly typed value is reported when the settings are loaded
    }
    return QStringLiteral("Czech.set");
}

FirstShowing planFirstShowing(const SettingsRecord &s, const QStringList &arguments, bool oldFormat)
{
    FirstShowing plan;
    if (s.storedVersion == version::kPreviousGeneration) {
        plan.convert = true;
        return plan;
    }
    if (s.autoCheckEntry && !arguments.isEmpty() &&
        arguments.first() == QLatin1String("/AutoRun")) {
        plan.autoRun = true;
        return plan;
    }
    plan.splash = s.showSplash;
    plan.remindCassettes = s.checkCassettes;
    plan.remindCds = s.checkCds;
    plan.news = s.storedVersion != version::kText || s.firstRun;
    // Told once, after the news of an upgrade, before any command can open
    // the cassettes.
    plan.readOnlyNotice = s.cassettesReadOnly && !oldFormat;
    plan.printerNotice = !s.printerAvailable;
    // An unknown value shows the cassettes.
    plan.section = s.lastExit == 2 ? 2 : 1;
    return plan;
}

void recordNewsShown(SettingsRecord &s)
{
    SettingsStore store = SettingsStore::own();
    store.writeString(settings::kVersion, version::kText);
    store.writeString(settings::kDatVerze, version::kDate);
    store.sync();
    s.storedVersion = version::kText;
}

LoanCheck checkCatalogue(Session &session, Table &table, const QDate &today)
{
    table.open(session.openMode(table));
    LoanCheck check;
    try {
        check = checkLoans(table, today);
    } catch (...) {
        table.close();
        throw;
    }
    table.close();
    return check;
}

LoanCheck scanCatalogue(Table &table, const QDate &today, const LoanCheckProgress &progress)
{
    table.open();
    LoanCheck check;
    try {
        progress(0, table.recordCount(), check);
        check = checkLoans(table, today, progress);
    } catch (...) {
        table.close();
        throw;
    }
    table.close();
    return check;
}

QString reminderText(const LoanCheck &check, const QString &overdueQuestion, bool cds)
{
    if (check.unreadable == 0)
        return overdueQuestion;
    const QString unreadable =
        (cds ? QStringLiteral("Ve Vaši databázi jsou hudební CD vedená jako zapůjčená "
                              "s nečitelným datem zapůjčení (počet: %1).")
             : QStringLiteral("Ve Vaši databázi jsou videokazety vedené jako zapůjčené "
                              "s nečitelným datem zapůjčení (počet: %1)."))
            .arg(check.unreadable) +
        QStringLiteral(" U nich nelze posoudit, zda byl termín vrácení překročen.\r\n\r\n");
    return unreadable + (check.overdue > 0 ? overdueQuestion
                                           : QStringLiteral("Chcete zobrazit seznam dlužníků ?"));
}

} // namespace velmora::startup
