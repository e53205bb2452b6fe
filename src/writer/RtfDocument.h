#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

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

} // namespace velmora::rtf
