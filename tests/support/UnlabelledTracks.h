#pragma once

// Two CD titles as another dBASE writer may leave them, in the notation of
// Python's dbf rows: the first title's tracks stored without a disc label,
// the second's mixing such a track with tracks labelled CD1 and CD2. They
// belong to discs 1, and 1 and 2.

namespace velmora::test {

inline constexpr const char *kUnlabelledTitles =
    "[{'cislocd': '00001', 'titulcd': 'Bez označení', 'artist': 'Eva'},"
    " {'cislocd': '00002', 'titulcd': 'Napůl', 'artist': 'Jan'}]";

inline constexpr const char *kUnlabelledTracks =
    "[{'cislocd': '00001', 'oznaceni': '', 'tracknum': 1, 'track': 'Píseň', 'lenght': 65},"
    " {'cislocd': '00001', 'oznaceni': '', 'tracknum': 2, 'track': 'Druhá', 'lenght': 600},"
    " {'cislocd': '00002', 'oznaceni': '', 'tracknum': 1, 'track': 'Ráno', 'lenght': 61},"
    " {'cislocd': '00002', 'oznaceni': 'CD1', 'tracknum': 2, 'track': 'Poledne', 'lenght': 62},"
    " {'cislocd': '00002', 'oznaceni': 'CD2', 'tracknum': 1, 'track': 'Večer', 'lenght': 63}]";

} // namespace velmora::test
