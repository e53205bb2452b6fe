// A child that runs one operation of the program that replaces whole files
// or changes a title with its tracks, through the functions the screens
// call, so that it can be killed in the middle. It writes "ready" once set
// up and "done" with any problem when the operation has returned.
//
//     velmora_replace_child copy <source> <target>
//     velmora_replace_child restore <dataDir> <backupDir>
//     velmora_replace_child import <dataDir> <exportDir> <date dd.MM.yyyy>
//     velmora_replace_child backup <dataDir> <backupDir>
//     velmora_replace_child export <dataDir> <exportDir>
//     velmora_replace_child convert <dataDir> <workDir>
//     velmora_replace_child upgrade <dataDir> <workDir>
//     velmora_replace_child cdedit|cdnew|cddelete <dataDir> <number> <seed>

#include "catalogue/CdCatalogue.h"
#include "conversion/Conversion.h"
#include "conversion/FormatUpgrade.h"
#include "engine/Table.h"
#include "storage/Backup.h"
#include "storage/FileCopy.h"
#include "storage/Paths.h"
#include "storage/Restore.h"
#include "transfer/Exporting.h"
#include "transfer/Importing.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <cstdio>

using namespace velmora;

namespace {

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QString text(QRandomGenerator64 &rng, const char *stem, int width)
{
    static const QStringList words{QStringLiteral("Píseň"),  QStringLiteral("ze"),
                                   QStringLiteral("Šumavy"), QStringLiteral("Řeka"),
                                   QStringLiteral("Žlutá"),  QStringLiteral("ponorka"),
                                   QStringLiteral("noc"),    QStringLiteral("Ďábel")};
    QString s = QString::fromLatin1(stem);
    for (int n = 1 + int(rng.bounded(4)); n > 0; --n)
        s += QLatin1Char(' ') + words[int(rng.bounded(int(words.size())))];
    return s.left(width).trimmed();
}

// A title of up to three discs with its tracks, drawn from seed.
void drawTitle(quint64 seed, const QString &number, CdTitle &title, std::vector<CdTrack> &rows)
{
    QRandomGenerator64 rng(seed);
    title.size = QStringLiteral("700");
    title.number = number;
    title.title = text(rng, "Nový titul", 50);
    title.artist = text(rng, "Kapela", 30);
    title.acquired = QStringLiteral("24.12.2001");
    title.format = QStringLiteral("Audio CD");
    title.note = text(rng, "Upraveno", 50);
    const int discs = 1 + int(rng.bounded(3));
    for (int d = 1; d <= discs; ++d) {
        const int tracks = 10 + int(rng.bounded(21));
        for (int t = 1; t <= tracks; ++t)
            rows.push_back({number, QStringLiteral("CD%1").arg(d), t, text(rng, "Stopa", 50),
                            60 + int(rng.bounded(400)), QStringLiteral("Rock"),
                            text(rng, "Zpěvák", 30)});
    }
}

QString changeTitle(const QString &op, const QString &dataDir, const QString &number, quint64 seed)
{
    Paths::setDataDir(QDir(dataDir).absolutePath() + QLatin1Char('/'));
    // Opened as the title screens have them: the titles in number order.
    Table titles;
    titles.setPath(Paths::dataFile(QStringLiteral("cd01.dbf")));
    titles.open();
    titles.setIndex(QStringLiteral("cislocd"));
    Table tracks;
    tracks.setPath(Paths::dataFile(QStringLiteral("cd02.dbf")));
    tracks.open();
    CdTitle title;
    std::vector<CdTrack> rows;
    drawTitle(seed, number, title, rows);
    if (op != QLatin1String("cdnew") && !titles.locate(QStringLiteral("Cislocd"), number))
        return QStringLiteral("no title ") + number;
    say(QStringLiteral("ready"));
    if (op == QLatin1String("cdnew"))
        saveNewTitle(titles, tracks, title, rows);
    else if (op == QLatin1String("cdedit"))
        saveEditedTitle(titles, tracks, title, rows);
    else
        deleteTitle(titles, tracks);
    return QString();
}

QString run(const QStringList &a)
{
    const QString op = a.value(0);
    if (op == QLatin1String("copy")) {
        say(QStringLiteral("ready"));
        return filecopy::copy(a.value(1), a.value(2));
    }
    if (op.startsWith(QLatin1String("cd")))
        return changeTitle(op, a.value(1), a.value(2), a.value(3).toULongLong());

    Paths::setDataDir(QDir(a.value(1)).absolutePath() + QLatin1Char('/'));
    say(QStringLiteral("ready"));
    if (op == QLatin1String("restore"))
        return backup::restoreSet(backup::Set::Cassettes, a.value(2), QDateTime::currentDateTime())
            .problem;
    if (op == QLatin1String("backup"))
        return backup::makeBackup(backup::Set::Cassettes, a.value(2), QDateTime::currentDateTime(),
                                  QStringLiteral("2002.A"));
    if (op == QLatin1String("export"))
        return exchange::exportCatalogue(exchange::Catalogue::Cassettes, a.value(2),
                                         QStringLiteral("Petr"), QDateTime::currentDateTime(),
                                         [](double) {});
    if (op == QLatin1String("import")) {
        const exchange::ExportInfo info{a.value(3), QStringLiteral("10:00:00"),
                                        QStringLiteral("2002.A"), QStringLiteral("Petr")};
        QString problem;
        const exchange::ImportResult r = exchange::importCatalogue(
            exchange::Catalogue::Cassettes, a.value(2), info, [] { return true; }, [](double) {},
            problem);
        if (problem.isEmpty() && r != exchange::ImportResult::Replaced)
            problem = QStringLiteral("not replaced: %1").arg(int(r));
        return problem;
    }
    if (op == QLatin1String("convert"))
        return conversion::convert(a.value(1), a.value(2));
    if (op == QLatin1String("upgrade"))
        return upgrade::upgradeFormat(a.value(1), a.value(2));
    return QStringLiteral("unknown operation ") + op;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    try {
        const QString problem = run(args);
        say(QStringLiteral("done ") + problem);
        return problem.isEmpty() ? 0 : 1;
    } catch (const std::exception &e) {
        say(QStringLiteral("done ") + QString::fromUtf8(e.what()));
        return 1;
    }
}
