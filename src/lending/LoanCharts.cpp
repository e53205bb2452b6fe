#include "lending/LoanCharts.h"

#include "loans/LendingViews.h"
#include "platform/Dialogs.h"
#include "session/Session.h"

namespace velmora {

struct LoanChartWindow::Design
{
    const ArchiveView &view;
    ScreenWords words;
    const char *line1;
    const char *line2;
};

namespace {

constexpr LoanChartWindow::Design kCassettesByNumberChart{
    kCassettesByNumber,
    {"Zobraz_archiv_vk_dografu", "Grafické zobrazení  archivu půjčovaných Videokazet ..."},
    "Statistika půjčování videokazet - zobrazení podle jednotlivých čísel videokazet",
    "(zobrazen je počet půjčení dané videokazety)",
};

constexpr LoanChartWindow::Design kCassettesByPersonChart{
    kCassettesByPerson,
    {"Zobraz_archiv_vk_dografu2",
     "Grafické zobrazení  archivu půjčovaných Videokazet podle půjčujících ..."},
    "Statistika půjčování videokazet - zobrazení podle jednotlivých jmen půjčujících",
    "(zobrazen je počet půjčení videokazet)",
};

constexpr LoanChartWindow::Design kCdsByNumberChart{
    kCdsByNumber,
    {"Zobraz_archiv_cd_dografu", "Grafické zobrazení  archivu půjčovaných hudebních CD ..."},
    "Statistika půjčování hudebních CD - zobrazení podle jednotlivých čísel CD",
    "(zobrazen je počet půjčení daného CD disku)",
};

constexpr LoanChartWindow::Design kCdsByPersonChart{
    kCdsByPerson,
    {"Zobraz_archiv_cd_dografu2",
     "Grafické zobrazení  archivu půjčovaných hudebních CD podle půjčujících ..."},
    "Statistika půjčování hudebních CD - zobrazení podle jednotlivých jmen půjčujících",
    "(zobrazen je počet půjčení hudebního CD)",
};

} // namespace

TZobraz_archiv_vk_dografu::TZobraz_archiv_vk_dografu(Session &session, QWidget *parent)
    : LoanChartWindow(kCassettesByNumberChart, session, parent)
{
}

TZobraz_archiv_vk_dografu2::TZobraz_archiv_vk_dografu2(Session &session, QWidget *parent)
    : LoanChartWindow(kCassettesByPersonChart, session, parent)
{
}

TZobraz_archiv_cd_dografu::TZobraz_archiv_cd_dografu(Session &session, QWidget *parent)
    : LoanChartWindow(kCdsByNumberChart, session, parent)
{
}

TZobraz_archiv_cd_dografu2::TZobraz_archiv_cd_dografu2(Session &session, QWidget *parent)
    : LoanChartWindow(kCdsByPersonChart, session, parent)
{
}

LoanChartWindow::LoanChartWindow(const Design &design, Session &session, QWidget *parent)
    : BarChartWindow(session, parent), m_design(design), m_session(session)
{
    nameScreen(*this, design.words);
    setTitleLines(kindText(design.line1), kindText(design.line2));
}

ItemKind LoanChartWindow::kind() const
{
    return m_design.view.kind;
}

bool LoanChartWindow::byPerson() const
{
    return m_design.view.byPerson;
}

void LoanChartWindow::FormShow()
{
    const ArchiveView &view = m_design.view;
    m_series.clear();
    try {
        const std::vector<ArchiveRow> rows = archiveRows(m_session.tables().*view.archive);
        if (view.byPerson) {
            m_series = loansPerBorrower(rows);
        } else {
            const Table &items = m_session.tables().*view.items;
            m_series = loansPerItem(catalogueNumbers(items.path(), view.kind), rows);
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
