// The title form filled from MusicBrainz: the disc read is looked up, its
// medium fills the grid of the disc shown (the user sees and can change
// everything before saving), the other media fill the title's empty discs
// when the user wants them.

#include "catalogue/CdRules.h"
#include "cds/CdAudio.h"
#include "cds/CdTitleForm.h"
#include "cds/MusicBrainzDialogs.h"
#include "cds/TrackModel.h"
#include "musicbrainz/DiscId.h"
#include "musicbrainz/TrackFill.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QSet>
#include <QTabBar>
#include <QTableView>

namespace velmora {
namespace {

const QString kQuestion = QStringLiteral("Upozornění:");
const QString kInformation = QStringLiteral("Informace:");
// Long enough for any text: only the letters are compared, not the cut.
constexpr int kWhole = 1 << 20;
constexpr int kNamesTold = 12;

// A title the program made up, not one the user typed.
bool placeholder(const WorkTrack &row)
{
    const QString t = row.title.trimmed();
    return t.isEmpty() || t == QStringLiteral("Stopa ") + QString::number(row.number) ||
           t == kNewTrack;
}

bool emptyLength(const QString &length)
{
    return length.trimmed().isEmpty() || length == kZeroLength;
}

int audioTracks(const cd::DiscInfo &disc)
{
    const std::optional<musicbrainz::DiscToc> toc = musicbrainz::tocOf(disc);
    return toc ? toc->lastTrack - toc->firstTrack + 1 : 0;
}

// The texts that lost a letter on their way into cp1250, as "was → is";
// spaces and line breaks tidied away are no lost letters.
// Only the texts that went into the form are told of, when filled is given.
void noteApproximated(const musicbrainz::Release &release, const musicbrainz::Medium &medium,
                      QStringList &told, const QSet<QString> *filled = nullptr)
{
    auto note = [&told, filled](const QString &text) {
        const QString held = musicbrainz::closestCp1250(text, kWhole);
        if (held.simplified() == text.simplified())
            return;
        if (filled && !filled->contains(held.left(musicbrainz::kTitleWidth).trimmed()) &&
            !filled->contains(held.left(musicbrainz::kArtistWidth).trimmed()))
            return;
        const QString line = QStringLiteral("„%1“ → „%2“").arg(text, held);
        if (!told.contains(line))
            told << line;
    };
    note(release.title);
    note(release.artist);
    for (const musicbrainz::Track &t : medium.tracks) {
        note(t.title);
        note(t.artist);
    }
}

QString lengthOf(const musicbrainz::FilledTrack &t, const QString &otherwise)
{
    return t.seconds > 0 ? lengthTextOfSeconds(t.seconds) : otherwise;
}

} // namespace

bool CdTitleForm::discEmpty(const QString &label) const
{
    for (int i : m_work.discRows(label))
        if (!placeholder(m_work.row(i)))
            return false;
    return true;
}

void CdTitleForm::lookUpAction()
{
    TMechanika_MusicBrainz choice(this);
    if (dialogs::exec(choice) != QDialog::Accepted)
        return;
    const std::optional<CdReading> reading = readAudioCd(choice.drive());
    if (!reading)
        return;
    const bool filled = lookUpDisc(*reading, true);
    const bool quiet = m_quiet;
    m_quiet = true;
    m_model->showDisc(currentLabel());
    applyArtist();
    m_quiet = quiet;
    showCounts();
    setMenuCaptions();
    if (filled)
        changed();
}

bool CdTitleForm::lookUpDisc(const CdReading &reading, bool keepTyped)
{
    QString discId;
    const std::optional<musicbrainz::Release> release =
        lookUpRelease(reading.disc, &discId, window());
    if (!release)
        return false;
    const int tracks = audioTracks(reading.disc);
    // Only releases holding the disc are offered, so the medium is there.
    const musicbrainz::Medium *medium = release->mediumOf(discId);
    if (!medium)
        return false;
    musicbrainz::FilledDisc filled = musicbrainz::fillFrom(*release, *medium);
    // The disc measures its own tracks; the database's lengths are of
    // another pressing or rounded, so they count only where the disc is silent.
    for (musicbrainz::FilledTrack &t : filled.tracks)
        if (t.number >= 1 && size_t(t.number) <= reading.tracks.size()) {
            const ReadTrack &r = reading.tracks[size_t(t.number - 1)];
            if (r.minutes * 60 + r.seconds > 0)
                t.seconds = r.minutes * 60 + r.seconds;
        }

    bool any = false;
    QSet<QString> put; // the texts that went into the form
    if (m_title->text().isEmpty() && !filled.title.isEmpty()) {
        m_title->setText(filled.title.left(m_title->maxLength()));
        put.insert(m_title->text());
        any = true;
    }
    if (m_artist->text().isEmpty() && !filled.artist.isEmpty()) {
        m_artist->setText(filled.artist.left(m_artist->maxLength()));
        put.insert(m_artist->text());
        any = true;
    }
    any = fillDisc(currentLabel(), filled, tracks, keepTyped, put) || any;
    QStringList approximated;
    noteApproximated(*release, *medium, approximated, &put);
    any = offerOtherMedia(*release, *medium, approximated) || any;

    // Track artists that differ from the title's are shown, not covered by
    // the title-wide artist.
    if (m_allOne->isChecked())
        for (const WorkTrack &r : m_work.rows())
            if (!r.artist.isEmpty() && r.artist != m_artist->text()) {
                m_allOne->setChecked(false);
                break;
            }
    if (!approximated.isEmpty()) {
        const qsizetype more = approximated.size() - kNamesTold;
        QStringList lines = approximated.mid(0, kNamesTold);
        if (more > 0)
            lines << QStringLiteral("… a další (%1)").arg(more);
        dialogs::information(
            kInformation,
            QStringLiteral("Některé znaky z databáze MusicBrainz kódování katalogu "
                           "(Windows-1250) nezná; v těchto názvech byly nahrazeny nejbližšími "
                           "písmeny:\r\n\r\n") +
                lines.join(QStringLiteral("\r\n")));
    }
    return any;
}

bool CdTitleForm::fillDisc(const QString &label, const musicbrainz::FilledDisc &filled, int tracks,
                           bool keepTyped, QSet<QString> &put)
{
    // What the user typed differently stays, unless the user says so.
    bool replace = !keepTyped;
    if (keepTyped) {
        int typed = 0;
        for (int i : m_work.discRows(label)) {
            const WorkTrack &r = m_work.row(i);
            for (const musicbrainz::FilledTrack &t : filled.tracks) {
                if (t.number != r.number)
                    continue;
                if ((!placeholder(r) && r.title != t.title) ||
                    (!emptyLength(r.length) && t.seconds > 0 && r.length != lengthOf(t, {})) ||
                    (!r.artist.isEmpty() && !t.artist.isEmpty() && r.artist != t.artist))
                    ++typed;
            }
        }
        replace = typed > 0 &&
                  dialogs::question(
                      kQuestion,
                      QStringLiteral("Na disku %1 jsou už zapsané názvy, délky nebo interpreti "
                                     "skladeb, které se od databáze MusicBrainz a od disku liší "
                                     "(skladeb: %2).\r\n\r\nNahradit je údaji z MusicBrainz a "
                                     "z disku? (Ne: doplní "
                                     "se jen prázdná místa a názvy „Stopa N“.)")
                          .arg(captionOfLabel(label))
                          .arg(typed));
    }
    bool any = false;
    for (const musicbrainz::FilledTrack &t : filled.tracks) {
        if (t.number < 1 || (tracks > 0 && t.number > tracks))
            continue; // the disc has no such track
        int at = -1;
        for (int i : m_work.discRows(label))
            if (m_work.row(i).number == t.number)
                at = i;
        if (at < 0) {
            // A track the title lacks: the disc read has it.
            m_work.insertTrack(
                label, t.number,
                {label, t.number, t.title, lengthOf(t, kZeroLength), titleStyle(), t.artist});
            put << t.title << t.artist;
            any = true;
            continue;
        }
        WorkTrack &r = m_work.row(at);
        const WorkTrack before = r;
        if (!t.title.isEmpty() && (replace || placeholder(r)) && r.title != t.title) {
            r.title = t.title;
            put << t.title;
        }
        if (t.seconds > 0 && (replace || emptyLength(r.length)))
            r.length = lengthOf(t, r.length);
        if (!t.artist.isEmpty() && (replace || r.artist.isEmpty()) && r.artist != t.artist) {
            r.artist = t.artist;
            put << t.artist;
        }
        any = any || r.title != before.title || r.length != before.length ||
              r.artist != before.artist;
    }
    return any;
}

bool CdTitleForm::offerOtherMedia(const musicbrainz::Release &release,
                                  const musicbrainz::Medium &read, QStringList &approximated)
{
    // The media keep their order on the title's discs: a second medium
    // read on "CD 2" has its first medium on "CD 1".
    const int shift = currentDisc() - read.position;
    std::vector<std::pair<int, const musicbrainz::Medium *>> targets;
    QStringList captions;
    for (const musicbrainz::Medium &m : release.media) {
        const int disc = m.position + shift;
        if (&m == &read || m.position == read.position || disc < 1 || disc > kMaxDiscs ||
            m.tracks.empty())
            continue;
        if (disc <= discCount() && !discEmpty(discLabel(disc)))
            continue;
        // A disc read with another number of tracks is another pressing;
        // filling it would drop rows that were read.
        if (disc <= discCount()) {
            const int rows = m_work.trackCount(discLabel(disc));
            const bool untouched =
                rows == 0 ||
                (rows == 1 &&
                 emptyLength(m_work.row(m_work.discRows(discLabel(disc)).front()).length));
            if (!untouched && rows != int(m.tracks.size()))
                continue;
        }
        targets.push_back({disc, &m});
        captions << discCaption(disc);
    }
    if (targets.empty())
        return false;
    if (!dialogs::question(kQuestion,
                           QStringLiteral("Vydání \"%1\" má i další disky. Doplnit z nich také "
                                          "prázdné disky titulu: %2 ?")
                               .arg(musicbrainz::closestCp1250(release.title, kWhole),
                                    captions.join(QStringLiteral(", ")))))
        return false;
    int discs = discCount();
    for (const auto &[disc, medium] : targets)
        discs = std::max(discs, disc);
    if (discs > discCount()) {
        setTabs(discs);
        const bool quiet = m_quiet;
        m_quiet = true;
        m_discCount->setCurrentIndex(discs - 1);
        m_quiet = quiet;
        setMenuCaptions();
    }
    for (const auto &[disc, medium] : targets) {
        noteApproximated(release, *medium, approximated);
        const musicbrainz::FilledDisc filled = musicbrainz::fillFrom(release, *medium);
        const QString label = discLabel(disc);
        // Lengths read from that disc earlier and artists typed there stay;
        // the database fills what is empty.
        QHash<int, WorkTrack> before;
        for (int i : m_work.discRows(label))
            before.insert(m_work.row(i).number, m_work.row(i));
        std::vector<WorkTrack> rows;
        for (const musicbrainz::FilledTrack &t : filled.tracks) {
            const WorkTrack old = before.value(t.number);
            const bool typedArtist = !old.artist.isEmpty() && old.artist != defaultArtist();
            const bool had = before.contains(t.number);
            rows.push_back({label, 0, t.title,
                            !emptyLength(old.length) ? old.length : lengthOf(t, kZeroLength),
                            had && !old.style.isEmpty() ? old.style : titleStyle(),
                            typedArtist          ? old.artist
                            : t.artist.isEmpty() ? defaultArtist()
                                                 : t.artist});
        }
        m_work.replaceDisc(label, std::move(rows));
    }
    return true;
}

} // namespace velmora
