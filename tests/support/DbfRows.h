#pragma once

#include "TestEnv.h"
#include "storage/Paths.h"

#include <QString>
#include <gtest/gtest.h>

namespace velmora::test {

// Rows appended by Python's dbf, another dBASE writer, to a table of the
// data directory that the program created; `rows` is a Python list of dicts.
inline void appendWithDbf(const QString &table, const QString &rows)
{
    const QString script = QStringLiteral("import sys, dbf\n"
                                          "t = dbf.Table(sys.argv[1])\n"
                                          "t.open(dbf.READ_WRITE)\n"
                                          "for r in %1:\n"
                                          "    t.append(r)\n"
                                          "t.close()\n")
                               .arg(rows);
    int rc = -1;
    const QString out = runProgram("/usr/bin/python3", {"-c", script, Paths::dataFile(table)}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
}

} // namespace velmora::test
