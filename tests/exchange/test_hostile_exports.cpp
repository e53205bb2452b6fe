// Exports from another person's medium that must not be trusted: names that
// would lead out of EXTERNI, broken information files, tables that only look
// right. Each gets a clear message and changes nothing.

#include "ExchangeFixture.h"
#include "ImportedCatalogues.h"
#include "transfer/ExportInfo.h"
#include "transfer/Exporting.h"
#include "transfer/Importing.h"

#include "DbfRead.h"
#include "session/OwnerName.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTest>
#include <sys/stat.h>

namespace velmora::test {
namespace {

using exchange::Catalogue;

class Hostile : public ExchangeFixture
{
protected:
    Hostile()
    {
        addCassette("00001");
        addCassette("00002");
        medium = made("medium");
        exportTo(Catalogue::Cassettes, medium, "Petr");
        user.shown.clear();
    }

    void writeInfo(const QByteArray &bytes)
    {
        QFile f(medium + "/Export.evk");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    void writeOwner(const QString &owner)
    {
        writeInfo(exchange::infoFileBytes(QDateTime::currentDateTime(), "2002.A", owner));
    }

    // Opens the manager on the medium and expects the import refused with a
    // message containing what; nothing under the data directory's parent
    // changes.
    void expectRefused(const QString &what, const QString &status = QString())
    {
        const QString world = QDir(env.configHome() + "/..").absolutePath();
        const QStringList before = tree(world) + tree(env.dataDir());
        inManager(Catalogue::Cassettes, [&](ImportManager &m) {
            choose(m, medium);
            EXPECT_FALSE(m.importButton()->isEnabled());
            if (!status.isEmpty()) {
                EXPECT_EQ(value(m, "Status"), status);
            }
            m.importChosen(); // even a forced click imports nothing
        });
        if (!what.isEmpty()) {
            ASSERT_FALSE(user.shown.isEmpty());
            EXPECT_TRUE(user.shown.first().text.contains(what))
                << user.shown.first().text.toStdString();
        }
        // The manager made the empty register and removed it on closing.
        EXPECT_EQ(tree(world) + tree(env.dataDir()), before);
    }

    QString medium;
};

TEST_F(Hostile, OwnerNamesThatLeadOutOfExterniAreRefused)
{
    // Names no other program on the machine uses.
    const QString x = QStringLiteral("vx%1").arg(QCoreApplication::applicationPid());
    ASSERT_FALSE(QFileInfo::exists("/tmp/" + x));
    for (const QString &owner :
         {"../../" + x, "/tmp/" + x, QStringLiteral("..\\x"), QStringLiteral(".skryty"),
          QStringLiteral("a\tb"), QString(31, 'a'), QStringLiteral("   ")}) {
        SCOPED_TRACE(owner.toStdString());
        user.shown.clear();
        writeOwner(owner);
        expectRefused("nelze použít");
        EXPECT_FALSE(QFileInfo::exists("/tmp/" + x));
        EXPECT_FALSE(QFileInfo::exists(Paths::externiDir() + "../../" + x));
        EXPECT_FALSE(QFileInfo::exists(Paths::externiDir() + "VK-../../" + x));
    }
    // The import itself refuses such a name too, whatever called it.
    exchange::ExportInfo info{"01.02.2002", "10:00:00", "2002.A", "../../" + x};
    QString problem;
    EXPECT_EQ(exchange::importCatalogue(
                  Catalogue::Cassettes, medium, info, [] { return true; }, [](double) {}, problem),
              exchange::ImportResult::Failed);
    EXPECT_FALSE(problem.isEmpty());
}

TEST_F(Hostile, BrokenInformationFilesAreExplained)
{
    writeInfo("Informace o Exportu na toto medium:\r\nDatum exportu   : 01.02.2002\r\n");
    expectRefused("méně než osm řádků");

    user.shown.clear();
    QByteArray bad = exchange::infoFileBytes(QDateTime::currentDateTime(), "2002.A", "Petr");
    bad.replace(QDate::currentDate().toString("dd.MM.yyyy").toLatin1(), "32.13.2002");
    writeInfo(bad);
    expectRefused("nelze přečíst jako datum");

    // Without an information file the values stay "-" and nothing is said.
    user.shown.clear();
    QFile::remove(medium + "/Export.evk");
    inManager(Catalogue::Cassettes, [&](ImportManager &m) {
        choose(m, medium);
        EXPECT_EQ(value(m, "Vlastnik"), "-");
        EXPECT_EQ(value(m, "Status"), "-");
        EXPECT_FALSE(m.importButton()->isEnabled());
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(Hostile, TablesThatOnlyLookRightAreRefused)
{
    const QString table = medium + "/data.vkf";
    QFile f(table);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QByteArray original = f.readAll();

    // The right field count, a wrong field name.
    QByteArray renamed = original;
    renamed.replace(32, 8, "XXKAZETY");
    f.seek(0);
    f.write(renamed);
    f.flush();
    expectRefused("t_kazety", "Nepovolen import VK.");

    // A header that claims more records than the file holds.
    user.shown.clear();
    f.resize(0);
    f.write(original.left(original.size() - 100));
    f.flush();
    expectRefused("neúplná", "Nepovolen import VK.");

    // Not a table at all.
    user.shown.clear();
    f.resize(0);
    f.write("this is no table");
    f.flush();
    expectRefused("nelze přečíst", "Nepovolen import VK.");
}

TEST_F(Hostile, FieldCountsOtherThanOursAreRefusedWhateverTheyAre)
{
    QList<FieldDef> fields = schema::cassettes().fields;
    for (const int count : {51, 53, 40}) {
        SCOPED_TRACE(count);
        QList<FieldDef> f = fields.mid(0, qMin(count, int(fields.size())));
        while (f.size() < count)
            f.append(FieldDef::string(QStringLiteral("NAVIC%1").arg(f.size()), 5));
        Table::create(medium + "/data.vkf", f);
        user.shown.clear();
        inManager(Catalogue::Cassettes, [&](ImportManager &m) {
            choose(m, medium);
            EXPECT_EQ(value(m, "Status"), "Nepovolen import VK.");
            EXPECT_FALSE(m.importButton()->isEnabled());
        });
    }
}

TEST_F(Hostile, LeftoversOfFailedRemovalsAreOfferedForCleanUpWithoutTouchingOthers)
{
    addImported(Catalogue::Cassettes, "Petr");
    addImported(Catalogue::Cassettes, "Ztraceny");
    QDir(exchange::catalogueDir(Catalogue::Cassettes, "Ztraceny")).removeRecursively();
    QDir().mkpath(exchange::catalogueDir(Catalogue::Cassettes, "Duch"));
    QFile(exchange::catalogueDir(Catalogue::Cassettes, "Duch") + "/data.dbf")
        .open(QIODevice::WriteOnly);
    addImported(Catalogue::Cds, "Ztraceny"); // the other kind stays as it is

    user.answers = {true};
    inManager(Catalogue::Cassettes,
              [&](ImportManager &m) { EXPECT_EQ(value(m, "CelkExtDat"), "1"); });
    ASSERT_FALSE(user.shown.isEmpty());
    EXPECT_TRUE(user.shown.first().text.contains("Ztraceny"));
    EXPECT_TRUE(user.shown.first().text.contains("Duch"));
    const QList<exchange::RegisterEntry> left = exchange::readRegister(Catalogue::Cassettes);
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0].user, "Petr");
    EXPECT_FALSE(QFileInfo::exists(exchange::catalogueDir(Catalogue::Cassettes, "Duch")));
    EXPECT_TRUE(
        QFileInfo::exists(exchange::catalogueTable(Catalogue::Cassettes, "Petr", "data.dbf")));
    EXPECT_EQ(exchange::readRegister(Catalogue::Cds).size(), 1);
}

// Cassettes with notes on every recording, numbered from first.
void addNotedCassettes(int first, int count)
{
    QList<CassetteRecord> many;
    for (int i = first; i < first + count; ++i) {
        CassetteRecord c;
        c.number = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
        c.recordings[0] = slot("Film", "SP", 90, "Komedie");
        for (auto &rec : c.recordings)
            rec.note = QStringLiteral("Poznámka %1 ").arg(i).repeated(20);
        many << c;
    }
    appendCassettes(many);
}

TEST_F(Hostile, FilesOfDifferentExportsInOneDirectoryAreRefused)
{
    // A later export of more data, with its notes, on another medium.
    addNotedCassettes(10, 30);
    const QString later = made("later");
    exportTo(Catalogue::Cassettes, later, "Petr");
    user.shown.clear();

    // The later table beside the earlier memo file and information file:
    // the manifest that travels with the set names other sizes.
    ASSERT_TRUE(QFile::remove(medium + "/data.vkf"));
    ASSERT_TRUE(QFile::copy(later + "/data.vkf", medium + "/data.vkf"));
    expectRefused("různých záloh nebo exportů");

    // A set without a manifest (from another installation): the table's
    // memos lie beyond the end of the memo file that stands beside it.
    ASSERT_TRUE(QFile::remove(medium + "/Export.sum"));
    user.shown.clear();
    expectRefused("nepatří k sobě");

    // ... or the table was changed after the day its information file names.
    ASSERT_TRUE(QFile::remove(medium + "/data.vkt"));
    ASSERT_TRUE(QFile::copy(later + "/data.vkt", medium + "/data.vkt"));
    writeInfo(exchange::infoFileBytes(QDateTime::currentDateTime().addDays(-3), "2002.A", "Petr"));
    user.shown.clear();
    expectRefused("později než byl zapsán");

    // The later export whole is imported as it is.
    user.shown.clear();
    inManager(Catalogue::Cassettes, [&](ImportManager &m) {
        choose(m, later);
        EXPECT_TRUE(m.importButton()->isEnabled());
        m.importChosen();
    });
    EXPECT_TRUE(user.shown.isEmpty()) << user.texts().join(" | ").toStdString();
    EXPECT_EQ(
        readWithDbfread(exchange::catalogueTable(Catalogue::Cassettes, "Petr", "data.dbf")).size(),
        32);
}

TEST_F(Hostile, PipesDevicesAndLinksOnTheMediumAreRefusedWithoutWaiting)
{
    const auto replaceBy = [&](const QString &name, const std::function<bool(QString)> &make) {
        ASSERT_TRUE(QFile::remove(medium + "/" + name));
        ASSERT_TRUE(make(medium + "/" + name));
    };
    const auto fifo = [](const QString &path) {
        return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
    };
    QFile::copy(medium + "/Export.evk", made("keep") + "/Export.evk");

    // An information file that is a pipe would hang a reader at its open.
    replaceBy("Export.evk", fifo);
    expectRefused("pojmenovaná roura");

    // A memo file that leads to an endless device.
    ASSERT_TRUE(QFile::remove(medium + "/Export.evk"));
    ASSERT_TRUE(QFile::copy(made("keep") + "/Export.evk", medium + "/Export.evk"));
    replaceBy("data.vkt", [](const QString &p) { return QFile::link("/dev/zero", p); });
    user.shown.clear();
    expectRefused("odkaz");
    // Forced past the manager, the import copies nothing of it.
    exchange::ExportInfo info;
    QString problem;
    ASSERT_TRUE(exchange::readInfoFile(medium + "/Export.evk", info, problem));
    EXPECT_EQ(exchange::importCatalogue(
                  Catalogue::Cassettes, medium, info, [] { return true; }, [](double) {}, problem),
              exchange::ImportResult::Failed);
    EXPECT_TRUE(problem.contains("odkaz")) << problem.toStdString();
    EXPECT_FALSE(QFileInfo::exists(exchange::catalogueDir(Catalogue::Cassettes, "Petr")));

    // The listed table itself a pipe: listed, and refused when chosen.
    ASSERT_TRUE(QFile::remove(medium + "/data.vkt"));
    replaceBy("data.vkf", fifo);
    user.shown.clear();
    expectRefused("pojmenovaná roura");
}

TEST_F(Hostile, NamesTheInformationFileCannotHoldAreRefusedAtExportAndImport)
{
    // Cyrillic would be written as question marks: "Иван" and "Пётр" would
    // both become "????" and one catalogue.
    const QString other = made("other");
    user.shown.clear();
    user.onScreen["OwnerNameDialog"] = [](QDialog &d) {
        auto &o = static_cast<OwnerNameDialog &>(d);
        o.edit()->setText(QStringLiteral("Иван"));
        o.save();
    };
    user.onScreen["TExporting_my_VK"] = [other](QDialog &d) {
        auto &s = static_cast<ExportScreen &>(d);
        ASSERT_TRUE(s.directories()->setPath(other));
        s.exportData();
    };
    settings::storeOwnerName(QString());
    window->runAction("external.cassetteExport");
    ASSERT_FALSE(user.shown.isEmpty());
    EXPECT_TRUE(user.shown.first().text.contains("neumí zapsat"))
        << user.shown.first().text.toStdString();
    EXPECT_TRUE(QDir(other).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_FALSE(exchange::exportCatalogue(Catalogue::Cassettes, other, QStringLiteral("Пётр"),
                                           QDateTime::currentDateTime(), [](double) {})
                     .isEmpty());
    EXPECT_TRUE(QDir(other).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    // An export another installation made of such a name.
    user.shown.clear();
    writeOwner(QStringLiteral("????"));
    expectRefused("otazník");
    EXPECT_TRUE(exchange::ownerNameProblem(QStringLiteral("Jiří Šťastný")).isEmpty());
    EXPECT_TRUE(exchange::ownerNameProblem(QStringLiteral("Ľudo Ŕáb")).isEmpty());
}

TEST_F(Hostile, ThePlacesFollowMediaMountedAndRemovedWhileTheManagerIsShown)
{
    const QString root = made("media");
    QDir().mkpath(root + "/STICK");
    setMediaRoots({root});
    const auto names = [](const PlaceBox &b) {
        QStringList out;
        for (int i = 0; i < b.count(); ++i)
            out << b.itemText(i);
        return out;
    };
    inManager(Catalogue::Cassettes, [&](ImportManager &m) {
        auto *places = child<PlaceBox>(m, "DriveComboBox1");
        EXPECT_TRUE(names(*places).contains("Médium: STICK"));
        const QString shown = m.directories()->path();

        // A stick plugged in now is in the list when the list is opened.
        QDir().mkpath(root + "/NOVY");
        places->showPopup();
        places->hidePopup();
        EXPECT_TRUE(names(*places).contains("Médium: NOVY"));
        // ... and even while the list stays closed.
        QDir().mkpath(root + "/DALSI");
        QTRY_VERIFY_WITH_TIMEOUT(names(*places).contains("Médium: DALSI"), 10000);
        EXPECT_EQ(m.directories()->path(), shown); // nothing else changes

        // A stick pulled out before its entry is chosen: told, and the
        // place stays where the directories are.
        const int stick = places->findText("Médium: STICK");
        ASSERT_GE(stick, 0);
        QDir(root + "/STICK").removeRecursively();
        places->setCurrentIndex(stick);
        emit places->activated(stick);
        ASSERT_FALSE(user.shown.isEmpty());
        EXPECT_TRUE(user.shown.last().text.contains("STICK"));
        EXPECT_TRUE(user.shown.last().text.contains("už není k dispozici"));
        EXPECT_EQ(m.directories()->path(), shown);
        EXPECT_FALSE(names(*places).contains("Médium: STICK"));
        EXPECT_EQ(places->currentText(), "Data programu");
    });
    setMediaRoots({});
}

TEST(ExportInfo, OwnerNamesAndTheValuesReadBack)
{
    EXPECT_TRUE(exchange::ownerNameProblem("Petr Novák").isEmpty());
    EXPECT_TRUE(exchange::ownerNameProblem(QString(30, 'a')).isEmpty());
    EXPECT_FALSE(exchange::ownerNameProblem(QString(31, 'a')).isEmpty());
    EXPECT_FALSE(exchange::ownerNameProblem("").isEmpty());
    EXPECT_FALSE(exchange::ownerNameProblem("a/b").isEmpty());
    EXPECT_FALSE(exchange::ownerNameProblem("a..b").isEmpty());
    EXPECT_FALSE(exchange::ownerNameProblem(QString("a") + QChar(0x7f)).isEmpty());
    // What follows the label is the owner, trailing blanks included; the
    // directory and the register use the name without them.
    EXPECT_EQ(exchange::ownerKey("Petr   "), "Petr");
    test::TestEnv env;
    const QString path = env.file("Export.evk");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        exchange::infoFileBytes(QDateTime(QDate(2002, 5, 27), QTime(9, 5, 3)), "2002.A", "Petr  "));
    f.close();
    exchange::ExportInfo info;
    QString problem;
    ASSERT_TRUE(exchange::readInfoFile(path, info, problem)) << problem.toStdString();
    EXPECT_EQ(info.date, "27.05.2002");
    EXPECT_EQ(info.time, "09:05:03");
    EXPECT_EQ(info.version, "2002.A");
    EXPECT_EQ(info.owner, "Petr  ");
}

} // namespace
} // namespace velmora::test
