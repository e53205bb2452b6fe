#include "core/Splash.h"

#include "core/MainWindow.h"
#include "platform/Widgets.h"
#include "session/Language.h"
#include "session/Settings.h"
#include "session/StartupPlan.h"
#include "storage/Overdue.h"
#include "system/SettingsStore.h"
#include "system/Version.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kCentral = QStringLiteral("Central");

// A looked-up label with its suffix, or the built-in caption without a file.
QString labelText(const QString &section, const QString &key, const QString &def,
                  const QString &suffix, const QString &builtIn)
{
    return lang::present() ? lang::text(section, key, def) + suffix : builtIn;
}

QFont scaled(QFont f, int delta, bool bold)
{
    f.setPointSize(f.pointSize() + delta);
    f.setBold(bold);
    return f;
}

} // namespace

// --- splash screen ---------------------------------------------------------

TSplashScreen::TSplashScreen(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("SplashScreen"));
    // White whatever the desktop's colours, and so its texts black on it.
    setStyleSheet(QStringLiteral("QDialog { background: white; border: 2px solid #000080; } "
                                 "QLabel { color: black; }"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 24, 30, 24);
    auto *product =
        ui::caption(this, QStringLiteral("Product"),
                    lang::text(kCentral, QStringLiteral("000"), version::kApplicationTitle));
    product->setFont(scaled(product->font(), 14, true));
    product->setStyleSheet(QStringLiteral("color: #000080;"));
    layout->addWidget(product, 0, Qt::AlignHCenter);
    auto *grid = new QGridLayout;
    grid->addWidget(ui::caption(this, QStringLiteral("VersionCaption"),
                                lang::text(kCentral, QStringLiteral("115"),
                                           QStringLiteral("Programová verze")) +
                                    QStringLiteral(":")),
                    0, 0);
    grid->addWidget(ui::caption(this, QStringLiteral("FileVersion"), version::kFileVersion), 0, 1);
    grid->addWidget(ui::caption(this, QStringLiteral("DateCaption"),
                                lang::text(kCentral, QStringLiteral("116"),
                                           QStringLiteral("Uvolnění verze na www")) +
                                    QStringLiteral(":")),
                    1, 0);
    grid->addWidget(ui::caption(this, QStringLiteral("VersionDate"), version::kDate), 1, 1);
    layout->addLayout(grid);
    m_timer->setSingleShot(true);
    m_timer->setInterval(2000);
    connect(m_timer, &QTimer::timeout, this, &TSplashScreen::timeUp);
}

void TSplashScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_timer->start();
}

void TSplashScreen::timeUp()
{
    m_timer->stop();
    accept();
}

// --- automatic check screen ------------------------------------------------

TSplashScreen2::TSplashScreen2(TTitul &window, bool autoRunMode, const QDate &today)
    : QDialog(&window, Qt::Dialog | Qt::FramelessWindowHint), m_window(window),
      m_autoRun(autoRunMode), m_today(today), m_start(new QTimer(this)), m_recheck(new QTimer(this))
{
    setObjectName(QStringLiteral("SplashScreen2"));
    setWindowTitle(QStringLiteral("Automatická kontrola"));
    setStyleSheet(QStringLiteral("TSplashScreen2, QDialog { background: white; } "
                                 "QLabel { color: black; }"));
    auto *frame = new QVBoxLayout(this);
    frame->setContentsMargins(24, 18, 24, 18);

    auto *product =
        ui::caption(this, QStringLiteral("Product"),
                    labelText(kCentral, QStringLiteral("000"), version::kApplicationTitle,
                              QString(), QStringLiteral("Velmora")));
    product->setFont(scaled(product->font(), 12, true));
    product->setStyleSheet(QStringLiteral("color: #000080;"));
    frame->addWidget(product);
    auto *heading = ui::caption(this, QStringLiteral("Heading"),
                                labelText(kCentral, QStringLiteral("137"),
                                          QStringLiteral("Automatická kontrola"), QString(),
                                          QStringLiteral("Automatická kontrola")));
    heading->setFont(scaled(heading->font(), 3, true));
    frame->addWidget(heading);

    auto *grid = new QGridLayout;
    grid->addWidget(
        ui::caption(this, QStringLiteral("VersionCaption"),
                    labelText(kCentral, QStringLiteral("115"), QStringLiteral("Programová verze"),
                              QStringLiteral(":"), QStringLiteral("Programová verze prg    :"))),
        0, 0);
    grid->addWidget(ui::caption(this, QStringLiteral("FileVersion")), 0, 1, 1, 3);
    grid->addWidget(
        ui::caption(this, QStringLiteral("DateCaption"),
                    labelText(kCentral, QStringLiteral("116"),
                              QStringLiteral("Uvolnění verze na www"), QStringLiteral(":"),
                              QStringLiteral("Uvolnění verze na www :"))),
        1, 0);
    grid->addWidget(ui::caption(this, QStringLiteral("VersionDate")), 1, 1, 1, 3);

    const QString overdueText =
        labelText(kCentral, QStringLiteral("141"), QStringLiteral("Mimo termín"),
                  QStringLiteral(":"), QStringLiteral("Mimo termín:"));
    const QString unreadableText = QStringLiteral("Nečitelné datum:");
    const auto row = [&](int r, const QString &name, const QString &caption, QProgressBar *&gauge,
                         QLabel *&counter, QLabel *&unreadableCaption, QLabel *&unreadable) {
        auto *l = ui::caption(this, name + QStringLiteral("Caption"), caption);
        gauge = new QProgressBar(this);
        gauge->setObjectName(QStringLiteral("Gauge") + name);
        gauge->setAccessibleName(caption);
        gauge->setMinimumWidth(180);
        l->setBuddy(gauge);
        // The count of overdue items, heard with its row's caption.
        counter = ui::valueLabel(this, QStringLiteral("Count") + name, caption + overdueText);
        counter->setMinimumWidth(60);
        grid->addWidget(l, r, 0);
        grid->addWidget(gauge, r, 1);
        grid->addWidget(ui::caption(this, QStringLiteral("Overdue") + name, overdueText), r, 2);
        grid->addWidget(counter, r, 3);
        // Loans whose start is not a date: shown only when there are some.
        unreadableCaption = ui::caption(this, QStringLiteral("Unreadable") + name, unreadableText);
        unreadable = ui::valueLabel(this, QStringLiteral("UnreadableCount") + name,
                                    caption + unreadableText);
        unreadableCaption->hide();
        unreadable->hide();
        grid->addWidget(unreadableCaption, r, 4);
        grid->addWidget(unreadable, r, 5);
    };
    row(2, QStringLiteral("VK"),
        labelText(kCentral, QStringLiteral("138"), QStringLiteral("Kontrola Videokazet"),
                  QStringLiteral(":"), QStringLiteral("Kontrola videokazet:")),
        m_gaugeVk, m_countVk, m_unreadableCaptionVk, m_unreadableVk);
    row(3, QStringLiteral("CD"),
        labelText(kCentral, QStringLiteral("139"), QStringLiteral("Kontrola hudebních CD"),
                  QStringLiteral(":"), QStringLiteral("Kontrola hudebních CD:")),
        m_gaugeCd, m_countCd, m_unreadableCaptionCd, m_unreadableCd);
    frame->addLayout(grid);

    m_autoClose = new QCheckBox(
        labelText(kCentral, QStringLiteral("140"), QStringLiteral("Auto zavření okna"),
                  QStringLiteral(" (5 sec)"), QStringLiteral("AutoClose screen (5sec)")),
        this);
    m_autoClose->setObjectName(QStringLiteral("AutoClose"));
    frame->addWidget(m_autoClose);

    const QString btn = QStringLiteral("Buttons");
    m_close = new QPushButton(
        lang::present()
            ? QStringLiteral("&") + lang::text(btn, QStringLiteral("002"), QStringLiteral("Zavřít"))
            : QStringLiteral("Zavřít"),
        this);
    m_close->setObjectName(QStringLiteral("Zavrit"));
    m_showVk =
        new QPushButton(lang::text(btn, QStringLiteral("003"), QStringLiteral("Zobraz VK")), this);
    m_showVk->setObjectName(QStringLiteral("ZobrazVK"));
    m_showCd =
        new QPushButton(lang::text(btn, QStringLiteral("004"), QStringLiteral("Zobraz CD")), this);
    m_showCd->setObjectName(QStringLiteral("ZobrazCD"));
    frame->addLayout(ui::row({m_showVk, m_showCd}, {m_close}));

    connect(m_close, &QPushButton::clicked, this, &TSplashScreen2::closeCheck);
    connect(m_showVk, &QPushButton::clicked, this, &TSplashScreen2::showCassettes);
    connect(m_showCd, &QPushButton::clicked, this, &TSplashScreen2::showCds);
    m_start->setSingleShot(true);
    m_start->setInterval(10);
    connect(m_start, &QTimer::timeout, this, &TSplashScreen2::scan);
    m_recheck->setInterval(5000);
    connect(m_recheck, &QTimer::timeout, this, &TSplashScreen2::recheck);
}

void TSplashScreen2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_close->hide();
    m_showVk->hide();
    m_showCd->hide();
    for (QProgressBar *g : {m_gaugeVk, m_gaugeCd}) {
        g->setRange(0, 100);
        g->setValue(0);
    }
    m_countVk->clear();
    m_countCd->clear();
    for (QLabel *l : {m_unreadableCaptionVk, m_unreadableVk, m_unreadableCaptionCd, m_unreadableCd})
        l->hide();
    findChild<QLabel *>(QStringLiteral("FileVersion"))->setText(version::kFileVersion);
    findChild<QLabel *>(QStringLiteral("VersionDate"))->setText(version::kDate);
    m_autoClose->setChecked(m_window.settings().autoCloseCheck);
    setCursor(Qt::WaitCursor);
    m_start->start();
}

void TSplashScreen2::pause()
{
    // Lets the gauges paint while the scan goes on.
    if (m_pauseMs <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(m_pauseMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

LoanCheck TSplashScreen2::scanTable(Table &table, QProgressBar *gauge, QLabel *counter,
                                    QLabel *unreadableCaption, QLabel *unreadable,
                                    const QString &unit)
{
    const LoanCheck check =
        startup::scanCatalogue(table, m_today, [&](int done, int count, const LoanCheck &sofar) {
            if (done == 0) {
                // An empty table shows a full gauge.
                gauge->setRange(0, count == 0 ? 100 : count);
                gauge->setValue(count == 0 ? 100 : 0);
                return;
            }
            gauge->setValue(done);
            counter->setText(QString::number(sofar.overdue) + unit);
            pause();
        });
    counter->setText(QString::number(check.overdue) + unit);
    unreadable->setText(QString::number(check.unreadable) + unit);
    const bool some = check.unreadable > 0;
    unreadable->setVisible(some);
    unreadableCaption->setVisible(some);
    return check;
}

void TSplashScreen2::scan()
{
    m_start->stop();
    const auto finish = [this](int count, QPushButton *button) {
        if (count != 0) {
            button->show();
            unsetCursor();
            m_autoClose->setEnabled(false);
        } else if (m_cassettes + m_cassettesUnreadable == 0) {
            m_autoClose->setEnabled(true);
        }
    };
    // A loan that cannot be judged is announced as an overdue one is.
    const LoanCheck vk = scanTable(m_window.tables().Table1, m_gaugeVk, m_countVk,
                                   m_unreadableCaptionVk, m_unreadableVk, QStringLiteral(" VK."));
    m_cassettes = vk.overdue;
    m_cassettesUnreadable = vk.unreadable;
    finish(vk.announced(), m_showVk);
    const LoanCheck cd = scanTable(m_window.tables().CD_Table1, m_gaugeCd, m_countCd,
                                   m_unreadableCaptionCd, m_unreadableCd, QStringLiteral(" CD."));
    m_cds = cd.overdue;
    m_cdsUnreadable = cd.unreadable;
    finish(cd.announced(), m_showCd);
    m_close->show();
    m_recheck->start();
}

void TSplashScreen2::recheck()
{
    unsetCursor();
    const int cassettes = m_cassettes + m_cassettesUnreadable;
    const int cds = m_cds + m_cdsUnreadable;
    if (cassettes == 0)
        m_showVk->setEnabled(false);
    if (cds == 0)
        m_showCd->setEnabled(false);
    if (m_autoRun && m_autoClose->isChecked() && cassettes == 0 && cds == 0)
        closeCheck();
}

void TSplashScreen2::closeCheck()
{
    m_recheck->stop();
    m_window.settings().autoCloseCheck = m_autoClose->isChecked();
    SettingsStore store = SettingsStore::own();
    store.writeBool(settings::kAutoCloseSplash2, m_autoClose->isChecked());
    store.sync();
    accept();
}

void TSplashScreen2::showAway(Table &table, const QString &index, const QString &action)
{
    m_window.session().runOverLentItems(table, index, action);
}

void TSplashScreen2::showCassettes()
{
    showAway(m_window.tables().Table1, QStringLiteral("cislo"),
             QStringLiteral("lending.cassettesAwayReminder"));
}

void TSplashScreen2::showCds()
{
    showAway(m_window.tables().CD_Table1, QStringLiteral("cislocd"),
             QStringLiteral("lending.cdsAwayReminder"));
}

} // namespace velmora
