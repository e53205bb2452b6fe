// libFuzzer entry: the input is a language file (LANG/*.set, code page
// 1250), read and looked up in every way the screens use.

#include "LangExercise.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const velmora::fuzzing::LangOutcome out = velmora::fuzzing::exerciseLanguage(bytes);
    if (!out.faults.isEmpty()) {
        for (const QString &f : out.faults)
            std::fprintf(stderr, "language file fault: %s\n", qPrintable(f));
        std::abort();
    }
    return 0;
}
