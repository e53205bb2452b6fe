#pragma once

// The catalogues users exchange: the file set an export writes, the
// information file that travels with it, and where imported catalogues live
// under EXTERNI with their registers.

#include "engine/Table.h"

#include <QList>
#include <QString>
#include <functional>

namespace velmora::exchange {

enum class Catalogue
{
    Cassettes,
    Cds,
};

// One table file of a set: its name in the data directory (and inside an
// imported catalogue's directory) and its name in an export.
struct SetFile
{
    QString table;    // "data.dbf"
    QString exported; // "data.vkf"
    bool optional;    // index files: our tables carry none
};

struct Kind
{
    QList<SetFile> files; // in the order of the copies
    QString infoFile;     // "Export.evk"
    QString listedFile;   // the exported main table, "data.vkf"
    QString registerFile; // "Source.dbf"
    QString prefix;       // "VK-"
    int fieldCount;       // of the main table
    int gaugeMaximum;
};

const Kind &kind(Catalogue catalogue);

// How far a copy of a set has come, in files: 1.5 when the first file is
// done and half of the second. Gauges show it in hundredths of a file.
using Progress = std::function<void(double files)>;
constexpr int kGaugeSteps = 100;

// The main table of an imported catalogue and, for CDs, its track table.
QString mainTable(Catalogue catalogue); // "data.dbf" / "cd01.dbf"

// --- Imported catalogues under EXTERNI.

// The register's path in EXTERNI.
QString registerPath(Catalogue catalogue);
bool registerExists(Catalogue catalogue);
QList<FieldDef> registerFields();

struct RegisterEntry
{
    QString day;      // the export date as read from the information file
    QString user;     // the owner
    QString toSource; // the catalogue's directory, without a trailing separator
};

// The register's records in their order; none when it is missing.
QList<RegisterEntry> readRegister(Catalogue catalogue);

// The directory of an owner's imported catalogue: EXTERNI, "VK-" or "CD-"
// and the owner's name; without a trailing separator.
QString catalogueDir(Catalogue catalogue, const QString &owner);
// A table of an owner's imported catalogue.
QString catalogueTable(Catalogue catalogue, const QString &owner, const QString &table);

} // namespace velmora::exchange
