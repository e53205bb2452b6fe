#include "reports/CassetteInfoScreen.h"

#include "listing/CassetteListRuns.h"
#include "platform/Widgets.h"
#include "reports/InfoChoiceBox.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TTisk_info::TTisk_info(Session &session, QWidget *parent) : ReportScreen(session, parent)
{
    setObjectName(QStringLiteral("Tisk_info"));
    setWindowTitle(QStringLiteral("Tisková sestava z evidovaných dat + informace"));
    titleLabel()->setText(QStringLiteral("Tisková sestava evidovaných videokazet s informacemi"));

    QLabel *countCaption =
        ui::caption(this, QStringLiteral("Label1"), QStringLiteral("Počet záznamů v datech:"));
    m_count = ui::valueLabel(this, QStringLiteral("pocet"), countCaption, QStringLiteral("0"));
    ui::setBold(m_count);

    m_choice = new InfoChoiceBox(this);
    connect(m_choice, &InfoChoiceBox::changed, this, &TTisk_info::rebuild);

    auto *count = new QHBoxLayout;
    count->addWidget(countCaption);
    count->addWidget(m_count);
    auto *left = new QVBoxLayout;
    left->addLayout(count);
    left->addStretch(1);
    choiceLayout()->addLayout(left);
    choiceLayout()->addWidget(m_choice);
}

void TTisk_info::rebuild()
{
    printButton()->setEnabled(session().printerAvailable());
    const ListRun run = cassettesWithInfoRun(session().tables(), m_choice->choice());
    m_count->setText(QString::number(run.steps));
    titleLabel()->setText(QStringLiteral("Seznam evidovaných videokazet"));
    writeWithProgress(run.steps, run.write);
}

} // namespace velmora
