#include "platform/MachineInfo.h"
#include "platform/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

// Receives the addresses that the desktop would have opened, for the schemes
// it is registered for, and gives the schemes back when it goes.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    explicit UrlCatcher(const QStringList &schemes) : m_schemes(schemes)
    {
        for (const QString &s : m_schemes)
            QDesktopServices::setUrlHandler(s, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const QString &s : m_schemes)
            QDesktopServices::unsetUrlHandler(s);
    }
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }

private:
    QStringList m_schemes;
};

constexpr uint64_t kKiB = 1024;

const char *const kFullMeminfo = "MemTotal:       16315464 kB\n"
                                 "MemFree:         1204456 kB\n"
                                 "MemAvailable:    9876543 kB\n"
                                 "Buffers:          345678 kB\n"
                                 "Cached:          7654321 kB\n"
                                 "SwapCached:         1234 kB\n"
                                 "SwapTotal:       2097148 kB\n"
                                 "SwapFree:        1048574 kB\n"
                                 "HugePages_Total:       0\n"
                                 "Hugepagesize:       2048 kB\n";

TEST(MachineInfo, ParsesMeminfoIntoBytes)
{
    const machine::MemoryStatus s = machine::parseMeminfo(QString::fromLatin1(kFullMeminfo));
    EXPECT_EQ(s.totalPhysical, 16315464 * kKiB);
    EXPECT_EQ(s.availablePhysical, 9876543 * kKiB); // MemAvailable, not MemFree
    EXPECT_EQ(s.totalPageFile, 2097148 * kKiB);
    EXPECT_EQ(s.availablePageFile, 1048574 * kKiB);
}

TEST(MachineInfo, MeminfoWithoutSwapOrAvailableLines)
{
    // A machine without swap, on a kernel that predates MemAvailable; the
    // lines come in another order and with CR LF.
    const machine::MemoryStatus s = machine::parseMeminfo(
        QStringLiteral("Cached:   3000 kB\r\nMemFree:  1000 kB\r\nBuffers:   500 kB\r\n"
                       "MemTotal: 8000 kB\r\n"));
    EXPECT_EQ(s.totalPhysical, 8000 * kKiB);
    EXPECT_EQ(s.availablePhysical, 4500 * kKiB);
    EXPECT_EQ(s.totalPageFile, 0u);
    EXPECT_EQ(s.availablePageFile, 0u);
}

TEST(MachineInfo, MeminfoThatIsNotMeminfoGivesZeros)
{
    for (const QString &text :
         {QString(), QStringLiteral("garbage"), QStringLiteral("MemTotal: lots kB\n:\n::::")}) {
        const machine::MemoryStatus s = machine::parseMeminfo(text);
        EXPECT_EQ(s.totalPhysical, 0u) << text.toStdString();
        EXPECT_EQ(s.availablePhysical, 0u);
        EXPECT_EQ(s.totalPageFile, 0u);
        EXPECT_EQ(s.availablePageFile, 0u);
    }
}

TEST(MachineInfo, FreshReadingOfThisMachine)
{
    const machine::MemoryStatus s = machine::memoryStatus();
#ifdef Q_OS_LINUX
    EXPECT_GT(s.totalPhysical, 0u);
    EXPECT_LE(s.availablePhysical, s.totalPhysical);
    EXPECT_LE(s.availablePageFile, s.totalPageFile);
    EXPECT_EQ(s.totalPhysical, machine::memoryStatus().totalPhysical);
#endif
}

TEST(MachineInfo, ProcessorCountIsThatOfTheStart)
{
    const int n = machine::processorCount();
    EXPECT_GT(n, 0);
    EXPECT_EQ(n, QThread::idealThreadCount());
    EXPECT_EQ(machine::processorCount(), n);
}

TEST(MachineInfo, VersionRecordOfTheExecutable)
{
    const machine::VersionRecord r = machine::versionRecord();
    EXPECT_EQ(r.fileVersion, "2002.2.1.1");
    EXPECT_EQ(r.fileDescription, "Velmora 2002");
    EXPECT_EQ(r.comment, QStringLiteral("Katalog domácí sbírky videokazet a hudebních CD"));
    EXPECT_EQ(r.countryCode, QStringLiteral("Čeština (1250)"));
    EXPECT_EQ(r.executable, "tests_platform");
}

TEST(MachineInfo, ScreenAndPrinter)
{
    const machine::ScreenSize size = machine::screenSize();
    EXPECT_GT(size.width, 0);
    EXPECT_GT(size.height, 0);

    const QString printer = machine::currentPrinterName();
    const QStringList available = QPrinterInfo::availablePrinterNames();
    if (available.isEmpty()) {
        EXPECT_TRUE(printer.isEmpty()) << printer.toStdString();
    } else {
        EXPECT_TRUE(available.contains(printer)) << printer.toStdString();
    }
}

TEST(Shell, OpenUrlReachesTheDesktopHandler)
{
    UrlCatcher catcher({QStringLiteral("https")});
    EXPECT_TRUE(shell::openUrl(QStringLiteral("https://www.norvane.cz/konference/")));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.at(0), QUrl(QStringLiteral("https://www.norvane.cz/konference/")));

    EXPECT_FALSE(shell::openUrl(QString()));
    EXPECT_EQ(catcher.urls.size(), 1); // nothing was handed on
}

TEST(Shell, OpenFileHandsOnAnAbsoluteFileAddress)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Version.txt"));
    UrlCatcher catcher({QStringLiteral("file")});
    EXPECT_TRUE(shell::openFile(file));
    const QString relative = QDir::current().relativeFilePath(file);
    EXPECT_TRUE(shell::openFile(relative));
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls.at(0), QUrl::fromLocalFile(file));
    EXPECT_EQ(catcher.urls.at(1), QUrl::fromLocalFile(file));
    EXPECT_FALSE(shell::openFile(QString()));
    EXPECT_EQ(catcher.urls.size(), 2);
}

TEST(Shell, ReportsWhenNoHandlerCanBeStarted)
{
    // The offscreen platform has no desktop services, so without a handler
    // nothing can open a page; elsewhere a real browser could start.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "needs the offscreen platform";
    EXPECT_FALSE(shell::openUrl(QStringLiteral("https://www.norvane.cz/")));
    EXPECT_FALSE(shell::openFile(QDir::temp().filePath(QStringLiteral("VK.txt"))));
}

} // namespace

#include "test_machineinfo.moc"
