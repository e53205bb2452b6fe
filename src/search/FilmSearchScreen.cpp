#include "search/FilmSearchScreen.h"

#include "engine/Table.h"
#include "finding/FilmSearchReports.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/ReportPane.h"
#include "search/FilmDetails.h"
#include "session/Session.h"
#include "storage/Paths.h"
#include "storage/Records.h"
#include "writer/ReportWriter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kAny = QStringLiteral("*");

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

QLabel *boldValue(QWidget *parent, const char *name, QLabel *caption)
{
    QLabel *v = ui::valueLabel(parent, QLatin1String(name), caption);
    ui::setBold(v);
    return v;
}

} // namespace

THledej_film::THledej_film(Session &session, QWidget *parent) : SearchScreen(session, parent)
{
    setObjectName(QStringLiteral("Hledej_film"));
    setWindowTitle(QStringLiteral("Vyhledávání filmů podle nastavených parametrů ..."));
    resize(780, 560);

    auto *layout = new QVBoxLayout(this);

    // Header: the size of the catalogue.
    auto *header = new QHBoxLayout;
    QLabel *l1 =
        ui::caption(this, QStringLiteral("Label1"), QStringLiteral("Počet videokazet v databázi:"));
    m_cassetteCount = boldValue(this, "pocet", l1);
    QLabel *l2 =
        ui::caption(this, QStringLiteral("Label2"), QStringLiteral("Počet filmů v databázi:"));
    m_filmCount = boldValue(this, "Pocet2", l2);
    header->addWidget(l1);
    header->addWidget(m_cassetteCount);
    header->addSpacing(24);
    header->addWidget(l2);
    header->addWidget(m_filmCount);
    header->addStretch(1);
    layout->addLayout(header);

    // The search text and the parameters side by side.
    auto *criteria = new QHBoxLayout;
    auto *textBox = new QGroupBox(this);
    textBox->setObjectName(QStringLiteral("GroupBox1"));
    auto *textLayout = new QVBoxLayout(textBox);
    m_text = new QLineEdit(textBox);
    m_text->setObjectName(QStringLiteral("Edit1"));
    m_text->setToolTip(QStringLiteral("vložte hledaný řetězec ..."));
    m_text->setAccessibleName(QStringLiteral("Film, který se má hledat"));
    QLabel *l3 = ui::caption(textBox, QStringLiteral("Label3"),
                             QStringLiteral("Film, který se má hledat:"), m_text);
    QLabel *note = ui::caption(
        textBox, QStringLiteral("Label4"),
        QStringLiteral("Pozn.: Při vložení *  se hledají všechny filmy (+parametry, žánr)"));
    note->setWordWrap(true);
    m_matchCase =
        new QCheckBox(QStringLiteral("Chci rozlišovat velká / malá písmena ..."), textBox);
    m_matchCase->setObjectName(QStringLiteral("Pismena"));
    textLayout->addWidget(l3);
    textLayout->addWidget(m_text);
    textLayout->addWidget(note);
    textLayout->addWidget(m_matchCase);
    textLayout->addStretch(1);
    criteria->addWidget(textBox, 3);

    auto *params = new QGroupBox(QStringLiteral("Parametry:"), this);
    params->setObjectName(QStringLiteral("GroupBox2"));
    auto *paramLayout = new QGridLayout(params);
    m_speeds = new QButtonGroup(this);
    const QString speedTexts[4] = {
        QStringLiteral("Film je nahrán v SP"), QStringLiteral("Film je nahrán v LP"),
        QStringLiteral("Film je nahrán v EP"), QStringLiteral("Nevím, jak je nahrán")};
    for (int i = 0; i < 4; ++i) {
        auto *b = new QRadioButton(speedTexts[i], params);
        b->setObjectName(QStringLiteral("RadioButton") + QString::number(i + 1));
        m_speeds->addButton(b, i + 1);
        paramLayout->addWidget(b, i, 0);
    }
    m_speeds->button(4)->setChecked(true);
    m_restrictGenre = new QCheckBox(QStringLiteral("Omezit žánrem ?"), params);
    m_restrictGenre->setObjectName(QStringLiteral("CheckBox1"));
    m_genres = new QComboBox(params);
    m_genres->setObjectName(QStringLiteral("ComboBox1"));
    m_genres->setAccessibleName(QStringLiteral("Žánr"));
    m_genres->setMinimumContentsLength(15);
    paramLayout->addWidget(m_restrictGenre, 0, 1);
    paramLayout->addWidget(m_genres, 1, 1);
    criteria->addWidget(params, 2);
    layout->addLayout(criteria);

    // The search button and what it found.
    auto *run = new QHBoxLayout;
    m_search = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("Vyhledat !"));
    m_search->setDefault(true);
    QLabel *l5 = ui::caption(this, QStringLiteral("Label5"), QStringLiteral("Nalezeno filmů: "));
    m_foundCount = boldValue(this, "Filmu_je", l5);
    run->addWidget(m_search);
    run->addSpacing(24);
    run->addWidget(l5);
    run->addWidget(m_foundCount);
    run->addStretch(1);
    layout->addLayout(run);

    addResults(*layout, QStringLiteral("Label6"));

    connect(m_text, &QLineEdit::textChanged, this, [this] { reset(); });
    connect(m_speeds, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            reset();
    });
    connect(m_genres, &QComboBox::currentIndexChanged, this, [this] { reset(); });
    connect(m_matchCase, &QCheckBox::toggled, this, [this] { reset(); });
    connect(m_restrictGenre, &QCheckBox::toggled, this, &THledej_film::genreRestrictionClicked);
}

THledej_film::~THledej_film() = default;

void THledej_film::FormShow()
{
    const QStringList genres = readUserList(m_session.tables().Users_01);
    {
        const QSignalBlocker quiet(m_genres);
        m_genres->clear();
        m_genres->addItem(QString());
        m_genres->addItems(genres);
    }

    Table &data = m_session.tables().Table1;
    data.setFiltered(false);
    m_rows = buildFilmRows(data);
    m_criteria = FilmCriteria();

    m_cassetteCount->setText(QString::number(data.recordCount()));
    m_filmCount->setText(QString::number(m_rows.size()));
    m_genres->setCurrentIndex(0);
    m_genres->setEnabled(false);
    m_restrictGenre->setChecked(false);
    m_progress->setValue(0);
    m_search->setEnabled(false);
    m_details->hide();
    m_text->clear();
    m_matchCase->setChecked(false);
    // Clearing an empty text changes nothing, yet the state must be that of
    // an empty search text.
    reset();
    m_text->setFocus();
}

void THledej_film::reset(bool keepEnabled)
{
    m_search->setEnabled(true);
    clearSearchResults(*m_pane, *m_progress, *m_details);
    m_foundCount->setText(QStringLiteral("0"));
    m_found = FilmSearchResult();
    const bool any = !m_text->text().isEmpty();
    if (!any)
        m_search->setEnabled(false);
    if (keepEnabled)
        return;
    m_restrictGenre->setEnabled(any);
    for (QAbstractButton *b : m_speeds->buttons())
        b->setEnabled(any);
    m_matchCase->setEnabled(any);
}

void THledej_film::genreRestrictionClicked()
{
    m_genres->setEnabled(m_restrictGenre->isChecked());
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

void THledej_film::search()
{
    m_caseSensitive = m_matchCase->isChecked();
    FilmCriteria c;
    c.text = m_text->text();
    if (!m_caseSensitive)
        c.text = upperCp1250(c.text);
    c.genre = m_restrictGenre->isChecked() ? m_genres->currentText() : kAny;
    c.speed = speed();
    c.number = kAny;
    m_criteria = c;
    m_found = runFilmSearch(m_rows, c, m_caseSensitive);
    m_foundCount->setText(QString::number(foundCount()));
    showResults();
}

void THledej_film::showResults()
{
    showSearchResults(*m_pane, mode(), *m_progress, *m_details, kFilmNotFound, foundCount(),
                      filmLine(m_rows, m_found.rows));
}

void THledej_film::showDetails()
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

} // namespace velmora
