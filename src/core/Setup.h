#pragma once

// The central settings screen TSetup.

#include "platform/ScreenDialog.h"

#include <QTimer>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace velmora {

class Session;

// The central settings: the start-up, the open-cassette minimum, the print
// processing and the owner's name. Nothing is written before "Uložit
// změny"; then the settings file and the record of the run change together.
class TSetup : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TSetup(Session &session, QWidget *parent = nullptr);

    bool warningBlinking() const { return m_blink.isActive(); }
    // The 500 ms timer that toggles the warning; tests drive its steps.
    QTimer *blinkTimer() { return &m_blink; }

public slots:
    void save(); // "Uložit změny"

protected:
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void passwordBoxChanged();
    bool minutesLeft(); // true when a too long minimum was refused
    void applyWarningRule();
    void highlight(QCheckBox *current);

    Session &m_session;
    QList<QCheckBox *> m_ticks;
    QCheckBox *m_check = nullptr;
    QCheckBox *m_checkCd = nullptr;
    QCheckBox *m_winCheck = nullptr;
    QLabel *m_winCheckLine2 = nullptr;
    QCheckBox *m_splash = nullptr;
    QCheckBox *m_askPassword = nullptr;
    QLabel *m_passwordCaption = nullptr;
    QLineEdit *m_password = nullptr;
    QCheckBox *m_showPassword = nullptr;
    QLabel *m_passwordNote = nullptr;
    QCheckBox *m_icon = nullptr;
    QLabel *m_path = nullptr;
    QLineEdit *m_owner = nullptr;
    QLineEdit *m_minutes = nullptr;
    QComboBox *m_system = nullptr;
    QLabel *m_defaultSystem = nullptr;
    QLabel *m_warning = nullptr;
    QLabel *m_stopSign = nullptr;
    QTimer m_blink;
};

} // namespace velmora
