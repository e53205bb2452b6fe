#pragma once

// The cassette lending screen TZapsat_pujceni.

#include "platform/ScreenDialog.h"

class QPushButton;

namespace velmora {

class CassetteDisplay;
class Session;
class TKomu_pujcit;

// Lending a cassette: the cassettes of data.dbf one at a time, and the
// loan of the one shown to a person for some days. The command opens the
// table with index cislo before and closes it after.
class TZapsat_pujceni : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TZapsat_pujceni(Session &session, QWidget *parent = nullptr);

    CassetteDisplay *display() const { return m_display; }
    TKomu_pujcit *borrowerDialog() const { return m_borrower; }
    QPushButton *lendButton() const { return m_lend; }

public slots:
    void PujceniClick(); // "Zapůjčit kazetu"

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void refresh();

    Session &m_session;
    CassetteDisplay *m_display = nullptr;
    TKomu_pujcit *m_borrower = nullptr;
    QPushButton *m_lend = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
