#include "storage/Interrupted.h"

#include "engine/Table.h"
#include "storage/FileCopy.h"
#include "storage/Paths.h"
#include "storage/Schemas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <set>

namespace velmora::interrupted {
namespace {

// Hidden, like the lock file: notes are no data of the user's.
const QString kReplacementNote = QStringLiteral(".velmora-restore.json");
const QString kTitleNote = QStringLiteral(".velmora-cdtitle.json");

// Written under a temporary name, flushed and renamed: a note is whole or
// not there, and it is on the disk before the work's first change.
QString writeNote(const QString &dir, const QString &name, const QJsonObject &note)
{
    return filecopy::writeWhole(QDir(dir).filePath(name), QJsonDocument(note).toJson());
}

QJsonArray numbers(const std::vector<int> &v)
{
    QJsonArray a;
    for (int n : v)
        a.append(n);
    return a;
}

std::set<int> numberSet(const QJsonValue &v)
{
    std::set<int> out;
    for (const QJsonValue &n : v.toArray())
        out.insert(n.toInt(-1));
    return out;
}

// Puts the live files back from the copies aside; empty when all are back.
// Before the replacing began, the live files are untouched and aside only
// goes.
QString undoReplacement(const QString &dir, const QJsonObject &note)
{
    const QString aside = note.value(QStringLiteral("aside")).toString();
    if (!note.value(QStringLiteral("replacing")).toBool()) {
        if (!aside.isEmpty())
            QDir(aside).removeRecursively();
        return QString();
    }
    QStringList problems;
    for (const QJsonValue &v : note.value(QStringLiteral("existing")).toArray()) {
        const QString name = QFileInfo(v.toString()).fileName();
        const QString kept =
            QFileInfo(
                note.value(QStringLiteral("asideNames")).toObject().value(name).toString(name))
                .fileName();
        const QString p = filecopy::copy(QDir(aside).filePath(kept), QDir(dir).filePath(name));
        if (!p.isEmpty())
            problems << p;
    }
    for (const QJsonValue &v : note.value(QStringLiteral("missing")).toArray()) {
        const QString live = QDir(dir).filePath(QFileInfo(v.toString()).fileName());
        if (QFileInfo::exists(live) && !QFile::remove(live))
            problems << QStringLiteral("Soubor \"%1\" nelze odstranit.").arg(Paths::native(live));
    }
    if (problems.isEmpty() && !aside.isEmpty())
        QDir(aside).removeRecursively(); // it holds what the live files hold again
    return problems.join(QStringLiteral("\r\n"));
}

// Brings the records of one number back to the ones noted: records of the
// number that came since are deleted, noted ones deleted since recalled.
void undoRecords(Table &t, int numberField, const QString &number, const std::set<int> &old)
{
    std::set<int> live;
    for (int rec : t.visibleRecords())
        if (t.asStringAt(rec, numberField) == number)
            live.insert(rec);
    for (int rec : live) {
        if (old.count(rec))
            continue;
        t.moveToRecord(rec);
        t.deleteRecord();
    }
    for (int rec : old)
        if (!live.count(rec) && t.asStringAt(rec, numberField) == number)
            t.recallRecord(rec);
}

void undoTitleChange(const QString &dir, const QJsonObject &note)
{
    const QString number = note.value(QStringLiteral("number")).toString();
    Table tracks;
    tracks.setPath(
        QDir(dir).filePath(QFileInfo(note.value(QStringLiteral("tracks")).toString()).fileName()));
    tracks.open();
    undoRecords(tracks, CdTrackColumns(tracks).number, number,
                numberSet(note.value(QStringLiteral("oldTracks"))));
    tracks.close();

    Table titles;
    titles.setPath(
        QDir(dir).filePath(QFileInfo(note.value(QStringLiteral("titles")).toString()).fileName()));
    titles.open();
    const CdTitleColumns tc(titles);
    undoRecords(titles, tc.number, number, numberSet(note.value(QStringLiteral("oldTitles"))));
    const int edited = note.value(QStringLiteral("edited")).toInt(-1);
    if (edited >= 0 && titles.asStringAt(edited, tc.number) == number) {
        const QJsonObject b = note.value(QStringLiteral("before")).toObject();
        CdTitle before;
        before.size = b.value(QStringLiteral("size")).toString();
        before.number = number;
        before.title = b.value(QStringLiteral("title")).toString();
        before.artist = b.value(QStringLiteral("artist")).toString();
        before.acquired = b.value(QStringLiteral("acquired")).toString();
        before.format = b.value(QStringLiteral("format")).toString();
        before.note = b.value(QStringLiteral("note")).toString();
        titles.moveToRecord(edited);
        if (titles.recordNumber() == edited) {
            const CdTitle now = tc.read(titles);
            if (now.size != before.size || now.title != before.title ||
                now.artist != before.artist || now.acquired != before.acquired ||
                now.format != before.format || now.note != before.note) {
                titles.edit();
                tc.writeContent(titles, before);
                titles.post();
            }
        }
    }
    titles.close();
}

// The copies the format upgrade keeps aside go when it ends; once data.dbf
// has the current genres, any still there were left by an upgrade stopped
// after its last replacement. (With the old genres the upgrade runs again
// at the first activation and repairs from them.)
void discardUpgradeKept(const QString &dir)
{
    const QString data = QDir(dir).filePath(QStringLiteral("data.dbf"));
    const QString genres = QDir(dir).filePath(schema::userList(UserList::Genres).fileName);
    QStringList kept;
    for (const QString &live : {data, genres})
        for (const QString &f : {live, Table::memoPath(live), Table::indexPath(live)})
            if (const QString k =
                    QDir(dir).filePath(schema::upgradeKeptName(QFileInfo(f).fileName()));
                QFileInfo::exists(k))
                kept << k;
    if (kept.isEmpty() || !QFileInfo::exists(data))
        return;
    try {
        Table t;
        t.setPath(data);
        t.open(Table::Mode::ReadOnly);
        const bool current = t.fieldIndex(QStringLiteral("zanr1")) >= 0 &&
                             t.fieldWidth(QStringLiteral("zanr1")) >= 15;
        t.close();
        if (!current)
            return;
    } catch (const DbError &) {
        return; // a table that does not open is for the start to tell about
    }
    for (const QString &k : kept)
        QFile::remove(k);
}

// A record rewritten in place when the program was killed is finished from
// the note beside its table by an open that may write (the engine does it);
// tables opened only to be read are left as they are, so this is done for
// the tables of the directory before anything reads them.
void finishPosts(const QString &dir, QStringList &told)
{
    const QString suffix = QStringLiteral(".post");
    const QStringList notes =
        QDir(dir).entryList({QLatin1Char('*') + suffix}, QDir::Files | QDir::Hidden);
    for (const QString &note : notes) {
        const QString table = QDir(dir).filePath(note.left(note.size() - suffix.size()));
        if (!QFileInfo(table).isFile())
            continue;
        try {
            Table t;
            t.setPath(table);
            t.open();
            t.close();
        } catch (const std::exception &e) {
            told << QStringLiteral("Zápis do tabulky %1 nebyl dokončen (program byl ukončen "
                                   "uprostřed práce) a nepodařilo se jej dokončit: %2")
                        .arg(Paths::native(table), QString::fromUtf8(e.what()));
        }
    }
}

QJsonObject readNote(const QString &path, QString &problem)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("Soubor \"%1\" nelze číst: %2")
                      .arg(Paths::native(path), f.errorString());
        return {};
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    if (!doc.isObject())
        problem = QStringLiteral("Soubor \"%1\" je poškozen: %2")
                      .arg(Paths::native(path), error.errorString());
    return doc.object();
}

} // namespace

QString noteReplacement(const QString &dir, const FileReplacement &work)
{
    QJsonObject names;
    for (auto it = work.asideNames.begin(); it != work.asideNames.end(); ++it)
        names.insert(it.key(), it.value());
    return writeNote(dir, kReplacementNote,
                     {{QStringLiteral("aside"), work.aside},
                      {QStringLiteral("replacing"), work.replacing},
                      {QStringLiteral("existing"), QJsonArray::fromStringList(work.existing)},
                      {QStringLiteral("missing"), QJsonArray::fromStringList(work.missing)},
                      {QStringLiteral("asideNames"), names}});
}

QString noteTitleChange(const QString &dir, const TitleChange &work)
{
    const QJsonObject before{{QStringLiteral("size"), work.before.size},
                             {QStringLiteral("title"), work.before.title},
                             {QStringLiteral("artist"), work.before.artist},
                             {QStringLiteral("acquired"), work.before.acquired},
                             {QStringLiteral("format"), work.before.format},
                             {QStringLiteral("note"), work.before.note}};
    return writeNote(dir, kTitleNote,
                     {{QStringLiteral("titles"), work.titles},
                      {QStringLiteral("tracks"), work.tracks},
                      {QStringLiteral("number"), work.number},
                      {QStringLiteral("oldTitles"), numbers(work.oldTitles)},
                      {QStringLiteral("oldTracks"), numbers(work.oldTracks)},
                      {QStringLiteral("edited"), work.edited},
                      {QStringLiteral("before"), before}});
}

void doneReplacement(const QString &dir)
{
    QFile::remove(QDir(dir).filePath(kReplacementNote));
}

void doneTitleChange(const QString &dir)
{
    QFile::remove(QDir(dir).filePath(kTitleNote));
}

QStringList undoInterrupted(const QString &dir)
{
    QStringList told;
    filecopy::discardUnfinished(dir);
    finishPosts(dir, told);
    const QString restore = QDir(dir).filePath(kReplacementNote);
    if (QFileInfo::exists(restore)) {
        QString problem;
        const QJsonObject note = readNote(restore, problem);
        if (problem.isEmpty())
            problem = undoReplacement(dir, note);
        if (problem.isEmpty()) {
            QFile::remove(restore);
            told << QStringLiteral("Obnova dat ze zálohy nebyla dokončena (program byl ukončen "
                                   "uprostřed práce). ") +
                        (note.value(QStringLiteral("replacing")).toBool()
                             ? QStringLiteral("Data byla vrácena do stavu před obnovou.")
                             : QStringLiteral("Data programu zůstala beze změny."));
        } else {
            told << QStringLiteral("Obnova dat ze zálohy nebyla dokončena a data se nepodařilo "
                                   "vrátit do stavu před obnovou:\r\n%1\r\n\r\nJejich kopie je "
                                   "uložena v adresáři:\r\n%2")
                        .arg(problem,
                             Paths::native(note.value(QStringLiteral("aside")).toString()));
        }
    }
    const QString title = QDir(dir).filePath(kTitleNote);
    if (QFileInfo::exists(title)) {
        QString problem;
        const QJsonObject note = readNote(title, problem);
        const QString number = note.value(QStringLiteral("number")).toString();
        if (problem.isEmpty()) {
            try {
                undoTitleChange(dir, note);
            } catch (const std::exception &e) {
                problem = QString::fromUtf8(e.what());
            }
        }
        if (problem.isEmpty()) {
            QFile::remove(title);
            told << QStringLiteral("Uložení titulu CD %1 nebylo dokončeno (program byl ukončen "
                                   "uprostřed práce). Titul a jeho stopy byly vráceny do stavu "
                                   "před úpravou.")
                        .arg(number);
        } else {
            told << QStringLiteral("Uložení titulu CD %1 nebylo dokončeno a titul se nepodařilo "
                                   "vrátit do stavu před úpravou:\r\n%2")
                        .arg(number, problem);
        }
    }
    // Decided on the files as the undoing left them.
    discardUpgradeKept(dir);
    return told;
}

} // namespace velmora::interrupted
