#pragma once

#include "writer/ReportWriter.h"

namespace velmora {

class ReportPane;

// Appends to a pane line by line.
class LineWriter final : public ReportWriter
{
public:
    explicit LineWriter(ReportPane &pane) : m_pane(pane) {}
    report::Mode mode() const override { return report::Mode::Line; }
    void line(const QString &text = QString()) override;
    void styledLine(const QString &markup, const QString &text) override;
    void either(const QString &lineText, const QString &documentFragment) override;
    void style(report::Colour colour, int points, bool bold) override;
    void colour(report::Colour colour) override;
    void size(int points) override;
    void bold(bool on) override;
    void blank(int count = 1) override;
    void header(const QByteArray &, const QString &) override {}
    void fragment(const QString &) override {}

protected:
    void formatted(const QString &text) override { line(text); }

private:
    ReportPane &m_pane;
};

namespace report {

// Writes a report into a pane in the mode given: locked against repainting
// and emptied, written line by line or built as one document (closed with
// its "}") and assigned at once, unlocked. Mode::None leaves it empty.
void write(ReportPane &pane, Mode mode, const Report &report);

} // namespace report
} // namespace velmora
