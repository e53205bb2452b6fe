// The memo file of a table: texts read across chunks, new texts written
// into fresh blocks.

#include "engine/FieldCodec.h"
#include "engine/FileBytes.h"
#include "engine/TableFile.h"

#include <QFileInfo>
#include <cstring>
#include <limits>

namespace velmora {

using namespace filebytes;

void TableFile::openMemo(regular::Links links)
{
    const bool needsMemo = std::any_of(m_fields.begin(), m_fields.end(), [](const FieldInfo &f) {
        return f.kind == FieldType::Memo;
    });
    if (!needsMemo)
        return;
    QString memo = Table::memoPath(m_path);
    if (!regular::present(memo)) {
        const QString upper = memo.left(memo.size() - 3) + QStringLiteral("DBT");
        if (!regular::present(upper))
            return; // memos read as empty; writing one is refused
        memo = upper;
    }
    regular::Outcome opened = regular::open(m_dbt, memo, m_writable, links);
    if (!opened.ok() && m_writable)
        opened = regular::open(m_dbt, memo, false, links);
    if (opened.notRegular)
        fail(opened.problem);
    if (!opened.ok())
        return;
    m_memoPath = memo;
    m_memoSize = m_dbt.size();
    m_memoChunks.reset(&m_dbt, 0, 262144);
    readMemoBlockSize();
}

void TableFile::readMemoBlockSize()
{
    // dBASE IV memo files name their block size in the header.
    if (!m_memoDb4)
        return;
    const QByteArray bs = memoBytes(20, 2, false);
    if (bs.size() == 2 && le16(bs.constData()) >= 32)
        m_blockSize = le16(bs.constData());
}

QString TableFile::memoText(const FieldInfo &f, const char *rec) const
{
    return readMemo(codec::memoBlock(f, rec));
}

const char *TableFile::memoAt(qint64 offset, qint64 *available) const
{
    if (!m_memory)
        return m_memoChunks.at(offset, available);
    // A table held in memory has its memo file whole at hand.
    const qint64 size = m_memoMemory.size();
    *available = offset >= 0 && offset < size ? size - offset : 0;
    return *available > 0 ? m_memoMemory.constData() + offset : nullptr;
}

qint64 TableFile::memoEnd() const
{
    return m_memory ? m_memoMemory.size() : FileChunks::fileSize(m_dbt);
}

QByteArray TableFile::memoBytes(qint64 offset, qint64 length, bool toMarker) const
{
    // Runs across chunks, never past the end the memo file has now; a
    // dBASE III text ends at its end marker.
    const qint64 end = memoEnd();
    QByteArray out;
    while (length != 0 && offset < end) {
        qint64 available = 0;
        const char *p = memoAt(offset, &available);
        if (!p)
            break;
        available = qMin(available, end - offset);
        if (length > 0)
            available = qMin(available, length);
        if (toMarker) {
            if (const void *marker = std::memchr(p, kEndMarker, size_t(available))) {
                out.append(p, static_cast<const char *>(marker) - p);
                break;
            }
        }
        out.append(p, available);
        offset += available;
        if (length > 0)
            length -= available;
    }
    return out;
}

namespace {
bool isDb4MemoHead(const char *p)
{
    return uint8_t(p[0]) == 0xFF && uint8_t(p[1]) == 0xFF && p[2] == 0x08 && p[3] == 0x00;
}
} // namespace

QString TableFile::readMemo(qint64 block) const
{
    if (block <= 0 || (!m_memory && !m_dbt.isOpen()) ||
        block > std::numeric_limits<qint64>::max() / m_blockSize)
        return QString();
    const qint64 start = block * m_blockSize;
    qint64 avail = 0;
    const char *p = memoAt(start, &avail);
    if (!p)
        return QString();
    if (m_memoDb4) {
        const QByteArray head =
            avail >= 8 ? QByteArray::fromRawData(p, 8) : memoBytes(start, 8, false);
        if (head.size() == 8 && isDb4MemoHead(head.constData())) {
            const qint64 len = qint64(le32(head.constData() + 4)) - 8;
            if (len <= 0)
                return QString();
            if (len <= avail - 8)
                return m_cp->decode(p + 8, int(len));
            const QByteArray text = memoBytes(start + 8, qMin<qint64>(len, 0x7FFFFFFF), false);
            return m_cp->decode(text.constData(), int(text.size()));
        }
    }
    // Most texts end within the chunk that holds their start.
    if (const void *end = std::memchr(p, kEndMarker, size_t(avail)))
        return m_cp->decode(p, int(static_cast<const char *>(end) - p));
    const QByteArray text = memoBytes(start, -1, true);
    return m_cp->decode(text.constData(), int(qMin<qint64>(text.size(), 0x7FFFFFFF)));
}

qint64 TableFile::storeMemo(const QString &text)
{
    if (text.isEmpty())
        return 0;
    if (!m_writable)
        fail(QObject::tr("Do tabulky otevřené jen pro čtení nelze zapisovat: %1").arg(m_path));
    if (!m_dbt.isOpen() || !m_dbt.isWritable())
        fail(QObject::tr("Chybí soubor poznámek %1, poznámku nelze zapsat.")
                 .arg(m_memoPath.isEmpty() ? Table::memoPath(m_path) : m_memoPath));
    QByteArray bytes = m_cp->encode(text);
    bytes.replace(kEndMarker, ' ');
    QByteArray payload;
    if (m_memoDb4) {
        payload.resize(8);
        payload[0] = char(0xFF);
        payload[1] = char(0xFF);
        payload[2] = 0x08;
        payload[3] = 0x00;
        putLe32(payload.data() + 4, uint32_t(bytes.size() + 8));
        payload += bytes;
    } else {
        payload = bytes;
        payload.append(kEndMarker).append(kEndMarker);
    }
    const qint64 blocks = (payload.size() + m_blockSize - 1) / m_blockSize;
    payload.append(QByteArray(blocks * m_blockSize - payload.size(), '\0'));

    const qint64 oldSize = m_dbt.size();
    char head[4] = {0, 0, 0, 0};
    if (oldSize >= 4) {
        m_dbt.seek(0);
        m_dbt.read(head, 4);
    }
    // The next free block of the header is trusted only when it lies past
    // what the file already holds.
    qint64 next = le32(head);
    const qint64 used = qMax<qint64>(1, (oldSize + m_blockSize - 1) / m_blockSize);
    if (next < used)
        next = used;
    try {
        writeAt(m_dbt, next * m_blockSize, payload.constData(), payload.size(), m_memoPath);
        putLe32(head, uint32_t(next + blocks));
        writeAt(m_dbt, 0, head, 4, m_memoPath);
    } catch (const DbError &) {
        m_dbt.resize(oldSize);
        m_memoChunks.drop();
        throw;
    }
    m_memoChunks.wrote(next * m_blockSize, payload.constData(), payload.size());
    m_memoChunks.wrote(0, head, 4);
    m_memoSize = qMax(m_memoSize, (next + blocks) * m_blockSize);
    return next;
}

TableFile::MemoMark TableFile::memoMark()
{
    MemoMark mark;
    if (!m_dbt.isOpen() || !m_dbt.isWritable())
        return mark;
    mark.size = m_dbt.size();
    if (m_dbt.seek(0))
        mark.head = m_dbt.read(4);
    return mark;
}

void TableFile::rollbackMemo(const MemoMark &mark)
{
    if (mark.size < 0 || m_dbt.size() == mark.size)
        return;
    m_dbt.resize(mark.size);
    if (mark.head.size() == 4 && m_dbt.seek(0))
        m_dbt.write(mark.head);
    m_memoChunks.drop();
    m_memoSize = mark.size;
}

} // namespace velmora
