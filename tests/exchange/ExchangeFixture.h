#pragma once

// A program over its private data directory that exports its catalogues
// and imports exports through the real screens, with the scripted user.

#include "AppFixture.h"
#include "ScreenChecks.h"
#include "exchange/ExportScreen.h"
#include "exchange/ImportManager.h"
#include "exchange/OwnerNameDialog.h"
#include "platform/DirectoryChooser.h"
#include "transfer/ExchangeFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace velmora::test {

template <typename W> W *child(const QObject &parent, const char *name)
{
    W *w = parent.findChild<W *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

class ExchangeFixture : public AppFixture
{
protected:
    ExchangeFixture()
    {
        setMediaRoots({});
        start();
    }

    // Exports through the menu command into dir, the owner's name given
    // when asked.
    void exportTo(exchange::Catalogue c, const QString &dir, const QString &owner = "Petr")
    {
        user.onScreen["OwnerNameDialog"] = [owner](QDialog &d) {
            auto &o = static_cast<OwnerNameDialog &>(d);
            o.edit()->setText(owner);
            o.save();
        };
        user.onScreen[c == exchange::Catalogue::Cassettes ? "TExporting_my_VK"
                                                          : "TExporting_my_CD"] =
            [dir](QDialog &d) {
                auto &s = static_cast<ExportScreen &>(d);
                ASSERT_TRUE(s.directories()->setPath(dir));
                s.exportData();
            };
        window->runAction(c == exchange::Catalogue::Cassettes ? "external.cassetteExport"
                                                              : "external.cdExport");
    }

    // Opens the manager, points it at dir, selects the export and acts.
    void inManager(exchange::Catalogue c, const std::function<void(ImportManager &)> &act)
    {
        bool shown = false;
        user.onScreen[c == exchange::Catalogue::Cassettes ? "TExterni_VK" : "TExterni_CD"] =
            [&](QDialog &d) {
                shown = true;
                act(static_cast<ImportManager &>(d));
            };
        window->runAction(c == exchange::Catalogue::Cassettes ? "external.cassetteManager"
                                                              : "external.cdManager");
        EXPECT_TRUE(shown);
    }

    static void choose(ImportManager &m, const QString &dir)
    {
        ASSERT_TRUE(m.directories()->setPath(dir));
        if (m.files()->count() > 0)
            m.files()->setCurrentRow(0);
    }

    static QString value(QWidget &w, const char *name) { return child<QLabel>(w, name)->text(); }

    // Every file below dir with its size, for "nothing changed" checks.
    static QStringList tree(const QString &dir)
    {
        QStringList out;
        QDirIterator it(dir, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            out << QDir(dir).relativeFilePath(p) + ":" + QString::number(QFileInfo(p).size());
        }
        out.sort();
        return out;
    }

    // A directory of the test's own, beside its configuration.
    QString made(const QString &name)
    {
        const QString dir = env.configHome() + "/../" + name;
        QDir().mkpath(dir);
        return QDir(dir).absolutePath();
    }
};

} // namespace velmora::test
