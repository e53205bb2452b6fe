#include "listing/SortedReports.h"

#include "engine/Table.h"
#include "storage/CdRecords.h"
#include "storage/Paths.h"
#include "storage/Records.h"
#include "writer/ReportText.h"
#include "writer/ReportWriter.h"
#include "writer/RtfDocument.h"

namespace velmora {
namespace {

const QString kNumber = QStringLiteral("cislo");
const QString kFilm = QStringLiteral("film");
const QString kGenre = QStringLiteral("zanr");
const QString kSpeed = QStringLiteral("ry");
const QString kLength = QStringLiteral("cas");
const QString kTrack = QStringLiteral("Track");
const QString kStyle = QStringLiteral("Styl");
const QString kArtist = QStringLiteral("Artist");

// What a list of one order prints above and in its rows.
struct Kind
{
    QString tag;
    QString sorting;
    QString heading;
    QString row;
};

const Kind kFilmKinds[] = {
    {kFilm, QStringLiteral("     Řazení: Abecední podle filmů"),
     QStringLiteral(
         "     Film:                          Žánr:            Rych:    Čas:       VK: "),
     QStringLiteral("     %-30s %-15s  %-7s  %-8s %-5s")},
    {kGenre, QStringLiteral("     Řazení: Žánr filmů"),
     QStringLiteral(
         "     Žánr:           Film:                           Rych:    Čas:       VK: "),
     QStringLiteral("     %-15s %-30s  %-7s  %-8s %-5s")},
};

const Kind kTrackKinds[] = {
    {QStringLiteral("track"), QStringLiteral(" Řazení: Abecední podle jména skladby"),
     QStringLiteral(" Skladba:                                           Styl:           "
                    "Zpěvák (-čka):"),
     QStringLiteral(" %-50s %-15s %-30s")},
    {QStringLiteral("styl"), QStringLiteral(" Řazení: Podle stylu skladby"),
     QStringLiteral(" Styl:           Skladba:                                           "
                    "Zpěvák (-čka):"),
     QStringLiteral(" %-15s %-50s %-30s ")},
    {QStringLiteral("artist"), QStringLiteral(" Řazení: Podle jména zpěváka (-čky)"),
     QStringLiteral(" Zpěvák (-čka):                 Skladba:                                  "
                    "         Styl:"),
     QStringLiteral(" %-30s %-50s %-15s ")},
};

const QString kFilmTitle = QStringLiteral("   S E Z N A M    V Š E C H    F I L M Ů");
const QString kTrackTitle = QStringLiteral(" S E Z N A M    V Š E C H    S K L A D E B");
const QString kOpening = QStringLiteral("\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs32");
constexpr int kFilmRule = 71;
constexpr int kTrackRule = 91;

} // namespace

QString sortedWorkPath()
{
    return Paths::tempDir() + QStringLiteral("tridena.dbf");
}

QList<FieldDef> sortedFilmFields()
{
    return {FieldDef::string(kNumber, 5), FieldDef::string(kFilm, 30), FieldDef::string(kGenre, 15),
            FieldDef::string(kSpeed, 2), FieldDef::string(kLength, 8)};
}

QStringList sortedFilmTags()
{
    return {kFilm, kGenre};
}

SortedFilmColumns::SortedFilmColumns(const Table &work)
    : number(work.requireField(kNumber)), title(work.requireField(kFilm)),
      genre(work.requireField(kGenre)), speed(work.requireField(kSpeed)),
      length(work.requireField(kLength))
{
}

QList<FieldDef> sortedTrackFields()
{
    return {FieldDef::string(kTrack, 50), FieldDef::string(kStyle, 15),
            FieldDef::string(kArtist, 30)};
}

QStringList sortedTrackTags()
{
    return {QStringLiteral("track"), QStringLiteral("artist"), QStringLiteral("styl")};
}

SortedTrackColumns::SortedTrackColumns(const Table &work)
    : title(work.requireField(kTrack)), style(work.requireField(kStyle)),
      artist(work.requireField(kArtist))
{
}

void createSortedTable(Table &work, const QString &path, const QList<FieldDef> &fields,
                       const QStringList &tags)
{
    removeSortedTable(work);
    // A handle used before starts in the order the records were appended;
    // appending under a tag would keep it sorted record by record.
    work.setFiltered(false);
    work.setFilter(QString());
    work.setIndex(QString());
    work.setPath(path);
    Table::deleteFiles(path);
    work.create(fields, tags);
    work.open();
}

void removeSortedTable(Table &work)
{
    work.close();
    if (!work.path().isEmpty())
        Table::deleteFiles(work.path());
}

int countFilms(Table &cassettes)
{
    const CassetteColumns c(cassettes);
    int count = 0;
    for (cassettes.first(); !cassettes.eof(); cassettes.next())
        for (const CassetteColumns::Slot &slot : c.recordings)
            if (!cassettes.isNull(slot.title))
                ++count;
    return count;
}

int copyFilms(Table &cassettes, Table &work)
{
    const CassetteColumns c(cassettes);
    const SortedFilmColumns w(work);
    return inBatch(work, [&] {
        int count = 0;
        for (cassettes.first(); !cassettes.eof(); cassettes.next()) {
            const QString number = cassettes.asString(c.number);
            for (const CassetteColumns::Slot &slot : c.recordings) {
                const QString title = cassettes.asString(slot.title);
                if (title.isEmpty())
                    continue;
                work.append();
                work.setString(w.number, number);
                work.setString(w.title, title);
                work.setString(w.genre, cassettes.asString(slot.genre));
                work.setString(w.speed, cassettes.asString(slot.speed));
                // An empty length stays empty: the list prints it as no time.
                work.setString(w.length, cassettes.asString(slot.length));
                work.post();
                ++count;
            }
        }
        return count;
    });
}

int copyTracks(Table &tracks, Table &work)
{
    const CdTrackColumns c(tracks);
    const SortedTrackColumns w(work);
    return inBatch(work, [&] {
        int count = 0;
        for (tracks.first(); !tracks.eof(); tracks.next()) {
            work.append();
            work.setString(w.title, tracks.asString(c.title));
            work.setString(w.style, tracks.asString(c.style));
            work.setString(w.artist, tracks.asString(c.artist));
            work.post();
            ++count;
        }
        return count;
    });
}

void writeSortedFilms(ReportWriter &w, Table &work, FilmOrder order, const RowWritten &rowWritten)
{
    const Kind &kind = kFilmKinds[int(order)];
    const SortedFilmColumns c(work);
    work.setIndex(kind.tag);

    w.header(rtf::kColourTableB, kOpening);
    w.style(report::kBlue, 16, true);
    w.either(kFilmTitle + QLatin1Char(' '), kFilmTitle + QStringLiteral("\\par"));
    w.colour(report::kRed);
    w.size(10);
    w.styledLine(QStringLiteral("\\cf3\\fs20"), QString());
    w.line(kind.sorting);
    w.styledLine(QStringLiteral("\\cf1"), QString());
    // The document's heading ends without the blank.
    w.either(kind.heading, kind.heading.chopped(1) + QStringLiteral("\\par"));
    w.rule(5, kFilmRule);
    w.line();

    w.colour(report::kBlack);
    // Lengths repeat from row to row; each is written as time once.
    QString cas, length = report::timeText(0);
    for (work.first(); !work.eof(); work.next()) {
        const QString film = work.asString(c.title);
        const QString genre = work.asString(c.genre);
        if (const QString next = work.asString(c.length); next != cas) {
            cas = next;
            length = report::timeText(cas.toInt());
        }
        const QString speed = work.asString(c.speed);
        const QString number = work.asString(c.number);
        w.fragment(QStringLiteral("\\cf1\\fs20\\b0"));
        if (order == FilmOrder::Title)
            w.line(report::format(kind.row, {film, genre, speed, length, number}));
        else
            w.line(report::format(kind.row, {genre, film, speed, length, number}));
        if (rowWritten)
            rowWritten();
    }

    w.line();
    w.blank();
    w.rule(5, kFilmRule);
    w.style(report::kBlack, 10, false);
    w.fragment(QStringLiteral("\\cf1\\fs18\\b0"));
    w.blank();
    w.closing(9, 19);
}

void writeSortedTracks(ReportWriter &w, Table &work, SongOrder order, const RowWritten &rowWritten)
{
    const Kind &kind = kTrackKinds[int(order)];
    const SortedTrackColumns c(work);
    work.setIndex(kind.tag);

    w.header(rtf::kColourTableA, kOpening);
    w.style(report::kBlue, 16, true);
    w.line(kTrackTitle);
    w.styledLine(QStringLiteral("\\cf3\\fs20"), QString());
    w.colour(report::kRed);
    w.size(10);
    w.line(kind.sorting);
    w.styledLine(QStringLiteral("\\cf1"), QString());
    w.blank();
    w.colour(report::kBlack);
    w.line(kind.heading);
    w.rule(1, kTrackRule);
    w.styledLine(QStringLiteral("\\cf1\\fs20\\b0"), QString());

    w.bold(false);
    for (work.first(); !work.eof(); work.next()) {
        const QString track = work.asString(c.title);
        const QString style = work.asString(c.style);
        const QString artist = work.asString(c.artist);
        switch (order) {
        case SongOrder::Title:
            w.line(report::format(kind.row, {track, style, artist}));
            break;
        case SongOrder::Style:
            w.line(report::format(kind.row, {style, track, artist}));
            break;
        case SongOrder::Singer:
            w.line(report::format(kind.row, {artist, track, style}));
            break;
        }
        if (rowWritten)
            rowWritten();
    }

    const bool byTitle = order == SongOrder::Title;
    w.either(QString(), byTitle ? QStringLiteral("\\par\\fs20") : QStringLiteral("\\par"));
    w.rule(1, kTrackRule);
    w.size(8);
    w.fragment(QStringLiteral("\\fs18"));
    // The document's footer stands one blank further in after the other two.
    const int leading = w.document() && !byTitle ? 2 : 1;
    w.closing(41, 41, leading);
}

SortedWork::SortedWork(SortedList list)
    : m_list(list), m_work(std::make_unique<Table>(QStringLiteral("Temp_Table")))
{
}

SortedWork::~SortedWork() = default;

int SortedWork::fill(Table &source, const std::function<void(int)> &counted)
{
    source.setFiltered(false);
    source.setFilter(QString());
    try {
        if (m_list == SortedList::Films) {
            // data.dbf as the menu opened it: in cassette number order.
            if (counted)
                counted(countFilms(source));
            createSortedTable(*m_work, sortedWorkPath(), sortedFilmFields(), sortedFilmTags());
            return copyFilms(source, *m_work);
        }
        // cd02.dbf in the order the menu chose for it.
        createSortedTable(*m_work, sortedWorkPath(), sortedTrackFields(), sortedTrackTags());
        const int count = copyTracks(source, *m_work);
        if (counted)
            counted(count);
        return count;
    } catch (...) {
        try {
            removeSortedTable(*m_work);
        } catch (const std::exception &) {
            // The private directory goes at the end of the run anyway.
        }
        throw;
    }
}

bool SortedWork::ready() const
{
    return m_work->isOpen();
}

void SortedWork::write(ReportWriter &w, int order, const RowWritten &rowWritten)
{
    if (m_list == SortedList::Films)
        writeSortedFilms(w, *m_work, FilmOrder(order), rowWritten);
    else
        writeSortedTracks(w, *m_work, SongOrder(order), rowWritten);
}

void SortedWork::remove()
{
    removeSortedTable(*m_work);
}

} // namespace velmora
