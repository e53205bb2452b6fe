#include "reports/CassetteFromScreen.h"

#include "listing/CassetteListRuns.h"
#include "session/Session.h"

#include <QLabel>
#include <QPushButton>

namespace velmora {

TTisk_02::TTisk_02(Session &session, const QString &from, QWidget *parent)
    : ReportScreen(session, parent), m_from(from)
{
    setObjectName(QStringLiteral("Tisk_02"));
    setWindowTitle(QStringLiteral("Tisk pouze vybraného intervalu kazet ..."));
    titleLabel()->setText(QStringLiteral("Vybraná tisková sestava:"));
    printButton()->setText(QStringLiteral("Vytiskni sestavu"));
}

void TTisk_02::FormShow()
{
    const ListRun run = cassettesFromRun(session().tables(), m_from);
    writeWithProgress(run.steps, run.write);
}

} // namespace velmora
