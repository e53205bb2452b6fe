#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

class QWidget;

namespace velmora::colours {

// The screens draw some texts in fixed colours (navy headings, red
// warnings). On a dark desktop palette those would vanish into the
// background, so they are lightened there, keeping their hue; on a light
// palette they stay exactly as given.

// Whether the colour a text is drawn on is a dark one.
bool isDark(const QColor &background);
// Whether the palette's colour of the given role is dark.
bool isDark(const QPalette &palette, QPalette::ColorRole background = QPalette::Window);

// The contrast of two colours as accessibility guidelines measure it:
// from 1 (the same) to 21 (black on white).
double contrast(const QColor &a, const QColor &b);

// The fixed colour on a light background; on a dark one the lightest needed
// variant of the same hue and saturation that reads at a contrast of at
// least 4.5 (white, at most). Greys turn over: black becomes white.
QColor textColour(const QColor &fixed, const QColor &background);
QColor textColour(const QColor &fixed, const QPalette &palette,
                  QPalette::ColorRole background = QPalette::Window);

// Sets the widget's window text (and text, for inputs) to the fixed colour
// as it reads on the widget's own palette.
void setTextColour(QWidget *widget, const QColor &fixed);

// A style sheet colour rule for the fixed colour on the widget's palette,
// "color: #rrggbb;".
QString colourRule(const QWidget *widget, const QColor &fixed);

// A dark palette for Qt's Fusion style: what a dark desktop theme gives.
QPalette darkPalette();

} // namespace velmora::colours
