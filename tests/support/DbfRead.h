#pragma once

#include "TestEnv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <gtest/gtest.h>

namespace velmora::test {

// The rows of a table as another reader, Python's dbfread, sees them: field
// names in lower case, dates as ISO text.
inline QJsonArray readWithDbfread(const QString &path)
{
    int rc = -1;
    const QString out = runProgram(
        "/usr/bin/python3",
        {"-c",
         "import sys, json\nfrom dbfread import DBF\n"
         "print(json.dumps([{k: (v.isoformat() if hasattr(v, 'isoformat') else v) for k, v in "
         "r.items()} for r in DBF(sys.argv[1], encoding='cp1250', lowernames=True, "
         "ignore_missing_memofile=True)], ensure_ascii=False))",
         path},
        &rc);
    EXPECT_EQ(rc, 0) << out.toStdString();
    return QJsonDocument::fromJson(out.toUtf8()).array();
}

} // namespace velmora::test
