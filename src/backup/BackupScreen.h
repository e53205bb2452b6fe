#pragma once

#include "platform/ScreenDialog.h"
#include "storage/BackupSets.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QVBoxLayout;
class QPushButton;

namespace velmora {

class DirectoryList;
class PlaceBox;
class Session;

// The backup and the restore screens of both catalogues: a directory
// chosen among the places, the set's files there and the state of the
// backup the directory holds. One button backs the set up into the
// directory or restores it from there.
class BackupScreen : public ScreenDialog
{
    Q_OBJECT
public:
    enum class Mode
    {
        Backup,
        Restore,
    };

    PlaceBox *placesBox() const { return m_places; }
    DirectoryList *directories() const { return m_dirs; }
    QListWidget *files() const { return m_files; }
    QProgressBar *gauge() const { return m_gauge; }

public slots:
    void run(); // "&Zálohuj data" / "&Obnov data" / "&Importování"

protected:
    BackupScreen(Session &session, backup::Set set, Mode mode, QWidget *parent);
    void FormShow() override;

    // The cassette restore's "Importování databází VK".
    void addImportBox();

private:
    void placeChosen(const QString &path);
    void showPath(const QString &path);
    void showStatus();
    void applyButtonRule();
    void backUp();
    void restore();
    void setBusy(bool busy);
    void showProgress(double files);

    Session &m_session;
    backup::Set m_set;
    Mode m_mode;
    backup::Status m_status;
    QString m_toldProblem; // told once per directory, not at every look
    PlaceBox *m_places = nullptr;
    DirectoryList *m_dirs = nullptr;
    QLabel *m_info = nullptr;
    QListWidget *m_files = nullptr;
    QLabel *m_dateCaption = nullptr;
    QLabel *m_timeCaption = nullptr;
    QLabel *m_versionCaption = nullptr;
    QLabel *m_date = nullptr;
    QLabel *m_time = nullptr;
    QLabel *m_version = nullptr;
    QProgressBar *m_gauge = nullptr;
    QVBoxLayout *m_right = nullptr;
    QCheckBox *m_import = nullptr;
    QPushButton *m_run = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
