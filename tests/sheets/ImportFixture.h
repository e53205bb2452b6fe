#pragma once

// The catalogue's tables in a private data directory and CSV files written
// byte by byte beside it, as a spreadsheet would have saved them.

#include "DbfRead.h"
#include "RulesFixture.h"
#include "sheets/SheetImport.h"
#include "storage/Paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velmora::test {

// Text in code page 1250 for the Czech letters the tests use.
inline QByteArray cp1250(const QString &text)
{
    static const QMap<QChar, char> czech{
        {u'á', '\xE1'}, {u'č', '\xE8'}, {u'ď', '\xEF'}, {u'é', '\xE9'}, {u'ě', '\xEC'},
        {u'í', '\xED'}, {u'ň', '\xF2'}, {u'ó', '\xF3'}, {u'ř', '\xF8'}, {u'š', '\x9A'},
        {u'ť', '\x9D'}, {u'ú', '\xFA'}, {u'ů', '\xF9'}, {u'ý', '\xFD'}, {u'ž', '\x9E'},
        {u'Č', '\xC8'}, {u'Ř', '\xD8'}, {u'Š', '\x8A'}, {u'Ž', '\x8E'}, {u'Ú', '\xDA'}};
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() < 128)
            out += char(c.unicode());
        else if (czech.contains(c))
            out += czech.value(c);
        else
            ADD_FAILURE() << "no cp1250 byte for " << int(c.unicode());
    }
    return out;
}

class ImportTest : public RulesFixture
{
protected:
    // A CSV file of these bytes outside the data directory.
    QString csvFile(const QByteArray &bytes, const QString &name = QStringLiteral("in.csv"))
    {
        const QString path = files.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        return path;
    }
    // Lines in UTF-8 joined by CRLF, as the export writes them.
    QString csvLines(const QStringList &lines, const QString &name = QStringLiteral("in.csv"))
    {
        return csvFile(lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n", name);
    }

    // Every file of the data directory (ZALOHA aside) with its bytes.
    static QMap<QString, QByteArray> tableFiles()
    {
        QMap<QString, QByteArray> out;
        const QDir dir(Paths::dataDir());
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
            QFile f(dir.filePath(name));
            EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            out.insert(name, f.readAll());
        }
        return out;
    }

    // The directories the imports left in ZALOHA.
    static QStringList safetyCopies()
    {
        return QDir(Paths::zalohaDir())
            .entryList({QStringLiteral("import-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    }

    static QJsonArray rows(const QString &table) { return readWithDbfread(Paths::dataFile(table)); }

    // The messages of the problems on a line.
    static QStringList problemsAt(const sheets::ImportPlan &plan, int line)
    {
        QStringList out;
        for (const sheets::ImportProblem &p : plan.problems)
            if (p.line == line)
                out << p.message;
        return out;
    }

    static std::string listed(const sheets::ImportPlan &plan)
    {
        std::string out;
        for (const sheets::ImportProblem &p : plan.problems)
            out += std::to_string(p.line) + ": " + p.message.toStdString() + "\n";
        for (const sheets::UnknownValues &u : plan.unknown)
            out += "unknown " + u.list.toStdString() + ": " +
                   u.values.join(QStringLiteral(", ")).toStdString() + "\n";
        return out;
    }

    QTemporaryDir files;
};

inline const char *kCassetteHeader =
    "Číslo kazety;Typ kazety;Pozice;Název filmu;Žánr;Rychlost;Začátek;Konec;Délka;Zdroj;Datum;"
    "Poznámka k filmu;Poznámka ke kazetě;Půjčeno;Komu;Od kdy;Délka půjčky";
inline const char *kCdHeader = "Číslo CD;Typ;Titul;Interpret;Pořízeno;Formát;Disk;Stopa;Název "
                               "stopy;Délka;Styl;Interpret stopy;Poznámka;Půjčeno;Komu;Od "
                               "kdy;Délka půjčky";

} // namespace velmora::test
