// The new cassette screen through its controls, against the real tables of
// a prepared main window: preparing, the title-driven counters, the
// arithmetic, the overrun state, saving one cassette after another and a
// save that the table refuses.

#include "AppFixture.h"
#include "cassettes/ConfirmWindow.h"
#include "cassettes/NewCassette.h"
#include "cassettes/RecordingBlocks.h"
#include "catalogue/CassetteRules.h"
#include "platform/DateBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace velmora;

namespace {

// Types text key by key; letters beyond ASCII come as the key events of a
// Czech keyboard layout would bring them, with their text only.
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

const QString kSaveFailed = QStringLiteral(
    "Nepodařilo se zaevidovat uvedenou kazetu, nastala chyba. Databáze \r\nzůstala neporušena !");

class NewCassetteTest : public test::AppFixture
{
protected:
    void SetUp() override { start(); }

    TNova_kazeta &open()
    {
        screen = std::make_unique<TNova_kazeta>(window->session());
        screen->show();
        QApplication::processEvents();
        return *screen;
    }

    const RecordingBlocks::Block &blk(int n) { return screen->blocks().block(n); }
    RecordingBlocks &blocks() { return screen->blocks(); }
    QComboBox *numbers() { return screen->findChild<QComboBox *>("Cislo_k"); }
    QPushButton *saveButton() { return screen->findChild<QPushButton *>("BitBtn1"); }
    QString value(const char *name) { return screen->findChild<QLabel *>(name)->text(); }

    QStringList offers()
    {
        QStringList out;
        for (int i = 0; i < numbers()->count(); ++i)
            out << numbers()->itemText(i);
        return out;
    }

    void typeTitle(int n, const QString &text) { typeInto(blk(n).title, text); }

    // Replaces a counter box's text by typing, as the user would.
    void typeCounter(QLineEdit *box, const QString &digits)
    {
        box->selectAll();
        typeInto(box, digits);
    }

    static void leave(QWidget *w)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }

    void setEnd(int n, const QString &digits)
    {
        typeCounter(blk(n).end, digits);
        leave(blk(n).end);
    }

    void chooseType(const QString &type)
    {
        blocks().typeList()->setCurrentIndex(blocks().typeList()->findText(type));
    }

    void chooseSpeed(int n, const QString &speed)
    {
        blk(n).speed->setCurrentIndex(blk(n).speed->findText(speed));
    }

    // The cassettes in data.dbf as the engine reads them, by number.
    struct Stored
    {
        int count = 0;
        QStringList numbers;
    };
    Stored stored()
    {
        Table t;
        t.setPath(Paths::dataFile("data.dbf"));
        t.setIndex("cislo");
        t.open(Table::Mode::ReadOnly);
        Stored s;
        s.count = t.recordCount();
        for (t.first(); !t.eof(); t.next())
            s.numbers << t.asString("cislo");
        return s;
    }

    std::unique_ptr<TNova_kazeta> screen;
};

} // namespace

TEST_F(NewCassetteTest, OpensEmptyOnAnEmptyTableWithOnlyTheFirstNumber)
{
    open();
    EXPECT_EQ(screen->windowTitle(), "Vložení nové videokazety");
    EXPECT_EQ(offers(), QStringList({"00001"}));
    EXPECT_EQ(numbers()->currentText(), "00001");
    EXPECT_FALSE(numbers()->isEditable());
    EXPECT_EQ(blocks().typeList()->currentText(), "E 240");
    EXPECT_EQ(blocks().typeList()->count(), 12);
    EXPECT_EQ(value("Minutaz"), "245");
    EXPECT_EQ(value("ZbyvaSP"), "0h 00m");
    EXPECT_EQ(value("ZbyvaLP"), "0h 00m");
    EXPECT_EQ(value("ZbyvaEP"), "0h 00m");
    EXPECT_EQ(value("Rezerva"), "Rezerva:");
    EXPECT_TRUE(blocks().openBox()->isChecked());
    EXPECT_EQ(blocks().openBox()->text(), "Poznámka = \"Neuzavřená kazeta, možno dohrátí\"");
    EXPECT_EQ(blocks().cassetteNote()->text(), "Neuzavřená kazeta, možnost dohrátí");
    EXPECT_TRUE(saveButton()->isEnabled());
    EXPECT_TRUE(saveButton()->isDefault());
    EXPECT_TRUE(window->tables().Table1.isOpen());
    EXPECT_EQ(window->tables().Table1.index(), "cislo");
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(blk(n).title->text(), "");
        EXPECT_EQ(blk(n).start->text(), "0");
        EXPECT_EQ(blk(n).end->text(), "0");
        EXPECT_EQ(blk(n).length->text(), "");
        EXPECT_TRUE(blk(n).length->isReadOnly());
        EXPECT_EQ(blk(n).speed->currentIndex(), -1);
        EXPECT_EQ(blk(n).genre->currentText(), "");
        EXPECT_EQ(blk(n).source->currentText(), "");
        EXPECT_EQ(blk(n).date->edit()->displayText(), "  .  .    ");
        EXPECT_EQ(blk(n).note->toPlainText(), "");
    }
    // The genres sorted after an empty entry, the sources in table order.
    QComboBox *genre = blk(3).genre;
    ASSERT_EQ(genre->count(), 31);
    EXPECT_EQ(genre->itemText(0), "");
    EXPECT_EQ(genre->itemText(1), "Akční");
    EXPECT_LT(genre->findText("Erotický"), genre->findText("Historický"));
    EXPECT_LT(genre->findText("Horor"), genre->findText("Hudební"));
    QComboBox *source = blk(5).source;
    ASSERT_EQ(source->count(), 12);
    EXPECT_EQ(source->itemText(0), "");
    EXPECT_EQ(source->itemText(1), "Videorekordér");
    EXPECT_EQ(source->itemText(11), "Originální VK");
    EXPECT_TRUE(source->isEditable());
    EXPECT_EQ(source->lineEdit()->maxLength(), 20);
    // The list tables are closed again.
    EXPECT_FALSE(window->tables().Users_01.isOpen());
    EXPECT_FALSE(window->tables().Users_02.isOpen());
}

TEST_F(NewCassetteTest, ControlsCarryTheirNamesLabelsAndLimits)
{
    open();
    for (int n = 1; n <= 5; ++n) {
        const QString s = QString::number(n);
        SCOPED_TRACE(n);
        for (const QString &name : {"Film" + s, "Cas" + s, "Start_Time" + s, "End_Time" + s})
            EXPECT_NE(screen->findChild<QLineEdit *>(name), nullptr) << name.toStdString();
        for (const QString &name : {"zanr" + s, "ry" + s, "Zdroj" + s})
            EXPECT_NE(screen->findChild<QComboBox *>(name), nullptr) << name.toStdString();
        EXPECT_NE(screen->findChild<DateBox *>("Datum" + s), nullptr);
        EXPECT_NE(screen->findChild<QPlainTextEdit *>("Pozn" + s), nullptr);
        EXPECT_EQ(blk(n).title->maxLength(), 30);
        EXPECT_EQ(blk(n).start->maxLength(), 3);
        EXPECT_EQ(blk(n).end->maxLength(), 3);
        EXPECT_EQ(blk(n).title->accessibleName(), "Film " + s);
        EXPECT_EQ(blk(n).start->accessibleName(), "Start " + s);
        EXPECT_EQ(blk(n).end->accessibleName(), "Konec " + s);
        EXPECT_EQ(blk(n).date->edit()->accessibleName(), "Pořízeno dne " + s);
    }
    EXPECT_EQ(blocks().cassetteNote()->maxLength(), 50);
    // Every caption of the screen names the box it stands for.
    QHash<QString, int> captions;
    for (QLabel *l : screen->findChildren<QLabel *>())
        if (l->buddy())
            ++captions[l->text()];
    EXPECT_EQ(captions.value("Film 1     :"), 1);
    EXPECT_EQ(captions.value("Pozn.  5.   :"), 1);
    EXPECT_EQ(captions.value("Start (min) :"), 5);
    EXPECT_EQ(captions.value("Konec (min) :"), 5);
    EXPECT_EQ(captions.value("Zdroj filmu :"), 5);
    EXPECT_EQ(captions.value("Pořízeno dne:"), 5);
    EXPECT_EQ(captions.value("délka:"), 5);
    EXPECT_EQ(captions.value("Číslo zaváděné kazety :"), 1);
    EXPECT_EQ(captions.value("Typ nové kazety :"), 1);
    EXPECT_EQ(captions.value("Poznámka k VK :"), 1);
}

TEST_F(NewCassetteTest, EveryTextFitsAtEightHundredBySixHundredAndAllBlocksShowWhenLarger)
{
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
    QCheckBox *box = blocks().openBox();
    EXPECT_GE(box->width(), box->minimumSizeHint().width());
    // Nothing needs the sideways scroll bar at this size.
    EXPECT_FALSE(blocks().blockArea()->horizontalScrollBar()->isVisible());

    screen->resize(1024, 768);
    QApplication::processEvents();
    EXPECT_FALSE(blocks().blockArea()->verticalScrollBar()->isVisible());
}

TEST_F(NewCassetteTest, ThreeCassettesOneAfterAnother)
{
    addCassette("00001");
    addCassette("00002");
    addCassette("00004");
    writeLanguageFile("Czech.set", "[Central]\r\n120=Data jsou uložena\r\n");
    open();
    EXPECT_EQ(offers(), QStringList({"00003", "00005"}));
    EXPECT_EQ(numbers()->currentText(), "00005");

    // First: the offered next number.
    typeTitle(1, "Pelíšky");
    setEnd(1, "115");
    saveButton()->click();
    auto *confirm = screen->findChild<ConfirmWindow *>();
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(confirm, screen->confirmWindow());
    EXPECT_EQ(confirm->parentWidget(), screen.get());
    EXPECT_TRUE(confirm->isVisible());
    EXPECT_TRUE(confirm->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(confirm->text(), "Uložení Vašich nových dat proběhlo v pořádku ...");
    EXPECT_TRUE(confirm->timer()->isActive());
    EXPECT_EQ(confirm->timer()->interval(), 1000);
    EXPECT_TRUE(screen->isVisible()); // the screen stays for the next one
    EXPECT_TRUE(user.shown.isEmpty());
    confirm->tick();
    EXPECT_FALSE(confirm->isVisible());
    // Prepared again: the number is gone, the blocks are empty.
    EXPECT_EQ(offers(), QStringList({"00003", "00006"}));
    EXPECT_EQ(numbers()->currentText(), "00006");
    EXPECT_EQ(blk(1).title->text(), "");
    EXPECT_EQ(blk(1).end->text(), "0");
    EXPECT_EQ(value("ZbyvaSP"), "0h 00m");
    EXPECT_EQ(blocks().typeList()->currentText(), "E 240");

    // Second: the gap, with the language file's text in the confirmation.
    lang::load("Czech.set");
    numbers()->setCurrentIndex(0);
    chooseType("E 180");
    typeTitle(1, "Kolja");
    setEnd(1, "105");
    saveButton()->click();
    EXPECT_EQ(screen->confirmWindow()->text(), "Data jsou uložena ...");
    screen->confirmWindow()->tick();
    EXPECT_EQ(offers(), QStringList({"00006"}));

    // Third: the only offer left.
    typeTitle(1, "Obecná škola");
    saveButton()->click();
    EXPECT_EQ(offers(), QStringList({"00007"}));
    EXPECT_TRUE(user.shown.isEmpty());

    const Stored s = stored();
    EXPECT_EQ(s.count, 6);
    EXPECT_EQ(s.numbers, QStringList({"00001", "00002", "00003", "00004", "00005", "00006"}));
    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.setIndex("cislo");
    t.open(Table::Mode::ReadOnly);
    ASSERT_TRUE(t.locate("cislo", "00005"));
    EXPECT_EQ(t.asString("t_kazety"), "E 240");
    EXPECT_EQ(t.asString("film1"), "Pelíšky");
    EXPECT_EQ(t.asString("ry1"), "SP");
    EXPECT_EQ(t.asInteger("cas1"), 115);
    EXPECT_EQ(t.asInteger("E_Time1"), 115);
    EXPECT_EQ(t.asString("pozn"), kOpenCassetteNote); // 130 minutes left
    EXPECT_FALSE(t.asBoolean("pujceno"));
    ASSERT_TRUE(t.locate("cislo", "00003"));
    EXPECT_EQ(t.asString("t_kazety"), "E 180");
    EXPECT_EQ(t.asString("film1"), "Kolja");
    ASSERT_TRUE(t.locate("cislo", "00006"));
    EXPECT_EQ(t.asString("film1"), "Obecná škola");
    EXPECT_EQ(t.asInteger("cas1"), 0);

    // Closing with the cancel button closes the table.
    screen->findChild<QPushButton *>("BitBtn2")->click();
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(screen->result(), QDialog::Rejected);
    EXPECT_FALSE(window->tables().Table1.isOpen());
    EXPECT_EQ(screen->confirmWindow(), nullptr);
}

TEST_F(NewCassetteTest, SecondRecordingStartsWhereTheFirstEnded)
{
    open();
    typeTitle(1, "První");
    EXPECT_EQ(blk(1).speed->currentText(), "SP");
    setEnd(1, "95");
    EXPECT_EQ(blk(1).length->text(), "1h 35m");

    typeTitle(2, "Druhý");
    EXPECT_EQ(blk(2).start->text(), "95");
    EXPECT_EQ(blk(2).end->text(), "95");
    EXPECT_EQ(blk(2).speed->currentText(), "SP");
    EXPECT_EQ(blk(2).length->text(), "");
    setEnd(2, "185");
    EXPECT_EQ(blk(2).length->text(), "1h 30m");
    EXPECT_EQ(value("ZbyvaSP"), "1h 00m"); // 245 - 185

    // Every change of the title starts the recording afresh at that point.
    typeTitle(2, "!");
    EXPECT_EQ(blk(2).end->text(), "95");
    EXPECT_EQ(blk(2).length->text(), "");
    setEnd(2, "185");

    saveButton()->click();
    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.open(Table::Mode::ReadOnly);
    ASSERT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.asString("film2"), "Druhý!");
    EXPECT_EQ(t.asInteger("S_Time2"), 95);
    EXPECT_EQ(t.asInteger("E_Time2"), 185);
    EXPECT_EQ(t.asInteger("cas2"), 90);
    EXPECT_EQ(t.asString("ry2"), "SP");
    EXPECT_EQ(t.asInteger("cas1"), 95);
    EXPECT_EQ(t.asString("film3"), "");
    EXPECT_EQ(t.asString("ry3"), "");
    EXPECT_EQ(t.asInteger("S_Time3"), 0);
}

TEST_F(NewCassetteTest, EmptiedTitleResetsItsBlock)
{
    open();
    typeTitle(1, "A");
    setEnd(1, "60");
    typeTitle(2, "B");
    setEnd(2, "100");
    EXPECT_EQ(value("ZbyvaSP"), "2h 25m");
    blk(2).title->selectAll();
    QTest::keyClick(blk(2).title, Qt::Key_Backspace);
    EXPECT_EQ(blk(2).start->text(), "0");
    EXPECT_EQ(blk(2).end->text(), "0");
    EXPECT_EQ(blk(2).speed->currentIndex(), -1);
    EXPECT_EQ(blk(2).length->text(), "");
    EXPECT_EQ(value("ZbyvaSP"), "3h 05m"); // 245 - 60
}

TEST_F(NewCassetteTest, SpeedChangeFromSpToLpOnAnE120)
{
    open();
    chooseType("E 120");
    EXPECT_EQ(value("Minutaz"), "125");
    typeTitle(1, "Film");
    setEnd(1, "120");
    EXPECT_EQ(value("ZbyvaSP"), "0h 05m");
    EXPECT_EQ(value("ZbyvaLP"), "0h 10m");
    EXPECT_EQ(value("ZbyvaEP"), "0h 15m");
    chooseSpeed(1, "LP");
    EXPECT_EQ(value("ZbyvaSP"), "1h 05m");
    EXPECT_EQ(value("ZbyvaLP"), "2h 10m");
    EXPECT_EQ(value("ZbyvaEP"), "3h 15m");
    EXPECT_EQ(blocks().remaining(), 65);
}

TEST_F(NewCassetteTest, OverrunRefusesToSaveUntilCorrected)
{
    open();
    chooseType("E 60");
    typeTitle(1, "Dlouhý");
    chooseSpeed(1, "EP");
    setEnd(1, "200"); // 66 SP minutes on 65
    EXPECT_EQ(blocks().remaining(), -1);
    EXPECT_TRUE(blocks().overrun());
    QLabel *reserve = screen->findChild<QLabel *>("Rezerva");
    EXPECT_EQ(reserve->text(), "Chyba !!!");
    EXPECT_EQ(reserve->palette().color(QPalette::WindowText), QColor(Qt::red));
    for (const char *name : {"LabelSP", "LabelLP", "LabelEP", "ZbyvaSP", "ZbyvaLP", "ZbyvaEP"})
        EXPECT_FALSE(screen->findChild<QLabel *>(name)->isVisible()) << name;
    EXPECT_EQ(blocks().panelCaption()->text(), "Překročení času!");
    EXPECT_TRUE(blocks().alternationTimer()->isActive());
    EXPECT_EQ(blocks().alternationTimer()->interval(), 800);
    EXPECT_EQ(blocks().captionColour(), QColor(Qt::red));
    blocks().alternate();
    EXPECT_EQ(blocks().captionColour(), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(blocks().panelCaption()->palette().color(QPalette::WindowText),
              QColor(0xC0, 0xC0, 0xC0));
    blocks().alternate();
    EXPECT_EQ(blocks().captionColour(), QColor(Qt::red));
    // Overfilled: the box is off and the note empty.
    EXPECT_FALSE(blocks().openBox()->isChecked());
    EXPECT_EQ(blocks().cassetteNote()->text(), "");

    EXPECT_FALSE(saveButton()->isEnabled());
    QTest::keyClick(blk(1).title, Qt::Key_Return);
    QTest::keyClick(screen.get(), Qt::Key_Enter);
    screen->BitBtn1Click();
    EXPECT_EQ(stored().count, 0);
    EXPECT_FALSE(screen->confirmWindow()->isVisible());
    EXPECT_TRUE(user.shown.isEmpty());

    // Corrected: the panel is back and Enter saves.
    setEnd(1, "150");
    EXPECT_FALSE(blocks().overrun());
    EXPECT_EQ(reserve->text(), "Rezerva:");
    EXPECT_EQ(reserve->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));
    EXPECT_TRUE(screen->findChild<QLabel *>("ZbyvaSP")->isVisible());
    EXPECT_EQ(value("ZbyvaSP"), "0h 15m");
    EXPECT_EQ(blocks().panelCaption()->text(), "");
    EXPECT_FALSE(blocks().alternationTimer()->isActive());
    EXPECT_TRUE(saveButton()->isEnabled());
    QTest::keyClick(blk(1).title, Qt::Key_Return);
    EXPECT_EQ(stored().count, 1);
    EXPECT_TRUE(screen->confirmWindow()->isVisible());
}

TEST_F(NewCassetteTest, EnterInAnEndCounterCountsTheTypedEnd)
{
    open();
    chooseType("E 60");
    typeTitle(1, "Dlouhý");
    chooseSpeed(1, "EP");
    typeCounter(blk(1).end, "200");
    // Enter straight from the box: the overfilled cassette is not saved.
    QTest::keyClick(blk(1).end, Qt::Key_Return);
    EXPECT_EQ(stored().count, 0);
    EXPECT_TRUE(blocks().overrun());
    EXPECT_FALSE(saveButton()->isEnabled());
}

TEST_F(NewCassetteTest, OpenCassetteFollowsTheMinimumOpenTime)
{
    ASSERT_EQ(window->settings().minOpenTime, 10);
    open();
    chooseType("E 60"); // 65
    typeTitle(1, "Film");
    setEnd(1, "55"); // 10 left: open
    EXPECT_TRUE(blocks().openBox()->isChecked());
    EXPECT_EQ(blocks().cassetteNote()->text(), kOpenCassetteNote);
    setEnd(1, "56"); // 9 left: not open, the note goes
    EXPECT_FALSE(blocks().openBox()->isChecked());
    EXPECT_EQ(blocks().cassetteNote()->text(), "");
    // The user may turn it on again, and that is what gets saved.
    blocks().openBox()->click();
    EXPECT_EQ(blocks().cassetteNote()->text(), kOpenCassetteNote);
    saveButton()->click();
    {
        Table t;
        t.setPath(Paths::dataFile("data.dbf"));
        t.open(Table::Mode::ReadOnly);
        EXPECT_EQ(t.asString("pozn"), kOpenCassetteNote);
        EXPECT_EQ(t.asInteger("cas1"), 56);
    }

    // A note of the user's own stays while the box stays on; a click off
    // empties it whatever it was.
    typeTitle(1, "Jiný");
    setEnd(1, "20");
    blocks().cassetteNote()->selectAll();
    typeInto(blocks().cassetteNote(), "Moje poznámka");
    setEnd(1, "30");
    EXPECT_TRUE(blocks().openBox()->isChecked());
    EXPECT_EQ(blocks().cassetteNote()->text(), "Moje poznámka");
    blocks().openBox()->click();
    EXPECT_EQ(blocks().cassetteNote()->text(), "");
}

TEST_F(NewCassetteTest, MinimumOpenTimeComesFromTheSettings)
{
    window->settings().minOpenTime = 30;
    open();
    chooseType("E 60");
    typeTitle(1, "Film");
    setEnd(1, "35"); // 30 left
    EXPECT_TRUE(blocks().openBox()->isChecked());
    setEnd(1, "36"); // 29 left
    EXPECT_FALSE(blocks().openBox()->isChecked());
}

TEST_F(NewCassetteTest, CounterBoxesTakeDigitsOnly)
{
    open();
    QLineEdit *start = blk(3).start;
    start->clear();
    typeInto(start, "1a /2:-3.4");
    EXPECT_EQ(start->text(), "123");
    QTest::keyClick(start, Qt::Key_Backspace);
    EXPECT_EQ(start->text(), "12");
    typeInto(start, QString::fromUtf8("ř9"));
    EXPECT_EQ(start->text(), "129");
    // An emptied end box counts as 0 and is saved as 0.
    typeTitle(1, "Film");
    setEnd(1, "90");
    blk(1).end->clear();
    leave(blk(1).end);
    EXPECT_EQ(blk(1).length->text(), "");
    saveButton()->click();
    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.open(Table::Mode::ReadOnly);
    EXPECT_EQ(t.asInteger("E_Time1"), 0);
    EXPECT_EQ(t.asInteger("cas1"), 0);
    EXPECT_EQ(t.asInteger("S_Time3"), 129); // the box as typed, title or not
}

TEST_F(NewCassetteTest, DatesAreSavedOnlyWhenTheBoxHoldsOne)
{
    open();
    typeTitle(1, "Bez data");
    typeTitle(2, "S datem");
    blk(2).date->edit()->setCursorPosition(0);
    typeInto(blk(2).date->edit(), "05032002");
    typeTitle(3, "Půl data");
    blk(3).date->edit()->setCursorPosition(0);
    typeInto(blk(3).date->edit(), "1203");
    typeInto(blk(2).note, "řádek");
    blk(2).source->setEditText("Kabelovka");
    blk(2).genre->setCurrentIndex(blk(2).genre->findText("Drama"));
    saveButton()->click();
    EXPECT_EQ(blk(3).date->edit()->displayText(), "  .  .    ");

    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.open(Table::Mode::ReadOnly);
    ASSERT_EQ(t.recordCount(), 1);
    EXPECT_TRUE(t.isNull("datum1"));
    EXPECT_FALSE(t.asDate("datum1").isValid());
    EXPECT_EQ(t.asDate("datum2"), QDate(2002, 3, 5));
    EXPECT_TRUE(t.isNull("datum3"));
    EXPECT_EQ(t.asString("P_film2"), "řádek");
    EXPECT_EQ(t.asString("zdroj2"), "Kabelovka");
    EXPECT_EQ(t.asString("zanr2"), "Drama");
    EXPECT_EQ(t.asString("zanr1"), "");

    // The same record as another dBASE reader sees it.
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
    EXPECT_EQ(rec.value("CISLO").toString(), "00001");
    EXPECT_EQ(rec.value("T_KAZETY").toString(), "E 240");
    EXPECT_EQ(rec.value("FILM3").toString(), "Půl data");
    EXPECT_TRUE(rec.value("DATUM1").isNull());
    EXPECT_EQ(rec.value("DATUM2").toString(), "2002-03-05");
    EXPECT_EQ(rec.value("RY2").toString(), "SP");
    EXPECT_EQ(rec.value("P_FILM2").toString(), "řádek");
    EXPECT_EQ(rec.value("PUJCENO").toBool(true), false);
    EXPECT_EQ(rec.value("POZN").toString(), "Neuzavřená kazeta, možnost dohrátí");
}

TEST_F(NewCassetteTest, RefusedSaveTellsTheUserAndAddsNothing)
{
    addCassette("00001");
    const QString path = Paths::dataFile("data.dbf");
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    open();
    EXPECT_EQ(offers(), QStringList({"00002"}));
    typeTitle(1, "Nezapsaný");
    setEnd(1, "30");

    // The superuser writes to read-only files, so the file may not grow
    // either while the save runs.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto *previous = std::signal(SIGXFSZ, SIG_IGN);
    if (geteuid() == 0) {
        rlimit tight = old;
        tight.rlim_cur = rlim_t(before.size());
        setrlimit(RLIMIT_FSIZE, &tight);
    }
    saveButton()->click();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Informace ...");
    EXPECT_EQ(user.shown[0].text, kSaveFailed);
    EXPECT_FALSE(screen->confirmWindow()->isVisible());
    // Prepared again for another try.
    EXPECT_EQ(blk(1).title->text(), "");
    EXPECT_EQ(offers(), QStringList({"00002"}));
    EXPECT_EQ(window->tables().Table1.state(), Table::State::Browse);
    screen->reject();

    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(stored().numbers, QStringList({"00001"}));
}

TEST_F(NewCassetteTest, EscapeClosesWithoutSavingAndStopsTheWarning)
{
    open();
    chooseType("E 60");
    typeTitle(1, "Dlouhý");
    setEnd(1, "100");
    ASSERT_TRUE(blocks().alternationTimer()->isActive());
    QTest::keyClick(screen.get(), Qt::Key_Escape);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_FALSE(blocks().alternationTimer()->isActive());
    EXPECT_FALSE(window->tables().Table1.isOpen());
    EXPECT_EQ(stored().count, 0);
}

TEST_F(NewCassetteTest, ShownModallyThroughTheSeam)
{
    addCassette("00001");
    bool ran = false;
    user.onScreen["TNova_kazeta"] = [&](QDialog &d) {
        auto &s = static_cast<TNova_kazeta &>(d);
        typeInto(s.blocks().block(1).title, "Přes okno");
        s.findChild<QPushButton *>("BitBtn1")->click();
        EXPECT_EQ(s.findChild<QComboBox *>("Cislo_k")->currentText(), "00003");
        s.findChild<QPushButton *>("BitBtn2")->click();
        ran = true;
    };
    TNova_kazeta s(window->session());
    EXPECT_EQ(dialogs::exec(s), QDialog::Rejected);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(window->tables().Table1.isOpen());
    EXPECT_EQ(stored().numbers, QStringList({"00001", "00002"}));
}
