#pragma once

#include "finding/SongSearch.h"
#include "search/SearchScreen.h"

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;

namespace velmora {

class TSeznam3;

// The song search: finds tracks by a piece of their name, narrowed by
// style, over a result table built from cd02.dbf at each opening. The main
// window opens cd01.dbf before and closes it after; the screen opens and
// closes cd02.dbf itself.
class THledej_Skladbu : public SearchScreen
{
    Q_OBJECT
public:
    explicit THledej_Skladbu(Session &session, QWidget *parent = nullptr);
    ~THledej_Skladbu() override;

    const SongTable &rows() const { return m_rows; }
    const SongCriteria &criteria() const { return m_criteria; }
    void setCriteria(const SongCriteria &criteria) { m_criteria = criteria; }
    bool caseSensitive() const { return m_caseSensitive; }
    const SongSearchResult &found() const { return m_found; }
    int foundCount() const { return int(m_found.rows.size()); }
    // The details window, made with the screen and shown on request.
    TSeznam3 &details() const { return *m_detailsWindow; }

public slots:
    void search() override;      // "Vyhledat !"
    void showDetails() override; // "Zobrazit detaily"

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void reset();
    void styleRestrictionClicked();

    SongTable m_rows;
    SongCriteria m_criteria;
    bool m_caseSensitive = false;
    SongSearchResult m_found;

    QLabel *m_trackCount = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_restrictStyle = nullptr;
    QComboBox *m_styles = nullptr;
    QLabel *m_foundCount = nullptr;
    QLabel *m_titleCount = nullptr;
    QLabel *m_awayCount = nullptr;
    std::unique_ptr<TSeznam3> m_detailsWindow;
};

} // namespace velmora
