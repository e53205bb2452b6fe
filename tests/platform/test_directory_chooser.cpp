// The directory chooser that stands where drive letters used to be: places
// with the removable media the desktop mounted, and the old-style directory
// list walked by activating its entries.

#include "TestEnv.h"
#include "platform/DirectoryChooser.h"

#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

TEST(DirectoryChooser, RemovableMediaAreOfferedAsPlacesAndPathsFollowTheirPlace)
{
    TestEnv env;
    const QString media = env.file("media/petr");
    QDir().mkpath(media + "/USB DISK/export");
    QDir().mkpath(media + "/CDROM");
    setMediaRoots({media, env.file("run-media-missing")});

    const QList<Place> all = places(env.dataDir());
    ASSERT_EQ(all.size(), 5);
    EXPECT_EQ(all[0].path, QDir(env.dataDir()).absolutePath());
    EXPECT_EQ(all[1].path, QDir::homePath());
    EXPECT_EQ(all[2].name, "Médium: CDROM");
    EXPECT_EQ(all[3].name, "Médium: USB DISK");
    EXPECT_EQ(all[3].path, media + "/USB DISK");
    EXPECT_EQ(all[4].path, "/");

    PlaceBox box(nullptr, "DriveComboBox1");
    box.refresh(env.dataDir(), media + "/USB DISK/export");
    EXPECT_EQ(box.currentText(), "Médium: USB DISK");
    box.follow(env.dataDir() + "/EXTERNI");
    EXPECT_EQ(box.currentText(), "Data programu");
    setMediaRoots({});
}

TEST(DirectoryChooser, TheListShowsThePathAndTheSubdirectoriesAndMovesOnActivation)
{
    TestEnv env;
    const QString root = QDir(env.dataDir()).absolutePath();
    QDir().mkpath(root + "/b");
    QDir().mkpath(root + "/a");
    DirectoryList list(nullptr, "DirectoryListBox1");
    QSignalSpy moved(&list, &DirectoryList::pathChanged);
    ASSERT_TRUE(list.setPath(root + "/a/.."));
    EXPECT_EQ(list.path(), root);
    EXPECT_EQ(moved.count(), 1);
    const int depth = int(root.split('/', Qt::SkipEmptyParts).size());
    ASSERT_EQ(list.count(), depth + 1 + 2); // "/", each step, then a and b
    EXPECT_EQ(list.item(0)->text(), "/");
    EXPECT_EQ(list.currentRow(), depth); // the current directory
    EXPECT_EQ(list.item(depth + 1)->text().trimmed(), "a");
    EXPECT_EQ(list.item(depth + 2)->text().trimmed(), "b");

    emit list.itemActivated(list.item(depth + 2));
    EXPECT_EQ(list.path(), root + "/b");
    emit list.itemActivated(list.item(0));
    EXPECT_EQ(list.path(), "/");
    EXPECT_FALSE(list.setPath(root + "/missing"));
    EXPECT_EQ(list.path(), "/");
}

} // namespace
} // namespace velmora::test
