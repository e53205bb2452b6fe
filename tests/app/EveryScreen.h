#pragma once

// Every screen of both menus over a small catalogue that passes every
// guard: for tests that look at all screens alike.

#include "AppFixture.h"
#include "ImportedCatalogues.h"
#include "session/Commands.h"

#include <QApplication>
#include <QDialog>
#include <QSet>

namespace velmora::test {

// Shows a screen handed to the scripted user, as the program would, and
// gives its class name without the namespace.
inline QString shownScreen(QDialog &d)
{
    d.show();
    QApplication::processEvents();
    return QString::fromLatin1(d.metaObject()->className()).section(QLatin1String("::"), -1);
}

class EveryScreenFixture : public AppFixture
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
        appendCassettes({home, away});

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
        addImported(exchange::Catalogue::Cassettes, QStringLiteral("Novák"));
        addImported(exchange::Catalogue::Cds, QStringLiteral("Novák"));
    }

    // Runs every command of both menus that opens a screen of its own.
    void openEveryScreen()
    {
        // Commands that end the program or hand a file to the desktop open
        // no screen of their own.
        const QStringList noScreen{
            QStringLiteral("core.close"),    QStringLiteral("core.help"),
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
    }
};

} // namespace velmora::test
