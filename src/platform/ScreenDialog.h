#pragma once

#include <QDialog>

namespace velmora {

// What every screen shares: its preparation FormShow runs each time the
// program shows it (not when the window system shows it again after a
// minimise), and an error raised there is shown while the screen stays.
class ScreenDialog : public QDialog
{
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    void showEvent(QShowEvent *event) override;
    virtual void FormShow() {}
};

} // namespace velmora
