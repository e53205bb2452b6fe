#pragma once

// The return screens TVraceni_kazety (cassettes) and TVraceni_CDForm (CDs).

#include "lending/KindScreen.h"

namespace velmora {

// Returning lent items: the lent items of the catalogue in a grid, and a
// double click on one (or Enter or Space on the current one) ends its loan
// into the archive. The command opens the
// item table with its number index before and closes it after.
class ReturnScreen : public TableGridScreen
{
    Q_OBJECT
public:
    // What tells the return of cassettes from that of CDs (the table in
    // ReturnScreen.cpp).
    struct Design;

    QLabel *titleLabel() const { return m_titleName; } // CD screen only

public slots:
    // The double click, Enter or Space on the current row of the grid.
    void returnCurrent();

protected:
    ReturnScreen(const Design &design, Session &session, QWidget *parent);
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Table &items() const;
    Table &archive() const;
    void rowClicked();

    const Design &m_design;
    QLabel *m_titleName = nullptr;
};

class TVraceni_kazety : public ReturnScreen
{
    Q_OBJECT
public:
    explicit TVraceni_kazety(Session &session, QWidget *parent = nullptr);
};

class TVraceni_CDForm : public ReturnScreen
{
    Q_OBJECT
public:
    explicit TVraceni_CDForm(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
