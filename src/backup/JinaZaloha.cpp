#include "backup/JinaZaloha.h"

namespace velmora {

TJina_zaloha::TJina_zaloha(Session &session, QWidget *parent)
    : BackupScreen(session, backup::Set::Cassettes, Mode::Backup, parent)
{
    setObjectName(QStringLiteral("Jina_zaloha"));
    setWindowTitle(QStringLiteral("Zálohování VK dat na vybrané médium ..."));
}

} // namespace velmora
