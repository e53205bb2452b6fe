#include "cds/CdTitleDisplay.h"

#include "catalogue/CdCatalogue.h"
#include "catalogue/CdRules.h"
#include "catalogue/TrackListReport.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/JumpList.h"
#include "platform/RecordNavigator.h"
#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "session/Session.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kNumberField = QStringLiteral("Cislocd");

} // namespace

CdTitleDisplay::CdTitleDisplay(Session &session, bool withTotal, const QString &discsCaption,
                               QWidget *parent)
    : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("TitleDisplay"));
    m_jump = new JumpList(this);
    m_jump->setObjectName(QStringLiteral("Jdi_hned"));
    auto *jumpLabel =
        ui::caption(this, QStringLiteral("Label_Jdi_hned"), QStringLiteral("Jdi na CD :"), m_jump);
    auto *sizeCaption =
        ui::caption(this, QStringLiteral("Label_Typ"), QStringLiteral("Typ (velikost) CD :"));
    m_size = ui::valueLabel(this, QStringLiteral("T_cd"), sizeCaption);
    ui::setBold(m_size);
    m_loan = ui::valueLabel(this, QStringLiteral("Pujceno"), QStringLiteral("Stav půjčení"));
    m_titleBox = ui::readOnlyBox(this, QStringLiteral("TitulCD"));
    m_artist = ui::readOnlyBox(this, QStringLiteral("Artist"));
    m_note = ui::readOnlyBox(this, QStringLiteral("PoznCD"));

    auto *grid = new QGridLayout;
    grid->addWidget(jumpLabel, 0, 0);
    grid->addWidget(m_jump, 0, 1);
    grid->addWidget(sizeCaption, 0, 2);
    grid->addWidget(m_size, 0, 3);
    grid->addWidget(m_loan, 1, 0, 1, 4);
    grid->addWidget(ui::caption(this, QStringLiteral("Label_Titul"),
                                QStringLiteral("Titul hudebního CD:"), m_titleBox),
                    2, 0);
    grid->addWidget(m_titleBox, 2, 1, 1, 3);
    grid->addWidget(ui::caption(this, QStringLiteral("Label_Artist"),
                                QStringLiteral("CD nazpíval(a)       :"), m_artist),
                    3, 0);
    grid->addWidget(m_artist, 3, 1, 1, 3);
    grid->addWidget(ui::caption(this, QStringLiteral("Label_Pozn"),
                                QStringLiteral("Poznámka k hudebnímu CD:"), m_note),
                    4, 0);
    grid->addWidget(m_note, 4, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto *discs = new QGroupBox(discsCaption, this);
    discs->setObjectName(QStringLiteral("GroupBox_Disky"));
    m_tabs = new QTabBar(discs);
    m_tabs->setObjectName(QStringLiteral("TabControl1"));
    m_tabs->setAccessibleName(QStringLiteral("Disky titulu"));
    m_pane = new ReportPane(discs);
    m_pane->setObjectName(QStringLiteral("RichEdit1"));
    m_pane->setAccessibleName(QStringLiteral("Seznam zvukových stop"));
    auto *discLayout = new QVBoxLayout(discs);
    discLayout->addWidget(m_tabs);
    discLayout->addWidget(m_pane, 1);

    m_navigator = new RecordNavigator(this);
    m_navigator->setHints({QStringLiteral("První kazeta"), QStringLiteral("Předchozí kazeta"),
                           QStringLiteral("Další kazeta"), QStringLiteral("Poslední kazeta")});
    m_buttonRow = new QHBoxLayout;
    if (withTotal) {
        auto *totalCaption =
            ui::caption(this, QStringLiteral("Label_Cas"), QStringLiteral("Celkový čas na disku:"));
        m_total = ui::valueLabel(this, QStringLiteral("Cas_na_Disku"), totalCaption);
        ui::setBold(m_total);
        m_buttonRow->addWidget(totalCaption);
        m_buttonRow->addWidget(m_total);
    }
    m_buttonRow->addStretch();
    m_buttonRow->addWidget(m_navigator);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addWidget(discs, 1);
    layout->addLayout(m_buttonRow);

    m_navigator->setTable(&session.tables().CD_Table1);
    connect(m_jump, &JumpList::chosen, this, &CdTitleDisplay::jumpChosen);
    connect(m_navigator, &RecordNavigator::moved, this, [this] {
        showCurrent();
        emit titleChanged();
    });
    connect(m_tabs, &QTabBar::currentChanged, this, &CdTitleDisplay::showDisc);
}

bool CdTitleDisplay::showFromLast()
{
    Table &t = m_session.tables().CD_Table1;
    if (!t.isOpen()) {
        clear();
        return false;
    }
    t.setIndex(QStringLiteral("cislocd"));
    m_jump->fill(t, kNumberField);
    if (m_jump->count() == 0) {
        clear();
        return false;
    }
    m_jump->setCurrentIndex(m_jump->count() - 1);
    t.last();
    showCurrent();
    return true;
}

void CdTitleDisplay::showCurrent()
{
    Table &titles = m_session.tables().CD_Table1;
    try {
        m_title = CdTitleColumns(titles).read(titles);
        m_jump->follow(m_title.number);
        Table &tracks = m_session.tables().CD_Table2;
        if (!tracks.isOpen())
            tracks.open(Table::Mode::ReadOnly);
        m_tracks = titleTracks(tracks, m_title.number);
    } catch (const std::exception &e) {
        dialogs::showError(e);
        m_tracks.clear();
    }
    m_size->setText(m_title.size + QStringLiteral(" MB"));
    setLoan(m_title.loan);
    m_titleBox->setText(m_title.title);
    m_artist->setText(m_title.artist.isEmpty() ? QStringLiteral("Neuvedeno ...") : m_title.artist);
    m_note->setText(m_title.note);
    m_tabs->blockSignals(true);
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    for (const QString &label : discLabels(m_tracks))
        m_tabs->addTab(captionOfLabel(label));
    m_tabs->setCurrentIndex(m_tabs->count() > 0 ? 0 : -1);
    m_tabs->blockSignals(false);
    // A title without tracks has no disc to choose: Tab passes the empty bar.
    m_tabs->setFocusPolicy(m_tabs->count() > 0 ? Qt::TabFocus : Qt::NoFocus);
    showDisc(m_tabs->currentIndex());
}

void CdTitleDisplay::showDisc(int index)
{
    std::vector<CdTrack> disc;
    int number = 0;
    if (index >= 0 && index < m_tabs->count()) {
        const QString label = labelOfCaption(m_tabs->tabText(index));
        number = discOfLabel(label);
        disc = discTracks(m_tracks, label);
    }
    if (m_tabs->count() == 0) {
        m_pane->clearReport();
    } else {
        report::write(*m_pane, report::modeFor(m_session.systemCode()),
                      [&](ReportWriter &w) { writeTrackList(w, number, disc); });
    }
    if (m_total)
        m_total->setText(discTotalText(totalSeconds(disc)));
}

void CdTitleDisplay::clear()
{
    m_title = {};
    m_tracks.clear();
    m_jump->clear();
    m_size->clear();
    m_loan->clear();
    m_titleBox->clear();
    m_artist->clear();
    m_note->clear();
    m_tabs->blockSignals(true);
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    m_tabs->blockSignals(false);
    m_tabs->setFocusPolicy(Qt::NoFocus);
    m_pane->clearReport();
    if (m_total)
        m_total->setText(discTotalText(0));
}

void CdTitleDisplay::jumpChosen(const QString &number)
{
    Table &t = m_session.tables().CD_Table1;
    try {
        if (t.locate(kNumberField, number, true))
            showCurrent();
        else
            m_jump->follow(m_title.number);
        emit titleChanged();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void CdTitleDisplay::setLoan(const Loan &loan)
{
    colours::setTextColour(m_loan, loan.lent ? kLentColour : kNotLentColour);
    ui::setBold(m_loan, loan.lent);
    m_loan->setText(loan.lent ? QStringLiteral("Hudební CD je půjčeno! ... ( ") + loan.borrower +
                                    QStringLiteral("   od   ") + loan.since + QStringLiteral(" )")
                              : QStringLiteral("Hudební CD není půjčeno ..."));
}

} // namespace velmora
