#include "transfer/ExternalSearchReports.h"

#include "writer/ReportText.h"
#include "writer/ReportWriter.h"
#include "writer/RtfDocument.h"

namespace velmora::exchange {
namespace {

const QString kFilmLine = QStringLiteral(" Vlastník: %-20s %-30s");
const QString kSongLine = QStringLiteral(" %-20s %-50s %-15s");
const QString kOwnerFilmLine = QStringLiteral(" VK: %-5s %-30s %-15s %-2s");
const QString kOwnerTrackLine = QStringLiteral(" T: %-5s (%-3s)-%3s. %-50s");
const QString kFilmRule =
    QStringLiteral(" -----------------------------------------------------------");
const QString kTrackRule =
    QStringLiteral(" ----------------------------------------------------------------------");

// The owner's title is blue: the colour table has a third colour.
const QByteArray kOwnerColours = QByteArrayLiteral(
    "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}");

// What the two owner lists share around their lines.
void writeOwnerList(ReportWriter &w, const QString &lineTitle, const QString &documentTitle,
                    const QString &owner, const QString &rule, const QString &printingTime,
                    const std::function<void()> &lines)
{
    w.opening(kOwnerColours, 3, 24, true);
    w.style(report::kBlue, 12, true);
    w.blank();
    // The document has its empty lines in the title's fragment.
    w.either(lineTitle + owner, documentTitle + rtf::escape(owner) + QStringLiteral("\\par\\par"));
    w.style(report::kBlack, 10, true);
    w.blank(2);
    w.bold(false);
    w.fragment(QStringLiteral("\\b0\\cf1\\fs20"));
    lines();
    w.styledLine(QStringLiteral("\\b0\\cf1"), QString());
    w.line(rule);
    w.line(QStringLiteral(" Datum a čas tisku  : ") + printingTime);
    w.line(QStringLiteral(" Norvane 2002"));
}

} // namespace

SearchPaneStyle externalFilmPane()
{
    return {0, QStringLiteral("\\b0")};
}

SearchPaneStyle externalSongPane()
{
    return {10, QString()};
}

std::function<QString(int)> externalFilmLine(const ExternalFilms &films,
                                             const std::vector<int> &found)
{
    return [&films, &found](int k) {
        const int row = found[size_t(k)];
        return report::format(
            kFilmLine, {QStringView(films.owner(row)), QStringView(films.rows[size_t(row)].film)});
    };
}

std::function<QString(int)> externalSongLine(const ExternalSongs &songs,
                                             const std::vector<int> &found)
{
    return [&songs, &found](int k) {
        const int row = found[size_t(k)];
        return report::format(kSongLine, {QStringView(songs.owner(row)), songs.tracks.name(row),
                                          QStringView(songs.tracks.style(row))});
    };
}

void writeOwnerFilms(ReportWriter &w, const ExternalFilms &films, const std::vector<int> &rows,
                     const QString &owner, const QString &printingTime)
{
    writeOwnerList(
        w, QStringLiteral(" Vlastník nalezených filmů: "), QStringLiteral(" Vlastník filmů: "),
        owner, kFilmRule, printingTime, [&] {
            for (const int row : rows) {
                const FilmRow &r = films.rows[size_t(row)];
                w.line(report::format(kOwnerFilmLine, {QStringView(r.cislo), QStringView(r.film),
                                                       QStringView(r.zanr), QStringView(r.rychl)}));
            }
        });
}

void writeOwnerTracks(ReportWriter &w, const ExternalSongs &songs, const std::vector<int> &rows,
                      const QString &owner, const QString &printingTime)
{
    const QString title = QStringLiteral(" Vlastník skladeb: ");
    writeOwnerList(w, title, title, owner, kTrackRule, printingTime, [&] {
        const SongTable &t = songs.tracks;
        for (const int row : rows)
            w.line(report::format(kOwnerTrackLine,
                                  {QStringView(t.number(row)), QStringView(t.label(row)),
                                   report::NumberText(t.trackNumber(row)), t.name(row)}));
    });
}

void writeNoFilmOwnerChosen(ReportWriter &w)
{
    w.style(report::kRed, 10, true);
    w.line(QStringLiteral("  Nezvolili jste jméno externího uživatele. Zvolte ho!"));
}

void writeNoSongOwnerChosen(ReportWriter &w)
{
    w.style(report::kRed, 12, true);
    w.line(QStringLiteral("    Nezvolili jste jméno externího uživatele. Zvolte ho!"));
}

} // namespace velmora::exchange
