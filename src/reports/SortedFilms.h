#pragma once

// The sorted list of every film, TTisk_Abeceda.

#include "reports/SortedScreen.h"

namespace velmora {

// Every film of every cassette in one list, by title or by genre.
class TTisk_Abeceda : public SortedListScreen
{
    Q_OBJECT
public:
    explicit TTisk_Abeceda(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
