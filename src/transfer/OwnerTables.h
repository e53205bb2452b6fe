#pragma once

// The tables of another user's imported catalogue, opened read-only for
// the reports over it and closed again.

#include "transfer/ExchangeFiles.h"

#include <QString>
#include <memory>

namespace velmora {

class Table;

namespace exchange {

class OwnerTables
{
public:
    explicit OwnerTables(Catalogue catalogue);
    ~OwnerTables();

    // Opens the owner's data.dbf (cassettes) or cd01.dbf and cd02.dbf (CDs)
    // unfiltered, in the number order, read-only. A missing file throws the
    // error naming it, and nothing stays open.
    void open(const QString &owner);
    // Closes whatever is open; an error closing is thrown.
    void close();

    // data.dbf or cd01.dbf.
    Table &main() { return *m_main; }
    const Table &main() const { return *m_main; }
    // cd02.dbf; never opened for the cassettes.
    Table &tracks() { return *m_tracks; }
    const Table &tracks() const { return *m_tracks; }
    int mainCount() const;
    int trackCount() const;

private:
    Catalogue m_catalogue;
    std::unique_ptr<Table> m_main;
    std::unique_ptr<Table> m_tracks;
};

} // namespace exchange
} // namespace velmora
