#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>

namespace velmora {

class Table;

// The records of the catalogue tables as the program works with them. A
// record is read from and written to a table only through the columns
// below, so no screen spells a field name.

// A loan as the item's own record holds it (pujceno, komu, od_kdy,
// delka_pujc; the CD titles have the same names capitalised).
struct Loan
{
    bool lent = false;
    QString borrower;
    QString since; // the loan start in the short date form
    int days = 0;  // the agreed length of the loan
};

// One recording slot of a cassette: film<n>, zanr<n>, ry<n>, cas<n>,
// zdroj<n>, datum<n>, S_Time<n>, E_Time<n> and P_film<n>.
struct CassetteSlot
{
    QString title;
    QString genre;
    QString speed; // "SP", "LP", "EP" or whatever is stored
    int length = 0;
    QString source;
    QDate date; // invalid when empty
    int start = 0;
    int end = 0;
    QString note; // a memo

    // A slot counts as a film when its title is not empty.
    bool used() const { return !title.isEmpty(); }
};

inline constexpr int kCassetteSlots = 5;

// A cassette of data.dbf.
struct CassetteRecord
{
    QString type;   // t_kazety
    QString number; // cislo
    std::array<CassetteSlot, kCassetteSlots> recordings;
    Loan loan;
    QString note; // pozn
};

// The loan fields of a table, resolved once.
class LoanColumns
{
public:
    explicit LoanColumns(const Table &table);

    Loan read(const Table &table) const; // the current record
    void write(Table &table, const Loan &loan) const;
    bool lentAt(const Table &table, int physical) const;

    int lent, borrower, since, days;
};

// The fields of data.dbf, resolved once per table; a missing field throws
// DbError naming it. Hot loops read single fields through the indexes.
class CassetteColumns
{
public:
    struct Slot
    {
        int title, genre, speed, length, source, date, start, end, note;
    };

    explicit CassetteColumns(const Table &table);

    // The current record, every field (memos included).
    CassetteRecord read(const Table &table) const;
    // What the edit screen saves into the record being edited: the type,
    // the five recordings and the note; an invalid date empties its field.
    void writeContent(Table &table, const CassetteRecord &record) const;
    // A new cassette: its number and content, and at home.
    void writeNew(Table &table, const CassetteRecord &record) const;

    int type, number, note;
    std::array<Slot, kCassetteSlots> recordings;
    LoanColumns loan;
};

// The current record of a cassette table.
CassetteRecord readCassette(const Table &table);

// The entries of a user list (genres, sources, formats, styles) in the
// table's order; the table is opened and closed here.
QStringList readUserList(Table &list);

} // namespace velmora
