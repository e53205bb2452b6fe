#pragma once

#include "search/SearchScreen.h"
#include "transfer/ExternalSearch.h"

namespace velmora::exchange {

// What the two searches over imported catalogues add to a search screen:
// the header with the size of all imported catalogues, the found-owner
// list, the count of owners beside the rows found, and the warning of the
// catalogues that could not be read. The catalogues are only read, and
// none stays open.
class ExternalSearchScreen : public SearchScreen
{
    Q_OBJECT
public:
    const ExternalSearchResult &found() const { return m_found; }
    int foundCount() const { return int(m_found.rows.size()); }

protected:
    using SearchScreen::SearchScreen;
    void FormShow() override;
    void forget() override { m_found = ExternalSearchResult(); }

    // The header's counts of a result table just built.
    QList<int> totals(const ExternalTotals &totals);
    // The counters of the last search: its rows, and beside them every
    // registered owner.
    QList<int> counts() const { return {foundCount(), m_registered}; }

    ExternalSearchResult m_found;

private:
    int m_registered = 0;
    QList<SkippedCatalogue> m_skipped;
};

} // namespace velmora::exchange
