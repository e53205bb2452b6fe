#pragma once

// The cassette list from a chosen cassette, TTisk_02.

#include "printing/ReportScreen.h"

namespace velmora {

// The cassettes from a chosen one to the last, with their films and notes.
class TTisk_02 : public ReportScreen
{
    Q_OBJECT
public:
    TTisk_02(Session &session, const QString &from, QWidget *parent = nullptr);

protected:
    void FormShow() override;

private:
    QString m_from;
};

} // namespace velmora
