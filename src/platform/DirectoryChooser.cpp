#include "platform/DirectoryChooser.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QKeyEvent>
#include <QStyle>
#include <QTimer>

namespace velmora {
namespace {

QStringList g_mediaRoots;

bool isEnter(const QKeyEvent *event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}
bool g_mediaRootsSet = false;

} // namespace

void setMediaRoots(const QStringList &roots)
{
    g_mediaRoots = roots;
    g_mediaRootsSet = true;
}

QStringList mediaRoots()
{
    if (g_mediaRootsSet)
        return g_mediaRoots;
    const QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        return {};
    return {QStringLiteral("/media/") + user, QStringLiteral("/run/media/") + user};
}

QList<Place> places(const QString &dataDir)
{
    QList<Place> out{{QStringLiteral("Data programu"), QDir(dataDir).absolutePath()},
                     {QStringLiteral("Domovský adresář"), QDir::homePath()}};
    for (const QString &root : mediaRoots()) {
        const QDir dir(root);
        for (const QString &medium : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            out.append({QStringLiteral("Médium: ") + medium, dir.absoluteFilePath(medium)});
    }
    out.append({QStringLiteral("Celý systém"), QDir::rootPath()});
    return out;
}

PlaceBox::PlaceBox(QWidget *parent, const QString &name) : QComboBox(parent)
{
    setObjectName(name);
    setAccessibleName(QStringLiteral("Místo"));
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &PlaceBox::update);
    // Not every system tells a watcher of mounts: a look now and then.
    m_poll = new QTimer(this);
    m_poll->setInterval(3000);
    connect(m_poll, &QTimer::timeout, this, &PlaceBox::update);
    connect(this, &QComboBox::activated, this, [this](int i) {
        const QString path = itemData(i).toString();
        if (QFileInfo(path).isDir()) {
            emit placeChosen(path);
            return;
        }
        const QString name = itemText(i);
        update();
        follow(m_current);
        emit placeMissing(name);
    });
}

QList<Place> PlaceBox::currentPlaces() const
{
    QList<Place> out = places(m_dataDir);
    if (m_extra)
        for (int at = 1; const Place &p : m_extra())
            out.insert(at++, p);
    return out;
}

void PlaceBox::setExtraPlaces(std::function<QList<Place>()> extra)
{
    m_extra = std::move(extra);
}

void PlaceBox::refresh(const QString &dataDir, const QString &current)
{
    m_dataDir = dataDir;
    clear();
    for (const Place &p : currentPlaces())
        addItem(p.name, p.path);
    follow(current);
    watch();
}

void PlaceBox::update()
{
    // Never under the user's hand: an open list is built anew at its next
    // opening.
    if (m_dataDir.isEmpty() || view()->isVisible())
        return;
    const QList<Place> list = currentPlaces();
    bool same = list.size() == count();
    for (int i = 0; same && i < count(); ++i)
        same = itemText(i) == list[i].name && itemData(i).toString() == list[i].path;
    if (same)
        return;
    const QSignalBlocker quiet(this);
    const QString chosen = currentData().toString();
    clear();
    for (const Place &p : list)
        addItem(p.name, p.path);
    // The entry shown stays while it is there; otherwise the place of the
    // directory shown.
    const int again = findData(chosen);
    if (again >= 0)
        setCurrentIndex(again);
    else
        follow(m_current);
    watch();
}

void PlaceBox::watch()
{
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    // The roots themselves, and where a root that is not there yet appears.
    QStringList dirs;
    for (const QString &root : mediaRoots())
        for (const QString &d : {root, QFileInfo(root).absolutePath()})
            if (QFileInfo(d).isDir() && !dirs.contains(d))
                dirs << d;
    if (!dirs.isEmpty())
        m_watcher->addPaths(dirs);
}

void PlaceBox::showPopup()
{
    update();
    QComboBox::showPopup();
}

void PlaceBox::keyPressEvent(QKeyEvent *event)
{
    if (!isEnter(event)) {
        QComboBox::keyPressEvent(event);
        return;
    }
    event->accept();
    if (currentIndex() >= 0)
        emit activated(currentIndex());
}

void PlaceBox::showEvent(QShowEvent *event)
{
    QComboBox::showEvent(event);
    update();
    m_poll->start();
}

void PlaceBox::hideEvent(QHideEvent *event)
{
    m_poll->stop();
    QComboBox::hideEvent(event);
}

void PlaceBox::follow(const QString &path)
{
    m_current = path;
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    int best = -1;
    qsizetype length = -1;
    for (int i = 0; i < count(); ++i) {
        const QString p = itemData(i).toString();
        const bool holds =
            clean == p || clean.startsWith(p.endsWith(QLatin1Char('/')) ? p : p + QLatin1Char('/'));
        if (holds && p.size() > length) {
            best = i;
            length = p.size();
        }
    }
    if (best >= 0)
        setCurrentIndex(best);
}

DirectoryList::DirectoryList(QWidget *parent, const QString &name) : QListWidget(parent)
{
    setObjectName(name);
    setAccessibleName(QStringLiteral("Adresáře"));
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { setPath(item->data(Qt::UserRole).toString()); });
}

void DirectoryList::keyPressEvent(QKeyEvent *event)
{
    // The item view activates the entry and then passes Enter on to the
    // window, where the default button would take it as well.
    QListWidget::keyPressEvent(event);
    if (isEnter(event))
        event->accept();
}

bool DirectoryList::setPath(const QString &path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (!QFileInfo(clean).isDir())
        return false;
    const bool changed = clean != m_path;
    m_path = clean;
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The path from the root: each step indented one more.
    QStringList steps = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString walked = QStringLiteral("/");
    auto *root = new QListWidgetItem(open, QStringLiteral("/"), this);
    root->setData(Qt::UserRole, walked);
    int depth = 1;
    for (const QString &s : steps) {
        walked = QDir::cleanPath(walked + QLatin1Char('/') + s);
        auto *item = new QListWidgetItem(open, QString(depth * 2, QLatin1Char(' ')) + s, this);
        item->setData(Qt::UserRole, walked);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QDir dir(clean);
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        auto *item = new QListWidgetItem(closed, QString(depth * 2, QLatin1Char(' ')) + sub, this);
        item->setData(Qt::UserRole, dir.absoluteFilePath(sub));
    }
    if (changed)
        emit pathChanged(m_path);
    return true;
}

} // namespace velmora
