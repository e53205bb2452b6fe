#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace velmora {

// The rules of CD titles that every CD screen shares.

inline constexpr int kMaxDiscs = 16;
inline constexpr int kMaxTrackChoice = 100;
inline const QString kNoStyle = QStringLiteral("Nezvoleno ...");
inline const QString kLocked = QStringLiteral("Blokován !");
inline const QString kFree = QStringLiteral("Uvolněn ...");
inline const QString kDefaultSize = QStringLiteral("700");
inline const QString kDefaultFormat = QStringLiteral("Originální CD");
inline const QString kNewTrack = QStringLiteral("Nová Stopa !");
inline const QString kZeroLength = QStringLiteral("00:00");
// The disc sizes in megabytes; "???" stands for a size not entered.
const QStringList &discSizes();

// "CD" and the disc number: the label stored with every track.
QString discLabel(int disc);
// The number of a label ("CD12" -> 12); 0 when it is none.
int discOfLabel(const QString &label);
// "CD 12", the tab of a disc.
QString discCaption(int disc);
// The tab caption of a label: its first two characters, a space and the
// rest ("CD12" -> "CD 12").
QString captionOfLabel(const QString &label);
// The label of a tab caption: "CD" and the caption from its fourth character.
QString labelOfCaption(const QString &caption);

// "07:05": two-digit minutes and seconds (PadNumber keeps the last two).
QString lengthText(int minutes, int seconds);
QString lengthTextOfSeconds(int seconds);
// The seconds of a length text: two digits, ":" and two digits below 60;
// nothing for anything else.
std::optional<int> secondsOfLength(const QString &text);
// A length as the user types it into the grid: m:ss, mm:ss or mmss, with
// spaces around it, seconds below 60; given back as "mm:ss", nothing for
// anything else.
std::optional<QString> typedLength(const QString &text);
// The minutes and seconds of a length text as stored without checking
// (characters 1-2 and 4-5); what cannot be read counts as 0.
int looseSecondsOfLength(const QString &text);

// "45 min 07 sek."
QString discTotalText(int seconds);
// "3m 05s", the length in a track list.
QString trackListLength(int seconds);

} // namespace velmora
