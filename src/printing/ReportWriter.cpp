#include "printing/ReportWriter.h"

#include "printing/ReportPane.h"
#include "printing/Rtf.h"

namespace velmora {

void ReportWriter::rule(int spaces, int hyphens)
{
    formatted(report::rule(mode(), spaces, hyphens));
}

void ReportWriter::dateLine(int lineRun, int documentRun, int leading)
{
    formatted(report::dateLine(mode(), document() ? documentRun : lineRun, leading));
}

void ReportWriter::makerLine(int leading)
{
    formatted(report::makerLine(mode(), leading));
}

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

void LineWriter::style(const QColor &colour, int points, bool bold)
{
    m_pane.setAttributes(colour, points, bold);
}

void LineWriter::colour(const QColor &colour)
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

void DocumentWriter::line(const QString &text)
{
    m_doc.add(rtf::escape(text) + QStringLiteral("\\par"));
}

void DocumentWriter::styledLine(const QString &markup, const QString &text)
{
    m_doc.add(markup + rtf::escape(text) + QStringLiteral("\\par"));
}

void DocumentWriter::either(const QString &, const QString &documentFragment)
{
    m_doc.add(documentFragment);
}

void DocumentWriter::header(const QByteArray &colourTable, const QString &opening)
{
    m_doc.header(colourTable, opening);
}

void DocumentWriter::fragment(const QString &markup)
{
    m_doc.add(markup);
}

namespace report {

QByteArray documentOf(const Report &report)
{
    rtf::Document doc;
    DocumentWriter w(doc);
    report(w);
    doc.close();
    return doc.bytes();
}

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
