#pragma once

#include "loans/LoanBook.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace velmora {

class ReportWriter;
class Table;

// The loan histories read from an archive: to whom an item went, and
// which items a person had.

// The numbers that the archive holds, each once, ascending.
QStringList distinctNumbers(const std::vector<ArchiveRow> &rows);

// The loans of one item in the order of their return.
std::vector<ArchiveRow> loansOfItem(const std::vector<ArchiveRow> &rows, const QString &number);
// The loans of one person (the name compared exactly) in number order;
// loans of one item stay in the order of their return.
std::vector<ArchiveRow> loansOfPerson(const std::vector<ArchiveRow> &rows, const QString &name);

// "     %-15s  %16s           %-30s ": the other key, the loan start and the
// archive note.
QString historyLine(const QString &key, const QString &since, const QString &note);

// The history of one item: its borrowers with the start and return of each
// loan. A CD history also names the title.
void writeItemHistory(ReportWriter &w, ItemKind kind, const QString &number, const QString &cdTitle,
                      const std::vector<ArchiveRow> &loans);
// The history of one person: the items with the start and return of each loan.
void writePersonHistory(ReportWriter &w, ItemKind kind, const QString &name,
                        const std::vector<ArchiveRow> &loans);

// The films of the cassettes of data.dbf, found by number. The catalogue
// is opened read-only at the first question and stays open for as long as
// this lives; an opening that failed is tried again at the next question
// (and throws again). Opening reads only the numbers; the titles of a
// cassette are read when asked for.
class CassetteFilms
{
public:
    explicit CassetteFilms(const QString &path);
    ~CassetteFilms();
    // The number of cassettes in the catalogue.
    int count();
    // " K: <number>  <title>" for every non-empty title of every cassette
    // with the number of each loan, in the loans' order: a cassette lent
    // twice is listed twice, a deleted one not at all.
    QStringList linesFor(const std::vector<ArchiveRow> &loans);
    // The five titles and genres of the first cassette with this number.
    bool films(const QString &number, std::array<QString, kCassetteSlots> &titles,
               std::array<QString, kCassetteSlots> &genres);

private:
    bool isOpen() const;
    void openOnce();

    QString m_path;
    std::unique_ptr<Table> m_table;
    QHash<QString, std::vector<int>> m_records; // by number, in the table's order
    std::array<int, kCassetteSlots> m_titles{};
    std::array<int, kCassetteSlots> m_genres{};
};

// The companion pane: the films a person has had at home.
void writePersonFilms(ReportWriter &w, const QString &name, const QStringList &lines);

} // namespace velmora
