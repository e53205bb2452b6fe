// The user-list screens as a user works them: rows added, removed, sorted,
// reset, each change in the table at once and offered by the entry screens.

#include "AppFixture.h"
#include "DbfRead.h"
#include "ScreenChecks.h"
#include "core/UserListsScreen.h"
#include "platform/TableModel.h"
#include "session/UserLists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace velmora::test {
namespace {

class UserListsTest : public AppFixture
{
protected:
    UserListsTest() { start(); }

    void inScreen(const char *action, const char *screen,
                  const std::function<void(UserListsScreen &)> &act)
    {
        bool shown = false;
        user.onScreen[screen] = [&](QDialog &d) {
            shown = true;
            act(static_cast<UserListsScreen &>(d));
        };
        window->runAction(action);
        EXPECT_TRUE(shown) << screen;
    }

    // The rows as the grid shows them.
    static QStringList rows(const UserListsScreen::Panel &p)
    {
        QStringList out;
        for (int r = 0; r < p.model->rowCount(); ++r)
            out << p.model->data(p.model->index(r, 0)).toString();
        return out;
    }
    // The rows of a list file in entry order, as another reader sees them.
    static QStringList stored(const QString &file)
    {
        QStringList out;
        for (const auto &row : readWithDbfread(Paths::dataFile(file)))
            out << row.toObject().begin().value().toString();
        return out;
    }
};

TEST_F(UserListsTest, AGenreAddedTwiceIsStoredTwiceAndCountedAtOnce)
{
    const QStringList defaults = schema::defaultRows(UserList::Genres);
    inScreen("core.userListsCassettes", "TUserSetup", [&](UserListsScreen &s) {
        expectNamedLabelledAndSmall(s);
        EXPECT_EQ(s.windowTitle(), "Uživatelské nastavení žánrů a zdrojů nahrávek");
        const auto &genres = s.panel(0);
        EXPECT_EQ(genres.count->text(), QString::number(defaults.size()));
        EXPECT_EQ(genres.entry->maxLength(), 15);
        EXPECT_EQ(s.panel(1).entry->maxLength(), 20);
        EXPECT_EQ(genres.add->text(), "Přidat žánr   ");
        EXPECT_FALSE(genres.add->isEnabled());
        EXPECT_TRUE(genres.sorted->isChecked());
        EXPECT_EQ(genres.sorted->text(), "Setříděno ...");
        EXPECT_TRUE(genres.sorted->font().bold());
        genres.entry->setText("W");
        EXPECT_TRUE(genres.add->isEnabled());
        genres.entry->setText("Western");
        genres.add->click();
        EXPECT_EQ(genres.count->text(), QString::number(defaults.size() + 1));
        EXPECT_EQ(genres.entry->text(), "");
        EXPECT_EQ(rows(genres).count("Western"), 2);

        // Entry order puts the new row last; sorting again moves it.
        genres.entry->setText("Aaa nový");
        genres.add->click();
        genres.sorted->setChecked(false);
        EXPECT_EQ(genres.sorted->text(), "Setřídit ...");
        EXPECT_EQ(rows(genres).last(), "Aaa nový");
        genres.sorted->setChecked(true);
        EXPECT_EQ(rows(genres).first(), "Aaa nový");
    });
    const QStringList file = stored("Users_za.nrv");
    EXPECT_EQ(file.count("Western"), 2);
    EXPECT_EQ(file.last(), "Aaa nový");
}

TEST_F(UserListsTest, RemovingTheLastRowDisablesRemoveAndResetBringsTheDefaultsBack)
{
    inScreen("core.userListsCassettes", "TUserSetup", [&](UserListsScreen &s) {
        const auto &sources = s.panel(1);
        for (int i = 0; i < 9; ++i) {
            sources.entry->setText(QStringLiteral("Zdroj %1").arg(i));
            sources.add->click();
        }
        EXPECT_EQ(sources.count->text(), "20");
        sources.reset->click();
        EXPECT_EQ(sources.count->text(), "11");
        sources.sorted->setChecked(false);
        EXPECT_EQ(rows(sources), schema::defaultRows(UserList::Sources));

        while (sources.remove->isEnabled())
            sources.remove->click();
        EXPECT_EQ(sources.count->text(), "0");
    });
    EXPECT_TRUE(stored("Users_zd.nrv").isEmpty());
    EXPECT_FALSE(window->tables().Users_02.isOpen());
    EXPECT_FALSE(QFileInfo::exists(Paths::dataFile("Users_zd.nrv.new")));
    // The next start fills the empty list again.
    start();
    EXPECT_EQ(stored("Users_zd.nrv"), schema::defaultRows(UserList::Sources));
}

TEST_F(UserListsTest, TheNewCassetteScreenOffersTheChangedListAndOldRecordsKeepTheirGenre)
{
    CassetteRecord c;
    c.number = "00001";
    c.recordings[0] = slot("Tenkrát na západě", "SP", 160, "Western");
    appendCassette(c);
    inScreen("core.userListsCassettes", "TUserSetup", [&](UserListsScreen &s) {
        const auto &genres = s.panel(0);
        genres.sorted->setChecked(false);
        genres.model->setCurrentRow(rows(genres).indexOf("Western"));
        genres.remove->click();
        genres.entry->setText("Road movie");
        genres.add->click();
    });
    bool offered = false;
    user.onScreen["TNova_kazeta"] = [&](QDialog &d) {
        auto *genre = d.findChild<QComboBox *>("zanr1");
        ASSERT_NE(genre, nullptr);
        QStringList items;
        for (int i = 0; i < genre->count(); ++i)
            items << genre->itemText(i);
        offered = items.contains("Road movie") && !items.contains("Western");
    };
    window->runAction("cassettes.new");
    EXPECT_TRUE(offered);
    EXPECT_EQ(readWithDbfread(Paths::dataFile("data.dbf"))[0].toObject()["zanr1"].toString(),
              "Western");
}

TEST_F(UserListsTest, TheCdScreenKeepsStylesAndFormatsApart)
{
    inScreen("core.userListsCds", "TUserSetupCD", [&](UserListsScreen &s) {
        expectNamedLabelledAndSmall(s);
        EXPECT_EQ(s.windowTitle(), "Uživatelské nastavení žánrů  a formátů nahrávek hudebních CD");
        EXPECT_EQ(s.panel(0).entry->maxLength(), 20);
        // The focus follows the mouse into a panel's entry.
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(s.panel(1).frame, &enter);
        QApplication::processEvents();
        EXPECT_TRUE(s.panel(1).entry->hasFocus());
        EXPECT_EQ(s.panel(1).reset->text(), "&Původní formáty");
        EXPECT_EQ(s.panel(1).count->text(), "3");
        s.panel(1).entry->setText("Vinyl");
        s.panel(1).add->click();
        s.panel(0).reset->click();
    });
    EXPECT_EQ(stored("Users_c1.nrv").last(), "Vinyl");
    EXPECT_EQ(stored("Users_c2.nrv"), schema::defaultRows(UserList::CdStyles));
}

TEST_F(UserListsTest, AResetThatCannotReplaceTheListLeavesItAsItWas)
{
    Table &t = window->tables().Users_01;
    t.open();
    userlists::add(t, "Vlastní");
    t.close();
    const QStringList before = stored("Users_za.nrv");
    // A directory where the new list is built stops the reset before the
    // list is touched.
    QDir().mkpath(Paths::dataFile("Users_za.nrv.new") + "/x");
    EXPECT_THROW(userlists::reset(t, UserList::Genres), std::exception);
    EXPECT_EQ(stored("Users_za.nrv"), before);
}

} // namespace
} // namespace velmora::test
