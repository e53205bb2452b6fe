#include "engine/StoredFields.h"

#include "engine/FieldCodec.h"
#include "engine/TableFile.h"

#include <QDate>
#include <algorithm>
#include <iterator>

namespace velmora {

StoredFields::StoredFields(const QString &path)
    : m_file(TableFile::open(path, Table::Mode::ReadOnly))
{
}

StoredFields::~StoredFields()
{
    m_file->releaseHandle(false);
}

std::vector<int> StoredFields::liveRecords() const
{
    m_file->checkLength();
    std::vector<int> out;
    out.reserve(size_t(m_file->count()));
    for (int rec = 0; rec < m_file->count(); ++rec)
        if (!m_file->deleted(rec))
            out.push_back(rec);
    return out;
}

bool StoredFields::isText(int field) const
{
    return field >= 0 && size_t(field) < m_file->fields().size() &&
           m_file->fields()[size_t(field)].kind == FieldType::String;
}

QByteArrayView StoredFields::text(int record, int field) const
{
    if (!isText(field) || record < 0 || record >= m_file->count())
        return {};
    return codec::rawView(m_file->fields()[size_t(field)], m_file->record(record));
}

int StoredFields::integer(int record, int field) const
{
    if (field < 0 || size_t(field) >= m_file->fields().size() || record < 0 ||
        record >= m_file->count())
        return 0;
    const FieldInfo &f = m_file->fields()[size_t(field)];
    const char *r = m_file->record(record);
    if (f.kind == FieldType::Memo) {
        bool ok = false;
        const int v = m_file->memoText(f, r).trimmed().toInt(&ok);
        return ok ? v : 0;
    }
    return codec::integerOrZero(f, r);
}

bool StoredFields::isDate(int field) const
{
    if (field < 0 || size_t(field) >= m_file->fields().size())
        return false;
    const FieldInfo &f = m_file->fields()[size_t(field)];
    return f.kind == FieldType::Date && f.type == 'D' && f.length >= 8;
}

int StoredFields::dateText(int record, int field, char (&out)[10]) const
{
    if (!isDate(field) || record < 0 || record >= m_file->count())
        return 0;
    // The digits are checked and the day validated as the field's reader
    // does, without a calendar conversion per date.
    const char *p = m_file->record(record) + m_file->fields()[size_t(field)].offset;
    for (int i = 0; i < 8; ++i)
        if (p[i] < '0' || p[i] > '9')
            return 0;
    const auto digits = [p](int from, int n) {
        int v = 0;
        for (int i = from; i < from + n; ++i)
            v = v * 10 + (p[i] - '0');
        return v;
    };
    if (!QDate::isValid(digits(0, 4), digits(4, 2), digits(6, 2)))
        return 0;
    const char text[10] = {p[6], p[7], '.', p[4], p[5], '.', p[0], p[1], p[2], p[3]};
    std::copy(std::begin(text), std::end(text), std::begin(out));
    return 10;
}

const Codepage &StoredFields::codepage() const
{
    return m_file->codepage();
}

} // namespace velmora
