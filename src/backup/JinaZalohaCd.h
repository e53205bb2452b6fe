#pragma once

#include "backup/BackupScreen.h"

namespace velmora {

// Backup of the CD catalogue's files.
class TJina_zalohacd : public BackupScreen
{
    Q_OBJECT
public:
    explicit TJina_zalohacd(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
