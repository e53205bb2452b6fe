#include "exchange/ExternalSearchScreen.h"

#include "platform/Dialogs.h"

namespace velmora::exchange {

void ExternalSearchScreen::FormShow()
{
    SearchScreen::FormShow();
    if (!m_skipped.isEmpty())
        dialogs::warning(QStringLiteral("Upozornění"), skippedText(m_skipped));
}

QList<int> ExternalSearchScreen::totals(const ExternalTotals &totals)
{
    m_registered = totals.registered;
    m_skipped = totals.skipped;
    return {totals.items, totals.rows, totals.registered};
}

} // namespace velmora::exchange
