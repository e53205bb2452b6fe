#pragma once

// The cassette lists TTisk.

#include "printing/ReportScreen.h"

class QComboBox;

namespace velmora {

// The general list of the cassettes: all of them, the lent ones, or the
// films recorded at one speed. data.dbf is open in number order.
class TTisk : public ReportScreen
{
    Q_OBJECT
public:
    explicit TTisk(Session &session, QWidget *parent = nullptr);

    QComboBox *listChoice() const { return m_list; }
    QComboBox *speedChoice() const { return m_speed; }

public slots:
    void listChanged();  // ComboBox1
    void speedChanged(); // podle_systemu

    // The lent list leaves its filter on data.dbf; it goes with the screen,
    // or the next command would find the catalogue empty.
    void done(int result) override;

protected:
    void FormShow() override;

private:
    void writeAll();
    void writeLent();
    void writeSpeed(const QString &speed);

    QComboBox *m_list = nullptr;
    QComboBox *m_speed = nullptr;
};

} // namespace velmora
