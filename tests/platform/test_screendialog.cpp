// The shared shape of the screens: preparation at each showing by the
// program, an error shown without losing the screen.

#include "ScriptedAnswerer.h"
#include "engine/DbError.h"
#include "platform/ScreenDialog.h"
#include "platform/Widgets.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

class Counting : public ScreenDialog
{
public:
    int shown = 0;
    bool fail = false;

protected:
    void FormShow() override
    {
        ++shown;
        if (fail)
            throw DbError(QStringLiteral("Tabulka data.dbf nejde otevřít."));
    }
};

} // namespace

TEST(ScreenDialog, PreparedAtEachShowingAndAnErrorIsShownWhileTheScreenStays)
{
    test::ScriptedAnswerer user;
    Counting screen;
    screen.show();
    QApplication::processEvents();
    EXPECT_EQ(screen.shown, 1);

    screen.hide();
    screen.fail = true;
    screen.show();
    QApplication::processEvents();
    EXPECT_EQ(screen.shown, 2);
    EXPECT_TRUE(screen.isVisible());
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(user.shown[0].text.contains("data.dbf")) << user.shown[0].text.toStdString();
}

namespace {

QRect area()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

TEST(WindowsOnScreen, TopRightWindowKeepsItsFrameAndTitleBarInsideTheScreen)
{
    QDialog owner;
    owner.resize(300, 200);
    owner.show();
    // Far more than the window's width from the right edge: it is moved in.
    QDialog corner(&owner);
    corner.setWindowTitle(QStringLiteral("Obsah nastavené kazety"));
    corner.resize(300, 200);
    ui::placeAtTopRight(&corner, 120);
    corner.show();
    QApplication::processEvents();
    EXPECT_TRUE(area().contains(corner.frameGeometry())) << corner.frameGeometry().x();
    EXPECT_EQ(corner.frameGeometry().top(), area().top());
    EXPECT_EQ(corner.frameGeometry().right(), area().right());

    // A window narrower than the distance stays where it was put.
    QDialog narrow(&owner);
    narrow.resize(100, 100);
    ui::placeAtTopRight(&narrow, 120);
    narrow.show();
    QApplication::processEvents();
    EXPECT_EQ(narrow.frameGeometry().left(), area().right() + 1 - 120);
    EXPECT_EQ(narrow.frameGeometry().top(), area().top());
}

TEST(WindowsOnScreen, ScreenPutOutsideOpensInsideAndOneTooLargeAtTheTopLeft)
{
    test::ScriptedAnswerer user;
    Counting screen;
    screen.resize(200, 150);
    screen.move(area().right() - 50, area().bottom() - 20);
    screen.show();
    QApplication::processEvents();
    EXPECT_TRUE(area().contains(screen.frameGeometry()));
    EXPECT_EQ(screen.frameGeometry().bottomRight(), area().bottomRight());
    screen.hide();

    Counting large;
    large.resize(area().width() + 100, area().height() + 100);
    large.move(area().left() - 40, area().top() - 30);
    large.show();
    QApplication::processEvents();
    EXPECT_EQ(large.frameGeometry().topLeft(), area().topLeft());
}

TEST(WindowsOnScreen, ScreenWithoutAPlaceOpensCentredOverItsParent)
{
    test::ScriptedAnswerer user;
    QDialog owner;
    owner.resize(400, 300);
    owner.move(area().left() + 100, area().top() + 80);
    owner.show();
    QApplication::processEvents();
    Counting screen;
    screen.setParent(&owner, screen.windowFlags());
    screen.resize(200, 100);
    screen.show();
    QApplication::processEvents();
    EXPECT_LE((screen.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(),
              2);
    EXPECT_TRUE(area().contains(screen.frameGeometry()));
}

// Enter goes to the window's default button from a box, but a focused
// button takes it itself: Enter on "Zavřít okno" must not start the work
// of the default one.
TEST(ScreenDialog, EnterPressesTheFocusedButtonAndFromABoxTheDefaultOne)
{
    ScreenDialog screen;
    auto *box = new QLineEdit(&screen);
    QPushButton *start = ui::button(&screen, QStringLiteral("BitBtn1"), QStringLiteral("Start"));
    QPushButton *close = ui::button(&screen, QStringLiteral("BitBtn2"), QStringLiteral("Zavřít"));
    QPushButton *off = ui::button(&screen, QStringLiteral("BitBtn3"), QStringLiteral("Vypnuto"));
    auto *layout = new QVBoxLayout(&screen);
    for (QWidget *w : std::initializer_list<QWidget *>{box, start, close, off})
        layout->addWidget(w);
    start->setDefault(true);
    off->setEnabled(false);
    int started = 0, closed = 0;
    QObject::connect(start, &QPushButton::clicked, [&] { ++started; });
    QObject::connect(close, &QPushButton::clicked, [&] { ++closed; });
    screen.show();
    QApplication::setActiveWindow(&screen);

    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(started, 1);

    close->setFocus();
    QTest::keyClick(close, Qt::Key_Return);
    QTest::keyClick(close, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(started, 1);
    // With a modifier the key is not the button's.
    QTest::keyClick(close, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(closed, 2);

    start->setFocus();
    QTest::keyClick(start, Qt::Key_Return);
    EXPECT_EQ(started, 2);
    EXPECT_TRUE(screen.isVisible());
}

// A row of buttons keeps its first buttons at the left edge and the others
// at the right edge however wide the window is, in the order given, each at
// its own width; Tab goes through them in that order.
TEST(ScreenDialog, ARowKeepsItsFirstButtonsLeftAndTheOthersRightAtAnyWidth)
{
    ScreenDialog screen;
    QPushButton *print = ui::button(&screen, QStringLiteral("Tisk"), QStringLiteral("Tisk"));
    QPushButton *pdf = ui::button(&screen, QStringLiteral("Pdf"), QStringLiteral("Uložit PDF"));
    QPushButton *close = ui::button(&screen, QStringLiteral("Zavrit"), QStringLiteral("Zavřít"));
    auto *layout = new QVBoxLayout(&screen);
    layout->addLayout(ui::row({print, pdf}, {close}));
    auto *onlyRight = new QWidget(&screen);
    QPushButton *alone = ui::button(onlyRight, QStringLiteral("Sam"), QStringLiteral("Sám"));
    onlyRight->setLayout(ui::row({}, {alone}));
    onlyRight->layout()->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(onlyRight);
    screen.show();
    for (const int width : {300, 700}) {
        screen.resize(width, 120);
        QApplication::processEvents();
        const int inner = screen.contentsRect().width() - layout->contentsMargins().left() -
                          layout->contentsMargins().right();
        const int left = layout->contentsMargins().left();
        EXPECT_EQ(print->x(), left) << width;
        EXPECT_LT(print->geometry().right(), pdf->x()) << width;
        EXPECT_EQ(close->geometry().right(), left + inner - 1) << width;
        EXPECT_EQ(alone->geometry().right(), onlyRight->width() - 1) << width;
        for (QPushButton *b : {print, pdf, close, alone})
            EXPECT_EQ(b->width(), b->sizeHint().width()) << width;
    }
    EXPECT_EQ(print->nextInFocusChain(), pdf);
    EXPECT_EQ(pdf->nextInFocusChain(), close);
}
