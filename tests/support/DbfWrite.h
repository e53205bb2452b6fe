#pragma once

// Rows appended by another dBASE writer, Python's dbf: the program's tables
// are checked against rows it did not write itself.

#include "TestEnv.h"
#include "storage/Paths.h"

#include <QString>
#include <gtest/gtest.h>

namespace velmora::test {

// Appends rows, a Python list of dicts, to the table at path.
inline void appendWithDbfTo(const QString &path, const QString &rows)
{
    const QString script = QStringLiteral("import sys, dbf\n"
                                          "t = dbf.Table(sys.argv[1])\n"
                                          "t.open(dbf.READ_WRITE)\n"
                                          "for r in %1:\n"
                                          "    t.append(r)\n"
                                          "t.close()\n")
                               .arg(rows);
    int rc = -1;
    const QString out =
        runProgram(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, path}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
}

// The same for a table of the data directory.
inline void appendWithDbf(const QString &table, const QString &rows)
{
    appendWithDbfTo(Paths::dataFile(table), rows);
}

} // namespace velmora::test
