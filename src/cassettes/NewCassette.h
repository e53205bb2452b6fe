#pragma once

// The new-cassette screen TNova_kazeta.

#include "platform/ScreenDialog.h"

class QComboBox;
class QPushButton;

namespace velmora {

class ConfirmWindow;
class RecordingBlocks;
class Session;

// Adds cassettes to data.dbf, one after another: after each save the screen
// clears itself for the next cassette and stays open until it is cancelled.
class TNova_kazeta : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TNova_kazeta(Session &session, QWidget *parent = nullptr);
    ~TNova_kazeta() override;

    RecordingBlocks &blocks() const { return *m_blocks; }
    ConfirmWindow *confirmWindow() const { return m_confirm; }

    // Clears the screen for a new cassette: lists, type, number offers and
    // empty blocks.
    void prepare();
    // Lengths, remaining time, overrun state and open-cassette box.
    void recompute(bool typeChanged = false);
    // "Uložit kazetu".
    void BitBtn1Click();

protected:
    void FormShow() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void titleChanged(int n);
    void FormClose() override;

    Session &m_session;
    RecordingBlocks *m_blocks = nullptr;
    QComboBox *m_number = nullptr;
    QPushButton *m_save = nullptr;   // Uložit kazetu
    QPushButton *m_cancel = nullptr; // Neuložit a zrušit
    ConfirmWindow *m_confirm = nullptr;
    bool m_closed = false;
};

} // namespace velmora
