#include "reports/CassetteFromScreen.h"

#include "engine/Table.h"
#include "listing/CassetteLists.h"
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
    Table &t = session().tables().Table1;
    t.setFiltered(false);
    t.setFilter(QString());
    const std::vector<int> records = t.visibleRecords();
    const CassetteColumns c(t);
    int count = 0;
    bool found = false;
    for (const int rec : records) {
        found = found || t.asStringAt(rec, c.number) == m_from;
        count += found ? 1 : 0;
    }
    writeWithProgress(found ? count : int(records.size()),
                      [&](ReportWriter &w, const std::function<void()> &visited) {
                          writeCassettesFrom(w, t, m_from, visited);
                      });
}

} // namespace velmora
