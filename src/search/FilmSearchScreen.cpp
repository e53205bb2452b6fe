#include "search/FilmSearchScreen.h"

#include "core/Session.h"
#include "engine/Table.h"
#include "platform/Dialogs.h"
#include "printing/ReportPane.h"
#include "printing/ReportPrint.h"
#include "printing/Rtf.h"
#include "storage/Paths.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QShowEvent>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kAny = QStringLiteral("*");
const QString kFilmLine = QStringLiteral(" Film: %-40s  %-2s");
const QString kDetailLine = QStringLiteral(" %-30s  %-15s  %-2s");
const QString kNodePrefix = QStringLiteral("VK: ");
const QString kRule = QStringLiteral(" ---------------------------------------------------");
const QString kCutNote = QStringLiteral("(seznam zkrácen na prvních %1 kazet)");

// Both panes of the search use black and red only.
const QByteArray kColours =
    QByteArrayLiteral("{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}");

// The gauge moves every 1024 lines: a step of a progress bar may repaint
// it at once, which would cost more than the line itself.
constexpr int kGaugeStep = 1024;

QLabel *caption(const QString &text, QWidget *parent, const char *name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QLabel *value(QWidget *parent, const char *name, const QString &accessible)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setAccessibleName(accessible);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QPushButton *button(const QString &text, QWidget *parent, const char *name)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

// Only in the program's own temporary directory: files of these names in
// the shared one may belong to someone else.
void deleteStaleWorkFiles()
{
    const QDir temp(Paths::tempDir());
    for (const QString &name : {QStringLiteral("Video.tmp"), QStringLiteral("Video.tmx")}) {
        const QString path = temp.filePath(name);
        if (QFile::exists(path))
            QFile::remove(path);
    }
}

QPixmap disc(const QColor &fill, bool square)
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(fill.darker(160), 1));
    painter.setBrush(fill);
    if (square)
        painter.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
    else
        painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return p;
}

} // namespace

// --- THledej_film ------------------------------------------------------------

THledej_film::THledej_film(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Hledej_film"));
    setWindowTitle(QStringLiteral("Vyhledávání filmů podle nastavených parametrů ..."));
    resize(780, 560);

    auto *layout = new QVBoxLayout(this);

    // Header: the size of the catalogue.
    auto *header = new QHBoxLayout;
    QLabel *l1 = caption(QStringLiteral("Počet videokazet v databázi:"), this, "Label1");
    pocet = value(this, "pocet", QStringLiteral("Počet videokazet v databázi"));
    l1->setBuddy(pocet);
    QLabel *l2 = caption(QStringLiteral("Počet filmů v databázi:"), this, "Label2");
    Pocet2 = value(this, "Pocet2", QStringLiteral("Počet filmů v databázi"));
    l2->setBuddy(Pocet2);
    header->addWidget(l1);
    header->addWidget(pocet);
    header->addSpacing(24);
    header->addWidget(l2);
    header->addWidget(Pocet2);
    header->addStretch(1);
    layout->addLayout(header);

    // The search text and the parameters side by side.
    auto *criteria = new QHBoxLayout;
    auto *textBox = new QGroupBox(this);
    textBox->setObjectName(QStringLiteral("GroupBox1"));
    auto *textLayout = new QVBoxLayout(textBox);
    QLabel *l3 = caption(QStringLiteral("Film, který se má hledat:"), textBox, "Label3");
    Edit1 = new QLineEdit(textBox);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setToolTip(QStringLiteral("vložte hledaný řetězec ..."));
    Edit1->setAccessibleName(QStringLiteral("Film, který se má hledat"));
    l3->setBuddy(Edit1);
    QLabel *note =
        caption(QStringLiteral("Pozn.: Při vložení *  se hledají všechny filmy (+parametry, žánr)"),
                textBox, "Label4");
    note->setWordWrap(true);
    Pismena = new QCheckBox(QStringLiteral("Chci rozlišovat velká / malá písmena ..."), textBox);
    Pismena->setObjectName(QStringLiteral("Pismena"));
    textLayout->addWidget(l3);
    textLayout->addWidget(Edit1);
    textLayout->addWidget(note);
    textLayout->addWidget(Pismena);
    textLayout->addStretch(1);
    criteria->addWidget(textBox, 3);

    auto *params = new QGroupBox(QStringLiteral("Parametry:"), this);
    params->setObjectName(QStringLiteral("GroupBox2"));
    auto *paramLayout = new QGridLayout(params);
    RadioButton1 = new QRadioButton(QStringLiteral("Film je nahrán v SP"), params);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QStringLiteral("Film je nahrán v LP"), params);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton3 = new QRadioButton(QStringLiteral("Film je nahrán v EP"), params);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    RadioButton4 = new QRadioButton(QStringLiteral("Nevím, jak je nahrán"), params);
    RadioButton4->setObjectName(QStringLiteral("RadioButton4"));
    RadioButton4->setChecked(true);
    m_speeds = new QButtonGroup(this);
    m_speeds->addButton(RadioButton1, 1);
    m_speeds->addButton(RadioButton2, 2);
    m_speeds->addButton(RadioButton3, 3);
    m_speeds->addButton(RadioButton4, 4);
    CheckBox1 = new QCheckBox(QStringLiteral("Omezit žánrem ?"), params);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    ComboBox1 = new QComboBox(params);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setAccessibleName(QStringLiteral("Žánr"));
    ComboBox1->setMinimumContentsLength(15);
    paramLayout->addWidget(RadioButton1, 0, 0);
    paramLayout->addWidget(RadioButton2, 1, 0);
    paramLayout->addWidget(RadioButton3, 2, 0);
    paramLayout->addWidget(RadioButton4, 3, 0);
    paramLayout->addWidget(CheckBox1, 0, 1);
    paramLayout->addWidget(ComboBox1, 1, 1);
    criteria->addWidget(params, 2);
    layout->addLayout(criteria);

    // The search button and what it found.
    auto *run = new QHBoxLayout;
    BitBtn2 = button(QStringLiteral("Vyhledat !"), this, "BitBtn2");
    BitBtn2->setDefault(true);
    QLabel *l5 = caption(QStringLiteral("Nalezeno filmů: "), this, "Label5");
    Filmu_je = value(this, "Filmu_je", QStringLiteral("Nalezeno filmů"));
    l5->setBuddy(Filmu_je);
    run->addWidget(BitBtn2);
    run->addSpacing(24);
    run->addWidget(l5);
    run->addWidget(Filmu_je);
    run->addStretch(1);
    layout->addLayout(run);

    RichEdit1 = new ReportPane(this);
    RichEdit1->setToolTip(QStringLiteral("Výsledky hledání ..."));
    RichEdit1->setAccessibleName(QStringLiteral("Výsledky hledání"));
    layout->addWidget(RichEdit1, 1);

    auto *bottom = new QHBoxLayout;
    QLabel *l6 = caption(QStringLiteral("Stav prohledávání:"), this, "Label6");
    Stav = new QProgressBar(this);
    Stav->setObjectName(QStringLiteral("Stav"));
    Stav->setAccessibleName(QStringLiteral("Stav prohledávání"));
    Stav->setRange(0, 100);
    Stav->setValue(0);
    l6->setBuddy(Stav);
    BitBtn3 = button(QStringLiteral("Zobrazit detaily"), this, "BitBtn3");
    BitBtn1 = button(QStringLiteral("&Zavřít okno"), this, "BitBtn1");
    bottom->addWidget(l6);
    bottom->addWidget(Stav, 1);
    bottom->addSpacing(12);
    bottom->addWidget(BitBtn3);
    bottom->addWidget(BitBtn1);
    layout->addLayout(bottom);

    connect(Edit1, &QLineEdit::textChanged, this, [this] { reset(); });
    connect(m_speeds, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            reset();
    });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { reset(); });
    connect(Pismena, &QCheckBox::toggled, this, [this] { reset(); });
    connect(CheckBox1, &QCheckBox::toggled, this, &THledej_film::CheckBox1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &THledej_film::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &THledej_film::BitBtn3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

THledej_film::~THledej_film() = default;

report::Mode THledej_film::mode() const
{
    return report::modeFor(m_session.settings().storedSystemCode);
}

void THledej_film::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    try {
        FormShow();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    Edit1->setFocus();
}

void THledej_film::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Edit1->setFocus();
}

void THledej_film::FormShow()
{
    QStringList genres;
    Table &list = m_session.tables().Users_01;
    list.open();
    for (list.first(); !list.eof(); list.next())
        genres << list.asString(QStringLiteral("Zanr"));
    list.close();
    {
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->clear();
        ComboBox1->addItem(QString());
        ComboBox1->addItems(genres);
    }

    Table &data = m_session.tables().Table1;
    data.setFiltered(false);
    m_rows = buildFilmRows(data);
    m_criteria.clear();

    pocet->setText(QString::number(data.recordCount()));
    Pocet2->setText(QString::number(m_rows.size()));
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setEnabled(false);
    CheckBox1->setChecked(false);
    Stav->setValue(0);
    BitBtn2->setEnabled(false);
    BitBtn3->hide();
    Edit1->clear();
    Pismena->setChecked(false);
    // Clearing an empty text changes nothing, yet the state must be that of
    // an empty search text.
    reset();
}

void THledej_film::reset(bool keepEnabled)
{
    BitBtn2->setEnabled(true);
    BitBtn3->hide();
    RichEdit1->clearReport();
    Stav->setRange(0, 100);
    Stav->setValue(0);
    Filmu_je->setText(QStringLiteral("0"));
    m_found = FilmSearchResult();
    const bool any = !Edit1->text().isEmpty();
    if (!any)
        BitBtn2->setEnabled(false);
    if (keepEnabled)
        return;
    CheckBox1->setEnabled(any);
    for (QAbstractButton *b : m_speeds->buttons())
        b->setEnabled(any);
    Pismena->setEnabled(any);
}

void THledej_film::CheckBox1Click()
{
    ComboBox1->setEnabled(CheckBox1->isChecked());
    reset(true);
}

QString THledej_film::speed() const
{
    switch (m_speeds->checkedId()) {
    case 1:
        return QStringLiteral("SP");
    case 2:
        return QStringLiteral("LP");
    case 3:
        return QStringLiteral("EP");
    default:
        return kAny;
    }
}

void THledej_film::BitBtn2Click()
{
    m_caseSensitive = Pismena->isChecked();
    FilmCriteria c;
    c.text = Edit1->text();
    if (!m_caseSensitive)
        c.text = upperAscii(c.text);
    c.genre = CheckBox1->isChecked() ? ComboBox1->currentText() : kAny;
    c.speed = speed();
    c.number = kAny;
    m_criteria = c.toString();
    m_found = runFilmSearch(m_rows, c, m_caseSensitive);
    Filmu_je->setText(QString::number(foundCount()));
    fillPane();
}

void THledej_film::step(int position)
{
    if (position % kGaugeStep == 0)
        Stav->setValue(position);
}

void THledej_film::fillPane()
{
    const report::Mode m = mode();
    const int count = foundCount();
    if (count > 0) {
        Stav->setRange(0, count);
        Stav->setValue(0);
    }
    RichEdit1->beginBuild();
    if (m == report::Mode::Line) {
        RichEdit1->setColour(report::kRed);
        RichEdit1->setBold(true);
        RichEdit1->appendLine();
        RichEdit1->appendLine(QStringLiteral(" Report hledání:"));
        RichEdit1->setColour(report::kBlack);
        RichEdit1->setBold(false);
        RichEdit1->appendLine();
        if (count == 0)
            RichEdit1->appendLine(QStringLiteral(" Nenalezen požadovaný film !!!"));
        for (int i = 0; i < count; ++i) {
            const FilmRow &r = m_rows[size_t(m_found.rows[size_t(i)])];
            RichEdit1->appendLine(report::format(kFilmLine, {r.film, r.rychl}));
            step(i + 1);
        }
    } else if (m == report::Mode::Document) {
        rtf::Document doc;
        doc.reserve(qsizetype(count) * 60 + 400);
        doc.header(kColours,
                   QStringLiteral("\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs20\\par"));
        doc.add(QStringLiteral(" Report hledání: \\par"));
        doc.add(QStringLiteral("\\b0\\cf1\\fs20\\par"));
        if (count == 0)
            doc.add(QStringLiteral(" Nenalezen požadovaný film !!! \\par"));
        for (int i = 0; i < count; ++i) {
            const FilmRow &r = m_rows[size_t(m_found.rows[size_t(i)])];
            doc.add(rtf::escape(report::format(kFilmLine, {r.film, r.rychl})) +
                    QStringLiteral("\\par"));
            step(i + 1);
        }
        doc.close();
        RichEdit1->setRtf(doc.bytes());
    }
    RichEdit1->endBuild();
    if (count > 0) {
        Stav->setValue(count);
        BitBtn3->show();
    } else {
        Stav->setRange(0, 100);
        Stav->setValue(100);
        BitBtn3->hide();
    }
}

void THledej_film::BitBtn3Click()
{
    TSeznam details(*this, this);
    dialogs::exec(details);
}

void THledej_film::done(int result)
{
    Table &t = m_session.tables().Table1;
    if (t.filtered())
        t.setFiltered(false);
    deleteStaleWorkFiles();
    QDialog::done(result);
}

// --- TSeznam -------------------------------------------------------------------

QIcon TSeznam::image(int index)
{
    static const QIcon images[3] = {QIcon(disc(QColor(128, 0, 0), true)),
                                    QIcon(disc(QColor(0, 160, 0), false)),
                                    QIcon(disc(QColor(255, 0, 0), false))};
    return images[qBound(0, index, 2)];
}

TSeznam::TSeznam(THledej_film &search, QWidget *parent) : QDialog(parent), m_search(search)
{
    setObjectName(QStringLiteral("Seznam"));
    setWindowTitle(QStringLiteral("Seznam nalezených filmů a jejich specifikace"));
    resize(780, 540);

    auto *layout = new QVBoxLayout(this);
    auto *header = new QHBoxLayout;
    QLabel *l1 = caption(QStringLiteral("Počet nalezených filmů, dle nastavených parametrů:"), this,
                         "Label1");
    m_count = value(this, "Pocet", QStringLiteral("Počet nalezených filmů"));
    l1->setBuddy(m_count);
    m_cut = caption(QString(), this, "Zkraceno");
    m_cut->setAccessibleName(QStringLiteral("Zkrácení seznamu"));
    m_cut->hide();
    header->addWidget(l1);
    header->addWidget(m_count);
    header->addSpacing(12);
    header->addWidget(m_cut);
    header->addStretch(1);
    layout->addLayout(header);

    auto *legend = new QHBoxLayout;
    QLabel *l2 = caption(QStringLiteral("Vysvětlivky:"), this, "Label2");
    QLabel *l3 = caption(QStringLiteral("červeně vyznačené VK nejsou doma !"), this, "Label3");
    QPalette red = l3->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    l3->setPalette(red);
    legend->addWidget(l2);
    legend->addWidget(l3);
    legend->addStretch(1);
    layout->addLayout(legend);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName(QStringLiteral("Splitter1"));
    split->setChildrenCollapsible(false);
    TreeView1 = new QTreeWidget(split);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setAccessibleName(QStringLiteral("Nalezené videokazety"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setUniformRowHeights(true);
    TreeView1->setMinimumWidth(150);
    RichEdit1 = new ReportPane(split);
    RichEdit1->setAccessibleName(QStringLiteral("Seznam filmů vybrané videokazety"));
    split->addWidget(TreeView1);
    split->addWidget(RichEdit1);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({190, 570});
    layout->addWidget(split, 1);

    auto *buttons = new QHBoxLayout;
    m_print = button(QStringLiteral("&Vytiskni zobrazený seznam"), this, "BitBtn1");
    m_pdf = button(RichEdit1->savePdfAction()->text(), this, "Ulozit_PDF");
    m_close = button(QStringLiteral("&Zavři okno"), this, "BitBtn2");
    buttons->addStretch(1);
    buttons->addWidget(m_print);
    buttons->addWidget(m_pdf);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { TreeView1Change(current); });
    // The tree stays fully expanded.
    connect(TreeView1, &QTreeWidget::itemCollapsed, TreeView1, &QTreeWidget::expandItem);
    connect(m_print, &QPushButton::clicked, this, &TSeznam::printList);
    connect(m_pdf, &QPushButton::clicked, RichEdit1, &ReportPane::saveAsPdf);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TSeznam::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    try {
        FormShow();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void TSeznam::FormShow()
{
    m_print->setEnabled(m_search.session().settings().printerAvailable);
    m_close->setEnabled(true);
    m_count->setText(QString::number(m_search.foundCount()));
    const bool cut = m_search.found().cassettesCut;
    m_cut->setText(cut ? kCutNote.arg(kFoundListLimit) : QString());
    m_cut->setVisible(cut);
    buildTree();
}

void TSeznam::buildTree()
{
    m_ready = false;
    TreeView1->clear();
    const QStringList &numbers = m_search.found().cassettes;

    // Each number located in data.dbf by cislo: the first record in the
    // table's order holding it gives the lent state. One pass serves the
    // whole list, where a locate per node would walk the table a thousand
    // times.
    QHash<QString, bool> lent;
    lent.reserve(numbers.size());
    {
        QSet<QString> wanted(numbers.cbegin(), numbers.cend());
        Table &data = m_search.session().tables().Table1;
        const int cislo = data.requireField(QStringLiteral("cislo"));
        const int pujceno = data.requireField(QStringLiteral("pujceno"));
        for (const int rec : data.visibleRecords()) {
            if (wanted.isEmpty())
                break;
            const QString n = data.asStringAt(rec, cislo);
            if (wanted.remove(n))
                lent.insert(n, data.asStringAt(rec, pujceno) == QLatin1String("True"));
        }
    }

    TreeView1->setUpdatesEnabled(false);
    m_root = new QTreeWidgetItem(TreeView1, {QStringLiteral("Nalezené VK:")});
    QFont bold = TreeView1->font();
    bold.setBold(true);
    m_root->setFont(0, bold);
    m_root->setForeground(0, QColor(128, 0, 0));
    m_root->setIcon(0, image(0));
    m_root->setData(0, kImageRole, 0);
    QList<QTreeWidgetItem *> nodes;
    nodes.reserve(numbers.size());
    for (const QString &n : numbers) {
        auto *node = new QTreeWidgetItem({kNodePrefix + n});
        const int img = lent.value(n, false) ? 2 : 1;
        node->setIcon(0, image(img));
        node->setData(0, kImageRole, img);
        nodes << node;
    }
    m_root->addChildren(nodes);
    TreeView1->expandAll();
    TreeView1->setUpdatesEnabled(true);

    m_ready = true;
    TreeView1->setCurrentItem(m_root);
}

void TSeznam::TreeView1Change(QTreeWidgetItem *item)
{
    if (!m_ready || !item)
        return;
    if (item == m_root)
        showRoot();
    else
        showCassette(item->text(0));
}

void TSeznam::showRoot()
{
    RichEdit1->beginBuild();
    if (m_search.mode() != report::Mode::None) {
        RichEdit1->setColour(report::kRed);
        RichEdit1->setBold(true);
        RichEdit1->appendLine(
            QStringLiteral("   Nezvolili jste číslo videokazety. Zvolte číslo VK !"));
    }
    RichEdit1->endBuild();
}

void TSeznam::showCassette(const QString &nodeText)
{
    FilmCriteria c = FilmCriteria::parse(m_search.criteria());
    c.number = nodeText.mid(kNodePrefix.size(), 5);
    m_search.setCriteria(c.toString());
    // Every film of the cassette that meets the search already passed the
    // first three criteria; only the number is left to test.
    const bool caseSensitive = m_search.caseSensitive();
    if (!caseSensitive && c.text != kAny)
        c.text = upperAscii(c.text);
    std::vector<const FilmRow *> films;
    for (const int i : m_search.found().rows) {
        const FilmRow &r = m_search.rows()[size_t(i)];
        if (filmMatches(r, c, caseSensitive))
            films.push_back(&r);
    }

    const QString printed = report::printingTime();
    const report::Mode m = m_search.mode();
    RichEdit1->beginBuild();
    if (m == report::Mode::Line) {
        RichEdit1->setAttributes(report::kBlack, 12, true);
        RichEdit1->appendLine();
        RichEdit1->appendLine(QStringLiteral(" Seznam  nalezených filmů:"));
        RichEdit1->appendLine();
        RichEdit1->appendLine();
        RichEdit1->setSize(10);
        RichEdit1->setBold(false);
        for (const FilmRow *r : films)
            RichEdit1->appendLine(report::format(kDetailLine, {r->film, r->zanr, r->rychl}));
        RichEdit1->appendLine();
        RichEdit1->appendLine(kRule);
        RichEdit1->appendLine(QStringLiteral(" Datum a čas tisku  : ") + printed);
        RichEdit1->appendLine(QStringLiteral(" Norvane 2002"));
    } else if (m == report::Mode::Document) {
        rtf::Document doc;
        doc.header(kColours,
                   QStringLiteral("\\viewkind4\\uc1\\pard\\cf1\\b\\lang1029\\f0\\fs24\\par"));
        doc.add(QStringLiteral(" Seznam filmů na: ") + rtf::escape(nodeText) +
                QStringLiteral("\\par\\par"));
        doc.add(QStringLiteral("\\b0\\cf1\\fs20"));
        for (const FilmRow *r : films)
            doc.add(rtf::escape(report::format(kDetailLine, {r->film, r->zanr, r->rychl})) +
                    QStringLiteral("\\par"));
        doc.add(QStringLiteral("\\b0\\cf1\\par"));
        doc.add(kRule + QStringLiteral("\\par"));
        doc.add(QStringLiteral(" Datum a čas tisku  : ") + printed + QStringLiteral("\\par"));
        doc.add(QStringLiteral(" Norvane 2002\\par"));
        doc.close();
        RichEdit1->setRtf(doc.bytes());
    }
    RichEdit1->endBuild();
}

void TSeznam::printList()
{
    m_print->setEnabled(false);
    m_close->setEnabled(false);
    if (!report::printDocument(*RichEdit1->document(), report::currentPrinter()))
        dialogs::error(QStringLiteral("Chyba"),
                       QStringLiteral("Sestavu se nepodařilo vytisknout."));
    done(QDialog::Rejected);
}

void TSeznam::done(int result)
{
    m_ready = false;
    QDialog::done(result);
}

} // namespace velmora
