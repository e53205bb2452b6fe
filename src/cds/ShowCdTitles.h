#pragma once

// The CD title display TZobrazit_CD_Data.

#include "platform/ScreenDialog.h"

class QPushButton;

namespace velmora {

class CdTitleDisplay;
class Session;

// Shows the stored CD titles one at a time, read-only, with the track list
// of the disc chosen. The command opens cd01.dbf before and closes it after.
class TZobrazit_CD_Data : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TZobrazit_CD_Data(Session &session, QWidget *parent = nullptr);

    CdTitleDisplay *display() const { return m_display; }

private:
    void FormShow() override;
    void FormClose() override;

    Session &m_session;
    CdTitleDisplay *m_display = nullptr;
};

} // namespace velmora
