#include "search/FreePositionScreen.h"

#include "cassettes/CassetteRules.h"
#include "core/Session.h"
#include "engine/Table.h"
#include "platform/Dialogs.h"
#include "printing/ReportPane.h"
#include "printing/ReportText.h"
#include "printing/Rtf.h"
#include "search/FreePosition.h"
#include "storage/Paths.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace velmora {
namespace {

const QString kCaption =
    QStringLiteral("Vyhledání volné pozice pro nahrávku, dle nastavení uživatele ...");
const QString kNoRequest = QStringLiteral("0h 00m");
const QString kResultLine = QStringLiteral("  %-5s     %-5s     %-5s     %-5s %-10s");
const QString kListRow = QStringLiteral(" %-5s     %-8s    %3s         %3s     %-15s    %-10s");
const QString kListHead =
    QStringLiteral(" VK:       Typ:      Zbývá:    Půjčono?    Komu?              Od kdy?");
const QString kListTitle = QStringLiteral(" Hledaná časová rezerva v hod: ");
constexpr int kListRule = 73;
constexpr int kListDateRun = 11;

const QByteArray kWaitingColours =
    QByteArrayLiteral("{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}");
const QStringList kEmptyTexts{QStringLiteral(" Zadaná minutáž není v uvedeném systému na žádné"),
                              QStringLiteral(" videokazetě k nalezení."),
                              QStringLiteral(" Změňte systém nahrávky a zkuste to znovu ...")};

const QString kFields[] = {QStringLiteral("t_kazety"), QStringLiteral("cislo"),
                           QStringLiteral("obsazeny"), QStringLiteral("zustatek"),
                           QStringLiteral("pujceno"),  QStringLiteral("komu"),
                           QStringLiteral("od_kdy")};
enum WorkField
{
    Type,
    Number,
    Occupied,
    Remaining,
    Lent,
    Borrower,
    From
};

QList<FieldDef> workFields()
{
    return {FieldDef::string(kFields[Type], 5),   FieldDef::string(kFields[Number], 5),
            FieldDef::integer(kFields[Occupied]), FieldDef::integer(kFields[Remaining]),
            FieldDef::boolean(kFields[Lent]),     FieldDef::string(kFields[Borrower], 15),
            FieldDef::string(kFields[From], 10)};
}

const QStringList kWorkTags{QStringLiteral("cislo"), QStringLiteral("zustatek")};

struct WorkRow
{
    QString type;
    QString number;
    int occupied = 0;
    int remaining = 0;
    bool lent = false;
    QString borrower;
    QString from;
};

// A work handle ready for another file: closed, unfiltered, natural order,
// so that no later user of the handle inherits this screen's choices.
void release(Table &t)
{
    t.close();
    t.setFiltered(false);
    t.setFilter(QString());
    t.setIndex(QString());
}

void recreate(Table &t, const QString &path)
{
    release(t);
    Table::deleteFiles(path);
    t.setPath(path);
    t.create(workFields(), kWorkTags);
    t.open();
}

QLabel *buddyLabel(const QString &text, const char *name, QWidget *buddy, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    if (buddy) {
        l->setBuddy(buddy);
        QString accessible = text;
        accessible.remove(QLatin1Char('&'));
        buddy->setAccessibleName(accessible.trimmed());
    }
    return l;
}

void paintHead(QLabel *head, bool highlighted)
{
    QPalette pal = head->palette();
    pal.setColor(QPalette::Window, highlighted ? Qt::yellow : Qt::white);
    pal.setColor(QPalette::WindowText, highlighted ? Qt::red : Qt::black);
    head->setPalette(pal);
}

} // namespace

TVyhledej_Pozici::TVyhledej_Pozici(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Vyhledej_Pozici"));
    setWindowTitle(kCaption);

    auto *layout = new QVBoxLayout(this);

    // Header: the counts and what makes a cassette take part.
    auto *header = new QGroupBox(this);
    header->setObjectName(QStringLiteral("Panel_Hlavicka"));
    auto *headerLayout = new QVBoxLayout(header);
    auto *countRow = new QHBoxLayout;
    pocet = new QLabel(QStringLiteral("0 / 0"), header);
    pocet->setObjectName(QStringLiteral("pocet"));
    QFont bold = pocet->font();
    bold.setBold(true);
    pocet->setFont(bold);
    auto *countLabel = buddyLabel(QStringLiteral("Celkem VK / Povolených pro nahrání:"),
                                  "Label_pocet", nullptr, header);
    pocet->setAccessibleName(countLabel->text());
    countRow->addWidget(countLabel);
    countRow->addWidget(pocet);
    countRow->addStretch(1);
    headerLayout->addLayout(countRow);
    auto *explanation =
        new QLabel(QStringLiteral("(Povolená kazeta pro nahrávku je kazeta s poznámkou \"") +
                       kOpenCassetteNote + QStringLiteral("\" ... )"),
                   header);
    explanation->setObjectName(QStringLiteral("Label_Vysvetleni"));
    explanation->setWordWrap(true);
    headerLayout->addWidget(explanation);
    layout->addWidget(header);

    // The request: minutes, their hours text and the speed.
    auto *requestRow = new QHBoxLayout;
    auto *space = new QGroupBox(QStringLiteral("Požadované volné místo:"), this);
    space->setObjectName(QStringLiteral("GroupBox_Misto"));
    auto *spaceLayout = new QGridLayout(space);
    V_Min = new QLineEdit(space);
    V_Min->setObjectName(QStringLiteral("V_Min"));
    V_Min->setMaxLength(3);
    V_Min->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), V_Min));
    V_Min->setMaximumWidth(QFontMetrics(V_Min->font()).horizontalAdvance(QStringLiteral("00000")) +
                           16);
    V_Min->installEventFilter(this);
    V_Hod = new QLabel(kNoRequest, space);
    V_Hod->setObjectName(QStringLiteral("V_Hod"));
    V_Hod->setFont(bold);
    spaceLayout->addWidget(buddyLabel(QStringLiteral("v minutách :"), "Label_V_Min", V_Min, space),
                           0, 0);
    spaceLayout->addWidget(V_Min, 0, 1);
    auto *hoursLabel = buddyLabel(QStringLiteral("v hodinách:"), "Label_V_Hod", nullptr, space);
    V_Hod->setAccessibleName(hoursLabel->text());
    spaceLayout->addWidget(hoursLabel, 1, 0);
    spaceLayout->addWidget(V_Hod, 1, 1);
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
        connect(b, &QRadioButton::clicked, this, &TVyhledej_Pozici::V_MinChange);
    }
    requestRow->addWidget(speeds);

    auto *searchBox = new QVBoxLayout;
    Hledej = new QPushButton(QStringLiteral("Vyhledat !"), this);
    Hledej->setObjectName(QStringLiteral("Hledej"));
    Hledej->setAutoDefault(false);
    searchBox->addWidget(Hledej);
    auto *foundRow = new QHBoxLayout;
    Celkem_moznosti = new QLabel(QStringLiteral("0"), this);
    Celkem_moznosti->setObjectName(QStringLiteral("Celkem_moznosti"));
    Celkem_moznosti->setFont(bold);
    auto *foundLabel =
        buddyLabel(QStringLiteral("Nalezeno možností:"), "Label_Celkem_moznosti", nullptr, this);
    Celkem_moznosti->setAccessibleName(foundLabel->text());
    foundRow->addWidget(foundLabel);
    foundRow->addWidget(Celkem_moznosti);
    foundRow->addStretch(1);
    searchBox->addLayout(foundRow);
    searchBox->addStretch(1);
    requestRow->addLayout(searchBox);
    layout->addLayout(requestRow);

    // The column heads stand over the pane's character columns.
    RichEdit1 = new ReportPane(this);
    RichEdit1->setToolTip(QStringLiteral("Výsledky hledání ..."));
    RichEdit1->setAccessibleName(QStringLiteral("Výsledky hledání"));
    const QFont paneFont = ReportPane::baseFont();
    const int column = QFontMetrics(paneFont).horizontalAdvance(QLatin1Char('0'));
    auto *heads = new QHBoxLayout;
    heads->setSpacing(0);
    heads->setContentsMargins(
        RichEdit1->frameWidth() + int(RichEdit1->document()->documentMargin()), 0, 0, 0);
    auto head = [&](const QString &text, const char *name, int chars) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
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
    layout->addWidget(RichEdit1, 1);

    // Progress, order and the buttons.
    auto *bottom = new QHBoxLayout;
    Stav = new QProgressBar(this);
    Stav->setObjectName(QStringLiteral("Stav"));
    Stav->setRange(0, 1);
    Stav->setValue(0);
    Stav->setTextVisible(false);
    auto *progress = new QVBoxLayout;
    progress->addWidget(buddyLabel(QStringLiteral("Stav prohledávání:"), "Label_Stav", Stav, this));
    progress->addWidget(Stav);
    bottom->addLayout(progress, 1);

    auto *order = new QGroupBox(this);
    order->setObjectName(QStringLiteral("GroupBox_Trideni"));
    auto *orderLayout = new QVBoxLayout(order);
    Tr01 = new QRadioButton(QStringLiteral("Třídit podle čísla VK"), order);
    Tr01->setObjectName(QStringLiteral("Tr01"));
    Tr02 = new QRadioButton(QStringLiteral("Třídit podle zůstaku"), order);
    Tr02->setObjectName(QStringLiteral("Tr02"));
    Tr01->setChecked(true);
    orderLayout->addWidget(Tr01);
    orderLayout->addWidget(Tr02);
    bottom->addWidget(order);

    Seznam = new QPushButton(QStringLiteral("Zobrazit detaily"), this);
    Seznam->setObjectName(QStringLiteral("Seznam"));
    Seznam->setAutoDefault(false);
    Zavrit = new QPushButton(QStringLiteral("&Zavřít okno"), this);
    Zavrit->setObjectName(QStringLiteral("Zavrit"));
    Zavrit->setAutoDefault(false);
    bottom->addWidget(Seznam);
    bottom->addWidget(Zavrit);
    layout->addLayout(bottom);

    connect(V_Min, &QLineEdit::textChanged, this, &TVyhledej_Pozici::V_MinChange);
    connect(Hledej, &QPushButton::clicked, this, &TVyhledej_Pozici::HledejClick);
    connect(Tr01, &QRadioButton::clicked, this, &TVyhledej_Pozici::HledejClick);
    connect(Tr02, &QRadioButton::clicked, this, &TVyhledej_Pozici::HledejClick);
    connect(Seznam, &QPushButton::clicked, this, &TVyhledej_Pozici::SeznamClick);
    connect(Zavrit, &QPushButton::clicked, this, &QDialog::reject);

    highlightHeads(true);
    Seznam->hide();
    Hledej->setEnabled(false);
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

QString TVyhledej_Pozici::workPath()
{
    return Paths::tempDir() + QStringLiteral("Search.dbf");
}

QString TVyhledej_Pozici::candidatePath()
{
    return Paths::tempDir() + QStringLiteral("Search2.dbf");
}

Table &TVyhledej_Pozici::candidates() const
{
    return m_session.tables().Temp_Table2;
}

QString TVyhledej_Pozici::hoursText() const
{
    return V_Hod->text();
}

void TVyhledej_Pozici::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TVyhledej_Pozici::FormShow()
{
    try {
        fillWorkTable();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    Celkem_moznosti->setText(QStringLiteral("0"));
    Hledej->setEnabled(false);
    {
        const QSignalBlocker block(V_Min);
        V_Min->clear();
    }
    V_MinChange();
    m_sp->setChecked(true);
    Stav->setValue(0);
    Seznam->hide();
    V_Min->setFocus();
}

void TVyhledej_Pozici::fillWorkTable()
{
    Table &work = m_session.tables().Temp_Table;
    Table &data = m_session.tables().Table1;
    if (!m_open)
        m_dataIndex = data.index();
    m_open = true;
    recreate(work, workPath());
    Tr01->setChecked(true);
    setSortEnabled(false);

    // Walked in the order the records were written; the rows are put into
    // the work table by number, so equal remaining times keep that order.
    data.setFiltered(false);
    data.setIndex(QString());
    if (!data.isOpen())
        data.open(Table::Mode::ReadOnly);
    const int note = data.requireField(QStringLiteral("pozn"));
    const int type = data.requireField(QStringLiteral("t_kazety"));
    const int number = data.requireField(QStringLiteral("cislo"));
    const int lent = data.requireField(QStringLiteral("pujceno"));
    const int borrower = data.requireField(QStringLiteral("komu"));
    const int from = data.requireField(QStringLiteral("od_kdy"));
    int length[kSlots], speed[kSlots];
    for (int n = 0; n < kSlots; ++n) {
        length[n] = data.requireField(QStringLiteral("cas") + QString::number(n + 1));
        speed[n] = data.requireField(QStringLiteral("ry") + QString::number(n + 1));
    }
    std::vector<WorkRow> rows;
    for (data.first(); !data.eof(); data.next()) {
        if (data.asString(note) != kOpenCassetteNote)
            continue;
        WorkRow r;
        r.type = data.asString(type);
        r.number = data.asString(number);
        for (int n = 0; n < kSlots; ++n)
            r.occupied += SpMinutes(data.asInteger(length[n]), data.asString(speed[n]));
        r.remaining = CassetteCapacity(r.type) - r.occupied;
        r.lent = data.asBoolean(lent);
        r.borrower = data.asString(borrower);
        r.from = data.asString(from);
        rows.push_back(std::move(r));
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const WorkRow &a, const WorkRow &b) { return a.number < b.number; });

    int field[7];
    for (int f = 0; f < 7; ++f)
        field[f] = work.requireField(kFields[f]);
    work.beginBatch();
    for (const WorkRow &r : rows) {
        work.append();
        work.setString(field[Type], r.type);
        work.setString(field[Number], r.number);
        work.setInteger(field[Occupied], r.occupied);
        work.setInteger(field[Remaining], r.remaining);
        work.setBoolean(field[Lent], r.lent);
        work.setString(field[Borrower], r.borrower);
        work.setString(field[From], r.from);
        work.post();
    }
    work.endBatch();
    // The order is chosen once the rows are in; keeping it up to date row
    // by row would cost more than sorting them once.
    work.setIndex(QStringLiteral("cislo"));

    pocet->setText(QString::number(data.recordCount()) + QStringLiteral(" / ") +
                   QString::number(int(rows.size())));
}

void TVyhledej_Pozici::V_MinChange()
{
    const bool request = !V_Min->text().isEmpty();
    V_Hod->setText(request ? positionHours(V_Min->text().toInt()) : kNoRequest);
    Hledej->setEnabled(request);
    for (QRadioButton *b : {m_sp, m_lp, m_ep})
        b->setEnabled(request);
    Stav->setValue(0);
    m_candidates = 0;
    Celkem_moznosti->setText(QStringLiteral("0"));
    Seznam->hide();
    writeWaitingText();
    setSortEnabled(false);
}

void TVyhledej_Pozici::writeWaitingText()
{
    RichEdit1->clearReport();
    switch (report::modeFor(m_session.settings().storedSystemCode)) {
    case report::Mode::Line:
        RichEdit1->setAttributes(report::kBlack, 10, false);
        RichEdit1->appendLine();
        RichEdit1->appendLine(QStringLiteral(" Čekám na uživatelské nastavení ..."));
        break;
    case report::Mode::Document: {
        rtf::Document d;
        d.header(kWaitingColours,
                 QStringLiteral("\\viewkind4\\uc1\\pard\\cf1\\lang1029\\f0\\fs20\\par"));
        d.add(QStringLiteral(" Čekám na Vaše požadavky ..."));
        d.close();
        RichEdit1->setRtf(d.bytes());
        break;
    }
    case report::Mode::None:
        break;
    }
}

void TVyhledej_Pozici::writeEmptyText()
{
    RichEdit1->clearReport();
    switch (report::modeFor(m_session.settings().storedSystemCode)) {
    case report::Mode::Line:
        // As the document shows it: red, 10 points, regular.
        RichEdit1->setAttributes(report::kRed, 10, false);
        RichEdit1->appendLine();
        for (const QString &t : kEmptyTexts)
            RichEdit1->appendLine(t);
        break;
    case report::Mode::Document: {
        rtf::Document d;
        d.header(rtf::kColourTableA,
                 QStringLiteral("\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs24"));
        d.add(QStringLiteral("\\cf3\\b0\\fs20\\par"));
        for (const QString &t : kEmptyTexts)
            d.add(t + QStringLiteral("\\par"));
        d.close();
        RichEdit1->setRtf(d.bytes());
        break;
    }
    case report::Mode::None:
        break;
    }
}

void TVyhledej_Pozici::setSortEnabled(bool on)
{
    Tr01->setEnabled(on);
    Tr02->setEnabled(on);
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

void TVyhledej_Pozici::recreateCandidates()
{
    recreate(candidates(), candidatePath());
}

void TVyhledej_Pozici::HledejClick()
{
    if (V_Min->text().isEmpty())
        return;
    const report::Mode mode = report::modeFor(m_session.settings().storedSystemCode);
    m_candidates = 0;
    try {
        recreateCandidates();
        Table &work = m_session.tables().Temp_Table;
        Table &found = candidates();
        const bool byNumber = Tr01->isChecked();
        work.setIndex(byNumber ? QStringLiteral("cislo") : QStringLiteral("zustatek"));
        highlightHeads(byNumber);

        RichEdit1->beginBuild();
        const int rows = work.recordCount();
        Stav->setRange(0, qMax(1, rows)); // a range of 0 would be a busy bar
        Stav->setValue(0);
        // The gauge is drawn at each change; moving it in steps of a few
        // hundredths looks the same and costs less than the search itself.
        const int step = qMax(1, rows / 200);
        const int request = V_Min->text().toInt();
        const int factor = speedFactor();

        int from[7], to[7];
        for (int f = 0; f < 7; ++f) {
            from[f] = work.requireField(kFields[f]);
            to[f] = found.requireField(kFields[f]);
        }
        found.beginBatch();
        int visited = 0;
        for (work.first(); !work.eof(); work.next()) {
            const int remaining = work.asInteger(from[Remaining]);
            if (positionQualifies(remaining, request, factor)) {
                const QString number = work.asString(from[Number]);
                const QString type = work.asString(from[Type]);
                const int occupied = work.asInteger(from[Occupied]);
                found.append();
                found.setString(to[Type], type);
                found.setString(to[Number], number);
                found.setInteger(to[Occupied], occupied);
                found.setInteger(to[Remaining], remaining);
                found.setBoolean(to[Lent], work.asBoolean(from[Lent]));
                found.setString(to[Borrower], work.asString(from[Borrower]));
                found.setString(to[From], work.asString(from[From]));
                found.post();
                ++m_candidates;
                if (mode != report::Mode::None)
                    RichEdit1->appendLine(report::format(
                        kResultLine,
                        {number, type, QString::number(occupied), QString::number(remaining),
                         QLatin1Char('(') + positionHours(remaining) + QLatin1Char(')')}));
            }
            if (++visited % step == 0 || visited == rows)
                Stav->setValue(visited);
        }
        found.endBatch();
        RichEdit1->endBuild();
    } catch (const std::exception &e) {
        RichEdit1->endBuild();
        dialogs::showError(e);
    }

    Celkem_moznosti->setText(QString::number(m_candidates));
    if (m_candidates == 0) {
        Seznam->hide();
        writeEmptyText();
        setSortEnabled(false);
    } else {
        Seznam->show();
        setSortEnabled(true);
    }
}

void TVyhledej_Pozici::SeznamClick()
{
    TSeznam2 list(*this, this);
    dialogs::exec(list);
}

bool TVyhledej_Pozici::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == V_Min && event->type() == QEvent::KeyPress) {
        // Digits and control keys only; every other character is dropped.
        const QString text = static_cast<QKeyEvent *>(event)->text();
        if (!text.isEmpty()) {
            const char16_t code = text.at(0).unicode();
            if ((code >= 32 && code <= 47) || code > 57)
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TVyhledej_Pozici::closeTables()
{
    if (!m_open)
        return;
    m_open = false;
    Table &data = m_session.tables().Table1;
    data.setFiltered(false);
    data.close();
    data.setIndex(m_dataIndex);
    TableHandles &h = m_session.tables();
    release(h.Temp_Table);
    release(h.Temp_Table2);
    Table::deleteFiles(workPath());
    Table::deleteFiles(candidatePath());
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

// The list of found positions.

TSeznam2::TSeznam2(TVyhledej_Pozici &search, QWidget *parent)
    : ReportScreen(search.session(), parent ? parent : &search), m_search(search)
{
    setObjectName(QStringLiteral("Seznam2"));
    setWindowTitle(QStringLiteral("Seznam nalezených pozic pro nahrávky VK"));
    // The list has no title of its own: its caption says what it holds.
    titleLabel()->parentWidget()->hide();
    Filtr = new QCheckBox(QStringLiteral("Zobrazovat pouze kazety, které jsou doma."), this);
    Filtr->setObjectName(QStringLiteral("Filtr"));
    choiceLayout()->addWidget(Filtr);
    printButton()->setText(QStringLiteral("&Vytiskni zobrazený seznam"));
    closeButton()->setText(QStringLiteral("&Zavři okno"));
    connect(Filtr, &QCheckBox::toggled, this, &TSeznam2::FiltrClick);
}

void TSeznam2::FormShow()
{
    {
        const QSignalBlocker block(Filtr);
        Filtr->setChecked(false);
    }
    FiltrClick();
}

void TSeznam2::FiltrClick()
{
    try {
        build();
    } catch (const std::exception &e) {
        pane()->endBuild();
        dialogs::showError(e);
    }
}

void TSeznam2::build()
{
    setWindowTitle(QStringLiteral("Seznam vyhledaných pozic:  celkem: ") +
                   QString::number(m_search.candidateCount()));
    Table &t = m_search.candidates();
    if (Filtr->isChecked()) {
        t.setFilter(QStringLiteral("pujceno=False"));
        t.setFiltered(true);
    } else {
        t.setFiltered(false);
    }

    ReportPane *p = pane();
    const report::Mode m = mode();
    p->beginBuild();
    if (m == report::Mode::None) {
        p->endBuild();
        return;
    }
    const QString hours = m_search.hoursText();
    const QString dash = report::rule(m, 1, kListRule);
    rtf::Document d;
    if (m == report::Mode::Line) {
        p->setAttributes(report::kBlack, 16, false);
        p->appendLine();
        p->setBold(true);
        p->appendLine(kListTitle + hours);
        p->setSize(10);
        p->appendLine(dash);
        p->appendLine();
        p->setColour(report::kBlue);
        p->appendLine(kListHead);
        p->appendLine();
    } else {
        d.add(QStringLiteral(
            "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl{\\f0\\fmodern Courier "
            "New;}{\\f1\\fnil\\fcharset238{\\*\\fname Times New Roman;}Times New Roman CE;}}"));
        d.add(QStringLiteral(
            "{\\colortbl ;\\red0\\green0\\blue0255;\\red0255\\green0\\blue0;}\\par"));
        d.add(QStringLiteral("\\viewkind4\\uc1\\pard\\cf0\\b\\f0\\fs30 ") + kListTitle +
              rtf::escape(hours) + QStringLiteral("\\par"));
        d.add(QStringLiteral("\\fs20"));
        d.add(dash);
        d.add(QStringLiteral("\\par"));
        d.add(QStringLiteral("\\cf1 ") + kListHead + QStringLiteral("\\par"));
        d.add(QStringLiteral("\\par"));
    }

    const int number = t.requireField(QStringLiteral("cislo"));
    const int type = t.requireField(QStringLiteral("t_kazety"));
    const int remaining = t.requireField(QStringLiteral("zustatek"));
    const int lent = t.requireField(QStringLiteral("pujceno"));
    const int borrower = t.requireField(QStringLiteral("komu"));
    const int from = t.requireField(QStringLiteral("od_kdy"));
    const QString none = QStringLiteral("-");
    for (t.first(); !t.eof(); t.next()) {
        const bool away = t.asBoolean(lent);
        const QString who = t.asString(borrower).trimmed();
        const QString since = t.asString(from).trimmed();
        const QString row =
            report::format(kListRow, {t.asString(number), t.asString(type),
                                      QString::number(t.asInteger(remaining)),
                                      away ? QStringLiteral("Ano") : QStringLiteral("Ne"),
                                      who.isEmpty() ? none : who, since.isEmpty() ? none : since});
        if (m == report::Mode::Line) {
            p->setColour(away ? report::kRed : report::kBlack);
            p->appendLine(row);
        } else {
            d.add((away ? QStringLiteral("\\cf2 ") : QStringLiteral("\\cf0 ")) + rtf::escape(row) +
                  QStringLiteral("\\par"));
        }
    }

    // The footer in black whatever colour the last row had.
    if (m == report::Mode::Line) {
        p->setColour(report::kBlack);
        p->appendLine();
        p->appendLine(dash);
        p->appendLine(report::dateLine(m, kListDateRun, 1));
        p->appendLine(report::makerLine(m, 1));
    } else {
        d.add(QStringLiteral("\\cf0\\par"));
        d.add(dash);
        d.add(report::dateLine(m, kListDateRun, 1));
        d.add(report::makerLine(m, 1));
        d.close();
        p->setRtf(d.bytes());
    }
    p->endBuild();
}

void TSeznam2::done(int result)
{
    Table &t = m_search.candidates();
    if (t.filtered())
        t.setFiltered(false);
    ReportScreen::done(result);
}

} // namespace velmora
