#pragma once

// The reports over imported cassette catalogues, TExterni_Tisky.

#include "printing/ReportScreen.h"
#include "transfer/OwnerTables.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace velmora {

class InfoChoiceBox;

// The cassettes of another user's imported catalogue: the owner chosen in
// Users, with the dates, sources and notes the user ticks. The owner's
// data.dbf stays open, read-only, while it is shown.
class TExterni_Tisky : public ReportScreen
{
    Q_OBJECT
public:
    explicit TExterni_Tisky(Session &session, QWidget *parent = nullptr);
    ~TExterni_Tisky() override;

    QComboBox *users() const { return m_users; }
    QLabel *count() const { return m_count; }
    // S2, S3, S4.
    QCheckBox *datesAndSources() const;
    QCheckBox *filmNotes() const;
    QCheckBox *cassetteNotes() const;
    // The owner's table, open while the owner's cassettes are shown.
    const Table &cassettes() const { return m_owner.main(); }

    void done(int result) override;

public slots:
    // The owners read anew from the register and the first of them shown:
    // on show and on every click of S2, S3 or S4.
    void refresh();
    // The chosen owner's cassettes.
    void ownerChanged();

protected:
    void FormShow() override { refresh(); }

private:
    void closeOwner();

    QComboBox *m_users = nullptr;
    QLabel *m_count = nullptr;
    InfoChoiceBox *m_choice = nullptr;
    exchange::OwnerTables m_owner{exchange::Catalogue::Cassettes};
};

} // namespace velmora
