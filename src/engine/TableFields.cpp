// Reading and writing the fields of the current record or the edit buffer.

#include "engine/FieldCodec.h"
#include "engine/Table.h"
#include "engine/TableFile.h"

#include <cstring>

namespace velmora {

// --- field access -----------------------------------------------------------

const char *Table::recordData() const
{
    requireOpen();
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer.constData();
    m_file->noticeCuts();
    if (m_rec < 0 || m_rec >= m_file->count())
        return m_blank.constData();
    return m_file->record(m_rec);
}

QString Table::asString(int field) const
{
    requireOpen();
    if (m_state != State::Browse && m_pendingMemo.contains(field))
        return m_pendingMemo.value(field);
    return stringAt(field, recordData());
}

QString Table::asStringAt(int physical, int field) const
{
    requireOpen();
    if (physical == m_rec && m_state == State::Edit)
        return asString(field);
    if (physical < 0 || physical >= m_file->count() || field < 0 || field >= fieldCount())
        return QString();
    return stringAt(field, m_file->record(physical));
}

namespace {

// dd.MM.yyyy, built by hand: QDate::toString parses its format every call,
// which dominated full scans.
QString dateText(const QDate &d)
{
    int year = 0, month = 0, day = 0;
    d.getDate(&year, &month, &day);
    if (!d.isValid() || year < 0 || year > 9999)
        return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    QString out(10, Qt::Uninitialized);
    QChar *c = out.data();
    auto two = [](QChar *at, int v) {
        at[0] = QChar(u'0' + v / 10);
        at[1] = QChar(u'0' + v % 10);
    };
    two(c, day);
    c[2] = QChar(u'.');
    two(c + 3, month);
    c[5] = QChar(u'.');
    two(c + 6, year / 100);
    two(c + 8, year % 100);
    return out;
}

} // namespace

QString Table::stringAt(int field, const char *r) const
{
    const FieldInfo &f = m_file->fields().at(size_t(field));
    if (f.kind == FieldType::Memo) // its bytes name a block, not the text
        return m_file->memoText(f, r);
    LastText &last = m_lastText[size_t(field)];
    if (last.rest > 0) {
        --last.rest;
        return textOf(f, r);
    }
    const char *bytes = r + f.offset;
    if (last.raw.size() == size_t(f.length) &&
        std::memcmp(last.raw.data(), bytes, size_t(f.length)) == 0) {
        last.misses = 0;
        return last.text;
    }
    if (++last.misses >= 16) {
        last.misses = 0;
        last.rest = 256;
        last.raw.clear();
        last.text.clear();
        return textOf(f, r);
    }
    last.raw.assign(bytes, size_t(f.length));
    last.text = textOf(f, r);
    return last.text;
}

QString Table::textOf(const FieldInfo &f, const char *r) const
{
    switch (f.kind) {
    case FieldType::Memo:
        return m_file->memoText(f, r);
    case FieldType::String:
        return codec::text(f, r, m_file->codepage());
    case FieldType::Integer:
    case FieldType::AutoInc: {
        const auto v = codec::integer(f, r);
        return v ? QString::number(*v) : QString();
    }
    case FieldType::Number: {
        const auto v = codec::number(f, r);
        return v ? QString::number(*v, 'f', f.decimals) : QString();
    }
    case FieldType::Date: {
        return dateText(codec::date(f, r));
    }
    case FieldType::Boolean: {
        const auto b = codec::boolean(f, r);
        return b ? (*b ? QStringLiteral("True") : QStringLiteral("False")) : QString();
    }
    default: {
        const QDateTime dt = codec::dateTime(f, r);
        return dt.isValid() ? dt.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) : QString();
    }
    }
}

int Table::asInteger(int field) const
{
    requireOpen();
    const FieldInfo &f = m_file->fields().at(size_t(field));
    if (f.kind == FieldType::Memo) {
        bool ok = false;
        const int v = asString(field).trimmed().toInt(&ok);
        return ok ? v : 0;
    }
    return codec::integerOrZero(f, recordData());
}

bool Table::asBoolean(int field) const
{
    requireOpen();
    const FieldInfo &f = m_file->fields().at(size_t(field));
    const char *r = recordData();
    if (f.kind == FieldType::Boolean)
        return codec::boolean(f, r).value_or(false);
    const QString s = asString(field);
    return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("T") ||
           s == QLatin1String("1");
}

QDate Table::asDate(int field) const
{
    requireOpen();
    const FieldInfo &f = m_file->fields().at(size_t(field));
    if (f.kind == FieldType::String && f.length == 14)
        return codec::dateTime(f, recordData()).date();
    if (f.kind == FieldType::String)
        return QDate::fromString(asString(field), QStringLiteral("dd.MM.yyyy"));
    return codec::date(f, recordData());
}

QDateTime Table::asDateTime(int field) const
{
    requireOpen();
    return codec::dateTime(m_file->fields().at(size_t(field)), recordData());
}

bool Table::isNull(int field) const
{
    requireOpen();
    const FieldInfo &f = m_file->fields().at(size_t(field));
    const char *r = recordData();
    switch (f.kind) {
    case FieldType::String:
        return codec::rawText(f, r).isEmpty();
    case FieldType::Memo:
        return asString(field).isEmpty();
    case FieldType::Boolean:
        return !codec::boolean(f, r).has_value();
    case FieldType::Date:
        return !codec::date(f, r).isValid();
    case FieldType::DateTime:
    case FieldType::Timestamp:
        return !codec::dateTime(f, r).isValid();
    default:
        return !codec::number(f, r).has_value();
    }
}

QVariant Table::value(int field) const
{
    if (isNull(field))
        return QVariant();
    const FieldInfo &f = m_file->fields().at(size_t(field));
    switch (f.kind) {
    case FieldType::Integer:
    case FieldType::AutoInc:
        return asInteger(field);
    case FieldType::Number:
        return codec::number(f, recordData()).value_or(0.0);
    case FieldType::Date:
        return asDate(field);
    case FieldType::Boolean:
        return asBoolean(field);
    case FieldType::Timestamp:
        return asDateTime(field);
    default:
        return asString(field);
    }
}

char *Table::editField(int field)
{
    requireEditing();
    if (field < 0 || field >= int(m_file->fields().size()))
        fail(tr("Pole číslo %1 v tabulce %2 neexistuje.").arg(field).arg(m_path));
    return m_buffer.data();
}

void Table::setString(int field, const QString &v)
{
    char *buf = editField(field);
    const FieldInfo &f = m_file->fields()[size_t(field)];
    switch (f.kind) {
    case FieldType::String:
        codec::putText(f, buf, v, m_file->codepage());
        break;
    case FieldType::Memo:
        m_pendingMemo.insert(field, v);
        break;
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Number: {
        bool ok = false;
        const double d =
            QString(v).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
        if (ok)
            codec::putNumber(f, buf, d);
        else
            codec::clear(f, buf);
        break;
    }
    case FieldType::Date: {
        QDate d = QDate::fromString(v.trimmed(), QStringLiteral("d.M.yyyy"));
        if (!d.isValid())
            d = QDate::fromString(v.trimmed(), QStringLiteral("yyyyMMdd"));
        codec::putDate(f, buf, d);
        break;
    }
    case FieldType::Boolean: {
        const QString t = v.trimmed();
        codec::putBoolean(f, buf,
                          t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
                              t.compare(QLatin1String("t"), Qt::CaseInsensitive) == 0 ||
                              t == QLatin1String("1"));
        break;
    }
    default:
        codec::putDateTime(f, buf,
                           QDateTime::fromString(v.trimmed(), QStringLiteral("d.M.yyyy H:mm:ss")));
    }
}

void Table::setInteger(int field, int v)
{
    char *buf = editField(field);
    const FieldInfo &f = m_file->fields()[size_t(field)];
    if (f.kind == FieldType::String || f.kind == FieldType::Memo)
        setString(field, QString::number(v));
    else
        codec::putInteger(f, buf, v);
}

void Table::setBoolean(int field, bool v)
{
    char *buf = editField(field);
    const FieldInfo &f = m_file->fields()[size_t(field)];
    if (f.kind == FieldType::Boolean)
        codec::putBoolean(f, buf, v);
    else
        setString(field, v ? QStringLiteral("True") : QStringLiteral("False"));
}

void Table::setDate(int field, const QDate &v)
{
    char *buf = editField(field);
    const FieldInfo &f = m_file->fields()[size_t(field)];
    if (f.kind == FieldType::String && f.length != 14)
        codec::putText(f, buf, v.isValid() ? v.toString(QStringLiteral("dd.MM.yyyy")) : QString(),
                       m_file->codepage());
    else
        codec::putDate(f, buf, v);
}

void Table::setDateTime(int field, const QDateTime &v)
{
    char *buf = editField(field);
    codec::putDateTime(m_file->fields()[size_t(field)], buf, v);
}

void Table::clearField(int field)
{
    char *buf = editField(field);
    const FieldInfo &f = m_file->fields()[size_t(field)];
    if (f.kind == FieldType::Memo)
        m_pendingMemo.insert(field, QString());
    else
        codec::clear(f, buf);
}

void Table::setValue(int field, const QVariant &v)
{
    if (!v.isValid() || v.isNull()) {
        clearField(field);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
        setBoolean(field, v.toBool());
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        setInteger(field, v.toInt());
        break;
    case QMetaType::QDate:
        setDate(field, v.toDate());
        break;
    case QMetaType::QDateTime:
        setDateTime(field, v.toDateTime());
        break;
    default:
        setString(field, v.toString());
    }
}

} // namespace velmora
