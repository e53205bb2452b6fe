// The series behind the loan charts and the plain loan rules, without a
// window; the files they read are written by other writers.

#include "DbfWrite.h"
#include "RulesFixture.h"
#include "loans/LoanSeries.h"

namespace velmora::test {
namespace {

ArchiveRow loan(const QString &number, const QString &who)
{
    return {"E 180", number, {}, who, "01.01.2002", "Vrácení: 02.01.2002"};
}

TEST(LoanSeries, EveryCatalogueItemGetsABarAndDeletedOnesNone)
{
    const std::vector<ArchiveRow> rows{loan("00001", "Eva"), loan("00003", "Eva"),
                                       loan("00001", "Adam"), loan("00007", "Eva")};
    EXPECT_EQ(loansPerItem({"00001", "00002", "00003"}, rows),
              (std::vector<LoanBar>{{"00001", 2}, {"00002", 0}, {"00003", 1}}));
    // A number stored twice in the catalogue is one bar.
    EXPECT_EQ(loansPerItem({"00001", "00001"}, rows), (std::vector<LoanBar>{{"00001", 2}}));
    // The deleted 00007 still counts for its borrower.
    EXPECT_EQ(loansPerBorrower(rows), (std::vector<LoanBar>{{"Adam", 1}, {"Eva", 3}}));
    EXPECT_TRUE(loansPerBorrower({}).empty());
}

TEST(LoanSeries, NamesAreComparedExactlyAndApostrophesCountLikeAnyOther)
{
    const std::vector<ArchiveRow> rows{loan("00001", "O'Brien"), loan("00002", "eva"),
                                       loan("00003", "Eva"),     loan("00004", "O'Brien"),
                                       loan("00005", "Čeněk"),   loan("00006", "Cyril")};
    EXPECT_EQ(
        loansPerBorrower(rows),
        (std::vector<LoanBar>{{"Cyril", 1}, {"Čeněk", 1}, {"eva", 1}, {"Eva", 1}, {"O'Brien", 2}}));
}

TEST(LoanRules, ALoanIsCutToTheFieldAndDatedInTheShortForm)
{
    const Loan l = newLoan("Bartoloměj Novák ml.", QDate(2024, 3, 1), 21);
    EXPECT_TRUE(l.lent);
    EXPECT_EQ(l.borrower, "Bartoloměj Nová");
    EXPECT_EQ(l.borrower.size(), 15);
    EXPECT_EQ(l.since, "01.03.2024");
    EXPECT_EQ(l.days, 21);
}

TEST(LoanRules, TheTermEndsAfterItsLastDay)
{
    const QDate first(2024, 3, 1);
    const Loan l{true, "Eva", "01.03.2024", 7};
    EXPECT_EQ(loanTerm(l, first.addDays(7)), LoanTerm::InTerm);  // the 8th
    EXPECT_EQ(loanTerm(l, first.addDays(8)), LoanTerm::Overdue); // the 9th
    EXPECT_EQ(loanTerm({true, "Eva", "1.3.2024", 0}, first), LoanTerm::InTerm);
    EXPECT_EQ(loanTerm({true, "Eva", "31.02.2024", 0}, first), LoanTerm::Unreadable);
    EXPECT_EQ(loanTerm({false, "", "", 0}, first), LoanTerm::AtHome);
}

TEST(LoanRules, CountsOfItemsAway)
{
    std::vector<AwayItem> items(5);
    items[1].term = LoanTerm::Overdue;
    items[3].term = LoanTerm::Overdue;
    items[4].term = LoanTerm::Unreadable;
    items[4].loan.since = "v pondělí";
    items[2].loan.since = "01.03.2024";
    const AwayCounts c = countAway(items);
    EXPECT_EQ(c.lent, 5);
    EXPECT_EQ(c.inTerm, 2); // a start that cannot be read is not in term
    EXPECT_EQ(c.overdue, 2);
    EXPECT_EQ(c.unreadable, 1);
    // The stored text stays, with the mark after it.
    EXPECT_EQ(items[4].sinceText(), "v pondělí (nečitelné datum)");
    EXPECT_EQ(items[2].sinceText(), "01.03.2024");
    EXPECT_EQ(markedUnreadable("  "), "(nečitelné datum)");
    EXPECT_TRUE(items[4].announced());
    EXPECT_TRUE(items[1].announced());
    EXPECT_FALSE(items[2].announced());
}

class SeriesFiles : public RulesFixture
{
};

TEST_F(SeriesFiles, CatalogueNumbersComeAscendingFromEitherTable)
{
    addCassette("00003");
    addCassette("00001");
    addCassette("00002");
    appendCdTitle(cdTitle("00010", "B"));
    appendCdTitle(cdTitle("00009", "A"));
    EXPECT_EQ(catalogueNumbers(Paths::dataFile("data.dbf"), ItemKind::Cassette),
              (QStringList{"00001", "00002", "00003"}));
    EXPECT_EQ(catalogueNumbers(Paths::dataFile("cd01.dbf"), ItemKind::Cd),
              (QStringList{"00009", "00010"}));
}

TEST_F(SeriesFiles, FormerBorrowersComeFromTheArchiveFile)
{
    appendWithDbf("archiv.dbf", "[{'cislo': '00001', 'komu': 'Eva'},"
                                "{'cislo': '00002', 'komu': 'Adam'},"
                                "{'cislo': '00003', 'komu': 'Eva'}]");
    EXPECT_EQ(formerBorrowers(Paths::dataFile("archiv.dbf")), (QStringList{"Adam", "Eva"}));
    EXPECT_TRUE(formerBorrowers(env.file("missing.dbf")).isEmpty());
}

} // namespace
} // namespace velmora::test
