#pragma once

#include "backup/BackupScreen.h"

namespace velmora {

// Restore of the cassette catalogue's files, or the import of the files of
// the maker's earlier cassette program.
class TJina_obnova : public BackupScreen
{
    Q_OBJECT
public:
    explicit TJina_obnova(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
