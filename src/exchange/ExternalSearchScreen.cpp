#include "exchange/ExternalSearchScreen.h"

#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/ReportPane.h"
#include "search/SearchResults.h"
#include "session/Session.h"
#include "storage/Paths.h"

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
#include <QVBoxLayout>

namespace velmora::exchange {
namespace {

const QString kAny = QStringLiteral("*");

QLabel *boldValue(QWidget *parent, const QString &name, QLabel *caption)
{
    QLabel *v = ui::valueLabel(parent, name, caption, QStringLiteral("0"));
    ui::setBold(v);
    return v;
}

} // namespace

ExternalSearchScreen::ExternalSearchScreen(Session &session, const Texts &texts, QWidget *parent)
    : SearchScreen(session, parent), m_texts(texts)
{
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);
    resize(780, 560);

    auto *layout = new QVBoxLayout(this);

    // Header: the size of all imported catalogues together.
    auto *header = new QGridLayout;
    const QString captions[3] = {texts.itemsLabel, texts.rowsLabel, texts.ownersLabel};
    const QString names[3] = {QStringLiteral("pocet"), QStringLiteral("Pocet2"),
                              QStringLiteral("Poc_majitelu")};
    QLabel **values[3] = {&m_items, &m_rows, &m_owners};
    for (int i = 0; i < 3; ++i) {
        QLabel *c = ui::caption(this, QStringLiteral("Label%1").arg(i + 1), captions[i]);
        *values[i] = boldValue(this, names[i], c);
        header->addWidget(c, i, 0);
        header->addWidget(*values[i], i, 1);
    }
    header->setColumnStretch(2, 1);
    layout->addLayout(header);

    // The search text and the parameters side by side.
    auto *criteria = new QHBoxLayout;
    auto *textBox = new QGroupBox(this);
    textBox->setObjectName(QStringLiteral("GroupBox1"));
    auto *textLayout = new QVBoxLayout(textBox);
    m_text = new QLineEdit(textBox);
    m_text->setObjectName(QStringLiteral("Edit1"));
    m_text->setToolTip(QStringLiteral("vložte hledaný řetězec ..."));
    m_text->setAccessibleName(ui::spoken(texts.textLabel));
    QLabel *textCaption = ui::caption(textBox, QStringLiteral("Label4"), texts.textLabel, m_text);
    QLabel *note = ui::caption(textBox, QStringLiteral("Label5"), texts.note);
    note->setWordWrap(true);
    m_matchCase =
        new QCheckBox(QStringLiteral("Chci rozlišovat velká / malá písmena ..."), textBox);
    m_matchCase->setObjectName(QStringLiteral("Pismena"));
    textLayout->addWidget(textCaption);
    textLayout->addWidget(m_text);
    textLayout->addWidget(note);
    textLayout->addWidget(m_matchCase);
    textLayout->addStretch(1);
    criteria->addWidget(textBox, 3);

    auto *params = new QGroupBox(texts.speeds ? QStringLiteral("Parametry:") : QString(), this);
    params->setObjectName(QStringLiteral("GroupBox2"));
    auto *paramLayout = new QGridLayout(params);
    m_speeds = new QButtonGroup(this);
    if (texts.speeds) {
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
    }
    m_restrictStyle = new QCheckBox(QStringLiteral("Omezit žánrem ?"), params);
    m_restrictStyle->setObjectName(QStringLiteral("CheckBox1"));
    m_styles = new QComboBox(params);
    m_styles->setObjectName(QStringLiteral("ComboBox1"));
    m_styles->setAccessibleName(texts.styleName);
    m_styles->setMinimumContentsLength(15);
    paramLayout->addWidget(m_restrictStyle, 0, 1);
    paramLayout->addWidget(m_styles, 1, 1);
    paramLayout->setRowStretch(4, 1);
    criteria->addWidget(params, 2);
    layout->addLayout(criteria);

    // The search button and what it found.
    auto *run = new QHBoxLayout;
    m_search = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("Vyhledat !"));
    m_search->setDefault(true);
    QLabel *l6 = ui::caption(this, QStringLiteral("Label6"), texts.foundLabel);
    m_foundCount = boldValue(this, texts.foundName, l6);
    QLabel *l7 = ui::caption(this, QStringLiteral("Label7"), texts.whereLabel);
    m_where = boldValue(this, texts.whereName, l7);
    run->addWidget(m_search);
    run->addSpacing(24);
    run->addWidget(l6);
    run->addWidget(m_foundCount);
    run->addSpacing(16);
    run->addWidget(l7);
    run->addWidget(m_where);
    run->addStretch(1);
    layout->addLayout(run);

    addResults(*layout, QStringLiteral("Label8"));

    connect(m_text, &QLineEdit::textChanged, this, [this] { reset(); });
    connect(m_speeds, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            reset();
    });
    connect(m_styles, &QComboBox::currentIndexChanged, this, [this] { reset(); });
    connect(m_matchCase, &QCheckBox::toggled, this, &ExternalSearchScreen::caseClicked);
    connect(m_restrictStyle, &QCheckBox::toggled, this,
            &ExternalSearchScreen::styleRestrictionClicked);
}

ExternalSearchScreen::~ExternalSearchScreen() = default;

void ExternalSearchScreen::FormShow()
{
    const QStringList entries = styles();
    {
        const QSignalBlocker quiet(m_styles);
        m_styles->clear();
        m_styles->addItem(QString());
        m_styles->addItems(entries);
    }

    const ExternalTotals &totals = build();
    m_items->setText(QString::number(totals.items));
    m_rows->setText(QString::number(totals.rows));
    m_owners->setText(QString::number(totals.registered));

    {
        const QSignalBlocker quiet(m_styles);
        m_styles->setCurrentIndex(0);
    }
    m_styles->setEnabled(false);
    m_restrictStyle->setChecked(false);
    m_progress->setValue(0);
    m_search->setEnabled(false);
    m_details->hide();
    m_text->clear();
    m_matchCase->setChecked(false);
    // Clearing an empty text changes nothing, yet the state must be that of
    // an empty search text.
    reset();
    m_text->setFocus();

    if (!totals.skipped.isEmpty())
        dialogs::warning(QStringLiteral("Upozornění"), skippedText(totals.skipped));
}

void ExternalSearchScreen::clearResults()
{
    clearSearchResults(*m_pane, *m_progress, *m_details);
    m_foundCount->setText(QStringLiteral("0"));
    m_where->setText(QStringLiteral("0"));
}

void ExternalSearchScreen::reset(bool keepEnabled)
{
    m_search->setEnabled(true);
    clearResults();
    m_found = ExternalSearchResult();
    const bool any = !m_text->text().isEmpty();
    if (!any)
        m_search->setEnabled(false);
    if (keepEnabled)
        return;
    m_restrictStyle->setEnabled(any);
    for (QAbstractButton *b : m_speeds->buttons())
        b->setEnabled(any);
    m_matchCase->setEnabled(any);
}

void ExternalSearchScreen::styleRestrictionClicked()
{
    m_styles->setEnabled(m_restrictStyle->isChecked());
    reset(true);
}

void ExternalSearchScreen::caseClicked()
{
    // The box is read when the next search runs; what is shown was found
    // with the case of its own search, which the details keep to.
    if (m_texts.caseClears)
        clearResults();
}

QString ExternalSearchScreen::speed() const
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

void ExternalSearchScreen::search()
{
    m_caseSensitive = m_matchCase->isChecked();
    QString text = m_text->text();
    if (!m_caseSensitive)
        text = upperCp1250(text);
    const QString style = m_restrictStyle->isChecked() ? m_styles->currentText() : kAny;
    m_found = run(text, style, speed(), m_caseSensitive);
    m_foundCount->setText(QString::number(foundCount()));
    m_where->setText(m_owners->text());
    showSearchResults(*m_pane, mode(), *m_progress, *m_details, m_texts.notFound, foundCount(),
                      lineAt(m_found.rows), paneStyle());
}

void ExternalSearchScreen::showDetails()
{
    execDetails();
}

void ExternalSearchScreen::FormClose()
{
    // Only in the program's own temporary directory: files of these names in
    // the shared one may belong to someone else.
    const QDir temp(Paths::tempDir());
    for (const QString &name : m_texts.staleFiles) {
        const QString path = temp.filePath(name);
        if (QFile::exists(path))
            QFile::remove(path);
    }
}

} // namespace velmora::exchange
