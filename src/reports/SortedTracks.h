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

protected:
    int fill(Table &work) override;
    void write(ReportWriter &w, Table &work, int order, const RowWritten &rowWritten) override;
};

} // namespace velmora
