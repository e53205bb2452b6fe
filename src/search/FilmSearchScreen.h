#pragma once

#include "finding/FilmSearch.h"
#include "search/SearchScreen.h"

#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;

namespace velmora {

// The film search: finds recordings by a piece of their title, narrowed by
// genre and speed, over a result table built from data.dbf at each opening.
// The main window opens data.dbf with the index cislo before and closes it
// after; the screen leaves the table open.
class THledej_film : public SearchScreen
{
    Q_OBJECT
public:
    explicit THledej_film(Session &session, QWidget *parent = nullptr);
    ~THledej_film() override;

    // The result table of this opening, one row per film in result order.
    const std::vector<FilmRow> &rows() const { return m_rows; }
    // The criteria in force; the details window adds the chosen number.
    const FilmCriteria &criteria() const { return m_criteria; }
    void setCriteria(const FilmCriteria &criteria) { m_criteria = criteria; }
    // The case flag of the last search.
    bool caseSensitive() const { return m_caseSensitive; }
    // Passing rows and the found-cassette list of the last search.
    const FilmSearchResult &found() const { return m_found; }
    int foundCount() const { return int(m_found.rows.size()); }

public slots:
    void search() override;      // "Vyhledat !"
    void showDetails() override; // "Zobrazit detaily"

protected:
    void FormShow() override;
    void done(int result) override;

private:
    // The common reset after a change of the criteria; the genre box keeps
    // the enabled state of the other criteria (keepEnabled).
    void reset(bool keepEnabled = false);
    void genreRestrictionClicked();
    QString speed() const;
    void showResults();

    std::vector<FilmRow> m_rows;
    FilmCriteria m_criteria;
    bool m_caseSensitive = false;
    FilmSearchResult m_found;

    QLabel *m_cassetteCount = nullptr;
    QLabel *m_filmCount = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QButtonGroup *m_speeds = nullptr;
    QCheckBox *m_restrictGenre = nullptr;
    QComboBox *m_genres = nullptr;
    QLabel *m_foundCount = nullptr;
};

} // namespace velmora
