#include "ScriptedAnswerer.h"
#include "TestEnv.h"
#include "core/InfoWindows.h"
#include "engine/Codepage.h"
#include "platform/MachineInfo.h"
#include "session/Language.h"
#include "storage/Paths.h"
#include "system/Version.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

// Receives the addresses that the desktop would have opened.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    explicit UrlCatcher(const QString &scheme) : m_scheme(scheme)
    {
        QDesktopServices::setUrlHandler(m_scheme, this, "open");
    }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(m_scheme); }
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }

private:
    QString m_scheme;
};

QString textOf(const QWidget &w, const char *name)
{
    const auto *l = w.findChild<QLabel *>(QString::fromLatin1(name));
    EXPECT_NE(l, nullptr) << name;
    return l ? l->text() : QString();
}

// Every label and button of a shown window has the room its text needs.
void expectReadable(const QWidget &w)
{
    for (const QLabel *l : w.findChildren<QLabel *>()) {
        if (!l->isVisible() || (l->text().isEmpty() && l->pixmap().isNull()))
            continue;
        if (l->wordWrap()) {
            EXPECT_GE(l->height(), l->heightForWidth(l->width())) << l->objectName().toStdString();
        } else {
            EXPECT_GE(l->width(), l->sizeHint().width()) << l->objectName().toStdString();
        }
        EXPECT_GE(l->height(), l->minimumSizeHint().height()) << l->objectName().toStdString();
    }
    for (const QPushButton *b : w.findChildren<QPushButton *>()) {
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
        EXPECT_GE(b->height(), b->sizeHint().height()) << b->objectName().toStdString();
    }
    for (const QWidget *c : w.findChildren<QWidget *>()) {
        if (c->isVisible() && c->parentWidget() == &w) {
            EXPECT_TRUE(w.rect().contains(c->geometry())) << c->objectName().toStdString();
        }
    }
}

class InfoWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Paths::setDataDir(env.dataDir() + QLatin1Char('/'));
        lang::load(QString());
    }
    void TearDown() override { lang::load(QString()); }

    // Writes a language file in code page 1250 and makes it the current one.
    void useLanguage(const QString &content)
    {
        QDir().mkpath(Paths::langDir());
        QFile f(Paths::langDir() + QStringLiteral("Test.set"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(Codepage::cp1250().encode(content));
        f.close();
        lang::load(QStringLiteral("Test.set"));
        ASSERT_TRUE(lang::present());
    }

    test::TestEnv env;
    test::ScriptedAnswerer answerer;
};

// --- About window ----------------------------------------------------------

TEST_F(InfoWindowsTest, AboutShowsVersionRecordAndAFreshMemoryReading)
{
    TI_o_prg w;
    QStringList seen;
    answerer.onScreen[QStringLiteral("TI_o_prg")] = [&](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), "Informace o programu ...");
        EXPECT_EQ(textOf(d, "Verze"), "2002.A    (ze dne: 27.05.2002)");
        EXPECT_EQ(textOf(d, "Verze_exe"), "2002.2.1.1");
        EXPECT_EQ(textOf(d, "Komentar"),
                  QStringLiteral("Katalog domácí sbírky videokazet a hudebních CD"));
        EXPECT_EQ(textOf(d, "Popis_prog"), "Velmora 2002");
        EXPECT_EQ(textOf(d, "Country_code"), QStringLiteral("Čeština (1250)"));
        EXPECT_EQ(textOf(d, "Spustitelny"), "tests_core");
        EXPECT_EQ(textOf(d, "Cpu"), QString::number(QThread::idealThreadCount()));
        EXPECT_EQ(textOf(d, "Vyrobce"), "Norvane");
        const auto *program = d.findChild<QGroupBox *>(QStringLiteral("GroupBox1"));
        ASSERT_NE(program, nullptr);
        EXPECT_EQ(program->title(), " Program info ");
        for (const char *name : {"Total_phys", "Free_ram", "Swap_size", "Usage_swap"})
            seen << textOf(d, name);
        expectReadable(d);
    };
    dialogs::exec(w);
    ASSERT_EQ(seen.size(), 4);

    // Only the totals stay put between two readings; the rest must agree
    // with the formulas over them.
    const machine::MemoryStatus now = machine::memoryStatus();
    bool ok[4];
    const qulonglong total = seen[0].toULongLong(&ok[0]);
    const qulonglong freeRam = seen[1].toULongLong(&ok[1]);
    const qulonglong swapUsed = seen[2].toULongLong(&ok[2]);
    const qulonglong usage = seen[3].toULongLong(&ok[3]);
    for (bool b : ok)
        EXPECT_TRUE(b) << seen.join(' ').toStdString(); // plain decimal numbers
    EXPECT_EQ(total, now.totalPhysical);
    EXPECT_LE(freeRam, total);
    EXPECT_LE(swapUsed, now.totalPageFile);
    if (now.totalPageFile == 0) {
        EXPECT_EQ(usage, 0u);
    } else {
        EXPECT_EQ(usage, 100 * swapUsed / now.totalPageFile);
    }
    EXPECT_TRUE(answerer.shown.isEmpty());
}

TEST_F(InfoWindowsTest, AboutMemoryFieldsFollowThePageFileFormulas)
{
    TI_o_prg w;
    w.show();
    const auto show = [&](const char *meminfo) {
        w.showMemory(machine::parseMeminfo(QString::fromLatin1(meminfo)));
        return QStringList{textOf(w, "Total_phys"), textOf(w, "Free_ram"), textOf(w, "Swap_size"),
                           textOf(w, "Usage_swap")};
    };
    // 505 of 1000 kB free: 100 - 50.5 = 49.5, cut to 49.
    EXPECT_EQ(show("MemTotal: 67108864 kB\nMemAvailable: 33554432 kB\n"
                   "SwapTotal: 1000 kB\nSwapFree: 505 kB\n"),
              (QStringList{"68719476736", "34359738368", "506880", "49"}));
    // Exact shares must not lose a point to rounding.
    EXPECT_EQ(show("MemTotal: 1000 kB\nMemAvailable: 10 kB\nSwapTotal: 1000 kB\nSwapFree: 290 kB\n")
                  .mid(2),
              (QStringList{"727040", "71"}));
    EXPECT_EQ(show("MemTotal: 3 kB\nMemAvailable: 1 kB\nSwapTotal: 3 kB\nSwapFree: 1 kB\n").mid(2),
              (QStringList{"2048", "66"}));
    EXPECT_EQ(show("MemTotal: 1000 kB\nSwapTotal: 4096 kB\nSwapFree: 4096 kB\n").mid(2),
              (QStringList{"0", "0"}));
    EXPECT_EQ(show("MemTotal: 1000 kB\nSwapTotal: 4096 kB\nSwapFree: 0 kB\n").mid(2),
              (QStringList{"4194304", "100"}));
    // No page file at all.
    EXPECT_EQ(show("MemTotal: 1000 kB\nMemAvailable: 500 kB\n"),
              (QStringList{"1024000", "512000", "0", "0"}));
    expectReadable(w);

    // The next showing reads the machine again.
    w.hide();
    w.show();
    EXPECT_EQ(textOf(w, "Total_phys"), QString::number(machine::memoryStatus().totalPhysical));
}

TEST_F(InfoWindowsTest, AboutLinkAndConferenceOpenTheMakersPages)
{
    UrlCatcher catcher(QStringLiteral("https"));
    TI_o_prg w;
    w.show();
    auto *link = w.findChild<ClickableLabel *>(QStringLiteral("Odkaz"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), QStringLiteral("Klikni tady a vstup na stránku Norvane, může tam být "
                                           "nová verze:"));
    EXPECT_EQ(link->toolTip(), QStringLiteral("Spustí IE a nastavenou stránku Norvane"));
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.at(0), QUrl(version::kMakerHomePage));

    // From the keyboard as well.
    link->setFocus();
    QTest::keyClick(link, Qt::Key_Return);
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls.at(1), QUrl(version::kMakerHomePage));

    // A press that ends outside the label is no click.
    QTest::mousePress(link, Qt::LeftButton);
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_EQ(catcher.urls.size(), 2);

    auto *conference = w.findChild<QPushButton *>(QStringLiteral("Konference"));
    ASSERT_NE(conference, nullptr);
    EXPECT_EQ(conference->text(), "Zaregistrovat se do konference na WWW");
    QTest::mouseClick(conference, Qt::LeftButton);
    ASSERT_EQ(catcher.urls.size(), 3);
    EXPECT_EQ(catcher.urls.at(2), QUrl(version::kMakerConferencePage));
    EXPECT_TRUE(answerer.shown.isEmpty());

    auto *close = w.findChild<QPushButton *>(QStringLiteral("Zavrit_okno"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), "&Zavřít okno");
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(InfoWindowsTest, AboutTellsWhenNoPageCanBeOpened)
{
    // The offscreen platform has no desktop services: with no handler for
    // web addresses the opening really fails.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "needs the offscreen platform";
    TI_o_prg w;
    w.show();
    QTest::mouseClick(w.findChild<ClickableLabel *>(QStringLiteral("Odkaz")), Qt::LeftButton);
    QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("Konference")), Qt::LeftButton);
    ASSERT_EQ(answerer.shown.size(), 2);
    for (const auto &s : answerer.shown) {
        EXPECT_EQ(s.kind, MessageKind::Error);
        EXPECT_EQ(s.caption, "Chyba:");
        EXPECT_EQ(s.text, QStringLiteral("Není instalována Internetová služba !!! "));
    }
    EXPECT_TRUE(w.isVisible()); // the window stays open
}

// --- News window -----------------------------------------------------------

const char *const kNewsLabels[] = {"Produkt", "Podtitul1",   "Podtitul2", "Verze_popis",
                                   "Verze",   "Datum_popis", "Datum",     "Autor_popis",
                                   "Autor",   "Text1",       "Text2"};

QStringList newsTexts(const QWidget &w)
{
    QStringList out{w.windowTitle()};
    for (const char *name : kNewsLabels)
        out << textOf(w, name);
    return out;
}

TEST_F(InfoWindowsTest, NewsWithoutLanguageFileKeepsItsBuiltInTexts)
{
    TNov w;
    QStringList texts;
    answerer.onScreen[QStringLiteral("TNov")] = [&](QDialog &d) {
        texts = newsTexts(d);
        EXPECT_EQ(d.palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_TRUE(d.autoFillBackground());
        const QWidget *picture = d.findChild<QWidget *>(QStringLiteral("Animate1"));
        ASSERT_NE(picture, nullptr);
        EXPECT_TRUE(picture->isVisible());
        expectReadable(d);
        QTest::keyClick(&d, Qt::Key_Escape); // closes like the close box
        EXPECT_FALSE(d.isVisible());
    };
    dialogs::exec(w);
    EXPECT_EQ(answerer.screens, QStringList{"TNov"});
    EXPECT_EQ(texts,
              (QStringList{
                  QStringLiteral("Informace o právě spuštěné nové verzi programu Norvane"),
                  "Velmora 2002", QStringLiteral("Multi - Programová verze"),
                  QStringLiteral("32 - bitová verze"), QStringLiteral("Aktuální verze: "), "2002.A",
                  "Uvedena dne:", "27.05.2002", "Autor:", "Norvane",
                  QStringLiteral("Nová verze sebou nese vždy nějaké změny a úpravy. Soupis těchto "
                                 "změn najdete v menu \"Systém\" - Co je nového v této verzi."),
                  QStringLiteral("Toto okno je informativní a bude spuštěno vždy jen s novou verzí "
                                 "programu.")}));
}

TEST_F(InfoWindowsTest, NewsTakesItsTextsFromTheLanguageFileButNotTheVersion)
{
    useLanguage(QStringLiteral(
        "[Main]\r\nVersion=2001.1.0.0\r\nDate=01.01.2001\r\n"
        "[Central]\r\n000 = Velmora 2002 (slovensky)\r\n103=Viac programov\r\n104=32 - bitová "
        "verzia\r\n"
        "106 27.05.2002=Dátum verzie: 01.01.2001\r\n110=Informácie o novej verzii\r\n"
        "111=Aktuálna verzia 2001.A\r\n112=Uvedená dňa 01.01.2001\r\n"
        "113=Nová verzia prináša zmeny, ich zoznam nájdete v menu \"Systém\".\r\n"
        "114=Toto okno sa zobrazí len raz.\r\n"));
    TNov w;
    QStringList texts;
    answerer.onScreen[QStringLiteral("TNov")] = [&](QDialog &d) {
        texts = newsTexts(d);
        expectReadable(d);
    };
    dialogs::exec(w);
    EXPECT_EQ(
        texts,
        (QStringList{QStringLiteral("Informácie o novej verzii"),
                     QStringLiteral("Velmora 2002 (slovensky)"), "Viac programov",
                     QStringLiteral("32 - bitová verzia"),
                     QStringLiteral("Aktuálna verzia 2001.A:"), "2002.A",
                     QStringLiteral("Uvedená dňa 01.01.2001:"), "27.05.2002", "Autor:", "Norvane",
                     QStringLiteral("Nová verzia prináša zmeny, ich zoznam nájdete v menu "
                                    "\"Systém\"."),
                     QStringLiteral("Toto okno sa zobrazí len raz.")}));
}

TEST_F(InfoWindowsTest, NewsWithAPartialLanguageFileUsesTheLookupDefaults)
{
    useLanguage(QStringLiteral("[Central]\r\n000=Velmora\r\n113=\r\n"));
    TNov w;
    dialogs::exec(w);
    const QStringList texts = newsTexts(w);
    EXPECT_EQ(texts.at(0), QStringLiteral("Informace o spuštěné verzi programu"));
    EXPECT_EQ(texts.at(1), "Velmora");
    EXPECT_EQ(texts.at(2), "Multi - program");
    EXPECT_EQ(texts.at(3), QStringLiteral("32 - bitová verze"));
    EXPECT_EQ(texts.at(4), QStringLiteral("Aktuální verze:"));
    EXPECT_EQ(texts.at(6), "Uvedena dne:");
    EXPECT_EQ(texts.at(10), ""); // present but empty
    EXPECT_EQ(texts.at(11), QStringLiteral("Toto okno je informativní a bude spuštěno vždy jen s "
                                           "novou verzí programu."));
}

TEST_F(InfoWindowsTest, NewsLooksItsTextsUpAgainAtEachShowing)
{
    useLanguage(QStringLiteral("[Central]\r\n000=Prvni\r\n"));
    TNov w;
    dialogs::exec(w);
    EXPECT_EQ(textOf(w, "Produkt"), "Prvni");
    useLanguage(QStringLiteral("[Central]\r\n000=Druhe znovu\r\n111=Verze\r\n"));
    dialogs::exec(w);
    EXPECT_EQ(textOf(w, "Produkt"), "Druhe znovu");
    EXPECT_EQ(textOf(w, "Verze_popis"), "Verze:");
    EXPECT_EQ(textOf(w, "Verze"), "2002.A");

    // Without the file the built-in texts come back.
    lang::load(QString());
    dialogs::exec(w);
    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("Informace o právě spuštěné nové verzi programu Norvane"));
    EXPECT_EQ(textOf(w, "Produkt"), "Velmora 2002");
    EXPECT_EQ(textOf(w, "Verze_popis"), QStringLiteral("Aktuální verze: "));
}

// --- System detection window -----------------------------------------------

TEST_F(InfoWindowsTest, SystemWindowNamesEveryStoredCode)
{
#ifdef Q_OS_WIN
    const QString code4 = QStringLiteral("Windows 2000 / XP");
#else
    const QString code4 =
        QSysInfo::prettyProductName() + QStringLiteral(" (režim Windows 2000 / XP)");
#endif
    const QList<QPair<QString, QString>> cases = {
        {"0", QStringLiteral("Nenalezen kompatibilní OS !")},
        {"1", "Windows 95 nebo Windows 95 OSR2"},
        {"2", "Windows 98 nebo Windows 98 SE"},
        {"3", "Windows NT3 nebo Windows NT4"},
        {"4", code4},
        {"5", "Windows Millenium (Me)"},
        {"6", QStringLiteral("Nenalezen kompatibilní OS !")},
        {"", QStringLiteral("Nenalezen kompatibilní OS !")},
        {"41", QStringLiteral("Nenalezen kompatibilní OS !")},
    };
    for (const auto &[code, name] : cases) {
        TInfo_System_OS w(code);
        QString shown;
        answerer.onScreen[QStringLiteral("TInfo_System_OS")] = [&](QDialog &d) {
            shown = textOf(d, "System");
            expectReadable(d);
        };
        dialogs::exec(w);
        EXPECT_EQ(shown, name) << "code " << code.toStdString();
    }
}

TEST_F(InfoWindowsTest, SystemWindowTextsAndClosing)
{
    TInfo_System_OS w;
    w.setSystemCode(QStringLiteral("2"));
    answerer.onScreen[QStringLiteral("TInfo_System_OS")] = [&](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Detekce verze operačního systému:"));
        EXPECT_EQ(textOf(d, "Odstavec1"),
                  QStringLiteral("Všechny předchozí verze programu byly kompatibilní s Win95 "
                                 "(OSR2), Win98 (SE), WinNT4.0. Pokud byl program spuštěn na "
                                 "Windows 2000, vyskytly se chyby v zarovnávání textů při "
                                 "tiskových výstupech. Tato rozdílnost neumožňovala plně využít "
                                 "program pod uvedeným systémem."));
        EXPECT_EQ(textOf(d, "Odstavec2"),
                  QStringLiteral("Tato verze programu (upgrade) má v sobě integrovanou novou "
                                 "funkci, která by měla zamezit rozdílnostem v tiskových "
                                 "sestavách na operačním systému Windows 2000."));
        EXPECT_EQ(textOf(d, "Odstavec3"),
                  QStringLiteral("Pokud bude na Vašem počítači detekována a nastavena jiná verze "
                                 "než ve skutečnosti vlastníte, změňte tento údaj v "
                                 "\"Centrálním nastavení programu\" v menu \"Systém\" !"));
        EXPECT_EQ(textOf(d, "Spusten_popis"), QStringLiteral("Program byl spuštěn na systému:"));
        EXPECT_EQ(textOf(d, "System"), "Windows 98 nebo Windows 98 SE");
        // A code changed while the window is open shows at once.
        w.setSystemCode(QStringLiteral("0"));
        EXPECT_EQ(textOf(d, "System"), QStringLiteral("Nenalezen kompatibilní OS !"));
        auto *close = d.findChild<QPushButton *>(QStringLiteral("Zavrit_okno"));
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(close->text(), QStringLiteral("&Zavřít okno"));
        QTest::mouseClick(close, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    };
    EXPECT_EQ(dialogs::exec(w), QDialog::Accepted);
    EXPECT_EQ(w.systemCode(), "0");
}

} // namespace

#include "test_infowindows.moc"
