// libFuzzer entry: the input is a CSV file a spreadsheet saved, read as the
// import reads it.

#include "CsvExercise.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const velmora::fuzzing::CsvOutcome out = velmora::fuzzing::exerciseCsv(bytes);
    if (!out.faults.isEmpty()) {
        for (const QString &f : out.faults)
            std::fprintf(stderr, "csv fault: %s\n", qPrintable(f));
        std::abort();
    }
    return 0;
}
