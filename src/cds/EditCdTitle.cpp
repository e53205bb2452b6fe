#include "cds/EditCdTitle.h"

#include "catalogue/CdCatalogue.h"
#include "catalogue/CdTitleMoves.h"
#include "cds/CatalogueStep.h"
#include "cds/CdTitleForm.h"
#include "cds/TrackModel.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Session.h"
#include "session/StartItem.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace velmora {
namespace {

// Opened at a track of the overview: its disc, with the focus on its row.
void showTrack(CdTitleForm &form, const QString &disc, int track)
{
    QTabBar *tabs = form.tabs();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == disc) {
            form.selectDisc(i + 1);
            break;
        }
    if (tabs->tabText(tabs->currentIndex()) != disc)
        return;
    TrackModel *tracks = form.model();
    for (int row = 0; row < tracks->rowCount(); ++row)
        if (tracks->index(row, TrackModel::Number).data().toInt() == track) {
            const QModelIndex cell = tracks->index(row, TrackModel::Title);
            form.grid()->setCurrentIndex(cell);
            form.grid()->scrollTo(cell);
            form.grid()->setFocus();
            return;
        }
}

} // namespace

TOpravit_CD_disk::TOpravit_CD_disk(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Opravit_CD_disk"));
    setWindowTitle(QStringLiteral("Oprava existujících CD titulů v databázi ..."));
    m_form = new CdTitleForm(CdTitleForm::Kind::Edit, session, this);
    m_close = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("&Zavřít okno"));
    m_save = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("Uložit změny"));
    m_save->setDefault(true);
    m_cancel = ui::button(this, QStringLiteral("BitBtn3"), QStringLiteral("Zrušit změny"));
    m_form->buttonRow()->addWidget(m_close);
    m_form->buttonRow()->addWidget(m_save);
    m_form->buttonRow()->addWidget(m_cancel);
    // Last of the screen's controls, so the order of the others stays.
    m_lookUp = ui::button(this, QStringLiteral("Dohledat_MusicBrainz"),
                          QStringLiteral("Dohledat v MusicBrainz"));
    m_lookUp->setToolTip(QStringLiteral(
        "Názvy, délky a interpreti skladeb disku z databáze MusicBrainz (internet)"));
    m_form->buttonRow()->addWidget(m_lookUp);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_form);
    resize(900, 680);

    connect(m_form, &CdTitleForm::edited, this, [this] { setPending(true); });
    connect(m_form->numberList(), &QComboBox::activated, this, &TOpravit_CD_disk::Cislo_cdChange);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, &TOpravit_CD_disk::BitBtn2Click);
    connect(m_cancel, &QPushButton::clicked, this, &TOpravit_CD_disk::BitBtn3Click);
    connect(m_lookUp, &QPushButton::clicked, m_form, &CdTitleForm::lookUpAction);
    setPending(false);
    // Pending changes are saved or cancelled first; Esc cancels them.
    setEscapeButton(m_cancel);
    setHeldOpen([this] { return m_pending; });
    qApp->installEventFilter(this);
}

TOpravit_CD_disk::~TOpravit_CD_disk() = default;

void TOpravit_CD_disk::FormShow()
{
    m_closed = false;
    try {
        openWhereClosed(m_session.tables().CD_Table2);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    startitem::Item start;
    try {
        // The title with the highest number comes first.
        moveToLastTitle(m_session.tables().CD_Table1);
        start = startitem::takeItem();
        if (start.number.isEmpty() || !locateTitle(m_session.tables().CD_Table1, start.number))
            start = {};
    } catch (const std::exception &e) {
        dialogs::showError(e);
        start = {};
    }
    showAgain();
    if (!start.disc.isEmpty())
        showTrack(*m_form, start.disc, start.track);
}

void TOpravit_CD_disk::showAgain()
{
    // The current record stays the title shown.
    Table &titles = m_session.tables().CD_Table1;
    const int rec = titles.recordNumber();
    fillNumbers();
    titles.moveToRecord(rec);
    m_form->fillLists();
    load();
    m_form->lockTime()->setChecked(true);
    m_form->numberList()->setFocus();
}

void TOpravit_CD_disk::fillNumbers()
{
    QComboBox *numbers = m_form->numberList();
    numbers->clear();
    try {
        numbers->addItems(titleNumbers(m_session.tables().CD_Table1));
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    numbers->setCurrentIndex(numbers->count() - 1);
}

void TOpravit_CD_disk::load(int disc)
{
    try {
        Table &titles = m_session.tables().CD_Table1;
        const CdTitle title = CdTitleColumns(titles).read(titles);
        m_form->numberList()->setCurrentIndex(m_form->numberList()->findText(title.number));
        m_form->load(title, titleTracks(m_session.tables().CD_Table2, title.number), disc);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    setPending(false);
}

void TOpravit_CD_disk::setPending(bool on)
{
    m_pending = on;
    m_save->setEnabled(on);
    m_cancel->setEnabled(on);
    m_close->setEnabled(!on);
    m_form->numberList()->setEnabled(!on);
}

void TOpravit_CD_disk::Cislo_cdChange(int index)
{
    if (m_pending || index < 0)
        return;
    try {
        locateTitle(m_session.tables().CD_Table1, m_form->numberList()->itemText(index));
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    load();
}

void TOpravit_CD_disk::BitBtn2Click()
{
    if (!m_pending || !m_form->checkLengths())
        return;
    Table &titles = m_session.tables().CD_Table1;
    // A failed save leaves the edits on the screen, still pending.
    if (!runCatalogueStep([&] {
            saveEditedTitle(titles, m_session.tables().CD_Table2, m_form->content(),
                            m_form->tracksToSave());
        }))
        return;
    showAgain();
}

void TOpravit_CD_disk::BitBtn3Click()
{
    load(m_form->currentDisc());
}

bool TOpravit_CD_disk::eventFilter(QObject *watched, QEvent *event)
{
    // The wheel anywhere over the screen moves between titles, except over
    // the track grid, which scrolls its tracks. Lists and boxes would take
    // it for themselves, so it is caught for the application first.
    if (event->type() != QEvent::Wheel || !watched->isWidgetType() || !isVisible())
        return ScreenDialog::eventFilter(watched, event);
    auto *w = static_cast<QWidget *>(watched);
    if (w != this && !isAncestorOf(w))
        return ScreenDialog::eventFilter(watched, event);
    QWidget *grid = m_form->grid();
    if (w == grid || grid->isAncestorOf(w))
        return ScreenDialog::eventFilter(watched, event);
    wheel(static_cast<QWheelEvent *>(event)->angleDelta().y());
    return true;
}

void TOpravit_CD_disk::wheel(int dy)
{
    // Towards the user the next title, away from the user the previous one.
    QComboBox *numbers = m_form->numberList();
    const int step = dy < 0 ? 1 : dy > 0 ? -1 : 0;
    const int to = numbers->currentIndex() + step;
    if (!m_pending && step != 0 && to >= 0 && to < numbers->count()) {
        numbers->setCurrentIndex(to);
        Cislo_cdChange(to);
    }
}

void TOpravit_CD_disk::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    closeTracks(m_session.tables().CD_Table2);
}

} // namespace velmora
