#include "backup/JinaObnovaCd.h"

namespace velmora {

TJina_obnovacd::TJina_obnovacd(Session &session, QWidget *parent)
    : BackupScreen(session, backup::Set::Cds, Mode::Restore, parent)
{
    setObjectName(QStringLiteral("Jina_obnovacd"));
    setWindowTitle(QStringLiteral("Obnovení CD dat z vybraného média ..."));
}

} // namespace velmora
