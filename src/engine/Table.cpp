#include "engine/Table.h"

#include "engine/FieldCodec.h"
#include "engine/TableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <exception>

namespace velmora {

Table::Table(const QString &handleName, QObject *parent) : QObject(parent)
{
    setObjectName(handleName);
}

Table::~Table()
{
    if (m_file) {
        // A batch left open (unwinding from an error) must not hold back
        // the posts of the other handles on the file.
        try {
            endBatch();
        } catch (const DbError &) {
            // Nothing can report it here; the posts not written are lost.
        }
        m_file->releaseHandle(m_exclusive);
        m_file.reset();
    }
}

void Table::fail(const QString &message) const
{
    throw DbError(message);
}

void Table::setPath(const QString &path)
{
    if (isOpen())
        fail(tr("Tabulka %1 je otevřena, nelze změnit její soubor.").arg(m_path));
    m_path = path;
}

bool Table::exists() const
{
    return !m_path.isEmpty() && QFileInfo::exists(m_path);
}

void Table::create(const QList<FieldDef> &fields, const QStringList &tags)
{
    create(m_path, fields, tags);
}

void Table::create(const QString &path, const QList<FieldDef> &fields, const QStringList &tags)
{
    TableFile::create(path, fields, tags);
}

void Table::attach(std::shared_ptr<TableFile> file)
{
    m_file = std::move(file);
    m_blank = QByteArray(m_file->recordSize(), ' ');
    m_lastText.assign(m_file->fields().size(), LastText());
    for (const FieldInfo &f : m_file->fields())
        codec::clear(f, m_blank.data());
    m_countVersion = ~0ull;
    // An index or filter chosen while closed must fit this file.
    try {
        resolveIndex();
        m_filterValid = false;
        if (m_filtered || !m_filterText.trimmed().isEmpty())
            parseFilter();
    } catch (const DbError &) {
        m_file->releaseHandle(m_exclusive);
        m_file.reset();
        m_tagIndex = -1;
        m_filterValid = false;
        throw;
    }
    connect(m_file.get(), &TableFile::changed, this, &Table::dataChanged);
    m_state = State::Browse;
    emit stateChanged();
    first();
}

void Table::open(Mode mode)
{
    if (isOpen())
        close();
    if (m_path.isEmpty())
        fail(tr("Tabulka %1 nemá určen soubor.").arg(handleName()));
    auto file = TableFile::open(m_path, mode);
    m_readOnly = mode == Mode::ReadOnly || !file->writable();
    m_exclusive = mode == Mode::Exclusive;
    attach(std::move(file));
}

void Table::openFromMemory(const QByteArray &dbf, const QByteArray &dbt, const QString &name)
{
    if (isOpen())
        close();
    m_path = name;
    auto file = TableFile::fromMemory(dbf, dbt, name);
    m_readOnly = true;
    m_exclusive = false;
    attach(std::move(file));
}

void Table::close()
{
    if (!m_file)
        return;
    disconnect(m_file.get(), nullptr, this, nullptr);
    // The handle is let go even when the batch's posts cannot be written;
    // the error is told afterwards.
    std::exception_ptr failed;
    try {
        endBatch();
    } catch (const DbError &) {
        failed = std::current_exception();
    }
    m_file->releaseHandle(m_exclusive);
    m_file.reset();
    m_state = State::Inactive;
    m_buffer.clear();
    m_blank.clear();
    m_pendingMemo.clear();
    m_rec = -1;
    m_eof = m_bof = true;
    // The chosen index and filter belong to the handle and stay for its next
    // open; callers switch a filter off themselves.
    m_tagIndex = -1;
    m_filterValid = false;
    m_countVersion = ~0ull;
    emit stateChanged();
    if (failed)
        std::rethrow_exception(failed);
}

bool Table::isReadOnly() const
{
    return m_readOnly;
}

void Table::failNotOpen() const
{
    fail(tr("Tabulka není otevřena: %1").arg(m_path.isEmpty() ? handleName() : m_path));
}

void Table::requireWritable() const
{
    requireOpen();
    if (m_readOnly)
        fail(tr("Do tabulky otevřené jen pro čtení nelze zapisovat: %1").arg(m_path));
}

void Table::requireRecord() const
{
    requireOpen();
    if (m_state == State::Browse &&
        (m_rec < 0 || m_rec >= m_file->count() || m_file->deleted(m_rec)))
        fail(tr("Tabulka %1 nemá aktuální záznam.").arg(m_path));
}

void Table::requireEditing() const
{
    requireOpen();
    if (m_state != State::Edit && m_state != State::Insert)
        fail(tr("Tabulka %1 není v režimu úprav.").arg(m_path));
}

int Table::requireField(const QString &name) const
{
    requireOpen();
    const int i = m_file->fieldIndex(name);
    if (i < 0)
        fail(tr("Pole \"%1\" v tabulce %2 neexistuje.").arg(name, m_path));
    return i;
}

// --- structure -------------------------------------------------------------

int Table::fieldCount() const
{
    requireOpen();
    return int(m_file->fields().size());
}

QList<FieldDef> Table::fieldDefs() const
{
    requireOpen();
    QList<FieldDef> out;
    for (const FieldInfo &f : m_file->fields())
        out.append(FieldDef{f.name, f.kind, f.length, f.decimals});
    return out;
}

int Table::fieldIndex(const QString &name) const
{
    requireOpen();
    return m_file->fieldIndex(name);
}

QString Table::fieldName(int index) const
{
    requireOpen();
    return m_file->fields().at(size_t(index)).name;
}

int Table::fieldWidth(const QString &name) const
{
    return m_file->fields().at(size_t(requireField(name))).length;
}

QStringList Table::tags() const
{
    requireOpen();
    QStringList out;
    for (const FieldInfo &f : m_file->fields())
        if (f.tagged)
            out << f.name;
    return out;
}

int Table::languageDriver() const
{
    requireOpen();
    return m_file->languageDriver();
}

int Table::versionByte() const
{
    requireOpen();
    return m_file->versionByte();
}

// --- order and navigation ----------------------------------------------------

void Table::setIndex(const QString &tag)
{
    const QString previous = m_tag;
    m_tag = tag;
    if (!isOpen())
        return;
    try {
        resolveIndex();
    } catch (const DbError &) {
        m_tag = previous;
        resolveIndex();
        throw;
    }
    if (m_rec < 0 || m_rec >= m_file->count() || m_file->deleted(m_rec))
        first();
    else
        setCurrent(m_rec, false, false);
}

void Table::resolveIndex()
{
    if (m_tag.isEmpty()) {
        m_tagIndex = -1;
        return;
    }
    // Every tag orders by the field of its name; older files whose index
    // file is gone are ordered the same way.
    const int field = m_file->fieldIndex(m_tag);
    if (field < 0)
        fail(tr("Index \"%1\" v tabulce %2 neexistuje.").arg(m_tag, m_path));
    m_tagIndex = field;
}

int Table::orderSize() const
{
    if (m_tagIndex < 0)
        return m_file->count();
    return int(m_file->tag(m_tagIndex).order.size());
}

int Table::orderAt(int pos) const
{
    if (m_tagIndex < 0)
        return pos;
    return m_file->tag(m_tagIndex).order[size_t(pos)];
}

int Table::positionOf(int rec) const
{
    if (rec < 0)
        return -1;
    if (rec >= m_file->count()) // cut off by another program
        return orderSize();
    if (m_tagIndex < 0)
        return rec;
    const TagData &t = m_file->tag(m_tagIndex);
    // A walk asks for the place of the record it just stepped to.
    if (m_lastPos >= 0 && size_t(m_lastPos) < t.order.size() && t.order[size_t(m_lastPos)] == rec)
        return m_lastPos;
    const auto it = std::lower_bound(t.order.begin(), t.order.end(), rec,
                                     [&t](int a, int b) { return t.less(a, b); });
    return int(it - t.order.begin());
}

bool Table::matchesFilter(int rec) const
{
    if (!m_filterValid)
        return true;
    const FieldInfo &f = m_file->fields()[size_t(m_filter.field)];
    const char *r = m_file->record(rec);
    if (m_filter.isBool) {
        const auto b = codec::boolean(f, r);
        return b.value_or(false) == m_filter.boolValue;
    }
    if (!m_caseInsensitive)
        return codec::rawView(f, r) == m_filter.bytes;
    return codec::text(f, r, m_file->codepage()).compare(m_filter.text, Qt::CaseInsensitive) == 0;
}

bool Table::visible(int rec) const
{
    return !m_file->deleted(rec) && (!m_filtered || matchesFilter(rec));
}

void Table::setCurrent(int rec, bool eof, bool bof)
{
    m_rec = rec;
    m_eof = eof;
    m_bof = bof;
    emit currentChanged();
}

void Table::checkNotEditing()
{
    // Moving away from a record drops an unposted edit, as the data-aware
    // controls expect.
    if (m_state == State::Edit || m_state == State::Insert)
        cancel();
}

void Table::first()
{
    requireOpen();
    checkNotEditing();
    m_file->checkLength();
    const int n = orderSize();
    for (int pos = 0; pos < n; ++pos) {
        const int rec = orderAt(pos);
        if (visible(rec)) {
            m_lastPos = pos;
            setCurrent(rec, false, true);
            return;
        }
    }
    setCurrent(-1, true, true);
}

void Table::last()
{
    requireOpen();
    checkNotEditing();
    m_file->checkLength();
    for (int pos = orderSize() - 1; pos >= 0; --pos) {
        const int rec = orderAt(pos);
        if (visible(rec)) {
            setCurrent(rec, true, false);
            return;
        }
    }
    setCurrent(-1, true, true);
}

void Table::next()
{
    requireOpen();
    checkNotEditing();
    m_file->noticeCuts();
    if (m_rec < 0) {
        setCurrent(-1, true, m_bof);
        return;
    }
    const int n = orderSize();
    int pos = positionOf(m_rec);
    if (pos < n && orderAt(pos) == m_rec)
        ++pos;
    for (; pos < n; ++pos) {
        const int rec = orderAt(pos);
        if (visible(rec)) {
            m_lastPos = pos;
            setCurrent(rec, false, false);
            return;
        }
    }
    m_eof = true;
    m_bof = false;
    emit currentChanged();
}

void Table::prior()
{
    requireOpen();
    checkNotEditing();
    m_file->noticeCuts();
    if (m_rec < 0) {
        setCurrent(-1, m_eof, true);
        return;
    }
    if (m_rec >= m_file->count()) {
        last();
        return;
    }
    for (int pos = positionOf(m_rec) - 1; pos >= 0; --pos) {
        const int rec = orderAt(pos);
        if (visible(rec)) {
            setCurrent(rec, false, false);
            return;
        }
    }
    m_bof = true;
    m_eof = false;
    emit currentChanged();
}

bool Table::isEmpty() const
{
    return recordCount() == 0;
}

int Table::recordCount() const
{
    requireOpen();
    m_file->checkLength();
    if (!m_filtered) {
        if (m_tagIndex >= 0)
            return int(m_file->tag(m_tagIndex).order.size());
        if (m_countVersion == m_file->changeCounter())
            return m_count;
    } else if (m_countVersion == m_file->changeCounter()) {
        return m_count;
    }
    int n = 0;
    for (int rec = 0, count = m_file->count(); rec < count; ++rec)
        if (visible(rec))
            ++n;
    m_count = n;
    m_countVersion = m_file->changeCounter();
    return n;
}

void Table::moveToRecord(int physical)
{
    requireOpen();
    checkNotEditing();
    m_file->noticeCuts();
    if (physical < 0 || physical >= m_file->count() || !visible(physical))
        return;
    setCurrent(physical, false, false);
}

std::vector<int> Table::visibleRecords() const
{
    requireOpen();
    m_file->checkLength();
    std::vector<int> out;
    const int n = orderSize();
    out.reserve(size_t(n));
    for (int pos = 0; pos < n; ++pos) {
        const int rec = orderAt(pos);
        if (visible(rec))
            out.push_back(rec);
    }
    return out;
}

// --- filter and locate -------------------------------------------------------

void Table::setCaseInsensitiveFilter(bool on)
{
    m_caseInsensitive = on;
    m_countVersion = ~0ull;
    if (isOpen() && m_filtered)
        first();
}

void Table::setFilter(const QString &expression)
{
    const QString previous = m_filterText;
    m_filterText = expression;
    m_countVersion = ~0ull;
    if (!isOpen())
        return;
    try {
        parseFilter();
    } catch (const DbError &) {
        // A bad expression leaves the filter that was in force.
        m_filterText = previous;
        parseFilter();
        throw;
    }
    if (m_filtered)
        first();
}

void Table::parseFilter()
{
    m_filterValid = false;
    if (m_filterText.trimmed().isEmpty())
        return;
    static const QRegularExpression textForm(QStringLiteral("^\\s*(\\w+)\\s*=\\s*'(.*)'\\s*$"),
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression boolForm(
        QStringLiteral("^\\s*(\\w+)\\s*=\\s*(true|false)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    Filter f;
    auto m = boolForm.match(m_filterText);
    if (m.hasMatch()) {
        f.isBool = true;
        f.boolValue = m.captured(2).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    } else {
        m = textForm.match(m_filterText);
        if (!m.hasMatch())
            fail(tr("Neplatný filtr \"%1\" tabulky %2.").arg(m_filterText, m_path));
        // Trailing blanks never count: strings are stored padded.
        QString value = m.captured(2);
        while (value.endsWith(QLatin1Char(' ')))
            value.chop(1);
        f.text = value;
        f.bytes = m_file->codepage().encode(value);
    }
    f.field = m_file->fieldIndex(m.captured(1));
    if (f.field < 0)
        fail(tr("Pole \"%1\" v tabulce %2 neexistuje.").arg(m.captured(1), m_path));
    m_filter = f;
    m_filterValid = true;
}

void Table::setFiltered(bool on)
{
    if (on && isOpen() && !m_filterValid)
        parseFilter();
    m_filtered = on;
    m_countVersion = ~0ull;
    if (isOpen())
        first();
}

bool Table::matchesValue(int field, const char *r, const QVariant &value, bool partial,
                         bool caseInsensitive) const
{
    const FieldInfo &f = m_file->fields()[size_t(field)];
    const Qt::CaseSensitivity cs = caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (!partial && value.typeId() != QMetaType::QString) {
        // Typed values compare as values, not as their display text.
        switch (f.kind) {
        case FieldType::Date:
            if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
                return codec::date(f, r) == value.toDate();
            break;
        case FieldType::Boolean:
            if (value.typeId() == QMetaType::Bool)
                return codec::boolean(f, r).value_or(false) == value.toBool();
            break;
        case FieldType::Integer:
        case FieldType::AutoInc:
        case FieldType::Number: {
            bool ok = false;
            const double wanted = value.toDouble(&ok);
            const auto have = codec::number(f, r);
            return ok && have && *have == wanted;
        }
        default:
            break;
        }
    }
    QString wanted = value.toString();
    if (f.kind == FieldType::String) {
        // Stored strings carry no trailing blanks, so a wanted value ignores them too.
        while (wanted.endsWith(QLatin1Char(' ')))
            wanted.chop(1);
        if (!caseInsensitive) {
            const QByteArray wantedBytes = m_file->codepage().encode(wanted);
            const QByteArray have = codec::rawText(f, r);
            return partial ? have.startsWith(wantedBytes) : have == wantedBytes;
        }
    }
    const QString have = stringAt(field, r);
    return partial ? have.startsWith(wanted, cs) : have.compare(wanted, cs) == 0;
}

bool Table::locate(const QString &field, const QVariant &value, bool partial, bool caseInsensitive)
{
    const int fi = requireField(field);
    checkNotEditing();
    m_file->checkLength();
    const int n = orderSize();
    for (int pos = 0; pos < n; ++pos) {
        const int rec = orderAt(pos);
        if (visible(rec) &&
            matchesValue(fi, m_file->record(rec), value, partial, caseInsensitive)) {
            setCurrent(rec, false, false);
            return true;
        }
    }
    return false;
}

// --- editing ---------------------------------------------------------------

void Table::append()
{
    requireWritable();
    checkNotEditing();
    m_buffer = m_blank;
    m_pendingMemo.clear();
    m_state = State::Insert;
    emit stateChanged();
}

void Table::edit()
{
    requireWritable();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    requireRecord();
    m_buffer = QByteArray(m_file->record(m_rec), m_file->recordSize());
    m_pendingMemo.clear();
    m_state = State::Edit;
    emit stateChanged();
}

void Table::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    m_buffer.clear();
    m_pendingMemo.clear();
    m_state = State::Browse;
    emit stateChanged();
}

void Table::post()
{
    requireEditing();
    requireWritable();
    QByteArray data = m_buffer;
    // Memo texts go to the memo file first; when the record cannot be
    // written, the memo file is given back its old end.
    const TableFile::MemoMark mark = m_file->memoMark();
    int rec;
    try {
        for (auto it = m_pendingMemo.cbegin(); it != m_pendingMemo.cend(); ++it) {
            const FieldInfo &f = m_file->fields()[size_t(it.key())];
            if (m_state == State::Edit &&
                m_file->memoText(f, m_file->record(m_rec)) == it.value()) {
                codec::putMemoBlock(f, data.data(), codec::memoBlock(f, m_file->record(m_rec)));
                continue;
            }
            codec::putMemoBlock(f, data.data(), m_file->storeMemo(it.value()));
        }
        if (m_state == State::Insert) {
            rec = m_file->appendRecord(data);
        } else {
            rec = m_rec;
            m_file->writeRecord(rec, data);
        }
    } catch (const DbError &) {
        m_file->rollbackMemo(mark);
        throw;
    }
    m_buffer.clear();
    m_pendingMemo.clear();
    m_state = State::Browse;
    emit stateChanged();
    if (visible(rec))
        setCurrent(rec, false, false);
    else
        first();
}

void Table::deleteRecord()
{
    requireWritable();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    requireRecord();
    const int rec = m_rec;
    const int pos = positionOf(rec);
    m_file->markDeleted(rec);
    // The next record in the active order becomes current, or the one
    // before it when the deleted one was last.
    const int n = orderSize();
    for (int p = std::min(pos, n); p < n; ++p) {
        const int r = orderAt(p);
        if (r != rec && visible(r)) {
            setCurrent(r, false, false);
            return;
        }
    }
    last();
    if (m_rec < 0)
        setCurrent(-1, true, true);
}

void Table::recallRecord(int physical)
{
    requireWritable();
    cancel();
    m_file->recall(physical); // refuses a record the file no longer holds
}

void Table::beginBatch()
{
    requireOpen();
    if (!m_batch) {
        m_batch = true;
        m_file->beginBatch();
    }
}

void Table::endBatch()
{
    if (m_batch && m_file) {
        m_batch = false;
        m_file->endBatch();
    }
}

// --- files -------------------------------------------------------------------

static QString withSuffix(const QString &path, const char *lower)
{
    const QFileInfo fi(path);
    const QString suffix = fi.suffix();
    const QString base = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    const bool upper =
        !suffix.isEmpty() && suffix == suffix.toUpper() && suffix != suffix.toLower();
    const QString s = QString::fromLatin1(lower);
    return base + QLatin1Char('.') + (upper ? s.toUpper() : s);
}

QString Table::memoPath(const QString &path)
{
    // Backup and export copies of a table keep their memo file beside them
    // under a name of their own.
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString memo = withSuffix(path, suffix == QLatin1String("zal")   ? "zat"
                                          : suffix == QLatin1String("vkf") ? "vkt"
                                                                           : "dbt");
    if (QFileInfo::exists(memo))
        return memo;
    // Sets made on other systems differ in capitals between their files.
    const QFileInfo fi(memo);
    for (const QString &entry : fi.dir().entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (entry.compare(fi.fileName(), Qt::CaseInsensitive) == 0)
            return fi.dir().filePath(entry);
    return memo;
}

QString Table::indexPath(const QString &path)
{
    const bool list =
        QFileInfo(path).suffix().compare(QLatin1String("nrv"), Qt::CaseInsensitive) == 0;
    return withSuffix(path, list ? "nrx" : "mdx");
}

QStringList Table::existingFiles(const QString &path)
{
    QStringList out;
    for (const QString &p : {path, memoPath(path), indexPath(path)})
        if (QFileInfo::exists(p))
            out << p;
    return out;
}

void Table::deleteFiles(const QString &path)
{
    if (TableFile::isOpenAnywhere(path))
        throw DbError(tr("Tabulku nelze smazat, je otevřena: %1").arg(path));
    for (const QString &p : existingFiles(path))
        QFile::remove(p);
    QFile::remove(TableFile::postNotePath(path));
}

} // namespace velmora
