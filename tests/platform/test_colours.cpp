// Fixed text colours on light and dark grounds: unchanged on light ones,
// lighter of the same hue on dark ones until they read.

#include "platform/Colours.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kMaroon(0x80, 0x00, 0x00);
const QColor kRed(0xff, 0x00, 0x00);
const QColor kDarkGround(53, 53, 53);

TEST(Colours, ContrastIsMeasuredAsTheGuidelinesDo)
{
    EXPECT_NEAR(colours::contrast(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(colours::contrast(Qt::white, Qt::black), 21.0, 0.01);
    EXPECT_NEAR(colours::contrast(kRed, kRed), 1.0, 1e-9);
    // Published figures: red on white 4.0, navy on white 16.0.
    EXPECT_NEAR(colours::contrast(kRed, Qt::white), 4.0, 0.05);
    EXPECT_NEAR(colours::contrast(kNavy, Qt::white), 16.0, 0.1);
}

TEST(Colours, OnALightGroundEveryColourStaysExactlyAsGiven)
{
    for (const QColor &ground : {QColor(Qt::white), QColor(0xf0, 0xf0, 0xf0),
                                 QColor(0xc0, 0xc0, 0xc0), QColor(Qt::yellow)})
        for (const QColor &fixed : {kNavy, kMaroon, kRed, QColor(Qt::black), QColor(Qt::gray)})
            EXPECT_EQ(colours::textColour(fixed, ground), fixed)
                << fixed.name().toStdString() << " on " << ground.name().toStdString();
    EXPECT_FALSE(colours::isDark(QColor(Qt::white)));
    EXPECT_FALSE(colours::isDark(QColor(0xf0, 0xf0, 0xf0)));
    EXPECT_TRUE(colours::isDark(kDarkGround));
    EXPECT_TRUE(colours::isDark(QColor(Qt::black)));
}

TEST(Colours, OnADarkGroundTheSameHueLighterReads)
{
    for (const QColor &fixed : {kNavy, kMaroon, kRed, QColor(0x00, 0x80, 0x00)}) {
        SCOPED_TRACE(fixed.name().toStdString());
        const QColor shown = colours::textColour(fixed, kDarkGround);
        EXPECT_GE(colours::contrast(shown, kDarkGround), 4.5);
        EXPECT_EQ(shown.hslHue(), fixed.hslHue());
        EXPECT_GT(shown.lightness(), fixed.lightness());
        // A tint, not white: the colour still tells what it stood for.
        EXPECT_NE(shown, QColor(Qt::white));
        EXPECT_GT(shown.hslSaturation(), 200);
    }
    // Navy stays blue: blue is still its strongest channel by far.
    const QColor navy = colours::textColour(kNavy, kDarkGround);
    EXPECT_GT(navy.blue(), navy.red() + 50);
    // Black, the ordinary text, has no hue: it turns white; a mid grey
    // (a maker's line) reads but stays dimmer than that.
    EXPECT_EQ(colours::textColour(Qt::black, kDarkGround), QColor(Qt::white));
    const QColor grey = colours::textColour(QColor(128, 128, 128), kDarkGround);
    EXPECT_EQ(grey.red(), grey.green());
    EXPECT_EQ(grey.green(), grey.blue());
    EXPECT_GE(colours::contrast(grey, kDarkGround), 4.5);
    EXPECT_LT(grey.red(), 230);
    // What already reads on the dark ground is left alone.
    const QColor pale(255, 200, 200);
    EXPECT_EQ(colours::textColour(pale, kDarkGround), pale);
    // An unset colour stays unset (a tree's own colour).
    EXPECT_FALSE(colours::textColour(QColor(), kDarkGround).isValid());
}

TEST(Colours, AWidgetTakesTheColourForItsOwnGround)
{
    QLabel light;
    QPalette p = light.palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::Base, Qt::white);
    light.setPalette(p);
    colours::setTextColour(&light, kNavy);
    EXPECT_EQ(light.palette().color(QPalette::WindowText), kNavy);
    EXPECT_EQ(colours::colourRule(&light, kNavy), "color: #000080;");

    QLabel dark;
    dark.setPalette(colours::darkPalette());
    colours::setTextColour(&dark, kNavy);
    const QColor shown = dark.palette().color(QPalette::WindowText);
    EXPECT_GE(colours::contrast(shown, dark.palette().color(QPalette::Window)), 4.5);
    EXPECT_EQ(colours::colourRule(&dark, kNavy), "color: " + shown.name() + ";");
    // The dark palette is dark where texts lie and light in its texts.
    EXPECT_TRUE(colours::isDark(colours::darkPalette()));
    EXPECT_TRUE(colours::isDark(colours::darkPalette(), QPalette::Base));
    EXPECT_FALSE(colours::isDark(colours::darkPalette(), QPalette::WindowText));
}

} // namespace
