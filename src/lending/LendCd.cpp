#include "lending/LendCd.h"

#include "catalogue/CdTitleMoves.h"
#include "lending/BorrowerDialog.h"
#include "lending/KindScreen.h"
#include "loans/LendingViews.h"
#include "platform/Dialogs.h"
#include "platform/JumpList.h"
#include "platform/RecordNavigator.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velmora {
namespace {

constexpr CdTitleHeader::Design kHead{
    "Label_TitulCD", "Titul CD disku :", "Nazpíval(a)     :", "Label_PoznCD", nullptr, true,
};

} // namespace

TZapsat_pujceni_CD::TZapsat_pujceni_CD(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session), m_head(this, kHead)
{
    setObjectName(QStringLiteral("Zapsat_pujceni_CD"));
    setWindowTitle(QStringLiteral("Vyberte si, které hudební CD chcete někomu zapůjčit ..."));
    resize(720, 560);

    m_grid = new QTableWidget(0, 4, this);
    m_grid->setObjectName(QStringLiteral("Seznam_skladeb"));
    m_grid->setAccessibleName(QStringLiteral("Skladby hudebního CD"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Disk"), QStringLiteral("Pořadí"),
                                       QStringLiteral("Název skladby"), QStringLiteral("Styl")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    auto *gridLabel = ui::caption(this, QStringLiteral("Label_Seznam"),
                                  QStringLiteral("Seznam skladeb na hudebním CD:"), m_grid);

    m_loan = ui::valueLabel(this, QStringLiteral("pujceno"), QStringLiteral("Stav půjčení"));
    m_navigator = new RecordNavigator(this);
    m_navigator->setTable(&session.tables().CD_Table1);
    lendingNavigator(*m_navigator, *this);
    m_lend = ui::button(this, QStringLiteral("Pujceni"), QStringLiteral("Zapůjčit hudební CD"));
    m_close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_navigator);
    buttons->addStretch();
    buttons->addWidget(m_lend);
    buttons->addSpacing(12);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_head.layout());
    layout->addWidget(gridLabel);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_loan);
    layout->addLayout(buttons);

    m_borrower = new TKomu_pujcitCD(this);
    m_borrower->setArchivePath(session.tables().CD_Archiv.path());

    connect(m_head.jumpList(), &JumpList::chosen, this, &TZapsat_pujceni_CD::jumpChosen);
    connect(m_navigator, &RecordNavigator::moved, this, &TZapsat_pujceni_CD::showCurrent);
    connect(m_lend, &QPushButton::clicked, this, &TZapsat_pujceni_CD::PujceniClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

QString TZapsat_pujceni_CD::sizeText(const QString &size)
{
    return size.trimmed().isEmpty() ? QStringLiteral("Neznýmá") : size + QStringLiteral(" MB");
}

void TZapsat_pujceni_CD::FormShow()
{
    Table &t = m_session.tables().CD_Table1;
    if (!t.isOpen())
        return;
    m_head.fillFromLast(t);
    showCurrent();
}

void TZapsat_pujceni_CD::jumpChosen(const QString &number)
{
    Table &t = m_session.tables().CD_Table1;
    try {
        if (locateTitle(t, number, true))
            showCurrent();
        else
            m_head.jumpList()->follow(m_title.number);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void TZapsat_pujceni_CD::showCurrent()
{
    const CdWithTracks shown =
        currentCdWithTracks(m_session.tables().CD_Table1, m_session.tables().CD_Table2);
    m_title = shown.title;
    const std::vector<CdTrack> &tracks = shown.tracks;
    if (!shown.error.isEmpty())
        dialogs::error(QStringLiteral("Chyba"), shown.error);
    m_head.jumpList()->follow(m_title.number);
    m_head.show(m_title, sizeText(m_title.size), m_title.artist);

    m_grid->setRowCount(int(tracks.size()));
    for (int row = 0; row < int(tracks.size()); ++row) {
        const CdTrack &track = tracks[size_t(row)];
        const QStringList cells{track.label, QString::number(track.track) + QLatin1Char('.'),
                                track.title, track.style};
        const bool first = track.track == 1;
        for (int col = 0; col < cells.size(); ++col) {
            auto *item = new QTableWidgetItem(cells[col]);
            if (first) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
                item->setForeground(kFirstTrackText);
                item->setBackground(kFirstTrackBack);
            }
            m_grid->setItem(row, col, item);
        }
    }
    m_grid->resizeColumnsToContents();
    m_grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);

    CdTitleHeader::showLoan(m_loan, m_title.loan);
    m_lend->setEnabled(shown.current && !m_title.loan.lent);
    m_navigator->refresh();
}

void TZapsat_pujceni_CD::PujceniClick()
{
    m_borrower->askAndLend(m_session.tables().CD_Table1,
                           QStringLiteral("Hudební CD: ") + m_title.number +
                               QStringLiteral(" bylo zapůjčeno na jméno: "));
    showCurrent();
}

void TZapsat_pujceni_CD::FormClose()
{
    leaveCdLending(m_session.tables().CD_Table1, m_session.tables().CD_Table2);
}

} // namespace velmora
