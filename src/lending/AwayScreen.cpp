#include "lending/AwayScreen.h"

#include "lending/AwayModel.h"
#include "lending/FilmWindows.h"
#include "loans/LendingViews.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora {

struct AwayScreen::Design
{
    ItemKind kind;
    ScreenWords words;
    const char *lentCaption;
    const char *gridName;
    Table TableHandles::*items;
    const char *onlyOverdue;  // CheckBox2 while it is not checked
    const char *shownOverdue; // and while it is
};

namespace {

constexpr AwayScreen::Design kCassettes{
    ItemKind::Cassette,
    {"Zobrazeni_zapujcek", "Zobrazení zapůjčených videokazet ..."},
    "Počet zapůjčených kazet  :",
    "Zapůjčené videokazety",
    &TableHandles::Table1,
    "Zobrazit jen videokazety, u kterých termín vrácení vypršel !",
    "Zobrazeny jen videokazety mimo termín vrácení !",
};

constexpr AwayScreen::Design kCds{
    ItemKind::Cd,
    {"Zobrazeni_zapujcekCD", "Zobrazení zapůjčených hudebních CD disků ..."},
    "Počet zapůjčených CD     :",
    "Zapůjčená hudební CD",
    &TableHandles::CD_Table1,
    "Zobrazit jen CD tituly, u kterých termín vrácení vypršel !",
    "Zobrazeny jen CD mimo termín vrácení !",
};

const QString kNoTitle = QStringLiteral("Titul hudebního CD: Není nastaveno hudební CD ...");
const QString kTitlePrefix = QStringLiteral("Titul hudebního CD: ");

} // namespace

TZobrazeni_zapujcek::TZobrazeni_zapujcek(Session &session, QWidget *parent)
    : AwayScreen(kCassettes, session, parent)
{
}

TZobrazeni_zapujcekCD::TZobrazeni_zapujcekCD(Session &session, QWidget *parent)
    : AwayScreen(kCds, session, parent)
{
}

AwayScreen::AwayScreen(const Design &design, Session &session, QWidget *parent)
    : KindScreen(design.kind, design.words, session, parent), m_design(design)
{
    resize(760, 500);
    // Shown at start, before the main window, the window manager would
    // otherwise give it no more than its layout's least size.
    setMinimumSize(640, 420);

    auto *counts = new QGridLayout;
    // The fourth line is shown only while some loan start cannot be read.
    const QStringList captions{kindText(design.lentCaption),
                               QStringLiteral(" - z toho jsou ještě v termínu :"),
                               QStringLiteral(" - z toho jsou mimo termín     :"),
                               QStringLiteral(" - z toho mají nečitelné datum :")};
    const QStringList names{QStringLiteral("Pocet"), QStringLiteral("V_terminu"),
                            QStringLiteral("Mimo_termin"), QStringLiteral("Necitelne")};
    QLabel **values[4] = {&m_lent, &m_inTerm, &m_overdueCount, &m_unreadableCount};
    for (int i = 0; i < 4; ++i) {
        auto *caption = ui::caption(this, QStringLiteral("Label_") + names[i], captions[i]);
        *values[i] = ui::valueLabel(this, names[i], caption, QStringLiteral("0"));
        ui::setBold(*values[i]);
        counts->addWidget(caption, i, 0);
        counts->addWidget(*values[i], i, 1);
        if (i == 3)
            m_unreadableCaption = caption;
    }
    counts->setColumnStretch(2, 1);

    m_onlyOverdue = new QCheckBox(this);
    m_onlyOverdue->setObjectName(QStringLiteral("CheckBox2"));

    m_model = new AwayModel(m_kind, this);
    m_grid = ui::rowGrid(this, QStringLiteral("DBGrid1"), kindText(design.gridName));
    m_grid->setModel(m_model);

    makeCloseButton();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(counts);
    layout->addWidget(m_onlyOverdue);
    if (m_kind == ItemKind::Cd) {
        m_titleName = ui::valueLabel(this, QStringLiteral("CD_Titul_Name"),
                                     QStringLiteral("Titul hudebního CD"), kNoTitle);
        layout->addWidget(m_titleName);
    } else {
        m_showFilms =
            new QCheckBox(QStringLiteral("Zobrazit názvy filmů při listování v seznamu."), this);
        m_showFilms->setObjectName(QStringLiteral("CheckBox1"));
        layout->addWidget(m_showFilms);
        m_films = new TFilmy3(this);
        m_films->setFocusReturn(m_grid);
        connect(m_showFilms, &QCheckBox::clicked, this, &AwayScreen::CheckBox1Click);
        connect(m_films, &FilmListWindow::closed, this, [this] { m_showFilms->setChecked(false); });
    }
    layout->addWidget(m_grid, 1);
    layout->addLayout(ui::row({}, {m_close}));

    connect(m_onlyOverdue, &QCheckBox::clicked, this, &AwayScreen::CheckBox2Click);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &AwayScreen::rowChosen);
    connect(m_grid, &QTableView::clicked, this, &AwayScreen::rowChosen);
}

void AwayScreen::setReminder(bool on)
{
    m_model->setReminder(on);
    // The chosen row stays red too, on a light ground instead of the
    // usual dark one that would turn its text white.
    // The rows take their colours against the program's palette, so the
    // grid keeps that palette's base (a style's standard one may be light
    // under a dark desktop).
    QPalette p = QGuiApplication::palette();
    if (on) {
        p.setColor(QPalette::Highlight, QColor(255, 225, 225));
        p.setColor(QPalette::HighlightedText, Qt::red);
    }
    m_grid->setPalette(p);
}

bool AwayScreen::reminder() const
{
    return m_model->reminder();
}

const std::vector<AwayItem> &AwayScreen::shownItems() const
{
    return m_onlyOverdue->isChecked() ? m_overdue : m_all;
}

Table &AwayScreen::items() const
{
    return m_session.tables().*m_design.items;
}

void AwayScreen::FormShow()
{
    m_overdue.clear();
    m_all = lentItemsByNumber(m_kind, items(), QDate::currentDate());
    // A loan that cannot be judged is listed with the overdue ones: the
    // reminders announce both, and the list they open must show it.
    for (const AwayItem &a : m_all)
        if (a.announced())
            m_overdue.push_back(a);
    if (m_showFilms)
        m_showFilms->setChecked(false);
    m_onlyOverdue->setEnabled(true);
    // Started at log-on to look for debts: only the overdue ones.
    m_onlyOverdue->setChecked(m_session.settings().autoRunStart);
    CheckBox2Click();
    m_grid->setFocus();
}

void AwayScreen::CheckBox2Click()
{
    const bool only = m_onlyOverdue->isChecked();
    m_onlyOverdue->setText(kindText(only ? m_design.shownOverdue : m_design.onlyOverdue));
    ui::setBold(m_onlyOverdue, only);
    m_model->setItems(&shownItems());
    ui::fitColumns(m_grid);
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, 0));
    const AwayCounts c = countAway(m_all);
    m_lent->setText(QString::number(c.lent));
    m_inTerm->setText(QString::number(c.inTerm));
    m_overdueCount->setText(QString::number(c.overdue));
    m_unreadableCount->setText(QString::number(c.unreadable));
    m_unreadableCaption->setVisible(c.unreadable > 0);
    m_unreadableCount->setVisible(c.unreadable > 0);
    if (m_titleName)
        m_titleName->setText(kNoTitle);
    fillFilms();
}

void AwayScreen::CheckBox1Click()
{
    if (!m_films)
        return;
    if (m_showFilms->isChecked()) {
        fillFilms();
        m_films->placeInCorner();
        m_films->show();
    } else {
        m_films->hide();
    }
}

void AwayScreen::rowChosen()
{
    const AwayItem *item = m_model->itemAt(m_grid->currentIndex().row());
    if (m_titleName && item)
        m_titleName->setText(kTitlePrefix + item->title);
    fillFilms();
}

void AwayScreen::fillFilms()
{
    if (!m_films)
        return;
    if (const AwayItem *item = m_model->itemAt(m_grid->currentIndex().row()))
        m_films->showFilms(item->number, item->films, item->genres);
    else
        m_films->showFilms(QString(), {}, {});
}

void AwayScreen::changeEvent(QEvent *event)
{
    ScreenDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        fillFilms();
        m_grid->setFocus();
    }
}

void AwayScreen::FormClose()
{
    if (m_films)
        m_films->hide();
}

} // namespace velmora
