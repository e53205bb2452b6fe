#pragma once

#include "engine/Table.h"
#include "listing/SortedReports.h"
#include "printing/ReportScreen.h"

#include <QStringList>

class QComboBox;
class QLabel;

namespace velmora {

// What the two sorted lists share: on every showing the work table
// tridena.dbf is made anew and filled, the count goes to pocet, the first
// order of ComboBox1 is chosen and its list written under the progress
// window; another order rewrites the list. The close button (and Esc, and
// closing the window) takes the work table away; printing ends the screen
// and leaves its files to the next showing.
class SortedListScreen : public ReportScreen
{
    Q_OBJECT
public:
    QComboBox *orderChoice() const { return m_choice; }
    QLabel *count() const { return m_count; }
    Table &workTable() { return m_work; }

public slots:
    void reject() override;

protected:
    struct Texts
    {
        QString caption;
        QString title;
        QString countCaption;
        QString choiceCaption;
        QStringList orders;
    };
    SortedListScreen(Session &session, QWidget *parent, const Texts &texts);

    void FormShow() override;
    void showCount(int count);
    // Makes and fills the work table; returns the number of its records.
    virtual int fill(Table &work) = 0;
    // Writes the list of the order chosen (an index into Texts::orders).
    virtual void write(ReportWriter &w, Table &work, int order, const RowWritten &rowWritten) = 0;

private:
    void build();

    Table m_work;
    int m_rows = 0;
    QComboBox *m_choice = nullptr;
    QLabel *m_count = nullptr;
};

} // namespace velmora
