// The answers kept by disc ID: read back as stored, a damaged or foreign
// entry passed over and replaced, nothing but a regular file read, and no
// disc ID that could lead outside the folder.

#include "Answers.h"
#include "TestEnv.h"
#include "musicbrainz/LookupCache.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::test {
namespace {

using musicbrainz::LookupCache;

class Cache : public ::testing::Test
{
protected:
    QString folder() const { return env.dataDir() + QStringLiteral("/cache/musicbrainz"); }
    QString entry(const QString &id) const { return folder() + QLatin1Char('/') + id + ".json"; }
    void plant(const QString &id, const QByteArray &bytes) const
    {
        QDir().mkpath(folder());
        QFile f(entry(id));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList files() const { return QDir(folder()).entryList(QDir::Files | QDir::System); }

    TestEnv env;
};

TEST_F(Cache, AStoredAnswerIsReadBackAsItWasStored)
{
    const LookupCache cache(folder());
    EXPECT_FALSE(cache.answer(answers::kAlbumDisc)); // the folder is not there yet
    ASSERT_TRUE(cache.store(answers::kAlbumDisc, answers::oneRelease()));
    ASSERT_TRUE(cache.store(answers::kSecondDisc, answers::twoDiscRelease()));
    EXPECT_EQ(cache.answer(answers::kAlbumDisc), answers::oneRelease());
    EXPECT_EQ(cache.answer(answers::kSecondDisc), answers::twoDiscRelease());
    EXPECT_FALSE(cache.answer(answers::kSeveralDisc));
    // A newer answer replaces the older, and nothing is left beside it.
    ASSERT_TRUE(cache.store(answers::kAlbumDisc, answers::severalReleases()));
    EXPECT_EQ(LookupCache(folder()).answer(answers::kAlbumDisc), answers::severalReleases());
    EXPECT_EQ(files().size(), 2);
    // "Not found" is an answer too.
    ASSERT_TRUE(cache.store(answers::kFirstDisc, answers::notFound()));
    EXPECT_EQ(cache.answer(answers::kFirstDisc), answers::notFound());
}

TEST_F(Cache, ADamagedEntryIsIgnoredAndReplacedOnTheNextStore)
{
    const LookupCache cache(folder());
    const QByteArray whole = answers::oneRelease();
    for (const QByteArray &damaged :
         {whole.left(whole.size() / 2), QByteArray("\0\0\0\0", 4), QByteArray("[1,2]"),
          QByteArray(R"({"releases":[{"title":5}]})"), QByteArray()}) {
        plant(answers::kAlbumDisc, damaged);
        EXPECT_FALSE(cache.answer(answers::kAlbumDisc)) << damaged.toStdString();
    }
    ASSERT_TRUE(cache.store(answers::kAlbumDisc, whole));
    EXPECT_EQ(cache.answer(answers::kAlbumDisc), whole);
    // What is not an answer is not stored.
    EXPECT_FALSE(cache.store(answers::kSecondDisc, "<html>Bad Gateway</html>"));
    EXPECT_FALSE(cache.answer(answers::kSecondDisc));
}

TEST_F(Cache, AnEntryBeyondTheBoundIsNotRead)
{
    // Valid JSON, padded with spaces past 4 MB.
    QByteArray big = answers::oneRelease();
    big += QByteArray(4 * 1024 * 1024, ' ');
    plant(answers::kAlbumDisc, big);
    EXPECT_FALSE(LookupCache(folder()).answer(answers::kAlbumDisc));
    EXPECT_FALSE(LookupCache(folder()).store(answers::kSecondDisc, big));
}

TEST_F(Cache, APipePlantedAsTheEntryNeitherBlocksNorIsRead)
{
    QDir().mkpath(folder());
    ASSERT_EQ(mkfifo(QFile::encodeName(entry(answers::kAlbumDisc)).constData(), 0600), 0);
    const LookupCache cache(folder());
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(cache.answer(answers::kAlbumDisc));
    EXPECT_LT(t.elapsed(), 2000);
    // The next store puts a file where the pipe was.
    ASSERT_TRUE(cache.store(answers::kAlbumDisc, answers::oneRelease()));
    EXPECT_TRUE(QFileInfo(entry(answers::kAlbumDisc)).isFile());
    EXPECT_EQ(cache.answer(answers::kAlbumDisc), answers::oneRelease());
}

TEST_F(Cache, ALinkPlantedAsTheEntryIsNotFollowed)
{
    // A link to a valid answer elsewhere: not read, and a store replaces
    // the link rather than writing where it leads.
    const QString elsewhere = env.file(QStringLiteral("elsewhere.json"));
    {
        QFile f(elsewhere);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(answers::twoDiscRelease());
    }
    QDir().mkpath(folder());
    ASSERT_TRUE(QFile::link(elsewhere, entry(answers::kAlbumDisc)));
    const LookupCache cache(folder());
    EXPECT_FALSE(cache.answer(answers::kAlbumDisc));
    ASSERT_TRUE(cache.store(answers::kAlbumDisc, answers::oneRelease()));
    EXPECT_FALSE(QFileInfo(entry(answers::kAlbumDisc)).isSymLink());
    QFile f(elsewhere);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), answers::twoDiscRelease());
    // A directory where the entry would be is passed over too.
    QDir().mkpath(entry(answers::kSecondDisc));
    EXPECT_FALSE(cache.answer(answers::kSecondDisc));
    EXPECT_FALSE(cache.store(answers::kSecondDisc, answers::oneRelease()));
}

TEST_F(Cache, NoDiscIdOfOtherCharactersBecomesAFileName)
{
    const LookupCache cache(folder());
    const QByteArray a = answers::oneRelease();
    for (const QString &id :
         {QString(), QStringLiteral("../escape"), QStringLiteral("a/b"), QStringLiteral(".."),
          QStringLiteral("."), QStringLiteral("ňěco"), QStringLiteral("a b"),
          QStringLiteral("x\u0000y"), QString(65, QLatin1Char('A'))}) {
        EXPECT_FALSE(cache.store(id, a)) << id.toStdString();
        EXPECT_FALSE(cache.answer(id)) << id.toStdString();
    }
    EXPECT_FALSE(QFile::exists(env.dataDir() + QStringLiteral("/cache/escape.json")));
    EXPECT_TRUE(files().isEmpty());
    // Every character a disc ID has is fine.
    EXPECT_TRUE(cache.store(QStringLiteral("Az09._-"), a));
    EXPECT_EQ(cache.answer(QStringLiteral("Az09._-")), a);
}

TEST_F(Cache, TheDefaultFolderIsInTheUsersCache)
{
    const bool wasSet = qEnvironmentVariableIsSet("XDG_CACHE_HOME");
    const QByteArray before = qgetenv("XDG_CACHE_HOME");
    const QString home = env.dataDir() + QStringLiteral("/xdg-cache");
    qputenv("XDG_CACHE_HOME", home.toLocal8Bit());
    const QString folder = LookupCache::defaultFolder();
    if (wasSet)
        qputenv("XDG_CACHE_HOME", before);
    else
        qunsetenv("XDG_CACHE_HOME");
    EXPECT_TRUE(folder.startsWith(home + QLatin1Char('/'))) << folder.toStdString();
    EXPECT_TRUE(folder.endsWith(QStringLiteral("/musicbrainz"))) << folder.toStdString();
}

} // namespace
} // namespace velmora::test
