#pragma once

// Reads a file in chunks through a few reused buffers. Walking a table this
// way costs about what copying it out of the page cache costs; mapping the
// file cost more on machines whose page tables are expensive to fill, and
// copying the whole file into fresh memory cost more still. A file that
// another program shortens simply reads short: nothing can fault.

#include <QByteArray>
#include <QFile>
#include <array>

namespace velmora {

class FileChunks
{
public:
    // Chunk k covers the bytes [start + k * chunkBytes, start + (k+1) * chunkBytes).
    void reset(QFile *file, qint64 start, qint64 chunkBytes);
    qint64 chunkBytes() const { return m_chunkBytes; }

    // The bytes from offset to the end of its chunk (or of the file), and
    // how many there are; nullptr with 0 when the file ends before offset.
    // The pointer stays good while fewer than kChunks other chunks are read.
    const char *at(qint64 offset, qint64 *available)
    {
        // Walks stay within one chunk most of the time.
        if (m_last) {
            const qint64 within = offset - m_lastBegin;
            if (within >= 0 && within < m_last->filled) {
                *available = m_last->filled - within;
                return m_last->bytes.constData() + within;
            }
        }
        return atSlow(offset, available);
    }
    // Bytes written to the file at offset, reflected in the chunks held.
    void wrote(qint64 offset, const char *data, qint64 size);
    // Forgets every chunk (the file changed under them).
    void drop();

    // The current length of an open file, -1 when unknown; and the identity
    // of a file (device and inode), to notice one that was replaced.
    static qint64 fileSize(const QFile &file);
    static quint64 identity(const QFile &file);
    static quint64 identity(const QString &path);

    static constexpr int kChunks = 4;

private:
    struct Chunk
    {
        qint64 index = -1;
        qint64 filled = 0;
        quint64 used = 0;
        QByteArray bytes;
    };
    Chunk &load(qint64 index);
    const char *atSlow(qint64 offset, qint64 *available);

    QFile *m_file = nullptr;
    qint64 m_start = 0;
    qint64 m_chunkBytes = 65536;
    std::array<Chunk, kChunks> m_chunks;
    Chunk *m_last = nullptr;
    qint64 m_lastBegin = 0;
    quint64 m_clock = 0;
};

} // namespace velmora
