// Exports from another person's medium that must not be trusted: names that
// would lead out of EXTERNI, broken information files, tables that only look
// right. Each gets a clear message and changes nothing.

#include "ExchangeFixture.h"
#include "ImportedCatalogues.h"
#include "exchange/ExportInfo.h"
#include "exchange/Importing.h"

#include <QCoreApplication>
#include <QDateTime>

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
