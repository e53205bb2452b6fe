// Checks of a table against its memo file, for sets of files that come from
// elsewhere: a table and a memo file of different backups or exports look
// whole each on its own.

#include "engine/FieldCodec.h"
#include "engine/FileBytes.h"
#include "engine/TableFile.h"

#include <QDir>
#include <algorithm>

namespace velmora {

using namespace filebytes;

QString TableFile::memoProblem() const
{
    const auto memoField = [](const FieldInfo &f) { return f.kind == FieldType::Memo; };
    if (std::none_of(m_fields.begin(), m_fields.end(), memoField))
        return QString();
    const qint64 memoSize = m_memory ? m_memoMemory.size() : m_memoSize;
    const bool hasMemo = hasMemoFile();
    const QString memo = QDir::toNativeSeparators(m_dbt.fileName());
    for (int rec = 0; rec < m_count; ++rec) {
        const char *r = record(rec);
        for (const FieldInfo &f : m_fields) {
            if (!memoField(f))
                continue;
            const qint64 block = codec::memoBlock(f, r);
            if (block <= 0)
                continue;
            if (!hasMemo)
                return QObject::tr("Tabulka \"%1\" má poznámky, ale její soubor poznámek chybí.")
                    .arg(QDir::toNativeSeparators(m_path));
            // A text starts inside the file; a dBASE IV text also ends there.
            bool inside = block < memoSize / m_blockSize;
            if (inside && m_memoDb4) {
                const QByteArray head = memoBytes(block * m_blockSize, 8, false);
                inside = head.size() == 8 && uint8_t(head[0]) == 0xFF && uint8_t(head[1]) == 0xFF &&
                         head[2] == 0x08 && head[3] == 0x00 &&
                         block * m_blockSize + qint64(le32(head.constData() + 4)) <= memoSize;
            }
            if (!inside)
                return QObject::tr("Záznam %1 tabulky \"%2\" odkazuje mimo její soubor poznámek "
                                   "\"%3\": tabulka a soubor poznámek nepatří k sobě.")
                    .arg(rec + 1)
                    .arg(QDir::toNativeSeparators(m_path), memo);
        }
    }
    return QString();
}

QString Table::memoProblem() const
{
    requireOpen();
    return m_file->memoProblem();
}

} // namespace velmora
