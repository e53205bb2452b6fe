#include "ScriptedAnswerer.h"
#include "TestEnv.h"
#include "core/MainWindow.h"
#include "core/Startup.h"
#include "storage/Paths.h"
#include "storage/Storage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

const QStringList kTables = {"Users_za.nrv", "Users_zd.nrv", "archiv.dbf",
                             "data.dbf",     "cd01.dbf",     "cd02.dbf",
                             "archivcd.dbf", "Users_c1.nrv", "Users_c2.nrv"};

class StorageTest : public ::testing::Test
{
protected:
    void SetUp() override { Paths::setDataDir(env.dataDir()); }

    bool prepare()
    {
        Storage::prepareDirectories();
        return Storage::prepareTables(handles);
    }

    QStringList rows(const QString &file)
    {
        Table t;
        t.setPath(env.file(file));
        t.open(Table::Mode::ReadOnly);
        QStringList out;
        for (t.first(); !t.eof(); t.next())
            out << t.asString(0);
        return out;
    }

    QMap<QString, QByteArray> snapshot()
    {
        QMap<QString, QByteArray> out;
        QDirIterator it(env.dataDir(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            f.open(QIODevice::ReadOnly);
            out.insert(f.fileName(), f.readAll());
        }
        return out;
    }

    void writeFile(const QString &name, const QByteArray &content)
    {
        QFile f(env.file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QByteArray readFile(const QString &name)
    {
        QFile f(env.file(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    test::TestEnv env;
    TableHandles handles;
};

TEST_F(StorageTest, FirstStartCreatesDirectoriesNotesAndAllTables)
{
    EXPECT_FALSE(prepare());
    for (const char *dir : {"LANG", "ZALOHA", "EXTERNI"})
        EXPECT_TRUE(QFileInfo(env.file(dir)).isDir()) << dir;
    for (const char *notes : {"VK.txt", "CD.txt"}) {
        EXPECT_TRUE(QFileInfo::exists(env.file(notes)));
        EXPECT_EQ(QFileInfo(env.file(notes)).size(), 0);
    }
    for (const QString &table : kTables)
        EXPECT_TRUE(QFileInfo::exists(env.file(table))) << table.toStdString();
    EXPECT_TRUE(QFileInfo::exists(env.file("data.dbt")));
    EXPECT_FALSE(QFileInfo::exists(env.file("data.mdx")));
    for (Table *t : handles.all())
        EXPECT_FALSE(t->isOpen()) << t->handleName().toStdString();
}

TEST_F(StorageTest, UserListsHoldTheirDefaultRowsInOrder)
{
    prepare();
    const QStringList genres = rows("Users_za.nrv");
    ASSERT_EQ(genres.size(), 30);
    EXPECT_EQ(genres.first(), "Akční");
    EXPECT_EQ(genres.at(6), "Historický"); // before "Erotický": the list is not sorted there
    EXPECT_EQ(genres.at(7), "Erotický");
    EXPECT_EQ(genres.at(27), "Thriler");
    EXPECT_EQ(genres.last(), "Western");
    const QStringList sources = rows("Users_zd.nrv");
    ASSERT_EQ(sources.size(), 11);
    EXPECT_EQ(sources.at(1), "Televize N@va");
    EXPECT_EQ(sources.at(2), "Televize ČT1");
    EXPECT_EQ(sources.at(7), "Halmark TV");
    EXPECT_EQ(rows("Users_c1.nrv"),
              QStringList({"Originální CD", "Kopírované CD", "Vlastní MIX CD"}));
    const QStringList styles = rows("Users_c2.nrv");
    ASSERT_EQ(styles.size(), 9);
    EXPECT_EQ(styles.at(6), "Vážná hudba");
    EXPECT_EQ(styles.last(), "Hudba z filmu");
    EXPECT_EQ(rows("data.dbf").size(), 0);
}

TEST_F(StorageTest, TablesHaveTheirFieldsWidthsAndTags)
{
    prepare();
    Table t;
    t.setPath(env.file("data.dbf"));
    t.open();
    ASSERT_EQ(t.fieldCount(), 52);
    EXPECT_EQ(t.fieldWidth("zanr1"), 15);
    EXPECT_EQ(t.fieldWidth("film5"), 30);
    EXPECT_EQ(t.fieldWidth("zdroj3"), 20);
    EXPECT_EQ(t.fieldWidth("pozn"), 50);
    EXPECT_EQ(t.fieldDefs().at(51).name.toLower(), "pozn");
    EXPECT_EQ(t.fieldDefs().at(46).type, FieldType::Memo); // P_film5
    EXPECT_EQ(t.fieldDefs().at(47).type, FieldType::Boolean);
    EXPECT_EQ(t.fieldDefs().at(50).type, FieldType::Integer);
    QStringList tags = t.tags();
    for (QString &s : tags)
        s = s.toLower();
    EXPECT_EQ(tags, QStringList({"cislo", "komu"}));
    EXPECT_EQ(t.languageDriver(), 0xC8);
    t.close();

    t.setPath(env.file("cd02.dbf"));
    t.open();
    EXPECT_EQ(t.tags().size(), 6);
    EXPECT_EQ(t.fieldWidth("Styl"), 15);
    t.close();
    t.setPath(env.file("Users_c2.nrv"));
    t.open();
    EXPECT_EQ(t.fieldWidth("Zanr"), 20); // a style may be longer than cd02's Styl
}

TEST_F(StorageTest, SecondStartChangesNoByte)
{
    prepare();
    const auto before = snapshot();
    EXPECT_FALSE(prepare());
    EXPECT_EQ(snapshot(), before);
}

TEST_F(StorageTest, EmptiedUserListIsRefilledAndOneRowIsKept)
{
    prepare();
    for (const char *file : {"Users_za.nrv", "Users_c1.nrv"}) {
        Table t;
        t.setPath(env.file(file));
        t.open();
        t.first();
        while (!t.isEmpty())
            t.deleteRecord();
        if (QString(file) == "Users_c1.nrv") {
            t.append();
            t.setString("Zdroj", "Jen můj formát");
            t.post();
        }
    }
    prepare();
    EXPECT_EQ(rows("Users_za.nrv").size(), 30);
    EXPECT_EQ(rows("Users_c1.nrv"), QStringList({"Jen můj formát"}));
}

TEST_F(StorageTest, OldNotesFileIsRenamedWithItsContent)
{
    writeFile("Poznámky k VK.txt", "stará poznámka");
    prepare();
    EXPECT_FALSE(QFileInfo::exists(env.file("Poznámky k VK.txt")));
    EXPECT_EQ(readFile("VK.txt"), QByteArray("stará poznámka"));
}

TEST_F(StorageTest, OldAndNewNotesFilesBothStay)
{
    writeFile("Poznámky k CD.txt", "old");
    writeFile("CD.txt", "new");
    prepare();
    EXPECT_EQ(readFile("Poznámky k CD.txt"), QByteArray("old"));
    EXPECT_EQ(readFile("CD.txt"), QByteArray("new"));
}

TEST_F(StorageTest, TheNewsFileComesFromTheInstallationAndFollowsItsVersion)
{
    // An installation: the program in bin, its news in share/velmora.
    QTemporaryDir prefix;
    QDir().mkpath(prefix.path() + "/bin");
    QDir().mkpath(prefix.path() + "/share/velmora");
    const auto ship = [&](const QByteArray &text) {
        QFile f(prefix.path() + "/share/velmora/Version.txt");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    ship("Verze 1\r\n");
    Storage::prepareNews(prefix.path() + "/bin");
    EXPECT_EQ(readFile("Version.txt"), QByteArray("Verze 1\r\n"));
    ship("Verze 2\r\n");
    Storage::prepareNews(prefix.path() + "/bin");
    EXPECT_EQ(readFile("Version.txt"), QByteArray("Verze 2\r\n"));

    // A program that keeps its data beside itself reads its own file.
    const QByteArray before = readFile("Version.txt");
    Storage::prepareNews(env.dataDir());
    EXPECT_EQ(readFile("Version.txt"), before);
    // Nothing shipped: nothing written.
    QFile::remove(env.file("Version.txt"));
    Storage::prepareNews(prefix.path() + "/nowhere");
    EXPECT_FALSE(QFileInfo::exists(env.file("Version.txt")));
}

TEST_F(StorageTest, GenreWidthTwelveIsTheOldFormatAndStaysUntouched)
{
    auto fields = schema::cassettes().fields;
    fields[3].width = 12;
    Table::create(env.file("data.dbf"), fields, {"cislo"});
    const QByteArray before = readFile("data.dbf");
    EXPECT_TRUE(prepare());
    EXPECT_EQ(readFile("data.dbf"), before);
}

TEST_F(StorageTest, OtherDifferencesAreNotTheOldFormat)
{
    auto fields = schema::cassettes().fields;
    fields[4].width = 3; // ry1
    fields.removeLast();
    Table::create(env.file("data.dbf"), fields, {});
    const QByteArray before = readFile("data.dbf");
    EXPECT_FALSE(prepare());
    EXPECT_EQ(readFile("data.dbf"), before);
}

TEST_F(StorageTest, DamagedTableIsReportedByNameAndTheStartGoesOn)
{
    writeFile("data.dbf", "this is not a table");
    test::ScriptedAnswerer user;
    TTitul window;
    prepareMainWindow(window);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown.first().kind, MessageKind::Error);
    EXPECT_TRUE(user.shown.first().text.contains("data.dbf"))
        << user.shown.first().text.toStdString();
    // Tables before it are ready, the ones after it were left alone.
    EXPECT_TRUE(QFileInfo::exists(env.file("archiv.dbf")));
    EXPECT_FALSE(QFileInfo::exists(env.file("cd01.dbf")));
    EXPECT_EQ(readFile("data.dbf"), QByteArray("this is not a table"));
    EXPECT_TRUE(QFileInfo::exists(env.file("VK.txt")));
}

} // namespace
