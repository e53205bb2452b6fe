// The free recording position search through its command: the open
// cassettes and their counts, the request in SP, LP and EP, both orders,
// the list of found positions with its at-home filter, both pane modes,
// printing and the work tables in the private temporary directory.

#include "AppFixture.h"
#include "ReportCheck.h"
#include "catalogue/CassetteRules.h"
#include "printing/ReportPane.h"
#include "printing/ReportPrint.h"
#include "search/FreePositionList.h"
#include "search/FreePositionScreen.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString kWaitingLine = QStringLiteral(" Čekám na uživatelské nastavení ...");
const QString kWaitingDocument = QStringLiteral(" Čekám na Vaše požadavky ...");
const QStringList kNothingFound{"", " Zadaná minutáž není v uvedeném systému na žádné",
                                " videokazetě k nalezení.",
                                " Změňte systém nahrávky a zkuste to znovu ..."};

struct Cassette
{
    QString number;
    QString type = QStringLiteral("E 180");
    std::vector<std::pair<int, QString>> recordings; // stored cas<n> and ry<n>
    QString note = kOpenCassetteNote;
    bool lent = false;
    QString borrower;
    QString from;
};

class FreePositionTest : public AppFixture
{
protected:
    TTitul &ready(const QString &system = QStringLiteral("1"))
    {
        startOnceBefore();
        start();
        window->settings().storedSystemCode = system;
        window->settings().printerAvailable = false;
        user.shown.clear();
        user.events.clear();
        user.screens.clear();
        return *window;
    }

    void add(const Cassette &c)
    {
        CassetteRecord r;
        r.type = c.type;
        r.number = c.number;
        for (size_t n = 0; n < c.recordings.size(); ++n) {
            CassetteSlot &s = r.recordings[n];
            s = slot("Film " + QString::number(n + 1), c.recordings[n].second,
                     c.recordings[n].first);
            s.end = c.recordings[n].first;
        }
        r.loan = {c.lent, c.borrower, c.from, c.lent ? 14 : 0};
        r.note = c.note;
        appendCassette(r);
    }

    // An open cassette of the given type with `remaining` SP minutes left.
    void addWithRemaining(const QString &number, int remaining, bool lent = false,
                          const QString &borrower = QString(), const QString &from = QString())
    {
        Cassette c;
        c.number = number;
        c.type = "E 180";
        c.recordings = {{185 - remaining, "SP"}};
        c.lent = lent;
        c.borrower = borrower;
        c.from = from;
        add(c);
    }

    // Runs the menu command as the main window wires it; `act` plays the
    // user on the shown screen.
    void search(const std::function<void(TVyhledej_Pozici &)> &act)
    {
        window->registerCommand("search.freePosition", [](TTitul &w) {
            TVyhledej_Pozici screen(w.session(), &w);
            dialogs::exec(screen);
        });
        bool shown = false;
        user.onScreen["TVyhledej_Pozici"] = [&](QDialog &d) {
            shown = true;
            act(static_cast<TVyhledej_Pozici &>(d));
        };
        window->runEntry(*window->entryFor("search.freePosition"));
        EXPECT_TRUE(shown);
    }

    template <class T> static T &child(QWidget &w, const char *name)
    {
        T *c = w.findChild<T *>(QLatin1String(name));
        if (!c)
            throw std::logic_error(std::string("no control ") + name);
        return *c;
    }
    static QString text(QWidget &w, const char *name) { return child<QLabel>(w, name).text(); }
    static QStringList paneLines(QWidget &w) { return child<ReportPane>(w, "RichEdit1").lines(); }

    // The request typed into an emptied V_Min, the speed clicked and the
    // search run.
    static void request(QWidget &d, const QString &minutes, const char *speed = "RadioButton1")
    {
        auto &vmin = child<QLineEdit>(d, "V_Min");
        vmin.clear();
        QTest::keyClicks(&vmin, minutes);
        child<QRadioButton>(d, speed).click();
        child<QPushButton>(d, "Hledej").click();
    }

    // The cassette numbers of the result lines, in pane order.
    static QStringList foundNumbers(QWidget &d)
    {
        QStringList out;
        for (const QString &l : paneLines(d))
            out << l.mid(2, 5);
        return out;
    }

    static QTextCharFormat lineFormat(QWidget &w, int line)
    {
        return lineFormats(child<ReportPane>(w, "RichEdit1")).value(line);
    }
    static QColor lineColour(QWidget &w, int line)
    {
        return lineFormat(w, line).foreground().color();
    }

    static QByteArray digest(const QString &file)
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    // Captions and buttons show their whole text at 800 x 600.
    static void expectFitsSmallScreen(QWidget &screen)
    {
        const QSize min = screen.minimumSizeHint();
        EXPECT_LE(min.width(), 800);
        EXPECT_LE(min.height(), 570);
        screen.resize(800, 570);
        QApplication::processEvents();
        for (QLabel *l : screen.findChildren<QLabel *>()) {
            if (!l->isVisible() || l->text().isEmpty() || l->wordWrap())
                continue;
            EXPECT_GE(l->width(), l->minimumSizeHint().width()) << l->objectName().toStdString();
        }
        for (QPushButton *b : screen.findChildren<QPushButton *>()) {
            if (b->isVisible()) {
                EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
            }
        }
        // Every control is named, and every input is labelled.
        for (QWidget *c : screen.findChildren<QWidget *>()) {
            const bool input = qobject_cast<QLineEdit *>(c) || qobject_cast<QProgressBar *>(c) ||
                               qobject_cast<ReportPane *>(c);
            if (!input && !qobject_cast<QLabel *>(c) && !qobject_cast<QAbstractButton *>(c))
                continue;
            EXPECT_FALSE(c->objectName().isEmpty()) << c->metaObject()->className();
            if (input) {
                EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
            }
        }
    }
};

// The worked "E 180" cassette: SP recordings of 60 and 90 minutes leave 35.
Cassette workedExample()
{
    Cassette c;
    c.number = "00001";
    c.recordings = {{60, "SP"}, {90, "SP"}};
    return c;
}

} // namespace

TEST_F(FreePositionTest, OpensWithTheCountsTheWaitingTextAndItsWorkTable)
{
    ready();
    add(workedExample());
    Cassette closed;
    closed.number = "00002";
    closed.note = "Kazeta je plná";
    add(closed);
    Cassette nearly = workedExample();
    nearly.number = "00003";
    nearly.note = "Neuzavřená kazeta, možnost dohráti";
    add(nearly);
    const QByteArray before = digest(Paths::dataFile("data.dbf"));

    search([&](TVyhledej_Pozici &d) {
        EXPECT_EQ(d.windowTitle(),
                  "Vyhledání volné pozice pro nahrávku, dle nastavení uživatele ...");
        EXPECT_TRUE(window->tables().Table1.isOpen());
        EXPECT_EQ(text(d, "Label_pocet"), "Celkem VK / Povolených pro nahrání:");
        EXPECT_EQ(text(d, "pocet"), "3 / 1");
        EXPECT_EQ(text(d, "Label_Vysvetleni"),
                  "(Povolená kazeta pro nahrávku je kazeta s poznámkou \"Neuzavřená kazeta, "
                  "možnost dohrátí\" ... )");
        EXPECT_EQ(text(d, "Celkem_moznosti"), "0");
        EXPECT_EQ(text(d, "V_Hod"), "0h 00m");
        EXPECT_EQ(child<QLineEdit>(d, "V_Min").text(), "");
        EXPECT_EQ(child<QLineEdit>(d, "V_Min").maxLength(), 3);
        EXPECT_FALSE(child<QPushButton>(d, "Hledej").isEnabled());
        EXPECT_EQ(child<QPushButton>(d, "Hledej").text(), "Vyhledat !");
        EXPECT_FALSE(child<QPushButton>(d, "Seznam").isVisible());
        EXPECT_EQ(child<QPushButton>(d, "Zavrit").text(), "&Zavřít okno");
        EXPECT_TRUE(child<QRadioButton>(d, "RadioButton1").isChecked());
        EXPECT_EQ(child<QRadioButton>(d, "RadioButton1").text(), "Nahrávku chci pouze v SP");
        EXPECT_FALSE(child<QRadioButton>(d, "RadioButton2").isEnabled());
        EXPECT_TRUE(child<QRadioButton>(d, "Tr01").isChecked());
        EXPECT_FALSE(child<QRadioButton>(d, "Tr01").isEnabled());
        EXPECT_FALSE(child<QRadioButton>(d, "Tr02").isEnabled());
        EXPECT_EQ(child<QRadioButton>(d, "Tr02").text(), "Třídit podle zůstaku");
        EXPECT_EQ(child<QProgressBar>(d, "Stav").value(), 0);
        EXPECT_EQ(child<ReportPane>(d, "RichEdit1").toolTip(), "Výsledky hledání ...");
        EXPECT_EQ(paneLines(d), (QStringList{"", kWaitingLine}));

        // The work table is a real dBASE table in the private directory.
        const QString work = TVyhledej_Pozici::workPath();
        EXPECT_TRUE(work.startsWith(Paths::tempDir()));
        ASSERT_TRUE(QFile::exists(work));
        EXPECT_FALSE(QFile::exists(TVyhledej_Pozici::candidatePath()));
        Table t;
        t.setPath(work);
        t.open(Table::Mode::ReadOnly);
        EXPECT_EQ(t.tags().join(',').toLower(), "cislo,zustatek");
        t.close();
        const QString read = runProgram(
            "/usr/bin/python3",
            {"-c",
             "import sys\n"
             "from dbfread import DBF\n"
             "t = DBF(sys.argv[1], encoding='cp1250', lowernames=True)\n"
             "print(','.join(f.name + ':' + f.type + str(f.length) for f in t.fields))\n"
             "for r in t: print(r['t_kazety'], r['cislo'], r['obsazeny'], r['zustatek'], "
             "r['pujceno'], repr(r['komu']), repr(r['od_kdy']))\n",
             work});
        EXPECT_EQ(read, "t_kazety:C5,cislo:C5,obsazeny:N11,zustatek:N11,pujceno:L1,komu:C15,"
                        "od_kdy:C10\nE 180 00001 150 35 False '' ''\n");

        request(d, "10");
        EXPECT_TRUE(QFile::exists(TVyhledej_Pozici::candidatePath()));
        expectFitsSmallScreen(d);
    });
    // Closing leaves nothing behind and nothing changed.
    EXPECT_FALSE(QFile::exists(TVyhledej_Pozici::workPath()));
    EXPECT_FALSE(QFile::exists(TVyhledej_Pozici::candidatePath()));
    EXPECT_TRUE(Table::existingFiles(TVyhledej_Pozici::workPath()).isEmpty());
    EXPECT_FALSE(window->tables().Table1.isOpen());
    EXPECT_FALSE(window->tables().Temp_Table.isOpen());
    EXPECT_FALSE(window->tables().Temp_Table2.isOpen());
    EXPECT_EQ(digest(Paths::dataFile("data.dbf")), before);
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(FreePositionTest, WorkedE180ExamplesInEverySpeed)
{
    ready();
    add(workedExample());
    const QString found = "  00001     E 180     150       35    (0h 35min)";
    search([&](TVyhledej_Pozici &d) {
        const struct
        {
            const char *speed;
            QString yes, no, hours;
        } cases[] = {{"RadioButton1", "34", "35", "0h 34min"},
                     {"RadioButton2", "69", "70", "1h 09min"},
                     {"RadioButton3", "104", "105", "1h 44min"}};
        for (const auto &c : cases) {
            SCOPED_TRACE(c.speed);
            request(d, c.yes, c.speed);
            EXPECT_EQ(text(d, "V_Hod"), c.hours);
            EXPECT_EQ(text(d, "Celkem_moznosti"), "1");
            EXPECT_EQ(paneLines(d), QStringList{found});
            EXPECT_TRUE(child<QPushButton>(d, "Seznam").isVisible());
            EXPECT_TRUE(child<QRadioButton>(d, "Tr01").isEnabled());
            EXPECT_TRUE(child<QRadioButton>(d, "Tr02").isEnabled());
            EXPECT_EQ(child<QProgressBar>(d, "Stav").value(), 1);

            request(d, c.no, c.speed);
            EXPECT_EQ(text(d, "Celkem_moznosti"), "0");
            EXPECT_EQ(paneLines(d), kNothingFound);
            EXPECT_EQ(lineColour(d, 1), QColor(Qt::red));
            EXPECT_FALSE(child<QPushButton>(d, "Seznam").isVisible());
            EXPECT_FALSE(child<QRadioButton>(d, "Tr01").isEnabled());
            EXPECT_FALSE(child<QRadioButton>(d, "Tr02").isEnabled());
        }
        // Any change after a search goes back to waiting.
        request(d, "34");
        QTest::keyClick(&child<QLineEdit>(d, "V_Min"), Qt::Key_Backspace);
        EXPECT_EQ(text(d, "V_Hod"), "0h 03min");
        EXPECT_EQ(text(d, "Celkem_moznosti"), "0");
        EXPECT_EQ(paneLines(d), (QStringList{"", kWaitingLine}));
        EXPECT_FALSE(child<QPushButton>(d, "Seznam").isVisible());
        EXPECT_EQ(child<QProgressBar>(d, "Stav").value(), 0);
        child<QLineEdit>(d, "V_Min").clear();
        EXPECT_EQ(text(d, "V_Hod"), "0h 00m");
        EXPECT_FALSE(child<QPushButton>(d, "Hledej").isEnabled());
        EXPECT_FALSE(child<QRadioButton>(d, "RadioButton3").isEnabled());
    });
}

TEST_F(FreePositionTest, OnlyTheExactNoteMakesACassetteOpen)
{
    ready();
    const QString note = kOpenCassetteNote;
    const QStringList near{note.left(note.size() - 1) + "i",
                           note.toUpper(),
                           note + ".",
                           " " + note,
                           "Neuzavřená kazeta, možno dohrátí",
                           ""};
    int number = 0;
    for (const QString &n : near) {
        Cassette c;
        c.number = PadNumber(++number);
        c.note = n;
        add(c);
    }
    search([&](TVyhledej_Pozici &d) {
        EXPECT_EQ(text(d, "pocet"), "6 / 0");
        request(d, "0");
        EXPECT_EQ(text(d, "Celkem_moznosti"), "0");
        EXPECT_EQ(paneLines(d), kNothingFound);
    });
}

TEST_F(FreePositionTest, ZeroMinutesOffersEveryOpenCassetteWithTimeLeft)
{
    ready();
    Cassette empty;
    empty.number = "00001";
    add(empty); // 185 left
    Cassette full;
    full.number = "00002";
    full.type = "E 60";
    full.recordings = {{65, "SP"}}; // 0 left
    add(full);
    Cassette over;
    over.number = "00003";
    over.type = "E 60";
    over.recordings = {{200, "EP"}}; // 66 occupied, -1 left
    add(over);
    Cassette mixed;
    mixed.number = "00004";
    mixed.type = "E 60";
    // 22 + 33 + nothing for a missing speed or an unknown one: 10 left.
    mixed.recordings = {{45, "LP"}, {100, "EP"}, {30, ""}, {20, "XP"}};
    add(mixed);
    Cassette closed = empty;
    closed.number = "00005";
    closed.note = "Zavřená";
    add(closed);
    search([&](TVyhledej_Pozici &d) {
        EXPECT_EQ(text(d, "pocet"), "5 / 4");
        request(d, "0");
        EXPECT_EQ(text(d, "V_Hod"), "0h 00min");
        EXPECT_EQ(text(d, "Celkem_moznosti"), "2");
        EXPECT_EQ(paneLines(d), (QStringList{"  00001     E 180     0         185   (3h 05min)",
                                             "  00004     E 60      55        10    (0h 10min)"}));
        // Every work row moves the gauge, qualifying or not.
        EXPECT_EQ(child<QProgressBar>(d, "Stav").maximum(), 4);
        EXPECT_EQ(child<QProgressBar>(d, "Stav").value(), 4);
    });
}

TEST_F(FreePositionTest, SortingReRunsTheSearchByNumberOrByRemainingTime)
{
    ready();
    // Written out of number order; 00001 and 00003 have the same time left.
    addWithRemaining("00003", 50);
    addWithRemaining("00001", 50);
    addWithRemaining("00004", 10);
    addWithRemaining("00002", 20);
    addWithRemaining("00005", 5);
    QStringList listed;
    user.onScreen["TSeznam2"] = [&](QDialog &l) {
        for (const QString &line : paneLines(l))
            if (line.startsWith(" 0000"))
                listed << line.mid(1, 5);
    };
    search([&](TVyhledej_Pozici &d) {
        QLabel &byNumber = child<QLabel>(d, "Panel_VK");
        QLabel &byRemaining = child<QLabel>(d, "Panel_Zustatek");
        request(d, "6");
        EXPECT_EQ(foundNumbers(d), (QStringList{"00001", "00002", "00003", "00004"}));
        EXPECT_EQ(byNumber.palette().color(QPalette::Window), QColor(Qt::yellow));
        EXPECT_EQ(byNumber.palette().color(QPalette::WindowText), QColor(Qt::red));
        EXPECT_EQ(byRemaining.palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(byRemaining.palette().color(QPalette::WindowText), QColor(Qt::black));

        QTest::mouseClick(&child<QRadioButton>(d, "Tr02"), Qt::LeftButton);
        EXPECT_TRUE(child<QRadioButton>(d, "Tr02").isChecked());
        EXPECT_EQ(foundNumbers(d), (QStringList{"00004", "00002", "00001", "00003"}));
        EXPECT_EQ(text(d, "Celkem_moznosti"), "4");
        EXPECT_EQ(byRemaining.palette().color(QPalette::Window), QColor(Qt::yellow));
        EXPECT_EQ(byRemaining.palette().color(QPalette::WindowText), QColor(Qt::red));
        EXPECT_EQ(byNumber.palette().color(QPalette::Window), QColor(Qt::white));
        // The list keeps the order in which the cassettes were examined.
        child<QPushButton>(d, "Seznam").click();
        EXPECT_EQ(listed, (QStringList{"00004", "00002", "00001", "00003"}));

        // A sort change keeps the request; a new request keeps the sort.
        request(d, "40");
        EXPECT_EQ(foundNumbers(d), (QStringList{"00001", "00003"}));
        QTest::mouseClick(&child<QRadioButton>(d, "Tr01"), Qt::LeftButton);
        EXPECT_EQ(foundNumbers(d), (QStringList{"00001", "00003"}));
        request(d, "6");
        EXPECT_EQ(foundNumbers(d), (QStringList{"00001", "00002", "00003", "00004"}));
        EXPECT_EQ(byNumber.palette().color(QPalette::Window), QColor(Qt::yellow));
    });
    EXPECT_EQ(user.screens, (QStringList{"TVyhledej_Pozici", "TSeznam2"}));
}

TEST_F(FreePositionTest, ListOfPositionsWithTheAtHomeFilter)
{
    ready();
    addWithRemaining("00001", 30); // not above the request
    addWithRemaining("00002", 90, true, "Novák {Jiří}", "01.05.2002");
    addWithRemaining("00003", 120);
    addWithRemaining("00004", 20, true, "Dvořák", "");
    addWithRemaining("00005", 100, false, "", "");
    const QStringList rows{
        " 00002     E 180        90         Ano     Novák {Jiří}       01.05.2002",
        " 00003     E 180       120          Ne     -                  -         ",
        " 00005     E 180       100          Ne     -                  -         "};
    const QString rule = " " + QString(73, '-');
    bool listed = false;
    user.onScreen["TSeznam2"] = [&](QDialog &l) {
        listed = true;
        auto &filter = child<QCheckBox>(l, "Filtr");
        EXPECT_EQ(filter.text(), "Zobrazovat pouze kazety, které jsou doma.");
        EXPECT_FALSE(filter.isChecked());
        EXPECT_EQ(l.windowTitle(), "Seznam vyhledaných pozic:  celkem: 3");
        EXPECT_EQ(child<QPushButton>(l, "Tisk").text(), "&Vytiskni zobrazený seznam");
        EXPECT_FALSE(child<QPushButton>(l, "Tisk").isEnabled());
        EXPECT_EQ(child<QPushButton>(l, "Zavrit_okno").text(), "&Zavři okno");
        QStringList lines = paneLines(l);
        ASSERT_EQ(lines.size(), 13);
        EXPECT_TRUE(lines[11].startsWith(" Datum a čas tisku  : "));
        EXPECT_TRUE(lines[11].endsWith("           Verze programu: 2002.A"));
        lines[11].clear();
        EXPECT_EQ(
            lines,
            (QStringList{"", " Hledaná časová rezerva v hod: 0h 30min", rule, "",
                         " VK:       Typ:      Zbývá:    Půjčono?    Komu?              Od kdy?",
                         "", rows[0], rows[1], rows[2], "", rule, "", " Norvane 2002"}));
        EXPECT_EQ(lineFormat(l, 1).fontPointSize(), 16);
        EXPECT_EQ(lineFormat(l, 1).fontWeight(), QFont::Bold);
        EXPECT_EQ(lineFormat(l, 2).fontPointSize(), 10);
        EXPECT_EQ(lineColour(l, 4), QColor(Qt::blue));
        EXPECT_EQ(lineColour(l, 6), QColor(Qt::red));
        EXPECT_EQ(lineColour(l, 7), QColor(Qt::black));
        EXPECT_EQ(lineColour(l, 12), QColor(Qt::black));

        filter.click();
        EXPECT_EQ(l.windowTitle(), "Seznam vyhledaných pozic:  celkem: 3");
        lines = paneLines(l);
        ASSERT_EQ(lines.size(), 12);
        EXPECT_EQ(lines.mid(6, 2), (QStringList{rows[1], rows[2]}));
        filter.click();
        EXPECT_EQ(paneLines(l).mid(6, 3), rows);
        filter.click();
        expectFitsSmallScreen(l);
    };
    search([&](TVyhledej_Pozici &d) {
        request(d, "30");
        EXPECT_EQ(text(d, "Celkem_moznosti"), "3");
        child<QPushButton>(d, "Seznam").click();
        EXPECT_TRUE(listed);
        // The list leaves no filter on the found cassettes behind.
        EXPECT_FALSE(d.candidates().filtered());
        EXPECT_EQ(d.candidates().recordCount(), 3);
        listed = false;
        user.onScreen["TSeznam2"] = [&](QDialog &l) {
            listed = true;
            EXPECT_FALSE(child<QCheckBox>(l, "Filtr").isChecked());
            EXPECT_EQ(paneLines(l).size(), 13);
        };
        child<QPushButton>(d, "Seznam").click();
        EXPECT_TRUE(listed);
    });
    EXPECT_FALSE(window->tables().Temp_Table2.filtered());
}

TEST_F(FreePositionTest, BothModesShowTheSameLines)
{
    std::vector<QStringList> results, lists, empties;
    std::vector<QByteArray> documents;
    ready();
    addWithRemaining("00001", 40, true, "Back\\slash", "02.03.2002");
    addWithRemaining("00002", 90);
    for (const QString system : {"1", "4"}) {
        SCOPED_TRACE(system.toStdString());
        window->settings().storedSystemCode = system;
        user.onScreen["TSeznam2"] = [&](QDialog &l) {
            QStringList lines = paneLines(l);
            for (QString &line : lines)
                if (line.startsWith(" Datum a čas tisku"))
                    line = line.left(22);
            lists.push_back(lines);
            EXPECT_EQ(lineColour(l, 6), QColor(Qt::red));
            EXPECT_EQ(lineColour(l, 7), QColor(Qt::black));
            documents.push_back(child<ReportPane>(l, "RichEdit1").rtf());
        };
        search([&](TVyhledej_Pozici &d) {
            if (system == "4") {
                EXPECT_EQ(paneLines(d), (QStringList{"", kWaitingDocument}));
                EXPECT_TRUE(
                    child<ReportPane>(d, "RichEdit1")
                        .rtf()
                        .startsWith("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{"
                                    "\\*\\fname Courier New;}Courier New CE;}}\r\n{"
                                    "\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0"
                                    "\\blue0;}\r\n\\viewkind4\\uc1\\pard\\cf1\\lang1029"
                                    "\\f0\\fs20\\par\r\n"));
            } else {
                EXPECT_EQ(paneLines(d), (QStringList{"", kWaitingLine}));
            }
            request(d, "10");
            results.push_back(paneLines(d));
            child<QPushButton>(d, "Seznam").click();
            request(d, "999");
            empties.push_back(paneLines(d));
            if (system == "4") {
                const QByteArray rtf = child<ReportPane>(d, "RichEdit1").rtf();
                EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0"
                                         "\\blue0255;\\red0255\\green0\\blue0;}\r\n\\viewkind4"
                                         "\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs24\r\n\\cf3\\b0"
                                         "\\fs20\\par\r\n"));
                EXPECT_TRUE(rtf.endsWith("zkuste to znovu ...\\par\r\n}"));
                EXPECT_EQ(lineColour(d, 1), QColor(Qt::red));
            }
        });
    }
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[0].size(), 2);
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0], lists[1]);
    EXPECT_EQ(lists[0].value(6),
              " 00001     E 180        40         Ano     Back\\slash         02.03.2002");
    EXPECT_EQ(empties[0], kNothingFound);
    EXPECT_EQ(empties[1], kNothingFound);
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_TRUE(documents[0].isEmpty());
    const QByteArray &doc = documents[1];
    EXPECT_TRUE(doc.startsWith(
        "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl{\\f0\\fmodern Courier New;}{\\f1"
        "\\fnil\\fcharset238{\\*\\fname Times New Roman;}Times New Roman CE;}}\r\n{\\colortbl ;"
        "\\red0\\green0\\blue0255;\\red0255\\green0\\blue0;}\\par\r\n\\viewkind4\\uc1\\pard\\cf0"
        "\\b\\f0\\fs30  Hledan\xe1 \xe8\x61sov\xe1 rezerva v hod: 0h 10min\\par\r\n"));
    EXPECT_TRUE(doc.contains("\r\n\\cf2  00001     E 180        40         Ano     Back\\\\slash"));
    EXPECT_TRUE(doc.contains("\r\n\\cf0  00002     E 180"));
    EXPECT_TRUE(doc.endsWith(" Norvane 2002\\par\r\n}"));
}

TEST_F(FreePositionTest, UnknownSystemLeavesThePaneEmpty)
{
    ready("7");
    addWithRemaining("00001", 40);
    search([&](TVyhledej_Pozici &d) {
        EXPECT_TRUE(paneLines(d).isEmpty());
        request(d, "10");
        EXPECT_EQ(text(d, "Celkem_moznosti"), "1");
        EXPECT_TRUE(paneLines(d).isEmpty());
        request(d, "100");
        EXPECT_TRUE(paneLines(d).isEmpty());
    });
}

TEST_F(FreePositionTest, MinutesTakeDigitsOnly)
{
    ready();
    search([&](TVyhledej_Pozici &d) {
        auto &vmin = child<QLineEdit>(d, "V_Min");
        QTest::keyClicks(&vmin, "1a-2 ./9x5");
        EXPECT_EQ(vmin.text(), "129");
        EXPECT_EQ(text(d, "V_Hod"), "2h 09min");
        EXPECT_TRUE(child<QPushButton>(d, "Hledej").isEnabled());
        QTest::keyClick(&vmin, Qt::Key_Backspace);
        EXPECT_EQ(vmin.text(), "12");
        // Pasted text is held to digits as well.
        vmin.clear();
        vmin.insert("4:5");
        EXPECT_EQ(vmin.text(), "");
        vmin.insert("125");
        EXPECT_EQ(text(d, "V_Hod"), "2h 05min");
        // No open cassette: every search ends with the empty result.
        child<QPushButton>(d, "Hledej").click();
        EXPECT_EQ(paneLines(d), kNothingFound);
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(FreePositionTest, FilterLeftOnTheCatalogueIsSwitchedOff)
{
    ready();
    addWithRemaining("00001", 40, true, "Novák", "01.05.2002");
    addWithRemaining("00002", 40);
    Table &data = window->tables().Table1;
    data.setIndex("cislo");
    data.setFilter("pujceno=True");
    data.setFiltered(true);
    search([&](TVyhledej_Pozici &d) {
        EXPECT_EQ(text(d, "pocet"), "2 / 2");
        request(d, "0");
        EXPECT_EQ(text(d, "Celkem_moznosti"), "2");
    });
    EXPECT_FALSE(data.filtered());
    EXPECT_FALSE(data.isOpen());
    // The handle keeps the order the next command expects.
    EXPECT_EQ(data.index(), "cislo");
}

TEST_F(FreePositionTest, PrintingTheListClosesIt)
{
    QPrinter &printer = report::currentPrinter();
    if (printer.outputFormat() != QPrinter::PdfFormat)
        GTEST_SKIP() << "the run's printer is a real one";
    ready();
    window->settings().printerAvailable = true;
    addWithRemaining("00001", 40);
    const QString file = env.file("list.pdf");
    printer.setOutputFileName(file);
    bool printed = false;
    user.onScreen["TSeznam2"] = [&](QDialog &l) {
        auto &print = child<QPushButton>(l, "Tisk");
        EXPECT_TRUE(print.isEnabled());
        QTest::mouseClick(&print, Qt::LeftButton);
        printed = !l.isVisible();
    };
    search([&](TVyhledej_Pozici &d) {
        request(d, "10");
        child<QPushButton>(d, "Seznam").click();
        EXPECT_TRUE(d.isVisible());
    });
    printer.setOutputFileName(QString());
    EXPECT_TRUE(printed);
    ASSERT_TRUE(QFile::exists(file));
    const QString text = runProgram("pdftotext", {"-layout", file, "-"});
    EXPECT_TRUE(text.contains("Hledaná časová rezerva v hod: 0h 10min"));
    EXPECT_TRUE(text.contains("00001"));
    EXPECT_TRUE(user.shown.isEmpty());
}
