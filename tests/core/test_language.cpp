#include "ScriptedAnswerer.h"
#include "TestEnv.h"
#include "core/SetLang.h"
#include "session/Language.h"
#include "storage/Paths.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

class LanguageTest : public ::testing::Test
{
protected:
    LanguageTest()
    {
        Paths::setDataDir(env.dataDir() + "/");
        QDir().mkpath(Paths::langDir());
    }
    ~LanguageTest() override { lang::load(QString()); }

    QString writeLang(const QString &name, const QByteArray &bytes)
    {
        const QString path = Paths::langDir() + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        f.write(bytes);
        return path;
    }
    static QByteArray header(const QByteArray &autor, const QByteArray &date,
                             const QByteArray &email, const QByteArray &version)
    {
        return "[Main]\r\nAutor=" + autor + "\r\nDate=" + date + "\r\nEmail=" + email +
               "\r\nVersion=" + version + "\r\n";
    }

    test::TestEnv env;
};

// ---- lookup -----------------------------------------------------------

TEST_F(LanguageTest, WithoutFileEveryLookupGivesItsDefaultAndScreensKeepBuiltIns)
{
    lang::load("Czech.set");
    EXPECT_FALSE(lang::present());
    EXPECT_EQ(lang::fileName(), "Czech.set");
    EXPECT_EQ(lang::filePath(), env.dataDir() + "/LANG/Czech.set");
    EXPECT_EQ(lang::text("Others", "004", "V databázi nejsou žádná data, nelze pokračovat!"),
              "V databázi nejsou žádná data, nelze pokračovat!");
    EXPECT_EQ(
        lang::caption("Menu_VK", "305", "Aktuální statistika VK", "Aktuální statistika videokazet"),
        "Aktuální statistika videokazet");

    // A file appearing after the start does not count until the next start.
    writeLang("Czech.set", "[Others]\n004=Nic tu nen\xED\n");
    EXPECT_FALSE(lang::present());
    EXPECT_EQ(lang::text("Others", "004", "def"), "def");

    // An empty setting or a directory of that name is no language file.
    lang::load("");
    EXPECT_FALSE(lang::present());
    QDir().mkpath(Paths::langDir() + "Folder.set");
    lang::load("Folder.set");
    EXPECT_FALSE(lang::present());
    EXPECT_EQ(lang::text("Central", "000", "Velmora 2002"), "Velmora 2002");
}

TEST_F(LanguageTest, PartialFileChangesOnlyItsKeysAndMenusTakeLookupDefaults)
{
    writeLang("English.set", "[Others]\r\n004=No data in the database!\r\n"
                             "002=\r\n"
                             "[Central]\r\n106 27.05.2002=Version date 27.05.2002\r\n");
    lang::load("English.set");
    ASSERT_TRUE(lang::present());
    EXPECT_EQ(lang::text("Others", "004", "V databázi nejsou žádná data, nelze pokračovat!"),
              "No data in the database!");
    EXPECT_EQ(lang::text("Others", "001", "Opravdu chceš ukončit tento program ?"),
              "Opravdu chceš ukončit tento program ?");
    EXPECT_EQ(lang::text("Others", "002", "Informace"), ""); // present but empty
    EXPECT_EQ(lang::text("Central", "106 27.05.2002", "Datum verze: 27.05.2002"),
              "Version date 27.05.2002");
    EXPECT_EQ(lang::text("Central", "106", "none"), "none");
    // With a file, a missing menu key gives the lookup default, not the built-in caption.
    EXPECT_EQ(
        lang::caption("Menu_VK", "305", "Aktuální statistika VK", "Aktuální statistika videokazet"),
        "Aktuální statistika VK");
    EXPECT_EQ(lang::caption("Menu_CD", "200", "Půjčování CD", "Půjčování"), "Půjčování CD");
    EXPECT_EQ(lang::caption("Others", "004", "x", "y"), "No data in the database!");
}

TEST_F(LanguageTest, FileChangedAfterLoadIsReadAgain)
{
    const QString path = writeLang("Czech.set", "[PassDlg]\n000=Zabezpe\xE8\x65n\xED\n");
    lang::load("Czech.set");
    EXPECT_EQ(lang::text("PassDlg", "000", "def"), "Zabezpečení");

    writeLang("Czech.set", "[PassDlg]\n000=Ochrana programu\n");
    EXPECT_EQ(lang::text("PassDlg", "000", "def"), "Ochrana programu");

    // Same size, other text: the modification time tells.
    writeLang("Czech.set", "[PassDlg]\n000=Ochrana aplikace\n");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                  QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(lang::text("PassDlg", "000", "def"), "Ochrana aplikace");

    // A file removed after the start gives the defaults.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(lang::text("PassDlg", "000", "def"), "def");
}

TEST_F(LanguageTest, UnreadableFileGivesEveryDefault)
{
    static const char junk[] = "MZ\x90\0\x03\0\0\0[Others]\n004=x\n";
    writeLang("Czech.set", QByteArray(junk, sizeof(junk) - 1));
    lang::load("Czech.set");
    EXPECT_TRUE(lang::present());
    EXPECT_EQ(lang::text("Others", "004", "def"), "def");
}

// ---- language screen --------------------------------------------------

class SetLangTest : public LanguageTest
{
protected:
    struct Screen
    {
        explicit Screen(TSet_Lang &d)
            : tree(d.findChild<QTreeWidget *>("TreeView1")), autor(d.findChild<QLabel *>("Autor")),
              datum(d.findChild<QLabel *>("Datum")), email(d.findChild<QLabel *>("Email")),
              verze(d.findChild<QLabel *>("Verze")), prg(d.findChild<QLabel *>("Verze_prg")),
              stav(d.findChild<QLabel *>("Stav")), exit(d.findChild<QPushButton *>("BitBtn1")),
              save(d.findChild<QPushButton *>("BitBtn2"))
        {
        }
        QTreeWidgetItem *root() const { return tree->topLevelItem(0); }
        QStringList files() const
        {
            QStringList out;
            for (int i = 0; i < root()->childCount(); ++i)
                out << root()->child(i)->text(0);
            return out;
        }
        QTreeWidgetItem *node(const QString &name) const
        {
            for (int i = 0; i < root()->childCount(); ++i)
                if (root()->child(i)->text(0) == name)
                    return root()->child(i);
            return nullptr;
        }
        QColor stavColor() const { return stav->palette().color(QPalette::WindowText); }
        void clickRoot() const
        {
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                              tree->visualItemRect(root()).center());
            QApplication::processEvents();
        }
        QTreeWidget *tree;
        QLabel *autor, *datum, *email, *verze, *prg, *stav;
        QPushButton *exit, *save;
    };

    static void show(TSet_Lang &d)
    {
        d.show();
        QApplication::processEvents();
    }

    void writeThree()
    {
        writeLang("Slovensky.set",
                  header("Peter Kov\xE1\xE8", "1.6.2002", "peter@example.sk", "2002.2.1.1"));
        writeLang("english.set",
                  header("John Smith", "30.05.2002", "john@example.com", "2002.2.1.4 beta"));
        writeLang("Deutsch.SET",
                  header("Hans M\xFCller", "2.6.2002", "hans@example.de", "2002.1.9"));
        writeLang("readme.txt", "[Main]\nAutor=not listed\n");
        QDir().mkpath(Paths::langDir() + "Folder.set");
    }
};

TEST_F(SetLangTest, ListsFilesSortedAndSelectsTheCurrentOne)
{
    writeThree();
    lang::load("english.set");
    TSet_Lang d;
    show(d);
    Screen s(d);
    ASSERT_TRUE(s.tree && s.autor && s.datum && s.email && s.verze && s.prg && s.stav && s.exit &&
                s.save);

    EXPECT_EQ(d.windowTitle(), "Setup Languages  to ...");
    ASSERT_EQ(s.tree->topLevelItemCount(), 1);
    EXPECT_EQ(s.root()->text(0), "Set Language to:");
    EXPECT_TRUE(s.root()->font(0).bold());
    EXPECT_EQ(s.root()->font(0).pixelSize(), 12);
    EXPECT_EQ(s.root()->foreground(0).color(), QColor(Qt::darkRed));
    EXPECT_TRUE(s.root()->isExpanded());
    EXPECT_EQ(s.files(), QStringList({"Deutsch.SET", "english.set", "Slovensky.set"}));

    ASSERT_EQ(s.tree->currentItem(), s.node("english.set"));
    EXPECT_EQ(s.tree->selectedItems(), QList<QTreeWidgetItem *>{s.node("english.set")});
    EXPECT_EQ(d.focusWidget(), s.tree);

    EXPECT_EQ(s.autor->text(), "John Smith");
    EXPECT_EQ(s.datum->text(), "30.05.2002");
    EXPECT_EQ(s.email->text(), "john@example.com");
    EXPECT_EQ(s.verze->text(), "2002.2.1.4 beta");
    EXPECT_EQ(s.prg->text(), "2002.2.1.1");
    EXPECT_EQ(s.stav->text(), "Seting file is OK.");
    EXPECT_FALSE(s.save->isEnabled());

    // Collapsing the root opens it again at once.
    s.tree->collapseItem(s.root());
    QApplication::processEvents();
    EXPECT_TRUE(s.root()->isExpanded());
}

TEST_F(SetLangTest, HeaderInfoAndStateLineFollowTheSelectedFile)
{
    writeThree();
    writeLang("Short.set", "[Main]\nVersion=2002.2\n");
    writeLang("Exact.set", "[main]\nVERSION=  2002.2.1  \n");
    writeLang("Empty.set", "");
    lang::load("Slovensky.set");
    TSet_Lang d;
    show(d);
    Screen s(d);
    const QColor green(0, 128, 0), red(255, 0, 0);

    EXPECT_EQ(s.autor->text(), QStringLiteral("Peter Kováč"));
    EXPECT_EQ(s.stav->text(), "Seting file is OK.");
    EXPECT_EQ(s.stavColor(), green);

    s.tree->setCurrentItem(s.node("Deutsch.SET"));
    EXPECT_EQ(s.autor->text(), QStringLiteral("Hans Müller"));
    EXPECT_EQ(s.datum->text(), "2.6.2002");
    EXPECT_EQ(s.email->text(), "hans@example.de");
    EXPECT_EQ(s.verze->text(), "2002.1.9");
    EXPECT_EQ(s.stav->text(), "Seting file is FALSE !!!");
    EXPECT_EQ(s.stavColor(), red);
    EXPECT_FALSE(s.save->isEnabled());

    s.tree->setCurrentItem(s.node("Exact.set")); // exactly the eight characters
    EXPECT_EQ(s.verze->text(), "2002.2.1");
    EXPECT_EQ(s.stav->text(), "Seting file is OK.");
    EXPECT_EQ(s.stavColor(), green);
    EXPECT_EQ(s.autor->text(), "Unknown ...");
    EXPECT_EQ(s.datum->text(), "Unknown ...");
    EXPECT_EQ(s.email->text(), "Unknown");

    s.tree->setCurrentItem(s.node("Short.set")); // shorter than eight characters
    EXPECT_EQ(s.stav->text(), "Seting file is FALSE !!!");
    EXPECT_EQ(s.stavColor(), red);

    s.tree->setCurrentItem(s.node("Empty.set"));
    EXPECT_EQ(s.autor->text(), "Unknown ...");
    EXPECT_EQ(s.datum->text(), "Unknown ...");
    EXPECT_EQ(s.email->text(), "Unknown");
    EXPECT_EQ(s.verze->text(), "Unknown");
    EXPECT_EQ(s.stav->text(), "Seting file is FALSE !!!");
    EXPECT_FALSE(s.save->isEnabled());

    // A file deleted while the screen is open reads as empty.
    QFile::remove(Paths::langDir() + "english.set");
    s.tree->setCurrentItem(s.node("english.set"));
    EXPECT_EQ(s.verze->text(), "Unknown");
    EXPECT_EQ(s.stav->text(), "Seting file is FALSE !!!");
}

TEST_F(SetLangTest, WithoutFilesShowsTheNoticeNode)
{
    writeLang("readme.txt", "[Main]\nAutor=x\n");
    lang::load("Czech.set");
    TSet_Lang d;
    show(d);
    Screen s(d);
    EXPECT_EQ(s.files(), QStringList{"No Language files!"});
    EXPECT_TRUE(s.root()->isExpanded());
    EXPECT_EQ(s.tree->currentItem(), nullptr);
    EXPECT_TRUE(s.tree->selectedItems().isEmpty());
    EXPECT_EQ(s.autor->text(), "");
    EXPECT_EQ(s.stav->text(), "");
    EXPECT_EQ(s.prg->text(), "2002.2.1.1");
    EXPECT_FALSE(s.save->isEnabled());

    s.tree->setCurrentItem(s.root()->child(0)); // the notice is not a file
    EXPECT_EQ(s.autor->text(), "");
    EXPECT_EQ(s.stav->text(), "");
}

TEST_F(SetLangTest, CurrentFileMissingSelectsNoFileNode)
{
    writeThree();
    lang::load("Czech.set");
    ASSERT_FALSE(lang::present());
    TSet_Lang d;
    show(d);
    Screen s(d);
    EXPECT_EQ(s.files().size(), 3);
    EXPECT_EQ(s.tree->currentItem(), nullptr);
    EXPECT_TRUE(s.tree->selectedItems().isEmpty());
    EXPECT_EQ(s.stav->text(), "");

    // Choosing the root leads nowhere either, by program and by mouse.
    s.tree->setCurrentItem(s.node("english.set"));
    EXPECT_EQ(s.autor->text(), "John Smith");
    s.tree->setCurrentItem(s.root());
    EXPECT_EQ(s.tree->currentItem(), nullptr);
    EXPECT_TRUE(s.tree->selectedItems().isEmpty());
    EXPECT_EQ(s.autor->text(), "");
    s.clickRoot();
    EXPECT_TRUE(s.tree->selectedItems().isEmpty());
    EXPECT_EQ(s.autor->text(), "");
}

TEST_F(SetLangTest, SelectingTheRootReturnsToTheCurrentFile)
{
    writeThree();
    lang::load("Slovensky.set");
    TSet_Lang d;
    show(d);
    Screen s(d);
    QTreeWidgetItem *current = s.node("Slovensky.set");

    s.tree->setCurrentItem(s.node("Deutsch.SET"));
    ASSERT_EQ(s.verze->text(), "2002.1.9");
    s.tree->setCurrentItem(s.root());
    EXPECT_EQ(s.tree->currentItem(), current);
    EXPECT_EQ(s.tree->selectedItems(), QList<QTreeWidgetItem *>{current});
    EXPECT_EQ(s.verze->text(), "2002.2.1.1");

    s.tree->setCurrentItem(s.node("english.set"));
    s.clickRoot();
    EXPECT_EQ(s.tree->currentItem(), current);
    EXPECT_EQ(s.tree->selectedItems(), QList<QTreeWidgetItem *>{current});
    EXPECT_EQ(s.autor->text(), QStringLiteral("Peter Kováč"));

    // Moving up from the first file with the keyboard reaches the root.
    s.tree->setCurrentItem(s.node("Deutsch.SET"));
    s.tree->setFocus();
    QTest::keyClick(s.tree, Qt::Key_Up);
    QApplication::processEvents();
    EXPECT_EQ(s.tree->currentItem(), current);
    EXPECT_EQ(s.tree->selectedItems(), QList<QTreeWidgetItem *>{current});
    EXPECT_FALSE(s.save->isEnabled());
}

TEST_F(SetLangTest, DoubleClickOnContactTellsSendingIsOff)
{
    writeThree();
    lang::load("english.set");
    test::ScriptedAnswerer answers;
    TSet_Lang d;
    show(d);
    Screen s(d);

    QTest::mouseDClick(s.autor, Qt::LeftButton);
    EXPECT_TRUE(answers.shown.isEmpty());

    QTest::mouseDClick(s.email, Qt::LeftButton);
    ASSERT_EQ(answers.shown.size(), 1);
    EXPECT_EQ(answers.shown[0].kind, MessageKind::Information);
    EXPECT_EQ(answers.shown[0].caption, "Info:");
    EXPECT_EQ(answers.shown[0].text,
              "This time is function \"Send e-mail\" OFF .... Thanks for clicking :-)");
    EXPECT_TRUE(d.isVisible());
}

TEST_F(SetLangTest, ListsAtMostHundredFiles)
{
    for (int i = 119; i >= 0; --i)
        writeLang(QString("L%1.set").arg(i, 3, 10, QChar('0')),
                  header("A", "D", "E", "2002.2.1.1"));
    lang::load("L042.set");
    TSet_Lang d;
    show(d);
    Screen s(d);
    const QStringList files = s.files();
    ASSERT_EQ(files.size(), 100);
    EXPECT_EQ(files.first(), "L000.set");
    EXPECT_EQ(files.last(), "L099.set");
    QStringList sorted = files;
    sorted.sort();
    EXPECT_EQ(files, sorted);
    EXPECT_EQ(s.tree->currentItem(), s.node("L042.set"));
    EXPECT_EQ(s.stav->text(), "Seting file is OK.");
}

TEST_F(SetLangTest, ExitClosesAndSaveStaysDisabled)
{
    writeThree();
    lang::load("english.set");
    test::ScriptedAnswerer answers;
    bool saveEnabled = true;
    bool closedByExit = false;
    answers.onScreen["TSet_Lang"] = [&](QDialog &dlg) {
        Screen s(static_cast<TSet_Lang &>(dlg));
        saveEnabled = s.save->isEnabled();
        for (QTreeWidgetItem *n : {s.node("Deutsch.SET"), s.node("Slovensky.set"), s.root()}) {
            s.tree->setCurrentItem(n);
            saveEnabled = saveEnabled || s.save->isEnabled();
        }
        QTest::mouseClick(s.exit, Qt::LeftButton);
        closedByExit = !dlg.isVisible();
    };
    TSet_Lang d;
    const int result = dialogs::exec(d);
    EXPECT_EQ(answers.screens, QStringList{"TSet_Lang"});
    EXPECT_FALSE(saveEnabled);
    EXPECT_TRUE(closedByExit);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(answers.shown.isEmpty());
}

TEST_F(SetLangTest, ShowingAgainReadsTheDirectoryAgain)
{
    writeThree();
    lang::load("english.set");
    TSet_Lang d;
    show(d);
    d.hide();
    writeLang("Polski.set", header("Jan Kowalski", "3.6.2002", "jan@example.pl", "2002.2.1.1"));
    QFile::remove(Paths::langDir() + "Deutsch.SET");
    show(d);
    Screen s(d);
    EXPECT_EQ(s.files(), QStringList({"english.set", "Polski.set", "Slovensky.set"}));
    EXPECT_EQ(s.tree->currentItem(), s.node("english.set"));
    EXPECT_EQ(s.autor->text(), "John Smith");
}

TEST_F(SetLangTest, TextsFitAndControlsAreNamedForScreenReaders)
{
    QByteArray longAuthor;
    for (int i = 0; i < 40; ++i)
        longAuthor += "Autor" + QByteArray::number(i) + " ";
    writeLang("Czech.set", header(longAuthor, "27.05.2002", "a@b.cz", "2002.2.1.1"));
    lang::load("Czech.set");
    TSet_Lang d;
    show(d);
    Screen s(d);

    for (QLabel *l : d.findChildren<QLabel *>()) {
        EXPECT_FALSE(l->objectName().isEmpty());
        if (l->text().isEmpty() || !l->isVisible())
            continue;
        if (l->wordWrap()) {
            EXPECT_GE(l->height(), l->heightForWidth(l->width())) << l->objectName().toStdString();
        } else {
            EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();
        }
    }
    for (QPushButton *b : d.findChildren<QPushButton *>()) {
        EXPECT_FALSE(b->objectName().isEmpty());
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
    }
    const QStringList captions = {
        "Accessible Languages",   "Author Language:",
        "Date of Creating:",      "Autor contact e-mail (double click):",
        "File for Version:",      "Info from Language file:",
        "This prg. version num:", "This Form is Not for User seting Language available."};
    QStringList shown;
    for (QLabel *l : d.findChildren<QLabel *>())
        shown << l->text();
    for (const QString &c : captions)
        EXPECT_TRUE(shown.contains(c)) << c.toStdString();
    EXPECT_EQ(s.exit->text(), "Exit without saving");
    EXPECT_EQ(s.save->text(), "Save changes");

    EXPECT_FALSE(s.tree->accessibleName().isEmpty());
    for (QLabel *value : {s.autor, s.datum, s.email, s.verze, s.prg, s.stav})
        EXPECT_FALSE(value->accessibleDescription().isEmpty()) << value->objectName().toStdString();
}

} // namespace
