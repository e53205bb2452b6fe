#include "core/Setup.h"

#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/OwnerName.h"
#include "session/Session.h"
#include "session/SetupSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace velmora {
namespace {

QCheckBox *tickBox(QWidget *parent, const QString &name, const QString &text)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

TSetup::TSetup(Session &session, QWidget *parent) : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(QStringLiteral("Nastavení parametrů programu ..."));
    auto *layout = new QVBoxLayout(this);

    // Start-up.
    auto *start = new QGroupBox(
        QStringLiteral("Nastavení spouštění programu (Videokazety a hudební CD):"), this);
    start->setObjectName(QStringLiteral("Panel1"));
    auto *startLayout = new QVBoxLayout(start);
    m_check = tickBox(start, QStringLiteral("Kontrola"),
                      QStringLiteral("Chci při spuštění programu kontrolovat, zda některá VK není "
                                     "mimo domov přes termín vrácení ..."));
    m_checkCd = tickBox(start, QStringLiteral("KontrolaCD"),
                        QStringLiteral("Chci při spuštění programu kontrolovat, zda některé CD "
                                       "není mimo domov přes termín vrácení ..."));
    m_winCheck = tickBox(start, QStringLiteral("WinCheckTest"),
                         QStringLiteral("Chci při spuštění Windows kontrolovat, zda některá VK "
                                        "nebo některé CD není mimo domov přes"));
    m_winCheckLine2 = ui::caption(start, QStringLiteral("Label_WinCheck"),
                                  QStringLiteral("dohodnutý termín vrácení !"));
    m_winCheckLine2->setIndent(24);
    m_winCheck->setAccessibleName(m_winCheck->text() + QLatin1Char(' ') + m_winCheckLine2->text());
    m_splash = tickBox(start, QStringLiteral("Splash"),
                       QStringLiteral("Při spuštění programu chci Splash Screen (společné)..."));
    m_askPassword = tickBox(start, QStringLiteral("Heslovat"),
                            QStringLiteral("Vyžadovat heslo při spuštění (společné). "));
    for (QWidget *w : {static_cast<QWidget *>(m_check), static_cast<QWidget *>(m_checkCd),
                       static_cast<QWidget *>(m_winCheck), static_cast<QWidget *>(m_winCheckLine2),
                       static_cast<QWidget *>(m_splash), static_cast<QWidget *>(m_askPassword)})
        startLayout->addWidget(w);

    m_password = new QLineEdit(start);
    m_password->setObjectName(QStringLiteral("Pass"));
    m_password->setMaxLength(setup::kPasswordMaxLength);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // '*'
    m_passwordCaption =
        ui::caption(start, QStringLiteral("Label_Pass"), QStringLiteral("Vaše heslo:"), m_password);
    m_showPassword =
        tickBox(start, QStringLiteral("CheckBox1"), QStringLiteral("Zobrazit heslo čitelně ....."));
    m_passwordNote = ui::caption(
        start, QStringLiteral("Label_PassNote"),
        QStringLiteral(
            "Heslo chrání jen před náhodným spuštěním; v nastavení není uloženo šifrovaně."));
    auto *passRow = new QHBoxLayout;
    passRow->addSpacing(24);
    passRow->addWidget(m_passwordCaption);
    passRow->addWidget(m_password);
    passRow->addWidget(m_showPassword);
    passRow->addStretch(1);
    startLayout->addLayout(passRow);
    auto *noteRow = new QHBoxLayout;
    noteRow->addSpacing(24);
    noteRow->addWidget(m_passwordNote, 1);
    startLayout->addLayout(noteRow);

    m_icon = tickBox(start, QStringLiteral("Ikona"),
                     QStringLiteral("Zobrazovat ikonu programu v menu Windows (společné)"));
    startLayout->addWidget(m_icon);
    auto *iconNote = ui::caption(start, QStringLiteral("Label_Ikona"),
                                 QStringLiteral("( Pravé tlačítko na Butonu Windows lišty ..... "
                                                "(Start) )"));
    iconNote->setIndent(24);
    startLayout->addWidget(iconNote);
    auto *pathCaption =
        ui::caption(start, QStringLiteral("Label_Cesta"), QStringLiteral("Path Info:"));
    m_path = ui::valueLabel(start, QStringLiteral("Cesta"), pathCaption);
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(pathCaption);
    pathRow->addWidget(m_path, 1);
    startLayout->addLayout(pathRow);

    m_owner = new QLineEdit(start);
    m_owner->setObjectName(QStringLiteral("Vlastnik"));
    m_owner->setMaxLength(settings::kOwnerMaxLength);
    auto *ownerRow = new QHBoxLayout;
    ownerRow->addWidget(ui::caption(start, QStringLiteral("Label_Vlastnik"),
                                    QStringLiteral("Vlastník dat:"), m_owner));
    ownerRow->addWidget(m_owner, 1);
    startLayout->addLayout(ownerRow);
    layout->addWidget(start);

    // Other settings.
    auto *other = new QGroupBox(QStringLiteral("Ostatní nastavení:"), this);
    other->setObjectName(QStringLiteral("Panel2"));
    auto *otherLayout = new QVBoxLayout(other);
    auto *question = ui::caption(
        other, QStringLiteral("Label_Minuty_Otazka"),
        QStringLiteral("Jáká hodnota (min) bude pro vás rozhodující pro rušení poznámky "
                       "\"Kazeta neuzavřena\" při vkládání nové VK ?"));
    question->setWordWrap(true);
    otherLayout->addWidget(question);
    m_minutes = new QLineEdit(other);
    m_minutes->setObjectName(QStringLiteral("Minuty"));
    m_minutes->setMaxLength(3);
    m_minutes->setMaximumWidth(60);
    ui::digitsOnly(m_minutes);
    otherLayout->addLayout(ui::row({ui::caption(other, QStringLiteral("Label_Minuty"),
                                                QStringLiteral("Zadejte v minutách:"), m_minutes),
                                    m_minutes}));
    layout->addWidget(other);

    // Printing.
    auto *print = new QGroupBox(QStringLiteral("Nastavení chování programu při tisku !!!"), this);
    print->setObjectName(QStringLiteral("Panel3"));
    auto *printLayout = new QGridLayout(print);
    auto *caution = ui::caption(print, QStringLiteral("Label_Pozor"),
                                QStringLiteral("Toto nastavení může mít vliv na tiskové výstupy ! "
                                               "Neměňte nastavení pokud jsou Vaše tiskové sestavy "
                                               "v pořádku ..."));
    caution->setWordWrap(true);
    printLayout->addWidget(caution, 0, 0, 1, 3);
    m_system = new QComboBox(print);
    m_system->setObjectName(QStringLiteral("Set_System"));
    m_system->addItems(setup::systemRows());
    printLayout->addWidget(ui::caption(print, QStringLiteral("Label_System"),
                                       QStringLiteral("Nastavený systém zpracování tisků pro :"),
                                       m_system),
                           1, 0);
    printLayout->addWidget(m_system, 1, 1);
    auto *defaultCaption =
        ui::caption(print, QStringLiteral("Label_Default"),
                    QStringLiteral("PS: Původní nastavení systému detektorem bylo:"));
    m_defaultSystem = ui::valueLabel(print, QStringLiteral("Default_Sys"), defaultCaption);
    printLayout->addWidget(defaultCaption, 2, 0);
    printLayout->addWidget(m_defaultSystem, 2, 1);
    m_stopSign = new QLabel(print);
    m_stopSign->setObjectName(QStringLiteral("Image_Stop"));
    m_stopSign->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    m_stopSign->setAccessibleName(QStringLiteral("Stop"));
    m_warning = ui::caption(print, QStringLiteral("Varovani"), QStringLiteral("Varování !!!"));
    ui::setBold(m_warning);
    colours::setTextColour(m_warning, Qt::red);
    printLayout->addWidget(m_stopSign, 1, 2, 2, 1);
    printLayout->addWidget(m_warning, 3, 1);
    printLayout->setColumnStretch(1, 1);
    layout->addWidget(print);

    auto *saveButton = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("Uložit změny"));
    saveButton->setDefault(true);
    auto *close = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Zavřít okno"));
    layout->addLayout(ui::row({saveButton}, {close}));

    m_ticks = {m_check, m_checkCd, m_winCheck, m_splash, m_askPassword, m_showPassword, m_icon};
    for (QCheckBox *box : m_ticks) {
        box->installEventFilter(this);
        connect(box, &QCheckBox::toggled, this, &TSetup::applyWarningRule);
    }
    for (QGroupBox *panel : {start, other, print}) {
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
    }
    connect(m_askPassword, &QCheckBox::toggled, this, &TSetup::passwordBoxChanged);
    connect(m_showPassword, &QCheckBox::toggled, this, [this](bool clear) {
        m_password->setEchoMode(clear ? QLineEdit::Normal : QLineEdit::Password);
    });
    connect(m_minutes, &QLineEdit::editingFinished, this, &TSetup::minutesLeft);
    connect(m_minutes, &QLineEdit::textChanged, this, &TSetup::applyWarningRule);
    connect(m_system, &QComboBox::currentIndexChanged, this, &TSetup::applyWarningRule);
    connect(saveButton, &QPushButton::clicked, this, &TSetup::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_blink.setInterval(500);
    connect(&m_blink, &QTimer::timeout, this, [this] {
        const bool shown = !m_warning->isVisible();
        m_warning->setVisible(shown);
        m_stopSign->setVisible(shown);
    });
}

void TSetup::FormShow()
{
    const SettingsRecord &r = m_session.settings();
    const setup::Values v = setup::current(r);
    m_minutes->setText(QString::number(v.minutes));
    m_check->setChecked(v.checkCassettes);
    m_checkCd->setChecked(v.checkCds);
    m_splash->setChecked(v.splash);
    m_askPassword->setChecked(v.passwordRequired);
    passwordBoxChanged();
    m_showPassword->setChecked(false);
    m_icon->setChecked(v.folderMenu);
    m_winCheck->setChecked(v.autoCheck);
    m_path->setText(setup::autoCheckText());
    m_owner->setText(v.ownerName);
    m_system->setCurrentIndex(v.systemRow - 1);
    m_defaultSystem->setText(setup::systemRowText(r.detectedSystemCode));
    applyWarningRule();
    highlight(nullptr);
}

void TSetup::FormClose()
{
    m_blink.stop();
}

void TSetup::passwordBoxChanged()
{
    const bool on = m_askPassword->isChecked();
    for (QWidget *w :
         {static_cast<QWidget *>(m_passwordCaption), static_cast<QWidget *>(m_password),
          static_cast<QWidget *>(m_showPassword), static_cast<QWidget *>(m_passwordNote)})
        w->setVisible(on);
    if (on)
        m_password->setText(m_session.settings().password);
}

bool TSetup::minutesLeft()
{
    if (m_minutes->text().isEmpty())
        m_minutes->setText(QStringLiteral("0"));
    if (m_minutes->text().toInt() > setup::kMaxMinutes) {
        dialogs::warning(QStringLiteral("Upozornění:"),
                         QStringLiteral("Vložená časová rezerva je větší než nejdelší délka VK v "
                                        "systému, opravte si údaje ..."));
        m_minutes->setText(QStringLiteral("10"));
        m_minutes->selectAll();
        m_minutes->setFocus();
        return true;
    }
    return false;
}

void TSetup::applyWarningRule()
{
    const bool differs = m_system->currentText() != m_defaultSystem->text();
    if (differs) {
        if (!m_blink.isActive()) {
            m_warning->show();
            m_stopSign->show();
            m_blink.start();
        }
    } else {
        m_blink.stop();
        m_warning->hide();
        m_stopSign->hide();
    }
}

void TSetup::highlight(QCheckBox *current)
{
    for (QCheckBox *box : m_ticks) {
        QFont f = box->font();
        f.setBold(true);
        f.setUnderline(box == current);
        box->setFont(f);
        colours::setTextColour(box, box == current ? Qt::red : Qt::black);
    }
    QFont f = m_winCheckLine2->font();
    f.setBold(true);
    f.setUnderline(current == m_winCheck);
    m_winCheckLine2->setFont(f);
    colours::setTextColour(m_winCheckLine2, current == m_winCheck ? Qt::red : Qt::black);
}

bool TSetup::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (auto *box = qobject_cast<QCheckBox *>(watched)) {
        if (type == QEvent::Enter || type == QEvent::FocusIn)
            highlight(box);
    } else if (type == QEvent::MouseMove || type == QEvent::Enter) {
        highlight(nullptr); // the panel's background
    }
    return ScreenDialog::eventFilter(watched, event);
}

void TSetup::save()
{
    if (minutesLeft())
        return; // the minimum was refused; the user corrects it first
    const QString owner = m_owner->text().trimmed();
    if (const QString problem = settings::ownerNameProblem(owner); !problem.isEmpty()) {
        dialogs::warning(QStringLiteral("Upozornění:"),
                         QStringLiteral("Jméno vlastníka dat nelze použít: ") + problem);
        m_owner->setFocus();
        return;
    }
    setup::Values v;
    v.checkCassettes = m_check->isChecked();
    v.checkCds = m_checkCd->isChecked();
    v.autoCheck = m_winCheck->isChecked();
    v.splash = m_splash->isChecked();
    v.passwordRequired = m_askPassword->isChecked();
    v.password = m_password->text();
    v.folderMenu = m_icon->isChecked();
    v.minutes = m_minutes->text().toInt();
    v.systemRow = m_system->currentIndex() + 1;
    v.ownerName = owner;
    const QString problem =
        setup::save(v, m_session.settings(), QCoreApplication::applicationFilePath());
    if (!problem.isEmpty()) {
        dialogs::error(QStringLiteral("Chyba"),
                       QStringLiteral("Nastavení se nepodařilo uložit.\r\n\r\n") + problem);
        return;
    }
    dialogs::information(QStringLiteral("Informace:"),
                         QStringLiteral("Změny byly uloženy v pořádku do systému ..."));
    accept();
}

} // namespace velmora
