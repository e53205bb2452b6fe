#include "reports/Labels.h"

#include "platform/Dialogs.h"
#include "printing/ReportPrint.h"
#include "writer/ReportText.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <cmath>

namespace velmora::labels {
namespace {

const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGray(128, 128, 128);

// The face label's bands are 9 mm apart; titles 1.5 mm and genres and
// lengths 5.5 mm below a band's top.
constexpr double kBand = 9;

// Draws on one device in its dots, converting millimetres as the printer
// would: every position is a length from the top left corner of the paper,
// rounded to a whole dot on its own.
class LabelPainter
{
public:
    LabelPainter(QPainter &painter, int dpi)
        : m_p(painter), m_dpi(dpi), m_number(font(12, true)), m_text(font(9, false)),
          m_title(font(9, true))
    {
    }

    void spine(const CassetteRecord &c, double left, double top)
    {
        // The text colour starts black on every spine label.
        outline(left, top, kSpineWidth, kSpineHeight);
        text(m_number, kBlue, left + 3, top + 4, c.number);
        const int k = topSlot(c);
        const std::vector<double> rows = spineRows(k);
        for (int n = 0; n < k; ++n) {
            const CassetteSlot &s = c.recordings[size_t(n)];
            text(m_text, kBlack, left + 20, top + rows[size_t(n)], s.title);
            text(m_text, kBlue, left + 133, top + rows[size_t(n)], s.speed);
        }
    }

    void face(const CassetteRecord &c, double left, double top)
    {
        outline(left, top, kFaceWidth, kFaceHeight);
        m_p.setPen(QPen(kGray, 0));
        for (int line = 1; line < kCassetteSlots; ++line) {
            const int y = at(top + kBand * line + 1);
            m_p.drawLine(at(left + 2), y, at(left + 76), y);
        }
        for (int n = 0; n < kCassetteSlots; ++n) {
            const CassetteSlot &s = c.recordings[size_t(n)];
            const double band = top + kBand * n;
            text(m_title, kBlack, left + 6, band + 1.5, s.title);
            text(m_text, kBlack, left + 6, band + 5.5, s.genre);
            if (s.used())
                text(m_text, kBlue, left + 62, band + 5.5, report::timeText(s.length));
        }
    }

private:
    struct Font
    {
        QFont font;
        double ascent = 0;
    };

    Font font(double points, bool bold) const
    {
        // The face of the text is ours to choose; Arial is the usual one of
        // a printer's canvas, and any sans serif stands in for it.
        QFont f(QStringLiteral("Arial"));
        f.setStyleHint(QFont::SansSerif);
        f.setPointSizeF(points);
        f.setBold(bold);
        return {f, QFontMetricsF(f, m_p.device()).ascent()};
    }

    int at(double mm) const { return dots(mm, m_dpi); }

    void outline(double left, double top, double width, double height)
    {
        m_p.setPen(QPen(kBlack, 0));
        m_p.setBrush(Qt::NoBrush);
        const int x = at(left), y = at(top);
        m_p.drawRect(x, y, at(left + width) - x, at(top + height) - y);
    }

    // The text's top left at the point: its baseline an ascent lower.
    void text(const Font &f, const QColor &colour, double left, double top, const QString &s)
    {
        if (s.isEmpty())
            return;
        m_p.setFont(f.font);
        m_p.setPen(colour);
        m_p.drawText(QPointF(at(left), at(top) + f.ascent), s);
    }

    QPainter &m_p;
    int m_dpi;
    Font m_number, m_text, m_title;
};

} // namespace

bool paintLabels(QPagedPaintDevice &device, const Job &job)
{
    if (auto *printer = dynamic_cast<QPrinter *>(&device))
        printer->setDocName(job.title);
    else if (auto *writer = dynamic_cast<QPdfWriter *>(&device))
        writer->setTitle(job.title);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Label stock is laid out from the paper's corner, where a PDF page
    // starts; a printer's page starts at its printable area, so the drawing
    // steps back by that area's offset and both put a label at one place.
    const int dpi = device.logicalDpiX();
    painter.translate(-device.pageLayout().paintRectPixels(dpi).topLeft());
    LabelPainter labels(painter, dpi);
    int sheet = 0;
    for (const Placement &at : job.plan) {
        for (; sheet < at.sheet; ++sheet)
            device.newPage();
        const CassetteRecord &c = job.cassettes.at(size_t(at.cassette));
        if (at.label == Label::Face)
            labels.face(c, at.left, at.top);
        else
            labels.spine(c, at.left, at.top);
    }
    return painter.end();
}

bool printLabels(const Job &job)
{
    bool painted = false;
    const bool printed = dialogs::printPreview(
        report::currentPrinter(), [&](QPrinter &printer) { painted = paintLabels(printer, job); });
    if (printed && !painted)
        dialogs::error(QStringLiteral("Chyba"),
                       QStringLiteral("Etikety se nepodařilo vytisknout."));
    return printed && painted;
}

bool writePdf(const Job &job, const QString &fileName)
{
    QPdfWriter pdf(fileName);
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setCreator(report::kJobTitle);
    return paintLabels(pdf, job);
}

bool savePdf(const Job &job)
{
    const QString name = report::askPdfFileName();
    if (name.isEmpty())
        return false;
    if (!writePdf(job, name) ||
        !report::confirmPdf(name, QStringLiteral("Etikety byly uloženy do souboru:"))) {
        dialogs::error(QStringLiteral("Chyba"),
                       QStringLiteral("Etikety nelze uložit do souboru \"%1\".")
                           .arg(QDir::toNativeSeparators(name)));
        return false;
    }
    return true;
}

} // namespace velmora::labels
