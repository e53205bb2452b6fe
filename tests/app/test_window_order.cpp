// Every screen of the program, opened as the menus open it over a small
// catalogue: its Tab chain reads as the screen does, and it opens inside
// the available area of the screen.

#include "../lending/LendingFixture.h"
#include "ImportedCatalogues.h"
#include "session/Commands.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QTextEdit>

using namespace velmora;

namespace {

QRect inWindow(const QWidget *w)
{
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

// A stop of the walk and where it was on the window when it had the focus.
// A box inside a scrolled area also has its place in the area's content,
// the place that compares with the other boxes of that area; seen from
// outside the area, it is where the area is.
struct Stop
{
    QWidget *widget;
    QRect rect;
    const QScrollArea *area = nullptr;
    QRect inArea;
};

Stop stopAt(QWidget *w)
{
    Stop s{w, inWindow(w), nullptr, QRect()};
    for (QWidget *p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (auto *area = qobject_cast<QScrollArea *>(p); area && area->widget()) {
            s.area = area;
            s.inArea = QRect(w->mapTo(area->widget(), QPoint(0, 0)), w->size());
            break;
        }
    return s;
}

std::pair<QRect, QRect> compared(const Stop &a, const Stop &b)
{
    if (a.area && a.area == b.area)
        return {a.inArea, b.inArea};
    return {a.area ? inWindow(a.area) : a.rect, b.area ? inWindow(b.area) : b.rect};
}

QString describe(const Stop &stop)
{
    const QWidget *w = stop.widget;
    const QRect r = stop.rect;
    return QStringLiteral("%1 %2 (%3,%4 %5x%6)")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName())
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

// Presses Tab from the widget with the focus until the focus comes back to
// it, as a user walking the screen would; the widgets in the order met.
// A text box that takes Tab as a character hands it on to its window, as
// the window does with a Tab nobody takes.
QList<Stop> walkTab(QDialog &d)
{
    QList<Stop> seen;
    QWidget *current = QApplication::focusWidget();
    if (!current || current->window() != &d) {
        QTest::keyClick(&d, Qt::Key_Tab);
        current = QApplication::focusWidget();
    }
    if (!current || current->window() != &d)
        return seen;
    for (int step = 0; step < 400; ++step) {
        if (seen.isEmpty() || seen.last().widget != current)
            seen << stopAt(current);
        auto *plain = qobject_cast<QPlainTextEdit *>(current);
        auto *rich = qobject_cast<QTextEdit *>(current);
        const bool typesTab = (plain && !plain->isReadOnly() && !plain->tabChangesFocus()) ||
                              (rich && !rich->isReadOnly() && !rich->tabChangesFocus());
        if (typesTab) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(&d, &tab);
        } else {
            QTest::keyClick(current, Qt::Key_Tab);
        }
        QWidget *next = QApplication::focusWidget();
        if (!next || next->window() != &d)
            break;
        // Back at a widget met before: the walk has gone round. What came
        // before that widget is not in the round (a box that went disabled).
        if (next != current) {
            const auto again = std::find_if(seen.begin(), seen.end(),
                                            [next](const Stop &s) { return s.widget == next; });
            if (again != seen.end()) {
                seen.erase(seen.begin(), again);
                break;
            }
        }
        current = next;
    }
    return seen;
}

// Where the walk goes against the reading of the screen: back up within
// a column (to a widget wholly above that is not to the right) or back to
// the left within a row. The one jump from the last widget to the first
// is the end of the walk, not a fault.
QStringList againstReading(const QList<Stop> &stops)
{
    QStringList out;
    for (qsizetype i = 0; i < stops.size() && stops.size() > 1; ++i) {
        const auto [a, b] = compared(stops[i], stops[(i + 1) % stops.size()]);
        const bool above = b.bottom() < a.top();
        const bool toTheRight = b.left() >= a.right() - 2;
        const bool sameRow = b.top() < a.bottom() && a.top() < b.bottom();
        const bool toTheLeft = b.right() <= a.left();
        if ((above && !toTheRight) || (sameRow && !above && toTheLeft))
            out << describe(stops[i]) + QStringLiteral(" -> ") +
                       describe(stops[(i + 1) % stops.size()]);
    }
    return out;
}

struct Seen
{
    QString screen;
    QStringList chain;
    QStringList faults;
    bool onScreen = true;
    QString geometry;
};

// The scripted user, who besides walks every screen before closing it.
class Walker : public test::ScriptedAnswerer
{
public:
    int screen(QDialog &d) override
    {
        const QString name =
            QString::fromLatin1(d.metaObject()->className()).section(QLatin1String("::"), -1);
        const auto it = onScreen.find(name);
        ScreenAction own = it != onScreen.end() ? it.value() : ScreenAction();
        onScreen[name] = [this, own, name](QDialog &shown) {
            if (!walking) {
                if (own)
                    own(shown);
                return;
            }
            Seen s;
            s.screen = name;
            const QList<Stop> stops = walkTab(shown);
            for (const Stop &stop : stops)
                s.chain << describe(stop);
            s.faults = againstReading(stops);
            const QRect area = shown.screen()->availableGeometry();
            // A window larger than the area starts at its edge.
            const QRect f = shown.frameGeometry();
            const auto fits = [](int start, int size, int areaStart, int areaSize) {
                return size <= areaSize ? start >= areaStart && start + size <= areaStart + areaSize
                                        : start == areaStart;
            };
            s.onScreen = fits(f.x(), f.width(), area.x(), area.width()) &&
                         fits(f.y(), f.height(), area.y(), area.height());
            s.geometry = QStringLiteral("%1,%2 %3x%4")
                             .arg(shown.frameGeometry().x())
                             .arg(shown.frameGeometry().y())
                             .arg(shown.frameGeometry().width())
                             .arg(shown.frameGeometry().height());
            walked << s;
            if (own)
                own(shown);
        };
        const int result = ScriptedAnswerer::screen(d);
        if (own)
            onScreen[name] = own;
        else
            onScreen.remove(name);
        return result;
    }
    QList<Seen> walked;
    bool walking = true;
};

class WindowOrder : public test::LendingFixture
{
protected:
    void SetUp() override
    {
        dialogs::setAnswerer(&walker);
        start();
        for (int n = 1; n <= 3; ++n)
            cassette(QStringLiteral("0000%1").arg(n),
                     n == 2 ? Loan{true, "Jana", daysAgo(3), 7} : Loan{});
        cdTitle("00001", "Deska", Loan{true, "Petr", daysAgo(2), 7});
        cdTitle("00002", "Druhá deska");
        disc("00001", "A", 3);
        disc("00002", "A", 2);
        archived(ItemKind::Cassette, "00001", "Jana");
        archived(ItemKind::Cd, "00002", "Petr");
        test::addImported(exchange::Catalogue::Cassettes, "Soused");
        test::addImported(exchange::Catalogue::Cds, "Soused");
    }
    void TearDown() override { dialogs::setAnswerer(&user); }

    Walker walker;
};

} // namespace

TEST_F(WindowOrder, EveryScreenReadsInTabOrderAsOnTheScreenAndOpensInsideIt)
{
    QStringList actions;
    for (const auto *menu : {&cassetteMenu(), &cdMenu()})
        for (const MenuEntry *e : commandsOf(*menu))
            if (!actions.contains(e->action))
                actions << e->action;
    for (const MenuEntry *e : commandsOf(cassetteMenu()))
        window->runEntry(*e);
    for (const MenuEntry *e : commandsOf(cdMenu()))
        window->runEntry(*e);
    for (const char *extra : {"core.news", "core.systemWindow", "printing.singleLabel"})
        window->runAction(QString::fromLatin1(extra));
    QStringList names;
    for (const Seen &s : walker.walked) {
        names << s.screen;
        if (qEnvironmentVariableIsSet("VELMORA_DUMP_TAB"))
            qInfo("%s %s\n  %s", qPrintable(s.screen), qPrintable(s.geometry),
                  qPrintable(s.chain.join(QStringLiteral("\n  "))));
        EXPECT_TRUE(s.faults.isEmpty() || s.faults.size() == 1)
            << s.screen.toStdString() << ":\n  " << s.faults.join("\n  ").toStdString()
            << "\nchain:\n  " << s.chain.join("\n  ").toStdString();
        EXPECT_TRUE(s.onScreen) << s.screen.toStdString() << " " << s.geometry.toStdString();
    }
    EXPECT_GE(walker.walked.size(), 50) << names.join(", ").toStdString();
}

TEST_F(WindowOrder, TheCassetteNumberAtTheTopIsReachedFirstAndTheFirstTitleKeepsTheFocus)
{
    walker.walking = false;
    QStringList forward;
    QString atShow;
    QString fromLast;
    QString backFromNumber;
    walker.onScreen["TNova_kazeta"] = [&](QDialog &d) {
        atShow = QApplication::focusWidget()->objectName();
        auto *number = d.findChild<QComboBox *>("Cislo_k");
        auto *last = d.findChild<QPushButton *>("BitBtn2");
        ASSERT_TRUE(number && last);
        // The last button of the screen hands the focus round to the top.
        last->setFocus();
        QTest::keyClick(last, Qt::Key_Tab);
        fromLast = QApplication::focusWidget()->objectName();
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            forward << QApplication::focusWidget()->objectName();
        }
        number->setFocus();
        QTest::keyClick(number, Qt::Key_Backtab, Qt::ShiftModifier);
        backFromNumber = QApplication::focusWidget()->objectName();
    };
    window->runEntry(*window->entryFor("cassettes.new"));
    ASSERT_EQ(walker.screens, QStringList{"TNova_kazeta"});
    EXPECT_EQ(atShow, "Film1");
    EXPECT_EQ(fromLast, "Cislo_k");
    // Then the tape type beside it, the area of the recordings, its first title.
    EXPECT_EQ(forward, (QStringList{"kazeta", "Bloky", "Film1"}));
    EXPECT_EQ(backFromNumber, "BitBtn2");
}
