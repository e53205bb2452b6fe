#pragma once

#include "CassetteRows.h"
#include "ScriptedAnswerer.h"
#include "TestEnv.h"
#include "app/Screens.h"
#include "core/MainWindow.h"
#include "core/Startup.h"
#include "engine/Codepage.h"
#include "engine/Table.h"
#include "session/Language.h"
#include "storage/Paths.h"
#include "storage/Schemas.h"
#include "system/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace velmora::test {

// A whole program in a private data directory: the main window prepared
// as at a real start, with the scripted user answering every box.
class AppFixture : public ::testing::Test
{
protected:
    AppFixture()
    {
        Paths::setDataDir(env.dataDir() + QLatin1Char('/'));
        lang::load(QString());
    }
    ~AppFixture() override
    {
        window.reset();
        lang::load(QString());
    }

    // A new main window over the same directory and settings.
    TTitul &start()
    {
        window = std::make_unique<TTitul>();
        registerScreens(*window);
        EXPECT_TRUE(prepareMainWindow(*window));
        return *window;
    }

    // Settings as they stand after a first start, written before the start
    // that the test looks at.
    void startOnceBefore()
    {
        start();
        firstShowing(*window, {});
        window->activated();
        window.reset();
        user.shown.clear();
        user.screens.clear();
        user.events.clear();
    }

    void writeLanguageFile(const QString &name, const QByteArray &utf8Text)
    {
        QDir().mkpath(env.dataDir() + QStringLiteral("/LANG"));
        QFile f(env.dataDir() + QStringLiteral("/LANG/") + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // Language files are in code page 1250.
        f.write(Codepage::cp1250().encode(QString::fromUtf8(utf8Text)));
    }

    // A cassette row appended straight to data.dbf.
    void addCassette(const QString &number, bool lent = false, const QString &from = QString(),
                     int days = 0)
    {
        CassetteRecord c;
        c.number = number;
        c.loan = {lent, QString(), from, days};
        appendCassette(c);
    }

    // Rows appended by another dBASE writer, Python's dbf, to a table of the
    // data directory; rows is a Python list of dicts.
    static void appendWithDbf(const QString &table, const QString &rows)
    {
        appendWithDbfTo(Paths::dataFile(table), rows);
    }
    // The same for the table at path.
    static void appendWithDbfTo(const QString &path, const QString &rows)
    {
        const QString script = QStringLiteral("import sys, dbf\n"
                                              "t = dbf.Table(sys.argv[1])\n"
                                              "t.open(dbf.READ_WRITE)\n"
                                              "for r in %1:\n"
                                              "    t.append(r)\n"
                                              "t.close()\n")
                                   .arg(rows);
        int rc = -1;
        const QString out = runProgram("/usr/bin/python3", {"-c", script, path}, &rc);
        ASSERT_EQ(rc, 0) << out.toStdString();
    }

    // A CD title row appended straight to cd01.dbf.
    void addCdTitle(const QString &number)
    {
        Table t;
        t.setPath(Paths::dataFile(QStringLiteral("cd01.dbf")));
        t.open();
        t.append();
        t.setString("Cislocd", number);
        t.post();
        t.close();
    }

    TestEnv env;
    ScriptedAnswerer user;
    std::unique_ptr<TTitul> window;
};

} // namespace velmora::test
