#include "lending/LoanCharts.h"

#include "platform/Dialogs.h"
#include "session/Session.h"

namespace velmora {
namespace {

struct Wording
{
    QString objectName, caption, line1, line2;
};

Wording wording(ItemKind kind, bool byPerson)
{
    if (kind == ItemKind::Cassette)
        return byPerson
                   ? Wording{QStringLiteral("Zobraz_archiv_vk_dografu2"),
                             QStringLiteral("Grafické zobrazení  archivu půjčovaných Videokazet "
                                            "podle půjčujících ..."),
                             QStringLiteral("Statistika půjčování videokazet - zobrazení podle "
                                            "jednotlivých jmen půjčujících"),
                             QStringLiteral("(zobrazen je počet půjčení videokazet)")}
                   : Wording{
                         QStringLiteral("Zobraz_archiv_vk_dografu"),
                         QStringLiteral("Grafické zobrazení  archivu půjčovaných Videokazet ..."),
                         QStringLiteral("Statistika půjčování videokazet - zobrazení podle "
                                        "jednotlivých čísel videokazet"),
                         QStringLiteral("(zobrazen je počet půjčení dané videokazety)")};
    return byPerson
               ? Wording{QStringLiteral("Zobraz_archiv_cd_dografu2"),
                         QStringLiteral("Grafické zobrazení  archivu půjčovaných hudebních CD "
                                        "podle půjčujících ..."),
                         QStringLiteral("Statistika půjčování hudebních CD - zobrazení podle "
                                        "jednotlivých jmen půjčujících"),
                         QStringLiteral("(zobrazen je počet půjčení hudebního CD)")}
               : Wording{QStringLiteral("Zobraz_archiv_cd_dografu"),
                         QStringLiteral("Grafické zobrazení  archivu půjčovaných hudebních CD ..."),
                         QStringLiteral("Statistika půjčování hudebních CD - zobrazení podle "
                                        "jednotlivých čísel CD"),
                         QStringLiteral("(zobrazen je počet půjčení daného CD disku)")};
}

} // namespace

LoanChartWindow::LoanChartWindow(ItemKind kind, bool byPerson, Session &session, QWidget *parent)
    : BarChartWindow(session, parent), m_kind(kind), m_byPerson(byPerson), m_session(session)
{
    const Wording w = wording(kind, byPerson);
    setObjectName(w.objectName);
    setWindowTitle(w.caption);
    setTitleLines(w.line1, w.line2);
}

void LoanChartWindow::FormShow()
{
    const bool cd = m_kind == ItemKind::Cd;
    Table &archive = cd ? m_session.tables().CD_Archiv : m_session.tables().Table2;
    m_series.clear();
    try {
        const std::vector<ArchiveRow> rows =
            archive.isOpen() ? readArchive(archive) : std::vector<ArchiveRow>();
        if (m_byPerson) {
            m_series = loansPerBorrower(rows);
        } else {
            const Table &items = cd ? m_session.tables().CD_Table1 : m_session.tables().Table1;
            m_series = loansPerItem(catalogueNumbers(items.path(), m_kind), rows);
        }
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    std::vector<ChartBar> bars;
    bars.reserve(m_series.size());
    for (const LoanBar &b : m_series)
        bars.push_back({b.label, b.loans});
    setBars(std::move(bars));
}

} // namespace velmora
