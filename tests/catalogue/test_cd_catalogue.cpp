// The CD title rules and the work table's actions without a window, and
// titles saved, replaced and deleted on real tables: checked through the
// engine and through dbfread, including saves that a full disk stops.

#include "CdTables.h"
#include "RulesFixture.h"
#include "catalogue/CdCatalogue.h"
#include "catalogue/CdRules.h"
#include "catalogue/TrackWork.h"

#include <QFileInfo>
#include <csignal>
#include <sys/resource.h>

using namespace velmora;
using namespace velmora::test;

namespace {

QStringList rowsOf(const TrackWork &w, const QString &label)
{
    QStringList out;
    for (int i : w.discRows(label))
        out << QString::number(w.row(i).number) + ' ' + w.row(i).title;
    return out;
}

TrackWork disc(const QString &label, int count)
{
    TrackWork w;
    w.setTrackCount(label, count);
    return w;
}

// Lets the files of this process grow by at most `bytes` while it lives,
// as a disk that fills up does.
class FullDisk
{
public:
    explicit FullDisk(qint64 bytesFromNow, const QString &file)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit r = m_old;
        r.rlim_cur = rlim_t(QFileInfo(file).size() + bytesFromNow);
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

} // namespace

TEST(CdRules, LengthsTotalsAndLabels)
{
    EXPECT_EQ(lengthText(4, 7), "04:07");
    EXPECT_EQ(lengthTextOfSeconds(245), "04:05");
    EXPECT_EQ(lengthTextOfSeconds(0), "00:00");
    EXPECT_EQ(secondsOfLength("07:05"), 425);
    EXPECT_EQ(secondsOfLength("99:59"), 5999);
    for (const char *bad : {"7:05", "07:60", "07-05", "0a:05", "07:5", "", "07:055", "٠٧:٠٥"})
        EXPECT_FALSE(secondsOfLength(QString::fromUtf8(bad)).has_value()) << bad;
    EXPECT_EQ(discTotalText(2707), "45 min 07 sek.");
    EXPECT_EQ(discTotalText(0), "0 min 00 sek.");
    EXPECT_EQ(trackListLength(185), "3m 05s");
    EXPECT_EQ(trackListLength(65), "1m 05s");
    EXPECT_EQ(trackListLength(600), "10m 00s");
    EXPECT_EQ(captionOfLabel("CD12"), "CD 12");
    EXPECT_EQ(labelOfCaption("CD 12"), "CD12");
    EXPECT_EQ(discOfLabel("CD12"), 12);
    EXPECT_EQ(discOfLabel("XY"), 0);
}

TEST(TrackWorkTest, InsertingAndDeletingTracksKeepsTheNumbering)
{
    TrackWork w = disc("CD1", 4);
    w.insertTrack("CD1", 2, {"", 0, kNewTrack, kZeroLength, "", ""});
    EXPECT_EQ(rowsOf(w, "CD1"),
              (QStringList{"1 Stopa 1", "2 Nová Stopa !", "3 Stopa 2", "4 Stopa 3", "5 Stopa 4"}));
    w.removeTrack("CD1", 1);
    EXPECT_EQ(rowsOf(w, "CD1").first(), "1 Nová Stopa !");
    EXPECT_EQ(w.trackCount("CD1"), 4);
    // Fewer by hand: the end goes.
    w.setTrackCount("CD1", 2);
    EXPECT_EQ(rowsOf(w, "CD1"), (QStringList{"1 Nová Stopa !", "2 Stopa 2"}));
    w.setTrackCount("CD1", 3);
    EXPECT_EQ(rowsOf(w, "CD1").last(), "3 Stopa 3");
}

TEST(TrackWorkTest, DiscsMoveWhenOneIsInsertedOrDeleted)
{
    TrackWork w;
    for (int d = 1; d <= 3; ++d)
        w.replaceDisc(discLabel(d), {{"", 0, QStringLiteral("D%1").arg(d), kZeroLength, "", ""}});
    w.insertDisc(2, 3);
    EXPECT_EQ(rowsOf(w, "CD1"), QStringList{"1 D1"});
    EXPECT_TRUE(rowsOf(w, "CD2").isEmpty());
    EXPECT_EQ(rowsOf(w, "CD3"), QStringList{"1 D2"});
    EXPECT_EQ(rowsOf(w, "CD4"), QStringList{"1 D3"});
    w.removeDisc(1, 4);
    EXPECT_TRUE(rowsOf(w, "CD1").isEmpty());
    EXPECT_EQ(rowsOf(w, "CD2"), QStringList{"1 D2"});
    EXPECT_EQ(rowsOf(w, "CD3"), QStringList{"1 D3"});
    w.keepDiscs(2);
    EXPECT_TRUE(rowsOf(w, "CD3").isEmpty());
    // A hand-typed length that cannot be saved is found with its disc.
    w.row(w.discRows("CD2")[0]).length = "7:5";
    ASSERT_TRUE(w.badLength().has_value());
    EXPECT_EQ(w.badLength()->label, "CD2");
}

class CdCatalogue : public RulesFixture
{
protected:
    Table &titles() { return tables.CD_Table1; }
    Table &tracks() { return tables.CD_Table2; }
    void openBoth()
    {
        titles().open();
        tracks().open();
    }
    std::vector<CdTrack> newTracks(int count, const QString &label = "CD1")
    {
        std::vector<CdTrack> out;
        for (int n = 1; n <= count; ++n)
            out.push_back({"", label, n, QStringLiteral("Nová %1").arg(n), 100 + n, "", ""});
        return out;
    }
};

TEST_F(CdCatalogue, TracksOfATitleComeInDiscOrderTwelveDiscsIncluded)
{
    for (int d = 12; d >= 1; --d)
        addDisc("00001", discLabel(d), 2);
    addDisc("00002", "CD1", 3);
    openBoth();
    const std::vector<CdTrack> t = titleTracks(tracks(), "00001");
    ASSERT_EQ(t.size(), 24u);
    QStringList labels = discLabels(t);
    EXPECT_EQ(labels.first(), "CD1");
    EXPECT_EQ(labels.at(9), "CD10"); // after CD9, not after CD1
    EXPECT_EQ(labels.last(), "CD12");
    EXPECT_EQ(discTracks(t, "CD12").size(), 2u);
    EXPECT_EQ(discTracks(t, "CD12")[0].title, "00001/CD12/1");
    EXPECT_EQ(totalSeconds(discTracks(t, "CD3")), 30);
}

TEST_F(CdCatalogue, AnEditedTitleReplacesItsTracksAndKeepsItsLoan)
{
    addTitle("00001", "Jedna", "", {true, "Novák", "01.03.2002", 7});
    addDisc("00001", "CD1", 3);
    addDisc("00001", "CD2", 2);
    addDisc("00002", "CD1", 2);
    openBoth();
    titles().first();
    CdTitle t = CdTitleColumns(titles()).read(titles());
    t.title = "Jedna nová";
    saveEditedTitle(titles(), tracks(), t, newTracks(2, "CD2"));
    EXPECT_EQ(storedTracks("00001"), (QStringList{"CD2/1/Nová 1/101", "CD2/2/Nová 2/102"}));
    EXPECT_EQ(dbfreadTracks("00001"), storedTracks("00001"));
    EXPECT_EQ(storedTracks("00002").size(), 2);
    const CdTitle back = CdTitleColumns(titles()).read(titles());
    EXPECT_EQ(back.title, "Jedna nová");
    EXPECT_TRUE(back.loan.lent);
    EXPECT_EQ(back.loan.borrower, "Novák");
    EXPECT_EQ(back.loan.since, "01.03.2002");
}

TEST_F(CdCatalogue, AFullDiskLeavesTheEditedTitleWithAllItsOldTracks)
{
    addTitle("00001", "Jedna");
    addDisc("00001", "CD1", 5);
    openBoth();
    titles().first();
    const CdTitle t = CdTitleColumns(titles()).read(titles());
    bool thrown = false;
    {
        // Room for three of the forty new tracks.
        FullDisk full(3 * 127 + 10, Paths::dataFile("cd02.dbf"));
        try {
            saveEditedTitle(titles(), tracks(), t, newTracks(40));
        } catch (const CatalogueError &e) {
            thrown = true;
            EXPECT_TRUE(e.intact());
            EXPECT_TRUE(e.text().startsWith("Titul se nepodařilo uložit, databáze zůstala beze"));
        }
    }
    EXPECT_TRUE(thrown);
    const QStringList old = storedTracks("00001");
    EXPECT_EQ(old.size(), 5);
    EXPECT_EQ(old.first(), "CD1/1/00001/CD1/1/10");
    EXPECT_EQ(dbfreadTracks("00001"), old);
    // Once there is room again the same save goes through.
    saveEditedTitle(titles(), tracks(), t, newTracks(40));
    EXPECT_EQ(storedTracks("00001").size(), 40);
    EXPECT_EQ(dbfreadTracks("00001").size(), 40);
}

TEST_F(CdCatalogue, ANewTitleThatCannotBeWrittenLeavesNoTracksBehind)
{
    openBoth();
    CdTitle t;
    t.number = "00001";
    bool thrown = false;
    {
        FullDisk full(2 * 127, Paths::dataFile("cd02.dbf"));
        try {
            saveNewTitle(titles(), tracks(), t, newTracks(10));
        } catch (const CatalogueError &) {
            thrown = true;
        }
    }
    EXPECT_TRUE(thrown);
    EXPECT_TRUE(storedTracks("00001").isEmpty());
    EXPECT_TRUE(dbfreadTracks("00001").isEmpty());
    EXPECT_EQ(titleCount(), 0);
}

TEST_F(CdCatalogue, DeletingRemovesTheTitlesTracksOnEveryDiscOnly)
{
    addTitle("00003", "Tři");
    addTitle("00004", "Čtyři");
    addDisc("00003", "CD1", 2);
    addDisc("00004", "CD1", 3);
    addDisc("00004", "CD2", 4);
    addDisc("00005", "CD1", 1); // tracks without a title stay too
    openBoth();
    titles().setIndex("cislocd");
    ASSERT_TRUE(titles().locate("Cislocd", "00004"));
    const DeleteOutcome out = deleteTitle(titles(), tracks());
    EXPECT_EQ(out.tracksDeleted, 7);
    EXPECT_FALSE(out.sharedNumber);
    EXPECT_TRUE(storedTracks("00004").isEmpty());
    EXPECT_TRUE(dbfreadTracks("00004").isEmpty());
    EXPECT_EQ(dbfreadTracks("00003").size(), 2);
    EXPECT_EQ(dbfreadTracks("00005").size(), 1);
    EXPECT_EQ(titleCount(), 1);
}

TEST_F(CdCatalogue, ANumberTwoTitlesShareKeepsItsTracksForTheOther)
{
    addTitle("00004", "První");
    addTitle("00004", "Druhý");
    addDisc("00004", "CD1", 3);
    openBoth();
    titles().last();
    const DeleteOutcome out = deleteTitle(titles(), tracks());
    EXPECT_TRUE(out.sharedNumber);
    EXPECT_EQ(out.tracksDeleted, 0);
    EXPECT_EQ(storedTracks("00004").size(), 3);
    EXPECT_EQ(titleCount(), 1);
}
