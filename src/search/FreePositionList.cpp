#include "search/FreePositionList.h"

#include "finding/FreePositionReports.h"
#include "platform/Dialogs.h"
#include "printing/PaneWriter.h"
#include "search/FreePositionScreen.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace velmora {

TSeznam2::TSeznam2(TVyhledej_Pozici &search, QWidget *parent)
    : ReportScreen(search.session(), parent ? parent : &search), m_search(search)
{
    setObjectName(QStringLiteral("Seznam2"));
    setWindowTitle(QStringLiteral("Seznam nalezených pozic pro nahrávky VK"));
    // The list has no title of its own: its caption says what it holds.
    titleLabel()->parentWidget()->hide();
    m_atHomeOnly = new QCheckBox(QStringLiteral("Zobrazovat pouze kazety, které jsou doma."), this);
    m_atHomeOnly->setObjectName(QStringLiteral("Filtr"));
    choiceLayout()->addWidget(m_atHomeOnly);
    printButton()->setText(QStringLiteral("&Vytiskni zobrazený seznam"));
    closeButton()->setText(QStringLiteral("&Zavři okno"));
    connect(m_atHomeOnly, &QCheckBox::toggled, this, &TSeznam2::filterChanged);
}

void TSeznam2::FormShow()
{
    {
        const QSignalBlocker block(m_atHomeOnly);
        m_atHomeOnly->setChecked(false);
    }
    filterChanged();
}

void TSeznam2::filterChanged()
{
    setWindowTitle(QStringLiteral("Seznam vyhledaných pozic:  celkem: ") +
                   QString::number(m_search.candidateCount()));
    try {
        const std::vector<PositionRow> rows = m_search.rules().found(m_atHomeOnly->isChecked());
        const QString hours = m_search.hoursText();
        report::write(*pane(), mode(), [&](ReportWriter &w) { writePositionList(w, hours, rows); });
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void TSeznam2::done(int result)
{
    m_search.rules().showAllFound();
    ReportScreen::done(result);
}

} // namespace velmora
