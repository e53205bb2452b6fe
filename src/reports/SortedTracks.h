#pragma once

// The sorted list of every song, TTisk_AbecedaCD.

#include "reports/SortedScreen.h"

namespace velmora {

// Every song of every CD title in one list, by title, style or singer.
class TTisk_AbecedaCD : public SortedListScreen
{
    Q_OBJECT
public:
    explicit TTisk_AbecedaCD(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
