#pragma once

// What the lending screens of both kinds of item share: the words that name
// them, the screen base that knows its kind, and the grid of a table's rows
// under their count (the return and archive screens).

#include "loans/LoanBook.h"
#include "platform/ScreenDialog.h"
#include "storage/TableHandles.h"

#include <QString>
#include <initializer_list>

class QLabel;
class QPushButton;
class QTableView;

namespace velmora {

class RecordNavigator;
class Session;
class TableModel;

// What names a screen in each entry of the tables of the kinds in this
// folder.
struct ScreenWords
{
    const char *name;    // the objectName
    const char *caption; // the window title
};

// A text of those tables, written in UTF-8.
inline QString kindText(const char *s)
{
    return QString::fromUtf8(s);
}

// Gives the window its established name and its title.
void nameScreen(QWidget &window, const ScreenWords &words);

// The navigator of the lending screens: its hints, and the mouse wheel
// turning the items over anywhere on the window.
void lendingNavigator(RecordNavigator &navigator, QWidget &window);

// The four views of a loan archive (per item or per person, of cassettes or
// of CDs) that the histories and the charts offer: the same tables behind
// different screens.
struct ArchiveView
{
    ItemKind kind;
    bool byPerson;
    Table TableHandles::*items;
    Table TableHandles::*archive;
};
inline constexpr ArchiveView kCassettesByNumber{ItemKind::Cassette, false, &TableHandles::Table1,
                                                &TableHandles::Table2};
inline constexpr ArchiveView kCassettesByPerson{ItemKind::Cassette, true, &TableHandles::Table1,
                                                &TableHandles::Table2};
inline constexpr ArchiveView kCdsByNumber{ItemKind::Cd, false, &TableHandles::CD_Table1,
                                          &TableHandles::CD_Archiv};
inline constexpr ArchiveView kCdsByPerson{ItemKind::Cd, true, &TableHandles::CD_Table1,
                                          &TableHandles::CD_Archiv};

// A lending screen of one kind of item over the running session.
class KindScreen : public ScreenDialog
{
    Q_OBJECT
public:
    ItemKind kind() const { return m_kind; }

protected:
    KindScreen(ItemKind kind, const ScreenWords &words, Session &session, QWidget *parent);
    // "Zavřít okno", closing the screen; made once, where the screen's Tab
    // order wants it (a later call gives the same button).
    QPushButton *makeCloseButton();

    const ItemKind m_kind;
    Session &m_session;
    QPushButton *m_close = nullptr;
};

// The rows of a table in a grid under their count, with a row of buttons
// that ends in the close button.
class TableGridScreen : public KindScreen
{
    Q_OBJECT
public:
    QTableView *grid() const { return m_grid; }
    TableModel *model() const { return m_model; }
    QLabel *countLabel() const { return m_count; }

protected:
    // The count under its caption, and the grid (DBGrid1) of these columns
    // of the table; the model is made by the screen.
    TableGridScreen(ItemKind kind, const ScreenWords &words, const QString &countCaption,
                    const QString &gridName, Session &session, QWidget *parent);
    // Binds the grid to the model the screen made.
    void setModel(TableModel *model);
    // Lays the screen out: the count, `above` (where not null) over the
    // grid, and the buttons at the left of the last row with the close
    // button at its right.
    void layOut(QWidget *above, std::initializer_list<QWidget *> buttons);
    // Reads the rows anew, fits the columns and shows the count.
    void fillGrid();
    void showCount();

    QLabel *m_countCaption = nullptr;
    QLabel *m_count = nullptr;
    QTableView *m_grid = nullptr;
    TableModel *m_model = nullptr;
};

} // namespace velmora
