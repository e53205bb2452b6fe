#include "reports/CassetteListScreen.h"

#include "listing/CassetteListRuns.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace velmora {
namespace {

QComboBox *choice(QWidget *parent, const char *name, const QStringList &items)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    return box;
}

} // namespace

TTisk::TTisk(Session &session, QWidget *parent) : ReportScreen(session, parent)
{
    setObjectName(QStringLiteral("Tisk"));
    setWindowTitle(QStringLiteral("Tiskové sestavy z evidovaných dat ..."));
    titleLabel()->setText(QStringLiteral("Tisková sestava evidovaných videokazet"));

    m_list =
        choice(this, "ComboBox1",
               {QStringLiteral("Tisk všech videokazet"), QStringLiteral("Tisk půjčených kazet")});
    m_speed = choice(this, "podle_systemu",
                     {QStringLiteral("SP, LP a EP"), QStringLiteral("pouze SP"),
                      QStringLiteral("pouze LP"), QStringLiteral("pouze EP")});
    auto *grid = new QVBoxLayout;
    auto *row1 = new QHBoxLayout;
    row1->addWidget(ui::caption(this, QStringLiteral("Label1"),
                                QStringLiteral("Zvol si tiskovou sestavu :"), m_list));
    row1->addWidget(m_list);
    auto *row2 = new QHBoxLayout;
    row2->addWidget(ui::caption(this, QStringLiteral("Label2"),
                                QStringLiteral("Sestava podle systému  :"), m_speed));
    row2->addWidget(m_speed);
    grid->addLayout(row1);
    grid->addLayout(row2);
    choiceLayout()->addLayout(grid);

    connect(m_list, &QComboBox::currentIndexChanged, this, &TTisk::listChanged);
    connect(m_speed, &QComboBox::currentIndexChanged, this, &TTisk::speedChanged);
}

void TTisk::FormShow()
{
    {
        const QSignalBlocker quiet(m_speed);
        m_speed->setCurrentIndex(0);
    }
    {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentIndex(0);
    }
    listChanged();
}

void TTisk::done(int result)
{
    if (busy())
        return;
    showAllCassettes(session().tables());
    ReportScreen::done(result);
}

void TTisk::listChanged()
{
    const bool lent = m_list->currentIndex() == 1;
    m_speed->setEnabled(!lent);
    if (!lent) {
        const QSignalBlocker quiet(m_speed);
        m_speed->setCurrentIndex(0);
    }
    if (lent)
        writeLent();
    else
        writeAll();
}

void TTisk::speedChanged()
{
    switch (m_speed->currentIndex()) {
    case 0: {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentIndex(0);
    }
        listChanged();
        break;
    case 1:
        writeSpeed(QStringLiteral("SP"));
        break;
    case 2:
        writeSpeed(QStringLiteral("LP"));
        break;
    default:
        writeSpeed(QStringLiteral("EP"));
        break;
    }
}

void TTisk::writeAll()
{
    titleLabel()->setText(QStringLiteral("Seznam evidovaných videokazet"));
    const ListRun run = allCassettesRun(session().tables());
    writeWithProgress(run.steps, run.write);
}

void TTisk::writeLent()
{
    titleLabel()->setText(QStringLiteral("Seznam zapůjčených videokazet"));
    // The filter stays on after the list; the other lists clear it.
    const ListRun run = lentCassettesRun(session().tables());
    writeWithProgress(run.steps, run.write);
}

void TTisk::writeSpeed(const QString &speed)
{
    titleLabel()->setText(QStringLiteral("Seznam filmů v systému ") + speed);
    const ListRun run = filmsAtSpeedRun(session().tables(), speed);
    writeWithProgress(run.steps, run.write);
}

} // namespace velmora
