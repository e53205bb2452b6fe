// Long runs of the kill tests (see README.md): posts to a cassette table
// killed 1,000 times, and every whole-file replacement killed before each
// of its steps in turn (at most --steps of them, spread evenly over the
// operation) and at many random moments. Reports the counts and the time
// taken; exits with 1 when any check failed.
//
//     bench_crash [--kills N] [--steps S] [--moments M] [--seed X] [--only NAME]

#include "CrashPosts.h"
#include "CrashReplacements.h"
#include "TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>

using namespace velmora::test;

namespace {

// A fresh table every so many kills keeps the checks (which read every
// record and note) about as quick at the thousandth kill as at the first.
constexpr int kKillsPerTable = 100;

void printProblems(const QStringList &problems)
{
    for (const QString &p : problems)
        std::printf("  FAIL %s\n", qPrintable(p));
    std::fflush(stdout);
}

int runPosts(int kills, quint64 seed)
{
    QElapsedTimer clock;
    clock.start();
    crash::PostsTally total;
    int failures = 0;
    QRandomGenerator64 seeds(seed);
    for (int done = 0; done < kills;) {
        TestEnv env;
        crash::PostsCrash crash(env.file(QStringLiteral("data.dbf")), seeds.generate64());
        for (int i = 0; i < kKillsPerTable && done < kills; ++i, ++done) {
            const QStringList problems = crash.round(30000);
            printProblems(problems);
            failures += problems.isEmpty() ? 0 : 1;
        }
        const crash::PostsTally &t = crash.tally();
        total.rounds += t.rounds;
        total.kills += t.kills;
        total.posts += t.posts;
        total.checked += t.checked;
        total.inFlightLanded += t.inFlightLanded;
        std::printf("posts: %d kills so far, table of %d records\n", done, crash.records());
        std::fflush(stdout);
    }
    std::printf("POSTS kills=%d confirmed_posts=%lld confirmed_records_checked=%lld "
                "in_flight_found_whole=%d failed_rounds=%d seconds=%.1f\n",
                total.kills, total.posts, total.checked, total.inFlightLanded, failures,
                double(clock.elapsed()) / 1000);
    return failures;
}

int runReplacement(std::unique_ptr<crash::Operation> (*make)(const QString &), long long maxSteps,
                   int moments, quint64 seed, const QString &only)
{
    TestEnv env;
    crash::ReplaceCrash crash(make(env.dataDir()), seed);
    if (!only.isEmpty() && !crash.operation().name().contains(only))
        return 0;
    QElapsedTimer clock;
    clock.start();
    QStringList problems = crash.calibrate();
    printProblems(problems);
    if (!problems.isEmpty())
        return 1;
    int failures = 0;
    // Before every step (or as many spread over the work), then at random
    // moments of it.
    const long long count = qMin(crash.steps(), maxSteps);
    for (long long i = 1; i <= count; ++i) {
        const long long step = i * crash.steps() / count;
        problems = crash.round(crash::KillPlan::atStep(step));
        printProblems(problems);
        failures += problems.isEmpty() ? 0 : 1;
    }
    QRandomGenerator64 rng(seed);
    for (int i = 0; i < moments; ++i) {
        const quint64 span = quint64(crash.workUs() + crash.workUs() / 10 + 1);
        problems = crash.round(crash::KillPlan::afterUs(qint64(rng.generate64() % span)));
        printProblems(problems);
        failures += problems.isEmpty() ? 0 : 1;
    }
    const crash::ReplaceTally &t = crash.tally();
    std::printf("REPLACE %-28s steps=%lld work_ms=%.1f runs=%d killed=%d ran_to_end=%d "
                "found_old=%d found_new=%d dbfread_runs=%d failed_runs=%d seconds=%.1f\n",
                qPrintable(crash.operation().name()), crash.steps(), double(crash.workUs()) / 1000,
                t.rounds, t.killed, t.finished, t.old, t.fresh, t.dbfreadRuns, failures,
                double(clock.elapsed()) / 1000);
    std::fflush(stdout);
    return failures;
}

std::unique_ptr<crash::Operation> cdEdit(const QString &root)
{
    return crash::titleChange(root, QStringLiteral("cdedit"));
}
std::unique_ptr<crash::Operation> cdNew(const QString &root)
{
    return crash::titleChange(root, QStringLiteral("cdnew"));
}
std::unique_ptr<crash::Operation> cdDelete(const QString &root)
{
    return crash::titleChange(root, QStringLiteral("cddelete"));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int kills = 1000;
    long long steps = 300;
    int moments = 100;
    quint64 seed = QRandomGenerator::system()->generate64();
    QString only;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--kills"))
            kills = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--steps"))
            steps = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--moments"))
            moments = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--seed"))
            seed = args[i + 1].toULongLong();
        else if (args[i] == QLatin1String("--only"))
            only = args[i + 1];
    }
    std::printf("seed=%llu kills=%d steps=%lld moments=%d\n", static_cast<unsigned long long>(seed),
                kills, steps, moments);
    std::fflush(stdout);
    int failures = 0;
    if (kills > 0 && (only.isEmpty() || only == QLatin1String("posts")))
        failures += runPosts(kills, seed);
    for (auto make : {crash::fileCopy, crash::restore, crash::import, crash::conversion,
                      crash::formatUpgrade, cdEdit, cdNew, cdDelete})
        failures += runReplacement(make, steps, moments, seed, only);
    return failures == 0 ? 0 : 1;
}
