#pragma once

// The records an import plan holds for the writing, checked whole.

#include "sheets/SheetImport.h"
#include "storage/CdRecords.h"
#include "storage/Records.h"

#include <vector>

namespace velmora::sheets {

struct ImportedTitle
{
    CdTitle title;
    std::vector<CdTrack> tracks;
};

struct ImportPlan::Data
{
    std::vector<CassetteRecord> cassettes;
    std::vector<ImportedTitle> titles;
};

} // namespace velmora::sheets
