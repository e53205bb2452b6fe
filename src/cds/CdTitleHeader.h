#pragma once

#include "storage/CdRecords.h"

#include <QColor>
#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace velmora {

class JumpList;
class Table;

// The head of the screens that show one CD title (its display and its
// lending): the jump list and the size in the first row, then the title,
// the artist and the note in read-only boxes, each with its caption. The
// controls are made straight on the screen, in the order the screens have
// always had them; the screens word and name some captions differently and
// pass theirs in.
class CdTitleHeader
{
public:
    static inline const QColor kLentColour{0x80, 0x00, 0x00};
    static inline const QColor kNotLentColour{0x00, 0x00, 0x00};

    struct Design
    {
        const char *titleName; // of the title's caption
        const char *titleCaption;
        const char *artistCaption;
        const char *noteName; // of the note's caption
        // The loan line under the first row, where not null: its name.
        const char *loanName;
        // The jump list and the size keep their least width, the rest of the
        // first row empty; else the two columns of values share the width.
        bool packedFirstRow;
    };

    CdTitleHeader(QWidget *parent, const Design &design);

    QGridLayout *layout() const { return m_grid; }
    JumpList *jumpList() const { return m_jump; }
    QLabel *sizeLabel() const { return m_size; }
    QLabel *loanLabel() const { return m_loan; } // null without the loan line

    // Fills the jump list with the numbers of the titles (cd01.dbf, open)
    // and moves the list and the table to the last one; false when the
    // table is empty.
    bool fillFromLast(Table &titles);
    // Moves the table to the title of the number chosen in the jump list;
    // where there is none, the list goes back to the number still shown.
    bool locate(Table &titles, const QString &number, const QString &shown);

    // The title's texts, the size and the artist as the screen words them.
    void show(const CdTitle &title, const QString &size, const QString &artist);
    void clear();

    // The loan state as both screens word and colour it.
    static void showLoan(QLabel *label, const Loan &loan);

private:
    QGridLayout *m_grid = nullptr;
    JumpList *m_jump = nullptr;
    QLabel *m_size = nullptr;
    QLabel *m_loan = nullptr;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_artist = nullptr;
    QLineEdit *m_note = nullptr;
};

} // namespace velmora
