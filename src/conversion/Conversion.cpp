#include "conversion/Conversion.h"
#include "engine/DbError.h"

#include "engine/Table.h"
#include "session/Settings.h"
#include "storage/FileCopy.h"
#include "storage/Paths.h"
#include "system/SettingsStore.h"
#include "system/Version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>

namespace velmora::conversion {
namespace {

const QString kOldType = QStringLiteral("typ_kazety");
const QString kNewType = QStringLiteral("t_kazety");

enum class Form
{
    Missing,
    Old,     // has typ_kazety: the 2001.A generation
    Current, // has t_kazety and no typ_kazety: converted already
    Other
};

Form formOf(const QString &path)
{
    if (!QFileInfo::exists(path))
        return Form::Missing;
    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    const bool oldType = t.fieldIndex(kOldType) >= 0;
    const bool newType = t.fieldIndex(kNewType) >= 0;
    t.close();
    if (oldType)
        return Form::Old;
    return newType ? Form::Current : Form::Other;
}

// The path of a file of the data directory under its kept name.
QString keptPath(const QString &live)
{
    const QFileInfo fi(live);
    return fi.dir().filePath(keptName(fi.fileName()));
}

// Copies every record of source into work, counting them in copied. prepare
// resolves the fields of both tables before the first record (a table of
// another generation fails there, naming the field) and returns what copies
// the current record.
template <typename Prepare>
void copyRecords(const QString &source, const QString &work, int &copied,
                 const std::function<void(int)> &progress, Prepare prepare)
{
    Table in;
    in.setPath(source);
    in.open(Table::Mode::ReadOnly);
    Table out;
    out.setPath(work);
    out.open(Table::Mode::Exclusive);
    const auto copyRecord = prepare(in, out);
    inBatch(out, [&] {
        for (in.first(); !in.eof(); in.next()) {
            out.append();
            copyRecord();
            out.post();
            ++copied;
            if (progress)
                progress(copied);
        }
    });
    out.close();
    in.close();
}

} // namespace

QString zeroFilled(const QString &stored)
{
    const QString n = stored.trimmed();
    switch (n.size()) {
    case 1:
        return QStringLiteral("0000") + n;
    case 2:
        return QStringLiteral("000") + n;
    case 3:
        return QStringLiteral("00") + n;
    default:
        return n;
    }
}

QString keptName(const QString &fileName)
{
    const int dot = int(fileName.lastIndexOf(QLatin1Char('.')));
    const QString tag = QLatin1Char('.') + version::kPreviousGeneration;
    if (dot < 0)
        return fileName + tag;
    return fileName.left(dot) + tag + fileName.mid(dot);
}

TableSchema intermediateCassettes()
{
    TableSchema s = schema::cassettes();
    for (FieldDef &f : s.fields)
        if (f.name.startsWith(QLatin1String("zanr")))
            f.width = 12;
    s.tags = {QStringLiteral("cislo")};
    return s;
}

TableSchema convertedArchive()
{
    TableSchema s = schema::cassetteArchive();
    s.fileName = QStringLiteral("nvtemp2.dbf");
    s.tags.clear();
    return s;
}

int walkCount(const QString &path)
{
    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    int n = 0;
    for (t.first(); !t.eof(); t.next())
        ++n;
    t.close();
    return n;
}

QStringList tableFiles(const QString &path)
{
    return Table::existingFiles(path);
}

bool sameBytes(const QString &a, const QString &b)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    if (fa.size() != fb.size())
        return false;
    constexpr qint64 kPiece = 1 << 20;
    while (!fa.atEnd()) {
        const QByteArray x = fa.read(kPiece);
        if (x.isEmpty() || x != fb.read(kPiece))
            return false;
    }
    return true;
}

// --- Replacement -------------------------------------------------------------

QString Replacement::keep(const QString &live, const QString &kept)
{
    const QString problem = filecopy::copy(live, kept, {}, {filecopy::Source::Own});
    if (problem.isEmpty())
        m_keptMade << kept;
    return problem;
}

QString Replacement::install(const QString &source, const QString &live, const QString &kept)
{
    // Recorded before the copy: a failed copy leaves the old file, and
    // putting it back from the kept copy is harmless.
    m_installed.append({live, kept});
    return filecopy::copy(source, live);
}

QString Replacement::rollBack()
{
    QStringList problems;
    for (auto it = m_installed.crbegin(); it != m_installed.crend(); ++it) {
        if (QFileInfo::exists(it->kept)) {
            const QString p = filecopy::copy(it->kept, it->live);
            if (!p.isEmpty())
                problems << p;
        } else if (QFileInfo::exists(it->live) && !QFile::remove(it->live)) {
            problems
                << QStringLiteral("Soubor \"%1\" nelze odstranit.").arg(Paths::native(it->live));
        }
    }
    m_installed.clear();
    return problems.join(QStringLiteral("\r\n"));
}

void Replacement::dropKept()
{
    for (const QString &k : std::as_const(m_keptMade))
        QFile::remove(k);
    m_keptMade.clear();
}

// --- OldDatabase -------------------------------------------------------------

OldDatabase::OldDatabase(const QString &dataDir, const QString &workDir)
    : m_dataDir(dataDir), m_workDir(workDir)
{
    choose(m_cassettes, QStringLiteral("data.dbf"), QStringLiteral("data.dbf"));
    choose(m_archive, QStringLiteral("archiv.dbf"), convertedArchive().fileName);
}

OldDatabase::~OldDatabase()
{
    for (const Part *p : {&m_cassettes, &m_archive}) {
        try {
            Table::deleteFiles(p->work);
        } catch (const std::exception &) {
            // still open somewhere: the private temporary folder goes at the end
        }
    }
}

void OldDatabase::choose(Part &part, const QString &liveName, const QString &workName)
{
    part.live = QDir(m_dataDir).filePath(liveName);
    part.work = QDir(m_workDir).filePath(workName);
    const QString kept = keptPath(part.live);
    const Form live = formOf(part.live);
    if (live == Form::Old) {
        part.source = part.live;
    } else if (formOf(kept) == Form::Old) {
        part.source = kept; // an earlier run replaced the live file and stopped
        part.fromKept = true;
    } else if (live == Form::Other) {
        part.source = part.live; // read, and its missing fields reported
    }
    if (!part.source.isEmpty())
        part.old = walkCount(part.source);
}

int OldDatabase::oldCassettes() const
{
    return m_cassettes.old;
}

int OldDatabase::oldArchive() const
{
    return m_archive.old;
}

void OldDatabase::createCassettes()
{
    const TableSchema s = intermediateCassettes();
    Table::deleteFiles(m_cassettes.work);
    Table::create(m_cassettes.work, s.fields, s.tags);
}

int OldDatabase::copyCassettes(const std::function<void(int)> &progress)
{
    m_cassettes.copied = 0;
    if (m_cassettes.source.isEmpty())
        return 0;
    copyRecords(m_cassettes.source, m_cassettes.work, m_cassettes.copied, progress,
                [](Table &in, Table &out) {
                    struct Slot
                    {
                        int film, zanr, ry;
                        int toFilm, toZanr, toRy, toCas, toStart, toEnd;
                    };
                    std::array<Slot, 5> slot;
                    for (int n = 0; n < 5; ++n) {
                        const QString k = QString::number(n + 1);
                        slot[size_t(n)] = {in.requireField(QStringLiteral("film") + k),
                                           in.requireField(QStringLiteral("zanr") + k),
                                           in.requireField(QStringLiteral("ry") + k),
                                           out.requireField(QStringLiteral("film") + k),
                                           out.requireField(QStringLiteral("zanr") + k),
                                           out.requireField(QStringLiteral("ry") + k),
                                           out.requireField(QStringLiteral("cas") + k),
                                           out.requireField(QStringLiteral("S_Time") + k),
                                           out.requireField(QStringLiteral("E_Time") + k)};
                    }
                    const int type = in.requireField(kOldType),
                              number = in.requireField(QStringLiteral("cislo")),
                              lent = in.requireField(QStringLiteral("pujceno")),
                              to = in.requireField(QStringLiteral("komu")),
                              since = in.requireField(QStringLiteral("od_kdy")),
                              note = in.requireField(QStringLiteral("pozn"));
                    const int oType = out.requireField(kNewType),
                              oNumber = out.requireField(QStringLiteral("cislo")),
                              oLent = out.requireField(QStringLiteral("pujceno")),
                              oTo = out.requireField(QStringLiteral("komu")),
                              oSince = out.requireField(QStringLiteral("od_kdy")),
                              oDays = out.requireField(QStringLiteral("delka_pujc")),
                              oNote = out.requireField(QStringLiteral("pozn"));
                    return [=, &in, &out] {
                        out.setString(oType, in.asString(type));
                        out.setString(oNumber, zeroFilled(in.asString(number)));
                        for (const Slot &s : slot) {
                            out.setString(s.toFilm, in.asString(s.film));
                            out.setString(s.toZanr, in.asString(s.zanr));
                            out.setString(s.toRy, in.asString(s.ry));
                            out.setInteger(s.toCas, 0);
                            out.setInteger(s.toStart, 0);
                            out.setInteger(s.toEnd, 0);
                        }
                        if (!in.isNull(lent))
                            out.setBoolean(oLent, in.asBoolean(lent));
                        out.setString(oTo, in.asString(to));
                        out.setString(oSince, in.asString(since));
                        out.setInteger(oDays, 0);
                        out.setString(oNote, in.asString(note));
                    };
                });
    return m_cassettes.copied;
}

int OldDatabase::countCassettes() const
{
    return walkCount(m_cassettes.work);
}

void OldDatabase::createArchive()
{
    const TableSchema s = convertedArchive();
    Table::deleteFiles(m_archive.work);
    Table::create(m_archive.work, s.fields, s.tags);
}

int OldDatabase::copyArchive(const std::function<void(int)> &progress)
{
    m_archive.copied = 0;
    if (m_archive.source.isEmpty())
        return 0;
    copyRecords(m_archive.source, m_archive.work, m_archive.copied, progress,
                [](Table &in, Table &out) {
                    const int type = in.requireField(kOldType),
                              number = in.requireField(QStringLiteral("cislo")),
                              to = in.requireField(QStringLiteral("komu")),
                              since = in.requireField(QStringLiteral("od_kdy")),
                              note = in.requireField(QStringLiteral("pozn"));
                    const int oType = out.requireField(kNewType),
                              oNumber = out.requireField(QStringLiteral("cislo")),
                              oTo = out.requireField(QStringLiteral("komu")),
                              oSince = out.requireField(QStringLiteral("od_kdy")),
                              oNote = out.requireField(QStringLiteral("pozn"));
                    return [=, &in, &out] {
                        out.setString(oType, in.asString(type));
                        out.setString(oNumber, zeroFilled(in.asString(number)));
                        out.setString(oTo, in.asString(to));
                        out.setString(oSince, in.asString(since));
                        out.setString(oNote, in.asString(note));
                    };
                });
    return m_archive.copied;
}

int OldDatabase::countArchive() const
{
    return walkCount(m_archive.work);
}

QString OldDatabase::keepOriginals(const Part &part, Replacement &r) const
{
    if (part.source.isEmpty() || part.fromKept)
        return QString(); // nothing read from the live file, or kept already
    // The data file is kept last: a kept data file stands for a whole set,
    // and a memo or index file of an older set must not pass for this one's.
    const QString dbf = part.live;
    // A memo file beside a table of the old generation, which has no memo
    // fields, is none of its: the new one of a run that was stopped.
    Table t;
    t.setPath(dbf);
    t.open(Table::Mode::ReadOnly);
    bool memo = false;
    for (const FieldDef &f : t.fieldDefs())
        memo = memo || f.type == FieldType::Memo;
    t.close();
    for (const QString &live : {Table::memoPath(dbf), Table::indexPath(dbf), dbf}) {
        const QString kept = keptPath(live);
        if (!QFileInfo::exists(live) || (live == Table::memoPath(dbf) && !memo)) {
            QFile::remove(kept);
            continue;
        }
        const QString problem = r.keep(live, kept);
        if (!problem.isEmpty())
            return problem;
    }
    return QString();
}

QString OldDatabase::install()
{
    for (const Part *p : {&m_cassettes, &m_archive}) {
        if (p->source.isEmpty())
            continue;
        const int walked = walkCount(p->work);
        if (p->copied != p->old || walked != p->old)
            return QStringLiteral("Nová tabulka \"%1\" má %2 záznamů, původní \"%3\" %4.")
                .arg(Paths::native(p->work))
                .arg(walked)
                .arg(Paths::native(p->source))
                .arg(p->old);
    }

    Replacement r;
    QString problem = keepOriginals(m_cassettes, r);
    if (problem.isEmpty())
        problem = keepOriginals(m_archive, r);
    // The memo file goes before the table: the old table has no memo
    // fields, so for a moment it stands beside the new memo file unharmed.
    if (problem.isEmpty() && !m_cassettes.source.isEmpty()) {
        const QString memo = Table::memoPath(m_cassettes.live);
        problem = r.install(Table::memoPath(m_cassettes.work), memo, keptPath(memo));
        if (problem.isEmpty())
            problem = r.install(m_cassettes.work, m_cassettes.live, keptPath(m_cassettes.live));
    }
    if (problem.isEmpty() && !m_archive.source.isEmpty())
        problem = r.install(m_archive.work, m_archive.live, keptPath(m_archive.live));

    if (problem.isEmpty()) {
        try {
            for (const Part *p : {&m_cassettes, &m_archive}) {
                if (p->source.isEmpty())
                    continue;
                const int n = walkCount(p->live);
                if (n != p->old || formOf(p->live) != Form::Current)
                    problem = QStringLiteral("Tabulka \"%1\" nebyla zapsána celá.")
                                  .arg(Paths::native(p->live));
            }
        } catch (const std::exception &e) {
            problem = errorText(e);
        }
    }
    if (!problem.isEmpty()) {
        const QString back = r.rollBack();
        if (!back.isEmpty())
            return problem + QStringLiteral("\r\nPůvodní soubory se nepodařilo vrátit: ") + back +
                   QStringLiteral("\r\nJsou uloženy pod jmény s označením verze ") +
                   version::kPreviousGeneration + QLatin1Char('.');
        r.dropKept();
        return problem;
    }
    // The index and memo files of the old generation describe tables that
    // are no longer there; their kept copies stay with the kept tables.
    if (!m_cassettes.source.isEmpty())
        QFile::remove(Table::indexPath(m_cassettes.live));
    if (!m_archive.source.isEmpty()) {
        QFile::remove(Table::indexPath(m_archive.live));
        QFile::remove(Table::memoPath(m_archive.live));
    }
    return QString();
}

QString writeNewVersion()
{
    SettingsStore store = SettingsStore::own();
    if (!store.isWritable())
        return QStringLiteral("Nastavení nelze zapsat: %1").arg(Paths::native(store.fileName()));
    store.writeString(settings::kVersion, version::kText);
    store.writeString(settings::kDatVerze, version::kDate);
    store.sync();
    return QString();
}

QString convert(const QString &dataDir, const QString &workDir)
{
    try {
        OldDatabase db(dataDir, workDir);
        db.createCassettes();
        db.copyCassettes();
        db.createArchive();
        db.copyArchive();
        QString problem = db.install();
        if (problem.isEmpty())
            problem = writeNewVersion();
        return problem;
    } catch (const std::exception &e) {
        return errorText(e);
    }
}

} // namespace velmora::conversion
