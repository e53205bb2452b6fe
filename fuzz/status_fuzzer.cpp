// libFuzzer entry: the input is the status file of a backup set (info.txt,
// infocd.txt) as far as the backup screens read it.

#include "backup/BackupSets.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora::backup;
    const QByteArray bytes(reinterpret_cast<const char *>(data),
                           qsizetype(qMin<size_t>(size, size_t(kStatusFileLimit))));
    const Status s = parseStatus(bytes);
    // Each value fills one short label of the screen and is one line.
    for (const QString *v : {&s.date, &s.time, &s.version}) {
        if (v->size() > kStatusValueLength || v->contains(QLatin1Char('\n'))) {
            std::fprintf(stderr, "status value of %lld characters\n", (long long)v->size());
            std::abort();
        }
    }
    return 0;
}
