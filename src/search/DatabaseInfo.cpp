#include "search/DatabaseInfo.h"

#include "finding/Statistics.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {
namespace {

struct Row
{
    const char *name;
    QString caption;
    QStringList notes; // small lines under the caption
};

struct Group
{
    QString title;
    std::vector<Row> rows;
};

std::vector<Group> groupsOf(bool cds)
{
    if (cds)
        return {{QStringLiteral(" Databáze s hudebními CD "),
                 {{"Pocet", QStringLiteral("Počet evidovaných hudebních CD :"), {}},
                  {"Velikost",
                   QStringLiteral("Velikost souboru (cd01.dbf)                      :"),
                   {}},
                  {"Velikost2",
                   QStringLiteral("Velikost souboru (cd02.dbf)                      :"),
                   {}},
                  {"Skladby", QStringLiteral("Počet evidovaných skladeb na CD:"), {}}}},
                {QStringLiteral("Databáze s archivem CD "),
                 {{"Archiv",
                   QStringLiteral("Počet zapůjčených CD                :"),
                   {QStringLiteral("(kumulativní)"),
                    QStringLiteral("(Tolik CD jsem půjčil a tolik CD mi vrátili)")}}}},
                {QStringLiteral("Databáze s výběrem zdrojů pro CD a databáze s výběrem žánrů "),
                 {{"Zanry", QStringLiteral("Počet definovaných žánrů           :"), {}},
                  {"Zdroje", QStringLiteral("Počet definovaných zdrojů          :"), {}}}}};
    return {{QStringLiteral(" Databáze s kazetami "),
             {{"Pocet", QStringLiteral("Počet evidovaných kazet        :"), {}},
              {"Velikost", QStringLiteral("Velikost souboru (data.dbf)                 :"), {}}}},
            {QStringLiteral("Databáze s archivem kazet "),
             {{"Archiv",
               QStringLiteral("Počet zapůjčených kazet        :"),
               {QStringLiteral("(kumulativní)"),
                QStringLiteral("(Tolik kazet jsem půjčil a tolik kazet mi vrátili)")}}}},
            {QStringLiteral("Databáze s výběrem zdrojů pro filmy a databáze s výběrem žánrů "),
             {{"Zanry", QStringLiteral("Počet definovaných žánrů       :"), {}},
              {"Zdroje", QStringLiteral("Počet definovaných zdrojů      :"), {}}}}};
}

} // namespace

DatabaseInfoScreen::DatabaseInfoScreen(bool cds, Session &session, QWidget *parent)
    : ScreenDialog(parent), m_cds(cds), m_session(session)
{
    setObjectName(cds ? QStringLiteral("Inf_databazecd") : QStringLiteral("Inf_databaze"));
    setWindowTitle(cds ? QStringLiteral("Informace o databázích CD ...")
                       : QStringLiteral("Informace o databázích VK ..."));
    auto *layout = new QVBoxLayout(this);
    for (const Group &g : groupsOf(cds)) {
        auto *box = new QGroupBox(g.title, this);
        auto *grid = new QGridLayout(box);
        int line = 0;
        for (const Row &r : g.rows) {
            const QString name = QLatin1String(r.name);
            auto *caption = ui::caption(box, QStringLiteral("Label_") + name, r.caption);
            auto *value = ui::valueLabel(box, name, caption, QStringLiteral("0"));
            ui::setBold(value);
            grid->addWidget(caption, line, 0);
            grid->addWidget(value, line, 1);
            ++line;
            for (const QString &note : r.notes) {
                grid->addWidget(ui::caption(box, QStringLiteral("Label_Pozn%1").arg(line), note),
                                line, 0);
                ++line;
            }
        }
        grid->setColumnStretch(2, 1);
        layout->addWidget(box);
    }
    auto *maker = ui::caption(this, QStringLiteral("Label_Norvane"), QStringLiteral("Norvane"));
    maker->setStyleSheet(colours::colourRule(maker, QColor(Qt::gray)));
    m_close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(maker);
    buttons->addStretch();
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

QLabel *DatabaseInfoScreen::value(const QString &name) const
{
    return findChild<QLabel *>(name);
}

void DatabaseInfoScreen::FormShow()
{
    const auto set = [this](const char *name, const QString &text) {
        value(QLatin1String(name))->setText(text);
    };
    const auto count = [&set](const char *name, int records) {
        set(name, QString::number(records));
    };
    try {
        const CatalogueFacts f = catalogueFacts(m_session.tables(), m_cds);
        count("Pocet", f.items);
        set("Velikost", f.itemsSize);
        if (m_cds) {
            set("Velikost2", f.tracksSize);
            count("Skladby", f.tracks);
        }
        count("Archiv", f.archive);
        count("Zanry", f.genres);
        count("Zdroje", f.sources);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora
