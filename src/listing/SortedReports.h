#pragma once

// The two sorted lists without their windows: every film of the cassettes
// and every song of the CDs copied into the work table tridena.dbf, whose
// tags give the orders, and the lists written from it in either pane mode.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace velmora {

class ReportWriter;
class Table;
struct FieldDef;

// tridena.dbf in the program's private temporary directory.
QString sortedWorkPath();

// The film work table: cislo, film, zanr, ry and cas (the length in minutes
// as text, empty when the cassette has none), tags film and zanr.
QList<FieldDef> sortedFilmFields();
QStringList sortedFilmTags();

class SortedFilmColumns
{
public:
    explicit SortedFilmColumns(const Table &work);
    int number, title, genre, speed, length;
};

// The song work table: Track, Styl and Artist, each with its tag.
QList<FieldDef> sortedTrackFields();
QStringList sortedTrackTags();

class SortedTrackColumns
{
public:
    explicit SortedTrackColumns(const Table &work);
    int title, style, artist;
};

// The work handle made anew over path: closed, the files of an earlier
// table deleted, created with the fields and tags given and opened. Throws
// DbError when the table cannot be made.
void createSortedTable(Table &work, const QString &path, const QList<FieldDef> &fields,
                       const QStringList &tags);
// Closes the work handle and deletes the files of its table.
void removeSortedTable(Table &work);

// The films of a cassette table: its used slots (a title that is not
// empty), counted over every cassette.
int countFilms(Table &cassettes);
// Appends a work record for each used slot of each cassette, in the
// cassette table's order and slot by slot; returns how many.
int copyFilms(Table &cassettes, Table &work);
// Appends a work record for each track of the track table in its order,
// empty titles included; returns how many.
int copyTracks(Table &tracks, Table &work);

enum class FilmOrder
{
    Title,
    Genre
};

enum class SongOrder
{
    Title,
    Style,
    Singer
};

// Called after each row written, for the progress window.
using RowWritten = std::function<void()>;

// The list of every film in the order chosen: the work table takes the
// order's tag and is read from its first record.
void writeSortedFilms(ReportWriter &w, Table &work, FilmOrder order,
                      const RowWritten &rowWritten = {});
// The list of every song in the order chosen, likewise.
void writeSortedTracks(ReportWriter &w, Table &work, SongOrder order,
                       const RowWritten &rowWritten = {});

// Which of the two lists a work table serves.
enum class SortedList
{
    Films, // every film of the cassettes of data.dbf
    Songs  // every song of the track table cd02.dbf
};

// The work table of one sorted list screen over its own handle: made anew
// from the source table on every showing, written in the order chosen,
// removed when the screen ends.
class SortedWork
{
public:
    explicit SortedWork(SortedList list);
    ~SortedWork();
    SortedWork(const SortedWork &) = delete;
    SortedWork &operator=(const SortedWork &) = delete;

    // Makes tridena.dbf anew at sortedWorkPath() from the source table as
    // the menu opened it, its filter lifted; returns the records copied.
    // counted is told the number of the list's rows as soon as it is known:
    // the films before the work table is made, so that it is shown even when
    // making fails, the songs once copied. Throws DbError, after removing
    // the files of a table made half way.
    int fill(Table &source, const std::function<void(int rows)> &counted = {});
    // The work table is there to be written.
    bool ready() const;
    // The list of the order chosen (FilmOrder or SongOrder as a number).
    void write(ReportWriter &w, int order, const RowWritten &rowWritten = {});
    // Closes the work table and deletes its files.
    void remove();

private:
    SortedList m_list;
    std::unique_ptr<Table> m_work;
};

} // namespace velmora
