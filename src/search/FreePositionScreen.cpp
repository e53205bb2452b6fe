#include "search/FreePositionScreen.h"

#include "catalogue/CassetteRules.h"
#include "finding/FreePositionReports.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "search/FreePositionList.h"
#include "session/Session.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QTextDocument>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kCaption =
    QStringLiteral("Vyhledání volné pozice pro nahrávku, dle nastavení uživatele ...");
const QString kNoRequest = QStringLiteral("0h 00m");

void paintHead(QLabel *head, bool highlighted)
{
    QPalette pal = head->palette();
    pal.setColor(QPalette::Window, highlighted ? Qt::yellow : Qt::white);
    pal.setColor(QPalette::WindowText, highlighted ? Qt::red : Qt::black);
    head->setPalette(pal);
}

} // namespace

TVyhledej_Pozici::TVyhledej_Pozici(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session),
      m_rules(session.tables().Table1, session.tables().Temp_Table, session.tables().Temp_Table2)
{
    setObjectName(QStringLiteral("Vyhledej_Pozici"));
    setWindowTitle(kCaption);

    auto *layout = new QVBoxLayout(this);

    // Header: the counts and what makes a cassette take part.
    auto *header = new QGroupBox(this);
    header->setObjectName(QStringLiteral("Panel_Hlavicka"));
    auto *headerLayout = new QVBoxLayout(header);
    auto *countRow = new QHBoxLayout;
    auto *countLabel = ui::caption(header, QStringLiteral("Label_pocet"),
                                   QStringLiteral("Celkem VK / Povolených pro nahrání:"));
    m_counts = ui::valueLabel(header, QStringLiteral("pocet"), countLabel, QStringLiteral("0 / 0"));
    ui::setBold(m_counts);
    countRow->addWidget(countLabel);
    countRow->addWidget(m_counts);
    countRow->addStretch(1);
    headerLayout->addLayout(countRow);
    auto *explanation =
        ui::caption(header, QStringLiteral("Label_Vysvetleni"),
                    QStringLiteral("(Povolená kazeta pro nahrávku je kazeta s poznámkou \"") +
                        kOpenCassetteNote + QStringLiteral("\" ... )"));
    explanation->setWordWrap(true);
    headerLayout->addWidget(explanation);
    layout->addWidget(header);

    // The request: minutes, their hours text and the speed.
    auto *requestRow = new QHBoxLayout;
    auto *space = new QGroupBox(QStringLiteral("Požadované volné místo:"), this);
    space->setObjectName(QStringLiteral("GroupBox_Misto"));
    auto *spaceLayout = new QGridLayout(space);
    m_minutes = new QLineEdit(space);
    m_minutes->setObjectName(QStringLiteral("V_Min"));
    m_minutes->setMaxLength(3);
    m_minutes->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), m_minutes));
    m_minutes->setMaximumWidth(
        QFontMetrics(m_minutes->font()).horizontalAdvance(QStringLiteral("00000")) + 16);
    m_minutes->setAccessibleName(QStringLiteral("v minutách"));
    ui::digitsOnly(m_minutes);
    auto *hoursLabel =
        ui::caption(space, QStringLiteral("Label_V_Hod"), QStringLiteral("v hodinách:"));
    m_hours = ui::valueLabel(space, QStringLiteral("V_Hod"), hoursLabel, kNoRequest);
    ui::setBold(m_hours);
    spaceLayout->addWidget(ui::caption(space, QStringLiteral("Label_V_Min"),
                                       QStringLiteral("v minutách :"), m_minutes),
                           0, 0);
    spaceLayout->addWidget(m_minutes, 0, 1);
    spaceLayout->addWidget(hoursLabel, 1, 0);
    spaceLayout->addWidget(m_hours, 1, 1);
    spaceLayout->setColumnStretch(2, 1);
    requestRow->addWidget(space);

    auto *speeds = new QGroupBox(QStringLiteral("Další parametry nahrávky:"), this);
    speeds->setObjectName(QStringLiteral("GroupBox_Parametry"));
    auto *speedLayout = new QVBoxLayout(speeds);
    m_sp = new QRadioButton(QStringLiteral("Nahrávku chci pouze v SP"), speeds);
    m_sp->setObjectName(QStringLiteral("RadioButton1"));
    m_lp = new QRadioButton(QStringLiteral("Nahrávku chci pouze v LP"), speeds);
    m_lp->setObjectName(QStringLiteral("RadioButton2"));
    m_ep = new QRadioButton(QStringLiteral("Nahrávku chci pouze v EP"), speeds);
    m_ep->setObjectName(QStringLiteral("RadioButton3"));
    m_sp->setChecked(true);
    for (QRadioButton *b : {m_sp, m_lp, m_ep}) {
        speedLayout->addWidget(b);
        connect(b, &QRadioButton::clicked, this, &TVyhledej_Pozici::requestChanged);
    }
    requestRow->addWidget(speeds);

    auto *searchBox = new QVBoxLayout;
    m_search = ui::button(this, QStringLiteral("Hledej"), QStringLiteral("Vyhledat !"));
    searchBox->addWidget(m_search);
    auto *foundRow = new QHBoxLayout;
    auto *foundLabel = ui::caption(this, QStringLiteral("Label_Celkem_moznosti"),
                                   QStringLiteral("Nalezeno možností:"));
    m_found =
        ui::valueLabel(this, QStringLiteral("Celkem_moznosti"), foundLabel, QStringLiteral("0"));
    ui::setBold(m_found);
    foundRow->addWidget(foundLabel);
    foundRow->addWidget(m_found);
    foundRow->addStretch(1);
    searchBox->addLayout(foundRow);
    searchBox->addStretch(1);
    requestRow->addLayout(searchBox);
    layout->addLayout(requestRow);

    // The column heads stand over the pane's character columns.
    m_pane = new ReportPane(this);
    m_pane->setToolTip(QStringLiteral("Výsledky hledání ..."));
    m_pane->setAccessibleName(QStringLiteral("Výsledky hledání"));
    const QFont paneFont = ReportPane::baseFont();
    const int column = QFontMetrics(paneFont).horizontalAdvance(QLatin1Char('0'));
    auto *heads = new QHBoxLayout;
    heads->setSpacing(0);
    heads->setContentsMargins(m_pane->frameWidth() + int(m_pane->document()->documentMargin()), 0,
                              0, 0);
    auto head = [&](const QString &text, const char *name, int chars) {
        QLabel *l = ui::caption(this, QLatin1String(name), text);
        l->setFont(paneFont);
        l->setMinimumWidth(chars * column);
        l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        heads->addWidget(l);
        return l;
    };
    heads->addSpacing(2 * column);
    m_numberHead = head(QStringLiteral("VK:"), "Panel_VK", 8);
    heads->addSpacing(2 * column);
    head(QStringLiteral("Typ:"), "Label_Typ", 10);
    head(QStringLiteral("Obsazeno\nmin."), "Label_Obsazeno", 10);
    m_remainingHead = head(QStringLiteral("Zůstatek v SP:\nmin.  hod."), "Panel_Zustatek", 16);
    m_numberHead->setAutoFillBackground(true);
    m_remainingHead->setAutoFillBackground(true);
    heads->addStretch(1);
    layout->addLayout(heads);
    layout->addWidget(m_pane, 1);

    // Progress, order and the buttons.
    auto *bottom = new QHBoxLayout;
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Stav"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setAccessibleName(QStringLiteral("Stav prohledávání"));
    auto *progress = new QVBoxLayout;
    progress->addWidget(ui::caption(this, QStringLiteral("Label_Stav"),
                                    QStringLiteral("Stav prohledávání:"), m_progress));
    progress->addWidget(m_progress);
    bottom->addLayout(progress, 1);

    auto *order = new QGroupBox(this);
    order->setObjectName(QStringLiteral("GroupBox_Trideni"));
    auto *orderLayout = new QVBoxLayout(order);
    m_byNumber = new QRadioButton(QStringLiteral("Třídit podle čísla VK"), order);
    m_byNumber->setObjectName(QStringLiteral("Tr01"));
    m_byRemaining = new QRadioButton(QStringLiteral("Třídit podle zůstaku"), order);
    m_byRemaining->setObjectName(QStringLiteral("Tr02"));
    m_byNumber->setChecked(true);
    orderLayout->addWidget(m_byNumber);
    orderLayout->addWidget(m_byRemaining);
    bottom->addWidget(order);

    m_list = ui::button(this, QStringLiteral("Seznam"), QStringLiteral("Zobrazit detaily"));
    m_close = ui::button(this, QStringLiteral("Zavrit"), QStringLiteral("&Zavřít okno"));
    bottom->addWidget(m_list);
    bottom->addWidget(m_close);
    layout->addLayout(bottom);

    connect(m_minutes, &QLineEdit::textChanged, this, &TVyhledej_Pozici::requestChanged);
    connect(m_search, &QPushButton::clicked, this, &TVyhledej_Pozici::search);
    connect(m_byNumber, &QRadioButton::clicked, this, &TVyhledej_Pozici::search);
    connect(m_byRemaining, &QRadioButton::clicked, this, &TVyhledej_Pozici::search);
    connect(m_list, &QPushButton::clicked, this, &TVyhledej_Pozici::showList);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    highlightHeads(true);
    m_list->hide();
    m_search->setEnabled(false);
    setSortEnabled(false);
    resize(780, 560);
}

TVyhledej_Pozici::~TVyhledej_Pozici()
{
    try {
        closeTables();
    } catch (const std::exception &) {
        // Nothing can be shown any more; the private directory goes at exit.
    }
}

Table &TVyhledej_Pozici::candidates() const
{
    return m_session.tables().Temp_Table2;
}

QString TVyhledej_Pozici::hoursText() const
{
    return m_hours->text();
}

void TVyhledej_Pozici::FormShow()
{
    try {
        startSearch();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    m_found->setText(QStringLiteral("0"));
    m_search->setEnabled(false);
    {
        const QSignalBlocker block(m_minutes);
        m_minutes->clear();
    }
    requestChanged();
    m_sp->setChecked(true);
    m_progress->setValue(0);
    m_list->hide();
    m_minutes->setFocus();
}

void TVyhledej_Pozici::startSearch()
{
    m_byNumber->setChecked(true);
    setSortEnabled(false);
    const FreePositionSearch::Counts counts = m_rules.start();
    m_counts->setText(QString::number(counts.cassettes) + QStringLiteral(" / ") +
                      QString::number(counts.open));
}

void TVyhledej_Pozici::requestChanged()
{
    const bool request = !m_minutes->text().isEmpty();
    m_hours->setText(request ? positionHours(m_minutes->text().toInt()) : kNoRequest);
    m_search->setEnabled(request);
    for (QRadioButton *b : {m_sp, m_lp, m_ep})
        b->setEnabled(request);
    m_progress->setValue(0);
    m_candidates = 0;
    m_found->setText(QStringLiteral("0"));
    m_list->hide();
    report::write(*m_pane, report::modeFor(m_session.systemCode()), writeWaitingForRequest);
    setSortEnabled(false);
}

void TVyhledej_Pozici::setSortEnabled(bool on)
{
    m_byNumber->setEnabled(on);
    m_byRemaining->setEnabled(on);
}

void TVyhledej_Pozici::highlightHeads(bool byNumber)
{
    paintHead(m_numberHead, byNumber);
    paintHead(m_remainingHead, !byNumber);
}

int TVyhledej_Pozici::speedFactor() const
{
    if (m_lp->isChecked())
        return 2;
    if (m_ep->isChecked())
        return 3;
    return 1;
}

void TVyhledej_Pozici::search()
{
    if (m_minutes->text().isEmpty())
        return;
    const report::Mode mode = report::modeFor(m_session.systemCode());
    m_candidates = 0;
    try {
        const bool byNumber = m_byNumber->isChecked();
        highlightHeads(byNumber);
        // The gauge is drawn at each change; moving it in steps of a few
        // hundredths looks the same and costs less than the search itself.
        int step = 1;
        const std::vector<PositionRow> found =
            m_rules.search(byNumber ? PositionOrder::Number : PositionOrder::Remaining,
                           m_minutes->text().toInt(), speedFactor(), [&](int examined, int rows) {
                               if (examined == 0) {
                                   // a range of 0 would be a busy bar
                                   m_progress->setRange(0, qMax(1, rows));
                                   m_progress->setValue(0);
                                   step = qMax(1, rows / 200);
                               } else if (examined % step == 0 || examined == rows) {
                                   m_progress->setValue(examined);
                               }
                           });
        m_candidates = int(found.size());
        // The found lines are appended one by one in either mode.
        report::write(*m_pane, mode == report::Mode::None ? mode : report::Mode::Line,
                      [&](ReportWriter &w) { writePositions(w, found); });
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }

    m_found->setText(QString::number(m_candidates));
    if (m_candidates == 0) {
        m_list->hide();
        report::write(*m_pane, mode, writeNoPosition);
        setSortEnabled(false);
    } else {
        m_list->show();
        setSortEnabled(true);
    }
}

void TVyhledej_Pozici::showList()
{
    TSeznam2 list(*this, this);
    dialogs::exec(list);
}

void TVyhledej_Pozici::closeTables()
{
    m_rules.finish();
}

void TVyhledej_Pozici::done(int result)
{
    try {
        closeTables();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    QDialog::done(result);
}

} // namespace velmora
