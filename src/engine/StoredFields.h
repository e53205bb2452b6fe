#pragma once

// A table read as stored, for scans over every record that copy its text
// as it stands: no string is built for a field. Opened read-only, it counts
// as one of the table's handles while it lives.

#include <QByteArrayView>
#include <QString>
#include <memory>
#include <vector>

namespace velmora {

class Codepage;
class TableFile;

class StoredFields
{
public:
    // Throws DbError as opening a table does.
    explicit StoredFields(const QString &path);
    ~StoredFields();
    StoredFields(const StoredFields &) = delete;
    StoredFields &operator=(const StoredFields &) = delete;

    // The records not deleted, in the stored order.
    std::vector<int> liveRecords() const;
    // Whether the field is a character field, whose bytes text() gives.
    bool isText(int field) const;
    // The stored bytes of a character field without its trailing blanks,
    // in codepage(); empty for another kind of field. Good until other
    // records are read.
    QByteArrayView text(int record, int field) const;
    // The field as a number, read as a table handle reads it (0 for none).
    int integer(int record, int field) const;
    // Whether the field is a dBASE date field, whose dateText() gives.
    bool isDate(int field) const;
    // A date field written as a table handle shows it, "dd.MM.yyyy", into
    // out; the length written, 0 for an empty or impossible date.
    int dateText(int record, int field, char (&out)[10]) const;
    const Codepage &codepage() const;

private:
    std::shared_ptr<TableFile> m_file;
};

} // namespace velmora
