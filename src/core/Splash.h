#pragma once

// The start windows TSplashScreen (splash) and TSplashScreen2 (overdue loans).

#include "storage/Overdue.h"

#include <QDate>
#include <QDialog>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace velmora {

class Table;
class TTitul;

// The splash screen of the start: closes itself 2000 ms after it is shown.
class TSplashScreen : public QDialog
{
    Q_OBJECT
public:
    explicit TSplashScreen(QWidget *parent = nullptr);
    QTimer *closeTimer() const { return m_timer; }

public slots:
    void timeUp();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QTimer *m_timer;
};

// The automatic check of overdue loans at log-on: scans both catalogues with
// a gauge each, then re-checks every 5 seconds and closes itself when asked
// to and nothing is overdue. Loans whose start is not a date are counted
// apart and keep the screen open as overdue ones do.
class TSplashScreen2 : public QDialog
{
    Q_OBJECT
public:
    TSplashScreen2(TTitul &window, bool autoRunMode, const QDate &today = QDate::currentDate());

    // The pause after each scanned record (20 ms); tests set 0.
    void setPause(int ms) { m_pauseMs = ms; }
    QTimer *startTimer() const { return m_start; }
    QTimer *recheckTimer() const { return m_recheck; }
    int cassettesOverdue() const { return m_cassettes; }
    int cdsOverdue() const { return m_cds; }
    // Lent items whose loan start is not a date, announced with the overdue.
    int cassettesUnreadable() const { return m_cassettesUnreadable; }
    int cdsUnreadable() const { return m_cdsUnreadable; }

public slots:
    void scan();    // the one-shot timer of 10 ms
    void recheck(); // the repeating timer of 5000 ms
    void closeCheck();
    void showCassettes();
    void showCds();

protected:
    void showEvent(QShowEvent *event) override;

private:
    LoanCheck scanTable(Table &table, QProgressBar *gauge, QLabel *counter,
                        QLabel *unreadableCaption, QLabel *unreadable, const QString &unit);
    void showAway(Table &table, const QString &index, const QString &action);
    void pause();

    TTitul &m_window;
    bool m_autoRun;
    QDate m_today;
    int m_pauseMs = 20;
    int m_cassettes = 0;
    int m_cds = 0;
    int m_cassettesUnreadable = 0;
    int m_cdsUnreadable = 0;
    QTimer *m_start;
    QTimer *m_recheck;
    QProgressBar *m_gaugeVk;
    QProgressBar *m_gaugeCd;
    QLabel *m_countVk;
    QLabel *m_countCd;
    QLabel *m_unreadableCaptionVk;
    QLabel *m_unreadableVk;
    QLabel *m_unreadableCaptionCd;
    QLabel *m_unreadableCd;
    QCheckBox *m_autoClose;
    QPushButton *m_close;
    QPushButton *m_showVk;
    QPushButton *m_showCd;
};

} // namespace velmora
