#include "printing/Rtf.h"

#include "engine/Codepage.h"

#include <QFontDatabase>
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <algorithm>
#include <vector>

namespace velmora::rtf {

void BlockWriter::open(const QTextCharFormat &format)
{
    if (m_runOpen && format != m_runFormat)
        flush();
    if (m_breakPending) {
        // A separator in the run opens a paragraph of the run's format, in
        // the same block while the block holds this format only.
        static constexpr char16_t paragraph = QChar::ParagraphSeparator;
        static constexpr char16_t line = QChar::LineSeparator;
        if (m_runOpen && m_linesInBlock < kLinesPerBlock) {
            hold(QStringView(&line, 1), format);
            ++m_linesInBlock;
        } else {
            hold(QStringView(&paragraph, 1), format);
            m_linesInBlock = 1;
        }
        m_breakPending = false;
    } else if (!m_started) {
        m_cursor.setBlockCharFormat(format);
    }
    m_started = true;
}

void BlockWriter::hold(QStringView text, const QTextCharFormat &format)
{
    if (!m_runOpen) {
        m_runOpen = true;
        m_runFormat = format;
    }
    m_run += text;
}

void BlockWriter::text(const QString &text, const QTextCharFormat &format)
{
    open(format);
    if (!text.isEmpty())
        hold(text, format);
}

void BlockWriter::endParagraph(const QTextCharFormat &format)
{
    open(format);
    // A paragraph held in the run already has the run's format, which is
    // this one.
    if (!m_runOpen && m_cursor.block().length() <= 1)
        m_cursor.setBlockCharFormat(format);
    m_breakPending = true;
}

void BlockWriter::lineBreak(const QTextCharFormat &format)
{
    open(format);
    static constexpr char16_t lineBreak = QChar::LineSeparator;
    hold(QStringView(&lineBreak, 1), format);
}

void BlockWriter::flush()
{
    if (!m_runOpen)
        return;
    m_runOpen = false;
    m_cursor.insertText(m_run, m_runFormat);
    m_run.clear();
}

QTextCharFormat charFormat(const QString &family, qreal points, bool bold, const QColor &colour)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{family});
    f.setFontStyleHint(QFont::TypeWriter);
    f.setFontFixedPitch(true);
    // Latin text in a fixed-pitch font needs no ligatures or kerning; left
    // out, laying out a long report takes half the time.
    f.setFontStyleStrategy(QFont::PreferNoShaping);
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setForeground(colour);
    return f;
}

namespace {

enum class Destination
{
    Text,
    FontTable,
    FontAltName,
    ColourTable,
    Skip,
};

struct State
{
    Destination destination = Destination::Text;
    int font = 0;
    int colour = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int uc = 1;
};

struct FontEntry
{
    QString name;
    QString altName;
    bool nameDone = false;
    bool altNameDone = false;
};

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Destinations that carry no report text.
bool skippedDestination(QByteArrayView word)
{
    static const char *const names[] = {"stylesheet",   "info",      "pict",
                                        "header",       "footer",    "headerl",
                                        "headerr",      "headerf",   "footerl",
                                        "footerr",      "footerf",   "footnote",
                                        "object",       "listtable", "listoverridetable",
                                        "revtbl",       "rsidtbl",   "generator",
                                        "xmlnstbl",     "themedata", "colorschememapping",
                                        "latentstyles", "datastore", "filetbl",
                                        "pgdsctbl"};
    for (const char *n : names)
        if (word == QByteArrayView(n))
            return true;
    return false;
}

class Reader
{
public:
    Reader(const QByteArray &doc, BlockWriter &writer, const QString &fallback)
        : m_doc(doc), m_writer(writer), m_fallback(fallback), m_installed(QFontDatabase::families())
    {
    }

    void run()
    {
        const char *p = m_doc.constData();
        const qsizetype n = m_doc.size();
        qsizetype i = 0;
        while (i < n) {
            const char c = p[i];
            if (c == '{') {
                flush();
                m_stack.push_back(m_state);
                m_destinationMark = false;
                ++i;
            } else if (c == '}') {
                flush();
                if (!m_stack.empty()) {
                    m_state = m_stack.back();
                    m_stack.pop_back();
                }
                ++i;
            } else if (c == '\\') {
                i = control(p, n, i + 1);
            } else if (c == '\r' || c == '\n') {
                ++i;
            } else if (m_skip == 0 && m_state.destination == Destination::Text) {
                // A run of plain text, decoded at once.
                qsizetype end = i + 1;
                while (end < n && !isMarkup(p[end]))
                    ++end;
                m_pending += Codepage::cp1250().decode(p + i, int(end - i));
                i = end;
            } else {
                byte(uint8_t(c));
                ++i;
            }
        }
        flush();
    }

    static bool isMarkup(char c)
    {
        return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n';
    }

private:
    qsizetype control(const char *p, qsizetype n, qsizetype i)
    {
        if (i >= n)
            return i;
        const char c = p[i];
        if (!isLetter(c)) {
            switch (c) {
            case '\\':
            case '{':
            case '}':
                byte(uint8_t(c));
                return i + 1;
            case '\'': {
                const int hi = i + 1 < n ? hexValue(p[i + 1]) : -1;
                const int lo = i + 2 < n ? hexValue(p[i + 2]) : -1;
                if (hi < 0 || lo < 0)
                    return i + 1;
                byte(uint8_t(hi * 16 + lo));
                return i + 3;
            }
            case '*':
                m_destinationMark = true;
                return i + 1;
            case '~':
                character(QChar(0x00A0));
                return i + 1;
            case '_':
                character(QChar(0x2011));
                return i + 1;
            case '\r':
            case '\n':
                paragraph();
                return i + 1;
            default: // \- \| \: and the rest carry nothing visible
                return i + 1;
            }
        }
        const qsizetype start = i;
        while (i < n && isLetter(p[i]) && i - start < 32)
            ++i;
        const QByteArrayView word(p + start, i - start);
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (i < n && p[i] == '-' && i + 1 < n && p[i + 1] >= '0' && p[i + 1] <= '9') {
            negative = true;
            ++i;
        }
        while (i < n && p[i] >= '0' && p[i] <= '9') {
            hasParam = true;
            param = qMin<long long>(param * 10 + (p[i] - '0'), 1000000000LL);
            ++i;
        }
        if (negative)
            param = -param;
        if (i < n && p[i] == ' ')
            ++i;
        if (word == "bin" && hasParam) {
            // Binary data: skipped whole, whatever it holds.
            return qMin(n, i + qsizetype(qMax<long long>(0, param)));
        }
        const bool marked = m_destinationMark;
        m_destinationMark = false;
        apply(word, hasParam, int(param), marked);
        return i;
    }

    static int hexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    void apply(QByteArrayView w, bool hasParam, int param, bool marked)
    {
        State &s = m_state;
        if (s.destination == Destination::Skip)
            return;
        if (w == "fonttbl") {
            setDestination(Destination::FontTable);
        } else if (w == "colortbl") {
            setDestination(Destination::ColourTable);
            m_colours.clear();
            m_entryOpen = false;
            m_haveFormat = false;
        } else if (w == "fname") {
            setDestination(s.destination == Destination::FontTable ? Destination::FontAltName
                                                                   : Destination::Skip);
        } else if (skippedDestination(w)) {
            setDestination(Destination::Skip);
        } else if (marked && !known(w)) {
            setDestination(Destination::Skip);
        } else if (s.destination == Destination::ColourTable) {
            colourComponent(w, param);
        } else if (s.destination == Destination::FontTable) {
            if (w == "f") {
                s.font = param;
                m_fontEntry = param;
                m_fonts[param] = FontEntry();
                m_resolved.remove(param);
                m_haveFormat = false;
            }
        } else if (s.destination == Destination::FontAltName) {
            // nothing but the name itself
        } else if (w == "par") {
            paragraph();
        } else if (w == "line") {
            flush();
            m_writer.lineBreak(format());
        } else if (w == "tab") {
            character(QLatin1Char('\t'));
        } else if (w == "cf") {
            change([&] { s.colour = hasParam ? param : 0; });
        } else if (w == "b") {
            change([&] { s.bold = !hasParam || param != 0; });
        } else if (w == "i") {
            change([&] { s.italic = !hasParam || param != 0; });
        } else if (w == "ul") {
            change([&] { s.underline = !hasParam || param != 0; });
        } else if (w == "ulnone") {
            change([&] { s.underline = false; });
        } else if (w == "fs") {
            change([&] { s.halfPoints = hasParam && param > 0 ? param : 24; });
        } else if (w == "f") {
            change([&] { s.font = hasParam ? param : 0; });
        } else if (w == "plain") {
            change([&] {
                s.colour = 0;
                s.halfPoints = 24;
                s.bold = s.italic = s.underline = false;
                s.font = 0;
            });
        } else if (w == "uc") {
            s.uc = hasParam ? qMax(0, param) : 1;
        } else if (w == "u" && hasParam) {
            character(QChar(char16_t(param < 0 ? param + 65536 : param)));
            m_skip = s.uc;
        }
        // \rtf \ansi \deff \viewkind \pard \lang and the rest change nothing
        // that a report pane shows.
    }

    static bool known(QByteArrayView w)
    {
        return w == "fname" || w == "fonttbl" || w == "colortbl";
    }

    void setDestination(Destination d)
    {
        flush();
        m_state.destination = d;
    }

    template <typename F> void change(F f)
    {
        flush();
        f();
    }

    void colourComponent(QByteArrayView w, int value)
    {
        const int v = qBound(0, value, 255);
        if (!m_entryOpen) {
            m_entry = QColor(0, 0, 0);
            m_entryOpen = true;
        }
        if (w == "red")
            m_entry.setRed(v);
        else if (w == "green")
            m_entry.setGreen(v);
        else if (w == "blue")
            m_entry.setBlue(v);
    }

    void byte(uint8_t b)
    {
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        switch (m_state.destination) {
        case Destination::Text:
            m_pending += QChar(Codepage::cp1250().decodeByte(b));
            break;
        case Destination::ColourTable:
            if (b == ';') {
                // An entry with no components is the default colour.
                m_colours.append(m_entryOpen ? m_entry : QColor());
                m_entryOpen = false;
            }
            break;
        case Destination::FontTable:
        case Destination::FontAltName: {
            FontEntry &e = m_fonts[m_fontEntry];
            const bool alt = m_state.destination == Destination::FontAltName;
            bool &done = alt ? e.altNameDone : e.nameDone;
            if (done)
                break;
            if (b == ';')
                done = true;
            else
                (alt ? e.altName : e.name) += QChar(Codepage::cp1250().decodeByte(b));
            m_resolved.remove(m_fontEntry);
            m_haveFormat = false;
            break;
        }
        case Destination::Skip:
            break;
        }
    }

    void character(QChar c)
    {
        if (m_state.destination == Destination::Text)
            m_pending += c;
    }

    void paragraph()
    {
        if (m_state.destination != Destination::Text)
            return;
        flush();
        m_writer.endParagraph(format());
    }

    void flush()
    {
        if (m_pending.isEmpty())
            return;
        m_writer.text(m_pending, format());
        m_pending.clear();
    }

    QString family(int font)
    {
        if (const auto it = m_resolved.constFind(font); it != m_resolved.constEnd())
            return it.value();
        QString chosen = m_fallback;
        if (const auto it = m_fonts.constFind(font); it != m_fonts.constEnd()) {
            QStringList candidates{it->altName.trimmed(), it->name.trimmed()};
            if (candidates[1].endsWith(QLatin1String(" CE")))
                candidates << candidates[1].chopped(3);
            for (const QString &c : candidates) {
                if (!c.isEmpty() && m_installed.contains(c, Qt::CaseInsensitive)) {
                    chosen = c;
                    break;
                }
            }
        }
        m_resolved.insert(font, chosen);
        return chosen;
    }

    static bool sameLook(const State &a, const State &b)
    {
        return a.font == b.font && a.colour == b.colour && a.halfPoints == b.halfPoints &&
               a.bold == b.bold && a.italic == b.italic && a.underline == b.underline;
    }

    QTextCharFormat format()
    {
        const State &s = m_state;
        if (m_haveFormat && sameLook(s, m_formatState))
            return m_format;
        QColor colour = m_colours.value(s.colour);
        if (!colour.isValid())
            colour = QColor(0, 0, 0);
        m_format = charFormat(family(s.font), s.halfPoints / 2.0, s.bold, colour);
        if (s.italic)
            m_format.setFontItalic(true);
        if (s.underline)
            m_format.setFontUnderline(true);
        m_formatState = s;
        m_haveFormat = true;
        return m_format;
    }

    const QByteArray &m_doc;
    BlockWriter &m_writer;
    QString m_fallback;
    QStringList m_installed;
    State m_state;
    std::vector<State> m_stack;
    bool m_destinationMark = false;
    QString m_pending;
    int m_skip = 0;
    QList<QColor> m_colours;
    QColor m_entry;
    bool m_entryOpen = false;
    QHash<int, FontEntry> m_fonts;
    QHash<int, QString> m_resolved;
    int m_fontEntry = 0;
    QTextCharFormat m_format;
    State m_formatState;
    bool m_haveFormat = false;
};

} // namespace

void read(const QByteArray &document, BlockWriter &writer, const QString &fallbackFamily)
{
    Reader(document, writer, fallbackFamily).run();
    writer.flush();
}

} // namespace velmora::rtf
