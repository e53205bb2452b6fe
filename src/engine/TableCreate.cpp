// A new table: its header, an empty memo file where it has memo fields, and
// no index or post note of an earlier table of the same name.

#include "engine/FileBytes.h"
#include "engine/TableFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstring>

namespace velmora {

using namespace filebytes;

void TableFile::create(const QString &path, const QList<FieldDef> &fields, const QStringList &tags)
{
    const QString bad = QObject::tr("Tabulku %1 nelze založit: %2");
    if (isOpenAnywhere(path))
        throw DbError(bad.arg(path, QObject::tr("je právě otevřena")));
    if (fields.isEmpty())
        throw DbError(bad.arg(path, QObject::tr("nemá žádné pole")));
    QStringList seen;
    bool hasMemo = false;
    int recordSize = 1;
    for (const FieldDef &f : fields) {
        const QString upper = f.name.toUpper();
        if (f.name.isEmpty() || f.name.size() > 10 || seen.contains(upper) ||
            f.name.toLatin1() != f.name.toUtf8())
            throw DbError(bad.arg(path, QObject::tr("neplatné jméno pole \"%1\"").arg(f.name)));
        seen << upper;
        int width = f.width;
        if (f.type == FieldType::String && (width < 1 || width > 254))
            throw DbError(bad.arg(path, QObject::tr("neplatná šířka pole \"%1\"").arg(f.name)));
        switch (f.type) {
        case FieldType::Integer:
            width = 11;
            break;
        case FieldType::Date:
            width = 8;
            break;
        case FieldType::Boolean:
            width = 1;
            break;
        case FieldType::Memo:
            width = 10;
            hasMemo = true;
            break;
        case FieldType::DateTime:
            width = 14;
            break;
        case FieldType::Number:
            width = qBound(1, f.width ? f.width : 20, 20);
            break;
        case FieldType::String:
            break;
        default: // kinds that only older files carry
            throw DbError(
                bad.arg(path, QObject::tr("pole \"%1\" nemá zapisovatelný typ").arg(f.name)));
        }
        recordSize += width;
    }
    for (const QString &tag : tags)
        if (!seen.contains(tag.toUpper()))
            throw DbError(bad.arg(path, QObject::tr("index \"%1\" nemá své pole").arg(tag)));
    if (recordSize > 0xFFFF)
        throw DbError(bad.arg(path, QObject::tr("záznam je příliš dlouhý")));

    const int headerSize = 32 + 32 * int(fields.size()) + 1;
    QByteArray out(headerSize, '\0');
    char *h = out.data();
    h[0] = char(hasMemo ? 0x83 : 0x03);
    stampDate(h);
    putLe16(h + 8, uint16_t(headerSize));
    putLe16(h + 10, uint16_t(recordSize));
    h[29] = char(Codepage::cp1250().languageDriver());
    int pos = 32;
    for (const FieldDef &f : fields) {
        const QByteArray name = f.name.toUpper().toLatin1();
        std::memcpy(h + pos, name.constData(), size_t(name.size()));
        char type = 'C';
        int width = f.width;
        int decimals = 0;
        switch (f.type) {
        case FieldType::String:
            break;
        case FieldType::Integer:
            type = 'N';
            width = 11;
            break;
        case FieldType::Number:
            type = 'N';
            width = qBound(1, f.width ? f.width : 20, 20);
            decimals = qBound(0, f.decimals, width - 1);
            break;
        case FieldType::Date:
            type = 'D';
            width = 8;
            break;
        case FieldType::Boolean:
            type = 'L';
            width = 1;
            break;
        case FieldType::Memo:
            type = 'M';
            width = 10;
            break;
        case FieldType::DateTime: // date and time as text
            width = 14;
            break;
        default:
            break;
        }
        h[pos + 11] = type;
        h[pos + 16] = char(width);
        h[pos + 17] = char(decimals);
        const bool tagged = std::any_of(tags.begin(), tags.end(), [&](const QString &t) {
            return t.compare(f.name, Qt::CaseInsensitive) == 0;
        });
        h[pos + 31] = tagged ? 1 : 0;
        pos += 32;
    }
    h[pos] = 0x0D;
    out.append(kEndMarker);

    auto writeWhole = [&](const QString &file, const QByteArray &bytes) {
        QSaveFile save(file);
        save.setDirectWriteFallback(true);
        if (!save.open(QIODevice::WriteOnly) || save.write(bytes) != bytes.size() || !save.commit())
            throw DbError(bad.arg(path, save.errorString()));
    };
    const QString memo = Table::memoPath(path);
    if (hasMemo) {
        QByteArray dbt(kDb3Block, '\0');
        putLe32(dbt.data(), 1);
        dbt[16] = 0x03;
        writeWhole(memo, dbt);
    } else if (QFileInfo::exists(memo)) {
        QFile::remove(memo);
    }
    // An index file of an earlier table of that name no longer describes
    // it, nor does a note of a post to it.
    QFile::remove(Table::indexPath(path));
    QFile::remove(postNotePath(path));
    writeWhole(path, out);
}

} // namespace velmora
