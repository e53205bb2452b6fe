// The cassette catalogue the screens hand their records to: what it writes
// is read back by another reader, a failed write leaves the table as it was.

#include "CassetteRows.h"
#include "DbfRead.h"
#include "RulesFixture.h"
#include "catalogue/CassetteCatalogue.h"
#include "engine/Table.h"

#include <QJsonObject>
#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

class Catalogue : public RulesFixture
{
protected:
    Table &cassettes() { return tables.Table1; }
    QJsonArray rows() { return readWithDbfread(Paths::dataFile(QStringLiteral("data.dbf"))); }
};

CassetteRecord cassette(const QString &number, const QString &title)
{
    CassetteRecord r;
    r.type = QStringLiteral("E 180");
    r.number = number;
    r.recordings[0] = slot(title, QStringLiteral("SP"), 90);
    r.note = QStringLiteral("Poznámka");
    return r;
}

} // namespace

TEST_F(Catalogue, ANewCassetteFillsAGapAndTheGapIsNoLongerOffered)
{
    CassetteRecord lent = cassette(QStringLiteral("00001"), QStringLiteral("Pelíšky"));
    lent.loan = {true, QStringLiteral("Eva"), QStringLiteral("01.02.2002"), 7};
    appendCassette(lent);
    appendCassette(cassette(QStringLiteral("00003"), QStringLiteral("Kolja")));

    CassetteCatalogue catalogue(cassettes());
    // A closed table is opened; a filter set by another screen hides nothing.
    cassettes().open();
    cassettes().setFilter(QStringLiteral("pujceno=True"));
    cassettes().setFiltered(true);
    cassettes().close();
    FreeNumbers offers = catalogue.offers();
    ASSERT_TRUE(cassettes().isOpen());
    // The gap is offered, the number after the highest one chosen.
    EXPECT_TRUE(offers.offers.contains(QStringLiteral("00002")));
    EXPECT_EQ(offers.preselected, QStringLiteral("00004"));

    ASSERT_TRUE(catalogue.add(cassette(QStringLiteral("00002"), QStringLiteral("Šakalí léta"))));
    const QJsonArray stored = rows();
    ASSERT_EQ(stored.size(), 3);
    const QJsonObject added = stored[2].toObject();
    EXPECT_EQ(added["cislo"].toString(), "00002");
    EXPECT_EQ(added["film1"].toString(), "Šakalí léta");
    EXPECT_EQ(added["pujceno"].toBool(), false);
    offers = catalogue.offers();
    EXPECT_FALSE(offers.offers.contains(QStringLiteral("00002")));
    EXPECT_EQ(offers.preselected, QStringLiteral("00004"));
    catalogue.close();
    EXPECT_FALSE(cassettes().isOpen());
}

TEST_F(Catalogue, SavingTheCurrentCassetteKeepsItsNumberAndLoan)
{
    CassetteRecord lent = cassette(QStringLiteral("00007"), QStringLiteral("Pelíšky"));
    lent.loan = {true, QStringLiteral("Eva"), QStringLiteral("01.02.2002"), 7};
    appendCassettes({cassette(QStringLiteral("00001"), QStringLiteral("Kolja")), lent});
    cassettes().open();
    CassetteCatalogue catalogue(cassettes());
    catalogue.orderByNumber();
    ASSERT_TRUE(catalogue.moveTo(QStringLiteral("00007")));
    EXPECT_FALSE(catalogue.moveTo(QStringLiteral("00005")));
    EXPECT_EQ(catalogue.currentNumber(), QStringLiteral("00007"));

    CassetteRecord changed = cassette(QStringLiteral("99999"), QStringLiteral("Obecná škola"));
    ASSERT_TRUE(catalogue.saveCurrent(changed));
    const QJsonObject saved = rows()[1].toObject();
    EXPECT_EQ(saved["cislo"].toString(), "00007");
    EXPECT_EQ(saved["film1"].toString(), "Obecná škola");
    EXPECT_EQ(saved["komu"].toString(), "Eva");
    EXPECT_EQ(saved["pujceno"].toBool(), true);
    EXPECT_EQ(catalogue.current().recordings[0].title, QStringLiteral("Obecná škola"));

    catalogue.deleteCurrent();
    cassettes().close();
    const QJsonArray left = rows();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0].toObject()["cislo"].toString(), "00001");
}

TEST_F(Catalogue, AWriteThatCannotBeMadeIsToldAndLeavesTheTableAsItWas)
{
    appendCassette(cassette(QStringLiteral("00001"), QStringLiteral("Kolja")));
    cassettes().open(Table::Mode::ReadOnly);
    CassetteCatalogue catalogue(cassettes());
    catalogue.orderByNumber();
    catalogue.showAllFromLast();
    EXPECT_FALSE(catalogue.add(cassette(QStringLiteral("00002"), QStringLiteral("Pelíšky"))));
    EXPECT_FALSE(catalogue.saveCurrent(cassette(QStringLiteral("00001"), QStringLiteral("Jiný"))));
    EXPECT_EQ(catalogue.current().recordings[0].title, QStringLiteral("Kolja"));
    cassettes().close();
    const QJsonArray left = rows();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0].toObject()["film1"].toString(), "Kolja");
}

TEST_F(Catalogue, TheDisplayMovesByListedNumberAndToTheLastInTheOrderAndFilterKept)
{
    CassetteRecord lent = cassette(QStringLiteral("00003"), QStringLiteral("Kolja"));
    lent.loan = {true, QStringLiteral("Eva"), QStringLiteral("01.02.2002"), 7};
    appendCassette(lent);
    appendCassette(cassette(QStringLiteral("00010"), QStringLiteral("Pelíšky")));
    appendCassette(cassette(QStringLiteral("00001"), QStringLiteral("Obecná škola")));

    CassetteCatalogue catalogue(cassettes());
    EXPECT_FALSE(catalogue.isOpen());
    EXPECT_FALSE(catalogue.hasCurrent());
    cassettes().open();
    catalogue.orderByNumber();
    EXPECT_TRUE(catalogue.hasCurrent());

    catalogue.moveToLast();
    EXPECT_EQ(catalogue.currentNumber(), "00010");
    ASSERT_TRUE(catalogue.moveToListed(QStringLiteral("00001")));
    EXPECT_EQ(catalogue.current().recordings[0].title, "Obecná škola");
    // The beginning of a number finds the first cassette it begins.
    ASSERT_TRUE(catalogue.moveToListed(QStringLiteral("0001")));
    EXPECT_EQ(catalogue.currentNumber(), "00010");
    // A number that is not there leaves the display where it was.
    EXPECT_FALSE(catalogue.moveToListed(QStringLiteral("00002")));
    EXPECT_EQ(catalogue.currentNumber(), "00010");

    // Only the lent ones: the last is the lent one, whatever follows it.
    cassettes().setFilter(QStringLiteral("pujceno=True"));
    cassettes().setFiltered(true);
    catalogue.moveToLast();
    EXPECT_EQ(catalogue.currentNumber(), "00003");
    catalogue.showAll();
    catalogue.moveToLast();
    EXPECT_EQ(catalogue.currentNumber(), "00010");
}
