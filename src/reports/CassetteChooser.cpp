#include "reports/CassetteChooser.h"

#include "listing/CassetteListRuns.h"
#include "platform/Dialogs.h"
#include "reports/CassetteFromScreen.h"
#include "session/Session.h"

namespace velmora {

TVyber_Tisk::TVyber_Tisk(Session &session, QWidget *parent)
    : StartChooser(session,
                   {QStringLiteral("Vyber_Tisk"),
                    QStringLiteral("Od jakého čísla VK se má tisknout ?"),
                    QStringLiteral("Zvolte si počáteční číslo VK k tisku:"),
                    QStringLiteral("Ti&sknout od nastavené kazety")},
                   parent)
{
}

QStringList TVyber_Tisk::offered()
{
    return listedCassetteNumbers(session().tables());
}

void TVyber_Tisk::showListFrom(const QString &number)
{
    TTisk_02 list(session(), number, this);
    dialogs::exec(list);
}

} // namespace velmora
