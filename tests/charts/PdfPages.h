#pragma once

// A PDF file read back: its pages' sizes from the file itself, its text
// through pdftotext when poppler is installed.

#include "TestEnv.h"

#include <QFile>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QStringList>

namespace velmora::test {

struct PdfPages
{
    bool isPdf = false;
    QList<QSizeF> sizes; // in points, one per page, in the order written
};

// Qt writes each page object with its own MediaBox in plain text.
inline PdfPages readPdfPages(const QString &file)
{
    PdfPages out;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QByteArray bytes = f.readAll();
    out.isPdf = bytes.startsWith("%PDF");
    static const QRegularExpression page(
        QStringLiteral("/Type\\s*/Page\\b[^>]*?/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+"
                       "([-\\d.]+)\\s+([-\\d.]+)\\s*\\]"));
    const QString text = QString::fromLatin1(bytes);
    for (auto it = page.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out.sizes.append(QSizeF(m.captured(3).toDouble() - m.captured(1).toDouble(),
                                m.captured(4).toDouble() - m.captured(2).toDouble()));
    }
    return out;
}

inline bool havePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The text of each page, as pdftotext reads it in its raw order.
inline QStringList pdfPageTexts(const QString &file)
{
    QStringList pages =
        runProgram(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), file, QStringLiteral("-")})
            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace velmora::test
