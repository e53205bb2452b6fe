#include "cds/CdTitleForm.h"

#include "catalogue/CdRules.h"
#include "cds/TrackCountDialog.h"
#include "cds/TrackLengthDialog.h"
#include "cds/TrackModel.h"
#include "cds/TrackStyleDialog.h"
#include "platform/DateBox.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora {

CdTitleForm::CdTitleForm(Kind kind, Session &session, QWidget *parent)
    : QWidget(parent), m_kind(kind), m_session(session)
{
    setObjectName(QStringLiteral("TitleForm"));
    build();
    layOut();
    connectAll();
}

CdTitleForm::~CdTitleForm() = default;

void CdTitleForm::build()
{
    const bool edit = m_kind == Kind::Edit;
    m_number = new QComboBox(this);
    m_number->setObjectName(QStringLiteral("Cislo_cd"));
    m_number->setMinimumContentsLength(6);
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("Typ_CD"));
    m_size->addItems(discSizes());
    m_style = new QComboBox(this);
    m_style->setObjectName(QStringLiteral("ZanrCD"));
    m_style->setToolTip(QStringLiteral("Uživatelsky nastavitelné ..."));
    m_style->setMinimumContentsLength(15);
    m_note = new QLineEdit(this);
    m_note->setObjectName(QStringLiteral("PoznCD"));
    m_note->setMaxLength(50);
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("TitulCD"));
    m_title->setMaxLength(50);
    m_artist = new QLineEdit(this);
    m_artist->setObjectName(QStringLiteral("Artists"));
    m_artist->setMaxLength(30);
    m_discCount = new QComboBox(this);
    m_discCount->setObjectName(QStringLiteral("Pocet_CDs"));
    for (int n = 1; n <= kMaxDiscs; ++n)
        m_discCount->addItem(QString::number(n));
    m_date = new DateBox(this);
    m_date->setObjectName(QStringLiteral("Porizeno"));
    m_format = new QComboBox(this);
    m_format->setObjectName(QStringLiteral("FormatCDs"));
    m_format->setToolTip(QStringLiteral("Uživatelsky nastavitelné ..."));
    m_format->setMinimumContentsLength(20);
    m_lockTime =
        new QCheckBox(QStringLiteral("Znepřístupnit změnu časů jednotlivých skladeb."), this);
    m_lockTime->setObjectName(QStringLiteral("LockTime"));
    m_allOne = new QCheckBox(QStringLiteral("Použít na celý titul CDs!"), this);
    m_allOne->setObjectName(QStringLiteral("All_oneArtist"));

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabControl1"));
    m_tabs->setAccessibleName(QStringLiteral("Disky titulu"));
    m_model = new TrackModel(m_work, this);
    m_delegate = new TrackDelegate(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setAccessibleName(QStringLiteral("Skladby disku"));
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(m_delegate);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->setMinimumHeight(220);
    m_grid->installEventFilter(this);

    m_grid->setAccessibleDescription(QStringLiteral(
        "Nabídku pro stopy a disky otevřete klávesami Shift+F10 nebo klávesou nabídky."));

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    m_menu->setAccessibleName(QStringLiteral("Nabídka stop a disků"));
    m_countAction = m_menu->addAction(QString());
    m_countAction->setObjectName(QStringLiteral("ZmenitPocetStop"));
    m_menu->setDefaultAction(m_countAction);
    m_insertTrack = m_menu->addAction(
        QStringLiteral("Vložit novou stopu před nastavený záznam a přečíslovat CD ..."));
    m_insertTrack->setObjectName(QStringLiteral("VlozitStopu"));
    m_deleteTrack =
        m_menu->addAction(QStringLiteral("Smazat nastavenou stopu a přečíslovat disk ..."));
    m_deleteTrack->setObjectName(QStringLiteral("SmazatStopu"));
    m_insertDisc = m_menu->addAction(QString());
    m_insertDisc->setObjectName(QStringLiteral("VlozitDisk"));
    m_deleteDisc = m_menu->addAction(
        QStringLiteral("Smazat nastavený CD-disk a přečíslovat následující disky ..."));
    m_deleteDisc->setObjectName(QStringLiteral("SmazatDisk"));
    // The actions also work from the keyboard while the grid has the focus.
    for (QAction *a : {m_countAction, m_insertTrack, m_deleteTrack, m_insertDisc, m_deleteDisc})
        m_grid->addAction(a);

    m_s1 = ui::valueLabel(this, QStringLiteral("S1"), QStringLiteral("Sloupec \"Nazpíval(a)\""),
                          kLocked);
    m_s2 = ui::valueLabel(this, QStringLiteral("S2"), QStringLiteral("Sloupec \"Styl skladby\""),
                          kFree);
    m_totalCaption =
        ui::caption(this, QStringLiteral("Label_Cas"),
                    edit ? QStringLiteral("Celkový čas:") : QStringLiteral("Čas disku:"));
    m_total =
        ui::valueLabel(this, QStringLiteral("Cas_na_Disku"), m_totalCaption, discTotalText(0));
    m_countCaption = ui::caption(this, QStringLiteral("Label_Stopy"),
                                 edit ? QStringLiteral("Aktuální počet hudebních stop:")
                                      : QStringLiteral("Aktuální počet hudebních stop disku:"));
    m_trackCount =
        ui::valueLabel(this, QStringLiteral("Pocet_Stop"), m_countCaption, QStringLiteral("1"));
    for (QLabel *l : {m_s1, m_s2, m_total, m_trackCount})
        ui::setBold(l);

    if (edit) {
        m_countDialog = new TKolik_CDs2(this);
        m_lengthDialog = new TZapis_Delku2(this);
        m_styleDialog = new TZapis_Styl2(this);
    } else {
        m_countDialog = new TKolik_CDs(this);
        m_lengthDialog = new TZapis_Delku(this);
        m_styleDialog = new TZapis_Styl(this);
    }
}

void CdTitleForm::layOut()
{
    auto *top = new QGridLayout;
    int row = 0;
    auto add = [&](const QString &name, const QString &text, QWidget *input,
                   QWidget *extra = nullptr) {
        top->addWidget(ui::caption(this, name, text, input), row, 0);
        if (extra) {
            auto *h = new QHBoxLayout;
            h->addWidget(input);
            h->addWidget(extra);
            h->addStretch();
            top->addLayout(h, row, 1);
        } else {
            top->addWidget(input, row, 1);
        }
        ++row;
    };
    add(QStringLiteral("Label1"), QStringLiteral("Číslo hudebního CD titulu :"), m_number);
    add(QStringLiteral("Label2"), QStringLiteral("Velikost CDs :"), m_size,
        new QLabel(QStringLiteral("MB."), this));
    add(QStringLiteral("Label3"), QStringLiteral("Styl hudebního CD:"), m_style);
    add(QStringLiteral("Label4"), QStringLiteral("Poznámka k CD :"), m_note);
    add(QStringLiteral("Label5"), QStringLiteral("Hudební CD titul :"), m_title);
    add(QStringLiteral("Label6"), QStringLiteral("Nazpíval(a)        :"), m_artist, m_allOne);
    add(QStringLiteral("Label7"), QStringLiteral("Počet disků v titulu:"), m_discCount);
    add(QStringLiteral("Label8"), QStringLiteral("Pořízeno:"), m_date);
    add(QStringLiteral("Label9"), QStringLiteral("Formát titulu:"), m_format);
    m_date->edit()->setAccessibleName(QStringLiteral("Pořízeno"));

    auto *states = new QGridLayout;
    auto *c1 =
        ui::caption(this, QStringLiteral("Label10"), QStringLiteral("Sloupec \"Nazpíval(a)\"  :"));
    auto *c2 =
        ui::caption(this, QStringLiteral("Label11"), QStringLiteral("Sloupec \"Styl skladby\" :"));
    ui::nameValue(c1, m_s1);
    ui::nameValue(c2, m_s2);
    states->addWidget(c1, 0, 0);
    states->addWidget(m_s1, 0, 1);
    states->addWidget(c2, 1, 0);
    states->addWidget(m_s2, 1, 1);
    states->addWidget(m_totalCaption, 2, 0);
    states->addWidget(m_total, 2, 1);
    states->addWidget(m_lockTime, 3, 0, 1, 2);
    states->setRowStretch(4, 1);

    auto *head = new QHBoxLayout;
    head->addLayout(top, 3);
    head->addSpacing(16);
    head->addLayout(states, 2);

    auto *discs = new QGroupBox(this);
    auto *discLayout = new QVBoxLayout(discs);
    discLayout->addWidget(m_tabs);
    discLayout->addWidget(m_grid);

    m_buttons = new QHBoxLayout;
    m_buttons->addWidget(m_countCaption);
    m_buttons->addWidget(m_trackCount);
    m_buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(head);
    layout->addWidget(discs, 1);
    layout->addLayout(m_buttons);
    m_grid->setColumnWidth(TrackModel::Number, 60);
    m_grid->setColumnWidth(TrackModel::Title, 280);
    m_grid->setColumnWidth(TrackModel::Length, 70);
    m_grid->setColumnWidth(TrackModel::Artist, 180);
}

void CdTitleForm::fillLists()
{
    QStringList formats;
    try {
        formats = readUserList(m_session.tables().Users_03);
        m_styles = readUserList(m_session.tables().Users_04);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    formats.sort();
    QStringList sorted = m_styles;
    sorted.sort();
    m_quiet = true;
    m_format->clear();
    m_format->addItems(formats);
    m_style->clear();
    m_style->addItem(kNoStyle);
    m_style->addItems(sorted);
    m_delegate->setStyles(sorted);
    m_quiet = false;
}

QString CdTitleForm::titleStyle() const
{
    const QString s = m_style->currentText();
    return s == kNoStyle ? QString() : s;
}

bool CdTitleForm::titleStyleChosen() const
{
    return m_style->currentIndex() >= 0 && m_style->currentText() != kNoStyle;
}

QString CdTitleForm::defaultArtist() const
{
    return m_allOne->isChecked() ? m_artist->text() : QString();
}

void CdTitleForm::changed()
{
    if (!m_quiet)
        emit edited();
}

void CdTitleForm::startNew()
{
    m_quiet = true;
    m_size->setCurrentIndex(m_size->findText(kDefaultSize));
    m_note->clear();
    m_title->clear();
    m_artist->clear();
    m_discCount->setCurrentIndex(0);
    m_lockTime->setChecked(true);
    m_date->setDate(QDate::currentDate());
    m_storedDate.clear();
    m_format->setCurrentIndex(m_format->findText(kDefaultFormat));
    m_style->setCurrentIndex(0);
    m_work.clear();
    setTabs(1);
    m_allOne->setChecked(true);
    m_work.append({discLabel(1), 1, QStringLiteral("Stopa 1"), kZeroLength, {}, {}});
    m_model->showDisc(discLabel(1));
    applyArtist();
    applyStyle();
    m_quiet = false;
    showCounts();
    setMenuCaptions();
}

void CdTitleForm::load(const CdTitle &title, const std::vector<CdTrack> &tracks, int disc)
{
    m_quiet = true;
    m_note->setText(title.note);
    m_title->setText(title.title);
    m_artist->setText(title.artist);
    m_allOne->setChecked(false);
    m_style->setCurrentIndex(0);
    m_size->setCurrentIndex(m_size->findText(title.size.trimmed()));
    m_format->setCurrentIndex(m_format->findText(title.format));
    QDate d;
    for (const char *form : {"dd.MM.yyyy", "d.M.yyyy", "yyyy-MM-dd"})
        if (!d.isValid())
            d = QDate::fromString(title.acquired.trimmed(), QLatin1String(form));
    m_date->setDate(d);
    m_storedDate = title.acquired;
    m_dateTouched = false;
    m_work.clear();
    QStringList labels;
    for (const CdTrack &t : tracks) {
        const QString label = t.label.trimmed();
        if (!labels.contains(label))
            labels << label;
        m_work.append({label, t.track, t.title, lengthTextOfSeconds(t.seconds), t.style, t.artist});
    }
    // Tracks stored without a label join those of disc 1, and numbers that
    // another program left twice or with gaps would confuse the grid's
    // actions: each disc is numbered 1..k as the form keeps it.
    m_work.renumber();
    // A title without tracks still has its first disc, where tracks added
    // now are kept.
    if (labels.isEmpty())
        labels << discLabel(1);
    m_tabs->blockSignals(true);
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    for (const QString &l : labels)
        m_tabs->addTab(captionOfLabel(l));
    m_tabs->setCurrentIndex(std::clamp(disc, 1, std::max(1, int(labels.size()))) - 1);
    m_tabs->blockSignals(false);
    m_discCount->setCurrentIndex(std::clamp(int(labels.size()), 1, kMaxDiscs) - 1);
    m_model->showDisc(currentLabel());
    applyArtist();
    applyStyle();
    m_quiet = false;
    showCounts();
    setMenuCaptions();
}

CdTitle CdTitleForm::content() const
{
    CdTitle t;
    t.size = m_size->currentText();
    t.number = m_number->currentText();
    t.title = m_title->text();
    t.artist = m_artist->text();
    const QDate d = m_date->date();
    t.acquired = d.isValid()     ? d.toString(QStringLiteral("dd.MM.yyyy"))
                 : m_dateTouched ? QString()
                                 : m_storedDate;
    t.format = m_format->currentText();
    t.note = m_note->text();
    return t;
}

std::vector<CdTrack> CdTitleForm::tracksToSave() const
{
    // The locked columns hold the title-wide values, also when the artist
    // box was typed in and not left before saving.
    const bool oneArtist = m_allOne->isChecked();
    const bool oneStyle = titleStyleChosen();
    std::vector<CdTrack> out;
    for (const WorkTrack &r : m_work.ordered())
        out.push_back({m_number->currentText(), r.label, r.number, r.title,
                       secondsOfLength(r.length).value_or(looseSecondsOfLength(r.length)),
                       oneStyle ? m_style->currentText() : r.style,
                       oneArtist ? m_artist->text() : r.artist});
    return out;
}

QString CdTitleForm::badLengthText(int number, const QString &label, const QString &length)
{
    return QStringLiteral("Délka skladby číslo %1 na disku %2 (\"%3\") není zapsána jako "
                          "minuty:sekundy (dvě číslice, dvojtečka, dvě číslice, sekundy "
                          "nejvýše 59).")
        .arg(number)
        .arg(captionOfLabel(label), length);
}

bool CdTitleForm::checkLengths()
{
    // A length refused as its cell was left, by the click on the save
    // button itself: its own message is on the way, nothing is saved.
    if (m_refusedLength)
        return false;
    const std::optional<WorkTrack> bad = m_work.badLength();
    if (!bad)
        return true;
    dialogs::warning(QStringLiteral("Upozornění:"),
                     badLengthText(bad->number, bad->label, bad->length) +
                         QStringLiteral("\r\nOpravte ji prosím, titul nebyl uložen."));
    selectDisc(discOfLabel(bad->label));
    return false;
}

int CdTitleForm::discCount() const
{
    return m_tabs->count();
}

int CdTitleForm::currentDisc() const
{
    return m_tabs->currentIndex() + 1;
}

QString CdTitleForm::currentLabel() const
{
    return m_tabs->count() > 0 ? labelOfCaption(m_tabs->tabText(m_tabs->currentIndex()))
                               : QString();
}

void CdTitleForm::selectDisc(int disc)
{
    if (disc >= 1 && disc <= m_tabs->count())
        m_tabs->setCurrentIndex(disc - 1);
}

void CdTitleForm::setTabs(int discs)
{
    const int keep = m_tabs->currentIndex();
    m_tabs->blockSignals(true);
    while (m_tabs->count() > discs)
        m_tabs->removeTab(m_tabs->count() - 1);
    while (m_tabs->count() < discs)
        m_tabs->addTab(discCaption(m_tabs->count() + 1));
    for (int i = 0; i < discs; ++i)
        m_tabs->setTabText(i, discCaption(i + 1));
    m_tabs->setCurrentIndex(std::clamp(keep, 0, discs - 1));
    m_tabs->blockSignals(false);
}

void CdTitleForm::refreshGrid()
{
    m_model->showDisc(currentLabel());
    showCounts();
}

void CdTitleForm::showCounts()
{
    m_trackCount->setText(QString::number(m_work.trackCount(currentLabel())));
    m_total->setText(discTotalText(m_work.discSeconds(currentLabel())));
}

void CdTitleForm::setMenuCaptions()
{
    const QString caption = m_tabs->tabText(m_tabs->currentIndex());
    m_countAction->setText(QStringLiteral("Změnit počet nastavených stop na nastaveném disku: ") +
                           caption);
    m_insertDisc->setText(QStringLiteral("Vytvořit nový CD-disk před nastavený disk: ") + caption);
}

} // namespace velmora
