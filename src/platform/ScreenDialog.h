#pragma once

#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <functional>

namespace velmora {

// What every screen shares: its preparation FormShow runs each time the
// program shows it (not when the window system shows it again after a
// minimise), and an error raised there is shown while the screen stays.
// FormClose runs once when the screen closes by any means.
class ScreenDialog : public QDialog
{
    Q_OBJECT
public:
    using QDialog::QDialog;

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    virtual void FormShow() {}
    virtual void FormClose() {}

    // Esc presses this button while it is enabled and never closes the
    // screen: edit screens cancel their changes with it, delete screens ask.
    void setEscapeButton(QPushButton *button) { m_escape = button; }
    // While this holds (changes pending), the screen does not close.
    void setHeldOpen(std::function<bool()> held) { m_held = std::move(held); }
    bool heldOpen() const { return m_held && m_held(); }

private:
    QPointer<QPushButton> m_escape;
    std::function<bool()> m_held;
};

} // namespace velmora
