#include "ImportedCatalogues.h"
#include "TestEnv.h"
#include "storage/Paths.h"
#include "storage/Storage.h"
#include "transfer/ExchangeFiles.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using namespace exchange;

class Registers : public ::testing::Test
{
protected:
    Registers()
    {
        Paths::setDataDir(env.dataDir() + QLatin1Char('/'));
        Storage::prepareDirectories();
    }
    TestEnv env;
};

TEST_F(Registers, MissingRegisterMeansNoCatalogueAndRecordsComeInImportOrder)
{
    EXPECT_FALSE(registerExists(Catalogue::Cassettes));
    EXPECT_TRUE(readRegister(Catalogue::Cassettes).isEmpty());

    addImported(Catalogue::Cassettes, QStringLiteral("Petr"), QStringLiteral("03.04.2002"));
    addImported(Catalogue::Cassettes, QStringLiteral("Anna"));
    addImported(Catalogue::Cds, QStringLiteral("Eva"));
    const QList<RegisterEntry> vk = readRegister(Catalogue::Cassettes);
    ASSERT_EQ(vk.size(), 2);
    EXPECT_EQ(vk[0].user, "Petr");
    EXPECT_EQ(vk[0].day, "03.04.2002");
    EXPECT_EQ(vk[0].toSource, Paths::externiDir() + "VK-Petr");
    EXPECT_EQ(vk[1].user, "Anna");
    EXPECT_TRUE(QFileInfo::exists(catalogueTable(Catalogue::Cassettes, "Anna", "data.dbf")));
    EXPECT_TRUE(QFileInfo::exists(Paths::externiDir() + "Source.dbf"));

    const QList<RegisterEntry> cd = readRegister(Catalogue::Cds);
    ASSERT_EQ(cd.size(), 1);
    EXPECT_EQ(cd[0].toSource, Paths::externiDir() + "CD-Eva");
    EXPECT_TRUE(QFileInfo::exists(catalogueTable(Catalogue::Cds, "Eva", "cd02.dbf")));
    EXPECT_TRUE(QFileInfo::exists(Paths::externiDir() + "SourceCD.dbf"));
}

} // namespace
} // namespace velmora::test
