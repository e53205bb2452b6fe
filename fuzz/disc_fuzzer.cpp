// libFuzzer entry: the input is a disc image of the kind this binary is
// built for (VELMORA_DISC_KIND), read through cd::readDisc with its CD-Text.

#include "DiscExercise.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace velmora::fuzzing;

namespace {

const QString &discDir()
{
    static QTemporaryDir dir;
    static const bool ready = dir.isValid() && prepareDiscDir(dir.path());
    if (!ready) {
        std::fprintf(stderr, "no directory for the images\n");
        std::abort();
    }
    // libcdio opens the files a cdrdao table names from the working
    // directory; the runs give the fuzzer absolute paths for this reason.
    static const bool entered = QDir::setCurrent(dir.path());
    static const QString path = dir.path();
    (void)entered;
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const DiscOutcome out = exerciseDisc(discDir(), DiscKind::VELMORA_DISC_KIND, bytes, true);
    if (!out.faults.isEmpty()) {
        for (const QString &f : out.faults)
            std::fprintf(stderr, "disc reader fault: %s\n", qPrintable(f));
        std::abort();
    }
    return 0;
}

// libcdio keeps small allocations of a failed opening (names from the cue
// sheet); they are its own and cannot be freed from outside, so only leaks
// with none of its frames count.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libcdio.so\n";
}
