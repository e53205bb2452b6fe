#pragma once

#include "finding/FoundList.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QBoxLayout;
class QProgressBar;
class QPushButton;
class QWidget;

namespace velmora {

class ReportPane;
class ReportWriter;

// Fills the result pane as the searches do: the gauge runs to the count
// while the lines are written and "Zobrazit detaily" appears; with nothing
// found the gauge stands full at 100 and the button stays hidden.
void showSearchResults(ReportPane &pane, report::Mode mode, QProgressBar &gauge, QWidget &details,
                       const QString &notFound, int count,
                       const std::function<QString(int)> &lineAt,
                       const SearchPaneStyle &style = {});

// The gauge and the pane of a search after a change of its criteria.
void clearSearchResults(ReportPane &pane, QProgressBar &gauge, QWidget &details);

// The lower part of every search screen: the result pane, then the gauge
// "Stav prohledávání:" (its caption named captionName) with the details and
// close buttons; added to layout.
struct ResultArea
{
    ReportPane *pane;
    QProgressBar *progress;
    QPushButton *details;
    QPushButton *close;
};
ResultArea addResultArea(QWidget &screen, QBoxLayout &layout, const QString &captionName);

} // namespace velmora
