#include "exchange/ExternalCdReportScreen.h"

#include "exchange/OwnerList.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "session/Session.h"
#include "transfer/ExternalReports.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>

namespace velmora {
namespace {

// The gauge of a list without any option stands full from the start.
constexpr int kFullGauge = 100;

} // namespace

TExterni_TiskyCD::TExterni_TiskyCD(Session &session, QWidget *parent)
    : CdTitleListScreen(session, parent)
{
    setObjectName(QStringLiteral("Externi_TiskyCD"));
    setWindowTitle(
        QStringLiteral("Tiskové sestavy externích databází (uživatelů) hudebních CD disků "));
    titleLabel()->setText(QStringLiteral("Tisky z dat externích uživatelů:"));
    optionsCaption()->setText(QStringLiteral("Chci vytisknout info:"));

    m_users = new QComboBox(this);
    m_users->setObjectName(QStringLiteral("Users"));
    m_users->setMinimumContentsLength(20);
    m_users->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    titleLabel()->setBuddy(m_users);
    m_count = ui::valueLabel(this, QStringLiteral("Max"), titleLabel()->text(),
                             QStringLiteral("Celkem: 0"));
    auto *top = qobject_cast<QBoxLayout *>(titleLabel()->parentWidget()->layout());
    top->addWidget(m_users);
    top->addWidget(m_count);
    top->addStretch(1);

    connect(m_users, &QComboBox::currentIndexChanged, this, [this] { build(); });
}

TExterni_TiskyCD::~TExterni_TiskyCD()
{
    closeOwner();
}

void TExterni_TiskyCD::FormShow()
{
    exchange::fillOwnerList(*m_users, *m_count, exchange::Catalogue::Cds,
                            QStringLiteral("Celkem: %1"));
    build();
}

void TExterni_TiskyCD::build()
{
    if (busy())
        return;
    if (!exchange::openChosenOwner(m_owner, *m_users, *pane(), *printButton(),
                                   session().printerAvailable()))
        return;
    const QString owner = m_users->currentText();

    const CdListOptions chosen = options();
    const bool any = chosen.acquired || chosen.format || chosen.note || chosen.tracks;
    // The gauge runs over the owner's tracks as the disc counts walk them.
    const int count = any ? m_owner.trackCount() : kFullGauge;
    m_users->setEnabled(false);
    const auto usable = qScopeGuard([this] { m_users->setEnabled(true); });
    writeWithProgress(count, [&](ReportWriter &w, const std::function<void()> &visited) {
        if (!any)
            for (int i = 0; i < kFullGauge; ++i)
                visited();
        const TitleTracks tracks(m_owner.tracks());
        exchange::writeExternalCds(w, m_owner.main(), tracks, owner, chosen, [&](int counted) {
            if (any)
                for (int i = 0; i < counted; ++i)
                    visited();
        });
    });
}

void TExterni_TiskyCD::done(int result)
{
    if (busy())
        return;
    closeOwner();
    CdTitleListScreen::done(result);
}

void TExterni_TiskyCD::closeOwner()
{
    exchange::closeOwner(m_owner);
}

} // namespace velmora
