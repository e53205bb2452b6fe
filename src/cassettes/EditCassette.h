#pragma once

// The cassette edit screen TUprav_kazetu.

#include "platform/ScreenDialog.h"

class QPushButton;

namespace velmora {

class JumpList;
class RecordNavigator;
class RecordingBlocks;
class Session;

// Corrects the cassettes of data.dbf in place, one at a time, in number
// order. While changes are pending the screen neither moves to another
// cassette nor closes: they must be saved or cancelled first. The table is
// opened with the index cislo by the command and stays open meanwhile.
class TUprav_kazetu : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TUprav_kazetu(Session &session, QWidget *parent = nullptr);
    ~TUprav_kazetu() override;

    RecordingBlocks &blocks() const { return *m_blocks; }
    JumpList *jumpList() const { return m_jump; }
    RecordNavigator *navigator() const { return m_navigator; }
    bool changesPending() const { return m_pending; }

    // Shows the current cassette of the table and leaves the pending state.
    void load();
    void recompute();
    void BitBtn2Click(); // "&Uložit změny"
    void BitBtn3Click(); // "&Zrušit změny"

private:
    void FormShow() override;
    void FormClose() override;
    void Jdi_hnedChange(const QString &number);
    void navigated();
    void setPending(bool on);
    void updateButtons();

    Session &m_session;
    RecordingBlocks *m_blocks = nullptr;
    JumpList *m_jump = nullptr;
    RecordNavigator *m_navigator = nullptr;
    QPushButton *m_close = nullptr;  // &Uzavřít okno
    QPushButton *m_save = nullptr;   // &Uložit změny
    QPushButton *m_cancel = nullptr; // &Zrušit změny
    bool m_pending = false;
    bool m_closed = false;
};

} // namespace velmora
