#pragma once

#include "printing/Rtf.h"
#include "writer/ReportText.h"

#include <QByteArray>
#include <QColor>
#include <QStringList>
#include <QTextEdit>
#include <memory>

class QAction;

namespace velmora {

// The report pane RichEdit1: a read-only rich-text view in a fixed-pitch
// font, without word wrap, that reports fill in line mode (appendLine with
// the current attributes) or in document mode (setRtf with a whole RTF
// document). A build between beginBuild and endBuild is not repainted.
class ReportPane : public QTextEdit
{
    Q_OBJECT
public:
    explicit ReportPane(QWidget *parent = nullptr);
    ~ReportPane() override;

    // Courier New where installed, otherwise the system's fixed font; 8 pt.
    static QFont baseFont();

    // Locks the pane against repainting and empties it; endBuild unlocks it
    // and shows the top of the report. Builds do not nest.
    void beginBuild();
    void endBuild();
    bool building() const { return m_building; }

    // Empties the pane and returns the attributes to black, 8 pt, regular.
    void clearReport();

    // Line mode: the attributes of the lines appended from now on.
    void setAttributes(const QColor &colour, int points, bool bold);
    void setColour(const QColor &colour);
    void setSize(int points);
    void setBold(bool bold);
    QColor colour() const { return m_colour; }
    int size() const { return m_points; }
    bool bold() const { return m_bold; }
    // Appends one line; an empty text makes a blank line.
    void appendLine(const QString &text = QString());

    // Document mode: the pane's whole content becomes this RTF document.
    void setRtf(const QByteArray &document);
    // The document last assigned; empty after a line-mode build.
    const QByteArray &rtf() const { return m_rtf; }

    // The visible lines: the paragraphs and the line breaks inside them.
    QStringList lines() const;

    // The action "Uložit jako PDF ..." of the pane's context menu; report
    // screens may also put it on a button.
    QAction *savePdfAction() const { return m_savePdf; }

    // Prints the whole pane as one job on the run's printer; a job that
    // cannot be started is reported. Returns whether it printed.
    bool print();

public slots:
    // Asks for a file name and writes the report there as PDF through the
    // print procedure. Returns false when nothing was written.
    bool saveAsPdf();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    rtf::BlockWriter &writer();
    const QTextCharFormat &lineFormat();

    QByteArray m_rtf;
    std::unique_ptr<rtf::BlockWriter> m_writer;
    QColor m_colour;
    int m_points = 8;
    bool m_bold = false;
    bool m_building = false;
    // The format of the current attributes, made once per change of them.
    QTextCharFormat m_format;
    bool m_formatValid = false;
    QAction *m_savePdf = nullptr;
};

} // namespace velmora
