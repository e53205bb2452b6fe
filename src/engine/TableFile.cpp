#include "engine/TableFile.h"

#include "engine/Collation.h"
#include "engine/FieldCodec.h"
#include "engine/FileBytes.h"
#include "engine/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace velmora {
using namespace filebytes;

namespace {

QString registryKey(const QString &path)
{
    const QFileInfo fi(path);
    const QString canonical = fi.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : canonical;
}

QHash<QString, std::weak_ptr<TableFile>> &registry()
{
    static QHash<QString, std::weak_ptr<TableFile>> r;
    return r;
}

FieldType kindOf(char type, int decimals)
{
    switch (type) {
    case 'C':
        return FieldType::String;
    case 'N':
    case 'F':
        return decimals == 0 ? FieldType::Integer : FieldType::Number;
    case 'I':
        return FieldType::Integer;
    case '+':
        return FieldType::AutoInc;
    case 'O':
        return FieldType::Number;
    case 'D':
        return FieldType::Date;
    case 'L':
        return FieldType::Boolean;
    case 'M':
    case 'B':
    case 'G':
        return FieldType::Memo;
    case '@':
        return FieldType::Timestamp;
    default:
        return FieldType::String;
    }
}

} // namespace

TableFile::~TableFile()
{
    if (m_headerDirty && m_writable) {
        try {
            flushPending();
            writeHeader();
        } catch (const DbError &) {
            // Nothing more can be done for a file that refuses its header.
        }
    }
    if (!m_memory) {
        // A newer object may hold the path by now (the file was replaced).
        const auto it = registry().constFind(registryKey(m_path));
        if (it != registry().constEnd() && it->expired())
            registry().erase(it);
    }
}

void TableFile::fail(const QString &message) const
{
    throw DbError(message);
}

bool TableFile::isOpenAnywhere(const QString &path)
{
    const auto it = registry().constFind(registryKey(path));
    if (it == registry().constEnd())
        return false;
    const auto file = it->lock();
    return file && file->m_handles > 0;
}

namespace {

// What is opened only to be read is, as often as not, someone else's: a
// friend's medium, a CD, a backup. It is read where it lies, never through a
// link. The program's own tables are opened to be written; one of them may
// be a link to a file kept elsewhere. Nothing but regular files is read.
regular::Links linksFor(Table::Mode mode)
{
    return mode == Table::Mode::ReadOnly ? regular::Links::Refuse : regular::Links::Follow;
}

// The files a table may have beside its data file.
QStringList sideFiles(const QString &path)
{
    const QString memo = Table::memoPath(path);
    return {memo, memo.left(memo.size() - 3) + QStringLiteral("DBT"), Table::indexPath(path)};
}

} // namespace

std::shared_ptr<TableFile> TableFile::open(const QString &path, Table::Mode mode)
{
    const bool write = mode != Table::Mode::ReadOnly;
    const regular::Links links = linksFor(mode);
    for (const QString &p : QStringList{path} + sideFiles(path))
        if (const QString why = regular::refusal(p, links); !why.isEmpty())
            throw DbError(why);
    const QString key = registryKey(path);
    if (auto existing = registry().value(key).lock()) {
        // A file that another program replaced is read anew; the handles on
        // the old one keep reading what they had.
        if (!existing->replacedOnDisk()) {
            existing->checkLength();
            // Handles opened only to read share no access they did not ask
            // for; the first one that writes makes the file writable.
            if (write && !existing->m_writable)
                existing->gainWriteAccess();
            existing->addExclusive(mode == Table::Mode::Exclusive);
            return existing;
        }
        if (mode == Table::Mode::Exclusive || existing->m_exclusive)
            existing->addExclusive(true); // refuses, naming the file
    }
    std::shared_ptr<TableFile> file(new TableFile);
    file->m_path = path;
    if (!QFileInfo::exists(path))
        file->fail(QObject::tr("Tabulku nelze otevřít, soubor neexistuje: %1").arg(path));
    regular::Outcome opened = regular::open(file->m_dbf, path, write, links);
    if (opened.ok()) {
        file->m_writable = write;
    } else if (opened.denied) {
        // A medium that cannot be written is read all the same.
        opened = regular::open(file->m_dbf, path, false, links);
    }
    if (!opened.ok())
        file->fail(opened.notRegular
                       ? opened.problem
                       : QObject::tr("Tabulku nelze otevřít: %1 (%2)").arg(path, opened.reason));
    const qint64 size = file->m_dbf.size();
    QByteArray head = file->m_dbf.read(qMin<qint64>(size, 68));
    if (head.size() >= 12) {
        const int headerSize = le16(head.constData() + 8);
        if (headerSize > head.size() && headerSize <= size) {
            file->m_dbf.seek(0);
            head = file->m_dbf.read(headerSize);
        }
    }
    file->parse(head, size);
    file->m_identity = FileChunks::identity(file->m_dbf);
    file->m_written = file->m_count;
    if (file->m_writable)
        file->finishInterruptedPost();
    // Chunks of whole records, about 64 KiB each.
    file->m_recordChunks.reset(&file->m_dbf, file->m_headerSize,
                               qint64(qMax(1, 65536 / file->m_recordSize)) * file->m_recordSize);
    file->openMemo(links);
    file->findAutoIncrements();
    file->addExclusive(mode == Table::Mode::Exclusive);
    registry().insert(key, file);
    return file;
}

void TableFile::gainWriteAccess()
{
    // Opened anew for writing, and taken only when it is still the file
    // read so far; otherwise the file stays read-only, as on a medium that
    // cannot be written.
    QFile dbf;
    QFile dbt;
    if (!regular::open(dbf, m_path, true, regular::Links::Follow).ok() ||
        FileChunks::identity(dbf) != m_identity)
        return;
    if (m_dbt.isOpen() && (!regular::open(dbt, m_memoPath, true, regular::Links::Follow).ok() ||
                           FileChunks::identity(dbt) != FileChunks::identity(m_dbt)))
        return;
    if (!regular::moveInto(m_dbf, dbf))
        return;
    m_writable = true;
    if (m_dbt.isOpen())
        regular::moveInto(m_dbt, dbt); // failing, memo texts stay read-only
    finishInterruptedPost();
}

std::shared_ptr<TableFile> TableFile::fromMemory(const QByteArray &dbf, const QByteArray &dbt,
                                                 const QString &name)
{
    std::shared_ptr<TableFile> file(new TableFile);
    file->m_path = name;
    file->m_memory = true;
    const QByteArray head = dbf.left(qMin<qsizetype>(dbf.size(), 0xFFFF));
    file->parse(head, dbf.size());
    file->m_records = dbf.mid(file->m_headerSize, qsizetype(file->m_count) * file->m_recordSize);
    file->m_memoMemory = dbt;
    file->readMemoBlockSize();
    file->findAutoIncrements();
    file->addExclusive(false);
    return file;
}

const char *TableFile::missingRecord(bool cut) const
{
    if (m_missing.size() != m_recordSize) {
        m_missing = QByteArray(m_recordSize, ' ');
        m_missing[0] = '*';
    }
    if (cut)
        m_cutSeen = true;
    return m_missing.constData();
}

bool TableFile::replacedOnDisk() const
{
    if (m_memory || m_identity == 0)
        return false;
    return FileChunks::identity(m_path) != m_identity;
}

void TableFile::shrinkToFile(bool cut)
{
    if (m_memory || !m_dbf.isOpen())
        return;
    m_cutSeen = false;
    if (m_dbt.isOpen()) {
        const qint64 memoSize = FileChunks::fileSize(m_dbt);
        if (memoSize >= 0 && memoSize < m_memoSize) {
            m_memoSize = memoSize;
            m_memoChunks.drop();
        }
    }
    const qint64 size = FileChunks::fileSize(m_dbf);
    if (size < 0)
        return;
    const int fit = size < m_headerSize
                        ? 0
                        : int(qMin<qint64>((size - m_headerSize) / m_recordSize, m_written));
    if (fit == m_written && !cut)
        return;
    m_recordChunks.drop();
    m_memoChunks.drop();
    // Posts not yet written would land in the wrong place in a shorter
    // file; a file that still holds every written record keeps them.
    if (fit < m_written) {
        m_pending.resize(0);
        m_count = m_written = fit;
    }
    for (auto &t : m_tags)
        if (t)
            t->built = false;
    ++m_changes;
    // Told later: this runs in the middle of a read, where views must not
    // be reset under their feet.
    QMetaObject::invokeMethod(this, &TableFile::changed, Qt::QueuedConnection);
}

void TableFile::findAutoIncrements()
{
    // The counter of the header may lag behind the data (a writer that died
    // or a file made by hand); the next value always exceeds every stored one.
    for (FieldInfo &f : m_fields) {
        if (f.kind != FieldType::AutoInc)
            continue;
        qint64 highest = 0;
        for (int rec = 0; rec < m_count; ++rec)
            highest = qMax(highest, codec::integer(f, record(rec)).value_or(0));
        if (highest >= qint64(f.autoNext) && highest < 0x7FFFFFFF)
            f.autoNext = uint32_t(highest + 1);
    }
}

void TableFile::parse(const QByteArray &bytes, qint64 fileSize)
{
    const QString damaged =
        QObject::tr("Soubor není tabulka dBASE nebo je poškozen: %1").arg(m_path);
    if (bytes.size() < 32)
        fail(damaged);
    const char *h = bytes.constData();
    m_version = uint8_t(h[0]);
    const int level = m_version & 0x07;
    if (level != 3 && level != 4)
        fail(damaged);
    m_level7 = level == 4;
    m_headerSize = le16(h + 8);
    m_recordSize = le16(h + 10);
    const int start = m_level7 ? 68 : 32;
    const int descSize = m_level7 ? 48 : 32;
    if (m_headerSize < start + 1 || m_headerSize > fileSize || m_headerSize > bytes.size() ||
        m_recordSize < 2)
        fail(damaged);
    m_driver = uint8_t(h[29]);
    if (m_level7 && m_driver == 0)
        m_cp = &Codepage::forDriverName(QByteArray(h + 32, 32));
    else
        m_cp = &Codepage::forLanguageDriver(uint8_t(m_driver));
    m_collation = &ByteCollation::of(*m_cp);

    int offset = 1;
    bool hasMemo = false;
    for (int pos = start; pos + descSize <= m_headerSize && h[pos] != 0x0D; pos += descSize) {
        FieldInfo f;
        const int nameLen = m_level7 ? 32 : 11;
        const char *nameEnd = static_cast<const char *>(std::memchr(h + pos, 0, size_t(nameLen)));
        const int n = nameEnd ? int(nameEnd - (h + pos)) : nameLen;
        f.name = QString::fromLatin1(h + pos, n).trimmed();
        f.type = h[pos + (m_level7 ? 32 : 11)];
        f.length = uint8_t(h[pos + (m_level7 ? 33 : 16)]);
        f.decimals = uint8_t(h[pos + (m_level7 ? 34 : 17)]);
        f.tagged = h[pos + (m_level7 ? 37 : 31)] != 0;
        if (m_level7)
            f.autoNext = le32(h + pos + 40);
        if (f.type == 'C' && !m_level7 && f.decimals > 0) { // long character fields
            f.length += f.decimals * 256;
            f.decimals = 0;
        }
        if (f.length <= 0 || offset + f.length > m_recordSize)
            fail(damaged);
        if (f.name.isEmpty())
            f.name = QStringLiteral("FIELD%1").arg(m_fields.size() + 1);
        f.lowerName = f.name.toLower();
        f.kind = kindOf(f.type, f.decimals);
        f.offset = offset;
        f.descriptorOffset = pos;
        offset += f.length;
        hasMemo = hasMemo || f.kind == FieldType::Memo;
        m_byName.insert(f.lowerName, int(m_fields.size()));
        m_fields.push_back(f);
    }
    if (m_fields.empty())
        fail(damaged);
    m_tags.resize(m_fields.size());
    m_memoDb4 = m_level7 || (m_version & 0x08) != 0;
    (void)hasMemo;
    const qint64 available = (fileSize - m_headerSize) / m_recordSize;
    m_count = int(qMin<qint64>(qMin<qint64>(le32(h + 4), available), 0x7FFFFFFF));
}

void TableFile::writeAt(QFile &file, qint64 offset, const char *data, qint64 size,
                        const QString &which)
{
#ifdef Q_OS_UNIX
    // One call instead of a seek and a write: posts in bulk are many.
    qint64 done = 0;
    while (done < size) {
        const ssize_t n =
            ::pwrite(int(file.handle()), data + done, size_t(size - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(QObject::tr("Zápis do tabulky se nezdařil: %1 (%2)")
                     .arg(which, QString::fromLocal8Bit(std::strerror(n < 0 ? errno : ENOSPC))));
        done += n;
    }
#else
    if (!file.seek(offset) || file.write(data, size) != size)
        fail(QObject::tr("Zápis do tabulky se nezdařil: %1 (%2)").arg(which, file.errorString()));
#endif
}

void TableFile::flushPending()
{
    if (m_pending.isEmpty())
        return;
    const qint64 offset = m_headerSize + qint64(m_written) * m_recordSize;
    m_pending.append(kEndMarker);
    try {
        writeAt(m_dbf, offset, m_pending.constData(), m_pending.size(), m_path);
    } catch (const DbError &) {
        // The unwritten posts are given up whole, and the file is made to
        // end where it did, as far as it still lets itself be written.
        m_pending.resize(0);
        m_count = m_written;
        for (auto &t : m_tags)
            if (t)
                t->built = false;
        ++m_changes;
        m_recordChunks.drop();
        m_dbf.resize(offset);
        const char end = kEndMarker;
        if (m_dbf.seek(offset))
            m_dbf.write(&end, 1);
        throw;
    }
    m_recordChunks.wrote(offset, m_pending.constData(), m_pending.size());
    m_written = m_count;
    m_pending.resize(0); // keeps its room for the next posts
}

void TableFile::writeHeader()
{
    char h[8];
    h[0] = char(m_version);
    stampDate(h);
    putLe32(h + 4, uint32_t(m_count));
    writeAt(m_dbf, 0, h, 8, m_path);
    m_headerDirty = false;
}

void TableFile::endBatch()
{
    if (m_batch > 0 && --m_batch == 0) {
        flushPending();
        if (m_headerDirty)
            writeHeader();
    }
}

void TableFile::markCodePage()
{
    // A table that a spreadsheet saved carries no code page mark, and other
    // readers then take its letters for ASCII. It is read as cp1250 here,
    // and its first write says so in the header, as our own tables do.
    if (m_memory || m_level7 || m_driver != 0)
        return;
    const char driver = char(Codepage::cp1250().languageDriver());
    writeAt(m_dbf, 29, &driver, 1, m_path);
    m_driver = uint8_t(driver);
}

void TableFile::writeRecord(int rec, const QByteArray &data)
{
    if (!m_writable)
        fail(QObject::tr("Do tabulky otevřené jen pro čtení nelze zapisovat: %1").arg(m_path));
    if (rec < 0 || rec >= m_count)
        fail(QObject::tr("Záznam už v tabulce není (soubor byl mezitím zkrácen): %1").arg(m_path));
    markCodePage();
    if (rec >= m_written) {
        std::memcpy(m_pending.data() + qsizetype(rec - m_written) * m_recordSize, data.constData(),
                    size_t(m_recordSize));
    } else {
        writeInPlace(rec, data);
    }
    m_recordChunks.wrote(m_headerSize + qint64(rec) * m_recordSize, data.constData(), m_recordSize);
    // The count is unchanged, so only the date of the last change is due; it
    // is written when the file is let go.
    m_headerDirty = true;
    updateTags(rec, data[0] == '*');
    ++m_changes;
    emit changed();
}

int TableFile::appendRecord(QByteArray data)
{
    if (!m_writable)
        fail(QObject::tr("Do tabulky otevřené jen pro čtení nelze zapisovat: %1").arg(m_path));
    markCodePage();
    data[0] = ' ';
    for (FieldInfo &f : m_fields) {
        if (f.kind == FieldType::AutoInc) {
            codec::putInteger(f, data.data(), qint64(f.autoNext ? f.autoNext : 1));
        }
    }
    if (m_batch) {
        // Posts of a batch reach the file together, at the latest when the
        // batch ends; until then they are read from here.
        m_pending.append(data);
        ++m_count;
        m_headerDirty = true;
        if (m_pending.size() >= kPendingBytes)
            flushPending();
    } else {
        appendNow(data);
    }
    for (FieldInfo &f : m_fields) {
        if (f.kind != FieldType::AutoInc)
            continue;
        f.autoNext = (f.autoNext ? f.autoNext : 1) + 1;
        if (m_level7) {
            char v[4];
            putLe32(v, f.autoNext);
            try {
                writeAt(m_dbf, f.descriptorOffset + 40, v, 4, m_path);
            } catch (const DbError &) {
                // The record stands; the counter is found again from the data.
            }
        }
    }
    const int rec = m_count - 1;
    updateTags(rec, false);
    ++m_changes;
    emit changed();
    return rec;
}

void TableFile::appendNow(const QByteArray &data)
{
    // Readers find the end of a table in two ways: most by the header's
    // count, dbfread by the end marker. So the record is written marked
    // deleted, then counted, and only then its mark cleared: a program
    // stopped between these steps leaves no record that one reader sees and
    // another does not, at worst a deleted one.
    const qint64 offset = m_headerSize + qint64(m_count) * m_recordSize;
    QByteArray out = data;
    out[0] = '*';
    out.append(kEndMarker);
    auto giveBack = [&] {
        m_recordChunks.drop();
        m_dbf.resize(offset);
        const char end = kEndMarker;
        if (m_dbf.seek(offset))
            m_dbf.write(&end, 1);
    };
    try {
        writeAt(m_dbf, offset, out.constData(), out.size(), m_path);
    } catch (const DbError &) {
        giveBack();
        throw;
    }
    m_recordChunks.wrote(offset, out.constData(), out.size());
    ++m_count;
    try {
        writeHeader();
    } catch (const DbError &) {
        --m_count;
        giveBack();
        throw;
    }
    try {
        writeAt(m_dbf, offset, data.constData(), 1, m_path);
    } catch (const DbError &) {
        --m_count;
        try {
            writeHeader();
        } catch (const DbError &) {
            // The record stays counted, marked deleted: no reader shows it.
        }
        giveBack();
        throw;
    }
    m_recordChunks.wrote(offset, data.constData(), 1);
    m_written = m_count;
}

void TableFile::markDeleted(int rec)
{
    QByteArray data(record(rec), m_recordSize);
    data[0] = '*';
    writeRecord(rec, data);
}

void TableFile::recall(int rec)
{
    QByteArray data(record(rec), m_recordSize);
    data[0] = ' ';
    writeRecord(rec, data);
}

void TableFile::addExclusive(bool exclusive)
{
    if (m_exclusive || (exclusive && m_handles > 0))
        fail(QObject::tr("Tabulka je právě používána a nelze ji otevřít výhradně: %1").arg(m_path));
    ++m_handles;
    m_exclusive = exclusive;
}

void TableFile::releaseHandle(bool exclusive)
{
    --m_handles;
    if (exclusive)
        m_exclusive = false;
    if (m_headerDirty && m_handles == 0 && m_writable) {
        m_batch = 0;
        try {
            flushPending();
            writeHeader();
        } catch (const DbError &) {
            // Let go while unwinding from an error: nothing can report this.
        }
    }
}

void TableFile::buildKey(TagData &t, int rec, std::string &out) const
{
    const FieldInfo &f = m_fields[size_t(t.field)];
    const char *r = record(rec);
    switch (f.kind) {
    case FieldType::String: {
        const char *p = r + f.offset;
        int n = f.length;
        while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0'))
            --n;
        m_collation->appendKey(p, n, out);
        return;
    }
    case FieldType::Memo:
        appendCzechSortKey(memoText(f, r), out);
        return;
    case FieldType::Date: {
        const QDate d = codec::date(f, r);
        if (d.isValid())
            out += d.toString(QStringLiteral("yyyyMMdd")).toStdString();
        return;
    }
    case FieldType::Boolean: {
        const auto b = codec::boolean(f, r);
        if (b)
            out.push_back(*b ? '2' : '1');
        return;
    }
    case FieldType::DateTime:
    case FieldType::Timestamp: {
        const QDateTime dt = codec::dateTime(f, r);
        if (dt.isValid())
            out += dt.toString(QStringLiteral("yyyyMMddHHmmsszzz")).toStdString();
        return;
    }
    default: {
        const auto d = codec::number(f, r);
        if (!d)
            return;
        uint64_t bits;
        const double v = *d == 0.0 ? 0.0 : *d; // one zero
        std::memcpy(&bits, &v, sizeof bits);
        bits = (bits & 0x8000000000000000ull) ? ~bits : (bits | 0x8000000000000000ull);
        out.push_back('\x01');
        for (int i = 7; i >= 0; --i)
            out.push_back(char(bits >> (i * 8)));
        return;
    }
    }
}

const TagData &TableFile::tag(int field)
{
    auto &slot = m_tags[size_t(field)];
    if (!slot)
        slot = std::make_unique<TagData>();
    TagData &t = *slot;
    if (t.built)
        return t;
    t.field = field;
    t.pool.clear();
    t.keyOffset.assign(size_t(m_count), 0);
    t.keyLength.assign(size_t(m_count), 0);
    t.order.clear();
    t.order.reserve(size_t(m_count));
    const FieldInfo &f = m_fields[size_t(field)];
    if (f.kind == FieldType::String)
        t.pool.reserve(size_t(m_count) * size_t(qMin(f.length, 16) * 4 + 3));
    for (int rec = 0; rec < m_count; ++rec) {
        const size_t before = t.pool.size();
        buildKey(t, rec, t.pool);
        t.keyOffset[size_t(rec)] = uint32_t(before);
        t.keyLength[size_t(rec)] = uint32_t(t.pool.size() - before);
        if (!deleted(rec))
            t.order.push_back(rec);
    }
    t.live = t.pool.size();
    std::stable_sort(t.order.begin(), t.order.end(),
                     [&t](int a, int b) { return t.key(a) < t.key(b); });
    t.built = true;
    return t;
}

void TableFile::updateTags(int rec, bool removed)
{
    for (auto &slot : m_tags) {
        if (!slot || !slot->built)
            continue;
        TagData &t = *slot;
        const bool isNew = size_t(rec) >= t.keyOffset.size();
        if (!isNew) {
            auto it = std::lower_bound(t.order.begin(), t.order.end(), rec,
                                       [&t](int a, int b) { return t.less(a, b); });
            if (it != t.order.end() && *it == rec)
                t.order.erase(it);
            t.live -= t.keyLength[size_t(rec)];
        } else {
            t.keyOffset.resize(size_t(rec) + 1, 0);
            t.keyLength.resize(size_t(rec) + 1, 0);
        }
        // A key pool that has grown well past its live keys is rebuilt on
        // the next use.
        if (t.pool.size() > 2 * t.live + 65536) {
            t.built = false;
            continue;
        }
        const size_t before = t.pool.size();
        buildKey(t, rec, t.pool);
        t.keyOffset[size_t(rec)] = uint32_t(before);
        t.keyLength[size_t(rec)] = uint32_t(t.pool.size() - before);
        t.live += t.keyLength[size_t(rec)];
        if (removed)
            continue;
        auto at = std::upper_bound(t.order.begin(), t.order.end(), rec,
                                   [&t](int a, int b) { return t.less(a, b); });
        t.order.insert(at, rec);
    }
}

} // namespace velmora
