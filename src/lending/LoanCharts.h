#pragma once

#include "charts/BarChartWindow.h"
#include "loans/LoanSeries.h"

namespace velmora {

// How often things were lent, from a loan archive: per item (every item of
// the catalogue a bar) or per borrower. The opener has the archive open.
class LoanChartWindow : public BarChartWindow
{
    Q_OBJECT
public:
    ItemKind kind() const { return m_kind; }
    bool byPerson() const { return m_byPerson; }
    // The series the chart was made of at its last opening.
    const std::vector<LoanBar> &series() const { return m_series; }

protected:
    LoanChartWindow(ItemKind kind, bool byPerson, Session &session, QWidget *parent);
    void FormShow() override;

private:
    ItemKind m_kind;
    bool m_byPerson;
    Session &m_session;
    std::vector<LoanBar> m_series;
};

class TZobraz_archiv_vk_dografu : public LoanChartWindow
{
    Q_OBJECT
public:
    explicit TZobraz_archiv_vk_dografu(Session &session, QWidget *parent = nullptr)
        : LoanChartWindow(ItemKind::Cassette, false, session, parent)
    {
    }
};

class TZobraz_archiv_vk_dografu2 : public LoanChartWindow
{
    Q_OBJECT
public:
    explicit TZobraz_archiv_vk_dografu2(Session &session, QWidget *parent = nullptr)
        : LoanChartWindow(ItemKind::Cassette, true, session, parent)
    {
    }
};

class TZobraz_archiv_cd_dografu : public LoanChartWindow
{
    Q_OBJECT
public:
    explicit TZobraz_archiv_cd_dografu(Session &session, QWidget *parent = nullptr)
        : LoanChartWindow(ItemKind::Cd, false, session, parent)
    {
    }
};

class TZobraz_archiv_cd_dografu2 : public LoanChartWindow
{
    Q_OBJECT
public:
    explicit TZobraz_archiv_cd_dografu2(Session &session, QWidget *parent = nullptr)
        : LoanChartWindow(ItemKind::Cd, true, session, parent)
    {
    }
};

} // namespace velmora
