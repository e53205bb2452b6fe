#pragma once

// The cassette display shared by the cassette screens: a view over the
// cassette table, whose record navigator and jump list move through it, so it
// holds the table itself; reading and moving go through CassetteCatalogue.

#include <QColor>

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace velmora {

class JumpList;
class RecordNavigator;
class Table;

// The read-only view of one cassette shared by the browse and delete
// screens: number, type and capacity, the five recordings, the cassette
// note, the loan state and the remaining tape time. It also carries the
// moving: the jump list of numbers, the navigator and the screen's wheel.
class CassetteDisplay : public QWidget
{
    Q_OBJECT
public:
    // The captions of the five blocks: the pattern with the block's number
    // 1 to 5 for its %1.
    static QStringList slotCaptions(const QString &pattern);

    // Captions of the display; the defaults are the built-in Czech ones.
    struct Texts
    {
        QString jumpLabel = QStringLiteral("Jdi na kazetu :");
        QString numberLabel = QStringLiteral("Číslo kazety:");
        QString typeLabel = QStringLiteral("Typ kazety :");
        QString capacityLabel = QStringLiteral("(délka v minutách:");
        QString noteLabel = QStringLiteral("Poznámka k videokazetě :");
        QString remainingLabel = QStringLiteral("Rezerva:");
        QStringList filmLabels = slotCaptions(QStringLiteral("Film %1    :"));
        QString sourceLabel = QStringLiteral("Zdroj filmu :");
        QString dateLabel = QStringLiteral("Pořízeno dne:");
        QString lengthLabel = QStringLiteral("délka:");
        QString startLabel = QStringLiteral("Start (min) :");
        QString endLabel = QStringLiteral("Konec (min) :");
        QStringList noteLabels = slotCaptions(QStringLiteral("Pozn.  %1.  :"));
        // The loan label: the lent text is followed by the borrower and the
        // loan date.
        QString lent = QStringLiteral("Kazeta je půjčena!");
        QString notLent = QStringLiteral("Kazeta není půjčena ...");
    };

    static inline const QColor kLentColour{0x80, 0x00, 0x00}; // dark red
    static inline const QColor kNotLentColour{0x00, 0x00, 0x00};
    static inline const QColor kRemainingColour{0x00, 0x00, 0x80}; // navy

    // withNumber: a label with the number beside the jump list (the delete
    // screen shows the number in the jump list only).
    explicit CassetteDisplay(bool withNumber, QWidget *parent = nullptr);

    void setTexts(const Texts &texts);
    const Texts &texts() const { return m_texts; }

    // The table whose current record is shown; the navigator moves it.
    void setTable(Table *table);
    Table *table() const;

    JumpList *jumpList() const { return m_jump; }
    RecordNavigator *navigator() const { return m_navigator; }
    // The bottom row: the navigator, then the buttons the screen adds.
    QHBoxLayout *buttonRow() const { return m_buttonRow; }

    // Fills the jump list from the first record, moves to the last record
    // (the highest number) and shows it. Returns false on an empty table,
    // which leaves the display empty.
    bool showFromLast();
    // Shows the table's current record, or empties the display without one.
    void showCurrent();
    void clear();

    // The capacity and the remaining tape time; the lending screen has no
    // use for them.
    void setTapeTimeVisible(bool on);
    QLabel *loanLabel() const { return m_loan; }
    // The lending screen shows the start of block 1 even when it is 0.
    void setFirstStartAlwaysShown(bool on) { m_firstStartShown = on; }

    // The number of the cassette shown; empty when none.
    QString currentNumber() const { return m_number; }
    // Capacity minus the SP minutes of the five blocks, from the counters.
    int remaining() const { return m_remaining; }

    // The remaining-time form: HourDisplay, with the sign in front when
    // the stored recordings overfill the tape ("-0h 05m").
    static QString remainingText(int minutes);
    // Counter box text: empty for 0 except the start of block 1 when the
    // block ends elsewhere.
    static QString counterText(int slot, int start, int end);

signals:
    // Another cassette is shown after a jump, a navigator button or the wheel.
    void cassetteChanged();

private:
    struct Block
    {
        QLabel *filmLabel = nullptr;
        QLabel *lengthLabel = nullptr;
        QLabel *sourceLabel = nullptr;
        QLabel *dateLabel = nullptr;
        QLabel *startLabel = nullptr;
        QLabel *endLabel = nullptr;
        QLabel *noteLabel = nullptr;
        QLineEdit *film = nullptr;
        QLineEdit *genre = nullptr;
        QLineEdit *speed = nullptr;
        QLineEdit *length = nullptr;
        QLineEdit *source = nullptr;
        QLineEdit *date = nullptr;
        QLineEdit *start = nullptr;
        QLineEdit *end = nullptr;
        QPlainTextEdit *note = nullptr;
    };

    void buildBlock(QGridLayout *grid, int row, int slot);
    void jumpChosen(const QString &number);
    void navigatorMoved();
    void setLoanLabel(const QString &text, bool lent);
    void setRemaining(int minutes, bool known);

    Texts m_texts;
    QString m_number;
    int m_remaining = 0;
    bool m_firstStartShown = false;

    QLabel *m_jumpLabel = nullptr;
    JumpList *m_jump = nullptr;
    QLabel *m_numberLabel = nullptr;
    QLabel *m_numberValue = nullptr;
    QLabel *m_typeLabel = nullptr;
    QLabel *m_typeValue = nullptr;
    QLabel *m_capacityLabel = nullptr;
    QLabel *m_capacityValue = nullptr;
    QLabel *m_capacityEnd = nullptr;
    QWidget *m_remainingPanel = nullptr;
    std::array<Block, 5> m_blocks;
    QLabel *m_noteLabel = nullptr;
    QLineEdit *m_note = nullptr;
    QLabel *m_loan = nullptr;
    QLabel *m_remainingLabel = nullptr;
    QLabel *m_sp = nullptr;
    QLabel *m_lp = nullptr;
    QLabel *m_ep = nullptr;
    RecordNavigator *m_navigator = nullptr;
    QHBoxLayout *m_buttonRow = nullptr;
};

} // namespace velmora
