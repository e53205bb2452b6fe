// The edit cassette screen over a real data.dbf opened as the edit command
// opens it: loading, the changes-pending state that holds the screen on its
// cassette, cancelling, saving in place and a save that the table refuses.

#include "AppFixture.h"
#include "cassettes/EditCassette.h"
#include "cassettes/RecordingBlocks.h"
#include "catalogue/CassetteRules.h"
#include "platform/DateBox.h"
#include "platform/JumpList.h"
#include "platform/RecordNavigator.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

using namespace velmora;

namespace {

const QString kSaved = QStringLiteral("Vaše změny byly zapsány v pořádku do databáze ...");
const QString kSaveFailed = QStringLiteral(
    "Nepodařilo se upravit nastavenou kazetu, nastala chyba. Databáze \r\nzůstala neporušena !");

void typeInto(QWidget *w, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(w, char(c.unicode()));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

struct Recording
{
    QString film;
    QString speed;
    int start = 0;
    int end = 0;
    int stored = 0; // cas<n> as written, not necessarily end - start
    QString genre;
    QString source;
    QDate date;
    QString note;
};

Recording rec(const QString &film, const QString &speed, int start, int end, int stored,
              const QString &genre = {}, const QString &source = {}, const QDate &date = {},
              const QString &note = {})
{
    Recording r;
    r.film = film;
    r.speed = speed;
    r.start = start;
    r.end = end;
    r.stored = stored;
    r.genre = genre;
    r.source = source;
    r.date = date;
    r.note = note;
    return r;
}

struct Cassette
{
    QString number;
    QString type;
    QList<Recording> recordings;
    QString note;
    bool lent = false;
    QString borrower;
    QString from;
    int days = 0;
};

Cassette cassette(const QString &number, const QString &type, const QList<Recording> &recordings,
                  const QString &note = {})
{
    Cassette c;
    c.number = number;
    c.type = type;
    c.recordings = recordings;
    c.note = note;
    return c;
}

class EditCassetteTest : public test::AppFixture
{
protected:
    void SetUp() override { start(); }

    void add(const Cassette &c)
    {
        CassetteRecord out;
        out.type = c.type;
        out.number = c.number;
        for (int i = 0; i < c.recordings.size(); ++i) {
            const Recording &r = c.recordings[i];
            out.recordings[size_t(i)] = {r.film, r.genre, r.speed, r.stored, r.source,
                                         r.date, r.start, r.end,   r.note};
        }
        out.loan = {c.lent, c.borrower, c.from, c.days};
        out.note = c.note;
        test::appendCassette(out);
    }

    // The edit command's part: the table open with its index, then the screen.
    TUprav_kazetu &open(Table::Mode mode = Table::Mode::ReadWrite)
    {
        Table &t = window->tables().Table1;
        t.setIndex("cislo");
        t.open(mode);
        screen = std::make_unique<TUprav_kazetu>(window->session());
        screen->show();
        QApplication::processEvents();
        return *screen;
    }

    const RecordingBlocks::Block &blk(int n) { return screen->blocks().block(n); }
    RecordingBlocks &blocks() { return screen->blocks(); }
    QPushButton *button(const char *name) { return screen->findChild<QPushButton *>(name); }
    QPushButton *closeButton() { return button("BitBtn1"); }
    QPushButton *saveButton() { return button("BitBtn2"); }
    QPushButton *cancelButton() { return button("BitBtn3"); }
    QToolButton *nav(const char *name)
    {
        return screen->navigator()->findChild<QToolButton *>(name);
    }
    QString current() { return window->tables().Table1.asString("cislo"); }
    QString value(const char *name) { return screen->findChild<QLabel *>(name)->text(); }

    static void leave(QWidget *w)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }

    void wheel(int dy)
    {
        QWidget *over = blk(2).title;
        QWheelEvent e(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, dy),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &e);
    }

    void expectBrowsing()
    {
        EXPECT_FALSE(screen->changesPending());
        EXPECT_FALSE(saveButton()->isEnabled());
        EXPECT_FALSE(cancelButton()->isEnabled());
        EXPECT_TRUE(closeButton()->isEnabled());
        EXPECT_TRUE(screen->jumpList()->isEnabled());
        EXPECT_TRUE(screen->navigator()->isEnabled());
    }

    void expectPending()
    {
        EXPECT_TRUE(screen->changesPending());
        EXPECT_TRUE(cancelButton()->isEnabled());
        EXPECT_FALSE(closeButton()->isEnabled());
        EXPECT_FALSE(screen->jumpList()->isEnabled());
        EXPECT_FALSE(screen->navigator()->isEnabled());
    }

    // A stored cassette read through a fresh handle.
    std::unique_ptr<Table> stored(const QString &number)
    {
        auto t = std::make_unique<Table>();
        t->setPath(Paths::dataFile("data.dbf"));
        t->setIndex("cislo");
        t->open(Table::Mode::ReadOnly);
        EXPECT_TRUE(t->locate("cislo", number)) << number.toStdString();
        return t;
    }

    void addThree()
    {
        add(cassette("00002", "E 180", {rec("Dvojka", "SP", 0, 90, 90)}));
        add(cassette("00010", "E 240", {rec("Desítka", "LP", 0, 100, 100)}));
        add(cassette("00005", "E 120", {rec("Pětka", "EP", 10, 40, 30)}));
    }

    std::unique_ptr<TUprav_kazetu> screen;
};

} // namespace

TEST_F(EditCassetteTest, OpensAtTheHighestNumberWithNothingPending)
{
    addThree();
    open();
    EXPECT_EQ(screen->windowTitle(), "Upravení (editace existující videokazety) ....");
    EXPECT_EQ(current(), "00010");
    JumpList *jump = screen->jumpList();
    ASSERT_EQ(jump->count(), 3);
    EXPECT_EQ(jump->itemText(0), "00002");
    EXPECT_EQ(jump->itemText(1), "00005");
    EXPECT_EQ(jump->itemText(2), "00010");
    EXPECT_EQ(jump->currentText(), "00010");
    EXPECT_EQ(blk(1).title->text(), "Desítka");
    EXPECT_EQ(blk(1).speed->currentText(), "LP");
    EXPECT_EQ(blk(1).length->text(), "1h 40m");
    EXPECT_EQ(value("Minutaz"), "245");
    EXPECT_EQ(value("ZbyvaSP"), "3h 15m"); // 245 - 50
    EXPECT_EQ(blocks().openBox()->text(), "Poznámka = Neuzavřená kazeta, možno dohrátí");
    EXPECT_FALSE(blocks().openBox()->isChecked());
    expectBrowsing();
    EXPECT_TRUE(saveButton()->isDefault());
    EXPECT_EQ(saveButton()->text(), "&Uložit změny");
    EXPECT_EQ(cancelButton()->text(), "&Zrušit změny");
    EXPECT_EQ(closeButton()->text(), "&Uzavřít okno");
    EXPECT_EQ(nav("First")->toolTip(), "První kazeta");
    EXPECT_EQ(nav("Prior")->toolTip(), "Předchozí kazeta");
    EXPECT_EQ(nav("Next")->toolTip(), "Další kazeta");
    EXPECT_EQ(nav("Last")->toolTip(), "Poslední kazeta");
    EXPECT_FALSE(nav("Next")->isEnabled()); // at the end
    // The lists of the user are there, the list tables closed.
    EXPECT_EQ(blk(4).genre->itemText(0), "");
    EXPECT_EQ(blk(4).source->itemText(1), "Videorekordér");
    EXPECT_FALSE(window->tables().Users_01.isOpen());
    bool labelled = false;
    for (QLabel *l : screen->findChildren<QLabel *>())
        labelled |= l->text() == "Jdi na kazetu :" && l->buddy() == jump;
    EXPECT_TRUE(labelled);
}

TEST_F(EditCassetteTest, MovesByJumpListNavigatorAndWheel)
{
    addThree();
    open();
    // The jump list: a choice of the user loads that cassette.
    QTest::keyClick(screen->jumpList(), Qt::Key_Up);
    EXPECT_EQ(current(), "00005");
    EXPECT_EQ(blk(1).title->text(), "Pětka");
    EXPECT_EQ(value("Minutaz"), "125");
    // The navigator, with the jump list following.
    nav("First")->click();
    EXPECT_EQ(current(), "00002");
    EXPECT_EQ(screen->jumpList()->currentText(), "00002");
    EXPECT_EQ(blk(1).title->text(), "Dvojka");
    nav("Next")->click();
    EXPECT_EQ(current(), "00005");
    EXPECT_EQ(screen->jumpList()->currentText(), "00005");
    // The wheel: towards the user the next one, away the previous one.
    wheel(-120);
    EXPECT_EQ(current(), "00010");
    EXPECT_EQ(blk(1).title->text(), "Desítka");
    EXPECT_EQ(screen->jumpList()->currentText(), "00010");
    wheel(120);
    wheel(120);
    EXPECT_EQ(current(), "00002");
    EXPECT_EQ(blk(1).title->text(), "Dvojka");
    expectBrowsing();
}

TEST_F(EditCassetteTest, PendingChangesHoldTheScreenOnItsCassette)
{
    addThree();
    open();
    typeInto(blk(1).title, " II");
    expectPending();
    EXPECT_TRUE(saveButton()->isEnabled());

    QTest::keyClick(screen->jumpList(), Qt::Key_Up);
    nav("First")->click();
    nav("Prior")->click();
    wheel(120);
    wheel(-120);
    EXPECT_EQ(current(), "00010");
    EXPECT_EQ(blk(1).title->text(), "Desítka II");
    EXPECT_EQ(screen->jumpList()->currentText(), "00010");

    closeButton()->click();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(screen->close()); // the window's own close control
    EXPECT_TRUE(screen->isVisible());
    QCloseEvent event;
    QApplication::sendEvent(screen.get(), &event);
    EXPECT_FALSE(event.isAccepted());
    screen->reject();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(user.shown.isEmpty());

    // Esc cancels the changes and gives moving back; only then it closes.
    QTest::keyClick(screen.get(), Qt::Key_Escape);
    EXPECT_EQ(blk(1).title->text(), "Desítka");
    expectBrowsing();
    EXPECT_TRUE(screen->isVisible());
    QTest::keyClick(screen.get(), Qt::Key_Escape); // nothing to cancel
    EXPECT_TRUE(screen->isVisible());
    wheel(120);
    EXPECT_EQ(current(), "00005");
    EXPECT_TRUE(screen->close());
    EXPECT_FALSE(screen->isVisible());
}

TEST_F(EditCassetteTest, EveryKindOfChangeMakesChangesPending)
{
    add(cassette("00001", "E 240", {rec("Film", "SP", 0, 60, 60, "Drama", "Televize ČT1")}));
    open();
    const std::vector<std::pair<const char *, std::function<void()>>> changes{
        {"genre", [&] { blk(1).genre->setCurrentIndex(blk(1).genre->findText("Komedie")); }},
        {"speed", [&] { blk(1).speed->setCurrentIndex(1); }},
        {"start", [&] { typeInto(blk(1).start, "5"); }},
        {"end", [&] { typeInto(blk(1).end, "5"); }},
        {"source", [&] { typeInto(blk(1).source->lineEdit(), "x"); }},
        {"source list", [&] { blk(1).source->setCurrentIndex(5); }},
        {"date", [&] { typeInto(blk(1).date->edit(), "1"); }},
        {"note", [&] { typeInto(blk(3).note, "n"); }},
        {"cassette note", [&] { typeInto(blocks().cassetteNote(), "p"); }},
        {"open box", [&] { blocks().openBox()->click(); }},
        {"type", [&] { blocks().typeList()->setCurrentIndex(0); }},
    };
    for (const auto &[what, change] : changes) {
        SCOPED_TRACE(what);
        change();
        expectPending();
        cancelButton()->click();
        expectBrowsing();
        EXPECT_EQ(blk(1).genre->currentText(), "Drama");
        EXPECT_EQ(blk(1).source->currentText(), "Televize ČT1");
        EXPECT_EQ(blk(1).end->text(), "60");
    }
}

TEST_F(EditCassetteTest, CancelAfterSeveralChangesShowsTheStoredCassette)
{
    add(cassette("00001", "E 180",
                 {rec("Dobrodružství", "SP", 0, 95, 95, "Dobrodružný", "Televize HBO",
                      QDate(2001, 12, 24), "vánoce"),
                  rec("Druhý", "LP", 95, 135, 40)},
                 "Moje kazeta"));
    open();
    typeInto(blk(1).title, "!");
    blocks().typeList()->setCurrentIndex(0);
    blk(2).end->selectAll();
    typeInto(blk(2).end, "300");
    blk(1).date->clear();
    typeInto(blk(1).date->edit(), "0");
    typeInto(blk(1).note, " a další");
    blocks().openBox()->click();
    EXPECT_EQ(blocks().cassetteNote()->text(), "");
    EXPECT_TRUE(blocks().overrun());
    EXPECT_FALSE(saveButton()->isEnabled()); // overfilled: only cancel is left
    EXPECT_TRUE(cancelButton()->isEnabled());

    cancelButton()->click();
    expectBrowsing();
    EXPECT_FALSE(blocks().overrun());
    EXPECT_FALSE(blocks().alternationTimer()->isActive());
    EXPECT_EQ(blk(1).title->text(), "Dobrodružství");
    EXPECT_EQ(blocks().typeList()->currentText(), "E 180");
    EXPECT_EQ(value("Minutaz"), "185");
    EXPECT_EQ(blk(2).end->text(), "135");
    EXPECT_EQ(blk(2).length->text(), "0h 40m");
    EXPECT_EQ(blk(1).date->date(), QDate(2001, 12, 24));
    EXPECT_EQ(blk(1).note->toPlainText(), "vánoce");
    EXPECT_EQ(blk(1).genre->currentText(), "Dobrodružný");
    EXPECT_EQ(blk(1).source->currentText(), "Televize HBO");
    EXPECT_EQ(blocks().cassetteNote()->text(), "Moje kazeta");
    EXPECT_TRUE(blocks().openBox()->isChecked());
    EXPECT_EQ(value("ZbyvaSP"), "1h 10m"); // 185 - 95 - 20
}

TEST_F(EditCassetteTest, SaveWritesTheFieldsButNeverTheNumberOrTheLoan)
{
    Cassette lent = cassette("00007", "E 240", {rec("Starý název", "SP", 0, 100, 100, "Drama")});
    lent.lent = true;
    lent.borrower = "Novák";
    lent.from = "01.05.2002";
    lent.days = 14;
    add(lent);
    open();
    blk(1).title->selectAll();
    typeInto(blk(1).title, "Nový název");
    blk(1).genre->setCurrentIndex(0); // no genre
    typeInto(blk(2).title, "Druhý");
    blk(2).speed->setCurrentIndex(blk(2).speed->findText("EP"));
    blk(2).start->selectAll();
    typeInto(blk(2).start, "100");
    blk(2).end->selectAll();
    typeInto(blk(2).end, "190");
    blk(2).source->setEditText("Půjčovna");
    blk(2).date->edit()->setCursorPosition(0);
    typeInto(blk(2).date->edit(), "14062002");
    typeInto(blk(2).note, "řádek");
    blocks().openBox()->click();
    saveButton()->click();

    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Informace:");
    EXPECT_EQ(user.shown[0].text, kSaved);
    expectBrowsing();
    EXPECT_EQ(blk(2).title->text(), "Druhý"); // still showing what was entered

    auto t = stored("00007");
    EXPECT_EQ(t->recordCount(), 1);
    EXPECT_EQ(t->asString("film1"), "Nový název");
    EXPECT_EQ(t->asString("zanr1"), "");
    EXPECT_EQ(t->asString("film2"), "Druhý");
    EXPECT_EQ(t->asString("ry2"), "EP");
    EXPECT_EQ(t->asInteger("S_Time2"), 100);
    EXPECT_EQ(t->asInteger("E_Time2"), 190);
    EXPECT_EQ(t->asInteger("cas2"), 90);
    EXPECT_EQ(t->asString("zdroj2"), "Půjčovna");
    EXPECT_EQ(t->asDate("datum2"), QDate(2002, 6, 14));
    EXPECT_TRUE(t->isNull("datum1"));
    EXPECT_EQ(t->asString("P_film2"), "řádek");
    EXPECT_EQ(t->asString("pozn"), kOpenCassetteNote);
    EXPECT_EQ(t->asString("cislo"), "00007");
    EXPECT_TRUE(t->asBoolean("pujceno"));
    EXPECT_EQ(t->asString("komu"), "Novák");
    EXPECT_EQ(t->asString("od_kdy"), "01.05.2002");
    EXPECT_EQ(t->asInteger("delka_pujc"), 14);
    t.reset();

    const char *script = R"(
import sys, json, datetime
from dbfread import DBF
r = list(DBF(sys.argv[1], encoding='cp1250'))[0]
print(json.dumps({k: (v.isoformat() if isinstance(v, datetime.date) else v) for k, v in r.items()}, ensure_ascii=False))
)";
    int rc = -1;
    const QString out =
        test::runProgram("/usr/bin/python3", {"-c", script, Paths::dataFile("data.dbf")}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
    const QJsonObject rec = QJsonDocument::fromJson(out.toUtf8()).object();
    ASSERT_FALSE(rec.isEmpty()) << out.toStdString();
    EXPECT_EQ(rec.value("CISLO").toString(), "00007");
    EXPECT_EQ(rec.value("FILM1").toString(), "Nový název");
    EXPECT_EQ(rec.value("CAS2").toInt(), 90);
    EXPECT_EQ(rec.value("DATUM2").toString(), "2002-06-14");
    EXPECT_EQ(rec.value("PUJCENO").toBool(false), true);
    EXPECT_EQ(rec.value("KOMU").toString(), "Novák");
    EXPECT_EQ(rec.value("DELKA_PUJC").toInt(), 14);
}

TEST_F(EditCassetteTest, StoredLengthThatDisagreesIsShownAndSavedAsEndMinusStart)
{
    add(cassette("00001", "E 240", {rec("Film", "SP", 20, 110, 50)}));
    open();
    EXPECT_EQ(blk(1).length->text(), "1h 30m");
    EXPECT_EQ(value("ZbyvaSP"), "2h 35m"); // 245 - 90
    typeInto(blk(1).title, " ");
    saveButton()->click();
    EXPECT_EQ(stored("00001")->asInteger("cas1"), 90);
}

TEST_F(EditCassetteTest, OwnNoteKeepsTheOpenBoxOnAndTheNoteAsItIs)
{
    add(cassette("00001", "E 60", {rec("Plná", "SP", 0, 65, 65)}, "Dárek od babičky"));
    add(cassette("00002", "E 240", {}));
    open();
    EXPECT_EQ(current(), "00002");
    EXPECT_FALSE(blocks().openBox()->isChecked());
    nav("First")->click();
    EXPECT_TRUE(blocks().openBox()->isChecked()); // any note turns it on
    EXPECT_EQ(blocks().cassetteNote()->text(), "Dárek od babičky");
    EXPECT_EQ(value("ZbyvaSP"), "0h 00m");
    expectBrowsing();
    // The rule does not set the box while editing.
    blk(1).end->selectAll();
    typeInto(blk(1).end, "60");
    EXPECT_TRUE(blocks().openBox()->isChecked());
    EXPECT_EQ(blocks().cassetteNote()->text(), "Dárek od babičky");
    // A click writes or empties the note.
    blocks().openBox()->click();
    EXPECT_EQ(blocks().cassetteNote()->text(), "");
    blocks().openBox()->click();
    EXPECT_EQ(blocks().cassetteNote()->text(), kOpenCassetteNote);
}

TEST_F(EditCassetteTest, TypeChangeShowsTheNewCapacityAndRecomputes)
{
    add(cassette("00001", "E 240", {rec("Film", "SP", 0, 100, 100)}));
    open();
    EXPECT_EQ(value("Minutaz"), "245");
    EXPECT_EQ(value("ZbyvaSP"), "2h 25m");
    blocks().typeList()->setCurrentIndex(blocks().typeList()->findText("E 180"));
    EXPECT_EQ(value("Minutaz"), "185");
    EXPECT_EQ(value("ZbyvaSP"), "1h 25m");
    EXPECT_EQ(value("ZbyvaLP"), "2h 50m");
    expectPending();
    EXPECT_TRUE(saveButton()->isEnabled());
    saveButton()->click();
    EXPECT_EQ(stored("00001")->asString("t_kazety"), "E 180");
}

TEST_F(EditCassetteTest, OverfilledCassetteCannotBeSaved)
{
    add(cassette("00001", "E 60", {rec("Dlouhý", "EP", 0, 150, 150)}));
    open();
    blk(1).end->selectAll();
    typeInto(blk(1).end, "200");
    EXPECT_EQ(blocks().remaining(), -1);
    EXPECT_TRUE(blocks().overrun());
    EXPECT_EQ(value("Rezerva"), "Chyba !!!");
    EXPECT_EQ(blocks().panelCaption()->text(), "Překročení času!");
    EXPECT_TRUE(blocks().alternationTimer()->isActive());
    expectPending();
    EXPECT_FALSE(saveButton()->isEnabled());
    QTest::keyClick(blk(1).title, Qt::Key_Return);
    screen->BitBtn2Click();
    EXPECT_TRUE(user.shown.isEmpty());
    EXPECT_EQ(stored("00001")->asInteger("E_Time1"), 150);
    // Back under the capacity, saving is possible again.
    blk(1).end->selectAll();
    typeInto(blk(1).end, "195");
    EXPECT_FALSE(blocks().overrun());
    EXPECT_FALSE(blocks().alternationTimer()->isActive());
    QTest::keyClick(blk(1).title, Qt::Key_Return);
    EXPECT_EQ(user.texts(), QStringList({kSaved}));
    EXPECT_EQ(stored("00001")->asInteger("E_Time1"), 195);
}

TEST_F(EditCassetteTest, EmptiedCounterBecomesZeroAndNothingIsSetByTitles)
{
    add(cassette("00001", "E 240", {rec("Film", "SP", 10, 70, 60)}));
    open();
    blk(1).start->selectAll();
    QTest::keyClick(blk(1).start, Qt::Key_Backspace);
    EXPECT_EQ(blk(1).start->text(), "0");
    EXPECT_EQ(blk(1).length->text(), "1h 10m");
    typeInto(blk(1).start, "5"); // the zero is replaced, not followed
    EXPECT_EQ(blk(1).start->text(), "5");
    typeInto(blk(1).start, "a-");
    EXPECT_EQ(blk(1).start->text(), "5");
    // A new title leaves speed and counters to the user here.
    typeInto(blk(2).title, "Bez rychlosti");
    EXPECT_EQ(blk(2).speed->currentIndex(), -1);
    EXPECT_EQ(blk(2).start->text(), "0");
    leave(blk(1).end);
    EXPECT_EQ(blk(1).length->text(), "1h 05m");
    saveButton()->click();
    auto t = stored("00001");
    EXPECT_EQ(t->asInteger("S_Time1"), 5);
    EXPECT_EQ(t->asInteger("cas1"), 65);
    EXPECT_EQ(t->asString("ry2"), "");
}

TEST_F(EditCassetteTest, UnknownListTextsLoadAsNoSelectionAndSaveEmpty)
{
    add(cassette("00001", "E 999", {rec("Film", "XP", 0, 50, 50, "Neznámý")}));
    open();
    EXPECT_EQ(blocks().typeList()->currentIndex(), -1);
    EXPECT_EQ(blk(1).speed->currentIndex(), -1);
    EXPECT_EQ(blk(1).genre->currentIndex(), -1);
    typeInto(blk(1).title, "!");
    saveButton()->click();
    auto t = stored("00001");
    EXPECT_EQ(t->asString("t_kazety"), "");
    EXPECT_EQ(t->asString("ry1"), "");
    EXPECT_EQ(t->asString("zanr1"), "");
}

TEST_F(EditCassetteTest, RefusedSaveTellsTheUserAndKeepsTheStoredValues)
{
    add(cassette("00001", "E 240", {rec("Původní", "SP", 0, 60, 60)}));
    open(Table::Mode::ReadOnly);
    blk(1).title->selectAll();
    typeInto(blk(1).title, "Změněný");
    saveButton()->click();
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Chyba:");
    EXPECT_EQ(user.shown[0].text, kSaveFailed);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    expectBrowsing();
    EXPECT_EQ(blk(1).title->text(), "Změněný");
    EXPECT_EQ(window->tables().Table1.state(), Table::State::Browse);
    EXPECT_EQ(stored("00001")->asString("film1"), "Původní");
}

TEST_F(EditCassetteTest, ClosingSwitchesTheFilterOffAndLeavesTheTableOpen)
{
    addThree();
    Table &t = window->tables().Table1;
    t.setFilter("t_kazety='E 180'");
    t.setFiltered(true);
    open();
    // Every cassette is reachable, whatever was filtered before.
    EXPECT_EQ(screen->jumpList()->count(), 3);
    t.setFiltered(true);
    closeButton()->click();
    EXPECT_FALSE(screen->isVisible());
    EXPECT_FALSE(t.filtered());
    EXPECT_TRUE(t.isOpen());
}

TEST_F(EditCassetteTest, ShownModallyThroughTheSeam)
{
    addThree();
    Table &t = window->tables().Table1;
    t.setIndex("cislo");
    t.open();
    QString shownFirst;
    user.onScreen["TUprav_kazetu"] = [&](QDialog &d) {
        auto &s = static_cast<TUprav_kazetu &>(d);
        shownFirst = s.blocks().block(1).title->text();
        typeInto(s.blocks().block(1).title, "+");
        d.reject(); // refused while pending
        EXPECT_TRUE(d.isVisible());
        s.findChild<QPushButton *>("BitBtn2")->click();
        s.findChild<QPushButton *>("BitBtn1")->click();
    };
    TUprav_kazetu s(window->session());
    dialogs::exec(s);
    EXPECT_EQ(shownFirst, "Desítka");
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(user.texts(), QStringList({kSaved}));
    EXPECT_EQ(stored("00010")->asString("film1"), "Desítka+");
}

TEST_F(EditCassetteTest, EveryTextFitsAtEightHundredBySixHundred)
{
    addThree();
    open();
    ASSERT_LE(screen->minimumSizeHint().width(), 800);
    ASSERT_LE(screen->minimumSizeHint().height(), 600);
    screen->resize(800, 600);
    QApplication::processEvents();
    for (QLabel *l : screen->findChildren<QLabel *>()) {
        if (!l->isVisibleTo(screen.get()) || l->text().isEmpty())
            continue;
        EXPECT_GE(l->width(), l->minimumSizeHint().width()) << l->text().toStdString();
    }
    for (QPushButton *b : screen->findChildren<QPushButton *>())
        EXPECT_GE(b->width(), b->minimumSizeHint().width()) << b->text().toStdString();
    EXPECT_GE(blocks().openBox()->width(), blocks().openBox()->minimumSizeHint().width());
    EXPECT_GE(screen->jumpList()->width(), screen->jumpList()->minimumSizeHint().width());
}

TEST_F(EditCassetteTest, TwoCassettesSharingANumberAreBothShownAndSavedApart)
{
    // An older file may hold one number twice; each record stays its own.
    add(cassette("00003", "E 180", {rec("První", "SP", 0, 60, 60)}));
    add(cassette("00003", "E 240", {rec("Druhá", "SP", 0, 30, 30)}));
    open();
    EXPECT_EQ(screen->jumpList()->count(), 2);
    const QString shown = blk(1).title->text();
    nav("Prior")->click();
    const QString other = blk(1).title->text();
    EXPECT_NE(shown, other);
    EXPECT_EQ(QSet<QString>({shown, other}), QSet<QString>({"První", "Druhá"}));
    blk(1).title->selectAll();
    typeInto(blk(1).title, "Opraveno");
    saveButton()->click();

    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.open(Table::Mode::ReadOnly);
    QStringList titles;
    for (t.first(); !t.eof(); t.next())
        titles << t.asString("film1");
    titles.sort();
    EXPECT_TRUE(titles.contains("Opraveno"));
    EXPECT_TRUE(titles.contains(shown));
    EXPECT_EQ(t.recordCount(), 2);
}
