#pragma once

// The rows of a sheet as the writer takes them: counted first (for the
// progress and the autofilter's range), then given one after another.

#include "sheets/SheetWriter.h"

#include <functional>
#include <memory>

namespace velmora {
class TableHandles;
}

namespace velmora::sheets {

class SheetSource
{
public:
    virtual ~SheetSource() = default;
    virtual QString name() const = 0;
    virtual QList<SheetColumn> columns() const = 0;
    virtual qint64 rows() const = 0;
    // Gives the rows in order, as many cells each as there are columns;
    // stops, answering false, as soon as give answers false.
    virtual bool produce(const std::function<bool(const Cell *)> &give) = 0;
};

// A sheet of the catalogue, its tables opened read-only by the handles'
// paths; throws DbError when a table cannot be read.
std::unique_ptr<SheetSource> catalogueSheet(const TableHandles &tables, Sheet sheet);

} // namespace velmora::sheets
