#include <QCoreApplication>
#include <gtest/gtest.h>

// Tests of the engine need an application object for Qt's text codecs and
// file system, not a window system.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
