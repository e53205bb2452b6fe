#pragma once

#include "engine/Table.h"

#include <QObject>

namespace velmora {

// The table handles of the main window, one per persistent table and the
// work handles. Screens work through these instead of keeping their own.
class TableHandles : public QObject
{
    Q_OBJECT
public:
    explicit TableHandles(QObject *parent = nullptr);

    Table Table1{QStringLiteral("Table1")};       // data.dbf
    Table Table2{QStringLiteral("Table2")};       // archiv.dbf
    Table CD_Table1{QStringLiteral("CD_Table1")}; // cd01.dbf
    Table CD_Table2{QStringLiteral("CD_Table2")}; // cd02.dbf
    Table CD_Archiv{QStringLiteral("CD_Archiv")}; // archivcd.dbf
    Table Users_01{QStringLiteral("Users_01")};   // Users_za.nrv
    Table Users_02{QStringLiteral("Users_02")};   // Users_zd.nrv
    Table Users_03{QStringLiteral("Users_03")};   // Users_c1.nrv
    Table Users_04{QStringLiteral("Users_04")};   // Users_c2.nrv
    Table Temp_Table{QStringLiteral("Temp_Table")};
    Table Temp_Table2{QStringLiteral("Temp_Table2")};
    Table Nova_Table1{QStringLiteral("Nova_Table1")};

    Table &userList(int number); // 1 to 4
    QList<Table *> all();
    Table *byName(const QString &handleName); // nullptr when unknown
    void closeAll();
};

} // namespace velmora
