#pragma once

// The cassette chooser of the reports, TVyber_Tisk.

#include "platform/ScreenDialog.h"

class QComboBox;
class QPushButton;

namespace velmora {

class Session;

// Chooses the cassette from which the list of TTisk_02 starts, as often as
// the user likes.
class TVyber_Tisk : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TVyber_Tisk(Session &session, QWidget *parent = nullptr);

    QComboBox *numbers() const { return m_numbers; }
    // The number the open list starts from; empty when none is open.
    QString chosen() const { return m_chosen; }

public slots:
    void printFromChosen(); // "Ti&sknout od nastavené kazety"

protected:
    void FormShow() override;

private:
    Session &m_session;
    QString m_chosen;
    QComboBox *m_numbers = nullptr;
    QPushButton *m_print = nullptr;
};

} // namespace velmora
