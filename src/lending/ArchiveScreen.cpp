#include "lending/ArchiveScreen.h"

#include "loans/LendingViews.h"
#include "platform/TableModel.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QPushButton>
#include <QTableView>

namespace velmora {

struct ArchiveScreen::Design
{
    ItemKind kind;
    ScreenWords words;
    const char *countCaption;
    Table TableHandles::*archive;
    const char *numberField;
    const char *numberColumn;
    const char *noteColumn;
    const char *byItem;
    const char *byItemCommand;
    const char *byPersonCommand;
};

namespace {

constexpr ArchiveScreen::Design kCassettes{
    ItemKind::Cassette,
    {"Archiv", "Archiv půjčených kazet ...."},
    "Počet zapůjčených a vrácených kazet:",
    &TableHandles::Table2,
    "cislo",
    "Číslo kazety",
    "Poznámka ke kazetě",
    "Prohlídka archivu podle čísel videokazet",
    "lending.cassetteHistoryByNumber",
    "lending.cassetteHistoryByPerson",
};

constexpr ArchiveScreen::Design kCds{
    ItemKind::Cd,
    {"ArchivCD", "Archiv půjčených hudebních CD ..."},
    "Počet zapůjčených a vrácených hudebních CD:",
    &TableHandles::CD_Archiv,
    "cislocd",
    "Číslo CD",
    "Poznámka k hudebnímu CD",
    "Prohlídka archivu podle čísel hudebních CD",
    "lending.cdHistoryByNumber",
    "lending.cdHistoryByPerson",
};

} // namespace

TArchiv::TArchiv(Session &session, QWidget *parent) : ArchiveScreen(kCassettes, session, parent) {}

TArchivCD::TArchivCD(Session &session, QWidget *parent) : ArchiveScreen(kCds, session, parent) {}

ArchiveScreen::ArchiveScreen(const Design &design, Session &session, QWidget *parent)
    : TableGridScreen(design.kind, design.words, kindText(design.countCaption),
                      QStringLiteral("Archiv zápůjček"), session, parent),
      m_archive(session.tables().*design.archive)
{
    resize(720, 480);
    setModel(new TableModel(&m_archive,
                            {{kindText(design.numberField), kindText(design.numberColumn)},
                             {QStringLiteral("komu"), QStringLiteral("Komu zapůjčeno")},
                             {QStringLiteral("od_kdy"), QStringLiteral("Zapůjčeno dne")},
                             {QStringLiteral("pozn"), kindText(design.noteColumn)}},
                            this));
    m_grid->setToolTip(QStringLiteral("Zobrazení archivu zapůjčených kazet ..."));

    m_byItem = ui::button(this, QStringLiteral("Podle_cisel"), kindText(design.byItem));
    m_byPerson = ui::button(this, QStringLiteral("Podle_jmen"),
                            QStringLiteral("Prohlídka archivu podle jmen půjčovatelů"));
    layOut(nullptr, {m_byItem, m_byPerson});

    const QString byItem = kindText(design.byItemCommand);
    const QString byPerson = kindText(design.byPersonCommand);
    connect(m_byItem, &QPushButton::clicked, this,
            [this, byItem] { m_session.runCommand(byItem); });
    connect(m_byPerson, &QPushButton::clicked, this,
            [this, byPerson] { m_session.runCommand(byPerson); });
    connect(m_grid, &QTableView::clicked, this, &ArchiveScreen::rowClicked);
}

void ArchiveScreen::FormShow()
{
    fillGrid();
    m_grid->setFocus();
}

void ArchiveScreen::rowClicked()
{
    if (m_kind != ItemKind::Cd)
        return;
    if (const std::optional<QString> title = currentCdTitle(m_archive))
        m_grid->setToolTip(QStringLiteral("Titul nastaveného hudebního CD: ") + *title);
}

} // namespace velmora
