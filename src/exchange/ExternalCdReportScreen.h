#pragma once

// The reports over imported CD catalogues, TExterni_TiskyCD.

#include "reports/CdListScreen.h"
#include "transfer/OwnerTables.h"

class QComboBox;
class QLabel;

namespace velmora {

// The CD titles of another user's imported catalogue: the owner chosen in
// Users, each title with what the four option boxes add. The owner's
// cd01.dbf and cd02.dbf stay open, read-only, between builds.
class TExterni_TiskyCD : public CdTitleListScreen
{
    Q_OBJECT
public:
    explicit TExterni_TiskyCD(Session &session, QWidget *parent = nullptr);
    ~TExterni_TiskyCD() override;

    QComboBox *users() const { return m_users; }
    QLabel *count() const { return m_count; }
    const Table &titles() const { return m_owner.main(); }
    const Table &tracks() const { return m_owner.tracks(); }

    void done(int result) override;

protected:
    void FormShow() override;
    // The chosen owner's titles, on a change of owner and on a click of an
    // option box: the owner's tables opened anew.
    void build() override;

private:
    void closeOwner();

    QComboBox *m_users = nullptr;
    QLabel *m_count = nullptr;
    exchange::OwnerTables m_owner{exchange::Catalogue::Cds};
};

} // namespace velmora
