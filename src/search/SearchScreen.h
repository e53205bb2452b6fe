#pragma once

#include "platform/ScreenDialog.h"
#include "search/SearchResults.h"
#include "writer/ReportText.h"

#include <QList>
#include <QStringList>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace velmora {

class ReportPane;
class Session;

// What every search screen over a result table shares, the own and the
// imported catalogues' alike: the header with the size of the catalogue,
// the search text with its case box, the genre or style restriction (and
// on cassettes the speed), "Vyhledat !" with the counters of a search, the
// result pane and its gauge. A screen is told apart by its Description and
// its hooks into the result table it builds at each opening.
class SearchScreen : public ScreenDialog
{
    Q_OBJECT
public:
    // A count and the caption before it; name is the count's objectName.
    struct Counter
    {
        QString caption;
        QString name;
    };
    // What GroupBox2 holds beside the restriction.
    enum class Params
    {
        Speeds,      // "Parametry:" with the four speeds
        SpeedsAtTop, // the same, its rows kept to the top of a taller box
        Style,       // nothing: the restriction alone, at the top
    };
    // What a click on the case box does: the common reset, clearing only
    // what the last search showed, or nothing until the next search.
    enum class CaseClick
    {
        Resets,
        ClearsShown,
        Waits
    };

    struct Description
    {
        QString objectName;
        QString caption;
        QList<Counter> totals;      // the header, in the order build() counts
        bool totalsStacked = false; // one under another instead of in a row
        QString textLabel;          // the caption of the search text
        QString note;               // "Pozn.: Při vložení * ..."
        int styleList = 1;          // the user list that ComboBox1 offers
        QString styleName;          // the accessible name of ComboBox1
        Params params = Params::Speeds;
        QList<Counter> found; // beside "Vyhledat !", in the order run() counts
        QString notFound;     // the pane's line when nothing passes
        SearchPaneStyle paneStyle;
        CaseClick caseClick = CaseClick::Resets;
        QStringList staleFiles; // work files removed from the own temp directory
    };

    Session &session() const { return m_session; }
    report::Mode mode() const;
    ReportPane *pane() const { return m_pane; }
    // The case flag of the last search, which the details follow even when
    // the box was clicked since.
    bool caseSensitive() const { return m_caseSensitive; }

public slots:
    void search();                  // "Vyhledat !"
    virtual void showDetails() = 0; // "Zobrazit detaily"

protected:
    SearchScreen(Session &session, const Description &description, QWidget *parent);
    void changeEvent(QEvent *event) override;
    void FormShow() override;
    void FormClose() override;

    // Builds the result table and returns the header's counts.
    virtual QList<int> build() = 0;
    // Runs a search over the result table and keeps its criteria and what
    // passed; the text comes folded when the search is case-insensitive,
    // the style and speed are "*" for any. Returns the found counters, the
    // first of them the number of passing rows.
    virtual QList<int> run(const QString &text, const QString &style, const QString &speed,
                           bool caseSensitive) = 0;
    // Line k of the pane, over the rows of the last search.
    virtual std::function<QString(int)> line() const = 0;
    // Empties what the last search found.
    virtual void forget() = 0;

private:
    void addParams(QWidget *box);
    // The reset after a change of the criteria; the restriction box keeps
    // the enabled state of the other criteria (keepEnabled).
    void reset(bool keepEnabled = false);
    void styleRestrictionClicked();
    void caseClicked();
    void clearShown();
    QString speed() const;

    Session &m_session;
    const Description m_description;
    bool m_caseSensitive = false;

    QList<QLabel *> m_totals;
    QList<QLabel *> m_found;
    QLineEdit *m_text = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QButtonGroup *m_speeds = nullptr;
    QCheckBox *m_restrictStyle = nullptr;
    QComboBox *m_styles = nullptr;
    QPushButton *m_search = nullptr;
    ReportPane *m_pane = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_details = nullptr;
};

} // namespace velmora
