#pragma once

#include "catalogue/CassetteRules.h"
#include "storage/Records.h"

#include <QString>

namespace velmora {

class Table;

// Reading and writing the cassettes of data.dbf for the cassette screens:
// a screen hands over a record or a number, and the opening, locating,
// filtering and posting happen here.
class CassetteCatalogue
{
public:
    explicit CassetteCatalogue(Table &cassettes) : m_table(cassettes) {}

    // The numbers offered for a new cassette, in the number order; every
    // number in use counts, whatever was filtered. Opens a closed table.
    FreeNumbers offers();
    // Appends a new cassette (no loan). False when writing failed: the
    // table keeps what it had.
    bool add(const CassetteRecord &record);
    // Writes the type, the recordings and the note of the current cassette;
    // its number and loan stay. False when writing failed: the record keeps
    // its previous values.
    bool saveCurrent(const CassetteRecord &record);
    // Deletes the current cassette with any loan it has; its rows in the
    // archive stay under its number.
    void deleteCurrent();

    bool isOpen() const;
    // The table is open and stands on a record.
    bool hasCurrent() const;
    CassetteRecord current() const;
    QString currentNumber() const;
    // Moves to the cassette with this number; false (staying put) when
    // there is none.
    bool moveTo(const QString &number);
    // Moves to the first cassette whose number begins with the text, as a
    // jump list of whole numbers chooses; false (staying put) when none.
    bool moveToListed(const QString &number);
    // Moves to the last cassette in the order and filter kept.
    void moveToLast();

    // Every cassette in the number order.
    void orderByNumber();
    // Every cassette again, whatever a screen filtered.
    void showAll();
    // Every cassette, at the one with the highest number in the order kept.
    void showAllFromLast();
    void close();

private:
    // Appends (asNew) or edits the current record and posts; a failed
    // write is cancelled.
    bool write(bool asNew, const CassetteRecord &record);

    Table &m_table;
};

} // namespace velmora
