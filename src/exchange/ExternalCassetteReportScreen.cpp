#include "exchange/ExternalCassetteReportScreen.h"

#include "exchange/OwnerList.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "session/Session.h"
#include "transfer/ExternalReports.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
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

    auto *boxes = new QGroupBox(QStringLiteral("Chci vytisknout info:"), this);
    boxes->setObjectName(QStringLiteral("GroupBox1"));
    auto *boxLayout = new QVBoxLayout(boxes);
    const auto box = [&](const char *name, const char *text, bool on) {
        auto *b = new QCheckBox(QString::fromUtf8(text), boxes);
        b->setObjectName(QLatin1String(name));
        b->setChecked(on);
        boxLayout->addWidget(b);
        connect(b, &QCheckBox::clicked, this, &TExterni_Tisky::refresh);
        return b;
    };
    m_dates = box("S2", "Datum pořízení filmů a zdroje nahrávek filmů", false);
    m_filmNotes = box("S3", "Poznámku k jednotlivým filmům", false);
    m_cassetteNotes = box("S4", "Poznámku k videokazetě", true);
    choiceLayout()->addWidget(boxes);

    connect(m_users, &QComboBox::currentIndexChanged, this, &TExterni_Tisky::ownerChanged);
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
    closeOwner();
    const QString owner = m_users->currentText();
    if (m_users->currentIndex() < 0) {
        report::write(*pane(), report::Mode::None, {});
        return;
    }
    try {
        m_owner.open(owner);
    } catch (const std::exception &e) {
        // A catalogue whose directory was removed by hand: the user is told
        // which file is missing and may choose another owner.
        report::write(*pane(), report::Mode::None, {});
        printButton()->setEnabled(false);
        dialogs::showError(e);
        return;
    }
    printButton()->setEnabled(session().printerAvailable());

    InfoChoice choice;
    choice.datesAndSources = m_dates->isChecked();
    choice.filmNotes = m_filmNotes->isChecked();
    choice.cassetteNotes = m_cassetteNotes->isChecked();
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
    try {
        m_owner.close();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora
