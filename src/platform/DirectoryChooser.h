#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace velmora {

// Where a directory is chosen without drive letters: a list of places (the
// program's data, the home directory, the removable media the desktop has
// mounted, the whole system) and a list of directories in the manner of the
// old directory boxes: the path from the root down to the current directory,
// then its subdirectories. Activating an entry (double click, Enter) moves
// into it.

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

class PlaceBox : public QComboBox
{
    Q_OBJECT
public:
    PlaceBox(QWidget *parent, const QString &name);
    // Fills the list anew; the entry whose path holds current is chosen.
    void refresh(const QString &dataDir, const QString &current);
    // The place that holds path (the longest match).
    void follow(const QString &path);

signals:
    void placeChosen(const QString &path);
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

private:
    QString m_path;
};

} // namespace velmora
