#pragma once

// The loan archives TArchiv (cassettes) and TArchivCD (CDs).

#include "loans/LoanBook.h"
#include "platform/ScreenDialog.h"

class QLabel;
class QPushButton;
class QTableView;

namespace velmora {

class Session;
class Table;
class TableModel;

// The finished loans of an archive in the order of their return, with the
// ways to the histories by item and by person. The command opens the
// archive before and closes it after.
class ArchiveScreen : public ScreenDialog
{
    Q_OBJECT
public:
    // What tells the cassette archive from the CD one (the table in
    // ArchiveScreen.cpp).
    struct Design;

    ItemKind kind() const { return m_kind; }
    QTableView *grid() const { return m_grid; }
    TableModel *model() const { return m_model; }
    QLabel *countLabel() const { return m_count; }
    QPushButton *byItemButton() const { return m_byItem; }
    QPushButton *byPersonButton() const { return m_byPerson; }

protected:
    ArchiveScreen(const Design &design, Session &session, QWidget *parent);
    void FormShow() override;

private:
    void rowClicked();

    ItemKind m_kind;
    Session &m_session;
    Table &m_archive;
    QLabel *m_count = nullptr;
    QTableView *m_grid = nullptr;
    TableModel *m_model = nullptr;
    QPushButton *m_byItem = nullptr;
    QPushButton *m_byPerson = nullptr;
    QPushButton *m_close = nullptr;
};

class TArchiv : public ArchiveScreen
{
    Q_OBJECT
public:
    explicit TArchiv(Session &session, QWidget *parent = nullptr);
};

class TArchivCD : public ArchiveScreen
{
    Q_OBJECT
public:
    explicit TArchivCD(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
