#include "core/UserSetup.h"

#include "session/Session.h"

namespace velmora {

TUserSetup::TUserSetup(Session &session, QWidget *parent)
    : UserListsScreen(session,
                      {UserList::Genres, &session.tables().Users_01,
                       QStringLiteral("Nastavení žánrů pro filmy:"),
                       QStringLiteral("Počet žánrů v systému :"), 15,
                       QStringLiteral("Existující žánry"), QStringLiteral("Přidat žánr   "),
                       QStringLiteral("Odebrat žánr"), QStringLiteral("&Původní žánry")},
                      {UserList::Sources, &session.tables().Users_02,
                       QStringLiteral("Nastavení zdrojů pro filmy:"),
                       QStringLiteral("Počet zdrojů v systému :"), 20,
                       QStringLiteral("Existující zdroje"), QStringLiteral("Přidat zdroj   "),
                       QStringLiteral("Odebrat zdroj"), QStringLiteral("&Původní zdroje")},
                      parent)
{
    setObjectName(QStringLiteral("UserSetup"));
    setWindowTitle(QStringLiteral("Uživatelské nastavení žánrů a zdrojů nahrávek"));
}

} // namespace velmora
