#pragma once

#include "catalogue/CassetteRules.h"

#include <QColor>
#include <QObject>
#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTimer;
class QWidget;

namespace velmora {

class DateBox;
class Table;

// The part that the new and the edit cassette screens share: the tape type
// with its capacity, the five recording blocks, the cassette note with the
// open-cassette box and the remaining-time panel with its overrun state.
// The widgets belong to the screen; the screen places the four groups and
// decides what each change of the user leads to.
class RecordingBlocks : public QObject
{
    Q_OBJECT
public:
    enum class Screen
    {
        New,
        Edit
    };

    struct Block
    {
        QLineEdit *title = nullptr;     // Film<n>
        QComboBox *genre = nullptr;     // zanr<n>
        QComboBox *speed = nullptr;     // ry<n>
        QLineEdit *length = nullptr;    // Cas<n>, read-only
        QLineEdit *start = nullptr;     // Start_Time<n>
        QLineEdit *end = nullptr;       // End_Time<n>
        QComboBox *source = nullptr;    // Zdroj<n>
        DateBox *date = nullptr;        // Datum<n>
        QPlainTextEdit *note = nullptr; // Pozn<n>
    };

    // Changes made while one of these lives are not reported as the user's.
    class Quiet
    {
    public:
        explicit Quiet(RecordingBlocks &b) : m_b(b) { ++m_b.m_quiet; }
        ~Quiet() { --m_b.m_quiet; }
        Quiet(const Quiet &) = delete;
        Quiet &operator=(const Quiet &) = delete;

    private:
        RecordingBlocks &m_b;
    };

    static constexpr int kAlternationMs = 800;

    RecordingBlocks(Screen screen, QWidget *owner);

    // The groups for the screen's layout.
    QWidget *typeRow() const { return m_typeRow; }
    QScrollArea *blockArea() const { return m_area; }
    QWidget *notePanel() const { return m_notePanel; }
    QFrame *remainingPanel() const { return m_panel; }
    // The frame both cassette screens share: their own header beside the
    // type row, the blocks, then note, remaining time and their buttons
    // stacked from the bottom up in the order given.
    void layOut(QWidget *screen, QLayout *header, const QList<QPushButton *> &buttons);

    const Block &block(int n) const { return m_blocks[size_t(n - 1)]; } // n = 1..5
    QComboBox *typeList() const { return m_type; }
    QLabel *capacityLabel() const { return m_capacity; }
    QLineEdit *cassetteNote() const { return m_note; }
    QCheckBox *openBox() const { return m_open; }

    // Genres (sorted) and sources (in table order) from the two user lists,
    // each after an empty entry. The tables are opened and closed here.
    void fillLists(Table &genres, Table &sources);

    // Empties block n: no title, genre, speed, source, date or note and both
    // counters "0".
    void clearBlock(int n);
    // Selects the entry with exactly this text, none when missing.
    static void selectText(QComboBox *list, const QString &text);
    // The selected entry's text, empty when none is selected.
    static QString listText(const QComboBox *list);
    // The five recordings as the boxes hold them, lengths from the last
    // computation. A date box without a valid date gives an empty date;
    // with emptyUnreadDates the box itself is emptied too.
    std::array<CassetteSlot, kSlots> recordings(bool emptyUnreadDates) const;
    // Shows stored recordings: titles, lists, counters, sources, dates and
    // notes (the lengths follow from the next computation).
    void showRecordings(const std::array<CassetteSlot, kSlots> &recordings);
    QString typeText() const;

    // A counter box read as an integer; an empty box reads 0.
    static int counter(const QLineEdit *box);
    // Lengths from the counter boxes into the length boxes. With zeroEmpty an
    // empty counter box is first set to "0".
    void computeLengths(bool zeroEmpty);
    int length(int n) const { return m_lengths[size_t(n - 1)]; }
    int remaining() const;
    void showCapacity();
    // Shows a remaining time: the overrun state below 0, the three values
    // otherwise.
    void showRemaining(int remaining);
    // The three values without a computation ("0h 00m" on a fresh screen).
    void showRemainingValues(int remaining);
    bool overrun() const { return m_overrun; }
    void leaveOverrun();

    // The open-cassette box as the rules set it: a change of its state
    // rewrites the cassette note; the same state leaves the note alone.
    void setOpenFromRule(bool open);
    // The box without touching the note (a loaded cassette).
    void setOpenQuietly(bool open);
    // The note that the box stands for: the open-cassette text or empty.
    void writeOpenNote(bool open);

    QTimer *alternationTimer() const { return m_timer; }
    QColor captionColour() const { return m_captionColour; }
    QLabel *reserveLabel() const { return m_reserve; }
    QLabel *panelCaption() const { return m_caption; }
    QLabel *remainingValue(int factor) const { return m_values[size_t(factor - 1)]; }
    QLabel *remainingLabel(int factor) const { return m_speedLabels[size_t(factor - 1)]; }

public slots:
    // One step of the overrun warning: red and silver in turn.
    void alternate();
    void stopAlternation();

signals:
    void titleChanged(int n);
    void speedChanged(int n);
    void counterChanged(int n);
    void endCounterLeft(int n);
    void typeChanged();
    void openBoxClicked(bool on);
    void overrunChanged(bool on);
    // Any change the user made to a box, list, note, date or the open box.
    void edited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool quiet() const { return m_quiet > 0; }
    void buildBlock(int n, QWidget *parent);
    void setCaptionColour(const QColor &c);
    void report(void (RecordingBlocks::*signal)(int), int n);

    std::array<Block, kSlots> m_blocks;
    std::array<int, kSlots> m_lengths{};
    QWidget *m_typeRow = nullptr;
    QComboBox *m_type = nullptr;
    QLabel *m_capacity = nullptr;
    QScrollArea *m_area = nullptr;
    QWidget *m_notePanel = nullptr;
    QLineEdit *m_note = nullptr;
    QCheckBox *m_open = nullptr;
    QFrame *m_panel = nullptr;
    QLabel *m_caption = nullptr;
    QLabel *m_reserve = nullptr;
    std::array<QLabel *, 3> m_speedLabels{};
    std::array<QLabel *, 3> m_values{};
    QTimer *m_timer = nullptr;
    QColor m_captionColour;
    bool m_overrun = false;
    int m_quiet = 0;
};

} // namespace velmora
