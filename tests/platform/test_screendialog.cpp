// The shared shape of the screens: preparation at each showing by the
// program, an error shown without losing the screen.

#include "ScriptedAnswerer.h"
#include "engine/DbError.h"
#include "platform/ScreenDialog.h"

#include <QApplication>
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
