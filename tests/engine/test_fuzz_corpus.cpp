// Replays the fuzzer's seed corpus (fuzz/corpus) through the same exercise
// the fuzzer runs, so every build, with any compiler, reads every seed.

#include "../../fuzz/FuzzExercise.h"

#include "TestEnv.h"
#include "engine/Table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

struct Seed
{
    QString name;
    QByteArray bytes;
    bool valid() const { return name.startsWith(QLatin1String("valid_")); }
};

QList<Seed> corpus()
{
    QList<Seed> out;
    const QDir dir(QStringLiteral(VELMORA_SOURCE_DIR "/fuzz/corpus"));
    for (const QFileInfo &fi : dir.entryInfoList(QDir::Files, QDir::Name)) {
        QFile f(fi.filePath());
        if (f.open(QIODevice::ReadOnly))
            out.append({fi.fileName(), f.readAll()});
    }
    return out;
}

Seed seed(const QString &name)
{
    for (const Seed &s : corpus())
        if (s.name == name)
            return s;
    ADD_FAILURE() << "no seed " << name.toStdString();
    return {};
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

} // namespace

TEST(FuzzCorpus, EverySeedRunsWithoutEngineFault)
{
    test::TestEnv env;
    const QList<Seed> seeds = corpus();
    ASSERT_GE(seeds.size(), 12) << "the seed corpus is missing";
    int valid = 0;
    for (const Seed &s : seeds) {
        SCOPED_TRACE(s.name.toStdString());
        const auto in = fuzzing::splitInput(s.bytes);
        // Tables with a memo file are read from files too, as the fuzzer does.
        const auto out = fuzzing::exerciseBoth(env.dataDir(), in.dbf, in.dbt);
        EXPECT_TRUE(out.faults.isEmpty()) << out.faults.join(QLatin1Char('\n')).toStdString();
        if (s.valid()) {
            ++valid;
            EXPECT_TRUE(out.opened) << out.openError.toStdString();
            EXPECT_GT(out.fields, 0);
        }
        if (!out.opened) {
            EXPECT_TRUE(out.openError.contains(QLatin1String("memory.dbf")))
                << "the error names no file: " << out.openError.toStdString();
        }
    }
    EXPECT_GE(valid, 8);
}

// The same bytes read from files on disk and from memory give the same table.
TEST(FuzzCorpus, ValidSeedsReadAlikeFromFilesAndMemory)
{
    test::TestEnv env;
    for (const Seed &s : corpus()) {
        if (!s.valid())
            continue;
        SCOPED_TRACE(s.name.toStdString());
        const auto in = fuzzing::splitInput(s.bytes);
        const auto fromMemory = fuzzing::exerciseMemory(in.dbf, in.dbt);

        const QString path =
            env.file(QFileInfo(s.name).completeBaseName() + QStringLiteral(".dbf"));
        writeFile(path, in.dbf);
        if (!in.dbt.isEmpty())
            writeFile(Table::memoPath(path), in.dbt);
        fuzzing::Outcome fromFile;
        {
            Table t(QStringLiteral("Seed"));
            t.setPath(path);
            ASSERT_NO_THROW(t.open(Table::Mode::ReadOnly));
            fuzzing::exercise(t, fromFile);
        }
        EXPECT_TRUE(fromFile.faults.isEmpty())
            << fromFile.faults.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(fromFile.fields, fromMemory.fields);
        EXPECT_EQ(fromFile.records, fromMemory.records);
        EXPECT_EQ(fromFile.digest, fromMemory.digest);
        // Reading changes nothing in the files.
        QFile back(path);
        ASSERT_TRUE(back.open(QIODevice::ReadOnly));
        EXPECT_EQ(back.readAll(), in.dbf);
    }
}

// The seeds hold what their names promise, so the fuzzer starts from real
// tables of every kind and not from files the engine refuses.
TEST(FuzzCorpus, SeedsHoldWhatTheyDescribe)
{
    struct Expect
    {
        const char *seed;
        int records;
        int fields;
    };
    const Expect expected[] = {
        {"valid_db3_plain.bin", 5, 5},  {"valid_db3_cp852.bin", 3, 1},
        {"valid_db3_memo.bin", 4, 2},   {"valid_db3_memo_missing.bin", 4, 2},
        {"valid_db4_memo.bin", 2, 2},   {"valid_level7.bin", 3, 8},
        {"valid_cassettes.bin", 3, 52}, {"valid_db3_longchar.bin", 1, 2},
        {"valid_db3_empty.bin", 0, 5},  {"valid_db3_memo_binary_block.bin", 2, 1},
    };
    for (const Expect &e : expected) {
        SCOPED_TRACE(e.seed);
        const auto in = fuzzing::splitInput(seed(QString::fromLatin1(e.seed)).bytes);
        const auto out = fuzzing::exerciseMemory(in.dbf, in.dbt);
        ASSERT_TRUE(out.opened) << out.openError.toStdString();
        EXPECT_EQ(out.records, e.records);
        EXPECT_EQ(out.fields, e.fields);
    }

    Table t;
    auto open = [&t](const char *name) {
        const auto in = fuzzing::splitInput(seed(QString::fromLatin1(name)).bytes);
        t.setIndex(QString()); // the handle keeps its index across files
        t.openFromMemory(in.dbf, in.dbt);
    };

    open("valid_cassettes.bin");
    EXPECT_EQ(t.tags(), (QStringList{QStringLiteral("CISLO"), QStringLiteral("KOMU")}));
    t.setIndex(QStringLiteral("cislo"));
    t.first();
    EXPECT_EQ(t.asString(QStringLiteral("cislo")), QStringLiteral("00001"));
    ASSERT_TRUE(t.locate(QStringLiteral("cislo"), QStringLiteral("00010")));
    EXPECT_EQ(t.asString(QStringLiteral("komu")), QStringLiteral("Žvan"));
    EXPECT_EQ(t.asString(QStringLiteral("P_film1")), QStringLiteral("Druhý díl, konec chybí"));
    EXPECT_EQ(t.asString(QStringLiteral("film1")), QStringLiteral("Pelíšky"));
    EXPECT_EQ(t.asInteger(QStringLiteral("cas1")), 115);
    EXPECT_EQ(t.asDate(QStringLiteral("datum1")), QDate(2001, 9, 15));
    EXPECT_TRUE(t.asBoolean(QStringLiteral("pujceno")));
    EXPECT_TRUE(t.isNull(QStringLiteral("film2")));

    open("valid_level7.bin");
    EXPECT_EQ(t.asInteger(QStringLiteral("Cislo")), 1);
    EXPECT_EQ(t.value(QStringLiteral("Cena")).toDouble(), 199.5);
    EXPECT_EQ(t.asDateTime(QStringLiteral("Kdy")), QDateTime(QDate(2002, 2, 1), QTime(12, 30)));
    EXPECT_EQ(t.asString(QStringLiteral("Nazev s dlouhym jmenem pole")),
              QStringLiteral("Český název"));
    EXPECT_EQ(t.asString(QStringLiteral("Poznamka")), QStringLiteral("Uložená poznámka"));
    t.next();
    EXPECT_EQ(t.asInteger(QStringLiteral("Cislo")), -5);
    EXPECT_EQ(t.value(QStringLiteral("Cena")).toDouble(), -3.25);
    EXPECT_TRUE(t.isNull(QStringLiteral("Kdy")));
    EXPECT_EQ(t.asString(QStringLiteral("Poznamka")), QString(100, QLatin1Char('x')));

    open("valid_db4_memo.bin");
    t.last();
    EXPECT_EQ(t.asString(QStringLiteral("TEXT")), QStringLiteral("Druhá a delší ").repeated(10));

    open("valid_db3_memo.bin");
    t.next();
    EXPECT_EQ(t.asString(QStringLiteral("TEXT")), QStringLiteral("Dlouhá ").repeated(90));

    open("valid_db3_memo_missing.bin");
    EXPECT_TRUE(t.asString(QStringLiteral("TEXT")).isEmpty());

    open("valid_db3_cp852.bin");
    EXPECT_EQ(t.asString(0), QStringLiteral("Čížek"));

    open("valid_db3_longchar.bin");
    EXPECT_EQ(t.asString(QStringLiteral("TEXT")).size(), 292);
    EXPECT_TRUE(t.asString(QStringLiteral("TEXT")).endsWith(QLatin1String("konec")));
}

TEST(FuzzCorpus, BrokenHeadersAreRefused)
{
    for (const char *name :
         {"damaged_truncated_header.bin", "damaged_bad_version.bin", "damaged_header_past_end.bin",
          "damaged_field_past_record.bin", "damaged_zero_length_field.bin"}) {
        SCOPED_TRACE(name);
        const auto in = fuzzing::splitInput(seed(QString::fromLatin1(name)).bytes);
        const auto out = fuzzing::exerciseMemory(in.dbf, in.dbt);
        EXPECT_FALSE(out.opened);
    }
}
