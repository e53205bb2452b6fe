#include "cassettes/CassetteDisplay.h"

#include "catalogue/CassetteCatalogue.h"
#include "catalogue/CassetteRules.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/JumpList.h"
#include "platform/RecordNavigator.h"
#include "platform/Widgets.h"
#include "session/StartItem.h"
#include "storage/DateText.h"
#include "storage/FieldValues.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace velmora {
namespace {

QString slotName(const char *stem, int slot)
{
    return QLatin1String(stem) + QString::number(slot + 1);
}

// A read-only box wide enough for `chars` typical characters.
QLineEdit *valueBox(QWidget *parent, const QString &name, int chars, bool fixed = false)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    const int w = e->fontMetrics().averageCharWidth() * chars + 14;
    if (fixed)
        e->setFixedWidth(w);
    else
        e->setMinimumWidth(w);
    return e;
}

void setColour(QLabel *label, const QColor &colour)
{
    colours::setTextColour(label, colour);
}

} // namespace

CassetteDisplay::CassetteDisplay(bool withNumber, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CassetteDisplay"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(6);

    // Number, type and capacity beside the jump list.
    auto *header = new QHBoxLayout;
    header->setSpacing(6);
    m_jumpLabel = ui::caption(this, QStringLiteral("Label_Jdi_hned"));
    m_jump = new JumpList(this);
    m_jump->setObjectName(QStringLiteral("Jdi_hned"));
    m_jumpLabel->setBuddy(m_jump);
    header->addWidget(m_jumpLabel);
    header->addWidget(m_jump);
    header->addSpacing(12);
    if (withNumber) {
        m_numberLabel = ui::caption(this, QStringLiteral("Label_Cislo"));
        m_numberValue = ui::caption(this, QStringLiteral("Cislo"));
        ui::setBold(m_numberValue);
        m_numberValue->setMinimumWidth(m_numberValue->fontMetrics().horizontalAdvance("000000"));
        ui::nameValue(m_numberLabel, m_numberValue);
        header->addWidget(m_numberLabel);
        header->addWidget(m_numberValue);
        header->addSpacing(12);
    }
    m_typeLabel = ui::caption(this, QStringLiteral("Label_Typ"));
    m_typeValue = ui::caption(this, QStringLiteral("Typ"));
    m_typeValue->setMinimumWidth(m_typeValue->fontMetrics().horizontalAdvance("E 000 "));
    m_capacityLabel = ui::caption(this, QStringLiteral("Label_Minutaz"));
    m_capacityValue = ui::caption(this, QStringLiteral("Minutaz"));
    ui::nameValue(m_typeLabel, m_typeValue);
    ui::nameValue(m_capacityLabel, m_capacityValue);
    auto *closing = ui::caption(this, QStringLiteral("Label_Minutaz_end"));
    closing->setText(QStringLiteral(")"));
    m_capacityEnd = closing;
    header->addWidget(m_typeLabel);
    header->addWidget(m_typeValue);
    header->addWidget(m_capacityLabel);
    header->addWidget(m_capacityValue);
    header->addWidget(closing);
    header->addStretch(1);
    outer->addLayout(header);

    // The five recordings.
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Filmy"));
    frame->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (slot > 0) {
            auto *line = new QFrame(frame);
            line->setObjectName(slotName("Oddel", slot));
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            grid->addWidget(line, row++, 0, 1, 2);
        }
        buildBlock(grid, row, slot);
        row += 3;
    }
    outer->addWidget(frame, 1);

    // The cassette note.
    auto *noteRow = new QHBoxLayout;
    m_noteLabel = ui::caption(this, QStringLiteral("Label_Poznamka"));
    m_note = valueBox(this, QStringLiteral("Poznamka"), 40);
    m_noteLabel->setBuddy(m_note);
    noteRow->addWidget(m_noteLabel);
    noteRow->addWidget(m_note, 1);
    outer->addLayout(noteRow);

    // The loan state and the remaining tape time.
    auto *stateRow = new QHBoxLayout;
    m_loan = ui::caption(this, QStringLiteral("Pujceni"));
    m_loan->setWordWrap(true);
    m_loan->setAccessibleDescription(QStringLiteral("Stav půjčení"));
    stateRow->addWidget(m_loan, 1);
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel_Rezerva"));
    m_remainingPanel = panel;
    panel->setFrameShape(QFrame::StyledPanel);
    auto *panelRow = new QHBoxLayout(panel);
    panelRow->setContentsMargins(8, 3, 8, 3);
    panelRow->setSpacing(6);
    m_remainingLabel = ui::caption(panel, QStringLiteral("Rezerva"));
    ui::setBold(m_remainingLabel);
    setColour(m_remainingLabel, kRemainingColour);
    panelRow->addWidget(m_remainingLabel);
    const char *speeds[3] = {"SP", "LP", "EP"};
    QLabel **values[3] = {&m_sp, &m_lp, &m_ep};
    for (int i = 0; i < 3; ++i) {
        const QString s = QLatin1String(speeds[i]);
        auto *l = ui::caption(panel, QStringLiteral("Label_") + s);
        l->setText(s + QLatin1Char(':'));
        auto *v = ui::caption(panel, s);
        v->setMinimumWidth(v->fontMetrics().horizontalAdvance(QStringLiteral("-00h 00m ")));
        v->setAccessibleDescription(QStringLiteral("Rezerva ") + s);
        panelRow->addSpacing(6);
        panelRow->addWidget(l);
        panelRow->addWidget(v);
        *values[i] = v;
    }
    stateRow->addWidget(panel);
    outer->addLayout(stateRow);

    m_buttonRow = new QHBoxLayout;
    m_navigator = new RecordNavigator(this);
    m_buttonRow->addWidget(m_navigator);
    m_buttonRow->addStretch(1);
    outer->addLayout(m_buttonRow);

    connect(m_jump, &JumpList::chosen, this, &CassetteDisplay::jumpChosen);
    connect(m_navigator, &RecordNavigator::moved, this, &CassetteDisplay::navigatorMoved);

    setTexts(Texts());
    clear();
}

void CassetteDisplay::buildBlock(QGridLayout *grid, int row, int slot)
{
    QWidget *parent = grid->parentWidget();
    Block &b = m_blocks[size_t(slot)];

    // Title, genre, speed and length.
    b.filmLabel = ui::caption(parent, slotName("Label_Film", slot));
    b.film = valueBox(parent, slotName("Film", slot), 20);
    b.genre = valueBox(parent, slotName("Zanr", slot), 12);
    b.speed = valueBox(parent, slotName("Ry", slot), 3, true);
    b.lengthLabel = ui::caption(parent, slotName("Label_Cas", slot));
    b.length = valueBox(parent, slotName("Cas", slot), 8, true);
    b.filmLabel->setBuddy(b.film);
    b.lengthLabel->setBuddy(b.length);
    b.genre->setAccessibleName(QStringLiteral("Žánr ") + QString::number(slot + 1));
    b.speed->setAccessibleName(QStringLiteral("Rychlost ") + QString::number(slot + 1));
    auto *first = new QHBoxLayout;
    first->setSpacing(6);
    first->addWidget(b.film, 3);
    first->addWidget(b.genre, 2);
    first->addWidget(b.speed);
    first->addWidget(b.lengthLabel);
    first->addWidget(b.length);
    grid->addWidget(b.filmLabel, row, 0);
    grid->addLayout(first, row, 1);

    // Source, date and the counters.
    b.sourceLabel = ui::caption(parent, slotName("Label_Zdroj", slot));
    b.source = valueBox(parent, slotName("Zdroj", slot), 14);
    b.dateLabel = ui::caption(parent, slotName("Label_Datum", slot));
    b.date = valueBox(parent, slotName("Datum", slot), 11, true);
    b.startLabel = ui::caption(parent, slotName("Label_Start_Time", slot));
    b.start = valueBox(parent, slotName("Start_Time", slot), 4, true);
    b.endLabel = ui::caption(parent, slotName("Label_End_Time", slot));
    b.end = valueBox(parent, slotName("End_Time", slot), 4, true);
    b.sourceLabel->setBuddy(b.source);
    b.dateLabel->setBuddy(b.date);
    b.startLabel->setBuddy(b.start);
    b.endLabel->setBuddy(b.end);
    b.start->setAlignment(Qt::AlignRight);
    b.end->setAlignment(Qt::AlignRight);
    auto *second = new QHBoxLayout;
    second->setSpacing(6);
    second->addWidget(b.source, 1);
    second->addSpacing(6);
    second->addWidget(b.dateLabel);
    second->addWidget(b.date);
    second->addSpacing(6);
    second->addWidget(b.startLabel);
    second->addWidget(b.start);
    second->addWidget(b.endLabel);
    second->addWidget(b.end);
    grid->addWidget(b.sourceLabel, row + 1, 0);
    grid->addLayout(second, row + 1, 1);

    // The note, a memo: one line high, scrolling when it holds more.
    b.noteLabel = ui::caption(parent, slotName("Label_Pozn", slot));
    b.note = new QPlainTextEdit(parent);
    b.note->setObjectName(slotName("Pozn", slot));
    b.note->setReadOnly(true);
    b.note->setTabChangesFocus(true);
    b.note->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    b.note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    b.note->document()->setDocumentMargin(2);
    b.note->setFixedHeight(b.note->fontMetrics().lineSpacing() + 2 * b.note->frameWidth() + 6);
    b.noteLabel->setBuddy(b.note);
    grid->addWidget(b.noteLabel, row + 2, 0);
    grid->addWidget(b.note, row + 2, 1);
}

void CassetteDisplay::setTexts(const Texts &texts)
{
    m_texts = texts;
    m_jumpLabel->setText(texts.jumpLabel);
    m_jump->setAccessibleName(ui::spoken(texts.jumpLabel));
    if (m_numberLabel) {
        m_numberLabel->setText(texts.numberLabel);
        m_numberValue->setAccessibleDescription(ui::spoken(texts.numberLabel));
    }
    m_typeLabel->setText(texts.typeLabel);
    m_typeValue->setAccessibleDescription(ui::spoken(texts.typeLabel));
    m_capacityLabel->setText(texts.capacityLabel);
    m_capacityValue->setAccessibleDescription(ui::spoken(texts.capacityLabel));
    m_noteLabel->setText(texts.noteLabel);
    m_note->setAccessibleName(ui::spoken(texts.noteLabel));
    m_remainingLabel->setText(texts.remainingLabel);
    for (int slot = 0; slot < kSlots; ++slot) {
        Block &b = m_blocks[size_t(slot)];
        const QString n = QLatin1Char(' ') + QString::number(slot + 1);
        b.filmLabel->setText(texts.filmLabels.value(slot));
        b.film->setAccessibleName(ui::spoken(texts.filmLabels.value(slot)));
        b.lengthLabel->setText(texts.lengthLabel);
        b.length->setAccessibleName(ui::spoken(texts.lengthLabel) + n);
        b.sourceLabel->setText(texts.sourceLabel);
        b.source->setAccessibleName(ui::spoken(texts.sourceLabel) + n);
        b.dateLabel->setText(texts.dateLabel);
        b.date->setAccessibleName(ui::spoken(texts.dateLabel) + n);
        b.startLabel->setText(texts.startLabel);
        b.start->setAccessibleName(ui::spoken(texts.startLabel) + n);
        b.endLabel->setText(texts.endLabel);
        b.end->setAccessibleName(ui::spoken(texts.endLabel) + n);
        b.noteLabel->setText(texts.noteLabels.value(slot));
        b.note->setAccessibleName(ui::spoken(texts.noteLabels.value(slot)));
    }
}

QStringList CassetteDisplay::slotCaptions(const QString &pattern)
{
    QStringList captions;
    for (int slot = 1; slot <= kSlots; ++slot)
        captions << pattern.arg(slot);
    return captions;
}

// The navigator keeps the table, and loses it with the table.
void CassetteDisplay::setTable(Table *table)
{
    m_navigator->setTable(table);
}

Table *CassetteDisplay::table() const
{
    return m_navigator->table();
}

bool CassetteDisplay::showFromLast()
{
    Table *t = table();
    if (!t || !CassetteCatalogue(*t).isOpen()) {
        clear();
        return false;
    }
    m_jump->fill(visibleValues(*t, QStringLiteral("cislo")),
                 currentValue(*t, QStringLiteral("cislo")));
    if (m_jump->count() == 0) {
        clear();
        return false;
    }
    m_jump->setCurrentIndex(m_jump->count() - 1);
    CassetteCatalogue(*t).moveToLast();
    int recording = 0;
    if (const startitem::Item start = startitem::takeItem();
        !start.number.isEmpty() && CassetteCatalogue(*t).moveToListed(start.number)) {
        m_jump->follow(CassetteCatalogue(*t).current().number);
        recording = start.recording;
    }
    showCurrent();
    // Opened at a recording of the overview: the focus shows its block.
    if (recording >= 1 && recording <= kSlots)
        m_blocks[size_t(recording - 1)].film->setFocus();
    return true;
}

QString CassetteDisplay::remainingText(int minutes)
{
    if (minutes < 0)
        return QLatin1Char('-') + HourDisplay(-minutes);
    return HourDisplay(minutes);
}

QString CassetteDisplay::counterText(int slot, int start, int end)
{
    if (start == 0 && slot == 0 && end != 0)
        return QStringLiteral("0");
    return start == 0 ? QString() : QString::number(start);
}

void CassetteDisplay::showCurrent()
{
    Table *t = table();
    if (!t || !CassetteCatalogue(*t).hasCurrent()) {
        clear();
        return;
    }
    const CassetteRecord r = CassetteCatalogue(*t).current();
    m_number = r.number;
    if (m_numberValue)
        m_numberValue->setText(m_number);
    m_typeValue->setText(r.type);
    const int capacity = CassetteCapacity(r.type);
    m_capacityValue->setText(QString::number(capacity));
    if (m_jump->currentText() != m_number)
        m_jump->follow(m_number);

    int occupied = 0;
    for (int slot = 0; slot < kSlots; ++slot) {
        Block &b = m_blocks[size_t(slot)];
        const CassetteSlot &s = r.recordings[size_t(slot)];
        b.film->setText(s.title);
        b.genre->setText(s.genre);
        b.speed->setText(s.speed.toUpper());
        b.length->setText(LengthDisplay(s.length));
        b.source->setText(s.source);
        b.date->setText(s.date.isValid() ? shortDate(s.date) : QString());
        b.start->setText(m_firstStartShown && slot == 0 ? QString::number(s.start)
                                                        : counterText(slot, s.start, s.end));
        b.end->setText(s.end == 0 ? QString() : QString::number(s.end));
        b.note->setPlainText(s.note);
        for (QLineEdit *e : {b.film, b.genre, b.source})
            e->setCursorPosition(0);
        // The browse arithmetic takes the counters, not the stored length.
        occupied += SpMinutes(s.end - s.start, s.speed);
    }
    m_note->setText(r.note);
    m_note->setCursorPosition(0);
    if (r.loan.lent)
        setLoanLabel(m_texts.lent + QStringLiteral(" ... ( ") + r.loan.borrower +
                         QStringLiteral("   od   ") + r.loan.since + QStringLiteral(" )"),
                     true);
    else
        setLoanLabel(m_texts.notLent, false);
    setRemaining(capacity - occupied, true);
}

void CassetteDisplay::clear()
{
    m_number.clear();
    if (m_numberValue)
        m_numberValue->clear();
    m_typeValue->clear();
    m_capacityValue->clear();
    for (Block &b : m_blocks) {
        for (QLineEdit *e : {b.film, b.genre, b.speed, b.length, b.source, b.date, b.start, b.end})
            e->clear();
        b.note->clear();
    }
    m_note->clear();
    setLoanLabel(QString(), false);
    setRemaining(0, false);
}

void CassetteDisplay::setTapeTimeVisible(bool on)
{
    for (QWidget *w :
         {static_cast<QWidget *>(m_capacityLabel), static_cast<QWidget *>(m_capacityValue),
          static_cast<QWidget *>(m_capacityEnd), m_remainingPanel})
        w->setVisible(on);
}

void CassetteDisplay::setLoanLabel(const QString &text, bool lent)
{
    m_loan->setText(text);
    QFont f = font();
    f.setBold(lent);
    m_loan->setFont(f);
    setColour(m_loan, lent ? kLentColour : kNotLentColour);
}

void CassetteDisplay::setRemaining(int minutes, bool known)
{
    m_remaining = known ? minutes : 0;
    m_sp->setText(known ? remainingText(minutes) : QString());
    m_lp->setText(known ? remainingText(2 * minutes) : QString());
    m_ep->setText(known ? remainingText(3 * minutes) : QString());
}

void CassetteDisplay::jumpChosen(const QString &number)
{
    Table *t = table();
    if (!t || !CassetteCatalogue(*t).isOpen())
        return;
    try {
        if (CassetteCatalogue(*t).moveToListed(number))
            showCurrent();
        else
            m_jump->follow(m_number);
        emit cassetteChanged();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void CassetteDisplay::navigatorMoved()
{
    try {
        showCurrent();
        emit cassetteChanged();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora
