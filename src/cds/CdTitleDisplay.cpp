#include "cds/CdTitleDisplay.h"

#include "catalogue/CdCatalogue.h"
#include "catalogue/CdRules.h"
#include "catalogue/CdTitleMoves.h"
#include "catalogue/TrackListReport.h"
#include "platform/Dialogs.h"
#include "platform/JumpList.h"
#include "platform/RecordNavigator.h"
#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "session/Session.h"
#include "session/StartItem.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabBar>
#include <QVBoxLayout>

namespace velmora {
namespace {

constexpr CdTitleHeader::Design kHead{
    "Label_Titul", "Titul hudebního CD:", "CD nazpíval(a)       :", "Label_Pozn", "Pujceno", false,
};

} // namespace

CdTitleDisplay::CdTitleDisplay(Session &session, bool withTotal, const QString &discsCaption,
                               QWidget *parent)
    : QWidget(parent), m_session(session), m_head(this, kHead)
{
    setObjectName(QStringLiteral("TitleDisplay"));

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
    layout->addLayout(m_head.layout());
    layout->addWidget(discs, 1);
    layout->addLayout(m_buttonRow);

    m_navigator->setTable(&session.tables().CD_Table1);
    connect(m_head.jumpList(), &JumpList::chosen, this, &CdTitleDisplay::jumpChosen);
    connect(m_navigator, &RecordNavigator::moved, this, [this] {
        showCurrent();
        emit titleChanged();
    });
    connect(m_tabs, &QTabBar::currentChanged, this, &CdTitleDisplay::showDisc);
}

bool CdTitleDisplay::showFromLast()
{
    Table &t = m_session.tables().CD_Table1;
    // The header takes the item the overview set; its disc is shown here.
    const startitem::Item start = startitem::peek();
    if (!t.isOpen() || !m_head.fillFromLast(t)) {
        clear();
        return false;
    }
    showCurrent();
    if (!start.disc.isEmpty() && m_title.number == start.number)
        for (int i = 0; i < m_tabs->count(); ++i)
            if (m_tabs->tabText(i) == start.disc) {
                m_tabs->setCurrentIndex(i);
                break;
            }
    return true;
}

void CdTitleDisplay::showCurrent()
{
    Table &titles = m_session.tables().CD_Table1;
    try {
        m_title = CdTitleColumns(titles).read(titles);
        m_head.jumpList()->follow(m_title.number);
        Table &tracks = m_session.tables().CD_Table2;
        openTracksToRead(tracks);
        m_tracks = titleTracks(tracks, m_title.number);
    } catch (const std::exception &e) {
        dialogs::showError(e);
        m_tracks.clear();
    }
    m_head.show(m_title, m_title.size + QStringLiteral(" MB"),
                m_title.artist.isEmpty() ? QStringLiteral("Neuvedeno ...") : m_title.artist);
    CdTitleHeader::showLoan(m_head.loanLabel(), m_title.loan);
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
    m_head.clear();
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
        if (m_head.locate(t, number, m_title.number))
            showCurrent();
        emit titleChanged();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora
