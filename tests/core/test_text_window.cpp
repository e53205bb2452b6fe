// The notes and the news file when the desktop has no program for text
// files: the program's own read-only window, or a word why nothing opened.

#include "AppFixture.h"
#include "core/InfoWindows.h"
#include "platform/Shell.h"
#include "system/Version.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace velmora;

namespace {

class TextWindowTest : public test::AppFixture
{
protected:
    TextWindowTest()
    {
        start();
        user.shown.clear();
        user.screens.clear();
        shell::setOpener([this](const QUrl &url) {
            opened << url.toLocalFile();
            return desktopOpens;
        });
    }
    ~TextWindowTest() override { shell::setOpener({}); }

    static void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(Paths::dataFile(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    // Runs the command; what its own window showed, when it showed one.
    struct Shown
    {
        QString text;
        QString accessibleName;
        QString title;
        bool readOnly = false;
        bool hasFocus = false;
        QString afterTyping;
    };
    Shown run(const QString &action)
    {
        Shown s;
        user.onScreen["TTextove_okno"] = [&s](QDialog &d) {
            auto *text = d.findChild<QPlainTextEdit *>("Textove_okno");
            ASSERT_NE(text, nullptr);
            s.text = text->toPlainText();
            s.accessibleName = text->accessibleName();
            s.title = d.windowTitle();
            s.readOnly = text->isReadOnly();
            s.hasFocus = QApplication::focusWidget() == text;
            QTest::keyClicks(text, "xyz");
            QTest::keyClick(text, Qt::Key_Delete);
            s.afterTyping = text->toPlainText();
            QTest::mouseClick(d.findChild<QPushButton *>("Zavrit_okno"), Qt::LeftButton);
        };
        window->runEntry(*window->entryFor(action));
        return s;
    }

    bool desktopOpens = false;
    QStringList opened;
};

} // namespace

TEST_F(TextWindowTest, NotesOpenInTheProgramsOwnWindowDecodedFromCodePage1250)
{
    const QString notes = QStringLiteral("Půjčit Janě – Šakalí léta\r\nŽluťoučký kůň\r\n");
    writeFile("VK.txt", Codepage::cp1250().encode(notes));
    const Shown s = run("notes.cassettes");
    ASSERT_EQ(opened, QStringList{Paths::dataFile("VK.txt")}); // the desktop was asked first
    EXPECT_EQ(user.screens, QStringList{"TTextove_okno"});
    EXPECT_EQ(s.text, QString(notes).replace("\r\n", "\n"));
    EXPECT_EQ(s.accessibleName, "VK.txt");
    EXPECT_EQ(s.title, "VK.txt");
    EXPECT_TRUE(s.readOnly);
    EXPECT_TRUE(s.hasFocus);
    EXPECT_EQ(s.afterTyping, s.text); // nothing typed changes the file's text
    EXPECT_TRUE(user.shown.isEmpty());
    // The file itself stays as it was.
    QFile f(Paths::dataFile("VK.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), Codepage::cp1250().encode(notes));
}

TEST_F(TextWindowTest, WhenTheDesktopOpensTheFileNoOwnWindowShows)
{
    desktopOpens = true;
    run("notes.cds");
    EXPECT_EQ(opened, QStringList{Paths::dataFile("CD.txt")});
    EXPECT_TRUE(user.screens.isEmpty());
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(TextWindowTest, MissingOrOddFilesAreToldAndNothingIsOpened)
{
    QFile::remove(Paths::dataFile("CD.txt"));
    run("notes.cds");
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(user.screens.isEmpty());
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Chyba");
    EXPECT_EQ(user.shown[0].text, "Nebyl nalezen soubor \"CD.txt\" v adresáři programu.");

    // A folder under the notes' name is not read as text.
    user.shown.clear();
    QFile::remove(Paths::dataFile("VK.txt"));
    ASSERT_TRUE(QDir().mkpath(Paths::dataFile("VK.txt")));
    run("notes.cassettes");
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(user.screens.isEmpty());
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].text, "\"VK.txt\" není obyčejný soubor, nelze ho zobrazit.");
}

TEST_F(TextWindowTest, NewsFileInTheOwnWindowAndOnlyTheBeginningOfAHugeOne)
{
    // Saved by a newer editor, with the UTF-8 mark.
    writeFile(version::kNewsFile,
              "\xEF\xBB\xBF" + QString("Novinky: třídění podle žánru").toUtf8());
    Shown s = run("core.newsFile");
    EXPECT_EQ(s.text, "Novinky: třídění podle žánru");
    EXPECT_EQ(s.accessibleName, version::kNewsFile);

    QByteArray big;
    const QByteArray line = QByteArray(99, 'a') + '\n';
    while (big.size() <= TTextove_okno::kMaxBytes)
        big += line;
    writeFile(version::kNewsFile, big);
    s = run("core.newsFile");
    EXPECT_TRUE(s.text.startsWith(QString::fromLatin1(line)));
    EXPECT_TRUE(s.text.endsWith("\n\n[Zobrazen je jen začátek souboru.]"));
    EXPECT_LT(s.text.size(), big.size() + 100);
    EXPECT_GE(s.text.size(), TTextove_okno::kMaxBytes);
}
