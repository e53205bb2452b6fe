#include "core/UserSetup.h"

#include "session/Session.h"

namespace velmora {
namespace {

struct Panel
{
    UserList list;
    Table TableHandles::*table;
    const char *heading;
    const char *countCaption;
    int width; // of the entry
    const char *column;
    const char *add;
    const char *remove;
    const char *reset;
};

struct Kind
{
    const char *name;
    const char *caption;
    Panel left;
    Panel right;
};

constexpr Kind kCassettes{
    "UserSetup",
    "Uživatelské nastavení žánrů a zdrojů nahrávek",
    {UserList::Genres, &TableHandles::Users_01,
     "Nastavení žánrů pro filmy:", "Počet žánrů v systému :", 15, "Existující žánry",
     "Přidat žánr   ", "Odebrat žánr", "&Původní žánry"},
    {UserList::Sources, &TableHandles::Users_02,
     "Nastavení zdrojů pro filmy:", "Počet zdrojů v systému :", 20, "Existující zdroje",
     "Přidat zdroj   ", "Odebrat zdroj", "&Původní zdroje"},
};

constexpr Kind kCds{
    "UserSetupCD",
    "Uživatelské nastavení žánrů  a formátů nahrávek hudebních CD",
    {UserList::CdStyles, &TableHandles::Users_04,
     "Nastavení žánrů pro hudební CD:", "Počet žánrů v systému :", 20, "Existující žánry",
     "Přidat žánr   ", "Odebrat žánr", "&Původní žánry"},
    {UserList::CdFormats, &TableHandles::Users_03,
     "Nastavení formátů pro hudební CD:", "Počet formátů v systému :", 20, "Existující formáty",
     "Přidat formát   ", "Odebrat formát", "&Původní formáty"},
};

UserListsScreen::PanelDesign design(Session &session, const Panel &p)
{
    const auto text = [](const char *s) { return QString::fromUtf8(s); };
    return {p.list,          &(session.tables().*p.table),
            text(p.heading), text(p.countCaption),
            p.width,         text(p.column),
            text(p.add),     text(p.remove),
            text(p.reset)};
}

void name(QWidget &screen, const Kind &kind)
{
    screen.setObjectName(QString::fromUtf8(kind.name));
    screen.setWindowTitle(QString::fromUtf8(kind.caption));
}

} // namespace

TUserSetup::TUserSetup(Session &session, QWidget *parent)
    : UserListsScreen(session, design(session, kCassettes.left), design(session, kCassettes.right),
                      parent)
{
    name(*this, kCassettes);
}

TUserSetupCD::TUserSetupCD(Session &session, QWidget *parent)
    : UserListsScreen(session, design(session, kCds.left), design(session, kCds.right), parent)
{
    name(*this, kCds);
}

} // namespace velmora
