// The genre choices of the cassette screens: a user list read in the Czech
// alphabetical order, from rows another dBASE writer stored.

#include "DbfWrite.h"
#include "TestEnv.h"
#include "engine/Table.h"
#include "session/UserLists.h"
#include "storage/Schemas.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(UserListOrder, GenresComeInCzechOrderAndTheTableIsClosedAgain)
{
    test::TestEnv env;
    const QString path = env.file("zanry.dbf");
    Table::create(path, schema::userList(UserList::Genres).fields, {});
    // Stored out of order; "Ch" follows "H", "Č" follows "C", case does not lead.
    test::appendWithDbfTo(path, QStringLiteral("[{'zanr': 'Western'}, {'zanr': 'Chanson'}, "
                                               "{'zanr': 'horor'}, {'zanr': 'Česká pohádka'}, "
                                               "{'zanr': 'Cestopis'}, {'zanr': 'Akční'}]"));
    Table genres;
    genres.setPath(path);
    EXPECT_EQ(userlists::sortedRows(genres),
              (QStringList{"Akční", "Cestopis", "Česká pohádka", "horor", "Chanson", "Western"}));
    EXPECT_FALSE(genres.isOpen());
}

TEST(UserListOrder, AMissingListIsAnErrorAndLeavesTheHandleClosed)
{
    test::TestEnv env;
    Table genres;
    genres.setPath(env.file("Users_za.nrv"));
    EXPECT_ANY_THROW(userlists::sortedRows(genres));
    EXPECT_FALSE(genres.isOpen());
}
