#include "search/StatisticsScreen.h"

#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "session/Session.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

StatisticsScreen::StatisticsScreen(bool cds, Session &session, QWidget *parent)
    : ScreenDialog(parent), m_cds(cds), m_session(session)
{
    setObjectName(cds ? QStringLiteral("StatistikaCD") : QStringLiteral("Statistika"));
    setWindowTitle(cds ? QStringLiteral("Aktuální statistika hudebních CD ...")
                       : QStringLiteral("Aktuální statistika videokazet ..."));
    auto *layout = new QVBoxLayout(this);
    m_values = new QWidget(this);
    auto *form = new QFormLayout(m_values);
    form->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_values);
    if (cds) {
        addValue(QStringLiteral("Pocet"), QStringLiteral("Počet Vašich hudebních CD:"));
        addValue(QStringLiteral("Pujceno"), QStringLiteral("z toho aktuálně půjčených:"));
        addValue(QStringLiteral("Skladby"), QStringLiteral("Počet skladeb na hudebních CD:"));
        m_pane = new ReportPane(this);
        m_pane->setAccessibleName(QStringLiteral("Statistika skladeb"));
        m_pane->setMinimumHeight(220);
        layout->addWidget(m_pane, 1);
    } else {
        addValue(QStringLiteral("Pocet"), QStringLiteral("Počet Vašich videokazet:"));
        addValue(QStringLiteral("Pujceno"), QStringLiteral("z toho aktuálně půjčených:"));
        auto *group = ui::caption(m_values, QStringLiteral("Label_Nahravky"),
                                  QStringLiteral("Statistika Vašich nahrávek:"));
        ui::setBold(group);
        form->addRow(group);
        addValue(QStringLiteral("Filmy"), QStringLiteral("Počet filmů na videokazetách"));
        addValue(QStringLiteral("SP"), QStringLiteral("Filmy v systému SP:"));
        addValue(QStringLiteral("LP"), QStringLiteral("Filmy v systému LP:"));
        addValue(QStringLiteral("EP"), QStringLiteral("Filmy v systému EP:"));
    }
    m_away = ui::button(this, QStringLiteral("Zapujcky"),
                        cds ? QStringLiteral("     Zobrazit zápujčky hudebních CD")
                            : QStringLiteral("     Zobrazit zápujčky videokazet"));
    m_close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_away);
    buttons->addStretch();
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    connect(m_away, &QPushButton::clicked, this, &StatisticsScreen::showAway);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

QLabel *StatisticsScreen::addValue(const QString &name, const QString &caption)
{
    auto *form = static_cast<QFormLayout *>(m_values->layout());
    auto *label = ui::caption(m_values, QStringLiteral("Label_") + name, caption);
    auto *value = ui::valueLabel(m_values, name, label, QStringLiteral("0"));
    ui::setBold(value);
    form->addRow(label, value);
    return value;
}

QLabel *StatisticsScreen::value(const QString &name) const
{
    return m_values->findChild<QLabel *>(name, Qt::FindDirectChildrenOnly);
}

void StatisticsScreen::FormShow()
{
    int lent = 0;
    try {
        if (m_cds) {
            const CdStatistics s = catalogueCdStatistics(m_session.tables());
            lent = s.lent;
            value(QStringLiteral("Pocet"))->setText(QString::number(s.titles));
            value(QStringLiteral("Skladby"))->setText(QString::number(s.tracks));
            report::write(*m_pane, report::modeFor(m_session.systemCode()),
                          [&](ReportWriter &w) { writeStyleStatistics(w, s.styles); });
        } else {
            const CassetteStatistics s = catalogueCassetteStatistics(m_session.tables());
            lent = s.lent;
            value(QStringLiteral("Pocet"))->setText(QString::number(s.cassettes));
            value(QStringLiteral("Filmy"))->setText(QString::number(s.films));
            value(QStringLiteral("SP"))->setText(QString::number(s.sp));
            value(QStringLiteral("LP"))->setText(QString::number(s.lp));
            value(QStringLiteral("EP"))->setText(QString::number(s.ep));
        }
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    value(QStringLiteral("Pujceno"))->setText(QString::number(lent));
    m_away->setEnabled(lent > 0);
}

void StatisticsScreen::showAway()
{
    try {
        runOverAwayItems(m_session, m_cds);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora
