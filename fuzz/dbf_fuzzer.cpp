// libFuzzer entry: the input is a data file and a memo file (see splitInput),
// opened read-only from memory and read in every way the engine offers; a
// table with a memo file is read from files as well, as the program reads
// its tables.

#include "FuzzExercise.h"

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const velmora::fuzzing::Input in = velmora::fuzzing::splitInput(data, size);
    // Reading from files costs twice the time: one input in eight, chosen
    // by its bytes so that a finding repeats, takes that way too.
    static QTemporaryDir dir;
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    const bool files = dir.isValid() && hash % 8 == 0;
    const velmora::fuzzing::Outcome out =
        velmora::fuzzing::exerciseBoth(files ? dir.path() : QString(), in.dbf, in.dbt);
    if (!out.faults.isEmpty()) {
        for (const QString &f : out.faults)
            std::fprintf(stderr, "engine fault: %s\n", qPrintable(f));
        std::abort();
    }
    return 0;
}
