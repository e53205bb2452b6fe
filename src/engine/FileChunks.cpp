#include "engine/FileChunks.h"

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velmora {

void FileChunks::reset(QFile *file, qint64 start, qint64 chunkBytes)
{
    m_file = file;
    m_start = start;
    m_chunkBytes = qMax<qint64>(1, chunkBytes);
    drop();
}

void FileChunks::drop()
{
    for (Chunk &c : m_chunks) {
        c.index = -1;
        c.filled = 0;
    }
    m_last = nullptr;
}

FileChunks::Chunk &FileChunks::load(qint64 index)
{
    Chunk *victim = &m_chunks[0];
    for (Chunk &c : m_chunks) {
        if (c.index == index) {
            c.used = ++m_clock;
            return c;
        }
        if (c.used < victim->used)
            victim = &c;
    }
    Chunk &c = *victim;
    if (m_last == &c)
        m_last = nullptr;
    c.index = -1;
    c.filled = 0;
    c.used = ++m_clock;
    if (c.bytes.size() != m_chunkBytes)
        c.bytes.resize(m_chunkBytes);
    if (m_file && m_file->isOpen()) {
        const qint64 offset = m_start + index * m_chunkBytes;
#ifdef Q_OS_UNIX
        // pread leaves the file position alone, which writers rely on.
        qint64 got = 0;
        while (got < m_chunkBytes) {
            const ssize_t n = ::pread(int(m_file->handle()), c.bytes.data() + got,
                                      size_t(m_chunkBytes - got), off_t(offset + got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                // A failed read is not kept: the next access tries again.
                c.filled = qMax<qint64>(got, 0);
                c.used = 0;
                return c;
            }
            if (n == 0)
                break;
            got += n;
        }
#else
        qint64 got = m_file->seek(offset) ? m_file->read(c.bytes.data(), m_chunkBytes) : 0;
#endif
        c.filled = qMax<qint64>(got, 0);
    }
    c.index = index;
    return c;
}

const char *FileChunks::atSlow(qint64 offset, qint64 *available)
{
    const qint64 rel = offset - m_start;
    if (rel < 0) {
        *available = 0;
        return nullptr;
    }
    const qint64 index = rel / m_chunkBytes;
    Chunk *c = &load(index);
    if (c->index == index) {
        m_last = c;
        m_lastBegin = m_start + index * m_chunkBytes;
    }
    const qint64 within = rel - index * m_chunkBytes;
    if (within >= c->filled) {
        *available = 0;
        return nullptr;
    }
    *available = c->filled - within;
    return c->bytes.constData() + within;
}

void FileChunks::wrote(qint64 offset, const char *data, qint64 size)
{
    for (Chunk &c : m_chunks) {
        if (c.index < 0)
            continue;
        const qint64 begin = m_start + c.index * m_chunkBytes;
        const qint64 from = qMax(begin, offset);
        const qint64 to = qMin(begin + m_chunkBytes, offset + size);
        if (from >= to)
            continue;
        // A chunk holds one run of the file from its start; bytes written
        // past that run would leave a hole, so such a chunk is read again.
        if (from - begin > c.filled) {
            c.index = -1;
            c.filled = 0;
            if (m_last == &c)
                m_last = nullptr;
            continue;
        }
        std::memcpy(c.bytes.data() + (from - begin), data + (from - offset), size_t(to - from));
        c.filled = qMax(c.filled, to - begin);
    }
}

#ifdef Q_OS_UNIX
namespace {
quint64 identityOf(const struct stat &st)
{
    return (quint64(st.st_dev) << 40) ^ quint64(st.st_ino);
}
} // namespace

qint64 FileChunks::fileSize(const QFile &file)
{
    struct stat st;
    return file.isOpen() && fstat(int(file.handle()), &st) == 0 ? qint64(st.st_size) : -1;
}

quint64 FileChunks::identity(const QFile &file)
{
    struct stat st;
    return file.isOpen() && fstat(int(file.handle()), &st) == 0 ? identityOf(st) : 0;
}

quint64 FileChunks::identity(const QString &path)
{
    struct stat st;
    return stat(QFile::encodeName(path).constData(), &st) == 0 ? identityOf(st) : 0;
}
#else
qint64 FileChunks::fileSize(const QFile &file)
{
    return file.isOpen() ? file.size() : -1;
}

quint64 FileChunks::identity(const QFile &)
{
    return 0; // unknown: a replaced file is noticed at the next open after all closes
}

quint64 FileChunks::identity(const QString &)
{
    return 0;
}
#endif

} // namespace velmora
