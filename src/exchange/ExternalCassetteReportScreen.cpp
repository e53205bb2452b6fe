#include "exchange/ExternalCassetteReportScreen.h"

#include "exchange/OwnerList.h"
#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "reports/InfoChoiceBox.h"
#include "session/Session.h"
#include "transfer/ExternalReports.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace velmora {

TExterni_Tisky::TExterni_Tisky(Session &session, QWidget *parent) : ReportScreen(session, parent)
{
    setObjectName(QStringLiteral("Externi_Tisky"));
    setWindowTitle(QStringLiteral("Tiskové sestavy externích databází (uživatelů)"));
    titleLabel()->setText(QStringLiteral("Tisková sestava pro uživatele:"));

    // The owner stands beside the title, as the heading of the report.
    m_users = new QComboBox(this);
    m_users->setObjectName(QStringLiteral("Users"));
    m_users->setMinimumContentsLength(20);
    m_users->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    titleLabel()->setBuddy(m_users);
    m_count = ui::valueLabel(this, QStringLiteral("Max"), titleLabel()->text(),
                             QStringLiteral("(Celkem: 0)"));
    auto *top = qobject_cast<QBoxLayout *>(titleLabel()->parentWidget()->layout());
    top->addWidget(m_users);
    top->addWidget(m_count);
    top->addStretch(1);

    m_choice = new InfoChoiceBox(this);
    connect(m_choice, &InfoChoiceBox::changed, this, &TExterni_Tisky::refresh);
    choiceLayout()->addWidget(m_choice);

    connect(m_users, &QComboBox::currentIndexChanged, this, &TExterni_Tisky::ownerChanged);
}

QCheckBox *TExterni_Tisky::datesAndSources() const
{
    return m_choice->datesAndSources();
}

QCheckBox *TExterni_Tisky::filmNotes() const
{
    return m_choice->filmNotes();
}

QCheckBox *TExterni_Tisky::cassetteNotes() const
{
    return m_choice->cassetteNotes();
}

TExterni_Tisky::~TExterni_Tisky()
{
    closeOwner();
}

void TExterni_Tisky::refresh()
{
    if (busy())
        return;
    printButton()->setEnabled(session().printerAvailable());
    exchange::fillOwnerList(*m_users, *m_count, exchange::Catalogue::Cassettes,
                            QStringLiteral("(Celkem: %1)"));
    ownerChanged();
}

void TExterni_Tisky::ownerChanged()
{
    if (busy())
        return;
    if (!exchange::openChosenOwner(m_owner, *m_users, *pane(), *printButton(),
                                   session().printerAvailable()))
        return;
    const QString owner = m_users->currentText();
    const InfoChoice choice = m_choice->choice();
    // The owner list sits above the panel that a build disables.
    m_users->setEnabled(false);
    const auto usable = qScopeGuard([this] { m_users->setEnabled(true); });
    writeWithProgress(
        m_owner.mainCount(), [&](ReportWriter &w, const std::function<void()> &visited) {
            exchange::writeExternalCassettes(w, m_owner.main(), owner, choice, visited);
        });
}

void TExterni_Tisky::done(int result)
{
    if (busy())
        return;
    closeOwner();
    ReportScreen::done(result);
}

void TExterni_Tisky::closeOwner()
{
    exchange::closeOwner(m_owner);
}

} // namespace velmora
