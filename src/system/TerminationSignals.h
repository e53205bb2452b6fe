#pragma once

#include <QObject>

class QSocketNotifier;

namespace velmora {

// Turns SIGTERM and SIGINT (a desktop logging out, Ctrl+C in a terminal)
// into a Qt signal on the user-interface thread, so the program can end in
// order instead of dying with its tables open. The handler only writes one
// byte into a socket pair; a socket notifier reads it in whatever event
// loop runs, modal ones included. One object at a time; the previous
// dispositions come back when it is destroyed.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // False when the socket pair or a handler could not be set up; the
    // signals then keep their default effect.
    bool isActive() const { return m_notifier != nullptr; }

signals:
    // Emitted once per signal received, with its number.
    void requested(int signalNumber);

private:
    void readPending();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace velmora
