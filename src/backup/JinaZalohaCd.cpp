#include "backup/JinaZalohaCd.h"

namespace velmora {

TJina_zalohacd::TJina_zalohacd(Session &session, QWidget *parent)
    : BackupScreen(session, backup::Set::Cds, Mode::Backup, parent)
{
    setObjectName(QStringLiteral("Jina_zalohacd"));
    setWindowTitle(QStringLiteral("Zálohování dat CD na vybrané médium ..."));
}

} // namespace velmora
