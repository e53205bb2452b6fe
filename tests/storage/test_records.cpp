// The cassette records read and written through their columns, against
// rows that another writer made field by field and against dbfread; the
// loan columns of the CD titles; the overdue rule; the user lists.

#include "CassetteRows.h"
#include "TestEnv.h"
#include "engine/DbError.h"
#include "storage/DateText.h"
#include "storage/Overdue.h"
#include "storage/Schemas.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

QString catalogue(const test::TestEnv &env, const TableSchema &s = schema::cassettes())
{
    const QString path = env.file(s.fileName);
    Table::create(path, s.fields, s.tags);
    return path;
}

CassetteRecord fullCassette()
{
    CassetteRecord c;
    c.type = "E 180";
    c.number = "00042";
    for (int n = 0; n < kCassetteSlots; ++n) {
        CassetteSlot &s = c.recordings[size_t(n)];
        s.title = QStringLiteral("Příběh %1").arg(n + 1);
        s.genre = "Drama";
        s.speed = n % 2 ? "LP" : "SP";
        s.length = 10 * (n + 1);
        s.source = "ČT 1";
        s.date = QDate(2002, 5, n + 1);
        s.start = 100 * n;
        s.end = 100 * n + 10;
        s.note = QStringLiteral("první řádek\nslot %1").arg(n + 1);
    }
    c.loan = {true, "Novák", "02.03.2002", 14};
    c.note = "Neuzavřená kazeta, možnost dohrátí";
    return c;
}

bool sameContent(const CassetteRecord &a, const CassetteRecord &b)
{
    if (a.type != b.type || a.note != b.note)
        return false;
    for (int n = 0; n < kCassetteSlots; ++n) {
        const CassetteSlot &x = a.recordings[size_t(n)];
        const CassetteSlot &y = b.recordings[size_t(n)];
        if (x.title != y.title || x.genre != y.genre || x.speed != y.speed ||
            x.length != y.length || x.source != y.source || x.date != y.date ||
            x.start != y.start || x.end != y.end || x.note != y.note)
            return false;
    }
    return true;
}

} // namespace

TEST(CassetteRecords, ReadsEveryFieldOfARowAnotherWriterMade)
{
    test::TestEnv env;
    const QString path = catalogue(env);
    const CassetteRecord written = fullCassette();
    test::appendCassette(written, path);
    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    t.first();
    const CassetteRecord r = readCassette(t);
    EXPECT_EQ(r.number, "00042");
    EXPECT_TRUE(sameContent(r, written));
    EXPECT_EQ(r.recordings[4].note, "první řádek\nslot 5");
    EXPECT_TRUE(r.loan.lent);
    EXPECT_EQ(r.loan.borrower, "Novák");
    EXPECT_EQ(r.loan.since, "02.03.2002");
    EXPECT_EQ(r.loan.days, 14);
}

TEST(CassetteRecords, NewAndEditedCassettesAsDbfreadSeesThem)
{
    test::TestEnv env;
    const QString path = catalogue(env);
    CassetteRecord c = fullCassette();
    c.recordings[1].date = QDate(); // an unread date stays empty
    Table t;
    t.setPath(path);
    t.open();
    const CassetteColumns columns(t);
    t.append();
    columns.writeNew(t, c);
    t.post();

    // An edit changes the content and leaves the number and the loan alone.
    t.first();
    const Loan loan{true, "Dvořák", "01.01.2001", 3};
    t.edit();
    columns.loan.write(t, loan);
    t.post();
    CassetteRecord edited = c;
    edited.number = "99999";
    edited.type = "E 240";
    edited.recordings[0].title = "Jiný";
    t.edit();
    columns.writeContent(t, edited);
    t.post();
    const CassetteRecord back = columns.read(t);
    EXPECT_TRUE(sameContent(back, edited));
    EXPECT_EQ(back.number, "00042");
    EXPECT_EQ(back.loan.borrower, "Dvořák");
    EXPECT_EQ(back.loan.days, 3);
    t.close();

    int rc = -1;
    const QString out =
        test::runProgram("/usr/bin/python3",
                         {"-c",
                          "import sys, json\nfrom dbfread import DBF\n"
                          "r = next(iter(DBF(sys.argv[1], encoding='cp1250', lowernames=True)))\n"
                          "print(json.dumps({k: (v.isoformat() if hasattr(v, 'isoformat') else v) "
                          "for k, v in r.items()}, ensure_ascii=False))",
                          path},
                         &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
    const QJsonObject row = QJsonDocument::fromJson(out.toUtf8()).object();
    ASSERT_FALSE(row.isEmpty()) << out.toStdString();
    EXPECT_EQ(row["cislo"].toString(), "00042");
    EXPECT_EQ(row["t_kazety"].toString(), "E 240");
    EXPECT_EQ(row["film1"].toString(), "Jiný");
    EXPECT_EQ(row["zdroj3"].toString(), "ČT 1");
    EXPECT_EQ(row["cas5"].toInt(), 50);
    EXPECT_EQ(row["datum1"].toString(), "2002-05-01");
    EXPECT_TRUE(row["datum2"].isNull());
    EXPECT_EQ(row["p_film2"].toString(), "první řádek\nslot 2");
    EXPECT_EQ(row["pujceno"].toBool(), true);
    EXPECT_EQ(row["komu"].toString(), "Dvořák");
}

TEST(CassetteRecords, ATableWithoutAFieldIsNamedWhenResolved)
{
    test::TestEnv env;
    TableSchema s = schema::cassettes();
    s.fields.removeIf([](const FieldDef &f) { return f.name == "E_Time4"; });
    const QString path = catalogue(env, s);
    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    try {
        const CassetteColumns columns(t);
        FAIL() << "a missing field was not noticed";
    } catch (const DbError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("E_Time4")) << e.what();
    }
}

TEST(Loans, CdTitlesShareTheLoanColumnsAndTheOverdueRule)
{
    test::TestEnv env;
    const QString path = catalogue(env, schema::cdTitles());
    const QDate today(2024, 3, 16);
    Table t;
    t.setPath(path);
    t.open();
    const LoanColumns loan(t);
    for (const Loan &l : {Loan{true, "A", shortDate(QDate(2024, 3, 1)), 14},  // 15 days: over
                          Loan{true, "B", shortDate(QDate(2024, 3, 2)), 14},  // 14 days: not yet
                          Loan{false, "C", shortDate(QDate(2020, 1, 1)), 1}}) // at home
    {
        t.append();
        loan.write(t, l);
        t.post();
    }
    EXPECT_EQ(countOverdue(t, today), 1);
    EXPECT_EQ(countOverdue(t, today.addDays(-1)), 0);
    EXPECT_EQ(countOverdue(t, today.addDays(1)), 2);

    // A start that is no date cannot be judged: it is not counted, and the
    // other loans still are.
    t.first();
    t.edit();
    t.setString(loan.since, "pondělí");
    t.post();
    EXPECT_EQ(countOverdue(t, today), 0);
    EXPECT_EQ(countOverdue(t, today.addDays(1)), 1);
    t.first();
    EXPECT_EQ(loanTerm(loan.read(t), today), LoanTerm::Unreadable);
}

TEST(UserLists, EntriesInTheTablesOrderAndTheTableClosedAfter)
{
    test::TestEnv env;
    const TableSchema s = schema::userList(UserList::Genres);
    const QString path = env.file(s.fileName);
    Table::create(path, s.fields, s.tags);
    Table list;
    list.setPath(path);
    list.open();
    for (const char *g : {"Western", "Akční", "Drama"}) {
        list.append();
        list.setString(0, QString::fromUtf8(g));
        list.post();
    }
    list.close();
    EXPECT_EQ(readUserList(list), (QStringList{"Western", "Akční", "Drama"}));
    EXPECT_FALSE(list.isOpen());
}
