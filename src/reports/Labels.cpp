#include "reports/Labels.h"

#include "engine/Table.h"
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

int dots(double mm, int dpi)
{
    // Places are given to a tenth of a millimetre; whole numbers keep a half
    // dot a half, so it goes to the even dot.
    const long long a = std::llround(mm * 10) * dpi;
    const long long q = a / 254, r = a % 254;
    const long long twice = 2 * (r < 0 ? -r : r);
    long long out = q;
    if (twice > 254 || (twice == 254 && (q % 2) != 0))
        out += a < 0 ? -1 : 1;
    return int(out);
}

int topSlot(const CassetteRecord &cassette)
{
    for (int n = kCassetteSlots; n > 0; --n)
        if (cassette.recordings[size_t(n - 1)].used())
            return n;
    return 0;
}

std::vector<double> spineRows(int k)
{
    switch (k) {
    case 1:
        return {8};
    case 2:
        return {5, 10};
    case 3:
        return {2.5, 7.5, 12.5};
    case 4:
        return {1.5, 5.5, 9.5, 13.5};
    case 5:
        return {0.6, 4.3, 8, 11.7, 15.4};
    default:
        return {};
    }
}

std::vector<Placement> singlePlan(const CassetteRecord &cassette)
{
    std::vector<Placement> plan{{0, Label::Spine, 30, 30, 0}};
    if (topSlot(cassette) >= 1)
        plan.push_back({0, Label::Face, 61.5, 80, 0});
    return plan;
}

std::vector<Placement> sheetPlan(int count, Choice choice)
{
    std::vector<Placement> plan;
    if (count <= 0)
        return plan;
    int sheet = 0;
    if (choice != Choice::SpineOnly) {
        for (int i = 0; i < count; ++i) {
            const int place = i % kFacesPerSheet;
            const int column = place / 5, row = place % 5;
            plan.push_back(
                {i / kFacesPerSheet, Label::Face, 27.0 + 78 * column, 12.0 + 47 * row, i});
        }
        sheet = (count - 1) / kFacesPerSheet + 1;
    }
    if (choice != Choice::FaceOnly) {
        for (int i = 0; i < count; ++i)
            plan.push_back({sheet + i / kSpinesPerSheet, Label::Spine, 30,
                            12.0 + 20 * (i % kSpinesPerSheet), i});
    }
    return plan;
}

int sheetsNeeded(int count, Choice choice)
{
    if (count <= 0)
        return 0;
    const int faces = (count + kFacesPerSheet - 1) / kFacesPerSheet;
    const int spines = (count + kSpinesPerSheet - 1) / kSpinesPerSheet;
    switch (choice) {
    case Choice::FaceOnly:
        return faces;
    case Choice::SpineOnly:
        return spines;
    case Choice::Both:
        break;
    }
    return faces + spines;
}

QString estimateText(int sheets)
{
    return QStringLiteral("Potřebujete k vytištění: ") + QString::number(sheets) +
           QStringLiteral(" x A4 !");
}

NumberOrder readOrder(const Table &table)
{
    NumberOrder out;
    const int number = table.requireField(QStringLiteral("cislo"));
    out.records = table.visibleRecords();
    out.numbers.reserve(qsizetype(out.records.size()));
    for (const int rec : out.records)
        out.numbers << table.asStringAt(rec, number);
    return out;
}

Span rangeSpan(const QStringList &numbers, const QString &first, const QString &last)
{
    const int begin = int(numbers.indexOf(first));
    const int end = int(numbers.lastIndexOf(last)) + 1;
    if (begin < 0 || end <= begin)
        return {};
    return {begin, end};
}

namespace {

CassetteRecord labelFields(const Table &t, const CassetteColumns &columns)
{
    CassetteRecord r;
    r.number = t.asString(columns.number);
    for (int n = 0; n < kCassetteSlots; ++n) {
        const CassetteColumns::Slot &c = columns.recordings[size_t(n)];
        CassetteSlot &s = r.recordings[size_t(n)];
        s.title = t.asString(c.title);
        s.genre = t.asString(c.genre);
        s.speed = t.asString(c.speed);
        s.length = t.asInteger(c.length);
    }
    return r;
}

} // namespace

CassetteRecord readLabelFields(const Table &table)
{
    return labelFields(table, CassetteColumns(table));
}

std::vector<CassetteRecord> readLabelFields(Table &table, const std::vector<int> &records)
{
    const CassetteColumns columns(table);
    std::vector<CassetteRecord> out;
    out.reserve(records.size());
    for (const int rec : records) {
        table.moveToRecord(rec);
        out.push_back(labelFields(table, columns));
    }
    return out;
}

Job singleJob(const CassetteRecord &cassette)
{
    return {QStringLiteral("Tisk etikety - VK číslo ") + cassette.number,
            {cassette},
            singlePlan(cassette)};
}

Job sheetJob(std::vector<CassetteRecord> cassettes, Choice choice)
{
    const int count = int(cassettes.size());
    return {QStringLiteral("Video - Tisk nastavených etiket"), std::move(cassettes),
            sheetPlan(count, choice)};
}

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
