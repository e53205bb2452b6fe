#pragma once

// The label of one cassette, TTisk_etiket.

#include "platform/ScreenDialog.h"
#include "storage/Records.h"

class QLabel;
class QPushButton;

namespace velmora {

class Session;

// Both labels of one cassette: the one the browse screen asked for, read
// from data.dbf when the screen opens. "Vytiskni etiketu" shows the page and
// prints it, then the screen closes with OK; the page can also be saved as
// PDF without a printer.
class TTisk_etiket : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TTisk_etiket(Session &session, QWidget *parent = nullptr);

    // The cassette read when the screen opened; false when there is none.
    bool hasCassette() const { return m_found; }
    const CassetteRecord &cassette() const { return m_cassette; }

public slots:
    void TiskClick();
    void PdfClick();

private:
    void FormShow() override;

    Session &m_session;
    CassetteRecord m_cassette;
    bool m_found = false;
    QLabel *m_number = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_pdf = nullptr;
};

} // namespace velmora
