#pragma once

// TPrubehExportu: the progress of a spreadsheet export, with a button that
// cancels it. The export runs while the window shows, the window stays
// responsive, and a cancelled export leaves no file behind.

#include "platform/ScreenDialog.h"
#include "sheets/SheetExport.h"

#include <QElapsedTimer>

class QLabel;
class QProgressBar;

namespace velmora {

class TPrubehExportu : public ScreenDialog
{
    Q_OBJECT
public:
    TPrubehExportu(const QString &file, QWidget *parent = nullptr);

    using Work = std::function<sheets::ExportResult(const sheets::ExportProgress &)>;
    // Shows the window, runs the work with a progress that moves the gauge
    // and hears the cancel button, and hides the window again.
    sheets::ExportResult run(const Work &work);

    QProgressBar *gauge() const { return m_gauge; }
    QPushButton *cancelButton() const { return m_cancel; }
    bool cancelled() const { return m_cancelled; }

protected:
    // The window's close box cancels the export, as the button does.
    void closeEvent(QCloseEvent *event) override;

private:
    bool advance(qint64 done, qint64 total);
    void cancel();

    QLabel *m_text = nullptr;
    QProgressBar *m_gauge = nullptr;
    QPushButton *m_cancel = nullptr;
    QElapsedTimer m_sinceRepaint;
    bool m_cancelled = false;
    bool m_running = false;
};

} // namespace velmora
