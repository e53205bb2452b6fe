#pragma once

#include "finding/FilmSearch.h"
#include "search/SearchScreen.h"

#include <vector>

namespace velmora {

// The film search THledej_film: finds recordings by a piece of their title,
// narrowed by genre and speed, over a result table built from data.dbf at
// each opening. The main window opens data.dbf with the index cislo before
// and closes it after; the screen leaves the table open.
class THledej_film : public SearchScreen
{
    Q_OBJECT
public:
    explicit THledej_film(Session &session, QWidget *parent = nullptr);

    // The result table of this opening, one row per film in result order.
    const std::vector<FilmRow> &rows() const { return m_rows; }
    // The criteria in force; the details window adds the chosen number.
    const FilmCriteria &criteria() const { return m_criteria; }
    void setCriteria(const FilmCriteria &criteria) { m_criteria = criteria; }
    // Passing rows and the found-cassette list of the last search.
    const FilmSearchResult &found() const { return m_found; }
    int foundCount() const { return int(m_found.rows.size()); }

public slots:
    void showDetails() override; // "Zobrazit detaily"

protected:
    void FormClose() override;
    QList<int> build() override;
    QList<int> run(const QString &text, const QString &genre, const QString &speed,
                   bool caseSensitive) override;
    std::function<QString(int)> line() const override;
    void forget() override { m_found = FilmSearchResult(); }

private:
    std::vector<FilmRow> m_rows;
    FilmCriteria m_criteria;
    FilmSearchResult m_found;
};

} // namespace velmora
