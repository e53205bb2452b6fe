#pragma once

#include "printing/ReportPane.h"
#include "writer/ReportText.h"

#include <QDialog>
#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace velmora {

class ReportWriter;
class Session;
class TWaiting_Form;

// What every report screen shares: the title label RxLabel1 in the top
// panel, the pane RichEdit1, and the bottom panel with the screen's report
// choices, the print button, "Uložit jako PDF ..." and "&Zavřít okno".
// A screen adds its drop-down lists to choiceLayout(), builds its report in
// FormShow() and on a change of choice, and may rename the print button.
class ReportScreen : public QDialog
{
    Q_OBJECT
public:
    explicit ReportScreen(Session &session, QWidget *parent = nullptr);

    Session &session() const { return m_session; }
    ReportPane *pane() const { return m_pane; }
    QLabel *titleLabel() const { return m_title; }
    QHBoxLayout *choiceLayout() const { return m_choices; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *pdfButton() const { return m_pdf; }
    QPushButton *closeButton() const { return m_close; }

    // The filling mode of the run's Setup_OS.
    report::Mode mode() const;

    // While a report is built with pending events handled (under the
    // progress window), the choices and buttons take no clicks and the
    // screen does not close: a click then would start a second build inside
    // the first or take its tables away. Controls disabled before (the print
    // button without a printer) stay disabled after.
    void setBusy(bool busy);
    bool busy() const { return m_busy; }

    // Writes a report that visits `count` records under the progress window,
    // the screen busy meanwhile; the report calls visited() after each
    // record. An error is shown and leaves what was written.
    using VisitingReport =
        std::function<void(ReportWriter &w, const std::function<void()> &visited)>;
    void writeWithProgress(int count, const VisitingReport &report);
    // The progress window, made with the first report that needs it.
    TWaiting_Form *waiting() const { return m_waiting; }
    void done(int result) override;

public slots:
    // The print button: disables the buttons, prints the pane as one job on
    // the run's printer and closes the screen.
    void printReport();

protected:
    // Shown: the print button follows the printer found at start-up, then
    // FormShow() builds the report and the pane gets the focus.
    void showEvent(QShowEvent *event) override;
    virtual void FormShow() {}

private:
    Session &m_session;
    ReportPane *m_pane = nullptr;
    QLabel *m_title = nullptr;
    QHBoxLayout *m_choices = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_pdf = nullptr;
    QPushButton *m_close = nullptr;
    QWidget *m_bottom = nullptr;
    TWaiting_Form *m_waiting = nullptr;
    bool m_busy = false;
};

} // namespace velmora
