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

protected:
    int fill(Table &work) override;
    void write(ReportWriter &w, Table &work, int order, const RowWritten &rowWritten) override;
};

} // namespace velmora
