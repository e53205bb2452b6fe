#include "search/SearchScreen.h"

#include "platform/Widgets.h"
#include "printing/ReportPane.h"
#include "session/Session.h"
#include "storage/Paths.h"
#include "storage/Records.h"

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

namespace velmora {
namespace {

const QString kAny = QStringLiteral("*");

// Names the captions in reading order: Label1, Label2, ...
struct Captions
{
    QWidget *screen;
    int count = 0;

    QString nextName() { return QStringLiteral("Label%1").arg(++count); }
    QLabel *next(QWidget *parent, const QString &text, QWidget *buddy = nullptr)
    {
        return ui::caption(parent, nextName(), text, buddy);
    }
    // A count in bold and the caption before it.
    std::pair<QLabel *, QLabel *> counter(const SearchScreen::Counter &c)
    {
        QLabel *caption = next(screen, c.caption);
        QLabel *value = ui::valueLabel(screen, c.name, caption, QStringLiteral("0"));
        ui::setBold(value);
        return {caption, value};
    }
    // Counters in a row, spacing between one and the next.
    QList<QLabel *> addRow(const QList<SearchScreen::Counter> &counters, QBoxLayout &row,
                           int spacing)
    {
        QList<QLabel *> values;
        for (const SearchScreen::Counter &c : counters) {
            if (!values.isEmpty())
                row.addSpacing(spacing);
            const auto [caption, value] = counter(c);
            row.addWidget(caption);
            row.addWidget(value);
            values << value;
        }
        return values;
    }
};

} // namespace

SearchScreen::SearchScreen(Session &session, const Description &description, QWidget *parent)
    : ScreenDialog(parent), m_session(session), m_description(description)
{
    const Description &d = m_description;
    setObjectName(d.objectName);
    setWindowTitle(d.caption);
    resize(780, 560);

    auto *layout = new QVBoxLayout(this);
    Captions captions{this};

    // Header: the size of the catalogue.
    if (d.totalsStacked) {
        auto *header = new QGridLayout;
        for (const Counter &c : d.totals) {
            const auto [caption, value] = captions.counter(c);
            header->addWidget(caption, int(m_totals.size()), 0);
            header->addWidget(value, int(m_totals.size()), 1);
            m_totals << value;
        }
        header->setColumnStretch(2, 1);
        layout->addLayout(header);
    } else {
        auto *header = new QHBoxLayout;
        m_totals = captions.addRow(d.totals, *header, 24);
        header->addStretch(1);
        layout->addLayout(header);
    }

    // The search text and the restriction side by side.
    auto *criteria = new QHBoxLayout;
    auto *textBox = new QGroupBox(this);
    textBox->setObjectName(QStringLiteral("GroupBox1"));
    auto *textLayout = new QVBoxLayout(textBox);
    m_text = new QLineEdit(textBox);
    m_text->setObjectName(QStringLiteral("Edit1"));
    m_text->setToolTip(QStringLiteral("vložte hledaný řetězec ..."));
    m_text->setAccessibleName(ui::spoken(d.textLabel));
    textLayout->addWidget(captions.next(textBox, d.textLabel, m_text));
    textLayout->addWidget(m_text);
    QLabel *note = captions.next(textBox, d.note);
    note->setWordWrap(true);
    textLayout->addWidget(note);
    m_matchCase =
        new QCheckBox(QStringLiteral("Chci rozlišovat velká / malá písmena ..."), textBox);
    m_matchCase->setObjectName(QStringLiteral("Pismena"));
    textLayout->addWidget(m_matchCase);
    textLayout->addStretch(1);
    criteria->addWidget(textBox, 3);

    auto *params =
        new QGroupBox(d.params == Params::Style ? QString() : QStringLiteral("Parametry:"), this);
    params->setObjectName(QStringLiteral("GroupBox2"));
    addParams(params);
    criteria->addWidget(params, 2);
    layout->addLayout(criteria);

    // The search button and what it found.
    auto *run = new QHBoxLayout;
    m_search = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("Vyhledat !"));
    m_search->setDefault(true);
    run->addWidget(m_search);
    run->addSpacing(24);
    m_found = captions.addRow(d.found, *run, 16);
    run->addStretch(1);
    layout->addLayout(run);

    const ResultArea area = addResultArea(*this, *layout, captions.nextName());
    m_pane = area.pane;
    m_progress = area.progress;
    m_details = area.details;

    connect(m_search, &QPushButton::clicked, this, &SearchScreen::search);
    connect(m_details, &QPushButton::clicked, this, &SearchScreen::showDetails);
    connect(area.close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_text, &QLineEdit::textChanged, this, [this] { reset(); });
    connect(m_speeds, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            reset();
    });
    connect(m_styles, &QComboBox::currentIndexChanged, this, [this] { reset(); });
    connect(m_matchCase, &QCheckBox::toggled, this, &SearchScreen::caseClicked);
    connect(m_restrictStyle, &QCheckBox::toggled, this, &SearchScreen::styleRestrictionClicked);
}

void SearchScreen::addParams(QWidget *box)
{
    auto *grid = new QGridLayout(box);
    m_speeds = new QButtonGroup(this);
    if (m_description.params != Params::Style) {
        const QString speedTexts[4] = {
            QStringLiteral("Film je nahrán v SP"), QStringLiteral("Film je nahrán v LP"),
            QStringLiteral("Film je nahrán v EP"), QStringLiteral("Nevím, jak je nahrán")};
        for (int i = 0; i < 4; ++i) {
            auto *b = new QRadioButton(speedTexts[i], box);
            b->setObjectName(QStringLiteral("RadioButton") + QString::number(i + 1));
            m_speeds->addButton(b, i + 1);
            grid->addWidget(b, i, 0);
        }
        m_speeds->button(4)->setChecked(true);
    }
    m_restrictStyle = new QCheckBox(QStringLiteral("Omezit žánrem ?"), box);
    m_restrictStyle->setObjectName(QStringLiteral("CheckBox1"));
    m_styles = new QComboBox(box);
    m_styles->setObjectName(QStringLiteral("ComboBox1"));
    m_styles->setAccessibleName(m_description.styleName);
    m_styles->setMinimumContentsLength(15);
    grid->addWidget(m_restrictStyle, 0, 1);
    grid->addWidget(m_styles, 1, 1);
    if (m_description.params != Params::Speeds)
        grid->setRowStretch(4, 1);
}

report::Mode SearchScreen::mode() const
{
    return report::modeFor(m_session.systemCode());
}

void SearchScreen::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_text)
        m_text->setFocus();
}

void SearchScreen::FormShow()
{
    const QStringList entries = readUserList(m_session.tables().userList(m_description.styleList));
    {
        const QSignalBlocker quiet(m_styles);
        m_styles->clear();
        m_styles->addItem(QString());
        m_styles->addItems(entries);
    }

    const QList<int> totals = build();
    for (qsizetype i = 0; i < m_totals.size(); ++i)
        m_totals[i]->setText(QString::number(totals.value(i)));

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
}

void SearchScreen::clearShown()
{
    clearSearchResults(*m_pane, *m_progress, *m_details);
    for (QLabel *counter : std::as_const(m_found))
        counter->setText(QStringLiteral("0"));
}

void SearchScreen::reset(bool keepEnabled)
{
    m_search->setEnabled(true);
    clearShown();
    forget();
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

void SearchScreen::styleRestrictionClicked()
{
    m_styles->setEnabled(m_restrictStyle->isChecked());
    reset(true);
}

void SearchScreen::caseClicked()
{
    // Unless the click resets, the box is read when the next search runs;
    // what is shown was found with the case of its own search, which the
    // details keep to.
    if (m_description.caseClick == CaseClick::Resets)
        reset();
    else if (m_description.caseClick == CaseClick::ClearsShown)
        clearShown();
}

QString SearchScreen::speed() const
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

void SearchScreen::search()
{
    m_caseSensitive = m_matchCase->isChecked();
    QString text = m_text->text();
    if (!m_caseSensitive)
        text = upperCp1250(text);
    const QString style = m_restrictStyle->isChecked() ? m_styles->currentText() : kAny;
    const QList<int> counts = run(text, style, speed(), m_caseSensitive);
    for (qsizetype i = 0; i < m_found.size(); ++i)
        m_found[i]->setText(QString::number(counts.value(i)));
    showSearchResults(*m_pane, mode(), *m_progress, *m_details, m_description.notFound,
                      counts.value(0), line(), m_description.paneStyle);
}

void SearchScreen::FormClose()
{
    // Only in the program's own temporary directory: files of these names in
    // the shared one may belong to someone else.
    const QDir temp(Paths::tempDir());
    for (const QString &name : m_description.staleFiles) {
        const QString path = temp.filePath(name);
        if (QFile::exists(path))
            QFile::remove(path);
    }
}

} // namespace velmora
