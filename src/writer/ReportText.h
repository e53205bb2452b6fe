#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <initializer_list>

namespace velmora::report {

// How a report is written into its pane, chosen by the setting Setup_OS.
enum class Mode
{
    None,     // unknown system: nothing is written, the pane stays empty
    Line,     // appended line by line with the current attributes
    Document, // built as one RTF document and assigned to the pane
};

// "1", "2", "3" and "5" give line mode, "4" document mode, anything else none.
Mode modeFor(const QString &setupOs);

// A colour of the line-mode reports as 0xRRGGBB: the panes take it as a
// QRgb, so the report rules need no Qt Gui.
using Colour = unsigned int;

// The three colours of the line-mode reports.
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kBlue = 0x0000ff;
inline constexpr Colour kRed = 0xff0000;

// Run lengths of the date and maker lines that a report does not give itself.
constexpr int kDefaultRun = -1;

// A length in minutes as "1h 05m": hours without leading zeros, minutes as
// two digits. Negative lengths (an overfilled tape) keep the sign in front.
QString timeText(int minutes);

// Date "dd.MM.yyyy" and time "HH:mm:ss" separated by one space; an invalid
// moment means now.
QString printingTime(const QDateTime &when = QDateTime());

// The program version as the main window shows it.
QString versionText();

// "Datum a čas tisku  : <time><secondRun spaces>Verze programu: <version>",
// after `leading` spaces (5 in line mode, 6 in document mode by default);
// document mode ends it with "\par".
QString dateLine(Mode mode, int secondRun, int leading = kDefaultRun,
                 const QDateTime &when = QDateTime());

// "Norvane 2002" after `leading` spaces (5 / 6 by default); "\par" in
// document mode.
QString makerLine(Mode mode, int leading = kDefaultRun);

// Rule r(s, n): s spaces and n hyphens; "\par" in document mode.
QString rule(Mode mode, int spaces, int hyphens);

// Fills a column template: every %-Ns field takes the next value left-aligned
// and padded with spaces to N characters, %Ns right-aligned, %s as it is; a
// longer value is written whole and pushes the rest of the line on. "%%" is
// a percent sign. Missing values count as empty.
QString format(QStringView templ, const QStringList &values);
// The same for values that are at hand as views: no list is built, which
// reports of tens of thousands of lines notice.
QString format(QStringView templ, std::initializer_list<QStringView> values);

// A whole number as text on the stack, for the values of format().
class NumberText
{
public:
    explicit NumberText(qint64 value);
    operator QStringView() const { return QStringView(m_digits + m_start, kSize - m_start); }

private:
    static constexpr int kSize = 24;
    char16_t m_digits[kSize];
    int m_start = kSize;
};

} // namespace velmora::report
