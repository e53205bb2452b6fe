#pragma once

// A small file that travels with a backup set or an exported catalogue,
// beside its status or information file ("info.sum" beside "info.txt"): the
// size and checksum of every file of the set as it was written, and the
// checksum of the marker itself. A reader sees from it that the files of a
// directory were written together, not gathered from several backups or
// exports. Other installations see one more file and pass it by; sets
// without one are judged by what their files say of themselves.

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace velmora::manifest {

struct Entry
{
    QString name;
    qint64 size = 0;
    QByteArray md5;
};

struct Manifest
{
    QByteArray markerMd5;
    QList<Entry> entries;
    // The entry of name (without regard to case); nullptr when none.
    const Entry *find(const QString &name) const;
};

// "info.sum" for "info.txt", "Export.sum" for "Export.evk".
QString fileName(const QString &marker);

QByteArray bytes(const Manifest &m);
// Nothing when the text is no manifest (problem says why).
std::optional<Manifest> parse(const QByteArray &bytes, QString &problem);

// The manifest of the set whose marker is marker in dir: nothing when there
// is none (problem empty) or it does not read (problem set).
std::optional<Manifest> read(const QString &dir, const QString &marker, QString &problem);

// Empty when the marker and the members present in dir are those the
// manifest names, by size (and the marker by its checksum too).
QString sizesProblem(const Manifest &m, const QString &dir, const QString &marker);

// Empty when a copied member's checksum is the one the manifest names.
QString digestProblem(const Manifest &m, const QString &name, const QByteArray &md5,
                      const QString &shownPath);

// The day of the last change a dBASE table's header names; invalid when
// the header does not say. The year counts from 1900; writers that kept two
// digits give a day long past, which no check refuses.
QDate tableDate(const QString &path);

// Empty when the table was not changed after day, the date its set's
// marker was written on.
QString tableAfterMarkerProblem(const QString &table, const QDate &day);

} // namespace velmora::manifest
