#pragma once

#include "writer/RtfDocument.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringView>
#include <QTextCharFormat>
#include <QTextCursor>

namespace velmora::rtf {

// Writes paragraphs into a text document: the first paragraph goes into the
// document's empty first block, and the break after the last one is never
// made. Paragraphs of one format are held back and inserted together when
// the format changes or on flush(): one insertion per line costs more than
// the report itself. Up to kLinesPerBlock paragraphs of one format share a
// block, parted by line separators: a block of its own for each of a
// million lines is most of the time a report takes to show, and the
// paragraphs carry no format of their own that a block would keep.
class BlockWriter
{
public:
    static constexpr int kLinesPerBlock = 64;
    explicit BlockWriter(QTextCursor cursor) : m_cursor(cursor) {}

    void text(const QString &text, const QTextCharFormat &format);
    // Ends the paragraph; an empty one takes `format` for its height.
    void endParagraph(const QTextCharFormat &format);
    // A line break inside the paragraph.
    void lineBreak(const QTextCharFormat &format);
    // Inserts what is held back.
    void flush();
    // The cursor, with everything written in the document.
    QTextCursor &cursor()
    {
        flush();
        return m_cursor;
    }
    // Whether anything has been written, even an empty paragraph.
    bool started() const { return m_started; }

private:
    void open(const QTextCharFormat &format);
    void hold(QStringView text, const QTextCharFormat &format);
    QTextCursor m_cursor;
    bool m_started = false;
    bool m_breakPending = false;
    QString m_run;
    QTextCharFormat m_runFormat;
    bool m_runOpen = false;
    int m_linesInBlock = 1;
};

// Reads an RTF document of the kind the reports build: groups, the font
// and colour tables, \cf, \b, \i, \ul, \fs, \par, \line, \tab, \pard,
// \plain, \f, \u with \uc, \'hh escapes and the escaped symbols. Other
// destinations are skipped, other control words ignored. Text bytes are
// code page 1250. A font that is not installed is replaced by
// `fallbackFamily`; the default colour is black. The writer is flushed.
void read(const QByteArray &document, BlockWriter &writer, const QString &fallbackFamily);

// A character format of the report panes.
QTextCharFormat charFormat(const QString &family, qreal points, bool bold, const QColor &colour);

} // namespace velmora::rtf
