#pragma once

// The cassette browser TProhlizej_kazetu.

#include "platform/ScreenDialog.h"

class QPushButton;

namespace velmora {

class CassetteDisplay;
class Session;

// The browse screen: the cassettes of data.dbf one at a time, read-only,
// with the label printing of the cassette shown. Its captions come from
// section VK_001 of the language file. The main window opens the table
// with index cislo before and closes it after.
class TProhlizej_kazetu : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TProhlizej_kazetu(Session &session, QWidget *parent = nullptr);

    // The number of the cassette shown.
    QString currentNumber() const;
    // The number whose label was last asked for, for the label screen.
    static QString labelNumber();

    CassetteDisplay *display() const { return m_display; }

    static inline const QString kSection = QStringLiteral("VK_001");

protected:
    void changeEvent(QEvent *event) override;
    void done(int result) override;

private:
    void FormShow() override;
    void FormActivate();
    void readLanguage();
    void TiskClick();

    Session &m_session;
    CassetteDisplay *m_display = nullptr;
    QPushButton *m_printLabel = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
