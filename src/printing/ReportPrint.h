#pragma once

#include <QDate>
#include <QRect>
#include <QString>

class QPaintDevice;
class QPrinter;
class QTextDocument;

namespace velmora::report {

inline const QString kJobTitle = QStringLiteral("Velmora");

// The printer of the run: the system's current printer until the user
// chooses another in TCentr, which then stays current until the end.
QPrinter &currentPrinter();
// Name of the run's printer; empty when the system has none.
QString currentPrinterName();

// The page rectangle in device dots: left X div 2, top Y div 3, right W,
// bottom H - Y div 3 (X, Y the resolution, W, H the printable width and
// height). Half an inch on the left, a third at top and bottom.
QRect pageRect(const QPaintDevice &device);

// Prints the document as one job titled "Velmora", laid out on the page
// rectangle with a new page whenever it is full, in the document's own
// fonts and colours. False when the job could not be started.
bool printDocument(const QTextDocument &document, QPrinter &printer);

// The settings value that keeps the folder of the last PDF saved.
inline const QString kPdfFolderSetting = QStringLiteral("PDF folder");

// The file name proposed for a PDF of a report: its caption without what a
// file name cannot hold (slashes, colons, trailing dots ...), a blank and
// the date, "Seznam evidovaných videokazet 2026-12-10.pdf".
QString proposedPdfName(const QString &caption, const QDate &date = QDate::currentDate());

// Asks where to save a PDF, proposing the caption's name in the folder of
// the last PDF (the documents folder at first); ".pdf" is added to a name
// without a suffix and the folder chosen is remembered. Without a caption,
// the report title, or else the title, of the window in front is taken.
// Empty when the user cancels.
QString askPdfFileName(const QString &caption = QString());

// The same print procedure into a PDF file, on the paper of the run's
// printer; a file has no unprintable border, so the page is the paper.
// The user is told where the file went once it is there; false (and
// nothing said) when it could not be written.
bool writePdf(const QTextDocument &document, const QString &fileName);
// Whether the PDF just written is there and not empty; when it is, the user
// is told where it lies, after the sentence given ("… do souboru:").
bool confirmPdf(const QString &fileName, const QString &sentence);

} // namespace velmora::report
