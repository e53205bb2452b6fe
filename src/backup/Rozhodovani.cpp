#include "backup/Rozhodovani.h"
#include "engine/DbError.h"

#include "conversion/Conversion.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Session.h"
#include "storage/Paths.h"
#include "system/Version.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kCaption = QStringLiteral("Informace ...");

// The pauses after each record and each step are there for the user to
// follow the gauges. They are made only for tables this small (a second
// at most); a large table goes at full speed, its gauge moving by
// hundredths, instead of taking 50 ms for every record.
constexpr int kRecordsShownSlowly = 20;

const QString kOldCount = QStringLiteral("Počet záznamů ve staré databázi: ");
const QString kNewCount = QStringLiteral("Počet záznamů v nové databázi: ");

} // namespace

TRozhodovani::TRozhodovani(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setWindowTitle(QStringLiteral("Detekce starší verze aktivována ..."));
    auto *layout = new QHBoxLayout(this);

    auto *left = new QVBoxLayout;
    m_text = new QTextEdit(this);
    m_text->setObjectName(QStringLiteral("Memo1"));
    m_text->setReadOnly(true);
    m_text->setAccessibleName(QStringLiteral("Detekce starší verze"));
    m_text->setPlainText(
        QStringLiteral("Byla nalezena verze databáze, nepodporovaná touto verzí programu ! \n"
                       "Program automaticky překonvertuje stávající databázi do nové podoby \n"
                       "a umožní tak využívání novějších funkcí v programu. \n"
                       "Průběh všech  operací bude zobrazen a o výsledku budete informování.\n"
                       "Autor. "));
    // Every line indented, as the text has always stood.
    QTextCursor cursor(m_text->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat indented;
    indented.setIndent(1);
    cursor.mergeBlockFormat(indented);
    left->addWidget(m_text, 1);
    auto *question = ui::caption(this, QStringLiteral("Label1"),
                                 QStringLiteral("Chcete provést konverzi  databáze ?"));
    left->addWidget(question);
    m_convert = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("Konvertovat data"));
    m_convert->setDefault(true);
    m_skip = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("Nekonvertovat"));
    left->addLayout(ui::row({m_convert}, {m_skip}));
    layout->addLayout(left, 1);

    // The state of the conversion: shown, never operated.
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black); // on its fixed white, whatever the desktop
    panel->setPalette(white);
    auto *state = new QVBoxLayout(panel);
    state->addWidget(
        ui::caption(panel, QStringLiteral("Label2"), QStringLiteral("Stav konverze:")));
    m_gauge1 = new QProgressBar(panel);
    m_gauge1->setObjectName(QStringLiteral("Gauge1"));
    m_gauge1->setAccessibleName(QStringLiteral("Převod tabulky data.dbf"));
    m_gauge2 = new QProgressBar(panel);
    m_gauge2->setObjectName(QStringLiteral("Gauge2"));
    m_gauge2->setAccessibleName(QStringLiteral("Převod tabulky archiv.dbf"));
    state->addWidget(m_gauge1);
    state->addWidget(m_gauge2);
    const QString counters[3][2] = {
        {QStringLiteral("Label3"), kOldCount},
        {QStringLiteral("Label4"), kNewCount},
        {QStringLiteral("Label5"), QStringLiteral("Počet záznamů v novém archivui: ")}};
    for (int i = 0; i < 3; ++i) {
        m_counters[size_t(i)] = ui::valueLabel(panel, counters[i][0], counters[i][1],
                                               counters[i][1] + QLatin1Char('0'));
        state->addWidget(m_counters[size_t(i)]);
    }
    const QString steps[5] = {
        QStringLiteral("     Založení  \" temp \" databáze a její inicializace ..."),
        QStringLiteral("     Konverze dat z databáze data.dbf do \" templates\" ..."),
        QStringLiteral("     Kontrola načtených informací a jejich indexů ..."),
        QStringLiteral("     Zápis do registrů identifikace nové verze 2001.B"),
        QStringLiteral("     Nastavení a příprava konverze \" archiv.dbf \" ...")};
    for (int i = 0; i < 5; ++i) {
        auto *box = new QCheckBox(steps[i], panel);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setFocusPolicy(Qt::NoFocus);
        m_steps[size_t(i)] = box;
        state->addWidget(box);
    }
    m_result = ui::caption(panel, QStringLiteral("Label6"),
                           QStringLiteral("Stav převodu a nastavení databáze, v pořádku ..."));
    state->addWidget(m_result);
    m_read = ui::button(panel, QStringLiteral("BitBtn3"), QStringLiteral("Přečteno, pokračuj"));
    state->addWidget(m_read, 0, Qt::AlignRight);
    state->addStretch(1);
    layout->addWidget(panel, 1);

    setEscapeButton(m_skip);
    // While the files are being replaced the screen does not close.
    setHeldOpen([this] { return m_running; });
    connect(m_convert, &QPushButton::clicked, this, &TRozhodovani::convertData);
    connect(m_skip, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_read, &QPushButton::clicked, this, &QDialog::accept);
    resize(820, 420);
}

void TRozhodovani::FormShow()
{
    m_result->hide();
    m_read->hide();
    m_steps[3]->hide();
    for (QCheckBox *box : m_steps)
        box->setChecked(false);
    m_gauge1->setRange(0, 100);
    m_gauge2->setRange(0, 100);
    m_gauge1->setValue(0);
    m_gauge2->setValue(0);
}

void TRozhodovani::done(int result)
{
    ScreenDialog::done(result);
    if (isVisible() || m_started || m_declined)
        return;
    m_declined = true;
    dialogs::information(kCaption,
                         QStringLiteral("Nelze pokračovat s touto verzí programu a starou verzí "
                                        "databáze. "));
}

void TRozhodovani::pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void TRozhodovani::setGauge(QProgressBar *gauge, int done)
{
    const int step = qMax(1, gauge->maximum() / 100);
    if (done % step != 0 && done != gauge->maximum())
        return;
    gauge->setValue(done);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool TRozhodovani::runSteps(QString &problem)
{
    try {
        m_session.tables().closeAll();
        conversion::OldDatabase db(Paths::dataDir(), Paths::tempDir());
        const auto start = [this](QProgressBar *gauge, int records) {
            // An empty table leaves its gauge full.
            gauge->setRange(0, qMax(1, records));
            gauge->setValue(records == 0 ? 1 : 0);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };

        db.createCassettes();
        m_steps[0]->setChecked(true);
        const bool slowData = db.oldCassettes() <= kRecordsShownSlowly;
        start(m_gauge1, db.oldCassettes());
        const int copied = db.copyCassettes([&](int done) {
            setGauge(m_gauge1, done);
            if (slowData)
                pause(50);
        });
        if (slowData)
            pause(300);
        m_steps[1]->setChecked(true);
        m_counters[0]->setText(kOldCount + QString::number(copied));
        const int inNew = db.countCassettes();
        m_steps[2]->setChecked(true);
        m_counters[1]->setText(kNewCount + QString::number(inNew));

        db.createArchive();
        m_steps[4]->setChecked(true);
        const bool slowArchive = db.oldArchive() <= kRecordsShownSlowly;
        start(m_gauge2, db.oldArchive());
        const int archived = db.copyArchive([&](int done) {
            setGauge(m_gauge2, done);
            if (slowArchive)
                pause(50);
        });
        if (slowArchive)
            pause(300);
        m_counters[2]->setText(QStringLiteral("Počet záznamů v novém archivu: ") +
                               QString::number(archived));
        m_counters[2]->setText(QStringLiteral("Počet záznamů v archivui: ") +
                               QString::number(db.countArchive()));

        // Both new tables are complete: only now do the live files change,
        // and only once they are in place is the new version written.
        problem = db.install();
        if (!problem.isEmpty())
            return false;
        m_steps[3]->show();
        problem = conversion::writeNewVersion();
        if (!problem.isEmpty())
            return false;
        m_session.settings().storedVersion = version::kText;
        m_steps[3]->setChecked(true);
        return true;
    } catch (const std::exception &e) {
        problem = errorText(e);
        return false;
    }
}

void TRozhodovani::convertData()
{
    if (m_started)
        return;
    m_started = true;
    m_running = true;
    m_convert->hide();
    m_skip->hide();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString problem;
    m_converted = runSteps(problem);
    QApplication::restoreOverrideCursor();
    m_running = false;
    if (!m_converted) {
        dialogs::error(QStringLiteral("Chyba"),
                       QStringLiteral("Konverzi databáze se nepodařilo dokončit:\r\n%1\r\n\r\n"
                                      "Konverze bude nabídnuta znovu při příštím spuštění "
                                      "programu. Program bude ukončen.")
                           .arg(problem));
        reject();
        return;
    }
    m_result->show();
    m_read->show();
    dialogs::information(
        kCaption,
        QStringLiteral("Byly provedeny zásadní změny v uspořádání databází, pro plnou \r\n"
                       "funkčnost programu je nutno program Restartovat.\r\n\r\n"
                       "Restartování programu aktivováno ...."));
    accept();
}

} // namespace velmora
