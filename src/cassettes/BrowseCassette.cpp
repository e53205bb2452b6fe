#include "cassettes/BrowseCassette.h"

#include "cassettes/CassetteDisplay.h"
#include "catalogue/CassetteCatalogue.h"
#include "platform/Dialogs.h"
#include "platform/JumpList.h"
#include "platform/RecordNavigator.h"
#include "platform/Widgets.h"
#include "session/Language.h"
#include "session/Session.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kCaption = QStringLiteral("Prohlížení databáze po jednotlivých kazetách ...");
const QString kPrint = QStringLiteral("Tisk etikety na kazetu");
const QString kClose = QStringLiteral("Zavřít okno");

QString g_labelNumber;

QString vk(const char *key, const QString &def, const QString &builtIn)
{
    return lang::caption(TProhlizej_kazetu::kSection, QLatin1String(key), def, builtIn);
}

} // namespace

TProhlizej_kazetu::TProhlizej_kazetu(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Prohlizej_kazetu"));
    setWindowTitle(kCaption);

    auto *layout = new QVBoxLayout(this);
    m_display = new CassetteDisplay(true, this);
    layout->addWidget(m_display);

    m_printLabel = ui::button(this, QStringLiteral("Tisk"), kPrint);
    m_close = ui::button(this, QStringLiteral("Zavrit"), kClose);
    m_display->buttonRow()->addWidget(m_printLabel);
    m_display->buttonRow()->addSpacing(12);
    m_display->buttonRow()->addWidget(m_close);
    m_display->navigator()->setHints(
        {QStringLiteral("První kazeta"), QStringLiteral("Předchozí kazeta"),
         QStringLiteral("Další kazeta"), QStringLiteral("Poslední kazeta")});
    m_display->navigator()->installWheelOn(this);
    m_display->setTable(&session.tables().Table1);

    connect(m_printLabel, &QPushButton::clicked, this, &TProhlizej_kazetu::TiskClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    m_printLabel->setEnabled(m_session.settings().printerAvailable);
}

QString TProhlizej_kazetu::currentNumber() const
{
    return m_display->currentNumber();
}

QString TProhlizej_kazetu::labelNumber()
{
    return g_labelNumber;
}

void TProhlizej_kazetu::readLanguage()
{
    // Without a language file the built-in captions stay; the loan texts
    // take their lookup defaults in both cases.
    setWindowTitle(
        vk("001", QStringLiteral("Prohlížení databáze po jednotlivých kazetách"), kCaption));
    CassetteDisplay::Texts t;
    const bool file = lang::present();
    t.jumpLabel = vk("002", QStringLiteral("Jdi na kazetu:"), t.jumpLabel);
    t.numberLabel = vk("003", QStringLiteral("Číslo kazety:"), t.numberLabel);
    t.typeLabel = vk("004", QStringLiteral("Typ kazety:"), t.typeLabel);
    if (file)
        t.capacityLabel = QLatin1Char('(') + lang::text(kSection, QStringLiteral("005"),
                                                        QStringLiteral("Délka v minutách:"));
    t.noteLabel = vk("006", QStringLiteral("Poznámka k videokazetě:"), t.noteLabel);
    t.notLent =
        lang::text(kSection, QStringLiteral("007"), QStringLiteral("Kazeta není půjčena ..."));
    t.remainingLabel = vk("008", QStringLiteral("Rezerva:"), t.remainingLabel);
    m_printLabel->setText(vk("009", kPrint, kPrint));
    m_close->setText(vk("010", kClose, kClose));
    if (file) {
        const QString film = lang::text(kSection, QStringLiteral("011"), QStringLiteral("Film"));
        const QString note = lang::text(kSection, QStringLiteral("017"), QStringLiteral("Pozn."));
        for (int n = 0; n < 5; ++n) {
            const QString suffix = QLatin1Char(' ') + QString::number(n + 1) + QLatin1Char(':');
            t.filmLabels[n] = film + suffix;
            t.noteLabels[n] = note + suffix;
        }
    }
    t.sourceLabel = vk("012", QStringLiteral("Zdroj filmu:"), t.sourceLabel);
    t.dateLabel = vk("013", QStringLiteral("Pořízeno dne:"), t.dateLabel);
    t.lengthLabel = vk("014", QStringLiteral("Délka:"), t.lengthLabel);
    t.startLabel = vk("015", QStringLiteral("Start (min):"), t.startLabel);
    t.endLabel = vk("016", QStringLiteral("Konec (min):"), t.endLabel);
    t.lent = lang::text(kSection, QStringLiteral("018"), QStringLiteral("Kazeta je půjčena!"));
    m_display->setTexts(t);
}

void TProhlizej_kazetu::FormShow()
{
    try {
        readLanguage();
        m_display->showFromLast();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    FormActivate();
}

void TProhlizej_kazetu::FormActivate()
{
    // The printer may have been found or lost since the screen was made.
    m_printLabel->setEnabled(m_session.settings().printerAvailable);
}

void TProhlizej_kazetu::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TProhlizej_kazetu::TiskClick()
{
    g_labelNumber = currentNumber();
    m_session.runCommand(QStringLiteral("printing.singleLabel"));
}

void TProhlizej_kazetu::done(int result)
{
    CassetteCatalogue(m_session.tables().Table1).showAll();
    QDialog::done(result);
}

} // namespace velmora
