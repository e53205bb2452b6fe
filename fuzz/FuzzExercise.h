#pragma once

// One pass over a table held in memory that goes through every read path of
// the table engine: structure, navigation in every order, field access of
// every kind, filters and locate. The fuzzer and the corpus replay test both
// run it, so a seed that the fuzzer found is checked by every build.

#include "engine/DbError.h"
#include "engine/Table.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace velmora::fuzzing {

struct Input
{
    QByteArray dbf;
    QByteArray dbt;
};

// The first four bytes hold the length of the data file part (little endian,
// clamped to what follows); the bytes after it are the memo file.
inline Input splitInput(const uint8_t *data, size_t size)
{
    Input in;
    if (size < 4) {
        in.dbf = QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
        return in;
    }
    const size_t rest = size - 4;
    const size_t declared = size_t(data[0]) | (size_t(data[1]) << 8) | (size_t(data[2]) << 16) |
                            (size_t(data[3]) << 24);
    const size_t dbfSize = std::min(declared, rest);
    const char *p = reinterpret_cast<const char *>(data + 4);
    in.dbf = QByteArray(p, qsizetype(dbfSize));
    in.dbt = QByteArray(p + dbfSize, qsizetype(rest - dbfSize));
    return in;
}

inline Input splitInput(const QByteArray &bytes)
{
    return splitInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
}

struct Outcome
{
    bool opened = false;
    QString openError;
    int fields = 0;
    int records = 0;    // visible records in the order of appending
    size_t digest = 0;  // of every field's text, record by record
    QStringList faults; // broken promises of the engine: bugs, not bad input
};

namespace detail {

// Runs one step; a DbError is the engine's answer to bad input and ends only
// that step.
inline void attempt(const std::function<void()> &step)
{
    try {
        step();
    } catch (const DbError &) {
    }
}

inline void touchFields(const Table &t, int fields, size_t *digest)
{
    for (int i = 0; i < fields; ++i) {
        const QString s = t.asString(i);
        (void)t.asInteger(i);
        (void)t.asDate(i);
        (void)t.asDateTime(i);
        (void)t.asBoolean(i);
        (void)t.isNull(i);
        (void)t.value(i);
        if (digest)
            *digest = *digest * 1000003u ^ size_t(qHash(s));
    }
}

// Walks the active order and filter from first to eof, reading every field
// of every record when asked (fields > 0). Returns the physical numbers of
// the visited records.
inline std::vector<int> walk(Table &t, int fields, const QString &what, QStringList &faults,
                             size_t *digest = nullptr)
{
    std::vector<int> seen;
    // Without deleted records the order cannot be longer than the file.
    const int limit = std::max(t.recordCount(), 0) + 1;
    t.first();
    while (!t.eof()) {
        if (int(seen.size()) > limit) {
            faults << QStringLiteral("%1: next() does not reach the end").arg(what);
            break;
        }
        seen.push_back(t.recordNumber());
        touchFields(t, fields, digest);
        t.next();
    }
    if (int(seen.size()) != t.recordCount())
        faults << QStringLiteral("%1: walked %2 records, recordCount() says %3")
                      .arg(what)
                      .arg(seen.size())
                      .arg(t.recordCount());
    if (t.visibleRecords() != seen)
        faults << QStringLiteral("%1: visibleRecords() differs from the walk").arg(what);
    return seen;
}

inline void walkBack(Table &t, const std::vector<int> &forward, const QString &what,
                     QStringList &faults)
{
    std::vector<int> seen;
    t.last();
    while (!t.bof() && t.recordNumber() >= 0) {
        if (seen.size() > forward.size()) {
            faults << QStringLiteral("%1: prior() does not reach the start").arg(what);
            return;
        }
        seen.push_back(t.recordNumber());
        t.prior();
    }
    std::reverse(seen.begin(), seen.end());
    if (seen != forward)
        faults << QStringLiteral("%1: walking back visits other records").arg(what);
}

inline QString quoted(const QString &s)
{
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

} // namespace detail

// Exercises an open table. Only faults are reported; DbErrors are expected.
inline void exercise(Table &t, Outcome &out)
{
    using detail::attempt;
    QStringList &faults = out.faults;
    int fields = 0;
    attempt([&] {
        fields = t.fieldCount();
        (void)t.fieldDefs();
        (void)t.tags();
        (void)t.languageDriver();
        (void)t.versionByte();
        for (int i = 0; i < fields; ++i) {
            const QString name = t.fieldName(i);
            (void)t.fieldWidth(name);
            (void)t.fieldIndex(name);
        }
        (void)t.requireField(QStringLiteral("no such field"));
    });
    out.fields = fields;

    std::vector<int> physical;
    attempt([&] {
        t.setIndex(QString());
        physical = detail::walk(t, fields, QStringLiteral("no index"), faults, &out.digest);
        out.records = int(physical.size());
        detail::walkBack(t, physical, QStringLiteral("no index"), faults);
    });

    // Every record, deleted ones too, read without moving.
    attempt([&] {
        const int count = t.recordCount() + 2;
        for (int rec = -1; rec <= count; ++rec)
            for (int i = -1; i <= fields; ++i)
                (void)t.asStringAt(rec, i);
        for (int rec : physical) {
            t.moveToRecord(rec);
            if (t.recordNumber() != rec)
                faults
                    << QStringLiteral("moveToRecord(%1) went to %2").arg(rec).arg(t.recordNumber());
        }
    });

    std::vector<int> sortedPhysical = physical;
    std::sort(sortedPhysical.begin(), sortedPhysical.end());
    for (int i = 0; i < fields; ++i) {
        attempt([&] {
            const QString name = t.fieldName(i);
            t.setIndex(name);
            const QString what = QStringLiteral("index %1").arg(name);
            std::vector<int> seen = detail::walk(t, 0, what, faults);
            detail::walkBack(t, seen, what, faults);
            std::sort(seen.begin(), seen.end());
            if (seen != sortedPhysical)
                faults << QStringLiteral("%1 holds other records than the table").arg(what);
        });
    }
    attempt([&] { t.setIndex(QString()); });

    if (physical.empty())
        return;
    const int sample = physical[physical.size() / 2];
    for (int i = 0; i < fields; ++i) {
        attempt([&] {
            t.moveToRecord(sample);
            const QString name = t.fieldName(i);
            const QString value = t.asString(i);
            const FieldType kind = t.fieldDefs().at(i).type;
            if (t.fieldIndex(name) != i)
                return; // a later field of the same name hides this one
            // Without regard to case every field finds the text it shows; with
            // it, text fields compare stored bytes, which a code page may not
            // give back unchanged.
            for (bool partial : {false, true}) {
                if (!t.locate(name, value, partial, true))
                    faults << QStringLiteral("locate(%1, \"%2\") found nothing").arg(name, value);
                else if (t.eof() || t.recordNumber() < 0)
                    faults << QStringLiteral("locate(%1) found no record").arg(name);
                const bool found = t.locate(name, value, partial, false);
                if (!found && kind != FieldType::String)
                    faults << QStringLiteral("locate(%1, \"%2\") found nothing").arg(name, value);
            }
            (void)t.locate(name, QVariant(), false, false);
            (void)t.locate(name, QVariant(42), true, false);
        });
        attempt([&] {
            t.moveToRecord(sample);
            const QString name = t.fieldName(i);
            const QString value = t.asString(i);
            for (bool caseInsensitive : {false, true}) {
                t.setCaseInsensitiveFilter(caseInsensitive);
                t.setFilter(name + QLatin1Char('=') + detail::quoted(value));
                t.setFiltered(true);
                detail::walk(t, 0, QStringLiteral("filter on %1").arg(name), faults);
                t.setFiltered(false);
            }
            t.setFilter(name + QStringLiteral("=True"));
            t.setFiltered(true);
            detail::walk(t, 0, QStringLiteral("boolean filter on %1").arg(name), faults);
            t.setFiltered(false);
        });
    }
    // A filter and an index at once.
    attempt([&] {
        t.setIndex(t.fieldName(0));
        t.setFilter(t.fieldName(fields - 1) + QStringLiteral("=False"));
        t.setFiltered(true);
        detail::walk(t, fields, QStringLiteral("filter and index"), faults);
    });
    attempt([&] {
        t.setFiltered(false);
        t.setFilter(QStringLiteral("not a filter"));
        t.setFiltered(true);
    });
    attempt([&] { t.setIndex(QStringLiteral("no such tag")); });
}

inline Outcome exerciseMemory(const QByteArray &dbf, const QByteArray &dbt)
{
    Outcome out;
    Table t(QStringLiteral("Fuzz"));
    try {
        t.openFromMemory(dbf, dbt);
    } catch (const DbError &e) {
        out.openError = e.message();
        return out;
    }
    out.opened = true;
    exercise(t, out);
    t.close();
    return out;
}

// The same table read from files in dir, as the program reads its tables:
// the memo file through its chunked reader rather than from memory.
inline Outcome exerciseFiles(const QString &dir, const QByteArray &dbf, const QByteArray &dbt)
{
    Outcome out;
    const QString path = dir + QStringLiteral("/fuzz.dbf");
    for (const auto &[name, bytes] :
         {std::pair{path, dbf}, std::pair{Table::memoPath(path), dbt}}) {
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
            out.faults << QStringLiteral("cannot write %1").arg(name);
            return out;
        }
    }
    Table t(QStringLiteral("Fuzz"));
    t.setPath(path);
    try {
        t.open(Table::Mode::ReadOnly);
    } catch (const DbError &e) {
        out.openError = e.message();
        return out;
    }
    out.opened = true;
    exercise(t, out);
    t.close();
    return out;
}

// Reads from memory and, when there is a memo file, from files too: both
// ways give the same table.
inline Outcome exerciseBoth(const QString &dir, const QByteArray &dbf, const QByteArray &dbt)
{
    Outcome out = exerciseMemory(dbf, dbt);
    if (!out.opened || dbt.isEmpty() || dir.isEmpty())
        return out;
    const Outcome files = exerciseFiles(dir, dbf, dbt);
    out.faults += files.faults;
    if (!files.opened)
        out.faults << QStringLiteral("opens from memory, not from files: %1").arg(files.openError);
    else if (files.fields != out.fields || files.records != out.records ||
             files.digest != out.digest)
        out.faults << QStringLiteral("reads otherwise from files than from memory");
    return out;
}

} // namespace velmora::fuzzing
