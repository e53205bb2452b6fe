#pragma once

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

// Asks where to save a PDF, starting in the documents folder; ".pdf" is
// added to a name without a suffix. Empty when the user cancels.
QString askPdfFileName();

// The same print procedure into a PDF file, on the paper of the run's
// printer; a file has no unprintable border, so the page is the paper.
bool writePdf(const QTextDocument &document, const QString &fileName);

} // namespace velmora::report
