// libFuzzer entry: the input is a data file and a memo file (see splitInput),
// opened read-only from memory and read in every way the engine offers.

#include "FuzzExercise.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const velmora::fuzzing::Input in = velmora::fuzzing::splitInput(data, size);
    const velmora::fuzzing::Outcome out = velmora::fuzzing::exerciseMemory(in.dbf, in.dbt);
    if (!out.faults.isEmpty()) {
        for (const QString &f : out.faults)
            std::fprintf(stderr, "engine fault: %s\n", qPrintable(f));
        std::abort();
    }
    return 0;
}
