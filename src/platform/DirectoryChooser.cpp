#include "platform/DirectoryChooser.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace velmora {
namespace {

QStringList g_mediaRoots;
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
    connect(this, &QComboBox::activated, this,
            [this](int i) { emit placeChosen(itemData(i).toString()); });
}

void PlaceBox::refresh(const QString &dataDir, const QString &current)
{
    clear();
    for (const Place &p : places(dataDir))
        addItem(p.name, p.path);
    follow(current);
}

void PlaceBox::follow(const QString &path)
{
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
