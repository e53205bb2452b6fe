#include "lending/ArchiveScreen.h"

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

ArchiveScreen::ArchiveScreen(ItemKind kind, Session &session, QWidget *parent)
    : ScreenDialog(parent), m_kind(kind), m_session(session)
{
    const bool cd = kind == ItemKind::Cd;
    setObjectName(cd ? QStringLiteral("ArchivCD") : QStringLiteral("Archiv"));
    setWindowTitle(cd ? QStringLiteral("Archiv půjčených hudebních CD ...")
                      : QStringLiteral("Archiv půjčených kazet ...."));
    resize(720, 480);

    auto *countCaption =
        ui::caption(this, QStringLiteral("Label_Pocet"),
                    cd ? QStringLiteral("Počet zapůjčených a vrácených hudebních CD:")
                       : QStringLiteral("Počet zapůjčených a vrácených kazet:"));
    m_count = ui::valueLabel(this, QStringLiteral("Pocet"), countCaption);
    ui::setBold(m_count);

    Table &archive = cd ? session.tables().CD_Archiv : session.tables().Table2;
    m_model =
        new TableModel(&archive,
                       {{cd ? QStringLiteral("cislocd") : QStringLiteral("cislo"),
                         cd ? QStringLiteral("Číslo CD") : QStringLiteral("Číslo kazety")},
                        {QStringLiteral("komu"), QStringLiteral("Komu zapůjčeno")},
                        {QStringLiteral("od_kdy"), QStringLiteral("Zapůjčeno dne")},
                        {QStringLiteral("pozn"), cd ? QStringLiteral("Poznámka k hudebnímu CD")
                                                    : QStringLiteral("Poznámka ke kazetě")}},
                       this);
    m_grid = ui::rowGrid(this, QStringLiteral("DBGrid1"), QStringLiteral("Archiv zápůjček"));
    m_grid->setToolTip(QStringLiteral("Zobrazení archivu zapůjčených kazet ..."));
    TableModel::bind(m_grid, m_model);

    m_byItem = ui::button(this, QStringLiteral("Podle_cisel"),
                          cd ? QStringLiteral("Prohlídka archivu podle čísel hudebních CD")
                             : QStringLiteral("Prohlídka archivu podle čísel videokazet"));
    m_byPerson = ui::button(this, QStringLiteral("Podle_jmen"),
                            QStringLiteral("Prohlídka archivu podle jmen půjčovatelů"));
    m_close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));

    auto *head = new QHBoxLayout;
    head->addWidget(countCaption);
    head->addWidget(m_count);
    head->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_byItem);
    buttons->addWidget(m_byPerson);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    const QString byItem = cd ? QStringLiteral("lending.cdHistoryByNumber")
                              : QStringLiteral("lending.cassetteHistoryByNumber");
    const QString byPerson = cd ? QStringLiteral("lending.cdHistoryByPerson")
                                : QStringLiteral("lending.cassetteHistoryByPerson");
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
    Table *archive = m_model->table();
    if (archive && archive->isOpen() && archive->recordNumber() >= 0)
        m_grid->setToolTip(QStringLiteral("Titul nastaveného hudebního CD: ") +
                           archive->asString(QStringLiteral("TitulCD")));
}

} // namespace velmora
