#include "printing/PaneWriter.h"

#include "printing/ReportPane.h"

namespace velmora {

void LineWriter::line(const QString &text)
{
    m_pane.appendLine(text);
}

void LineWriter::styledLine(const QString &, const QString &text)
{
    m_pane.appendLine(text);
}

void LineWriter::either(const QString &lineText, const QString &)
{
    m_pane.appendLine(lineText);
}

void LineWriter::style(report::Colour colour, int points, bool bold)
{
    m_pane.setAttributes(colour, points, bold);
}

void LineWriter::colour(report::Colour colour)
{
    m_pane.setColour(colour);
}

void LineWriter::size(int points)
{
    m_pane.setSize(points);
}

void LineWriter::bold(bool on)
{
    m_pane.setBold(on);
}

void LineWriter::blank(int count)
{
    for (int i = 0; i < count; ++i)
        m_pane.appendLine();
}

namespace report {

void write(ReportPane &pane, Mode mode, const Report &report)
{
    pane.beginBuild();
    try {
        if (mode == Mode::Line) {
            LineWriter w(pane);
            report(w);
        } else if (mode == Mode::Document) {
            pane.setRtf(documentOf(report));
        }
    } catch (...) {
        pane.endBuild();
        throw;
    }
    pane.endBuild();
}

} // namespace report
} // namespace velmora
