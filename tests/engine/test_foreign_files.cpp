// Files that are not what a table expects (pipes, devices, sockets, links
// where a table, its memo or its index should lie), read-only opens that
// must leave someone else's medium exactly as it was, and tables that a
// spreadsheet saved without their code page mark.

#include "SmallFileSystem.h"
#include "TestEnv.h"
#include "engine/DbError.h"
#include "engine/Table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace velmora;

namespace {

QList<FieldDef> fields()
{
    return {FieldDef::string("name", 20), FieldDef::integer("num"), FieldDef::memo("note")};
}

// A table whose records are 43 bytes, so that some of them lie across a
// 4096-byte page of the file.
void fill(const QString &path, int count)
{
    Table::create(path, fields(), {QStringLiteral("name")});
    Table t;
    t.setPath(path);
    t.open();
    for (int i = 0; i < count; ++i) {
        t.append();
        t.setString("name", QStringLiteral("záznam %1").arg(i));
        t.setInteger("num", i);
        t.setString("note", QStringLiteral("poznámka %1").arg(i));
        t.post();
    }
    t.close();
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray local(const QString &path)
{
    return QFile::encodeName(path);
}

// The message of the DbError that opening path in mode throws; empty when
// the table opened.
QString refusal(const QString &path, Table::Mode mode)
{
    Table t;
    t.setPath(path);
    try {
        t.open(mode);
    } catch (const DbError &e) {
        return e.message();
    }
    return QString();
}

// The access modes (O_RDONLY, O_RDWR, ...) of this process's open
// descriptors of the file at path.
QList<int> accessModes(const QString &path)
{
    QList<int> out;
    const QString target = QFileInfo(path).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd :
         fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFileInfo(fds.filePath(fd)).symLinkTarget() != target)
            continue;
        QFile info(QStringLiteral("/proc/self/fdinfo/") + fd);
        if (!info.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : info.readAll().split('\n'))
            if (line.startsWith("flags:"))
                out << (line.mid(6).trimmed().toInt(nullptr, 8) & O_ACCMODE);
    }
    return out;
}

// Something that is not a regular file, made at a path: a named pipe (kept
// open for writing by the test, with bytes waiting in it, so that a reader
// that wrongly opens it reads and does not hang), a device node (the null
// device), a socket, a directory.
class Oddity
{
public:
    enum Kind
    {
        Pipe,
        Device,
        Socket,
        Directory
    };
    Oddity(Kind kind, const QString &path) : m_kind(kind), m_path(path)
    {
        const QByteArray p = local(path);
        switch (kind) {
        case Pipe:
            if (::mkfifo(p.constData(), 0600) == 0) {
                m_fd = ::open(p.constData(), O_RDWR | O_NONBLOCK);
                const QByteArray junk(200, '\x03');
                m_made = m_fd >= 0 && ::write(m_fd, junk.constData(), size_t(junk.size())) > 0;
            }
            break;
        case Device:
            m_made = ::mknod(p.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
            break;
        case Socket: {
            m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            if (m_fd >= 0 && size_t(p.size()) < sizeof addr.sun_path) {
                std::memcpy(addr.sun_path, p.constData(), size_t(p.size()));
                m_made = ::bind(m_fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
            }
            break;
        }
        case Directory:
            m_made = QDir().mkdir(path);
            break;
        }
    }
    ~Oddity()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (m_kind == Directory)
            QDir(m_path).removeRecursively();
        else
            ::unlink(local(m_path).constData());
    }
    bool made() const { return m_made; }

private:
    Kind m_kind;
    QString m_path;
    int m_fd = -1;
    bool m_made = false;
};

const char *kindWord(Oddity::Kind kind)
{
    switch (kind) {
    case Oddity::Pipe:
        return "roura";
    case Oddity::Device:
        return "zařízení";
    case Oddity::Socket:
        return "soket";
    case Oddity::Directory:
        return "adresář";
    }
    return "";
}

class ForeignFilesTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("t.dbf")) const { return env.file(name); }
    test::TestEnv env;
};

} // namespace

TEST_F(ForeignFilesTest, SomethingOtherThanAFileWhereATableItsMemoOrIndexLiesIsRefusedByName)
{
    const Oddity::Kind kinds[] = {Oddity::Pipe, Oddity::Device, Oddity::Socket, Oddity::Directory};
    // Where the odd thing stands: the table itself, its memo file, its index.
    const std::function<QString(const QString &)> places[] = {
        [](const QString &table) { return table; },
        [](const QString &table) { return Table::memoPath(table); },
        [](const QString &table) { return Table::indexPath(table); },
    };
    for (Oddity::Kind kind : kinds) {
        for (int place = 0; place < 3; ++place) {
            const QString table = path(QStringLiteral("k%1p%2.dbf").arg(int(kind)).arg(place));
            const QString odd = places[place](table);
            if (place > 0)
                fill(table, 3);
            QFile::remove(odd);
            Oddity oddity(kind, odd);
            if (!oddity.made()) {
                ADD_FAILURE() << "could not make " << kindWord(kind) << " at " << odd.toStdString();
                continue;
            }
            for (Table::Mode mode : {Table::Mode::ReadOnly, Table::Mode::ReadWrite}) {
                SCOPED_TRACE(QStringLiteral("%1 at %2, mode %3")
                                 .arg(QString::fromUtf8(kindWord(kind)), odd)
                                 .arg(int(mode))
                                 .toStdString());
                const QString why = refusal(table, mode);
                EXPECT_TRUE(why.contains(odd)) << why.toStdString();
                EXPECT_TRUE(why.contains(QStringLiteral("není obyčejný soubor")))
                    << why.toStdString();
                EXPECT_TRUE(why.contains(QString::fromUtf8(kindWord(kind)))) << why.toStdString();
            }
        }
    }
}

TEST_F(ForeignFilesTest, ReadOnlyOpensFollowNoLinkWhileOwnTablesMayBeLinksToFiles)
{
    const QString real = path(QStringLiteral("skutecna.dbf"));
    fill(real, 3);
    const QString link = path(QStringLiteral("odkaz.dbf"));
    ASSERT_TRUE(QFile::link(real, link));

    // A table of someone else's medium is read where it lies, or not at all.
    const QString why = refusal(link, Table::Mode::ReadOnly);
    EXPECT_TRUE(why.contains(link)) << why.toStdString();
    EXPECT_TRUE(why.contains(QStringLiteral("symbolický odkaz"))) << why.toStdString();

    // The same for its memo file and its index, the table being a file.
    const QString other = path(QStringLiteral("jina.dbf"));
    fill(other, 2);
    for (const QString &side : {Table::memoPath(other), Table::indexPath(other)}) {
        QFile::remove(side);
        ASSERT_TRUE(QFile::link(Table::memoPath(real), side));
        const QString sideWhy = refusal(other, Table::Mode::ReadOnly);
        EXPECT_TRUE(sideWhy.contains(side)) << sideWhy.toStdString();
        EXPECT_TRUE(sideWhy.contains(QStringLiteral("symbolický odkaz"))) << sideWhy.toStdString();
        QFile::remove(side);
    }

    // One's own table may be kept elsewhere through links to its files: it
    // is read and written there.
    ASSERT_TRUE(QFile::link(Table::memoPath(real), Table::memoPath(link)));
    Table own;
    own.setPath(link);
    own.open();
    EXPECT_EQ(own.recordCount(), 3);
    own.append();
    own.setString("name", QStringLiteral("přes odkaz"));
    own.setString("note", QStringLiteral("poznámka přes odkaz"));
    own.post();
    own.close();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    Table check;
    check.setPath(real);
    check.open(Table::Mode::ReadOnly);
    ASSERT_TRUE(check.locate("name", QStringLiteral("přes odkaz")));
    EXPECT_EQ(check.asString("note"), QStringLiteral("poznámka přes odkaz"));

    // A link that ends at a pipe is refused in every mode.
    const QString pipeLink = path(QStringLiteral("roura.dbf"));
    Oddity pipe(Oddity::Pipe, path(QStringLiteral("roura")));
    ASSERT_TRUE(pipe.made());
    ASSERT_TRUE(QFile::link(path(QStringLiteral("roura")), pipeLink));
    const QString pipeWhy = refusal(pipeLink, Table::Mode::ReadWrite);
    EXPECT_TRUE(pipeWhy.contains(QStringLiteral("není obyčejný soubor"))) << pipeWhy.toStdString();
}

TEST_F(ForeignFilesTest, AMemoFileLinkedToAnEndlessDeviceIsRefusedAndMemosEndWithTheirFile)
{
    const QString table = path();
    fill(table, 2);
    const QString memo = Table::memoPath(table);
    const QByteArray memoBytes = bytesOf(memo);
    QFile::remove(memo);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), memo));
    // The table is refused before a memo is read: /dev/zero never ends.
    for (Table::Mode mode : {Table::Mode::ReadOnly, Table::Mode::ReadWrite}) {
        const QString why = refusal(table, mode);
        EXPECT_TRUE(why.contains(memo)) << why.toStdString();
    }

    // A memo text without its end marker ends where the memo file ends.
    QFile::remove(memo);
    QByteArray cut = memoBytes;
    const int second = 2 * 512; // the text of the second record starts in block 2
    cut.truncate(second);
    cut += QByteArray(300000, 'x');
    writeBytes(memo, cut);
    Table t;
    t.setPath(table);
    t.open(Table::Mode::ReadOnly);
    ASSERT_TRUE(t.locate("num", 1));
    EXPECT_EQ(t.asString("note"), QString(300000, QLatin1Char('x')));
}

namespace {

// The note a program killed in the middle of rewriting a record leaves
// beside the table: magic line, identity of the table file (device and
// inode), offset and length of the record, its old bytes, its new bytes and
// an FNV-1a checksum of all before it, numbers little-endian.
QByteArray postNote(const QString &table, qint64 offset, const QByteArray &oldBytes,
                    const QByteArray &newBytes)
{
    struct stat st;
    EXPECT_EQ(::stat(local(table).constData(), &st), 0);
    const quint64 identity = (quint64(st.st_dev) << 40) ^ quint64(st.st_ino);
    QByteArray note("VELMORA POST 1\n");
    auto put = [&note](quint64 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            note.append(char(v >> (8 * i)));
    };
    put(identity, 8);
    put(quint64(offset), 8);
    put(quint64(oldBytes.size()), 4);
    note += oldBytes;
    note += newBytes;
    quint64 h = 1469598103934665603ull;
    for (char c : note) {
        h ^= quint8(c);
        h *= 1099511628211ull;
    }
    put(h, 8);
    return note;
}

struct PlantedPost
{
    QByteArray table; // the table's bytes with the note planted
    QByteArray note;
    QByteArray fresh; // the record the note would write
    int record = -1;
};

// A table with a note of a rewrite of a record that lies across a page
// boundary, the record still holding its old bytes.
PlantedPost plantPost(const QString &table)
{
    fill(table, 200);
    const QByteArray bytes = bytesOf(table);
    const int headerSize = uint8_t(bytes[8]) | (uint8_t(bytes[9]) << 8);
    const int recordSize = uint8_t(bytes[10]) | (uint8_t(bytes[11]) << 8);
    PlantedPost p;
    for (int rec = 0; rec < 200; ++rec) {
        const qint64 start = headerSize + qint64(rec) * recordSize;
        if (start / 4096 != (start + recordSize - 1) / 4096) {
            p.record = rec;
            const QByteArray old = bytes.mid(start, recordSize);
            p.fresh = old;
            p.fresh.replace(1, 9, QByteArray("PREPSANO!"));
            p.note = postNote(table, start, old, p.fresh);
            break;
        }
    }
    EXPECT_GE(p.record, 0);
    writeBytes(table + QStringLiteral(".post"), p.note);
    p.table = bytesOf(table);
    return p;
}

} // namespace

TEST_F(ForeignFilesTest, AReadOnlyOpenWritesNothingAndLeavesAForeignPostNoteAsItIs)
{
    const QString table = path();
    const PlantedPost planted = plantPost(table);
    ASSERT_GE(planted.record, 0);
    const QString note = table + QStringLiteral(".post");
    const QByteArray memo = bytesOf(Table::memoPath(table));

    {
        Table t;
        t.setPath(table);
        t.open(Table::Mode::ReadOnly);
        EXPECT_TRUE(t.isReadOnly());
        // The file is held open for reading only, the memo file too.
        EXPECT_EQ(accessModes(table), QList<int>{O_RDONLY});
        EXPECT_EQ(accessModes(Table::memoPath(table)), QList<int>{O_RDONLY});
        EXPECT_EQ(t.recordCount(), 200);
        t.moveToRecord(planted.record);
        EXPECT_EQ(t.asString("name"), QStringLiteral("záznam %1").arg(planted.record));
        EXPECT_THROW(t.append(), DbError);
        t.close();
    }
    EXPECT_EQ(bytesOf(table), planted.table);
    EXPECT_EQ(bytesOf(note), planted.note);
    EXPECT_EQ(bytesOf(Table::memoPath(table)), memo);

    // One's own table, opened to be written, finishes the rewrite the note
    // describes and lets the note go.
    Table own;
    own.setPath(table);
    own.open();
    EXPECT_FALSE(QFileInfo::exists(note));
    own.moveToRecord(planted.record);
    EXPECT_TRUE(own.asString("name").startsWith(QStringLiteral("PREPSANO!")))
        << own.asString("name").toStdString();
}

TEST_F(ForeignFilesTest, AReadOnlyHandleGainsNoWriteAccessFromAWriterOfTheSameFile)
{
    const QString table = path();
    fill(table, 3);
    Table reader;
    reader.setPath(table);
    reader.open(Table::Mode::ReadOnly);
    EXPECT_EQ(accessModes(table), QList<int>{O_RDONLY});

    // A writer opened afterwards writes, and the reader sees it.
    Table writer;
    writer.setPath(table);
    writer.open();
    EXPECT_FALSE(writer.isReadOnly());
    writer.append();
    writer.setString("name", QStringLiteral("od zapisovatele"));
    writer.setString("note", QStringLiteral("poznámka zapisovatele"));
    writer.post();
    ASSERT_TRUE(writer.locate("num", 1));
    writer.edit();
    writer.setString("name", QStringLiteral("opraveno"));
    writer.post();
    EXPECT_EQ(reader.recordCount(), 4);
    ASSERT_TRUE(reader.locate("name", QStringLiteral("od zapisovatele")));
    EXPECT_EQ(reader.asString("note"), QStringLiteral("poznámka zapisovatele"));
    ASSERT_TRUE(reader.locate("num", 1));
    EXPECT_EQ(reader.asString("name"), QStringLiteral("opraveno"));

    // The reader stays a reader, before and after the writer goes.
    EXPECT_TRUE(reader.isReadOnly());
    EXPECT_THROW(reader.edit(), DbError);
    writer.close();
    EXPECT_THROW(reader.append(), DbError);
    EXPECT_EQ(reader.recordCount(), 4);

    // And a writer opened first shares nothing of its access either.
    Table second;
    second.setPath(table);
    second.open();
    Table late;
    late.setPath(table);
    late.open(Table::Mode::ReadOnly);
    EXPECT_TRUE(late.isReadOnly());
    EXPECT_THROW(late.deleteRecord(), DbError);
}

TEST_F(ForeignFilesTest, TablesOnAReadOnlyMediumOpenAndReadWithTheirNoteLeftAlone)
{
    test::SmallFileSystem medium(QStringLiteral("4m"));
    if (!medium.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString table = medium.path() + QStringLiteral("/data.dbf");
    const PlantedPost planted = plantPost(table);
    ASSERT_GE(planted.record, 0);
    ASSERT_TRUE(medium.makeReadOnly());

    for (Table::Mode mode : {Table::Mode::ReadOnly, Table::Mode::ReadWrite}) {
        Table t;
        t.setPath(table);
        t.open(mode);
        EXPECT_TRUE(t.isReadOnly());
        EXPECT_EQ(t.recordCount(), 200);
        ASSERT_TRUE(t.locate("num", 199));
        EXPECT_EQ(t.asString("note"), QStringLiteral("poznámka 199"));
        t.close();
    }
    EXPECT_EQ(bytesOf(table), planted.table);
    EXPECT_EQ(bytesOf(table + QStringLiteral(".post")), planted.note);
    EXPECT_EQ(QDir(medium.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"data.dbf", "data.dbf.post", "data.dbt"}));
}

namespace {

QString python(const QString &script, const QStringList &args)
{
    int rc = -1;
    const QString out = test::runProgram(QStringLiteral("/usr/bin/python3"),
                                         QStringList{QStringLiteral("-c"), script} + args, &rc);
    EXPECT_EQ(rc, 0) << out.toStdString();
    return out;
}

// The encoding dbfread takes from the table's mark, and the titles it reads
// with it ("error" when it cannot decode them).
QJsonObject dbfreadView(const QString &path)
{
    return QJsonDocument::fromJson(python(QStringLiteral(R"(
import sys, json
from dbfread import DBF
t = DBF(sys.argv[1], char_decode_errors='strict')
try:
    titles = [r['TITUL'] for r in t]
except UnicodeDecodeError:
    titles = 'error'
print(json.dumps({'encoding': t.encoding, 'titles': titles}, ensure_ascii=False))
)"),
                                          {path})
                                       .toUtf8())
        .object();
}

uint8_t mark(const QString &path)
{
    return uint8_t(bytesOf(path).at(29));
}

} // namespace

TEST_F(ForeignFilesTest, ATableSavedWithoutItsCodePageMarkReadsAsCp1250AndGetsItOnTheFirstWrite)
{
    // As a spreadsheet leaves it: Czech text in code page 1250, mark 0.
    const QString table = path(QStringLiteral("tabulka.dbf"));
    python(QStringLiteral(R"(
import sys, dbf
dbf.Table(sys.argv[1], 'cislo C(5); titul C(30)', dbf_type='db3', codepage='ascii').close()
t = dbf.Table(sys.argv[1], codepage='cp1250')
t.open(dbf.READ_WRITE)
for n, title in (('1', 'Žluťoučký kůň'), ('10', 'Ďábelské ódy'), ('100', 'Příliš')):
    t.append((n, title))
t.close()
)"),
           {table});
    ASSERT_EQ(mark(table), 0);
    EXPECT_EQ(dbfreadView(table)["titles"].toString(), "error");

    Table t;
    t.setPath(table);
    t.open(Table::Mode::ReadOnly);
    EXPECT_EQ(t.asString("titul"), QStringLiteral("Žluťoučký kůň"));
    t.close();
    EXPECT_EQ(mark(table), 0); // reading leaves it as it is

    t.open();
    EXPECT_EQ(mark(table), 0); // so does opening to write
    ASSERT_TRUE(t.locate("cislo", QStringLiteral("10")));
    t.edit();
    t.setString("cislo", QStringLiteral("00010"));
    t.post();
    EXPECT_EQ(mark(table), 0xC8); // the mark of code page 1250, as our own tables carry
    t.append();
    t.setString("cislo", QStringLiteral("00200"));
    t.setString("titul", QStringLiteral("Úpění"));
    t.post();
    t.close();

    const QJsonObject view = dbfreadView(table);
    EXPECT_EQ(view["encoding"].toString(), "cp1250");
    EXPECT_EQ(view["titles"].toVariant().toStringList(),
              (QStringList{QStringLiteral("Žluťoučký kůň"), QStringLiteral("Ďábelské ódy"),
                           QStringLiteral("Příliš"), QStringLiteral("Úpění")}));
    // Python's dbf reads it without being told the code page, too.
    EXPECT_EQ(python(QStringLiteral("import sys, dbf\n"
                                    "t = dbf.Table(sys.argv[1])\n"
                                    "t.open()\n"
                                    "print(t.codepage.name, t[1].titul.strip())\n"),
                     {table})
                  .trimmed(),
              QStringLiteral("cp1250 Ďábelské ódy"));
}
