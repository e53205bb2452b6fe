#pragma once

// The free-position search TVyhledej_Pozici.

#include "finding/FreePosition.h"

#include "platform/ScreenDialog.h"
#include <vector>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace velmora {

class ReportPane;
class Session;
class Table;

// The free recording position search: the open cassettes of data.dbf are
// copied into the work table Search.dbf when the screen opens, and a
// search copies those with more room than the request into Search2.dbf.
// The tables are the rules' (FreePositionSearch): data.dbf is opened when
// the screen shows and closed with both work tables when it closes.
class TVyhledej_Pozici : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TVyhledej_Pozici(Session &session, QWidget *parent = nullptr);
    ~TVyhledej_Pozici() override;

    static QString workPath() { return FreePositionSearch::workPath(); }
    static QString candidatePath() { return FreePositionSearch::candidatePath(); }

    Session &session() const { return m_session; }
    Table &candidates() const;
    FreePositionSearch &rules() { return m_rules; }
    int candidateCount() const { return m_candidates; }
    QString hoursText() const;
    ReportPane *pane() const { return m_pane; }

public slots:
    void requestChanged();
    void search();
    void showList();

protected:
    void FormShow() override;
    void done(int result) override;

private:
    void startSearch();
    void highlightHeads(bool byNumber);
    void setSortEnabled(bool on);
    int speedFactor() const;
    void closeTables();

    Session &m_session;
    QLabel *m_counts = nullptr;
    QLineEdit *m_minutes = nullptr;
    QLabel *m_hours = nullptr;
    QRadioButton *m_sp = nullptr;
    QRadioButton *m_lp = nullptr;
    QRadioButton *m_ep = nullptr;
    QPushButton *m_search = nullptr;
    QLabel *m_found = nullptr;
    QLabel *m_numberHead = nullptr;
    QLabel *m_remainingHead = nullptr;
    ReportPane *m_pane = nullptr;
    QProgressBar *m_progress = nullptr;
    QRadioButton *m_byNumber = nullptr;
    QRadioButton *m_byRemaining = nullptr;
    QPushButton *m_list = nullptr;
    QPushButton *m_close = nullptr;
    int m_candidates = 0;
    FreePositionSearch m_rules;
};

} // namespace velmora
