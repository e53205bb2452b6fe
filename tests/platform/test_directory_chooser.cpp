// The directory chooser that stands where drive letters used to be: places
// with the removable media the desktop mounted, and the old-style directory
// list walked by activating its entries.

#include "TestEnv.h"
#include "platform/DirectoryChooser.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
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

// Enter in the directory list or in the place box opens the directory or
// the place and is not passed on to the window: its default button, which
// starts the operation, sees only an Enter pressed elsewhere.
TEST(DirectoryChooser, EnterOpensTheDirectoryAndNeverPressesTheDefaultButton)
{
    TestEnv env;
    const QString root = QDir(env.dataDir()).absolutePath();
    QDir().mkpath(root + "/ZALOHA/stary");
    setMediaRoots({});
    QDialog window;
    auto *layout = new QVBoxLayout(&window);
    auto *placesBox = new PlaceBox(&window, "DriveComboBox1");
    auto *list = new DirectoryList(&window, "DirectoryListBox1");
    auto *other = new QLineEdit(&window);
    auto *start = new QPushButton("&Spustit", &window);
    start->setDefault(true);
    for (QWidget *w : {static_cast<QWidget *>(placesBox), static_cast<QWidget *>(list),
                       static_cast<QWidget *>(other), static_cast<QWidget *>(start)})
        layout->addWidget(w);
    QObject::connect(placesBox, &PlaceBox::placeChosen, list, &DirectoryList::setPath);
    placesBox->refresh(root, root + "/ZALOHA");
    ASSERT_TRUE(list->setPath(root + "/ZALOHA"));
    window.show();
    QApplication::processEvents();
    QSignalSpy pressed(start, &QPushButton::clicked);

    // Down from the current directory to its subdirectory, Enter opens it.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentItem()->text().trimmed(), "stary");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(list->path(), root + "/ZALOHA/stary");
    // Up to the parent with the keypad's Enter.
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(list->path(), root + "/ZALOHA");
    // Enter in the place box goes to the place shown there.
    placesBox->setFocus();
    QSignalSpy chosen(placesBox, &PlaceBox::placeChosen);
    QTest::keyClick(placesBox, Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toString(), root);
    EXPECT_EQ(list->path(), root);
    EXPECT_EQ(pressed.count(), 0);
    EXPECT_TRUE(window.isVisible());

    // Elsewhere Enter is the default button's, and on the button its own.
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Return);
    EXPECT_EQ(pressed.count(), 1);
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Return);
    EXPECT_EQ(pressed.count(), 2);
    EXPECT_EQ(list->path(), root);
}

} // namespace
} // namespace velmora::test
