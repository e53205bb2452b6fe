#pragma once

// The film search run through the cassette menu command over a real data.dbf:
// the films written, the screen as the user sees it, and the fixture.

#include "AppFixture.h"
#include "ScreenChecks.h"
#include "engine/Codepage.h"
#include "printing/ReportPane.h"
#include "printing/ReportPrint.h"
#include "search/FilmDetails.h"
#include "search/FilmSearchScreen.h"
#include "storage/Paths.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <array>
#include <functional>

namespace velmora::test::films {

struct Film
{
    Film() = default;
    Film(const char *title, const char *genre = "", const char *speed = "SP")
        : title(QString::fromUtf8(title)), genre(QString::fromUtf8(genre)),
          speed(QString::fromUtf8(speed))
    {
    }
    explicit Film(const QString &title) : title(title), speed(QStringLiteral("SP")) {}
    QString title;
    QString genre;
    QString speed;
};

inline const QString kNoData = QStringLiteral("V databázi nejsou žádná data, nelze pokračovat!");
inline const QString kCut = QStringLiteral("(seznam zkrácen na prvních 1000 kazet)");
inline const QString kRootText =
    QStringLiteral("   Nezvolili jste číslo videokazety. Zvolte číslo VK !");

inline QString filmLine(const QString &title, const QString &speed)
{
    return QStringLiteral(" Film: ") + title.leftJustified(40) + QStringLiteral("  ") +
           speed.leftJustified(2);
}

inline QString detailLine(const QString &title, const QString &genre, const QString &speed)
{
    return QLatin1Char(' ') + title.leftJustified(30) + QStringLiteral("  ") +
           genre.leftJustified(15) + QStringLiteral("  ") + speed.leftJustified(2);
}

inline QStringList searchHead()
{
    return {QString(), QStringLiteral(" Report hledání:"), QString()};
}

inline QStringList withHead(const QStringList &films)
{
    return searchHead() + films;
}

inline QStringList trimmedRight(const QStringList &lines)
{
    QStringList out;
    for (QString l : lines) {
        while (l.endsWith(QLatin1Char(' ')))
            l.chop(1);
        out << l;
    }
    return out;
}

template <typename W> inline W *child(const QObject &parent, const char *name)
{
    W *w = parent.findChild<W *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// The screen as the user sees it.
struct Screen
{
    explicit Screen(THledej_film &s) : s(s) {}
    THledej_film &s;
    QLineEdit *text() const { return child<QLineEdit>(s, "Edit1"); }
    QCheckBox *caseBox() const { return child<QCheckBox>(s, "Pismena"); }
    QRadioButton *radio(int n) const
    {
        return child<QRadioButton>(s, QStringLiteral("RadioButton%1").arg(n).toLatin1());
    }
    QCheckBox *genreBox() const { return child<QCheckBox>(s, "CheckBox1"); }
    QComboBox *genres() const { return child<QComboBox>(s, "ComboBox1"); }
    QPushButton *searchButton() const { return child<QPushButton>(s, "BitBtn2"); }
    QPushButton *detailsButton() const { return child<QPushButton>(s, "BitBtn3"); }
    QPushButton *closeButton() const { return child<QPushButton>(s, "BitBtn1"); }
    QString found() const { return child<QLabel>(s, "Filmu_je")->text(); }
    QProgressBar *gauge() const { return child<QProgressBar>(s, "Stav"); }
    QStringList lines() const { return s.pane()->lines(); }

    // Types the text and presses "Vyhledat !".
    void search(const QString &what)
    {
        text()->setText(what);
        QTest::mouseClick(searchButton(), Qt::LeftButton);
    }
    bool clearedAfterChange() const
    {
        return lines().isEmpty() && !detailsButton()->isVisible() && found() == "0" &&
               gauge()->value() == 0 && s.found().cassettes.numbers.isEmpty();
    }
};

class FilmSearchTest : public test::AppFixture
{
protected:
    FilmSearchTest()
    {
        start();
        window->settings().printerAvailable = true;
        window->settings().storedSystemCode = QStringLiteral("1");
        window->registerCommand(QStringLiteral("search.films"), [](TTitul &w) {
            THledej_film screen(w.session(), &w);
            dialogs::exec(screen);
        });
    }

    void add(const QString &number, const std::array<Film, 5> &films, bool lent = false)
    {
        Table t;
        t.setPath(Paths::dataFile(QStringLiteral("data.dbf")));
        t.open();
        append(t, number, films, lent);
        t.close();
    }

    static void append(Table &t, const QString &number, const std::array<Film, 5> &films, bool lent)
    {
        CassetteRecord c;
        c.type = QStringLiteral("E 240");
        c.number = number;
        for (int n = 0; n < 5; ++n) {
            const Film &f = films[size_t(n)];
            if (!f.title.isEmpty())
                c.recordings[size_t(n)] = test::slot(f.title, f.speed, 0, f.genre);
        }
        c.loan.lent = lent;
        t.append();
        test::setCassetteFields(t, c);
        t.post();
    }

    // Runs the menu command and acts on the search screen while it is shown.
    void run(const std::function<void(Screen &)> &act)
    {
        bool shown = false;
        user.onScreen["THledej_film"] = [&](QDialog &d) {
            shown = true;
            Screen s(static_cast<THledej_film &>(d));
            act(s);
        };
        const MenuEntry *entry = window->entryFor(QStringLiteral("search.films"));
        ASSERT_NE(entry, nullptr);
        window->runEntry(*entry);
        user.onScreen.remove("THledej_film");
        EXPECT_TRUE(shown);
    }

    // Opens the details window from the screen and acts on it.
    void details(Screen &s, const std::function<void(TSeznam &)> &act)
    {
        bool shown = false;
        user.onScreen["TSeznam"] = [&](QDialog &d) {
            shown = true;
            act(static_cast<TSeznam &>(d));
        };
        ASSERT_TRUE(s.detailsButton()->isVisible());
        QTest::mouseClick(s.detailsButton(), Qt::LeftButton);
        user.onScreen.remove("TSeznam");
        EXPECT_TRUE(shown);
    }

    static QTreeWidgetItem *node(TSeznam &d, const QString &number)
    {
        QTreeWidgetItem *root = d.tree()->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->text(0) == QStringLiteral("VK: ") + number)
                return root->child(i);
        ADD_FAILURE() << "no node for " << number.toStdString();
        return nullptr;
    }

    // A small catalogue: cassette 00001 with its second slot empty, a lent
    // cassette 00002, and 00003 appended before them.
    void catalogue()
    {
        add("00003", {Film{"Pelíšky", "Komedie", "LP"}, Film{"Obecná škola", "Komedie", "SP"}});
        add("00001",
            {Film{"Alfa", "Drama", "SP"}, Film{}, Film{"Gama", "", "EP"}, Film{}, Film{"Omega"}});
        add("00002", {Film{"Beta", "Komedie", "LP"}}, true);
    }
};

} // namespace velmora::test::films
