#include "printing/ReportPrint.h"

#include "platform/Dialogs.h"
#include "platform/MachineInfo.h"
#include "system/SettingsStore.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

namespace velmora::report {
namespace {

QPrinter *g_printer = nullptr;

} // namespace

QPrinter &currentPrinter()
{
    if (!g_printer) {
        g_printer = new QPrinter(QPrinter::HighResolution);
        // Freed with the application, while the print system still exists.
        qAddPostRoutine([] {
            delete g_printer;
            g_printer = nullptr;
        });
    }
    return *g_printer;
}

QString currentPrinterName()
{
    if (g_printer && g_printer->outputFormat() == QPrinter::NativeFormat &&
        !g_printer->printerName().isEmpty())
        return g_printer->printerName();
    return machine::currentPrinterName();
}

QRect pageRect(const QPaintDevice &device)
{
    const int x = device.logicalDpiX();
    const int y = device.logicalDpiY();
    const int w = device.width();
    const int h = device.height();
    const int left = x / 2;
    const int top = y / 3;
    const int bottom = h - y / 3;
    return QRect(left, top, qMax(1, w - left), qMax(1, bottom - top));
}

namespace {

// The pane keeps lines of one format in one paragraph, parted by line
// separators. On paper every line is a paragraph again: paragraphs are laid
// out in whole printer dots and never broken across a page, lines inside
// one are neither.
void splitIntoParagraphs(QTextDocument &document)
{
    // Positions in the document are positions in its raw text; from the
    // end, so that the ones still to come stay where they were.
    const QString raw = document.toRawText();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (qsizetype i = raw.size() - 1; i >= 0; --i) {
        if (raw[i] != QChar::LineSeparator)
            continue;
        cursor.setPosition(int(i));
        cursor.setPosition(int(i) + 1, QTextCursor::KeepAnchor);
        const QTextCharFormat format = cursor.charFormat();
        cursor.removeSelectedText();
        cursor.insertBlock(cursor.blockFormat(), format);
    }
    cursor.endEditBlock();
}

} // namespace

bool printDocument(const QTextDocument &document, QPrinter &printer)
{
    printer.setDocName(kJobTitle);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect rect = pageRect(printer);

    // Laid out afresh for the printer: its resolution gives the sizes of
    // the fonts, and no margin of its own inside the page rectangle.
    std::unique_ptr<QTextDocument> copy(document.clone());
    splitIntoParagraphs(*copy);
    copy->setDocumentMargin(0);
    QAbstractTextDocumentLayout *layout = copy->documentLayout();
    layout->setPaintDevice(painter.device());
    copy->setPageSize(rect.size());

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    const int pages = qMax(1, copy->pageCount());
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            printer.newPage();
        const QRectF view(0, qreal(page) * rect.height(), rect.width(), rect.height());
        painter.save();
        painter.translate(rect.left(), rect.top() - view.top());
        painter.setClipRect(view);
        // A line that starts on the next page touches this one's bottom edge
        // only; drawing it here would leave its clipped text in the page.
        context.clip = view.adjusted(0, 0, 0, -0.5);
        layout->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}

bool writePdf(const QTextDocument &document, const QString &fileName)
{
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(fileName);
    QPageLayout page = currentPrinter().pageLayout();
    page.setMinimumMargins(QMarginsF());
    page.setMargins(QMarginsF());
    pdf.setPageLayout(page);
    if (!printDocument(document, pdf))
        return false;
    return confirmPdf(fileName, QStringLiteral("Sestava byla uložena do souboru:"));
}

bool confirmPdf(const QString &fileName, const QString &sentence)
{
    // A full disk lets the job end well and leaves an empty file.
    const QFileInfo written(fileName);
    if (!written.isFile() || written.size() == 0)
        return false;
    dialogs::information(QStringLiteral("Informace"),
                         sentence + QStringLiteral("\r\n") +
                             QDir::toNativeSeparators(written.absoluteFilePath()));
    return true;
}

QString proposedPdfName(const QString &caption, const QDate &date)
{
    QString name;
    for (const QChar c : caption) {
        // What Windows and the other systems refuse in a file name.
        if (c.unicode() < 32 || QStringLiteral("\\/:*?\"<>|").contains(c))
            name += QLatin1Char(' ');
        else
            name += c;
    }
    name = name.simplified();
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    if (name.isEmpty())
        name = kJobTitle;
    return name + QLatin1Char(' ') + date.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(".pdf");
}

namespace {

// The report the user is looking at: the title a report screen sets for its
// report, else the caption of the window in front.
QString captionInFront()
{
    QWidget *front = QApplication::activeModalWidget();
    if (!front)
        front = QApplication::activeWindow();
    if (!front)
        return QString();
    if (const auto *title = front->findChild<QLabel *>(QStringLiteral("RxLabel1"))) {
        QString text = title->text().trimmed();
        while (text.endsWith(QLatin1Char(':')))
            text.chop(1);
        if (!text.trimmed().isEmpty())
            return text;
    }
    return front->windowTitle();
}

QString pdfFolder()
{
    try {
        const QString kept = SettingsStore::own().readString(kPdfFolderSetting);
        if (!kept.isEmpty() && QFileInfo(kept).isDir())
            return kept;
    } catch (const std::exception &) {
        // A value of another type is passed over; the next save replaces it.
    }
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QDir::homePath();
    return dir;
}

} // namespace

QString askPdfFileName(const QString &caption)
{
    const QString name = proposedPdfName(caption.isEmpty() ? captionInFront() : caption);
    QString chosen =
        dialogs::saveFileName(QStringLiteral("Uložit jako PDF"), QDir(pdfFolder()).filePath(name),
                              QStringLiteral("Dokument PDF (*.pdf)"));
    if (chosen.isEmpty())
        return chosen;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".pdf");
    try {
        SettingsStore store = SettingsStore::own();
        store.writeString(kPdfFolderSetting, QFileInfo(chosen).absolutePath());
        store.sync();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    return chosen;
}

} // namespace velmora::report
