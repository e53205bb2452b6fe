#include "search/SongSearchScreen.h"

#include "engine/Table.h"
#include "finding/SongSearchReports.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/ReportPane.h"
#include "search/SearchResults.h"
#include "search/SongDetails.h"
#include "session/Session.h"
#include "storage/Paths.h"
#include "storage/Records.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kAny = QStringLiteral("*");

QLabel *boldValue(QWidget *parent, const char *name, QLabel *caption)
{
    QLabel *v = ui::valueLabel(parent, QLatin1String(name), caption, QStringLiteral("0"));
    ui::setBold(v);
    return v;
}

} // namespace

THledej_Skladbu::THledej_Skladbu(Session &session, QWidget *parent) : SearchScreen(session, parent)
{
    setObjectName(QStringLiteral("Hledej_Skladbu"));
    setWindowTitle(QStringLiteral("Vyhledávání skladby podle nastavených parametrů ..."));
    resize(780, 560);

    auto *layout = new QVBoxLayout(this);

    auto *header = new QHBoxLayout;
    QLabel *l1 =
        ui::caption(this, QStringLiteral("Label1"), QStringLiteral("Počet skladeb v databázi:"));
    m_trackCount = boldValue(this, "pocet", l1);
    header->addWidget(l1);
    header->addWidget(m_trackCount);
    header->addStretch(1);
    layout->addLayout(header);

    // The search text and the style side by side.
    auto *criteria = new QHBoxLayout;
    auto *textBox = new QGroupBox(this);
    textBox->setObjectName(QStringLiteral("GroupBox1"));
    auto *textLayout = new QVBoxLayout(textBox);
    m_text = new QLineEdit(textBox);
    m_text->setObjectName(QStringLiteral("Edit1"));
    m_text->setToolTip(QStringLiteral("vložte hledaný řetězec ..."));
    m_text->setAccessibleName(QStringLiteral("Název, který se má hledat"));
    QLabel *l2 = ui::caption(textBox, QStringLiteral("Label2"),
                             QStringLiteral("Název, který se má hledat:"), m_text);
    QLabel *note =
        ui::caption(textBox, QStringLiteral("Label3"),
                    QStringLiteral("Pozn.: Při vložení *  se hledají všechny skladby (+ žánry)"));
    note->setWordWrap(true);
    m_matchCase =
        new QCheckBox(QStringLiteral("Chci rozlišovat velká / malá písmena ..."), textBox);
    m_matchCase->setObjectName(QStringLiteral("Pismena"));
    textLayout->addWidget(l2);
    textLayout->addWidget(m_text);
    textLayout->addWidget(note);
    textLayout->addWidget(m_matchCase);
    textLayout->addStretch(1);
    criteria->addWidget(textBox, 3);

    auto *styleBox = new QGroupBox(this);
    styleBox->setObjectName(QStringLiteral("GroupBox2"));
    auto *styleLayout = new QVBoxLayout(styleBox);
    m_restrictStyle = new QCheckBox(QStringLiteral("Omezit žánrem ?"), styleBox);
    m_restrictStyle->setObjectName(QStringLiteral("CheckBox1"));
    m_styles = new QComboBox(styleBox);
    m_styles->setObjectName(QStringLiteral("ComboBox1"));
    m_styles->setAccessibleName(QStringLiteral("Styl"));
    m_styles->setMinimumContentsLength(15);
    styleLayout->addWidget(m_restrictStyle);
    styleLayout->addWidget(m_styles);
    styleLayout->addStretch(1);
    criteria->addWidget(styleBox, 2);
    layout->addLayout(criteria);

    // The search button and what it found.
    auto *run = new QHBoxLayout;
    m_search = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("Vyhledat !"));
    m_search->setDefault(true);
    QLabel *l4 = ui::caption(this, QStringLiteral("Label4"), QStringLiteral("Nalezeno skladeb: "));
    m_foundCount = boldValue(this, "Filmu_je", l4);
    QLabel *l5 = ui::caption(this, QStringLiteral("Label5"), QStringLiteral("Na kolika titulech:"));
    m_titleCount = boldValue(this, "Na_kolika_CD", l5);
    QLabel *l6 = ui::caption(this, QStringLiteral("Label6"), QStringLiteral("z toho mimo domov:"));
    m_awayCount = boldValue(this, "CD_Mimo", l6);
    run->addWidget(m_search);
    run->addSpacing(24);
    for (QLabel *w : {l4, m_foundCount, l5, m_titleCount, l6, m_awayCount}) {
        run->addWidget(w);
        if (w == m_foundCount || w == m_titleCount)
            run->addSpacing(16);
    }
    run->addStretch(1);
    layout->addLayout(run);

    addResults(*layout, QStringLiteral("Label7"));

    // Made once with the screen, shown as often as asked.
    m_detailsWindow = std::make_unique<TSeznam3>(*this, this);

    connect(m_text, &QLineEdit::textChanged, this, &THledej_Skladbu::reset);
    connect(m_styles, &QComboBox::currentIndexChanged, this, &THledej_Skladbu::reset);
    connect(m_matchCase, &QCheckBox::toggled, this, &THledej_Skladbu::reset);
    connect(m_restrictStyle, &QCheckBox::toggled, this, &THledej_Skladbu::styleRestrictionClicked);
}

THledej_Skladbu::~THledej_Skladbu() = default;

void THledej_Skladbu::FormShow()
{
    Table &tracks = m_session.tables().CD_Table2;
    tracks.setFiltered(false);
    tracks.setFilter(QString());
    tracks.setIndex(QStringLiteral("cislocd"));
    if (!tracks.isOpen())
        tracks.open(Table::Mode::ReadOnly);
    m_trackCount->setText(QString::number(tracks.recordCount()));

    const QStringList styles = readUserList(m_session.tables().Users_04);
    {
        const QSignalBlocker quiet(m_styles);
        m_styles->clear();
        m_styles->addItem(QString());
        m_styles->addItems(styles);
    }

    m_rows = buildSongTable(tracks, m_session.tables().CD_Table1);
    m_criteria = SongCriteria();
    m_found = SongSearchResult();
    m_trackCount->setText(QString::number(m_rows.size()));

    {
        const QSignalBlocker quiet(m_styles);
        m_styles->setCurrentIndex(0);
    }
    m_styles->setEnabled(false);
    {
        const QSignalBlocker quiet(m_restrictStyle);
        m_restrictStyle->setChecked(false);
    }
    m_text->clear();
    m_matchCase->setChecked(false);
    // Clearing an empty text changes nothing, yet the state must be that of
    // an empty search text.
    reset();
    m_text->setFocus();
}

void THledej_Skladbu::reset()
{
    const bool any = !m_text->text().isEmpty();
    m_restrictStyle->setEnabled(any);
    m_styles->setEnabled(any);
    m_matchCase->setEnabled(any);
    styleRestrictionClicked();
}

void THledej_Skladbu::styleRestrictionClicked()
{
    m_styles->setEnabled(m_restrictStyle->isChecked());
    clearSearchResults(*m_pane, *m_progress, *m_details);
    for (QLabel *counter : {m_foundCount, m_titleCount, m_awayCount})
        counter->setText(QStringLiteral("0"));
    m_found = SongSearchResult();
    m_search->setEnabled(!m_text->text().isEmpty());
}

void THledej_Skladbu::search()
{
    m_caseSensitive = m_matchCase->isChecked();
    SongCriteria c;
    c.text = m_text->text();
    if (!m_caseSensitive)
        c.text = upperCp1250(c.text);
    c.style = m_restrictStyle->isChecked() ? m_styles->currentText() : kAny;
    c.number = kAny;
    m_criteria = c;
    m_found = runSongSearch(m_rows, c, m_caseSensitive);
    m_foundCount->setText(QString::number(foundCount()));
    m_titleCount->setText(QString::number(m_found.titles.items));
    m_awayCount->setText(QString::number(m_found.lentTitles));
    showSearchResults(*m_pane, mode(), *m_progress, *m_details, kSongNotFound, foundCount(),
                      songLine(m_rows, m_found.rows));
}

void THledej_Skladbu::showDetails()
{
    dialogs::exec(*m_detailsWindow);
}

void THledej_Skladbu::FormClose()
{
    Table &tracks = m_session.tables().CD_Table2;
    tracks.setFiltered(false);
    tracks.close();
    // Only in the program's own temporary directory: a file of this name in
    // the shared one may belong to someone else.
    const QString stale = QDir(Paths::tempDir()).filePath(QStringLiteral("CD.tmp"));
    if (QFile::exists(stale))
        QFile::remove(stale);
}

} // namespace velmora
