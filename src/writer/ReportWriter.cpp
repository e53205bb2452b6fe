#include "writer/ReportWriter.h"

#include "writer/RtfDocument.h"

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

void ReportWriter::closing(int lineRun, int documentRun, int leading)
{
    dateLine(lineRun, documentRun, leading);
    makerLine(leading);
}

void ReportWriter::opening(const QByteArray &colourTable, int colour, int halfPoints,
                           bool emptyParagraph)
{
    header(colourTable, QStringLiteral("\\viewkind4\\uc1\\pard\\cf%1\\b\\lang1029\\f0\\fs%2%3")
                            .arg(colour)
                            .arg(halfPoints)
                            .arg(emptyParagraph ? QStringLiteral("\\par") : QString()));
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

} // namespace report
} // namespace velmora
