#pragma once

// The conversion screen TRozhodovani.

#include "platform/ScreenDialog.h"

#include <array>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QWidget;

namespace velmora {

class Session;

// The conversion of a database of the 2001.A generation, offered at the
// start: the user converts or does without; the program ends either way.
// The work is done by conversion::OldDatabase; this screen shows its steps.
class TRozhodovani : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TRozhodovani(Session &session, QWidget *parent = nullptr);

    QProgressBar *gauge(int n) const { return n == 1 ? m_gauge1 : m_gauge2; }
    QCheckBox *stepBox(int n) const { return m_steps.at(size_t(n - 1)); }
    QLabel *counter(int n) const { return m_counters.at(size_t(n - 1)); }
    // Whether the conversion went through to the new version.
    bool converted() const { return m_converted; }

public slots:
    void convertData(); // "Konvertovat data"

    // Closing the screen without converting tells the user that the
    // program cannot go on with the old database.
    void done(int result) override;

protected:
    void FormShow() override;

private:
    bool runSteps(QString &problem);
    void setGauge(QProgressBar *gauge, int done);
    void pause(int ms);

    Session &m_session;
    QTextEdit *m_text = nullptr;
    QPushButton *m_convert = nullptr;
    QPushButton *m_skip = nullptr;
    QPushButton *m_read = nullptr;
    QProgressBar *m_gauge1 = nullptr;
    QProgressBar *m_gauge2 = nullptr;
    std::array<QLabel *, 3> m_counters{};
    std::array<QCheckBox *, 5> m_steps{};
    QLabel *m_result = nullptr;
    bool m_running = false;
    bool m_started = false;
    bool m_converted = false;
    bool m_declined = false;
};

} // namespace velmora
