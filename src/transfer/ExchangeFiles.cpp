#include "transfer/ExchangeFiles.h"

#include "storage/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace velmora::exchange {

const Kind &kind(Catalogue catalogue)
{
    static const Kind cassettes{{{QStringLiteral("data.dbf"), QStringLiteral("data.vkf"), false},
                                 {QStringLiteral("data.dbt"), QStringLiteral("data.vkt"), false},
                                 {QStringLiteral("data.mdx"), QStringLiteral("data.vkx"), true}},
                                QStringLiteral("Export.evk"),
                                QStringLiteral("data.vkf"),
                                QStringLiteral("Source.dbf"),
                                QStringLiteral("VK-"),
                                52,
                                3};
    static const Kind cds{{{QStringLiteral("cd01.dbf"), QStringLiteral("cd01.vkf"), false},
                           {QStringLiteral("cd01.mdx"), QStringLiteral("cd01.vkx"), true},
                           {QStringLiteral("cd02.dbf"), QStringLiteral("cd02.vkf"), false},
                           {QStringLiteral("cd02.mdx"), QStringLiteral("cd02.vkx"), true}},
                          QStringLiteral("ExportCD.evk"),
                          QStringLiteral("cd01.vkf"),
                          QStringLiteral("SourceCD.dbf"),
                          QStringLiteral("CD-"),
                          11,
                          4};
    return catalogue == Catalogue::Cassettes ? cassettes : cds;
}

QString mainTable(Catalogue catalogue)
{
    return kind(catalogue).files.first().table;
}

QString registerPath(Catalogue catalogue)
{
    return Paths::externiDir() + kind(catalogue).registerFile;
}

bool registerExists(Catalogue catalogue)
{
    return QFileInfo::exists(registerPath(catalogue));
}

QList<FieldDef> registerFields()
{
    return {FieldDef::string(QStringLiteral("Day"), 10),
            FieldDef::string(QStringLiteral("User"), 30),
            FieldDef::string(QStringLiteral("ToSource"), 100)};
}

QList<RegisterEntry> readRegister(Catalogue catalogue)
{
    QList<RegisterEntry> out;
    if (!registerExists(catalogue))
        return out;
    Table t;
    t.setPath(registerPath(catalogue));
    t.open(Table::Mode::ReadOnly);
    const int day = t.fieldIndex(QStringLiteral("Day"));
    const int user = t.fieldIndex(QStringLiteral("User"));
    const int source = t.fieldIndex(QStringLiteral("ToSource"));
    for (t.first(); !t.eof(); t.next()) {
        RegisterEntry e{day < 0 ? QString() : t.asString(day),
                        user < 0 ? QString() : t.asString(user),
                        source < 0 ? QString() : t.asString(source)};
        // A path longer than its field, or a data directory moved since the
        // import, leaves a stored path that leads nowhere; the catalogue is
        // where its owner's name puts it.
        if (!QFileInfo(e.toSource).isDir())
            e.toSource = catalogueDir(catalogue, e.user);
        out.append(e);
    }
    t.close();
    return out;
}

QString catalogueDir(Catalogue catalogue, const QString &owner)
{
    return Paths::externiDir() + kind(catalogue).prefix + owner;
}

QString catalogueTable(Catalogue catalogue, const QString &owner, const QString &table)
{
    return catalogueDir(catalogue, owner) + QLatin1Char('/') + table;
}

} // namespace velmora::exchange
