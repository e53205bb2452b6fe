#include "reports/CdListScreen.h"

#include "listing/CdListRuns.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace velmora {
namespace {

const char *const kOptionTexts[] = {
    "Včetně datumu pořízení",
    "Včetně formátu titulu",
    "Včetně poznámek k titulu",
    "Zobrazit i kompletní skladby k titulu !",
};

} // namespace

CdTitleListScreen::CdTitleListScreen(Session &session, QWidget *parent)
    : ReportScreen(session, parent)
{
    auto *group = new QVBoxLayout;
    m_optionsCaption =
        ui::caption(this, QStringLiteral("Label2"), QStringLiteral("Další informace do tisku:"));
    group->addWidget(m_optionsCaption);
    auto *grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto *box = new QCheckBox(QString::fromUtf8(kOptionTexts[i]), this);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        // A click rebuilds; the boxes cleared on showing do not.
        connect(box, &QCheckBox::clicked, this, [this] { build(); });
        grid->addWidget(box, i / 2, i % 2);
        m_options[size_t(i)] = box;
    }
    m_optionsCaption->setBuddy(m_options[0]);
    group->addLayout(grid);
    choiceLayout()->addLayout(group);
}

CdListOptions CdTitleListScreen::options() const
{
    return {m_options[0]->isChecked(), m_options[1]->isChecked(), m_options[2]->isChecked(),
            m_options[3]->isChecked()};
}

void CdTitleListScreen::clearOptions()
{
    for (QCheckBox *box : m_options)
        box->setChecked(false);
}

void CdTitleListScreen::setOptionsAvailable(bool available)
{
    for (QCheckBox *box : m_options)
        box->setEnabled(available);
    colours::setTextColour(m_optionsCaption, available ? QColor(0, 0, 0) : QColor(128, 128, 128));
}

void CdTitleListScreen::writeTitles(CdListKind kind, const std::vector<int> &records)
{
    const CdListOptions chosen = options();
    // The gauge runs over the titles this list visits.
    writeWithProgress(int(records.size()),
                      [&](ReportWriter &w, const std::function<void()> &visited) {
                          writeTitleList(w, session().tables(), kind, records, chosen, visited);
                      });
}

TTisk_CD_Seznamu::TTisk_CD_Seznamu(Session &session, QWidget *parent)
    : CdTitleListScreen(session, parent)
{
    setObjectName(QStringLiteral("Tisk_CD_Seznamu"));
    setWindowTitle(QStringLiteral("Tiskové sestavy CD databází ..."));
    titleLabel()->setText(QStringLiteral("Nadpis:"));

    m_choice = new QComboBox(this);
    m_choice->setObjectName(QStringLiteral("ComboBox1"));
    m_choice->addItems({QStringLiteral("Tisk všech hudebních CD titulů"),
                        QStringLiteral("Tisk Zapůjčených CD titulů")});
    QLabel *caption =
        ui::caption(this, QStringLiteral("Label1"), QStringLiteral("Výběr:"), m_choice);
    auto *column = new QVBoxLayout;
    column->addWidget(caption);
    column->addWidget(m_choice);
    column->addStretch(1);
    choiceLayout()->insertLayout(0, column);
    choiceLayout()->insertSpacing(1, 16);
    connect(m_choice, &QComboBox::currentIndexChanged, this, [this] { build(); });
}

TTisk_CD_Seznamu::~TTisk_CD_Seznamu()
{
    closeTracks();
}

void TTisk_CD_Seznamu::FormShow()
{
    try {
        openListTracks(session().tables());
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    clearOptions();
    {
        const QSignalBlocker quiet(m_choice);
        m_choice->setCurrentIndex(0);
    }
    build();
}

void TTisk_CD_Seznamu::build()
{
    if (busy())
        return;
    try {
        if (m_choice->currentIndex() == 1)
            buildLent();
        else
            buildAll();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void TTisk_CD_Seznamu::buildAll()
{
    setOptionsAvailable(true);
    titleLabel()->setText(QStringLiteral("Seznam evidovaných hudebních CD titulů"));
    const std::vector<int> records = allTitleRecords(session().tables());
    if (!listTracksOpen(session().tables())) {
        // Told when the screen was shown; without the tracks no list.
        report::write(*pane(), report::Mode::None, {});
        return;
    }
    writeTitles(CdListKind::All, records);
}

void TTisk_CD_Seznamu::buildLent()
{
    setOptionsAvailable(false);
    titleLabel()->setText(QStringLiteral("Seznam zapůjčených hudebních titulů"));
    // Stays on until the whole list is chosen again or the menu clears it.
    const std::vector<int> lent = lentTitleRecords(session().tables());
    report::write(*pane(), mode(),
                  [&](ReportWriter &w) { writeLentTitleList(w, session().tables(), lent); });
}

void TTisk_CD_Seznamu::done(int result)
{
    if (busy())
        return;
    closeTracks();
    CdTitleListScreen::done(result);
}

void TTisk_CD_Seznamu::closeTracks()
{
    try {
        closeListTracks(session().tables(), true);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora
