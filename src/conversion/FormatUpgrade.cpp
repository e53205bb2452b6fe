#include "conversion/FormatUpgrade.h"
#include "engine/DbError.h"

#include "conversion/Conversion.h"
#include "engine/Table.h"
#include "session/Session.h"
#include "storage/FileCopy.h"
#include "storage/Paths.h"
#include "storage/Schemas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace velmora::upgrade {
namespace {

using conversion::Replacement;

QString keptPath(const QString &live)
{
    const QFileInfo fi(live);
    return fi.dir().filePath(keptName(fi.fileName()));
}

struct Column
{
    int from;
    int to;
    FieldType type;
};

// The fields of out found by name in in: a field that in lacks throws the
// engine's error naming it.
std::vector<Column> columns(const Table &in, const Table &out)
{
    std::vector<Column> c;
    const QList<FieldDef> defs = out.fieldDefs();
    for (int i = 0; i < int(defs.size()); ++i)
        c.push_back({in.requireField(defs[i].name), i, defs[i].type});
    return c;
}

void copyRecord(const Table &in, Table &out, const std::vector<Column> &cols)
{
    for (const Column &c : cols) {
        switch (c.type) {
        case FieldType::Integer:
            if (!in.isNull(c.from))
                out.setInteger(c.to, in.asInteger(c.from));
            break;
        case FieldType::Boolean:
            if (!in.isNull(c.from))
                out.setBoolean(c.to, in.asBoolean(c.from));
            break;
        case FieldType::Date:
            if (const QDate d = in.asDate(c.from); d.isValid())
                out.setDate(c.to, d);
            break;
        default: {
            const QString text = in.asString(c.from);
            if (!text.isEmpty())
                out.setString(c.to, text);
        }
        }
    }
}

bool sameField(const Table &a, const Table &b, const Column &c)
{
    switch (c.type) {
    case FieldType::Integer:
        return a.isNull(c.from) == b.isNull(c.to) && a.asInteger(c.from) == b.asInteger(c.to);
    case FieldType::Boolean:
        return a.isNull(c.from) == b.isNull(c.to) && a.asBoolean(c.from) == b.asBoolean(c.to);
    case FieldType::Date:
        return a.asDate(c.from) == b.asDate(c.to);
    default:
        return a.asString(c.from) == b.asString(c.to);
    }
}

// Builds target with the fields given from every record of source in its
// stored order, then reads both again and compares every field of every
// record. Empty when the copy is whole; throws the engine's errors.
QString rebuild(const QString &source, const QString &target, const TableSchema &schema)
{
    Table::deleteFiles(target);
    Table::create(target, schema.fields, schema.tags);
    Table in;
    in.setPath(source);
    in.open(Table::Mode::ReadOnly);
    Table out;
    out.setPath(target);
    out.open(Table::Mode::Exclusive);
    const std::vector<Column> cols = columns(in, out);
    int copied = 0;
    inBatch(out, [&] {
        for (in.first(); !in.eof(); in.next()) {
            out.append();
            copyRecord(in, out, cols);
            out.post();
            ++copied;
        }
    });

    // The check reads what the file holds, not what was just written.
    out.close();
    out.open(Table::Mode::ReadOnly);
    int checked = 0;
    in.first();
    out.first();
    for (; !in.eof() && !out.eof(); in.next(), out.next()) {
        ++checked;
        for (const Column &c : cols)
            if (!sameField(in, out, c))
                return QStringLiteral("Záznam %1 tabulky \"%2\" se nepřenesl beze změny (pole %3).")
                    .arg(checked)
                    .arg(Paths::native(source), schema.fields.at(c.to).name);
    }
    if (!in.eof() || !out.eof() || checked != copied)
        return QStringLiteral("Nová tabulka \"%1\" nemá všechny záznamy tabulky \"%2\".")
            .arg(Paths::native(target), Paths::native(source));
    return QString();
}

// Keeps the files of a live table under their kept names, the data file
// last; a kept file whose live one is missing is removed, so it cannot pass
// for part of this set.
QString keepTable(const QString &live, Replacement &r)
{
    for (const QString &f : {Table::memoPath(live), Table::indexPath(live), live}) {
        if (!QFileInfo::exists(f)) {
            QFile::remove(keptPath(f));
            continue;
        }
        if (const QString p = r.keep(f, keptPath(f)); !p.isEmpty())
            return p;
    }
    return QString();
}

void removeKept(const QString &live)
{
    for (const QString &f : {live, Table::memoPath(live), Table::indexPath(live)})
        QFile::remove(keptPath(f));
}

// An earlier upgrade stopped between the memo file and data.dbf: the kept
// pair is whole, the live memo file may be the new one. The live files are
// made the kept ones again.
QString repairInterrupted(const QString &liveDbf)
{
    const QString keptDbf = keptPath(liveDbf);
    if (!QFileInfo::exists(keptDbf))
        return QString();
    if (conversion::sameBytes(keptDbf, liveDbf)) {
        for (const QString &f : {Table::memoPath(liveDbf), Table::indexPath(liveDbf)}) {
            if (QFileInfo::exists(keptPath(f))) {
                if (const QString p = filecopy::copy(keptPath(f), f); !p.isEmpty())
                    return p;
            } else {
                QFile::remove(f);
            }
        }
    }
    // Either way the kept files are done with: copies of the live ones now,
    // or left by an upgrade of other data (a restored backup).
    removeKept(liveDbf);
    return QString();
}

QString tryUpgrade(const QString &liveDbf, const QString &liveList, const QString &workDbf,
                   const QString &workList, Replacement &r)
{
    if (QString p = keepTable(liveDbf, r); !p.isEmpty())
        return p;
    const bool list = QFileInfo::exists(liveList);
    if (list)
        if (QString p = keepTable(liveList, r); !p.isEmpty())
            return p;

    // Read from the live tables (the same bytes as the kept ones by now),
    // so that a message names the files the user knows.
    if (QString p = rebuild(liveDbf, workDbf, schema::cassettes()); !p.isEmpty())
        return p;
    const TableSchema genres = schema::userList(UserList::Genres);
    if (list)
        if (QString p = rebuild(liveList, workList, genres); !p.isEmpty())
            return p;
    const int records = conversion::walkCount(workDbf);

    // The list first: a wide list beside an old data.dbf harms nothing. The
    // memo file before the table, so that the new table never stands
    // beside the old memo file.
    if (list)
        if (QString p = r.install(workList, liveList, keptPath(liveList)); !p.isEmpty())
            return p;
    const QString memo = Table::memoPath(liveDbf);
    if (QString p = r.install(Table::memoPath(workDbf), memo, keptPath(memo)); !p.isEmpty())
        return p;
    if (QString p = r.install(workDbf, liveDbf, keptPath(liveDbf)); !p.isEmpty())
        return p;

    Table t;
    t.setPath(liveDbf);
    t.open(Table::Mode::ReadOnly);
    const int width = t.fieldWidth(QStringLiteral("zanr1"));
    t.close();
    if (width != 15 || conversion::walkCount(liveDbf) != records)
        return QStringLiteral("Tabulka \"%1\" nebyla zapsána celá.").arg(Paths::native(liveDbf));
    return QString();
}

} // namespace

QString keptName(const QString &fileName)
{
    return schema::upgradeKeptName(fileName);
}

QString upgradeFormat(const QString &dataDir, const QString &workDir)
{
    const QDir data(dataDir), work(workDir);
    const QString liveDbf = data.filePath(QStringLiteral("data.dbf"));
    const QString liveList = data.filePath(schema::userList(UserList::Genres).fileName);
    const QString workDbf = work.filePath(QStringLiteral("data.dbf"));
    const QString workList = work.filePath(schema::userList(UserList::Genres).fileName);

    if (const QString p = repairInterrupted(liveDbf); !p.isEmpty())
        return p;
    Replacement r;
    QString problem;
    try {
        problem = tryUpgrade(liveDbf, liveList, workDbf, workList, r);
    } catch (const std::exception &e) {
        problem = errorText(e);
    }
    for (const QString &w : {workDbf, workList}) {
        try {
            Table::deleteFiles(w);
        } catch (const std::exception &) {
            // still open somewhere: the private temporary folder goes at the end
        }
    }
    if (!problem.isEmpty()) {
        const QString back = r.rollBack();
        if (!back.isEmpty())
            return problem + QStringLiteral("\r\nPůvodní soubory se nepodařilo vrátit: ") + back +
                   QStringLiteral("\r\nJsou uloženy pod jmény s označením zanr12.");
        r.dropKept();
        return problem;
    }
    // Index files of the old tables no longer describe them.
    QFile::remove(Table::indexPath(liveDbf));
    QFile::remove(Table::indexPath(liveList));
    r.dropKept();
    return QString();
}

QString runAtActivation(Session &session)
{
    // No handle may hold a file that is about to be replaced.
    session.tables().closeAll();
    const QString problem = upgradeFormat(Paths::dataDir(), Paths::tempDir());
    if (problem.isEmpty()) {
        session.settings().cassettesReadOnly = false;
        return QString();
    }
    return QStringLiteral("Databázi videokazet (data.dbf) se nepodařilo převést do nového "
                          "formátu:\r\n%1\r\n\r\nPřevod se zopakuje při příštím spuštění "
                          "programu, do té doby lze videokazety pouze prohlížet.")
        .arg(problem);
}

} // namespace velmora::upgrade
