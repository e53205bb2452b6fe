// The operations that replace whole files, each with its old data, its
// child's arguments, what the program runs at its next start and what is
// compared afterwards.

#include "CrashReplacements.h"
#include "conversion/Conversion.h"
#include "conversion/FormatUpgrade.h"
#include "engine/Table.h"
#include "session/Settings.h"
#include "storage/Backup.h"
#include "storage/FileCopy.h"
#include "storage/Interrupted.h"
#include "storage/Paths.h"
#include "storage/Restore.h"
#include "storage/Schemas.h"
#include "storage/StagedSet.h"
#include "system/SettingsStore.h"
#include "transfer/Exporting.h"
#include "transfer/Importing.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmora::test::crash {
namespace {

const QStringList kWords{QStringLiteral("Pelíšky"), QStringLiteral("Kolja"),
                         QStringLiteral("Šakalí"),  QStringLiteral("léta"),
                         QStringLiteral("Žižkov"),  QStringLiteral("Ďáblova"),
                         QStringLiteral("Řeka"),    QStringLiteral("úterý"),
                         QStringLiteral("film"),    QStringLiteral("dokument")};

QString words(QRandomGenerator64 &rng, int maxChars)
{
    QString s;
    while (s.size() < maxChars) {
        s += (s.isEmpty() ? QString() : QStringLiteral(" ")) +
             kWords[int(rng.bounded(int(kWords.size())))];
        if (rng.bounded(3) == 0)
            break;
    }
    return s.left(maxChars).trimmed();
}

// A table of these fields filled with n records of values drawn from seed;
// a third of the memo fields carry a note. Fields named cislo or Cislocd
// number the records.
void fill(const QString &path, const QList<FieldDef> &fields, const QStringList &tags, int n,
          quint64 seed)
{
    QRandomGenerator64 rng(seed);
    QDir().mkpath(QFileInfo(path).absolutePath());
    Table::deleteFiles(path);
    Table::create(path, fields, tags);
    Table t;
    t.setPath(path);
    t.open(Table::Mode::Exclusive);
    inBatch(t, [&] {
        for (int rec = 0; rec < n; ++rec) {
            t.append();
            for (int i = 0; i < int(fields.size()); ++i) {
                const FieldDef &f = fields[i];
                if (f.name.compare(QLatin1String("cislo"), Qt::CaseInsensitive) == 0 ||
                    f.name.compare(QLatin1String("cislocd"), Qt::CaseInsensitive) == 0) {
                    t.setString(i, QStringLiteral("%1").arg(rec + 1, 5, 10, QLatin1Char('0')));
                    continue;
                }
                switch (f.type) {
                case FieldType::Integer:
                    t.setInteger(i, int(rng.bounded(1000)));
                    break;
                case FieldType::Date:
                    t.setDate(i, QDate(1995, 1, 1).addDays(rng.bounded(2500)));
                    break;
                case FieldType::Boolean:
                    t.setBoolean(i, rng.bounded(2) == 0);
                    break;
                case FieldType::Memo:
                    if (rng.bounded(3) == 0) {
                        QString note;
                        for (int k = 2 + int(rng.bounded(40)); k > 0; --k)
                            note += words(rng, 40) + QStringLiteral(".\r\n");
                        t.setString(i, note);
                    }
                    break;
                default:
                    t.setString(i, words(rng, f.width));
                }
            }
            t.post();
        }
    });
    t.close();
}

void fillList(const QString &path, const FieldDef &field, const QStringList &rows)
{
    Table::deleteFiles(path);
    Table::create(path, {field}, {field.name});
    Table t;
    t.setPath(path);
    t.open();
    for (const QString &row : rows) {
        t.append();
        t.setString(0, row);
        t.post();
    }
    t.close();
}

// The cassette set of a backup (data.dbf with its memo file, the archive,
// the two user lists and the notes) in dir, different for each seed.
void writeCassetteSet(const QString &dir, int cassettes, quint64 seed)
{
    QDir().mkpath(dir);
    const QString d = dir + QLatin1Char('/');
    const TableSchema c = schema::cassettes();
    fill(d + c.fileName, c.fields, c.tags, cassettes, seed);
    const TableSchema a = schema::cassetteArchive();
    fill(d + a.fileName, a.fields, a.tags, cassettes / 3, seed + 1);
    QStringList genres = schema::defaultRows(UserList::Genres);
    genres << QStringLiteral("Žánr %1").arg(seed);
    fillList(d + QStringLiteral("Users_za.nrv"), schema::userList(UserList::Genres).fields[0],
             genres);
    fillList(d + QStringLiteral("Users_zd.nrv"), schema::userList(UserList::Sources).fields[0],
             {QStringLiteral("Televize"), QStringLiteral("Zdroj %1").arg(seed)});
    QFile notes(d + QStringLiteral("VK.txt"));
    notes.open(QIODevice::WriteOnly);
    notes.write(QStringLiteral("Poznámky %1\r\n").arg(seed).toUtf8());
}

// Copies every file of from into a fresh to.
void copyDir(const QString &from, const QString &to)
{
    QDir(to).removeRecursively();
    QDir().mkpath(to);
    for (const QString &name : QDir(from).entryList(QDir::Files))
        QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name));
}

// A copy of a table kept under a backup or export name, with its memo file,
// under the names dbfread looks for: the path of the copy.
QString asTable(const QString &dir, const QString &table, const QString &memo)
{
    const QString look = dir + QStringLiteral(".look");
    QDir(look).removeRecursively();
    QDir().mkpath(look);
    QFile::copy(QDir(dir).filePath(table), look + QStringLiteral("/data.dbf"));
    QFile::copy(QDir(dir).filePath(memo), look + QStringLiteral("/data.dbt"));
    return look + QStringLiteral("/data.dbf");
}

QString fileText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll())
                                       : QStringLiteral("(missing)");
}

// --- filecopy::copy ----------------------------------------------------------

class FileCopyOp : public Operation
{
public:
    using Operation::Operation;
    QString name() const override { return QStringLiteral("filecopy::copy"); }
    void prepare() override
    {
        const TableSchema s = schema::cdTracks();
        fill(m_root + QStringLiteral("/old.dbf"), s.fields, s.tags, 12000, 11);
        fill(m_root + QStringLiteral("/new.dbf"), s.fields, s.tags, 9000, 12);
    }
    void reset() override
    {
        QDir(live()).removeRecursively();
        QDir().mkpath(live());
        filecopy::copy(m_root + QStringLiteral("/old.dbf"), live() + QStringLiteral("/cd02.dbf"));
    }
    QStringList arguments() const override
    {
        return {QStringLiteral("copy"), m_root + QStringLiteral("/new.dbf"),
                live() + QStringLiteral("/cd02.dbf")};
    }
    // As the start does in the data directory.
    QString repairAtStart() override
    {
        filecopy::discardUnfinished(live());
        return QString();
    }
    Snapshot snapshot() override
    {
        Snapshot s;
        addTable(s, QStringLiteral("cd02.dbf"), live() + QStringLiteral("/cd02.dbf"));
        s.insert(QStringLiteral("files"), listing(live()));
        return s;
    }

private:
    QString live() const { return m_root + QStringLiteral("/live"); }
};

// --- restore of a backup set -------------------------------------------------

class RestoreOp : public Operation
{
public:
    using Operation::Operation;
    QString name() const override { return QStringLiteral("backup::restoreSet"); }
    void prepare() override
    {
        writeCassetteSet(m_root + QStringLiteral("/old"), 400, 21);
        writeCassetteSet(m_root + QStringLiteral("/newdata"), 500, 22);
        Paths::setDataDir(m_root + QStringLiteral("/newdata/"));
        QDir().mkpath(set());
        backup::makeBackup(backup::Set::Cassettes, set(), QDateTime::currentDateTime(),
                           QStringLiteral("2002.A"));
    }
    void reset() override
    {
        copyDir(m_root + QStringLiteral("/old"), data());
        QDir().mkpath(data() + QStringLiteral("/ZALOHA"));
    }
    QStringList arguments() const override { return {QStringLiteral("restore"), data(), set()}; }
    QString repairAtStart() override
    {
        interrupted::undoInterrupted(data() + QLatin1Char('/'));
        return QString();
    }
    Snapshot snapshot() override
    {
        Snapshot s;
        for (const char *t : {"data.dbf", "archiv.dbf", "Users_za.nrv", "Users_zd.nrv"})
            addTable(s, QString::fromLatin1(t), data() + QLatin1Char('/') + QLatin1String(t));
        s.insert(QStringLiteral("VK.txt"), fileText(data() + QStringLiteral("/VK.txt")));
        s.insert(QStringLiteral("files"), listing(data()));
        return s;
    }

private:
    QString data() const { return m_root + QStringLiteral("/data"); }
    QString set() const { return m_root + QStringLiteral("/set"); }
};

// --- backup over an earlier backup in the same directory --------------------

class BackupOp : public Operation
{
public:
    using Operation::Operation;
    QString name() const override { return QStringLiteral("backup::makeBackup"); }
    void prepare() override
    {
        writeCassetteSet(m_root + QStringLiteral("/olddata"), 400, 41);
        writeCassetteSet(data(), 500, 42);
        Paths::setDataDir(m_root + QStringLiteral("/olddata/"));
        QDir().mkpath(m_root + QStringLiteral("/oldset"));
        backup::makeBackup(backup::Set::Cassettes, m_root + QStringLiteral("/oldset"),
                           QDateTime::currentDateTime(), QStringLiteral("2002.A"));
    }
    void reset() override { copyDir(m_root + QStringLiteral("/oldset"), set()); }
    QStringList arguments() const override { return {QStringLiteral("backup"), data(), set()}; }
    // The next backup into the directory, or the next look at it.
    QString repairAtStart() override
    {
        return backup::recoverBackup(backup::Set::Cassettes, set());
    }
    Snapshot snapshot() override
    {
        Snapshot s;
        addTable(s, QStringLiteral("data.zal"),
                 asTable(set(), QStringLiteral("data.zal"), QStringLiteral("data.zat")));
        for (const char *t : {"archiv.zal", "Users_za.zal", "Users_zd.zal"})
            addTable(s, QString::fromLatin1(t), set() + QLatin1Char('/') + QLatin1String(t));
        s.insert(QStringLiteral("VK.zal"), fileText(set() + QStringLiteral("/VK.zal")));
        s.insert(QStringLiteral("files"), listing(set()));
        s.insert(QStringLiteral("whole"), backup::checkSet(backup::Set::Cassettes, set()));
        return s;
    }

private:
    QString data() const { return m_root + QStringLiteral("/data"); }
    QString set() const { return m_root + QStringLiteral("/set"); }
};

// --- export over an earlier export in the same directory --------------------

class ExportOp : public Operation
{
public:
    using Operation::Operation;
    QString name() const override { return QStringLiteral("exchange::exportCatalogue"); }
    void prepare() override
    {
        writeCassetteSet(m_root + QStringLiteral("/olddata"), 400, 51);
        writeCassetteSet(data(), 500, 52);
        Paths::setDataDir(m_root + QStringLiteral("/olddata/"));
        QDir().mkpath(m_root + QStringLiteral("/oldexport"));
        exchange::exportCatalogue(exchange::Catalogue::Cassettes,
                                  m_root + QStringLiteral("/oldexport"), QStringLiteral("Petr"),
                                  QDateTime::currentDateTime(), [](double) {});
    }
    void reset() override { copyDir(m_root + QStringLiteral("/oldexport"), medium()); }
    QStringList arguments() const override { return {QStringLiteral("export"), data(), medium()}; }
    // The next export into the directory.
    QString repairAtStart() override
    {
        return staged::recover(exchange::exportFiles(exchange::Catalogue::Cassettes, medium()));
    }
    Snapshot snapshot() override
    {
        Snapshot s;
        addTable(s, QStringLiteral("data.vkf"),
                 asTable(medium(), QStringLiteral("data.vkf"), QStringLiteral("data.vkt")));
        s.insert(QStringLiteral("files"), listing(medium()));
        const exchange::Candidate c = exchange::inspect(exchange::Catalogue::Cassettes, medium());
        s.insert(QStringLiteral("importable"), c.allowed ? QStringLiteral("yes") : c.problem);
        return s;
    }

private:
    QString data() const { return m_root + QStringLiteral("/data"); }
    QString medium() const { return m_root + QStringLiteral("/medium"); }
};

// --- import of an exported catalogue over an earlier one ---------------------

class ImportOp : public Operation
{
    // The exports' dates: the tables were written today, and no export
    // holds a table changed after its own date.
    static QString exportDay(int days)
    {
        return QDate::currentDate().addDays(days).toString(QStringLiteral("dd.MM.yyyy"));
    }

public:
    using Operation::Operation;
    QString name() const override { return QStringLiteral("exchange::importCatalogue"); }
    void prepare() override
    {
        for (const auto &[dir, n, seed] : {std::tuple{QStringLiteral("/a"), 400, 31},
                                           std::tuple{QStringLiteral("/b"), 500, 32}}) {
            const TableSchema c = schema::cassettes();
            fill(m_root + dir + QStringLiteral("/data.dbf"), c.fields, c.tags, n, quint64(seed));
            QFile::rename(m_root + dir + QStringLiteral("/data.dbf"),
                          m_root + dir + QStringLiteral("/data.vkf"));
            QFile::rename(m_root + dir + QStringLiteral("/data.dbt"),
                          m_root + dir + QStringLiteral("/data.vkt"));
        }
    }
    void reset() override
    {
        QDir(data()).removeRecursively();
        use();
        QDir().mkpath(Paths::externiDir());
        QString problem;
        exchange::importCatalogue(
            exchange::Catalogue::Cassettes, m_root + QStringLiteral("/a"),
            {exportDay(0), QStringLiteral("10:00:00"), QStringLiteral("2002.A"),
             QStringLiteral("Petr")},
            [] { return true; }, [](double) {}, problem);
    }
    QStringList arguments() const override
    {
        return {QStringLiteral("import"), data(), m_root + QStringLiteral("/b"), exportDay(1)};
    }
    // The import manager's opening, what the program runs before any
    // import: work of an import cut short is cleared away.
    QString repairAtStart() override
    {
        use();
        exchange::discardStaleWork();
        return QString();
    }
    Snapshot snapshot() override
    {
        Snapshot s;
        addTable(s, QStringLiteral("catalogue"),
                 data() + QStringLiteral("/EXTERNI/VK-Petr/data.dbf"));
        addTable(s, QStringLiteral("register"), data() + QStringLiteral("/EXTERNI/Source.dbf"));
        s.insert(QStringLiteral("files"), listing(data()));
        return s;
    }
    // The register is written after the new catalogue is in place: killed
    // between the two, the new catalogue stands with the old date.
    QString judge(const Snapshot &now, const Snapshot &before, const Snapshot &after) const override
    {
        Snapshot lagging = after;
        lagging.insert(QStringLiteral("register"), before.value(QStringLiteral("register")));
        if (now == lagging)
            return QString();
        return Operation::judge(now, before, after);
    }

private:
    QString data() const { return m_root + QStringLiteral("/data"); }
    void use() const { Paths::setDataDir(data() + QLatin1Char('/')); }
};

// --- conversion of the 2001.A generation -------------------------------------

class ConversionOp : public Operation
{
public:
    using Operation::Operation;
    QString name() const override { return QStringLiteral("conversion::convert"); }
    void prepare() override
    {
        const QString old = m_root + QStringLiteral("/old/");
        QList<FieldDef> cassettes{FieldDef::string(QStringLiteral("typ_kazety"), 5),
                                  FieldDef::string(QStringLiteral("cislo"), 5)};
        for (int n = 1; n <= 5; ++n)
            cassettes << FieldDef::string(QStringLiteral("film%1").arg(n), 30)
                      << FieldDef::string(QStringLiteral("zanr%1").arg(n), 12)
                      << FieldDef::string(QStringLiteral("ry%1").arg(n), 2);
        const QList<FieldDef> loan{FieldDef::string(QStringLiteral("komu"), 15),
                                   FieldDef::string(QStringLiteral("od_kdy"), 10),
                                   FieldDef::string(QStringLiteral("pozn"), 50)};
        fill(old + QStringLiteral("data.dbf"),
             cassettes + QList<FieldDef>{FieldDef::boolean(QStringLiteral("pujceno"))} + loan, {},
             1500, 41);
        fill(old + QStringLiteral("archiv.dbf"),
             QList<FieldDef>{FieldDef::string(QStringLiteral("typ_kazety"), 5),
                             FieldDef::string(QStringLiteral("cislo"), 5)} +
                 loan,
             {}, 500, 42);
    }
    void reset() override
    {
        copyDir(m_root + QStringLiteral("/old"), data());
        QDir(work()).removeRecursively();
        QDir().mkpath(work());
        setVersion(QStringLiteral("2001.A"));
    }
    QStringList arguments() const override { return {QStringLiteral("convert"), data(), work()}; }
    QStringList wholeBeforeRepair() const override
    {
        return {QStringLiteral("data.dbf"), QStringLiteral("archiv.dbf")};
    }
    // The start finds the version of the old generation still stored and
    // converts again (the user has no other way on).
    QString repairAtStart() override
    {
        if (version() != QLatin1String("2001.A"))
            return QString();
        return conversion::convert(data(), work());
    }
    Snapshot snapshot() override
    {
        Snapshot s;
        addTable(s, QStringLiteral("data.dbf"), data() + QStringLiteral("/data.dbf"));
        addTable(s, QStringLiteral("archiv.dbf"), data() + QStringLiteral("/archiv.dbf"));
        s.insert(QStringLiteral("version"), version());
        s.insert(QStringLiteral("files"), listing(data()));
        return s;
    }

private:
    QString data() const { return m_root + QStringLiteral("/data"); }
    QString work() const { return m_root + QStringLiteral("/work"); }
    static QString version()
    {
        SettingsStore store = SettingsStore::own();
        store.sync(); // the child wrote it
        return store.readString(settings::kVersion);
    }
    static void setVersion(const QString &v)
    {
        SettingsStore store = SettingsStore::own();
        store.writeString(settings::kVersion, v);
        store.sync();
    }
};

// --- format upgrade of the intermediate generation ---------------------------

class UpgradeOp : public Operation
{
public:
    using Operation::Operation;
    QString name() const override { return QStringLiteral("upgrade::upgradeFormat"); }
    void prepare() override
    {
        const TableSchema s = conversion::intermediateCassettes();
        fill(m_root + QStringLiteral("/old/data.dbf"), s.fields, s.tags, 700, 51);
        fillList(
            m_root + QStringLiteral("/old/Users_za.nrv"),
            FieldDef::string(QStringLiteral("Zanr"), 12),
            {QStringLiteral("Akční"), QStringLiteral("Psychologick"), QStringLiteral("Western")});
    }
    void reset() override
    {
        copyDir(m_root + QStringLiteral("/old"), data());
        QDir(work()).removeRecursively();
        QDir().mkpath(work());
    }
    QStringList arguments() const override { return {QStringLiteral("upgrade"), data(), work()}; }
    // The start clears away what an upgrade stopped after its last
    // replacement left; when it finds genres of 12 characters, the first
    // activation upgrades again, first repairing what an upgrade cut short
    // left.
    QString repairAtStart() override
    {
        interrupted::undoInterrupted(data() + QLatin1Char('/'));
        Table t;
        t.setPath(data() + QStringLiteral("/data.dbf"));
        t.open(Table::Mode::ReadOnly);
        const bool narrow = t.fieldWidth(QStringLiteral("zanr1")) == 12;
        t.close();
        return narrow ? upgrade::upgradeFormat(data(), work()) : QString();
    }
    Snapshot snapshot() override
    {
        Snapshot s;
        addTable(s, QStringLiteral("data.dbf"), data() + QStringLiteral("/data.dbf"));
        addTable(s, QStringLiteral("Users_za.nrv"), data() + QStringLiteral("/Users_za.nrv"));
        s.insert(QStringLiteral("files"), listing(data()));
        return s;
    }

private:
    QString data() const { return m_root + QStringLiteral("/data"); }
    QString work() const { return m_root + QStringLiteral("/work"); }
};

// --- a CD title saved or deleted with its tracks -----------------------------

class TitleOp : public Operation
{
public:
    TitleOp(const QString &root, const QString &op) : Operation(root), m_op(op) {}
    QString name() const override { return m_op; }
    void prepare() override
    {
        const QString old = m_root + QStringLiteral("/old/");
        const TableSchema titles = schema::cdTitles();
        fill(old + titles.fileName, titles.fields, titles.tags, 200, 61);
        // Twenty tracks for every title, in the order they were entered.
        const TableSchema tracks = schema::cdTracks();
        Table::create(old + tracks.fileName, tracks.fields, tracks.tags);
        Table t;
        t.setPath(old + tracks.fileName);
        t.open();
        QRandomGenerator64 rng(62);
        inBatch(t, [&] {
            for (int title = 1; title <= 200; ++title) {
                for (int track = 1; track <= 20; ++track) {
                    t.append();
                    t.setString(0, QStringLiteral("%1").arg(title, 5, 10, QLatin1Char('0')));
                    t.setString(1, QStringLiteral("CD1"));
                    t.setInteger(2, track);
                    t.setString(3, words(rng, 50));
                    t.setInteger(4, 60 + int(rng.bounded(300)));
                    t.setString(5, QStringLiteral("Pop"));
                    t.setString(6, words(rng, 30));
                    t.post();
                }
            }
        });
        t.close();
    }
    void reset() override { copyDir(m_root + QStringLiteral("/old"), data()); }
    QStringList arguments() const override
    {
        return {m_op, data(),
                m_op == QLatin1String("cdnew") ? QStringLiteral("00500") : QStringLiteral("00120"),
                QStringLiteral("77")};
    }
    QString repairAtStart() override
    {
        const QStringList told = interrupted::undoInterrupted(data() + QLatin1Char('/'));
        for (const QString &m : told)
            if (!m.contains(QStringLiteral("byly vráceny")))
                return m;
        return QString();
    }
    Snapshot snapshot() override
    {
        Snapshot s;
        addTable(s, QStringLiteral("cd01.dbf"), data() + QStringLiteral("/cd01.dbf"));
        addTable(s, QStringLiteral("cd02.dbf"), data() + QStringLiteral("/cd02.dbf"));
        s.insert(QStringLiteral("files"), listing(data()));
        return s;
    }

private:
    QString data() const { return m_root + QStringLiteral("/data"); }
    QString m_op;
};

} // namespace

std::unique_ptr<Operation> fileCopy(const QString &root)
{
    return std::make_unique<FileCopyOp>(root);
}

std::unique_ptr<Operation> restore(const QString &root)
{
    return std::make_unique<RestoreOp>(root);
}

std::unique_ptr<Operation> backupSet(const QString &root)
{
    return std::make_unique<BackupOp>(root);
}

std::unique_ptr<Operation> exportSet(const QString &root)
{
    return std::make_unique<ExportOp>(root);
}

std::unique_ptr<Operation> import(const QString &root)
{
    return std::make_unique<ImportOp>(root);
}

std::unique_ptr<Operation> conversion(const QString &root)
{
    return std::make_unique<ConversionOp>(root);
}

std::unique_ptr<Operation> formatUpgrade(const QString &root)
{
    return std::make_unique<UpgradeOp>(root);
}

std::unique_ptr<Operation> titleChange(const QString &root, const QString &op)
{
    return std::make_unique<TitleOp>(root, op);
}

} // namespace velmora::test::crash
