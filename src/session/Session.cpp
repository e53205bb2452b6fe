#include "session/Session.h"

#include <QScopeGuard>

namespace velmora {

bool Session::runGuarded(Table &table, bool lentOnly, bool unfilter, const QString &index,
                         const std::function<void()> &run,
                         const std::function<void(const std::exception &)> &cleanupFailed) const
{
    table.open(openMode(table));
    const auto cleanUp = qScopeGuard([&] {
        try {
            if (lentOnly || unfilter)
                table.setFiltered(false);
            if (lentOnly)
                table.setFilter(QString());
            table.close();
        } catch (const std::exception &e) {
            cleanupFailed(e);
        }
    });
    if (lentOnly) {
        table.setFilter(QStringLiteral("Pujceno=True"));
        table.setFiltered(true);
    }
    if (table.recordCount() == 0)
        return false;
    if (!index.isEmpty())
        table.setIndex(index);
    run();
    return true;
}

void Session::runHoldingOpen(Table &table, const std::function<void()> &run) const
{
    table.open(openMode(table));
    try {
        run();
    } catch (...) {
        table.close();
        throw;
    }
    table.close();
}

} // namespace velmora
