#pragma once

// The sheets of labels, TVice_Etiket.

#include "platform/ScreenDialog.h"
#include "reports/Labels.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace velmora {

class Session;

// The labels of a range of cassettes packed on A4 sheets. The menu opens
// data.dbf in number order; the two drop-down lists offer its numbers, the
// second only those from the first one chosen on, and Label8 tells how many
// sheets the choice takes. Printing shows the pages first and closes the
// screen once they are printed.
class TVice_Etiket : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TVice_Etiket(Session &session, QWidget *parent = nullptr);

    // The cassettes chosen, as positions in the number order.
    labels::Span chosen() const;
    labels::Choice choice() const;
    // The job of the choice, read from data.dbf.
    labels::Job job();

public slots:
    void TiskClick();
    void PdfClick();

private:
    void FormShow() override;
    void firstChosen();
    void estimate();

    Session &m_session;
    labels::NumberOrder m_order;
    QComboBox *m_kind = nullptr;
    QComboBox *m_min = nullptr;
    QComboBox *m_max = nullptr;
    QLabel *m_estimate = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_pdf = nullptr;
};

} // namespace velmora
