#pragma once

#include "backup/BackupScreen.h"

namespace velmora {

// Restore of the CD catalogue's files.
class TJina_obnovacd : public BackupScreen
{
    Q_OBJECT
public:
    explicit TJina_obnovacd(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
