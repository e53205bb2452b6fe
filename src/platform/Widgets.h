#pragma once

#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace velmora::ui {

// The small pieces every screen is built of. Controls carry the name the
// screens are known by as their object name, so tests and the language
// texts find them.

// A caption: plain text; with a buddy, the input it names (its shortcut
// moves there and screen readers announce the input by it).
QLabel *caption(QWidget *parent, const QString &name, const QString &text = QString(),
                QWidget *buddy = nullptr);

// A label that shows a value (a count, a time, a state). Its text stays its
// accessible name, so a screen reader speaks the value; the caption, as it
// is spoken, goes into its accessible description.
QLabel *valueLabel(QWidget *parent, const QString &name, const QString &caption,
                   const QString &text = QString());
// The same for a value shown beside its caption label: the caption also
// labels the value (the relation assistive tools follow), and the value
// comes first among the window's children, so a tool looking for the
// caption's text finds the value it names.
QLabel *valueLabel(QWidget *parent, const QString &name, QLabel *caption,
                   const QString &text = QString());
// Makes an existing caption label name an existing value label, as above;
// the description is left to the caller.
void nameValue(QLabel *caption, QLabel *value);
// The caption's text as screen readers should hear it: without the
// ampersand, the padding blanks, an opening bracket and trailing colons.
QString spoken(const QString &caption);

// A push button that Enter presses only when it has the focus or is the
// window's default one.
QPushButton *button(QWidget *parent, const QString &name, const QString &text);

// A row of a screen: the first controls from its left edge, the others at
// its right edge, the room between them empty (a row of buttons, or a
// caption with its value).
QHBoxLayout *row(std::initializer_list<QWidget *> left,
                 std::initializer_list<QWidget *> right = {});

void setBold(QWidget *widget, bool bold = true);

// A read-only line showing a stored value.
QLineEdit *readOnlyBox(QWidget *parent, const QString &name);
// A read-only grid of whole rows, one chosen at a time, without row numbers,
// its last column taking the rest of the width.
QTableView *rowGrid(QWidget *parent, const QString &name, const QString &accessibleName);

// Fits the grid's columns to their contents, the last one taking the rest.
void fitColumns(QTableView *grid);

// Places a top-level window at the top of the screen its parent is on,
// its left edge this far from the screen's right edge, and never so that
// its frame leaves the screen's available area.
void placeAtTopRight(QWidget *window, int fromRight);

// Moves a top-level window, frame and title bar included, inside the
// available area of its screen; a window larger than the area keeps its
// title bar and left edge on the screen.
void keepOnScreen(QWidget *window);

// Lets only digits and control keys into a box: every other key with a
// character code from 32 to 47 or above 57 is dropped, as the number boxes
// of the cassette screens have always done.
void digitsOnly(QLineEdit *box);

} // namespace velmora::ui
