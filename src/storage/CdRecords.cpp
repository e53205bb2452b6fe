#include "storage/CdRecords.h"

#include "engine/Table.h"

namespace velmora {

CdTitleColumns::CdTitleColumns(const Table &t)
    : size(t.requireField(QStringLiteral("T_cd"))),
      number(t.requireField(QStringLiteral("Cislocd"))),
      title(t.requireField(QStringLiteral("TitulCD"))),
      artist(t.requireField(QStringLiteral("Artist"))),
      acquired(t.requireField(QStringLiteral("Porizeno"))),
      format(t.requireField(QStringLiteral("Format"))),
      note(t.requireField(QStringLiteral("PoznCD"))), loan(t)
{
}

CdTitle CdTitleColumns::read(const Table &t) const
{
    CdTitle r;
    r.size = t.asString(size);
    r.number = t.asString(number);
    r.title = t.asString(title);
    r.artist = t.asString(artist);
    r.acquired = t.asString(acquired);
    r.format = t.asString(format);
    r.loan = loan.read(t);
    r.note = t.asString(note);
    return r;
}

void CdTitleColumns::writeContent(Table &t, const CdTitle &r) const
{
    t.setString(size, r.size);
    t.setString(number, r.number);
    t.setString(title, r.title);
    t.setString(artist, r.artist);
    t.setString(acquired, r.acquired);
    t.setString(format, r.format);
    t.setString(note, r.note);
}

void CdTitleColumns::writeNew(Table &t, const CdTitle &r) const
{
    writeContent(t, r);
    t.setBoolean(loan.lent, false);
}

CdTrackColumns::CdTrackColumns(const Table &t)
    : number(t.requireField(QStringLiteral("Cislocd"))),
      label(t.requireField(QStringLiteral("Oznaceni"))),
      track(t.requireField(QStringLiteral("TrackNum"))),
      title(t.requireField(QStringLiteral("Track"))),
      seconds(t.requireField(QStringLiteral("Lenght"))),
      style(t.requireField(QStringLiteral("Styl"))),
      artist(t.requireField(QStringLiteral("Artist")))
{
}

QString trackLabel(const QString &stored)
{
    // Tracks stored without a disc label (by an older edit of a title that
    // had none, or by another program) belong to the first disc.
    return stored.trimmed().isEmpty() ? QStringLiteral("CD1") : stored;
}

CdTrack CdTrackColumns::read(const Table &t) const
{
    return {t.asString(number), trackLabel(t.asString(label)), t.asInteger(track),
            t.asString(title),  t.asInteger(seconds),          t.asString(style),
            t.asString(artist)};
}

CdTrack CdTrackColumns::readAt(const Table &t, int physical) const
{
    return {t.asStringAt(physical, number),
            trackLabel(t.asStringAt(physical, label)),
            t.asStringAt(physical, track).trimmed().toInt(),
            t.asStringAt(physical, title),
            t.asStringAt(physical, seconds).trimmed().toInt(),
            t.asStringAt(physical, style),
            t.asStringAt(physical, artist)};
}

void CdTrackColumns::write(Table &t, const CdTrack &r) const
{
    t.setString(number, r.number);
    t.setString(label, r.label);
    t.setInteger(track, r.track);
    t.setString(title, r.title);
    t.setInteger(seconds, r.seconds);
    t.setString(style, r.style);
    t.setString(artist, r.artist);
}

} // namespace velmora
