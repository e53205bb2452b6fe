#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace velmora {

// The short note after a successful save: a borderless window centred over
// the screen that saved, which goes away by itself after one second. It is
// shown without blocking, so the user can go on typing at once.
class ConfirmWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ConfirmWindow(QWidget *owner);

    static constexpr int kLifeMs = 1000;

    // Looks the text up again (the language file may have changed), centres
    // the window over its owner and starts its life.
    void popup();
    QString text() const;
    QTimer *timer() const { return m_timer; }

public slots:
    // The end of the window's life.
    void tick();

private:
    QLabel *m_text = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace velmora
