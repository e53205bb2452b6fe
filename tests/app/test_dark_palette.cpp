// A dark desktop palette: every text of every screen stays readable on what
// it is drawn on, the fixed colours keep their hue, and panes with a fixed
// light background keep dark text on it. On a light palette the fixed
// colours are exactly as they always were.

#include "EveryScreen.h"
#include "core/Splash.h"
#include "platform/Colours.h"
#include "printing/ReportPane.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <map>

using namespace velmora;

namespace {

// What a label is drawn on: the colour of the nearest widget that paints
// its own background, or of the window.
QColor groundOf(const QWidget *w)
{
    for (const QWidget *p = w; p; p = p->parentWidget())
        if (p->autoFillBackground() || p->isWindow())
            return p->palette().color(p->backgroundRole());
    return w->palette().color(QPalette::Window);
}

QColor textOf(QWidget *w)
{
    w->ensurePolished();
    return w->palette().color(w->isEnabled() ? QPalette::Active : QPalette::Disabled,
                              w->foregroundRole());
}

// On a dark ground the text must read well. A light ground is one the
// screen fixes itself, and its texts have fixed colours from the same side:
// some of them (red on yellow, grey on white) were always only legible, the
// same in either palette.
double needed(const QColor &ground)
{
    return colours::isDark(ground) ? 4.5 : 3.0;
}

// Before every screen is handed on, its labels and its list rows are read:
// each text against what it is drawn on.
class ContrastChecker : public test::ScriptedAnswerer
{
public:
    int screen(QDialog &d) override
    {
        const QString name = test::shownScreen(d);
        ++checked[name];
        for (QLabel *l : d.findChildren<QLabel *>()) {
            if (!l->isVisibleTo(&d) || l->text().trimmed().isEmpty() || !l->pixmap().isNull())
                continue;
            // Disabled texts are meant to recede.
            if (!l->isEnabled())
                continue;
            const double c = colours::contrast(textOf(l), groundOf(l));
            if (c < needed(groundOf(l)))
                poor << QStringLiteral("%1/%2 \"%3\" %4 on %5 (%6)")
                            .arg(name, l->objectName(), l->text().left(30), textOf(l).name(),
                                 groundOf(l).name())
                            .arg(c, 0, 'f', 1);
        }
        for (QAbstractItemView *v : d.findChildren<QAbstractItemView *>()) {
            if (!v->isVisibleTo(&d) || !v->model())
                continue;
            const QColor base = v->palette().color(QPalette::Base);
            QAbstractItemModel *m = v->model();
            for (int r = 0; r < std::min(m->rowCount(), 20); ++r)
                for (int c = 0; c < m->columnCount(); ++c) {
                    const QModelIndex i = m->index(r, c);
                    const QVariant fg = i.data(Qt::ForegroundRole);
                    if (!fg.isValid())
                        continue;
                    const QVariant bg = i.data(Qt::BackgroundRole);
                    const QColor ground = bg.isValid() ? bg.value<QBrush>().color() : base;
                    const double ratio = colours::contrast(fg.value<QBrush>().color(), ground);
                    if (ratio < needed(ground))
                        poor << QStringLiteral("%1/%2 row %3: %4 on %5")
                                    .arg(name, v->objectName())
                                    .arg(r)
                                    .arg(fg.value<QBrush>().color().name(), ground.name());
                }
        }
        return ScriptedAnswerer::screen(d);
    }

    std::map<QString, int> checked;
    QStringList poor;
};

class DarkPaletteTest : public test::EveryScreenFixture
{
protected:
    DarkPaletteTest() : m_light(QApplication::palette()) {}
    ~DarkPaletteTest() override { QApplication::setPalette(m_light); }
    void darken() { QApplication::setPalette(colours::darkPalette()); }

    QPalette m_light;
};

TEST_F(DarkPaletteTest, EveryTextOfEveryScreenReadsOnADarkPalette)
{
    darken();
    ContrastChecker checker;
    start();
    catalogue();
    openEveryScreen();
    EXPECT_GE(checker.checked.size(), 45u);
    EXPECT_TRUE(checker.poor.isEmpty()) << checker.poor.join(QLatin1Char('\n')).toStdString();
}

// The start-up reminders show the items away in red on the grid's base:
// the grid keeps the dark base the rows' red was lightened for.
TEST_F(DarkPaletteTest, TheRemindersOfItemsAwayReadOnADarkPalette)
{
    darken();
    test::ScriptedAnswerer user;
    start();
    catalogue();
    QStringList seen;
    const auto look = [&](QDialog &d) {
        d.show();
        QApplication::processEvents();
        auto *grid = d.findChild<QAbstractItemView *>(QStringLiteral("DBGrid1"));
        ASSERT_TRUE(grid);
        const QColor base = grid->palette().color(QPalette::Base);
        EXPECT_TRUE(colours::isDark(base)) << base.name().toStdString();
        ASSERT_GT(grid->model()->rowCount(), 0);
        const QColor red = grid->model()->index(0, 0).data(Qt::ForegroundRole).value<QColor>();
        EXPECT_GE(colours::contrast(red, base), 4.5) << red.name().toStdString();
        EXPECT_GT(red.red(), red.green());
        seen << QString::fromLatin1(d.metaObject()->className());
    };
    user.onScreen["TZobrazeni_zapujcek"] = look;
    user.onScreen["TZobrazeni_zapujcekCD"] = look;
    // As the start-up opens them: over their open table.
    for (auto [table, action] :
         {std::pair{&window->tables().Table1, "lending.cassettesAwayReminder"},
          std::pair{&window->tables().CD_Table1, "lending.cdsAwayReminder"}}) {
        table->open();
        window->runAction(QString::fromLatin1(action));
        table->close();
    }
    EXPECT_EQ(seen.size(), 2);
}

TEST_F(DarkPaletteTest, FixedColoursKeepTheirHueLighterOnDarkAndExactOnLight)
{
    const QColor navy(0x00, 0x00, 0x80);
    for (bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        if (dark)
            darken();
        start();
        auto *title = window->findChild<QLabel *>(QStringLiteral("jmeno_prg"));
        ASSERT_NE(title, nullptr);
        const QColor shown = textOf(title);
        if (!dark) {
            EXPECT_EQ(shown, navy);
        } else {
            EXPECT_NE(shown, navy);
            EXPECT_EQ(shown.hslHue(), navy.hslHue());
            EXPECT_GT(shown.lightness(), navy.lightness());
            EXPECT_GE(colours::contrast(shown, groundOf(title)), 4.5);
        }

        // "Rezerva:" of the new cassette screen, navy while the tape has room.
        QColor reserve;
        QColor reserveGround;
        user.onScreen["TNova_kazeta"] = [&](QDialog &d) {
            auto *l = d.findChild<QLabel *>(QStringLiteral("Rezerva"));
            ASSERT_NE(l, nullptr);
            reserve = textOf(l);
            reserveGround = groundOf(l);
        };
        window->runEntry(*window->entryFor(QStringLiteral("cassettes.new")));
        user.onScreen.remove("TNova_kazeta");
        ASSERT_TRUE(reserve.isValid());
        if (!dark) {
            EXPECT_EQ(reserve, navy);
        } else {
            EXPECT_EQ(reserve.hslHue(), navy.hslHue());
            EXPECT_GE(colours::contrast(reserve, reserveGround), 4.5);
        }
        window.reset();
    }
}

TEST_F(DarkPaletteTest, PanesWithAFixedWhiteBackgroundKeepDarkTextOnIt)
{
    darken();
    ReportPane pane;
    EXPECT_EQ(pane.palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(pane.palette().color(QPalette::Text), QColor(Qt::black));

    TSplashScreen splash;
    splash.show();
    QApplication::processEvents();
    int read = 0;
    for (QLabel *l : splash.findChildren<QLabel *>()) {
        if (l->text().isEmpty())
            continue;
        ++read;
        // The splash is white whatever the palette says.
        EXPECT_GE(colours::contrast(textOf(l), Qt::white), 4.5) << l->objectName().toStdString();
    }
    EXPECT_GE(read, 4);
}

} // namespace
