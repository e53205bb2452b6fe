#pragma once

// The CD lending screen TZapsat_pujceni_CD.

#include "cds/CdTitleHeader.h"
#include "platform/ScreenDialog.h"
#include "storage/CdRecords.h"

#include <QColor>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace velmora {

class JumpList;
class RecordNavigator;
class Session;
class TKomu_pujcitCD;

// Lending a music CD title: the titles of cd01.dbf one at a time with all
// their tracks, and the loan of the one shown. The command opens cd01.dbf
// with index cislocd before and closes it after; the screen reads cd02.dbf.
class TZapsat_pujceni_CD : public ScreenDialog
{
    Q_OBJECT
public:
    // The first track of each disc stands out in the list.
    static inline const QColor kFirstTrackText{0x80, 0x00, 0x00};
    static inline const QColor kFirstTrackBack{0x00, 0xff, 0xff};

    explicit TZapsat_pujceni_CD(Session &session, QWidget *parent = nullptr);

    const CdTitle &title() const { return m_title; }
    QTableWidget *trackGrid() const { return m_grid; }
    QLabel *loanLabel() const { return m_loan; }
    QLabel *sizeLabel() const { return m_head.sizeLabel(); }
    JumpList *jumpList() const { return m_head.jumpList(); }
    RecordNavigator *navigator() const { return m_navigator; }
    TKomu_pujcitCD *borrowerDialog() const { return m_borrower; }
    QPushButton *lendButton() const { return m_lend; }

    // "700 MB", or "Neznýmá" for an empty size.
    static QString sizeText(const QString &size);

public slots:
    void PujceniClick(); // "Zapůjčit hudební CD"

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void showCurrent();
    void jumpChosen(const QString &number);

    Session &m_session;
    CdTitle m_title;
    CdTitleHeader m_head;
    QTableWidget *m_grid = nullptr;
    QLabel *m_loan = nullptr;
    RecordNavigator *m_navigator = nullptr;
    TKomu_pujcitCD *m_borrower = nullptr;
    QPushButton *m_lend = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
