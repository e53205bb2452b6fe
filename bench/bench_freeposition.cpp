// The free position search on 99,999 cassettes: opening the screen (the
// work table of open cassettes is built then) and a search, on a copy of
// the shared catalogue in which every third cassette is open and the time
// left on the open ones runs from 4 to 65 minutes.

#include "BenchApp.h"
#include "Catalogue.h"
#include "catalogue/CassetteRules.h"
#include "core/MainWindow.h"
#include "search/FreePositionScreen.h"
#include "storage/Paths.h"
#include "storage/Storage.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

using namespace velmora;
using namespace velmora::bench;

namespace {

QDir ownDir()
{
    const QString path = workDir().filePath(QStringLiteral("freeposition"));
    QDir().mkpath(path);
    return QDir(path);
}

// Made once: the copy is only complete when its marker exists.
void ensureOpenCatalogue()
{
    const QDir dir = ownDir();
    const QString marker = dir.filePath(QStringLiteral("complete"));
    if (QFile::exists(marker))
        return;
    ensureCatalogue();
    for (const QString &file : Table::existingFiles(dataPath())) {
        const QString target = dir.filePath(QFileInfo(file).fileName());
        QFile::remove(target);
        QFile::copy(file, target);
    }
    Table t;
    t.setPath(dir.filePath(QStringLiteral("data.dbf")));
    t.open(Table::Mode::Exclusive);
    t.beginBatch();
    for (int rec = 0; rec < t.recordCount(); rec += 3) {
        t.moveToRecord(rec);
        t.edit();
        t.setString("pozn", kOpenCassetteNote);
        // Four recordings of 45 minutes and a fifth of 0 to 60 on an E 240.
        t.setInteger("cas5", (rec / 3) % 61);
        t.post();
    }
    t.endBatch();
    t.close();
    QFile f(marker);
    if (!f.open(QIODevice::WriteOnly))
        qWarning("cannot mark the catalogue copy complete");
}

TTitul &window()
{
    static TTitul *w = [] {
        ensureOpenCatalogue();
        TTitul *t = windowOver(ownDir());
        t->settings().storedSystemCode = QStringLiteral("1");
        return t;
    }();
    return *w;
}

// As the menu command does it, up to the shown screen and its first paint.
void BM_OpenFreePositionScreen(benchmark::State &state)
{
    TTitul &w = window();
    for (auto _ : state) {
        TVyhledej_Pozici screen(w.session(), &w);
        screen.show();
        QApplication::processEvents();
        screen.close();
    }
}

// One search for the requested SP minutes: the found table rebuilt and the
// result lines written into the pane.
void BM_FreePositionSearch(benchmark::State &state)
{
    TTitul &w = window();
    TVyhledej_Pozici screen(w.session(), &w);
    screen.show();
    QApplication::processEvents();
    screen.findChild<QLineEdit *>(QStringLiteral("V_Min"))
        ->setText(QString::number(state.range(0)));
    auto *search = screen.findChild<QPushButton *>(QStringLiteral("Hledej"));
    for (auto _ : state) {
        search->click();
        QApplication::processEvents();
    }
    state.counters["found"] = screen.candidateCount();
    screen.close();
}

} // namespace

BENCHMARK(BM_OpenFreePositionScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreePositionSearch)->Arg(60)->Arg(30)->Arg(0)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return velmora::bench::runWidgetBenchmarks(argc, argv);
}
