#include "lending/HistoryScreen.h"

#include "lending/FilmWindows.h"
#include "loans/LendingViews.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace velmora {

struct HistoryScreen::Design
{
    const ArchiveView &view;
    ScreenWords words;
    const char *choice;
    const char *note;      // beside the choice, where not empty
    const char *companion; // the check box of the films window, where not empty
};

namespace {

constexpr HistoryScreen::Design kCassetteByNumberHistory{
    kCassettesByNumber,
    {"Sledovani_kazety", "Sledování kazety a komu byla půjčena ..."},
    "Najdi a nastav kazetu s číslem :",
    "",
    "Zobrazit názvy filmů k nastavené kazetě při listování ?",
};

constexpr HistoryScreen::Design kCassetteByPersonHistory{
    kCassettesByPerson,
    {"Sledovani_podle_osoby", "Sledování kazety podle osoby (zda byla osobě už zapůjčena ?)"},
    "Jméno hledané osoby :",
    "(test, zda měla již půjčenou danou kazetu)",
    "Zobrazit filmy, které nastavená osoba viděla ?",
};

constexpr HistoryScreen::Design kCdByNumberHistory{
    kCdsByNumber,
    {"Sledovani_CD", "Sledování hudebního CD a komu bylo půjčeno ..."},
    "Najdi a nastav CD s číslem :",
    "",
    "",
};

constexpr HistoryScreen::Design kCdByPersonHistory{
    kCdsByPerson,
    {"Sledovani_CD2", "Sledování hudebního CD  podle osoby (zda bylo osobě už zapůjčeno ?)"},
    "Jméno hledané osoby :",
    "(test, zda měla již půjčenou dané hudební CD)",
    "",
};

} // namespace

TSledovani_kazety::TSledovani_kazety(Session &session, QWidget *parent)
    : HistoryScreen(kCassetteByNumberHistory, session, parent)
{
}

TSledovani_podle_osoby::TSledovani_podle_osoby(Session &session, QWidget *parent)
    : HistoryScreen(kCassetteByPersonHistory, session, parent)
{
}

TSledovani_CD::TSledovani_CD(Session &session, QWidget *parent)
    : HistoryScreen(kCdByNumberHistory, session, parent)
{
}

TSledovani_CD2::TSledovani_CD2(Session &session, QWidget *parent)
    : HistoryScreen(kCdByPersonHistory, session, parent)
{
}

HistoryScreen::HistoryScreen(const Design &design, Session &session, QWidget *parent)
    : KindScreen(design.view.kind, design.words, session, parent), m_design(design),
      m_byPerson(design.view.byPerson)
{
    const QString note = kindText(design.note);
    const QString companion = kindText(design.companion);
    resize(760, 560);

    m_choice = new QComboBox(this);
    m_choice->setObjectName(QStringLiteral("Jdi_hned"));
    // Sized for a name, not by measuring every entry of a long list.
    m_choice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_choice->setMinimumContentsLength(16);
    m_keys = new QStringListModel(m_choice);
    m_choice->setModel(m_keys);
    auto *choiceLabel =
        ui::caption(this, QStringLiteral("Label_Jdi_hned"), kindText(design.choice), m_choice);
    auto *top = new QHBoxLayout;
    top->addWidget(choiceLabel);
    top->addWidget(m_choice);
    if (!note.isEmpty())
        top->addWidget(ui::caption(this, QStringLiteral("Label_Test"), note));
    if (m_kind == ItemKind::Cd && !m_byPerson) {
        auto *titleCaption =
            ui::caption(this, QStringLiteral("Label_Tit"), QStringLiteral("Titul CD :"));
        m_title = ui::valueLabel(this, QStringLiteral("Tit"), titleCaption,
                                 QStringLiteral("CD name is ?"));
        ui::setBold(m_title);
        top->addSpacing(12);
        top->addWidget(titleCaption);
        top->addWidget(m_title);
    }
    top->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    if (m_kind == ItemKind::Cassette && !m_byPerson) {
        m_count = ui::valueLabel(this, QStringLiteral("Soucet"), QStringLiteral("Součet"));
        layout->addWidget(m_count);
    }
    m_pane = new ReportPane(this);
    m_pane->setObjectName(QStringLiteral("RichEdit1"));
    m_pane->setAccessibleName(QStringLiteral("Historie půjčování"));
    layout->addWidget(m_pane, 1);

    auto *bottom = new QHBoxLayout;
    if (!companion.isEmpty()) {
        m_companionBox = new QCheckBox(companion, this);
        m_companionBox->setObjectName(QStringLiteral("CheckBox1"));
        bottom->addWidget(m_companionBox);
        connect(m_companionBox, &QCheckBox::clicked, this, &HistoryScreen::companionClicked);
        if (m_byPerson) {
            m_personFilms = new TFilmy2(session.printerAvailable(), this);
            connect(m_personFilms, &TFilmy2::closed, this,
                    [this] { m_companionBox->setChecked(false); });
        } else {
            m_films = new TFilmy(this);
            m_films->setFocusReturn(m_choice);
            connect(m_films, &FilmListWindow::closed, this,
                    [this] { m_companionBox->setChecked(false); });
        }
    }
    bottom->addStretch();
    m_print = ui::button(this, QStringLiteral("Tisk"), QStringLiteral("&Vytiskni seznam"));
    m_pdf = ui::button(this, QStringLiteral("Ulozit_PDF"), m_pane->savePdfAction()->text());
    makeCloseButton();
    bottom->addWidget(m_print);
    bottom->addWidget(m_pdf);
    bottom->addWidget(m_close);
    layout->addLayout(bottom);

    connect(m_choice, &QComboBox::textActivated, this, &HistoryScreen::choose);
    connect(m_print, &QPushButton::clicked, this, &HistoryScreen::print);
    connect(m_pdf, &QPushButton::clicked, m_pane, &ReportPane::saveAsPdf);
}

report::Mode HistoryScreen::mode() const
{
    return report::modeFor(m_session.systemCode());
}

void HistoryScreen::FormShow()
{
    m_rows = archiveRows(m_session.tables().*m_design.view.archive);
    const QStringList keys = m_byPerson ? distinctBorrowers(m_rows) : distinctNumbers(m_rows);
    // A plain list model: an archive may name tens of thousands of items,
    // which items of the combo box's own model would take long to make.
    m_keys->setStringList(keys);
    m_print->setEnabled(m_session.printerAvailable());
    if (m_count) {
        // The catalogue's size from the handle that also finds the films:
        // the menu has only the archive open.
        int total = 0;
        try {
            total = cassettes().count();
        } catch (const std::exception &e) {
            dialogs::showError(e);
        }
        m_count->setText(QStringLiteral("Dohromady se půjčuje: %1 kazet z %2 kazet")
                             .arg(keys.size())
                             .arg(total));
    }
    if (!keys.isEmpty()) {
        m_choice->setCurrentIndex(0);
        choose(keys.first());
    }
    m_choice->setFocus();
}

CassetteFilms &HistoryScreen::cassettes()
{
    if (!m_cassettes)
        m_cassettes.emplace(m_session.tables().Table1.path());
    return *m_cassettes;
}

void HistoryScreen::choose(const QString &key)
{
    m_chosen = key;
    const report::Mode mode = this->mode();
    try {
        if (m_byPerson) {
            const std::vector<ArchiveRow> loans = loansOfPerson(m_rows, key);
            report::write(*m_pane, mode,
                          [&](ReportWriter &w) { writePersonHistory(w, m_kind, key, loans); });
            if (m_personFilms) {
                const QStringList lines = cassettes().linesFor(loans);
                report::write(*m_personFilms->pane(), mode,
                              [&](ReportWriter &w) { writePersonFilms(w, key, lines); });
            }
        } else {
            const std::vector<ArchiveRow> loans = loansOfItem(m_rows, key);
            const QString title = loans.empty() ? QString() : loans.front().title;
            if (m_title)
                m_title->setText(title);
            report::write(*m_pane, mode,
                          [&](ReportWriter &w) { writeItemHistory(w, m_kind, key, title, loans); });
            if (m_films) {
                std::array<QString, kCassetteSlots> titles, genres;
                cassettes().films(key, titles, genres);
                m_films->showFilms(key, titles, genres);
            }
        }
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void HistoryScreen::companionClicked()
{
    QDialog *window = m_films ? static_cast<QDialog *>(m_films) : m_personFilms;
    if (!window)
        return;
    if (m_companionBox->isChecked()) {
        if (m_films)
            m_films->placeInCorner();
        else
            m_personFilms->placeInCorner();
        window->show();
    } else {
        window->hide();
    }
}

void HistoryScreen::print()
{
    // The screen stays open for the next history.
    m_pane->print();
}

void HistoryScreen::FormClose()
{
    m_cassettes.reset();
    if (m_films)
        m_films->hide();
    if (m_personFilms)
        m_personFilms->hide();
}

} // namespace velmora
