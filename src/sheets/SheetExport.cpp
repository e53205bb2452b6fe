#include "sheets/SheetExport.h"

#include "engine/DbError.h"
#include "sheets/SheetRows.h"
#include "sheets/SheetWriter.h"

#include <QFileInfo>

#include <vector>

namespace velmora::sheets {
namespace {

QString text(const char *s)
{
    return QString::fromUtf8(s);
}

// How often the caller hears of the rows written.
constexpr qint64 kProgressEvery = 2048;

// The caller's rows; in XLSX each text is turned into the cell its
// column's kind asks for when it reads as one, and kept as text otherwise.
class PlainSource : public SheetSource
{
public:
    PlainSource(const PlainSheet &sheet, bool typed) : m_sheet(sheet), m_typed(typed)
    {
        for (qsizetype c = 0; c < sheet.headers.size(); ++c)
            m_columns.push_back({sheet.headers[c], sheet.kinds.value(c, CellKind::Text)});
    }

    QString name() const override { return m_sheet.name; }
    QList<SheetColumn> columns() const override { return m_columns; }
    qint64 rows() const override { return m_sheet.rows; }

    bool produce(const std::function<bool(const Cell *)> &give) override
    {
        std::vector<Cell> cells(size_t(m_columns.size()));
        for (qint64 r = 0; r < m_sheet.rows; ++r) {
            for (int c = 0; c < int(m_columns.size()); ++c)
                cells[size_t(c)] =
                    cellOf(m_sheet.cell ? m_sheet.cell(r, c) : QString(), m_columns[c].kind);
            if (!give(cells.data()))
                return false;
        }
        return true;
    }

private:
    Cell cellOf(const QString &shown, CellKind kind) const
    {
        if (shown.isEmpty())
            return {};
        if (!m_typed)
            return Cell::of(shown);
        switch (kind) {
        case CellKind::Text:
        case CellKind::Memo:
            break;
        case CellKind::Integer: {
            bool ok = false;
            const qint64 value = QStringView(shown).trimmed().toLongLong(&ok);
            if (ok)
                return Cell::integer(value);
            break;
        }
        case CellKind::Date:
            if (const QDate date = dateOfText(shown); date.isValid())
                return Cell::ofDate(date);
            break;
        case CellKind::Seconds:
            if (const qint64 seconds = secondsOf(shown); seconds >= 0)
                return Cell::seconds(seconds);
            break;
        }
        return Cell::of(shown);
    }

    // "m:ss" with any number of minutes; -1 for anything else.
    static qint64 secondsOf(const QString &shown)
    {
        const QStringView s = QStringView(shown).trimmed();
        const qsizetype colon = s.indexOf(QLatin1Char(':'));
        if (colon < 1 || s.size() - colon != 3)
            return -1;
        bool minutesOk = false, secondsOk = false;
        const qint64 minutes = s.left(colon).toLongLong(&minutesOk);
        const int seconds = s.mid(colon + 1).toInt(&secondsOk);
        if (!minutesOk || !secondsOk || minutes < 0 || seconds < 0 || seconds > 59 ||
            !s[colon + 1].isDigit())
            return -1;
        return minutes * 60 + seconds;
    }

    const PlainSheet &m_sheet;
    bool m_typed;
    QList<SheetColumn> m_columns;
};

ExportResult writeAll(const std::vector<std::unique_ptr<SheetSource>> &sources, const QString &path,
                      Format format, const ExportProgress &progress)
{
    ExportResult result;
    qint64 total = 0;
    for (const auto &s : sources)
        total += s->rows();
    if (progress && !progress(0, total)) {
        result.cancelled = true;
        return result;
    }
    const std::unique_ptr<SheetWriter> writer = makeWriter(format, path);
    qint64 done = 0;
    bool failed = false;
    for (const auto &source : sources) {
        if (!writer->beginSheet(source->name(), source->columns(), source->rows())) {
            result.error = writer->error();
            return result;
        }
        const bool complete = source->produce([&](const Cell *cells) {
            if (!writer->row(cells)) {
                failed = true;
                return false;
            }
            ++done;
            if (progress && done % kProgressEvery == 0 && !progress(done, total)) {
                result.cancelled = true;
                return false;
            }
            return true;
        });
        if (!complete || !writer->endSheet()) {
            if (!result.cancelled || failed)
                result.error = writer->error();
            result.cancelled = result.cancelled && !failed;
            return result;
        }
    }
    if (progress && !progress(done, total)) {
        result.cancelled = true;
        return result;
    }
    if (!writer->finish()) {
        result.error = writer->error();
        return result;
    }
    result.ok = true;
    result.rows = done;
    return result;
}

} // namespace

std::optional<Format> formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv"))
        return Format::Csv;
    if (suffix == QLatin1String("xlsx"))
        return Format::Xlsx;
    return std::nullopt;
}

ExportResult exportSheets(const TableHandles &tables, const QList<Sheet> &sheets,
                          const QString &path, Format format, const ExportProgress &progress)
{
    ExportResult result;
    if (sheets.isEmpty()) {
        result.error = text("Není vybrána žádná tabulka k uložení.");
        return result;
    }
    if (format == Format::Csv && sheets.size() > 1) {
        result.error = text("Do souboru CSV lze uložit jen jednu tabulku; pro více tabulek "
                            "zvolte formát XLSX.");
        return result;
    }
    try {
        std::vector<std::unique_ptr<SheetSource>> sources;
        for (const Sheet sheet : sheets)
            sources.push_back(catalogueSheet(tables, sheet));
        return writeAll(sources, path, format, progress);
    } catch (const DbError &e) {
        result.error = e.message();
    }
    return result;
}

ExportResult exportPlain(const PlainSheet &sheet, const QString &path, Format format,
                         const ExportProgress &progress)
{
    std::vector<std::unique_ptr<SheetSource>> sources;
    sources.push_back(std::make_unique<PlainSource>(sheet, format == Format::Xlsx));
    return writeAll(sources, path, format, progress);
}

} // namespace velmora::sheets
