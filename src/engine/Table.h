#pragma once

#include "engine/DbError.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace velmora {

class TableFile;
struct FieldInfo;

// The field types of a table as the program sees them. Tables created by
// this program use the first six; the others are read from older files.
enum class FieldType
{
    String,
    Integer,
    Date,
    Boolean,
    Memo,
    DateTime,
    Number,
    Timestamp,
    AutoInc
};

struct FieldDef
{
    QString name;
    FieldType type = FieldType::String;
    int width = 0; // characters of a string field; fixed by the type otherwise
    int decimals = 0;

    static FieldDef string(const QString &name, int width)
    {
        return {name, FieldType::String, width};
    }
    static FieldDef integer(const QString &name) { return {name, FieldType::Integer, 11}; }
    static FieldDef date(const QString &name) { return {name, FieldType::Date, 8}; }
    static FieldDef boolean(const QString &name) { return {name, FieldType::Boolean, 1}; }
    static FieldDef memo(const QString &name) { return {name, FieldType::Memo, 10}; }
    static FieldDef dateTime(const QString &name) { return {name, FieldType::DateTime, 14}; }
};

// A handle on one dBASE table: a path, an open state, a current record, an
// active index tag, a filter and an edit buffer. Several handles may have
// the same file open; they share its records and see each other's posts.
class Table : public QObject
{
    Q_OBJECT
public:
    enum class Mode
    {
        ReadWrite,
        ReadOnly,
        Exclusive
    };
    enum class State
    {
        Inactive,
        Browse,
        Edit,
        Insert
    };

    explicit Table(const QString &handleName = QString(), QObject *parent = nullptr);
    ~Table() override;

    QString handleName() const { return objectName(); }
    void setPath(const QString &path);
    QString path() const { return m_path; }
    bool exists() const;

    // String comparisons of filters ignore letter case.
    void setCaseInsensitiveFilter(bool on);
    bool caseInsensitiveFilter() const { return m_caseInsensitive; }

    // Creates (or replaces) the table's files at path() with these fields;
    // each tag names the one field it orders by.
    void create(const QList<FieldDef> &fields, const QStringList &tags = {});
    static void create(const QString &path, const QList<FieldDef> &fields,
                       const QStringList &tags = {});

    // The index and filter are kept across close and open, so one set while
    // the table is closed applies from the next open.
    //
    // A table opened ReadOnly is never written, nor is anything beside it
    // (a post cut short is left for a writer to finish), and it is read only
    // where it lies: a link in its place, or in that of its memo file or
    // index, is refused. The other modes are for the program's own tables:
    // they follow a link to a regular file, finish a post cut short, and
    // fall back to reading when the medium cannot be written. Whatever the
    // mode, a pipe, device, socket or directory where the table, its memo
    // file or its index should be is refused with a DbError naming it.
    void open(Mode mode = Mode::ReadWrite);
    // Opens a table held in memory (read-only), as the fuzzer and tests do.
    void openFromMemory(const QByteArray &dbf, const QByteArray &dbt = {},
                        const QString &name = QStringLiteral("memory.dbf"));
    void close();
    bool isOpen() const { return m_file != nullptr; }
    bool isReadOnly() const;
    State state() const { return m_state; }

    // Structure.
    int fieldCount() const;
    QList<FieldDef> fieldDefs() const;
    int fieldIndex(const QString &name) const; // -1 when missing
    QString fieldName(int index) const;
    int fieldWidth(const QString &name) const;
    QStringList tags() const; // tags created with the table
    // Empty when every memo text the records point to lies inside the memo
    // file; otherwise which record points outside, in Czech.
    QString memoProblem() const;
    int languageDriver() const;
    int versionByte() const;

    // Order: an empty tag means the order in which records were appended.
    // Every field orders as a tag of its name.
    void setIndex(const QString &tag);
    QString index() const { return m_tag; }

    // Navigation.
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const;
    int recordCount() const;
    // Physical record number (0-based) of the current record, -1 when none.
    int recordNumber() const { return m_rec; }
    void moveToRecord(int physical);
    // The physical record numbers visible in the active order and filter.
    std::vector<int> visibleRecords() const;

    // Filter of the form field='value' or field=True / field=False.
    void setFilter(const QString &expression);
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

    // Finds the first record (in the active order and filter) whose field
    // equals value, or begins with it when partial.
    bool locate(const QString &field, const QVariant &value, bool partial = false,
                bool caseInsensitive = false);

    // Changes.
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    // Brings a deleted record back (dBASE's RECALL), so work given up half
    // way can be undone; the current record stays.
    void recallRecord(int physical);
    // Defers header updates of posts until endBatch (bulk work).
    void beginBatch();
    void endBatch();

    // Field access by name (or by index) on the current record or the
    // edit buffer. Without a current record every field reads as empty.
    QString asString(const QString &field) const { return asString(requireField(field)); }
    int asInteger(const QString &field) const { return asInteger(requireField(field)); }
    bool asBoolean(const QString &field) const { return asBoolean(requireField(field)); }
    QDate asDate(const QString &field) const { return asDate(requireField(field)); }
    QDateTime asDateTime(const QString &field) const { return asDateTime(requireField(field)); }
    QVariant value(const QString &field) const { return value(requireField(field)); }
    bool isNull(const QString &field) const { return isNull(requireField(field)); }

    QString asString(int field) const;
    int asInteger(int field) const;
    bool asBoolean(int field) const;
    QDate asDate(int field) const;
    QDateTime asDateTime(int field) const;
    QVariant value(int field) const;
    bool isNull(int field) const;
    // A field of any record, read without moving the current record.
    QString asStringAt(int physical, int field) const;

    void setString(const QString &field, const QString &v) { setString(requireField(field), v); }
    void setInteger(const QString &field, int v) { setInteger(requireField(field), v); }
    void setBoolean(const QString &field, bool v) { setBoolean(requireField(field), v); }
    void setDate(const QString &field, const QDate &v) { setDate(requireField(field), v); }
    void setDateTime(const QString &field, const QDateTime &v)
    {
        setDateTime(requireField(field), v);
    }
    void setValue(const QString &field, const QVariant &v) { setValue(requireField(field), v); }
    void clearField(const QString &field) { clearField(requireField(field)); }

    void setString(int field, const QString &v);
    void setInteger(int field, int v);
    void setBoolean(int field, bool v);
    void setDate(int field, const QDate &v);
    void setDateTime(int field, const QDateTime &v);
    void setValue(int field, const QVariant &v);
    void clearField(int field);

    int requireField(const QString &name) const;

    // The files of a table: data file, memo file and index file, where
    // present (the index file of a ".nrv" table is ".nrx").
    static QStringList existingFiles(const QString &path);
    static QString memoPath(const QString &path);
    static QString indexPath(const QString &path);
    static void deleteFiles(const QString &path);

signals:
    // Records of the file changed (through this or another handle).
    void dataChanged();
    // The current record or the order changed.
    void currentChanged();
    void stateChanged();

private:
    struct Filter
    {
        int field = -1;
        bool isBool = false;
        bool boolValue = false;
        QString text;
        QByteArray bytes;
    };

    [[noreturn]] void fail(const QString &message) const;
    void requireOpen() const
    {
        if (!m_file)
            failNotOpen();
    }
    [[noreturn]] void failNotOpen() const;
    void requireWritable() const;
    void requireRecord() const;
    void requireEditing() const;
    const char *recordData() const; // current record or edit buffer
    bool visible(int rec) const;
    bool matchesFilter(int rec) const;
    int orderSize() const;
    int orderAt(int pos) const;
    int positionOf(int rec) const;
    void setCurrent(int rec, bool eof, bool bof);
    void attach(std::shared_ptr<TableFile> file);
    void checkNotEditing();
    void resolveIndex();
    void parseFilter();
    char *editField(int field);
    QString stringAt(int field, const char *rec) const;
    QString textOf(const FieldInfo &f, const char *rec) const;
    bool matchesValue(int field, const char *rec, const QVariant &value, bool partial,
                      bool caseInsensitive) const;

    QString m_path;
    std::shared_ptr<TableFile> m_file;
    bool m_readOnly = false;
    bool m_exclusive = false;
    bool m_caseInsensitive = false;
    State m_state = State::Inactive;
    QString m_tag;
    int m_tagIndex = -1;
    int m_rec = -1;
    bool m_eof = true;
    bool m_bof = true;
    QString m_filterText;
    bool m_filtered = false;
    Filter m_filter;
    bool m_filterValid = false;
    QByteArray m_buffer;               // edit buffer
    QByteArray m_blank;                // an empty record, read when none is current
    QHash<int, QString> m_pendingMemo; // memo texts assigned in the edit buffer
    // The text last read from each field with the bytes it came from: the
    // same genre, speed or length on record after record is one string then.
    // A field whose value keeps changing (a title) stops being kept for a
    // while: keeping costs more than it saves there.
    struct LastText
    {
        std::string raw;
        QString text;
        int misses = 0;
        int rest = 0;
    };
    mutable std::vector<LastText> m_lastText;
    mutable quint64 m_countVersion = ~0ull;
    int m_lastPos = -1; // place in the order of the record a walk last stepped to
    mutable int m_count = 0;
    bool m_batch = false;
};

// Runs work (appends, mostly) in one batch of table, so the posts reach the
// file together; the batch ends whatever happens. Returns what work returns.
template <typename Work> auto inBatch(Table &table, Work work) -> decltype(work())
{
    table.beginBatch();
    try {
        if constexpr (std::is_void_v<decltype(work())>) {
            work();
            table.endBatch();
        } else {
            auto result = work();
            table.endBatch();
            return result;
        }
    } catch (...) {
        table.endBatch();
        throw;
    }
}

} // namespace velmora
