#pragma once

// The backup screens TJina_zaloha, TJina_zalohacd and the restore screens
// TJina_obnova, TJina_obnovacd.

#include "backup/BackupScreen.h"

namespace velmora {

// The four backup screens under the names the program registers them by:
// one screen, told apart by the set, the direction and their texts (the
// table in BackupScreens.cpp).

// Backup of the cassette catalogue's files.
class TJina_zaloha : public BackupScreen
{
    Q_OBJECT
public:
    explicit TJina_zaloha(Session &session, QWidget *parent = nullptr);
};

// Backup of the CD catalogue's files.
class TJina_zalohacd : public BackupScreen
{
    Q_OBJECT
public:
    explicit TJina_zalohacd(Session &session, QWidget *parent = nullptr);
};

// Restore of the cassette catalogue's files, or the import of the files of
// the maker's earlier cassette program.
class TJina_obnova : public BackupScreen
{
    Q_OBJECT
public:
    explicit TJina_obnova(Session &session, QWidget *parent = nullptr);
};

// Restore of the CD catalogue's files.
class TJina_obnovacd : public BackupScreen
{
    Q_OBJECT
public:
    explicit TJina_obnovacd(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
