#pragma once

// The shared state of one open table file, used only by Table. Records are
// read from the file in chunks when asked for; every post writes through to
// the file at once and into the chunks held.

#include "engine/Codepage.h"
#include "engine/Collation.h"
#include "engine/FileChunks.h"
#include "engine/RegularFile.h"
#include "engine/Table.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct FieldInfo
{
    QString name;
    QString lowerName;
    char type = 'C';
    int length = 0;
    int decimals = 0;
    int offset = 0; // within the record, after the deletion flag
    FieldType kind = FieldType::String;
    int descriptorOffset = 0;
    bool tagged = false;
    uint32_t autoNext = 0;
};

struct TagData
{
    int field = -1;
    bool built = false;
    std::string pool;
    size_t live = 0;                 // bytes of the keys in use
    std::vector<uint32_t> keyOffset; // per physical record
    std::vector<uint32_t> keyLength;
    std::vector<int> order; // physical records, deleted ones left out

    std::string_view key(int rec) const
    {
        return std::string_view(pool.data() + keyOffset[size_t(rec)], keyLength[size_t(rec)]);
    }
    bool less(int a, int b) const
    {
        const auto ka = key(a), kb = key(b);
        return ka < kb || (ka == kb && a < b);
    }
};

class TableFile : public QObject
{
    Q_OBJECT
public:
    ~TableFile() override;

    static std::shared_ptr<TableFile> open(const QString &path, Table::Mode mode);
    static std::shared_ptr<TableFile> fromMemory(const QByteArray &dbf, const QByteArray &dbt,
                                                 const QString &name);
    static void create(const QString &path, const QList<FieldDef> &fields, const QStringList &tags);
    // Whether some handle has this file open (create refuses then).
    static bool isOpenAnywhere(const QString &path);
    // The note beside a table of a record being rewritten in place; see
    // TablePosts.cpp.
    static QString postNotePath(const QString &path);

    const QString &path() const { return m_path; }
    bool writable() const { return m_writable; }
    int count() const { return m_count; }
    int recordSize() const { return m_recordSize; }
    int versionByte() const { return m_version; }
    int languageDriver() const { return m_driver; }
    const Codepage &codepage() const { return *m_cp; }
    const std::vector<FieldInfo> &fields() const { return m_fields; }
    int fieldIndex(const QString &name) const { return m_byName.value(name.toLower(), -1); }
    quint64 changeCounter() const { return m_changes; }

    // The bytes of a record; good until many other records were read. A
    // record that the file no longer holds reads as a deleted blank one.
    const char *record(int rec) const
    {
        if (rec >= m_count) [[unlikely]] // a handle still on a record cut away
            return missingRecord(false);
        if (m_memory)
            return m_records.constData() + qsizetype(rec) * m_recordSize;
        if (rec >= m_written) [[unlikely]]
            return m_pending.constData() + qsizetype(rec - m_written) * m_recordSize;
        qint64 available = 0;
        const char *p = m_recordChunks.at(m_headerSize + qint64(rec) * m_recordSize, &available);
        return p && available >= m_recordSize ? p : missingRecord(true);
    }
    bool deleted(int rec) const { return record(rec)[0] == '*'; }

    // A file that another program shortened reads as the shorter table from
    // here on. noticeCuts looks only at what reading met (cheap enough for
    // every step); checkLength also asks the system for the file's length.
    void noticeCuts()
    {
        if (m_cutSeen) [[unlikely]]
            shrinkToFile(true);
    }
    void checkLength() { shrinkToFile(false); }
    // Whether the file at the path is no longer the one this holds open.
    bool replacedOnDisk() const;

    // Index tag over a field, built on first use and kept up to date.
    const TagData &tag(int field);

    QString memoText(const FieldInfo &f, const char *rec) const;
    // Empty when every memo of every record lies inside the memo file.
    QString memoProblem() const;
    bool hasMemoFile() const { return m_dbt.isOpen() || !m_memoMemory.isEmpty(); }

    // Writing. Each throws DbError and leaves the table unchanged on failure.
    // Writes a memo text into new blocks and returns its block number (0 for
    // an empty text).
    qint64 storeMemo(const QString &text);
    // The end of the memo file, to give back the blocks of a failed post.
    struct MemoMark
    {
        qint64 size = -1;
        QByteArray head;
    };
    MemoMark memoMark();
    void rollbackMemo(const MemoMark &mark);
    void writeRecord(int rec, const QByteArray &data);
    int appendRecord(QByteArray data);
    void markDeleted(int rec);
    void recall(int rec);
    void beginBatch() { ++m_batch; }
    void endBatch();

    void addExclusive(bool exclusive);
    void releaseHandle(bool exclusive);

signals:
    void changed();

private:
    TableFile() = default;
    void parse(const QByteArray &bytes, qint64 fileSize);
    const char *missingRecord(bool cut) const;
    const char *memoAt(qint64 offset, qint64 *available) const;
    QByteArray memoBytes(qint64 offset, qint64 length, bool toMarker) const;
    void shrinkToFile(bool cut);
    void openMemo(regular::Links links);
    void gainWriteAccess();
    void markCodePage();
    qint64 memoEnd() const;
    void readMemoBlockSize();
    void appendNow(const QByteArray &data);
    void flushPending();
    void writeInPlace(int rec, const QByteArray &data);
    void finishInterruptedPost();
    void writeAt(QFile &file, qint64 offset, const char *data, qint64 size, const QString &which);
    void writeHeader();
    void updateTags(int rec, bool removed);
    void findAutoIncrements();
    QString readMemo(qint64 block) const;
    void buildKey(TagData &t, int rec, std::string &out) const;
    [[noreturn]] void fail(const QString &message) const;

    QString m_path;
    bool m_writable = false;
    bool m_memory = false;
    int m_version = 0x03;
    bool m_level7 = false;
    int m_headerSize = 0;
    int m_recordSize = 0;
    int m_count = 0;
    int m_driver = 0;
    const Codepage *m_cp = nullptr;
    const ByteCollation *m_collation = nullptr;
    std::vector<FieldInfo> m_fields;
    QHash<QString, int> m_byName;
    QByteArray m_records; // the records of a table held in memory
    QFile m_dbf;
    QFile m_dbt;
    QString m_memoPath;
    mutable FileChunks m_recordChunks;
    mutable FileChunks m_memoChunks;
    mutable QByteArray m_missing;
    mutable bool m_cutSeen = false;
    quint64 m_identity = 0;
    // Records appended in a batch and not yet written; the file holds the
    // first m_written records.
    QByteArray m_pending;
    int m_written = 0;
    static constexpr qsizetype kPendingBytes = 256 * 1024;
    qint64 m_memoSize = 0;
    QByteArray m_memoMemory;
    int m_blockSize = 512;
    bool m_memoDb4 = false;
    std::vector<std::unique_ptr<TagData>> m_tags; // per field
    quint64 m_changes = 0;
    int m_batch = 0;
    bool m_headerDirty = false;
    int m_handles = 0;
    bool m_exclusive = false;
};

} // namespace velmora
