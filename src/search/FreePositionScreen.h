#pragma once

#include "printing/ReportScreen.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace velmora {

class ReportPane;
class Table;
class Session;

// The free recording position search: the open cassettes of data.dbf are
// copied into the work table Search.dbf when the screen opens, and a
// search copies those with more room than the request into Search2.dbf.
// The screen opens and closes data.dbf itself; both work tables live in
// the private temporary directory and are deleted when it closes.
class TVyhledej_Pozici : public QDialog
{
    Q_OBJECT
public:
    explicit TVyhledej_Pozici(Session &session, QWidget *parent = nullptr);
    ~TVyhledej_Pozici() override;

    static QString workPath();      // Search.dbf
    static QString candidatePath(); // Search2.dbf

    Session &session() const { return m_session; }
    Table &candidates() const;
    int candidateCount() const { return m_candidates; }
    QString hoursText() const;
    ReportPane *pane() const { return RichEdit1; }

public slots:
    void FormShow();
    void V_MinChange();
    void HledejClick();
    void SeznamClick();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillWorkTable();
    void recreateCandidates();
    void highlightHeads(bool byNumber);
    void writeWaitingText();
    void writeEmptyText();
    void setSortEnabled(bool on);
    int speedFactor() const;
    void closeTables();

    Session &m_session;
    QLabel *pocet = nullptr;
    QLineEdit *V_Min = nullptr;
    QLabel *V_Hod = nullptr;
    QRadioButton *m_sp = nullptr;
    QRadioButton *m_lp = nullptr;
    QRadioButton *m_ep = nullptr;
    QPushButton *Hledej = nullptr;
    QLabel *Celkem_moznosti = nullptr;
    QLabel *m_numberHead = nullptr;
    QLabel *m_remainingHead = nullptr;
    ReportPane *RichEdit1 = nullptr;
    QProgressBar *Stav = nullptr;
    QRadioButton *Tr01 = nullptr;
    QRadioButton *Tr02 = nullptr;
    QPushButton *Seznam = nullptr;
    QPushButton *Zavrit = nullptr;
    int m_candidates = 0;
    QString m_dataIndex; // the handle's order before the screen, given back at close
    bool m_open = false;
};

// The found cassettes of the last search with their loan state; ticking
// Filtr leaves out the lent ones. The print button prints the list and
// closes the window.
class TSeznam2 : public ReportScreen
{
    Q_OBJECT
public:
    explicit TSeznam2(TVyhledej_Pozici &search, QWidget *parent = nullptr);

public slots:
    void FiltrClick();

protected:
    void FormShow() override;
    void done(int result) override;

private:
    void build();

    TVyhledej_Pozici &m_search;
    QCheckBox *Filtr = nullptr;
};

} // namespace velmora
