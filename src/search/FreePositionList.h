#pragma once

// The list of free positions, TSeznam2.

#include "printing/ReportScreen.h"

class QCheckBox;

namespace velmora {

class TVyhledej_Pozici;

// The found cassettes of the last search with their loan state; ticking
// Filtr leaves out the lent ones. The print button prints the list and
// closes the window.
class TSeznam2 : public ReportScreen
{
    Q_OBJECT
public:
    explicit TSeznam2(TVyhledej_Pozici &search, QWidget *parent = nullptr);

public slots:
    void filterChanged();

protected:
    void FormShow() override;
    void done(int result) override;

private:
    TVyhledej_Pozici &m_search;
    QCheckBox *m_atHomeOnly = nullptr;
};

} // namespace velmora
