#pragma once

// A spreadsheet's CSV brought into the catalogue: read and checked whole
// first (the plan), written only when no row has a problem left, all rows in
// one go after a safety copy of the tables, or nothing.

#include "sheets/SheetColumns.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace velmora {
class TableHandles;
}

namespace velmora::sheets {

struct ImportProblem
{
    int line = 0;    // in the file, from 1; 0 for the file as a whole
    QString message; // in Czech
};

// Values the user lists do not hold yet, which the user may add to them.
struct UnknownValues
{
    QString list;       // the user list: "Žánry", "Zdroje", "Formáty", "Styly"
    int listNumber = 0; // TableHandles::userList number, 1 to 4
    QStringList values;
};

// What the user is told of one such value: "Žánr „Kung-fu“ není v
// uživatelském seznamu žánrů."
QString unknownValueText(const UnknownValues &unknown, const QString &value);

struct ImportPlan
{
    Sheet sheet = Sheet::Cassettes;
    int items = 0;                 // cassettes or CD titles to add
    int entries = 0;               // recordings or tracks among them
    QList<ImportProblem> problems; // each blocks the import
    QList<ImportProblem> notes;    // said, not blocking (a text cut to its field's width)
    QStringList ignoredColumns;    // headers of the file that are not read
    QList<UnknownValues> unknown;  // blocking until added to their lists
    QString encoding;              // "UTF-8", "UTF-16" or "cp1250", as detected
    QChar separator;               // ';', ',' or '\t', as detected

    bool canImport() const { return problems.isEmpty() && unknown.isEmpty() && items > 0; }

    // The records to write, kept for applyImport.
    struct Data;
    std::shared_ptr<const Data> data;
};

// Reads and checks the file against the catalogue as it stands: cassettes
// (Sheet::Cassettes) or CD titles with their tracks (Sheet::Cds).
ImportPlan planImport(const TableHandles &tables, Sheet sheet, const QString &path);

// Adds the plan's unknown values to their user lists and checks the file
// again; what it gives back replaces the plan.
ImportPlan addUnknownValues(TableHandles &tables, const ImportPlan &plan, const QString &path);

struct ImportResult
{
    bool ok = false;
    QString error; // in Czech, when not ok; the tables are then as before
    int items = 0;
    int entries = 0;
    QString safetyCopy; // where the tables were copied before the writing
};

// Writes every record of a plan that canImport(), after a safety copy of
// the tables it changes; a failure half way puts the tables back whole.
ImportResult applyImport(TableHandles &tables, const ImportPlan &plan);

// For tests of the putting back: the n-th record that the next imports
// write (1 = the first) fails as a full disk would; 0 turns it off.
void failImportRecord(int n);

} // namespace velmora::sheets
