#include "backup/BackupScreens.h"

namespace velmora {
namespace {

struct Kind
{
    backup::Set set;
    BackupScreen::Mode mode;
    const char *name;
    const char *caption;
};

constexpr Kind kCassetteBackup{backup::Set::Cassettes, BackupScreen::Mode::Backup, "Jina_zaloha",
                               "Zálohování VK dat na vybrané médium ..."};
constexpr Kind kCdBackup{backup::Set::Cds, BackupScreen::Mode::Backup, "Jina_zalohacd",
                         "Zálohování dat CD na vybrané médium ..."};
constexpr Kind kCassetteRestore{backup::Set::Cassettes, BackupScreen::Mode::Restore, "Jina_obnova",
                                "Obnovení VK dat z vybraného média ..."};
constexpr Kind kCdRestore{backup::Set::Cds, BackupScreen::Mode::Restore, "Jina_obnovacd",
                          "Obnovení CD dat z vybraného média ..."};

void name(QWidget &screen, const Kind &kind)
{
    screen.setObjectName(QString::fromUtf8(kind.name));
    screen.setWindowTitle(QString::fromUtf8(kind.caption));
}

} // namespace

TJina_zaloha::TJina_zaloha(Session &session, QWidget *parent)
    : BackupScreen(session, kCassetteBackup.set, kCassetteBackup.mode, parent)
{
    name(*this, kCassetteBackup);
}

TJina_zalohacd::TJina_zalohacd(Session &session, QWidget *parent)
    : BackupScreen(session, kCdBackup.set, kCdBackup.mode, parent)
{
    name(*this, kCdBackup);
}

TJina_obnova::TJina_obnova(Session &session, QWidget *parent)
    : BackupScreen(session, kCassetteRestore.set, kCassetteRestore.mode, parent)
{
    name(*this, kCassetteRestore);
    addImportBox();
}

TJina_obnovacd::TJina_obnovacd(Session &session, QWidget *parent)
    : BackupScreen(session, kCdRestore.set, kCdRestore.mode, parent)
{
    name(*this, kCdRestore);
}

} // namespace velmora
