#include "lending/LoanCharts.h"

#include "platform/Dialogs.h"
#include "session/Session.h"

namespace velmora {

struct LoanChartWindow::Design
{
    ItemKind kind;
    bool byPerson;
    const char *name;
    const char *caption;
    const char *line1;
    const char *line2;
    Table TableHandles::*items;
    Table TableHandles::*archive;
};

namespace {

constexpr LoanChartWindow::Design kCassettesByNumber{
    ItemKind::Cassette,
    false,
    "Zobraz_archiv_vk_dografu",
    "Grafické zobrazení  archivu půjčovaných Videokazet ...",
    "Statistika půjčování videokazet - zobrazení podle jednotlivých čísel videokazet",
    "(zobrazen je počet půjčení dané videokazety)",
    &TableHandles::Table1,
    &TableHandles::Table2,
};

constexpr LoanChartWindow::Design kCassettesByPerson{
    ItemKind::Cassette,
    true,
    "Zobraz_archiv_vk_dografu2",
    "Grafické zobrazení  archivu půjčovaných Videokazet podle půjčujících ...",
    "Statistika půjčování videokazet - zobrazení podle jednotlivých jmen půjčujících",
    "(zobrazen je počet půjčení videokazet)",
    &TableHandles::Table1,
    &TableHandles::Table2,
};

constexpr LoanChartWindow::Design kCdsByNumber{
    ItemKind::Cd,
    false,
    "Zobraz_archiv_cd_dografu",
    "Grafické zobrazení  archivu půjčovaných hudebních CD ...",
    "Statistika půjčování hudebních CD - zobrazení podle jednotlivých čísel CD",
    "(zobrazen je počet půjčení daného CD disku)",
    &TableHandles::CD_Table1,
    &TableHandles::CD_Archiv,
};

constexpr LoanChartWindow::Design kCdsByPerson{
    ItemKind::Cd,
    true,
    "Zobraz_archiv_cd_dografu2",
    "Grafické zobrazení  archivu půjčovaných hudebních CD podle půjčujících ...",
    "Statistika půjčování hudebních CD - zobrazení podle jednotlivých jmen půjčujících",
    "(zobrazen je počet půjčení hudebního CD)",
    &TableHandles::CD_Table1,
    &TableHandles::CD_Archiv,
};

} // namespace

TZobraz_archiv_vk_dografu::TZobraz_archiv_vk_dografu(Session &session, QWidget *parent)
    : LoanChartWindow(kCassettesByNumber, session, parent)
{
}

TZobraz_archiv_vk_dografu2::TZobraz_archiv_vk_dografu2(Session &session, QWidget *parent)
    : LoanChartWindow(kCassettesByPerson, session, parent)
{
}

TZobraz_archiv_cd_dografu::TZobraz_archiv_cd_dografu(Session &session, QWidget *parent)
    : LoanChartWindow(kCdsByNumber, session, parent)
{
}

TZobraz_archiv_cd_dografu2::TZobraz_archiv_cd_dografu2(Session &session, QWidget *parent)
    : LoanChartWindow(kCdsByPerson, session, parent)
{
}

LoanChartWindow::LoanChartWindow(const Design &design, Session &session, QWidget *parent)
    : BarChartWindow(session, parent), m_design(design), m_kind(design.kind),
      m_byPerson(design.byPerson), m_session(session)
{
    setObjectName(QString::fromUtf8(design.name));
    setWindowTitle(QString::fromUtf8(design.caption));
    setTitleLines(QString::fromUtf8(design.line1), QString::fromUtf8(design.line2));
}

void LoanChartWindow::FormShow()
{
    Table &archive = m_session.tables().*m_design.archive;
    m_series.clear();
    try {
        const std::vector<ArchiveRow> rows =
            archive.isOpen() ? readArchive(archive) : std::vector<ArchiveRow>();
        if (m_byPerson) {
            m_series = loansPerBorrower(rows);
        } else {
            const Table &items = m_session.tables().*m_design.items;
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
