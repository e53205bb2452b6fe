#pragma once

#include "storage/LoanRecords.h"
#include "storage/Overdue.h"
#include "storage/Records.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <stdexcept>
#include <vector>

namespace velmora {

class Table;

// What is lent: a cassette of data.dbf or a CD title of cd01.dbf. The two
// share the loan fields (capitalised in cd01.dbf) and differ in their
// archive, their number field and what a list of lent items shows.
enum class ItemKind
{
    Cassette,
    Cd
};

inline constexpr int kBorrowerWidth = 15; // komu
inline const QString kReturnNote = QStringLiteral("Vrácení: ");
// The mark after a loan start that does not read as a date: the stored
// text stays as it is, so the user can see what was written.
inline const QString kUnreadableDate = QStringLiteral("nečitelné datum");
// "<stored text> (nečitelné datum)"; the mark alone for an empty start.
QString markedUnreadable(const QString &since);

// The former borrowers of an archive, each once, in the order of the
// borrower index (Czech alphabetical); names that differ only in case are
// different borrowers.
QStringList distinctBorrowers(const std::vector<ArchiveRow> &rows);
// The archive at `path` read through a handle of its own; an archive that
// is missing or unreadable gives no borrowers.
QStringList formerBorrowers(const QString &archivePath);

// The loan a confirmed borrower dialog makes: the name as the field keeps
// it (its first 15 characters), the start in the short date form.
Loan newLoan(const QString &borrower, const QDate &from, int days);
// Writes the loan into the current record of an item table and posts it;
// a failed post is cancelled and rethrown, leaving the item at home.
void lendCurrent(Table &items, const Loan &loan);

// A return that could not be completed; the item is still lent and the
// archive holds no row of this return.
class ReturnError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The archive row of the current item coming back today.
ArchiveRow finishedLoan(ItemKind kind, const Table &items, const QDate &today);
// Ends the loan of the current item: appends its archive row to the
// archive at `archivePath` (through a handle of its own) and only when that
// row is posted clears the loan in the item (delka_pujc keeps its value).
// When the item cannot be cleared the archive row is taken back. Throws
// ReturnError saying what happened.
void returnCurrent(ItemKind kind, Table &items, const QString &archivePath, const QDate &today);

// A lent item as the items-away screens list it.
struct AwayItem
{
    QString number;
    QString title; // TitulCD of a CD title
    std::array<QString, kCassetteSlots> films;
    std::array<QString, kCassetteSlots> genres;
    Loan loan;
    QString note; // pozn / PoznCD
    LoanTerm term = LoanTerm::InTerm;

    // The loan start as the list shows it: the stored text, marked when it
    // does not read as a date.
    QString sinceText() const;
    bool unreadable() const { return term == LoanTerm::Unreadable; }
    // Overdue, or not to be judged: the loans the reminders announce.
    bool announced() const { return term == LoanTerm::Overdue || unreadable(); }
};

// Every lent item of an open item table in its active order.
std::vector<AwayItem> lentItems(ItemKind kind, const Table &items, const QDate &today);

struct AwayCounts
{
    int lent = 0;
    int inTerm = 0; // lent minus overdue minus unreadable
    int overdue = 0;
    int unreadable = 0; // loan start not a date: neither in term nor overdue
};
AwayCounts countAway(const std::vector<AwayItem> &items);

} // namespace velmora
