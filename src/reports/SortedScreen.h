#pragma once

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

public slots:
    void reject() override;

protected:
    struct Texts
    {
        QString caption;
        QString title;
        QString countCaption;
        QString choiceCaption;
        QStringList orders; // in the order of FilmOrder or SongOrder
    };
    SortedListScreen(Session &session, QWidget *parent, SortedList list, const Texts &texts);

    void FormShow() override;
    void showCount(int count);

private:
    void build();

    SortedList m_list;
    SortedWork m_work;
    int m_rows = 0;
    QComboBox *m_choice = nullptr;
    QLabel *m_count = nullptr;
};

} // namespace velmora
