#include "lending/ArchiveScreen.h"

#include "loans/LendingViews.h"
#include "platform/TableModel.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora {

struct ArchiveScreen::Design
{
    ItemKind kind;
    const char *name;
    const char *caption;
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
    "Archiv",
    "Archiv půjčených kazet ....",
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
    "ArchivCD",
    "Archiv půjčených hudebních CD ...",
    "Počet zapůjčených a vrácených hudebních CD:",
    &TableHandles::CD_Archiv,
    "cislocd",
    "Číslo CD",
    "Poznámka k hudebnímu CD",
    "Prohlídka archivu podle čísel hudebních CD",
    "lending.cdHistoryByNumber",
    "lending.cdHistoryByPerson",
};

QString text(const char *s)
{
    return QString::fromUtf8(s);
}

} // namespace

TArchiv::TArchiv(Session &session, QWidget *parent) : ArchiveScreen(kCassettes, session, parent) {}

TArchivCD::TArchivCD(Session &session, QWidget *parent) : ArchiveScreen(kCds, session, parent) {}

ArchiveScreen::ArchiveScreen(const Design &design, Session &session, QWidget *parent)
    : ScreenDialog(parent), m_kind(design.kind), m_session(session),
      m_archive(session.tables().*design.archive)
{
    setObjectName(text(design.name));
    setWindowTitle(text(design.caption));
    resize(720, 480);

    auto *countCaption =
        ui::caption(this, QStringLiteral("Label_Pocet"), text(design.countCaption));
    m_count = ui::valueLabel(this, QStringLiteral("Pocet"), countCaption);
    ui::setBold(m_count);

    m_model = new TableModel(&m_archive,
                             {{text(design.numberField), text(design.numberColumn)},
                              {QStringLiteral("komu"), QStringLiteral("Komu zapůjčeno")},
                              {QStringLiteral("od_kdy"), QStringLiteral("Zapůjčeno dne")},
                              {QStringLiteral("pozn"), text(design.noteColumn)}},
                             this);
    m_grid = ui::rowGrid(this, QStringLiteral("DBGrid1"), QStringLiteral("Archiv zápůjček"));
    m_grid->setToolTip(QStringLiteral("Zobrazení archivu zapůjčených kazet ..."));
    TableModel::bind(m_grid, m_model);

    m_byItem = ui::button(this, QStringLiteral("Podle_cisel"), text(design.byItem));
    m_byPerson = ui::button(this, QStringLiteral("Podle_jmen"),
                            QStringLiteral("Prohlídka archivu podle jmen půjčovatelů"));
    m_close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(ui::row({countCaption, m_count}));
    layout->addWidget(m_grid, 1);
    layout->addLayout(ui::row({m_byItem, m_byPerson}, {m_close}));

    const QString byItem = text(design.byItemCommand);
    const QString byPerson = text(design.byPersonCommand);
    connect(m_byItem, &QPushButton::clicked, this,
            [this, byItem] { m_session.runCommand(byItem); });
    connect(m_byPerson, &QPushButton::clicked, this,
            [this, byPerson] { m_session.runCommand(byPerson); });
    connect(m_grid, &QTableView::clicked, this, &ArchiveScreen::rowClicked);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void ArchiveScreen::FormShow()
{
    m_model->refresh();
    ui::fitColumns(m_grid);
    m_count->setText(QString::number(m_model->rowCount()));
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
