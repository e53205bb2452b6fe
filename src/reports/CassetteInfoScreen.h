#pragma once

// The cassette list with information, TTisk_info.

#include "printing/ReportScreen.h"

class QLabel;

namespace velmora {

class InfoChoiceBox;

// The list of every cassette with what the user ticks: dates and sources of
// the films, their notes, the cassette notes.
class TTisk_info : public ReportScreen
{
    Q_OBJECT
public:
    explicit TTisk_info(Session &session, QWidget *parent = nullptr);

public slots:
    void rebuild();

protected:
    void FormShow() override { rebuild(); }

private:
    QLabel *m_count = nullptr;
    InfoChoiceBox *m_choice = nullptr;
};

} // namespace velmora
