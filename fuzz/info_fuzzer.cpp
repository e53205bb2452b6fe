// Fuzzing of the reader of the information files that travel with exported
// catalogues: any bytes, at most as many as the reader takes from a file.

#include "transfer/ExportInfo.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace velmora::exchange;
    const QByteArray bytes(reinterpret_cast<const char *>(data),
                           qsizetype(qMin<size_t>(size, size_t(kInfoFileLimit))));
    ExportInfo info;
    QString problem;
    if (parseInfo(bytes, QStringLiteral("Export.evk"), info, problem)) {
        // What is accepted must name a usable owner and a readable date.
        if (!ownerNameProblem(ownerKey(info.owner)).isEmpty() || problem.size() != 0)
            __builtin_trap();
    } else if (problem.isEmpty()) {
        __builtin_trap(); // a refusal always says why
    }
    return 0;
}
