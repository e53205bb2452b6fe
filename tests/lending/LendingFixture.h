#pragma once

// A prepared program for the lending tests: cassettes, CD titles and
// archive rows written straight into the tables, the lending commands run
// as the menus run them, and the archives read back through dbfread.

#include "AppFixture.h"
#include "loans/LoanBook.h"
#include "storage/CdRecords.h"
#include "storage/DateText.h"
#include "storage/LoanRecords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace velmora::test {

class LendingFixture : public AppFixture
{
protected:
    void SetUp() override
    {
        start();
        user.shown.clear();
        user.events.clear();
        user.screens.clear();
    }

    static QString today() { return shortDate(QDate::currentDate()); }
    static QString daysAgo(int days) { return shortDate(QDate::currentDate().addDays(-days)); }

    // A cassette with films "<number> film <n>" (genre "Drama") in the
    // first `films` slots and a loan.
    void cassette(const QString &number, const Loan &loan = {}, int films = 2,
                  const QString &type = QStringLiteral("E 180"))
    {
        CassetteRecord c;
        c.type = type;
        c.number = number;
        for (int n = 0; n < films; ++n) {
            c.recordings[size_t(n)].title =
                number + QStringLiteral(" film ") + QString::number(n + 1);
            c.recordings[size_t(n)].genre = QStringLiteral("Drama");
        }
        c.loan = loan;
        c.note = QStringLiteral("pozn ") + number;
        appendCassette(c);
    }

    void cdTitle(const QString &number, const QString &title, const Loan &loan = {},
                 const QString &size = QStringLiteral("700"))
    {
        CdTitle r;
        r.size = size;
        r.number = number;
        r.title = title;
        r.artist = QStringLiteral("Zpěvák");
        r.loan = loan;
        r.note = QStringLiteral("pozn ") + number;
        appendCdTitle(r);
    }

    // Tracks 1..count of a disc.
    void disc(const QString &number, const QString &label, int count)
    {
        QList<CdTrack> tracks;
        for (int n = 1; n <= count; ++n)
            tracks.append({number, label, n,
                           label + QStringLiteral(" skladba ") + QString::number(n), 60,
                           QStringLiteral("Pop"), QString()});
        appendCdTracks(tracks);
    }

    static QString archivePath(ItemKind kind)
    {
        return Paths::dataFile(kind == ItemKind::Cd ? QStringLiteral("archivcd.dbf")
                                                    : QStringLiteral("archiv.dbf"));
    }

    void archived(ItemKind kind, const QString &number, const QString &borrower,
                  const QString &since = QStringLiteral("01.02.2002"),
                  const QString &note = QStringLiteral("Vrácení: 10.02.2002"),
                  const QString &title = QString())
    {
        Table t;
        t.setPath(archivePath(kind));
        t.open();
        const ArchiveColumns c(t);
        t.append();
        c.write(t, {kind == ItemKind::Cd ? QStringLiteral("700") : QStringLiteral("E 180"), number,
                    title, borrower, since, note});
        t.post();
    }

    // The loan fields of an item as stored: "lent|borrower|since|days".
    static QString loanOf(ItemKind kind, const QString &number)
    {
        Table t;
        t.setPath(Paths::dataFile(kind == ItemKind::Cd ? QStringLiteral("cd01.dbf")
                                                       : QStringLiteral("data.dbf")));
        t.open(Table::Mode::ReadOnly);
        const QString field =
            kind == ItemKind::Cd ? QStringLiteral("Cislocd") : QStringLiteral("cislo");
        if (!t.locate(field, number))
            return QStringLiteral("missing");
        const Loan l = LoanColumns(t).read(t);
        return QStringLiteral("%1|%2|%3|%4")
            .arg(l.lent ? "T" : "F", l.borrower, l.since)
            .arg(l.days);
    }

    // The archive as dbfread reads it: one "number|borrower|since|note"
    // (with "|title" for CDs) per row in file order.
    static QStringList dbfreadArchive(ItemKind kind)
    {
        const bool cd = kind == ItemKind::Cd;
        const QString script = QStringLiteral(
            "import sys, json\nfrom dbfread import DBF\n"
            "cd = sys.argv[2] == 'cd'\n"
            "print(json.dumps([[r['CISLOCD' if cd else 'CISLO'], r['KOMU'], r['OD_KDY'], "
            "r['POZN'], r['TITULCD'] if cd else ''] for r in DBF(sys.argv[1], "
            "encoding='cp1250')], ensure_ascii=False))");
        int rc = -1;
        const QString out = runProgram(QStringLiteral("/usr/bin/python3"),
                                       {QStringLiteral("-c"), script, archivePath(kind),
                                        cd ? QStringLiteral("cd") : QStringLiteral("vk")},
                                       &rc);
        EXPECT_EQ(rc, 0) << out.toStdString();
        QStringList rows;
        for (const QJsonValue &v : QJsonDocument::fromJson(out.toUtf8()).array()) {
            QStringList cells;
            for (const QJsonValue &c : v.toArray())
                cells << c.toString();
            if (!cd)
                cells.removeLast();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

    // Another dBASE writer, Python's dbf, lends the item of this number with
    // a loan start stored as given, whether or not it reads as a date.
    static void foreignLoan(ItemKind kind, const QString &number, const QString &borrower,
                            const QString &since, int days)
    {
        const QString script =
            QStringLiteral("import sys, dbf\n"
                           "t = dbf.Table(sys.argv[1])\n"
                           "t.open(dbf.READ_WRITE)\n"
                           "key = 'cislocd' if sys.argv[2] == 'cd' else 'cislo'\n"
                           "for r in t:\n"
                           "    if r[key].strip() == sys.argv[3]:\n"
                           "        with r:\n"
                           "            r.pujceno = True\n"
                           "            r.komu = sys.argv[4]\n"
                           "            r.od_kdy = sys.argv[5]\n"
                           "            r.delka_pujc = int(sys.argv[6])\n"
                           "t.close()\n");
        const bool cd = kind == ItemKind::Cd;
        int rc = -1;
        const QString out = runProgram(
            QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"), script,
             Paths::dataFile(cd ? QStringLiteral("cd01.dbf") : QStringLiteral("data.dbf")),
             cd ? QStringLiteral("cd") : QStringLiteral("vk"), number, borrower, since,
             QString::number(days)},
            &rc);
        ASSERT_EQ(rc, 0) << out.toStdString();
    }

    // Runs a menu command of a section as the menu does, guard included.
    void run(const char *action, TTitul::Section section = TTitul::Cassettes)
    {
        window->runEntry(*window->entryFor(QString::fromLatin1(action), section));
    }
};

} // namespace velmora::test
