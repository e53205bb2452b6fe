// The upgrade of the intermediate generation (genres of 12 characters) to
// the current one: data.dbf and Users_za.nrv rebuilt aside, checked field
// by field, memo notes included, and swapped in; any failure puts every
// original back byte for byte, and an upgrade stopped half way is repaired
// from the copies it kept.

#include "AppFixture.h"
#include "conversion/Conversion.h"
#include "conversion/FormatUpgrade.h"
#include "storage/FileCopy.h"

#include <QDate>
#include <map>

namespace velmora::test {
namespace {

const QString kNoPrinter = QStringLiteral(
    "V systému nebyla nalezena tiskárna, v programu nebudou povoleny tiskové výstupy.");
const QString kReadOnly = kCassettesReadOnly;

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// A note long enough to take several memo blocks.
QString longNote()
{
    QString s;
    for (int i = 0; i < 120; ++i)
        s += QStringLiteral("Řádek %1 dlouhé poznámky k záznamu.\r\n").arg(i);
    return s;
}

class UpgradeTest : public AppFixture
{
protected:
    UpgradeTest()
    {
        work = env.configHome() + QStringLiteral("/../work");
        QDir().mkpath(work);
    }
    ~UpgradeTest() override { filecopy::failCopy(0); }

    // data.dbf of the intermediate generation written by this program,
    // three cassettes in the stored order 00003, 00001, 00002, with notes.
    static void writeIntermediate(const QString &dir, const QString &without = QString())
    {
        TableSchema s = conversion::intermediateCassettes();
        s.tags = {QStringLiteral("cislo"), QStringLiteral("komu")};
        s.fields.removeIf([&](const FieldDef &f) { return f.name == without; });
        const QString path = dir + QStringLiteral("/data.dbf");
        Table::deleteFiles(path);
        Table::create(path, s.fields, s.tags);
        Table t;
        t.setPath(path);
        t.open();
        const auto set = [&](const QString &field, const QVariant &v) {
            if (t.fieldIndex(field) >= 0)
                t.setValue(field, v);
        };
        t.append();
        set("t_kazety", "E 180");
        set("cislo", "00003");
        set("film1", "Pelíšky");
        set("zanr1", "Psychologick");
        set("ry1", "SP");
        set("cas1", 115);
        set("zdroj1", "Televize ČT1");
        set("datum1", QDate(2001, 12, 24));
        set("S_Time1", 0);
        set("E_Time1", 115);
        set("P_film1", "Vánoční vysílání, bez reklam: ěščřžýáíé");
        set("film2", "Kolja");
        set("zanr2", "Drama");
        set("ry2", "LP");
        set("cas2", 105);
        set("S_Time2", 115);
        set("E_Time2", 167);
        set("P_film2", "řádek 1\r\nřádek 2");
        set("pujceno", true);
        set("komu", "Novák");
        set("od_kdy", "01.02.2002");
        set("delka_pujc", 14);
        set("pozn", "Rodinná kazeta");
        t.post();
        t.append();
        set("t_kazety", "E 240");
        set("cislo", "00001");
        set("pujceno", false);
        t.post();
        t.append();
        set("t_kazety", "E 195");
        set("cislo", "00002");
        set("film5", "Pátý film");
        set("zanr5", "Dobrodružný");
        set("ry5", "EP");
        set("zdroj5", "Satelitní zdroj");
        set("datum5", QDate(2002, 1, 31));
        set("P_film5", longNote());
        set("P_film3", "Jen poznámka, film chybí");
        t.post();
        t.close();
    }

    // The genre list of the previous release: Zanr of 12 characters.
    static void writeOldGenres(const QString &dir)
    {
        const QString path = dir + QStringLiteral("/Users_za.nrv");
        Table::deleteFiles(path);
        Table::create(path, {FieldDef::string(QStringLiteral("Zanr"), 12)}, {"zanr"});
        Table t;
        t.setPath(path);
        t.open();
        for (const char *g : {"Akční", "Psychologick", "Dobrodružný", "Western"}) {
            t.append();
            t.setString("Zanr", g);
            t.post();
        }
        t.close();
    }

    // Every value of every record, in stored order, by field name.
    static QStringList values(const QString &path)
    {
        Table t;
        t.setPath(path);
        t.open(Table::Mode::ReadOnly);
        QStringList out;
        const QList<FieldDef> defs = t.fieldDefs();
        for (t.first(); !t.eof(); t.next())
            for (const FieldDef &f : defs)
                out << f.name.toLower() + QLatin1Char('=') + t.value(f.name).toString();
        return out;
    }

    std::map<QString, QByteArray> files() const
    {
        std::map<QString, QByteArray> out;
        for (const QString &name : QDir(env.dataDir()).entryList(QDir::Files))
            out[name] = bytesOf(Paths::dataFile(name));
        return out;
    }

    // The intermediate generation in the data directory, with index files
    // of the program that wrote it, for a start or a direct call.
    void prepareIntermediate()
    {
        writeIntermediate(env.dataDir());
        writeOldGenres(env.dataDir());
        for (const char *index : {"data.mdx", "Users_za.nrx"}) {
            QFile f(Paths::dataFile(index));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("index of the previous release");
        }
        before = values(Paths::dataFile("data.dbf"));
        snapshot = files();
    }

    QString upgradeNow() { return upgrade::upgradeFormat(env.dataDir(), work); }

    void expectUpgraded()
    {
        Table t;
        t.setPath(Paths::dataFile("data.dbf"));
        t.open(Table::Mode::ReadOnly);
        const TableSchema s = schema::cassettes();
        ASSERT_EQ(t.fieldCount(), int(s.fields.size()));
        for (int i = 0; i < int(s.fields.size()); ++i) {
            EXPECT_EQ(t.fieldName(i).toLower(), s.fields[i].name.toLower());
            EXPECT_EQ(t.fieldDefs()[i].type, s.fields[i].type) << i;
        }
        for (int n = 1; n <= 5; ++n)
            EXPECT_EQ(t.fieldWidth("zanr" + QString::number(n)), 15);
        EXPECT_EQ(t.tags(), (QStringList{"CISLO", "KOMU"}));
        t.close();
        EXPECT_EQ(values(Paths::dataFile("data.dbf")), before);
    }

    QString work;
    QStringList before;
    std::map<QString, QByteArray> snapshot;
};

} // namespace

TEST_F(UpgradeTest, GenresWidenedAndEveryValueOrderAndNoteKept)
{
    prepareIntermediate();
    ASSERT_EQ(upgradeNow(), "");
    expectUpgraded();
    EXPECT_TRUE(before.contains("p_film5=" + longNote()));
    EXPECT_TRUE(before.contains("zanr1=Psychologick"));

    Table genres;
    genres.setPath(Paths::dataFile("Users_za.nrv"));
    genres.open();
    EXPECT_EQ(genres.fieldWidth("Zanr"), 15);
    QStringList rows;
    for (genres.first(); !genres.eof(); genres.next())
        rows << genres.asString("Zanr");
    EXPECT_EQ(rows, (QStringList{"Akční", "Psychologick", "Dobrodružný", "Western"}));
    // A genre of 15 characters fits now.
    genres.append();
    genres.setString("Zanr", "Sci-fi thriller");
    genres.post();
    genres.last();
    EXPECT_EQ(genres.asString("Zanr"), "Sci-fi thriller");
    genres.close();

    // Only the tables are left: no kept copies, no stale index files.
    QStringList names = QDir(env.dataDir()).entryList(QDir::Files);
    names.sort();
    EXPECT_EQ(names, (QStringList{"Users_za.nrv", "data.dbf", "data.dbt"}));
    EXPECT_TRUE(QDir(work).entryList(QDir::Files).isEmpty());
}

TEST_F(UpgradeTest, ATableWrittenByPythonDbfIsUpgradedWhole)
{
    // The intermediate table as another dBASE writer leaves it, with its
    // own memo file layout.
    const QString script = QStringLiteral(
        "import sys, dbf, datetime\n"
        "slots = '; '.join('film%d C(30); zanr%d C(12); ry%d C(2); cas%d N(11,0); "
        "zdroj%d C(20); datum%d D; S_Time%d N(11,0); E_Time%d N(11,0); P_film%d M' % "
        "((n,) * 9) for n in range(1, 6))\n"
        "t = dbf.Table(sys.argv[1], 't_kazety C(5); cislo C(5); ' + slots + "
        "'; pujceno L; komu C(15); od_kdy C(10); delka_pujc N(11,0); pozn C(50)', "
        "codepage='cp1250')\n"
        "t.open(dbf.READ_WRITE)\n"
        "t.append({'t_kazety': 'E 180', 'cislo': '00009', 'film1': 'Obecná škola', "
        "'zanr1': 'Komedie', 'cas1': 100, 'datum1': datetime.date(2001, 5, 1), "
        "'p_film1': 'Poznámka z jiného programu', 'p_film4': 'x' * 3000, "
        "'pujceno': True, 'komu': 'Dvořák', 'delka_pujc': 7})\n"
        "t.append({'cislo': '00010', 'zanr5': 'Katastrof.', 'e_time5': 240})\n"
        "t.close()\n");
    int rc = -1;
    const QString out =
        runProgram("/usr/bin/python3", {"-c", script, Paths::dataFile("data.dbf")}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
    before = values(Paths::dataFile("data.dbf"));
    ASSERT_EQ(before.size(), 2 * 52);
    EXPECT_TRUE(before.contains("p_film4=" + QString(3000, 'x')));
    ASSERT_EQ(upgradeNow(), "");
    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.open(Table::Mode::ReadOnly);
    EXPECT_EQ(t.fieldWidth("zanr1"), 15);
    t.close();
    EXPECT_EQ(values(Paths::dataFile("data.dbf")), before);

    // And dbfread reads the result with its notes.
    const QString read = runProgram(
        "/usr/bin/python3",
        {"-c",
         "import sys\nfrom dbfread import DBF\n"
         "for r in DBF(sys.argv[1], encoding='cp1250'):\n"
         "    print(r['CISLO'], r['ZANR1'] or r['ZANR5'], r['P_FILM1'], len(r['P_FILM4'] or ''))\n",
         Paths::dataFile("data.dbf")},
        &rc);
    ASSERT_EQ(rc, 0) << read.toStdString();
    EXPECT_EQ(read, "00009 Komedie Poznámka z jiného programu 3000\n00010 Katastrof. None 0\n");
}

TEST_F(UpgradeTest, AFailedCopyAnywherePutsEveryOriginalBack)
{
    prepareIntermediate();
    int failures = 0;
    for (int n = 1; n < 20; ++n) {
        filecopy::failCopy(n);
        const QString problem = upgradeNow();
        filecopy::failCopy(0);
        if (problem.isEmpty())
            break;
        ++failures;
        EXPECT_TRUE(problem.contains("médium je plné")) << problem.toStdString();
        EXPECT_EQ(files(), snapshot) << "copy " << n;
        EXPECT_TRUE(QDir(work).entryList(QDir::Files).isEmpty()) << n;
    }
    // Kept: data.dbt, data.mdx, data.dbf, Users_za.nrx, Users_za.nrv;
    // replaced: Users_za.nrv, data.dbt, data.dbf.
    EXPECT_EQ(failures, 8);
    expectUpgraded();
}

TEST_F(UpgradeTest, AMissingFieldIsReportedAndNothingChanges)
{
    writeIntermediate(env.dataDir(), QStringLiteral("zdroj3"));
    writeOldGenres(env.dataDir());
    snapshot = files();
    const QString problem = upgradeNow();
    EXPECT_TRUE(problem.contains("zdroj3", Qt::CaseInsensitive)) << problem.toStdString();
    EXPECT_EQ(files(), snapshot);
}

TEST_F(UpgradeTest, AnUpgradeStoppedBetweenTheMemoFileAndTheTableIsRepaired)
{
    prepareIntermediate();
    // Stopped after the copies were kept and the new memo file was in
    // place: the old data.dbf stands beside a memo file of other layout.
    for (const char *name : {"data.dbf", "data.dbt", "data.mdx"})
        ASSERT_EQ(filecopy::copy(Paths::dataFile(name), Paths::dataFile(upgrade::keptName(name))),
                  "");
    const QString other = work + QStringLiteral("/other");
    QDir().mkpath(other);
    {
        Table::create(other + "/x.dbf", {FieldDef::memo("m")}, {});
        Table t;
        t.setPath(other + "/x.dbf");
        t.open();
        for (int i = 0; i < 40; ++i) {
            t.append();
            t.setString("m", QStringLiteral("cizí poznámka %1").arg(i));
            t.post();
        }
    }
    ASSERT_EQ(filecopy::copy(other + "/x.dbt", Paths::dataFile("data.dbt")), "");
    QDir(other).removeRecursively();
    ASSERT_NE(values(Paths::dataFile("data.dbf")), before); // the notes read wrong now

    ASSERT_EQ(upgradeNow(), "");
    expectUpgraded();
    EXPECT_FALSE(QFile::exists(Paths::dataFile("data.zanr12.dbf")));
    EXPECT_FALSE(QFile::exists(Paths::dataFile("data.zanr12.dbt")));
}

TEST_F(UpgradeTest, KeptCopiesOfOtherDataAreNotTakenForTheOriginals)
{
    // Left by an earlier upgrade of other data (a backup restored since).
    const QString other = work + QStringLiteral("/other");
    QDir().mkpath(other);
    writeIntermediate(other);
    {
        Table t;
        t.setPath(other + "/data.dbf");
        t.open();
        t.first();
        t.edit();
        t.setString("P_film1", "Jiná poznámka");
        t.post();
    }
    ASSERT_EQ(filecopy::copy(other + "/data.dbf", Paths::dataFile("data.zanr12.dbf")), "");
    ASSERT_EQ(filecopy::copy(other + "/data.dbt", Paths::dataFile("data.zanr12.dbt")), "");
    QDir(other).removeRecursively();
    prepareIntermediate();

    ASSERT_EQ(upgradeNow(), "");
    expectUpgraded();
    EXPECT_FALSE(QFile::exists(Paths::dataFile("data.zanr12.dbf")));
}

// --- at the first activation -------------------------------------------------

TEST_F(UpgradeTest, SilentAtTheFirstActivationAndTheCassettesWritableAtOnce)
{
    startOnceBefore();
    prepareIntermediate();
    start();
    EXPECT_TRUE(window->oldFormat());
    EXPECT_TRUE(window->settings().cassettesReadOnly);
    ASSERT_EQ(firstShowing(*window, {}), StartOutcome::Run);
    // A handle left open on data.dbf is closed before the file is replaced.
    window->tables().Table1.open(Table::Mode::ReadOnly);
    window->activated();
    EXPECT_FALSE(window->tables().Table1.isOpen());
    QStringList events = user.events;
    events.removeAll(kNoPrinter);
    EXPECT_EQ(events, QStringList{"TSplashScreen"});
    EXPECT_FALSE(window->oldFormat());
    EXPECT_FALSE(window->settings().cassettesReadOnly);
    expectUpgraded();

    user.screens.clear();
    window->runEntry(*window->entryFor("cassettes.edit"));
    EXPECT_EQ(user.screens, QStringList{"TUprav_kazetu"});
    EXPECT_FALSE(user.texts().contains(kReadOnly));
}

TEST_F(UpgradeTest, AFailedUpgradeIsToldOnceAndTheCassettesStayReadOnly)
{
    startOnceBefore();
    prepareIntermediate();
    start();
    firstShowing(*window, {});
    user.shown.clear();
    filecopy::failCopy(7); // the new memo file
    window->activated();
    filecopy::failCopy(0);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(user.shown[0].caption, "Chyba");
    EXPECT_TRUE(user.shown[0].text.startsWith(
        "Databázi videokazet (data.dbf) se nepodařilo převést do nového formátu:\r\n"));
    EXPECT_TRUE(user.shown[0].text.contains("médium je plné"));
    EXPECT_TRUE(user.shown[0].text.endsWith("do té doby lze videokazety pouze prohlížet."));
    EXPECT_TRUE(window->settings().cassettesReadOnly);
    EXPECT_EQ(files(), snapshot);

    // Once per start: later activations neither retry nor tell again.
    window->activated();
    EXPECT_EQ(user.shown.size(), 1);
    user.shown.clear();
    window->runEntry(*window->entryFor("cassettes.edit"));
    EXPECT_EQ(user.texts(), QStringList{kReadOnly});
    EXPECT_EQ(files(), snapshot);

    // The next start tries again, silently this time.
    window.reset();
    user.shown.clear();
    start();
    firstShowing(*window, {});
    window->activated();
    EXPECT_FALSE(user.texts().contains(kReadOnly));
    for (const auto &s : user.shown)
        EXPECT_NE(s.kind, MessageKind::Error) << s.text.toStdString();
    EXPECT_FALSE(window->settings().cassettesReadOnly);
    expectUpgraded();
}

} // namespace velmora::test
