#include "backup/JinaObnova.h"

namespace velmora {

TJina_obnova::TJina_obnova(Session &session, QWidget *parent)
    : BackupScreen(session, backup::Set::Cassettes, Mode::Restore, parent)
{
    setObjectName(QStringLiteral("Jina_obnova"));
    setWindowTitle(QStringLiteral("Obnovení VK dat z vybraného média ..."));
    addImportBox();
}

} // namespace velmora
