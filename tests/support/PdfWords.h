#pragma once

// The words of a PDF file with their boxes, as poppler's pdftotext -bbox
// reads them: in points from the top left of their page.

#include "TestEnv.h"

#include <QList>
#include <QString>
#include <QXmlStreamReader>

namespace velmora::test {

struct PdfWord
{
    int page = 0;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

struct PdfWords
{
    QString title;
    int pages = 0;
    QList<PdfWord> words;

    QStringList textsOnPage(int page) const
    {
        QStringList out;
        for (const PdfWord &w : words)
            if (w.page == page)
                out << w.text;
        return out;
    }
    // The first word with this text on the page (page -1: on any).
    const PdfWord *find(const QString &text, int page = -1) const
    {
        for (const PdfWord &w : words)
            if (w.text == text && (page < 0 || w.page == page))
                return &w;
        return nullptr;
    }
};

inline PdfWords readPdfWords(const QString &file)
{
    PdfWords out;
    QXmlStreamReader xml(runProgram(QStringLiteral("pdftotext"),
                                    {QStringLiteral("-bbox"), file, QStringLiteral("-")}));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            ++out.pages;
        } else if (xml.name() == QLatin1String("word")) {
            PdfWord w{out.pages - 1,
                      a.value(QLatin1String("xMin")).toDouble(),
                      a.value(QLatin1String("yMin")).toDouble(),
                      a.value(QLatin1String("xMax")).toDouble(),
                      a.value(QLatin1String("yMax")).toDouble(),
                      QString()};
            w.text = xml.readElementText();
            out.words.append(w);
        } else if (xml.name() == QLatin1String("title")) {
            out.title = xml.readElementText();
        }
    }
    return out;
}

} // namespace velmora::test
