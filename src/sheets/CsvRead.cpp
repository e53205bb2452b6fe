#include "sheets/CsvRead.h"

#include "engine/Codepage.h"
#include "engine/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace velmora::sheets::csv {

bool readFile(const QString &path, QByteArray &bytes, QString &problem, qint64 limit)
{
    if (QFileInfo(path).isSymLink()) {
        problem = QString::fromUtf8("Soubor %1 je symbolický odkaz; program čte jen soubor "
                                    "samotný, ne odkaz na něj.")
                      .arg(path);
        return false;
    }
    QFile file;
    // A pipe or device is refused before it is opened, a link wherever it leads.
    const regular::Outcome opened = regular::open(file, path, false, regular::Links::Refuse);
    if (!opened.ok()) {
        problem = opened.problem;
        return false;
    }
    if (file.size() > limit) {
        problem = QString::fromUtf8("Soubor %1 je příliš velký (%2 MB); program čte tabulky "
                                    "nejvýše do %3 MB.")
                      .arg(path)
                      .arg((file.size() + 1024 * 1024 - 1) / (1024 * 1024))
                      .arg(limit / (1024 * 1024));
        return false;
    }
    // Never more than the limit, even when the file grows while it is read.
    bytes = file.read(limit + 1);
    if (bytes.size() > limit) {
        problem = QString::fromUtf8("Soubor %1 je příliš velký; program čte tabulky nejvýše do "
                                    "%2 MB.")
                      .arg(path)
                      .arg(limit / (1024 * 1024));
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        problem = QString::fromUtf8("Soubor %1 nelze přečíst (%2).").arg(path, file.errorString());
        return false;
    }
    return true;
}

QString notTextProblem(const QByteArray &bytes, const QString &path)
{
    if (bytes.startsWith(QByteArray("PK\x03\x04", 4)))
        return QString::fromUtf8("Soubor %1 je sešit (XLSX), ne text CSV. Uložte ho v tabulkovém "
                                 "programu jako „CSV (oddělený středníkem)“ a importujte ten.")
            .arg(path);
    // UTF-16 text is full of zero bytes; with its byte order mark it is text.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return QString();
    if (bytes.left(4096).contains('\0'))
        return QString::fromUtf8("Soubor %1 není text CSV, obsahuje binární data. Uložte tabulku "
                                 "v tabulkovém programu jako „CSV (oddělený středníkem)“ a "
                                 "importujte ten soubor.")
            .arg(path);
    return QString();
}

Text decode(const QByteArray &bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF", 3);
    if (bytes.startsWith(bom))
        return {QString::fromUtf8(bytes.mid(3)), QStringLiteral("UTF-8")};
    // Excel's "Unicode text": UTF-16 with its byte order mark, tab-separated.
    const bool littleEndian = bytes.startsWith("\xFF\xFE");
    if (littleEndian || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        return {utf16.decode(bytes.mid(2)), QStringLiteral("UTF-16")};
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return {text, QStringLiteral("UTF-8")};
    return {Codepage::cp1250().decode(bytes.constData(), int(bytes.size())),
            QStringLiteral("cp1250")};
}

QChar detectSeparator(const QString &text)
{
    int semicolons = 0, commas = 0, tabs = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            quoted = !quoted; // a doubled quote toggles twice
        } else if (!quoted) {
            if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                break;
            if (c == QLatin1Char(';'))
                ++semicolons;
            else if (c == QLatin1Char(','))
                ++commas;
            else if (c == QLatin1Char('\t'))
                ++tabs;
        }
    }
    if (tabs > semicolons && tabs > commas)
        return QLatin1Char('\t');
    if (commas > semicolons)
        return QLatin1Char(',');
    return QLatin1Char(';');
}

Parsed parse(const QString &text)
{
    Parsed out;
    out.separator = detectSeparator(text);
    const QChar sep = out.separator;
    int line = 1;
    Record record{1, {}};
    QString cell;
    bool quoted = false;    // inside a quoted value
    bool wasQuoted = false; // the current value began with a quote
    int quoteLine = 0;
    const auto endRecord = [&](int nextLine) {
        record.cells << cell;
        bool any = false;
        for (const QString &c : record.cells)
            any = any || !c.trimmed().isEmpty();
        if (any)
            out.records << record;
        record = Record{nextLine, {}};
        cell.clear();
        wasQuoted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    cell += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                cell += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && (cell.trimmed().isEmpty() && !wasQuoted)) {
            // Blanks before an opening quote are a spreadsheet's padding.
            cell.clear();
            quoted = true;
            wasQuoted = true;
            quoteLine = line;
        } else if (c == sep) {
            record.cells << cell;
            cell.clear();
            wasQuoted = false;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++line;
            endRecord(line);
        } else if (wasQuoted && c.isSpace()) {
            // Blanks after a closing quote add nothing to the value.
        } else {
            cell += c;
        }
    }
    if (quoted)
        out.openQuoteLine = quoteLine;
    if (!cell.isEmpty() || !record.cells.isEmpty() || wasQuoted)
        endRecord(line);
    return out;
}

} // namespace velmora::sheets::csv
