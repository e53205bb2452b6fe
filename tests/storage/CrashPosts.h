#pragma once

// Posts killed half way: velmora_crash_child posts to a cassette table and
// confirms each post once it has returned; it is killed at a random moment
// and the table is then checked, by our engine and by dbfread, against
// what was confirmed. Shared by the test suite and the long bench run.

#include "KillRun.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace velmora::test::crash {

struct PostsTally
{
    int rounds = 0;
    int kills = 0;          // rounds in which the child was killed
    long long posts = 0;    // confirmed posts of all rounds
    long long checked = 0;  // confirmed records checked, over all rounds
    int inFlightLanded = 0; // unconfirmed posts found whole in the table
    int deleted = 0;        // appends cut short, left as deleted records
    int failures = 0;       // rounds with a problem
};

class PostsCrash
{
public:
    // A new cassette table at path (of the program's schema), worked on by
    // children started with seeds drawn from seed.
    PostsCrash(const QString &path, quint64 seed);

    // Starts the child on the table, kills it at a moment up to maxDelayUs
    // after it is ready, and checks the table. The problems found, each
    // naming the round; empty when all was well.
    QStringList round(qint64 maxDelayUs);
    // A child with this seed, making at most posts posts (-1: no limit),
    // all of them edits of record when one is given, killed as planned;
    // then the check. steps receives the steps the child took when it ran
    // to its end.
    QStringList round(const KillPlan &plan, quint64 childSeed, int posts, int record = -1,
                      long long *steps = nullptr);
    // The table at path a copy of from's, with what was confirmed to it.
    PostsCrash(const PostsCrash &from, const QString &path);

    const PostsTally &tally() const { return m_tally; }
    int records() const { return int(m_confirmed.size()); }

private:
    struct Pending
    {
        int rec = -1; // -1: a new record
        quint64 digest = 0;
    };
    QStringList check(const std::optional<Pending> &pending);

    QString m_path;
    QRandomGenerator64 m_rng;
    std::map<int, quint64> m_confirmed; // by record number, its last confirmed state
    PostsTally m_tally;
};

} // namespace velmora::test::crash
