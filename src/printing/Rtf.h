#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringView>
#include <QTextCharFormat>
#include <QTextCursor>

namespace velmora::rtf {

// The first header fragment: the font table of every report.
inline const QByteArray kFontTable =
    QByteArrayLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier "
                      "New;}Courier New CE;}}");
// Colour tables. Entry 0 is the default colour; B has an empty third entry,
// so its \cf3 is the default colour and its red is entry 4.
inline const QByteArray kColourTableA = QByteArrayLiteral(
    "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;\\red0255\\green0\\blue0;}");
inline const QByteArray kColourTableB = QByteArrayLiteral(
    "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;;\\red0255\\green0\\blue0;}");
inline const QByteArray kColourTableC =
    QByteArrayLiteral("{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;}");

// A field value made safe for a fragment: backslashes and braces are
// escaped, so a title holding them reads back as written.
QString escape(const QString &value);
// A stored field value as a fragment inserts it: without its trailing
// blanks, escaped.
QString value(const QString &stored);

// An RTF report document as it is built: a byte string in code page 1250,
// one fragment after another, each followed by CR LF.
class Document
{
public:
    // The three header fragments; `opening` is the whole third fragment
    // ("\viewkind4\uc1\pard\cf3\b\lang1029\f0\fs24" and the like).
    void header(const QByteArray &colourTable, const QString &opening);
    // Appends a fragment (markup and escaped values) and CR LF. Characters
    // that code page 1250 cannot hold are written as \uN? escapes.
    void add(const QString &fragment);
    // Appends a fragment without the CR LF that normally follows it.
    void addWithoutLineEnd(const QString &fragment);
    // The closing brace of the group opened by the header; the last byte.
    void close();

    const QByteArray &bytes() const { return m_bytes; }
    void clear() { m_bytes.clear(); }
    void reserve(qsizetype size) { m_bytes.reserve(size); }

private:
    void encode(const QString &fragment);
    QByteArray m_bytes;
};

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
