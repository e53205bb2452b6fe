#pragma once

// The small windows of a MusicBrainz lookup: the waiting window with its
// cancel, the choice among several releases of a disc, and the choice of
// the drive on the edit screen.

#include "lookup/MusicBrainzClient.h"
#include "platform/ScreenDialog.h"
#include "system/CdDrive.h"

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace velmora {

// Shown while the client asks the server; the window stays responsive and
// "Zrušit" stops the request. It closes itself when the answer comes.
class TCekani_MusicBrainz : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TCekani_MusicBrainz(MusicBrainzClient &client, QWidget *parent = nullptr);

    // The answer, once it came; none while waiting or after a cancel.
    const std::optional<LookupOutcome> &outcome() const { return m_outcome; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    void arrived(const LookupOutcome &outcome);
    void FormClose() override;

    MusicBrainzClient &m_client;
    std::optional<LookupOutcome> m_outcome;
    QLabel *m_text = nullptr;
    QPushButton *m_cancel = nullptr;
};

// Several releases carry the disc: the user picks one, the first chosen.
class TVyber_vydani : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TVyber_vydani(const std::vector<musicbrainz::Release> &releases,
                           QWidget *parent = nullptr);

    int chosen() const; // index into the releases; -1 for none
    QTableWidget *grid() const { return m_grid; }
    QPushButton *useButton() const { return m_use; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QTableWidget *m_grid = nullptr;
    QPushButton *m_use = nullptr;
    QPushButton *m_cancel = nullptr;
};

// The drive or disc image whose disc the edit screen looks up.
class TMechanika_MusicBrainz : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TMechanika_MusicBrainz(QWidget *parent = nullptr);

    QString drive() const; // what follows "CD Rom " in the chosen entry
    QComboBox *driveList() const { return m_drives; }
    QPushButton *confirmButton() const { return m_confirm; }

private:
    void confirm();

    QComboBox *m_drives = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_cancel = nullptr;
};

// Looks the disc read up, with the waiting window. The failures are told
// here; the release the user takes (chosen among several) comes back, none
// after a failure, a cancel or when the disc has no disc ID.
std::optional<musicbrainz::Release> lookUpRelease(const cd::DiscInfo &disc, QString *discId,
                                                  QWidget *parent);

} // namespace velmora
