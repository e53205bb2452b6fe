#include "platform/Colours.h"

#include <QWidget>
#include <cmath>

namespace velmora::colours {
namespace {

double channel(double c)
{
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

constexpr double kReadable = 4.5;

} // namespace

bool isDark(const QColor &background)
{
    return background.isValid() && background.lightnessF() < 0.5;
}

bool isDark(const QPalette &palette, QPalette::ColorRole background)
{
    return isDark(palette.color(background));
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor textColour(const QColor &fixed, const QColor &background)
{
    if (!fixed.isValid() || !isDark(background) || contrast(fixed, background) >= kReadable)
        return fixed;
    const QColor hsl = fixed.toHsl();
    const double hue = hsl.hslHueF();
    const double saturation = hsl.hslSaturationF();
    // A grey has no hue to keep: black is the ordinary text and becomes
    // white, a mid grey stays dimmer than the text, as on a light ground.
    const double from = saturation > 0 ? hsl.lightnessF() : 1.0 - hsl.lightnessF();
    // Lighter in small steps: the least change that reads keeps the colour
    // recognisable as the one it stands for.
    for (double lightness = from; lightness < 1.0; lightness += 0.02) {
        const QColor c = QColor::fromHslF(float(hue), float(saturation), float(lightness)).toRgb();
        if (contrast(c, background) >= kReadable)
            return c;
    }
    return QColor(Qt::white);
}

QColor textColour(const QColor &fixed, const QPalette &palette, QPalette::ColorRole background)
{
    return textColour(fixed, palette.color(background));
}

void setTextColour(QWidget *widget, const QColor &fixed)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, textColour(fixed, p, QPalette::Window));
    p.setColor(QPalette::Text, textColour(fixed, p, QPalette::Base));
    widget->setPalette(p);
}

QString colourRule(const QWidget *widget, const QColor &fixed)
{
    return QStringLiteral("color: %1;").arg(textColour(fixed, widget->palette()).name());
}

QPalette darkPalette()
{
    QPalette p;
    const QColor window(53, 53, 53);
    const QColor base(35, 35, 35);
    const QColor text(230, 230, 230);
    const QColor disabled(127, 127, 127);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabled);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Light, QColor(80, 80, 80));
    p.setColor(QPalette::Midlight, QColor(66, 66, 66));
    p.setColor(QPalette::Mid, QColor(40, 40, 40));
    p.setColor(QPalette::Dark, QColor(25, 25, 25));
    p.setColor(QPalette::Shadow, QColor(20, 20, 20));
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabled);
    return p;
}

} // namespace velmora::colours
