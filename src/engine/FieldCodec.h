#pragma once

// Conversion between field bytes of a record and values, for every field
// type this program reads. Bad bytes read as empty (null), never as garbage.

#include "engine/Codepage.h"
#include "engine/TableFile.h"

#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace velmora::codec {

// Text of a character field without trailing blanks.
QString text(const FieldInfo &f, const char *rec, const Codepage &cp);
// Raw bytes of a character field without trailing blanks.
QByteArray rawText(const FieldInfo &f, const char *rec);
// The same bytes where they lie, for comparisons that must not allocate.
QByteArrayView rawView(const FieldInfo &f, const char *rec);
std::optional<qint64> integer(const FieldInfo &f, const char *rec);
// The integer as an int, 0 for none and for one beyond an int's range.
int integerOrZero(const FieldInfo &f, const char *rec);
std::optional<double> number(const FieldInfo &f, const char *rec);
QDate date(const FieldInfo &f, const char *rec);
std::optional<bool> boolean(const FieldInfo &f, const char *rec);
QDateTime dateTime(const FieldInfo &f, const char *rec);
// Block number of a memo field, 0 when the memo is empty or unreadable.
qint64 memoBlock(const FieldInfo &f, const char *rec);

// Writers: each fills the field's bytes completely.
void putText(const FieldInfo &f, char *rec, const QString &v, const Codepage &cp);
void putInteger(const FieldInfo &f, char *rec, qint64 v);
void putNumber(const FieldInfo &f, char *rec, double v);
void putDate(const FieldInfo &f, char *rec, const QDate &v);
void putBoolean(const FieldInfo &f, char *rec, bool v);
void putDateTime(const FieldInfo &f, char *rec, const QDateTime &v);
void putMemoBlock(const FieldInfo &f, char *rec, qint64 block);
void clear(const FieldInfo &f, char *rec);

} // namespace velmora::codec
