// The track grid's actions of the title form: the track-count dialog, the
// inserting and deleting of tracks and discs, the title-wide artist and
// style, and the dialogs that entering a column opens.

#include "catalogue/CdRules.h"
#include "cds/CdAudio.h"
#include "cds/CdTitleForm.h"
#include "cds/TrackCountDialog.h"
#include "cds/TrackLengthDialog.h"
#include "cds/TrackModel.h"
#include "cds/TrackStyleDialog.h"
#include "platform/DateBox.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTableView>

namespace velmora {
namespace {

const QString kWarning = QStringLiteral("Upozornění:");

QString quoted(int n)
{
    return QLatin1Char('"') + QString::number(n) + QLatin1Char('"');
}

} // namespace

void CdTitleForm::connectAll()
{
    auto edits = [this] { changed(); };
    connect(m_size, &QComboBox::activated, this, edits);
    connect(m_format, &QComboBox::activated, this, edits);
    connect(m_note, &QLineEdit::textEdited, this, edits);
    connect(m_title, &QLineEdit::textEdited, this, edits);
    connect(m_artist, &QLineEdit::textEdited, this, edits);
    connect(m_date, &DateBox::changed, this, [this] {
        m_dateTouched = true;
        changed();
    });
    connect(m_artist, &QLineEdit::editingFinished, this, [this] { applyArtist(); });
    connect(m_allOne, &QCheckBox::clicked, this, [this] {
        applyArtist();
        changed();
    });
    connect(m_style, &QComboBox::activated, this, [this] {
        applyStyle();
        changed();
    });
    connect(m_discCount, &QComboBox::activated, this,
            [this](int index) { discCountChosen(index + 1); });
    connect(m_tabs, &QTabBar::currentChanged, this, [this] { showDisc(); });
    connect(m_model, &TrackModel::edited, this, [this] {
        showCounts();
        changed();
    });
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_grid->viewport()->mapToGlobal(at)); });
    connect(m_delegate, &TrackDelegate::lengthRefused, this, [this](int row, const QString &typed) {
        // Told once the editor has gone, not in the middle of its closing.
        // The work row is taken now: by then another disc may be shown.
        m_refusedLength = true;
        const int work = m_model->workRow(row);
        QMetaObject::invokeMethod(
            this, [this, row, work, typed] { lengthRefused(row, work, typed); },
            Qt::QueuedConnection);
    });
    connect(m_countAction, &QAction::triggered, this, &CdTitleForm::trackCountAction);
    connect(m_insertTrack, &QAction::triggered, this, &CdTitleForm::insertTrack);
    connect(m_deleteTrack, &QAction::triggered, this, &CdTitleForm::deleteTrack);
    connect(m_insertDisc, &QAction::triggered, this, &CdTitleForm::insertDisc);
    connect(m_deleteDisc, &QAction::triggered, this, &CdTitleForm::deleteDisc);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                if (!current.isValid() || m_quiet)
                    return;
                if (current.column() != previous.column() || !previous.isValid())
                    enterColumn(current.row(), current.column());
            });
}

bool CdTitleForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_grid)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        openGridMenu();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        // Shift+F10 and the menu key open the grid's menu; the desktop's own
        // context-menu event for the menu key comes first and opens it there.
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Menu && mods == Qt::NoModifier) ||
            (key->key() == Qt::Key_F10 && mods == Qt::ShiftModifier)) {
            openGridMenu();
            return true;
        }
        changed();
    }
    return QWidget::eventFilter(watched, event);
}

void CdTitleForm::lengthRefused(int row, int work, const QString &typed)
{
    m_refusedLength = false;
    if (work < 0 || work >= int(m_work.rows().size()))
        return;
    const WorkTrack &r = m_work.row(work);
    dialogs::warning(kWarning,
                     badLengthText(r.number, r.label, typed) +
                         QStringLiteral("\r\nDélka zůstala beze změny. Lze ji zapsat také jako "
                                        "m:ss nebo mmss (například 3:25 nebo 0325)."));
    // Back in the cell with what was typed, to be put right, while the
    // grid still shows that track.
    if (m_model->workRow(row) != work)
        return;
    const QModelIndex cell = m_model->index(row, TrackModel::Length);
    const bool quiet = m_quiet;
    m_quiet = true;
    m_grid->setCurrentIndex(cell);
    m_quiet = quiet;
    m_grid->setFocus();
    m_grid->edit(cell);
    if (auto *line = qobject_cast<QLineEdit *>(m_grid->indexWidget(cell))) {
        line->setText(typed);
        line->selectAll();
    }
}

void CdTitleForm::openGridMenu()
{
    // From the keyboard the menu stands under the current cell, where the
    // user's attention is, not where the mouse pointer happens to be.
    const QModelIndex current = m_grid->currentIndex();
    const QRect cell = current.isValid() ? m_grid->visualRect(current) : QRect();
    const QPoint at = cell.isValid() ? cell.bottomLeft() : QPoint(0, 0);
    m_menu->popup(m_grid->viewport()->mapToGlobal(at));
    if (!m_menu->actions().isEmpty())
        m_menu->setActiveAction(m_menu->defaultAction());
}

void CdTitleForm::showDisc()
{
    m_model->showDisc(currentLabel());
    if (m_work.trackCount(currentLabel()) == 0) {
        trackCountAction();
        m_grid->setCurrentIndex(m_model->index(0, TrackModel::Title));
    }
    if (m_kind == Kind::New) {
        const bool quiet = m_quiet;
        m_quiet = true;
        applyArtist();
        applyStyle();
        m_discCount->setCurrentIndex(discCount() - 1);
        m_quiet = quiet;
    }
    setMenuCaptions();
    showCounts();
}

void CdTitleForm::trackCountAction()
{
    const QString label = currentLabel();
    const QString caption = m_tabs->tabText(m_tabs->currentIndex());
    // A failed reading brings the dialog back as the user left it.
    m_countDialog->prepare(caption, m_work.trackCount(label));
    for (;;) {
        const int k = m_work.trackCount(label);
        if (dialogs::exec(*m_countDialog) != QDialog::Accepted) {
            if (k == 0) {
                m_work.append({label, 1, QStringLiteral("Stopa 1"), kZeroLength, titleStyle(),
                               defaultArtist()});
                changed();
            }
            break;
        }
        if (m_countDialog->readFromCd()) {
            const std::optional<CdReading> reading = readAudioCd(m_countDialog->drive());
            if (!reading)
                continue; // the dialog comes back
            std::vector<WorkTrack> rows;
            for (const ReadTrack &t : reading->tracks)
                rows.push_back({label, 0, t.title.left(TrackModel::maxLength(TrackModel::Title)),
                                lengthText(t.minutes, t.seconds), titleStyle(), defaultArtist()});
            m_work.replaceDisc(label, std::move(rows));
            // CD-Text names the disc; the user's own entries stay.
            if (m_title->text().isEmpty() && !reading->title.isEmpty())
                m_title->setText(reading->title.left(m_title->maxLength()));
            if (m_artist->text().isEmpty() && !reading->performer.isEmpty())
                m_artist->setText(reading->performer.left(m_artist->maxLength()));
            // Asked for in the dialog: the names from MusicBrainz over the
            // rows just read; whatever goes wrong leaves them as read.
            if (m_countDialog->lookUp())
                lookUpDisc(*reading, false);
            changed();
            break;
        }
        const int q = m_countDialog->count();
        if (q > k) {
            m_work.setTrackCount(label, q);
            changed();
        } else if (dialogs::question(
                       kWarning, QStringLiteral(
                                     "Tato operace je nevratná! Opravdu chcete snížit počet stop z "
                                     "počtu") +
                                     quoted(k) + QStringLiteral(" na ") + quoted(q) +
                                     QStringLiteral(" ?\r\n\r\nRušit stopy budu od konce !"))) {
            if (q < k) {
                m_work.setTrackCount(label, q);
                changed();
            }
        }
        break;
    }
    const bool quiet = m_quiet;
    m_quiet = true;
    m_model->showDisc(label);
    applyStyle();
    applyArtist();
    m_grid->setCurrentIndex(m_model->index(0, TrackModel::Title));
    m_quiet = quiet;
    showCounts();
}

void CdTitleForm::insertTrack()
{
    const QString label = currentLabel();
    const int row = std::max(0, m_grid->currentIndex().row());
    const int w = m_model->workRow(row);
    const int t = w >= 0 ? m_work.row(w).number : 1;
    m_work.insertTrack(label, t, {label, t, kNewTrack, kZeroLength, titleStyle(), defaultArtist()});
    m_model->refresh();
    const bool quiet = m_quiet;
    m_quiet = true;
    m_grid->setCurrentIndex(m_model->index(t - 1, TrackModel::Title));
    m_quiet = quiet;
    showCounts();
    changed();
}

void CdTitleForm::deleteTrack()
{
    const QString label = currentLabel();
    if (m_work.trackCount(label) <= 1) {
        dialogs::warning(kWarning, QStringLiteral("Nelze smazat stopu na disku, pokud je poslední "
                                                  "existující hudební stopou!"));
        return;
    }
    const int w = m_model->workRow(std::max(0, m_grid->currentIndex().row()));
    if (w < 0)
        return;
    const int t = m_work.row(w).number;
    if (!dialogs::question(kWarning,
                           QStringLiteral("Opravdu chcete smazat nastavenou stopu číslo: ") +
                               quoted(t) + QStringLiteral(" ?")))
        return;
    m_work.removeTrack(label, t);
    m_model->refresh();
    const bool quiet = m_quiet;
    m_quiet = true;
    m_grid->setCurrentIndex(
        m_model->index(std::min(t - 1, m_model->rowCount() - 1), TrackModel::Title));
    m_quiet = quiet;
    showCounts();
    changed();
}

void CdTitleForm::discCountChosen(int d)
{
    const int m = discCount();
    if (d >= m) {
        if (d > m) {
            setTabs(d);
            changed();
        }
        setMenuCaptions();
        return;
    }
    if (dialogs::question(
            kWarning,
            QStringLiteral("Tato operace je nevratná! Opravdu chcete snížit počet disků z počtu ") +
                quoted(m) + QStringLiteral(" na ") + quoted(d) +
                QStringLiteral(" ?\r\n\r\nPočet disků, které zůstanou (počítaje od disku 1): ") +
                QString::number(d))) {
        m_work.keepDiscs(d);
        setTabs(d);
        changed();
    }
    m_tabs->blockSignals(true);
    m_tabs->setCurrentIndex(0);
    m_tabs->blockSignals(false);
    showDisc();
    m_discCount->setCurrentIndex(discCount() - 1);
}

void CdTitleForm::insertDisc()
{
    const int m = discCount();
    const QString caption = m_tabs->tabText(m_tabs->currentIndex());
    if (m >= kMaxDiscs) {
        dialogs::warning(kWarning,
                         QStringLiteral("Titul může mít nejvýše %1 disků, další disk nelze vložit.")
                             .arg(kMaxDiscs));
        return;
    }
    if (!dialogs::question(
            kWarning, QStringLiteral("Opravdu chcete vložit disk do titulu před nastavený disk: ") +
                          caption + QStringLiteral(" a ostatní posunout a přečíslovat ?")))
        return;
    const int disc = currentDisc();
    m_work.insertDisc(disc, m);
    setTabs(m + 1);
    changed();
    m_tabs->blockSignals(true);
    m_tabs->setCurrentIndex(disc - 1);
    m_tabs->blockSignals(false);
    showDisc(); // the new disc is empty: the track-count dialog comes
}

void CdTitleForm::deleteDisc()
{
    const int m = discCount();
    if (m <= 1) {
        dialogs::warning(kWarning,
                         QStringLiteral("POZOR: Nemůžete smazat CD-disk, pokud je "
                                        "posledním hudebním diskem v nastaveném titulu !"));
        return;
    }
    const QString caption = m_tabs->tabText(m_tabs->currentIndex());
    if (!dialogs::question(
            kWarning,
            QStringLiteral("Opravdu chcete smazat z titulu natrvalo aktuálně nastavený disk : ") +
                caption + QStringLiteral(" a ostatní posunout a přečíslovat ?")))
        return;
    const int disc = currentDisc();
    m_work.removeDisc(disc, m);
    setTabs(m - 1);
    changed();
    // The disc that took the deleted one's place, or the last one.
    m_tabs->blockSignals(true);
    m_tabs->setCurrentIndex(std::min(disc, m - 1) - 1);
    m_tabs->blockSignals(false);
    showDisc();
}

// The title-wide artist and style reach every disc at once, also the discs
// whose tab is not shown again before the title is saved.
void CdTitleForm::applyArtist()
{
    const bool on = m_allOne->isChecked();
    if (on) {
        m_work.setArtist(m_artist->text());
        m_model->refresh();
    }
    m_model->setArtistLocked(on);
    m_s1->setText(on ? kLocked : kFree);
}

void CdTitleForm::applyStyle()
{
    const bool on = titleStyleChosen();
    if (on) {
        m_work.setStyle(m_style->currentText());
        m_model->refresh();
    }
    m_model->setStyleLocked(on);
    m_s2->setText(on ? kLocked : kFree);
}

void CdTitleForm::enterColumn(int row, int column)
{
    const int w = m_model->workRow(row);
    if (w < 0)
        return;
    showCounts();
    int next = -1;
    if (column == TrackModel::Length && !m_lockTime->isChecked()) {
        m_lengthDialog->prepare(m_work.row(w).number, m_work.row(w).length);
        if (dialogs::exec(*m_lengthDialog) == QDialog::Accepted &&
            m_work.row(w).length != m_lengthDialog->length()) {
            m_work.row(w).length = m_lengthDialog->length();
            changed();
        }
        next = TrackModel::Artist;
    } else if (column == TrackModel::Style && m_style->currentText() == kNoStyle) {
        m_styleDialog->prepare(m_work.row(w).number, m_styles, m_work.row(w).style);
        if (dialogs::exec(*m_styleDialog) == QDialog::Accepted &&
            m_work.row(w).style != m_styleDialog->style()) {
            m_work.row(w).style = m_styleDialog->style();
            changed();
        }
    } else {
        return;
    }
    m_model->refresh();
    const bool quiet = m_quiet;
    m_quiet = true;
    m_grid->setCurrentIndex(m_model->index(row, next >= 0 ? next : column));
    m_quiet = quiet;
    showCounts();
}

} // namespace velmora
