#include "sheets/SheetWriter.h"

#include "storage/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace velmora::sheets {
namespace {

QString text(const char *s)
{
    return QString::fromUtf8(s);
}

QString quotedPath(const QString &path)
{
    return text("„") + Paths::native(path) + text("“");
}

// The file being written, beside its target so that the rename that puts
// it in place stays on one file system and is atomic.
class StagedFile
{
public:
    explicit StagedFile(const QString &target) : m_target(QFileInfo(target).absoluteFilePath()) {}
    ~StagedFile()
    {
        m_file.reset();
        if (!m_staged.isEmpty())
            QFile::remove(m_staged);
    }

    bool create(QString &error)
    {
        const QFileInfo target(m_target);
        m_file = std::make_unique<QTemporaryFile>(target.absolutePath() + QLatin1String("/.") +
                                                  target.fileName() + QLatin1String(".XXXXXX"));
        m_file->setAutoRemove(false);
        if (!m_file->open()) {
            error = text("Soubor %1 nelze vytvořit: do jeho složky nelze zapisovat.")
                        .arg(quotedPath(m_target));
            m_file.reset();
            return false;
        }
        m_staged = m_file->fileName();
        return true;
    }

    QFile &file() { return *m_file; }
    QString path() const { return m_staged; }
    QString target() const { return m_target; }

    // The failure of writing the content, told of the target.
    QString writeError() const
    {
        QString e = text("Soubor %1 se nepodařilo zapsat celý, na disku asi není dost místa.")
                        .arg(quotedPath(m_target));
        if (QFileInfo::exists(m_target))
            e += text(" Dosavadní soubor zůstal, jak byl.");
        return e;
    }

    // Flushed to the medium and renamed over the target.
    bool commit(QString &error)
    {
        m_file.reset();
        const int fd = ::open(QFile::encodeName(m_staged).constData(), O_RDONLY | O_CLOEXEC);
        const bool synced = fd >= 0 && ::fsync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!synced) {
            error = writeError();
            return false;
        }
        // A replaced file keeps its permissions; a new one gets the usual.
        const QFileDevice::Permissions permissions =
            QFileInfo::exists(m_target) ? QFile::permissions(m_target)
                                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QFile::setPermissions(m_staged, permissions);
        if (std::rename(QFile::encodeName(m_staged).constData(),
                        QFile::encodeName(m_target).constData()) != 0) {
            error = text("Soubor %1 nelze nahradit novým; dosavadní soubor zůstal, jak byl.")
                        .arg(quotedPath(m_target));
            return false;
        }
        m_staged.clear();
        return true;
    }

private:
    QString m_target;
    QString m_staged;
    std::unique_ptr<QTemporaryFile> m_file;
};

bool needsQuotes(const QString &s)
{
    for (const QChar c : s)
        if (c == QLatin1Char('"') || c == QLatin1Char(';') || c == QLatin1Char('\n') ||
            c == QLatin1Char('\r'))
            return true;
    return false;
}

void appendNumber(QString &out, qint64 value)
{
    char digits[24];
    int n = 0;
    const bool negative = value < 0;
    quint64 v = negative ? quint64(-(value + 1)) + 1 : quint64(value);
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v);
    if (negative)
        out += QLatin1Char('-');
    while (n)
        out += QLatin1Char(digits[--n]);
}

void appendTwo(QString &out, int value)
{
    out += QLatin1Char(char('0' + value / 10 % 10));
    out += QLatin1Char(char('0' + value % 10));
}

// RFC 4180 with ';': a value holding a quote, a separator or a line break
// is quoted, its quotes doubled; lines end with CRLF.
class CsvWriter : public SheetWriter
{
public:
    explicit CsvWriter(const QString &target) : m_file(target) {}

    bool beginSheet(const QString &, const QList<SheetColumn> &columns, qint64) override
    {
        if (m_begun) {
            m_error = text("Do souboru CSV lze uložit jen jednu tabulku; pro více tabulek "
                           "zvolte formát XLSX.");
            return false;
        }
        m_begun = true;
        if (!m_file.create(m_error))
            return false;
        m_columns = int(columns.size());
        m_buffer.reserve(kFlushAt + 4096);
        m_buffer += QChar(0xFEFF);
        for (int c = 0; c < m_columns; ++c)
            appendValue(c, columns[c].header);
        m_buffer += QLatin1String("\r\n");
        return true;
    }

    bool row(const Cell *cells) override
    {
        for (int c = 0; c < m_columns; ++c) {
            const Cell &cell = cells[c];
            if (c)
                m_buffer += QLatin1Char(';');
            switch (cell.type) {
            case Cell::Type::Empty:
                break;
            case Cell::Type::Text:
            case Cell::Type::DateText:
                appendText(cell.text);
                break;
            case Cell::Type::Number:
                appendNumber(m_buffer, cell.number);
                break;
            case Cell::Type::Date:
                appendTwo(m_buffer, cell.date.day());
                m_buffer += QLatin1Char('.');
                appendTwo(m_buffer, cell.date.month());
                m_buffer += QLatin1Char('.');
                appendTwo(m_buffer, cell.date.year() / 100);
                appendTwo(m_buffer, cell.date.year() % 100);
                break;
            case Cell::Type::Seconds:
                m_buffer += minutesAndSeconds(cell.number);
                break;
            }
        }
        m_buffer += QLatin1String("\r\n");
        return m_buffer.size() < kFlushAt || flush();
    }

    bool endSheet() override { return flush(); }

    bool finish() override
    {
        if (!flush())
            return false;
        if (!m_file.file().flush()) {
            m_error = m_file.writeError();
            return false;
        }
        return m_file.commit(m_error);
    }

private:
    static constexpr qsizetype kFlushAt = 1 << 18;

    void appendValue(int column, const QString &value)
    {
        if (column)
            m_buffer += QLatin1Char(';');
        appendText(value);
    }

    void appendText(const QString &value)
    {
        if (!needsQuotes(value)) {
            m_buffer += value;
            return;
        }
        m_buffer += QLatin1Char('"');
        for (const QChar c : value) {
            if (c == QLatin1Char('"'))
                m_buffer += QLatin1Char('"');
            m_buffer += c;
        }
        m_buffer += QLatin1Char('"');
    }

    bool flush()
    {
        if (m_buffer.isEmpty())
            return true;
        const QByteArray bytes = m_buffer.toUtf8();
        m_buffer.clear();
        if (m_file.file().write(bytes) != bytes.size()) {
            m_error = m_file.writeError();
            return false;
        }
        return true;
    }

    StagedFile m_file;
    QString m_buffer;
    int m_columns = 0;
    bool m_begun = false;
};

// Widths in characters, as a column's longest value asks.
constexpr int kMaxWidth = 60;
constexpr int kMemoWidth = 50;

// One workbook streamed a row at a time (constant memory: a sheet of half
// a million rows is not held), typed cells, bold frozen header, autofilter.
class XlsxWriter : public SheetWriter
{
public:
    explicit XlsxWriter(const QString &target) : m_file(target) {}
    ~XlsxWriter() override
    {
        // A workbook given up is freed without writing its file.
        if (m_book)
            lxw_workbook_free(m_book);
    }

    bool beginSheet(const QString &name, const QList<SheetColumn> &columns, qint64 rows) override
    {
        if (rows > kXlsxMaxRows) {
            m_error = text("Tabulka „%1“ má %2 řádků, list sešitu XLSX jich pojme nejvýše %3.")
                          .arg(name)
                          .arg(rows)
                          .arg(kXlsxMaxRows);
            return false;
        }
        if (!m_book && !openBook())
            return false;
        const QByteArray sheetName = name.toUtf8();
        m_sheet = workbook_add_worksheet(m_book, sheetName.constData());
        if (!m_sheet) {
            m_error = m_file.writeError();
            return false;
        }
        m_columns = columns;
        m_widths.assign(size_t(columns.size()), 0);
        for (int c = 0; c < int(columns.size()); ++c) {
            const QByteArray header = columns[c].header.toUtf8();
            worksheet_write_string(m_sheet, 0, lxw_col_t(c), header.constData(), m_bold);
            // Room for the autofilter's button beside the header.
            m_widths[size_t(c)] = int(columns[c].header.size()) + 3;
        }
        worksheet_freeze_panes(m_sheet, 1, 0);
        worksheet_autofilter(m_sheet, 0, 0, lxw_row_t(rows), lxw_col_t(columns.size() - 1));
        m_row = 0;
        return true;
    }

    bool row(const Cell *cells) override
    {
        ++m_row;
        const lxw_row_t r = lxw_row_t(m_row);
        for (int c = 0; c < int(m_columns.size()); ++c) {
            const Cell &cell = cells[c];
            const lxw_col_t col = lxw_col_t(c);
            int width = 0;
            lxw_error e = LXW_NO_ERROR;
            switch (cell.type) {
            case Cell::Type::Empty:
                break;
            case Cell::Type::Text:
                e = writeText(r, col, cell.text, m_columns[c].kind == CellKind::Memo, width);
                break;
            case Cell::Type::Number:
                e = worksheet_write_number(m_sheet, r, col, double(cell.number), nullptr);
                width = cell.number > -100000 && cell.number < 1000000 ? 7 : 12;
                break;
            case Cell::Type::Date:
                e = writeDate(r, col, cell.date);
                width = 11;
                break;
            case Cell::Type::Seconds:
                e = worksheet_write_number(m_sheet, r, col, double(cell.number) / 86400.0, m_time);
                width = 7;
                break;
            case Cell::Type::DateText: {
                const QDate date = dateOfText(cell.text);
                if (date.isValid()) {
                    e = writeDate(r, col, date);
                    width = 11;
                } else {
                    e = writeText(r, col, cell.text, false, width);
                }
                break;
            }
            }
            if (e != LXW_NO_ERROR) {
                m_error = m_file.writeError();
                return false;
            }
            int &w = m_widths[size_t(c)];
            w = std::max(w, width);
        }
        return true;
    }

    bool endSheet() override
    {
        for (int c = 0; c < int(m_columns.size()); ++c) {
            const bool memo = m_columns[c].kind == CellKind::Memo;
            const int width = std::min(m_widths[size_t(c)], memo ? kMemoWidth : kMaxWidth);
            worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c), width,
                                 memo ? m_wrap : nullptr);
        }
        return true;
    }

    bool finish() override
    {
        if (!m_book && !openBook())
            return false;
        lxw_workbook *book = m_book;
        m_book = nullptr;
        if (workbook_close(book) != LXW_NO_ERROR) {
            m_error = m_file.writeError();
            return false;
        }
        return m_file.commit(m_error);
    }

private:
    bool openBook()
    {
        if (!m_file.create(m_error))
            return false;
        // libxlsxwriter opens the file by name itself.
        m_file.file().close();
        m_path = QFile::encodeName(m_file.path());
        m_tmp = QFile::encodeName(QDir::toNativeSeparators(Paths::tempDir()));
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = m_tmp.data();
        m_book = workbook_new_opt(m_path.constData(), &options);
        if (!m_book) {
            m_error = m_file.writeError();
            return false;
        }
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
        m_date = workbook_add_format(m_book);
        format_set_num_format(m_date, "dd.mm.yyyy");
        m_time = workbook_add_format(m_book);
        format_set_num_format(m_time, "[m]:ss");
        m_wrap = workbook_add_format(m_book);
        format_set_text_wrap(m_wrap);
        format_set_align(m_wrap, LXW_ALIGN_VERTICAL_TOP);
        return true;
    }

    lxw_error writeText(lxw_row_t r, lxw_col_t c, const QString &value, bool memo, int &width)
    {
        if (value.isEmpty())
            return LXW_NO_ERROR;
        QStringView shown(value);
        if (shown.size() > kXlsxMaxText) {
            shown = shown.left(kXlsxMaxText);
            if (shown.back().isHighSurrogate())
                shown.chop(1);
        }
        width = int(std::min<qsizetype>(shown.size(), kMaxWidth)) + 1;
        const QByteArray bytes = shown.toUtf8();
        return worksheet_write_string(m_sheet, r, c, bytes.constData(), memo ? m_wrap : nullptr);
    }

    lxw_error writeDate(lxw_row_t r, lxw_col_t c, const QDate &date)
    {
        lxw_datetime value{date.year(), date.month(), date.day(), 0, 0, 0.0};
        return worksheet_write_datetime(m_sheet, r, c, &value, m_date);
    }

    StagedFile m_file;
    QByteArray m_path, m_tmp;
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    lxw_format *m_bold = nullptr, *m_date = nullptr, *m_time = nullptr, *m_wrap = nullptr;
    QList<SheetColumn> m_columns;
    std::vector<int> m_widths;
    qint64 m_row = 0;
};

int digitsAt(QStringView s, qsizetype from, qsizetype count)
{
    int v = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        if (!s[i].isDigit() || s[i].unicode() > '9')
            return -1;
        v = v * 10 + (s[i].unicode() - '0');
    }
    return v;
}

} // namespace

QDate dateOfText(QStringView text)
{
    const QStringView s = text.trimmed();
    const qsizetype firstDot = s.indexOf(QLatin1Char('.'));
    const qsizetype secondDot = firstDot < 0 ? -1 : s.indexOf(QLatin1Char('.'), firstDot + 1);
    if (firstDot < 1 || firstDot > 2 || secondDot - firstDot < 2 || secondDot - firstDot > 3 ||
        s.size() - secondDot != 5)
        return {};
    const int day = digitsAt(s, 0, firstDot);
    const int month = digitsAt(s, firstDot + 1, secondDot - firstDot - 1);
    const int year = digitsAt(s, secondDot + 1, 4);
    if (day < 0 || month < 0 || year < 0)
        return {};
    return QDate(year, month, day);
}

QString minutesAndSeconds(qint64 seconds)
{
    QString out;
    if (seconds < 0) {
        out += QLatin1Char('-');
        seconds = -seconds;
    }
    appendNumber(out, seconds / 60);
    out += QLatin1Char(':');
    appendTwo(out, int(seconds % 60));
    return out;
}

std::unique_ptr<SheetWriter> makeWriter(Format format, const QString &target)
{
    if (format == Format::Csv)
        return std::make_unique<CsvWriter>(target);
    return std::make_unique<XlsxWriter>(target);
}

} // namespace velmora::sheets
