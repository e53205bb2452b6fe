#include "transfer/OwnerTables.h"

#include "engine/Table.h"

namespace velmora::exchange {

OwnerTables::OwnerTables(Catalogue catalogue)
    : m_catalogue(catalogue), m_main(std::make_unique<Table>(catalogue == Catalogue::Cassettes
                                                                 ? QStringLiteral("ExterniVK")
                                                                 : QStringLiteral("ExterniCD1"))),
      m_tracks(std::make_unique<Table>(QStringLiteral("ExterniCD2")))
{
}

OwnerTables::~OwnerTables() = default;

void OwnerTables::open(const QString &owner)
{
    const auto openOne = [&](Table &t, const QString &file, const QString &tag) {
        t.setPath(catalogueTable(m_catalogue, owner, file));
        t.setFiltered(false);
        t.setFilter(QString());
        t.setIndex(tag);
        t.open(Table::Mode::ReadOnly);
    };
    if (m_catalogue == Catalogue::Cassettes) {
        openOne(*m_main, mainTable(m_catalogue), QStringLiteral("cislo"));
        return;
    }
    try {
        openOne(*m_main, QStringLiteral("cd01.dbf"), QStringLiteral("cislocd"));
        openOne(*m_tracks, QStringLiteral("cd02.dbf"), QStringLiteral("cislocd"));
    } catch (...) {
        close();
        throw;
    }
}

void OwnerTables::close()
{
    m_main->close();
    m_tracks->close();
}

int OwnerTables::mainCount() const
{
    return m_main->recordCount();
}

int OwnerTables::trackCount() const
{
    return m_tracks->recordCount();
}

} // namespace velmora::exchange
