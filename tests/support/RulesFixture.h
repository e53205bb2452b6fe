#pragma once

// The program's tables in a private data directory, prepared as a start
// prepares them, without any window: for the tests of the rules.

#include "CassetteRows.h"
#include "CdRows.h"
#include "DbfWrite.h"
#include "TestEnv.h"
#include "storage/Paths.h"
#include "storage/Storage.h"
#include "storage/TableHandles.h"

#include <gtest/gtest.h>

namespace velmora::test {

class RulesFixture : public ::testing::Test
{
protected:
    RulesFixture()
    {
        Paths::setDataDir(env.dataDir() + QLatin1Char('/'));
        Storage::prepareDirectories();
        Storage::prepareTables(tables);
    }
    ~RulesFixture() override { tables.closeAll(); }

    // A cassette row appended straight to data.dbf.
    static void addCassette(const QString &number, bool lent = false,
                            const QString &from = QString(), int days = 0)
    {
        CassetteRecord c;
        c.number = number;
        c.loan = {lent, QString(), from, days};
        appendCassette(c);
    }

    // A CD title row, its number only, appended straight to cd01.dbf.
    static void addCdTitle(const QString &number) { appendCdTitle(cdTitle(number)); }

    TestEnv env;
    TableHandles tables;
};

} // namespace velmora::test
