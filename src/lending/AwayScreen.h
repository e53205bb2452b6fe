#pragma once

// The items away from home: TZobrazeni_zapujcek (cassettes) and
// TZobrazeni_zapujcekCD (CDs).

#include "lending/KindScreen.h"

#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace velmora {

class AwayModel;
class TFilmy3;

// What is away from home: every lent item with its loan, how many are in
// term, how many overdue and how many cannot be judged (a loan start that
// is not a date), and the overdue and unjudged ones alone on request. The
// start-up reminders open it in reminder mode (the list in bold red). The
// opener has the item table open, filtered to the lent items.
class AwayScreen : public KindScreen
{
    Q_OBJECT
public:
    // What tells the cassettes away from the CDs away (the table in
    // AwayScreen.cpp).
    struct Design;

    void setReminder(bool on);
    bool reminder() const;

    const std::vector<AwayItem> &allItems() const { return m_all; }
    const std::vector<AwayItem> &overdueItems() const { return m_overdue; }
    // The items the grid shows now.
    const std::vector<AwayItem> &shownItems() const;

    QTableView *grid() const { return m_grid; }
    AwayModel *model() const { return m_model; }
    QCheckBox *overdueBox() const { return m_onlyOverdue; } // CheckBox2
    QCheckBox *filmsBox() const { return m_showFilms; }     // CheckBox1, cassettes only
    TFilmy3 *filmsWindow() const { return m_films; }        // cassettes only
    QLabel *titleLabel() const { return m_titleName; }      // CDs only
    QLabel *lentCount() const { return m_lent; }
    QLabel *inTermCount() const { return m_inTerm; }
    QLabel *overdueCount() const { return m_overdueCount; }
    QLabel *unreadableCount() const { return m_unreadableCount; } // shown when not 0

public slots:
    void CheckBox2Click();
    void CheckBox1Click();
    void rowChosen();

protected:
    AwayScreen(const Design &design, Session &session, QWidget *parent);
    void FormShow() override;
    void FormClose() override;
    void changeEvent(QEvent *event) override;

private:
    Table &items() const;
    void fillFilms();

    const Design &m_design;
    std::vector<AwayItem> m_all;
    std::vector<AwayItem> m_overdue;
    QLabel *m_lent = nullptr;
    QLabel *m_inTerm = nullptr;
    QLabel *m_overdueCount = nullptr;
    QLabel *m_unreadableCount = nullptr;
    QWidget *m_unreadableCaption = nullptr;
    QCheckBox *m_onlyOverdue = nullptr;
    QCheckBox *m_showFilms = nullptr;
    QLabel *m_titleName = nullptr;
    QTableView *m_grid = nullptr;
    AwayModel *m_model = nullptr;
    TFilmy3 *m_films = nullptr;
};

class TZobrazeni_zapujcek : public AwayScreen
{
    Q_OBJECT
public:
    explicit TZobrazeni_zapujcek(Session &session, QWidget *parent = nullptr);
};

class TZobrazeni_zapujcekCD : public AwayScreen
{
    Q_OBJECT
public:
    explicit TZobrazeni_zapujcekCD(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
