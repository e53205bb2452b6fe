#pragma once

// The statistics TStatistika (cassettes) and TStatistikaCD (CDs).

#include "finding/Statistics.h"
#include "platform/ScreenDialog.h"

class QLabel;
class QPushButton;

namespace velmora {

class ReportPane;
class Session;

// The statistics of a catalogue: how many items, how many lent, and what is
// on them; a button leads to the items away from home while any is lent.
class StatisticsScreen : public ScreenDialog
{
    Q_OBJECT
public:
    QLabel *value(const QString &name) const;
    QPushButton *awayButton() const { return m_away; }
    ReportPane *pane() const { return m_pane; } // CDs only

protected:
    StatisticsScreen(bool cds, Session &session, QWidget *parent);
    void FormShow() override;

private:
    QLabel *addValue(const QString &name, const QString &caption);
    void showAway();

    bool m_cds;
    Session &m_session;
    QWidget *m_values = nullptr;
    ReportPane *m_pane = nullptr;
    QPushButton *m_away = nullptr;
    QPushButton *m_close = nullptr;
};

class TStatistika : public StatisticsScreen
{
    Q_OBJECT
public:
    explicit TStatistika(Session &session, QWidget *parent = nullptr)
        : StatisticsScreen(false, session, parent)
    {
    }
};

class TStatistikaCD : public StatisticsScreen
{
    Q_OBJECT
public:
    explicit TStatistikaCD(Session &session, QWidget *parent = nullptr)
        : StatisticsScreen(true, session, parent)
    {
    }
};

} // namespace velmora
