#include "reports/CassetteInfoScreen.h"

#include "listing/CassetteListRuns.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QGroupBox>
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

    auto *boxes = new QGroupBox(QStringLiteral("Chci vytisknout info:"), this);
    boxes->setObjectName(QStringLiteral("GroupBox1"));
    auto *boxLayout = new QVBoxLayout(boxes);
    const auto box = [&](const char *name, const char *text, bool on) {
        auto *b = new QCheckBox(QString::fromUtf8(text), boxes);
        b->setObjectName(QLatin1String(name));
        b->setChecked(on);
        boxLayout->addWidget(b);
        connect(b, &QCheckBox::clicked, this, &TTisk_info::rebuild);
        return b;
    };
    m_dates = box("S2", "Datum pořízení filmů a zdroje nahrávek filmů", false);
    m_filmNotes = box("S3", "Poznámku k jednotlivým filmům", false);
    m_cassetteNotes = box("S4", "Poznámku k videokazetě", true);

    auto *count = new QHBoxLayout;
    count->addWidget(countCaption);
    count->addWidget(m_count);
    auto *left = new QVBoxLayout;
    left->addLayout(count);
    left->addStretch(1);
    choiceLayout()->addLayout(left);
    choiceLayout()->addWidget(boxes);
}

void TTisk_info::rebuild()
{
    printButton()->setEnabled(session().printerAvailable());
    InfoChoice choice;
    choice.datesAndSources = m_dates->isChecked();
    choice.filmNotes = m_filmNotes->isChecked();
    choice.cassetteNotes = m_cassetteNotes->isChecked();
    const ListRun run = cassettesWithInfoRun(session().tables(), choice);
    m_count->setText(QString::number(run.steps));
    titleLabel()->setText(QStringLiteral("Seznam evidovaných videokazet"));
    writeWithProgress(run.steps, run.write);
}

} // namespace velmora
