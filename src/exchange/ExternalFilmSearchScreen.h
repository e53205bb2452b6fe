#pragma once

#include "exchange/ExternalSearchScreen.h"

namespace velmora::exchange {

// The film search THledej_Ext_Data over every imported cassette catalogue:
// finds recordings by a piece of their title, narrowed by genre and speed,
// and tells whose catalogue holds them.
class THledej_Ext_Data : public ExternalSearchScreen
{
    Q_OBJECT
public:
    explicit THledej_Ext_Data(Session &session, QWidget *parent = nullptr);

    // The result table of this opening.
    const ExternalFilms &films() const { return m_films; }
    // The criteria in force; the details window sets the chosen owner.
    const ExternalFilmCriteria &criteria() const { return m_criteria; }
    void setCriteria(const ExternalFilmCriteria &criteria) { m_criteria = criteria; }

public slots:
    void showDetails() override; // "Zobrazit detaily"

protected:
    QList<int> build() override;
    QList<int> run(const QString &text, const QString &genre, const QString &speed,
                   bool caseSensitive) override;
    std::function<QString(int)> line() const override;

private:
    ExternalFilms m_films;
    ExternalFilmCriteria m_criteria;
};

} // namespace velmora::exchange
