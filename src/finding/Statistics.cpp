#include "finding/Statistics.h"

#include "engine/Collation.h"
#include "engine/Table.h"
#include "session/Session.h"
#include "storage/TableFiles.h"
#include "storage/TableHandles.h"
#include "writer/ReportText.h"
#include "writer/ReportWriter.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace velmora {
namespace {

const QByteArray kStyleColours =
    QByteArrayLiteral("{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}");

} // namespace

CassetteStatistics cassetteStatistics(const Table &t)
{
    CassetteStatistics s;
    std::vector<int> titles, speeds;
    for (int n = 1; n <= 5; ++n) {
        titles.push_back(t.requireField(QStringLiteral("film%1").arg(n)));
        speeds.push_back(t.requireField(QStringLiteral("ry%1").arg(n)));
    }
    const int lent = t.requireField(QStringLiteral("pujceno"));
    for (int rec : t.visibleRecords()) {
        ++s.cassettes;
        if (t.asStringAt(rec, lent) == QLatin1String("True"))
            ++s.lent;
        for (size_t n = 0; n < titles.size(); ++n) {
            if (!t.asStringAt(rec, titles[n]).isEmpty())
                ++s.films;
            const QString speed = t.asStringAt(rec, speeds[n]);
            if (speed == QLatin1String("SP"))
                ++s.sp;
            else if (speed == QLatin1String("LP"))
                ++s.lp;
            else if (speed == QLatin1String("EP"))
                ++s.ep;
        }
    }
    return s;
}

int lentCount(const Table &t)
{
    const int lent = t.requireField(QStringLiteral("pujceno"));
    int count = 0;
    for (int rec : t.visibleRecords())
        if (t.asStringAt(rec, lent) == QLatin1String("True"))
            ++count;
    return count;
}

std::vector<StyleCount> tracksPerStyle(const Table &t)
{
    // Counted by exact name in one walk: a style with an apostrophe or any
    // other character counts like the rest.
    const int style = t.requireField(QStringLiteral("Styl"));
    QHash<QString, int> counts;
    for (int rec : t.visibleRecords())
        ++counts[t.asStringAt(rec, style)];
    std::vector<std::pair<std::string, StyleCount>> keyed;
    keyed.reserve(size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        keyed.push_back({czechSortKey(it.key()), {it.key(), it.value()}});
    std::sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first < b.first : a.second.first < b.second.first;
    });
    std::vector<StyleCount> out;
    out.reserve(keyed.size());
    for (auto &k : keyed)
        out.push_back(std::move(k.second));
    return out;
}

void writeStyleStatistics(ReportWriter &w, const std::vector<StyleCount> &styles)
{
    w.opening(kStyleColours, 3, 20);
    w.style(report::kRed, 12, true);
    w.fragment(QStringLiteral("\\cf2\\b\\fs26"));
    w.line(QStringLiteral(" Statistika skladeb:"));
    w.style(report::kBlack, 10, true);
    w.blank();
    w.fragment(QStringLiteral("\\cf1\\b\\fs22\\par"));
    if (styles.empty()) {
        w.line(QStringLiteral(" Skladby na CD nenalezeny ..."));
        return;
    }
    for (const StyleCount &s : styles)
        w.line(report::format(u" %-25s  %-5s", {s.first, report::NumberText(s.second)}));
}

QString fileSizeText(qint64 bytes)
{
    const qint64 hundredths = bytes * 100 / 1024;
    QString text = QString::number(hundredths / 100);
    int fraction = int(hundredths % 100);
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 2, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char(',') + digits;
    }
    return text + QStringLiteral(" kB");
}

QString fileSizeOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("soubor nenalezen");
    return fileSizeText(info.size());
}

int recordCountOf(const QString &path)
{
    return QFileInfo::exists(path) ? readOnlyRecordCount(path) : 0;
}

CassetteStatistics catalogueCassetteStatistics(TableHandles &tables)
{
    Table items;
    items.setPath(tables.Table1.path());
    items.open(Table::Mode::ReadOnly);
    return cassetteStatistics(items);
}

CdStatistics catalogueCdStatistics(TableHandles &tables)
{
    CdStatistics s;
    Table items;
    items.setPath(tables.CD_Table1.path());
    items.open(Table::Mode::ReadOnly);
    s.lent = lentCount(items);
    s.titles = items.recordCount();
    Table tracks;
    tracks.setPath(tables.CD_Table2.path());
    tracks.open(Table::Mode::ReadOnly);
    s.tracks = tracks.recordCount();
    s.styles = tracksPerStyle(tracks);
    return s;
}

CatalogueFacts catalogueFacts(TableHandles &t, bool cds)
{
    CatalogueFacts f;
    if (cds) {
        f.items = recordCountOf(t.CD_Table1.path());
        f.itemsSize = fileSizeOf(t.CD_Table1.path());
        f.tracksSize = fileSizeOf(t.CD_Table2.path());
        f.tracks = recordCountOf(t.CD_Table2.path());
        f.archive = recordCountOf(t.CD_Archiv.path());
        f.genres = recordCountOf(t.Users_04.path());
        f.sources = recordCountOf(t.Users_03.path());
    } else {
        f.items = recordCountOf(t.Table1.path());
        f.itemsSize = fileSizeOf(t.Table1.path());
        f.archive = recordCountOf(t.Table2.path());
        f.genres = recordCountOf(t.Users_01.path());
        f.sources = recordCountOf(t.Users_02.path());
    }
    return f;
}

void runOverAwayItems(Session &session, bool cds)
{
    TableHandles &t = session.tables();
    if (cds)
        session.runOverLentItems(t.CD_Table1, QStringLiteral("cislocd"),
                                 QStringLiteral("lending.cdsAway"));
    else
        session.runOverLentItems(t.Table1, QStringLiteral("cislo"),
                                 QStringLiteral("lending.cassettesAway"));
}

} // namespace velmora
