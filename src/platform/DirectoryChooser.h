#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <functional>

class QFileSystemWatcher;
class QKeyEvent;
class QTimer;

namespace velmora {

// Where a directory is chosen without drive letters: a list of places (the
// program's data, the home directory, the removable media the desktop has
// mounted, the whole system) and a list of directories in the manner of the
// old directory boxes: the path from the root down to the current directory,
// then its subdirectories. Activating an entry (double click, Enter) moves
// into it. Enter in either list is theirs alone: it never reaches the
// window's default button, which would start the operation in the middle of
// the choosing.

struct Place
{
    QString name;
    QString path;
};

// The places offered, in their order; removable media are the directories
// mounted under /media/$USER and /run/media/$USER.
QList<Place> places(const QString &dataDir);
// The directories under which the desktop mounts removable media; tests
// give their own.
void setMediaRoots(const QStringList &roots);
QStringList mediaRoots();

// The list of places stays current: it is built anew whenever it is opened,
// and when a medium is mounted or removed while it is shown.
class PlaceBox : public QComboBox
{
    Q_OBJECT
public:
    PlaceBox(QWidget *parent, const QString &name);
    // Fills the list anew; the entry whose path holds current is chosen.
    void refresh(const QString &dataDir, const QString &current);
    // The place that holds path (the longest match).
    void follow(const QString &path);
    // Places of the screen's own, offered right after the program's data
    // (the restore offers the copies it keeps); asked at every refresh.
    void setExtraPlaces(std::function<QList<Place>()> extra);
    // Builds the list again if the places changed; the chosen one stays.
    void update();

    void showPopup() override;

signals:
    void placeChosen(const QString &path);
    // A place chosen whose directory is gone (a medium removed meanwhile);
    // the list is current again and shows the place that was shown.
    void placeMissing(const QString &name);

protected:
    // Enter goes to the place shown, as choosing it from the list does.
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QList<Place> currentPlaces() const;
    void watch();

    QString m_dataDir;
    QString m_current;
    std::function<QList<Place>()> m_extra;
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_poll = nullptr;
};

class DirectoryList : public QListWidget
{
    Q_OBJECT
public:
    DirectoryList(QWidget *parent, const QString &name);
    QString path() const { return m_path; }
    // Shows path (made absolute and clean); false when it is no directory.
    bool setPath(const QString &path);
    // Lists the current directory again (after a new subdirectory).
    void reload() { setPath(m_path); }

signals:
    void pathChanged(const QString &path);

protected:
    // Enter moves into the current entry and goes no further.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_path;
};

} // namespace velmora
