#pragma once

#include "CassetteRows.h"
#include "CdRows.h"
#include "DbfWrite.h"
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

    // A CD title row appended straight to cd01.dbf.
    void addCdTitle(const QString &number) { appendCdTitle(cdTitle(number)); }

    TestEnv env;
    ScriptedAnswerer user;
    std::unique_ptr<TTitul> window;
};

} // namespace velmora::test
