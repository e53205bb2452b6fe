// The command line as a terminal user and a script give it: the window's
// own options and Qt's pass, the exchange options are checked before any
// work, and whatever is not understood is told, never ignored.

#include "terminal/CommandLine.h"

#include <gtest/gtest.h>

namespace velmora::terminal {
namespace {

CommandLine parse(const QStringList &args)
{
    return parseCommandLine(QStringList{QStringLiteral("velmora")} + args);
}

using Mode = CommandLine::Mode;

TEST(CommandLine, TheWindowsOptionsAndTheWindowSystemsPassToTheWindow)
{
    CommandLine c = parse({"--data-dir", "/tmp/d", "--cd-device=/dev/sr1", "/AutoRun"});
    EXPECT_EQ(c.mode, Mode::Window);
    EXPECT_EQ(c.dataDir, "/tmp/d");
    EXPECT_EQ(c.cdDevice, "/dev/sr1");
    EXPECT_EQ(c.positional, QStringList{"/AutoRun"});

    c = parse({"-platform", "offscreen", "-style", "Fusion", "-reverse", "--data-dir=/x"});
    EXPECT_EQ(c.mode, Mode::Window) << c.error.toStdString();
    EXPECT_EQ(c.dataDir, "/x");
    EXPECT_TRUE(c.positional.isEmpty());
    EXPECT_EQ(parse({}).mode, Mode::Window);
}

TEST(CommandLine, ExportAndImportNameWhatAndOneFile)
{
    CommandLine c = parse({"--data-dir", "/d", "--export", "kazety", "out.csv"});
    EXPECT_EQ(c.mode, Mode::Export);
    EXPECT_EQ(c.what, "kazety");
    EXPECT_EQ(c.file, "out.csv");
    EXPECT_EQ(c.dataDir, "/d");
    c = parse({"--export", "VSE", "vse.xlsx"});
    EXPECT_EQ(c.mode, Mode::Export);
    EXPECT_EQ(c.what, "vse");
    c = parse({"--import=cd", "tracks.csv"});
    EXPECT_EQ(c.mode, Mode::Import);
    EXPECT_EQ(c.what, "cd");
    EXPECT_EQ(c.file, "tracks.csv");
}

TEST(CommandLine, TheDataFolderIsTheOneTheParserReadHoweverItIsSpelled)
{
    // One dash, as Qt spells its own options, and a repeated option: the
    // last one counts, for the window and the exchange alike.
    EXPECT_EQ(parse({"-data-dir", "/x", "--export", "kazety", "f.csv"}).dataDir, "/x");
    EXPECT_EQ(parse({"--data-dir", "/a", "--data-dir", "/b"}).dataDir, "/b");
    EXPECT_EQ(parse({"-cd-device", "/dev/sr1"}).cdDevice, "/dev/sr1");
}

TEST(CommandLine, WhatIsNotUnderstoodIsAnErrorThatSaysWhat)
{
    const struct
    {
        QStringList args;
        const char *said;
    } cases[] = {
        {{"--bogus"}, "Neznámá volba: --bogus"},
        {{"--bogus=1"}, "Neznámá volba: --bogus"},
        {{"-x"}, "Neznámá volba: -x"},
        {{"--export", "filmy", "f.csv"}, "zná jen kazety|cd|vypujcky|vse, ne „filmy“"},
        {{"--import", "vypujcky", "f.csv"}, "zná jen kazety|cd, ne „vypujcky“"},
        {{"--export", "kazety"}, "potřebuje právě jeden soubor"},
        {{"--export", "kazety", "a.csv", "b.csv"}, "potřebuje právě jeden soubor"},
        {{"--export", "kazety", "a.csv", "--import", "cd"}, "nelze použít spolu"},
        {{"--data-dir"}, "Chybné volby: u volby --data-dir chybí hodnota."},
    };
    for (const auto &c : cases) {
        const CommandLine line = parse(c.args);
        EXPECT_EQ(line.mode, Mode::Error) << c.args.join(' ').toStdString();
        EXPECT_TRUE(line.error.contains(QString::fromUtf8(c.said)))
            << line.error.toStdString() << " for " << c.args.join(' ').toStdString();
    }
}

TEST(CommandLine, HelpListsEveryOption)
{
    EXPECT_EQ(parse({"--help"}).mode, Mode::Help);
    EXPECT_EQ(parse({"-h"}).mode, Mode::Help);
    // Help wins over the rest, as a user asking for it expects.
    EXPECT_EQ(parse({"--export", "kazety", "a.csv", "--help"}).mode, Mode::Help);
    const QString usage = usageText();
    for (const char *option : {"--data-dir", "--cd-device", "--export", "--import", "--help",
                               "kazety|cd|vypujcky", "vse", "kazety|cd SOUBOR.csv"})
        EXPECT_TRUE(usage.contains(QLatin1String(option))) << option;
}

} // namespace
} // namespace velmora::terminal
