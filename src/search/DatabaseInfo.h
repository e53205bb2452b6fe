#pragma once

// The database information TInf_databaze (cassettes) and TInf_databazecd (CDs).

#include "platform/ScreenDialog.h"

class QLabel;
class QPushButton;

namespace velmora {

class Session;

// What the tables of a catalogue hold: records, file sizes, finished loans
// and the entries of the user lists. Each table is opened for its count
// and closed again.
class DatabaseInfoScreen : public ScreenDialog
{
    Q_OBJECT
public:
    QLabel *value(const QString &name) const;

protected:
    DatabaseInfoScreen(bool cds, Session &session, QWidget *parent);
    void FormShow() override;

private:
    bool m_cds;
    Session &m_session;
    QPushButton *m_close = nullptr;
};

class TInf_databaze : public DatabaseInfoScreen
{
    Q_OBJECT
public:
    explicit TInf_databaze(Session &session, QWidget *parent = nullptr)
        : DatabaseInfoScreen(false, session, parent)
    {
    }
};

class TInf_databazecd : public DatabaseInfoScreen
{
    Q_OBJECT
public:
    explicit TInf_databazecd(Session &session, QWidget *parent = nullptr)
        : DatabaseInfoScreen(true, session, parent)
    {
    }
};

} // namespace velmora
