// What a screen reader meets: every screen of both menus opened over a
// small catalogue, each control that Tab can reach read back through the
// accessibility interface (what AT-SPI hands on) for a name.

#include "AppFixture.h"
#include "ImportedCatalogues.h"
#include "core/Commands.h"

#include <QAccessible>
#include <QApplication>
#include <QWidget>
#include <map>

using namespace velmora;

namespace {

// Stands in for the user as the scripted one does, and before every screen
// it is handed looks at what focus can land on there.
class NameChecker : public test::ScriptedAnswerer
{
public:
    int screen(QDialog &d) override
    {
        d.show();
        QApplication::processEvents();
        const QString name =
            QString::fromLatin1(d.metaObject()->className()).section(QLatin1String("::"), -1);
        ++checked[name];
        for (QWidget *w : d.findChildren<QWidget *>()) {
            if (!w->isVisibleTo(&d) || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
                continue;
            QAccessibleInterface *ai = QAccessible::queryAccessibleInterface(w);
            const QString spoken = ai ? ai->text(QAccessible::Name).trimmed() : QString();
            if (spoken.isEmpty())
                unnamed << name + QLatin1Char('/') +
                               QString::fromLatin1(w->metaObject()->className()) +
                               QLatin1Char('/') + w->objectName();
        }
        return ScriptedAnswerer::screen(d);
    }

    std::map<QString, int> checked;
    QStringList unnamed;
};

class ScreenReaderTest : public test::AppFixture
{
protected:
    // One of everything the guards ask for: cassettes and CDs at home and
    // away, finished loans of both, imported catalogues of both kinds.
    void catalogue()
    {
        CassetteRecord home;
        home.type = QStringLiteral("E 180");
        home.number = QStringLiteral("00001");
        home.recordings[0].title = QStringLiteral("Pelíšky");
        home.recordings[0].speed = QStringLiteral("SP");
        CassetteRecord away = home;
        away.number = QStringLiteral("00002");
        away.loan = {true, QStringLiteral("Eva"), QStringLiteral("01.01.2002"), 7};
        test::appendCassettes({home, away});

        Table cds;
        cds.setPath(Paths::dataFile(QStringLiteral("cd01.dbf")));
        cds.open();
        for (const char *number : {"00001", "00002"}) {
            cds.append();
            cds.setString("Cislocd", QString::fromLatin1(number));
            cds.setString("TitulCD", QStringLiteral("Písně"));
            const bool lent = QLatin1String(number) == QLatin1String("00002");
            cds.setBoolean("Pujceno", lent);
            if (lent) {
                cds.setString("Komu", QStringLiteral("Adam"));
                cds.setString("Od_kdy", QStringLiteral("01.01.2002"));
                cds.setInteger("Delka_pujc", 7);
            }
            cds.post();
        }
        cds.close();

        Table tracks;
        tracks.setPath(Paths::dataFile(QStringLiteral("cd02.dbf")));
        tracks.open();
        for (const char *number : {"00001", "00002"}) {
            tracks.append();
            tracks.setString("Cislocd", QString::fromLatin1(number));
            tracks.setString("Oznaceni", QStringLiteral("CD1"));
            tracks.setInteger("TrackNum", 1);
            tracks.setString("Track", QStringLiteral("Ach, ta láska"));
            tracks.setInteger("Lenght", 185);
            tracks.post();
        }
        tracks.close();

        for (const char *file : {"archiv.dbf", "archivcd.dbf"}) {
            Table a;
            a.setPath(Paths::dataFile(QString::fromLatin1(file)));
            a.open();
            a.append();
            a.setString(QLatin1String(file) == QLatin1String("archiv.dbf") ? "cislo" : "cislocd",
                        QStringLiteral("00001"));
            a.setString("komu", QStringLiteral("Eva"));
            a.setString("od_kdy", QStringLiteral("01.01.2002"));
            a.post();
            a.close();
        }
        test::addImported(exchange::Catalogue::Cassettes, QStringLiteral("Novák"));
        test::addImported(exchange::Catalogue::Cds, QStringLiteral("Novák"));
    }
};

TEST_F(ScreenReaderTest, FocusLandsOnlyOnNamedControlsInEveryScreenOfBothMenus)
{
    NameChecker checker; // replaces the fixture's scripted user while it lives
    start();
    catalogue();
    // Commands that end the program or hand a file to the desktop open no
    // screen of their own.
    const QStringList noScreen{QStringLiteral("core.close"),    QStringLiteral("core.help"),
                               QStringLiteral("core.password"), QStringLiteral("core.newsFile"),
                               QStringLiteral("core.webPage"),  QStringLiteral("notes.cassettes"),
                               QStringLiteral("notes.cds"),     QStringLiteral("core.conversion")};
    QSet<QString> ran;
    for (const auto *menu : {&cassetteMenu(), &cdMenu()})
        for (const MenuEntry *e : commandsOf(*menu)) {
            if (noScreen.contains(e->action) || ran.contains(e->action))
                continue;
            ran.insert(e->action);
            window->runEntry(*e);
        }
    // A screen that did not open would be a screen not looked at.
    for (const char *screen : {"TNova_kazeta",
                               "TUprav_kazetu",
                               "TProhlizej_kazetu",
                               "TZrusit_vk",
                               "TZobrazit_CD_Data",
                               "TNovy_CD_disk",
                               "TOpravit_CD_disk",
                               "TZrusit_CD",
                               "TZapsat_pujceni",
                               "TVraceni_kazety",
                               "TZobrazeni_zapujcek",
                               "TArchiv",
                               "TZobraz_archiv_vk_dografu",
                               "THledej_film",
                               "TVyhledej_Pozici",
                               "THledej_Skladbu",
                               "TStatistika",
                               "TTisk",
                               "TVice_Etiket",
                               "TJina_zaloha",
                               "TSetup",
                               "TUserSetup",
                               "THledej_Ext_Data",
                               "TExterni_VK"})
        EXPECT_GT(checker.checked[QString::fromLatin1(screen)], 0) << screen;
    EXPECT_GE(checker.checked.size(), 45u);
    EXPECT_TRUE(checker.unnamed.isEmpty()) << checker.unnamed.join(QLatin1Char('\n')).toStdString();
}

} // namespace
