#pragma once

#include "finding/SongSearch.h"
#include "search/SearchScreen.h"

#include <memory>

namespace velmora {

class TSeznam3;

// The song search THledej_Skladbu: finds tracks by a piece of their name,
// narrowed by style, over a result table built from cd02.dbf at each
// opening. The main window opens cd01.dbf before and closes it after; the
// screen opens and closes cd02.dbf itself.
class THledej_Skladbu : public SearchScreen
{
    Q_OBJECT
public:
    explicit THledej_Skladbu(Session &session, QWidget *parent = nullptr);
    ~THledej_Skladbu() override;

    const SongTable &rows() const { return m_rows; }
    const SongCriteria &criteria() const { return m_criteria; }
    void setCriteria(const SongCriteria &criteria) { m_criteria = criteria; }
    const SongSearchResult &found() const { return m_found; }
    int foundCount() const { return int(m_found.rows.size()); }
    // The details window, made with the screen and shown on request.
    TSeznam3 &details() const { return *m_detailsWindow; }

public slots:
    void showDetails() override; // "Zobrazit detaily"

protected:
    void FormClose() override;
    QList<int> build() override;
    QList<int> run(const QString &text, const QString &style, const QString &speed,
                   bool caseSensitive) override;
    std::function<QString(int)> line() const override;
    void forget() override { m_found = SongSearchResult(); }

private:
    SongTable m_rows;
    SongCriteria m_criteria;
    SongSearchResult m_found;
    std::unique_ptr<TSeznam3> m_detailsWindow;
};

} // namespace velmora
