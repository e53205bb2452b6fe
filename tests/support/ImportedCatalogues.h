#pragma once

// Imported catalogues as the import manager leaves them under EXTERNI: the
// owner's directory with empty tables of our layouts, and the owner's record
// in the register (made when missing). Tests fill the tables through their
// paths, e.g. appendCassettes(rows, catalogueTable(...)).

#include "storage/Schemas.h"
#include "transfer/ExchangeFiles.h"

#include <QDir>
#include <gtest/gtest.h>

namespace velmora::test {

inline QString addImported(exchange::Catalogue catalogue, const QString &owner,
                           const QString &day = QStringLiteral("01.02.2002"))
{
    using namespace exchange;
    const QString dir = catalogueDir(catalogue, owner);
    EXPECT_TRUE(QDir().mkpath(dir));
    const QList<TableSchema> tables =
        catalogue == Catalogue::Cassettes
            ? QList<TableSchema>{schema::cassettes()}
            : QList<TableSchema>{schema::cdTitles(), schema::cdTracks()};
    for (const TableSchema &s : tables) {
        Table t;
        t.setPath(dir + QLatin1Char('/') + s.fileName);
        t.create(s.fields, s.tags);
    }
    Table reg;
    reg.setPath(registerPath(catalogue));
    if (!reg.exists())
        reg.create(registerFields());
    reg.open();
    reg.append();
    reg.setString("Day", day);
    reg.setString("User", owner);
    reg.setString("ToSource", dir);
    reg.post();
    reg.close();
    return dir;
}

} // namespace velmora::test
