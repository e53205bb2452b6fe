// The conversion of a database of the 2001.A generation, written by another
// dBASE writer (Python's dbf): every record and archive row carried over,
// the originals kept under their versioned names, the new version written
// only when the new files are in place, and every failure leaving the old
// generation as it was. Through the functions and through the screen.

#include "AppFixture.h"
#include "backup/Rozhodovani.h"
#include "conversion/Conversion.h"
#include "conversion/FormatUpgrade.h"
#include "session/Settings.h"
#include "storage/FileCopy.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <map>

namespace velmora::test {
namespace {

const QString kRestart =
    QStringLiteral("Byly provedeny zásadní změny v uspořádání databází, pro plnou \r\n"
                   "funkčnost programu je nutno program Restartovat.\r\n\r\n"
                   "Restartování programu aktivováno ....");
const QString kDeclined =
    QStringLiteral("Nelze pokračovat s touto verzí programu a starou verzí databáze. ");
const QString kNoPrinter = QStringLiteral(
    "V systému nebyla nalezena tiskárna, v programu nebudou povoleny tiskové výstupy.");

// Five cassettes: numbers to fill with zeros and one that is lent.
const QString kOldCassettes = QStringLiteral(
    "[{'typ_kazety': 'E 180', 'cislo': '7', 'film1': 'Žluťoučký kůň', 'zanr1': 'Dobrodružný', "
    "'ry1': 'SP', 'film2': 'Druhý film', 'zanr2': 'Komedie', 'ry2': 'LP', 'pozn': 'První'},"
    " {'typ_kazety': 'E 240', 'cislo': '42', 'pujceno': True, 'komu': 'Novák', "
    "'od_kdy': '01.02.2001', 'film5': 'Pátý', 'zanr5': 'Psychologick', 'ry5': 'EP'},"
    " {'typ_kazety': 'E 180', 'cislo': '123', 'pujceno': False},"
    " {'typ_kazety': 'E 120', 'cislo': '1234', 'film3': 'Třetí'},"
    " {'typ_kazety': 'E 195', 'cislo': '12345', 'pozn': 'Poslední'}]");
const QString kOldArchive = QStringLiteral(
    "[{'typ_kazety': 'E 180', 'cislo': '7', 'komu': 'Dvořák', 'od_kdy': '03.03.2001', "
    "'pozn': 'Vrácení: 10.03.2001'},"
    " {'typ_kazety': 'E 240', 'cislo': '42', 'komu': 'Novák', 'od_kdy': '04.04.2001'},"
    " {'typ_kazety': 'E 120', 'cislo': '1234', 'komu': 'Šťastná'}]");

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

class ConversionTest : public AppFixture
{
protected:
    ConversionTest()
    {
        work = env.configHome() + QStringLiteral("/../work");
        QDir().mkpath(work);
    }
    ~ConversionTest() override { filecopy::failCopy(0); }

    // data.dbf and archiv.dbf as the 2001.A generation left them, written
    // by Python's dbf; a field named in without is left out of data.dbf.
    void writeOldDatabase(const QString &without = QString())
    {
        for (const char *name : {"data.dbf", "data.dbt", "archiv.dbf"})
            QFile::remove(Paths::dataFile(name));
        const QString script =
            QStringLiteral(
                "import sys, dbf\n"
                "slots = '; '.join('film%d C(30); zanr%d C(12); ry%d C(2)' % (n, n, n)"
                " for n in range(1, 6))\n"
                "layout = 'typ_kazety C(5); cislo C(5); ' + slots + "
                "'; pujceno L; komu C(15); od_kdy C(10); pozn C(50)'\n"
                "layout = '; '.join(f for f in layout.split('; ') if f.split()[0] != sys.argv[3])\n"
                "def write(path, layout, rows):\n"
                "    t = dbf.Table(path, layout, codepage='cp1250')\n"
                "    t.open(dbf.READ_WRITE)\n"
                "    for r in rows:\n"
                "        t.append({k: v for k, v in r.items() if k != sys.argv[3]})\n"
                "    t.close()\n"
                "write(sys.argv[1], layout, %1)\n"
                "write(sys.argv[2], 'typ_kazety C(5); cislo C(5); komu C(15); od_kdy C(10); "
                "pozn C(50)', %2)\n")
                .arg(kOldCassettes, kOldArchive);
        int rc = -1;
        const QString out =
            runProgram("/usr/bin/python3",
                       {"-c", script, Paths::dataFile("data.dbf"), Paths::dataFile("archiv.dbf"),
                        without.isEmpty() ? QStringLiteral("-") : without},
                       &rc);
        ASSERT_EQ(rc, 0) << out.toStdString();
        SettingsStore::own().writeString(settings::kVersion, QStringLiteral("2001.A"));
        SettingsStore::own().sync();
        snapshot = files();
    }

    // Every file of the data directory with its bytes.
    std::map<QString, QByteArray> files() const
    {
        std::map<QString, QByteArray> out;
        for (const QString &name : QDir(env.dataDir()).entryList(QDir::Files))
            out[name] = bytesOf(Paths::dataFile(name));
        return out;
    }

    static QString storedVersion() { return SettingsStore::own().readString(settings::kVersion); }

    // The values of the fields named, record by record in stored order.
    static QStringList rows(const QString &file, const QStringList &fields)
    {
        Table t;
        t.setPath(Paths::dataFile(file));
        t.open(Table::Mode::ReadOnly);
        QStringList out;
        for (t.first(); !t.eof(); t.next()) {
            QStringList values;
            for (const QString &f : fields)
                values << t.value(f).toString();
            out << values.join('|');
        }
        return out;
    }

    QString work;
    std::map<QString, QByteArray> snapshot;
};

} // namespace

TEST(ZeroFilling, ShortNumbersGetZerosOtherLengthsStay)
{
    using conversion::zeroFilled;
    EXPECT_EQ(zeroFilled("7"), "00007");
    EXPECT_EQ(zeroFilled("42"), "00042");
    EXPECT_EQ(zeroFilled("123"), "00123");
    EXPECT_EQ(zeroFilled("1234"), "1234");
    EXPECT_EQ(zeroFilled("12345"), "12345");
    EXPECT_EQ(zeroFilled("123456"), "123456");
    EXPECT_EQ(zeroFilled(""), "");
    // Blanks around the stored number do not count as digits.
    EXPECT_EQ(zeroFilled(" 7"), "00007");
    EXPECT_EQ(zeroFilled("  42 "), "00042");
    EXPECT_EQ(zeroFilled("    7"), "00007");
    EXPECT_EQ(zeroFilled("   "), "");
    // The rule counts characters, whatever they are.
    EXPECT_EQ(zeroFilled("A1"), "000A1");
}

TEST(KeptNames, TheVersionStandsBeforeTheExtension)
{
    EXPECT_EQ(conversion::keptName("data.dbf"), "data.2001.A.dbf");
    EXPECT_EQ(conversion::keptName("data.dbt"), "data.2001.A.dbt");
    EXPECT_EQ(conversion::keptName("archiv.mdx"), "archiv.2001.A.mdx");
    EXPECT_EQ(upgrade::keptName("Users_za.nrv"), "Users_za.zanr12.nrv");
}

TEST_F(ConversionTest, EveryRecordAndArchiveRowCarriedOverAndTheOriginalsKept)
{
    writeOldDatabase();
    ASSERT_EQ(conversion::convert(env.dataDir(), work), "");

    EXPECT_EQ(
        rows("data.dbf", {"t_kazety", "cislo", "film1", "zanr1", "ry1", "film2", "zanr2", "ry2",
                          "film3", "film5", "zanr5", "ry5", "pujceno", "komu", "od_kdy", "pozn"}),
        (QStringList{"E 180|00007|Žluťoučký kůň|Dobrodružný|SP|Druhý film|Komedie|LP||||||||První",
                     "E 240|00042||||||||Pátý|Psychologick|EP|true|Novák|01.02.2001|",
                     "E 180|00123|||||||||||false|||", "E 120|1234|||||||Třetí|||||||",
                     "E 195|12345||||||||||||||Poslední"}));
    // What the old generation did not have starts empty or at 0.
    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.open(Table::Mode::ReadOnly);
    EXPECT_EQ(t.fieldWidth("zanr1"), 12);
    EXPECT_EQ(t.fieldWidth("zanr5"), 12);
    EXPECT_EQ(t.tags(), QStringList{"CISLO"});
    for (t.first(); !t.eof(); t.next()) {
        EXPECT_EQ(t.asInteger("delka_pujc"), 0);
        EXPECT_FALSE(t.isNull("delka_pujc"));
        for (int n = 1; n <= 5; ++n) {
            const QString k = QString::number(n);
            EXPECT_EQ(t.asInteger("cas" + k), 0);
            EXPECT_EQ(t.asInteger("S_Time" + k), 0);
            EXPECT_EQ(t.asInteger("E_Time" + k), 0);
            EXPECT_EQ(t.asString("zdroj" + k), "");
            EXPECT_FALSE(t.asDate("datum" + k).isValid());
            EXPECT_EQ(t.asString("P_film" + k), "");
        }
    }
    t.close();

    EXPECT_EQ(rows("archiv.dbf", {"t_kazety", "cislo", "komu", "od_kdy", "pozn"}),
              (QStringList{"E 180|00007|Dvořák|03.03.2001|Vrácení: 10.03.2001",
                           "E 240|00042|Novák|04.04.2001|", "E 120|1234|Šťastná||"}));

    EXPECT_EQ(storedVersion(), "2002.A");
    EXPECT_EQ(SettingsStore::own().readString(settings::kDatVerze), "27.05.2002");
    // The originals, byte for byte, under their new names.
    EXPECT_EQ(bytesOf(Paths::dataFile("data.2001.A.dbf")), snapshot.at("data.dbf"));
    EXPECT_EQ(bytesOf(Paths::dataFile("archiv.2001.A.dbf")), snapshot.at("archiv.dbf"));
    // Nothing of the work is left in the data directory.
    const QStringList names = QDir(env.dataDir()).entryList(QDir::Files);
    EXPECT_EQ(names, (QStringList{"archiv.2001.A.dbf", "archiv.dbf", "data.2001.A.dbf", "data.dbf",
                                  "data.dbt"}));
    EXPECT_TRUE(QDir(work).entryList(QDir::Files).isEmpty());

    // Another reader sees the new tables as they are meant.
    int rc = -1;
    const QString out =
        runProgram("/usr/bin/python3",
                   {"-c",
                    "import sys\nfrom dbfread import DBF\n"
                    "t = DBF(sys.argv[1], encoding='cp1250')\n"
                    "print([f.length for f in t.fields if f.name.lower() == 'zanr1'][0])\n"
                    "for r in t: print(r['CISLO'], r['DELKA_PUJC'], r['PUJCENO'])\n",
                    Paths::dataFile("data.dbf")},
                   &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
    // A lent flag never set stays unset.
    EXPECT_EQ(out, "12\n00007 0 None\n00042 0 True\n00123 0 False\n1234 0 None\n"
                   "12345 0 None\n");
}

TEST_F(ConversionTest, AnOldTableWithoutAFieldIsReportedAndLeftAsItWas)
{
    writeOldDatabase(QStringLiteral("film3"));
    const QString problem = conversion::convert(env.dataDir(), work);
    EXPECT_TRUE(problem.contains("film3")) << problem.toStdString();
    EXPECT_TRUE(problem.contains("data.dbf")) << problem.toStdString();
    EXPECT_EQ(files(), snapshot);
    EXPECT_EQ(storedVersion(), "2001.A");
    EXPECT_TRUE(QDir(work).entryList(QDir::Files).isEmpty());
}

TEST_F(ConversionTest, AFailedCopyAnywhereLeavesTheOldGenerationInPlace)
{
    writeOldDatabase();
    int failures = 0;
    for (int n = 1; n < 20; ++n) {
        filecopy::failCopy(n);
        const QString problem = conversion::convert(env.dataDir(), work);
        filecopy::failCopy(0);
        if (problem.isEmpty())
            break;
        ++failures;
        EXPECT_TRUE(problem.contains("médium je plné")) << problem.toStdString();
        // Every file as it was: no half-replaced table, no kept copy left.
        EXPECT_EQ(files(), snapshot) << "copy " << n;
        EXPECT_EQ(storedVersion(), "2001.A") << n;
    }
    // Kept: data.dbf and archiv.dbf; replaced: data.dbt, data.dbf, archiv.dbf.
    EXPECT_EQ(failures, 5);
    EXPECT_EQ(storedVersion(), "2002.A");
    EXPECT_EQ(rows("data.dbf", {"cislo"}),
              (QStringList{"00007", "00042", "00123", "1234", "12345"}));
}

TEST_F(ConversionTest, AnInterruptedConversionIsTakenUpFromTheKeptCopies)
{
    writeOldDatabase();
    ASSERT_EQ(conversion::convert(env.dataDir(), work), "");
    const auto converted = files();
    // As if the program had stopped after data.dbf was replaced, before the
    // archive and the version.
    ASSERT_EQ(filecopy::copy(Paths::dataFile("archiv.2001.A.dbf"), Paths::dataFile("archiv.dbf")),
              "");
    SettingsStore::own().writeString(settings::kVersion, QStringLiteral("2001.A"));

    conversion::OldDatabase db(env.dataDir(), work);
    EXPECT_EQ(db.cassettesSource(), Paths::dataFile("data.2001.A.dbf"));
    EXPECT_EQ(db.archiveSource(), Paths::dataFile("archiv.dbf"));
    EXPECT_EQ(db.oldCassettes(), 5);
    EXPECT_EQ(db.oldArchive(), 3);
    ASSERT_EQ(conversion::convert(env.dataDir(), work), "");
    EXPECT_EQ(storedVersion(), "2002.A");
    // The same files again, the originals still kept.
    EXPECT_EQ(bytesOf(Paths::dataFile("data.2001.A.dbf")), snapshot.at("data.dbf"));
    EXPECT_EQ(bytesOf(Paths::dataFile("archiv.2001.A.dbf")), snapshot.at("archiv.dbf"));
    EXPECT_EQ(
        rows("data.dbf", {"cislo", "film1", "komu"}),
        (QStringList{"00007|Žluťoučký kůň|", "00042||Novák", "00123||", "1234||", "12345||"}));
    EXPECT_EQ(rows("archiv.dbf", {"cislo", "komu"}),
              (QStringList{"00007|Dvořák", "00042|Novák", "1234|Šťastná"}));
    EXPECT_EQ(files().size(), converted.size());
}

TEST_F(ConversionTest, TablesAlreadyInTheCurrentFormAreLeftAsTheyAre)
{
    // Settings of an old installation over a data directory that the start
    // filled with new, empty tables.
    start();
    window.reset();
    addCassette("00001");
    SettingsStore::own().writeString(settings::kVersion, QStringLiteral("2001.A"));
    const auto before = files();
    ASSERT_EQ(conversion::convert(env.dataDir(), work), "");
    EXPECT_EQ(files(), before);
    EXPECT_EQ(storedVersion(), "2002.A");
}

// --- the screen --------------------------------------------------------------

TEST_F(ConversionTest, TheScreenShowsEveryStepAndEndsTheProgram)
{
    writeOldDatabase();
    start();
    bool checked = false;
    user.onScreen["TRozhodovani"] = [&](QDialog &d) {
        auto &s = static_cast<TRozhodovani &>(d);
        EXPECT_EQ(s.windowTitle(), "Detekce starší verze aktivována ...");
        const QString text = s.findChild<QTextEdit *>("Memo1")->toPlainText();
        EXPECT_EQ(
            text.split('\n'),
            (QStringList{"Byla nalezena verze databáze, nepodporovaná touto verzí programu ! ",
                         "Program automaticky překonvertuje stávající databázi do nové podoby ",
                         "a umožní tak využívání novějších funkcí v programu. ",
                         "Průběh všech  operací bude zobrazen a o výsledku budete informování.",
                         "Autor. "}));
        EXPECT_TRUE(s.findChild<QTextEdit *>("Memo1")->isReadOnly());
        EXPECT_EQ(s.findChild<QLabel *>("Label1")->text(), "Chcete provést konverzi  databáze ?");
        auto *convert = s.findChild<QPushButton *>("BitBtn1");
        auto *skip = s.findChild<QPushButton *>("BitBtn2");
        auto *read = s.findChild<QPushButton *>("BitBtn3");
        auto *result = s.findChild<QLabel *>("Label6");
        EXPECT_EQ(convert->text(), "Konvertovat data");
        EXPECT_TRUE(convert->isDefault());
        EXPECT_EQ(skip->text(), "Nekonvertovat");
        EXPECT_EQ(read->text(), "Přečteno, pokračuj");
        EXPECT_EQ(result->text(), "Stav převodu a nastavení databáze, v pořádku ...");
        // As shown: no result yet, the fourth step hidden, gauges at 0.
        EXPECT_FALSE(result->isVisibleTo(&s));
        EXPECT_FALSE(read->isVisibleTo(&s));
        EXPECT_FALSE(s.stepBox(4)->isVisibleTo(&s));
        EXPECT_EQ(s.gauge(1)->value(), 0);
        EXPECT_EQ(s.gauge(2)->value(), 0);
        EXPECT_EQ(s.counter(1)->text(), "Počet záznamů ve staré databázi: 0");
        EXPECT_EQ(s.counter(2)->text(), "Počet záznamů v nové databázi: 0");
        EXPECT_EQ(s.counter(3)->text(), "Počet záznamů v novém archivui: 0");
        // Counters speak their value and carry the caption as description.
        EXPECT_EQ(s.counter(1)->accessibleDescription(), "Počet záznamů ve staré databázi");
        EXPECT_FALSE(s.gauge(1)->accessibleName().isEmpty());
        EXPECT_EQ(s.stepBox(1)->text(),
                  "     Založení  \" temp \" databáze a její inicializace ...");
        EXPECT_EQ(s.stepBox(2)->text(),
                  "     Konverze dat z databáze data.dbf do \" templates\" ...");
        EXPECT_EQ(s.stepBox(3)->text(), "     Kontrola načtených informací a jejich indexů ...");
        EXPECT_EQ(s.stepBox(4)->text(), "     Zápis do registrů identifikace nové verze 2001.B");
        EXPECT_EQ(s.stepBox(5)->text(), "     Nastavení a příprava konverze \" archiv.dbf \" ...");
        for (int n = 1; n <= 5; ++n) {
            EXPECT_FALSE(s.stepBox(n)->isChecked());
            // Shown, not operated.
            EXPECT_EQ(s.stepBox(n)->focusPolicy(), Qt::NoFocus);
        }

        convert->click();
        EXPECT_TRUE(s.converted());
        EXPECT_FALSE(convert->isVisibleTo(&s));
        EXPECT_FALSE(skip->isVisibleTo(&s));
        for (int n = 1; n <= 5; ++n)
            EXPECT_TRUE(s.stepBox(n)->isChecked()) << n;
        EXPECT_TRUE(s.stepBox(4)->isVisibleTo(&s));
        EXPECT_TRUE(result->isVisibleTo(&s));
        EXPECT_TRUE(read->isVisibleTo(&s));
        EXPECT_EQ(s.gauge(1)->maximum(), 5);
        EXPECT_EQ(s.gauge(1)->value(), 5);
        EXPECT_EQ(s.gauge(2)->maximum(), 3);
        EXPECT_EQ(s.gauge(2)->value(), 3);
        EXPECT_EQ(s.counter(1)->text(), "Počet záznamů ve staré databázi: 5");
        EXPECT_EQ(s.counter(2)->text(), "Počet záznamů v nové databázi: 5");
        EXPECT_EQ(s.counter(3)->text(), "Počet záznamů v archivui: 3");
        EXPECT_EQ(s.counter(3)->accessibleDescription(), "Počet záznamů v novém archivui");
        // The message came before the screen closed.
        EXPECT_FALSE(s.isVisible());
        checked = true;
    };
    EXPECT_EQ(firstShowing(*window, {}), StartOutcome::End);
    EXPECT_TRUE(checked);
    EXPECT_EQ(user.events, (QStringList{"TRozhodovani", kRestart}));
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Informace ...");
    EXPECT_EQ(user.shown[0].kind, MessageKind::Information);
    EXPECT_EQ(storedVersion(), "2002.A");
    EXPECT_EQ(window->settings().storedVersion, "2002.A");
    EXPECT_EQ(rows("data.dbf", {"cislo"}),
              (QStringList{"00007", "00042", "00123", "1234", "12345"}));
    EXPECT_EQ(bytesOf(Paths::dataFile("archiv.2001.A.dbf")), snapshot.at("archiv.dbf"));
    for (Table *t : window->tables().all())
        EXPECT_FALSE(t->isOpen()) << t->handleName().toStdString();
}

TEST_F(ConversionTest, NekonvertovatTellsAndChangesNothing)
{
    writeOldDatabase();
    start();
    const auto afterStart = files(); // the start adds the missing tables only
    user.onScreen["TRozhodovani"] = [](QDialog &d) {
        d.findChild<QPushButton *>("BitBtn2")->click();
        EXPECT_FALSE(d.isVisible());
    };
    EXPECT_EQ(firstShowing(*window, {}), StartOutcome::End);
    EXPECT_EQ(user.events, (QStringList{"TRozhodovani", kDeclined}));
    EXPECT_EQ(user.shown.at(0).caption, "Informace ...");
    EXPECT_EQ(files(), afterStart);
    EXPECT_EQ(bytesOf(Paths::dataFile("data.dbf")), snapshot.at("data.dbf"));
    EXPECT_EQ(storedVersion(), "2001.A");

    // Closing the screen otherwise (Esc, the close box) is the same answer.
    window.reset();
    user.events.clear();
    user.onScreen.clear();
    start();
    EXPECT_EQ(firstShowing(*window, {}), StartOutcome::End);
    EXPECT_EQ(user.events, (QStringList{"TRozhodovani", kDeclined}));
    EXPECT_EQ(storedVersion(), "2001.A");
}

TEST_F(ConversionTest, AFailureOnTheScreenIsToldWithItsCauseAndTheProgramEnds)
{
    writeOldDatabase(QStringLiteral("komu"));
    start();
    const auto afterStart = files();
    user.onScreen["TRozhodovani"] = [](QDialog &d) {
        d.findChild<QPushButton *>("BitBtn1")->click();
        EXPECT_FALSE(d.isVisible());
    };
    EXPECT_EQ(firstShowing(*window, {}), StartOutcome::End);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(user.shown[0].caption, "Chyba");
    EXPECT_TRUE(user.shown[0].text.contains("\"komu\"")) << user.shown[0].text.toStdString();
    EXPECT_TRUE(user.shown[0].text.contains("při příštím spuštění"));
    EXPECT_EQ(files(), afterStart);
    EXPECT_EQ(storedVersion(), "2001.A");

    // A copy that fails on the way is told the same way.
    window.reset();
    writeOldDatabase();
    start();
    const auto whole = files();
    user.shown.clear();
    filecopy::failCopy(4);
    EXPECT_EQ(firstShowing(*window, {}), StartOutcome::End);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_TRUE(user.shown[0].text.contains("médium je plné"));
    EXPECT_EQ(files(), whole);
    EXPECT_EQ(storedVersion(), "2001.A");
}

TEST_F(ConversionTest, TheFirstStartConvertsAndTheNextUpgradesSilently)
{
    writeOldDatabase();
    user.onScreen["TRozhodovani"] = [](QDialog &d) {
        d.findChild<QPushButton *>("BitBtn1")->click();
    };
    start();
    EXPECT_EQ(firstShowing(*window, {}), StartOutcome::End);
    EXPECT_EQ(user.events, (QStringList{"TRozhodovani", kRestart}));

    window.reset();
    user.events.clear();
    user.shown.clear();
    start();
    EXPECT_TRUE(window->oldFormat());
    EXPECT_EQ(firstShowing(*window, {}), StartOutcome::Run);
    window->activated();
    QStringList events = user.events;
    events.removeAll(kNoPrinter);
    // No news (the version is the running one), no read-only notice, no error.
    EXPECT_EQ(events, QStringList{"TSplashScreen"});
    EXPECT_FALSE(window->oldFormat());
    EXPECT_FALSE(window->settings().cassettesReadOnly);

    // The cassette screens write at once.
    bool writable = false;
    window->registerCommand("cassettes.edit", [&](TTitul &w) {
        Table &t = w.tables().Table1;
        writable = !t.isReadOnly();
        t.first();
        t.edit();
        t.setString("zanr1", "Sci-fi thriller");
        t.post();
    });
    window->runEntry(*window->entryFor("cassettes.edit"));
    EXPECT_TRUE(writable);
    EXPECT_EQ(rows("data.dbf", {"cislo", "zanr1", "film1"}).at(0),
              "00007|Sci-fi thriller|Žluťoučký kůň");

    // And the next start finds nothing left to do.
    window.reset();
    start();
    EXPECT_FALSE(window->oldFormat());
    EXPECT_FALSE(window->settings().cassettesReadOnly);
    EXPECT_FALSE(QFile::exists(Paths::dataFile("data.zanr12.dbf")));
    EXPECT_TRUE(QFile::exists(Paths::dataFile("data.2001.A.dbf")));
}

} // namespace velmora::test
