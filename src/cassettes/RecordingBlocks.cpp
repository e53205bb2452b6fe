#include "cassettes/RecordingBlocks.h"

#include "platform/Colours.h"
#include "platform/DateBox.h"
#include "platform/Widgets.h"
#include "session/UserLists.h"
#include "storage/Records.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {
namespace {

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kSilver(0xC0, 0xC0, 0xC0);

void setTextColour(QWidget *w, const QColor &c)
{
    colours::setTextColour(w, c);
}

// Width of a box that shows `chars` digits or letters.
int boxWidth(const QWidget *w, const QString &sample)
{
    return w->fontMetrics().horizontalAdvance(sample) + 16;
}

} // namespace

RecordingBlocks::RecordingBlocks(Screen screen, QWidget *owner) : QObject(owner)
{
    // Tape type and its capacity.
    m_typeRow = new QWidget(owner);
    m_type = new QComboBox(m_typeRow);
    m_type->setObjectName(QStringLiteral("kazeta"));
    m_type->addItems(tapeTypes());
    m_type->setAccessibleName(QStringLiteral("Typ kazety"));
    m_capacity = ui::valueLabel(m_typeRow, QStringLiteral("Minutaz"),
                                QStringLiteral("Maximální délka v minutách"));
    m_capacity->setMinimumWidth(
        m_capacity->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    QFont bold = m_capacity->font();
    bold.setBold(true);
    m_capacity->setFont(bold);
    {
        auto *typeLabel =
            ui::caption(m_typeRow, QString(), QStringLiteral("Typ nové kazety :"), m_type);
        auto *grid = new QGridLayout(m_typeRow);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->addWidget(typeLabel, 0, 0, 1, 4);
        grid->addWidget(m_type, 1, 0);
        auto *open =
            ui::caption(m_typeRow, QString(), QStringLiteral("( Maximální délka v minutách:"));
        grid->addWidget(open, 1, 1);
        grid->addWidget(m_capacity, 1, 2);
        grid->addWidget(ui::caption(m_typeRow, QString(), QStringLiteral(")")), 1, 3);
        grid->setColumnStretch(4, 1);
    }
    connect(m_type, &QComboBox::currentIndexChanged, this, [this] {
        if (!quiet()) {
            emit typeChanged();
            emit edited();
        }
    });

    // The five recording blocks, scrolled when the screen is small.
    m_area = new QScrollArea(owner);
    m_area->setObjectName(QStringLiteral("Bloky"));
    m_area->setAccessibleName(QStringLiteral("Filmy na kazetě"));
    m_area->setWidgetResizable(true);
    m_area->setFrameShape(QFrame::NoFrame);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto *inner = new QWidget(m_area);
    auto *column = new QVBoxLayout(inner);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    for (int n = 1; n <= kSlots; ++n) {
        buildBlock(n, inner);
        column->addWidget(m_blocks[size_t(n - 1)].title->parentWidget());
    }
    column->addStretch(1);
    m_area->setWidget(inner);

    // Cassette note and the open-cassette box.
    m_notePanel = new QWidget(owner);
    m_note = new QLineEdit(m_notePanel);
    m_note->setObjectName(QStringLiteral("poznamka"));
    m_note->setMaxLength(50);
    m_note->setAccessibleName(QStringLiteral("Poznámka k VK"));
    m_note->setMinimumWidth(boxWidth(m_note, QString(34, QLatin1Char('n'))));
    const QString quoted = screen == Screen::New
                               ? QStringLiteral("\"Neuzavřená kazeta, možno dohrátí\"")
                               : QStringLiteral("Neuzavřená kazeta, možno dohrátí");
    m_open = new QCheckBox(QStringLiteral("Poznámka = ") + quoted, m_notePanel);
    m_open->setObjectName(QStringLiteral("Dohravani"));
    {
        auto *v = new QVBoxLayout(m_notePanel);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(
            ui::caption(m_notePanel, QString(), QStringLiteral("Poznámka k VK :"), m_note));
        v->addWidget(m_note);
        v->addWidget(m_open);
    }
    connect(m_note, &QLineEdit::textChanged, this, [this] {
        if (!quiet())
            emit edited();
    });
    connect(m_open, &QCheckBox::clicked, this, [this](bool on) {
        writeOpenNote(on);
        emit openBoxClicked(on);
        emit edited();
    });

    // Remaining time.
    m_panel = new QFrame(owner);
    m_panel->setObjectName(QStringLiteral("Panel_rezerva"));
    m_panel->setFrameShape(QFrame::StyledPanel);
    m_panel->setFrameShadow(QFrame::Sunken);
    m_caption = new QLabel(m_panel);
    m_caption->setObjectName(QStringLiteral("Panel_caption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setAlignment(Qt::AlignCenter);
    QFont big = m_caption->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    m_caption->setFont(big);
    m_caption->setMinimumWidth(
        QFontMetrics(big).horizontalAdvance(QStringLiteral("Překročení času!")) + 8);
    m_reserve = ui::caption(m_panel, QString(), QStringLiteral("Rezerva:"));
    m_reserve->setObjectName(QStringLiteral("Rezerva"));
    m_reserve->setFont(bold);
    m_reserve->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QStringLiteral("Chyba !!!")) +
                               4);
    setTextColour(m_reserve, kNavy);
    {
        auto *grid = new QGridLayout(m_panel);
        grid->setContentsMargins(8, 4, 8, 4);
        grid->setHorizontalSpacing(6);
        grid->addWidget(m_reserve, 0, 0, 1, 6);
        const char *names[] = {"SP", "LP", "EP"};
        for (int i = 0; i < 3; ++i) {
            const QString speed = QLatin1String(names[i]);
            QLabel *value =
                ui::valueLabel(m_panel, QStringLiteral("Zbyva") + speed,
                               QStringLiteral("Rezerva ") + speed, QStringLiteral("0h 00m"));
            value->setContentsMargins(5, 0, 0, 0); // apart from its "SP:" caption
            value->setMinimumWidth(boxWidth(value, QStringLiteral("-00h 00m")) + 5);
            auto *caption = ui::caption(m_panel, QString(), speed + QLatin1Char(':'));
            caption->setObjectName(QStringLiteral("Label") + speed);
            m_speedLabels[size_t(i)] = caption;
            m_values[size_t(i)] = value;
            grid->addWidget(caption, 1, i * 2);
            grid->addWidget(value, 1, i * 2 + 1);
        }
        // The warning covers the values while they are hidden.
        grid->addWidget(m_caption, 1, 0, 1, 6);
    }
    m_captionColour = kRed;
    setTextColour(m_caption, m_captionColour);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Blikani"));
    m_timer->setInterval(kAlternationMs);
    connect(m_timer, &QTimer::timeout, this, &RecordingBlocks::alternate);
}

void RecordingBlocks::buildBlock(int n, QWidget *parent)
{
    const QString s = QString::number(n);
    Block &b = m_blocks[size_t(n - 1)];
    auto *frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("Blok") + s);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAccessibleName(QStringLiteral("Film ") + s);

    b.title = new QLineEdit(frame);
    b.title->setObjectName(QStringLiteral("Film") + s);
    b.title->setMaxLength(30);
    b.title->setAccessibleName(QStringLiteral("Film ") + s);
    b.title->setMinimumWidth(boxWidth(b.title, QString(22, QLatin1Char('n'))));

    b.genre = new QComboBox(frame);
    b.genre->setObjectName(QStringLiteral("zanr") + s);
    b.genre->setAccessibleName(QStringLiteral("Žánr ") + s);
    b.genre->setToolTip(QStringLiteral("Žánr filmu"));
    b.genre->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    b.genre->setMinimumContentsLength(13);

    b.speed = new QComboBox(frame);
    b.speed->setObjectName(QStringLiteral("ry") + s);
    b.speed->addItems({QStringLiteral("SP"), QStringLiteral("LP"), QStringLiteral("EP")});
    b.speed->setCurrentIndex(-1);
    b.speed->setAccessibleName(QStringLiteral("Rychlost ") + s);
    b.speed->setToolTip(QStringLiteral("Rychlost záznamu"));
    b.speed->setMinimumContentsLength(3);

    b.length = new QLineEdit(frame);
    b.length->setObjectName(QStringLiteral("Cas") + s);
    b.length->setReadOnly(true);
    {
        // Greyed like a panel: the length follows from the counters.
        QPalette p = b.length->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Window));
        b.length->setPalette(p);
    }
    b.length->setFocusPolicy(Qt::NoFocus);
    b.length->setAccessibleName(QStringLiteral("Délka ") + s);
    b.length->setFixedWidth(boxWidth(b.length, QStringLiteral("-00h 00m")));

    auto *digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), frame);
    auto counterBox = [&](const QString &name, const QString &accessible) {
        auto *e = new QLineEdit(frame);
        e->setObjectName(name + s);
        e->setMaxLength(3);
        e->setValidator(digits);
        e->setAccessibleName(accessible + s);
        e->setFixedWidth(boxWidth(e, QStringLiteral("0000")));
        ui::digitsOnly(e);
        e->installEventFilter(this); // leaving an end counter recomputes
        return e;
    };
    b.start = counterBox(QStringLiteral("Start_Time"), QStringLiteral("Start "));
    b.end = counterBox(QStringLiteral("End_Time"), QStringLiteral("Konec "));

    b.source = new QComboBox(frame);
    b.source->setObjectName(QStringLiteral("Zdroj") + s);
    b.source->setEditable(true);
    b.source->setInsertPolicy(QComboBox::NoInsert);
    b.source->lineEdit()->setMaxLength(20);
    b.source->setAccessibleName(QStringLiteral("Zdroj ") + s);
    b.source->lineEdit()->setAccessibleName(QStringLiteral("Zdroj ") + s);
    b.source->setMinimumContentsLength(14);
    b.source->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    b.date = new DateBox(frame);
    b.date->setObjectName(QStringLiteral("Datum") + s);
    b.date->edit()->setAccessibleName(QStringLiteral("Pořízeno dne ") + s);
    b.date->calendarButton()->setAccessibleName(QStringLiteral("Kalendář ") + s);

    b.note = new QPlainTextEdit(frame);
    b.note->setObjectName(QStringLiteral("Pozn") + s);
    b.note->setAccessibleName(QStringLiteral("Poznámka ") + s);
    b.note->setTabChangesFocus(true);
    b.note->setFixedHeight(b.note->fontMetrics().lineSpacing() * 2 + 12);

    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->addWidget(ui::caption(frame, QString(),
                                QStringLiteral("Film ") + s + QStringLiteral("     :"), b.title),
                    0, 0);
    auto *titleAndGenre = new QHBoxLayout;
    titleAndGenre->addWidget(b.title, 3);
    titleAndGenre->addWidget(b.genre, 2);
    grid->addLayout(titleAndGenre, 0, 1, 1, 5);
    auto *speedAndLength = new QHBoxLayout;
    speedAndLength->addWidget(b.speed);
    speedAndLength->addStretch(1);
    speedAndLength->addWidget(ui::caption(frame, QString(), QStringLiteral("délka:"), b.length));
    speedAndLength->addWidget(b.length);
    grid->addLayout(speedAndLength, 0, 6, 1, 2);
    grid->addWidget(ui::caption(frame, QString(), QStringLiteral("Start (min) :"), b.start), 1, 0);
    grid->addWidget(b.start, 1, 1);
    grid->addWidget(ui::caption(frame, QString(), QStringLiteral("Konec (min) :"), b.end), 1, 2);
    grid->addWidget(b.end, 1, 3);
    grid->addWidget(ui::caption(frame, QString(), QStringLiteral("Zdroj filmu :"), b.source), 1, 4);
    grid->addWidget(b.source, 1, 5);
    grid->addWidget(ui::caption(frame, QString(), QStringLiteral("Pořízeno dne:"), b.date), 1, 6);
    grid->addWidget(b.date, 1, 7);
    grid->addWidget(ui::caption(frame, QString(),
                                QStringLiteral("Pozn.  ") + s + QStringLiteral(".   :"), b.note),
                    2, 0, Qt::AlignTop);
    grid->addWidget(b.note, 2, 1, 1, 7);
    grid->setColumnStretch(5, 1);
    grid->setColumnStretch(1, 0);

    connect(b.title, &QLineEdit::textChanged, this,
            [this, n] { report(&RecordingBlocks::titleChanged, n); });
    connect(b.speed, &QComboBox::currentIndexChanged, this,
            [this, n] { report(&RecordingBlocks::speedChanged, n); });
    connect(b.start, &QLineEdit::textChanged, this,
            [this, n] { report(&RecordingBlocks::counterChanged, n); });
    connect(b.end, &QLineEdit::textChanged, this,
            [this, n] { report(&RecordingBlocks::counterChanged, n); });
    auto anyChange = [this] {
        if (!quiet())
            emit edited();
    };
    connect(b.genre, &QComboBox::currentIndexChanged, this, anyChange);
    connect(b.source, &QComboBox::editTextChanged, this, anyChange);
    connect(b.date, &DateBox::changed, this, anyChange);
    connect(b.note, &QPlainTextEdit::textChanged, this, anyChange);
}

void RecordingBlocks::report(void (RecordingBlocks::*signal)(int), int n)
{
    if (quiet())
        return;
    emit(this->*signal)(n);
    emit edited();
}

bool RecordingBlocks::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        for (int n = 1; n <= kSlots; ++n)
            if (watched == m_blocks[size_t(n - 1)].end)
                emit endCounterLeft(n);
    }
    return QObject::eventFilter(watched, event);
}

void RecordingBlocks::fillLists(Table &genres, Table &sources)
{
    const QStringList g = userlists::sortedRows(genres);
    const QStringList z = readUserList(sources);
    Quiet q(*this);
    for (Block &b : m_blocks) {
        b.genre->clear();
        b.genre->addItem(QString());
        b.genre->addItems(g);
        b.genre->setCurrentIndex(-1);
        const QString typed = b.source->currentText();
        b.source->clear();
        b.source->addItem(QString());
        b.source->addItems(z);
        b.source->setEditText(typed);
    }
}

void RecordingBlocks::clearBlock(int n)
{
    Quiet q(*this);
    Block &b = m_blocks[size_t(n - 1)];
    b.title->clear();
    b.genre->setCurrentIndex(-1);
    b.speed->setCurrentIndex(-1);
    b.start->setText(QStringLiteral("0"));
    b.end->setText(QStringLiteral("0"));
    b.date->clear();
    b.source->setCurrentIndex(-1);
    b.source->setEditText(QString());
    b.note->clear();
}

void RecordingBlocks::selectText(QComboBox *list, const QString &text)
{
    list->setCurrentIndex(list->findText(text, Qt::MatchExactly));
}

QString RecordingBlocks::typeText() const
{
    return m_type->currentIndex() < 0 ? QString() : m_type->currentText();
}

int RecordingBlocks::counter(const QLineEdit *box)
{
    return box->text().trimmed().toInt(); // empty or not a number: 0
}

void RecordingBlocks::computeLengths(bool zeroEmpty)
{
    Quiet q(*this);
    for (int i = 0; i < kSlots; ++i) {
        Block &b = m_blocks[size_t(i)];
        if (zeroEmpty) {
            for (QLineEdit *box : {b.start, b.end}) {
                if (box->text().isEmpty()) {
                    box->setText(QStringLiteral("0"));
                    // The next digit replaces the zero instead of following it.
                    box->selectAll();
                }
            }
        }
        m_lengths[size_t(i)] = counter(b.end) - counter(b.start);
        b.length->setText(LengthDisplay(m_lengths[size_t(i)]));
    }
}

int RecordingBlocks::remaining() const
{
    Recordings r;
    for (int i = 0; i < kSlots; ++i) {
        const QComboBox *speed = m_blocks[size_t(i)].speed;
        r[size_t(i)] = {m_lengths[size_t(i)],
                        speed->currentIndex() < 0 ? QString() : speed->currentText()};
    }
    return RemainingTime(typeText(), r);
}

void RecordingBlocks::showCapacity()
{
    m_capacity->setText(QString::number(CassetteCapacity(typeText())));
}

void RecordingBlocks::showRemainingValues(int remaining)
{
    for (int f = 1; f <= 3; ++f)
        m_values[size_t(f - 1)]->setText(HourDisplay(f * remaining));
}

void RecordingBlocks::showRemaining(int remaining)
{
    if (remaining < 0) {
        const bool entering = !m_overrun;
        m_overrun = true;
        m_reserve->setText(QStringLiteral("Chyba !!!"));
        setTextColour(m_reserve, kRed);
        for (int i = 0; i < 3; ++i) {
            m_speedLabels[size_t(i)]->hide();
            m_values[size_t(i)]->hide();
        }
        m_caption->setText(QStringLiteral("Překročení času!"));
        m_caption->show();
        if (!m_timer->isActive()) {
            setCaptionColour(kRed);
            m_timer->start();
        }
        if (entering)
            emit overrunChanged(true);
        return;
    }
    leaveOverrun();
    showRemainingValues(remaining);
}

void RecordingBlocks::leaveOverrun()
{
    const bool leaving = m_overrun;
    m_overrun = false;
    m_reserve->setText(QStringLiteral("Rezerva:"));
    setTextColour(m_reserve, kNavy);
    for (int i = 0; i < 3; ++i) {
        m_speedLabels[size_t(i)]->show();
        m_values[size_t(i)]->show();
    }
    m_caption->clear();
    m_caption->hide();
    stopAlternation();
    if (leaving)
        emit overrunChanged(false);
}

void RecordingBlocks::alternate()
{
    setCaptionColour(m_captionColour == kRed ? kSilver : kRed);
}

void RecordingBlocks::stopAlternation()
{
    m_timer->stop();
}

void RecordingBlocks::setCaptionColour(const QColor &c)
{
    m_captionColour = c;
    setTextColour(m_caption, c);
}

void RecordingBlocks::setOpenFromRule(bool open)
{
    if (m_open->isChecked() == open)
        return;
    setOpenQuietly(open);
    writeOpenNote(open);
}

void RecordingBlocks::setOpenQuietly(bool open)
{
    Quiet q(*this);
    m_open->setChecked(open);
}

void RecordingBlocks::writeOpenNote(bool open)
{
    Quiet q(*this);
    m_note->setText(open ? kOpenCassetteNote : QString());
}

QString RecordingBlocks::listText(const QComboBox *list)
{
    return list->currentIndex() < 0 ? QString() : list->currentText();
}

std::array<CassetteSlot, kSlots> RecordingBlocks::recordings(bool emptyUnreadDates) const
{
    std::array<CassetteSlot, kSlots> out;
    for (int n = 1; n <= kSlots; ++n) {
        const Block &b = block(n);
        CassetteSlot &s = out[size_t(n - 1)];
        s.title = b.title->text();
        s.genre = listText(b.genre);
        s.speed = listText(b.speed);
        s.length = length(n);
        s.source = b.source->currentText();
        s.date = b.date->date();
        if (!s.date.isValid() && emptyUnreadDates)
            b.date->clear();
        s.start = counter(b.start);
        s.end = counter(b.end);
        s.note = b.note->toPlainText();
    }
    return out;
}

void RecordingBlocks::showRecordings(const std::array<CassetteSlot, kSlots> &recordings)
{
    Quiet q(*this);
    for (int n = 1; n <= kSlots; ++n) {
        const Block &b = block(n);
        const CassetteSlot &s = recordings[size_t(n - 1)];
        b.title->setText(s.title);
        selectText(b.genre, s.genre);
        selectText(b.speed, s.speed);
        b.start->setText(QString::number(s.start));
        b.end->setText(QString::number(s.end));
        b.source->setEditText(s.source);
        b.date->setDate(s.date);
        b.note->setPlainText(s.note);
    }
}

void RecordingBlocks::layOut(QWidget *screen, QLayout *header, const QList<QPushButton *> &buttons)
{
    auto *top = new QHBoxLayout;
    top->addLayout(header);
    top->addSpacing(24);
    top->addWidget(m_typeRow, 1);

    auto *column = new QVBoxLayout;
    column->addStretch(1);
    for (QPushButton *b : buttons)
        column->addWidget(b);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_notePanel, 1);
    bottom->addWidget(m_panel);
    bottom->addLayout(column);

    auto *main = new QVBoxLayout(screen);
    main->setContentsMargins(8, 8, 8, 8);
    main->addLayout(top);
    main->addWidget(m_area, 1);
    main->addLayout(bottom);
    screen->resize(790, 570);
}

} // namespace velmora
