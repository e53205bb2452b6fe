#pragma once

// What every search shares apart from its screen: the criteria string, the
// cp1250 case fold, the found list and the head of the result pane.

#include "writer/ReportText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace velmora {

class ReportWriter;

// Field k (1-based) of a "|"-joined string; empty beyond the last field.
QString criteriaField(const QString &criteria, int k);

// The upper-case form a case-insensitive search compares: every letter of
// cp1250 that has a capital there is folded ("č" to "Č"), nothing else.
QString upperCp1250(const QString &text);
// Whether upperCp1250(text) contains upperNeedle (already folded).
bool containsUpperCp1250(QStringView text, QStringView upperNeedle);

// The found list of a search: the distinct item numbers of its passing
// rows in result order, at most this many.
inline constexpr int kFoundListLimit = 1000;

struct FoundList
{
    QStringList numbers;
    bool cut = false; // more items matched than the list holds
    int items = 0;    // every distinct item, also those past the limit
};

// Collects a found list row by row: a row whose number differs from the
// row before it starts one more item. Rows of one item stand together in
// the result tables, so this is also the distinct count.
class FoundCollector
{
public:
    // Whether the row started a new item.
    bool add(const QString &number);
    const FoundList &list() const { return m_list; }
    FoundList take() { return std::move(m_list); }

private:
    FoundList m_list;
    QString m_previous;
};

// The colour table of the search panes: black and red only.
extern const QByteArray kSearchColours;

// Where the panes of the searches differ beyond their lines: the size of
// the head in line mode (0 keeps the pane's), and markup the document puts
// before each line.
struct SearchPaneStyle
{
    int headSize = 0;
    QString lineMarkup;
};

// The result pane of a search: its head, then one line per passing row
// (lineAt(k) for k = 0 .. count-1; progress is told the count written
// after each), or the note that nothing was found.
void writeSearchResults(ReportWriter &w, const QString &notFound, int count,
                        const std::function<QString(int)> &lineAt,
                        const std::function<void(int written)> &progress = {},
                        const SearchPaneStyle &style = {});

} // namespace velmora
