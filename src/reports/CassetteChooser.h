#pragma once

// The cassette chooser of the reports, TVyber_Tisk.

#include "reports/StartChooser.h"

namespace velmora {

// Chooses the cassette from which the list of TTisk_02 starts, as often as
// the user likes.
class TVyber_Tisk : public StartChooser
{
    Q_OBJECT
public:
    explicit TVyber_Tisk(Session &session, QWidget *parent = nullptr);

protected:
    QStringList offered() override;
    void showListFrom(const QString &number) override;
};

} // namespace velmora
