#pragma once

// The loan charts: TZobraz_archiv_vk_dografu, TZobraz_archiv_vk_dografu2
// (cassettes), TZobraz_archiv_cd_dografu and TZobraz_archiv_cd_dografu2 (CDs).

#include "charts/BarChartWindow.h"
#include "lending/KindScreen.h"
#include "loans/LoanSeries.h"

namespace velmora {

// How often things were lent, from a loan archive: per item (every item of
// the catalogue a bar) or per borrower. The opener has the archive open.
class LoanChartWindow : public BarChartWindow
{
    Q_OBJECT
public:
    // What tells the four charts apart (the table in LoanCharts.cpp).
    struct Design;

    ItemKind kind() const;
    bool byPerson() const;
    // The series the chart was made of at its last opening.
    const std::vector<LoanBar> &series() const { return m_series; }

protected:
    LoanChartWindow(const Design &design, Session &session, QWidget *parent);
    void FormShow() override;

private:
    const Design &m_design;
    Session &m_session;
    std::vector<LoanBar> m_series;
};

class TZobraz_archiv_vk_dografu : public LoanChartWindow
{
    Q_OBJECT
public:
    explicit TZobraz_archiv_vk_dografu(Session &session, QWidget *parent = nullptr);
};

class TZobraz_archiv_vk_dografu2 : public LoanChartWindow
{
    Q_OBJECT
public:
    explicit TZobraz_archiv_vk_dografu2(Session &session, QWidget *parent = nullptr);
};

class TZobraz_archiv_cd_dografu : public LoanChartWindow
{
    Q_OBJECT
public:
    explicit TZobraz_archiv_cd_dografu(Session &session, QWidget *parent = nullptr);
};

class TZobraz_archiv_cd_dografu2 : public LoanChartWindow
{
    Q_OBJECT
public:
    explicit TZobraz_archiv_cd_dografu2(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
