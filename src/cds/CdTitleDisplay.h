#pragma once

#include "cds/CdTitleHeader.h"
#include "storage/CdRecords.h"

#include <QWidget>
#include <vector>

class QHBoxLayout;
class QLabel;
class QTabBar;

namespace velmora {

class JumpList;
class RecordNavigator;
class ReportPane;
class Session;

// The read-only view of one CD title shared by the show and delete
// screens: the title data, the loan state, the discs as tabs with the track
// list of the chosen disc, and the moving (jump list, navigator, wheel).
// The titles are cd01.dbf, opened by the command in number order; the
// tracks come from cd02.dbf, which the screen opens.
class CdTitleDisplay : public QWidget
{
    Q_OBJECT
public:
    // withTotal: the disc total under the list (the show screen).
    CdTitleDisplay(Session &session, bool withTotal, const QString &discsCaption,
                   QWidget *parent = nullptr);

    JumpList *jumpList() const { return m_head.jumpList(); }
    RecordNavigator *navigator() const { return m_navigator; }
    QTabBar *tabs() const { return m_tabs; }
    ReportPane *pane() const { return m_pane; }
    QLabel *loanLabel() const { return m_head.loanLabel(); }
    QLabel *discTotal() const { return m_total; }
    QHBoxLayout *buttonRow() const { return m_buttonRow; }

    // Fills the jump list, moves to the title with the highest number and
    // shows it; false on an empty table.
    bool showFromLast();
    void showCurrent();
    void showDisc(int index);
    void clear();

    const CdTitle &title() const { return m_title; }
    const std::vector<CdTrack> &tracks() const { return m_tracks; }

signals:
    // Another title is shown after a jump, a navigator button or the wheel.
    void titleChanged();

private:
    void jumpChosen(const QString &number);

    Session &m_session;
    CdTitle m_title;
    std::vector<CdTrack> m_tracks;
    CdTitleHeader m_head;
    QTabBar *m_tabs = nullptr;
    ReportPane *m_pane = nullptr;
    QLabel *m_total = nullptr;
    RecordNavigator *m_navigator = nullptr;
    QHBoxLayout *m_buttonRow = nullptr;
};

} // namespace velmora
