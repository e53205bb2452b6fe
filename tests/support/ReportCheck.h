#pragma once

// A report as the user sees it: written into a pane that is never shown,
// in the mode given, and read back as its visible lines and their looks.

#include "engine/Codepage.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"

#include <QColor>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <ostream>

namespace velmora::test {

// Attributes of one visible line: what the pane shows of its first character
// (or of the empty paragraph).
struct Look
{
    QColor colour;
    qreal points;
    bool bold;
    bool operator==(const Look &o) const
    {
        return colour == o.colour && points == o.points && bold == o.bold;
    }
};

inline std::ostream &operator<<(std::ostream &os, const Look &l)
{
    return os << l.colour.name().toStdString() << ' ' << l.points << (l.bold ? " bold" : "");
}

// The format of each visible line: of its first character, or for an empty
// line of the separator that ends it (of the paragraph, when it has none).
inline QList<QTextCharFormat> lineFormats(const ReportPane &pane)
{
    QList<QTextCharFormat> out;
    for (QTextBlock b = pane.document()->begin(); b.isValid(); b = b.next()) {
        const QString text = b.text();
        qsizetype start = 0;
        for (;;) {
            const qsizetype end = text.indexOf(QChar::LineSeparator, start);
            QTextCursor c(b);
            if (end < 0 && start == text.size()) {
                // An empty last line: its paragraph's format, or the one of
                // the separator before it.
                c.setPosition(b.position() + start);
                out.append(start == 0 ? b.charFormat() : c.charFormat());
                break;
            }
            c.setPosition(b.position() + start + 1);
            out.append(c.charFormat());
            if (end < 0)
                break;
            start = end + 1;
        }
    }
    return out;
}

inline QList<Look> looks(const ReportPane &pane)
{
    QList<Look> out;
    for (const QTextCharFormat &f : lineFormats(pane))
        out.append({f.foreground().color(), f.fontPointSize(), f.fontWeight() >= QFont::Bold});
    return out;
}

struct Shown
{
    QStringList lines;
    QList<Look> looks;
    QByteArray rtf; // document mode only
};

inline Shown show(report::Mode mode, const report::Report &r)
{
    ReportPane pane;
    report::write(pane, mode, r);
    return {pane.lines(), looks(pane), pane.rtf()};
}

// The printing time of a report made comparable.
const QString kTime = QStringLiteral("<čas>");

inline QString timeless(QString text)
{
    static const QRegularExpression time(
        QStringLiteral("\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d"));
    return text.replace(time, kTime);
}

inline QStringList timeless(QStringList lines)
{
    for (QString &l : lines)
        l = timeless(l);
    return lines;
}

// A document's bytes as text.
inline QString decoded(const QByteArray &document)
{
    return Codepage::cp1250().decode(document.constData(), int(document.size()));
}

inline QString timeless(const QByteArray &document)
{
    return timeless(decoded(document));
}

// A rule of the reports: spaces, then hyphens.
inline QString hyphens(int spaces, int n)
{
    return QString(spaces, QLatin1Char(' ')) + QString(n, QLatin1Char('-'));
}

// The lines without the blanks at their ends.
inline QStringList trimmedRight(QStringList lines)
{
    for (QString &l : lines)
        while (l.endsWith(QLatin1Char(' ')))
            l.chop(1);
    return lines;
}

} // namespace velmora::test
