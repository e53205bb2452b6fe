#pragma once

// A release's medium as the rows of one disc of a CD title: texts cut to
// the widths of the tables and held in cp1250, lengths in whole seconds.

#include "musicbrainz/Releases.h"

#include <QString>
#include <vector>

namespace velmora::musicbrainz {

// The widths of the fields the texts go into.
inline constexpr int kTitleWidth = 50;  // TitulCD
inline constexpr int kTrackWidth = 50;  // Track
inline constexpr int kArtistWidth = 30; // Artist of cd01.dbf and cd02.dbf

struct FilledTrack
{
    int number = 0; // on the disc, from 1
    QString title;
    int seconds = 0;
    QString artist;
};

struct FilledDisc
{
    QString title;  // the release's title
    QString artist; // the release's artist
    std::vector<FilledTrack> tracks;
    // Characters with nothing near them in cp1250 (CJK, emoji), each kept
    // as "?"; the user is to be told when this is not 0.
    int replaced = 0;
};

FilledDisc fillFrom(const Release &release, const Medium &medium);

// A text as cp1250 holds it: letters it lacks become their closest ones
// ("ø" → "o", "ǘ" → "ü", "æ" → "ae"; "ł" and "ő" it holds), nothing becomes
// "?" silently: replaced, when given, counts the "?" that stand for a
// character with nothing near it. Then cut to width characters.
QString closestCp1250(const QString &text, int width, int *replaced = nullptr);

} // namespace velmora::musicbrainz
