// The overview window through the menus, offscreen: the catalogue written
// by python dbf, the filter typed as a user types it, the sorting header,
// the columns a user hides, the copy into the clipboard, and what the
// window keeps in the settings for the next opening.

#include "AppFixture.h"
#include "browsing/OverviewModel.h"
#include "browsing/OverviewWindow.h"
#include "cassettes/BrowseCassette.h"
#include "cassettes/CassetteDisplay.h"
#include "cassettes/DeleteCassette.h"
#include "cassettes/EditCassette.h"
#include "cassettes/RecordingBlocks.h"
#include "cds/CdTitleDisplay.h"
#include "cds/CdTitleForm.h"
#include "cds/EditCdTitle.h"
#include "cds/ShowCdTitles.h"
#include "cds/TrackModel.h"
#include "lending/BorrowerDialog.h"
#include "lending/LendCassette.h"
#include "platform/JumpList.h"
#include "storage/CdRecords.h"
#include "storage/DateText.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTableView>
#include <QTest>

namespace velmora::test {
namespace {

class OverviewWindow : public AppFixture
{
protected:
    void SetUp() override
    {
        start();
        const QString lentSince = shortDate(QDate::currentDate().addDays(-20));
        appendWithDbf("data.dbf",
                      "[{'cislo': '00001', 't_kazety': 'E 240', 'film1': 'Zámek', "
                      "'film2': 'Šakalí léta', 'ry2': 'SP', 'cas2': 95, 's_time2': 10, "
                      "'e_time2': 105},"
                      " {'cislo': '00002', 't_kazety': 'E 180', 'film1': 'Čáp', 'pujceno': True, "
                      "'komu': 'Eva', 'od_kdy': '" +
                          lentSince +
                          "', 'delka_pujc': 7},"
                          " {'cislo': '00003', 't_kazety': 'E 240', 'film1': 'Chata'},"
                          " {'cislo': '00004', 't_kazety': 'E 240'}]");
    }

    static QStringList column(const TPrehled &s, int c)
    {
        QStringList out;
        const QAbstractItemModel *m = s.grid()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, c).data().toString();
        return out;
    }

    void open(const std::function<void(TPrehled &)> &act)
    {
        user.onScreen["TPrehled"] = [act](QDialog &d) { act(static_cast<TPrehled &>(d)); };
        window->runEntry(*window->entryFor(QStringLiteral("overview.cassettes")));
        user.onScreen.remove("TPrehled");
    }
};

TEST_F(OverviewWindow, OpensFromTheEndOfTheCassetteMenuWithEveryRecordingAndItsState)
{
    const MenuEntry *last = nullptr;
    for (const MenuEntry &m : cassetteMenu())
        if (m.key == QStringLiteral("100"))
            last = &m.children.back();
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->action, "overview.cassettes");
    EXPECT_EQ(menuCaption(*last), QStringLiteral("Přehled celého katalogu ..."));

    bool shown = false;
    open([&](TPrehled &s) {
        shown = true;
        EXPECT_EQ(s.objectName(), "Prehled_VK");
        EXPECT_EQ(s.status()->text(), "Zobrazeno 5 z 5");
        EXPECT_EQ(column(s, 3), (QStringList{"Zámek", "Šakalí léta", "Čáp", "Chata", ""}));
        EXPECT_EQ(column(s, 11), (QStringList{"doma", "doma", "po termínu", "doma", "doma"}));
        EXPECT_EQ(s.filterBox()->accessibleName(), "Filtr");
        EXPECT_EQ(s.grid()->model()->headerData(3, Qt::Horizontal).toString(), "Název filmu");
        EXPECT_TRUE(s.filterBox()->hasFocus());
    });
    EXPECT_TRUE(shown);
}

TEST_F(OverviewWindow, TypingFiltersWithoutDiacriticsAndTheLentBoxNarrowsFurther)
{
    open([&](TPrehled &s) {
        QTest::keyClicks(s.filterBox(), "sakali");
        EXPECT_EQ(column(s, 3), QStringList{"Šakalí léta"});
        EXPECT_EQ(s.status()->text(), "Zobrazeno 1 z 5");
        s.findChild<QCheckBox *>("BezDiakritiky")->click();
        EXPECT_EQ(s.status()->text(), "Zobrazeno 0 z 5");
        s.findChild<QCheckBox *>("BezDiakritiky")->click();
        // Back to a shorter text: every row it finds again, the state
        // "doma" of the cassette without recordings too.
        s.filterBox()->clear();
        QTest::keyClicks(s.filterBox(), "a");
        EXPECT_EQ(column(s, 3), (QStringList{"Zámek", "Šakalí léta", "Čáp", "Chata", ""}));
        s.findChild<QCheckBox *>("JenPujcene")->click();
        EXPECT_EQ(column(s, 3), QStringList{"Čáp"});
        EXPECT_EQ(s.status()->text(), "Zobrazeno 1 z 5");
    });
}

TEST_F(OverviewWindow, AHeaderClickSortsInCzechOrderAndTheChoiceIsKeptForTheNextOpening)
{
    open([&](TPrehled &s) {
        QHeaderView *header = s.grid()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(3) + 5, header->height() / 2));
        const QStringList up = column(s, 3);
        // The indicator's first direction is the view's; both must be Czech.
        const QStringList czech{"", "Čáp", "Chata", "Šakalí léta", "Zámek"};
        QStringList down = czech;
        std::reverse(down.begin(), down.end());
        EXPECT_TRUE(up == czech || up == down) << up.join('|').toStdString();
        // Filtering keeps the order chosen.
        QTest::keyClicks(s.filterBox(), "k");
        QStringList expected = up;
        expected.removeIf([](const QString &t) { return !t.contains('k'); });
        EXPECT_EQ(expected.size(), 2);
        EXPECT_EQ(column(s, 3), expected);
        header->setSectionHidden(12, true);
        header->moveSection(3, 0);
    });
    open([&](TPrehled &s) {
        QHeaderView *header = s.grid()->horizontalHeader();
        EXPECT_EQ(header->sortIndicatorSection(), 3);
        EXPECT_TRUE(header->isSectionHidden(12));
        EXPECT_EQ(header->logicalIndex(0), 3);
        QStringList shown = column(s, 3);
        EXPECT_TRUE(shown.first() == "" || shown.last() == "") << shown.join('|').toStdString();
    });
}

TEST_F(OverviewWindow, CtrlCCopiesTheSelectedRowsAsTabSeparatedTextOfTheVisibleColumns)
{
    open([&](TPrehled &s) {
        QHeaderView *header = s.grid()->horizontalHeader();
        for (int c = 4; c < header->count(); ++c)
            header->setSectionHidden(c, true);
        header->moveSection(3, 0);
        s.grid()->setFocus();
        s.grid()->selectRow(2);
        s.grid()->selectionModel()->select(s.grid()->model()->index(0, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(s.grid(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(),
                  "Zámek\t00001\tE 240\t1\nČáp\t00002\tE 180\t1\n");
    });
}

TEST_F(OverviewWindow, EnterOpensTheEditScreenOnTheCassetteOfTheRowNotOnTheLast)
{
    QString editedNumber;
    user.onScreen["TUprav_kazetu"] = [&](QDialog &d) {
        editedNumber = static_cast<TUprav_kazetu &>(d).jumpList()->currentText();
    };
    open([&](TPrehled &s) {
        s.grid()->setFocus();
        s.grid()->selectRow(2); // 00002, Čáp
        QTest::keyClick(s.grid(), Qt::Key_Return);
        EXPECT_TRUE(s.isVisible());
        EXPECT_EQ(s.grid()->currentIndex().row(), 2);
    });
    EXPECT_EQ(editedNumber, "00002");
    // The next opening from the menu starts at the last cassette again.
    editedNumber.clear();
    window->runEntry(*window->entryFor(QStringLiteral("cassettes.edit")));
    EXPECT_EQ(editedNumber, "00004");
}

TEST_F(OverviewWindow, LendingFromTheRowMenuLendsThatCassetteAndTheRowShowsItAtOnce)
{
    QString lentNumber;
    user.onScreen["TKomu_pujcit"] = [](QDialog &d) {
        auto &dialog = static_cast<TKomu_pujcit &>(d);
        dialog.nameBox()->setEditText("Adam");
        dialog.saveButton()->click();
    };
    user.onScreen["TZapsat_pujceni"] = [&](QDialog &d) {
        auto &screen = static_cast<TZapsat_pujceni &>(d);
        lentNumber = screen.display()->currentNumber();
        screen.lendButton()->click();
    };
    open([&](TPrehled &s) {
        s.grid()->selectRow(3); // 00003, Chata
        EXPECT_TRUE(s.canRun(TPrehled::Action::Lend));
        EXPECT_FALSE(s.canRun(TPrehled::Action::Return));
        s.run(TPrehled::Action::Lend);
        // Read again, the same row still chosen.
        EXPECT_EQ(s.grid()->currentIndex().row(), 3);
        EXPECT_EQ(column(s, 11).at(3), "půjčeno");
        EXPECT_EQ(column(s, 12).at(3), "Adam");
        EXPECT_FALSE(s.canRun(TPrehled::Action::Lend));
        EXPECT_TRUE(s.canRun(TPrehled::Action::Return));
    });
    EXPECT_EQ(lentNumber, "00003");
}

TEST_F(OverviewWindow, ReturningFromTheRowMenuChoosesThatCassetteInTheListOfLentOnes)
{
    appendWithDbf("data.dbf", "[{'cislo': '00005', 'film1': 'Dřív', 'pujceno': True, "
                              "'komu': 'Adam', 'od_kdy': '01.01.2026', 'delka_pujc': 7}]");
    QString chosen;
    user.onScreen["TVraceni_kazety"] = [&](QDialog &d) {
        auto *grid = d.findChild<QTableView *>();
        ASSERT_NE(grid, nullptr);
        chosen = grid->model()->index(grid->currentIndex().row(), 0).data().toString();
        QTest::keyClick(grid, Qt::Key_Return);
    };
    user.answers = {true};
    open([&](TPrehled &s) {
        s.grid()->selectRow(5); // 00005, the second of the two lent
        s.run(TPrehled::Action::Return);
        EXPECT_EQ(column(s, 11).at(5), "doma");
        EXPECT_EQ(column(s, 11).at(2), "po termínu");
    });
    EXPECT_EQ(chosen, "00005");
}

TEST_F(OverviewWindow, DeletingFromTheRowMenuAsksTheMenusQuestionAndTheRowsGo)
{
    QString shownNumber;
    user.onScreen["TZrusit_vk"] = [&](QDialog &d) {
        auto &screen = static_cast<TZrusit_vk &>(d);
        shownNumber = screen.display()->currentNumber();
        screen.findChild<QPushButton *>("Zrusit")->click();
    };
    user.answers = {true};
    open([&](TPrehled &s) {
        s.grid()->selectRow(1); // 00001's second recording
        s.run(TPrehled::Action::Delete);
        EXPECT_EQ(column(s, 0), (QStringList{"00002", "00003", "00004"}));
        EXPECT_EQ(s.status()->text(), "Zobrazeno 3 z 3");
    });
    EXPECT_EQ(shownNumber, "00001");
    EXPECT_TRUE(user.texts().join('|').contains("natrvalo zrušit"));
}

TEST_F(OverviewWindow, TheCdOverviewOpensFromTheEndOfItsMenuAndEditsTheTitleOfTheRow)
{
    for (const char *number : {"00001", "00002", "00003"}) {
        CdTitle t;
        t.number = number;
        t.title = QStringLiteral("Titul ") + number;
        appendCdTitle(t);
    }
    appendCdTracks({{"00002", "CD1", 1, "Píseň", 200, "Pop", "Hosté"}});
    QString editedNumber;
    user.onScreen["TOpravit_CD_disk"] = [&](QDialog &d) {
        editedNumber = static_cast<TOpravit_CD_disk &>(d).form()->numberList()->currentText();
    };
    window->selectSection(TTitul::Cds);
    user.onScreen["TPrehled"] = [&](QDialog &d) {
        auto &s = static_cast<TPrehled &>(d);
        EXPECT_EQ(s.objectName(), "Prehled_CD");
        EXPECT_EQ(column(s, 5), (QStringList{"", "Píseň", ""}));
        EXPECT_EQ(column(s, 6), (QStringList{"", "03:20", ""}));
        s.grid()->selectRow(1);
        s.run(TPrehled::Action::Edit);
    };
    window->runEntry(*window->entryFor(QStringLiteral("overview.cds"), TTitul::Cds));
    EXPECT_EQ(editedNumber, "00002");
}

// The overview opens the screens at the row's own recording or track, not
// only at its cassette or title.
class OverviewPlace : public OverviewWindow
{
protected:
    void SetUp() override
    {
        OverviewWindow::SetUp();
        // Positions 2 and 4 empty: the third row of the cassette is its
        // recording 5, the second its recording 3.
        appendWithDbf("data.dbf", "[{'cislo': '00005', 't_kazety': 'E 240', 'film1': 'Jedna', "
                                  "'film3': 'Třetí', 'film5': 'Pátá'}]");
    }

    void addCdsWithTwoDiscs()
    {
        for (const char *number : {"00001", "00002"}) {
            CdTitle t;
            t.number = number;
            t.title = QStringLiteral("Titul ") + number;
            appendCdTitle(t);
        }
        appendCdTracks({{"00001", "CD1", 1, "Jinde", 100, "Pop", ""},
                        {"00002", "CD1", 1, "Úvod", 100, "Pop", ""},
                        {"00002", "CD1", 2, "Druhá", 110, "Pop", ""},
                        {"00002", "CD2", 1, "Ráno", 120, "Pop", ""},
                        {"00002", "CD2", 2, "Poledne", 130, "Pop", ""},
                        {"00002", "CD2", 3, "Večer", 140, "Pop", ""}});
    }

    void openCds(const std::function<void(TPrehled &)> &act)
    {
        window->selectSection(TTitul::Cds);
        user.onScreen["TPrehled"] = [act](QDialog &d) { act(static_cast<TPrehled &>(d)); };
        window->runEntry(*window->entryFor(QStringLiteral("overview.cds"), TTitul::Cds));
        user.onScreen.remove("TPrehled");
    }

    // The shown row of a number and a place (position, or disc and track).
    static int shownRow(const TPrehled &s, const QStringList &key)
    {
        const QList<int> columns =
            s.objectName() == "Prehled_VK" ? QList<int>{0, 2} : QList<int>{0, 3, 4};
        for (int r = 0; r < s.grid()->model()->rowCount(); ++r) {
            QStringList cells;
            for (const int c : columns)
                cells << s.grid()->model()->index(r, c).data().toString();
            if (cells == key)
                return r;
        }
        return -1;
    }
};

TEST_F(OverviewPlace, EnterOnARecordingPutsTheFocusInItsTitleOnTheEditScreenOnceOnly)
{
    QString focusedName, focusedText, spoken, number;
    user.onScreen["TUprav_kazetu"] = [&](QDialog &d) {
        auto &screen = static_cast<TUprav_kazetu &>(d);
        number = screen.jumpList()->currentText();
        QWidget *focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused, screen.blocks().block(3).title);
        focusedName = focused->objectName();
        focusedText = screen.blocks().block(3).title->text();
        spoken = focused->accessibleName();
        EXPECT_FALSE(screen.changesPending());
    };
    open([&](TPrehled &s) {
        const int row = shownRow(s, {"00005", "3"});
        ASSERT_EQ(row, 6);
        s.grid()->setFocus();
        s.grid()->selectRow(row);
        QTest::keyClick(s.grid(), Qt::Key_Return);
        // Read again: the row of that recording, not the cassette's first.
        EXPECT_EQ(s.grid()->currentIndex().row(), row);
    });
    EXPECT_EQ(number, "00005");
    EXPECT_EQ(focusedText, "Třetí");
    EXPECT_EQ(focusedName, "Film3");
    EXPECT_FALSE(spoken.isEmpty());

    // From the menu the screen opens as ever, at the last cassette and
    // not at the recording chosen before.
    QWidget *focusedLater = nullptr;
    QLineEdit *third = nullptr;
    user.onScreen["TUprav_kazetu"] = [&](QDialog &d) {
        auto &screen = static_cast<TUprav_kazetu &>(d);
        number = screen.jumpList()->currentText();
        focusedLater = QApplication::focusWidget();
        third = screen.blocks().block(3).title;
    };
    window->runEntry(*window->entryFor(QStringLiteral("cassettes.edit")));
    EXPECT_EQ(number, "00005");
    EXPECT_NE(focusedLater, nullptr);
    EXPECT_NE(focusedLater, third);
}

TEST_F(OverviewPlace, TheLastRecordingAndACassetteWithoutRecordingsOpenTheirOwnWay)
{
    QString focusedName;
    user.onScreen["TUprav_kazetu"] = [&](QDialog &) {
        QWidget *focused = QApplication::focusWidget();
        focusedName = focused ? focused->objectName() : QString();
    };
    window->runEntry(*window->entryFor(QStringLiteral("cassettes.edit")));
    const QString usualFocus = focusedName;
    ASSERT_FALSE(usualFocus.isEmpty());
    open([&](TPrehled &s) {
        s.grid()->selectRow(shownRow(s, {"00005", "5"}));
        s.run(TPrehled::Action::Edit);
        EXPECT_EQ(focusedName, "Film5");
        // 00004 has no recording: the focus is where the menu's opening puts it.
        focusedName.clear();
        const int empty = shownRow(s, {"00004", ""});
        ASSERT_GE(empty, 0);
        s.grid()->selectRow(empty);
        s.run(TPrehled::Action::Edit);
        EXPECT_EQ(focusedName, usualFocus);
        EXPECT_EQ(s.grid()->currentIndex().row(), empty);
    });
}

TEST_F(OverviewPlace, ShowingARecordingFocusesItsBlockOnTheCassetteDisplay)
{
    QString number, focusedName, focusedText;
    user.onScreen["TProhlizej_kazetu"] = [&](QDialog &d) {
        number = static_cast<TProhlizej_kazetu &>(d).display()->currentNumber();
        if (auto *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget())) {
            focusedName = focused->objectName();
            focusedText = focused->text();
        }
    };
    open([&](TPrehled &s) {
        const int row = shownRow(s, {"00001", "2"});
        s.grid()->selectRow(row);
        s.run(TPrehled::Action::Show);
        EXPECT_EQ(s.grid()->currentIndex().row(), row);
    });
    EXPECT_EQ(number, "00001");
    EXPECT_EQ(focusedName, "Film2");
    EXPECT_EQ(focusedText, "Šakalí léta");
}

TEST_F(OverviewPlace, EnterOnATrackOfTheSecondDiscOpensTheEditScreenOnThatDiscAndTrack)
{
    addCdsWithTwoDiscs();
    QString number, tab, trackTitle;
    int disc = 0, trackRow = -1;
    bool gridFocused = false, pending = true;
    user.onScreen["TOpravit_CD_disk"] = [&](QDialog &d) {
        auto &screen = static_cast<TOpravit_CD_disk &>(d);
        CdTitleForm *form = screen.form();
        number = form->numberList()->currentText();
        disc = form->currentDisc();
        tab = form->tabs()->tabText(form->tabs()->currentIndex());
        const QModelIndex current = form->grid()->currentIndex();
        trackRow = current.row();
        trackTitle = form->model()->index(current.row(), TrackModel::Title).data().toString();
        gridFocused = form->grid()->hasFocus();
        pending = screen.changesPending();
    };
    openCds([&](TPrehled &s) {
        const int row = shownRow(s, {"00002", "CD 2", "2"});
        ASSERT_GE(row, 0);
        s.grid()->setFocus();
        s.grid()->selectRow(row);
        QTest::keyClick(s.grid(), Qt::Key_Return);
        // The same track again, not the first of its disc.
        EXPECT_EQ(s.grid()->currentIndex().row(), row);
        EXPECT_EQ(s.grid()->model()->index(row, 5).data().toString(), "Poledne");
    });
    EXPECT_EQ(number, "00002");
    EXPECT_EQ(disc, 2);
    EXPECT_EQ(tab, "CD 2");
    EXPECT_EQ(trackRow, 1);
    EXPECT_EQ(trackTitle, "Poledne");
    EXPECT_TRUE(gridFocused);
    EXPECT_FALSE(pending);
}

TEST_F(OverviewPlace, TheTrackRowIsFoundAgainInASortedTableAfterTheShowScreen)
{
    addCdsWithTwoDiscs();
    QString tab;
    user.onScreen["TZobrazit_CD_Data"] = [&](QDialog &d) {
        QTabBar *tabs = static_cast<TZobrazit_CD_Data &>(d).display()->tabs();
        tab = tabs->tabText(tabs->currentIndex());
    };
    openCds([&](TPrehled &s) {
        // By the track's title: the rows of a disc no longer follow each other.
        s.grid()->sortByColumn(5, Qt::AscendingOrder);
        const int row = shownRow(s, {"00002", "CD 2", "3"});
        ASSERT_GE(row, 0);
        EXPECT_EQ(s.grid()->model()->index(row, 5).data().toString(), "Večer");
        s.grid()->selectRow(row);
        s.run(TPrehled::Action::Show);
        EXPECT_EQ(s.grid()->currentIndex().row(), row);
        EXPECT_EQ(s.grid()->model()->index(s.grid()->currentIndex().row(), 5).data().toString(),
                  "Večer");
        // A track of the first disc shows the first tab.
        s.grid()->selectRow(shownRow(s, {"00002", "CD 1", "2"}));
        s.run(TPrehled::Action::Show);
    });
    EXPECT_EQ(tab, "CD 1");
}

TEST_F(OverviewPlace, AShownTrackOfTheSecondDiscOpensTheDisplayOnItsTab)
{
    addCdsWithTwoDiscs();
    QString number, tab;
    user.onScreen["TZobrazit_CD_Data"] = [&](QDialog &d) {
        CdTitleDisplay *display = static_cast<TZobrazit_CD_Data &>(d).display();
        number = display->title().number;
        tab = display->tabs()->tabText(display->tabs()->currentIndex());
    };
    openCds([&](TPrehled &s) {
        s.grid()->selectRow(shownRow(s, {"00002", "CD 2", "1"}));
        s.run(TPrehled::Action::Show);
    });
    EXPECT_EQ(number, "00002");
    EXPECT_EQ(tab, "CD 2");
    // From the menu: the last title on its first disc.
    window->runEntry(*window->entryFor(QStringLiteral("cds.show"), TTitul::Cds));
    EXPECT_EQ(number, "00002");
    EXPECT_EQ(tab, "CD 1");
}

} // namespace
} // namespace velmora::test
