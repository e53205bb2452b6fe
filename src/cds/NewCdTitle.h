#pragma once

// The new CD title screen TNovy_CD_disk.

#include "platform/ScreenDialog.h"

#include "cassettes/ConfirmWindow.h"

#include <QPointer>

class QPushButton;

namespace velmora {

class CdTitleForm;
class Session;

// Enters a new music CD title with its discs and tracks. The tracks are
// built up disc by disc and written with the title when the user saves;
// the screen then clears itself for the next title. It opens cd01.dbf and
// cd02.dbf itself and closes them when it closes.
class TNovy_CD_disk : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TNovy_CD_disk(Session &session, QWidget *parent = nullptr);
    ~TNovy_CD_disk() override;

    CdTitleForm *form() const { return m_form; }
    ConfirmWindow *confirmWindow() const { return m_confirm; }

    void prepare();
    void BitBtn2Click(); // "Uložit CD titul"

private:
    void FormShow() override;
    void FormClose() override;

    Session &m_session;
    CdTitleForm *m_form = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_save = nullptr;
    QPointer<ConfirmWindow> m_confirm;
    bool m_closed = false;
};

} // namespace velmora
