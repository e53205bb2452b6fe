#pragma once

// The CD title edit screen TOpravit_CD_disk.

#include "platform/ScreenDialog.h"

class QPushButton;

namespace velmora {

class CdTitleForm;
class Session;

// Corrects a stored CD title: its data, discs and tracks. While changes are
// pending no other title can be chosen and the screen does not close. The
// command opens cd01.dbf; the screen opens cd02.dbf itself.
class TOpravit_CD_disk : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TOpravit_CD_disk(Session &session, QWidget *parent = nullptr);
    ~TOpravit_CD_disk() override;

    CdTitleForm *form() const { return m_form; }
    bool changesPending() const { return m_pending; }
    QPushButton *lookUpButton() const { return m_lookUp; }

    // Loads the current title of cd01.dbf on the disc given.
    void load(int disc = 1);
    void BitBtn2Click(); // "Uložit změny"
    void BitBtn3Click(); // "Zrušit změny"
    void Cislo_cdChange(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow() override;
    void FormClose() override;
    void fillNumbers();
    void showAgain();
    void wheel(int dy);
    void setPending(bool on);

    Session &m_session;
    CdTitleForm *m_form = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_lookUp = nullptr;
    bool m_pending = false;
    bool m_closed = false;
};

} // namespace velmora
