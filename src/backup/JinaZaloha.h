#pragma once

#include "backup/BackupScreen.h"

namespace velmora {

// Backup of the cassette catalogue's files.
class TJina_zaloha : public BackupScreen
{
    Q_OBJECT
public:
    explicit TJina_zaloha(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
