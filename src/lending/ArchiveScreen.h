#pragma once

// The loan archives TArchiv (cassettes) and TArchivCD (CDs).

#include "lending/KindScreen.h"

namespace velmora {

// The finished loans of an archive in the order of their return, with the
// ways to the histories by item and by person. The command opens the
// archive before and closes it after.
class ArchiveScreen : public TableGridScreen
{
    Q_OBJECT
public:
    // What tells the cassette archive from the CD one (the table in
    // ArchiveScreen.cpp).
    struct Design;

    QPushButton *byItemButton() const { return m_byItem; }
    QPushButton *byPersonButton() const { return m_byPerson; }

protected:
    ArchiveScreen(const Design &design, Session &session, QWidget *parent);
    void FormShow() override;

private:
    void rowClicked();

    Table &m_archive;
    QPushButton *m_byItem = nullptr;
    QPushButton *m_byPerson = nullptr;
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
