#include "reports/CdFromScreen.h"

#include "listing/CdListRuns.h"
#include "platform/Dialogs.h"
#include "session/Session.h"

#include <QEvent>
#include <QLabel>
#include <QScopeGuard>

namespace velmora {

TTisk_04::TTisk_04(Session &session, const QString &number, QWidget *parent)
    : CdTitleListScreen(session, parent), m_number(number)
{
    setObjectName(QStringLiteral("Tisk_04"));
    setWindowTitle(QStringLiteral("Tisk pouze vybraného intervalu hudebních CD titulů"));
    titleLabel()->setText(QStringLiteral("Vybraná tisková sestava:"));
    printButton()->setText(QStringLiteral("Vytiskni sestavu"));
}

void TTisk_04::FormShow()
{
    build();
}

void TTisk_04::build()
{
    if (busy())
        return;
    TableHandles &tables = session().tables();
    try {
        const auto closeTracks = qScopeGuard([&tables] { closeListTracks(tables, false); });
        const std::vector<int> records = titleRecordsFrom(tables, m_number);
        openListTracks(tables);
        writeTitles(CdListKind::From, records);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void TTisk_04::changeEvent(QEvent *event)
{
    CdTitleListScreen::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        pane()->setFocus();
}

TVyber_TiskCD::TVyber_TiskCD(Session &session, QWidget *parent)
    : StartChooser(session,
                   {QStringLiteral("Vyber_TiskCD"),
                    QStringLiteral("Od jakého čísla CD titulu se má tisknout ?"),
                    QStringLiteral("Zvolte počáteční číslo CD titulu:"),
                    QStringLiteral("Ti&sknout od nastaveného titulu")},
                   parent)
{
}

QStringList TVyber_TiskCD::offered()
{
    return listedTitleNumbers(session().tables());
}

void TVyber_TiskCD::showListFrom(const QString &number)
{
    TTisk_04 report(session(), number, this);
    dialogs::exec(report);
}

} // namespace velmora
