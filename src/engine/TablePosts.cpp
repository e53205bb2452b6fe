// Records rewritten in place. The system writes a file a page at a time and
// may stop between two pages when the program is killed, so a record that
// lies across a page boundary could be left half old and half new. Such a
// record is first written whole into a note beside the table, with its
// bytes before; the next open of the table finishes the rewrite from the
// note, when the record still holds, page by page, the old or the new bytes.
//
// Only an open that may write does so: a table opened to be read is left as
// it is, note and all, since it may lie on someone else's medium. The start
// of the program opens its own tables for writing when a note lies beside
// one, so a post cut short there is finished before anything reads it.

#include "engine/FileBytes.h"
#include "engine/TableFile.h"

#include <QFileInfo>

namespace velmora {

using namespace filebytes;

namespace {

// The smallest page a system writes in; larger pages are made of these.
constexpr qint64 kPage = 4096;
const QByteArray kMagic("VELMORA POST 1\n");

quint64 checksum(const char *p, qsizetype n)
{
    quint64 h = 1469598103934665603ull;
    for (qsizetype i = 0; i < n; ++i) {
        h ^= quint8(p[i]);
        h *= 1099511628211ull;
    }
    return h;
}

void putLe64(char *p, quint64 v)
{
    putLe32(p, uint32_t(v));
    putLe32(p + 4, uint32_t(v >> 32));
}

quint64 le64(const char *p)
{
    return quint64(le32(p)) | (quint64(le32(p + 4)) << 32);
}

// magic, identity of the table file, offset, length, old bytes, new bytes,
// checksum of all before it.
constexpr qsizetype kFixed = 8 + 8 + 4;

} // namespace

QString TableFile::postNotePath(const QString &path)
{
    return path + QStringLiteral(".post");
}

void TableFile::writeInPlace(int rec, const QByteArray &data)
{
    const qint64 offset = m_headerSize + qint64(rec) * m_recordSize;
    if (offset / kPage == (offset + m_recordSize - 1) / kPage) {
        writeAt(m_dbf, offset, data.constData(), m_recordSize, m_path);
        return;
    }
    const QByteArray old(record(rec), m_recordSize);
    QByteArray note = kMagic;
    note.resize(kMagic.size() + kFixed);
    char *p = note.data() + kMagic.size();
    putLe64(p, m_identity);
    putLe64(p + 8, quint64(offset));
    putLe32(p + 16, uint32_t(m_recordSize));
    note += old;
    note += data.left(m_recordSize);
    char sum[8];
    putLe64(sum, checksum(note.constData(), note.size()));
    note.append(sum, 8);

    // A new file each time: whatever stands at the note's place (a note
    // already finished, a link planted there) is replaced, never written
    // through.
    const QString notePath = postNotePath(m_path);
    QFile::remove(notePath);
    QFile f;
    const regular::Outcome made = regular::create(f, notePath);
    if (!made.ok() || f.write(note) != note.size()) {
        const QString why = made.ok() ? f.errorString() : made.reason;
        f.close();
        if (made.ok())
            QFile::remove(notePath);
        fail(QObject::tr("Zápis do tabulky se nezdařil: %1 (%2)").arg(notePath, why));
    }
    f.close();
    try {
        writeAt(m_dbf, offset, data.constData(), m_recordSize, m_path);
    } catch (const DbError &) {
        // The old bytes back, as far as the file lets itself be written;
        // otherwise the note stays for the next open to finish.
        try {
            writeAt(m_dbf, offset, old.constData(), m_recordSize, m_path);
            QFile::remove(notePath);
        } catch (const DbError &) {
        }
        m_recordChunks.drop();
        throw;
    }
    QFile::remove(notePath);
}

void TableFile::finishInterruptedPost()
{
    const QString notePath = postNotePath(m_path);
    QFile f;
    if (!regular::open(f, notePath, false, regular::Links::Refuse).ok())
        return; // no note, or none to read: a later post replaces it
    const QByteArray note = f.read(kMagic.size() + kFixed + 2 * 0xFFFF + 8);
    f.close();
    const qsizetype head = kMagic.size() + kFixed;
    if (note.size() >= head + 8 && note.startsWith(kMagic) &&
        checksum(note.constData(), note.size() - 8) == le64(note.constData() + note.size() - 8)) {
        const char *p = note.constData() + kMagic.size();
        const qint64 offset = qint64(le64(p + 8));
        const qint64 length = le32(p + 16);
        // Only a note of this very file, of one of its records, whole.
        if (le64(p) == m_identity && length == m_recordSize &&
            note.size() == head + 2 * length + 8 && offset >= m_headerSize &&
            (offset - m_headerSize) % m_recordSize == 0 &&
            offset + length <= m_headerSize + qint64(m_count) * m_recordSize) {
            const QByteArray old = note.mid(head, length);
            const QByteArray fresh = note.mid(head + length, length);
            m_dbf.seek(offset);
            const QByteArray now = m_dbf.read(length);
            // Every page's part of the record is the old one or the new one:
            // what a write cut short leaves, and nothing else has changed it.
            bool cut = now.size() == length;
            for (qint64 at = 0; cut && at < length;) {
                const qint64 n = qMin(length - at, kPage - (offset + at) % kPage);
                const QByteArrayView part(now.constData() + at, n);
                cut = part == QByteArrayView(old.constData() + at, n) ||
                      part == QByteArrayView(fresh.constData() + at, n);
                at += n;
            }
            if (cut && now != fresh) {
                try {
                    writeAt(m_dbf, offset, fresh.constData(), length, m_path);
                } catch (const DbError &) {
                    return; // the note stays for an open that can write
                }
                // Handles that read the record before see it finished.
                m_recordChunks.wrote(offset, fresh.constData(), length);
                for (auto &t : m_tags)
                    if (t)
                        t->built = false;
                ++m_changes;
            }
        }
    }
    QFile::remove(notePath);
}

} // namespace velmora
