#include "core/UserSetupCd.h"

#include "session/Session.h"

namespace velmora {

TUserSetupCD::TUserSetupCD(Session &session, QWidget *parent)
    : UserListsScreen(session,
                      {UserList::CdStyles, &session.tables().Users_04,
                       QStringLiteral("Nastavení žánrů pro hudební CD:"),
                       QStringLiteral("Počet žánrů v systému :"), 20,
                       QStringLiteral("Existující žánry"), QStringLiteral("Přidat žánr   "),
                       QStringLiteral("Odebrat žánr"), QStringLiteral("&Původní žánry")},
                      {UserList::CdFormats, &session.tables().Users_03,
                       QStringLiteral("Nastavení formátů pro hudební CD:"),
                       QStringLiteral("Počet formátů v systému :"), 20,
                       QStringLiteral("Existující formáty"), QStringLiteral("Přidat formát   "),
                       QStringLiteral("Odebrat formát"), QStringLiteral("&Původní formáty")},
                      parent)
{
    setObjectName(QStringLiteral("UserSetupCD"));
    setWindowTitle(QStringLiteral("Uživatelské nastavení žánrů  a formátů nahrávek hudebních CD"));
}

} // namespace velmora
