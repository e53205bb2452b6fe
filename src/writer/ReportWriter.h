#pragma once

#include "writer/ReportText.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace velmora {

namespace rtf {
class Document;
}

// What a report writes, once for both ways of filling a pane. A report is a
// function over this interface: the line-mode pane and the RTF document are
// its two implementations. Calls of one group do nothing in the other mode,
// so a report reads as one sequence, and where the two modes differ it says
// so next to the line concerned.
class ReportWriter
{
public:
    virtual ~ReportWriter() = default;
    virtual report::Mode mode() const = 0;
    bool document() const { return mode() == report::Mode::Document; }

    // --- Both modes.
    // A line of text: appended with the attributes in force, or in the
    // document the text escaped and followed by "\par". An empty text makes
    // an empty line in both.
    virtual void line(const QString &text = QString()) = 0;
    // A line whose document fragment starts with markup (a colour, a size);
    // line mode appends the text alone.
    virtual void styledLine(const QString &markup, const QString &text) = 0;
    // One line that the two modes write differently: lineText in line mode,
    // the fragment (markup with escaped values) in the document.
    virtual void either(const QString &lineText, const QString &documentFragment) = 0;
    // The common lines; the date line's second run differs by mode in most
    // reports, and leading runs default to 5 (line) and 6 (document).
    void rule(int spaces, int hyphens);
    void dateLine(int lineRun, int documentRun, int leading = report::kDefaultRun);
    void makerLine(int leading = report::kDefaultRun);
    // The closing of a report: its date line, then the maker's line, both
    // after `leading` spaces.
    void closing(int lineRun, int documentRun, int leading = report::kDefaultRun);
    // The header of a report's document: the font table, the colour table
    // and the opening fragment "\viewkind4\uc1\pard\cf<colour>\b\lang1029
    // \f0\fs<halfPoints>", with "\par" when the document starts with an
    // empty paragraph. Nothing in line mode.
    void opening(const QByteArray &colourTable, int colour, int halfPoints,
                 bool emptyParagraph = false);

    // --- Line mode only: the document's fragments carry their own attributes.
    virtual void style(report::Colour colour, int points, bool bold) = 0;
    virtual void colour(report::Colour colour) = 0;
    virtual void size(int points) = 0;
    virtual void bold(bool on) = 0;
    // Empty lines of line mode, where the document has them in its markup.
    virtual void blank(int count = 1) = 0;

    // --- Document mode only.
    // The font table, the colour table and the opening fragment.
    virtual void header(const QByteArray &colourTable, const QString &opening) = 0;
    // A fragment as given (markup and escaped values), followed by CR LF.
    virtual void fragment(const QString &markup) = 0;

protected:
    // A text made for the mode in force (a rule, a date line), written as it is.
    virtual void formatted(const QString &text) = 0;
};

// Builds an RTF document fragment by fragment.
class DocumentWriter final : public ReportWriter
{
public:
    explicit DocumentWriter(rtf::Document &document) : m_doc(document) {}
    report::Mode mode() const override { return report::Mode::Document; }
    void line(const QString &text = QString()) override;
    void styledLine(const QString &markup, const QString &text) override;
    void either(const QString &lineText, const QString &documentFragment) override;
    void style(report::Colour, int, bool) override {}
    void colour(report::Colour) override {}
    void size(int) override {}
    void bold(bool) override {}
    void blank(int = 1) override {}
    void header(const QByteArray &colourTable, const QString &opening) override;
    void fragment(const QString &markup) override;

protected:
    void formatted(const QString &text) override { fragment(text); }

private:
    rtf::Document &m_doc;
};

namespace report {

using Report = std::function<void(ReportWriter &)>;

// The whole document a report builds in document mode.
QByteArray documentOf(const Report &report);

} // namespace report
} // namespace velmora
