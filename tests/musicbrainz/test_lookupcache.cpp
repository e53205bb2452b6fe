// The answers kept by disc ID: read back as stored, a damaged or foreign
// entry passed over and replaced, nothing but a regular file read, and no
// disc ID that could lead outside the folder.

#include "Answers.h"
#include "TestEnv.h"
#include "musicbrainz/LookupCache.h"

#include <QDateTime>
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
    void setAge(const QString &path, qint64 seconds) const
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                                  QFileDevice::FileModificationTime));
    }

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

TEST_F(Cache, AnEntryTellsItsAgeAndIsForgottenOnRequest)
{
    LookupCache cache(folder());
    ASSERT_TRUE(cache.store(answers::kAlbumDisc, answers::oneRelease()));
    setAge(entry(answers::kAlbumDisc), 3 * 3600);
    qint64 age = -1;
    ASSERT_TRUE(cache.answer(answers::kAlbumDisc, &age));
    EXPECT_GE(age, 3 * 3600 - 5);
    EXPECT_LE(age, 3 * 3600 + 60);
    // Dated a day ahead of the clock, it is no fresh answer.
    setAge(entry(answers::kAlbumDisc), -24 * 3600);
    ASSERT_TRUE(cache.answer(answers::kAlbumDisc, &age));
    EXPECT_GT(age, 365LL * 24 * 3600);
    cache.forget(answers::kAlbumDisc);
    EXPECT_FALSE(cache.answer(answers::kAlbumDisc));
    cache.forget(QStringLiteral("../musicbrainz")); // no path outside the folder
    EXPECT_TRUE(QDir(folder()).exists());
}

TEST_F(Cache, TheOldestEntriesGoBeyondTheCountAndTheSizeBound)
{
    // As many entries as are kept, the oldest first to go.
    QDir().mkpath(folder());
    for (int i = 0; i < LookupCache::kMaxEntries; ++i) {
        const QString id = QStringLiteral("disc%1").arg(i, 4, 10, QLatin1Char('0'));
        plant(id, answers::oneRelease());
        setAge(entry(id), 60LL * (i + 1));
    }
    LookupCache cache(folder());
    ASSERT_TRUE(cache.store(answers::kAlbumDisc, answers::oneRelease()));
    EXPECT_EQ(files().size(), LookupCache::kMaxEntries);
    EXPECT_TRUE(cache.answer(answers::kAlbumDisc));
    EXPECT_TRUE(cache.answer(QStringLiteral("disc0000")));
    EXPECT_FALSE(QFile::exists(entry(
        QStringLiteral("disc%1").arg(LookupCache::kMaxEntries - 1, 4, 10, QLatin1Char('0')))));

    // Big entries: the bytes bound the folder before the count does.
    QDir(folder()).removeRecursively();
    QDir().mkpath(folder());
    const qint64 big = 3 * 1024 * 1024;
    const int count = int(LookupCache::kMaxBytes / big) + 2;
    for (int i = 0; i < count; ++i) {
        const QString id = QStringLiteral("big%1").arg(i, 3, 10, QLatin1Char('0'));
        plant(id, QByteArray(big, ' '));
        setAge(entry(id), 60LL * (i + 1));
    }
    ASSERT_TRUE(cache.store(answers::kAlbumDisc, answers::oneRelease()));
    qint64 bytes = 0;
    for (const QFileInfo &f : QDir(folder()).entryInfoList(QDir::Files))
        bytes += f.size();
    EXPECT_LE(bytes, LookupCache::kMaxBytes);
    EXPECT_TRUE(QFile::exists(entry(QStringLiteral("big000"))));
    EXPECT_FALSE(
        QFile::exists(entry(QStringLiteral("big%1").arg(count - 1, 3, 10, QLatin1Char('0')))));
    EXPECT_TRUE(cache.answer(answers::kAlbumDisc));

    // A part file of a store that never finished goes once it is old.
    const QString stale = entry(answers::kSecondDisc) + QStringLiteral(".0badf00d.part");
    const QString fresh = entry(answers::kSeveralDisc) + QStringLiteral(".12345678.part");
    for (const QString &p : {stale, fresh}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    setAge(stale, 2 * 3600);
    ASSERT_TRUE(cache.store(answers::kAlbumDisc, answers::oneRelease()));
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(fresh));
}

TEST_F(Cache, EachServerHasAFolderOfItsOwnInsideTheCache)
{
    const QString base = folder();
    const QString mb = LookupCache::serverFolder(base, QStringLiteral("https://musicbrainz.org"));
    EXPECT_TRUE(mb.startsWith(base + QStringLiteral("/musicbrainz.org-"))) << mb.toStdString();
    const QStringList servers = {
        QStringLiteral("https://musicbrainz.org"), QStringLiteral("http://musicbrainz.org"),
        QStringLiteral("http://127.0.0.1:5000"), QStringLiteral("http://127.0.0.1:5001"),
        QStringLiteral("https://mirror.example.org/mb")};
    QStringList folders;
    for (const QString &s : servers) {
        const QString f = LookupCache::serverFolder(base, s);
        // One level below the base, a plain name.
        EXPECT_TRUE(f.startsWith(base + QLatin1Char('/')));
        EXPECT_FALSE(f.mid(base.size() + 1).contains(QLatin1Char('/'))) << f.toStdString();
        EXPECT_FALSE(folders.contains(f)) << f.toStdString();
        folders << f;
    }
    EXPECT_EQ(LookupCache::serverFolder(base, servers[2]), folders[2]); // stable
}

} // namespace
} // namespace velmora::test
