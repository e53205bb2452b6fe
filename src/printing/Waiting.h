#pragma once

// The progress window TWaiting_Form of long report builds.

#include "platform/ScreenDialog.h"

#include <QElapsedTimer>

class QLabel;
class QProgressBar;

namespace velmora {

// Progress window of the long reports: a borderless box centred over the
// screen it serves, with a text and the gauge Ukazatel. The screen sets the
// number of records the build will visit, shows the window, advances it
// after each record (pending events are handled every few dozen ms) and hides it.
class TWaiting_Form : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TWaiting_Form(QWidget *owner);

    // The count the gauge runs to; read when the window is shown.
    void setRecordCount(int count) { m_count = count; }
    int recordCount() const { return m_count; }

    // setRecordCount, show centred over the owner and paint at once.
    void start(int count);
    // One record done: the gauge's position moves on; the bar shows it, the
    // window repaints and pending events are handled when kRepaintMs have
    // passed since the last time, and when the report is complete.
    void advance();
    // The report is complete.
    void finish();

    QString text() const;
    int position() const;
    int maximum() const;

    static constexpr qint64 kRepaintMs = 40;

public slots:
    void FormShow() override;

private:
    void catchUp();

    QWidget *m_owner;
    QElapsedTimer m_sinceRepaint;
    int m_count = 0;
    int m_position = 0;
    QLabel *m_text = nullptr;
    QProgressBar *m_gauge = nullptr;
};

} // namespace velmora
