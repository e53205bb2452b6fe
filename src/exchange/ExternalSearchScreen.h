#pragma once

#include "search/SearchScreen.h"
#include "transfer/ExternalSearch.h"

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;

namespace velmora {

namespace exchange {

// What the two searches over imported catalogues share: the header with the
// size of all imported catalogues, the search text with its case box, the
// genre or style restriction, the counters of a search, the result pane and
// its gauge. The result table is built each time the screen opens; the
// catalogues are only read, and none stays open.
class ExternalSearchScreen : public SearchScreen
{
    Q_OBJECT
public:
    struct Texts
    {
        QString objectName;
        QString caption;
        QString itemsLabel;  // "Součet všech externích VK:"
        QString rowsLabel;   // "Součet filmů v databázích:"
        QString ownersLabel; // "Počet majitelů ext. VK       :"
        QString textLabel;   // "Film, který se má hledat:"
        QString note;        // "Pozn.: Při vložení * ..."
        QString styleName;   // the accessible name of ComboBox1
        QString foundLabel;  // "Nalezeno filmů  : "
        QString foundName;   // "Filmu_je"
        QString whereLabel;  // "U ext. uživatelů:"
        QString whereName;   // "U_kolika"
        QString notFound;    // the pane's line when nothing passes
        QStringList staleFiles;
        bool speeds = false; // the four speed buttons of the cassettes
        // A click on the case box clears what the last search showed
        // (CDs), or only takes effect with the next search (cassettes).
        bool caseClears = false;
    };

    ExternalSearchScreen(Session &session, const Texts &texts, QWidget *parent);
    ~ExternalSearchScreen() override;

    // The case flag of the last search, which the details follow even when
    // the box was clicked since.
    bool caseSensitive() const { return m_caseSensitive; }
    const ExternalSearchResult &found() const { return m_found; }
    int foundCount() const { return int(m_found.rows.size()); }

public slots:
    void search() override;      // "Vyhledat !"
    void showDetails() override; // "Zobrazit detaily"

protected:
    void FormShow() override;
    void FormClose() override;

    // The entries of the restriction list after its empty one.
    virtual QStringList styles() = 0;
    // Builds the result table from the catalogues of the register.
    virtual const ExternalTotals &build() = 0;
    // Runs a search over the result table and keeps its criteria; the text
    // comes folded when the search is case-insensitive.
    virtual ExternalSearchResult run(const QString &text, const QString &style,
                                     const QString &speed, bool caseSensitive) = 0;
    // Line k of the pane, over the rows found.
    virtual std::function<QString(int)> lineAt(const std::vector<int> &found) const = 0;
    virtual SearchPaneStyle paneStyle() const = 0;
    // Shows the details window over the last search.
    virtual void execDetails() = 0;

private:
    // The reset after a change of the criteria; the restriction box keeps
    // the enabled state of the other criteria (keepEnabled).
    void reset(bool keepEnabled = false);
    void styleRestrictionClicked();
    void caseClicked();
    void clearResults();
    QString speed() const;

    Texts m_texts;
    bool m_caseSensitive = false;
    ExternalSearchResult m_found;

    QLabel *m_items = nullptr;
    QLabel *m_rows = nullptr;
    QLabel *m_owners = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QButtonGroup *m_speeds = nullptr;
    QCheckBox *m_restrictStyle = nullptr;
    QComboBox *m_styles = nullptr;
    QLabel *m_foundCount = nullptr;
    QLabel *m_where = nullptr;
};

} // namespace exchange
} // namespace velmora
